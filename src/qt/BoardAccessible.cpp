// Accessibility of the board: a table interface over cells 1..49, and one
// interface per Quadlet that speaks its value in words and can be pressed.
#include "qt/BoardAccessible.h"

#include <algorithm>

#include <QAccessible>
#include <QAccessibleWidget>

#include "board/Layout.h"
#include "qt/Quadlet.h"

namespace quorvex::ui {

namespace {

QAccessibleInterface* Query(QObject* object) { return object ? QAccessible::queryAccessibleInterface(object) : nullptr; }

bool IsGridCell(const QObject* object) {
    const auto* quadlet = qobject_cast<const Quadlet*>(object);
    return quadlet && quadlet->kind() == Quadlet::Kind::Cell && quadlet->index() >= 1 && quadlet->index() <= 49;
}

BoardTable* TableOf(const QWidget* widget) {
    for (const QObject* o = widget; o; o = o->parent())
        if (const auto* area = qobject_cast<const BoardArea*>(o)) return area->table();
    return nullptr;
}

// The board area: the table stands in for the 49 grid cells among its children.
class BoardAreaAccessible : public QAccessibleWidget {
public:
    explicit BoardAreaAccessible(BoardArea* area) : QAccessibleWidget(area, QAccessible::Pane) {}

    int childCount() const override { return int(others().size()) + 1; }
    QAccessibleInterface* child(int index) const override {
        if (index == 0) return Query(area()->table());
        const QList<QWidget*> rest = others();
        return index > 0 && index <= rest.size() ? Query(rest.at(index - 1)) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child) return -1;
        if (child->object() == area()->table()) return 0;
        const int at = int(others().indexOf(qobject_cast<QWidget*>(child->object())));
        return at < 0 ? -1 : at + 1;
    }

private:
    BoardArea* area() const { return static_cast<BoardArea*>(widget()); }
    // Every child widget but the grid cells and the template cell, which play never shows.
    QList<QWidget*> others() const {
        QList<QWidget*> list;
        for (QObject* o : area()->children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (!w || w->isWindow() || IsGridCell(w)) continue;
            if (const auto* q = qobject_cast<Quadlet*>(w); q && q->kind() == Quadlet::Kind::Cell && q->index() == 0)
                continue;
            list.append(w);
        }
        return list;
    }
};

class TableAccessible : public QAccessibleObject, public QAccessibleTableInterface {
public:
    explicit TableAccessible(BoardTable* table) : QAccessibleObject(table) {}

