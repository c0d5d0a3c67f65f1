// The main window as the player meets it: what start-up paints, its menus,
// clicks through the real widgets reaching the game, the board under
// resizing, every command through its real menu item or button, the real
// message boxes, and which environments are refused a window before Qt starts.
#include <stdexcept>

#include "WindowTest.h"
#include "qt/BoardGrid.h"
#include "qt/DisplayCheck.h"
#include "qt/QtServices.h"

using namespace quorvex;
using namespace quorvex::testing;

namespace {

constexpr int FourCorners[4] = {1, 7, 43, 49};

struct GameServices : ScriptedServices {
    bool failPrint = false;
    void printPage(const PrintJob& job) override {
        if (failPrint) throw std::runtime_error("printer on fire");
        ScriptedServices::printPage(job);
    }
};
using Fixture = Window<GameServices>;

// Drops text on `target`; the action agreed to, or IgnoreAction when refused.
Qt::DropAction Drop(QWidget* target, Qt::DropActions offered) {
    QMimeData data;
    data.setText(QStringLiteral("dragged from elsewhere"));
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QDropEvent drop(QPointF(at), offered, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter), QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void startupPaintsTheCoreAndClicksReachIt() {
        Fixture t;
        ui::MainWindow& w = t.w;
        QCOMPARE(t.title(), QStringLiteral("Puzzle Number  1"));
        // The game's captions, each with a letter for Alt+P and that letter; "&" marks Alt+P and Alt+T.
        QCOMPARE(QStringList({w.puzzleMenu()->title(), w.toolsMenu()->title()}), QStringList({"&Puzzle", "&Tools"}));
        QCOMPARE(ItemsOf(w.puzzleMenu()), (MenuItems{{"&Start a Solution", ""}, {"Sho&w Solution", ""}, {"-", ""},
                                                    {"Set a Puzzle for &computer to solve", ""}, {"-", ""},
                                                    {"&Print", "Ctrl+P"}, {"-", ""}, {"&Help", "F1"}, {"&About", ""},
                                                    {"-", ""}, {"E&xit", "Ctrl+Q"}}));
        QCOMPARE(ItemsOf(w.toolsMenu()), (MenuItems{{"&Undo", "Ctrl+Z"}, {"&Redo", "Ctrl+Shift+Z"}, {"&Hint", "H"},
                                                   {"-", ""}, {"&Statistics...", "Ctrl+I"}, {"Show &Timer", "Ctrl+T"}}));
        QCOMPARE(QStringList({w.rightMess()->text(), w.newPuzButton()->caption()}),
                 QStringList({"Get corner numbers right", "New Puzzle"}));
        QCOMPARE(FaceColour(w.rightMess()), Green);
        // A screen reader asking what lies under the label finds the label, not the frame around it all.
        const QPoint label = w.rightMess()->mapToGlobal(w.rightMess()->rect().center());
        QCOMPARE(QAccessible::queryAccessibleInterface(w.boardArea())->childAt(label.x(), label.y())->object(), w.rightMess());
        for (int j = 1; j <= 4; ++j) QVERIFY(!w.picture(j)->isVisible() && FaceColour(w.cell(FourCorners[j - 1])) == Green);
        // A blank cell is part of the frame, not a place to fill in.
        QCOMPARE(FaceColour(w.cell(9)), Black);
        QCOMPARE(w.cell(41)->accessibleName() + " / " + w.cell(3)->accessibleName(),
                 QStringLiteral("Row 6, column 6: blank / Row 1, column 3: empty"));
        // A screen reader finds every cell at its row and column; a question past the board gets the nearest.
        QAccessibleTableInterface* table = QAccessible::queryAccessibleInterface(w.grid())->tableInterface();
        for (int i = 1; i <= 50; ++i) {
            QAccessibleInterface* cell = i < 50 ? table->cellAt((i - 1) / 7, (i - 1) % 7) : table->cellAt(9, -1);
            QVERIFY2(cell && cell->object() == w.cell(i < 50 ? i : 43), qPrintable(QString::number(i)));
            const QAccessibleTableCellInterface* at = cell->tableCellInterface();
            QVERIFY2(i == 50 || at->rowIndex() * 7 + at->columnIndex() == i - 1, qPrintable(cell->text(QAccessible::Name)));
        }

        t.click(3, Qt::LeftButton), t.click(5, Qt::RightButton);
        QCOMPARE(t.caption(3) + t.caption(5), QStringLiteral("19"));

        // Cell 49 shows the result row's 3, the target, but the result column gives
        // 3 * 3 - 3: the corner stays black and says why, on screen and to a screen reader.
        Form1& f = w.form();
        const std::string b = "1+1+1=3+.+.+.*1+1+1=3+.+.+.-1+1+9=3=.=.=.=3+3-3=?";
        for (std::size_t i = 1; i <= 49; ++i) f.GridDisp[i].Caption = b[i - 1] == '.' ? "" : b.substr(i - 1, 1);
        f.SolNum = {"", " 1", "", "", " 3", "", "", "", "", "", "", "", "", " 3", "", "", " 3"};
        t.click(33);
        const QString why = QStringLiteral("The result row gives 3 but the result column gives 6.");
        QVERIFY(t.caption(49) == "3" && FaceColour(w.cell(49)) == Black && w.cell(49)->toolTip() == why);
        QCOMPARE(QAccessible::queryAccessibleInterface(w.cell(49))->text(QAccessible::Description), "given corner. " + why);
    }

    // Resized, the board grows as far as the room allows in one direction,
    // centred, never below its design size, and a click still finds each cell
    // where it is drawn.
    void boardFillsTheRoomWhenResized() {
        Fixture t;
        QVERIFY(t.w.frameGeometry().width() <= 1366 && t.w.frameGeometry().height() <= 768);
        for (QSize size : {QSize(900, 900), QSize(1200, 500)}) {
            t.w.resize(size);
            QCoreApplication::processEvents();
            // The design: a board of 302.4 by 309.6 pixels, the frame 293 wide at 4, 4 on it.
            const QRect room = t.w.boardArea()->rect(), frame = t.w.frame()->geometry();
            const double k = frame.width() / 293.0;
            const QPointF centre = QPointF(frame.topLeft()) + QPointF(151.2 - 4, 154.8 - 4) * k;
            const QByteArray at = QStringLiteral("%1x%2 at %3").arg(size.width()).arg(size.height()).arg(k).toUtf8();
            QVERIFY2(k >= 1 && std::min(room.width() - 302.4 * k, room.height() - 309.6 * k) <= 2, at);
            QVERIFY2((centre - QRectF(room).center()).manhattanLength() <= 2, at);
            t.click(3), t.click(33);
            QVERIFY2(t.caption(3) + t.caption(33) == (size.width() == 900 ? "11" : "22"), at);
        }
    }

    void everyCommandThroughItsMenuItemOrButton() {
        Fixture t;
        ui::MainWindow& w = t.w;
        GameServices& s = *t.services;
        const auto clickButton = [](auto* b) { QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center()); };

        t.action("StartSolx")->trigger();
        QCOMPARE(t.caption(2) + t.caption(28), QStringLiteral("++"));
        t.action("ShowSolx")->trigger();
        // A smiley in each corner's target cell, drawn at its size on screen.
        QLabel* smiley = w.picture(4);
        const int side = std::min(smiley->width(), smiley->height());
        QVERIFY(w.picture(1)->isVisible() && !w.cell(50)->isVisible() && !w.cell(53)->isVisible());
        QCOMPARE(smiley->pixmap().deviceIndependentSize().toSize(), QSize(side, side));
        clickButton(w.newPuzButton());
        QCOMPARE(t.title(), QStringLiteral("Puzzle Number  2"));

        // A command that throws is told to the player, and the game goes on.
        for (bool fail : {true, false}) {
            s.failPrint = fail, s.answers = {MsgAnswer::Yes};
            t.action("PrintX")->trigger();
        }
        const std::string told = s.messages.end()[-2].text;
        QVERIFY2(told.find("printer on fire") != std::string::npos, told.c_str());
        QCOMPARE(s.printed.size(), std::size_t(1));

        QAction* solveMx = t.action("SolveMx");
        solveMx->trigger();
        QCOMPARE(QStringList({solveMx->text().remove('&'), w.compMess()->text(), w.solveitButton()->caption()}),
                 QStringList({"End computer solution mode", "Click corners to set Puzzle", "Solve Puzzle"}));
        QVERIFY(FaceColour(w.compMess()) == Red && !w.rightMess()->isVisible() && !w.newPuzButton()->isVisible());
        for (int corner : FourCorners) QCOMPARE(FaceColour(w.cell(corner)), Red);
        t.click(1), clickButton(w.solveitButton());  // the search itself: the core's tests
        QCOMPARE(s.count("set corner numbers first"), 1);
        // A drop is taken as a copy, so the source keeps its data; a move only is refused.
        QCOMPARE(Drop(w.solveitButton(), Qt::CopyAction | Qt::MoveAction), Qt::CopyAction);
        QCOMPARE(Drop(w.solveitButton(), Qt::MoveAction), Qt::IgnoreAction);
        QCOMPARE(s.count("Help Here"), 1);

        solveMx->trigger();
        QCOMPARE(solveMx->text().remove('&'), QStringLiteral("Set a Puzzle for computer to Solve"));
        QVERIFY(!w.solveitButton()->isVisible() && w.newPuzButton()->isVisible() && t.action("ShowSolx")->isEnabled());
        t.action("Aboutx")->trigger();  // Help and Exit are taken through their keys in the keyboard test
        QCOMPARE(s.aboutShown, 1);
    }

