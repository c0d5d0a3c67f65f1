// The game without a mouse: the board's cursor and focus ring, every key and
// shortcut, no keyboard trap in the menu, the opening size on small screens,
// the operators' signs and the About window's scale. (A whole game by keys
// and the screen reader's view run end to end, in tests/e2e.)
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include <set>

#include "ScriptedServices.h"
#include "game/Texts.h"
#include "qt/AboutForm.h"
#include "qt/Colours.h"
#include "qt/MainWindow.h"
#include "qt/Quadlet.h"

using namespace quorvex;
using ui::Quadlet;

namespace {

struct Fixture {
    testing::ScriptedServices* services = nullptr;
    ui::MainWindow w{[this](ui::MainWindow&) {
        auto s = std::make_unique<testing::ScriptedServices>();
        services = s.get();
        return std::unique_ptr<Services>(std::move(s));
    }};
    Fixture() {
        w.show();
        w.activateWindow();
        (void)QTest::qWaitForWindowActive(&w);
    }
    int focused() const {
        auto* q = qobject_cast<Quadlet*>(QApplication::focusWidget());
        return q && q->kind() == Quadlet::Kind::Cell ? q->index() : -1;
    }
    QString caption(int i) const { return w.cell(i)->caption(); }
    void key(Qt::Key k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(QApplication::focusWidget(), k, m); }
    void type(const char* keys) { QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(keys)); }
};

// Pixels unlike the face, in the cell's inner square (clear of bevel and ring).
struct Ink {
    QRect box;
    int count = 0;
};
Ink InkOf(Quadlet* cell) {
    const QImage image = cell->grab().toImage();
    const QColor face = image.pixelColor(image.width() / 8 + 2, image.height() / 2);
    const int m = image.width() / 6;
    Ink ink;
    for (int y = m; y < image.height() - m; ++y)
        for (int x = m; x < image.width() - m; ++x)
            if (std::abs(qGray(image.pixel(x, y)) - qGray(face.rgb())) > 96) {
                ink.box |= QRect(x, y, 1, 1);
                ++ink.count;
            }
    return ink;
}

double Luminance(QColor c) {
    auto f = [](double v) { v /= 255; return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * f(c.red()) + 0.7152 * f(c.green()) + 0.0722 * f(c.blue());
}
double Contrast(QColor a, QColor b) {
    const double x = Luminance(a), y = Luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

}  // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    void cursorMovesOverInputCellsAndStopsAtEdges();
    void focusRingShowsOnEveryFace();
    void keysOnACellActThroughTheCore();
    void tabShortcutsAndMenuLeaveNoTrap();
    void openingSizeFitsSmallScreens();
    void operatorsAreDrawnAsSignsAndSpokenInWords();
    void aboutWindowTakesTheMainWindowsScale();
};

void TestKeyboard::cursorMovesOverInputCellsAndStopsAtEdges() {
    Fixture t;
    QCOMPARE(t.focused(), 2);  // the first cell that takes input, from start-up on
    struct Case { int from; Qt::Key key; Qt::KeyboardModifiers mods; int to; };
    const Case cases[] = {
        {2, Qt::Key_Right, {}, 3},       {3, Qt::Key_Down, {}, 10},      {2, Qt::Key_Down, {}, 16},
        {30, Qt::Key_Down, {}, 44},      {44, Qt::Key_Down, {}, 44},     {5, Qt::Key_Right, {}, 5},
        {8, Qt::Key_Up, {}, 8},          {14, Qt::Key_Left, {}, 12},     {29, Qt::Key_Down, {}, 29},
        {44, Qt::Key_Right, {}, 46},     {46, Qt::Key_Right, {}, 46},    {17, Qt::Key_Home, {}, 15},
        {17, Qt::Key_End, {}, 19},       {17, Qt::Key_End, Qt::ControlModifier, 46},
        {17, Qt::Key_Home, Qt::ControlModifier, 2},
    };
    for (const Case& c : cases) {
        t.w.focusCell(c.from);
        QCOMPARE(t.focused(), c.from);
        t.key(c.key, c.mods);
        QVERIFY2(t.focused() == c.to, qPrintable(QStringLiteral("%1 key %2 -> %3").arg(c.from).arg(c.key).arg(t.focused())));
    }
    t.w.focusCell(21);  // a result takes no input: the cursor stays
    QCOMPARE(t.focused(), 2);
}

