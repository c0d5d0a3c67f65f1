// The hint: one cell toward the complete board that keeps the most of the
// player's, through the same evaluation and check as a click.
#include "CoreHelpers.h"

namespace quorvex::testing {
namespace {

// The 24 cells a player sets, in reading order.
const std::vector<int> PlayerCells = {2,  3,  4,  5,  8,  10, 12, 14, 15, 16, 17, 18,
                                      19, 22, 24, 26, 28, 29, 30, 31, 32, 33, 44, 46};

// From an empty board the hints fill every cell in reading order; from a
// board where every cell is one click short of the stored solution they change
// cells, each said once. Each hint sets one cell as the key for its new value
// would, and the puzzle is won; undone, it opens again, and redone, it says
// nothing more.
TEST(HintSequence, EachHintSetsOneCellAsItsKeyWouldUntilTheWin) {
    for (bool empty : {true, false}) {
        SCOPED_TRACE(empty ? "empty" : "all wrong");
        Game g, typed;
        std::string short1 = Board(g.f);
        for (int i : PlayerCells)
            short1[i - 1] = "*+-912345678"[std::string("+-*123456789").find(StoredBoard(g.f)[i - 1])];
        if (!empty) SetBoard(g.f, short1), SetBoard(typed.f, short1);
        std::vector<int> hinted;
        for (int n = 0; n < 30 && g.f.HintAvailable(); ++n) {
            g.f.Hint_Click();
            const int i = g.f.HintedCell;
            hinted.push_back(i);
            i ? typed.f.TypeKey(i, Board(g.f)[i - 1]) : typed.f.Hint_Click();
            ASSERT_EQ(Snapshot(g.f), Snapshot(typed.f)) << "hint " << n << " on cell " << i;
        }
        EXPECT_TRUE(!empty || hinted == PlayerCells);
        EXPECT_EQ(State(g.f), GivenCorners(g.f, "gs") + " NewPuz menus first other 0 1 -1 -1 -1 -1");
        EXPECT_EQ(g.svc.last(), "You got it !");
        EXPECT_EQ(g.svc.messages.size(), 1 + (empty ? 0 : hinted.size() - std::count(hinted.begin(), hinted.end(), 0)));
        const std::string won = Snapshot(g.f);
        g.f.Undox_Click();
        EXPECT_TRUE(g.f.PuzzleDone == 0 && g.f.RightMess.Visible && !g.f.NPict[4].Visible && g.f.GridDisp[53].Visible);
        g.f.Redox_Click();
        EXPECT_EQ(Snapshot(g.f), won);
        EXPECT_EQ(g.svc.count("You got it !"), 1);
    }
}

// Corners 1, 1, 1, 1, whose nearest board is
//   1+1-1=1 / +.+.+.+ / 1+1+1=3 / -.+.+.- / 1+1+1=3 / =.=.=.= / 1+3-3=1.
// A wrong cell goes before an empty one, and cells 14 and 16 evaluate only
// their own line, as a click on them does.
TEST(Hint, ChangesAWrongCellFirstAndNamesIt) {
    struct Case { const char *board, *said, *after; int hints; };  // `after` the first hint; hints to the win
    for (const Case& c : {
             Case{"1+1-1=1+.+.+.+1+9+1=?-.+.+.-1+1+1=3=.=.=.=1.?-3=?", "Hint: row 3, column 3 changes from 9 to 1",
                  "1+1-1=1+.+.+.+1+1+1=3-.+.+.-1+1+1=3=.=.=.=1.3-3=?", 2},
             // Cell 49 shows the result column's 1, but with cell 12 empty the result row gives nothing yet.
             {"1+1-1=1+.+...*1+1+1=3-.+.+.-1+1+1=3=.=.=.=1+3-?=?", "Hint: row 2, column 7 changes from * to +",
              "1+1-1=1+.+...+1+1+1=3-.+.+.-1+1+1=3=.=.=.=1+3-?=1", 2},
             {"1+1-1=1+.+.+.+1-1-1=?-.+.+.-1+1+1=3=.=.=.=1+3-3=?", "Hint: row 3, column 2 changes from - to +",
              "1+1-1=1+.+.+.+1+1-1=1-.+.+.-1+1+1=3=.=.=.=1+3-3=?", 2},
             // Nothing to change, but the check has not seen it yet: no help given, none counted.
             {"1+1-1=1+.+.+.+1+1+1=?-.+.+.-1+1+1=3=.=.=.=1+3-3=?", "You got it !",
              "1+1-1=1+.+.+.+1+1+1=3-.+.+.-1+1+1=3=.=.=.=1+3-3=1", 0}}) {
        SCOPED_TRACE(c.board);
        Game g;
        for (int p : {1, 4, 13, 16}) g.f.SolNum[p] = " 1";
        SetBoard(g.f, c.board);
        g.f.Hint_Click();
        EXPECT_EQ(g.svc.messages.empty() ? "" : g.svc.messages[0].text, c.said);
        EXPECT_EQ(Board(g.f), c.after);
        for (int n = 1; n < c.hints; ++n) g.f.Hint_Click();
        EXPECT_TRUE(g.svc.last() == "You got it !" && g.f.PuzzleDone == 1);
        EXPECT_EQ(g.f.Stats.SolvedUnaided, c.hints == 0);
    }
}

// In set-up mode, with the solution shown and after a run that gave up, no
// hint: the menu says so by itself, and a click on it changes nothing.
TEST_F(GameTest, NoHintWithoutAnOpenPuzzle) {
    EXPECT_TRUE(f.HintAvailable() && f.Hintx.Enabled);
    for (auto [when, act] : std::initializer_list<std::pair<const char*, std::function<void()>>>{
             {"set-up mode", [&] { f.SolveMx_Click(); }},
             {"solution shown", [&] { f.ShowSolx_Click(); }},
             {"after giving up",
              [&] { f.SolveMx_Click(), f.NewPuz_Click(), rnd->setScript(NeverFits), f.NewPuz_Click(); }}}) {
        act();
        const std::string before = Snapshot(f) + std::to_string(svc.messages.size());
        f.HintedCell = 7;
        f.Hint_Click();
        EXPECT_TRUE(!f.HintAvailable() && !f.Hintx.Enabled && f.HintedCell == 0) << when;
        EXPECT_EQ(Snapshot(f) + std::to_string(svc.messages.size()), before) << when;
    }
}

}  // namespace
}  // namespace quorvex::testing
