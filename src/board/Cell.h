// Plain state of the window's controls. The core writes it; the front end
// paints whatever it says after each handler returns.
#pragma once

#include <cstdint>
#include <string>

#include "board/Colour.h"

namespace quorvex {

// The mouse button of a click on a cell: a right click steps a number down.
enum MouseButton : std::int16_t { LeftButton = 1, RightButton = 2 };

// One Quadlet: a board cell or one of the two buttons.
struct Cell {
    std::string Caption;
    Colour BackColor = SystemColour(SysButtonFace);
    Colour ForeColor = SystemColour(SysWindowText);
    bool Enabled = true;
    bool Visible = true;
    std::string Tag;
    // Part of a challenge's puzzle: fixed, and drawn and read as given. Such a
    // cell is always disabled; a disabled cell of the classic game is not given.
    bool Given = false;

    // A disabled or hidden control raises no event.
    bool TakesInput() const { return Enabled && Visible; }

    bool operator==(const Cell&) const = default;
};

// A label, a frame or a picture: only its visibility changes at run time.
struct Control {
    std::string Caption;
    bool Visible = true;

    bool operator==(const Control&) const = default;
};

struct MenuItem {
    std::string Caption;
    bool Enabled = true;
    // A check-mark item shows `Checked`; the others ignore it.
    bool Checkable = false;
    bool Checked = false;

    bool operator==(const MenuItem&) const = default;
};

}  // namespace quorvex
