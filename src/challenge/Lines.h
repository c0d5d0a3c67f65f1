// The six number lines of a challenge as tables of the triples that make each
// one true, and the candidate sets they leave: what the fit counter, the
// logical solver and the generator share.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "challenge/Challenge.h"

namespace quorvex::challenge::detail {

// A set of digits: bit v stands for v (1..9).
using Mask = std::uint16_t;
inline constexpr Mask AllDigits = 0x3FE;
constexpr Mask Bit(int v) { return static_cast<Mask>(1u << v); }
int CountOf(Mask m);
int LowestOf(Mask m);

// Rows 1, 3, 5 are lines 0..2, columns 1, 3, 5 lines 3..5; a line's cells
// are positions 0..8 in reading order, first to last.
struct NumberLine {
    std::array<int, 3> cells;
    std::array<int, 2> operators;  // indices into BoardValues::operators
    int result;                    // index into Results
};
inline constexpr std::array<NumberLine, 6> Lines = {{
    {{0, 1, 2}, {0, 1}, 0},
    {{3, 4, 5}, {6, 7}, 1},
    {{6, 7, 8}, {12, 13}, 2},
    {{0, 3, 6}, {2, 8}, 3},
    {{1, 4, 7}, {3, 9}, 4},
    {{2, 5, 8}, {4, 10}, 5},
}};
constexpr int RowLineOf(int position) { return position / 3; }
constexpr int ColumnLineOf(int position) { return 3 + position % 3; }
// Where the position sits in its row or column line.
constexpr int PlaceIn(int line, int position) { return line < 3 ? position % 3 : position / 3; }

// The result column (cells 7, 21, 35 with operators 14 and 28) and the result
// row (43, 45, 47 with 44 and 46) both give cell 49.
inline constexpr std::array<int, 2> ResultColumnOperators = {5, 11};
inline constexpr std::array<int, 2> ResultRowOperators = {14, 15};

// 0 '+', 1 '-', 2 '*'; -1 for anything else.
int OperatorIndex(char op);
inline constexpr char OperatorChars[3] = {'+', '-', '*'};

// a op1 b op2 c for digits 1..9 when the value is a digit, else 0: the
// board's own arithmetic, tabulated.
int Value(int a, int b, int c, int op1, int op2);

struct Triple {
    std::array<std::int8_t, 3> v;
};

// The lines of one set of operators and results. Which numbers are given
// does not enter, so one Tables serves every step of taking givens away.
class Tables {
public:
    explicit Tables(const Givens& givens);
    // Operators and results well formed, and the result lines agree on 49.
    bool consistent() const { return consistent_; }
    const std::vector<Triple>& triples(int line) const { return triples_[line]; }
    const Givens& givens() const { return givens_; }

private:
    Givens givens_;
    bool consistent_ = false;
    std::array<std::vector<Triple>, 6> triples_;
};

using Domains = std::array<Mask, 9>;
using LineSupport = std::array<std::array<Mask, 3>, 6>;

// Per line, the values each of its cells takes in some true completion of the
// line with every cell kept within `domains`; all three are empty together
// when no completion exists.
LineSupport Supports(const Tables& tables, const Domains& domains);

// Candidates in rounds. Round 0: a known number or any digit. Round 1: what
// the row and the column each allow on their own. Round 2: the same with the
// other cells of each line held to their round-1 candidates.
struct Rounds {
    Domains d0{}, d1{}, d2{};
    LineSupport s0{}, s1{};
};
Rounds Analyse(const Tables& tables, const Numbers& known);

// How many boards fit, up to `limit`; `first` receives the first.
int CountFits(const Tables& tables, const Numbers& given, int limit, Numbers* first);

}  // namespace quorvex::challenge::detail
