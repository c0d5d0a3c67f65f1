// The printed page as the player gets it: the game's own sheet, sent through
// the code that drives the printer, written as PDF and read back as text.
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QtTest>

#include "ScriptedServices.h"
#include "game/Form1.h"
#include "qt/PagePrinter.h"

using namespace quorvex;
using quorvex::ui::PrintOutcome;

namespace {

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
    return p.waitForFinished(30000) && p.exitCode() == 0 ? QString::fromUtf8(p.readAllStandardOutput())
                                                        : QString();
}

QByteArray FileHead(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(4) : QByteArray();
}

// The bars of a grid stand every four columns from its first one.
bool BarsAt(const QString& line, qsizetype first) {
    for (qsizetype at = first; at <= first + 28; at += 4)
        if (at >= line.size() || (line[at] != '+' && line[at] != '|')) return false;
    return true;
}

}  // namespace

class TestPrinting : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { job_ = GameJob(); }

    void pageFitsAndLinesUp_data() {
        QTest::addColumn<QPageSize>("paper");
        QTest::addColumn<QString>("sizeName");
        QTest::newRow("A4") << QPageSize(QPageSize::A4) << "A4";
        QTest::newRow("Letter") << QPageSize(QPageSize::Letter) << "letter";
    }

    // One page; both grids of every slot whole with their bars in line; all
    // text inside the margins, as much room left of it as right.
    void pageFitsAndLinesUp() {
        QFETCH(QPageSize, paper);
        QFETCH(QString, sizeName);
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("needs poppler-utils");
        QTemporaryDir dir;
        const QString pdf = dir.filePath("page.pdf");
        QString error;
        QVERIFY2(ui::SaveJobAsPdf(job_, pdf, paper, &error), qPrintable(error));
        const QString info = Run("pdfinfo", {pdf});
        QVERIFY2(info.contains(QRegularExpression("Pages:\\s+1\\n")) && info.contains(sizeName),
                 qPrintable(info));

        const QString text = Run("pdftotext", {"-layout", pdf, "-"});
        QCOMPARE(text.count("+---+---+---+---+---+---+---+"), 12);
        QVERIFY(text.contains("Puzzle No 1 ") && text.contains("Solution to Puzzle No 32766"));
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
        const auto page = QRegularExpression(R"re(<page width="([\d.]+)" height="([\d.]+)")re").match(boxes);
        QVERIFY(page.hasMatch());
        const QSizeF size(page.captured(1).toDouble(), page.captured(2).toDouble());
        QRectF ink;
        const QRegularExpression word(R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)")re");
        for (const auto& m : word.globalMatch(boxes))
            ink |= QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                          QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
        const double margin = 15 * 72 / 25.4 - 1;
        QVERIFY(QRectF(QPointF(0, 0), size).marginsRemoved({margin, margin, margin, margin}).contains(ink));
        QVERIFY(std::abs(ink.left() - (size.width() - ink.right())) < 3);
    }

    // A line far too wide for the paper shrinks the whole page; it is neither
    // wrapped nor cut, and the font never grows past the job's size.
    void overwideLineShrinks() {
        PrintJob wide = job_;
        wide.Lines.push_back("|" + std::string(118, '-') + "|");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QRectF area(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
        const QFont font = ui::ChooseFixedPitchFont("Courier", 12, &printer);
        const auto fitted = ui::LayOutJob(job_, font, &printer, area);
        const auto shrunk = ui::LayOutJob(wide, font, &printer, area);
        QVERIFY(area.contains(shrunk.inkRect) && area.contains(fitted.inkRect));
        QVERIFY(shrunk.font.pointSizeF() < fitted.font.pointSizeF() && fitted.font.pointSizeF() <= 12);
    }

    // Whatever face the job names, the page is set in one whose characters all
    // have the same width; the check itself tells a proportional face apart.
    void fontIsFixedPitch() {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        for (const char* family : {"Courier", "No Such Face Anywhere", "DejaVu Sans"})
            QVERIFY2(ui::IsFixedPitch(ui::ChooseFixedPitchFont(family, 12, &printer), &printer), family);
        QVERIFY(!ui::IsFixedPitch(QFont("DejaVu Sans"), &printer));
    }

    void noPrinter_data() {
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QString>("chosen");   // "" cancels the file dialog
        QTest::addColumn<QString>("written");  // the new or replaced file, if any
        QTest::addColumn<int>("errors");
        QTest::newRow("saved") << QList<bool>{true} << "page.pdf" << "page.pdf" << 0;
        QTest::newRow("suffix added") << QList<bool>{true} << "page" << "page.pdf" << 0;
        QTest::newRow("replaces a file") << QList<bool>{true} << "old.pdf" << "old.pdf" << 0;
        QTest::newRow("no pdf wanted") << QList<bool>{false} << "page.pdf" << "" << 0;
        QTest::newRow("dialog cancelled") << QList<bool>{true} << "" << "" << 0;
        QTest::newRow("suffix names a file, kept") << QList<bool>{true, false} << "old" << "" << 0;
        QTest::newRow("missing folder") << QList<bool>{true} << "none/page.pdf" << "" << 1;
        QTest::newRow("name is a folder") << QList<bool>{true} << "folder.pdf" << "" << 1;
    }

    // Without a printer nothing is written unless the player asks for a PDF
    // and names a file; a failure is told once and leaves no trace.
    void noPrinter() {
        QFETCH(QList<bool>, answers);
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QFETCH(int, errors);
        const bool wantsPdf = answers.value(0);
        QTemporaryDir dir;
        QFile old(dir.filePath("old.pdf"));
        QVERIFY(QDir(dir.path()).mkdir("folder.pdf") && old.open(QIODevice::WriteOnly) && old.write("keep") == 4);
        old.close();
        QStringList questions, shownErrors, shownInfos;
        int dialogs = 0;
        ui::PrintDialogs hooks;
        hooks.printerInstalled = [] { return false; };
        hooks.askYesNo = [&](const QString& t) { return questions << t, !answers.isEmpty() && answers.takeFirst(); };
        hooks.chooseFile = [&](const QString&) { return ++dialogs, chosen.isEmpty() ? QString() : dir.filePath(chosen); };
        hooks.showError = [&](const QString& t) { shownErrors << t; };
        hooks.showInfo = [&](const QString& t) { shownInfos << t; };

        const PrintOutcome outcome = ui::PrintJobWith(job_, hooks);
        QCOMPARE(outcome, written.isEmpty() ? (errors ? PrintOutcome::Failed : PrintOutcome::Declined)
                                            : PrintOutcome::SavedPdf);
        QVERIFY(questions.value(0).contains("No printer") && answers.isEmpty());
        QCOMPARE(dialogs, wantsPdf ? 1 : 0);
        QCOMPARE(shownErrors.size(), errors);
        QCOMPARE(shownInfos.size(), written.isEmpty() ? 0 : 1);
        if (!written.isEmpty()) {
            QVERIFY(shownInfos.value(0).contains(QDir::toNativeSeparators(dir.filePath(written))));
            QCOMPARE(FileHead(dir.filePath(written)), QByteArray("%PDF"));
        }
        QStringList expected{"folder.pdf", "old.pdf"};
        if (!written.isEmpty() && !expected.contains(written)) expected << written;
        expected.sort();
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
                 expected);
        if (written != "old.pdf") QCOMPARE(FileHead(dir.filePath("old.pdf")), QByteArray("keep"));
    }

    // On a machine without printers a default printer object quietly becomes
    // a PDF writer with no file; that must be an error, never silence.
    void printerThatCannotStart() {
        if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("a real printer is installed");
        QStringList shownErrors;
        ui::PrintDialogs hooks;
        hooks.printerInstalled = [] { return true; };
        hooks.showError = [&](const QString& t) { shownErrors << t; };
        hooks.showInfo = [](const QString&) { QFAIL("success reported for a failure"); };
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        QCOMPARE(ui::PrintJobWith(job_, hooks), PrintOutcome::Failed);
        QCOMPARE(shownErrors.size(), 1);
    }

private:
    PrintJob job_;
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
