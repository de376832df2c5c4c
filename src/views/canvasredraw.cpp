#include "views/canvasredraw.h"

namespace mapwright {

QRect CCanvasRedraw::Take(const CCanvasPaintState& state, const QRegion& shown)
{
    const QRect whole(QPoint(0, 0), state.buffer);
    const bool partial = m_bPainted && state == m_last && !m_changed.isEmpty() && m_changed.contains(shown.boundingRect());
    m_lastRedrawn = partial ? m_changed & whole : whole;
    m_changed = QRect();
    m_last = state;
    m_bPainted = true;
    return m_lastRedrawn;
}

}  // namespace mapwright
