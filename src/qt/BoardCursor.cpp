// The board cursor's moves over the 7 by 7 grid.
#include "qt/BoardCursor.h"

#include "board/Layout.h"

namespace quorvex::ui {

namespace {

// The first cell that takes input from `start`, `step` at a time, `count` cells at most.
int Scan(int start, int step, int count, const TakesInput& takesInput) {
    for (int n = 0, i = start; n < count; ++n, i += step)
        if (i >= 1 && i <= GridCells && takesInput(i)) return i;
    return 0;
}

}  // namespace

int MoveCursor(int from, CursorMove move, const TakesInput& takesInput) {
    if (from < 1 || from > GridCells) return SettleCursor(1, takesInput);
    const int row = RowOf(from), column = ColumnOf(from);
    const int rowFirst = from - column + 1, rowLast = rowFirst + 6;
    int to = 0;
    switch (move) {
    case CursorMove::Left: to = Scan(from - 1, -1, column - 1, takesInput); break;
    case CursorMove::Right: to = Scan(from + 1, 1, 7 - column, takesInput); break;
    case CursorMove::Up: to = Scan(from - 7, -7, row - 1, takesInput); break;
    case CursorMove::Down: to = Scan(from + 7, 7, 7 - row, takesInput); break;
    case CursorMove::RowStart: to = Scan(rowFirst, 1, 7, takesInput); break;
    case CursorMove::RowEnd: to = Scan(rowLast, -1, 7, takesInput); break;
    case CursorMove::BoardStart: to = Scan(1, 1, GridCells, takesInput); break;
    case CursorMove::BoardEnd: to = Scan(GridCells, -1, GridCells, takesInput); break;
    }
    return to != 0 ? to : from;
}

int SettleCursor(int from, const TakesInput& takesInput) {
    if (from < 1 || from > GridCells) from = 1;
    for (int n = 0; n < GridCells; ++n) {
        const int i = (from - 1 + n) % GridCells + 1;
        if (takesInput(i)) return i;
    }
    return 0;
}

}  // namespace quorvex::ui
