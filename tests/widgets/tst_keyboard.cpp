// The game without a mouse: the board's cursor and focus ring, every key and
// shortcut, the menu by its letters, the opening size on small screens and
// the operators' signs. (A whole game by keys and the screen reader's
// view run end to end, in tests/e2e.)
#include "WindowTest.h"
#include "qt/Colours.h"

using namespace quorvex;
using namespace quorvex::testing;
using ui::Quadlet;

namespace {

// The contrast ratio of two colours as accessibility guidelines measure it.
double Contrast(QColor a, QColor b) {
    const auto luminance = [](QColor c) {
        const auto f = [](double v) { v /= 255; return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * f(c.red()) + 0.7152 * f(c.green()) + 0.0722 * f(c.blue());
    };
    const double x = luminance(a), y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

// The box around the pixels unlike the face in the cell's inner square, and how many there are.
std::pair<QRectF, int> InkOf(Quadlet* cell) {
    const QImage image = cell->grab().toImage();
    const int face = qGray(image.pixel(image.width() / 8 + 2, image.height() / 2)), m = image.width() / 6;
    QRect box;
    int count = 0;
    for (int y = m; y < image.height() - m; ++y)
        for (int x = m; x < image.width() - m; ++x)
            if (std::abs(qGray(image.pixel(x, y)) - face) > 96) box |= QRect(x, y, 1, 1), ++count;
    return {QRectF(box), count};
}

}  // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    // The cursor and the keys that act on the cell under it.
    void cursorMovesOverInputCellsAndKeysActThroughTheCore() {
        Window t;
        QCOMPARE(t.focused(), 1);  // the given corner: read-only, but the first stop from start-up on
        const Qt::KeyboardModifiers none, ctrl = Qt::ControlModifier, pad = Qt::KeypadModifier;
        struct Case { int from; Qt::Key key; Qt::KeyboardModifiers mods; int to; };
        // Numbers, operators and results are stops, "=" and blank cells are not; the edges hold.
        for (const Case& c : {Case{2, Qt::Key_Right, none, 3}, {3, Qt::Key_Down, none, 10}, {2, Qt::Key_Down, none, 16},
                              {30, Qt::Key_Down, none, 44}, {44, Qt::Key_Down, none, 44}, {5, Qt::Key_Right, none, 7},
                              {8, Qt::Key_Up, none, 1}, {10, Qt::Key_Up, none, 3}, {14, Qt::Key_Left, none, 12},
                              {2, Qt::Key_Left, none, 1}, {29, Qt::Key_Down, none, 43}, {46, Qt::Key_Right, none, 47},
                              {49, Qt::Key_Right, none, 49}, {17, Qt::Key_Home, none, 15}, {17, Qt::Key_End, none, 21},
                              {8, Qt::Key_End, none, 14}, {22, Qt::Key_End, none, 28}, {17, Qt::Key_End, ctrl, 49},
                              {17, Qt::Key_Home, ctrl, 1}}) {
            t.w.focusCell(c.from);
            t.key(c.key, c.mods);
            QVERIFY2(t.focused() == c.to, qPrintable(QStringLiteral("%1 %2: %3").arg(c.from).arg(c.key).arg(t.focused())));
        }
        struct Step { int cell; Qt::Key key; Qt::KeyboardModifiers mods; const char* shown; };
        for (const Step& s : {Step{3, Qt::Key_Space, none, "1"}, {3, Qt::Key_Return, none, "2"},
                              {3, Qt::Key_Enter, pad, "3"}, {3, Qt::Key_Backspace, none, "2"},
                              {3, Qt::Key_Space, Qt::ShiftModifier, "1"}, {3, Qt::Key_7, none, "7"},
                              {3, Qt::Key_4, pad, "4"}, {3, Qt::Key_0, none, "4"}, {2, Qt::Key_Asterisk, none, "*"},
                              {2, Qt::Key_Plus, none, "+"}, {2, Qt::Key_Minus, none, "-"}, {2, Qt::Key_X, none, "*"},
                              {2, Qt::Key_Minus, pad, "-"}, {2, Qt::Key_Asterisk, pad, "*"}}) {
            t.w.focusCell(s.cell);
            t.key(s.key, s.mods);
            QCOMPARE(t.caption(s.cell) + QString::number(t.focused()), QString::fromLatin1(s.shown) + QString::number(s.cell));
        }
        // In set-up mode the corners are the only stops.
        t.w.form().SolveMx_Click(), t.w.sync(), t.w.focusBoard();
        for (auto [key, to] : {std::pair{Qt::Key_Right, 7}, {Qt::Key_Down, 49}, {Qt::Key_Left, 43}, {Qt::Key_Up, 1}}) {
            t.key(key);
            QCOMPARE(t.focused(), to);
        }
    }

    // The ring stands out from every face a focused cell can have, at every
    // scale; and the operators are drawn as signs centred on the cell, the
    // minus as wide as the plus.
    void focusRingAndSignsShowOnEveryFace() {
        Window t;
        Quadlet* input = t.w.cell(3);
        for (Colour face : {Rgb(128, 0, 0), Rgb(0, 128, 0), Rgb(0, 0, 0), SystemColour(SysButtonFace)}) {
            Cell state = t.w.form().GridDisp[3];
            state.BackColor = face;
            input->setState(state);
            const QColor shown = ui::ToQColor(state.BackColor, input->palette());
            for (double scale : {0.5, 1.0, 2.0, 3.0}) {
                input->setScale(scale);
                t.w.focusCell(1);
                const QImage plain = input->grab().toImage();
                t.w.focusCell(3);
                const QImage ringed = input->grab().toImage();
                double best = 0;  // across the left edge at mid-height
                for (int x = 0, y = plain.height() / 2; x < plain.width() / 3; ++x)
                    if (plain.pixel(x, y) != ringed.pixel(x, y))
                        best = std::max(best, Contrast(ringed.pixelColor(x, y), shown));
                QVERIFY2(best >= 3.0, qPrintable(QStringLiteral("%1 at %2: %3").arg(shown.name()).arg(scale).arg(best)));
            }
        }
        Quadlet* cell = t.w.cell(2);
        std::map<QString, std::pair<QRectF, int>> ink;
        for (const char* op : {"+", "-", "*"}) {
            Cell state = t.w.form().GridDisp[2];
            state.Caption = op;
            cell->setState(state);
            const auto [box, count] = ink[op] = InkOf(cell);
            QVERIFY2((box.center() - QRectF(cell->rect()).center()).manhattanLength() <= 2 && count > 0, op);
        }
        const QRectF plus = ink["+"].first, minus = ink["-"].first;
        const int bar = ink["+"].second / int(plus.width() + plus.height()) + 1;  // how thick the plus's arms are
        QVERIFY(std::abs(minus.width() - plus.width()) <= 2 && std::abs(minus.height() - bar) <= 2);
        QVERIFY(ink["*"].second > ink["+"].second * 0.8);  // the plus turned, not a small raised star
        QVERIFY(InkOf(t.w.cell(6)).second > ink["+"].second / 2);  // the disabled "=" keeps its dark caption
    }

    void tabShortcutsAndMenuLeaveNoTrap() {
        Window t;
        ui::MainWindow& w = t.w;
        QMenu* menu = w.puzzleMenu();
        w.focusCell(17);
        // Tab and Shift+Tab go between the board and the button.
        for (auto [key, to] : {std::pair{Qt::Key_Tab, (QWidget*)w.newPuzButton()}, {Qt::Key_Tab, w.cell(17)},
                               {Qt::Key_Backtab, w.newPuzButton()}}) {
            t.key(key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
            QCOMPARE(QApplication::focusWidget(), to);
        }
        // Space held on the button repeats as a key does; it is one press, one
        // new puzzle on release, and the keys go back to the board.
        for (int n = 0; n < 4; ++n) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ", n > 0);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ", n < 3);
            QCoreApplication::sendEvent(w.newPuzButton(), &press), QCoreApplication::sendEvent(w.newPuzButton(), &release);
            QCOMPARE(t.title(), QStringLiteral("Puzzle Number  %1").arg(n < 3 ? 1 : 2));
        }
        QCOMPARE(QApplication::focusWidget(), w.cell(17));
        t.key(Qt::Key_N, Qt::ControlModifier), t.key(Qt::Key_P, Qt::ControlModifier), t.key(Qt::Key_F1);
        QVERIFY(t.title() == QStringLiteral("Puzzle Number  3") && t.services->helpOpened == 1);
        QCOMPARE(t.services->last(), std::string("Print Puzzle No(s): 1, 2, 3"));

        // Alt+P, then C: into set-up mode and out again, whatever the item's caption says.
        for (int mode : {1, 0}) {
            t.key(Qt::Key_P, Qt::AltModifier);
            QTRY_VERIFY(menu->isVisible());
            QTest::keyClick(menu, Qt::Key_C);
            QTRY_COMPARE(int(w.form().SetupMode), mode);
        }
        t.key(Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(t.services->programEnded, 1);
    }

    // The largest scale, in twentieths, at which the window and 8 pixels
    // around it fit the screen; at most 2, or what the desktop's font asks for.
    void openingSizeFitsSmallScreens() {
        const QSize chrome(8, 22 + 24 + 8);  // a menu bar, a title bar and a thin border
        struct Screen { QSize available; double wanted, scale; };
        for (const Screen& s : {Screen{{640, 480}, 2, 1.3}, {{800, 600}, 2, 1.7}, {{1280, 1024}, 2, 2.0}, {{320, 240}, 2, 0.5},
                                {{400, 300}, 2, 0.7}, {{100, 100}, 2, 0.5}, {{1920, 1080}, 2.4, 2.4}, {{800, 600}, 2.4, 1.7},
                                {{620, 2000}, 2, 1.95}}) {  // the last one narrow: its width decides
            const double scale = ui::Geometry::OpeningScale(s.available, chrome, 8, s.wanted);
            QVERIFY2(qAbs(scale - s.scale) < 1e-9, qPrintable(QStringLiteral("%1x%2: %3").arg(s.available.width())
                                                                .arg(s.available.height()).arg(scale)));
        }
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
