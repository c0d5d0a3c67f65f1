// Set-up mode: the player picks the four corners and the generator searches
// for a board under them.
#include "board/NumberText.h"
#include "game/Form1.h"
#include "game/Texts.h"

namespace quorvex {

void Form1::SolveMx_Click() {
    if (Busy()) return;
    if (SetupMode == FlagOff) {
        LeavePuzzle();
        // Set-up makes a classic puzzle, whatever was played before.
        RestoreClassicBoard();
        // Whatever is later played on a board made here was not found alone.
        MarkHelped();
        PuzzleDone = FlagOff;
        for (int k = 1; k <= 4; ++k) {
            Cell& corner = GridDisp[CornerCells[k]];
            corner.Enabled = true;
            corner.BackColor = ClrRed;
            corner.Caption = "?";
        }
        ShowTargets(false);
        for (int i = 2; i <= 48; ++i)
            if (GridDisp[i].Caption != "=" && i != 7 && i != 43) GridDisp[i].Caption = "";
        SetupMode = FlagOn;
        SolveMx.Caption = text::SolveMxEnd;
        RightMess.Visible = false;
        CompMess.Visible = true;
        Solveit.Visible = true;
        CornerVal1 = OperandValue(GridDisp[1].Caption);
        CornerVal7 = OperandValue(GridDisp[7].Caption);
        CornerVal43 = OperandValue(GridDisp[43].Caption);
        CornerVal49 = OperandValue(GridDisp[49].Caption);
        StartSolx.Enabled = false;
        ShowSolx.Enabled = false;
        NewPuz.Visible = false;
        for (int j = 1; j <= 4; ++j) NPict[j].Visible = false;
        // Only now does the menu see set-up mode (Hint goes off).
        RefreshToolsMenu();
        return;
    }

    // The corners go disabled and stay so: in play the given top-left number
    // must never be stepped, and the other corners are computed cells.
    for (int k = 1; k <= 4; ++k) GridDisp[CornerCells[k]].Enabled = false;
    ColourCorners(ClrBlack);
    SetupMode = FlagOff;
    SolveMx.Caption = text::SolveMxAgain;
    CompMess.Visible = false;
    PuzzleDone = FlagOn;
    Solveit.Visible = false;
    StartSolx.Enabled = true;
    ShowSolx.Enabled = true;
    NewPuz.Visible = true;
    CornerVal1 = CornerVal7 = CornerVal43 = CornerVal49 = -1;
    ColourCorners(ClrGreen);
    RefreshToolsMenu();
}

void Form1::Solveit_Click() {
    if (Busy() || SetupMode == FlagOff) return;
    for (int k = 1; k <= 4; ++k) {
        if (GridDisp[CornerCells[k]].Caption == "?") {
            Ask(text::SetCornersFirst, MsgButtons::Ok);
            return;
        }
    }
    GeneratePuzzle();
    if (ended_) return;
    if (GenOk == FlagOn) {
        PuzzleDone = FlagOn;
        ShowSolution();
        // A new board: nothing before it can be undone into it.
        LeavePuzzle();
        MarkHelped();
    }
    ColourCorners(ClrRed);
}

void Form1::Solveit_DragDrop() {
    if (!Blocked()) Ask(text::HelpHere, MsgButtons::Ok);
}

}  // namespace quorvex
