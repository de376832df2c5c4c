// The pixels Qt's rasterizer covers for ellipses, whose shape does not change when they move,
// by the size of their box. Each is
// rendered once, as CQPainterSurface renders it, and kept as row spans relative to the figure's
// origin, so that the canvas can paint thousands of them without a painter.
#pragma once

#include <QPoint>

#include <unordered_map>
#include <vector>

namespace mapwright {

// A run of covered pixels in one row, [begin, end), relative to a figure's origin.
struct CPixelSpan {
    int y = 0;
    int begin = 0;
    int end = 0;
};
using CCoverage = std::vector<CPixelSpan>;

class CFigureCache {
public:
    // The painter takes other paths for outlines while pattern gaps are filled, so the figures
    // depend on the background mode, opaque or not.

    // The inside of the ellipse in a width x height box at (0, 0), right and bottom edges left out.
    const CCoverage& EllipseFill(int width, int height, bool opaque);
    // The one-pixel outline of the ellipse in a width x height box at (0, 0).
    const CCoverage& EllipseOutline(int width, int height, bool opaque);

private:
    enum class EFigure { kEllipseFill, kEllipseOutline };
    struct CKey {
        EFigure figure;
        int width;
        int height;
        bool opaque;
        bool operator==(const CKey&) const = default;
    };
    struct CKeyHash {
        std::size_t operator()(const CKey& key) const;
    };

    const CCoverage& Find(const CKey& key);

    std::unordered_map<CKey, CCoverage, CKeyHash> m_figures;
};

}  // namespace mapwright
