// Challenge puzzles: a complete board of which every operator, every result
// and some of the nine numbers are given, so that exactly one board fits.
// The value types, the fit counter and the names a player reads.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "solving/Solver.h"

namespace quorvex::challenge {

// The nine numbers in reading order, one per entry of BoardValues::numbers
// (cells 1, 3, 5, 15, 17, 19, 29, 31, 33); 0 is an open cell.
using Numbers = std::array<std::int8_t, 9>;
inline constexpr std::array<int, 9> NumberCells = SolverNumberCells;

// The seven results: the three rows', the three columns', the final one.
using Results = std::array<std::int8_t, 7>;
inline constexpr std::array<int, 7> ResultCells = {7, 21, 35, 43, 45, 47, 49};

// What the player is given. Unlike the classic game, cell 1 is an ordinary
// number here: given or open like the other eight.
struct Givens {
    BoardValues board;  // all sixteen operators; numbers 1..9 given, 0 open
    Results results{};
    friend bool operator==(const Givens&, const Givens&) = default;
};

enum class Level : std::uint8_t { Unrated, Easy, Medium, Hard };
const char* LevelName(Level level);  // "Easy", "Medium", "Hard"; "Unrated"

// What a new puzzle is: the classic game or a challenge of a level. The
// names are how the settings file and the command line write it.
enum class PuzzleKind : std::uint8_t { Classic, Easy, Medium, Hard };
const char* KindName(PuzzleKind kind);  // "classic", "easy", "medium", "hard"
std::optional<PuzzleKind> KindNamed(std::string_view name);
Level LevelOf(PuzzleKind kind);  // Unrated for Classic
// A challenge's kind by its level. A code beyond every technique (Unrated)
// is harder than hard, and counts there.
PuzzleKind KindOf(Level level);

struct Challenge {
    Givens givens;
    Numbers solution{};  // the one board that fits the givens
    Level level = Level::Unrated;
};

// How many boards fit the givens, counted up to `limit` (the search stops
// there), and the first one found. None fit when an operator or result is
// malformed, or when the result row and the result column disagree.
struct FitCount {
    int count = 0;
    Numbers first{};
};
FitCount CountFits(const Givens& givens, int limit = 2);

// A complete board: every number given and all eight equations true.
bool IsComplete(const Givens& board);

// How a cell is named to the player: the board's 7 by 7 rows and columns, as
// the screen reader names them ("row 3, column 5").
std::string CellName(int position);

}  // namespace quorvex::challenge
