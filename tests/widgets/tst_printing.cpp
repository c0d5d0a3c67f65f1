// The printed page as the player gets it: the game's own sheet, sent through
// the code that drives the printer, written as PDF and read back as text.
#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>

#include "WindowTest.h"
#include "qt/PagePrinter.h"
#include "qt/PrintLibrary.h"
#include "qt/QtServices.h"

using namespace quorvex;
using testing::Contents;
using ui::PrintOutcome;

namespace {

QString Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    return p.waitForFinished(30000) && p.exitCode() == 0 ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

// A file's permission bits.
int Mode(const QString& path) {
    struct stat st {};
    return stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

}  // namespace

class TestPrinting : public QObject {
    Q_OBJECT
    PrintJob job_;

    // The print command with the player's answers scripted: a printer or none,
    // a PDF instead or not, the file chosen, and whether to replace a file.
    // `told` collects every question, error and notice.
    PrintOutcome print(bool printer, bool pdf, const QString& chosen, QStringList* told = nullptr, bool replace = true) {
        ui::PrintDialogs hooks;
        hooks.printerInstalled = [printer] { return printer; };
        hooks.askYesNo = [=](const QString& text) {
            return told ? void(*told << text) : void(), text.contains("replace") ? replace : pdf;
        };
        hooks.chooseFile = [&chosen](const QString&) { return chosen; };
        hooks.showError = hooks.showInfo = [told](const QString& text) { told ? void(*told << text) : void(); };
        return ui::PrintJobWith(job_, hooks);
    }

private slots:
    // Three slots filled, the last with the widest heading a puzzle number allows.
    void initTestCase() {
        testing::ScriptedServices services;
        Form1 form(services);
        form.Form_Load();
        form.NewPuz_Click();
        form.PuzzleNo = 32765;
        form.NewPuz_Click();
        services.answers = {MsgAnswer::Yes};
        form.PrintX_Click();
        QVERIFY(!services.printed.empty());
        job_ = services.printed.back();
    }

