// The main window as the player meets it: what start-up paints, clicks through
// the real widgets reaching the game, the layout under resizing, every command
// through its real menu item or button, and the real message boxes.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <stdexcept>

#include "ScriptedServices.h"
#include "qt/MainWindow.h"
#include "qt/QtServices.h"
#include "qt/Quadlet.h"

using namespace quorvex;
using namespace std::string_literals;
using ui::Quadlet;

namespace {

const QColor Green(0, 128, 0), Red(128, 0, 0), Black(0, 0, 0);
constexpr int FourCorners[4] = {1, 7, 43, 49};

struct GameServices : testing::ScriptedServices {
    bool failPrint = false;
    void printPage(const PrintJob& job) override {
        if (failPrint) throw std::runtime_error("printer on fire");
        ScriptedServices::printPage(job);
    }
};

// A shown main window whose core talks to scripted services.
struct Fixture {
    GameServices* services = nullptr;
    ui::MainWindow w{[this](ui::MainWindow&) {
        auto s = std::make_unique<GameServices>();
        services = s.get();
        return std::unique_ptr<Services>(std::move(s));
    }};
    Fixture() {
        w.show();
        (void)QTest::qWaitForWindowExposed(&w);
    }
    std::string title() const { return services->titles.back(); }
};

// Where the mouse would land: on whatever is at the cell's centre as the
// layout computes it (hidden widgets are not there; disabled ones swallow it).
void ClickCell(ui::MainWindow& w, int index, Qt::MouseButton button = Qt::LeftButton) {
    const QPoint p = w.layoutGeometry().cell(index).center();
    QWidget* target = w.boardArea()->childAt(p);
    if (!target) target = w.boardArea();
    QTest::mouseClick(target, button, Qt::NoModifier, target->mapFrom(w.boardArea(), p));
}

void ClickButton(Quadlet* button) { QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center()); }

QAction* Command(ui::MainWindow& w, const char* name) {
    return w.puzzleMenu()->findChild<QAction*>(QString::fromLatin1(name));
}

std::string Caption(ui::MainWindow& w, int index) { return w.cell(index)->caption().toStdString(); }

bool IsDigit(const std::string& s) { return s.size() == 1 && s[0] >= '1' && s[0] <= '9'; }
std::string Trimmed(const std::string& s) { return QString::fromStdString(s).trimmed().toStdString(); }
std::string TitleFor(int n) { return "Puzzle Number  " + std::to_string(n); }

void ClickUntil(ui::MainWindow& w, int index, const std::string& want) {
    for (int n = 0; n < 9 && Caption(w, index) != want; ++n) ClickCell(w, index);
}

// The face as painted: a point inside the 3-D edge, clear of the caption.
QColor FaceColour(QWidget* widget) {
    const QImage image = widget->grab().toImage();
    return image.pixelColor(std::max(3, image.width() / 8), image.height() / 2);
}

// Drops text on `target`; the action agreed to, or IgnoreAction when refused.
Qt::DropAction Drop(QWidget* target, Qt::DropActions offered) {
    QMimeData data;
    data.setText(QStringLiteral("dragged from elsewhere"));
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(at), offered, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void startupPaintsTheCoreAndClicksReachIt();
    void layoutKeepsItsArrangementWhenResized();
    void everyCommandThroughItsMenuItemOrButton();
    void realServicesUseRealMessageBoxes();
};

