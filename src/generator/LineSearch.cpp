// The generator's line searches: which operator pair a line of drawn numbers
// gets, and how the result row and the result column meet in cell 49.
#include "board/Arithmetic.h"
#include "board/NumberText.h"
#include "game/Form1.h"

namespace quorvex {

namespace {
bool InRange(std::int16_t v) { return v >= 1 && v <= 9; }
}  // namespace

// The line is SolNum i, i + step, i + 2 step; a target of 0 or below is none.
void Form1::LineSearch(int i, int step, std::int16_t target) {
    const std::int16_t a = OperandValue(SolNum.at(i));
    const std::int16_t b = OperandValue(SolNum.at(i + step));
    const std::int16_t c = OperandValue(SolNum.at(i + 2 * step));
    int chosen = 0;
    for (int k = 1; k <= PairCount; ++k) {
        const std::string& pair = OpPairs[k];
        PairResult[k] = EvalEquation(a, b, c, pair.substr(0, 1), pair.substr(1, 1));
        if (chosen == 0 && InRange(PairResult[k]) && (target <= 0 || PairResult[k] == target)) chosen = k;
    }
    LineResult = chosen ? NumberText(PairResult[chosen]) : "?";
    LeftOp = chosen ? OpPairs[chosen].substr(0, 1) : "?";
    RightOp = chosen ? OpPairs[chosen].substr(1, 1) : "?";
}

void Form1::SearchRowPair(int i) {
    LineSearch(i, 1, i == 1 ? CornerVal7 : i == 13 ? CornerVal49 : 0);
}

void Form1::SearchColumnPair(int i) { LineSearch(i, 4, i == 1 ? CornerVal43 : 0); }

void Form1::MatchCornerPair() {
    LineResult = "";
    for (int i = 1; i <= PairCount; ++i) {
        for (int j = 1; j <= PairCount; ++j) {
            const std::int16_t v = RightPairResult[j];
            if (!InRange(BottomPairResult[i]) || !InRange(v) || BottomPairResult[i] != v) continue;
            if (CornerVal49 > 0 && v != CornerVal49) continue;
            SolOp[7] = OpPairs[i].substr(0, 1);
            SolOp[8] = OpPairs[i].substr(1, 1);
            LeftOp = OpPairs[j].substr(0, 1);
            RightOp = OpPairs[j].substr(1, 1);
            SolOp[15] = LeftOp;
            SolOp[16] = RightOp;
            SolNum[16] = NumberText(v);
            return;
        }
    }
    LineResult = "?";
}

}  // namespace quorvex
