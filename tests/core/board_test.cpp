// Number texts, equation arithmetic, board addressing and line evaluation.
#include "CoreHelpers.h"
#include "board/Layout.h"

#include <cstdio>

namespace quorvex {
namespace {
using testing::Board;
using testing::Game;
using testing::SetBoard;

TEST(NumberText, CaptionsReadBackAsTheirLeadingNumber) {
    EXPECT_EQ(NumberText(7), " 7");
    EXPECT_EQ(NumberText(-7), "-7");
    EXPECT_EQ(NumberText(1000), " 1000");
    struct Case { const char* text; double value; int operand; };
    for (const Case& c : {Case{"", 0, 0}, {"?", 0, 0}, {"=", 0, 0}, {" 7", 7, 7}, {"7x", 7, 7},
                          {"-3", -3, -3}, {"2.5", 2.5, 2}, {"3.5", 3.5, 4}, {"  12ab", 12, 12},
                          {"-2.5", -2.5, -2}, {"32767", 32767, 32767}, {"-32768", -32768, -32768}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(NumericValue(c.text), c.value);
        EXPECT_EQ(OperandValue(c.text), c.operand);
    }
    for (const char* big : {"32768", "40000", "32767.5", "-32769"}) EXPECT_THROW(OperandValue(big), Overflow16) << big;
    EXPECT_EQ(ResultText(9), "9");
    for (int v : {-1, 0, 10, 729}) EXPECT_EQ(ResultText(v), "?") << v;
}

TEST(EvalEquation, MultiplicationFirstOtherwiseLeftToRight) {
    struct Case { int a, b, c; const char* op1; const char* op2; int value; };
    for (const Case& c : {Case{7, 3, 2, "+", "+", 12}, {7, 3, 2, "+", "-", 8}, {7, 3, 2, "-", "-", 2},
                          {7, 3, 2, "-", "+", 6}, {7, 3, 2, "+", "*", 13}, {7, 3, 2, "*", "+", 23},
                          {7, 3, 2, "-", "*", 1}, {7, 3, 2, "*", "-", 19}, {7, 3, 2, "*", "*", 42},
                          {2, 3, 4, "+", "*", 14}, {3, 5, 1, "-", "+", -1}, {5, 2, 3, "-", "-", 0},
                          {0, 3, 4, "+", "+", -1}, {2, 3, 0, "*", "*", -1}, {2, 3, 4, "", "+", -1},
                          {2, 3, 4, "+", "?", -1}, {2, 3, 4, "x", "+", -1}, {2, 3, 4, "++", "+", -1}}) {
        SCOPED_TRACE(::testing::Message() << c.a << c.op1 << c.b << c.op2 << c.c);
        EXPECT_EQ(EvalEquation(c.a, c.b, c.c, c.op1, c.op2), c.value);
    }
    // Every intermediate is held to 16 bits, not only the final value.
    EXPECT_THROW(EvalEquation(300, 300, 1, "*", "*"), Overflow16);
    EXPECT_THROW(EvalEquation(32767, 1, 1, "+", "-"), Overflow16);
    EXPECT_THROW(EvalEquation(1, 32767, 2, "-", "*"), Overflow16);
    EXPECT_THROW(EvalEquation(-32768, 1, 1, "-", "+"), Overflow16);
    EXPECT_EQ(EvalEquation(32766, 1, 1, "+", "-"), 32766);
}

TEST(Layout, RolesPositionsAndTagsAgree) {
    // N number, r/c row/column operator, = equals, R/C row/column result, F final, B blank.
    const std::string roles = "NrNrN=RcBcBcBcNrNrN=RcBcBcBcNrNrN=R=B=B=B=CrCrC=F";
    const std::string key = "NrcR=CFB";
    const CellRole role[] = {CellRole::Number, CellRole::RowOperator, CellRole::ColumnOperator,
                             CellRole::RowResult, CellRole::Equals, CellRole::ColumnResult,
                             CellRole::Final, CellRole::Blank};
    EXPECT_EQ(RoleOf(0), CellRole::Template);
    for (int i = 50; i <= 53; ++i) EXPECT_EQ(RoleOf(i), CellRole::Target);
    for (int i = 1; i <= 49; ++i) {
        SCOPED_TRACE(i);
        char r = roles[i - 1];
        EXPECT_EQ(RoleOf(i), role[key.find(r)]);
        EXPECT_EQ(IsOperatorCell(i), r == 'r' || r == 'c');
        EXPECT_EQ(IsValueCell(i), std::string("NRCF").find(r) != std::string::npos);
        EXPECT_EQ(IsValueCell(i) ? ValuePositionCell(ValuePositionOf(i)) : ValuePositionOf(i), IsValueCell(i) ? i : 0);
        // A number cell names both its lines, an operator its one line.
        auto code = [](int rr, int cc) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "%02d%02d", rr, cc);
            return std::string(buf);
        };
        int col = (i - 1) % 7 + 1;
        std::string want = r == 'N' ? code(14 * ((i - 1) / 14) + 1, col)
                         : r == 'r' ? "X" + code(i - (i - 1) % 7, 0)
                         : r == 'c' ? "X" + code(0, col) : "";
        EXPECT_EQ(TagOf(i), want);
    }
    EXPECT_EQ(ValuePositionOf(43), 13);
    EXPECT_EQ(ValuePositionOf(49), 16);
}

// Row results 1, 4, 5; column results 8, 1, 5; the result row gives 3 and the
// result column 2.
constexpr const char* Mixed = "8-2-5=1+.+.+.-3+7-6=4-.-.-.+3+8-6=5=.=.=.=8*1-5=.";

TEST(EvalLines, RewritesOnlyTheNamedLinesAndCell49FollowsTheLastWriter) {
    Game g;
    SetBoard(g.f, Mixed);
    for (int r : {7, 21, 35, 43, 45, 47}) g.f.GridDisp[r].Caption = "";
    std::string before = Board(g.f), want = before;
    want[21 - 1] = '4';
    want[45 - 1] = '1';
    g.f.EvalLines("1503");
    EXPECT_EQ(Board(g.f), want);
    SetBoard(g.f, Mixed);
    before = Board(g.f);
    for (const char* none : {"", "0000"}) {
        g.f.EvalLines(none);
        EXPECT_EQ(Board(g.f), before) << none;
    }
    g.f.EvalCorner49();
    EXPECT_EQ(g.f.GridDisp[49].Caption, "3");
    g.f.EvalLines("0007");
    EXPECT_EQ(g.f.GridDisp[49].Caption, "2");
    g.f.EvalLines("4300");
    EXPECT_EQ(g.f.GridDisp[49].Caption, "3");
    // A "?" among the six operands decides before either line is evaluated.
    g.f.GridDisp[21].Caption = "?";
    g.f.EvalCorner49();
    EXPECT_EQ(g.f.GridDisp[49].Caption, "?");
    g.f.GridDisp[16].Caption = "";  // row 15 loses an operator
    g.f.EvalLines("1500");
    EXPECT_EQ(g.f.GridDisp[21].Caption, "?");
}

TEST(GameRandom, ReseedingWithTheSameSeedStillMovesOn) {
    GameRandom r;
    r.reseed(43200.0);
    double a = r.next();
    r.reseed(43200.0);
    EXPECT_NE(r.next(), a);
    int counts[10] = {};
    for (int n = 0; n < 90000; ++n) {
        r.reseed(43200.0);
        double u = r.next();
        ASSERT_TRUE(u >= 0 && u < 1) << u;
        ++counts[static_cast<int>(u * 10)];
    }
    for (int c : counts) EXPECT_NEAR(c, 9000, 600);
}

}  // namespace
}  // namespace quorvex
