#include "qt/AboutForm.h"

namespace quorvex::ui {

void ShowAboutModal(QWidget*) {}

}  // namespace quorvex::ui
