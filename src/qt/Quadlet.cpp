// The Quadlet control: a raised 3-D cell with a caption, in the core's colours.
#include "qt/Quadlet.h"

#include "board/Layout.h"

#include <cmath>
#include <functional>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QTransform>
#include <qdrawutil.h>

#include "qt/Colours.h"
#include "qt/Geometry.h"

namespace quorvex::ui {

namespace {

constexpr double CellFontPoints = 14.4;
constexpr double ButtonFontPoints = 7.8;

// Never agree to a move: nothing is taken from the dragged data, and a source
// told "moved" may delete its original.
bool AcceptWithoutMove(QDropEvent* event) {
    if (event->possibleActions() & Qt::CopyAction) {
        event->setDropAction(Qt::CopyAction);
    } else if (event->possibleActions() & Qt::LinkAction) {
        event->setDropAction(Qt::LinkAction);
    } else {
        event->ignore();
        return false;
    }
    event->accept();
    return true;
}

// Runs `base` on the event, or on a left-button copy of it when `right`: Qt's
// button machinery knows the left button only, and a cell takes both.
void AsLeft(QMouseEvent* event, bool right, const std::function<void(QMouseEvent*)>& base) {
    if (!right) return base(event);
    QMouseEvent left(event->type(), event->position(), event->scenePosition(), event->globalPosition(),
                     event->button() == Qt::RightButton ? Qt::LeftButton : Qt::NoButton,
                     event->buttons().testFlag(Qt::RightButton) ? Qt::LeftButton : Qt::NoButton, event->modifiers());
    base(&left);
    event->setAccepted(left.isAccepted());
}

}  // namespace

Quadlet::Quadlet(Kind kind, int index, QWidget* parent) : QAbstractButton(parent), kind_(kind), index_(index) {
    setObjectName(kind == Kind::Cell ? QStringLiteral("GridDisp%1").arg(index) : QString());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setContextMenuPolicy(Qt::PreventContextMenu);
    // Tab moves between the board and the button only (the main window sees
    // to it); within the board the arrow keys move, so a cell takes focus by
    // a click or from the board's cursor.
    setFocusPolicy(kind == Kind::Cell ? Qt::ClickFocus : Qt::StrongFocus);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (kind_ == Kind::Cell) emit mouseClicked(index_, button_);
    });
}

void Quadlet::setScale(double scale) {
    scale_ = scale;
    // Arial 14.4 pt bold on a cell, MS Sans Serif 7.8 pt on a button, at the layout's scale.
    const bool cell = kind_ == Kind::Cell;
    QFont f(cell ? QStringLiteral("Arial") : QStringLiteral("MS Sans Serif"));
    f.setStyleHint(QFont::SansSerif);
    f.setBold(cell);
    f.setPointSizeF(Geometry(scale).fontPoints(cell ? CellFontPoints : ButtonFontPoints, logicalDpiY()));
    setFont(f);
}

void Quadlet::setState(const Cell& cell) {
    const QString caption = QString::fromStdString(cell.Caption);
    if (caption != text() || cell.BackColor != back_ || cell.ForeColor != fore_ || cell.Enabled != input_ ||
        cell.Given != given_) {
        setText(caption);
        back_ = cell.BackColor;
        fore_ = cell.ForeColor;
        input_ = cell.Enabled;
        given_ = cell.Given;
        update();
    }
    if (kind_ == Kind::Button) setEnabled(cell.Enabled);
}

void Quadlet::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& pal = palette();
    const bool sunken = isDown();

    painter.fillRect(rect(), flashing_ ? QColor(255, 224, 96) : ToQColor(back_, pal));
    QRect panel = rect();
    if (kind_ == Kind::Button) {
        // A button stands out from the cells by a dark outline, as push buttons do.
        painter.setPen(pal.color(QPalette::Active, QPalette::Shadow));
        painter.drawRect(panel.adjusted(0, 0, -1, -1));
        panel.adjust(1, 1, -1, -1);
    }
    // The raised edge in the theme's light and dark, as wide as the scale asks;
    // a disabled cell keeps the edge of an enabled one, like every cell's face.
    // A challenge's given is set into the board: its edge is sunken for good.
    QPalette edge = pal;
    edge.setCurrentColorGroup(QPalette::Active);
    qDrawShadePanel(&painter, panel, edge, sunken || given_,
                    std::min(Geometry(scale_).bevel(), std::min(panel.width(), panel.height()) / 4));
    if (hasFocus()) paintFocusRing(painter);
    const QString caption = text();
    if (caption.isEmpty()) return;

    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font());
    QRect box = rect();
    if (sunken) {
        int shift = std::max(1, int(scale_ + 0.5));
        box.translate(shift, shift);
    }
    if (kind_ == Kind::Button && !isEnabled()) {
        // Etched text, the classic look of a button that does not respond now.
        painter.setPen(ToQColor(SystemColour(SysButtonHighlight), pal));
        painter.drawText(box.translated(1, 1), Qt::AlignCenter, caption);
        painter.setPen(ToQColor(SystemColour(SysButtonShadow), pal));
        painter.drawText(box, Qt::AlignCenter, caption);
        return;
    }
    // Disabled board cells (results, "=", the given corners) keep the core's
    // colours: they carry the numbers the player must read.
    if (kind_ == Kind::Cell &&
        (caption == QLatin1String("+") || caption == QLatin1String("-") || caption == QLatin1String("*"))) {
        paintOperator(painter, box, ToQColor(fore_, pal));
        return;
    }
    painter.setPen(ToQColor(fore_, pal));
    painter.drawText(box, Qt::AlignCenter, caption);
}

