// Putting the print sheet on paper. One drawing routine serves the printer and
// the PDF file, so what a test reads back from the PDF is what paper shows.
#include "qt/PagePrinter.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

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
void SetMargins(QPrinter& printer) {
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Point);
    const QMarginsF least = layout.minimumMargins();
    const double want = MarginMm * 72.0 / 25.4;
    printer.setPageMargins(QMarginsF(std::max(want, least.left()), std::max(want, least.top()),
                                     std::max(want, least.right()), std::max(want, least.bottom())),
                           QPageLayout::Point);
}

}  // namespace

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
    layout.inkRect = QRectF(left, top, block.width, block.height);
    return layout;
}

bool RenderJob(QPrinter& printer, const PrintJob& job, QString* error) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (error) *error = QStringLiteral("The page could not be started.");
        return false;
    }
    const QFont font = ChooseFixedPitchFont(JobFamily(job), JobPointSize(job), &printer);
    // The painter's origin is the top left of the printable area.
    const QRectF area(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
    const PageLayout layout = LayOutJob(job, font, &printer, area);

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
    const bool ended = painter.end();
    if (!ended || printer.printerState() == QPrinter::Error) {
        if (error) *error = QStringLiteral("The page could not be finished.");
        return false;
    }
    return true;
}

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

    // Written beside the target and moved over it only when complete, so a
    // failure leaves no half file and never spoils a file being replaced.
    QTemporaryFile temp(folder + QStringLiteral("/.quorvex-XXXXXX.pdf"));
    if (!temp.open())
        return fail(QStringLiteral("Cannot write in the folder %1: %2")
                        .arg(Native(folder), temp.errorString()));
    temp.close();

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(temp.fileName());
    printer.setPageSize(pageSize);
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(QString::fromLatin1(DocName));
    printer.setCreator(QString::fromLatin1(text::AppTitle));
    SetMargins(printer);
    QString why;
    if (!RenderJob(printer, job, &why)) return fail(why);
    if (QFileInfo(temp.fileName()).size() == 0)
        return fail(QStringLiteral("Nothing could be written to the folder %1.").arg(Native(folder)));

    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(QFile::encodeName(temp.fileName()).toStdString()),
                            std::filesystem::path(QFile::encodeName(path).toStdString()), ec);
    if (ec) return fail(QString::fromStdString(ec.message()));
    temp.setAutoRemove(false);
    // A temporary file is private to its owner; a saved page is an ordinary document.
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                    QFile::ReadOther);
    return true;
}

QString DefaultPdfPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
    return QDir(folder).filePath(QString::fromLatin1(PdfFileName));
}

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

PrintOutcome PrintJobWith(const PrintJob& job, const PrintDialogs& dialogs) {
    QString why;
    if (dialogs.printerInstalled()) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        QPrinter printer(info, QPrinter::HighResolution);
        printer.setDocName(QString::fromLatin1(DocName));
        printer.setCreator(QString::fromLatin1(text::AppTitle));
        SetMargins(printer);
        if (!RenderJob(printer, job, &why)) {
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
