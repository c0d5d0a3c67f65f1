// Where the arrow keys take the board's cursor. Only cells that take input
// are stops; the cursor halts at the board's edges instead of wrapping, so a
// player who cannot see the board always knows where a row or column ends.
#pragma once

#include <functional>

namespace quorvex::ui {

enum class CursorMove { Left, Right, Up, Down, RowStart, RowEnd, BoardStart, BoardEnd };

using TakesInput = std::function<bool(int index)>;

// The cell (1..49) the move leads to from `from`: the nearest cell that takes
// input in that direction on the same row or column, the first or last one of
// the row or of the board; `from` itself when there is none.
int MoveCursor(int from, CursorMove move, const TakesInput& takesInput);

// `from` when it takes input, else the next cell in reading order that does
// (wrapping round); 0 when no cell takes input.
int SettleCursor(int from, const TakesInput& takesInput);

}  // namespace quorvex::ui
