// A challenge in the window: the Game menu, givens drawn sunken on grey, a
// false line painted red, and a hint's reason in a status line that grows
// under an unchanged board.
#include "WindowTest.h"
#include "challenge/Challenge.h"

using namespace quorvex;
using namespace quorvex::testing;

namespace {

// A player who chose easy challenges in an earlier run.
struct EasyServices : ScriptedServices {
    EasyServices() { preferences.NextKind = challenge::PuzzleKind::Easy; }
};

}  // namespace

class ChallengeWindow : public QObject {
    Q_OBJECT
private slots:
    void gameMenuChoosesTheNextKind() {
        Window<> t;
        QCOMPARE(ItemsOf(t.w.gameMenu()),
                 (MenuItems{{"&Classic", ""}, {"&Easy", ""}, {"&Medium", ""}, {"&Hard", ""}, {"-", ""},
                            {"&New Puzzle\tCtrl+N", ""}, {"&Today's Puzzle", ""}, {"-", ""},
                            {"Co&py Puzzle Code", ""}, {"&Open Puzzle Code...", ""}}));
        QCOMPARE(t.w.menuBar()->actions().at(1)->text(), QStringLiteral("&Game"));
        t.action("Hardx")->trigger();
        QVERIFY(t.action("Hardx")->isChecked() && !t.action("Classicx")->isChecked());
        t.key(Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(t.w.rightMess()->text(), QStringLiteral("Hard: every line true"));
    }

    void challengeLooksAndPlaysInTheWindow() {
        Window<EasyServices> t;
        Form1& f = t.w.form();
        // Givens sunken on the palette's light grey; open numbers raised, taking clicks.
        int open = 0;
        for (int cell : challenge::NumberCells) open = f.GridDisp[std::size_t(cell)].Given ? open : cell;
        QVERIFY(t.w.cell(2)->isGiven() && !t.w.cell(open)->isGiven() && t.w.cell(open)->takesInput());
        QCOMPARE(FaceColour(t.w.cell(2)), QColor(192, 192, 192));
        const auto sunken = [&](int i) {
            const QImage face = t.w.cell(i)->grab().toImage();
            return face.pixelColor(1, 1).lightness() < face.pixelColor(face.width() - 2, face.height() - 2).lightness();
        };
        QVERIFY(sunken(2) && sunken(7) && !sunken(open));

        // A full row with a wrong number: its result turns red; Delete takes the number out again.
        int wrong = 0;
        for (std::size_t p = 0; p < 9; ++p) {
            const int cell = challenge::NumberCells[p], right = f.Current.solution[p];
            if (cell == open) wrong = right % 9 + 1;
            else if (RowOf(cell) == RowOf(open)) f.TypeKey(cell, char('0' + right));
        }
        t.w.focusCell(open);
        t.key(Qt::Key(Qt::Key_0 + wrong));
        QCOMPARE(FaceColour(t.w.cell(open - (open - 1) % 7 + 6)), QColor(128, 0, 0));
        t.key(Qt::Key_Delete);
        QCOMPARE(t.caption(open), QString());

        // A hint's reason, with the operators drawn as the cells draw them; a long
        // one: the status line grows, the window with it, and the board keeps its size.
        t.key(Qt::Key_H);
        QVERIFY(t.w.statusText()->isVisible());
        const QSize board = t.w.boardArea()->size();
        const int line = t.w.statusBar()->height(), window = t.w.height();
        f.StatusText.Caption = "Row 3: 4 * ? - 2 = 6, so ? is 2.";
        t.w.sync();
        QCOMPARE(t.w.statusText()->text(), QStringLiteral("Row 3: 4 \u00D7 ? \u2212 2 = 6, so ? is 2."));
        for (int n = 0; n < 60; ++n) f.StatusText.Caption += " word";
        t.w.sync();
        QTRY_VERIFY(t.w.statusBar()->height() > 2 * line);
        QCOMPARE(t.w.height() - window, t.w.statusBar()->height() - line);
        QCOMPARE(t.w.boardArea()->size(), board);
        f.StatusText.Visible = false, t.w.sync();
        QCOMPARE(t.w.statusBar()->height(), line);
    }
};

QTEST_MAIN(ChallengeWindow)
#include "tst_challenge.moc"
