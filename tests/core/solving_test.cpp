// Show Solution, Start a Solution, set-up mode, and commands that arrive
// while a generator run is still going.
#include <cctype>

#include "CoreHelpers.h"

namespace quorvex {
namespace {
using namespace testing;

// What the mode shows: labels and buttons on view, the two play menu items, the set-up item.
std::string Mode(const Form1& f) {
    std::string s;
    for (auto [on, name] : {std::pair{f.RightMess.Visible, "RightMess "}, {f.CompMess.Visible, "CompMess "},
                            {f.NewPuz.Visible, "NewPuz "}, {f.Solveit.Visible, "Solveit "},
                            {f.StartSolx.Enabled && f.ShowSolx.Enabled, "menus "}})
        if (on) s += name;
    return s + f.SolveMx.Caption;
}

// Each corner as caption, face (r, g, k for red, green, black) and E when enabled.
std::string Corners(const Form1& f) {
    std::string s;
    for (int c : CornerCellList) {
        const Cell& cell = f.GridDisp[c];
        s += cell.Caption + (cell.BackColor == f.ClrRed ? 'r' : cell.BackColor == f.ClrGreen ? 'g' : 'k') +
             (cell.Enabled ? "E" : "");
    }
    return s;
}

TEST(Solving, ShowAndStartASolutionInPlay) {
    Game g;
    Form1& f = g.f;
    f.ClickCell(3, 1);
    f.ShowSolx_Click();
    EXPECT_EQ(Board(f), StoredBoard(f));
    EXPECT_EQ(f.PuzzleDone, 1);
    EXPECT_FALSE(f.RightMess.Visible);
    for (int k = 1; k <= 4; ++k) EXPECT_TRUE(f.NPict[k].Visible && !f.GridDisp[49 + k].Visible) << k;
    const std::string shown = Snapshot(f);
    f.ClickCell(3, 1);
    EXPECT_EQ(Snapshot(f), shown);
    EXPECT_TRUE(g.svc.messages.empty());

    f.StartSolx_Click();
    // Every operator "+", every value cell filled ('v': a digit or "?").
    auto kind = [](const Cell& c) { return c.Caption.empty() ? '.' : c.Caption == "+" || c.Caption == "=" ? c.Caption[0] : 'v'; };
    EXPECT_EQ(CellMap(f, kind), "v+v+v=v+.+.+.+v+v+v=v+.+.+.+v+v+v=v=.=.=.=v+v+v=v");
    EXPECT_EQ(f.GridDisp[1].Caption, Trim(f.SolNum[1]));
    EXPECT_FALSE(f.GridDisp[50].Visible);
    EXPECT_EQ(f.PuzzleDone, g.svc.count(text::YouGotIt));
    const std::string first = Board(f);
    f.StartSolx_Click();  // the same frozen clock, still new digits
    EXPECT_NE(Board(f), first);
    g.rnd->setScript({1});
    f.StartSolx_Click();
    // Rows 15 and 29 are not evaluated: their result cells keep the drawn 1, not 3.
    EXPECT_EQ(f.GridDisp[21].Caption + f.GridDisp[35].Caption, "11");
}

TEST(Solving, SetUpModeSolvesTheChosenCornersAndGivesBackControl) {
    Game g;
    Form1& f = g.f;
    f.ClickCell(3, 1);
    f.SolveMx_Click();
    EXPECT_EQ(Board(f), EmptyBoard("????"));
    EXPECT_EQ(Corners(f), "?rE?rE?rE?rE");
    EXPECT_EQ(Mode(f), std::string("CompMess Solveit ") + text::SolveMxEnd);
    EXPECT_EQ(f.CornerVal1 + f.CornerVal7 + f.CornerVal43 + f.CornerVal49, 0);
    EXPECT_FALSE(f.Solveit.Enabled);

    f.ClickCell(17, 1);  // a click off the corners only wakes the button
    EXPECT_EQ(Board(f), EmptyBoard("????"));
    for (int n = 0; n < 5; ++n) f.ClickCell(1, 1);
    for (int n = 0; n < 7; ++n) f.ClickCell(7, 1);
    for (int n = 0; n < 7; ++n) f.ClickCell(43, 2);
    EXPECT_EQ(std::vector<int>({f.CornerVal1, f.CornerVal7, f.CornerVal43, f.CornerVal49}),
              std::vector<int>({5, 7, 3, 0}));
    std::string before = Snapshot(f);
    PressSolveit(f);
    EXPECT_EQ(Snapshot(f), before);
    EXPECT_EQ(g.svc.count(text::SetCornersFirst), 1);

    for (int n = 0; n < 4; ++n) f.ClickCell(49, 1);
    const int puzzle = f.PuzzleNo;
    for (int n = 0; n < 20 && f.Solveit.Enabled; ++n) PressSolveit(f);  // a rare run gives up
    ASSERT_EQ(f.GenOk, 1);
    EXPECT_TRUE(SolutionHolds(f));
    EXPECT_EQ(Board(f), StoredBoard(f));
    EXPECT_EQ(Corners(f), "5rE7rE3rE4rE");
    EXPECT_EQ(f.PuzzleDone, 1);
    EXPECT_EQ(f.PuzzleNo, puzzle + 1);
    EXPECT_FALSE(f.Solveit.Enabled);
    f.ClickCell(17, 1);
    EXPECT_TRUE(f.Solveit.Enabled);
    EXPECT_EQ(Board(f), StoredBoard(f));

    // Rows fit, column 1 never does: the search gives up and the corners stay.
    g.rnd->setScript(testing::NeverFits);
    const int failures = g.svc.count(text::CannotSolve);
    PressSolveit(f);
    g.rnd->setScript({});
    EXPECT_EQ(g.svc.count(text::CannotSolve), failures + 1);
    EXPECT_EQ(Corners(f), "5rE7rE3rE4rE");
    EXPECT_EQ(Board(f), EmptyBoard("5734"));
    EXPECT_TRUE(f.Solveit.Enabled);

    f.SolveMx_Click();
    EXPECT_EQ(Mode(f), std::string("NewPuz menus ") + text::SolveMxAgain);
    EXPECT_EQ(Corners(f), "5g7g3g4g");
    EXPECT_EQ(std::vector<int>({f.SetupMode, f.PuzzleDone, f.CornerVal1, f.CornerVal7, f.CornerVal43, f.CornerVal49}),
              std::vector<int>({0, 1, -1, -1, -1, -1}));
    before = Snapshot(f);
    for (int i : {1, 3, 2, 49}) f.ClickCell(i, 1);
    EXPECT_EQ(Snapshot(f), before);

    f.SolveMx_Click();
    EXPECT_EQ(Corners(f), "?rE?rE?rE?rE");
    EXPECT_EQ(f.CornerVal1 + f.CornerVal7 + f.CornerVal43 + f.CornerVal49, 0);
    f.NewPuz_Click();
    EXPECT_EQ(Mode(f), std::string("RightMess NewPuz menus ") + text::SolveMxAgain);
    EXPECT_EQ(f.SetupMode + f.PuzzleDone, 0);
    EXPECT_TRUE(SolutionHolds(f));
    EXPECT_EQ(Board(f), EmptyBoard(Givens(f)));
    std::string green;
    for (char c : Givens(f)) green += {c, 'g'};
    EXPECT_EQ(Corners(f), green);
}

TEST(Solving, CommandsDuringARunAreIgnoredButPrintHelpAndAboutWork) {
    Game g;
    Form1& f = g.f;
    int calls = 0;
    g.svc.onPendingEvents = [&] {
        EXPECT_TRUE(f.Generating());
        if (calls++ > 2) return;
        const std::string during = Snapshot(f);
        for (int i : {3, 2, 17, 28, 1, 7}) f.ClickCell(i, 1);
        f.GridDisp_MouseClick(5, 2, 0, 0, 0);
        for (auto command : {&Form1::NewPuz_Click, &Form1::Solveit_Click, &Form1::ShowSolx_Click,
                             &Form1::StartSolx_Click, &Form1::SolveMx_Click, &Form1::GeneratePuzzle})
            (f.*command)();
        EXPECT_EQ(Snapshot(f), during);
        if (calls == 1)
            for (auto command : {&Form1::PrintX_Click, &Form1::Helpx_Click, &Form1::Aboutx_Click}) (f.*command)();
    };
    f.NewPuz_Click();
    EXPECT_FALSE(f.Generating());
    EXPECT_EQ(f.PuzzleNo, 2);
    EXPECT_EQ(g.svc.titles.size(), 2u);
    EXPECT_TRUE(SolutionHolds(f));
    EXPECT_EQ(g.svc.count(std::string(text::PrintPrompt) + "1"), 1);
    EXPECT_EQ(g.svc.helpOpened + g.svc.aboutShown, 2);

    // A set-up search that gives up, with the player trying to leave meanwhile.
    f.SolveMx_Click();
    for (int c : CornerCellList) f.ClickCell(c, 1);
    g.rnd->setScript(testing::NeverFits);
    calls = 0;
    f.Solveit_Click();
    EXPECT_EQ(calls, 501);
    EXPECT_EQ(f.SetupMode, 1);
    EXPECT_EQ(Corners(f), "1rE1rE1rE1rE");
    EXPECT_EQ(g.svc.count(text::CannotSolve), 1);
}

}  // namespace
}  // namespace quorvex
