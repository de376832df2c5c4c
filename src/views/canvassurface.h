// The drawing surface the canvas paints its areas on: the pixels of CQPainterSurface, but the
// figures a map is drawn with (one-pixel lines, rectangles, ellipses and polygons with solid or
// hatched fills, the thick lines of handles) are written straight into the back buffer, so that
// thousands of areas paint within a frame. Every other case is left to CQPainterSurface.
#pragma once

#include "model/drawsurface.h"
#include "model/maparea.h"
#include "platform/qpaintersurface.h"
#include "views/figurecache.h"

#include <QImage>

#include <cstdint>
#include <vector>

namespace mapwright {

class CCanvasSurface : public CDrawSurface {
public:
    // Draws on target, which must be QImage::Format_RGB32 and outlive the surface, inside clip (a
    // part of it; all of it when null); figures is where shapes rendered once are kept between
    // paints.
    CCanvasSurface(QImage& target, CFigureCache& figures, const QRect& clip = {});

    int SetROP2(int rop) override;
    int SetBkMode(int mode) override;
    CScreenPoint SetBrushOrg(int x, int y) override;
    CPen SelectPen(const CPen& pen) override;
    CBrush SelectBrush(const CBrush& brush) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Arc(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void Polygon(const CScreenPoint* points, std::size_t count) override;

    // Draws the handles of area as its DrawHandles would, each one stamped from a copy drawn once.
    void DrawHandles(const CMapArea& area, double zoom, int scrollX, int scrollY);

private:
    // One pixel of a handle, relative to the zoomed position of its point.
    struct CStampPixel {
        int dx = 0;
        int dy = 0;
        std::uint32_t pixel = 0;
    };

    void MakeHandleStamp(double zoom);

    bool HasPen() const { return m_pen.m_nStyle != PS_NULL; }
    bool HasBrush() const { return m_brush.m_nStyle != BS_NULL; }
    bool ThinPen() const { return m_pen.m_nWidth <= 1; }
    bool Inverting() const { return m_nRop == R2_NOT; }
    // True when a filled figure in box can be written directly: not inverting, a thin pen or none,
    // and wholly inside the clip, where the painter's clipping cannot change its pixels.
    bool DirectFigure(const QRect& box) const
    {
        return !Inverting() && (!HasPen() || ThinPen()) && m_clip.contains(box);
    }

    // Pixel writers, all clipped.
    void PenPixel(int x, int y)
    {
        if (x < m_nLeft || y < m_nTop || x >= m_nRight || y >= m_nBottom)
            return;
        std::uint32_t& pixel = m_pPixels[static_cast<std::ptrdiff_t>(y) * m_nStride + x];
        pixel = m_nRop == R2_NOT ? pixel ^ 0x00ffffffu : m_penPixel;
    }
    void PenSpan(int y, int begin, int end);
    void BrushSpan(int y, int begin, int end);
    void PenCoverage(const CCoverage& coverage, QPoint origin);
    void BrushCoverage(const CCoverage& coverage, QPoint origin);
    // A one-pixel line from one point towards another, its last pixel left out.
    void ThinLine(QPoint from, QPoint to);

    QImage& m_target;
    CFigureCache& m_figures;
    CQPainterSurface m_painterSurface;
    std::uint32_t* m_pPixels = nullptr;
    QRect m_clip;
    // The clip's edges, the right and bottom ones just outside it.
    int m_nLeft = 0;
    int m_nTop = 0;
    int m_nRight = 0;
    int m_nBottom = 0;
    int m_nStride = 0;  // pixels from one row to the next
    int m_nRop = R2_COPYPEN;
    int m_nBkMode = OPAQUE;
    CScreenPoint m_brushOrg;
    CScreenPoint m_position;
    CPen m_pen;
    CBrush m_brush;
    std::uint32_t m_penPixel = 0;
    std::uint32_t m_brushPixel = 0;
    std::vector<CAreaPoint> m_vertices;
    std::vector<int> m_spans;
    std::vector<CStampPixel> m_handleStamp;
    QRect m_stampBounds;  // the pixels m_handleStamp covers
    double m_dStampZoom = 0;  // the zoom m_handleStamp was drawn at; 0 when none was
    int m_nStampBkMode = 0;   // and the background mode
};

}  // namespace mapwright
