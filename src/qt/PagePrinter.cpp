// Putting the print sheet on paper. One drawing routine serves the printer and
// the PDF file, so what a test reads back from the PDF is what paper shows.
#include "qt/PagePrinter.h"

#include <algorithm>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "game/Texts.h"
#include "qt/PrintLibrary.h"

namespace quorvex::ui {

namespace {

constexpr const char* DocName = "Quorvex puzzles";
constexpr const char* PdfFileName = "Quorvex puzzles.pdf";
constexpr const char* NoPrinterText =
    "No printer is installed.\n\nDo you want to save the page as a PDF file instead?";
constexpr const char* SaveCaption = "Save the page as PDF";

// The page's own margin. The job still carries the blank lines and blanks that
// once kept the text off the paper's edge; those are laid out as part of the
// text, but only the characters that print are fitted and centred.
constexpr double MarginMm = 15.0;

QString Native(const QString& path) { return QDir::toNativeSeparators(path); }

// The job's face when it is fixed-pitch, else the system's fixed-pitch face:
// the grids line up only when every character has one width.
QFont PageFont(const PrintJob& job) {
    QFont font(job.FontName.empty() ? QString::fromLatin1(text::PrintFont) : QString::fromStdString(job.FontName));
    font.setStyleHint(QFont::TypeWriter);
    if (!QFontInfo(font).fixedPitch()) font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setKerning(false);
    font.setPointSizeF(job.FontSize > 0 ? job.FontSize : text::PrintFontSize);
    return font;
}

QPageSize LocalPaperSize() {
    return QPageSize(QLocale::system().measurementSystem() == QLocale::ImperialUSSystem
                         ? QPageSize::Letter
                         : QPageSize::A4);
}

// Our margin on every side, or the printer's own minimum where that is larger.
void SetMargins(QPagedPaintDevice& device) {
    QPageLayout layout = device.pageLayout();
    layout.setUnits(QPageLayout::Point);
    const QMarginsF least = layout.minimumMargins();
    const double want = MarginMm * 72.0 / 25.4;
    device.setPageMargins(QMarginsF(std::max(want, least.left()), std::max(want, least.top()),
                                    std::max(want, least.right()), std::max(want, least.bottom())),
                          QPageLayout::Point);
}

// Draws the job as one page on a printer or PDF writer already set up. Paper
// and file share it, so the two cannot drift apart. False when the painter
// could not start or finish the page.
bool RenderJob(QPagedPaintDevice& device, const PrintJob& job, QString* error) {
    QPainter painter;
    if (!painter.begin(&device)) {
        if (error) *error = QStringLiteral("The page could not be started.");
        return false;
    }
    painter.setFont(PageFont(job));
    const QFontMetricsF fm(painter.font(), &device);
    const double pitch = fm.lineSpacing(), advance = fm.horizontalAdvance(QLatin1Char('+'));

    // The printed characters' block, in character columns and lines.
    qsizetype left = -1, right = 0, top = -1, bottom = 0;
    for (std::size_t i = 0; i < job.Lines.size(); ++i) {
        const std::string& line = job.Lines[i];
        const auto first = line.find_first_not_of(' ');
        if (first == std::string::npos) continue;
        left = left < 0 ? qsizetype(first) : std::min(left, qsizetype(first));
        right = std::max(right, qsizetype(line.find_last_not_of(' ') + 1));
        if (top < 0) top = qsizetype(i);
        bottom = qsizetype(i);
    }
    if (top >= 0) {
        // Centred, and shrunk as a whole when it does not fit: a wrapped line or
        // a grid cut over two pages is no use on paper.
        const QSizeF area = device.pageLayout().paintRectPixels(device.logicalDpiX()).size();
        const QSizeF block((right - left) * advance, (bottom - top) * pitch + fm.ascent() + fm.descent());
        const double scale = std::min({1.0, area.width() / block.width(), area.height() / block.height()});
        painter.translate((area.width() - block.width() * scale) / 2, (area.height() - block.height() * scale) / 2);
        painter.scale(scale, scale);
        painter.translate(-left * advance, fm.ascent() - top * pitch);
    }
    painter.setPen(Qt::black);
    // Each line at its own baseline: a text block would let the engine
    // reflow or re-space lines, and the columns must stay exact.
    for (std::size_t i = 0; i < job.Lines.size(); ++i)
        if (job.Lines[i].find_first_not_of(' ') != std::string::npos)
            painter.drawText(QPointF(0, double(i) * pitch), QString::fromStdString(job.Lines[i]));
    if (!painter.end()) {
        if (error) *error = QStringLiteral("The page could not be finished.");
        return false;
    }
    return true;
}

// The suggested file name for a saved page.
QString DefaultPdfPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
    return QDir(folder).filePath(QString::fromLatin1(PdfFileName));
}

// Real dialogs parented to `parent`, for every hook left empty in `dialogs`.
PrintDialogs WithRealDialogs(PrintDialogs dialogs, QWidget* parent) {
    const QString title = QString::fromLatin1(text::AppTitle);
    if (!dialogs.printerInstalled)
        dialogs.printerInstalled = [] { return !QPrinterInfo::defaultPrinter().isNull(); };
    if (!dialogs.askYesNo)
        dialogs.askYesNo = [parent, title](const QString& text) {
            return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
                   QMessageBox::Yes;
        };
    if (!dialogs.chooseFile)
        dialogs.chooseFile = [parent](const QString& suggested) {
            // A dialog object rather than the static helper: with a default
            // suffix the dialog itself adds ".pdf" and asks before replacing.
            QFileDialog dialog(parent, QString::fromLatin1(SaveCaption));
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setFileMode(QFileDialog::AnyFile);
            dialog.setNameFilter(QStringLiteral("PDF files (*.pdf)"));
            dialog.setDefaultSuffix(QStringLiteral("pdf"));
            dialog.setDirectory(QFileInfo(suggested).absolutePath());
            dialog.selectFile(QFileInfo(suggested).fileName());
            if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
                return QString();
            return dialog.selectedFiles().constFirst();
        };
    if (!dialogs.showError)
        dialogs.showError = [parent, title](const QString& text) { QMessageBox::warning(parent, title, text); };
    if (!dialogs.showInfo)
        dialogs.showInfo = [parent, title](const QString& text) { QMessageBox::information(parent, title, text); };
    return dialogs;
}

}  // namespace

