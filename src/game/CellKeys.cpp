// A key typed on a board cell: the same rules as a click, but a digit or an
// operator lands in one step instead of cycling through the values between.
#include "game/Form1.h"

namespace quorvex {

namespace {

// "" when the key names no operator.
const char* OperatorOfKey(char key) {
    switch (key) {
    case '+': return "+";
    case '-': return "-";
    case '*':
    case 'x':
    case 'X': return "*";
    default: return "";
    }
}

}  // namespace

void Form1::TypeKey(int index, char key) {
    if (Busy() || index < 1 || index > GridCells || !GridDisp[index].TakesInput()) return;
    PlayerStep([&] { ApplyKey(index, key); });
}

void Form1::ApplyKey(int index, char key) {
    const auto cell = static_cast<std::int16_t>(index);

    switch (key) {
    case ' ':
    case '\r':
    case '\n': GridDisp_MouseClick(cell, LeftButton, 0, 0, 0); return;
    case '\b': GridDisp_MouseClick(cell, RightButton, 0, 0, 0); return;
    default: break;
    }

    if (key == DeleteKey) {
        if (InChallenge() && SetupMode == FlagOff && PuzzleDone == FlagOff && IsOpenNumber(index))
            SetCaptionAndEvaluate(index, "");
        return;
    }

    if (key >= '1' && key <= '9') {
        if (IsOperatorCell(index)) return;
        if (SetupMode == FlagOn) {
            // Only the corners are set in set-up; a digit elsewhere means nothing.
            if (!IsCornerCell(index)) return;
            if (!Solveit.Enabled) Solveit.Enabled = true;
            GridDisp[index].Caption = std::string(1, key);
            StoreCornerValue(index, static_cast<std::int16_t>(key - '0'));
            return;
        }
        if (PuzzleDone == FlagOn) return;
        SetCaptionAndEvaluate(index, std::string(1, key));
        return;
    }

    const std::string op = OperatorOfKey(key);
    if (op.empty() || !IsOperatorCell(index) || SetupMode == FlagOn || PuzzleDone == FlagOn) return;
    SetCaptionAndEvaluate(index, op);
}

void Form1::SetCaptionAndEvaluate(int index, const std::string& caption) {
    if (InChallenge()) {
        // The results are given: nothing to evaluate, only the check.
        if (IsOpenNumber(index)) GridDisp[index].Caption = caption;
        CheckSolution();
        return;
    }
    RevealTargets();
    if (index != 0) {
        GridDisp[index].Caption = caption;
        if (IsOperatorCell(index)) EvalOperatorLine(index);
        else EvalNumberLines(index);
    }
    CheckSolution();
}

}  // namespace quorvex
