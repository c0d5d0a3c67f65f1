// The core's colours on screen.
#include "qt/Colours.h"

namespace quorvex::ui {

QColor ToQColor(Colour colour, const QPalette& palette) {
    if (!IsSystemColour(colour)) return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
    switch (SystemColourIndex(colour)) {
    case SysButtonFace: return palette.color(QPalette::Active, QPalette::Button);
    case SysButtonShadow: return palette.color(QPalette::Active, QPalette::Dark);
    case SysButtonHighlight: return palette.color(QPalette::Active, QPalette::Light);
    case SysWindowText:
    default: return palette.color(QPalette::Active, QPalette::WindowText);
    }
}

}  // namespace quorvex::ui
