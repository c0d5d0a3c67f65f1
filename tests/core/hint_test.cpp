// The hint: one cell toward the complete board that keeps the most of the
// player's, through the same evaluation and check as a click.
#include <algorithm>

#include "CoreHelpers.h"
#include "solving/Solver.h"

namespace quorvex::testing {
namespace {

using Hint = GameTest;

// The 24 cells a player sets, in reading order.
std::vector<int> PlayerCells() {
    std::vector<int> cells;
    for (int i = 2; i <= 48; ++i)
        if (TagOf(i)[0] != '\0') cells.push_back(i);
    return cells;
}

// What the player has set, one character per cell in reading order.
std::string Mine(const std::string& board) {
    std::string s;
    for (int i : PlayerCells()) s += board[i - 1];
    return s;
}

// The board the hint aims at from an empty one: the same cells the solver gives.
std::string Target(const Form1& f) {
    const std::string g = Givens(f);
    const auto done = CompleteBoard({g[0] - '0', g[1] - '0', g[2] - '0', g[3] - '0'}, {});
    std::string b = Board(f);
    for (int k = 1; k < 9; ++k) b[SolverNumberCells[k] - 1] = static_cast<char>('0' + done->board.numbers[k]);
    for (int k = 0; k < 16; ++k) b[SolverOperatorCells[k] - 1] = done->board.operators[k];
    return b;
}

// The board with each of `cells` one left click short of the value it shows.
std::string OneClickShort(std::string board, const std::vector<int>& cells) {
    for (int i : cells) {
        char& c = board[i - 1];
        c = c == '1' ? '9' : c >= '2' && c <= '9' ? c - 1 : "*+-"[std::string("+-*").find(c)];
    }
    return board;
}

// From an empty board the hints fill cells in reading order up to the board
// the solver gives; from a board where every cell is wrong they change cells;
// each hint changes one cell, and the puzzle is won.
TEST(HintSequence, EachHintChangesOneCellUntilTheWin) {
    for (bool empty : {true, false}) {
        SCOPED_TRACE(empty ? "empty" : "all wrong");
        Game g;
        const std::string want = Target(g.f);
        if (!empty) SetBoard(g.f, OneClickShort(want, PlayerCells()));
        std::vector<int> hinted;
        for (int n = 0; n < 30 && g.f.HintAvailable(); ++n) {
            const std::string before = Mine(Board(g.f));
            g.f.Hint_Click();
            hinted.push_back(g.f.HintedCell);
            int changed = 0;
            for (std::size_t i = 0; i < before.size(); ++i) changed += Mine(Board(g.f))[i] != before[i];
            EXPECT_EQ(changed, g.f.HintedCell != 0);
            // Like a first click, the first hint shows the targets and works out every line.
            EXPECT_TRUE(n > 0 || !empty || (g.f.GridDisp[53].Visible && g.f.GridDisp[7].Caption == "?"));
        }
        EXPECT_TRUE(!empty || (hinted == PlayerCells() && Mine(Board(g.f)) == Mine(want)));
        EXPECT_EQ(State(g.f), GivenCorners(g.f, "gs") + " NewPuz menus first other 0 1 -1 -1 -1 -1");
        EXPECT_EQ(g.svc.messages.back().text, text::YouGotIt);
        EXPECT_EQ(g.svc.messages.size(), 1 + (empty ? 0 : hinted.size() - std::count(hinted.begin(), hinted.end(), 0)));
    }
}

TEST(HintOneCell, AWrongCellChangesAsOneClickOnItWould) {
    for (int cell : PlayerCells()) {
        SCOPED_TRACE(::testing::Message() << "cell " << cell);
        Game hinted, clicked;
        const std::string board = OneClickShort(Target(hinted.f), {cell});
        const char c = board[cell - 1];
        SetBoard(hinted.f, board);
        SetBoard(clicked.f, board);
        hinted.f.Hint_Click();
        if (hinted.f.HintedCell == 0) {
            // The changed cell happens to fit as well: nothing to change, and the board wins.
            EXPECT_EQ(Mine(Board(hinted.f)), Mine(board));
            EXPECT_EQ(hinted.svc.count(text::YouGotIt), 1);
            continue;
        }
        clicked.f.ClickCell(cell, 1);
        EXPECT_EQ(hinted.f.HintedCell, cell);
        EXPECT_EQ(Snapshot(hinted.f), Snapshot(clicked.f));
        ASSERT_FALSE(hinted.svc.messages.empty());
        EXPECT_EQ(hinted.svc.messages[0].text, "Hint: row " + std::to_string(RowOf(cell)) + ", column " +
                                                   std::to_string(ColumnOf(cell)) + " changes from " + c + " to " +
                                                   Board(clicked.f)[cell - 1]);
        // Cell 16's line leaves cell 49 as it was; the next hint re-derives it.
        if (cell == 16 && hinted.f.PuzzleDone == 0) hinted.f.Hint_Click();
        EXPECT_EQ(hinted.svc.count(text::YouGotIt), 1);
    }
}

// Corners 1, 1, 1, 1, whose nearest board is
//   1+1-1=1 / +.+.+.+ / 1+1+1=3 / -.+.+.- / 1+1+1=3 / =.=.=.= / 1+3-3=1.
// A wrong cell goes before an empty one, and cells 14 and 16 evaluate only
// their own line, as a click on them does.
TEST_F(Hint, ChangesAWrongCellFirstAndNamesIt) {
    const struct {
        const char *board, *said, *after;  // `after` the first hint
        int hints;                         // to the win
    } cases[] = {
        {"1+1-1=1+.+.+.+1+9+1=?-.+.+.-1+1+1=3=.=.=.=1.?-3=?", "Hint: row 3, column 3 changes from 9 to 1",
         "1+1-1=1+.+.+.+1+1+1=3-.+.+.-1+1+1=3=.=.=.=1.3-3=?", 2},
        // The result column alone decides cell 49: the puzzle is won with cell 12 still empty.
        {"1+1-1=1+.+...*1+1+1=3-.+.+.-1+1+1=3=.=.=.=1+3-?=?", "Hint: row 2, column 7 changes from * to +",
         "1+1-1=1+.+...+1+1+1=3-.+.+.-1+1+1=3=.=.=.=1+3-?=1", 1},
        {"1+1-1=1+.+.+.+1-1-1=?-.+.+.-1+1+1=3=.=.=.=1+3-3=?", "Hint: row 3, column 2 changes from - to +",
         "1+1-1=1+.+.+.+1+1-1=1-.+.+.-1+1+1=3=.=.=.=1+3-3=?", 2},
        // Nothing to change, but the check has not seen it yet.
        {"1+1-1=1+.+.+.+1+1+1=?-.+.+.-1+1+1=3=.=.=.=1+3-3=?", "You got it !",
         "1+1-1=1+.+.+.+1+1+1=3-.+.+.-1+1+1=3=.=.=.=1+3-3=1", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.board);
        Game g;
        for (int p : {1, 4, 13, 16}) g.f.SolNum[p] = " 1";
        SetBoard(g.f, c.board);
        g.f.Hint_Click();
        ASSERT_FALSE(g.svc.messages.empty());
        EXPECT_EQ(g.svc.messages[0].text, c.said);
        EXPECT_EQ(Board(g.f), c.after);
        for (int n = 1; n < c.hints; ++n) g.f.Hint_Click();
        EXPECT_EQ(g.svc.messages.back().text, text::YouGotIt);
        EXPECT_EQ(g.f.PuzzleDone, 1);
    }
}

TEST_F(Hint, NoHintWithoutAnOpenPuzzle) {
    const auto refused = [&](const char* when) {
        SCOPED_TRACE(when);
        const std::string before = Snapshot(f);
        const std::size_t said = svc.messages.size();
        EXPECT_FALSE(f.HintAvailable());
        f.HintedCell = 7;
        f.Hint_Click();
        EXPECT_EQ(f.HintedCell, 0);
        EXPECT_EQ(Snapshot(f), before);
        EXPECT_EQ(svc.messages.size(), said);
    };
    EXPECT_TRUE(f.HintAvailable());
    f.ShowSolx_Click();
    refused("solution shown");
    f.SolveMx_Click();
    refused("set-up mode");
    f.SolveMx_Click();
    f.NewPuz_Click();
    svc.onPendingEvents = [&] { refused("mid-run"); };
    rnd->setScript(NeverFits);
    f.NewPuz_Click();  // gives up: no puzzle to aim at
    svc.onPendingEvents = nullptr;
    rnd->setScript({});
    refused("after giving up");
    std::int16_t cancel = 1;
    f.NewPuz_Click();
    f.Form_Unload(cancel);
    refused("program ended");
}

}  // namespace
}  // namespace quorvex::testing
