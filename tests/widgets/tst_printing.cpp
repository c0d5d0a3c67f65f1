// The printed page as the player gets it: the game's own sheet, sent through
// the code that drives the printer, written as PDF and read back as text.
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "ScriptedServices.h"
#include "game/Form1.h"
#include "qt/PagePrinter.h"

using namespace quorvex;
using quorvex::ui::PrintOutcome;

namespace {

constexpr double MarginPt = 15.0 * 72.0 / 25.4;

// Three slots filled, the last with the widest heading a puzzle number allows.
PrintJob GameJob() {
    testing::ScriptedServices services;
    Form1 form(services);
    form.Form_Load();
    form.NewPuz_Click();
    form.PuzzleNo = 32765;
    form.NewPuz_Click();
    services.answers = {MsgAnswer::Yes};
    form.PrintX_Click();
    if (services.printed.empty()) qFatal("the print command printed nothing");
    return services.printed.back();
}

QString Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

bool HavePoppler() { return !QStandardPaths::findExecutable("pdftotext").isEmpty(); }

QStringList DirEntries(const QString& path) {
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                QDir::Name);
}

QByteArray FileHead(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(4) : QByteArray();
}

// The bars of a grid stand every four columns from its first one.
bool BarsAt(const QString& line, qsizetype first) {
    for (int k = 0; k <= 7; ++k) {
        const qsizetype at = first + 4 * k;
        if (at >= line.size() || (line[at] != '+' && line[at] != '|')) return false;
    }
    return true;
}

}  // namespace

