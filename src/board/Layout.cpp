// Cell roles and tags of the fixed 7 by 7 board.
#include "board/Layout.h"

#include <algorithm>

namespace quorvex {

namespace {
template <std::size_t N>
bool Contains(const std::array<int, N>& cells, int index) {
    return std::find(cells.begin(), cells.end(), index) != cells.end();
}
}  // namespace

CellRole RoleOf(int index) {
    if (index == 0) return CellRole::Template;
    if (index >= FirstTargetCell) return CellRole::Target;
    if (Contains(EqualsCells, index)) return CellRole::Equals;
    if (Contains(RowOperatorCells, index)) return CellRole::RowOperator;
    if (Contains(ColumnOperatorCells, index)) return CellRole::ColumnOperator;
    const int r = RowOf(index), c = ColumnOf(index);
    if (r % 2 == 0 || c % 2 == 0) return CellRole::Blank;
    if (index == 49) return CellRole::Final;
    if (c == 7) return CellRole::RowResult;
    if (r == 7) return CellRole::ColumnResult;
    return CellRole::Number;
}

const char* TagOf(int index) {
    switch (index) {
        case 1: return "0101";
        case 3: return "0103";
        case 5: return "0105";
        case 15: return "1501";
        case 17: return "1503";
        case 19: return "1505";
        case 29: return "2901";
        case 31: return "2903";
        case 33: return "2905";
        case 2: case 4: return "X0100";
        case 16: case 18: return "X1500";
        case 30: case 32: return "X2900";
        case 44: case 46: return "X4300";
        case 8: case 22: return "X0001";
        case 10: case 24: return "X0003";
        case 12: case 26: return "X0005";
        case 14: case 28: return "X0007";
        default: return "";
    }
}

}  // namespace quorvex
