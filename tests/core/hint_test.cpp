// The hint: one cell toward the complete board that keeps the most of the
// player's, through the same evaluation and check as a click.
#include <algorithm>

#include "CoreHelpers.h"
#include "solving/Solver.h"

namespace quorvex::testing {
namespace {

using Hint = GameTest;

// The 24 cells a player sets, in reading order.
const std::vector<int> PlayerCells = {2,  3,  4,  5,  8,  10, 12, 14, 15, 16, 17, 18,
                                      19, 22, 24, 26, 28, 29, 30, 31, 32, 33, 44, 46};

// What the player has set on `board`, one character per cell in reading order.
std::string Mine(const std::string& board) {
    std::string s;
    for (int i : PlayerCells) s += board[i - 1];
    return s;
}

// The board the hint aims at from an empty one: the same cells the solver gives.
std::string Target(const Form1& f) {
    const std::string g = Givens(f);
    const BoardValues done = CompleteBoard({g[0] - '0', g[1] - '0', g[2] - '0', g[3] - '0'}, {})->board;
    std::string b = Board(f);
    for (int k = 1; k < 9; ++k) b[SolverNumberCells[k] - 1] = static_cast<char>('0' + done.numbers[k]);
    for (int k = 0; k < 16; ++k) b[SolverOperatorCells[k] - 1] = done.operators[k];
    return b;
}

// `board` with every player's cell one left click short of the value it shows.
std::string OneClickShort(std::string board) {
    for (int i : PlayerCells) board[i - 1] = "*+-912345678"[std::string("+-*123456789").find(board[i - 1])];
    return board;
}

// From an empty board the hints fill cells in reading order up to the board
// the solver gives; from a board where every cell is wrong they change cells,
// each named first. Each hint sets one cell as the key for its new value would,
// and the puzzle is won; undone, it opens again, and redone, it says nothing more.
TEST(HintSequence, EachHintSetsOneCellAsItsKeyWouldUntilTheWin) {
    for (bool empty : {true, false}) {
        SCOPED_TRACE(empty ? "empty" : "all wrong");
        Game g, typed;
        const std::string want = Target(g.f);
        if (!empty) SetBoard(g.f, OneClickShort(want)), SetBoard(typed.f, Board(g.f));
        std::vector<int> hinted;
        for (int n = 0; n < 30 && g.f.HintAvailable(); ++n) {
            const std::string before = Board(g.f);
            const std::size_t said = g.svc.messages.size();
            g.f.Hint_Click();
            const int i = g.f.HintedCell;
            hinted.push_back(i);
            i ? typed.f.TypeKey(i, Board(g.f)[i - 1]) : typed.f.Hint_Click();
            ASSERT_EQ(Snapshot(g.f), Snapshot(typed.f)) << "hint " << n << " on cell " << i;
            if (i && before[i - 1] != '.') {
                EXPECT_EQ(g.svc.messages.at(said).text, "Hint: row " + std::to_string((i - 1) / 7 + 1) + ", column " +
                                                            std::to_string((i - 1) % 7 + 1) + " changes from " +
                                                            before[i - 1] + " to " + Board(g.f)[i - 1]);
            }
        }
        EXPECT_TRUE(!empty || (hinted == PlayerCells && Mine(Board(g.f)) == Mine(want)));
        EXPECT_EQ(State(g.f), GivenCorners(g.f, "gs") + " NewPuz menus first other 0 1 -1 -1 -1 -1");
        EXPECT_EQ(g.svc.messages.back().text, text::YouGotIt);
        EXPECT_EQ(g.svc.messages.size(), 1 + (empty ? 0 : hinted.size() - std::count(hinted.begin(), hinted.end(), 0)));
        const std::string won = Snapshot(g.f);
        g.f.Undox_Click();
        EXPECT_TRUE(g.f.PuzzleDone == 0 && g.f.RightMess.Visible && !g.f.NPict[4].Visible && g.f.GridDisp[53].Visible);
        g.f.Redox_Click();
        EXPECT_EQ(Snapshot(g.f), won);
        EXPECT_EQ(g.svc.count(text::YouGotIt), 1);
    }
}

// Corners 1, 1, 1, 1, whose nearest board is
//   1+1-1=1 / +.+.+.+ / 1+1+1=3 / -.+.+.- / 1+1+1=3 / =.=.=.= / 1+3-3=1.
// A wrong cell goes before an empty one, and cells 14 and 16 evaluate only
// their own line, as a click on them does.
TEST_F(Hint, ChangesAWrongCellFirstAndNamesIt) {
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
        EXPECT_EQ(g.svc.messages.at(0).text, c.said);
        EXPECT_EQ(Board(g.f), c.after);
        for (int n = 1; n < c.hints; ++n) g.f.Hint_Click();
        EXPECT_TRUE(g.svc.messages.back().text == text::YouGotIt && g.f.PuzzleDone == 1);
        EXPECT_EQ(g.f.Stats.SolvedUnaided, c.hints == 0);
    }
}

// Mid-run and after the end, hints are refused with all other input.
TEST_F(Hint, NoHintWithoutAnOpenPuzzle) {
    EXPECT_TRUE(f.HintAvailable() && f.Hintx.Enabled);
    for (auto [when, act] : std::initializer_list<std::pair<const char*, std::function<void()>>>{
             {"set-up mode", [&] { f.SolveMx_Click(); }},
             {"solution shown", [&] { f.ShowSolx_Click(); }},
             // A run that gives up leaves no puzzle to aim at.
             {"after giving up",
              [&] { f.SolveMx_Click(), f.NewPuz_Click(), rnd->setScript(NeverFits), f.NewPuz_Click(); }}}) {
        act();
        const std::string before = Snapshot(f) + std::to_string(svc.messages.size());
        f.HintedCell = 7;
        f.Hint_Click();
        // The menu says so by itself, with no front end to ask it.
        EXPECT_TRUE(!f.HintAvailable() && !f.Hintx.Enabled && f.HintedCell == 0) << when;
        EXPECT_EQ(Snapshot(f) + std::to_string(svc.messages.size()), before) << when;
    }
}

}  // namespace
}  // namespace quorvex::testing
