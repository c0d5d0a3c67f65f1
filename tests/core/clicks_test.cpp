// Cell clicks in play and the solution check they end in.
#include <random>

#include "CoreHelpers.h"

namespace quorvex {
namespace {
using namespace testing;

TEST(Clicks, StepsWrapAndOnlyEnabledVisibleCellsReact) {
    Game g;
    const std::string before = Snapshot(g.f);
    for (int i : {-1, 54, 1, 7, 21, 6, 9, 49, 50, 53}) g.f.ClickCell(i, 1);
    EXPECT_EQ(Snapshot(g.f), before);
    std::string seen;
    for (int button : {1, 2, 1}) {
        g.f.ClickCell(3, button);
        seen += g.f.GridDisp[3].Caption;
    }
    for (int button : {1, 2, 1, 2}) {
        g.f.ClickCell(2, button);
        seen += g.f.GridDisp[2].Caption;
    }
    EXPECT_EQ(seen, "191+-*+");
}

TEST(Clicks, FirstClickShowsTargetsAndJudgesTheCorners) {
    Game g;
    const Form1& f = g.f;
    g.f.ClickCell(17, 1);
    for (int r : {7, 21, 35, 43, 45, 47, 49}) EXPECT_EQ(f.GridDisp[r].Caption, "?") << r;
    // Corner 1 is the given number and always right; the others show "?".
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(f.GridDisp[CornerCellList[k - 1]].BackColor, k == 1 ? f.ClrGreen : f.ClrBlack) << k;
        EXPECT_EQ(f.GridDisp[TargetCellOfCorner(k)].Visible, k != 1) << k;
        EXPECT_EQ(f.NPict[k].Visible, k == 1) << k;
    }
}

// Row results 1, 4, 5; column results 8, 1, 5; result row 3, result column 2.
constexpr const char* Mixed = "8-2-5=1+.+.+.-3+7-6=4-.-.-.+3+8-6=5=.=.=.=8*1-5=.";
// Row 15 as 3*7-6 (no value), then also the result row as 8*1+5.
constexpr const char* NoRow2 = "8-2-5=1+.+.+.-3*7-6=?-.-.-.+3+8-6=5=.=.=.=8*1-5=.";
constexpr const char* NoRow2Plus = "8-2-5=1+.+.+.-3*7-6=?-.-.-.+3+8-6=5=.=.=.=8*1+5=.";

TEST(Clicks, Cells14_16_44_46LeaveCell49AsTheirOwnLineLeftIt) {
    struct Case { const char* board; int cell; const char* c21; const char* c49; };
    for (const Case& c : {Case{Mixed, 14, "4", "9"},    // result column 1*4+5
                          Case{Mixed, 28, "4", "3"},    // re-derived: the result row wins
                          Case{Mixed, 16, "?", "3"},    // row 15 loses its value, 49 is not re-derived
                          Case{Mixed, 18, "?", "?"},
                          Case{NoRow2, 44, "?", "4"},   // 8+1-5 from the result row alone
                          Case{NoRow2Plus, 46, "?", "3"},
                          Case{NoRow2, 28, "?", "?"},
                          Case{Mixed, 17, "5", "?"}}) {  // column 3 gives 2, so 8*2-5
        SCOPED_TRACE(::testing::Message() << c.board << " cell " << c.cell);
        Game g;
        SetBoard(g.f, c.board);
        g.f.ClickCell(c.cell, 1);
        EXPECT_EQ(g.f.GridDisp[21].Caption + g.f.GridDisp[49].Caption, std::string(c.c21) + c.c49);
    }
}

int LineValue(const std::string& b, int first, int step) {
    auto v = [&](int i) { return static_cast<std::int16_t>(b[i - 1] - '0'); };
    auto op = [&](int i) { return std::string(1, b[i - 1]); };
    return EvalEquation(v(first), v(first + 2 * step), v(first + 4 * step), op(first + step), op(first + 3 * step));
}

// A random complete board with the puzzle's four corners that is not the stored one.
std::string OtherArrangement(const Form1& f, std::mt19937& rng) {
    auto target = [&](int p) { return OperandValue(f.SolNum[p]); };
    const std::string stored = StoredBoard(f);
    std::string b = stored;
    auto fill = [&](std::initializer_list<int> numbers, std::initializer_list<int> ops) {
        for (int i : numbers) b[i - 1] = static_cast<char>('1' + rng() % 9);
        for (int i : ops) b[i - 1] = "+-*"[rng() % 3];
    };
    auto put = [&](int cell, int v) {
        b[cell - 1] = static_cast<char>('0' + v);
        return v >= 1 && v <= 9;
    };
    for (;;) {
        do fill({3, 5}, {2, 4}); while (LineValue(b, 1, 1) != target(4));
        do fill({15, 29}, {8, 22}); while (LineValue(b, 1, 7) != target(13));
        put(7, target(4));
        put(43, target(13));
        for (int n = 0; n < 100000; ++n) {
            fill({17, 19, 31, 33}, {16, 18, 30, 32, 10, 24, 12, 26, 44, 46, 14, 28});
            if (put(21, LineValue(b, 15, 1)) && put(35, LineValue(b, 29, 1)) && put(45, LineValue(b, 3, 7)) &&
                put(47, LineValue(b, 5, 7)) && LineValue(b, 43, 1) == target(16) &&
                LineValue(b, 7, 7) == target(16) && put(49, target(16)) && b != stored)
                return b;
        }
    }
}

TEST(Clicks, AnyBoardWithTheFourCornersWinsOnceAndEndsThePuzzle) {
    Game g;
    Form1& f = g.f;
    std::mt19937 rng(7);
    const std::string want = OtherArrangement(f, rng);
    for (int i : {2, 3, 4, 5}) ClickTo(f, i, want[i - 1]);
    ASSERT_EQ(f.GridDisp[7].BackColor, f.ClrGreen);
    // Corner 7 turns wrong and then right again.
    f.ClickCell(3, 1);
    EXPECT_EQ(f.GridDisp[7].BackColor, f.ClrBlack);
    EXPECT_TRUE(f.GridDisp[51].Visible && !f.NPict[2].Visible);
    f.ClickCell(3, 2);
    EXPECT_TRUE(f.GridDisp[7].BackColor == f.ClrGreen && !f.GridDisp[51].Visible && f.NPict[2].Visible);

    for (int i = 2; i <= 48; ++i)
        if (f.GridDisp[i].TakesInput()) ClickTo(f, i, want[i - 1]);
    EXPECT_EQ(g.svc.count(text::YouGotIt), 1);
    EXPECT_EQ(g.svc.messages.size(), 1u);
    EXPECT_EQ(f.PuzzleDone, 1);
    EXPECT_FALSE(f.RightMess.Visible);
    for (int k = 1; k <= 4; ++k) EXPECT_TRUE(f.NPict[k].Visible && !f.GridDisp[49 + k].Visible) << k;

    const std::string done = Snapshot(f);
    for (int i = 0; i < CellCount; ++i) f.ClickCell(i, 1), f.ClickCell(i, 2);
    EXPECT_EQ(Snapshot(f), done);
    EXPECT_EQ(g.svc.messages.size(), 1u);
    f.ShowSolx_Click();
    EXPECT_EQ(Board(f), StoredBoard(f));

    f.NewPuz_Click();
    EXPECT_TRUE(f.PuzzleDone == 0 && f.RightMess.Visible);
    f.ClickCell(3, 1);
    EXPECT_EQ(f.GridDisp[3].Caption, "1");
}

}  // namespace
}  // namespace quorvex
