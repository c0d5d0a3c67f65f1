// Putting the print sheet on paper. One drawing routine serves the printer and
// the PDF file, so what a test reads back from the PDF is what paper shows.
#include "qt/PagePrinter.h"

#include <algorithm>
#include <cmath>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRectF>
#include <QSaveFile>
#include <QStandardPaths>

#include "game/Texts.h"

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

// Faces tried, in order, when the job's font is missing or not fixed-pitch.
constexpr const char* FallbackFamilies[] = {"Courier New", "Nimbus Mono PS", "Liberation Mono",
                                            "DejaVu Sans Mono"};

// Every kind of character the sheet holds; they must all be one width for the
// grids to line up.
constexpr const char* PitchProbe = "+-|* /=0123456789PuzleNoSltin";

// Guards the shrink loop against a font whose metrics never settle.
constexpr int MaxShrinkSteps = 60;

QString Native(const QString& path) { return QDir::toNativeSeparators(path); }

QFont FixedPitchRequest(const QString& family, double pointSize) {
    QFont font(family);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setKerning(false);
    font.setPointSizeF(pointSize);
    return font;
}

// The horizontal reach of the printed characters of one line, from the left
// edge of column 1; empty when the line is blank.
struct LineInk {
    bool any = false;
    double left = 0;
    double right = 0;
};

LineInk MeasureLine(const QString& line, const QFontMetricsF& fm) {
    qsizetype first = 0;
    while (first < line.size() && line.at(first).isSpace()) ++first;
    if (first == line.size()) return {};
    qsizetype end = line.size();
    while (end > first && line.at(end - 1).isSpace()) --end;
    return {true, fm.horizontalAdvance(line.left(first)), fm.horizontalAdvance(line.left(end))};
}

// The block of printed text at one font: width and height of the ink, and
// where it starts.
struct InkBlock {
    bool any = false;
    double left = 0;
    double width = 0;
    double height = 0;
    int firstLine = 0;
    double pitch = 0;
    double ascent = 0;
};

InkBlock MeasureBlock(const QStringList& lines, const QFont& font, QPaintDevice* device) {
    const QFontMetricsF fm(font, device);
    InkBlock block;
    block.pitch = fm.lineSpacing();
    block.ascent = fm.ascent();
    double left = 0, right = 0;
    int last = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const LineInk ink = MeasureLine(lines.at(i), fm);
        if (!ink.any) continue;
        if (!block.any) {
            block.firstLine = i;
            left = ink.left;
            right = ink.right;
        }
        block.any = true;
        left = std::min(left, ink.left);
        right = std::max(right, ink.right);
        last = i;
    }
    if (!block.any) return block;
    block.left = left;
    block.width = right - left;
    block.height = (last - block.firstLine) * block.pitch + fm.ascent() + fm.descent();
    return block;
}

QStringList ToQt(const std::vector<std::string>& lines) {
    QStringList out;
    out.reserve(static_cast<qsizetype>(lines.size()));
    for (const auto& l : lines) out << QString::fromStdString(l);
    return out;
}

double JobPointSize(const PrintJob& job) {
    return job.FontSize > 0 ? job.FontSize : text::PrintFontSize;
}

QString JobFamily(const PrintJob& job) {
    return job.FontName.empty() ? QString::fromLatin1(text::PrintFont)
                                : QString::fromStdString(job.FontName);
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

// True when every character the page uses has the same advance in `font`.
bool IsFixedPitch(const QFont& font, QPaintDevice* device) {
    const QFontMetricsF fm(font, device);
    const QString probe = QString::fromLatin1(PitchProbe);
    const double width = fm.horizontalAdvance(probe.at(0));
    if (width <= 0) return false;
    for (QChar c : probe) {
        if (std::abs(fm.horizontalAdvance(c) - width) > width * 1e-3) return false;
    }
    return true;
}

// The font the page is set in: `family` when it is fixed-pitch on `device`,
// otherwise the first fixed-pitch face of a list of common ones.
QFont ChooseFixedPitchFont(const QString& family, double pointSize, QPaintDevice* device) {
    QFont font = FixedPitchRequest(family, pointSize);
    if (IsFixedPitch(font, device)) return font;
    for (const char* name : FallbackFamilies) {
        font = FixedPitchRequest(QString::fromLatin1(name), pointSize);
        if (IsFixedPitch(font, device)) return font;
    }
    font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setKerning(false);
    font.setPointSizeF(pointSize);
    return font;
}

// Where the text goes on a page, all in device pixels.
struct PageLayout {
    QFont font;
    double originX = 0;  // left edge of column 1
    double firstBaseline = 0;
    double linePitch = 0;
};

// Fits the job's text into `area` (device pixels), centred, scaled down
// uniformly when needed; never wraps a line.
PageLayout LayOutJob(const PrintJob& job, const QFont& font, QPaintDevice* device,
                     const QRectF& area) {
    const QStringList lines = ToQt(job.Lines);
    PageLayout layout;
    layout.font = font;
    InkBlock block = MeasureBlock(lines, layout.font, device);
    if (!block.any) {
        layout.originX = area.left();
        layout.firstBaseline = area.top() + block.ascent;
        layout.linePitch = block.pitch;
        return layout;
    }

    // Shrink the whole page uniformly rather than wrap a line or start a
    // second page: a grid cut in two is no use on paper. Hinting can keep a
    // scaled font a hair too large, hence the loop after the first guess.
    const double scale =
        std::min({1.0, area.width() / block.width, area.height() / block.height});
    if (scale < 1.0) {
        double size = layout.font.pointSizeF() * scale;
        for (int step = 0; step < MaxShrinkSteps; ++step) {
            layout.font.setPointSizeF(size);
            block = MeasureBlock(lines, layout.font, device);
            if (block.width <= area.width() && block.height <= area.height()) break;
            size *= 0.98;
        }
    }

    const double top = area.top() + (area.height() - block.height) / 2;
    const double left = area.left() + (area.width() - block.width) / 2;
    layout.originX = left - block.left;
    layout.linePitch = block.pitch;
    layout.firstBaseline = top + block.ascent - block.firstLine * block.pitch;
    return layout;
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
    const QFont font = ChooseFixedPitchFont(JobFamily(job), JobPointSize(job), &device);
    // The painter's origin is the top left of the printable area.
    const QRectF area(QPointF(0, 0), device.pageLayout().paintRectPixels(device.logicalDpiX()).size());
    const PageLayout layout = LayOutJob(job, font, &device, area);

    painter.setFont(layout.font);
    painter.setPen(Qt::black);
    // Each line at its own baseline: a text block would let the engine
    // reflow or re-space lines, and the columns must stay exact.
    for (std::size_t i = 0; i < job.Lines.size(); ++i) {
        const QString line = QString::fromStdString(job.Lines[i]);
        if (line.trimmed().isEmpty()) continue;
        painter.drawText(QPointF(layout.originX, layout.firstBaseline + i * layout.linePitch),
                         line);
    }
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
            QMessageBox box(QMessageBox::Question, title, text,
                            QMessageBox::Yes | QMessageBox::No, parent);
            box.setDefaultButton(QMessageBox::Yes);
            return box.exec() == QMessageBox::Yes;
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
        dialogs.showError = [parent, title](const QString& text) {
            QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
            box.exec();
        };
    if (!dialogs.showInfo)
        dialogs.showInfo = [parent, title](const QString& text) {
            QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
            box.exec();
        };
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

void PrintJobInteractive(const PrintJob& job, QWidget* parent) {
    PrintJobWith(job, WithRealDialogs({}, parent));
}

}  // namespace quorvex::ui
