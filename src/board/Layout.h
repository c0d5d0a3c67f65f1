// Which cell is what on the 7 by 7 board, and how lines and value positions
// map to cell indices. Every other part finds cells through these rules.
#pragma once

#include <array>

namespace quorvex {

constexpr int CellCount = 54;     // GridDisp 0..53
constexpr int GridCells = 49;     // 1..49, row-major
constexpr int FirstTargetCell = 50;
constexpr int ValuePositions = 16;

enum class CellRole {
    Number,
    RowOperator,
    ColumnOperator,
    Equals,
    RowResult,
    ColumnResult,
    Final,
    Blank,
    Target,
    Template,
};

CellRole RoleOf(int index);           // any index 0..53
constexpr int RowOf(int index) { return (index - 1) / 7 + 1; }     // grid cells 1..49
constexpr int ColumnOf(int index) { return (index - 1) % 7 + 1; }  // grid cells 1..49

// Value position p (1..16) to its cell.
constexpr int ValuePositionCell(int p) { return 14 * ((p - 1) / 4) + 2 * ((p - 1) % 4) + 1; }

// Corner j (1..4), cell Form1::CornerCells[j]: value positions 1, 4, 13, 16, target cells 50..53.
constexpr std::array<int, 4> CornerValuePositions = {1, 4, 13, 16};
constexpr int TargetCellOfCorner(int j) { return 49 + j; }

// The equals cells, rows first and then columns, in the order they are written.
constexpr std::array<int, 8> EqualsCells = {6, 20, 34, 48, 36, 38, 40, 42};

// The sixteen operator cells, rows first (row by row) then columns (column by column).
constexpr std::array<int, 8> RowOperatorCells = {2, 4, 16, 18, 30, 32, 44, 46};
constexpr std::array<int, 8> ColumnOperatorCells = {8, 22, 10, 24, 12, 26, 14, 28};

// A line: three operands, two operators, the equals cell and the result cell.
struct Line {
    std::array<int, 3> operands;
    std::array<int, 2> operators;
    int equals;
    int result;
};
// Row line starting at cell f (1, 15, 29, 43); column line of column c (1, 3, 5, 7).
constexpr Line RowLine(int f) { return {{f, f + 2, f + 4}, {f + 1, f + 3}, f + 5, f + 6}; }
constexpr Line ColumnLine(int c) { return {{c, c + 14, c + 28}, {c + 7, c + 21}, c + 35, c + 42}; }

// The tag a cell carries ("" for untagged cells): "RRCC" for number cells,
// "X" and the code of its one line for operator cells.
const char* TagOf(int index);

}  // namespace quorvex
