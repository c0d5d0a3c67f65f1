// The window icon and the smiley, drawn at any size on a 32-unit design grid.
#include "qt/Pictures.h"

#include <map>

#include <QApplication>
#include <QEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTimer>
#include <QWidget>

namespace quorvex::ui {

namespace {

constexpr double Design = 32.0;

QPixmap Blank(int size) {
    QPixmap pixmap(std::max(1, size), std::max(1, size));
    pixmap.fill(Qt::transparent);
    return pixmap;
}

}  // namespace

void DrawWindowIcon(QPainter& p, double size) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / Design, size / Design);

    // The window: grey face, dark frame.
    p.setPen(QPen(QColor(48, 48, 48), 1.0));
    p.setBrush(QColor(192, 192, 192));
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 1.5, 1.5);

    // Title bar, with a small close box at its right end.
    QLinearGradient title(2, 0, 30, 0);
    title.setColorAt(0, QColor(0, 0, 128));
    title.setColorAt(1, QColor(24, 120, 210));
    p.setPen(Qt::NoPen);
    p.setBrush(title);
    p.drawRect(QRectF(2.5, 2.5, 27, 4));
    p.setBrush(QColor(230, 230, 230));
    p.drawRect(QRectF(25.0, 3.25, 3.5, 2.5));

    // Four by four squares: the board in small, its green corners given and
    // two lines of sums read off them (4 + 3 gives 7, 4 times 2 gives 8,
    // 8 + 1 and 7 + 2 give 9), black squares between the lines.
    constexpr const char* Board[4] = {"4+37", "x##+", "2##2", "8+19"};
    const double cell = 5.25, gap = 0.6, left = 4.6, top = 7.1;
    const std::map<char, const char*> digits = {{'1', "h"},   {'2', "abged"},   {'3', "abgcd"}, {'4', "fgbc"},
                                                {'7', "abc"}, {'8', "abcdefg"}, {'9', "abcdfg"}};
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            const char c = Board[row][column];
            const bool corner = (row == 0 || row == 3) && (column == 0 || column == 3);
            const QRectF square(left + column * (cell + gap), top + row * (cell + gap), cell, cell);
            p.setPen(QPen(QColor(64, 64, 64), 0.4));
            p.setBrush(corner ? QColor(0, 128, 0) : c == '#' ? QColor(0, 0, 0) : QColor(236, 236, 236));
            p.drawRect(square);
            // Drawn as strokes, seven-segment style, so the icon needs no font.
            const QRectF g(square.center() - QPointF(1.1, 1.7), QSizeF(2.2, 3.4));
            const QPointF tl = g.topLeft(), tr = g.topRight(), bl = g.bottomLeft(), br = g.bottomRight();
            const QPointF ml(g.left(), g.center().y()), mr(g.right(), g.center().y());
            const std::map<char, std::pair<QPointF, QPointF>> segments = {
                {'a', {tl, tr}}, {'b', {tr, mr}}, {'c', {mr, br}}, {'d', {bl, br}},
                {'e', {ml, bl}}, {'f', {tl, ml}}, {'g', {ml, mr}}, {'h', {(tl + tr) / 2, (bl + br) / 2}}};
            p.setPen(QPen(corner ? QColor(255, 255, 255) : QColor(0, 0, 0), 0.7, Qt::SolidLine, Qt::RoundCap));
            if (auto d = digits.find(c); d != digits.end()) {
                for (const char* k = d->second; *k; ++k) p.drawLine(segments.at(*k).first, segments.at(*k).second);
            } else if (c == '+' || c == 'x') {
                const QPointF m = g.center();
                const double r = 1.3, t = c == 'x' ? 0.7071 : 0.0, u = c == 'x' ? 0.7071 : 1.0;
                p.drawLine(m + QPointF(-r * u, -r * t), m + QPointF(r * u, r * t));
                p.drawLine(m + QPointF(r * t, -r * u), m + QPointF(-r * t, r * u));
            }
        }
    }
    p.restore();
}

QPixmap WindowIconPixmap(int size) {
    QPixmap pixmap = Blank(size);
    QPainter p(&pixmap);
    DrawWindowIcon(p, pixmap.width());
    return pixmap;
}

QIcon AppIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(WindowIconPixmap(size));
    return icon;
}

void SetAppIconAfterFirstFrame(QWidget& window) {
    // Watches the window's paints; the call queued at the first one runs
    // once that whole frame is painted and flushed.
    class FirstFrame : public QObject {
    public:
        explicit FirstFrame(QWidget& watched) : QObject(&watched) { watched.installEventFilter(this); }
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint) {
                watched->removeEventFilter(this);
                QTimer::singleShot(0, this, [this] {
                    QApplication::setWindowIcon(AppIcon());
                    deleteLater();
                });
            }
            return false;
        }
    };
    new FirstFrame(window);
}

QPixmap SmileyPixmap(int size) {
    QPixmap pixmap = Blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(pixmap.width() / Design, pixmap.height() / Design);

    QRadialGradient face(QPointF(12, 11), 18);
    face.setColorAt(0, QColor(255, 250, 150));
    face.setColorAt(0.55, QColor(255, 222, 40));
    face.setColorAt(1, QColor(236, 172, 0));
    p.setPen(QPen(QColor(122, 86, 0), 1.2));
    p.setBrush(face);
    p.drawEllipse(QPointF(16, 16), 14.2, 14.2);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 20, 0));
    p.drawEllipse(QPointF(11.5, 12.5), 2.0, 2.8);
    p.drawEllipse(QPointF(20.5, 12.5), 2.0, 2.8);

    QPainterPath smile;
    smile.moveTo(9.0, 18.5);
    smile.quadTo(16.0, 26.5, 23.0, 18.5);
    p.setPen(QPen(QColor(30, 20, 0), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(smile);
    return pixmap;
}

}  // namespace quorvex::ui
