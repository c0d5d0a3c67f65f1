// Show Solution, Start a Solution, set-up mode, and commands that arrive
// while a generator run is still going.
#include <cctype>

#include "CoreHelpers.h"
#include "board/Layout.h"

namespace quorvex {
namespace {
using testing::Board;
using testing::Game;
using testing::PressSolveit;
using testing::Snapshot;
using testing::StoredBoard;

std::string ValueCells(const Form1& f) {
    std::string s;
    for (int p = 1; p <= ValuePositions; ++p) s += f.GridDisp[ValuePositionCell(p)].Caption + ',';
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
    for (int k = 1; k <= 4; ++k) {
        EXPECT_TRUE(f.NPict[k].Visible && !f.GridDisp[49 + k].Visible) << k;
        EXPECT_EQ(f.GridDisp[CornerCellList[k - 1]].BackColor, f.ClrGreen);
    }
    const std::string shown = Snapshot(f);
    f.ClickCell(3, 1);
    EXPECT_EQ(Snapshot(f), shown);
    EXPECT_TRUE(g.svc.messages.empty());

    f.StartSolx_Click();
    const std::string first = ValueCells(f);
    for (int i = 1; i <= 49; ++i) {
        const std::string& c = f.GridDisp[i].Caption;
        // Only cells 7, 43, 45, 47 and 49 are computed; the rest keep drawn digits.
        const bool drawn = IsValueCell(i) && i != 7 && i != 43 && i != 45 && i != 47 && i != 49;
        EXPECT_TRUE(!IsOperatorCell(i) || c == "+") << i;
        EXPECT_TRUE(!drawn || (c.size() == 1 && std::isdigit(static_cast<unsigned char>(c[0])))) << i;
        EXPECT_TRUE(!IsValueCell(i) || !c.empty()) << i;
    }
    EXPECT_EQ(f.GridDisp[1].Caption, Trim(f.SolNum[1]));
    EXPECT_FALSE(f.GridDisp[50].Visible);
    EXPECT_EQ(f.PuzzleDone, g.svc.count(text::YouGotIt));
    f.StartSolx_Click();  // same frozen clock, still new digits
    EXPECT_NE(ValueCells(f), first);
}

TEST(Solving, SetUpModeSolvesTheChosenCornersAndGivesBackControl) {
    Game g;
    Form1& f = g.f;
    f.ClickCell(3, 1);
    f.SolveMx_Click();
    std::string want(49, '.');
    for (int e : EqualsCells) want[e - 1] = '=';
    for (int c : CornerCellList) want[c - 1] = '?';
    EXPECT_EQ(Board(f), want);
    for (int c : CornerCellList) EXPECT_TRUE(f.GridDisp[c].Enabled && f.GridDisp[c].BackColor == f.ClrRed) << c;
    EXPECT_EQ(std::vector<int>({f.SetupMode, f.PuzzleDone, f.CornerVal1, f.CornerVal7, f.CornerVal43, f.CornerVal49}),
              std::vector<int>({1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(f.SolveMx.Caption, text::SolveMxEnd);
    EXPECT_TRUE(f.CompMess.Visible && f.Solveit.Visible && !f.RightMess.Visible && !f.NewPuz.Visible);
    EXPECT_FALSE(f.StartSolx.Enabled || f.ShowSolx.Enabled || f.Solveit.Enabled);

    f.ClickCell(17, 1);  // a non-corner click only wakes the button
    EXPECT_EQ(Board(f), want);
    EXPECT_TRUE(f.Solveit.Enabled);
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
    EXPECT_TRUE(testing::SolutionHolds(f));
    EXPECT_EQ(Board(f), StoredBoard(f));
    EXPECT_EQ(f.GridDisp[1].Caption + f.GridDisp[7].Caption + f.GridDisp[43].Caption + f.GridDisp[49].Caption, "5734");
    for (int c : CornerCellList) EXPECT_EQ(f.GridDisp[c].BackColor, f.ClrRed) << c;
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
    for (int c : CornerCellList) want[c - 1] = f.GridDisp[c].Caption[0];
    EXPECT_EQ(Board(f), want);
    EXPECT_EQ(want[0] + std::string() + want[6] + want[42] + want[48], "5734");
    EXPECT_TRUE(f.Solveit.Enabled);
    for (int c : CornerCellList) EXPECT_EQ(f.GridDisp[c].BackColor, f.ClrRed) << c;

    f.SolveMx_Click();
    EXPECT_EQ(f.SolveMx.Caption, text::SolveMxAgain);
    EXPECT_EQ(std::vector<int>({f.SetupMode, f.PuzzleDone, f.CornerVal1, f.CornerVal7, f.CornerVal43, f.CornerVal49}),
              std::vector<int>({0, 1, -1, -1, -1, -1}));
    for (int c : CornerCellList) EXPECT_TRUE(!f.GridDisp[c].Enabled && f.GridDisp[c].BackColor == f.ClrGreen) << c;
    EXPECT_TRUE(f.NewPuz.Visible && !f.Solveit.Visible && !f.CompMess.Visible && f.StartSolx.Enabled && f.ShowSolx.Enabled);
    before = Snapshot(f);
    for (int i : {1, 3, 2, 49}) f.ClickCell(i, 1);
    EXPECT_EQ(Snapshot(f), before);

    f.SolveMx_Click();
    EXPECT_EQ(f.GridDisp[1].Caption + f.GridDisp[7].Caption + f.GridDisp[43].Caption + f.GridDisp[49].Caption, "????");
    EXPECT_EQ(f.CornerVal1 + f.CornerVal7 + f.CornerVal43 + f.CornerVal49, 0);
    f.NewPuz_Click();
    EXPECT_EQ(f.SetupMode, 0);
    EXPECT_EQ(f.PuzzleDone, 0);
    EXPECT_EQ(f.SolveMx.Caption, text::SolveMxAgain);
    EXPECT_TRUE(f.NewPuz.Visible && f.RightMess.Visible && !f.CompMess.Visible && !f.Solveit.Visible);
    EXPECT_TRUE(testing::SolutionHolds(f));
    for (int c : CornerCellList) EXPECT_EQ(f.GridDisp[c].BackColor, f.ClrGreen) << c;
}

TEST(Solving, CommandsDuringARunAreIgnoredButPrintHelpAndAboutWork) {
    Game g;
    Form1& f = g.f;
    int calls = 0;
    g.svc.answers = {MsgAnswer::No};
    g.svc.onPendingEvents = [&] {
        EXPECT_TRUE(f.Generating());
        if (calls++ > 2) return;
        const std::string during = Snapshot(f);
        for (int i : {3, 2, 17, 28}) f.ClickCell(i, 1);
        f.GridDisp_MouseClick(5, 2, 0, 0, 0);
        f.NewPuz_Click();
        f.Solveit_Click();
        f.ShowSolx_Click();
        f.StartSolx_Click();
        f.SolveMx_Click();
        f.GeneratePuzzle();
        EXPECT_EQ(Snapshot(f), during);
        if (calls == 1) {
            f.PrintX_Click();
            f.Helpx_Click();
            f.Aboutx_Click();
        }
    };
    f.NewPuz_Click();
    EXPECT_FALSE(f.Generating());
    EXPECT_EQ(f.PuzzleNo, 2);
    EXPECT_EQ(g.svc.titles.size(), 2u);
    EXPECT_EQ(f.SetupMode, 0);
    EXPECT_TRUE(testing::SolutionHolds(f));
    EXPECT_EQ(g.svc.count(std::string(text::PrintPrompt) + "1"), 1);
    EXPECT_EQ(g.svc.helpOpened + g.svc.aboutShown, 2);

    // A set-up search that gives up, with the player trying to leave meanwhile.
    f.SolveMx_Click();
    for (int c : CornerCellList) f.ClickCell(c, 1);
    const std::string corners = f.GridDisp[1].Caption + f.GridDisp[49].Caption;
    g.rnd->setScript(testing::NeverFits);
    calls = 0;
    f.Solveit_Click();
    EXPECT_EQ(calls, 501);
    EXPECT_EQ(f.SetupMode, 1);
    EXPECT_EQ(f.GridDisp[1].Caption + f.GridDisp[49].Caption, corners);
    EXPECT_EQ(g.svc.count(text::CannotSolve), 1);
}

}  // namespace
}  // namespace quorvex