void Quadlet::paintOperator(QPainter& painter, const QRect& box, const QColor& colour) {
    // A hyphen is short and low and an asterisk small and high, so the three
    // operators are drawn as their mathematical signs, each centred on its ink:
    // "+" itself, the minus sign U+2212, and the "+" turned by 45 degrees for
    // "times", which gives it exactly the stroke of "+".
    QPainterPath glyph;
    if (text() == QLatin1String("-")) {
        glyph.addText(0, 0, font(), QString(QChar(0x2212)));
    } else {
        glyph.addText(0, 0, font(), QStringLiteral("+"));
        if (text() == QLatin1String("*")) {
            const QPointF c = glyph.boundingRect().center();
            glyph = QTransform().translate(c.x(), c.y()).rotate(45).translate(-c.x(), -c.y()).map(glyph);
        }
    }
    const QPointF shift = QRectF(box).center() - glyph.boundingRect().center();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(glyph.translated(shift), colour);
}

void Quadlet::flash() {
    flashing_ = true;
    update();
    // Long enough to catch the eye after the hint's message box has gone.
    QTimer::singleShot(FlashMilliseconds, this, [this] {
        flashing_ = false;
        update();
    });
}

void Quadlet::paintFocusRing(QPainter& painter) {
    // Black outside, white inside: one of the two stands out on every face
    // the board uses (green, red, black and the light button face).
    const int w = std::max(1, int(std::lround(scale_)));
    const int inset = std::min(Geometry(scale_).bevel(), std::min(width(), height()) / 4) + (kind_ == Kind::Button ? 1 : 0);
    QRect r = rect().adjusted(inset, inset, -inset, -inset);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    for (const QColor& colour : {QColor(0, 0, 0), QColor(255, 255, 255)}) {
        for (int n = 0; n < w && r.width() > 2 && r.height() > 2; ++n) {
            painter.setPen(colour);
            painter.drawRect(r.adjusted(0, 0, -1, -1));
            r.adjust(1, 1, -1, -1);
        }
    }
    painter.restore();
}

void Quadlet::activate(MouseButton button) {
    if (!takesInput()) return;
    button_ = button;
    emit clicked();
}

void Quadlet::keyPressEvent(QKeyEvent* event) {
    // A focused button answers Space (Qt's own, on release) and Enter as push
    // buttons do, once per press; a cell leaves its keys to the main window,
    // which knows the board's cursor.
    const int key = event->key();
    if (kind_ == Kind::Cell || event->modifiers() != Qt::NoModifier) return event->ignore();
    if (key == Qt::Key_Space) return QAbstractButton::keyPressEvent(event);
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return event->ignore();
    if (!event->isAutoRepeat()) activate(LeftButton);
}

void Quadlet::focusInEvent(QFocusEvent* event) {
    QAbstractButton::focusInEvent(event);
    if (kind_ == Kind::Cell) emit focusEntered(index_);
}

void Quadlet::mousePressEvent(QMouseEvent* event) {
    if (!takesInput()) return event->ignore();
    if (isDown()) return;
    if (kind_ == Kind::Cell) button_ = event->button() == Qt::RightButton ? RightButton : LeftButton;
    AsLeft(event, button_ == RightButton, [this](QMouseEvent* e) { QAbstractButton::mousePressEvent(e); });
}

void Quadlet::mouseMoveEvent(QMouseEvent* event) {
    const bool right = button_ == RightButton && event->buttons().testFlag(Qt::RightButton);
    AsLeft(event, right, [this](QMouseEvent* e) { QAbstractButton::mouseMoveEvent(e); });
}

void Quadlet::mouseReleaseEvent(QMouseEvent* event) {
    // Only the button that pressed can release.
    if ((button_ == RightButton) != (event->button() == Qt::RightButton)) return;
    AsLeft(event, button_ == RightButton, [this](QMouseEvent* e) { QAbstractButton::mouseReleaseEvent(e); });
}

void Quadlet::dragEnterEvent(QDragEnterEvent* event) {
    if (takesInput()) AcceptWithoutMove(event);
    else event->ignore();
}

void Quadlet::dragMoveEvent(QDragMoveEvent* event) {
    if (takesInput()) AcceptWithoutMove(event);
    else event->ignore();
}

void Quadlet::dropEvent(QDropEvent* event) {
    if (takesInput() && AcceptWithoutMove(event)) emit dropped();
    else event->ignore();
}

}  // namespace quorvex::ui

#include "moc_Quadlet.cpp"
