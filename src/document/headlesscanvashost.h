// A canvas without a window, for scripts and tests: the client area, scroll position and scroll
// extent are plain numbers, and what a window would show (capture, timer, cursor, status text,
// zoom box, repaints) is recorded. A paint sets the scroll extent from the document's scale and
// keeps the position where the picture fills the client, as the canvas's paint does.
#pragma once

#include "document/canvastoolhost.h"

#include <string>

namespace mapwright {

class CMapDocument;

class CHeadlessCanvasHost : public CCanvasToolHost {
public:
    // A client area of clientWidth x clientHeight showing doc; scroll sizes as after a paint.
    CHeadlessCanvasHost(const CMapDocument& doc, int clientWidth, int clientHeight);

    CClientPoint GetScrollPosition() const override { return m_scroll; }
    void ScrollToPosition(CClientPoint position) override;
    void SetScrollSizes(int totalWidth, int totalHeight) override;
    CClientRect GetClientRect() const override { return {0, 0, m_nClientWidth, m_nClientHeight}; }
    CScrollBarInfo GetScrollBarInfo(EScrollBar bar) const override;

    void SetCapture() override { m_bCapture = true; }
    void ReleaseCapture() override { m_bCapture = false; }
    bool HasCapture() const override { return m_bCapture; }

    void StartAutoScrollTimer() override { m_bTimerRunning = true; }
    void StopAutoScrollTimer() override { m_bTimerRunning = false; }

    // Paints at once.
    void RepaintNow() override;
    // Leaves a paint pending until PaintIfPending.
    void Invalidate() override { m_bPaintPending = true; }

    void SetCursor(ECursorShape shape) override { m_cursor = shape; }
    void TakeFocus() override { m_bFocus = true; }
    void SetStatusText(const std::string& text) override { m_strStatus = text; }
    void ShowScaleInZoomBox(double scale) override { m_dZoomBox = scale; }
    CView* SenderView() override { return m_pSender; }

    // What the event loop does between events: the paint an invalidation asked for.
    void PaintIfPending();
    // The canvas paint's part that moves the scroll bars: extent from the scale, position kept.
    void Paint();

    void SetSenderView(CView* sender) { m_pSender = sender; }
    void ResizeClient(int clientWidth, int clientHeight);
    // Takes the capture away, as another window would.
    void LoseCapture() { m_bCapture = false; }

    CClientPoint Extent() const { return m_extent; }
    bool IsTimerRunning() const { return m_bTimerRunning; }
    ECursorShape Cursor() const { return m_cursor; }
    bool HasFocus() const { return m_bFocus; }
    const std::string& StatusText() const { return m_strStatus; }
    double ZoomBox() const { return m_dZoomBox; }
    int Paints() const { return m_nPaints; }

private:
    const CMapDocument& m_doc;
    int m_nClientWidth;
    int m_nClientHeight;
    CClientPoint m_scroll;
    CClientPoint m_extent;
    bool m_bCapture = false;
    bool m_bTimerRunning = false;
    bool m_bPaintPending = false;
    bool m_bFocus = false;
    ECursorShape m_cursor = ECursorShape::kArrow;
    std::string m_strStatus;
    double m_dZoomBox = 0.0;
    int m_nPaints = 0;
    CView* m_pSender = nullptr;
};

}  // namespace mapwright
