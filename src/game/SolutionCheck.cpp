// Judging the board: the four corners count, whatever produced them, and the
// final corner only when both lines that end in it give it.
#include "board/NumberText.h"
#include "game/Form1.h"
#include "game/Texts.h"

namespace quorvex {

bool Form1::CornerIsRight(int k, const std::array<std::string, 5>& captions) const {
    const double target = NumericValue(SolNum[CornerValuePositions[k - 1]]);
    if (NumericValue(captions[k]) != target) return false;
    // Cell 49 shows only the line evaluated last (and a click on 14, 16, 44 or
    // 46 leaves it as that line left it), so what it shows proves nothing
    // about the other line: both must give the final number.
    return k != 4 || (NumericValue(EvalLineText(RowLine(43))) == target &&
                      NumericValue(EvalLineText(ColumnLine(7))) == target);
}

std::string Form1::FinalCellNote() const {
    const std::string row = EvalLineText(RowLine(43)), column = EvalLineText(ColumnLine(7));
    if (row == column) return "";
    const auto gives = [](const std::string& v) { return v == "?" ? std::string(text::NoLineValue) : v; };
    return text::ResultRowGives + gives(row) + text::ResultColumnGives + gives(column) + ".";
}

void Form1::CheckSolution() {
    if (InChallenge()) {
        ChallengeCheck();
        return;
    }
    std::array<std::string, 5> captions;
    for (int k = 1; k <= 4; ++k) captions[k] = GridDisp[CornerCells[k]].Caption;
    PuzzleDone = FlagOff;
    ShowTargets(true);
    ColourCorners(ClrBlack);

    bool allRight = true;
    for (int k = 1; k <= 4; ++k) {
        if (!CornerIsRight(k, captions)) {
            NPict[k].Visible = false;
            allRight = false;
            continue;
        }
        GridDisp[TargetCellOfCorner(k)].Visible = false;
        GridDisp[CornerCells[k]].BackColor = ClrGreen;
        NPict[k].Visible = true;
    }
    if (allRight) {
        RightMess.Visible = false;
        PuzzleDone = FlagOn;
        Ask(text::YouGotIt, MsgButtons::Ok);
    }
}

}  // namespace quorvex
