// The Quadlet control: a raised 3-D cell with a caption, in the core's colours.
#include "qt/Quadlet.h"

#include "board/Layout.h"

#include <cmath>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QTimer>
#include <QTransform>

#include "qt/BoardAccessible.h"
#include "qt/Colours.h"
#include "qt/Geometry.h"

namespace quorvex::ui {

namespace {

constexpr double CellFontPoints = 14.4;
constexpr double ButtonFontPoints = 7.8;

const char* CornerName(int target) {
    switch (target) {
    case 50: return "top left";
    case 51: return "top right";
    case 52: return "bottom left";
    default: return "bottom right";
    }
}

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

}  // namespace

Quadlet::Quadlet(Kind kind, int index, QWidget* parent) : QWidget(parent), kind_(kind), index_(index) {
    InstallBoardAccessibility();
    setObjectName(kind == Kind::Cell ? QStringLiteral("GridDisp%1").arg(index) : QString());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setContextMenuPolicy(Qt::PreventContextMenu);
    // Tab moves between the board and the button only (the main window sees
    // to it); within the board the arrow keys move, so a cell takes focus by
    // a click or from the board's cursor.
    setFocusPolicy(kind == Kind::Cell ? Qt::ClickFocus : Qt::StrongFocus);
    setFont(designFont());
    updateAccessibleName();
}

QFont Quadlet::designFont() const {
    QFont f;
    if (kind_ == Kind::Cell) {
        f.setFamily(QStringLiteral("Arial"));
        f.setPointSizeF(CellFontPoints);
        f.setBold(true);
    } else {
        f.setFamily(QStringLiteral("MS Sans Serif"));
        f.setPointSizeF(ButtonFontPoints);
        f.setBold(false);
    }
    f.setStyleHint(QFont::SansSerif);
    return f;
}

void Quadlet::setScale(double scale) {
    scale_ = scale;
    QFont f = designFont();
    f.setPointSizeF(Geometry(scale).fontPoints(f.pointSizeF(), logicalDpiY()));
    setFont(f);
    update();
}

void Quadlet::setState(const Cell& cell) {
    QString caption = QString::fromStdString(cell.Caption);
    bool changed = caption != caption_ || cell.BackColor != back_ || cell.ForeColor != fore_;
    caption_ = caption;
    back_ = cell.BackColor;
    fore_ = cell.ForeColor;
    if (cell.Enabled != isEnabled()) setEnabled(cell.Enabled);
    if (changed) {
        updateAccessibleName();
        update();
    }
}

void Quadlet::updateAccessibleName() {
    if (kind_ == Kind::Button) {
        setAccessibleName(caption_);
        return;
    }
    // A blank cell is part of the board's frame, not a place to fill in.
    const bool blank = RoleOf(index_) == CellRole::Blank;
    QString value = blank ? QStringLiteral("blank") : SpokenValue(caption_);
    if (index_ >= 1 && index_ <= 49) {
        setAccessibleName(QStringLiteral("Row %1, column %2: %3").arg(RowOf(index_)).arg(ColumnOf(index_)).arg(value));
    } else if (index_ >= 50 && index_ <= 53) {
        setAccessibleName(QStringLiteral("Target, %1 corner: %2").arg(QLatin1String(CornerName(index_)), value));
    } else {
        setAccessibleName(value);
    }
}

QSize Quadlet::sizeHint() const {
    Geometry g(scale_);
    return kind_ == Kind::Cell ? g.cell(1).size() : g.button().size();
}

void Quadlet::paintBevel(QPainter& painter, bool sunken) {
    const QPalette& pal = palette();
    QColor light = ToQColor(SystemColour(SysButtonHighlight), pal);
    QColor dark = ToQColor(SystemColour(SysButtonShadow), pal);
    if (sunken) std::swap(light, dark);

    QRect r = rect();
    if (kind_ == Kind::Button) {
        // A button stands out from the cells by a dark outline, as push buttons do.
        painter.setPen(pal.color(QPalette::Active, QPalette::Shadow));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        r.adjust(1, 1, -1, -1);
    }
    const int b = std::min(Geometry(scale_).bevel(), std::min(r.width(), r.height()) / 4);
    if (b <= 0) return;
    const int x0 = r.left(), y0 = r.top(), x1 = r.right() + 1, y1 = r.bottom() + 1;
    painter.setPen(Qt::NoPen);
    painter.setBrush(light);
    painter.drawPolygon(QPolygon({QPoint(x0, y0), QPoint(x1, y0), QPoint(x1 - b, y0 + b), QPoint(x0 + b, y0 + b),
                                  QPoint(x0 + b, y1 - b), QPoint(x0, y1)}));
    painter.setBrush(dark);
    painter.drawPolygon(QPolygon({QPoint(x1, y0), QPoint(x1, y1), QPoint(x0, y1), QPoint(x0 + b, y1 - b),
                                  QPoint(x1 - b, y1 - b), QPoint(x1 - b, y0 + b)}));
}

void Quadlet::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& pal = palette();
    const bool sunken = isPressed() && pointerInside_;

