// The Tools menu's keys, the status line under an unchanged board, the
// Statistics window, and the statistics file missing, damaged or read-only.
// Every test keeps its files in a scratch folder of its own.
#include <unistd.h>

#include "WindowTest.h"
#include "qt/QtServices.h"
#include "store/Files.h"
#include "store/GameStore.h"
#include "qt/StatisticsForm.h"

using namespace quorvex;
using namespace quorvex::testing;

namespace {

// The real services and files, with a frozen clock and a scripted answer.
struct FileServices : ui::QtServices {
    using QtServices::QtServices;
    double now = 100;
    MsgAnswer answer = MsgAnswer::No;
    std::vector<std::string> asked;
    double monotonicSeconds() override { return now; }
    MsgAnswer showMessage(std::string_view text, MsgButtons buttons) override {
        asked.emplace_back(text);
        return buttons == MsgButtons::Ok ? MsgAnswer::Ok : answer;
    }
};
using Fixture = Window<FileServices>;

// A fresh configuration folder; the user's own is never touched.
struct ScratchConfig {
    QTemporaryDir dir;
    ScratchConfig() { qputenv("XDG_CONFIG_HOME", dir.path().toUtf8()); }
};

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString StatisticsFile() { return QString::fromStdString(store::GameStore(store::ConfigFolder()).StatisticsFile()); }

// Each start logs one line about the statistics file.
void ExpectLogLine(const char* begins = "No statistics yet in ") {
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^quorvex: ") + begins));
}

}  // namespace

class TestExtras : public QObject {
    Q_OBJECT
private slots:
    void toolsMenuKeysUndoRedoAndHint() {
        ScratchConfig config;
        ExpectLogLine();
        Fixture t;
        ui::MainWindow& w = t.w;
        QVERIFY(!t.action("Undox")->isEnabled() && !t.action("Redox")->isEnabled());
        t.click(3), t.click(3);
        // Ctrl+Z three times (the last with nothing left), Ctrl+Shift+Z, Ctrl+Y.
        const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
        for (auto [key, modifiers, after] : {std::tuple{Qt::Key_Z, ctrl, "1"}, {Qt::Key_Z, ctrl, ""},
                                              {Qt::Key_Z, ctrl, ""}, {Qt::Key_Z, ctrl | Qt::ShiftModifier, "1"},
                                              {Qt::Key_Y, ctrl, "2"}}) {
            t.key(key, modifiers);
            QCOMPARE(t.caption(3), QString::fromLatin1(after));
        }
        QVERIFY(t.action("Undox")->isEnabled() && !t.action("Redox")->isEnabled());
        // H: the hinted cell takes the cursor and lights up; Ctrl+Z takes it back.
        t.key(Qt::Key_H);
        const int hinted = w.form().HintedCell;
        QVERIFY(hinted != 0 && w.cursorCell() == hinted && w.cell(hinted)->isFlashing());
        t.key(Qt::Key_Z, ctrl);
        QCOMPARE(t.caption(3), QStringLiteral("2"));
        // Show Solution through its menu item, undone through the Tools menu.
        t.action("ShowSolx")->trigger();
        t.action("Undox")->trigger();
        QCOMPARE(t.caption(3), QStringLiteral("2"));
        QVERIFY(!w.picture(4)->isVisible() && w.rightMess()->isVisible());
        t.action("SolveMx")->trigger();  // set-up mode has nothing to undo
        QVERIFY(!t.action("Undox")->isEnabled() && !t.action("Redox")->isEnabled());
        QVERIFY(t.services->asked.empty());
    }

    void statusLineUnderAnUnchangedBoard() {
        ScratchConfig config;
        // The board keeps the size it always had, and so every cell its place; the status line is under it.
        const auto sameBoard = [](ui::MainWindow& w) {
            QCOMPARE(w.boardArea()->size(), ui::Geometry(ui::Geometry::DefaultScale).clientSize());
        };
        {
            ExpectLogLine();
            Fixture t;
            ui::MainWindow& w = t.w;
            sameBoard(w);
            QVERIFY(w.statusBar()->isVisible() && w.statusBar()->geometry().top() > w.boardArea()->geometry().bottom());
            QVERIFY(t.action("Timerx")->isCheckable() && t.action("Timerx")->isChecked());
            const auto after = [&](double seconds) {
                t.services->now += seconds;
                w.sync();
                return w.timerLabel()->text();
            };
            QCOMPARE(after(0), QStringLiteral("Time 0:00"));
            QCOMPARE(after(65.5), QStringLiteral("Time 1:05"));
            w.showMinimized();  // the clock stops while nobody can see the board
            QTRY_VERIFY(w.isMinimized());
            QCOMPARE(after(300), QStringLiteral("Time 1:05"));
            w.showNormal();
            w.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            QCOMPARE(after(2), QStringLiteral("Time 1:07"));
            // settings.ini is a link to someone else's file: replaced, never written through.
            const QString settings = QFileInfo(StatisticsFile()).path() + "/settings.ini", other = config.dir.filePath("other");
            QDir().mkpath(QFileInfo(settings).path());
            QVERIFY(QFile(other).open(QIODevice::WriteOnly) && QFile::link(other, settings));
            ExpectLogLine(".*settings.ini was a symbolic link to .*other; Quorvex now keeps a file of its own there");
            t.key(Qt::Key_T, Qt::ControlModifier);
            QVERIFY(!w.timerLabel()->isVisible() && !t.action("Timerx")->isChecked() && w.statusBar()->isVisible());
            QVERIFY(Read(other).isEmpty() && !QFileInfo(settings).isSymLink());
            sameBoard(w);
        }
        // Remembered: the next run starts with the time hidden, the board where it was.
        ExpectLogLine();
        Fixture next;
        QVERIFY(!next.w.timerLabel()->isVisible() && !next.action("Timerx")->isChecked());
        sameBoard(next.w);
    }

