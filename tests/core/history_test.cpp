// Undo and redo: every step of play comes back exactly, a finished puzzle
// reopens without a second message, and new puzzles or set-up mode start over.
#include "CoreHelpers.h"

namespace quorvex::testing {
namespace {

using History = GameTest;

TEST_F(History, EveryKindOfStepUndoesAndRedoesExactly) {
    const std::function<void()> steps[] = {
        [&] { f.ClickCell(3, 1); }, [&] { f.ClickCell(2, 2); },    [&] { f.StartSolx_Click(); },
        [&] { f.ClickCell(28, 1); },
        [&] { f.TypeKey(17, f.GridDisp[17].Caption == "7" ? '6' : '7'); },
        [&] { f.TypeKey(24, f.GridDisp[24].Caption == "*" ? '-' : '*'); }, [&] { f.Hint_Click(); },
        [&] { f.ShowSolx_Click(); },
    };
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
    EXPECT_FALSE(f.Undox.Enabled);
    // Redo replays the same random digits, not new ones.
    for (std::size_t n = 1; n < states.size(); ++n) {
        f.Redox_Click();
        ASSERT_EQ(Snapshot(f), states[n]) << "redo to " << n;
    }
    EXPECT_EQ(svc.messages.size(), messages);
    // Show Solution undone opens the puzzle; a new step drops the redo.
    f.Undox_Click();
    f.ClickCell(3, 1);
    EXPECT_TRUE(f.PuzzleDone == 0 && f.Undox.Enabled && !f.Redox.Enabled);
}

TEST_F(History, UndoReopensASolvedPuzzleAndRedoNeverSaysItAgain) {
    SolveByClicks(f);
    const std::string solved = Snapshot(f);
    f.Undox_Click();
    EXPECT_EQ(Flags(f), (std::vector<int>{0, 0, -1, -1, -1, -1}));
    EXPECT_TRUE(f.RightMess.Visible && !f.NPict[4].Visible && f.GridDisp[53].Visible);
    f.Redox_Click();
    EXPECT_EQ(Snapshot(f), solved);
    f.Undox_Click(), f.Redox_Click();
    EXPECT_EQ(svc.count(text::YouGotIt), 1);
    EXPECT_EQ(svc.messages.size(), 1u);
}

TEST_F(History, NewPuzzleSetUpModeAndAComputerSolveStartOver) {
    const std::pair<const char*, std::function<void()>> starts[] = {
        {"new puzzle", [&] { f.NewPuz_Click(); }},
        {"set-up mode", [&] { f.SolveMx_Click(); }},
        {"set-up corners", [&] { f.ClickCell(1, 1), f.ClickCell(7, 1), f.ClickCell(43, 1), f.ClickCell(49, 2); }},
        {"computer solve", [&] { f.Solveit_Click(); }},
        {"leave set-up", [&] { f.SolveMx_Click(); }},
    };
    for (const auto& [name, start] : starts) {
        SCOPED_TRACE(name);
        if (f.SetupMode == 0 && f.PuzzleDone == 0) f.ClickCell(3, 1), f.ClickCell(5, 1);
        start();
        const std::string after = Snapshot(f);
        EXPECT_FALSE(f.Undox.Enabled || f.Redox.Enabled);
        f.Undox_Click(), f.Redox_Click();
        EXPECT_EQ(Snapshot(f), after);
    }
    f.StartSolx_Click();  // back in play the history grows again
    EXPECT_TRUE(f.Undox.Enabled);
}

}  // namespace
}  // namespace quorvex::testing
