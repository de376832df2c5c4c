// The canvas tools over the three-area page (320 x 200) in a windowless canvas of 400 x 300, with
// one view standing for the canvas (the sender) and one for the other panes. Each event is
// followed by the paint an invalidation asked for, as the event loop would.
#pragma once

#include "document/canvastools.h"
#include "document/headlesscanvashost.h"
#include "html/testpage.h"
#include "support/openedpage.h"
#include "support/recordingview.h"

#include <gtest/gtest.h>

namespace mapwright {

class CanvasTools : public ::testing::Test {
protected:
    CanvasTools()
    {
        m_doc.AddView(&m_canvasView);
        m_doc.AddView(&m_otherView);
        OpenPage(m_doc);
        m_host.SetSenderView(&m_canvasView);
        m_host.Paint();
    }

    // Shows the picture at scale, scrolled to position (kept in range).
    void ShowAt(double scale, CClientPoint position = {})
    {
        m_doc.SetZoom(scale);
        m_host.Paint();
        m_host.ScrollToPosition(position);
    }

    void Press(int x, int y, ESelectModifier modifier = ESelectModifier::kNone)
    {
        After([&] { m_tools.OnLButtonDown({x, y}, modifier); });
    }
    void Move(int x, int y, bool leftButtonAlone = true) { After([&] { m_tools.OnMouseMove({x, y}, leftButtonAlone); }); }
    void Release(int x, int y) { After([&] { m_tools.OnLButtonUp({x, y}); }); }
    void RightPress(int x, int y) { After([&] { m_tools.OnRButtonDown({x, y}); }); }
    bool Key(ECanvasKey key)
    {
        bool used = false;
        After([&] { used = m_tools.OnKeyDown(key); });
        return used;
    }
    void Tick() { After([&] { m_tools.OnTimer(); }); }
    // Press at from, one move to to, release there.
    void Drag(CClientPoint from, CClientPoint to)
    {
        Press(from.x, from.y);
        Move(to.x, to.y);
        Release(to.x, to.y);
    }

    // The map's AREA lines, in text order.
    CLines AreaLines() const
    {
        CLines areas;
        for (const std::string& line : m_doc.Lines()) {
            if (line.starts_with("<AREA"))
                areas.push_back(line);
        }
        return areas;
    }

    int UndoSteps() const { return m_doc.UndoStepCount(); }

    CMapDocument m_doc;
    CRecordingView m_canvasView;
    CRecordingView m_otherView;
    CHeadlessCanvasHost m_host{m_doc, 400, 300};
    CCanvasTools m_tools{&m_doc, m_host};

private:
    template <class Event> void After(Event event)
    {
        event();
        m_host.PaintIfPending();
    }
};

}  // namespace mapwright
