// The 7 by 7 grid as one widget that owns its 49 cells, so that a screen
// reader meets it as a table of cells through Qt's own accessibility tree.
#pragma once

#include <array>

#include <QWidget>

namespace quorvex::ui {

class Geometry;
class Quadlet;

class BoardGrid : public QWidget {
    Q_OBJECT
public:
    explicit BoardGrid(QWidget* parent);

    Quadlet* cell(int index) const { return cells_.at(std::size_t(index - 1)); }  // 1..49
    // Covers the grid's cells where the layout puts them.
    void layOut(const Geometry& g);

private:
    std::array<Quadlet*, 49> cells_{};
};

}  // namespace quorvex::ui
