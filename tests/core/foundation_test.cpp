// The window as start-up leaves it, number texts, equation arithmetic, and
// which lines a change re-derives.
#include <cstdio>

#include "CoreHelpers.h"

namespace quorvex::testing {
namespace {

using Foundation = GameTest;

TEST_F(Foundation, StartupLeavesOnlyFreeCellsClickableAndThePuzzleInTheCorners) {
    EXPECT_EQ(State(f), GivenCorners(f, "g") + " RightMess NewPuz menus first empty 0 0 -1 -1 -1 -1");
    EXPECT_TRUE(SolutionHolds(f) && f.PuzzleNo == 1 && f.GenOk == 1 && !f.Solveit.Visible && !f.Solveit.Enabled);
    EXPECT_EQ(svc.titles, std::vector<std::string>{"Puzzle Number  1"});
    Game later(false);
    later.svc.clock += 0.25, later.f.Form_Load();
    EXPECT_NE(StoredBoard(later.f), StoredBoard(f));  // every digit follows the time of day
    // 'E' enabled with the designed face; else 'g' green with white digits, 'k' black, '.' designed.
    const auto face = [](const Cell& c) {
        if (c.BackColor == Green && c.ForeColor == White) return 'g';
        return c.BackColor == Black ? 'k' : '.';
    };
    EXPECT_EQ(CellMap(f, [&](const Cell& c) { return c.Enabled ? (face(c) == '.' ? 'E' : '!') : face(c); }),
              "gEEEE.gEkEkEkEEEEEE..EkEkEkEEEEEE...k.k.k.gE.E..g");
    for (int j = 0; j < 4; ++j) {
        const Cell& target = f.GridDisp[50 + j];
        EXPECT_TRUE(target.Caption == Givens(f).substr(j, 1) && face(target) == 'g' && !target.Enabled) << j;
    }
    // A tag names the lines through its cell by first cell and column, "00" for none:
    // both for a number cell ('n'), one for an operator cell ('r' its row, 'c' its column).
    const std::string kinds = "nrnrn..c.c.c.cnrnrn..c.c.c.cnrnrn..........r.r...";
    for (int i = 1; i <= 49; ++i) {
        char want[8] = "", k = kinds[i - 1];
        const int row = k == 'c' ? 0 : i - (i - 1) % 14, column = k == 'r' ? 0 : (i - 1) % 7 + 1;
        if (k != '.') std::snprintf(want, sizeof want, "%s%02d%02d", k == 'n' ? "" : "X", row, column);
        EXPECT_EQ(f.GridDisp[i].Tag, want) << i;
    }
    // Cells that take no clicks, and indices off the board, change nothing.
    const std::string before = Snapshot(f);
    for (int i : {-1, 0, 54, 1, 7, 21, 6, 9, 49, 50, 53}) f.ClickCell(i, 1);
    EXPECT_EQ(Snapshot(f), before);
}

TEST(Arithmetic, CaptionsReadBackAsTheirLeadingNumberRoundedHalfEven) {
    EXPECT_EQ(NumberText(7) + NumberText(-7), " 7-7");
    struct Case { const char* text; double value; int operand; };
    for (const Case& c : {Case{"", 0, 0}, {"?", 0, 0}, {"=", 0, 0}, {" 7", 7, 7}, {"7x", 7, 7}, {"-3", -3, -3},
                          {"2.5", 2.5, 2}, {"3.5", 3.5, 4}, {"-2.5", -2.5, -2}, {"-32768", -32768, -32768}}) {
        EXPECT_EQ(NumericValue(c.text), c.value) << c.text;
        EXPECT_EQ(OperandValue(c.text), c.operand) << c.text;
    }
    for (const char* big : {"32768", "32767.5", "-32769"}) EXPECT_THROW(OperandValue(big), Overflow16) << big;
}

TEST(Arithmetic, EvalEquationMultipliesFirstOtherwiseLeftToRightIn16Bits) {
    struct Case { int a, b, c; const char* ops; int value; };
    for (const Case& c : {Case{7, 3, 2, "++", 12}, {7, 3, 2, "+-", 8}, {7, 3, 2, "--", 2}, {7, 3, 2, "-+", 6},
                          {7, 3, 2, "+*", 13}, {7, 3, 2, "*+", 23}, {7, 3, 2, "-*", 1}, {7, 3, 2, "*-", 19},
                          {7, 3, 2, "**", 42}, {3, 5, 1, "-+", -1}, {0, 3, 4, "++", -1}, {2, 3, 0, "**", -1},
                          {2, 3, 4, " +", -1}, {2, 3, 4, "+?", -1}}) {
        const std::string ops = c.ops, op1 = ops[0] == ' ' ? "" : ops.substr(0, 1);
        EXPECT_EQ(EvalEquation(c.a, c.b, c.c, op1, ops.substr(1)), c.value) << c.a << c.ops << c.b << c.c;
    }
    // Every intermediate is held to 16 bits, not only the final value.
    EXPECT_THROW(EvalEquation(300, 300, 1, "*", "*"), Overflow16);
    EXPECT_THROW(EvalEquation(32767, 1, 1, "+", "-"), Overflow16);
    EXPECT_THROW(EvalEquation(1, 32767, 2, "-", "*"), Overflow16);
    EXPECT_EQ(EvalEquation(32766, 1, 1, "+", "-"), 32766);
}

// Row results 1, 4, 5; column results 8, 1, 5; result row 3, result column 2.
constexpr const char* Mixed = "8-2-5=1+.+.+.-3+7-6=4-.-.-.+3+8-6=5=.=.=.=8*1-5=.";
// Row 15 as 3*7-6 (no value); then also the result row as 8*1+5.
constexpr const char* NoRow2 = "8-2-5=1+.+.+.-3*7-6=?-.-.-.+3+8-6=5=.=.=.=8*1-5=.";
constexpr const char* NoRow2Plus = "8-2-5=1+.+.+.-3*7-6=?-.-.-.+3+8-6=5=.=.=.=8*1+5=.";

TEST_F(Foundation, EvalLinesRewritesOnlyTheNamedLinesAndCell49KeepsTheLastWrite) {
    SetBoard(f, Mixed);
    for (int r : {7, 21, 35, 43, 45, 47}) f.GridDisp[r].Caption = "";
    std::string want = Board(f);
    for (const char* code : {"", "0000", "1503"}) f.EvalLines(code);
    want[21 - 1] = '4', want[45 - 1] = '1';
    EXPECT_EQ(Board(f), want);

    // EvalCorner49 writes the result row's value; the result column's line writes its own.
    SetBoard(f, Mixed);
    std::string seen;
    for (const char* code : {"", "0007", "4300"}) {
        *code ? f.EvalLines(code) : f.EvalCorner49();
        seen += f.GridDisp[49].Caption;
    }
    f.GridDisp[21].Caption = "?";  // decides before either line is evaluated
    f.EvalCorner49();
    EXPECT_EQ(seen + f.GridDisp[49].Caption, "323?");

    // A click re-derives its lines and then cell 49, except on 14, 16, 44 and 46 (shown: cells 21 and 49).
    struct Case { const char* board; int cell; const char* want; };
    for (const Case& c : {Case{Mixed, 14, "49"},     // result column 1*4+5
                          Case{Mixed, 28, "43"},     // re-derived: the result row wins
                          Case{Mixed, 16, "?3"},     // row 15 loses its value, 49 is not re-derived
                          Case{Mixed, 18, "??"},
                          Case{NoRow2, 44, "?4"},    // 8+1-5 from the result row alone
                          Case{NoRow2Plus, 46, "?3"},
                          Case{Mixed, 17, "5?"}}) {  // column 3 gives 2, so 8*2-5
        Game h;
        SetBoard(h.f, c.board);
        h.f.ClickCell(c.cell, 1);
        EXPECT_EQ(h.f.GridDisp[21].Caption + h.f.GridDisp[49].Caption, c.want) << c.board << ' ' << c.cell;
    }
}

}  // namespace
}  // namespace quorvex::testing
