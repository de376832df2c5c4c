#include "views/figurecache.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <functional>

namespace mapwright {

namespace {

// Beyond this many shapes the cache starts again, so that a long session keeps it small.
constexpr std::size_t kMaxFigures = 4096;

// Renders a figure into a canvas that reaches margin pixels beyond (0, 0) and extent, and
// returns its covered pixels as spans relative to (0, 0). The figure is drawn at (margin, margin)
// without a transformation, which would take the painter off its exact pixel paths.
CCoverage Render(QSize extent, int margin, bool opaque, const std::function<void(QPainter&, QPoint origin)>& draw)
{
    QImage canvas(extent.width() + 2 * margin, extent.height() + 2 * margin, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setBackgroundMode(opaque ? Qt::OpaqueMode : Qt::TransparentMode);
        painter.setBackground(Qt::black);
        draw(painter, QPoint(margin, margin));
    }
    CCoverage coverage;
    for (int y = 0; y < canvas.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        int x = 0;
        while (x < canvas.width()) {
            if (qAlpha(row[x]) == 0) {
                ++x;
                continue;
            }
            const int begin = x;
            while (x < canvas.width() && qAlpha(row[x]) != 0)
                ++x;
            coverage.push_back({y - margin, begin - margin, x - margin});
        }
    }
    return coverage;
}

}  // namespace

std::size_t CFigureCache::CKeyHash::operator()(const CKey& key) const
{
    std::size_t hash = static_cast<std::size_t>(key.figure) * 2 + key.opaque;
    for (const int value : {key.width, key.height})
        hash = hash * 1000003u ^ static_cast<std::size_t>(static_cast<unsigned>(value));
    return hash;
}

const CCoverage& CFigureCache::EllipseFill(int width, int height, bool opaque)
{
    return Find({EFigure::kEllipseFill, width, height, opaque});
}

const CCoverage& CFigureCache::EllipseOutline(int width, int height, bool opaque)
{
    return Find({EFigure::kEllipseOutline, width, height, opaque});
}


const CCoverage& CFigureCache::Find(const CKey& key)
{
    if (const auto found = m_figures.find(key); found != m_figures.end())
        return found->second;
    if (m_figures.size() >= kMaxFigures)
        m_figures.clear();

    CCoverage coverage;
    switch (key.figure) {
    case EFigure::kEllipseFill:
        coverage = Render(QSize(key.width, key.height), 2, key.opaque, [&](QPainter& painter, QPoint origin) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(Qt::black);
            painter.drawEllipse(QRectF(origin.x(), origin.y(), key.width - 1, key.height - 1));
        });
        break;
    case EFigure::kEllipseOutline:
        coverage = Render(QSize(key.width, key.height), 2, key.opaque, [&](QPainter& painter, QPoint origin) {
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(Qt::black, 0));
            painter.drawEllipse(QRect(origin.x(), origin.y(), key.width - 2, key.height - 2));
        });
        break;
    }
    return m_figures.emplace(key, std::move(coverage)).first->second;
}

}  // namespace mapwright
