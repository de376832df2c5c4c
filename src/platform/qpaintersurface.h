// The drawing surface on a QImage back buffer. Each call paints at once, with the pixel rules of
// a GDI device context: lines leave out their last pixel, filled figures leave out their right
// and bottom edge, R2_NOT inverts every pixel a figure covers exactly once (so drawing the same
// figure twice restores the picture), and hatch patterns start at the brush origin.
#pragma once

#include "model/drawsurface.h"

#include <QImage>

#include <functional>
#include <vector>

class QPainter;

namespace mapwright {

class CQPainterSurface : public CDrawSurface {
public:
    // Draws on target, which must outlive the surface; a target that is not 32-bit is converted
    // to QImage::Format_RGB32 first.
    explicit CQPainterSurface(QImage& target);
    // Draws only inside clip, a part of the target (the whole target until set).
    void SetClip(const QRect& clip) { m_clip = clip & m_target.rect(); }

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

private:
    // Paints one figure; forMask says that only coverage counts (colours are opaque black).
    using CFigure = std::function<void(QPainter& painter, bool forMask)>;

    // Paints figure within bounds (screen pixels the figure may touch) by the current raster operation.
    void Draw(const QRect& bounds, const CFigure& figure);
    // Sets pen-independent painter state: background mode and brush origin.
    void PreparePainter(QPainter& painter, bool forMask) const;
    QBrush CurrentBrush(bool forMask) const;
    QColor PenColour(bool forMask) const;
    bool HasPen() const { return m_pen.m_nStyle != PS_NULL; }
    bool HasBrush() const { return m_brush.m_nStyle != BS_NULL; }
    bool ThinPen() const { return m_pen.m_nWidth <= 1; }
    // Half the pen width, rounded up: how far a stroke reaches beyond its path.
    int PenReach() const { return m_pen.m_nWidth / 2 + 1; }
    // Paints the line from one point to another with the current pen, without its last pixel.
    void StrokeLine(QPainter& painter, bool forMask, QPoint from, QPoint to) const;

    QImage& m_target;
    QRect m_clip;
    int m_nRop = R2_COPYPEN;
    int m_nBkMode = OPAQUE;
    CScreenPoint m_brushOrg;
    CScreenPoint m_position;
    CPen m_pen;
    CBrush m_brush;
    std::vector<int> m_spans;
};

}  // namespace mapwright
