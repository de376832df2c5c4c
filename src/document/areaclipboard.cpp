#include "document/areaclipboard.h"

#include "document/mapdocument.h"

#include <algorithm>

namespace mapwright {

namespace {

template <class Area>
std::unique_ptr<Area> CopyOf(const Area& area)
{
    auto copy = std::make_unique<Area>();
    copy->CopyFrom(area);
    return copy;
}

template <class Area>
bool PasteCopy(CMapDocument& doc, const Area& slot, int ox, int oy, CView* sender)
{
    std::unique_ptr<Area> copy = CopyOf(slot);
    PlacePastedArea(*copy, ox, oy, doc.m_nImageWidth, doc.m_nImageHeight);
    const Area& pasted = doc.AppendNewArea(std::move(copy));
    return doc.AreaPasted(pasted, sender);
}

}  // namespace

CAreaClipboard& CAreaClipboard::Instance()
{
    static CAreaClipboard clipboard;
    return clipboard;
}

void CAreaClipboard::Clear()
{
    m_pRect.reset();
    m_pCircle.reset();
    m_pPoly.reset();
}

void CAreaClipboard::CopyArea(const CMapDocument& doc)
{
    Clear();
    if (const CRectArea* rect = doc.GetSelectedRect())
        m_pRect = CopyOf(*rect);
    else if (const CCircleArea* circle = doc.GetSelectedCircle())
        m_pCircle = CopyOf(*circle);
    else if (const CPolyArea* poly = doc.GetSelectedPoly())
        m_pPoly = CopyOf(*poly);
}

bool CAreaClipboard::DeleteArea(CMapDocument& doc)
{
    return doc.DeleteSelectedArea(nullptr);
}

bool CAreaClipboard::PasteArea(CMapDocument& doc, int ox, int oy, CView* sender) const
{
    if (m_pRect)
        return PasteCopy(doc, *m_pRect, ox, oy, sender);
    if (m_pCircle)
        return PasteCopy(doc, *m_pCircle, ox, oy, sender);
    if (m_pPoly)
        return PasteCopy(doc, *m_pPoly, ox, oy, sender);
    return false;
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
