// One Quadlet on screen: a board cell or one of the two buttons under the
// board, painted from the core's state for it and reporting clicks back. Qt's
// button does the pressing: a click on release inside, none on a key's repeat.
#pragma once

#include <QAbstractButton>
#include <QFont>
#include <QString>

#include "board/Cell.h"
#include "board/Colour.h"

namespace quorvex::ui {

class Quadlet : public QAbstractButton {
    Q_OBJECT
public:
    enum class Kind { Cell, Button };

    // `index` is the cell's place in the board array (unused for buttons).
    Quadlet(Kind kind, int index, QWidget* parent = nullptr);

    Kind kind() const { return kind_; }
    int index() const { return index_; }

    // Takes everything the core says about this control. Visibility is left
    // to the caller, which knows whether the control is ever shown.
    void setState(const Cell& cell);
    QString caption() const { return text(); }
    // A cell the core keeps from input stays enabled for Qt, so that the
    // keyboard's cursor can rest on it and a screen reader read it.
    bool takesInput() const { return (kind_ == Kind::Cell ? input_ : isEnabled()) && isVisible(); }

    // The design font at the layout's scale; the bevel follows the scale too.
    void setScale(double scale);

    // Shows the face in a highlight colour for a moment: the cell a hint changed.
    void flash();
    bool isFlashing() const { return flashing_; }
    // Drawn sunken: a challenge's given.
    bool isGiven() const { return given_; }
    static constexpr int FlashMilliseconds = 1200;

    // What a press of `button` does, for keys and screen readers: a click
    // when the control takes input, nothing otherwise.
    void activate(MouseButton button);

signals:
    // A board cell was clicked. (The buttons under the board report theirs
    // through clicked().)
    void mouseClicked(int index, MouseButton button);
    // Something was dropped on the control (only when drops are accepted).
    void dropped();
    // A board cell took the keyboard focus.
    void focusEntered(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void paintFocusRing(QPainter& painter);
    void paintOperator(QPainter& painter, const QRect& box, const QColor& colour);

    Kind kind_;
    int index_;
    Colour back_ = SystemColour(SysButtonFace);
    Colour fore_ = SystemColour(SysWindowText);
    double scale_ = 1.0;
    MouseButton button_ = LeftButton;  // of the press under way
    bool input_ = true;
    bool given_ = false;
    bool flashing_ = false;
};

}  // namespace quorvex::ui
