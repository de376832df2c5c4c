#include "views/canvassurface.h"

#include "model/polygonregion.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

namespace mapwright {

namespace {

constexpr std::uint32_t kWhitePixel = 0xffffffffu;

std::uint32_t PixelOf(COLORREF colour)
{
    return 0xff000000u | static_cast<std::uint32_t>(RedOf(colour)) << 16 |
           static_cast<std::uint32_t>(GreenOf(colour)) << 8 | static_cast<std::uint32_t>(BlueOf(colour));
}

// Rows of Qt's diagonal-cross pattern, bit x set where the pattern paints column x.
const std::array<std::uint8_t, 8>& DiagCrossRows()
{
    static const std::array<std::uint8_t, 8> rows = [] {
        QImage tile(8, 8, QImage::Format_ARGB32_Premultiplied);
        tile.fill(Qt::transparent);
        {
            QPainter painter(&tile);
            painter.fillRect(tile.rect(), QBrush(Qt::black, Qt::DiagCrossPattern));
        }
        std::array<std::uint8_t, 8> bits{};
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                if (qAlpha(tile.pixel(x, y)) != 0)
                    bits[y] |= static_cast<std::uint8_t>(1u << x);
        return bits;
    }();
    return rows;
}

}  // namespace

CCanvasSurface::CCanvasSurface(QImage& target, CFigureCache& figures, const QRect& clip)
    : m_target(target), m_figures(figures), m_painterSurface(target)
{
    // The painter surface made sure of 32-bit pixels; the buffer is not reallocated while drawing.
    m_pPixels = reinterpret_cast<std::uint32_t*>(m_target.bits());
    m_clip = clip.isNull() ? m_target.rect() : clip & m_target.rect();
    m_painterSurface.SetClip(m_clip);
    m_nLeft = m_clip.left();
    m_nTop = m_clip.top();
    m_nRight = m_clip.left() + m_clip.width();
    m_nBottom = m_clip.top() + m_clip.height();
    m_nStride = static_cast<int>(m_target.bytesPerLine() / 4);
    m_penPixel = PixelOf(m_pen.m_clrColor);
    m_brushPixel = PixelOf(m_brush.m_clrColor);
}

int CCanvasSurface::SetROP2(int rop)
{
    m_painterSurface.SetROP2(rop);
    return std::exchange(m_nRop, rop);
}

int CCanvasSurface::SetBkMode(int mode)
{
    m_painterSurface.SetBkMode(mode);
    return std::exchange(m_nBkMode, mode);
}

CScreenPoint CCanvasSurface::SetBrushOrg(int x, int y)
{
    m_painterSurface.SetBrushOrg(x, y);
    return std::exchange(m_brushOrg, CScreenPoint{x, y});
}

CPen CCanvasSurface::SelectPen(const CPen& pen)
{
    m_painterSurface.SelectPen(pen);
    m_penPixel = PixelOf(pen.m_clrColor);
    return std::exchange(m_pen, pen);
}

CBrush CCanvasSurface::SelectBrush(const CBrush& brush)
{
    m_painterSurface.SelectBrush(brush);
    m_brushPixel = PixelOf(brush.m_clrColor);
    return std::exchange(m_brush, brush);
}

void CCanvasSurface::MoveTo(int x, int y)
{
    m_position = {x, y};
}

void CCanvasSurface::LineTo(int x, int y)
{
    const QPoint from(m_position.x, m_position.y);
    const QPoint to(x, y);
    if (!HasPen()) {
        m_position = {x, y};
        return;
    }
    if (ThinPen()) {
        ThinLine(from, to);
    } else {
        m_painterSurface.MoveTo(from.x(), from.y());
        m_painterSurface.LineTo(x, y);
    }
    m_position = {x, y};
}

void CCanvasSurface::Arc(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY)
{
    m_painterSurface.Arc(left, top, right, bottom, startX, startY, endX, endY);
}

void CCanvasSurface::Ellipse(int left, int top, int right, int bottom)
{
    const QRect box = QRect(QPoint(left, top), QPoint(right, bottom)).normalized();
    if (!DirectFigure(box) || box.width() < 3 || box.height() < 3) {
        m_painterSurface.Ellipse(left, top, right, bottom);
        return;
    }
    if (HasBrush())
        BrushCoverage(m_figures.EllipseFill(box.width(), box.height(), m_nBkMode == OPAQUE), box.topLeft());
    if (HasPen())
        PenCoverage(m_figures.EllipseOutline(box.width(), box.height(), m_nBkMode == OPAQUE), box.topLeft());
}

void CCanvasSurface::Rectangle(int left, int top, int right, int bottom)
{
    // The figure covers left..right - 1 and top..bottom - 1; the pen runs on its outermost pixels.
    const QRect box = QRect(QPoint(left, top), QPoint(right, bottom)).normalized().adjusted(0, 0, -1, -1);
    if (box.isEmpty())
        return;
    if (!DirectFigure(box) || box.width() < 2 || box.height() < 2) {
        m_painterSurface.Rectangle(left, top, right, bottom);
        return;
    }
    if (HasBrush()) {
        for (int y = box.top(); y <= box.bottom(); ++y)
            BrushSpan(y, box.left(), box.right() + 1);
    }
    if (HasPen()) {
        PenSpan(box.top(), box.left(), box.right() + 1);
        PenSpan(box.bottom(), box.left(), box.right() + 1);
        for (int y = box.top() + 1; y < box.bottom(); ++y) {
            PenPixel(box.left(), y);
            PenPixel(box.right(), y);
        }
    }
}

void CCanvasSurface::Polygon(const CScreenPoint* points, std::size_t count)
{
    if (count < 2)
        return;
    if (Inverting() || (HasPen() && !ThinPen())) {
        m_painterSurface.Polygon(points, count);
        return;
    }
    if (HasBrush()) {
        m_vertices.clear();
        int firstRow = points[0].y;
        int lastRow = points[0].y;
        for (std::size_t i = 0; i < count; ++i) {
            m_vertices.emplace_back(points[i].x, points[i].y);
            firstRow = std::min(firstRow, points[i].y);
            lastRow = std::max(lastRow, points[i].y);
        }
        firstRow = std::max(firstRow, m_nTop);
        lastRow = std::min(lastRow, m_nBottom - 1);
        for (int y = firstRow; y <= lastRow; ++y) {
            PolygonRegionRowSpans(m_vertices.data(), m_vertices.size(), y, m_spans);
            for (std::size_t i = 0; i + 1 < m_spans.size(); i += 2)
                BrushSpan(y, m_spans[i], m_spans[i + 1]);
        }
    }
    if (HasPen()) {
        for (std::size_t i = 0; i < count; ++i) {
            const CScreenPoint& from = points[i];
            const CScreenPoint& to = points[(i + 1) % count];
            ThinLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
        }
    }
}

void CCanvasSurface::DrawHandles(const CMapArea& area, double zoom, int scrollX, int scrollY)
{
    if (Inverting()) {
        area.DrawHandles(*this, zoom, scrollX, scrollY);
        return;
    }
    if (zoom != m_dStampZoom || m_nBkMode != m_nStampBkMode)
        MakeHandleStamp(zoom);
    for (const CAreaPoint& point : area.m_points) {
        // Where DrawHandles puts a handle, but for the half-pixel shift below 100 %, which the
        // stamp holds.
        const int x = static_cast<int>(zoom * point.x) - scrollX;
        const int y = static_cast<int>(zoom * point.y) - scrollY;
        if (!m_stampBounds.translated(x, y).intersects(m_clip))
            continue;
        const bool inside = m_clip.contains(m_stampBounds.translated(x, y));
        for (const CStampPixel& stamp : m_handleStamp) {
            const int px = x + stamp.dx;
            const int py = y + stamp.dy;
            if (inside || (px >= m_nLeft && py >= m_nTop && px < m_nRight && py < m_nBottom))
                m_pPixels[static_cast<std::ptrdiff_t>(py) * m_nStride + px] = stamp.pixel;
        }
    }
}

void CCanvasSurface::MakeHandleStamp(double zoom)
{
    // One handle of a point at the origin, drawn by the painter surface in the middle of a scratch
    // image whose colour no handle pen has.
    const int margin = static_cast<int>(8 * zoom) + 8;
    const std::uint32_t background = 0xff123456u;
    QImage scratch(2 * margin, 2 * margin, QImage::Format_RGB32);
    scratch.fill(background);
    {
        CQPainterSurface surface(scratch);
        surface.SetBkMode(m_nBkMode);
        CPolyArea dot;  // any shape: only its one point is drawn
        dot.m_points = {{0, 0, kHandleTopLeft}};
        dot.DrawHandles(surface, zoom, -margin, -margin);
    }
    m_handleStamp.clear();
    m_stampBounds = QRect();
    for (int y = 0; y < scratch.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(scratch.constScanLine(y));
        for (int x = 0; x < scratch.width(); ++x)
            if (row[x] != background) {
                m_handleStamp.push_back({x - margin, y - margin, row[x]});
                m_stampBounds |= QRect(x - margin, y - margin, 1, 1);
            }
    }
    m_dStampZoom = zoom;
    m_nStampBkMode = m_nBkMode;
}

void CCanvasSurface::ThinLine(QPoint from, QPoint to)
{
    // Whole lines beyond one side of the clip touch no pixel.
    if ((from.x() < m_nLeft && to.x() < m_nLeft) || (from.y() < m_nTop && to.y() < m_nTop) ||
        (from.x() >= m_nRight && to.x() >= m_nRight) || (from.y() >= m_nBottom && to.y() >= m_nBottom))
        return;
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int stepX = from.x() < to.x() ? 1 : -1;
    const int stepY = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    QPoint at = from;
    while (at != to) {
        PenPixel(at.x(), at.y());
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.rx() += stepX;
        }
        if (twice <= dx) {
            error += dx;
            at.ry() += stepY;
        }
    }
}

