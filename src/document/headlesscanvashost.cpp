#include "document/headlesscanvashost.h"

#include "document/canvasgeometry.h"
#include "document/mapdocument.h"

#include <algorithm>

namespace mapwright {

CHeadlessCanvasHost::CHeadlessCanvasHost(const CMapDocument& doc, int clientWidth, int clientHeight)
    : m_doc(doc), m_nClientWidth(clientWidth), m_nClientHeight(clientHeight)
{
    Paint();
}

void CHeadlessCanvasHost::ScrollToPosition(CClientPoint position)
{
    m_scroll = {std::clamp(position.x, 0, std::max(m_extent.x - m_nClientWidth, 0)),
                std::clamp(position.y, 0, std::max(m_extent.y - m_nClientHeight, 0))};
}

void CHeadlessCanvasHost::SetScrollSizes(int totalWidth, int totalHeight)
{
    m_extent = {totalWidth, totalHeight};
    ScrollToPosition(m_scroll);
}

CScrollBarInfo CHeadlessCanvasHost::GetScrollBarInfo(EScrollBar bar) const
{
    const bool horizontal = bar == EScrollBar::kHorizontal;
    const int page = horizontal ? m_nClientWidth : m_nClientHeight;
    const int extent = horizontal ? m_extent.x : m_extent.y;
    return {0, std::max(extent - page, 0), page};
}

void CHeadlessCanvasHost::RepaintNow()
{
    m_bPaintPending = true;
    PaintIfPending();
}

void CHeadlessCanvasHost::PaintIfPending()
{
    if (!m_bPaintPending)
        return;
    m_bPaintPending = false;
    Paint();
}

void CHeadlessCanvasHost::Paint()
{
    ++m_nPaints;
    const double scale = m_doc.Display().dZoom;
    SetScrollSizes(ZoomedExtent(m_doc.Picture().Width(), scale), ZoomedExtent(m_doc.Picture().Height(), scale));
    ScrollToPosition(ClampScrollPosition(m_scroll, m_extent.x, m_extent.y, GetClientRect()));
}

void CHeadlessCanvasHost::ResizeClient(int clientWidth, int clientHeight)
{
    m_nClientWidth = clientWidth;
    m_nClientHeight = clientHeight;
    ScrollToPosition(m_scroll);
}

}  // namespace mapwright
