// The areas over the picture, in three passes: every area but the selected one in the passive
// colour, then the selected one in the active colour (or inverted while it is dragged), then the
// handles on top of every outline and fill.
#pragma once

#include "model/arealist.h"
#include "model/drawsurface.h"

#include <QRectF>

#include <functional>

namespace mapwright {

struct CAreaPaintOptions {
    double dScale = 1.0;
    int nScrollX = 0;
    int nScrollY = 0;
    bool bHatch = true;        // fill with a diagonal-cross hatch instead of outlining
    bool bShowHandles = true;  // draw the drag handles
    bool bDragging = false;    // the selected area follows the mouse: inverted outline, no handles
    COLORREF clrActive = MakeRgb(255, 0, 0);
    COLORREF clrPassive = MakeRgb(0, 255, 0);
    // The part of the surface drawn on: areas that cannot reach it are skipped.
    int nViewLeft = 0;
    int nViewTop = 0;
    int nViewWidth = 0;
    int nViewHeight = 0;
};

// Where on the surface an area of bounds can put pixels, outline, fill and handles, at scale and
// scrolled by (scrollX, scrollY).
QRectF AreaReach(const CAreaBounds& bounds, double scale, int scrollX, int scrollY);

// Draws the handles of one area; by default the area draws them itself on the surface.
using CHandleDrawer = std::function<void(const CMapArea& area)>;

// Paints the areas of list on dc; rectangles, then circles, then polygons within each pass.
void PaintAreas(CDrawSurface& dc, const CAreaList& list, const CAreaPaintOptions& options,
                const CHandleDrawer& drawHandles = {});

}  // namespace mapwright
