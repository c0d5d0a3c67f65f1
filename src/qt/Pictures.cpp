// The window icon and the smiley, drawn at any size on a 32-unit design grid.
#include "qt/Pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "qt/Colours.h"

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
    p.drawRect(QRectF(2.5, 2.5, 27, 5));
    p.setBrush(QColor(230, 230, 230));
    p.drawRect(QRectF(25.0, 3.5, 3.5, 3));

    // Four by four squares in the sixteen colours of the classic palette.
    const double cell = 4.5, gap = 1.0, left = 5.5, top = 8.75;
    p.setPen(QPen(QColor(64, 64, 64), 0.5));
    for (int entry = 0; entry < 16; ++entry) {
        int row = entry / 4, column = entry % 4;
        p.setBrush(ToQColor(QBColor(entry)));
        p.drawRect(QRectF(left + column * (cell + gap), top + row * (cell + gap), cell, cell));
    }
    p.restore();
}

QPixmap WindowIconPixmap(int size) {
    QPixmap pixmap = Blank(size);
    QPainter p(&pixmap);
    DrawWindowIcon(p, pixmap.width());
    return pixmap;
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
