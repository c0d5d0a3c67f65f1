// Line searches, the corner match, and whole generator runs.
#include <random>

#include "CoreHelpers.h"

namespace quorvex {
namespace {
using testing::Board;
using testing::Game;
using testing::SolutionHolds;

TEST(LineSearch, FirstFittingPairWinsAndOnlyCornerLinesHaveTargets) {
    struct Case { bool row; int i, a, b, c, cv7, cv43, cv49; const char* result; const char* ops; };
    for (const Case& c : {Case{true, 5, 2, 3, 4, -1, -1, -1, " 9", "++"}, {true, 9, 1, 2, 3, 5, 5, 5, " 6", "++"},
                          {true, 5, 9, 9, 9, -1, -1, -1, " 9", "+-"},
                          {true, 9, 9, 3, 2, -1, -1, -1, " 4", "--"}, {true, 9, 9, 9, 1, -1, -1, -1, " 1", "-+"},
                          {true, 9, 5, 9, 1, -1, -1, -1, "?", "??"}, {true, 1, 1, 2, 3, 5, 7, 7, " 5", "*+"},
                          {true, 1, 1, 2, 3, 0, -1, -1, " 6", "++"}, {true, 1, 1, 2, 3, 8, -1, -1, "?", "??"},
                          {true, 13, 1, 2, 3, 8, 8, 5, " 5", "*+"}, {false, 1, 1, 2, 3, 7, 5, 7, " 5", "*+"},
                          {false, 2, 1, 2, 3, 5, 5, 5, " 6", "++"}, {false, 4, 1, 2, 3, 5, 5, 5, " 6", "++"}}) {
        SCOPED_TRACE(::testing::Message() << (c.row ? "row " : "column ") << c.i << ": " << c.a << c.b << c.c);
        Game g;
        Form1& f = g.f;
        const int step = c.row ? 1 : 4;
        for (int n : {0, 1, 2}) f.SolNum[c.i + n * step] = NumberText(n == 0 ? c.a : n == 1 ? c.b : c.c);
        f.CornerVal7 = static_cast<std::int16_t>(c.cv7);
        f.CornerVal43 = static_cast<std::int16_t>(c.cv43);
        f.CornerVal49 = static_cast<std::int16_t>(c.cv49);
        const auto ops = f.SolOp;
        if (c.row) f.SearchRowPair(c.i);
        else f.SearchColumnPair(c.i);
        EXPECT_EQ(f.LineResult, c.result);
        EXPECT_EQ(f.LeftOp + f.RightOp, c.ops);
        EXPECT_EQ(f.SolOp, ops);  // searches only report
        EXPECT_TRUE(c.a != 1 || std::vector<int>(f.PairResult.begin() + 1, f.PairResult.end()) ==
                                    std::vector<int>({6, 0, -4, 2, 7, 5, -5, -1, 6}));
    }
}

TEST(MatchCornerPair, LowestResultRowPairThenLowestColumnPair) {
    struct Case { int cv49; const char* result; const char* ops; const char* final; };
    for (const Case& c : {Case{-1, "", "+-+-", " 1"}, {3, "", "-+++", " 3"}, {5, "?", "", ""}}) {
        SCOPED_TRACE(c.cv49);
        Game g;
        Form1& f = g.f;
        f.BottomPairResult = {0, 9, 1, -5, 3, 14, 10, -10, 2, 24};  // result row 2, 3, 4
        f.RightPairResult = {0, 3, 1, -1, 1, 2, 2, 0, 0, 1};        // result column 1, 1, 1
        f.CornerVal49 = static_cast<std::int16_t>(c.cv49);
        f.MatchCornerPair();
        EXPECT_EQ(f.LineResult, c.result);
        if (*c.result) continue;
        EXPECT_EQ(f.SolOp[7] + f.SolOp[8] + f.SolOp[15] + f.SolOp[16], c.ops);
        EXPECT_EQ(f.LeftOp + f.RightOp, f.SolOp[15] + f.SolOp[16]);
        EXPECT_EQ(f.SolNum[16], c.final);
    }
}

TEST(Generator, FreePuzzlesAreCompleteConsistentBoardsUnderEitherClock) {
    for (bool realClock : {false, true}) {
        SCOPED_TRACE(realClock ? "real clock" : "frozen clock");
        Game g;
        g.svc.realClock = realClock;
        for (int n = 2; n <= 2500; ++n) {
            g.f.ClickCell(3, 1);
            g.f.NewPuz_Click();
            ASSERT_TRUE(g.f.GenOk == 1 && SolutionHolds(g.f)) << "puzzle " << n;
            ASSERT_EQ(Board(g.f), testing::EmptyBoard(testing::Givens(g.f)));
            for (int j = 0; j < 4; ++j) {
                ASSERT_EQ(g.f.GridDisp[50 + j].Caption, g.f.SolNum[CornerValuePositions[j]].substr(1));
                ASSERT_FALSE(g.f.GridDisp[50 + j].Visible || g.f.NPict[j + 1].Visible);
            }
            ASSERT_EQ(g.svc.lastTitle(), text::TitlePrefix + NumberText(n));
        }
        EXPECT_TRUE(g.svc.messages.empty());
    }
}

TEST(Generator, SetCornerNumbersHoldWheneverTheRunSucceeds) {
    Game g;
    Form1& f = g.f;
    std::mt19937 rng(2024);
    std::vector<std::array<int, 4>> sets(80);
    for (std::size_t n = 0; n < sets.size(); ++n) sets[n] = n % 2 ? std::array{7, 8, 7, 1} : std::array{8, 7, 1, 7};
    for (int n = 0; n < 400; ++n) {
        std::array<int, 4> s;
        for (int& v : s) v = rng() % 2 ? static_cast<int>(rng() % 9) + 1 : -static_cast<int>(rng() % 2);
        sets.push_back(s);
    }
    int succeeded = 0;
    for (const auto& s : sets) {
        SCOPED_TRACE(::testing::Message() << s[0] << ' ' << s[1] << ' ' << s[2] << ' ' << s[3]);
        f.CornerVal1 = static_cast<std::int16_t>(s[0]);
        f.CornerVal7 = static_cast<std::int16_t>(s[1]);
        f.CornerVal43 = static_cast<std::int16_t>(s[2]);
        f.CornerVal49 = static_cast<std::int16_t>(s[3]);
        const std::int16_t before = f.PuzzleNo;
        f.GeneratePuzzle();
        ASSERT_EQ(f.PuzzleNo, before + f.GenOk);
        if (f.GenOk == 0) continue;
        ++succeeded;
        ASSERT_TRUE(SolutionHolds(f));
        for (int j = 0; j < 4; ++j) {
            const std::string& given = f.SolNum[CornerValuePositions[j]];
            ASSERT_TRUE(s[j] <= 0 || OperandValue(given) == s[j]) << "corner " << j + 1;
            ASSERT_EQ(f.GridDisp[CornerCellList[j]].Caption, Trim(given));
        }
    }
    EXPECT_GT(succeeded, static_cast<int>(sets.size()) * 3 / 4);
    EXPECT_EQ(g.svc.count(text::CannotSolve), static_cast<int>(sets.size()) - succeeded);
}

TEST(Generator, GivingUpEmptiesTheBoardAndRestoresTheNumberButNotTheTitle) {
    Game g;
    Form1& f = g.f;
    for (int i : {2, 3, 4, 17, 28}) f.ClickCell(i, 1);
    std::string corners;
    for (int c : CornerCellList) corners += f.GridDisp[c].Caption;
    const auto sheet = f.SheetLines;
    const int runs = g.svc.pendingEventRuns;
    const long draws = g.rnd->draws;
    g.rnd->setScript(testing::NeverFits);
    f.GeneratePuzzle();
    EXPECT_EQ(g.rnd->draws - draws, 500 * 9);
    // Events run once per attempt and once more before the 501st is refused.
    EXPECT_EQ(g.svc.pendingEventRuns - runs, 501);
    EXPECT_EQ(f.GenOk, 0);
    EXPECT_EQ(f.PuzzleNo, 1);
    EXPECT_EQ(g.svc.lastTitle(), std::string(text::TitlePrefix) + " 2");
    ASSERT_EQ(g.svc.messages.size(), 1u);
    EXPECT_EQ(g.svc.messages[0].text, text::CannotSolve);
    EXPECT_EQ(g.svc.messages[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(Board(f), testing::EmptyBoard(corners));
    EXPECT_EQ(f.SheetLines, sheet);

    // Numbers restart at 1 after 32767, and a run that gives up there keeps 32767.
    EXPECT_EQ(Form1::NextPuzzleNo(32767), 1);
    f.PuzzleNo = 32767;
    f.NewPuz_Click();
    EXPECT_EQ(f.PuzzleNo, 32767);
    g.rnd->setScript({});
    f.NewPuz_Click();
    EXPECT_EQ(f.PuzzleNo, 1);
    EXPECT_EQ(g.svc.lastTitle(), std::string(text::TitlePrefix) + " 1");
}

}  // namespace
}  // namespace quorvex
