#include "model/maparea.h"

#include <utility>

namespace mapwright {

namespace {

// List positions of the corner handles as BuildHandles lays them out.
constexpr int kTopLeftIndex = 0;
constexpr int kBottomRightIndex = 2;

// The list position of the corner handle diagonally opposite the corner with this code.
int OppositeCornerIndex(int code)
{
    switch (code) {
    case kHandleTopLeft: return 2;      // 30
    case kHandleTopRight: return 3;     // 40
    case kHandleBottomRight: return 0;  // 10
    default: return 1;                  // 40 pairs with 20
    }
}

}  // namespace

bool CRectArea::HitTest(int px, int py) const
{
    return left <= px && px <= right && top <= py && py <= bottom;
}

void CRectArea::ResizeByHandle(int handle, int newX, int newY, int imageWidth, int imageHeight, int& activeHandle)
{
    if (handle < 0 || static_cast<std::size_t>(handle) >= m_points.size() || m_points.size() < 8)
        return;
    CAreaPoint& dragged = m_points[handle];
    int nx = ClampToImage(newX, imageWidth);
    int ny = ClampToImage(newY, imageHeight);
    const int code = dragged.m_nCode;
    if (code == kHandleTop || code == kHandleBottom)
        nx = dragged.x;
    if (code == kHandleRight || code == kHandleLeft)
        ny = dragged.y;
    dragged.x = nx;
    dragged.y = ny;

    switch (code) {
    case kHandleTopLeft:
    case kHandleTopRight:
    case kHandleBottomRight:
    case kHandleBottomLeft: {
        const CAreaPoint& opposite = m_points[OppositeCornerIndex(code)];
        const bool draggedIsLeft = code == kHandleTopLeft || code == kHandleBottomLeft;
        const bool draggedIsTop = code == kHandleTopLeft || code == kHandleTopRight;
        left = draggedIsLeft ? nx : opposite.x;
        right = draggedIsLeft ? opposite.x : nx;
        top = draggedIsTop ? ny : opposite.y;
        bottom = draggedIsTop ? opposite.y : ny;
        break;
    }
    default: {
        const CAreaPoint& topLeft = m_points[kTopLeftIndex];
        const CAreaPoint& bottomRight = m_points[kBottomRightIndex];
        left = topLeft.x;
        top = topLeft.y;
        right = bottomRight.x;
        bottom = bottomRight.y;
        if (code == kHandleTop)
            top = ny;
        else if (code == kHandleRight)
            right = nx;
        else if (code == kHandleBottom)
            bottom = ny;
        else if (code == kHandleLeft)
            left = nx;
        break;
    }
    }
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    BuildHandles();

    // After a drag across the opposite edge the handle under the cursor is another one.
    for (std::size_t i = 0; i < m_points.size(); ++i) {
        if (m_points[i].x == nx && m_points[i].y == ny) {
            activeHandle = static_cast<int>(i);
            break;
        }
    }
}

COffset CRectArea::AllowedMove(int dx, int dy, int imageWidth, int imageHeight) const
{
    dx = ReduceOffset(dx, left, imageWidth);
    dx = ReduceOffset(dx, right, imageWidth);
    dy = ReduceOffset(dy, top, imageHeight);
    dy = ReduceOffset(dy, bottom, imageHeight);
    return {dx, dy};
}

COffset CRectArea::MoveBy(int dx, int dy, int imageWidth, int imageHeight)
{
    const COffset allowed = AllowedMove(dx, dy, imageWidth, imageHeight);
    dx = allowed.dx;
    dy = allowed.dy;
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
    return {dx, dy};
}

}  // namespace mapwright
