#include "views/areapainter.h"

#include <algorithm>
#include <vector>

namespace mapwright {

namespace {

// True when nothing of the area, outline, fill or handles, can reach the view: then skipping it
// leaves the same picture.
bool OutsideView(const CMapArea& area, const CAreaPaintOptions& o)
{
    if (area.m_points.empty())
        return false;
    const QRectF reach = AreaReach(area.Bounds(), o.dScale, o.nScrollX, o.nScrollY);
    return reach.right() < o.nViewLeft || reach.left() > o.nViewLeft + o.nViewWidth ||
           reach.bottom() < o.nViewTop || reach.top() > o.nViewTop + o.nViewHeight;
}

// An area that may reach the view, and whether it is selected.
struct CVisibleArea {
    const CMapArea* area;
    bool bSelected;
};

// The areas that may reach the view, in pick order: rectangles, circles, polygons.
std::vector<CVisibleArea> CollectVisible(const CAreaList& list, const CAreaPaintOptions& o)
{
    std::vector<CVisibleArea> visible;
    list.VisitInPickOrder([&](const CMapArea& area) {
        if (!OutsideView(area, o))
            visible.push_back({&area, list.IsSelected(area)});
        return false;
    });
    return visible;
}

using CVisibleAreas = std::vector<CVisibleArea>;

void PaintOthers(CDrawSurface& dc, const CVisibleAreas& areas, const CAreaPaintOptions& o)
{
    const CPen passivePen = MakeSolidPen(1, o.clrPassive);
    for (const auto& [area, selected] : areas) {
        if (selected)
            continue;
        dc.SelectPen(passivePen);
        if (o.bHatch)
            area->DrawHatched(dc, o.clrPassive, true, o.dScale, o.nScrollX, o.nScrollY);
        else
            area->DrawOutline(dc, true, o.dScale, o.nScrollX, o.nScrollY);
    }
}

void PaintSelected(CDrawSurface& dc, const CVisibleAreas& areas, const CAreaPaintOptions& o)
{
    // While dragged the colour does not matter: the outline inverts what lies beneath.
    const CPen pen = MakeSolidPen(1, o.bDragging ? o.clrPassive : o.clrActive);
    for (const auto& [area, selected] : areas) {
        if (!selected)
            continue;
        dc.SelectPen(pen);
        if (!o.bHatch || o.bDragging)
            area->DrawOutline(dc, !o.bDragging, o.dScale, o.nScrollX, o.nScrollY);
        else
            area->DrawHatched(dc, o.clrActive, true, o.dScale, o.nScrollX, o.nScrollY);
    }
}

void PaintHandles(CDrawSurface& dc, const CVisibleAreas& areas, const CAreaPaintOptions& o,
                  const CHandleDrawer& drawHandles)
{
    for (const auto& [area, selected] : areas) {
        if (o.bDragging && selected)
            continue;
        if (drawHandles)
            drawHandles(*area);
        else
            area->DrawHandles(dc, o.dScale, o.nScrollX, o.nScrollY);
    }
}

}  // namespace

QRectF AreaReach(const CAreaBounds& bounds, double scale, int scrollX, int scrollY)
{
    // A handle reaches three zoomed pixels and its pen's width beyond its point.
    const double reach = 6 * scale + 4;
    return QRectF(QPointF(scale * bounds.left - scrollX - reach, scale * bounds.top - scrollY - reach),
                  QPointF(scale * (bounds.right + 1) - scrollX + reach, scale * (bounds.bottom + 1) - scrollY + reach));
}

void PaintAreas(CDrawSurface& dc, const CAreaList& list, const CAreaPaintOptions& options,
                const CHandleDrawer& drawHandles)
{
    const CVisibleAreas areas = CollectVisible(list, options);

    const CPen previousPen = dc.SelectPen(MakeSolidPen(1, options.clrPassive));
    PaintOthers(dc, areas, options);
    PaintSelected(dc, areas, options);
    if (options.bShowHandles)
        PaintHandles(dc, areas, options, drawHandles);
    dc.SelectPen(previousPen);
}

}  // namespace mapwright
