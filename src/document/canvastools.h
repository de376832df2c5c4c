// The editing tools of the picture canvas as one state machine: presses, moves, releases, right
// presses, keys and timer ticks in client coordinates select, move, reshape and draw areas and
// zoom, at the document's scale and the host's scroll position. Every finished gesture goes
// through the document's edit protocol as one undo step. What only a window can do (scrolling,
// capture, timer, repaint, cursor, status text) it asks of its host.
#pragma once

#include "document/canvasgeometry.h"
#include "document/canvastoolhost.h"
#include "model/maparea.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace mapwright {

class CMapDocument;

// Values of m_nDragState.
enum class EDragState : int {
    kIdle = 0,
    kPressed = 1,         // left button down in the select tool, no handle grabbed
    kMoving = 2,          // the selected area follows the pointer
    kHandleDrag = 3,      // a handle of an area, or a new rectangle or circle, follows the pointer
    kDrawingPolygon = 6,  // a new polygon's last vertex follows the pointer
    kRubberBand = 7,      // a box drawn from a press on no area selects the areas wholly inside it
};

// What a modifier key held at a left press asks of the select tool: Ctrl toggles the area under
// the pointer in the selection, Shift adds it; a drag from no area then adds the band's areas.
enum class ESelectModifier { kNone, kToggle, kAdd };

// The keys the canvas acts on; every other key is kOther.
enum class ECanvasKey {
    kKeypadPlus, kKeypadMinus, kLeft, kRight, kUp, kDown, kDelete, kEscape,
    kNextArea, kPreviousArea,  // Tab and Shift+Tab
    // Alt+arrows move the selection by one picture pixel, Alt+Shift+arrows by kFarNudge.
    kNudgeLeft, kNudgeRight, kNudgeUp, kNudgeDown,
    kFarNudgeLeft, kFarNudgeRight, kFarNudgeUp, kFarNudgeDown,
    kOther
};

class CCanvasTools {
public:
    static constexpr unsigned kAutoScrollTimerId = 32820;
    static constexpr int kAutoScrollPeriodMs = 100;
    // A drag beyond the window scrolls by this part of a page, the arrow keys by kKeyScrollParts.
    static constexpr int kAutoScrollParts = 20;
    static constexpr int kKeyScrollParts = 6;
    static constexpr double kMinScale = 0.25;
    static constexpr double kMaxScale = 8.0;
    static constexpr int kFarNudge = 10;

    // The tools of doc (may be null: then every event is ignored) in the window host.
    CCanvasTools(CMapDocument* doc, CCanvasToolHost& host);

    // Changes the document; a gesture in progress is dropped.
    void SetDocument(CMapDocument* doc);
    CMapDocument* GetDocument() const { return m_pDoc; }

    // Window events, all in client coordinates.
    void OnLButtonDown(CClientPoint p, ESelectModifier modifier = ESelectModifier::kNone);
    // leftButtonAlone: the left button is down and no other button or modifier key.
    void OnMouseMove(CClientPoint p, bool leftButtonAlone);
    void OnLButtonUp(CClientPoint p);
    void OnRButtonDown(CClientPoint p);
    // The second press of a double click: on an edge of the selected polygon (or of the one that
    // was selected before the first press) in the idle select tool, inserts a vertex there.
    void OnLButtonDblClk(CClientPoint p);
    // Returns false when the key should get the window's default handling, true when the tools
    // used it or swallowed it because a drag is in progress. Tab and Shift+Tab select the next and
    // the previous area in text order, and are left to the window when the map has no area.
    bool OnKeyDown(ECanvasKey key);
    // What the select tool's context menu can do at p: insert a vertex into the selected polygon
    // on the edge under p (before insertBefore, at the picture pixel at), or delete the polygon
    // vertex whose handle is under p. Empty unless the select tool is idle.
    struct CVertexChoice {
        CMapArea* insertArea = nullptr;
        int insertBefore = -1;
        CImagePoint at;
        CMapArea* deleteArea = nullptr;
        int vertex = -1;
    };
    // True while a right press opens the context menu: the select tool is idle.
    bool OffersContextMenu() const;
    CVertexChoice VertexChoiceAt(CClientPoint p);
    // Inserts a vertex before index (0-based, up to the count) of polygon area at picture pixel at,
    // or deletes vertex index, as one undo step, and selects the polygon. A polygon keeps at least
    // three vertices: a delete below that is refused with a status-bar message. False when nothing
    // was changed.
    bool InsertVertex(CMapArea& area, int index, CImagePoint at);
    bool DeleteVertex(CMapArea& area, int index);
    // Moves the selected areas together by at most (dx, dy) picture pixels, kept inside the picture
    // as a drag keeps them, as one undo step that the next nudge of the same areas extends while
    // nothing else is edited. False when no area is selected or a gesture runs.
    bool Nudge(int dx, int dy);
    // A tick of the automatic-scroll timer.
    void OnTimer();
    // Sets the cursor for a pointer over the client area or elsewhere over the window.
    void OnSetCursor(bool overClient);

