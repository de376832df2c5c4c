#include "document/areaclipboard.h"

#include "document/mapdocument.h"
#include "model/areagroup.h"

#include <algorithm>

namespace mapwright {

CAreaClipboard& CAreaClipboard::Instance()
{
    static CAreaClipboard clipboard;
    return clipboard;
}

void CAreaClipboard::CopyArea(const CMapDocument& doc)
{
    std::vector<std::unique_ptr<CMapArea>> copies;
    for (const CMapArea* selected : doc.SelectedAreas())
        copies.push_back(selected->Clone());
    m_areas = std::move(copies);
}

bool CAreaClipboard::DeleteArea(CMapDocument& doc)
{
    return doc.DeleteSelectedAreas(nullptr);
}

bool CAreaClipboard::PasteArea(CMapDocument& doc, int ox, int oy, CView* sender) const
{
    if (m_areas.empty())
        return false;
    std::vector<CMapArea*> held;
    for (const auto& area : m_areas)
        held.push_back(area.get());
    // Each area keeps its place in the group; one alone goes to (ox, oy) itself.
    const CAreaBounds group = GroupBounds(held);
    std::vector<std::unique_ptr<CMapArea>> copies;
    copies.reserve(m_areas.size());
    for (const auto& area : m_areas) {
        std::unique_ptr<CMapArea> copy = area->Clone();
        const CAreaBounds bounds = copy->Bounds();
        PlacePastedArea(*copy, ox + bounds.left - group.left, oy + bounds.top - group.top, doc.Picture().Width(),
                        doc.Picture().Height());
        copies.push_back(std::move(copy));
    }
    return doc.AreasPasted(std::move(copies), sender);
}

void PlacePastedArea(CMapArea& area, int ox, int oy, int imageWidth, int imageHeight)
{
    VisitArea(area, [&](auto& kind) { PlacePastedArea(kind, ox, oy, imageWidth, imageHeight); });
}

void PlacePastedArea(CRectArea& area, int ox, int oy, int imageWidth, int imageHeight)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    area.left = ox;
    area.right = ox + width;
    if (area.right >= imageWidth) {
        area.right = imageWidth - 1;
        area.left = imageWidth - 1 - width;
    }
    area.top = oy;
    area.bottom = oy + height;
    if (area.bottom >= imageHeight) {
        area.bottom = imageHeight - 1;
        area.top = imageHeight - 1 - height;
    }
    area.left = std::max(area.left, 0);
    area.top = std::max(area.top, 0);
    area.BuildHandles();
}

void PlacePastedArea(CCircleArea& area, int ox, int oy, int imageWidth, int imageHeight)
{
    area.x = std::min(area.radius + ox, imageWidth - 1);
    area.y = std::min(area.radius + oy, imageHeight - 1);
    area.BuildHandles();
}

void PlacePastedArea(CPolyArea& area, int ox, int oy, int imageWidth, int imageHeight)
{
    if (area.m_points.empty())
        return;
    const auto [minX, maxX] = std::minmax_element(area.m_points.begin(), area.m_points.end(),
                                                  [](const CAreaPoint& a, const CAreaPoint& b) { return a.x < b.x; });
    const auto [minY, maxY] = std::minmax_element(area.m_points.begin(), area.m_points.end(),
                                                  [](const CAreaPoint& a, const CAreaPoint& b) { return a.y < b.y; });
    const int left = minX->x, right = maxX->x, top = minY->y, bottom = maxY->y;
    int dx = right + ox - left >= imageWidth ? imageWidth + left - right - 1 : ox;
    int dy = bottom + oy - top >= imageHeight ? imageHeight + top - bottom - 1 : oy;
    dx = std::max(dx, 0);
    dy = std::max(dy, 0);
    for (CAreaPoint& point : area.m_points) {
        point.x = std::min(point.x + dx - left, imageWidth - 1);
        point.y = std::min(point.y + dy - top, imageHeight - 1);
    }
}

}  // namespace mapwright
