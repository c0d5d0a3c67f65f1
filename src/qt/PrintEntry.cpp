// The one thing the print library exports.
#include "qt/PagePrinter.h"
#include "qt/PrintLibrary.h"

extern "C" Q_DECL_EXPORT int quorvex_print_job(const quorvex::PrintJob& job, QWidget* parent,
                                               const quorvex::ui::PrintDialogs* dialogs) {
    using namespace quorvex::ui;
    // The type is checked here, where the library is built, not where it is loaded.
    [[maybe_unused]] constexpr PrintEntry checked = &quorvex_print_job;
    return int(dialogs != nullptr ? PrintJobWith(job, *dialogs) : PrintJobInteractive(job, parent));
}