    // After the document's scale was multiplied (divided) by factor: keeps the client's centre.
    void ZoomInAtCentre(int factor);
    void ZoomOutAtCentre(int factor);
    // Scrolls by 1/parts of a page in direction (dx, dy), each -1, 0 or +1.
    void ScrollStep(int dx, int dy, int parts);

    // Ends a gesture in progress as its release would, a polygon as the right button would. The
    // whole-area commands (paste, delete) call it first: an area they add or remove must not
    // meet one that is half drawn or moved and has no tag or an old one.
    void FinishGesture();

    // Ends a gesture that the document no longer allows: one whose areas were rebuilt or deleted
    // is dropped; a polygon whose tool was left is finished. Every event calls it first; the
    // canvas also calls it when the document tells of a change.
    void SyncWithDocument();

    // Handle hit test at client point p; records the handle in EditArea(), Handle() and
    // HitCode(). Handles of every area count, shown or not.
    bool HitHandle(CClientPoint p);
    // Selects the first area (rectangles, circles, polygons) that holds the picture pixel under p;
    // a second click on the same pixel, the pointer not moved in between, selects the next area
    // there in text order (round again after the last), so stacked areas can all be reached.
    void SelectAt(CClientPoint p);
    // Scrolls so that the selected area is in the client (centred where it fits), unless it is
    // there already.
    void ScrollSelectionIntoView();

    // A left press at p in the select tool that landed on handle (its index in the area's point
    // list) of area, or on area away from every handle: what a press finds by its hit tests, given
    // by a script that names areas rather than places. Areas too small to be reached apart from
    // their handles can be grabbed so too; an area among several selected takes them all along.
    // Returns false and does nothing unless the select tool
    // is idle; area must be in the document's lists. A gesture that the document ended meanwhile
    // is ended first; when that reads the areas anew, area is gone and false is returned.
    bool GrabHandle(CClientPoint p, CMapArea& area, int handle);
    bool GrabArea(CClientPoint p, CMapArea& area);

    // Snapping to a grid of step picture pixels (0: none): new shapes, handle and vertex drags land
    // on grid points, a moved area's bounding box's top-left corner too, never outside the picture.
    void SetSnapGrid(int step) { m_nSnapGrid = step > 0 ? step : 0; }
    int SnapGrid() const { return m_nSnapGrid; }
    // While suspended (Alt held during a drag) the pointer's own pixel counts.
    void SuspendSnap(bool suspended) { m_bSnapSuspended = suspended; }

    // What the painter and tests read.
    // The rubber band being drawn, in client coordinates (corners in either order), or none.
    std::optional<CClientRect> RubberBand() const;
    bool IsDragging() const { return m_bDragging; }
    EDragState DragState() const { return m_nDragState; }
    // The area whose handle the gesture holds or last hit, or null.
    const CMapArea* EditArea() const;
    int Handle() const { return m_nHandle; }
    int HitCode() const { return m_nHitCode; }
    bool IsTimerRunning() const { return m_nTimer != 0; }
    CClientPoint LastPoint() const { return m_ptLast; }

private:
    double Scale() const;
    int ImageWidth() const;
    int ImageHeight() const;
    CClientPoint Scroll() const { return m_host.GetScrollPosition(); }
    CImagePoint ToImage(CClientPoint p) const { return ImagePosition(p, Scroll(), Scale()); }
    // The picture pixel under p, on the nearest grid point while snapping, kept in the picture.
    CImagePoint SnappedImage(CClientPoint p) const;
    bool Snapping() const { return m_nSnapGrid > 0 && !m_bSnapSuspended; }
    // value on the nearest grid line that lies in 0..size - 1 (unchanged without snapping).
    int SnapValue(int value, int size) const;
    // The outside test; a mouse move also counts a point beyond the client area as outside.
    bool IsOutside(CClientPoint p, bool beyondClientCounts) const;
    bool InZoomMode() const;
    int Tool() const;
    bool ListsChanged() const;

