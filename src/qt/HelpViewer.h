// The game's help, in a viewer of its own beside the main window.
#pragma once

class QWidget;

namespace quorvex::ui {

// Opens the help at its first page without blocking; a viewer already open
// is brought to the front instead.
void OpenHelp(QWidget* parent);

}  // namespace quorvex::ui
