#include "qt/HelpViewer.h"

namespace quorvex::ui {

void OpenHelp(QWidget*) {}

}  // namespace quorvex::ui
