// The window as start-up leaves it, number texts, equation arithmetic, and
// which lines a change re-derives.
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
    // The four targets after cell 49 show the givens.
    const auto face = [](const Cell& c) {
        const char k = c.BackColor == Green && c.ForeColor == White ? 'g' : c.BackColor == Black ? 'k' : '.';
        return c.Enabled ? (k == '.' ? 'E' : '!') : k;
    };
    EXPECT_EQ(CellMap(f, face, 53), "gEEEE.gEkEkEkEEEEEE..EkEkEkEEEEEE...k.k.k.gE.E..ggggg");
    EXPECT_EQ(Board(f, 53).substr(49), Givens(f));
    // Cells that take no clicks, indices off the board, and a key for the other
    // kind of cell (an operator on a number, a digit on an operator) change nothing.
    const std::string before = Snapshot(f);
    for (int i : {-1, 0, 54, 1, 7, 21, 6, 9, 49, 50, 53}) f.ClickCell(i, 1), f.TypeKey(i, '5');
    f.TypeKey(3, '+'), f.TypeKey(2, '5');
    EXPECT_EQ(Snapshot(f), before);
}

TEST(Arithmetic, NumbersReadBackRoundedHalfEvenAndEquationsMultiplyFirstIn16Bits) {
    EXPECT_EQ(NumberText(7) + NumberText(-7), " 7-7");
    EXPECT_EQ(ResultText(0) + ResultText(1) + ResultText(9) + ResultText(10), "?19?");  // a result shows 1..9 or "?"
    struct Text { const char* text; double value; int operand; };
    for (const Text& c : {Text{"", 0, 0}, {"?", 0, 0}, {"=", 0, 0}, {" 7", 7, 7}, {"7x", 7, 7}, {"-3", -3, -3},
                          {"2.5", 2.5, 2}, {"3.5", 3.5, 4}, {"-2.5", -2.5, -2}, {"-32768", -32768, -32768}}) {
        EXPECT_EQ(NumericValue(c.text), c.value) << c.text;
        EXPECT_EQ(OperandValue(c.text), c.operand) << c.text;
    }
    for (const char* big : {"32768", "32767.5", "-32769"}) EXPECT_THROW(OperandValue(big), Overflow16) << big;
    // Left to right after multiplication; -1 for no value; every intermediate
    // held to 16 bits, not only the final value (0 stands for a throw).
    struct Sum { int a, b, c; const char* ops; int value; };
    for (const Sum& c : {Sum{7, 3, 2, "++", 12}, {7, 3, 2, "+-", 8}, {7, 3, 2, "--", 2}, {7, 3, 2, "-+", 6},
                         {7, 3, 2, "+*", 13}, {7, 3, 2, "*+", 23}, {7, 3, 2, "-*", 1}, {7, 3, 2, "*-", 19},
                         {7, 3, 2, "**", 42}, {3, 5, 1, "-+", -1}, {0, 3, 4, "++", -1}, {2, 3, 0, "**", -1},
                         {2, 3, 4, " +", -1}, {2, 3, 4, "+?", -1}, {32766, 1, 1, "+-", 32766}, {300, 300, 1, "**", 0},
                         {32767, 1, 1, "+-", 0}, {1, 32767, 2, "-*", 0}}) {
        const std::string ops = c.ops, op1 = ops[0] == ' ' ? "" : ops.substr(0, 1);
        const auto eval = [&] { return EvalEquation(c.a, c.b, c.c, op1, ops.substr(1)); };
        if (c.value) EXPECT_EQ(eval(), c.value) << c.a << c.ops << c.b << c.c;
        else EXPECT_THROW(eval(), Overflow16) << c.a << c.ops << c.b << c.c;
    }
}

// Row results 1, 4, 5; column results 8, 1, 5; result row 3, result column 2.
constexpr const char* Mixed = "8-2-5=1+.+.+.-3+7-6=4-.-.-.+3+8-6=5=.=.=.=8*1-5=.";
// Row 15 as 3*7-6 (no value); then also the result row as 8*1+5.
constexpr const char* NoRow2 = "8-2-5=1+.+.+.-3*7-6=?-.-.-.+3+8-6=5=.=.=.=8*1-5=.";
constexpr const char* NoRow2Plus = "8-2-5=1+.+.+.-3*7-6=?-.-.-.+3+8-6=5=.=.=.=8*1+5=.";
// Every line 3+3+3=9, the result row 9+9-9; then the result column multiplying.
constexpr const char* Nines = "3+3+3=9+.+.+.+3+3+3=9+.+.+.+3+3+3=9=.=.=.=9+9-9=.";
constexpr const char* NinesTimes = "3+3+3=9+.+.+.+3+3+3=9+.+.+.*3+3+3=9=.=.=.=9+9-9=.";

TEST_F(Foundation, Cell49KeepsTheLastWriteAndAChangeReDerivesItsLines) {
    // EvalCorner49 writes the result row's value; the result column's line writes its own.
    SetBoard(f, Mixed);
    std::string seen;
    for (const char* code : {"", "0007", "4300"}) {
        *code ? f.EvalLines(code) : f.EvalCorner49();
        seen += f.GridDisp[49].Caption;
    }
    // Any result without a value decides before either line is evaluated.
    for (int cell : {7, 21, 35, 43, 45, 47}) {
        SetBoard(f, Mixed), f.GridDisp[cell].Caption = "?", f.EvalCorner49();
        seen += f.GridDisp[49].Caption;
    }
    EXPECT_EQ(seen, "323??????");

    // A click or key re-derives its lines and then cell 49, except on 14, 16, 44
    // and 46 (shown: cells 21 and 49). Key 0 is a left click.
    struct Case { const char* board; int cell; char key; const char* want; };
    for (const Case& c : {Case{Mixed, 14, 0, "49"},     // result column 1*4+5
                          Case{Mixed, 28, 0, "43"},     // re-derived: the result row wins
                          Case{Mixed, 16, 0, "?3"},     // row 15 loses its value, 49 is not re-derived
                          Case{Mixed, 18, 0, "??"},
                          Case{NoRow2, 44, 0, "?4"},    // 8+1-5 from the result row alone
                          Case{NoRow2Plus, 46, 0, "?3"},
                          Case{Mixed, 17, 0, "5?"},     // column 3 gives 2, so 8*2-5
                          Case{Nines, 28, 'x', "99"},   // the result column's 9+9*9 overwritten by the result row
                          Case{NinesTimes, 14, '-', "9?"}}) {  // the result column alone: 9-9*9
        Game h;
        SetBoard(h.f, c.board);
        c.key ? h.f.TypeKey(c.cell, c.key) : h.f.ClickCell(c.cell, 1);
        EXPECT_EQ(h.f.GridDisp[21].Caption + h.f.GridDisp[49].Caption, c.want) << c.board << ' ' << c.cell;
    }
}

}  // namespace
}  // namespace quorvex::testing
