#include "views/areapainter.h"

namespace mapwright {

namespace {

// Calls visit on every area of lists, rectangles first, then circles, then polygons.
template <class Visit>
void ForEachArea(const CAreaLists& lists, Visit visit)
{
    for (const auto& area : lists.m_rectAreas)
        visit(*area);
    for (const auto& area : lists.m_circleAreas)
        visit(*area);
    for (const auto& area : lists.m_polyAreas)
        visit(*area);
}

bool IsSelected(const CMapArea& area)
{
    return area.m_nSelect == kSelected;
}

void PaintOthers(CDrawSurface& dc, const CAreaLists& lists, const CAreaPaintOptions& o)
{
    const CPen passivePen = MakeSolidPen(1, o.clrPassive);
    ForEachArea(lists, [&](const auto& area) {
        if (IsSelected(area))
            return;
        dc.SelectPen(passivePen);
        if (o.bHatch)
            area.DrawHatched(dc, o.clrPassive, true, o.dScale, o.nScrollX, o.nScrollY);
        else
            area.DrawOutline(dc, true, o.dScale, o.nScrollX, o.nScrollY);
    });
}

void PaintSelected(CDrawSurface& dc, const CAreaLists& lists, const CAreaPaintOptions& o)
{
    // While dragged the colour does not matter: the outline inverts what lies beneath.
    const CPen pen = MakeSolidPen(1, o.bDragging ? o.clrPassive : o.clrActive);
    ForEachArea(lists, [&](const auto& area) {
        if (!IsSelected(area))
            return;
        dc.SelectPen(pen);
        if (!o.bHatch || o.bDragging)
            area.DrawOutline(dc, !o.bDragging, o.dScale, o.nScrollX, o.nScrollY);
        else
            area.DrawHatched(dc, o.clrActive, true, o.dScale, o.nScrollX, o.nScrollY);
    });
}

void PaintHandles(CDrawSurface& dc, const CAreaLists& lists, const CAreaPaintOptions& o)
{
    ForEachArea(lists, [&](const CMapArea& area) {
        if (o.bDragging && IsSelected(area))
            return;
        area.DrawHandles(dc, o.dScale, o.nScrollX, o.nScrollY);
    });
}

}  // namespace

void PaintAreas(CDrawSurface& dc, const CAreaLists& lists, const CAreaPaintOptions& options)
{
    const CPen previousPen = dc.SelectPen(MakeSolidPen(1, options.clrPassive));
    PaintOthers(dc, lists, options);
    PaintSelected(dc, lists, options);
    if (options.bShowHandles)
        PaintHandles(dc, lists, options);
    dc.SelectPen(previousPen);
}

}  // namespace mapwright
