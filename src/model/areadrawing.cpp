#include "model/maparea.h"

#include <algorithm>

#include <vector>

namespace mapwright {

namespace {

// The centre of zoomed pixel v on screen.
int ToScreen(int v, double zoom, int scroll)
{
    return static_cast<int>(zoom * v + zoom / 2 - scroll);
}

CScreenPoint ToScreen(const CAreaPoint& point, double zoom, int scrollX, int scrollY)
{
    return {ToScreen(point.x, zoom, scrollX), ToScreen(point.y, zoom, scrollY)};
}

// Inverts while drawing unless the caller keeps its own raster operation; restores on leaving.
class CInvertScope {
public:
    CInvertScope(CDrawSurface& dc, bool keepRop) : m_dc(dc), m_bActive(!keepRop)
    {
        if (m_bActive)
            m_nPrevious = m_dc.SetROP2(R2_NOT);
    }
    ~CInvertScope()
    {
        if (m_bActive)
            m_dc.SetROP2(m_nPrevious);
    }
    CInvertScope(const CInvertScope&) = delete;
    CInvertScope& operator=(const CInvertScope&) = delete;

private:
    CDrawSurface& m_dc;
    bool m_bActive;
    int m_nPrevious = R2_COPYPEN;
};

// Selects a diagonal-cross hatch aligned to the image, not the window, so that it stays put while
// the canvas scrolls; restores the previous brush on leaving.
class CHatchScope {
public:
    CHatchScope(CDrawSurface& dc, COLORREF colour, int scrollX, int scrollY) : m_dc(dc)
    {
        m_dc.SetBkMode(TRANSPARENT);
        m_dc.SetBrushOrg((-scrollX) & 7, (-scrollY) & 7);
        m_previous = m_dc.SelectBrush(MakeHatchBrush(HS_DIAGCROSS, colour));
    }
    ~CHatchScope() { m_dc.SelectBrush(m_previous); }
    CHatchScope(const CHatchScope&) = delete;
    CHatchScope& operator=(const CHatchScope&) = delete;

private:
    CDrawSurface& m_dc;
    CBrush m_previous;
};

void DrawSquare(CDrawSurface& dc, int left, int top, int right, int bottom)
{
    dc.MoveTo(left, top);
    dc.LineTo(right, top);
    dc.LineTo(right, bottom);
    dc.LineTo(left, bottom);
    dc.LineTo(left, top);
}

}  // namespace

void CMapArea::DrawHandles(CDrawSurface& dc, double zoom, int scrollX, int scrollY) const
{
    const int h = static_cast<int>(3 * zoom);
    const int d = static_cast<int>(6 * zoom) - h;
    const int zoomWhole = static_cast<int>(zoom);
    // A wide line lies centred on its pixel only when it is as odd or even as the line inside it
    // (a black pen of width 0 draws one pixel): from 100 % on the white frame is made one pixel
    // wider where its parity differs, so it rims the black square evenly on every side.
    const int blackWidth = zoomWhole / 2;
    const bool parityDiffers = zoom >= 1 && std::max(blackWidth, 1) % 2 == 1;
    const int whiteWidth = 2 * zoomWhole + (parityDiffers ? 1 : 0);
    for (const CAreaPoint& point : m_points) {
        int sx = static_cast<int>(zoom * point.x) - scrollX;
        int sy = static_cast<int>(zoom * point.y) - scrollY;
        if (zoom < 1) {
            --sx;
            --sy;
        }
        const CPen previous = dc.SelectPen(MakeSolidPen(whiteWidth, MakeRgb(255, 255, 255)));
        DrawSquare(dc, sx - h, sy - h, sx + d, sy + d);
        if (zoom >= 1) {
            dc.SelectPen(MakeSolidPen(blackWidth, MakeRgb(0, 0, 0)));
            DrawSquare(dc, sx - h, sy - h, sx + d, sy + d);
        }
        dc.SelectPen(previous);
    }
}

void CRectArea::DrawOutline(CDrawSurface& dc, bool keepRop, double zoom, int scrollX, int scrollY) const
{
    const CInvertScope invert(dc, keepRop);
    const int l = ToScreen(left, zoom, scrollX);
    const int t = ToScreen(top, zoom, scrollY);
    const int r = ToScreen(right, zoom, scrollX);
    const int b = ToScreen(bottom, zoom, scrollY);
    dc.MoveTo(l, t);
    dc.LineTo(l, b);
    dc.LineTo(r, b);
    dc.LineTo(r, t);
    dc.LineTo(l, t);
}

void CRectArea::DrawHatched(CDrawSurface& dc, COLORREF colour, bool keepRop, double zoom, int scrollX,
                            int scrollY) const
{
    const CInvertScope invert(dc, keepRop);
    const CHatchScope hatch(dc, colour, scrollX, scrollY);
    dc.Rectangle(ToScreen(left, zoom, scrollX), ToScreen(top, zoom, scrollY), ToScreen(right, zoom, scrollX),
                 ToScreen(bottom, zoom, scrollY));
}

void CCircleArea::DrawOutline(CDrawSurface& dc, bool keepRop, double zoom, int scrollX, int scrollY) const
{
    const CInvertScope invert(dc, keepRop);
    const int cx = ToScreen(x, zoom, scrollX);
    const int cy = ToScreen(y, zoom, scrollY);
    const int r = static_cast<int>(zoom * radius);
    // Upper half from the right radial to the left one, then the lower half back.
    dc.Arc(cx - r, cy - r, cx + r, cy + r, cx + r, cy, cx - r, cy);
    dc.Arc(cx - r, cy - r, cx + r, cy + r, cx - r, cy, cx + r, cy);
}

void CCircleArea::DrawHatched(CDrawSurface& dc, COLORREF colour, bool keepRop, double zoom, int scrollX,
                              int scrollY) const
{
    const CInvertScope invert(dc, keepRop);
    const CHatchScope hatch(dc, colour, scrollX, scrollY);
    const int cx = ToScreen(x, zoom, scrollX);
    const int cy = ToScreen(y, zoom, scrollY);
    const int r = static_cast<int>(zoom * radius);
    dc.Ellipse(cx - r, cy - r, cx + r, cy + r);
}

void CPolyArea::DrawOutline(CDrawSurface& dc, bool keepRop, double zoom, int scrollX, int scrollY) const
{
    if (m_points.empty())
        return;
    const CInvertScope invert(dc, keepRop);
    const CScreenPoint first = ToScreen(m_points.front(), zoom, scrollX, scrollY);
    dc.MoveTo(first.x, first.y);
    for (std::size_t i = 1; i < m_points.size(); ++i) {
        const CScreenPoint next = ToScreen(m_points[i], zoom, scrollX, scrollY);
        dc.LineTo(next.x, next.y);
    }
    if (m_points.size() > 2)
        dc.LineTo(first.x, first.y);
}

void CPolyArea::DrawHatched(CDrawSurface& dc, COLORREF colour, bool keepRop, double zoom, int scrollX,
                            int scrollY) const
{
    const CInvertScope invert(dc, keepRop);
    const CHatchScope hatch(dc, colour, scrollX, scrollY);
    if (m_points.size() == 2) {
        const CScreenPoint from = ToScreen(m_points[0], zoom, scrollX, scrollY);
        const CScreenPoint to = ToScreen(m_points[1], zoom, scrollX, scrollY);
        dc.MoveTo(from.x, from.y);
        dc.LineTo(to.x, to.y);
    } else if (m_points.size() > 2) {
        std::vector<CScreenPoint> screen;
        screen.reserve(m_points.size());
        for (const CAreaPoint& vertex : m_points)
            screen.push_back(ToScreen(vertex, zoom, scrollX, scrollY));
        dc.Polygon(screen.data(), screen.size());
    }
}

}  // namespace mapwright
