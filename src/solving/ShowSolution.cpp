// Revealing the stored solution.
#include "board/NumberText.h"
#include "game/Form1.h"

namespace quorvex {

void Form1::ShowSolution() {
    ColourCorners(ClrGreen);
    ShowTargets(false);
    // The stored values are written as they are; no line is evaluated.
    for (int p = 1; p <= ValuePositions; ++p) GridDisp[ValuePositionCell(p)].Caption = Trim(SolNum[p]);
    int n = 1;
    for (int r = 1; r <= 7; r += 2)
        for (int c = 2; c <= 4; c += 2) GridDisp[(r - 1) * 7 + c].Caption = Trim(SolOp[n++]);
    n = 9;
    for (int c = 8; c <= 14; c += 2, n += 2) {
        GridDisp[c].Caption = Trim(SolOp[n]);
        GridDisp[c + 14].Caption = Trim(SolOp[n + 1]);
    }
}

void Form1::ShowSolx_Click() {
    if (Busy()) return;
    // Shown, not solved: if this step ends the puzzle it counts as revealed.
    puzzle_.Revealed = true;
    PlayerStep([this] {
        SetupMode = FlagOff;
        RightMess.Visible = false;
        ShowSolution();
        if (InChallenge()) ColourChallengeLines(true);
        PuzzleDone = FlagOn;
        for (int j = 1; j <= 4; ++j) NPict[j].Visible = true;
    });
}

}  // namespace quorvex