    QAccessibleInterface* parent() const override { return Query(table()->parent()); }
    int childCount() const override { return 49; }
    QAccessibleInterface* child(int index) const override {
        return index >= 0 && index < 49 ? Query(table()->cells[std::size_t(index)]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* quadlet = child ? qobject_cast<const Quadlet*>(child->object()) : nullptr;
        return IsGridCell(quadlet) ? quadlet->index() - 1 : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (Quadlet* cell : table()->cells)
            if (cell && cell->isVisible() && QRect(cell->mapToGlobal(QPoint(0, 0)), cell->size()).contains(x, y))
                return Query(cell);
        return nullptr;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return QStringLiteral("Board");
        if (t == QAccessible::Description) return QStringLiteral("7 rows by 7 columns");
        return {};
    }
    QRect rect() const override {
        QRect r;
        for (Quadlet* cell : table()->cells)
            if (cell) r |= QRect(cell->mapToGlobal(QPoint(0, 0)), cell->size());
        return r;
    }
    QAccessible::Role role() const override { return QAccessible::Table; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;  // the cells take input, not the table
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this) : nullptr;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    // Qt's AT-SPI bridge uses the answer of several calls without checking
    // it, so a question past the board gets the nearest cell, never null.
    QAccessibleInterface* cellAt(int row, int column) const override {
        return child(std::clamp(row, 0, 6) * 7 + std::clamp(column, 0, 6));
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override {
        return column >= 0 && column < 7 ? QStringLiteral("Column %1").arg(column + 1) : QString();
    }
    QString rowDescription(int row) const override {
        return row >= 0 && row < 7 ? QStringLiteral("Row %1").arg(row + 1) : QString();
    }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return 7; }
    int rowCount() const override { return 7; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    BoardTable* table() const { return static_cast<BoardTable*>(object()); }
};

// A Quadlet: a grid cell (a table cell), a target number, or a button.
class QuadletAccessible : public QAccessibleWidget, public QAccessibleTableCellInterface {
public:
    explicit QuadletAccessible(Quadlet* quadlet)
        : QAccessibleWidget(quadlet, quadlet->kind() == Quadlet::Kind::Button ? QAccessible::Button
                                     : IsGridCell(quadlet)                     ? QAccessible::Cell
                                                                               : QAccessible::StaticText) {}

    QAccessibleInterface* parent() const override {
        if (IsGridCell(quadlet())) return Query(TableOf(quadlet()));
        return QAccessibleWidget::parent();
    }
    QString text(QAccessible::Text t) const override {
        if (quadlet()->kind() == Quadlet::Kind::Cell) {
            if (t == QAccessible::Value) return value();
            if (t == QAccessible::Description) {
                const QString note = quadlet()->accessibleDescription();
                return CellRoleText(quadlet()->index()) + (note.isEmpty() ? QString() : QStringLiteral(". ") + note);
            }
        }
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (quadlet()->kind() == Quadlet::Kind::Cell) {
            const bool takesInput = quadlet()->isEnabled() && quadlet()->isVisible();
            s.editable = takesInput;
            s.readOnly = !takesInput;
        }
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableCellInterface && IsGridCell(quadlet()))
            return static_cast<QAccessibleTableCellInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QStringList actionNames() const override {
        if (!quadlet()->isEnabled()) return {};
        QStringList names{pressAction()};
        // A right click steps a number down; on an operator it is no different from a left one.
        const CellRole role = RoleOf(quadlet()->index());
        if (quadlet()->kind() == Quadlet::Kind::Cell && role != CellRole::RowOperator && role != CellRole::ColumnOperator)
            names << decreaseAction();
        return names;
    }
    QString localizedActionDescription(const QString& name) const override {
        if (name == pressAction())
            return quadlet()->kind() == Quadlet::Kind::Cell ? QStringLiteral("Left click") : QStringLiteral("Click");
        if (name == decreaseAction()) return QStringLiteral("Right click");
        return QAccessibleWidget::localizedActionDescription(name);
    }
    void doAction(const QString& name) override {
        // Queued: a screen reader waits for the reply, and the click may open a
        // modal message box that must not hold that reply back.
        const int button = name == pressAction() ? 1 : name == decreaseAction() ? 2 : 0;
        if (button == 0) return QAccessibleWidget::doAction(name);
        QMetaObject::invokeMethod(quadlet(), [q = quadlet(), button] { q->activate(button); }, Qt::QueuedConnection);
    }
    QStringList keyBindingsForAction(const QString& name) const override {
        if (quadlet()->kind() == Quadlet::Kind::Button) return name == pressAction() ? QStringList{"Space"} : QStringList{};
        if (name == pressAction()) return {QStringLiteral("Space")};
        if (name == decreaseAction()) return {QStringLiteral("Shift+Space")};
        return {};
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return ColumnOf(quadlet()->index()) - 1; }
    int rowIndex() const override { return RowOf(quadlet()->index()) - 1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return Query(TableOf(quadlet())); }

private:
    Quadlet* quadlet() const { return static_cast<Quadlet*>(widget()); }
    QString value() const {
        return RoleOf(quadlet()->index()) == CellRole::Blank ? QStringLiteral("blank") : SpokenValue(quadlet()->caption());
    }
};

QAccessibleInterface* Factory(const QString& key, QObject* object) {
    if (key == QLatin1String("quorvex::ui::Quadlet")) return new QuadletAccessible(static_cast<Quadlet*>(object));
    if (key == QLatin1String("quorvex::ui::BoardArea")) return new BoardAreaAccessible(static_cast<BoardArea*>(object));
    if (key == QLatin1String("quorvex::ui::BoardTable")) return new TableAccessible(static_cast<BoardTable*>(object));
    // The smileys are plain widgets of the main window's own, named NPict1..4.
    if (key == QLatin1String("QWidget") && object->objectName().startsWith(QLatin1String("NPict")))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
    return nullptr;
}

}  // namespace

BoardArea::BoardArea(QWidget* parent) : QWidget(parent), table_(new BoardTable(this)) {
    InstallBoardAccessibility();
}

QString SpokenValue(const QString& caption) {
    if (caption.isEmpty()) return QStringLiteral("empty");
    if (caption == QLatin1String("+")) return QStringLiteral("plus");
    if (caption == QLatin1String("-")) return QStringLiteral("minus");
    if (caption == QLatin1String("*")) return QStringLiteral("times");
    if (caption == QLatin1String("=")) return QStringLiteral("equals");
    return caption;
}

QString CellRoleText(int index) {
    if (index == 1 || index == 7 || index == 43 || index == 49) return QStringLiteral("given corner");
    switch (RoleOf(index)) {
    case CellRole::Number: return QStringLiteral("number to fill in");
    case CellRole::RowOperator:
    case CellRole::ColumnOperator: return QStringLiteral("operator");
    case CellRole::Equals: return QStringLiteral("equals sign");
    case CellRole::RowResult:
    case CellRole::ColumnResult:
    case CellRole::Final: return QStringLiteral("result");
    case CellRole::Blank: return QStringLiteral("blank");
    case CellRole::Target: return QStringLiteral("target");
    case CellRole::Template: break;
    }
    return {};
}

void InstallBoardAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

}  // namespace quorvex::ui
