// The pixel rule of a polygon region filled with the alternate (even-odd) rule, as a polygon
// region of the platform builds it: pixel (x, y) is inside when an odd number of the polygon's
// non-horizontal edges cross row y at or to the left of x, where an edge covers the rows from its
// upper end up to, not including, its lower end. So the left and top boundary pixels are inside,
// the right and bottom ones outside, and a self-crossing polygon has holes.
#pragma once

#include "model/maparea.h"

#include <cstddef>
#include <vector>

namespace mapwright {

// True when pixel (x, y) lies in the region of the polygon; fewer than three vertices never hit.
bool PolygonRegionContains(const CAreaPoint* vertices, std::size_t count, int x, int y);

// Replaces spans with the pixel runs of row y in the region: pairs [begin, end), ascending.
void PolygonRegionRowSpans(const CAreaPoint* vertices, std::size_t count, int y, std::vector<int>& spans);

}  // namespace mapwright
