// The complete solver: a board that meets a puzzle's four corners while
// keeping as many of the player's cells as possible. Plain values in and out;
// it knows nothing of the window's cells.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace quorvex {

// A board as values. Numbers are 1..9, operators '+', '-' or '*'; 0 marks an
// empty cell. numbers[0] is the top-left cell: the solver always sets it to
// the given and never counts it as kept.
struct BoardValues {
    std::array<std::int8_t, 9> numbers{};
    std::array<char, 16> operators{};
    friend bool operator==(const BoardValues&, const BoardValues&) = default;
};

// The board cell behind each entry of BoardValues. These are also the orders
// in which the tie-break compares boards.
inline constexpr std::array<int, 9> SolverNumberCells = {1, 3, 5, 15, 17, 19, 29, 31, 33};
inline constexpr std::array<int, 16> SolverOperatorCells = {2,  4,  8,  10, 12, 14, 16, 18,
                                                            22, 24, 26, 28, 30, 32, 44, 46};

// The givens: top-left number (cell 1), first row's result (7), first
// column's result (43), final result (49).
using Corners = std::array<int, 4>;

struct Completion {
    BoardValues board;  // nothing empty
    int kept = 0;       // how many of the player's filled cells it keeps
    int work = 0;       // table rows combined: the solver's work, for measuring
};

// A complete board for the corners: every row and column, the result row and
// the result column give a digit 1 to 9 (multiplication first), the first row
// gives corner 7, the first column corner 43, and both the result row and the
// result column give corner 49.
//
// Among all such boards it returns one that keeps the most of the player's
// filled cells. Ties go to the board whose free numbers, read in reading order
// (cells 3, 5, 15, ... 33), are smallest; then to the one whose operators, in
// reading order (cells 2, 4, 8, ... 46), are smallest with '+' < '-' < '*'.
//
// The search is exhaustive, so the answer is the same every time. Empty only
// when a corner is not a digit 1 to 9 (every set of four digits has a board).
std::optional<Completion> CompleteBoard(const Corners& corners, const BoardValues& player);

}  // namespace quorvex
