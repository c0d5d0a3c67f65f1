// The pieces under the main window: the layout at every scale, the Quadlet's
// clicks and colours, and the drawn pictures.
#include <QtTest>

#include <QSignalSpy>

#include "board/Colour.h"
#include "qt/Geometry.h"
#include "qt/Pictures.h"
#include "qt/Quadlet.h"

using namespace quorvex;
using namespace quorvex::ui;

class TestQuadlet : public QObject {
    Q_OBJECT
private slots:
    void layoutNeverOverlapsAtAnyScale();
    void clickNeedsPressAndReleaseInside();
    void coloursFollowTheCoreAndThePalette();
    void picturesAreDrawnOnTransparentGround();
};

void TestQuadlet::layoutNeverOverlapsAtAnyScale() {
    for (int step = 0; step <= 60; ++step) {
        const Geometry g(1.0 + step * 0.05, QPointF(step % 7, step % 3));
        const QString at = QStringLiteral("scale %1").arg(g.scale());
        std::vector<QRect> shown;
        for (int i = 1; i <= 53; ++i) shown.push_back(g.cell(i));
        shown.push_back(g.button());
        shown.push_back(g.message());
        for (std::size_t a = 0; a < shown.size(); ++a) {
            QVERIFY2(g.frame().contains(shown[a]), qPrintable(at));
            QVERIFY2(shown[a].width() > 0 && shown[a].height() > 0, qPrintable(at));
            for (std::size_t b = a + 1; b < shown.size(); ++b)
                QVERIFY2(!shown[a].intersects(shown[b]), qPrintable(at + QStringLiteral(" %1/%2").arg(a).arg(b)));
        }
        // Neighbouring cells share their edge: no seams between them.
        QCOMPARE(g.cell(2).left(), g.cell(1).right() + 1);
        QCOMPARE(g.cell(5).left(), g.cell(4).right() + 1);
        QCOMPARE(g.cell(15).top(), g.cell(8).bottom() + 1);
        // The smiley covers its target cell.
        for (int j = 1; j <= 4; ++j) QVERIFY(g.picture(j).intersects(g.cell(49 + j)));
        // The template cell lies outside the client area.
        QVERIFY(!QRect(g.origin().toPoint(), g.clientSize()).intersects(g.cell(0)));
    }
    // Design pixels at scale 1: 15 twips each.
    QCOMPARE(Geometry(1.0).cell(1), QRect(42, 52, 30, 30));
    QCOMPARE(Geometry::DesignClientSize(), QSize(303, 310));
    QCOMPARE(Geometry(Geometry::DefaultScale).clientSize(), QSize(605, 620));
    QCOMPARE(Geometry(2.0).fontPoints(14.4, 192), 14.4);  // text keeps its size on a denser screen
}

