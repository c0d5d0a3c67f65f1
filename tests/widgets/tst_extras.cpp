// The Tools menu's keys, the status line under an unchanged board, the
// Statistics window, and a statistics file that cannot be saved. Each test
// keeps its files in a scratch folder of its own.
#include "WindowTest.h"
#include "qt/QtServices.h"
#include "qt/StatisticsForm.h"
#include "store/Files.h"
#include "store/GameStore.h"

using namespace quorvex;
using namespace quorvex::testing;

namespace {

// The real services and files, with frozen clocks and a scripted answer.
struct FileServices : ui::QtServices {
    using QtServices::QtServices;
    double now = 100;
    MsgAnswer answer = MsgAnswer::No;
    std::vector<std::string> asked;
    double secondsSinceMidnight() override { return 43200; }
    double monotonicSeconds() override { return now; }
    MsgAnswer showMessage(std::string_view text, MsgButtons buttons) override {
        asked.emplace_back(text);
        return buttons == MsgButtons::Ok ? MsgAnswer::Ok : answer;
    }
};
using Fixture = Window<FileServices>;

// A fresh configuration folder holding `statistics` (none when empty); the user's own is never touched.
struct ScratchConfig {
    QTemporaryDir dir;
    QString file;
    explicit ScratchConfig(const QByteArray& statistics = {}) {
        qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
        file = QString::fromStdString(store::GameStore(store::ConfigFolder()).StatisticsFile());
        QDir().mkpath(QFileInfo(file).path());
        QFile f(file);
        if (!statistics.isEmpty()) (void)(f.open(QIODevice::WriteOnly) && f.write(statistics));
        // Each start logs one line about the statistics file.
        if (statistics.isEmpty()) QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^quorvex: No statistics yet in "));
    }
};

}  // namespace

class TestExtras : public QObject {
    Q_OBJECT
private slots:
    // The Tools menu's keys: Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y reach undo and redo,
    // H moves the cursor to the hinted cell and lights it; the timer on the
    // status line, under a board that keeps its size.
    void toolsMenuKeysAndStatusLineUnderAnUnchangedBoard() {
        ScratchConfig config;
        // The board keeps its size, and so every cell its place; the status line is under it.
        const QSize board = ui::Geometry(2.0).clientSize();
        {
            Fixture t;
            ui::MainWindow& w = t.w;
            QVERIFY(w.boardArea()->size() == board && w.statusBar()->geometry().top() > w.boardArea()->geometry().bottom());
            QVERIFY(t.action("Timerx")->isCheckable() && t.action("Timerx")->isChecked());
            t.click(3), t.click(3);
            const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
            QString seen;
            for (auto [key, modifiers] : {std::pair{Qt::Key_Z, ctrl}, {Qt::Key_Z, ctrl}, {Qt::Key_Z, ctrl | Qt::ShiftModifier},
                                          {Qt::Key_Y, ctrl}})
                t.key(key, modifiers), seen += t.caption(3) + '|';
            QVERIFY(seen == QStringLiteral("1||1|2|") && t.action("Undox")->isEnabled() && !t.action("Redox")->isEnabled());
            t.key(Qt::Key_H);
            const int hinted = t.w.form().HintedCell;
            QVERIFY(hinted != 0 && t.w.cursorCell() == hinted && t.w.cell(hinted)->isFlashing());
            const auto after = [&](double seconds) { return t.services->now += seconds, w.sync(), w.timerLabel()->text(); };
            QCOMPARE(after(65.5), QStringLiteral("Time 1:05"));
            w.showMinimized();  // the clock stops while nobody can see the board
            QTRY_VERIFY(w.isMinimized());
            QCOMPARE(after(300), QStringLiteral("Time 1:05"));
            w.showNormal(), w.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            QCOMPARE(after(2), QStringLiteral("Time 1:07"));
            t.key(Qt::Key_T, ctrl);
            QVERIFY(!w.timerLabel()->isVisible() && !t.action("Timerx")->isChecked() && w.statusBar()->isVisible());
        }
        // Remembered: the next run starts with the time hidden, the board where it was.
        Fixture next;
        QVERIFY(!next.w.timerLabel()->isVisible() && !next.action("Timerx")->isChecked());
        QCOMPARE(next.w.boardArea()->size(), board);
    }

    void statisticsWindowShowsAndResets() {
        ScratchConfig config("[statistics]\nbestMs=61000\nbestStreak=3\ncurrentStreak=2\nplayed=12\nrevealed=2\n"
                             "solvedUnaided=3\nsolvedWithHelp=4\nunaidedMs=61000 125000 300000\nversion=1\n");
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
        QVERIFY(Contents(config.file).contains("played=0"));
    }

    // A file that cannot be saved is left as it was: the status line says so
    // once, the game goes on and counts in memory. (Why a save fails: the store's tests.)
    void unsavableFileNeverStopsTheGame() {
        ScratchConfig config("[statistics]\nbestMs=none\nbestStreak=0\ncurrentStreak=0\nplayed=5\nsolvedUnaided=0\n"
                             "solvedWithHelp=0\nunaidedMs=\nversion=1\n");
        // A folder where the lock file belongs: the lock can never be taken.
        QVERIFY(QDir().mkpath(QFileInfo(config.file).path() + "/quorvex.lock"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Statistics cannot be saved"));
        {
            Fixture t;
            t.click(3), t.click(5);  // played
            QVERIFY(t.caption(5) == QStringLiteral("1") && t.w.form().Stats.Played == 6);
            QVERIFY(t.w.noteLabel()->isVisible() && t.w.noteLabel()->toolTip() == t.w.noteLabel()->text());
            QCOMPARE(t.w.noteLabel()->text(), "Statistics cannot be saved: they are kept until Quorvex closes.");
        }
        QVERIFY(Contents(config.file).contains("played=5") && !QFile::exists(config.file + ".damaged"));
    }
};

QTEST_MAIN(TestExtras)
#include "tst_extras.moc"