void CCanvasSurface::PenSpan(int y, int begin, int end)
{
    if (y < m_nTop || y >= m_nBottom)
        return;
    for (int x = std::max(begin, m_nLeft); x < std::min(end, m_nRight); ++x)
        PenPixel(x, y);
}

void CCanvasSurface::BrushSpan(int y, int begin, int end)
{
    if (y < m_nTop || y >= m_nBottom)
        return;
    begin = std::max(begin, m_nLeft);
    end = std::min(end, m_nRight);
    if (begin >= end)
        return;
    std::uint32_t* row = m_pPixels + static_cast<std::ptrdiff_t>(y) * m_nStride;
    if (m_brush.m_nStyle != BS_HATCHED) {
        std::fill(row + begin, row + end, m_brushPixel);
        return;
    }
    if (m_nBkMode == OPAQUE)
        std::fill(row + begin, row + end, kWhitePixel);
    // Only the pattern's own columns are painted, every eighth pixel from the first of each.
    const unsigned pattern = DiagCrossRows()[static_cast<unsigned>(y - m_brushOrg.y) & 7u];
    for (unsigned column = 0; column < 8; ++column) {
        if (!(pattern >> column & 1u))
            continue;
        const int first = begin + static_cast<int>((column - static_cast<unsigned>(begin - m_brushOrg.x)) & 7u);
        for (int x = first; x < end; x += 8)
            row[x] = m_brushPixel;
    }
}

void CCanvasSurface::PenCoverage(const CCoverage& coverage, QPoint origin)
{
    for (const CPixelSpan& span : coverage)
        PenSpan(origin.y() + span.y, origin.x() + span.begin, origin.x() + span.end);
}

void CCanvasSurface::BrushCoverage(const CCoverage& coverage, QPoint origin)
{
    for (const CPixelSpan& span : coverage)
        BrushSpan(origin.y() + span.y, origin.x() + span.begin, origin.x() + span.end);
}

}  // namespace mapwright
