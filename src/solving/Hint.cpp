// A hint: one cell of the player's own board moved toward the complete board
// that keeps the most of it.
#include "board/Layout.h"
#include "board/NumberText.h"
#include "game/Form1.h"
#include "solving/Solver.h"

namespace quorvex {

namespace {

bool IsPlayerCell(int index) {
    const CellRole role = RoleOf(index);
    return index != 1 &&
           (role == CellRole::Number || role == CellRole::RowOperator || role == CellRole::ColumnOperator);
}

// A number cell's value, 0 when it shows no digit 1..9.
std::int8_t DigitOf(const std::string& caption) {
    return caption.size() == 1 && caption[0] >= '1' && caption[0] <= '9' ? static_cast<std::int8_t>(caption[0] - '0')
                                                                          : 0;
}

char OperatorOf(const std::string& caption) {
    return caption == "+" || caption == "-" || caption == "*" ? caption[0] : 0;
}

// What the cell shows on the board `b`: "" when it is empty there.
std::string CaptionIn(const BoardValues& b, int index) {
    for (std::size_t k = 1; k < SolverNumberCells.size(); ++k)
        if (SolverNumberCells[k] == index) return b.numbers[k] ? std::to_string(b.numbers[k]) : "";
    for (std::size_t k = 0; k < SolverOperatorCells.size(); ++k)
        if (SolverOperatorCells[k] == index) return b.operators[k] ? std::string(1, b.operators[k]) : "";
    return "";
}

}  // namespace

bool Form1::HintAvailable() const {
    if (Busy() || SetupMode != FlagOff || PuzzleDone != FlagOff || GenOk != FlagOn) return false;
    if (InChallenge()) return true;
    // A run that gave up leaves no puzzle to aim at.
    for (int p : CornerValuePositions)
        if (const double given = NumericValue(SolNum[p]); given < 1 || given > 9) return false;
    return true;
}

void Form1::Hint_Click() {
    if (Busy()) return;
    HintedCell = 0;
    if (!HintAvailable()) return;
    if (InChallenge()) {
        ChallengeHint();
        return;
    }
    const HintMove move = NextHint();
    if (move.cell == 0) {
        // The board is already complete, but a cell whose line leaves cell 49
        // alone (cell 16) may have kept the check from seeing it: the check is
        // finished, and nothing was given, so nothing counts as help.
        PlayerStep([this] { SetCaptionAndEvaluate(0, ""); });
        return;
    }
    // Help counts even when the hint is undone afterwards.
    MarkHelped();
    HintedCell = move.cell;
    PlayerStep([&] {
        if (move.wrong) {
            // Said before the change, while the board still shows the old value.
            Ask("Hint: row " + std::to_string(RowOf(move.cell)) + ", column " +
                                      std::to_string(ColumnOf(move.cell)) + " changes from " +
                                      GridDisp[move.cell].Caption + " to " + move.value,
                                  MsgButtons::Ok);
        }
        SetCaptionAndEvaluate(move.cell, move.value);
    });
}

Form1::HintMove Form1::NextHint() const {
    Corners corners{};
    for (int k = 0; k < 4; ++k) corners[k] = static_cast<int>(NumericValue(SolNum[CornerValuePositions[k]]));
    BoardValues board;
    board.numbers[0] = static_cast<std::int8_t>(corners[0]);
    for (std::size_t k = 1; k < SolverNumberCells.size(); ++k)
        board.numbers[k] = DigitOf(GridDisp[SolverNumberCells[k]].Caption);
    for (std::size_t k = 0; k < SolverOperatorCells.size(); ++k)
        board.operators[k] = OperatorOf(GridDisp[SolverOperatorCells[k]].Caption);
    const std::optional<Completion> done = CompleteBoard(corners, board);
    if (!done) return {};

    // A filled cell that cannot stay comes first: filling empty cells around
    // it would build on a board that has no completion. Either kind is taken
    // in reading order, so repeated hints sweep the board predictably.
    int wrong = 0, empty = 0;
    for (int i = 2; i <= 48 && wrong == 0; ++i) {
        if (!IsPlayerCell(i)) continue;
        const std::string mine = CaptionIn(board, i);
        if (mine.empty()) {
            if (empty == 0) empty = i;
        } else if (mine != CaptionIn(done->board, i)) {
            wrong = i;
        }
    }
    const int cell = wrong ? wrong : empty;
    return {cell, wrong != 0, cell ? CaptionIn(done->board, cell) : std::string()};
}

}  // namespace quorvex