    // Left press, per state.
    void ZoomInAt(CClientPoint p);
    void AddPolygonVertex(CClientPoint p);
    void PressSelect(CClientPoint p, ESelectModifier modifier);
    // A press with Ctrl or Shift: the area under p joins or leaves the selection; on no area a
    // band that adds to the selection may start.
    void PressWithModifier(CClientPoint p, ESelectModifier modifier);
    void StartBandOrPress(CClientPoint p, std::vector<int> keptSelection);
    // Starts dragging the handle that m_pEditArea and m_nHandle name.
    void GrabFoundHandle(CClientPoint p);
    // True, with the focus taken and the hit recorded, when a grab of area may start.
    bool CanGrab(const CMapArea& area, int handle);
    // Appends area as the new selected area whose handle follows the pointer in state.
    void StartNewArea(CClientPoint p, std::unique_ptr<CMapArea> area, int handle, EDragState state);
    void PressRect(CClientPoint p);
    void PressCircle(CClientPoint p);
    void PressPolygon(CClientPoint p);
    void BeginDrag(EDragState state, CClientPoint p);

    // Mouse move, per state.
    void HoverSelect(CClientPoint p);
    void MoveSelected(CClientPoint p);
    void DragHandle(CClientPoint p);
    // The band's free corner follows the pointer; beyond the window the picture scrolls.
    void DragBand(CClientPoint p);
    // Moves the selected area so that the pixel grabbed at the press is under p, kept inside the
    // picture; while snapping its bounding box's top-left corner goes to the nearest grid point.
    void MoveSelectedTo(CClientPoint p);
    // Starts, runs or stops the automatic scrolling for a move to p.
    void AutoScroll(CClientPoint p);
    void ShiftAnchorByScroll(CClientPoint before);

    // Left release: ends states 1, 2 and 3 at p.
    void EndDrag(CClientPoint p);
    void ReleaseMove(CClientPoint p);
    // Selects the areas wholly inside the band to p, with those kept at the press.
    void ReleaseBand(CClientPoint p);
    void ReleaseHandle();

    // Right press.
    void ZoomOutAt(CClientPoint p);
    void FinishPolygon();

    // Selects the area step places after (1) or before (-1) the selected one in text order, going
    // round at the ends, and scrolls it into view. False when the map has no area.
    bool SelectNeighbour(int step);
    void StopTimer();
    void ClearEditArea();
    // Drops a gesture whose areas are gone, committing nothing.
    void DropGesture();
    // Ends a gesture as its release or right press would.
    void CompleteGesture();
    // Sets the scroll sizes for the current scale and scrolls to position kept in range.
    void ScrollZoomedTo(CClientPoint position);
    // Writes the edited area's tag (appends it for a new area) as one undo step.
    void CommitEditedArea();

    CMapDocument* m_pDoc;
    CCanvasToolHost& m_host;

    EDragState m_nDragState = EDragState::kIdle;
    bool m_bDragging = false;
    bool m_bOutside = false;
    CClientPoint m_ptLast;
    CMapArea* m_pEditArea = nullptr;
    int m_nHandle = -1;
    int m_nHitCode = -1;
    CImagePoint m_ptAnchor;
    int m_nScrollDirX = 0;
    int m_nScrollDirY = 0;
    unsigned m_nTimer = 0;
    // Where the last click of the select tool was, while the pointer has not left that pixel.
    std::optional<CImagePoint> m_lastClick;
    // The edited area was drawn by this gesture and has no tag yet.
    bool m_bNewArea = false;
    // The document's area generation when the gesture began; a change means its areas are gone.
    std::uint64_t m_nGeneration = 0;
    // A press on no area: a drag from it draws a band, whose areas join m_bandKept.
    bool m_bBandPending = false;
    CImagePoint m_bandStart;
    CClientPoint m_bandEnd;
    std::vector<int> m_bandKept;
    // A plain press on one of several selected areas: a drag moves them all, a click alone selects
    // the area under the pointer.
    bool m_bGroupPress = false;
    // The area selected before the last left press, and the generation then, for a double click.
    int m_nSelectedBeforePress = 0;
    int m_nSnapGrid = 0;
    bool m_bSnapSuspended = false;
    // A snapped move: the pointer's picture pixel less the bounding box's top-left at the press.
    CImagePoint m_grabOffset;
    std::uint64_t m_nPressGeneration = 0;
};

}  // namespace mapwright