class TestPrinting : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        job_ = GameJob();
        QCOMPARE(job_.Lines.size(), std::size_t{59});
    }

    void pageFitsAndLinesUp_data() {
        QTest::addColumn<QPageSize>("paper");
        QTest::addColumn<QString>("sizeName");
        QTest::newRow("A4") << QPageSize(QPageSize::A4) << "A4";
        QTest::newRow("Letter") << QPageSize(QPageSize::Letter) << "letter";
    }

    // One page, every grid in both columns of the sheet intact and its bars in
    // line, all text inside the margins with the space left and right equal.
    void pageFitsAndLinesUp() {
        QFETCH(QPageSize, paper);
        QFETCH(QString, sizeName);
        if (!HavePoppler()) QSKIP("poppler-utils not installed");
        QTemporaryDir dir;
        const QString pdf = dir.filePath("page.pdf");
        QString error;
        QVERIFY2(ui::SaveJobAsPdf(job_, pdf, paper, &error), qPrintable(error));

        const QString info = Run("pdfinfo", {pdf});
        QVERIFY2(info.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(info));
        QVERIFY2(info.contains("(" + sizeName + ")"), qPrintable(info));

        const QString text = Run("pdftotext", {"-layout", pdf, "-"});
        QCOMPARE(text.count(QChar('\f')), 1);
        QCOMPARE(text.count("+---+---+---+---+---+---+---+"), 12);
        QVERIFY(text.contains("Puzzle No 1"));
        QVERIFY(text.contains("Solution to Puzzle No 32766"));
        qsizetype puzzleCol = -1, solutionCol = -1;
        int gridLines = 0;
        for (const QString& line : text.split('\n')) {
            const qsizetype first = line.indexOf(QRegularExpression("[+|]"));
            if (first < 0) continue;
            ++gridLines;
            const qsizetype second = line.indexOf(QRegularExpression("[+|]"), first + 29);
            if (puzzleCol < 0) puzzleCol = first, solutionCol = second;
            QVERIFY2(first == puzzleCol && second == solutionCol, qPrintable(line));
            QVERIFY2(BarsAt(line, first) && BarsAt(line, second), qPrintable(line));
        }
        QCOMPARE(gridLines, 3 * 15);

        const QString boxes = Run("pdftotext", {"-bbox", pdf, "-"});
        const QRegularExpression pageRe(R"re(<page width="([\d.]+)" height="([\d.]+)")re");
        const auto page = pageRe.match(boxes);
        QVERIFY(page.hasMatch());
        const double width = page.captured(1).toDouble(), height = page.captured(2).toDouble();
        double left = width, right = 0, top = height, bottom = 0;
        const QRegularExpression wordRe(
            R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)")re");
        for (const auto& m : wordRe.globalMatch(boxes)) {
            left = std::min(left, m.captured(1).toDouble());
            top = std::min(top, m.captured(2).toDouble());
            right = std::max(right, m.captured(3).toDouble());
            bottom = std::max(bottom, m.captured(4).toDouble());
        }
        QVERIFY(left >= MarginPt - 1 && width - right >= MarginPt - 1);
        QVERIFY(top >= MarginPt - 1 && height - bottom >= MarginPt - 1);
        QVERIFY2(std::abs(left - (width - right)) < 3, qPrintable(QString::number(left)));
    }

    // A line far too wide for the paper is shrunk, not wrapped or cut.
    void overwideLineShrinks() {
        if (!HavePoppler()) QSKIP("poppler-utils not installed");
        PrintJob wide = job_;
        const std::string longLine = "|" + std::string(118, '-') + "|";
        wide.Lines.push_back(longLine);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("wide.pdf");
        QString error;
        QVERIFY2(ui::SaveJobAsPdf(wide, pdf, QPageSize(QPageSize::A4), &error), qPrintable(error));
        QVERIFY(Run("pdfinfo", {pdf}).contains(QRegularExpression("Pages:\\s+1\\n")));
        QVERIFY(Run("pdftotext", {"-layout", pdf, "-"}).contains(QString::fromStdString(longLine)));

        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QRectF area(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
        const QFont font = ui::ChooseFixedPitchFont("Courier", 12, &printer);
        const auto fitted = ui::LayOutJob(job_, font, &printer, area);
        const auto shrunk = ui::LayOutJob(wide, font, &printer, area);
        QVERIFY(area.contains(shrunk.inkRect));
        QVERIFY(shrunk.font.pointSizeF() < fitted.font.pointSizeF());
        QVERIFY(fitted.font.pointSizeF() <= 12);
    }

    // Whatever the job names, the page is set in a face whose characters all
    // have one width, or the grids would not line up.
    void fontIsFixedPitch() {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        for (const char* family : {"Courier", "No Such Face Anywhere", "DejaVu Sans"}) {
            const QFont font = ui::ChooseFixedPitchFont(family, 12, &printer);
            QVERIFY2(ui::IsFixedPitch(font, &printer), family);
            QCOMPARE(font.pointSizeF(), 12.0);
        }
        QFont proportional("DejaVu Sans");
        proportional.setStyleHint(QFont::SansSerif);
        QVERIFY(!ui::IsFixedPitch(proportional, &printer));
    }

    void noPrinter_data() {
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QString>("chosen");  // "" cancels the file dialog
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("written");  // the new or replaced file, if any
        QTest::addColumn<int>("errors");
        const int saved = int(PrintOutcome::SavedPdf), declined = int(PrintOutcome::Declined),
                  failed = int(PrintOutcome::Failed);
        QTest::newRow("saved") << QList<bool>{true} << "page.pdf" << saved << "page.pdf" << 0;
        QTest::newRow("suffix added") << QList<bool>{true} << "page" << saved << "page.pdf" << 0;
        QTest::newRow("replaces a file") << QList<bool>{true} << "old.pdf" << saved << "old.pdf" << 0;
        QTest::newRow("no pdf wanted") << QList<bool>{false} << "page.pdf" << declined << "" << 0;
        QTest::newRow("dialog cancelled") << QList<bool>{true} << "" << declined << "" << 0;
        QTest::newRow("added suffix names a file, kept")
            << QList<bool>{true, false} << "old" << declined << "" << 0;
        QTest::newRow("missing folder") << QList<bool>{true} << "none/page.pdf" << failed << "" << 1;
        QTest::newRow("name is a folder") << QList<bool>{true} << "folder.pdf" << failed << "" << 1;
    }

    // Without a printer nothing is written unless the player asks for a PDF
    // and names a file; a failure is told once and leaves no trace.
    void noPrinter() {
        QFETCH(QList<bool>, answers);
        QFETCH(QString, chosen);
        QFETCH(int, outcome);
        QFETCH(QString, written);
        QFETCH(int, errors);
        const bool wantsPdf = answers.value(0);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("folder.pdf"));
        {
            QFile old(dir.filePath("old.pdf"));
            QVERIFY(old.open(QIODevice::WriteOnly) && old.write("keep") == 4);
        }
        QStringList questions, shownErrors, shownInfos;
        int dialogs = 0;
        ui::PrintDialogs hooks;
        hooks.printerInstalled = [] { return false; };
        hooks.askYesNo = [&](const QString& t) {
            questions << t;
            return answers.isEmpty() ? false : answers.takeFirst();
        };
        hooks.chooseFile = [&](const QString&) {
            ++dialogs;
            return chosen.isEmpty() ? QString() : dir.filePath(chosen);
        };
        hooks.showError = [&](const QString& t) { shownErrors << t; };
        hooks.showInfo = [&](const QString& t) { shownInfos << t; };

        QCOMPARE(int(ui::PrintJobWith(job_, hooks)), outcome);
        QVERIFY(questions.value(0).contains("No printer"));
        QVERIFY(answers.isEmpty());
        QCOMPARE(dialogs, wantsPdf ? 1 : 0);
        QCOMPARE(shownErrors.size(), errors);
        QCOMPARE(shownInfos.size(), outcome == int(PrintOutcome::SavedPdf) ? 1 : 0);
        if (!written.isEmpty()) {
            QVERIFY(shownInfos.value(0).contains(QDir::toNativeSeparators(dir.filePath(written))));
            QCOMPARE(FileHead(dir.filePath(written)), QByteArray("%PDF"));
        }
        QStringList expected{"folder.pdf", "old.pdf"};
        if (!written.isEmpty() && !expected.contains(written)) expected << written;
        expected.sort();
        QCOMPARE(DirEntries(dir.path()), expected);
        if (written != "old.pdf") QCOMPARE(FileHead(dir.filePath("old.pdf")), QByteArray("keep"));
    }

    // The trap of a machine without printers: a default printer object quietly
    // turns into a PDF writer with no file. That must be an error, not silence.
    void printerThatCannotStart() {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("a real printer is installed; this would print on it");
        QStringList shownErrors;
        ui::PrintDialogs hooks;
        hooks.printerInstalled = [] { return true; };
        hooks.askYesNo = [](const QString&) { return true; };
        hooks.chooseFile = [](const QString&) { return QString(); };
        hooks.showError = [&](const QString& t) { shownErrors << t; };
        hooks.showInfo = [](const QString&) { QFAIL("success reported for a failure"); };
        QCOMPARE(ui::PrintJobWith(job_, hooks), PrintOutcome::Failed);
        QCOMPARE(shownErrors.size(), 1);
    }

private:
    PrintJob job_;
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
