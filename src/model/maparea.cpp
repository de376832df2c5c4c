#include "model/maparea.h"

#include <algorithm>

namespace mapwright {

int ClampToImage(int value, int size)
{
    if (value < 0)
        value = 0;
    if (value > size - 1)
        value = size - 1;
    return value;
}

int ReduceOffset(int offset, int value, int size)
{
    if (value + offset < 0)
        offset = -value;
    if (value + offset > size - 1)
        offset = size - 1 - value;
    return offset;
}

void CMapArea::CopyBaseFrom(const CMapArea& other)
{
    m_nIndex = other.m_nIndex;
    m_strHref = other.m_strHref;
    m_strAlt = other.m_strAlt;
    m_strStatusOut = other.m_strStatusOut;
    m_strTitle = other.m_strTitle;
    m_strStatusOver = other.m_strStatusOver;
    m_strTarget = other.m_strTarget;
    m_points = other.m_points;
}

void CRectArea::CopyFrom(const CRectArea& other)
{
    CopyBaseFrom(other);
    left = other.left;
    top = other.top;
    right = other.right;
    bottom = other.bottom;
}

void CCircleArea::CopyFrom(const CCircleArea& other)
{
    CopyBaseFrom(other);
    radius = other.radius;
    x = other.x;
    y = other.y;
}

void CPolyArea::CopyFrom(const CPolyArea& other)
{
    CopyBaseFrom(other);
}

void CRectArea::BuildHandles()
{
    ClearPoints();
    const int midX = (right + left) / 2;
    const int midY = (bottom + top) / 2;
    m_points = {
        {left, top, kHandleTopLeft},    {right, top, kHandleTopRight}, {right, bottom, kHandleBottomRight},
        {left, bottom, kHandleBottomLeft}, {midX, top, kHandleTop},     {right, midY, kHandleRight},
        {midX, bottom, kHandleBottom},  {left, midY, kHandleLeft},
    };
}

void CCircleArea::BuildHandles()
{
    ClearPoints();
    const int k = static_cast<int>(radius * 0.707);  // 0.707 exactly, truncated toward zero
    m_points = {
        {x, y - radius, kHandleTop},        {x + radius, y, kHandleRight},
        {x, y + radius, kHandleBottom},     {x - radius, y, kHandleLeft},
        {x - k, y - k, kHandleTopLeft},     {x + k, y - k, kHandleTopRight},
        {x + k, y + k, kHandleBottomRight}, {x - k, y + k, kHandleBottomLeft},
    };
}

}  // namespace mapwright

namespace mapwright {

COffset CRectArea::MoveWithHandles(int dx, int dy, int imageWidth, int imageHeight)
{
    const COffset applied = MoveBy(dx, dy, imageWidth, imageHeight);
    BuildHandles();
    return applied;
}

COffset CCircleArea::MoveWithHandles(int dx, int dy, int imageWidth, int imageHeight)
{
    return MoveBy(dx, dy, imageWidth, imageHeight);
}

COffset CPolyArea::MoveWithHandles(int dx, int dy, int imageWidth, int imageHeight)
{
    return MoveBy(dx, dy, imageWidth, imageHeight);
}

}  // namespace mapwright

namespace mapwright {

CAreaBounds CRectArea::Bounds() const
{
    return {left, top, right, bottom};
}

CAreaBounds CCircleArea::Bounds() const
{
    return {x - radius, y - radius, x + radius, y + radius};
}

CAreaBounds CPolyArea::Bounds() const
{
    if (m_points.empty())
        return {};
    CAreaBounds bounds{m_points.front().x, m_points.front().y, m_points.front().x, m_points.front().y};
    for (const CAreaPoint& vertex : m_points) {
        bounds.left = std::min(bounds.left, vertex.x);
        bounds.top = std::min(bounds.top, vertex.y);
        bounds.right = std::max(bounds.right, vertex.x);
        bounds.bottom = std::max(bounds.bottom, vertex.y);
    }
    return bounds;
}

}  // namespace mapwright