    painter.fillRect(rect(), flashing_ ? QColor(255, 224, 96) : ToQColor(back_, pal));
    paintBevel(painter, sunken);
    if (hasFocus()) paintFocusRing(painter);
    if (caption_.isEmpty()) return;

    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font());
    QRect text = rect();
    if (sunken) {
        int shift = std::max(1, int(scale_ + 0.5));
        text.translate(shift, shift);
    }
    if (kind_ == Kind::Button && !isEnabled()) {
        // Etched text, the classic look of a button that does not respond now.
        painter.setPen(ToQColor(SystemColour(SysButtonHighlight), pal));
        painter.drawText(text.translated(1, 1), Qt::AlignCenter, caption_);
        painter.setPen(ToQColor(SystemColour(SysButtonShadow), pal));
        painter.drawText(text, Qt::AlignCenter, caption_);
        return;
    }
    // Disabled board cells (results, "=", the given corners) keep the core's
    // colours: they carry the numbers the player must read.
    if (kind_ == Kind::Cell &&
        (caption_ == QLatin1String("+") || caption_ == QLatin1String("-") || caption_ == QLatin1String("*"))) {
        paintOperator(painter, text, ToQColor(fore_, pal));
        return;
    }
    painter.setPen(ToQColor(fore_, pal));
    painter.drawText(text, Qt::AlignCenter, caption_);
}

void Quadlet::paintOperator(QPainter& painter, const QRect& box, const QColor& colour) {
    // A hyphen is short and low and an asterisk small and high, so the three
    // operators are drawn as their mathematical signs, each centred on its ink:
    // "+" itself, the minus sign U+2212, and the "+" turned by 45 degrees for
    // "times", which gives it exactly the stroke of "+".
    QPainterPath glyph;
    if (caption_ == QLatin1String("-")) {
        glyph.addText(0, 0, font(), QString(QChar(0x2212)));
    } else {
        glyph.addText(0, 0, font(), QStringLiteral("+"));
        if (caption_ == QLatin1String("*")) {
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

void Quadlet::activate(int button) {
    if (!takesInput()) return;
    if (kind_ == Kind::Cell)
        emit mouseClicked(index_, button == 2 ? 2 : 1);
    else
        emit clicked();
}

void Quadlet::keyPressEvent(QKeyEvent* event) {
    // A focused button answers Space and Enter as push buttons do; a cell
    // leaves its keys to the main window, which knows the board's cursor.
    const int key = event->key();
    if (kind_ == Kind::Button && event->modifiers() == Qt::NoModifier &&
        (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        event->accept();
        activate(1);
        return;
    }
    event->ignore();
}

void Quadlet::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
    if (kind_ == Kind::Cell) emit focusEntered(index_);
}

void Quadlet::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void Quadlet::mousePressEvent(QMouseEvent* event) {
    if (!takesInput()) {
        event->ignore();
        return;
    }
    event->accept();
    const Qt::MouseButton button = event->button();
    const bool wanted = button == Qt::LeftButton || (kind_ == Kind::Cell && button == Qt::RightButton);
    if (!wanted || pressedButton_ != Qt::NoButton) return;
    pressedButton_ = button;
    pointerInside_ = true;
    update();
}

void Quadlet::mouseMoveEvent(QMouseEvent* event) {
    if (pressedButton_ == Qt::NoButton) return;
    bool inside = rect().contains(event->position().toPoint());
    if (inside != pointerInside_) {
        pointerInside_ = inside;
        update();
    }
}

void Quadlet::mouseReleaseEvent(QMouseEvent* event) {
    if (pressedButton_ == Qt::NoButton || event->button() != pressedButton_) return;
    const Qt::MouseButton button = pressedButton_;
    const bool inside = rect().contains(event->position().toPoint());
    pressedButton_ = Qt::NoButton;
    pointerInside_ = false;
    update();
    // The press may have been followed by a change that disabled or hid us.
    if (!inside || !takesInput()) return;
    if (kind_ == Kind::Cell)
        emit mouseClicked(index_, button == Qt::RightButton ? 2 : 1);
    else
        emit clicked();
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

void Quadlet::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        pressedButton_ = Qt::NoButton;
        pointerInside_ = false;
    }
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::PaletteChange ||
        event->type() == QEvent::FontChange)
        update();
    QWidget::changeEvent(event);
}

}  // namespace quorvex::ui
