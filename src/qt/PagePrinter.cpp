#include "qt/PagePrinter.h"

namespace quorvex::ui {

void PrintJobInteractive(const PrintJob&, QWidget*) {}

}  // namespace quorvex::ui
