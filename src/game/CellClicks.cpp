// A click on a board cell: the only way the player changes the board.
#include <algorithm>
#include <limits>

#include "board/NumberText.h"
#include "game/Form1.h"

namespace quorvex {

std::int16_t Form1::DigitStep(int index, std::int16_t button) {
    const bool right = button == RightButton;
    const int v = OperandValue(GridDisp[index].Caption) + (right ? -1 : 1);
    // A step past either 16-bit limit is an overflow, as in every other sum of the game.
    if (v < std::numeric_limits<std::int16_t>::min() || v > std::numeric_limits<std::int16_t>::max())
        throw Overflow16();
    const auto stepped = static_cast<std::int16_t>(right ? (v < 1 ? 9 : v) : (v == 10 ? 1 : v));
    GridDisp[index].Caption = std::to_string(stepped);
    return stepped;
}

void Form1::OperatorStep(int index) {
    std::string& caption = GridDisp[index].Caption;
    if (caption.empty()) caption = "+";
    else if (caption == "+") caption = "-";
    else if (caption == "-") caption = "*";
    else if (caption == "*") caption = "+";
}

void Form1::GridDisp_MouseClick(std::int16_t Index, std::int16_t Button, std::int16_t, float, float) {
    // Mid-search the board belongs to the generator.
    if (Busy() || Index < 0 || Index > 49) return;

    if (SetupMode == FlagOn) {
        if (!Solveit.Enabled) Solveit.Enabled = true;
        if (IsCornerCell(Index)) StoreCornerValue(Index, DigitStep(Index, Button));
        return;
    }

    if (PuzzleDone == FlagOn) return;
    if (InChallenge()) {
        ChallengeClick(Index, Button);
        return;
    }

    RevealTargets();
    if (!IsOperatorCell(Index)) {
        DigitStep(Index, Button);
        EvalNumberLines(Index);
    } else {
        OperatorStep(Index);
        EvalOperatorLine(Index);
    }
    CheckSolution();
}

bool Form1::IsOperatorCell(int index) const {
    const std::string& tag = GridDisp[index].Tag;
    return !tag.empty() && tag[0] == 'X';
}

bool Form1::IsCornerCell(int index) const {
    return std::find(CornerCells.begin() + 1, CornerCells.end(), index) != CornerCells.end();
}

void Form1::StoreCornerValue(int index, std::int16_t v) {
    if (index == 1) CornerVal1 = v;
    else if (index == 7) CornerVal7 = v;
    else if (index == 43) CornerVal43 = v;
    else CornerVal49 = v;
}

void Form1::RevealTargets() {
    // The check hides target 50 whenever corner 1 is right, so this runs at
    // the start of nearly every click, not only the first of a puzzle.
    if (GridDisp[50].Visible) return;
    ShowTargets(true);
    for (int i : {3, 5, 15, 29}) EvalLines(GridDisp[i].Tag);
    EvalCorner49();
    RightMess.Visible = true;
}

void Form1::EvalNumberLines(int index) {
    EvalLines(GridDisp[index].Tag);
    EvalCorner49();
}

void Form1::EvalOperatorLine(int index) {
    const std::string tag = GridDisp[index].Tag;
    EvalLines(tag.substr(tag.size() >= 4 ? tag.size() - 4 : 0));
    // These four leave cell 49 as their own line left it.
    if (index != 14 && index != 16 && index != 44 && index != 46) EvalCorner49();
}

}  // namespace quorvex
