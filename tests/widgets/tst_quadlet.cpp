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
    void layoutFitsAndCentresInAnyClient();
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
}

void TestQuadlet::layoutFitsAndCentresInAnyClient() {
    struct Case {
        QSize client;
        double scale;
    };
    const Case cases[] = {
        {{605, 619}, 619 / 309.6}, {{900, 900}, 900 / 309.6}, {{400, 2000}, 400 / 302.4}, {{2000, 464}, 464 / 309.6},
        {{100, 100}, 1.0},  // never below the design size
    };
    for (const Case& c : cases) {
        const Geometry g = Geometry::ForClientSize(c.client);
        QVERIFY(qAbs(g.scale() - c.scale) < 1e-9);
        if (c.scale > 1.0) {
            QVERIFY(g.clientSize().width() <= c.client.width() && g.clientSize().height() <= c.client.height());
            QVERIFY(qAbs(2 * g.origin().x() + g.clientSize().width() - c.client.width()) <= 2);
            QVERIFY(qAbs(2 * g.origin().y() + g.clientSize().height() - c.client.height()) <= 2);
        }
        QCOMPARE(g.fontPoints(14.4), 14.4 * g.scale());
        QCOMPARE(g.fontPoints(14.4, 192), 7.2 * g.scale());
    }
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
        for (const QImage& image : {WindowIconPixmap(size).toImage(), SmileyPixmap(size).toImage()}) {
            QCOMPARE(image.size(), QSize(size, size));
            QVERIFY(image.pixelColor(0, 0).alpha() < 100);  // at most the frame's soft edge
            QCOMPARE(image.pixelColor(size / 2, size * 3 / 4).alpha(), 255);
        }
        // The smiley's face is yellow.
        const QColor face = SmileyPixmap(size).toImage().pixelColor(size / 2, size / 4);
        QVERIFY(face.red() > 200 && face.green() > 150 && face.blue() < 120);
    }
    // The icon shows sixteen different colours in its grid.
    const QImage icon = WindowIconPixmap(64).toImage();
    QSet<QRgb> colours;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            colours.insert(icon.pixel(int((5.5 + column * 5.5 + 2.25) * 2), int((8.75 + row * 5.5 + 2.25) * 2)));
    QCOMPARE(colours.size(), 16);
}

QTEST_MAIN(TestQuadlet)
#include "tst_quadlet.moc"