void TestQuadlet::clickNeedsPressAndReleaseInside() {
    QWidget host;
    host.resize(200, 200);
    Quadlet cell(Quadlet::Kind::Cell, 17, &host);
    cell.setGeometry(10, 10, 60, 60);
    Quadlet button(Quadlet::Kind::Button, 0, &host);
    button.setGeometry(10, 100, 140, 40);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QSignalSpy cellClicks(&cell, &Quadlet::mouseClicked);
    QSignalSpy buttonClicks(&button, &Quadlet::clicked);
    const QPoint mid = cell.rect().center();

    QTest::mouseClick(&cell, Qt::LeftButton, {}, mid);
    QTest::mouseClick(&cell, Qt::RightButton, {}, mid);
    QTest::mouseClick(&cell, Qt::MiddleButton, {}, mid);
    QCOMPARE(cellClicks.size(), 2);
    QCOMPARE(cellClicks[0], QVariantList({17, 1}));
    QCOMPARE(cellClicks[1], QVariantList({17, 2}));

    // Held down, the cell looks pressed; let go outside and nothing happens.
    QTest::mousePress(&cell, Qt::LeftButton, {}, mid);
    QVERIFY(cell.isPressed());
    QMouseEvent away(QEvent::MouseMove, QPointF(100, 100), cell.mapToGlobal(QPointF(100, 100)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&cell, &away);
    QTest::mouseRelease(&cell, Qt::LeftButton, {}, QPoint(100, 100));
    QVERIFY(!cell.isPressed());
    QCOMPARE(cellClicks.size(), 2);

    // Disabled or hidden: no signal at all.
    cell.setEnabled(false);
    QTest::mouseClick(&cell, Qt::LeftButton, {}, mid);
    cell.setEnabled(true);
    cell.hide();
    QTest::mouseClick(&cell, Qt::LeftButton, {}, mid);
    QCOMPARE(cellClicks.size(), 2);

    QTest::mouseClick(&button, Qt::RightButton, {}, button.rect().center());
    QCOMPARE(buttonClicks.size(), 0);
    QTest::mouseClick(&button, Qt::LeftButton, {}, button.rect().center());
    QCOMPARE(buttonClicks.size(), 1);
}

void TestQuadlet::coloursFollowTheCoreAndThePalette() {
    QPalette pal;
    pal.setColor(QPalette::WindowText, QColor(1, 2, 3));
    pal.setColor(QPalette::Button, QColor(4, 5, 6));
    pal.setColor(QPalette::Dark, QColor(7, 8, 9));
    pal.setColor(QPalette::Light, QColor(10, 11, 12));
    QCOMPARE(ToQColor(SystemColour(SysWindowText), pal), QColor(1, 2, 3));
    QCOMPARE(ToQColor(SystemColour(SysButtonFace), pal), QColor(4, 5, 6));
    QCOMPARE(ToQColor(SystemColour(SysButtonShadow), pal), QColor(7, 8, 9));
    QCOMPARE(ToQColor(SystemColour(SysButtonHighlight), pal), QColor(10, 11, 12));
    QCOMPARE(ToQColor(Rgb(128, 0, 64), pal), QColor(128, 0, 64));
    QCOMPARE(ToQColor(QBColor(2), pal), QColor(0, 128, 0));

    Quadlet cell(Quadlet::Kind::Cell, 23, nullptr);
    cell.setPalette(pal);
    cell.resize(60, 60);
    Cell state;
    state.Caption = "7";
    state.BackColor = QBColor(4);
    state.ForeColor = QBColor(15);
    state.Enabled = false;
    cell.setState(state);
    QCOMPARE(cell.accessibleName(), QStringLiteral("Row 4, column 2: 7"));
    QVERIFY(!cell.isEnabled());
    const QImage image = cell.grab().toImage();
    QCOMPARE(image.pixelColor(10, 30), QColor(128, 0, 0));
    QCOMPARE(image.pixelColor(0, 30), QColor(10, 11, 12));  // raised: light left edge
    QCOMPARE(image.pixelColor(59, 30), QColor(7, 8, 9));    // dark right edge
    // The caption keeps its white although the cell is disabled.
    int whiteish = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x) whiteish += qGray(image.pixel(x, y)) > 240;
    QVERIFY(whiteish > 20);

    Quadlet target(Quadlet::Kind::Cell, 51, nullptr);
    target.setState(state);
    QCOMPARE(target.accessibleName(), QStringLiteral("Target, top right corner: 7"));
}

void TestQuadlet::picturesAreDrawnOnTransparentGround() {
    for (int size : {16, 32, 100}) {
        const QImage smiley = SmileyPixmap(size).toImage();
        QCOMPARE(smiley.size(), QSize(size, size));
        QCOMPARE(smiley.pixelColor(0, 0).alpha(), 0);
        const QColor face = smiley.pixelColor(size / 2, size / 4);
        QVERIFY(face.alpha() == 255 && face.red() > 200 && face.green() > 150 && face.blue() < 120);
    }
    // The icon's grid shows sixteen different colours.
    const QImage icon = WindowIconPixmap(64).toImage();
    QVERIFY(icon.pixelColor(0, 0).alpha() < 100);
    QSet<QRgb> colours;
    for (int k = 0; k < 16; ++k)
        colours.insert(icon.pixel(int((7.75 + k % 4 * 5.5) * 2), int((11.0 + k / 4 * 5.5) * 2)));
    QCOMPARE(colours.size(), 16);
}

QTEST_MAIN(TestQuadlet)
#include "tst_quadlet.moc"
