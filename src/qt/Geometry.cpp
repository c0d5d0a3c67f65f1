// Twips to pixels for the main window.
#include "qt/Geometry.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quorvex::ui {

namespace {

constexpr int CellSize = 450;
constexpr std::array<int, 7> ColumnLefts = {630, 1080, 1530, 1980, 2400, 2850, 3300};
constexpr std::array<int, 7> RowTops = {780, 1230, 1650, 2100, 2550, 3000, 3420};

// The design packs columns 4 and 5, rows 2 and 3 and rows 6 and 7 closer than
// a cell is wide, so those cells would overlap their neighbour by 30 twips and
// lose part of their edge under it. A cell is cut where the next one begins.
constexpr int Extent(const std::array<int, 7>& starts, int i) {
    return i + 1 < 7 ? std::min(CellSize, starts[i + 1] - starts[i]) : CellSize;
}

// Target cells beside the corners. The two on the right are moved 30 twips
// right of their design place, which reached 30 twips into the corner cells
// 7 and 49; they now line up with the grid's right edge.
constexpr std::array<TwipRect, 4> TargetCells = {{
    {180, 300, CellSize, CellSize},
    {3750, 360, CellSize, CellSize},
    {180, 3870, CellSize, CellSize},
    {3750, 3840, CellSize, CellSize},
}};

constexpr std::array<TwipRect, 4> Pictures = {{
    {150, 315, 510, 510},
    {3750, 315, 510, 510},
    {150, 3870, 510, 510},
    {3720, 3840, 510, 510},
}};

constexpr TwipRect TemplateCell{8430, 2970, CellSize, CellSize};

}  // namespace

TwipRect twips::Cell(int index) {
    if (index >= 1 && index <= 49) {
        int row = (index - 1) / 7;
        int column = (index - 1) % 7;
        return {ColumnLefts[column], RowTops[row], Extent(ColumnLefts, column), Extent(RowTops, row)};
    }
    if (index >= 50 && index <= 53) return TargetCells[index - 50];
    return TemplateCell;
}

TwipRect twips::Picture(int j) {
    return Pictures[std::clamp(j, 1, 4) - 1];
}

Geometry::Geometry(double scale, QPointF origin) : scale_(scale), origin_(origin) {}

QSizeF Geometry::DesignClientSizeF() {
    return {double(twips::ClientWidth) / twips::PerPixel, double(twips::ClientHeight) / twips::PerPixel};
}

QSize Geometry::DesignClientSize() {
    return Geometry(1.0).clientSize();
}

Geometry Geometry::ForClientSize(QSize client) {
    QSizeF design = DesignClientSizeF();
    double scale = std::min(client.width() / design.width(), client.height() / design.height());
    scale = std::max(scale, MinimumScale);
    QPointF origin((client.width() - design.width() * scale) / 2.0,
                   (client.height() - design.height() * scale) / 2.0);
    // Whole-pixel origin keeps edges crisp.
    origin = QPointF(std::max(0.0, std::floor(origin.x())), std::max(0.0, std::floor(origin.y())));
    return Geometry(scale, origin);
}

double Geometry::OpeningScale(QSize available, QSize chrome, int margin, double wanted) {
    const int steps = int(std::floor((wanted - MinimumScale) / ScaleStep + 1e-9));
    for (int n = 0; n < steps; ++n) {
        const double scale = wanted - n * ScaleStep;
        const QSize client = Geometry(scale).clientSize();
        if (client.width() + chrome.width() + 2 * margin <= available.width() &&
            client.height() + chrome.height() + 2 * margin <= available.height())
            return scale;
    }
    return MinimumScale;
}

// Rounded up, so that a window of this size holds the whole design at this scale.
QSize Geometry::clientSize() const {
    QSizeF design = DesignClientSizeF();
    return {int(std::ceil(design.width() * scale_ - 1e-9)), int(std::ceil(design.height() * scale_ - 1e-9))};
}

QRect Geometry::toPixels(const TwipRect& r) const {
    const double k = scale_ / twips::PerPixel;
    auto x = [&](int t) { return int(std::lround(origin_.x() + t * k)); };
    auto y = [&](int t) { return int(std::lround(origin_.y() + t * k)); };
    int left = x(r.left);
    int top = y(r.top);
    return QRect(left, top, x(r.left + r.width) - left, y(r.top + r.height) - top);
}

double Geometry::fontPoints(double designPoints, double logicalDpi) const {
    if (logicalDpi <= 0) logicalDpi = 96.0;
    return designPoints * scale_ * 96.0 / logicalDpi;
}

int Geometry::bevel() const {
    return std::max(1, int(std::lround(1.5 * scale_)));
}

}  // namespace quorvex::ui
