#include "model/maparea.h"
#include "model/polygonregion.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace mapwright {

bool CPolyArea::HitTest(int px, int py) const
{
    return PolygonRegionContains(m_points.data(), m_points.size(), px, py);
}

COffset CPolyArea::AllowedMove(int dx, int dy, int imageWidth, int imageHeight) const
{
    for (const CAreaPoint& vertex : m_points) {
        dx = ReduceOffset(dx, vertex.x, imageWidth);
        dy = ReduceOffset(dy, vertex.y, imageHeight);
    }
    return {dx, dy};
}

COffset CPolyArea::MoveBy(int dx, int dy, int imageWidth, int imageHeight)
{
    const COffset allowed = AllowedMove(dx, dy, imageWidth, imageHeight);
    for (CAreaPoint& vertex : m_points) {
        vertex.x += allowed.dx;
        vertex.y += allowed.dy;
    }
    return allowed;
}

void CPolyArea::MoveVertex(int index, int newX, int newY, int imageWidth, int imageHeight)
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_points.size())
        return;
    m_points[index].x = ClampToImage(newX, imageWidth);
    m_points[index].y = ClampToImage(newY, imageHeight);
}

bool CPolyArea::InsertVertex(int index, int x, int y, int imageWidth, int imageHeight)
{
    if (index < 0 || static_cast<std::size_t>(index) > m_points.size())
        return false;
    m_points.insert(m_points.begin() + index,
                    CAreaPoint(ClampToImage(x, imageWidth), ClampToImage(y, imageHeight), kPolygonVertex));
    return true;
}

bool CPolyArea::DeleteVertex(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_points.size() ||
        m_points.size() <= static_cast<std::size_t>(kMinVertices))
        return false;
    m_points.erase(m_points.begin() + index);
    return true;
}

int CPolyArea::EdgeNear(double x, double y, double reach) const
{
    int nearest = -1;
    double best = std::numeric_limits<double>::max();
    const std::size_t count = m_points.size();
    for (std::size_t i = 0; i < count && count >= 2; ++i) {
        const CAreaPoint& a = m_points[i];
        const CAreaPoint& b = m_points[(i + 1) % count];
        // The distance to the segment: the nearest point of it, its ends included.
        const double ex = b.x - a.x, ey = b.y - a.y;
        const double length = ex * ex + ey * ey;
        double t = length > 0 ? ((x - a.x) * ex + (y - a.y) * ey) / length : 0.0;
        t = std::clamp(t, 0.0, 1.0);
        const double distance = std::hypot(a.x + t * ex - x, a.y + t * ey - y);
        if (distance <= reach && distance < best) {
            best = distance;
            nearest = static_cast<int>(i);
        }
    }
    return nearest;
}

}  // namespace mapwright
