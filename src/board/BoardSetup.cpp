// The board's state at start-up and the tags that tell a click which lines to
// re-evaluate.
#include "game/Form1.h"

namespace quorvex {

void Form1::PrepareBoard() {
    for (Cell& cell : GridDisp) cell.Caption = "";
    for (int i = 50; i <= 53; ++i) {
        GridDisp[i].Visible = false;
        GridDisp[i].BackColor = ClrGreen;
        GridDisp[i].ForeColor = ClrWhite;
        GridDisp[i].Enabled = false;
    }
    for (int first : {9, 23, 37}) {
        for (int i = first; i <= first + 4; i += 2) {
            GridDisp[i].BackColor = ClrBlack;
            GridDisp[i].Enabled = false;
        }
    }
    for (int j = 1; j <= 4; ++j) {
        GridDisp[CornerCells[j]].BackColor = ClrGreen;
        GridDisp[CornerCells[j]].ForeColor = ClrWhite;
    }
    // Every cell whose value the program fixes or computes takes no clicks.
    for (int i : {1, 7, 21, 35, 43, 45, 47, 49}) GridDisp[i].Enabled = false;
    for (int i : EqualsCells) {
        GridDisp[i].Caption = "=";
        GridDisp[i].Enabled = false;
    }
    AssignCellTags();
}

void Form1::AssignCellTags() {
    for (int i : {1, 3, 5, 15, 17, 19, 29, 31, 33}) GridDisp[i].Tag = TagOf(i);
    for (int i : RowOperatorCells) GridDisp[i].Tag = TagOf(i);
    for (int i : ColumnOperatorCells) GridDisp[i].Tag = TagOf(i);
}

}  // namespace quorvex
