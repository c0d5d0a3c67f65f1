// The printed page as the player gets it: the game's own sheet, sent through
// the code that drives the printer, written as PDF and read back as text.
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
    return p.waitForFinished(30000) && p.exitCode() == 0 ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

QStringList Files(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// The print command with the player's answers scripted; counts the errors told.
PrintOutcome Print(const PrintJob& job, bool printer, bool wantPdf, const QString& chosen, int* errors = nullptr) {
    ui::PrintDialogs hooks;
    hooks.printerInstalled = [printer] { return printer; };
    hooks.askYesNo = [wantPdf](const QString&) { return wantPdf; };
    hooks.chooseFile = [&chosen](const QString&) { return chosen; };
    hooks.showError = [errors](const QString&) { errors ? void(++*errors) : void(); };
    hooks.showInfo = [](const QString&) {};
    return ui::PrintJobWith(job, hooks);
}

}  // namespace

class TestPrinting : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { job_ = GameJob(); }

    void pageIsWholeAndLinedUp_data() {
        QTest::addColumn<QPageSize>("paper");  // invalid: the print command's own choice
        QTest::addColumn<bool>("wideLine");
        QTest::addColumn<QString>("font");  // what the job asks for, if not its own
        QTest::newRow("print command, no printer, Yes") << QPageSize() << false << QString();
        QTest::newRow("A4, proportional font") << QPageSize(QPageSize::A4) << false << "DejaVu Sans";
        QTest::newRow("Letter, missing font") << QPageSize(QPageSize::Letter) << false << "No Such Face Anywhere";
        QTest::newRow("A4, a line too wide for it") << QPageSize(QPageSize::A4) << true << QString();
    }

    // One page; both grids of every slot whole with their bars in line, in a
    // fixed-pitch face whatever the job names; a line too wide for the paper
    // shrinks the page instead of wrapping or losing ink.
    void pageIsWholeAndLinedUp() {
        QFETCH(QPageSize, paper);
        QFETCH(bool, wideLine);
        QFETCH(QString, font);
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("needs poppler-utils");
        PrintJob job = job_;
        if (!font.isEmpty()) job.FontName = font.toStdString();
        const QString wide = '|' + QString(198, '-') + '|';
        if (wideLine) {  // in the gap above the second slot, so the page grows only sideways
            const auto slot2 = std::find_if(job.Lines.begin(), job.Lines.end(),
                                            [](const std::string& l) { return l.find("Puzzle No 2 ") != std::string::npos; });
            *(slot2 - 2) = wide.toStdString();
        }
        QTemporaryDir dir;
        const QString pdf = dir.filePath("page.pdf");
        if (paper.isValid()) {
            QString error;
            QVERIFY2(ui::SaveJobAsPdf(job, pdf, paper, &error), qPrintable(error));
        } else {
            QCOMPARE(Print(job, false, true, pdf), PrintOutcome::SavedPdf);
        }
        QCOMPARE(Files(dir.path()), QStringList{"page.pdf"});
        const QString info = Run("pdfinfo", {pdf});
        const auto page = QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+)").match(info);
        QVERIFY2(info.contains(QRegularExpression("Pages:\\s+1\\n")) && page.hasMatch(), qPrintable(info));

        // Only what lies on the paper counts.
        const QString text = Run("pdftotext", {"-layout", "-x", "0", "-y", "0", "-W", page.captured(1), "-H",
                                               page.captured(2), pdf, "-"});
        QCOMPARE(text.count("+---+---+---+---+---+---+---+"), 12);
        QCOMPARE(text.contains(wide), wideLine);
        const QRegularExpression bar("[+|]");
        qsizetype puzzleCol = -1, solutionCol = -1;
        int gridLines = 0;
        for (const QString& line : text.split('\n')) {
            const qsizetype first = line.indexOf(bar);
            if (first < 0 || line.contains(wide)) continue;
            const qsizetype second = line.indexOf(bar, first + 29);
            if (++gridLines == 1) puzzleCol = first, solutionCol = second;
            QVERIFY2(first == puzzleCol && second == solutionCol, qPrintable(line));
            const auto isBar = [&line](qsizetype at) { return at < line.size() && (line[at] == '+' || line[at] == '|'); };
            for (qsizetype at = 0; at <= 28; at += 4)  // a bar every four columns
                QVERIFY2(isBar(first + at) && isBar(second + at), qPrintable(line));
        }
        QCOMPARE(gridLines, 3 * 15);
    }

    // Nothing is written unless the player says Yes and names a place that
    // takes the file; every failure is told once, never reported as success.
    void failuresAreToldAndNothingUnaskedIsWritten() {
        QTemporaryDir dir;
        QCOMPARE(Print(job_, false, false, dir.filePath("page.pdf")), PrintOutcome::Declined);
        QCOMPARE(Print(job_, false, true, QString()), PrintOutcome::Declined);  // file dialog cancelled
        QCOMPARE(Files(dir.path()), QStringList());
        int errors = 0;
        // /proc takes no new files, whoever runs the test.
        QCOMPARE(Print(job_, false, true, "/proc/page.pdf", &errors), PrintOutcome::Failed);
        QVERIFY(errors == 1 && !QFile::exists("/proc/page.pdf"));
        // Without a printer, a default printer object quietly becomes a PDF writer with no file.
        if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("a real printer is installed");
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        QCOMPARE(Print(job_, true, false, QString(), &errors), PrintOutcome::Failed);
        QCOMPARE(errors, 2);
    }

private:
    PrintJob job_;
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
