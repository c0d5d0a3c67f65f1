// Colours as the cells store them: 0x00BBGGRR for an RGB value, or the top bit
// set with a system colour index in the low byte, so that design-time faces
// follow the desktop theme while game colours stay fixed.
#pragma once

#include <cstdint>

namespace quorvex {

using Colour = std::uint32_t;

constexpr Colour SystemColourFlag = 0x80000000u;

constexpr Colour Rgb(int r, int g, int b) {
    return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr bool IsSystemColour(Colour c) { return (c & SystemColourFlag) != 0; }
constexpr int SystemColourIndex(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

// System colour indices the window design uses.
enum SystemColourIndexes : int {
    SysWindowText = 8,
    SysButtonFace = 15,
    SysButtonShadow = 16,
    SysButtonHighlight = 20,
};
constexpr Colour SystemColour(int index) { return SystemColourFlag | static_cast<Colour>(index & 0xFF); }

// The classic 16-colour palette (entries 0..15); out-of-range entries give black.
constexpr Colour QBColor(int entry) {
    constexpr Colour palette[16] = {
        Rgb(0, 0, 0),       Rgb(0, 0, 128),   Rgb(0, 128, 0),   Rgb(0, 128, 128),
        Rgb(128, 0, 0),     Rgb(128, 0, 128), Rgb(128, 128, 0), Rgb(192, 192, 192),
        Rgb(128, 128, 128), Rgb(0, 0, 255),   Rgb(0, 255, 0),   Rgb(0, 255, 255),
        Rgb(255, 0, 0),     Rgb(255, 0, 255), Rgb(255, 255, 0), Rgb(255, 255, 255),
    };
    return (entry >= 0 && entry < 16) ? palette[entry] : palette[0];
}

}  // namespace quorvex
