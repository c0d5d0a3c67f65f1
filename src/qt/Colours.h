// The core's colours on screen: the one place a Colour becomes a QColor.
#pragma once

#include <QColor>
#include <QPalette>

#include "board/Colour.h"

namespace quorvex::ui {

// RGB values are taken as they are; the system colours a cell's design uses
// come from `palette`, so that design-time faces follow the desktop theme.
QColor ToQColor(Colour colour, const QPalette& palette = QPalette());

}  // namespace quorvex::ui
