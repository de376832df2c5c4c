#include "model/polygonregion.h"

#include <algorithm>

namespace mapwright {

namespace {

// Products of two coordinate differences need more than 64 bits at the ends of the int range.
using Wide = __int128;

// The edge from a to b oriented downwards, when it covers row y.
struct CRowEdge {
    Wide topX, topY, dx, dy;  // dy > 0
};

bool EdgeCoversRow(const CAreaPoint& a, const CAreaPoint& b, int y, CRowEdge& edge)
{
    const CAreaPoint& upper = a.y < b.y ? a : b;
    const CAreaPoint& lower = a.y < b.y ? b : a;
    if (upper.y == lower.y || y < upper.y || y >= lower.y)
        return false;
    edge = {Wide{upper.x}, Wide{upper.y}, Wide{lower.x} - upper.x, Wide{lower.y} - upper.y};
    return true;
}

// The crossing lies at or left of pixel x: topX + (y - topY) * dx / dy <= x, in whole numbers.
bool CrossesAtOrLeftOf(const CRowEdge& edge, int y, int x)
{
    return (edge.topX - x) * edge.dy + (y - edge.topY) * edge.dx <= 0;
}

// The first pixel at or right of the crossing: ceil(topX + (y - topY) * dx / dy).
int FirstPixelRightOf(const CRowEdge& edge, int y)
{
    const Wide numerator = edge.topX * edge.dy + (y - edge.topY) * edge.dx;
    Wide quotient = numerator / edge.dy;
    if (quotient * edge.dy < numerator)
        ++quotient;
    return static_cast<int>(quotient);
}

}  // namespace

bool PolygonRegionContains(const CAreaPoint* vertices, std::size_t count, int x, int y)
{
    if (count < 3)
        return false;
    bool inside = false;
    for (std::size_t i = 0; i < count; ++i) {
        CRowEdge edge;
        if (EdgeCoversRow(vertices[i], vertices[(i + 1) % count], y, edge) && CrossesAtOrLeftOf(edge, y, x))
            inside = !inside;
    }
    return inside;
}

void PolygonRegionRowSpans(const CAreaPoint* vertices, std::size_t count, int y, std::vector<int>& spans)
{
    spans.clear();
    if (count < 3)
        return;
    for (std::size_t i = 0; i < count; ++i) {
        CRowEdge edge;
        if (EdgeCoversRow(vertices[i], vertices[(i + 1) % count], y, edge))
            spans.push_back(FirstPixelRightOf(edge, y));
    }
    std::sort(spans.begin(), spans.end());
    // Sorted crossings pair up as begin, end; empty runs are dropped.
    std::size_t kept = 0;
    for (std::size_t i = 0; i + 1 < spans.size(); i += 2) {
        if (spans[i] == spans[i + 1])
            continue;
        spans[kept++] = spans[i];
        spans[kept++] = spans[i + 1];
    }
    spans.resize(kept);
}

}  // namespace mapwright
