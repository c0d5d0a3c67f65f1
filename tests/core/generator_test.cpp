// Line searches, the corner match, and a generator run that gives up.
#include <tuple>

#include "CoreHelpers.h"

namespace quorvex::testing {
namespace {

using Generator = GameTest;

TEST_F(Generator, SearchesTakeTheFirstFittingPairAndOnlyCornerLinesHaveTargets) {
    // A row ('r') or column line from SolNum i, its three numbers, corner numbers 7, 43, 49.
    struct Case { char kind; int i; const char* abc; int cv7, cv43, cv49; const char* want; };
    for (const Case& c : {Case{'r', 5, "234", 0, 0, 0, " 9++"}, {'r', 5, "999", 0, 0, 0, " 9+-"},
                          {'r', 9, "591", 0, 0, 0, "???"}, {'r', 1, "123", 5, 7, 7, " 5*+"},
                          {'r', 9, "123", 5, 5, 5, " 6++"}, {'r', 1, "123", 8, -1, -1, "???"},
                          {'r', 13, "123", 8, 8, 5, " 5*+"}, {'c', 1, "123", 7, 5, 7, " 5*+"},
                          {'c', 2, "123", 5, 5, 5, " 6++"}}) {
        for (int n = 0; n < 3; ++n) f.SolNum[c.i + n * (c.kind == 'r' ? 1 : 4)] = NumberText(c.abc[n] - '0');
        f.CornerVal7 = c.cv7, f.CornerVal43 = c.cv43, f.CornerVal49 = c.cv49;
        c.kind == 'r' ? f.SearchRowPair(c.i) : f.SearchColumnPair(c.i);
        EXPECT_EQ(f.LineResult + f.LeftOp + f.RightOp, c.want) << c.kind << c.i << ' ' << c.abc;
    }
    // The corner match over result row 2, 3, 4 and result column 1, 1, 1.
    for (auto [cv49, want] : {std::pair{-1, "+-+- 1"}, {3, "-+++ 3"}, {5, "?"}}) {
        f.BottomPairResult = {0, 9, 1, -5, 3, 14, 10, -10, 2, 24};
        f.RightPairResult = {0, 3, 1, -1, 1, 2, 2, 0, 0, 1};
        f.CornerVal49 = static_cast<std::int16_t>(cv49);
        f.MatchCornerPair();
        const std::string found = f.SolOp[7] + f.SolOp[8] + f.SolOp[15] + f.SolOp[16] + f.SolNum[16];
        EXPECT_EQ(f.LineResult == "?" ? "?" : found, want) << cv49;
    }
}

TEST_F(Generator, GivingUpEmptiesTheBoardAndKeepsNumberSheetAndSolutionButNotTheTitle) {
    for (int i : {2, 3, 4, 17, 28}) f.ClickCell(i, 1);
    const std::string b = Board(f);
    const auto sheet = f.SheetLines;
    const auto record = std::tuple(f.SolNum, f.SolOp, f.RightPairResult, f.BottomPairResult);
    int attempts = 0;
    svc.onPendingEvents = [&] { ++attempts; };
    // Rows 1 2 1, 1 1 1, 1 1 1 and all columns fit, the result row can make 2
    // and the result column cannot: every attempt fills the whole record.
    rnd->setScript({1, 2, 1, 1, 1, 1, 1, 1, 1});
    f.CornerVal49 = 2;
    f.GeneratePuzzle();
    // Events run once per attempt and once more before the 501st is refused.
    EXPECT_EQ(attempts, 501);
    EXPECT_TRUE(f.GenOk == 0 && f.PuzzleNo == 1 && f.SheetLines == sheet);
    EXPECT_TRUE(std::tuple(f.SolNum, f.SolOp, f.RightPairResult, f.BottomPairResult) == record);
    EXPECT_EQ(svc.titles.back(), "Puzzle Number  2");
    EXPECT_TRUE(svc.messages.size() == 1 && svc.messages[0].text == "Cannot Solve This Time !" &&
                svc.messages[0].buttons == MsgButtons::Ok);
    EXPECT_EQ(Board(f), EmptyBoard(std::string{b[0], b[6], b[42], b[48]}));
}

}  // namespace
}  // namespace quorvex::testing
