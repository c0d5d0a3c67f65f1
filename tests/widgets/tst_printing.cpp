// The printed page as the player gets it: the game's own sheet, sent through
// the code that drives the printer, written as PDF and read back as text.
#include <csignal>
#include <cstring>

#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

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

// The print command with the player's answers scripted; `told` collects every
// error ("error: ...") and notice ("info: ...") shown.
PrintOutcome Print(const PrintJob& job, bool printer, bool wantPdf, const QString& chosen, QStringList* told = nullptr) {
    ui::PrintDialogs hooks;
    hooks.printerInstalled = [printer] { return printer; };
    hooks.askYesNo = [wantPdf](const QString&) { return wantPdf; };
    hooks.chooseFile = [&chosen](const QString&) { return chosen; };
    hooks.showError = [told](const QString& text) { told ? void(*told << "error: " + text) : void(); };
    hooks.showInfo = [told](const QString& text) { told ? void(*told << "info: " + text) : void(); };
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
        QStringList told;
        // /proc takes no new files, whoever runs the test.
        QCOMPARE(Print(job_, false, true, "/proc/page.pdf", &told), PrintOutcome::Failed);
        QVERIFY(told.size() == 1 && told[0].startsWith("error") && !QFile::exists("/proc/page.pdf"));
        // Without a printer, a default printer object quietly becomes a PDF writer with no file.
        if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("a real printer is installed");
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        QCOMPARE(Print(job_, true, false, QString(), &told), PrintOutcome::Failed);
        QVERIFY(told.size() == 2 && told[1].startsWith("error"));
    }

    void savingNeverSpoilsAFile_data() {
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("says");  // in the one message the player gets
        QTest::newRow("full disk") << false << "the disk may be full";
        QTest::newRow("file-size limit") << false << "the disk may be full";
        QTest::newRow("read-only file") << false << "The file is read-only.";
        QTest::newRow("private file") << true << "The page was saved as";
        QTest::newRow("new file, umask 077") << true << "The page was saved as";
        QTest::newRow("link") << true << "The page was saved as";
    }

    // A write that fails or a read-only file leaves the old file as it was and
    // nothing else behind; a replaced file keeps its permissions, a new one
    // follows the umask, a link keeps pointing at its file, which gets the page.
    void savingNeverSpoilsAFile() {
        QFETCH(bool, saved);
        QFETCH(QString, says);
        const QString kind = QTest::currentDataTag();
        QTemporaryDir scratch;
        QVERIFY(scratch.isValid());
        QString dir = scratch.path();
        if (kind == "full disk") {
            dir = scratch.filePath("disk");
            QVERIFY(QDir().mkpath(dir));
            // In a mount namespace of our own the mount goes with this process, however it ends.
            if (unshare(CLONE_NEWNS) == 0) mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr);
            if (mount("tmpfs", QFile::encodeName(dir).constData(), "tmpfs", 0, "size=64k") != 0)
                QSKIP(qPrintable("cannot mount a 64 KiB tmpfs here: " + QString::fromLocal8Bit(strerror(errno))));
        }
        const auto unmount = qScopeGuard([&] {
            if (kind == "full disk") umount2(QFile::encodeName(dir).constData(), MNT_DETACH);
        });
        const QString path = dir + "/page.pdf", real = dir + "/real.pdf";
        QString error;
        if (kind != "new file, umask 077")
            QVERIFY2(ui::SaveJobAsPdf(job_, kind == "link" ? real : path, QPageSize(QPageSize::A4), &error), qPrintable(error));
        if (kind == "link") QCOMPARE(symlink("real.pdf", QFile::encodeName(path).constData()), 0);
        const int mode = kind == "read-only file" ? 0444 : kind == "link" ? 0640 : 0600;
        const QByteArray file = QFile::encodeName(kind == "link" ? real : path);
        if (kind != "new file, umask 077") QCOMPARE(chmod(file.constData(), mode_t(mode)), 0);
        if (kind == "full disk") {  // 4 KiB left, the page needs more
            struct statvfs fs {};
            QCOMPARE(statvfs(QFile::encodeName(dir).constData(), &fs), 0);
            QFile filler(dir + "/filler");
            QVERIFY(filler.open(QIODevice::WriteOnly));
            QVERIFY(filler.write(QByteArray(qsizetype(fs.f_bavail * fs.f_frsize) - 4096, 'x')) > 0 && filler.flush());
        }
        const QByteArray old = Contents(path);
        const QStringList files = Files(dir);

        // The file-size limit kills a program that does not ignore SIGXFSZ, as main() does.
        const auto oldHandler = std::signal(SIGXFSZ, kind == "file-size limit" ? SIG_IGN : SIG_DFL);
        rlimit limit {};
        getrlimit(RLIMIT_FSIZE, &limit);
        rlimit lowered = limit;
        if (kind == "file-size limit") lowered.rlim_cur = 4096;
        setrlimit(RLIMIT_FSIZE, &lowered);
        const mode_t oldMask = umask(0);
        umask(kind == "new file, umask 077" ? 077 : oldMask);
        QStringList shown;
        const PrintOutcome outcome = Print(job_, false, true, path, &shown);
        umask(oldMask);
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY2(shown.size() == 1 && shown[0].startsWith(saved ? "info" : "error") && shown[0].contains(says),
                 qPrintable(shown.join('|')));
        QCOMPARE(outcome, saved ? PrintOutcome::SavedPdf : PrintOutcome::Failed);
        if (!saved) QCOMPARE(Contents(path), old);
        else QVERIFY(Contents(path).startsWith("%PDF-") && Contents(path).trimmed().endsWith("%%EOF"));
        QCOMPARE(Files(dir), kind == "new file, umask 077" ? QStringList{"page.pdf"} : files);
        QCOMPARE(Mode(QFile::decodeName(file)), mode);
        QCOMPARE(QFileInfo(path).isSymLink(), kind == "link");
    }

private:
    PrintJob job_;
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
