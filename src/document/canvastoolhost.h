// What the canvas tools need of the window they work in: scrolling, the mouse capture, the
// automatic-scroll timer, repainting, the cursor, the keyboard focus and the main window's status
// bar and zoom box. The canvas implements it over its widget; tests and the command-line companion
// implement it with plain numbers.
#pragma once

#include <string>

namespace mapwright {

class CView;

// A point in client (screen) pixels, or a scroll position.
struct CClientPoint {
    int x = 0;
    int y = 0;
    bool operator==(const CClientPoint&) const = default;
};

// The client rectangle: left and top are 0, right and bottom are the client width and height.
struct CClientRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const CClientRect&) const = default;
};

// One scroll bar: its range and its page, the part of the extent visible at once (the client size).
struct CScrollBarInfo {
    int nMin = 0;
    int nMax = 0;
    int nPage = 0;
    bool operator==(const CScrollBarInfo&) const = default;
};

enum class EScrollBar { kHorizontal, kVertical };

// The cursor shapes the tools show.
enum class ECursorShape {
    kArrow,
    kCross,     // the add tools over the canvas
    kZoom,      // the zoom tool over the canvas
    kSizeNWSE,  // top-left and bottom-right handles
    kSizeNS,    // top and bottom edge handles
    kSizeNESW,  // top-right and bottom-left handles
    kSizeWE,    // left and right edge handles
    kSizeAll    // polygon vertices
};

class CCanvasToolHost {
public:
    virtual ~CCanvasToolHost() = default;

    // The scroll position: the document pixel shown at the client's top-left corner.
    virtual CClientPoint GetScrollPosition() const = 0;
    // Scrolls to position, kept inside the scrollable range (0 .. extent - client size per axis).
    virtual void ScrollToPosition(CClientPoint position) = 0;
    // Sets the scrolled extent (the zoomed picture size); the position is kept in the new range.
    virtual void SetScrollSizes(int totalWidth, int totalHeight) = 0;
    virtual CClientRect GetClientRect() const = 0;
    // The range and page of one scroll bar.
    virtual CScrollBarInfo GetScrollBarInfo(EScrollBar bar) const = 0;

    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    // True while this canvas holds the mouse capture.
    virtual bool HasCapture() const = 0;

    // Starts the automatic-scroll timer: CCanvasTools::OnTimer every kAutoScrollPeriodMs.
    virtual void StartAutoScrollTimer() = 0;
    virtual void StopAutoScrollTimer() = 0;

    // Invalidates the whole client area and repaints it before returning.
    virtual void RepaintNow() = 0;
    // Invalidates the whole client area; the repaint comes later.
    virtual void Invalidate() = 0;

    virtual void SetCursor(ECursorShape shape) = 0;
    // Takes the keyboard focus.
    virtual void TakeFocus() = 0;

    // Shows text in the main window's status bar.
    virtual void SetStatusText(const std::string& text) = 0;
    // Shows scale (1.0 = 100 %) in the main window's zoom box.
    virtual void ShowScaleInZoomBox(double scale) = 0;

    // The view the tools name as the sender of their document updates, or null.
    virtual CView* SenderView() = 0;
};

}  // namespace mapwright
