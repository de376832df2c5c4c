#include "model/maparea.h"
#include "model/polygonregion.h"

namespace mapwright {

bool CPolyArea::HitTest(int px, int py) const
{
    return PolygonRegionContains(m_points.data(), m_points.size(), px, py);
}

COffset CPolyArea::MoveBy(int dx, int dy, int imageWidth, int imageHeight)
{
    for (const CAreaPoint& vertex : m_points) {
        dx = ReduceOffset(dx, vertex.x, imageWidth);
        dy = ReduceOffset(dy, vertex.y, imageHeight);
    }
    for (CAreaPoint& vertex : m_points) {
        vertex.x += dx;
        vertex.y += dy;
    }
    return {dx, dy};
}

void CPolyArea::MoveVertex(int index, int newX, int newY, int imageWidth, int imageHeight)
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_points.size())
        return;
    m_points[index].x = ClampToImage(newX, imageWidth);
    m_points[index].y = ClampToImage(newY, imageHeight);
}

}  // namespace mapwright