void TestMainWindow::startupPaintsTheCoreAndClicksReachIt() {
    Fixture t;
    ui::MainWindow& w = t.w;
    QCOMPARE(w.boardArea()->findChildren<Quadlet*>().size(), CellCount + 2);  // and the two buttons
    QVERIFY(w.cell(0)->isHidden());
    QCOMPARE(t.title(), TitleFor(1));

    const QStringList expected = {"Start a Solution", "Show Solution", "-", "Set a Puzzle for computer to solve", "-",
                                  "Print", "-", "Help", "About", "-", "Exit"};
    QStringList shown;
    for (QAction* a : w.puzzleMenu()->actions()) shown << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(shown, expected);
    QCOMPARE(w.puzzleMenu()->title().remove(QLatin1Char('&')), QStringLiteral("Puzzle"));  // "&" marks Alt+P
    QCOMPARE(w.rightMess()->text(), QStringLiteral("Get corner numbers right"));
    QCOMPARE(FaceColour(w.rightMess()), Green);
    QCOMPARE(w.newPuzButton()->caption(), QStringLiteral("New Puzzle"));

    for (int j = 1; j <= 4; ++j) {
        const int c = FourCorners[j - 1];
        QVERIFY2(IsDigit(Caption(w, c)) && !w.picture(j)->isVisible(), Caption(w, c).c_str());
        QCOMPARE(FaceColour(w.cell(c)), Green);
    }
    QCOMPARE(FaceColour(w.cell(9)), Black);  // a blank cell
    // Screen readers hear a blank cell as part of the frame, not a place to fill in.
    for (int i : {9, 11, 13, 23, 25, 27, 37, 39, 41}) QVERIFY(w.cell(i)->accessibleName().endsWith(": blank"));
    QCOMPARE(w.cell(41)->accessibleName(), QStringLiteral("Row 6, column 6: blank"));
    QCOMPARE(w.cell(3)->accessibleName(), QStringLiteral("Row 1, column 3: empty"));
    // The disabled "=" keeps the game's dark caption instead of a greyed one.
    const QImage eq = w.cell(6)->grab().toImage();
    int darkest = 255;
    for (int y = 0; y < eq.height(); ++y)
        for (int x = 0; x < eq.width(); ++x) darkest = std::min(darkest, qGray(eq.pixel(x, y)));
    QVERIFY2(darkest < 60, qPrintable(QString::number(darkest)));

    // "=", a result, a blank, a given corner, and where the hidden target 50 sits.
    for (int index : {6, 21, 9, 1, 50}) {
        QSignalSpy spy(w.cell(index), &Quadlet::mouseClicked);
        ClickCell(w, index, Qt::LeftButton);
        ClickCell(w, index, Qt::RightButton);
        QCOMPARE(spy.size(), 0);
    }

    ClickCell(w, 3, Qt::LeftButton);
    ClickCell(w, 5, Qt::RightButton);
    QCOMPARE(Caption(w, 3) + Caption(w, 5), "19"s);
}

void TestMainWindow::layoutKeepsItsArrangementWhenResized() {
    Fixture t;
    ui::MainWindow& w = t.w;
    ClickCell(w, 3);  // shows the target cells too
    QVERIFY(w.frameGeometry().width() <= 1366 && w.frameGeometry().height() <= 768);
    const QSize design = ui::Geometry::DesignClientSize();
    QVERIFY(w.layoutGeometry().scale() >= ui::Geometry::DefaultScale);  // large enough to read

    for (QSize size : {w.size(), QSize(900, 900), QSize(1200, 500)}) {
        w.resize(size);
        QCoreApplication::processEvents();
        const ui::Geometry g = w.layoutGeometry();
        const QRect frame = w.frame()->geometry();
        const QByteArray at = QStringLiteral("%1x%2").arg(size.width()).arg(size.height()).toUtf8();
        // Never below the design's size; otherwise as large as the room allows in one direction.
        const QSize room = w.boardArea()->size(), used = g.clientSize();
        QVERIFY2(room.width() >= design.width() && room.height() >= design.height(), at);
        QVERIFY2(std::min(room.width() - used.width(), room.height() - used.height()) <= 1, at);
        QVERIFY2(std::abs(2 * g.origin().x() + used.width() - room.width()) <= 2 &&
                     std::abs(2 * g.origin().y() + used.height() - room.height()) <= 2, at);
        QVERIFY2(w.boardArea()->rect().contains(frame), at);
        for (int i = 1; i <= 53; ++i) {
            const QRect r = w.cell(i)->geometry();
            QCOMPARE(r, g.cell(i));
            QVERIFY2(frame.contains(r), at);
            for (int j = 1; j < i; ++j) QVERIFY2(!r.intersects(w.cell(j)->geometry()), at);
            if (i > 49) continue;
            const QRect left = w.cell(i - 1)->geometry(), above = w.cell(std::max(1, i - 7))->geometry();
            QVERIFY2(i % 7 == 1 || (r.left() > left.right() && r.top() == left.top()), at);
            QVERIFY2(i <= 7 || (r.top() > above.bottom() && r.left() == above.left()), at);
        }
        QCOMPARE(w.newPuzButton()->geometry(), g.button());
    }
}