bool SaveJobAsPdf(const PrintJob& job, const QString& path, const QPageSize& pageSize,
                  QString* error) {
    auto fail = [&](const QString& why) {
        if (error) *error = why;
        return false;
    };
    const QFileInfo target(path);
    const QString folder = target.absolutePath();
    if (!QFileInfo(folder).isDir())
        return fail(QStringLiteral("The folder %1 does not exist.").arg(Native(folder)));
    if (target.isDir())
        return fail(QStringLiteral("%1 is a folder.").arg(Native(target.absoluteFilePath())));
    // The system lets an administrator write anything; a file with no write
    // permission at all was still made read-only on purpose.
    constexpr auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (target.exists() && (!target.isWritable() || !(target.permissions() & anyWrite)))
        return fail(QStringLiteral("The file is read-only."));

    // QSaveFile writes beside the target and renames only when every write
    // succeeded, so a full disk or a file-size limit leaves the old file as it
    // was and no partial file behind. It keeps a replaced file's permissions,
    // gives a new one the umask's, and writes through a link to its file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("Cannot write in the folder %1: %2").arg(Native(folder), file.errorString()));
    QString why;
    {
        QPdfWriter writer(&file);
        writer.setPageSize(pageSize);
        writer.setPageOrientation(QPageLayout::Portrait);
        writer.setTitle(QString::fromLatin1(DocName));
        writer.setCreator(QString::fromLatin1(text::AppTitle));
        SetMargins(writer);
        if (!RenderJob(writer, job, &why)) {
            file.cancelWriting();
            return fail(why);
        }
    }
    // commit() notices a write that failed while the page was drawn, but not
    // a failure of the last buffered bytes it flushes itself (Qt 6.4): a page
    // that fits the buffer would pass on a full disk. Qt names no cause for a
    // write cut short, hence the likely ones.
    if (!file.flush() || !file.commit()) {
        file.cancelWriting();
        return fail(QStringLiteral("Only part of the page could be written: the disk may be full, or the file "
                                   "larger than allowed. No file was changed."));
    }
    return true;
}

PrintOutcome PrintJobWith(const PrintJob& job, const PrintDialogs& dialogs) {
    QString why;
    if (dialogs.printerInstalled()) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        QPrinter printer(info, QPrinter::HighResolution);
        printer.setDocName(QString::fromLatin1(DocName));
        printer.setCreator(QString::fromLatin1(text::AppTitle));
        SetMargins(printer);
        if (!RenderJob(printer, job, &why) || printer.printerState() == QPrinter::Error) {
            if (why.isEmpty()) why = QStringLiteral("The page could not be finished.");
            dialogs.showError(QStringLiteral("The page could not be printed on %1.\n\n%2")
                                  .arg(info.isNull() ? QStringLiteral("the printer")
                                                     : info.printerName(),
                                       why));
            return PrintOutcome::Failed;
        }
        return PrintOutcome::Printed;
    }

    if (!dialogs.askYesNo(QString::fromLatin1(NoPrinterText))) return PrintOutcome::Declined;
    QString path = dialogs.chooseFile(DefaultPdfPath());
    if (path.isEmpty()) return PrintOutcome::Declined;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        path += QStringLiteral(".pdf");
        // The dialog only asked about the name as typed; this one is new.
        if (QFileInfo::exists(path) &&
            !dialogs.askYesNo(QStringLiteral("%1 already exists.\n\nDo you want to replace it?")
                                  .arg(Native(path))))
            return PrintOutcome::Declined;
    }
    if (!SaveJobAsPdf(job, path, LocalPaperSize(), &why)) {
        dialogs.showError(
            QStringLiteral("The page could not be saved as %1.\n\n%2").arg(Native(path), why));
        return PrintOutcome::Failed;
    }
    dialogs.showInfo(QStringLiteral("The page was saved as %1.").arg(Native(path)));
    return PrintOutcome::SavedPdf;
}

PrintOutcome PrintJobInteractive(const PrintJob& job, QWidget* parent) {
    return PrintJobWith(job, WithRealDialogs({}, parent));
}

}  // namespace quorvex::ui

// The one thing the print library exports: the game finds it by this name.
extern "C" Q_DECL_EXPORT int quorvex_print_job(const quorvex::PrintJob& job, QWidget* parent,
                                               const quorvex::ui::PrintDialogs* dialogs) {
    using namespace quorvex::ui;
    // The type is checked here, where the library is built, not where it is loaded.
    [[maybe_unused]] constexpr PrintEntry checked = &quorvex_print_job;
    return int(dialogs != nullptr ? PrintJobWith(job, *dialogs) : PrintJobInteractive(job, parent));
}