    void statisticsWindowShowsAndResets() {
        ScratchConfig config;
        QDir().mkpath(QFileInfo(StatisticsFile()).path());
        QFile file(StatisticsFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[statistics]\nbestMs=61000\nbestStreak=3\ncurrentStreak=2\nplayed=12\nrevealed=2\n"
                   "solvedUnaided=3\nsolvedWithHelp=4\nunaidedMs=61000 125000 300000\nversion=1\n");
        file.close();
        Fixture t;
        QStringList seen;
        const auto read = [&seen](ui::StatisticsForm* form) {
            // The title is not cut short in the title bar.
            QVERIFY(form->width() > 2 * form->fontMetrics().horizontalAdvance(form->windowTitle()));
            seen = QStringList{form->windowTitle()};
            for (const char* row : {"Puzzles played", "Solved unaided", "Solved with help", "Solutions revealed",
                                    "Current streak", "Best streak", "Best time", "Median time"})
                seen << form->value(QString::fromLatin1(row));
        };
        OnModal<ui::StatisticsForm>([&] { t.key(Qt::Key_I, Qt::ControlModifier); },
                                    [&](auto* form) { read(form), form->closeButton()->click(); });
        QCOMPARE(seen, QStringList({"Quorvex Statistics", "12", "3", "4", "2", "2", "3", "1:01", "2:05"}));

        // Reset asks first; Yes clears the window and the file.
        t.services->answer = MsgAnswer::Yes;
        OnModal<ui::StatisticsForm>([&] { t.action("Statx")->trigger(); },
                                    [&](auto* form) { form->resetButton()->click(), read(form), form->close(); });
        QCOMPARE(t.services->asked, std::vector<std::string>{"Reset all statistics? This cannot be undone."});
        QCOMPARE(seen, QStringList({"Quorvex Statistics", "0", "0", "0", "0", "0", "0", "-", "-"}));
        QVERIFY(Read(StatisticsFile()).contains("played=0"));

    }

    void damagedOrReadOnlyFilesNeverStopTheGame() {
        const QByteArray garbage = QByteArray(1, '\0') + "\xff\x10[statistics\nplayed=\x01\n";
        const QByteArray five = "[statistics]\nbestMs=none\nbestStreak=0\ncurrentStreak=0\nplayed=5\nsolvedUnaided=0\n"
                                "solvedWithHelp=0\nunaidedMs=\nversion=1\n";
        const struct {
            QByteArray content;  // empty: no file
            const char* line;    // how the one line of warning begins
            bool onScreen, readOnly;
            int loaded, onDisk;
        } cases[] = {
            {{}, "No statistics yet in ", false, false, 0, 1},
            {garbage, "Statistics file ", true, false, 0, 1},
            {QByteArray(five).replace("played=5", "played=-5"), "Statistics file ", true, false, 0, 1},
            {five, "Statistics cannot be saved", true, true, 5, 5},
        };
        for (const auto& c : cases) {
            ScratchConfig config;
            const QString file = StatisticsFile(), folder = QFileInfo(file).path();
            QDir().mkpath(folder);
            QFile f(file);
            QVERIFY(c.content.isEmpty() || (f.open(QIODevice::WriteOnly) && f.write(c.content) == c.content.size()));
            f.close();
            ExpectLogLine(c.line);
            // Root writes anywhere: the read-only case runs as nobody, in a folder nobody may write to.
            const bool asNobody = c.readOnly && geteuid() == 0;
            const auto restore = qScopeGuard([&] {
                if (asNobody) (void)seteuid(0);
                QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            });
            if (c.readOnly) {
                const auto read = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
                const auto enter = read | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
                QFile::setPermissions(file, read);
                QFile::setPermissions(folder, enter);
                QFile::setPermissions(config.dir.path(), enter | QFile::WriteOwner);
                QVERIFY(!asNobody || seteuid(65534) == 0);
            }
            {
                Fixture t;
                QCOMPARE(t.w.form().Stats.Played, c.loaded);
                t.click(3), t.click(5);  // played: saved, or said once that it cannot be; and the game goes on
                QVERIFY(t.caption(5) == QStringLiteral("1") && t.w.form().Stats.Played == c.loaded + 1);
                QCOMPARE(t.w.noteLabel()->isVisible(), c.onScreen);
                QVERIFY(!c.onScreen || t.w.noteLabel()->text().startsWith(QString::fromLatin1(c.line)));
                QCOMPARE(t.w.noteLabel()->toolTip(), t.w.noteLabel()->text());
            }
            // On disk: the new count, or the read-only file as it was; a damaged file kept aside as it was.
            QVERIFY(Read(file).contains("played=" + QByteArray::number(c.onDisk)));
            const bool damaged = QByteArray(c.line).startsWith("Statistics file");
            QCOMPARE(Read(file + ".damaged"), damaged ? c.content : QByteArray());
        }
    }
};

QTEST_MAIN(TestExtras)
#include "tst_extras.moc"