void TestMainWindow::everyCommandThroughItsMenuItemOrButton() {
    Fixture t;
    ui::MainWindow& w = t.w;
    const Form1& f = w.form();
    GameServices& s = *t.services;

    Command(w, "StartSolx")->trigger();
    QCOMPARE(Caption(w, 2) + Caption(w, 28), "++"s);
    Command(w, "ShowSolx")->trigger();
    for (int p = 1; p <= 16; ++p) QCOMPARE(Caption(w, ValuePositionCell(p)), Trimmed(f.SolNum[std::size_t(p)]));
    for (int j = 1; j <= 4; ++j) QVERIFY(w.picture(j)->isVisible() && !w.cell(49 + j)->isVisible());

    ClickButton(w.newPuzButton());
    QCOMPARE(t.title(), TitleFor(2));

    // A command that throws is told to the player, and the game goes on.
    s.failPrint = true;
    s.answers = {MsgAnswer::Yes};
    Command(w, "PrintX")->trigger();
    QVERIFY2(s.messages.back().text.find("printer on fire") != std::string::npos, s.messages.back().text.c_str());
    s.failPrint = false;
    s.answers = {MsgAnswer::Yes};
    Command(w, "PrintX")->trigger();
    QCOMPARE(s.printed.size(), std::size_t(1));

    // Set-up mode: the corners of puzzle 2 are known to have a board.
    std::vector<std::string> chosen;
    for (int c : FourCorners) chosen.push_back(Caption(w, c));
    QAction* solveMx = Command(w, "SolveMx");
    solveMx->trigger();
    QCOMPARE(solveMx->text(), QStringLiteral("End computer solution mode"));
    QVERIFY(w.compMess()->isVisible() && !w.rightMess()->isVisible());
    QCOMPARE(w.compMess()->text(), QStringLiteral("Click corners to set Puzzle"));
    QCOMPARE(FaceColour(w.compMess()), Red);
    QCOMPARE(w.solveitButton()->caption(), QStringLiteral("Solve Puzzle"));
    QVERIFY(w.solveitButton()->isVisible() && !w.newPuzButton()->isVisible());
    QVERIFY(!Command(w, "StartSolx")->isEnabled() && !Command(w, "ShowSolx")->isEnabled());
    for (std::size_t k = 0; k < 4; ++k) {
        QCOMPARE(FaceColour(w.cell(FourCorners[k])), Red);
        ClickUntil(w, FourCorners[k], chosen[k]);
    }
    QCOMPARE(Drop(w.solveitButton(), Qt::CopyAction | Qt::MoveAction), Qt::CopyAction);
    QCOMPARE(s.count("Help Here"), 1);
    QCOMPARE(Drop(w.solveitButton(), Qt::MoveAction), Qt::IgnoreAction);  // the source keeps its data
    QCOMPARE(s.count("Help Here"), 1);

    // The search may give up now and then by design; the player just asks again.
    for (int failures = -1, n = 0; failures != s.count("Cannot Solve This Time !") && n < 10; ++n) {
        failures = s.count("Cannot Solve This Time !");
        ClickButton(w.solveitButton());
    }
    QCOMPARE(t.title(), TitleFor(f.PuzzleNo));
    QCOMPARE(Caption(w, 49), chosen[3]);

    solveMx->trigger();
    QCOMPARE(solveMx->text(), QStringLiteral("Set a Puzzle for computer to Solve"));
    QVERIFY(!w.compMess()->isVisible() && !w.solveitButton()->isVisible() && w.newPuzButton()->isVisible());
    QVERIFY(Command(w, "StartSolx")->isEnabled() && Command(w, "ShowSolx")->isEnabled());

    Command(w, "Aboutx")->trigger();  // Help and Exit are taken through their keys in the keyboard test
    QCOMPARE(s.aboutShown, 1);
}

void TestMainWindow::realServicesUseRealMessageBoxes() {
    ui::MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.windowTitle(), QStringLiteral("Puzzle Number  1"));
    ui::QtServices services(w);
    QString title, cell3;
    // Answers the box with `click` from inside its modal loop, noting what it showed.
    const auto ask = [&](MsgButtons kind, QMessageBox::StandardButton click) {
        QTimer::singleShot(0, [&, click] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            title = box->windowTitle();
            cell3 = w.cell(3)->caption();
            if (QAbstractButton* b = box->button(click)) b->click();
            else box->reject();
        });
        return services.showMessage("Print Puzzle No(s): 1", kind);
    };

    w.form().GridDisp[3].Caption = "7";  // not yet painted: the box must not cover a stale board
    QCOMPARE(ask(MsgButtons::Ok, QMessageBox::Ok), MsgAnswer::Ok);
    QCOMPARE(title, QStringLiteral("Quorvex"));
    QCOMPARE(cell3, QStringLiteral("7"));
    QCOMPARE(ask(MsgButtons::YesNo, QMessageBox::Yes), MsgAnswer::Yes);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