void TestKeyboard::focusRingShowsOnEveryFace() {
    Fixture t;
    // Set-up mode enables the corners; the faces a corner can show are set on it in turn.
    t.w.form().SolveMx_Click();
    t.w.sync();
    Quadlet* corner = t.w.cell(7);
    for (QColor face : {QColor(128, 0, 0), QColor(0, 128, 0), QColor(0, 0, 0), QColor()}) {
        Cell state = t.w.form().GridDisp[7];
        state.BackColor = face.isValid() ? Rgb(face.red(), face.green(), face.blue()) : SystemColour(SysButtonFace);
        corner->setState(state);
        for (double scale : {0.5, 1.0, 2.0, 3.0}) {
            corner->setScale(scale);
            t.w.focusCell(3);
            const QImage plain = corner->grab().toImage();
            t.w.focusCell(7);
            const QImage ringed = corner->grab().toImage();
            const QColor faceShown = ui::ToQColor(state.BackColor, corner->palette());
            // Across the left edge at mid-height: what the ring changed, and how far it stands out.
            double best = 0;
            for (int x = 0; x < plain.width() / 3; ++x)
                if (plain.pixel(x, plain.height() / 2) != ringed.pixel(x, plain.height() / 2))
                    best = std::max(best, Contrast(ringed.pixelColor(x, plain.height() / 2), faceShown));
            QVERIFY2(best >= 3.0, qPrintable(QStringLiteral("face %1 scale %2: %3").arg(faceShown.name()).arg(scale).arg(best)));
        }
    }
}

void TestKeyboard::keysOnACellActThroughTheCore() {
    Fixture t;
    t.w.focusCell(3);
    struct Step { Qt::Key key; Qt::KeyboardModifiers mods; const char* shown; };
    const Step steps[] = {{Qt::Key_Space, {}, "1"},      {Qt::Key_Return, {}, "2"},        {Qt::Key_Enter, Qt::KeypadModifier, "3"},
                          {Qt::Key_Backspace, {}, "2"},  {Qt::Key_Space, Qt::ShiftModifier, "1"},
                          {Qt::Key_7, {}, "7"},          {Qt::Key_4, Qt::KeypadModifier, "4"},  {Qt::Key_0, {}, "4"},
                          {Qt::Key_Plus, {}, "4"}};
    for (const Step& s : steps) {
        t.key(s.key, s.mods);
        QCOMPARE(t.caption(3), QString::fromLatin1(s.shown));
        QCOMPARE(t.focused(), 3);
    }
    t.w.focusCell(2);
    for (auto [typed, shown] : {std::pair{"*", "*"}, {"+", "+"}, {"-", "-"}, {"x", "*"}, {"5", "*"}}) {
        t.type(typed);
        QCOMPARE(t.caption(2), QString::fromLatin1(shown));
    }
    t.key(Qt::Key_Asterisk, Qt::KeypadModifier);
    QCOMPARE(t.caption(2), QStringLiteral("*"));

    // Set-up: a digit on a corner sets it and wakes Solve Puzzle; Ctrl+N presses it.
    t.w.form().SolveMx_Click();
    t.w.sync();
    t.w.focusCell(49);
    QVERIFY(!t.w.solveitButton()->isEnabled());
    t.type("6");
    QCOMPARE(t.caption(49), QStringLiteral("6"));
    QCOMPARE(t.w.form().CornerVal49, 6);
    QVERIFY(t.w.solveitButton()->isEnabled());
    t.key(Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(t.services->count(text::SetCornersFirst), 1);
    QCOMPARE(t.focused(), 49);
}

void TestKeyboard::tabShortcutsAndMenuLeaveNoTrap() {
    Fixture t;
    ui::MainWindow& w = t.w;
    QMenu* menu = w.puzzleMenu();
    QCOMPARE(menu->title(), QStringLiteral("&Puzzle"));
    std::set<QString> shown;
    for (QAction* a : menu->actions())
        if (!a->shortcut().isEmpty()) shown.insert(a->text() + QLatin1Char(' ') + a->shortcut().toString());
    QVERIFY2(shown == (std::set<QString>{"Print Ctrl+P", "Help F1", "Exit Ctrl+Q"}), qPrintable(QStringList(shown.begin(), shown.end()).join(',')));

    w.focusCell(17);
    t.key(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w.newPuzButton());
    t.key(Qt::Key_Tab);
    QCOMPARE(t.focused(), 17);
    t.key(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), w.newPuzButton());
    t.key(Qt::Key_Space);  // the button's own action, and the keys go back to the board
    QCOMPARE(t.services->titles.back(), std::string(text::TitlePrefix) + " 2");
    QCOMPARE(t.focused(), 17);
    t.key(Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(t.services->titles.back(), std::string(text::TitlePrefix) + " 3");
    t.key(Qt::Key_P, Qt::ControlModifier);
    QVERIFY(!t.services->messages.empty() && t.services->messages.back().text.rfind(text::PrintPrompt, 0) == 0);
    t.key(Qt::Key_F1);
    QCOMPARE(t.services->helpOpened, 1);

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
        QCOMPARE(t.focused(), 17);
        // Space now plays the cell: the menu does not open and "Start a Solution" does not run.
        const QString before = t.caption(17);
        t.key(Qt::Key_Space);
        QVERIFY2(!menu->isVisible() && t.caption(17) != before, how);
        QVERIFY2(!QApplication::activePopupWidget(), how);
        t.key(Qt::Key_Return);
        QVERIFY2(!menu->isVisible(), how);
        for (int i : {3, 5}) QVERIFY2(t.caption(i).isEmpty(), how);  // no solution was started
    };
    escapeLeavesNothing("Alt+P", [&] { t.key(Qt::Key_P, Qt::AltModifier); });
    escapeLeavesNothing("F10", [&] { t.key(Qt::Key_F10); });
    escapeLeavesNothing("Alt, Down", [&] {
        QTest::keyClick(&w, Qt::Key_Alt);
        QTest::keyClick(w.menuBar(), Qt::Key_Down);
    });

    t.key(Qt::Key_Q, Qt::ControlModifier);
    QCOMPARE(t.services->programEnded, 1);
}

