// Judging the board: only the four corners count, whatever produced them.
#include "board/NumberText.h"
#include "game/Form1.h"
#include "game/Texts.h"

namespace quorvex {

bool Form1::CornerIsRight(int k, const std::array<std::string, 5>& captions) const {
    return NumericValue(captions[k]) == NumericValue(SolNum[CornerValuePositions[k - 1]]);
}

void Form1::CheckSolution() {
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
        services_.showMessage(text::YouGotIt, MsgButtons::Ok);
    }
}

}  // namespace quorvex
