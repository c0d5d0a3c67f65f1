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

    // The design font at the layout's scale; the bevel follows the scale too.
    void setScale(double scale);
    // The design font at scale 1.
    QFont designFont() const;

    QSize sizeHint() const override;

    // Shows the face in a highlight colour for a moment: the cell a hint changed.
    void flash();
    bool isFlashing() const { return flashing_; }
    static constexpr int FlashMilliseconds = 1200;

    // What a press of `button` (1 left, 2 right) does, for keys and screen
    // readers: a click when the control takes input, nothing otherwise.
    void activate(int button);

signals:
    // A board cell was clicked: button 1 is the left, 2 the right. (The
    // buttons under the board report theirs through clicked().)
    void mouseClicked(int index, int button);
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
    bool takesInput() const { return isEnabled() && isVisible(); }
    void updateAccessibleName();
    void paintFocusRing(QPainter& painter);
    void paintOperator(QPainter& painter, const QRect& box, const QColor& colour);

    Kind kind_;
    int index_;
    Colour back_ = SystemColour(SysButtonFace);
    Colour fore_ = SystemColour(SysWindowText);
    double scale_ = 1.0;
    int button_ = 1;  // the mouse button of the press under way: 1 left, 2 right
    bool flashing_ = false;
};

}  // namespace quorvex::ui
