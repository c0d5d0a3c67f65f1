// A random starting position for the player to work from.
#include "board/NumberText.h"
#include "game/Form1.h"

namespace quorvex {

void Form1::StartSolx_Click() {
    if (Busy()) return;
    if (InChallenge()) {
        ChallengeStart();
        return;
    }
    // Random digits are no answer, but the player did not find this board alone.
    MarkHelped();
    PlayerStep([this] {
        SetupMode = FlagOff;
        for (int p = 1; p <= ValuePositions; ++p) GridDisp[ValuePositionCell(p)].Caption = std::to_string(DrawDigit());
        for (int i : RowOperatorCells) GridDisp[i].Caption = "+";
        for (int i : ColumnOperatorCells) GridDisp[i].Caption = "+";
        GridDisp[1].Caption = Trim(SolNum[1]);
        // Only the lines through row 1 are evaluated: cells 21 and 35 keep their
        // drawn digits until the next click evaluates every line.
        for (int i : {1, 3, 5}) EvalLines(GridDisp[i].Tag);
        EvalCorner49();
        CheckSolution();
    });
}

}  // namespace quorvex