void TestKeyboard::openingSizeFitsSmallScreens() {
    // A menu bar and a title bar as on this desktop, a thin border, 8 pixels clear.
    const QSize chrome(8, 22 + 24 + 8);
    const int margin = 8;
    struct Screen { QSize physical; int factor; double scale; };
    const Screen screens[] = {{{640, 480}, 1, 1.3}, {{800, 600}, 1, 1.7}, {{1280, 1024}, 1, 2.0},
                              {{640, 480}, 2, 0.5}, {{800, 600}, 2, 0.7}, {{1280, 1024}, 2, 1.4}};
    for (const Screen& s : screens) {
        const QSize available = s.physical / s.factor;
        const double scale = ui::Geometry::OpeningScale(available, chrome, margin);
        const QByteArray at = QStringLiteral("%1x%2 at %3").arg(s.physical.width()).arg(s.physical.height()).arg(s.factor).toUtf8();
        const auto fits = [&](double k) {
            const QSize whole = ui::Geometry(k).clientSize() + chrome + QSize(2 * margin, 2 * margin);
            return whole.width() <= available.width() && whole.height() <= available.height();
        };
        QVERIFY2(fits(scale) && (scale == 2.0 || !fits(scale + ui::Geometry::ScaleStep)), at);
        QVERIFY2(qAbs(scale - s.scale) < 1e-9, at + " " + QByteArray::number(scale));
    }
    QCOMPARE(ui::Geometry::OpeningScale({100, 100}, chrome, margin), ui::Geometry::MinimumScale);

}

void TestKeyboard::operatorsAreDrawnAsSignsAndSpokenInWords() {
    Fixture t;
    t.w.focusCell(3);  // keeps the ring off the operator cell
    Quadlet* cell = t.w.cell(2);
    std::map<QString, Ink> ink;
    for (const char* op : {"+", "-", "*"}) {
        Form1& f = t.w.form();
        f.GridDisp[2].Caption = op;
        t.w.sync();
        QCOMPARE(cell->caption(), QString::fromLatin1(op));  // the game's own caption is unchanged
        ink[op] = InkOf(cell);
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(cell);
        QCOMPARE(a->text(QAccessible::Value), QString::fromLatin1(std::strcmp(op, "+") == 0 ? "plus" : std::strcmp(op, "-") == 0 ? "minus" : "times"));
        QVERIFY(a->text(QAccessible::Name).endsWith(a->text(QAccessible::Value)));
    }
    const QPointF centre = QRectF(cell->rect()).center();
    const Ink &plus = ink["+"], &minus = ink["-"], &times = ink["*"];
    for (const auto& [op, i] : ink) {
        const QPointF c = QRectF(i.box).center();
        QVERIFY2(std::abs(c.x() - centre.x()) <= 1.5 && std::abs(c.y() - centre.y()) <= 1.5,
                 qPrintable(op + QStringLiteral(" at %1,%2 in %3x%4").arg(c.x()).arg(c.y()).arg(cell->width()).arg(cell->height())));
    }
    // The minus is the plus's bar: as wide, and as thick as the plus's arms.
    const int bar = plus.count / (plus.box.width() + plus.box.height()) + 1;
    QVERIFY2(std::abs(minus.box.width() - plus.box.width()) <= 2, qPrintable(QString::number(minus.box.width())));
    QVERIFY2(std::abs(minus.box.height() - bar) <= 2, qPrintable(QStringLiteral("%1 vs %2").arg(minus.box.height()).arg(bar)));
    // The times sign carries the plus's weight: nearly as much ink, not a small raised star.
    QVERIFY2(times.count > plus.count * 0.8 && times.count < plus.count * 1.2,
             qPrintable(QStringLiteral("%1 vs %2").arg(times.count).arg(plus.count)));
}

void TestKeyboard::aboutWindowTakesTheMainWindowsScale() {
    Fixture t;
    t.w.resize(t.w.size() * 3 / 4);
    QTRY_VERIFY(t.w.layoutGeometry().scale() < 1.8);
    const double scale = t.w.layoutGeometry().scale();
    QSize size;
    int pixels = 0;
    QTimer::singleShot(0, [&] {
        if (ui::AboutForm* about = ui::AboutForm::instance()) {
            size = about->size();
            pixels = QFontInfo(about->font()).pixelSize();
            about->close();
        }
    });
    ui::ShowAboutModal(&t.w);
    QCOMPARE(size, QSize(qRound(4752 / 15.0 * scale), qRound(1452 / 15.0 * scale)));
    // 7.8 points at 96 dots per inch, whatever the screen's own: 10.4 design pixels.
    QVERIFY2(std::abs(pixels - 10.4 * scale) <= 1.5, qPrintable(QStringLiteral("%1 at %2").arg(pixels).arg(scale)));
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
