// Where everything sits on the main window: the design's positions in twips,
// turned into pixels through one scale factor. Layout, painting and the
// widget tests all take their rectangles from here.
#pragma once

#include <QPointF>
#include <QRect>
#include <QSize>
#include <QSizeF>

namespace quorvex::ui {

// A rectangle in twips (1440 to the inch, 15 to a pixel at 96 dpi).
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

namespace twips {

constexpr int PerPixel = 15;
constexpr int ClientWidth = 4536;
constexpr int ClientHeight = 4644;

constexpr TwipRect Frame1{60, 60, 4395, 4515};
constexpr TwipRect Message{720, 480, 3000, 270};  // RightMess and CompMess
constexpr TwipRect Button{1110, 4020, 2085, 315};  // NewPuz and Solveit

// A board cell (0..53); cell 0 lies outside the client area.
TwipRect Cell(int index);
// Smiley j (1..4), over target cell 49 + j.
TwipRect Picture(int j);

}  // namespace twips

class Geometry {
public:
    // The design at the given scale, its top-left corner at `origin` (pixels).
    explicit Geometry(double scale = 1.0, QPointF origin = {});

    // The largest layout that fits `client`, centred in it. Never below
    // MinimumScale, where the cells' digits are still legible.
    static Geometry ForClientSize(QSize client);

    // The scale the window opens at: the largest, in steps of ScaleStep and
    // at most `wanted`, whose client area with `chrome` around it (menu bar,
    // window frame) fits in `available` leaving `margin` on every side.
    // MinimumScale when even that does not fit.
    static double OpeningScale(QSize available, QSize chrome, int margin, double wanted = DefaultScale);

    static QSizeF DesignClientSizeF();            // scale 1, fractional
    static QSize DesignClientSize();               // scale 1, whole pixels
    static constexpr double DefaultScale = 2.0;   // the window's size when it opens on a large screen
    static constexpr double MinimumScale = 0.5;
    static constexpr double ScaleStep = 0.05;

    double scale() const { return scale_; }
    QPointF origin() const { return origin_; }
    QSize clientSize() const;  // the design client area at this scale

    // Twips to pixels. Neighbouring rectangles that share an edge in twips
    // share it in pixels too: both edges are rounded, not the width.
    QRect toPixels(const TwipRect& r) const;

    QRect cell(int index) const { return toPixels(twips::Cell(index)); }
    QRect picture(int j) const { return toPixels(twips::Picture(j)); }
    QRect frame() const { return toPixels(twips::Frame1); }
    QRect message() const { return toPixels(twips::Message); }
    QRect button() const { return toPixels(twips::Button); }

    // Point size for a font designed at `designPoints`, so that text keeps its
    // size relative to the cells on a screen of `logicalDpi`.
    double fontPoints(double designPoints, double logicalDpi = 96.0) const;
    // Width of the cells' 3-D edge in pixels.
    int bevel() const;

private:
    double scale_;
    QPointF origin_;
};

}  // namespace quorvex::ui
