// A challenge in the window: the Game menu, givens drawn sunken on grey, a
// false line painted red, a hint's reason in a status line that grows under
// an unchanged board, and the Statistics window's column per kind.
#include "WindowTest.h"
#include "challenge/Challenge.h"
#include "qt/StatisticsForm.h"

using namespace quorvex;
using namespace quorvex::testing;

namespace {

// A player who chose easy challenges in an earlier run.
struct EasyServices : ScriptedServices {
    EasyServices() { preferences.NextKind = challenge::PuzzleKind::Easy; }
};

char SolutionAt(const Form1& f, int cell) {
    for (std::size_t p = 0; p < 9; ++p)
        if (challenge::NumberCells[p] == cell) return char('0' + f.Current.solution[p]);
    return 0;
}

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
        QVERIFY(t.action("Classicx")->isChecked());
        t.action("Hardx")->trigger();
        QVERIFY(t.action("Hardx")->isChecked() && !t.action("Classicx")->isChecked());
        QCOMPARE(t.services->preferences.NextKind, challenge::PuzzleKind::Hard);
        QVERIFY(t.w.form().Kind == challenge::PuzzleKind::Classic);  // until a new puzzle
        t.key(Qt::Key_N, Qt::ControlModifier);
        QVERIFY(t.w.form().Kind == challenge::PuzzleKind::Hard);
        QCOMPARE(t.w.rightMess()->text(), QStringLiteral("Hard: every line true"));
    }

    void challengeLooksAndPlaysInTheWindow() {
        Window<EasyServices> t;
        const Form1& f = t.w.form();
        QVERIFY(f.Kind == challenge::PuzzleKind::Easy);
        // Givens sunken on the palette's light grey; open numbers raised, taking clicks.
        QVERIFY(t.w.cell(2)->isGiven() && t.w.cell(7)->isGiven());
        QCOMPARE(FaceColour(t.w.cell(2)), QColor(192, 192, 192));
        std::vector<int> open;
        for (int cell : challenge::NumberCells)
            if (!f.GridDisp[std::size_t(cell)].Given) open.push_back(cell);
        QVERIFY(!t.w.cell(open[0])->isGiven() && t.w.cell(open[0])->takesInput());
        const auto sunken = [&](int i) {
            const QImage face = t.w.cell(i)->grab().toImage();
            return face.pixelColor(1, 1).lightness() < face.pixelColor(face.width() - 2, face.height() - 2).lightness();
        };
        QVERIFY(sunken(2) && sunken(7) && !sunken(open[0]));

        // A wrong number: its row's result turns red; Delete takes it out again.
        const int cell = open[0], result = cell - (cell - 1) % 7 + 6;
        for (int other : open)
            if (other != cell && RowOf(other) == RowOf(cell)) t.w.form().TypeKey(other, SolutionAt(f, other));
        t.w.focusCell(cell);
        t.key(Qt::Key(Qt::Key_1 + (SolutionAt(f, cell) - '0') % 9));
        QCOMPARE(FaceColour(t.w.cell(result)), Red);
        t.key(Qt::Key_Delete);
        QCOMPARE(t.caption(cell), QString());

        // A hint: the number, and why, with the operators drawn as the cells draw them.
        t.key(Qt::Key_H);
        QVERIFY(t.w.statusText()->isVisible());
        QCOMPARE(t.w.statusText()->text(), QString::fromStdString(f.StatusText.Caption)
                                               .replace(QStringLiteral(" - "), QStringLiteral(" \u2212 "))
                                               .replace(QStringLiteral(" * "), QStringLiteral(" \u00D7 ")));
        // A long reason: the status line grows, the window with it, and the board keeps its size.
        const QSize board = t.w.boardArea()->size();
        const int line = t.w.statusBar()->height(), window = t.w.height();
        t.w.form().StatusText.Caption.clear();
        for (int n = 0; n < 60; ++n) t.w.form().StatusText.Caption += "word ";
        t.w.sync();
        QTRY_VERIFY(t.w.statusBar()->height() > 2 * line);
        QCOMPARE(t.w.height() - window, t.w.statusBar()->height() - line);
        QCOMPARE(t.w.boardArea()->size(), board);
        t.w.form().StatusText.Visible = false, t.w.sync();
        QCOMPARE(t.w.statusBar()->height(), line);

        // Solved by keys: counted in the Easy column, the classic one untouched.
        for (int c : open) t.w.focusCell(c), t.key(Qt::Key(Qt::Key_0 + SolutionAt(f, c) - '0'));
        QCOMPARE(t.services->count("You got it !"), 1);
        const ui::StatisticsForm form([&] { return f.StatisticsTable(); }, [] {});
        QCOMPARE(form.value("Puzzles played"), QStringLiteral("0"));
        QCOMPARE(form.value("Solved with help", 2), QStringLiteral("1"));
        QCOMPARE(form.value("Solved with help", 4), QStringLiteral("0"));
    }
};

QTEST_MAIN(ChallengeWindow)
#include "tst_challenge.moc"
