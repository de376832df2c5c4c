// What every fuzz entry checks of the areas it ends with, and how it reports a broken rule: an
// abort, which libFuzzer records as a finding and the corpus replay as a failed test.
#pragma once

#include "model/arealist.h"
#include "support/areachecks.h"

#include <cstdio>
#include <cstdlib>

namespace mapwright::fuzz {

inline void Check(bool condition, const char* rule)
{
    if (!condition) {
        std::fprintf(stderr, "broken rule: %s\n", rule);
        std::abort();
    }
}

inline bool Inside(int value, int size) { return value >= 0 && value < size; }

// Every stored coordinate lies in the picture: the corners and handles of a rectangle, the centre
// of a circle (its rim may leave the picture) and every vertex of a polygon.
inline bool AreasInsidePicture(const CAreaList& areas, int width, int height)
{
    for (const auto& rect : Rects(areas)) {
        if (!Inside(rect->left, width) || !Inside(rect->right, width) || !Inside(rect->top, height) ||
            !Inside(rect->bottom, height))
            return false;
        for (const CAreaPoint& point : rect->m_points)
            if (!Inside(point.x, width) || !Inside(point.y, height))
                return false;
    }
    for (const auto& circle : Circles(areas))
        if (!Inside(circle->x, width) || !Inside(circle->y, height) || circle->radius < 0)
            return false;
    for (const auto& poly : Polys(areas))
        for (const CAreaPoint& point : poly->m_points)
            if (!Inside(point.x, width) || !Inside(point.y, height))
                return false;
    return true;
}

}  // namespace mapwright::fuzz
