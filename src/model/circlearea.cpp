#include "model/maparea.h"

#include <cmath>

namespace mapwright {

namespace {

// List positions of the edge handles as BuildHandles lays them out.
constexpr int kTopIndex = 0;
constexpr int kRightIndex = 1;
constexpr int kBottomIndex = 2;
constexpr int kLeftIndex = 3;

}  // namespace

bool CCircleArea::HitTest(int px, int py) const
{
    const long long dx = static_cast<long long>(x) - px;
    const long long dy = static_cast<long long>(y) - py;
    const long long r = radius;
    return r * r >= dx * dx + dy * dy;
}

void CCircleArea::ResizeByHandle(int handle, int newX, int newY, int imageWidth, int imageHeight,
                                 int& activeHandle, int fixedX, int fixedY)
{
    if (handle < 0 || static_cast<std::size_t>(handle) >= m_points.size() || m_points.size() < 4)
        return;
    const int code = m_points[handle].m_nCode;
    switch (code) {
    case kHandleTopLeft:
    case kHandleTopRight:
    case kHandleBottomRight:
    case kHandleBottomLeft: {
        x = ClampToImage((newX + fixedX) / 2, imageWidth);
        y = ClampToImage((newY + fixedY) / 2, imageHeight);
        const double ox = static_cast<double>(fixedX) - x;
        const double oy = static_cast<double>(fixedY) - y;
        radius = static_cast<int>(std::sqrt(ox * ox + oy * oy));
        break;
    }
    case kHandleTop:
    case kHandleRight:
    case kHandleBottom:
    case kHandleLeft: {
        // Each edge handle pairs with the opposite one, which stays where it is.
        int opposite = kTopIndex;
        if (code == kHandleTop) {
            const int bottomY = m_points[kBottomIndex].y;
            y = ClampToImage((newY + bottomY) / 2, imageHeight);
            x = ClampToImage(x, imageWidth);
            radius = bottomY - y;
            opposite = kBottomIndex;
        } else if (code == kHandleBottom) {
            const int topY = m_points[kTopIndex].y;
            y = ClampToImage((newY + topY) / 2, imageHeight);
            x = ClampToImage(x, imageWidth);
            radius = y - topY;
            opposite = kTopIndex;
        } else if (code == kHandleRight) {
            const int leftX = m_points[kLeftIndex].x;
            x = ClampToImage((newX + leftX) / 2, imageWidth);
            y = ClampToImage(y, imageHeight);
            radius = x - leftX;
            opposite = kLeftIndex;
        } else {
            const int rightX = m_points[kRightIndex].x;
            x = ClampToImage((newX + rightX) / 2, imageWidth);
            y = ClampToImage(y, imageHeight);
            radius = rightX - x;
            opposite = kRightIndex;
        }
        // Dragged across the opposite handle: the drag goes on with that one.
        if (radius < 0) {
            radius = -radius;
            activeHandle = opposite;
        }
        break;
    }
    default:
        return;
    }
    BuildHandles();
}

COffset CCircleArea::AllowedMove(int dx, int dy, int imageWidth, int imageHeight) const
{
    return {ReduceOffset(dx, x, imageWidth), ReduceOffset(dy, y, imageHeight)};
}

COffset CCircleArea::MoveBy(int dx, int dy, int imageWidth, int imageHeight)
{
    const COffset allowed = AllowedMove(dx, dy, imageWidth, imageHeight);
    x += allowed.dx;
    y += allowed.dy;
    BuildHandles();
    return allowed;
}

}  // namespace mapwright
