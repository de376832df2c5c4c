// Areas built for tests, with their handles as the parser would give them.
#pragma once

#include "model/maparea.h"

#include <utility>
#include <vector>

namespace mapwright {

inline CRectArea MakeRect(int left, int top, int right, int bottom)
{
    CRectArea area;
    area.left = left;
    area.top = top;
    area.right = right;
    area.bottom = bottom;
    area.BuildHandles();
    return area;
}

inline CCircleArea MakeCircle(int x, int y, int radius)
{
    CCircleArea area;
    area.x = x;
    area.y = y;
    area.radius = radius;
    area.BuildHandles();
    return area;
}

inline CPolyArea MakePoly(std::vector<CAreaPoint> vertices)
{
    CPolyArea area;
    for (CAreaPoint& vertex : vertices)
        vertex.m_nCode = kPolygonVertex;
    area.m_points = std::move(vertices);
    return area;
}

}  // namespace mapwright
