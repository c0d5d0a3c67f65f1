// The board's grid and what a screen reader sees of it: a table whose cells
// tell their row and column, can be pressed, and say whether they take input.
#include "qt/BoardGrid.h"

#include <algorithm>

#include <QAccessible>
#include <QAccessibleWidget>

#include "board/Layout.h"
#include "qt/Geometry.h"
#include "qt/Quadlet.h"

namespace quorvex::ui {

namespace {

class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridAccessible(QWidget* grid) : QAccessibleWidget(grid, QAccessible::Table) {}

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;  // the cells take input, not the table
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this)
                                                : QAccessibleWidget::interface_cast(t);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    // Qt's AT-SPI bridge uses the answer of several calls without checking
    // it, so a question past the board gets the nearest cell, never null.
    QAccessibleInterface* cellAt(int row, int column) const override {
        return child(std::clamp(row, 0, 6) * 7 + std::clamp(column, 0, 6));
    }
    QString columnDescription(int column) const override {
        return column >= 0 && column < 7 ? QStringLiteral("Column %1").arg(column + 1) : QString();
    }
    QString rowDescription(int row) const override {
        return row >= 0 && row < 7 ? QStringLiteral("Row %1").arg(row + 1) : QString();
    }
    int columnCount() const override { return 7; }
    int rowCount() const override { return 7; }
    int selectedCellCount() const override { return 0; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}
};

// A grid cell: its row and column, read-only or not, and a left click (and,
// on a number, a right click) as actions.
class CellAccessible : public QAccessibleWidget, public QAccessibleTableCellInterface {
public:
    explicit CellAccessible(Quadlet* cell) : QAccessibleWidget(cell, QAccessible::Cell) {}

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = cell()->takesInput();
        s.readOnly = !s.editable;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this)
                                                    : QAccessibleWidget::interface_cast(t);
    }

    QStringList actionNames() const override {
        if (!cell()->takesInput()) return {};
        // A right click steps a number down; on an operator it is no different from a left one.
        const CellRole role = RoleOf(cell()->index());
        if (role == CellRole::RowOperator || role == CellRole::ColumnOperator) return {pressAction()};
        return {pressAction(), decreaseAction()};
    }
    QString localizedActionDescription(const QString& name) const override {
        if (name == pressAction()) return QStringLiteral("Left click");
        if (name == decreaseAction()) return QStringLiteral("Right click");
        return QAccessibleWidget::localizedActionDescription(name);
    }
    void doAction(const QString& name) override {
        // Queued: a screen reader waits for the reply, and the click may open a
        // modal message box that must not hold that reply back.
        if (name != pressAction() && name != decreaseAction()) return;
        const MouseButton button = name == pressAction() ? LeftButton : RightButton;
        QMetaObject::invokeMethod(cell(), [c = cell(), button] { c->activate(button); }, Qt::QueuedConnection);
    }
    QStringList keyBindingsForAction(const QString& name) const override {
        if (name == pressAction()) return {QStringLiteral("Space")};
        if (name == decreaseAction()) return {QStringLiteral("Shift+Space")};
        return {};
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return ColumnOf(cell()->index()) - 1; }
    int rowIndex() const override { return RowOf(cell()->index()) - 1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    Quadlet* cell() const { return static_cast<Quadlet*>(widget()); }
};

QAccessibleInterface* Factory(const QString& key, QObject* object) {
    if (key == QLatin1String("QWidget") && object->objectName() == QLatin1String("Announcer"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    if (key == QLatin1String("quorvex::ui::BoardGrid")) return new GridAccessible(static_cast<QWidget*>(object));
    if (key != QLatin1String("quorvex::ui::Quadlet")) return nullptr;
    auto* quadlet = static_cast<Quadlet*>(object);
    if (qobject_cast<BoardGrid*>(object->parent())) return new CellAccessible(quadlet);
    // A target number beside a corner is read, not pressed; the buttons are Qt's own.
    return quadlet->kind() == Quadlet::Kind::Cell ? new QAccessibleWidget(quadlet, QAccessible::StaticText) : nullptr;
}

}  // namespace

BoardGrid::BoardGrid(QWidget* parent) : QWidget(parent) {
    static const bool installed = (QAccessible::installFactory(Factory), true);
    (void)installed;
    setObjectName(QStringLiteral("Board"));
    setAccessibleName(QStringLiteral("Board"));
    setAccessibleDescription(QStringLiteral("7 rows by 7 columns"));
    // In reading order, which is the table's order of children.
    for (int i = 1; i <= GridCells; ++i) cells_[std::size_t(i - 1)] = new Quadlet(Quadlet::Kind::Cell, i, this);
}

void BoardGrid::layOut(const Geometry& g) {
    const QRect area = g.cell(1) | g.cell(GridCells);
    setGeometry(area);
    for (int i = 1; i <= GridCells; ++i) {
        cell(i)->setGeometry(g.cell(i).translated(-area.topLeft()));
        cell(i)->setScale(g.scale());
    }
}

}  // namespace quorvex::ui

#include "moc_BoardGrid.cpp"
