// The About window.
#pragma once

class QWidget;

namespace quorvex::ui {

// Shows the About window modally and returns when it has been closed.
void ShowAboutModal(QWidget* parent);

}  // namespace quorvex::ui