    // One page; both grids of every slot whole with their bars in line, in a
    // fixed-pitch face whatever the job names, shrunk to fit the paper.
    void pageIsWholeAndLinedUp() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("needs poppler-utils");
        for (auto [paper, font] : {std::pair{QPageSize::A4, ""}, {QPageSize::Letter, "DejaVu Sans"},
                                   {QPageSize::A4, "No Such Face Anywhere"}}) {
            PrintJob job = job_;
            if (*font) job.FontName = font;
            QTemporaryDir dir;
            const QString pdf = dir.filePath("page.pdf");
            QString error;
            QVERIFY2(ui::SaveJobAsPdf(job, pdf, QPageSize(paper), &error), qPrintable(error));
            const QString info = Run("pdfinfo", {pdf});
            const auto page = QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+)").match(info);
            QVERIFY2(info.contains(QRegularExpression("Pages:\\s+1\\n")) && page.hasMatch(), qPrintable(info));
            // Only what lies on the paper counts: every line with a bar holds both grids
            // whole, a bar every four columns, in the same columns throughout.
            const QString text = Run("pdftotext", {"-layout", "-x", "0", "-y", "0", "-W", page.captured(1), "-H",
                                                   page.captured(2), pdf, "-"});
            QCOMPARE(text.count("+---+---+---+---+---+---+---+"), 12);
            const QRegularExpression grid("^( *)[+|](?:.{3}[+|]){7}( +)[+|](?:.{3}[+|]){7}");
            QSet<QString> columns;
            int gridLines = 0;
            for (const QString& line : text.split('\n')) {
                if (!line.contains('+') && !line.contains('|')) continue;
                const auto m = grid.match(line);
                QVERIFY2(m.hasMatch(), qPrintable(line));
                columns << m.captured(1) + '.' + m.captured(2), ++gridLines;
            }
            QVERIFY2(gridLines == 3 * 15 && columns.size() == 1, font);
        }
    }

    // Without a printer, a default printer object quietly becomes a PDF writer
    // with no file; the failure is told, never reported as success.
    void printerFailureIsTold() {
        if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("a real printer is installed");
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        QStringList told;
        QCOMPARE(print(true, false, QString(), &told), PrintOutcome::Failed);
        QVERIFY2(told.size() == 1 && told[0].startsWith("The page could not be printed"), qPrintable(told.join('|')));
    }

    // Nothing is written unless the player says Yes and names a file, and saving
    // never spoils a file: a name typed without ".pdf" asks before replacing
    // NAME.pdf; a write cut short (as on a full disk; here by the file-size
    // limit, whose signal main() ignores) and a read-only file leave the old
    // file as it was and nothing else behind, and say so once; a replaced file
    // keeps its permissions, and a link is written through to its file.
    void savingNeverSpoilsAFile() {
        QTemporaryDir dir;
        const QString page = dir.filePath("page.pdf"), link = dir.filePath("link.pdf");
        const auto files = [&] { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System); };
        // The outcome when the last thing the player was told was `says`, and once only.
        const auto save = [&](const QString& path, const char* says, bool replace = true) {
            QStringList told;
            const PrintOutcome outcome = print(false, true, path, &told, replace);
            return told.size() >= 2 && told.back().contains(says) && told.filter(says).size() == 1 ? outcome
                                                                                                : PrintOutcome(-1);
        };
        QCOMPARE(print(false, false, page), PrintOutcome::Declined);
        QCOMPARE(print(false, true, QString()), PrintOutcome::Declined);  // file dialog cancelled
        QCOMPARE(files(), QStringList());
        QCOMPARE(save(page, "The page was saved as"), PrintOutcome::SavedPdf);
        const QByteArray old = Contents(page);
        QVERIFY(old.startsWith("%PDF-") && old.trimmed().endsWith("%%EOF"));
        QCOMPARE(save(dir.filePath("page"), "page.pdf already exists.", false), PrintOutcome::Declined);
        QCOMPARE(Contents(page), old);

        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit lowered{4096, limit.rlim_max};
        setrlimit(RLIMIT_FSIZE, &lowered);
        const PrintOutcome cut = save(page, "the disk may be full");
        setrlimit(RLIMIT_FSIZE, &limit), std::signal(SIGXFSZ, handler);
        QCOMPARE(cut, PrintOutcome::Failed);
        QVERIFY(Contents(page) == old && files() == QStringList{"page.pdf"});

        QCOMPARE(chmod(QFile::encodeName(page), 0444), 0);
        QCOMPARE(save(page, "The file is read-only."), PrintOutcome::Failed);
        QVERIFY(Contents(page) == old && Mode(page) == 0444);
        QCOMPARE(chmod(QFile::encodeName(page), 0600), 0);
        QCOMPARE(symlink("page.pdf", QFile::encodeName(link)), 0);
        QCOMPARE(save(link, "The page was saved as"), PrintOutcome::SavedPdf);
        QVERIFY(QFileInfo(link).isSymLink() && Mode(page) == 0600 && Contents(page).startsWith("%PDF-"));
        QCOMPARE(files(), (QStringList{"link.pdf", "page.pdf"}));
    }

    // The game loads its printing the first time the player prints. Without
    // the library the player is told why and the game goes on; a file that is
    // no library is refused; the real one prints. (It stays loaded once
    // found, so the failures come first.)
    void printingLoadsItsLibrary() {
        const QTemporaryDir config, dir;
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        ui::MainWindow w;
        ui::QtServices services(w);
        QString said;
        QVERIFY(testing::OnModal<QMessageBox>([&] { services.printPage(job_); },
                                              [&](QMessageBox* box) { said = box->windowTitle() + ": " + box->text(), box->accept(); }));
        QVERIFY2(said.startsWith("Quorvex: Printing is not available: its library could not be loaded.") &&
                     said.contains("libquorvex_print.so was not found in"), qPrintable(said));
        QCOMPARE(w.windowTitle(), QStringLiteral("Puzzle Number  1"));

        ui::PrintDialogs hooks;
        hooks.printerInstalled = [] { return false; };
        hooks.askYesNo = [](const QString&) { return true; };
        const QString pdf = dir.filePath("page.pdf");
        hooks.chooseFile = [&](const QString&) { return pdf; };
        hooks.showError = hooks.showInfo = [](const QString&) {};
        QString why;
        int outcome = -1;
        QFile junk(dir.filePath(ui::PrintLibraryName));
        QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write("not a library") > 0);
        junk.close();
        QVERIFY(!ui::PrintThroughLibrary(job_, nullptr, &hooks, {dir.path()}, &why, &outcome));
        QVERIFY2(!why.isEmpty() && outcome == -1 && !QFile::exists(pdf), qPrintable(why));
        QVERIFY(ui::PrintThroughLibrary(job_, nullptr, &hooks, {dir.filePath("none"), QUORVEX_PRINT_LIBRARY_DIR}, &why, &outcome));
        QCOMPARE(PrintOutcome(outcome), PrintOutcome::SavedPdf);
        QVERIFY(Contents(pdf).startsWith("%PDF-"));
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
