// The main window as the player meets it: what start-up shows, clicks through
// the real widgets reaching the game, the layout under resizing, and every
// command through its real menu item or button.
#include <QtTest>

#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>

#include <set>
#include <stdexcept>

#include "MainWindowTestSupport.h"
#include "game/Texts.h"

using namespace quorvex;
using namespace quorvex::testing;
using ui::Quadlet;

namespace {

const QColor Green(0, 128, 0), Red(128, 0, 0), Black(0, 0, 0);
constexpr int NumberCells[] = {3, 5, 15, 17, 19, 29, 31, 33};
constexpr int Corners[] = {1, 7, 43, 49};

bool IsDigit(const std::string& s) { return s.size() == 1 && s[0] >= '1' && s[0] <= '9'; }

std::array<std::string, CellCount> Board(ui::MainWindow& w) {
    std::array<std::string, CellCount> b;
    for (int i = 0; i < CellCount; ++i) b[std::size_t(i)] = Caption(w, i);
    return b;
}

QString TitleFor(int n) { return QString::fromUtf8(text::TitlePrefix) + QStringLiteral(" %1").arg(n); }

// Clicks a cell until it shows `want` (a digit, or an operator symbol).
void ClickUntil(ui::MainWindow& w, int index, const std::string& want) {
    for (int n = 0; n < 9 && Caption(w, index) != want; ++n) ClickCell(w, index);
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void startupShowsBoardMenuAndTitle();
    void clicksReachTheGameWithIndexAndButton();
    void clicksOnDisabledOrHiddenCellsDoNothing();
    void layoutKeepsItsArrangementWhenResized();
    void showSolutionFillsTheBoardAndEndsThePuzzle();
    void startSolutionFillsEveryValueAndOperator();
    void setupModeSwapsLabelButtonAndMenu();
    void solvePuzzleKeepsTheChosenCornersOnRed();
    void newPuzzleCountsUpAndClearsTheBoard();
    void printAsksFirstAndPrintsOnlyOnYes();
    void helpAboutAndExitReachTheServices();
    void solvingByClicksSaysYouGotItOnce();
    void dropOnSolvePuzzleNeverAgreesToAMove();
    void aFailingCommandIsReportedAndTheGameGoesOn();
};

void TestMainWindow::startupShowsBoardMenuAndTitle() {
    TestWindow t = MakeWindow();
    ui::MainWindow& w = t.w();

    int cells = 0;
    for (Quadlet* q : w.boardArea()->findChildren<Quadlet*>())
        if (q->kind() == Quadlet::Kind::Cell) ++cells;
    QCOMPARE(cells, CellCount);
    QVERIFY(!w.cell(0)->isVisible());
    for (int i = 1; i <= 49; ++i) QVERIFY2(w.cell(i)->isVisible(), qPrintable(QString::number(i)));
    for (int i = 50; i <= 53; ++i) QVERIFY(!w.cell(i)->isVisible());
    for (int j = 1; j <= 4; ++j) QVERIFY(!w.picture(j)->isVisible());
    QVERIFY(w.rightMess()->isVisible());
    QCOMPARE(w.rightMess()->text(), QString::fromUtf8(text::RightMess));
    QVERIFY(!w.compMess()->isVisible());
    QVERIFY(w.newPuzButton()->isVisible());
    QCOMPARE(w.newPuzButton()->caption(), QString::fromUtf8(text::NewPuz));
    QVERIFY(!w.solveitButton()->isVisible());
    QVERIFY(!w.windowIcon().isNull());

    QCOMPARE(w.windowTitle(), TitleFor(1));
    QCOMPARE(w.windowTitle(), QStringLiteral("Puzzle Number  1"));
    for (int c : Corners) {
        QVERIFY2(IsDigit(Caption(w, c)), Caption(w, c).c_str());
        QCOMPARE(FaceColour(w.cell(c)), Green);
    }
    // A disabled cell keeps its caption in the game's colour: "=" is drawn dark, not greyed.
    QImage eq = w.cell(6)->grab().toImage();
    int darkest = 255;
    for (int y = 0; y < eq.height(); ++y)
        for (int x = 0; x < eq.width(); ++x) darkest = std::min(darkest, qGray(eq.pixel(x, y)));
    QVERIFY2(darkest < 60, qPrintable(QString::number(darkest)));

    QCOMPARE(w.puzzleMenu()->title(), QString::fromUtf8(text::MenuPuzzle));
    QCOMPARE(w.menuBar()->actions().size(), 1);
    const QStringList expected = {text::StartSolx, text::ShowSolx, "-", text::SolveMxFirst, "-", text::PrintX,
                                  "-", text::Helpx, text::Aboutx, "-", text::Exitx};
    QStringList shown;
    for (QAction* a : w.puzzleMenu()->actions()) {
        shown << (a->isSeparator() ? QStringLiteral("-") : a->text());
        if (!a->isSeparator()) QVERIFY(a->isEnabled());
    }
    QCOMPARE(shown, expected);
}

void TestMainWindow::clicksReachTheGameWithIndexAndButton() {
    TestWindow t = MakeWindow();
    ui::MainWindow& w = t.w();

    ClickCell(w, 3, Qt::LeftButton);
    QCOMPARE(t.form().GridDisp[3].Caption, std::string("1"));
    QCOMPARE(Caption(w, 3), std::string("1"));
    ClickCell(w, 5, Qt::RightButton);
    QCOMPARE(Caption(w, 5), std::string("9"));
    ClickCell(w, 5, Qt::LeftButton);
    QCOMPARE(Caption(w, 5), std::string("1"));
    ClickCell(w, 2, Qt::RightButton);
    ClickCell(w, 2, Qt::LeftButton);
    QCOMPARE(Caption(w, 2), std::string("-"));
    // The first play click shows the target numbers; the widgets follow the game.
    for (int i = 50; i <= 53; ++i) QCOMPARE(w.cell(i)->isVisible(), t.form().GridDisp[std::size_t(i)].Visible);
    QVERIFY(w.cell(51)->isVisible());
    // Row 1 was evaluated: cell 7 shows a digit or "?" in the game's colours.
    QCOMPARE(Caption(w, 7), t.form().GridDisp[7].Caption);
    QCOMPARE(w.cell(7)->accessibleName(),
             QStringLiteral("Row 1, column 7: %1").arg(QString::fromStdString(Caption(w, 7))));
    QVERIFY(t.services->messages.empty());
}

void TestMainWindow::clicksOnDisabledOrHiddenCellsDoNothing() {
    TestWindow t = MakeWindow();
    ui::MainWindow& w = t.w();
    const auto before = Board(w);

    // "=", a result, a blank, the given corner, and where the hidden target 50 sits.
    for (int index : {6, 21, 9, 1, 50, 49}) {
        ClickCell(w, index, Qt::LeftButton);
        ClickCell(w, index, Qt::RightButton);
    }
    QCOMPARE(Board(w), before);
    // Any play click would have shown target 51 (corner 7 starts out wrong).
    QVERIFY(!w.cell(51)->isVisible());
    QVERIFY(!t.form().GridDisp[51].Visible);

    // A cell the game disables later stops reacting at once.
    t.form().GridDisp[3].Enabled = false;
    w.sync();
    ClickCell(w, 3);
    QCOMPARE(Caption(w, 3), std::string());
}

void TestMainWindow::layoutKeepsItsArrangementWhenResized() {
    TestWindow t = MakeWindow();
    ui::MainWindow& w = t.w();
    ClickCell(w, 3);  // show the target cells too

    const QSize designClient = ui::Geometry::DesignClientSize();
    // It opens at twice the design size, menu bar aside.
    QCOMPARE(w.boardArea()->size(), ui::Geometry(ui::Geometry::DefaultScale).clientSize());
    QVERIFY(w.layoutGeometry().scale() >= ui::Geometry::DefaultScale);

    for (QSize size : {QSize(900, 900), QSize(400, 420), QSize(1200, 500), QSize(100, 100)}) {
        w.resize(size);
        QCoreApplication::processEvents();
        const ui::Geometry g = w.layoutGeometry();
        const QString where = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
        QVERIFY2(w.boardArea()->width() >= designClient.width(), qPrintable(where));
        QVERIFY2(w.boardArea()->height() >= designClient.height(), qPrintable(where));
        QVERIFY2(g.scale() >= 1.0, qPrintable(where));

        const QRect frame = w.frame()->geometry();
        QCOMPARE(frame, g.frame());
        // Centred: the spare room is split evenly.
        QVERIFY(std::abs(2 * g.origin().x() + g.clientSize().width() - w.boardArea()->width()) <= 2);
        QVERIFY(std::abs(2 * g.origin().y() + g.clientSize().height() - w.boardArea()->height()) <= 2);

        // The same rectangles as the layout code gives (which never overlap),
        // in the design's places relative to the frame.
        for (int i = 1; i <= 53; ++i) {
            const QRect r = w.cell(i)->geometry();
            QCOMPARE(r, g.cell(i));
            QVERIFY2(frame.contains(r), qPrintable(where + QStringLiteral(" cell %1").arg(i)));
            const ui::TwipRect d = ui::twips::Cell(i);
            QVERIFY(std::abs((r.left() - frame.left()) / g.scale() - (d.left - 60) / 15.0) < 1.5);
            QVERIFY(std::abs((r.top() - frame.top()) / g.scale() - (d.top - 60) / 15.0) < 1.5);
        }
        QCOMPARE(w.newPuzButton()->geometry(), g.button());
        QCOMPARE(w.rightMess()->geometry(), g.message());
        QCOMPARE(w.cell(17)->font().pointSizeF(), 14.4 * g.scale());
        QCOMPARE(w.newPuzButton()->font().pointSizeF(), 7.8 * g.scale());
        QCOMPARE(w.rightMess()->font().pointSizeF(), 9.6 * g.scale());
        QVERIFY(w.rightMess()->font().bold() && !w.newPuzButton()->font().bold());
    }
}

void TestMainWindow::showSolutionFillsTheBoardAndEndsThePuzzle() {
    TestWindow t = MakeWindow();
    ui::MainWindow& w = t.w();
    Form1& f = t.form();
    ClickCell(w, 3);

    Command(w, "ShowSolx")->trigger();
    for (int p = 1; p <= 16; ++p) QCOMPARE(Caption(w, ValuePositionCell(p)), Trimmed(f.SolNum[std::size_t(p)]));
    const int rowOps[] = {2, 4, 16, 18, 30, 32, 44, 46};
    for (int n = 0; n < 8; ++n) QCOMPARE(Caption(w, rowOps[n]), f.SolOp[std::size_t(n + 1)]);
    for (int j = 1; j <= 4; ++j) {
        QVERIFY(w.picture(j)->isVisible());
        QVERIFY(!w.cell(49 + j)->isVisible());
        QCOMPARE(FaceColour(w.cell(Corners[j - 1])), Green);
    }
    QVERIFY(!w.rightMess()->isVisible());
    // The smileys lie over the target cells and let clicks through.
    QVERIFY(w.picture(1)->geometry().contains(w.layoutGeometry().cell(50).center()));
    QVERIFY(w.picture(1)->testAttribute(Qt::WA_TransparentForMouseEvents));

    const auto shown = Board(w);
    ClickCell(w, 3);
    ClickCell(w, 2);
    QCOMPARE(Board(w), shown);
    QVERIFY(t.services->messages.empty());
}

void TestMainWindow::startSolutionFillsEveryValueAndOperator() {
    TestWindow t = MakeWindow();
    ui::MainWindow& w = t.w();
    Command(w, "StartSolx")->trigger();
    for (int i : RowOperatorCells) QCOMPARE(Caption(w, i), std::string("+"));
    for (int i : ColumnOperatorCells) QCOMPARE(Caption(w, i), std::string("+"));
    for (int p = 1; p <= 16; ++p) {
        const std::string c = Caption(w, ValuePositionCell(p));
        QVERIFY2(IsDigit(c) || c == "?", c.c_str());
    }
    QCOMPARE(Caption(w, 1), Trimmed(t.form().SolNum[1]));
    QVERIFY(w.picture(1)->isVisible());
}

void TestMainWindow::setupModeSwapsLabelButtonAndMenu() {
    TestWindow t = MakeWindow();
    ui::MainWindow& w = t.w();
    QAction* solveMx = Command(w, "SolveMx");

    solveMx->trigger();
    QVERIFY(w.compMess()->isVisible());
    QCOMPARE(w.compMess()->text(), QString::fromUtf8(text::CompMess));
    QVERIFY(!w.rightMess()->isVisible());
    QVERIFY(w.solveitButton()->isVisible());
    QCOMPARE(w.solveitButton()->caption(), QString::fromUtf8(text::Solveit));
    QVERIFY(!w.newPuzButton()->isVisible());
    QCOMPARE(solveMx->text(), QString::fromUtf8(text::SolveMxEnd));
    QVERIFY(!Command(w, "StartSolx")->isEnabled());
    QVERIFY(!Command(w, "ShowSolx")->isEnabled());
    QVERIFY(Command(w, "PrintX")->isEnabled());
    for (int c : Corners) {
        QCOMPARE(Caption(w, c), std::string("?"));
        QCOMPARE(FaceColour(w.cell(c)), Red);
        QVERIFY(w.cell(c)->isEnabled());
    }

    solveMx->trigger();
    QCOMPARE(solveMx->text(), QString::fromUtf8(text::SolveMxAgain));
    QVERIFY(!w.compMess()->isVisible());
    QVERIFY(!w.solveitButton()->isVisible());
    QVERIFY(w.newPuzButton()->isVisible());
    QVERIFY(Command(w, "StartSolx")->isEnabled());
    QVERIFY(Command(w, "ShowSolx")->isEnabled());
    for (int c : Corners) QCOMPARE(FaceColour(w.cell(c)), Green);
}

void TestMainWindow::solvePuzzleKeepsTheChosenCornersOnRed() {
    TestWindow t = MakeWindow();
    ui::MainWindow& w = t.w();
    Form1& f = t.form();
    // The corners of the puzzle on screen are known to have a board.
    std::vector<std::string> chosen;
    for (int c : Corners) chosen.push_back(Caption(w, c));

    Command(w, "SolveMx")->trigger();
    ClickUntil(w, 1, chosen[0]);
    ClickButton(w.solveitButton());
    QCOMPARE(t.services->count(text::SetCornersFirst), 1);

    for (int k = 1; k < 4; ++k) ClickUntil(w, Corners[k], chosen[std::size_t(k)]);
    QVERIFY(w.solveitButton()->isEnabled());
    // The search may give up now and then by design; the player just asks again.
    for (int attempt = 0, failures = 0; attempt < 10; ++attempt) {
        ClickButton(w.solveitButton());
        if (t.services->count(text::CannotSolve) == failures) break;
        failures = t.services->count(text::CannotSolve);
    }
    QCOMPARE(int(f.GenOk), 1);

    for (int k = 0; k < 4; ++k) {
        QCOMPARE(Caption(w, Corners[k]), chosen[std::size_t(k)]);
        QCOMPARE(FaceColour(w.cell(Corners[k])), Red);
    }
    for (int p = 1; p <= 16; ++p) QVERIFY(IsDigit(Caption(w, ValuePositionCell(p))));
    QVERIFY(!w.solveitButton()->isEnabled());
    QCOMPARE(w.windowTitle(), TitleFor(f.PuzzleNo));
    QVERIFY(f.PuzzleNo >= 2);
}

void TestMainWindow::newPuzzleCountsUpAndClearsTheBoard() {
    TestWindow t = MakeWindow();
    ui::MainWindow& w = t.w();
    ClickCell(w, 3);
    ClickCell(w, 2);

    ClickButton(w.newPuzButton());
    QCOMPARE(w.windowTitle(), TitleFor(2));
    for (int i : NumberCells) QCOMPARE(Caption(w, i), std::string());
    QCOMPARE(Caption(w, 2), std::string());
    for (int c : Corners) QVERIFY(IsDigit(Caption(w, c)));
    ClickButton(w.newPuzButton());
    QCOMPARE(w.windowTitle(), TitleFor(3));

    // From set-up mode it leaves the mode first.
    Command(w, "SolveMx")->trigger();
    ClickButton(w.newPuzButton());  // hidden: nothing
    QCOMPARE(w.windowTitle(), TitleFor(3));
}

void TestMainWindow::printAsksFirstAndPrintsOnlyOnYes() {
    TestWindow t = MakeWindow();
    ui::MainWindow& w = t.w();

    t.services->answers = {MsgAnswer::No};
    Command(w, "PrintX")->trigger();
    QCOMPARE(t.services->messages.size(), std::size_t(1));
    QCOMPARE(t.services->messages[0].text, std::string(text::PrintPrompt) + "1");
    QCOMPARE(t.services->messages[0].buttons, MsgButtons::YesNo);
    QVERIFY(t.services->printed.empty());

    t.services->answers = {MsgAnswer::Yes};
    Command(w, "PrintX")->trigger();
    QCOMPARE(t.services->printed.size(), std::size_t(1));
    QCOMPARE(t.services->printed[0].FontName, std::string(text::PrintFont));
    QVERIFY(!t.services->printed[0].Lines.empty());
}

void TestMainWindow::helpAboutAndExitReachTheServices() {
    {
        TestWindow t = MakeWindow();
        Command(t.w(), "Helpx")->trigger();
        Command(t.w(), "Aboutx")->trigger();
        QCOMPARE(t.services->helpOpened, 1);
        QCOMPARE(t.services->aboutShown, 1);
        QCOMPARE(t.services->programEnded, 0);

        Command(t.w(), "Exitx")->trigger();
        QCOMPARE(t.services->programEnded, 1);
        // Nothing of the game runs after the end.
        const auto board = Board(t.w());
        ClickCell(t.w(), 3);
        Command(t.w(), "Helpx")->trigger();
        QCOMPARE(Board(t.w()), board);
        QCOMPARE(t.services->helpOpened, 1);
        // Closing afterwards does not end it a second time.
        t.w().close();
        QCOMPARE(t.services->programEnded, 1);
    }
    {
        // The close box ends the program the same way, without a question.
        TestWindow t = MakeWindow();
        QVERIFY(t.w().close());
        QCOMPARE(t.services->programEnded, 1);
        QVERIFY(t.services->messages.empty());
    }
}

void TestMainWindow::solvingByClicksSaysYouGotItOnce() {
    TestWindow t = MakeWindow();
    ui::MainWindow& w = t.w();
    const Form1& f = t.form();

    // Copy the stored solution onto the board, one click at a time.
    const int numberPositions[] = {2, 3, 5, 6, 7, 9, 10, 11};
    for (int p : numberPositions) ClickUntil(w, ValuePositionCell(p), Trimmed(f.SolNum[std::size_t(p)]));
    const int operatorCells[] = {2, 4, 16, 18, 30, 32, 44, 46, 8, 22, 10, 24, 12, 26, 14, 28};
    for (int n = 0; n < 16; ++n) ClickUntil(w, operatorCells[n], f.SolOp[std::size_t(n + 1)]);

    QCOMPARE(t.services->count(text::YouGotIt), 1);
    QCOMPARE(t.services->messages.size(), std::size_t(1));
    // The box came up over a board already showing the right corners.
    for (int c : Corners) QVERIFY(IsDigit(t.services->boardAtMessage[0][std::size_t(c)]));
    for (int k = 0; k < 4; ++k) QCOMPARE(FaceColour(w.cell(Corners[k])), Green);
    QVERIFY(!w.rightMess()->isVisible());

    const auto solved = Board(w);
    for (int i : NumberCells) ClickCell(w, i);
    ClickCell(w, 2, Qt::RightButton);
    QCOMPARE(Board(w), solved);
    QCOMPARE(t.services->messages.size(), std::size_t(1));
}

void TestMainWindow::dropOnSolvePuzzleNeverAgreesToAMove() {
    TestWindow t = MakeWindow();
    ui::MainWindow& w = t.w();
    Quadlet* solveit = w.solveitButton();
    QVERIFY(solveit->acceptDrops());

    auto drop = [&](Qt::DropActions actions) {
        QMimeData data;
        data.setText(QStringLiteral("dragged from elsewhere"));
        const QPoint at = solveit->rect().center();
        QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(solveit, &enter);
        QDropEvent dropped(QPointF(at), actions, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(solveit, &dropped);
        return std::make_pair(dropped.isAccepted(), dropped.dropAction());
    };

    Command(w, "SolveMx")->trigger();
    drop(Qt::CopyAction);  // the button is still disabled after start-up's puzzle
    QVERIFY(t.services->messages.empty());

    ClickCell(w, 7);  // any click in set-up mode wakes the button
    auto [accepted, action] = drop(Qt::CopyAction | Qt::MoveAction);
    QVERIFY(accepted);
    QCOMPARE(action, Qt::CopyAction);
    QCOMPARE(t.services->count(text::HelpHere), 1);

    // A source that offers only a move keeps its data: the drop is refused.
    auto [movedAccepted, movedAction] = drop(Qt::MoveAction);
    Q_UNUSED(movedAction);
    QVERIFY(!movedAccepted);
    QCOMPARE(t.services->count(text::HelpHere), 1);
}

void TestMainWindow::aFailingCommandIsReportedAndTheGameGoesOn() {
    struct FailingPrinter : WindowServices {
        using WindowServices::WindowServices;
        void printPage(const PrintJob&) override { throw std::runtime_error("printer on fire"); }
    };
    TestWindow t = MakeWindow([](ui::MainWindow& w) { return std::make_unique<FailingPrinter>(w); });
    ui::MainWindow& w = t.w();

    t.services->answers = {MsgAnswer::Yes};
    Command(w, "PrintX")->trigger();
    QCOMPARE(t.services->messages.size(), std::size_t(2));
    const auto& report = t.services->messages[1];
    QVERIFY2(report.text.find("printer on fire") != std::string::npos, report.text.c_str());
    QCOMPARE(report.buttons, MsgButtons::Ok);

    ClickCell(w, 3);
    QCOMPARE(Caption(w, 3), std::string("1"));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
