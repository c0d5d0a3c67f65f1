// What a screen reader sees of the board: the 7 by 7 grid as a table of
// cells, each with its row, column, role, value and whether it takes input.
#pragma once

#include <array>

#include <QObject>
#include <QString>
#include <QWidget>

namespace quorvex::ui {

class Quadlet;

// The grid as one object a screen reader can walk by row and column. It has
// no pixels of its own: the cells keep their place on the board area.
class BoardTable : public QObject {
    Q_OBJECT
public:
    explicit BoardTable(QObject* parent) : QObject(parent) {}
    std::array<Quadlet*, 49> cells{};  // cells 1..49
};

// The widget that holds the board, the labels, the pictures and the buttons.
class BoardArea : public QWidget {
    Q_OBJECT
public:
    explicit BoardArea(QWidget* parent);
    BoardTable* table() const { return table_; }

private:
    BoardTable* table_;
};

// A caption as it is spoken: "plus", "minus", "times", "equals", "empty".
QString SpokenValue(const QString& caption);
// What a cell is for: "number to fill in", "operator", "given corner", ...
QString CellRoleText(int index);

// Registers the interfaces above with Qt's accessibility; safe to call often.
void InstallBoardAccessibility();

}  // namespace quorvex::ui
