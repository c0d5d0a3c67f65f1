// The game without a mouse: the board's cursor and focus ring, every key and
// shortcut, no keyboard trap in the menu, the opening size on small screens
// and the operators' signs. (The About window's scale is tested with it; a
// whole game by keys and the screen reader's view run end to end, in tests/e2e.)
#include "WindowTest.h"
#include "qt/Colours.h"

using namespace quorvex;
using namespace quorvex::testing;
using ui::Quadlet;

namespace {

// Pixels unlike the face, in the cell's inner square (clear of bevel and ring).
struct Ink {
    QRect box;
    int count = 0;
};
Ink InkOf(Quadlet* cell) {
    const QImage image = cell->grab().toImage();
    const int face = qGray(image.pixel(image.width() / 8 + 2, image.height() / 2)), m = image.width() / 6;
    Ink ink;
    for (int y = m; y < image.height() - m; ++y)
        for (int x = m; x < image.width() - m; ++x)
            if (std::abs(qGray(image.pixel(x, y)) - face) > 96) ink.box |= QRect(x, y, 1, 1), ++ink.count;
    return ink;
}

// The contrast ratio of two colours as accessibility guidelines measure it.
double Contrast(QColor a, QColor b) {
    const auto luminance = [](QColor c) {
        const auto f = [](double v) { v /= 255; return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * f(c.red()) + 0.7152 * f(c.green()) + 0.0722 * f(c.blue());
    };
    const double x = luminance(a), y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

}  // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    void cursorMovesOverInputCellsAndStopsAtEdges() {
        Window t;
        QCOMPARE(t.focused(), 1);  // the given corner: read-only, but the first stop from start-up on
        const Qt::KeyboardModifiers none, ctrl = Qt::ControlModifier;
        struct Case { int from; Qt::Key key; Qt::KeyboardModifiers mods; int to; };
        // Numbers, operators and results are stops, "=" and blank cells are not.
        for (const Case& c : {Case{2, Qt::Key_Right, none, 3}, {3, Qt::Key_Down, none, 10}, {2, Qt::Key_Down, none, 16},
                              {30, Qt::Key_Down, none, 44}, {44, Qt::Key_Down, none, 44}, {5, Qt::Key_Right, none, 7},
                              {8, Qt::Key_Up, none, 1}, {14, Qt::Key_Left, none, 12}, {29, Qt::Key_Down, none, 43},
                              {46, Qt::Key_Right, none, 47}, {49, Qt::Key_Right, none, 49}, {17, Qt::Key_Home, none, 15},
                              {17, Qt::Key_End, none, 21}, {17, Qt::Key_End, ctrl, 49}, {17, Qt::Key_Home, ctrl, 1}}) {
            t.w.focusCell(c.from);
            QCOMPARE(t.focused(), c.from);
            t.key(c.key, c.mods);
            QVERIFY2(t.focused() == c.to, qPrintable(QStringLiteral("%1 %2: %3").arg(c.from).arg(c.key).arg(t.focused())));
        }
        t.w.focusCell(6);  // "=" is no stop: the cursor stays
        QCOMPARE(t.focused(), 1);
        // In set-up mode the corners are the only stops.
        t.w.form().SolveMx_Click(), t.w.sync(), t.w.focusBoard();
        for (auto [key, to] : {std::pair{Qt::Key_Right, 7}, {Qt::Key_Down, 49}, {Qt::Key_Left, 43}, {Qt::Key_Up, 1}}) {
            t.key(key);
            QCOMPARE(t.focused(), to);
        }
    }

    void focusRingShowsOnEveryFace() {
        Window t;
        // Set-up mode enables the corners; the faces a corner can show are set on it in turn.
        t.w.form().SolveMx_Click(), t.w.sync();
        Quadlet* corner = t.w.cell(7);
        for (Colour face : {Rgb(128, 0, 0), Rgb(0, 128, 0), Rgb(0, 0, 0), SystemColour(SysButtonFace)}) {
            Cell state = t.w.form().GridDisp[7];
            state.BackColor = face;
            corner->setState(state);
            const QColor shown = ui::ToQColor(state.BackColor, corner->palette());
            for (double scale : {0.5, 1.0, 2.0, 3.0}) {
                corner->setScale(scale);
                t.w.focusCell(1);
                const QImage plain = corner->grab().toImage();
                t.w.focusCell(7);
                const QImage ringed = corner->grab().toImage();
                // Across the left edge at mid-height: what the ring changed, and how far it stands out.
                double best = 0;
                for (int x = 0, y = plain.height() / 2; x < plain.width() / 3; ++x)
                    if (plain.pixel(x, y) != ringed.pixel(x, y))
                        best = std::max(best, Contrast(ringed.pixelColor(x, y), shown));
                QVERIFY2(best >= 3.0, qPrintable(QStringLiteral("%1 at %2: %3").arg(shown.name()).arg(scale).arg(best)));
            }
        }
    }

