// The printed page as the player gets it: the game's own sheet, sent through
// the code that drives the printer, written as PDF and read back as text.
#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QPageSize>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

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

// The print command with the player's answers scripted; `told` collects every
// error and notice shown.
PrintOutcome Print(const PrintJob& job, bool printer, bool wantPdf, const QString& chosen, QStringList* told = nullptr) {
    ui::PrintDialogs hooks;
    hooks.printerInstalled = [printer] { return printer; };
    hooks.askYesNo = [wantPdf](const QString&) { return wantPdf; };
    hooks.chooseFile = [&chosen](const QString&) { return chosen; };
    hooks.showError = hooks.showInfo = [told](const QString& text) { told ? void(*told << text) : void(); };
    return ui::PrintJobWith(job, hooks);
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int Mode(const QString& path) {
    struct stat st {};
    return stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

}  // namespace

class TestPrinting : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { job_ = GameJob(); }

    void pageIsWholeAndLinedUp_data() {
        QTest::addColumn<QPageSize>("paper");
        QTest::addColumn<QString>("font");  // what the job asks for, if not its own
        QTest::newRow("A4, its own font") << QPageSize(QPageSize::A4) << QString();
        QTest::newRow("Letter, a proportional font") << QPageSize(QPageSize::Letter) << "DejaVu Sans";
        QTest::newRow("A4, a missing font") << QPageSize(QPageSize::A4) << "No Such Face Anywhere";
    }

    // One page; both grids of every slot whole with their bars in line, in a
    // fixed-pitch face whatever the job names, shrunk to fit the paper.
    void pageIsWholeAndLinedUp() {
        QFETCH(QPageSize, paper);
        QFETCH(QString, font);
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("needs poppler-utils");
        PrintJob job = job_;
        if (!font.isEmpty()) job.FontName = font.toStdString();
        QTemporaryDir dir;
        const QString pdf = dir.filePath("page.pdf");
        QString error;
        QVERIFY2(ui::SaveJobAsPdf(job, pdf, paper, &error), qPrintable(error));
        const QString info = Run("pdfinfo", {pdf});
        const auto page = QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+)").match(info);
        QVERIFY2(info.contains(QRegularExpression("Pages:\\s+1\\n")) && page.hasMatch(), qPrintable(info));

        // Only what lies on the paper counts.
        const QString text = Run("pdftotext", {"-layout", "-x", "0", "-y", "0", "-W", page.captured(1), "-H",
                                               page.captured(2), pdf, "-"});
        QCOMPARE(text.count("+---+---+---+---+---+---+---+"), 12);
        const QRegularExpression bar("[+|]");
        qsizetype puzzleCol = -1, solutionCol = -1;
        int gridLines = 0;
        for (const QString& line : text.split('\n')) {
            const qsizetype first = line.indexOf(bar);
            if (first < 0) continue;
            const qsizetype second = line.indexOf(bar, first + 29);
            if (++gridLines == 1) puzzleCol = first, solutionCol = second;
            QVERIFY2(first == puzzleCol && second == solutionCol, qPrintable(line));
            const auto isBar = [&line](qsizetype at) { return at < line.size() && (line[at] == '+' || line[at] == '|'); };
            for (qsizetype at = 0; at <= 28; at += 4)  // a bar every four columns
                QVERIFY2(isBar(first + at) && isBar(second + at), qPrintable(line));
        }
        QCOMPARE(gridLines, 3 * 15);
    }

    // Without a printer, a default printer object quietly becomes a PDF writer
    // with no file; the failure is told, never reported as success.
    void printerFailureIsTold() {
        if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("a real printer is installed");
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        QStringList told;
        QCOMPARE(Print(job_, true, false, QString(), &told), PrintOutcome::Failed);
        QVERIFY2(told.size() == 1 && told[0].startsWith("The page could not be printed"), qPrintable(told.join('|')));
    }

    // Nothing is written unless the player says Yes and names a file, and saving
    // never spoils a file. A write cut short (as on a full disk; here by
    // the file-size limit, whose signal main() ignores) and a read-only file
    // leave the old file as it was and nothing else behind, and say so once; a
    // replaced file keeps its permissions, a new one follows the umask, and a
    // link is written through to its file.
    void savingNeverSpoilsAFile() {
        QTemporaryDir dir;
        const QString page = dir.filePath("page.pdf"), link = dir.filePath("link.pdf"), fresh = dir.filePath("new.pdf");
        QStringList told;
        const auto save = [&](const QString& path, const char* says) {
            told.clear();
            const PrintOutcome outcome = Print(job_, false, true, path, &told);
            return told.size() == 1 && told[0].contains(says) ? outcome : PrintOutcome::Declined;
        };
        QCOMPARE(Print(job_, false, false, page), PrintOutcome::Declined);
        QCOMPARE(Print(job_, false, true, QString()), PrintOutcome::Declined);  // file dialog cancelled
        QCOMPARE(Files(dir.path()), QStringList());
        QCOMPARE(save(page, "The page was saved as"), PrintOutcome::SavedPdf);
        const QByteArray old = Contents(page);
        QVERIFY(old.startsWith("%PDF-") && old.trimmed().endsWith("%%EOF"));

        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit {};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit lowered {4096, limit.rlim_max};
        setrlimit(RLIMIT_FSIZE, &lowered);
        const PrintOutcome cut = save(page, "the disk may be full");
        setrlimit(RLIMIT_FSIZE, &limit), std::signal(SIGXFSZ, handler);
        QCOMPARE(cut, PrintOutcome::Failed);
        QCOMPARE(Contents(page), old);
        QCOMPARE(Files(dir.path()), QStringList{"page.pdf"});

        QCOMPARE(chmod(QFile::encodeName(page), 0444), 0);
        QCOMPARE(save(page, "The file is read-only."), PrintOutcome::Failed);
        QVERIFY(Contents(page) == old && Mode(page) == 0444);
        QCOMPARE(chmod(QFile::encodeName(page), 0600), 0);
        QCOMPARE(symlink("page.pdf", QFile::encodeName(link)), 0);
        QCOMPARE(save(link, "The page was saved as"), PrintOutcome::SavedPdf);
        QVERIFY(QFileInfo(link).isSymLink() && Mode(page) == 0600 && Contents(page).startsWith("%PDF-"));

        const mode_t mask = umask(077);
        const PrintOutcome created = save(fresh, "The page was saved as");
        umask(mask);
        QVERIFY(created == PrintOutcome::SavedPdf && Mode(fresh) == 0600);
        QCOMPARE(Files(dir.path()), (QStringList{"link.pdf", "new.pdf", "page.pdf"}));
    }

private:
    PrintJob job_;
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
