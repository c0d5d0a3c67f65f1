// Number texts, equation arithmetic and line evaluation.
#include "CoreHelpers.h"

namespace quorvex {
namespace {
using testing::Board;
using testing::Game;
using testing::SetBoard;

TEST(NumberText, CaptionsReadBackAsTheirLeadingNumber) {
    EXPECT_EQ(NumberText(7) + NumberText(-7), " 7-7");
    struct Case { const char* text; double value; int operand; };
    for (const Case& c : {Case{"", 0, 0}, {"?", 0, 0}, {"=", 0, 0}, {" 7", 7, 7}, {"7x", 7, 7}, {"-3", -3, -3},
                          {"2.5", 2.5, 2}, {"3.5", 3.5, 4}, {"-2.5", -2.5, -2}, {"-32768", -32768, -32768}}) {
        EXPECT_EQ(NumericValue(c.text), c.value) << c.text;
        EXPECT_EQ(OperandValue(c.text), c.operand) << c.text;
    }
    for (const char* big : {"32768", "32767.5", "-32769"}) EXPECT_THROW(OperandValue(big), Overflow16) << big;
}

TEST(EvalEquation, MultiplicationFirstOtherwiseLeftToRightIn16Bits) {
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

TEST(EvalLines, RewritesOnlyTheNamedLinesAndCell49FollowsTheLastWriter) {
    Game g;
    SetBoard(g.f, Mixed);
    for (int r : {7, 21, 35, 43, 45, 47}) g.f.GridDisp[r].Caption = "";
    std::string want = Board(g.f);
    for (const char* none : {"", "0000"}) g.f.EvalLines(none);
    g.f.EvalLines("1503");
    want[21 - 1] = '4';
    want[45 - 1] = '1';
    EXPECT_EQ(Board(g.f), want);

    SetBoard(g.f, Mixed);
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
}

TEST(GameRandom, ReseedingWithTheSameSeedStillMovesOnAndStaysUniform) {
    GameRandom r;
    int counts[10] = {};
    double last = -1;
    for (int n = 0; n < 90000; ++n) {
        r.reseed(43200.0);
        const double u = r.next();
        ASSERT_TRUE(u >= 0 && u < 1 && u != last) << u;
        ++counts[static_cast<int>(u * 10)];
        last = u;
    }
    for (int c : counts) EXPECT_NEAR(c, 9000, 600);
}

}  // namespace
}  // namespace quorvex
