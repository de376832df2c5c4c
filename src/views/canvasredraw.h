// What a paint of the canvas redraws into its back buffer: all of it, or, when one area alone
// changed since the last paint and nothing else did, only the rectangle where that area was and
// is. Everything else a back buffer shows is in CCanvasPaintState; a paint whose state differs
// from the last one's, or that must show more than the changed rectangle, redraws everything.
#pragma once

#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>

#include <cstdint>

namespace mapwright {

struct CCanvasPaintState {
    QPoint scroll;
    double dScale = 1.0;
    QSize buffer;
    QSize extent;
    bool bHatch = false;
    bool bHandles = false;
    int nGridStep = 0;  // 0 without grid
    std::uint32_t activeColour = 0;
    std::uint32_t passiveColour = 0;
    const void* pImage = nullptr;
    std::uint64_t nImageSerial = 0;
    bool bGesture = false;  // a drag, band or polygon under way draws more than the areas
    bool operator==(const CCanvasPaintState&) const = default;
};

class CCanvasRedraw {
public:
    // rect of the client area changed since the last paint, and nothing else did.
    void AddChanged(const QRect& rect) { m_changed |= rect; }
    // The next paint redraws everything.
    void ChangedEverywhere() { m_changed = QRect(); }
    // The changed rectangle the next paint may redraw alone; empty when there is none.
    QRect Pending() const { return m_changed; }

    // The part of the back buffer this paint redraws, in its pixels: the changed rectangle when
    // the paint's state is the last paint's and it shows nothing outside that rectangle, else
    // the whole buffer. The changes are taken; the state is kept for the next paint.
    QRect Take(const CCanvasPaintState& state, const QRegion& shown);
    // What the last paint redrew.
    QRect LastRedrawn() const { return m_lastRedrawn; }

private:
    QRect m_changed;
    CCanvasPaintState m_last;
    bool m_bPainted = false;
    QRect m_lastRedrawn;
};

}  // namespace mapwright
