// Putting the print sheet on paper: the default printer, or a PDF file the
// player names when there is no printer.
#pragma once

#include <functional>

#include <QPageSize>
#include <QString>

#include "game/Services.h"

class QWidget;

namespace quorvex::ui {

// The questions and notices of the print command. Each one defaults to a real
// modal dialog; tests replace them so that nothing ever blocks.
struct PrintDialogs {
    // Whether a default printer is installed.
    std::function<bool()> printerInstalled;
    // A Yes/No question; true for Yes.
    std::function<bool(const QString& text)> askYesNo;
    // The file to save to, starting from `suggested`; empty when cancelled.
    std::function<QString(const QString& suggested)> chooseFile;
    std::function<void(const QString& text)> showError;
    std::function<void(const QString& text)> showInfo;
};

enum class PrintOutcome { Printed, SavedPdf, Declined, Failed };

// The print command with the given dialogs, every hook set: prints on the
// default printer, or offers a PDF file when there is none. Every failure is
// told to the player through showError; success never is for a failure.
PrintOutcome PrintJobWith(const PrintJob& job, const PrintDialogs& dialogs);

// The whole print command after the player said Yes; dialogs are parented to `parent`.
PrintOutcome PrintJobInteractive(const PrintJob& job, QWidget* parent);

// Writes the page to `path` as a one-page PDF of the given paper size. The file
// changes only when the whole page was written: a failure leaves an existing
// file as it was and nothing new behind. A read-only file is refused, a
// replaced file keeps its permissions, and a link is written through.
bool SaveJobAsPdf(const PrintJob& job, const QString& path, const QPageSize& pageSize,
                  QString* error);

}  // namespace quorvex::ui