    void keysOnACellActThroughTheCore() {
        Window t;
        const Qt::KeyboardModifiers none, pad = Qt::KeypadModifier;
        struct Step { int cell; Qt::Key key; Qt::KeyboardModifiers mods; const char* shown; };
        for (const Step& s : {Step{3, Qt::Key_Space, none, "1"}, {3, Qt::Key_Return, none, "2"},
                              {3, Qt::Key_Enter, pad, "3"}, {3, Qt::Key_Backspace, none, "2"},
                              {3, Qt::Key_Space, Qt::ShiftModifier, "1"}, {3, Qt::Key_7, none, "7"},
                              {3, Qt::Key_4, pad, "4"}, {3, Qt::Key_0, none, "4"}, {3, Qt::Key_Plus, none, "4"},
                              {2, Qt::Key_Asterisk, none, "*"}, {2, Qt::Key_Plus, none, "+"},
                              {2, Qt::Key_Minus, none, "-"}, {2, Qt::Key_X, none, "*"}, {2, Qt::Key_5, none, "*"},
                              {2, Qt::Key_Minus, pad, "-"}, {2, Qt::Key_Asterisk, pad, "*"}}) {
            t.w.focusCell(s.cell);
            t.key(s.key, s.mods);
            QCOMPARE(t.caption(s.cell), QString::fromLatin1(s.shown));
            QCOMPARE(t.focused(), s.cell);
        }
        // Set-up: a digit on a corner sets it and wakes Solve Puzzle; Ctrl+N presses it.
        t.w.form().SolveMx_Click(), t.w.sync();
        t.w.focusCell(49);
        QVERIFY(!t.w.solveitButton()->isEnabled());
        t.key(Qt::Key_6);
        QVERIFY(t.caption(49) == QStringLiteral("6") && t.w.form().CornerVal49 == 6 && t.w.solveitButton()->isEnabled());
        t.key(Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(t.services->count("set corner numbers first"), 1);
        QCOMPARE(t.focused(), 49);
    }

    void tabShortcutsAndMenuLeaveNoTrap() {
        Window t;
        ui::MainWindow& w = t.w;
        QMenu* menu = w.puzzleMenu();
        const auto title = [&] { return QString::fromStdString(t.services->titles.back()); };
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
            QCOMPARE(title(), QStringLiteral("Puzzle Number  %1").arg(n < 3 ? 1 : 2));
        }
        QCOMPARE(QApplication::focusWidget(), w.cell(17));
        t.key(Qt::Key_N, Qt::ControlModifier), t.key(Qt::Key_P, Qt::ControlModifier), t.key(Qt::Key_F1);
        QCOMPARE(title(), QStringLiteral("Puzzle Number  3"));
        const auto& told = t.services->messages;
        QVERIFY(t.services->helpOpened == 1 && !told.empty() && told.back().text.rfind("Print Puzzle No(s): ", 0) == 0);

        const auto escapeLeavesNothing = [&](const char* how, const std::function<void()>& open) {
            open();
            QTRY_VERIFY2(menu->isVisible(), how);
            QTest::keyClick(menu, Qt::Key_Escape);
            QTRY_VERIFY2(!menu->isVisible(), how);
            // The window's keyboard focus, not the menu bar's. (This platform does
            // not give the window back its activation after a popup; that is done
            // here, and would hand the keys to the menu bar if it had kept them.)
            QTRY_COMPARE(w.focusWidget(), w.cell(17));
            QApplication::setActiveWindow(nullptr);
            QApplication::setActiveWindow(&w);
            // Space now plays the cell: the menu does not open and "Start a Solution" does not run.
            const QString before = t.caption(17);
            t.key(Qt::Key_Space);
            QVERIFY2(!menu->isVisible() && t.caption(17) != before && !QApplication::activePopupWidget(), how);
            t.key(Qt::Key_Return);
            QVERIFY2(!menu->isVisible() && t.caption(3).isEmpty() && t.caption(5).isEmpty(), how);
        };
        escapeLeavesNothing("Alt+P", [&] { t.key(Qt::Key_P, Qt::AltModifier); });
        escapeLeavesNothing("F10", [&] { t.key(Qt::Key_F10); });
        escapeLeavesNothing("Alt, Down", [&] {
            QTest::keyClick(&w, Qt::Key_Alt), QTest::keyClick(w.menuBar(), Qt::Key_Down);
        });
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

    void openingSizeFitsSmallScreens() {
        // A menu bar and a title bar as on this desktop, a thin border, 8 pixels clear.
        const QSize chrome(8, 22 + 24 + 8);
        const int margin = 8;
        struct Screen { QSize physical; int factor; double scale; };
        for (const Screen& s : {Screen{{640, 480}, 1, 1.3}, {{800, 600}, 1, 1.7}, {{1280, 1024}, 1, 2.0},
                                {{640, 480}, 2, 0.5}, {{800, 600}, 2, 0.7}, {{1280, 1024}, 2, 1.4}}) {
            const QSize available = s.physical / s.factor;
            const double scale = ui::Geometry::OpeningScale(available, chrome, margin);
            const auto fits = [&](double k) {
                const QSize whole = ui::Geometry(k).clientSize() + chrome + QSize(2 * margin, 2 * margin);
                return whole.boundedTo(available) == whole;
            };
            const QByteArray at = QStringLiteral("%1x%2 at %3: %4").arg(available.width()).arg(available.height())
                                      .arg(s.factor).arg(scale).toUtf8();
            QVERIFY2(fits(scale) && (scale == 2.0 || !fits(scale + ui::Geometry::ScaleStep)), at);
            QVERIFY2(qAbs(scale - s.scale) < 1e-9, at);
        }
        QCOMPARE(ui::Geometry::OpeningScale({100, 100}, chrome, margin), ui::Geometry::MinimumScale);
        // A desktop that asks for larger text gets a larger board, as far as the screen allows.
        QCOMPARE(ui::Geometry::OpeningScale({1920, 1080}, chrome, margin, 2.4), 2.4);
        QVERIFY(qAbs(ui::Geometry::OpeningScale({800, 600}, chrome, margin, 2.4) - 1.7) < 1e-9);
    }

    void operatorsAreDrawnAsSignsAndSpokenInWords() {
        Window t;
        t.w.focusCell(3);  // keeps the ring off the operator cell
        Quadlet* cell = t.w.cell(2);
        std::map<QString, Ink> ink;
        for (auto [op, spoken] : {std::pair{"+", "plus"}, {"-", "minus"}, {"*", "times"}}) {
            t.w.form().GridDisp[2].Caption = op, t.w.sync();
            QCOMPARE(cell->caption(), QString::fromLatin1(op));  // the game's own caption is unchanged
            ink[op] = InkOf(cell);
            QCOMPARE(QAccessible::queryAccessibleInterface(cell)->text(QAccessible::Name),
                     QStringLiteral("Row 1, column 2: ") + spoken);
        }
        const QPointF centre = QRectF(cell->rect()).center();
        for (const auto& [op, i] : ink) {
            const QPointF c = QRectF(i.box).center();
            QVERIFY2(std::abs(c.x() - centre.x()) <= 1.5 && std::abs(c.y() - centre.y()) <= 1.5,
                     qPrintable(op + QStringLiteral(" at %1,%2").arg(c.x()).arg(c.y())));
        }
        // The minus is the plus's bar: as wide, and as thick as the plus's arms.
        // The times sign carries the plus's weight: nearly as much ink, not a small raised star.
        const Ink &plus = ink["+"], &minus = ink["-"], &times = ink["*"];
        const int bar = plus.count / (plus.box.width() + plus.box.height()) + 1;
        QVERIFY2(std::abs(minus.box.width() - plus.box.width()) <= 2 && std::abs(minus.box.height() - bar) <= 2,
                 qPrintable(QStringLiteral("%1x%2 vs %3x%4").arg(minus.box.width()).arg(minus.box.height())
                                .arg(plus.box.width()).arg(bar)));
        QVERIFY2(times.count > plus.count * 0.8 && times.count < plus.count * 1.2,
                 qPrintable(QStringLiteral("%1 vs %2").arg(times.count).arg(plus.count)));
        // The disabled "=" keeps the game's dark caption instead of a greyed one.
        QVERIFY(InkOf(t.w.cell(6)).count > plus.count / 2);
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