    void realServicesUseRealMessageBoxes() {
        const QTemporaryDir config;  // real services: the player's own settings and statistics stay untouched
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        ui::MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("Puzzle Number  1"));
        ui::QtServices services(w);
        QString title, cell3;
        // Answers the box by clicking `click`, or with Enter when that is NoButton.
        const auto ask = [&](MsgButtons kind, QMessageBox::StandardButton click) {
            MsgAnswer answer{};
            const auto show = [&] { answer = services.showMessage("Print Puzzle No(s): 1", kind); };
            const bool closed = OnModal<QMessageBox>(show, [&](QMessageBox* box) {
                title = box->windowTitle(), cell3 = w.cell(3)->caption();
                if (click == QMessageBox::NoButton) QTest::keyClick(box, Qt::Key_Return);
                else if (QAbstractButton* b = box->button(click)) b->click();
            });
            return closed ? answer : MsgAnswer(-1);  // a box left open answers nothing
        };
        w.form().GridDisp[3].Caption = "7";  // not yet painted: the box must not cover a stale board
        QCOMPARE(ask(MsgButtons::Ok, QMessageBox::Ok), MsgAnswer::Ok);
        QCOMPARE(QStringList({title, cell3}), QStringList({"Quorvex", "7"}));
        QCOMPARE(ask(MsgButtons::YesNo, QMessageBox::Yes), MsgAnswer::Yes);
        QCOMPARE(ask(MsgButtons::YesNoSafe, QMessageBox::NoButton), MsgAnswer::No);  // Enter must not wipe anything out
    }

    // Refused before Qt starts only when the environment plainly names no
    // display for the platform Qt would pick; a Wayland session needs no DISPLAY.
    void displayMissingOnlyWhenNoneIsNamed() {
        struct Case { const char *display, *wayland, *platform, *argument; bool refused; };
        for (const Case& c : {Case{nullptr, nullptr, nullptr, nullptr, true}, {nullptr, "wayland-0", nullptr, nullptr, false},
                              {":0", nullptr, nullptr, nullptr, false}, {nullptr, nullptr, "xcb", nullptr, true},
                              {nullptr, nullptr, "offscreen", nullptr, false}, {"", "", "", "-display", false},
                              {nullptr, "wayland-0", "xcb", nullptr, true}, {nullptr, nullptr, nullptr, "-platform", true}}) {
            const std::map<std::string, const char*> set{
                {"DISPLAY", c.display}, {"WAYLAND_DISPLAY", c.wayland}, {"QT_QPA_PLATFORM", c.platform}};
            const auto env = [&](const char* name) { return set.contains(name) ? set.at(name) : nullptr; };
            // "-platform xcb" with no DISPLAY set after it, or "-display :1" naming one.
            std::string program = "quorvex", option = c.argument ? c.argument : "", value = option == "-display" ? ":1" : "xcb";
            char* argv[] = {program.data(), option.data(), value.data()};
            const std::string line = ui::MissingDisplay(env, c.argument ? 3 : 1, argv);
            QVERIFY2(line.empty() != c.refused, line.c_str());
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
