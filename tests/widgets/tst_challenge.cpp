// A challenge in the window: chosen in the Game menu, givens drawn sunken on
// grey, a false line painted red, and a hint's reason in a status line that grows
// under an unchanged board.
#include "WindowTest.h"
#include "challenge/Challenge.h"

using namespace quorvex;
using namespace quorvex::testing;

class ChallengeWindow : public QObject {
    Q_OBJECT
private slots:
    void challengeChosenInTheGameMenuLooksAndPlays() {
        Window<> t;
        QCOMPARE(t.w.menuBar()->actions().at(1)->text(), QStringLiteral("&Game"));
        QCOMPARE(ItemsOf(t.w.gameMenu()),
                 (MenuItems{{"&Classic", ""}, {"&Easy", ""}, {"&Medium", ""}, {"&Hard", ""}, {"-", ""},
                            {"&New Puzzle\tCtrl+N", ""}, {"&Today's Puzzle", ""}, {"-", ""},
                            {"Co&py Puzzle Code", ""}, {"&Open Puzzle Code...", ""}}));
        t.action("Hardx")->trigger();
        QVERIFY(t.action("Hardx")->isChecked() && !t.action("Classicx")->isChecked());
        t.key(Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(t.w.rightMess()->text(), QStringLiteral("Hard: every line true"));
        Form1& f = t.w.form();
        // Givens sunken on the palette's light grey; open numbers raised, taking clicks.
        std::size_t last = 0;  // the last open number
        for (std::size_t p = 0; p < 9; ++p) last = f.GridDisp[std::size_t(challenge::NumberCells[p])].Given ? last : p;
        const int open = challenge::NumberCells[last];
        QVERIFY(t.w.cell(2)->isGiven() && !t.w.cell(open)->isGiven() && t.w.cell(open)->takesInput());
        QCOMPARE(FaceColour(t.w.cell(2)), QColor(192, 192, 192));
        const auto sunken = [&](int i) {
            const QImage face = t.w.cell(i)->grab().toImage();
            return face.pixelColor(1, 1).lightness() < face.pixelColor(face.width() - 2, face.height() - 2).lightness();
        };
        QVERIFY(sunken(2) && sunken(7) && !sunken(open));

        // A full row with a wrong number: its result turns red; Delete takes the number out again.
        for (std::size_t p = 0; p < 9; ++p)
            if (const int cell = challenge::NumberCells[p]; cell != open && RowOf(cell) == RowOf(open))
                f.TypeKey(cell, char('0' + f.Current.solution[p]));
        t.w.focusCell(open), t.key(Qt::Key(Qt::Key_1 + f.Current.solution[last] % 9));
        QCOMPARE(FaceColour(t.w.cell(open - (open - 1) % 7 + 6)), QColor(128, 0, 0));
        t.key(Qt::Key_Delete);
        QCOMPARE(t.caption(open), QString());

        // A hint's reason, with the operators drawn as the cells draw them; a long
        // one: the status line grows, the window with it, and the board keeps its size.
        t.key(Qt::Key_H);
        QVERIFY(t.w.statusText()->isVisible());
        const QSize board = t.w.boardArea()->size();
        const int line = t.w.statusBar()->height(), window = t.w.height();
        f.StatusText.Caption = "Row 3: 4 * ? - 2 = 6, so ? is 2.", t.w.sync();
        QCOMPARE(t.w.statusText()->text(), QStringLiteral("Row 3: 4 \u00D7 ? \u2212 2 = 6, so ? is 2."));
        f.StatusText.Caption += QString(" word").repeated(60).toStdString(), t.w.sync();
        QTRY_VERIFY(t.w.statusBar()->height() > 2 * line);
        QCOMPARE(t.w.height() - window, t.w.statusBar()->height() - line);
        QCOMPARE(t.w.boardArea()->size(), board);
        f.StatusText.Visible = false, t.w.sync();
        QCOMPARE(t.w.statusBar()->height(), line);
    }
};

QTEST_MAIN(ChallengeWindow)
#include "tst_challenge.moc"
