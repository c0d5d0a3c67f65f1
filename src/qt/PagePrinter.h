// Putting the print sheet on paper: the default printer, or a PDF file the
// player names when there is no printer.
#pragma once

#include "game/Services.h"

class QWidget;

namespace quorvex::ui {

// The whole print command after the player said Yes; dialogs are parented to `parent`.
void PrintJobInteractive(const PrintJob& job, QWidget* parent);

}  // namespace quorvex::ui
