// Play through cell clicks and keys: the win, the steps, undo and redo.
#include "CoreHelpers.h"

namespace quorvex::testing {
namespace {

using Play = GameTest;

// Another board under the same corners wins as well: the hint test's.
TEST_F(Play, TheFourCornersWinOnceAndEndThePuzzle) {
    const std::string want = StoredBoard(f);
    // The first click re-derives every line: row 1 is complete, column 1 is not.
    for (int i : {2, 3, 4, 5})
        for (int n = 0; n < 9 && f.GridDisp[i].Caption[0] != want[i - 1]; ++n) f.ClickCell(i, 1);
    ASSERT_TRUE(f.GridDisp[7].BackColor == Green && f.GridDisp[43].Caption == "?");
    SolveByClicks(f);
    EXPECT_EQ(State(f), GivenCorners(f, "gs") + " NewPuz menus first stored 0 1 -1 -1 -1 -1");

    // Finished: no click or key changes anything, and the win is said once.
    const std::string done = Snapshot(f);
    for (int i = 0; i < CellCount; ++i)
        for (char key : std::string("15+*x \b\r")) f.ClickCell(i, 1), f.ClickCell(i, 2), f.TypeKey(i, key);
    EXPECT_EQ(Snapshot(f), done);
    EXPECT_TRUE(svc.count("You got it !") == 1 && svc.messages.size() == 1u);
    f.NewPuz_Click();
    f.ClickCell(3, 1);
    EXPECT_TRUE(f.PuzzleDone == 0 && f.RightMess.Visible && f.GridDisp[3].Caption == "1");
    // The check turned three corners black; the next puzzle starts green.
    f.NewPuz_Click();
    EXPECT_EQ(State(f), GivenCorners(f, "g") + " RightMess NewPuz menus first empty 0 0 -1 -1 -1 -1");
}

// Cell 49 shows only the line evaluated last; the win needs both lines into
// it. Corners 1 3 3 3 on a board of ones; the result row's operators (cells 44,
// 46) and the result column's (14, 28) as given, but the clicked cell one click
// short of its own. Old boards that won: the first three.
TEST_F(Play, TheFinalCornerNeedsTheResultRowAndTheResultColumn) {
    struct Case { const char *row, *column; int cell; char before; const char* note; };
    for (const Case& c : {
             // The result row is right and cell 49 shows it; 3 * 3 - 3 = 6 down the result column.
             Case{"+-", "*-", 33, '9', "The result row gives 3 but the result column gives 6."},
             // A click on cell 14 leaves cell 49 showing the result column; 3 * 3 - 3 = 6 along the result row.
             {"*-", "-+", 14, '+', "The result row gives 6 but the result column gives 3."},
             // A click on cell 44 leaves cell 49 showing the result row; the result column has no operators.
             {"+-", "..", 44, '.', "The result row gives 3 but the result column gives no number from 1 to 9."},
             {"+-", "-+", 46, '+', ""}}) {
        SCOPED_TRACE(c.note);
        Game g;
        for (int p : {1, 4, 13, 16}) g.f.SolNum[p] = p == 1 ? " 1" : " 3";
        std::string b = "1+1+1=3+.+.+.x1+1+1=3+.+.+.y1+1+1=3=.=.=.=3a3b3=?";
        b[13] = c.column[0], b[27] = c.column[1], b[43] = c.row[0], b[45] = c.row[1];
        const char after = b[c.cell - 1];
        b[c.cell - 1] = c.before;
        SetBoard(g.f, b);
        g.f.ClickCell(c.cell, 1);
        ASSERT_EQ(g.f.GridDisp[c.cell].Caption[0], after);
        const bool won = *c.note == '\0';
        // Cell 49 shows the target 3 every time, whichever line it came from.
        EXPECT_EQ(State(g.f), won ? "1gs3gs3gs3gs NewPuz menus first other 0 1 -1 -1 -1 -1"
                                  : "1gs3gs3gs3kt RightMess NewPuz menus first other 0 0 -1 -1 -1 -1");
        EXPECT_EQ(g.svc.count("You got it !"), won);
        EXPECT_EQ(g.f.FinalCellNote(), c.note);
    }
}

// Digits count up with the left button and down with the right, 9 to 1 and
// 1 to 9, and refuse to pass a 16-bit limit; operators cycle whichever the button.
TEST_F(Play, ClicksStepDigitsAndCycleOperators) {
    struct Case { int cell; const char* before; int button; const char* after; };
    for (const Case& c : {Case{3, "", 1, "1"}, {3, "?", 2, "9"}, {3, "9", 1, "1"}, {3, "1", 2, "9"}, {3, "5", 2, "4"},
                          {3, "32766", 1, "32767"}, {3, "32767", 1, nullptr}, {3, "-32768", 2, nullptr},
                          {2, "", 1, "+"}, {2, "+", 2, "-"}, {2, "-", 1, "*"}, {2, "*", 2, "+"}, {2, "?", 1, "?"}}) {
        f.GridDisp[c.cell].Caption = c.before;
        if (c.after) f.ClickCell(c.cell, c.button);
        else EXPECT_THROW(f.ClickCell(c.cell, c.button), Overflow16);
        EXPECT_EQ(f.GridDisp[c.cell].Caption, c.after ? c.after : c.before) << c.before << ' ' << c.button;
    }
}

// Undo and redo: every step of play comes back exactly and says nothing again.
TEST_F(Play, EveryKindOfStepUndoesAndRedoesExactly) {
    const std::function<void()> steps[] = {
        [&] { f.ClickCell(3, 1); }, [&] { f.ClickCell(2, 2); }, [&] { f.StartSolx_Click(); },
        [&] { f.ClickCell(28, 1); }, [&] { f.TypeKey(17, f.GridDisp[17].Caption == "7" ? '6' : '7'); },
        [&] { f.TypeKey(24, f.GridDisp[24].Caption == "*" ? '-' : '*'); }, [&] { f.Hint_Click(); },
        [&] { f.ShowSolx_Click(); }};
    std::vector<std::string> states{Snapshot(f)};
    for (const auto& step : steps) {
        step();
        states.push_back(Snapshot(f));
        ASSERT_TRUE(states.back() != states[states.size() - 2] && f.Undox.Enabled && !f.Redox.Enabled);
    }
    f.ClickCell(3, 1);  // a finished board changes nothing: no step
    const std::size_t messages = svc.messages.size();
    for (std::size_t n = states.size() - 1; n-- > 0;) {
        f.Undox_Click();
        ASSERT_EQ(Snapshot(f), states[n]) << "undo to " << n;
    }
    f.Undox_Click();  // nothing more to undo
    EXPECT_TRUE(!f.Undox.Enabled && Snapshot(f) == states[0]);
    // Redo replays the same random digits, not new ones, and says nothing again.
    for (std::size_t n = 1; n < states.size(); ++n) {
        f.Redox_Click();
        ASSERT_EQ(Snapshot(f), states[n]) << "redo to " << n;
    }
    f.Redox_Click();  // nothing more to redo
    EXPECT_TRUE(!f.Redox.Enabled && Snapshot(f) == states.back() && svc.messages.size() == messages);
    // Show Solution undone opens the puzzle; a new step drops what could be
    // redone, and undo goes back past it to the earlier steps.
    f.Undox_Click(), f.ClickCell(3, 1);
    const std::string replaced = Snapshot(f);
    f.Redox_Click();
    EXPECT_TRUE(f.PuzzleDone == 0 && !f.Redox.Enabled && Snapshot(f) == replaced);
    for (std::size_t n : {7, 6}) {
        f.Undox_Click();
        EXPECT_EQ(Snapshot(f), states[n]) << "undo to " << n;
    }
}

// The history keeps the latest 500 steps.
TEST_F(Play, UndoReachesBack500Steps) {
    for (int n = 0; n < 501; ++n) f.ClickCell(3, 1);
    int undone = 0;
    for (; f.Undox.Enabled && undone < 600; ++undone) f.Undox_Click();
    EXPECT_EQ(std::to_string(undone) + f.GridDisp[3].Caption, "5001");  // back to the first step's 1
}

}  // namespace
}  // namespace quorvex::testing
