#include "platform/qpaintersurface.h"

#include "model/polygonregion.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <utility>

namespace mapwright {

namespace {

QColor ToQColor(COLORREF colour)
{
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

bool IsThirtyTwoBit(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

// The pixels of a one-pixel line from one point towards another, the last one left out.
std::vector<QPoint> ThinLinePixels(QPoint from, QPoint to)
{
    std::vector<QPoint> pixels;
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int stepX = from.x() < to.x() ? 1 : -1;
    const int stepY = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    QPoint at = from;
    while (at != to) {
        pixels.push_back(at);
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
    return pixels;
}

// The pixels of the one-pixel outline of the ellipse in box (right and bottom edge included).
std::vector<QPoint> ThinEllipsePixels(const QRect& box)
{
    QImage canvas(box.width() + 3, box.height() + 3, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        painter.setPen(QPen(Qt::black, 0));
        painter.drawEllipse(QRect(1, 1, box.width(), box.height()));
    }
    std::vector<QPoint> pixels;
    for (int y = 0; y < canvas.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        for (int x = 0; x < canvas.width(); ++x) {
            if (qAlpha(row[x]) != 0)
                pixels.emplace_back(box.left() + x - 1, box.top() + y - 1);
        }
    }
    return pixels;
}

// The angle of the radial from (cx, cy) through (x, y), in degrees counter-clockwise from
// three o'clock as seen on screen (y grows downwards).
double RadialAngle(double cx, double cy, int x, int y)
{
    if (x == cx && y == cy)
        return 0;
    return std::atan2(cy - y, x - cx) * 180 / std::numbers::pi;
}

// Inverts every pixel of target that is covered in mask, whose top-left lies at origin.
void InvertUnderMask(QImage& target, const QImage& mask, QPoint origin)
{
    const bool premultiplied = target.format() == QImage::Format_ARGB32_Premultiplied;
    for (int my = 0; my < mask.height(); ++my) {
        const QRgb* coverage = reinterpret_cast<const QRgb*>(mask.constScanLine(my));
        QRgb* row = reinterpret_cast<QRgb*>(target.scanLine(origin.y() + my)) + origin.x();
        for (int mx = 0; mx < mask.width(); ++mx) {
            if (qAlpha(coverage[mx]) == 0)
                continue;
            const QRgb pixel = row[mx];
            const int full = premultiplied ? qAlpha(pixel) : 255;
            row[mx] = qRgba(full - qRed(pixel), full - qGreen(pixel), full - qBlue(pixel), qAlpha(pixel));
        }
    }
}

}  // namespace

CQPainterSurface::CQPainterSurface(QImage& target) : m_target(target)
{
    if (!IsThirtyTwoBit(m_target.format()))
        m_target = m_target.convertToFormat(QImage::Format_RGB32);
    m_clip = m_target.rect();
}

int CQPainterSurface::SetROP2(int rop)
{
    return std::exchange(m_nRop, rop);
}

int CQPainterSurface::SetBkMode(int mode)
{
    return std::exchange(m_nBkMode, mode);
}

CScreenPoint CQPainterSurface::SetBrushOrg(int x, int y)
{
    return std::exchange(m_brushOrg, CScreenPoint{x, y});
}

CPen CQPainterSurface::SelectPen(const CPen& pen)
{
    return std::exchange(m_pen, pen);
}

CBrush CQPainterSurface::SelectBrush(const CBrush& brush)
{
    return std::exchange(m_brush, brush);
}

void CQPainterSurface::MoveTo(int x, int y)
{
    m_position = {x, y};
}

void CQPainterSurface::LineTo(int x, int y)
{
    const QPoint from(m_position.x, m_position.y);
    const QPoint to(x, y);
    m_position = {x, y};
    if (!HasPen())
        return;
    const int reach = PenReach();
    const QRect bounds = QRect(from, to).normalized().adjusted(-reach, -reach, reach, reach);
    Draw(bounds, [&](QPainter& painter, bool forMask) { StrokeLine(painter, forMask, from, to); });
}

void CQPainterSurface::Arc(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY)
{
    if (!HasPen())
        return;
    const QRect box = QRect(QPoint(left, top), QPoint(right, bottom)).normalized();
    const double cx = (box.left() + box.right()) / 2.0;
    const double cy = (box.top() + box.bottom()) / 2.0;
    const double start = RadialAngle(cx, cy, startX, startY);
    double span = RadialAngle(cx, cy, endX, endY) - start;
    if (span <= 0)
        span += 360;  // counter-clockwise; equal radials make the whole ellipse
    const int reach = PenReach();
    const QRect bounds = box.adjusted(-reach, -reach, reach, reach);
    Draw(bounds, [&](QPainter& painter, bool forMask) {
        painter.setBrush(Qt::NoBrush);
        if (ThinPen()) {
            // The pixels of the whole outline whose angle lies in [start, start + span): two
            // arcs that meet share no pixel, so inverted they leave no gap.
            const QRect outline(box.left(), box.top(), box.width() - 2, box.height() - 2);
            const double ex = outline.left() + outline.width() / 2.0;
            const double ey = outline.top() + outline.height() / 2.0;
            std::vector<QPoint> pixels;
            for (const QPoint& pixel : ThinEllipsePixels(outline)) {
                double angle = std::atan2(ey - pixel.y(), pixel.x() - ex) * 180 / std::numbers::pi - start;
                angle = std::fmod(angle, 360.0);
                if (angle < 0)
                    angle += 360;
                if (angle < span)
                    pixels.push_back(pixel);
            }
            painter.setPen(QPen(PenColour(forMask), 0));
            painter.drawPoints(pixels.data(), static_cast<int>(pixels.size()));
        } else {
            painter.setPen(QPen(PenColour(forMask), m_pen.m_nWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.drawArc(QRectF(box.left() + 0.5, box.top() + 0.5, box.width() - 2, box.height() - 2),
                            static_cast<int>(std::lround(start * 16)), static_cast<int>(std::lround(span * 16)));
        }
    });
}

void CQPainterSurface::Ellipse(int left, int top, int right, int bottom)
{
    const QRect box = QRect(QPoint(left, top), QPoint(right, bottom)).normalized();
    const int reach = PenReach();
    Draw(box.adjusted(-reach, -reach, reach, reach), [&](QPainter& painter, bool forMask) {
        if (HasBrush()) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(CurrentBrush(forMask));
            painter.drawEllipse(QRectF(box.left(), box.top(), box.width() - 1, box.height() - 1));
        }
        if (HasPen()) {
            painter.setBrush(Qt::NoBrush);
            if (ThinPen()) {
                painter.setPen(QPen(PenColour(forMask), 0));
                painter.drawEllipse(QRect(box.left(), box.top(), box.width() - 2, box.height() - 2));
            } else {
                painter.setPen(QPen(PenColour(forMask), m_pen.m_nWidth));
                painter.drawEllipse(QRectF(box.left() + 0.5, box.top() + 0.5, box.width() - 2, box.height() - 2));
            }
        }
    });
}

void CQPainterSurface::Rectangle(int left, int top, int right, int bottom)
{
    // The figure covers left..right - 1 and top..bottom - 1.
    const QRect box = QRect(QPoint(left, top), QPoint(right, bottom)).normalized().adjusted(0, 0, -1, -1);
    if (box.isEmpty())
        return;
    const int reach = PenReach();
    Draw(box.adjusted(-reach, -reach, reach, reach), [&](QPainter& painter, bool forMask) {
        if (HasBrush())
            painter.fillRect(box, CurrentBrush(forMask));
        if (HasPen()) {
            painter.setBrush(Qt::NoBrush);
            if (ThinPen()) {
                painter.setPen(QPen(PenColour(forMask), 0));
                painter.drawRect(box.adjusted(0, 0, -1, -1));
            } else {
                painter.setPen(QPen(PenColour(forMask), m_pen.m_nWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
                painter.drawRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
            }
        }
    });
}

void CQPainterSurface::Polygon(const CScreenPoint* points, std::size_t count)
{
    if (count < 2)
        return;
    std::vector<CAreaPoint> vertices;
    vertices.reserve(count);
    QRect bounds(QPoint(points[0].x, points[0].y), QSize(1, 1));
    for (std::size_t i = 0; i < count; ++i) {
        vertices.emplace_back(points[i].x, points[i].y);
        bounds |= QRect(QPoint(points[i].x, points[i].y), QSize(1, 1));
    }
    const int reach = PenReach();
    Draw(bounds.adjusted(-reach, -reach, reach, reach), [&](QPainter& painter, bool forMask) {
        if (HasBrush()) {
            // The alternate rule of a polygon region, row by row.
            const QBrush brush = CurrentBrush(forMask);
            const int firstRow = std::max(bounds.top(), 0);
            const int lastRow = std::min(bounds.bottom(), m_target.height() - 1);
            for (int y = firstRow; y <= lastRow; ++y) {
                PolygonRegionRowSpans(vertices.data(), vertices.size(), y, m_spans);
                for (std::size_t i = 0; i + 1 < m_spans.size(); i += 2)
                    painter.fillRect(QRect(m_spans[i], y, m_spans[i + 1] - m_spans[i], 1), brush);
            }
        }
        if (HasPen()) {
            for (std::size_t i = 0; i < count; ++i) {
                const CScreenPoint& from = points[i];
                const CScreenPoint& to = points[(i + 1) % count];
                StrokeLine(painter, forMask, QPoint(from.x, from.y), QPoint(to.x, to.y));
            }
        }
    });
}

void CQPainterSurface::StrokeLine(QPainter& painter, bool forMask, QPoint from, QPoint to) const
{
    if (ThinPen()) {
        const std::vector<QPoint> pixels = ThinLinePixels(from, to);
        painter.setPen(QPen(PenColour(forMask), 0));
        painter.drawPoints(pixels.data(), static_cast<int>(pixels.size()));
        return;
    }
    painter.setPen(QPen(PenColour(forMask), m_pen.m_nWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF centre(0.5, 0.5);
    if (from == to)
        painter.drawPoint(QPointF(from) + centre);
    else
        painter.drawLine(QPointF(from) + centre, QPointF(to) + centre);
}

void CQPainterSurface::Draw(const QRect& bounds, const CFigure& figure)
{
    const QRect clipped = bounds & m_clip;
    if (clipped.isEmpty())
        return;
    if (m_nRop != R2_NOT) {
        QPainter painter(&m_target);
        if (m_clip != m_target.rect())
            painter.setClipRect(m_clip);
        PreparePainter(painter, false);
        figure(painter, false);
        return;
    }
    // Inverting: collect the coverage first, so that pixels the fill and the outline share
    // are inverted once.
    QImage mask(clipped.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter painter(&mask);
        painter.translate(-clipped.topLeft());
        PreparePainter(painter, true);
        figure(painter, true);
    }
    InvertUnderMask(m_target, mask, clipped.topLeft());
}

void CQPainterSurface::PreparePainter(QPainter& painter, bool forMask) const
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrushOrigin(m_brushOrg.x, m_brushOrg.y);
    if (m_nBkMode == OPAQUE) {
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(forMask ? QColor(Qt::black) : QColor(Qt::white));
    } else {
        painter.setBackgroundMode(Qt::TransparentMode);
    }
}

QBrush CQPainterSurface::CurrentBrush(bool forMask) const
{
    const QColor colour = forMask ? QColor(Qt::black) : ToQColor(m_brush.m_clrColor);
    if (m_brush.m_nStyle == BS_HATCHED)
        return QBrush(colour, Qt::DiagCrossPattern);
    return QBrush(colour, Qt::SolidPattern);
}

QColor CQPainterSurface::PenColour(bool forMask) const
{
    return forMask ? QColor(Qt::black) : ToQColor(m_pen.m_clrColor);
}

}  // namespace mapwright
