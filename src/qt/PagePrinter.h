// Putting the print sheet on paper: the default printer, or a PDF file the
// player names when there is no printer.
#pragma once

#include <functional>

#include <QFont>
#include <QPageSize>
#include <QRectF>
#include <QString>

#include "game/Services.h"

class QPaintDevice;
class QPrinter;
class QWidget;

namespace quorvex::ui {

// The whole print command after the player said Yes; dialogs are parented to `parent`.
void PrintJobInteractive(const PrintJob& job, QWidget* parent);

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

// Real dialogs parented to `parent`, for every hook left empty in `dialogs`.
PrintDialogs WithRealDialogs(PrintDialogs dialogs, QWidget* parent);

enum class PrintOutcome { Printed, SavedPdf, Declined, Failed };

// The print command with the given dialogs, every hook set: prints on the
// default printer, or offers a PDF file when there is none. Every failure is
// told to the player through showError; success never is for a failure.
PrintOutcome PrintJobWith(const PrintJob& job, const PrintDialogs& dialogs);

// Writes the page to `path` as a one-page PDF of the given paper size. The file
// appears only when the whole page was written; an existing file is replaced.
bool SaveJobAsPdf(const PrintJob& job, const QString& path, const QPageSize& pageSize,
                  QString* error);

// Draws the job as one page on a printer already set up (paper, output file).
// Used for paper and PDF alike, so the two cannot drift apart.
bool RenderJob(QPrinter& printer, const PrintJob& job, QString* error);

// The font the page is set in: `family` when it is fixed-pitch on `device`,
// otherwise the first fixed-pitch face of a list of common ones.
QFont ChooseFixedPitchFont(const QString& family, double pointSize, QPaintDevice* device);

// True when every character the page uses has the same advance in `font`.
bool IsFixedPitch(const QFont& font, QPaintDevice* device);

// Where the text goes on a page: the font (scaled down when the job would
// not fit), the position of the first line's baseline and the line pitch,
// all in device pixels.
struct PageLayout {
    QFont font;
    double originX = 0;  // left edge of column 1
    double firstBaseline = 0;
    double linePitch = 0;
    QRectF inkRect;  // what the non-blank text covers
};

// Fits the job's text into `area` (device pixels), centred, scaled down
// uniformly when needed; never wraps a line.
PageLayout LayOutJob(const PrintJob& job, const QFont& font, QPaintDevice* device,
                     const QRectF& area);

// The suggested file name for a saved page.
QString DefaultPdfPath();

}  // namespace quorvex::ui
