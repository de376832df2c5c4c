#include "document/canvastools.h"

#include "document/areaclipboard.h"
#include "document/mapdocument.h"
#include "model/areagroup.h"

#include <algorithm>
#include <memory>
#include <type_traits>
#include <utility>

namespace mapwright {

namespace {

constexpr const char* kPolygonHint = "For finish drawing press right mouse button.";

// The cursor over a handle with code.
ECursorShape SizingCursor(int code)
{
    switch (code) {
    case kHandleTopLeft:
    case kHandleBottomRight: return ECursorShape::kSizeNWSE;
    case kHandleTop:
    case kHandleBottom: return ECursorShape::kSizeNS;
    case kHandleTopRight:
    case kHandleBottomLeft: return ECursorShape::kSizeNESW;
    case kHandleRight:
    case kHandleLeft: return ECursorShape::kSizeWE;
    case kPolygonVertex: return ECursorShape::kSizeAll;
    default: return ECursorShape::kArrow;
    }
}

// The list index of the diagonal handle opposite a circle's corner handle; -1 for edge handles.
int OppositeCircleCorner(int code)
{
    switch (code) {
    case kHandleTopLeft: return kCircleBottomRightIndex;
    case kHandleTopRight: return kCircleBottomLeftIndex;
    case kHandleBottomRight: return kCircleTopLeftIndex;
    case kHandleBottomLeft: return kCircleTopRightIndex;
    default: return -1;
    }
}

CChangeNotice CanvasNotice(EChangeKind kind) { return CChangeNotice::Of(kind, EChangeCause::kCanvas); }

// The scroll direction of a pointer coordinate beyond the client's edges low..high.
int ScrollDirection(int value, int low, int high) { return value < low ? -1 : value > high ? 1 : 0; }

}  // namespace

CCanvasTools::CCanvasTools(CMapDocument* doc, CCanvasToolHost& host) : m_pDoc(doc), m_host(host) {}

void CCanvasTools::SetDocument(CMapDocument* doc)
{
    if (doc == m_pDoc)
        return;
    SyncWithDocument();
    CompleteGesture();
    ClearEditArea();
    m_pDoc = doc;
}

double CCanvasTools::Scale() const { return m_pDoc->Display().dZoom; }
int CCanvasTools::ImageWidth() const { return m_pDoc->Picture().Width(); }
int CCanvasTools::ImageHeight() const { return m_pDoc->Picture().Height(); }
bool CCanvasTools::InZoomMode() const { return m_pDoc->Display().bZoomMode; }
int CCanvasTools::Tool() const { return m_pDoc->Display().nTool; }

bool CCanvasTools::IsOutside(CClientPoint p, bool beyondClientCounts) const
{
    if (IsOutsideImage(p, Scroll(), Scale(), ImageWidth(), ImageHeight()))
        return true;
    if (!beyondClientCounts)
        return false;
    const CClientRect client = m_host.GetClientRect();
    return p.x > client.right || p.y > client.bottom;
}

bool CCanvasTools::ListsChanged() const { return m_pDoc && m_pDoc->AreaGeneration() != m_nGeneration; }

const CMapArea* CCanvasTools::EditArea() const { return ListsChanged() ? nullptr : m_pEditArea; }

namespace {

// The polygon a gesture draws, or null when the edited area is none or of another shape.
CPolyArea* AsPolygon(CMapArea* area)
{
    return area && area->Shape() == EAreaShape::kPolygon ? static_cast<CPolyArea*>(area) : nullptr;
}

bool IsSelectedPolygon(const CMapDocument& doc)
{
    const CMapArea* selected = doc.FirstSelected();
    return selected && selected->Shape() == EAreaShape::kPolygon;
}

}  // namespace

void CCanvasTools::SyncWithDocument()
{
    if (!m_pDoc || m_nDragState == EDragState::kIdle)
        return;
    if (ListsChanged()) {
        DropGesture();
        return;
    }
    // A release is ignored in zoom mode, so a drag that the zoom tool interrupts ends here.
    const bool polygonToolLeft = m_nDragState == EDragState::kDrawingPolygon && Tool() != kToolPoly;
    if (InZoomMode() || polygonToolLeft)
        CompleteGesture();
}

void CCanvasTools::FinishGesture()
{
    if (!m_pDoc)
        return;
    SyncWithDocument();
    CompleteGesture();
}

void CCanvasTools::CompleteGesture()
{
    if (m_nDragState == EDragState::kDrawingPolygon)
        FinishPolygon();
    else
        EndDrag(m_ptLast);
}

void CCanvasTools::DropGesture()
{
    StopTimer();
    if (m_nDragState == EDragState::kDrawingPolygon)
        m_host.SetStatusText("");
    m_nDragState = EDragState::kIdle;
    m_bDragging = false;
    m_bNewArea = false;
    m_bBandPending = false;
    m_bGroupPress = false;
    ClearEditArea();
    if (m_host.HasCapture())
        m_host.ReleaseCapture();
    m_host.Invalidate();
}

void CCanvasTools::ClearEditArea()
{
    m_pEditArea = nullptr;
    m_nHandle = -1;
}

void CCanvasTools::StopTimer()
{
    if (m_nTimer == 0)
        return;
    m_host.StopAutoScrollTimer();
    m_nTimer = 0;
}

void CCanvasTools::BeginDrag(EDragState state, CClientPoint p)
{
    m_nDragState = state;
    m_bDragging = state != EDragState::kPressed;
    m_host.SetCapture();
    m_ptLast = p;
    m_nGeneration = m_pDoc->AreaGeneration();
}

// ---- Left button down ----

void CCanvasTools::OnLButtonDown(CClientPoint p, ESelectModifier modifier)
{
    if (!m_pDoc)
        return;
    SyncWithDocument();
    m_nSelectedBeforePress = m_pDoc->GetSelectedIndex();
    m_nPressGeneration = m_pDoc->AreaGeneration();
    m_host.TakeFocus();
    if (InZoomMode()) {
        if (Scale() < kMaxScale)
            ZoomInAt(p);
        return;
    }
    if (m_nDragState == EDragState::kDrawingPolygon) {
        if (Tool() == kToolPoly && IsSelectedPolygon(*m_pDoc) && AsPolygon(m_pEditArea))
            AddPolygonVertex(p);
        else
            m_host.RepaintNow();
        return;
    }
    if (m_nDragState != EDragState::kIdle)
        return;
    switch (Tool()) {
    case kToolSelect: PressSelect(p, modifier); break;
    case kToolRect: PressRect(p); break;
    case kToolCircle: PressCircle(p); break;
    case kToolPoly: PressPolygon(p); break;
    default: break;
    }
}

void CCanvasTools::ZoomInAt(CClientPoint p)
{
    const CClientPoint scroll = Scroll();
    m_pDoc->SetZoom(std::min(2 * Scale(), kMaxScale));
    m_host.ShowScaleInZoomBox(m_pDoc->Display().dZoom);
    m_host.SetCursor(ECursorShape::kZoom);
    // Centred for a doubling even when the cap makes the step smaller.
    const CClientRect c = m_host.GetClientRect();
    ScrollZoomedTo({2 * scroll.x + 2 * p.x - (c.left + c.right) / 2, 2 * scroll.y + 2 * p.y - (c.top + c.bottom) / 2});
    m_host.Invalidate();
    m_pDoc->UpdateAllViews(nullptr, CChangeNotice::Zoom(1.0));
}

void CCanvasTools::AddPolygonVertex(CClientPoint p)
{
    // Clamped at once, so a click beside the picture never leaves a vertex outside it.
    const CImagePoint at = SnappedImage(p);
    m_pEditArea->m_points.emplace_back(at.x, at.y, kPolygonVertex);
    ++m_nHandle;
    m_ptLast = p;
    m_host.RepaintNow();
}

void CCanvasTools::PressSelect(CClientPoint p, ESelectModifier modifier)
{
    m_bBandPending = false;
    m_bGroupPress = false;
    if (modifier != ESelectModifier::kNone) {
        PressWithModifier(p, modifier);
        return;
    }
    if (HitHandle(p)) {
        GrabFoundHandle(p);
        return;
    }
    const CImagePoint at = ToImage(p);
    const CMapArea* hit = m_pDoc->AreaAt(at.x, at.y);
    if (hit && m_pDoc->SelectedCount() > 1 && m_pDoc->IsSelected(*hit)) {
        // Several stay selected until the release shows whether this was a drag or a click.
        m_bGroupPress = true;
        BeginDrag(EDragState::kPressed, p);
        return;
    }
    SelectAt(p);
    StartBandOrPress(p, {});
}

void CCanvasTools::PressWithModifier(CClientPoint p, ESelectModifier modifier)
{
    m_lastClick.reset();
    const CImagePoint at = ToImage(p);
    CMapArea* hit = m_pDoc->AreaAt(at.x, at.y);
    if (!hit) {
        StartBandOrPress(p, m_pDoc->SelectedNumbers());
        return;
    }
    m_pDoc->AddToSelection(*hit, modifier == ESelectModifier::kToggle);
    // An area just taken out is not dragged; one added can move the selection at once.
    if (m_pDoc->IsSelected(*hit))
        BeginDrag(EDragState::kPressed, p);
    m_host.Invalidate();
    m_pDoc->UpdateAllViews(m_host.SenderView(), CanvasNotice(EChangeKind::kSelection));
}

void CCanvasTools::StartBandOrPress(CClientPoint p, std::vector<int> keptSelection)
{
    m_bBandPending = m_pDoc->SelectedCount() == 0 || !keptSelection.empty();
    if (m_bBandPending) {
        m_bandStart = ToImage(p);
        m_bandEnd = p;
        m_bandKept = std::move(keptSelection);
    }
    BeginDrag(EDragState::kPressed, p);
    m_pDoc->UpdateAllViews(m_host.SenderView(), CanvasNotice(EChangeKind::kSelection));
}

std::optional<CClientRect> CCanvasTools::RubberBand() const
{
    if (m_nDragState != EDragState::kRubberBand || !m_pDoc)
        return std::nullopt;
    const double s = Scale();
    const CClientPoint scroll = Scroll();
    const CClientPoint start{Truncate(m_bandStart.x * s) - scroll.x, Truncate(m_bandStart.y * s) - scroll.y};
    return CClientRect{std::min(start.x, m_bandEnd.x), std::min(start.y, m_bandEnd.y), std::max(start.x, m_bandEnd.x),
                       std::max(start.y, m_bandEnd.y)};
}

void CCanvasTools::GrabFoundHandle(CClientPoint p)
{
    m_pDoc->SelectArea(*m_pEditArea);
    if (m_pEditArea->Shape() == EAreaShape::kCircle) {
        const int opposite = OppositeCircleCorner(m_nHitCode);
        if (opposite >= 0 && opposite < static_cast<int>(m_pEditArea->m_points.size())) {
            const CAreaPoint& corner = m_pEditArea->m_points[static_cast<std::size_t>(opposite)];
            m_ptAnchor = {corner.x, corner.y};
        }
    }
    m_bNewArea = false;
    BeginDrag(EDragState::kHandleDrag, p);
    m_pDoc->UpdateAllViews(m_host.SenderView(), CanvasNotice(EChangeKind::kSelection));
}

bool CCanvasTools::CanGrab(const CMapArea& area, int handle)
{
    if (!m_pDoc)
        return false;
    // Ending a gesture here can read the areas anew, area among them: then there is none to grab.
    const std::uint64_t generation = m_pDoc->AreaGeneration();
    SyncWithDocument();
    if (m_pDoc->AreaGeneration() != generation)
        return false;
    const bool idleSelect = !InZoomMode() && Tool() == kToolSelect && m_nDragState == EDragState::kIdle;
    if (!idleSelect || handle < -1 || handle >= static_cast<int>(area.m_points.size()))
        return false;
    m_host.TakeFocus();
    ClearEditArea();
    m_nHandle = handle;
    m_nHitCode = handle >= 0 ? area.m_points[static_cast<std::size_t>(handle)].m_nCode : -1;
    return true;
}

bool CCanvasTools::GrabHandle(CClientPoint p, CMapArea& area, int handle)
{
    if (handle < 0 || !CanGrab(area, handle))
        return false;
    m_pEditArea = &area;
    GrabFoundHandle(p);
    return true;
}

bool CCanvasTools::GrabArea(CClientPoint p, CMapArea& area)
{
    if (!CanGrab(area, -1))
        return false;
    // One of several selected takes them all along, as a press on it does.
    m_bBandPending = false;
    m_bGroupPress = m_pDoc->SelectedCount() > 1 && m_pDoc->IsSelected(area);
    if (!m_bGroupPress)
        m_pDoc->SelectArea(area);
    BeginDrag(EDragState::kPressed, p);
    m_pDoc->UpdateAllViews(m_host.SenderView(), CanvasNotice(EChangeKind::kSelection));
    return true;
}

void CCanvasTools::StartNewArea(CClientPoint p, std::unique_ptr<CMapArea> area, int handle, EDragState state)
{
    ClearEditArea();
    m_pEditArea = &m_pDoc->AppendNewArea(std::move(area));
    m_nHandle = handle;
    m_bNewArea = true;
    BeginDrag(state, p);
}

void CCanvasTools::PressRect(CClientPoint p)
{
    if (!IsOutside(p, false)) {
        const CImagePoint at = SnappedImage(p);
        auto rect = std::make_unique<CRectArea>();
        rect->left = rect->right = at.x;
        rect->top = rect->bottom = at.y;
        rect->BuildHandles();
        StartNewArea(p, std::move(rect), kRectBottomRightIndex, EDragState::kHandleDrag);
    }
    m_pDoc->UpdateAllViews(m_host.SenderView(), CanvasNotice(EChangeKind::kAreaCount));
}

void CCanvasTools::PressCircle(CClientPoint p)
{
    // The press fixes the top of the circle and the drag pulls its bottom.
    if (!IsOutside(p, false)) {
        const CImagePoint at = SnappedImage(p);
        auto circle = std::make_unique<CCircleArea>();
        circle->x = at.x;
        circle->y = at.y;
        circle->BuildHandles();
        StartNewArea(p, std::move(circle), kCircleBottomIndex, EDragState::kHandleDrag);
    }
    m_pDoc->UpdateAllViews(m_host.SenderView(), CanvasNotice(EChangeKind::kAreaCount));
}

void CCanvasTools::PressPolygon(CClientPoint p)
{
    if (!IsOutside(p, false)) {
        const CImagePoint at = SnappedImage(p);
        auto poly = std::make_unique<CPolyArea>();
        poly->m_points = {CAreaPoint(at.x, at.y, kPolygonVertex), CAreaPoint(at.x, at.y, kPolygonVertex)};
        StartNewArea(p, std::move(poly), 1, EDragState::kDrawingPolygon);
        m_host.SetStatusText(kPolygonHint);
    }
    m_pDoc->UpdateAllViews(m_host.SenderView(), CanvasNotice(EChangeKind::kAreaCount));
}

// ---- Mouse move ----

void CCanvasTools::OnMouseMove(CClientPoint p, bool leftButtonAlone)
{
    if (!m_pDoc)
        return;
    SyncWithDocument();
    if (InZoomMode())
        return;
    m_bOutside = IsOutside(p, true);
    if (m_lastClick && !(ToImage(p) == *m_lastClick))
        m_lastClick.reset();
    switch (m_nDragState) {
    case EDragState::kIdle:
        if (Tool() == kToolSelect && !leftButtonAlone)
            HoverSelect(p);
        break;
    case EDragState::kPressed:
        if (p == m_ptLast)
            break;
        if (m_bBandPending) {
            m_nDragState = EDragState::kRubberBand;
            m_bDragging = true;
            DragBand(p);
        } else if (m_pDoc->GetSelectedIndex() != 0) {
            MoveSelected(p);
        }
        break;
    case EDragState::kRubberBand:
        DragBand(p);
        break;
    case EDragState::kMoving:
        if (m_pDoc->GetSelectedIndex() != 0)
            MoveSelected(p);
        break;
    case EDragState::kHandleDrag:
    case EDragState::kDrawingPolygon:
        DragHandle(p);
        break;
    }
}

void CCanvasTools::HoverSelect(CClientPoint p)
{
    m_host.SetCursor(HitHandle(p) ? SizingCursor(m_nHitCode) : ECursorShape::kArrow);
}

CImagePoint CCanvasTools::SnappedImage(CClientPoint p) const
{
    const CImagePoint at = ToImage(p);
    return {SnapValue(ClampToImage(at.x, ImageWidth()), ImageWidth()),
            SnapValue(ClampToImage(at.y, ImageHeight()), ImageHeight())};
}

int CCanvasTools::SnapValue(int value, int size) const
{
    if (!Snapping())
        return value;
    const int g = m_nSnapGrid;
    // The nearest multiple, or the one below when the nearest lies beyond the last pixel.
    const long long nearest = (static_cast<long long>(value) + (value >= 0 ? g / 2 : -(g / 2))) / g * g;
    long long snapped = nearest > size - 1 ? static_cast<long long>(size - 1) / g * g : nearest;
    if (snapped < 0)
        snapped = 0;
    return static_cast<int>(snapped);
}

void CCanvasTools::MoveSelectedTo(CClientPoint p)
{
    const std::vector<CMapArea*> selected = m_pDoc->SelectedAreas();
    if (selected.empty())
        return;
    const CImagePoint at = ToImage(p);
    // Several move as one: the box around them is placed, and none leaves the picture.
    const CAreaBounds bounds = GroupBounds(selected);
    const int left = SnapValue(at.x - m_grabOffset.x, ImageWidth());
    const int top = SnapValue(at.y - m_grabOffset.y, ImageHeight());
    if (selected.size() == 1)
        selected.front()->MoveWithHandles(left - bounds.left, top - bounds.top, ImageWidth(), ImageHeight());
    else
        MoveGroup(selected, left - bounds.left, top - bounds.top, ImageWidth(), ImageHeight());
}

void CCanvasTools::MoveSelected(CClientPoint p)
{
    if (m_nDragState == EDragState::kPressed) {
        const std::vector<CMapArea*> selected = m_pDoc->SelectedAreas();
        if (!selected.empty()) {
            const CImagePoint at = ToImage(m_ptLast);
            const CAreaBounds bounds = GroupBounds(selected);
            m_grabOffset = {at.x - bounds.left, at.y - bounds.top};
        }
    }
    m_bGroupPress = false;
    m_nDragState = EDragState::kMoving;
    m_bDragging = true;
    // Placed from the pointer's picture pixel, not from summed steps whose truncations would add up.
    MoveSelectedTo(p);
    const CClientPoint before = Scroll();
    AutoScroll(p);
    // The anchor keeps the pixel the area was placed by, so a scroll alone does not move it.
    m_ptLast = p;
    ShiftAnchorByScroll(before);
    m_host.RepaintNow();
}

void CCanvasTools::DragBand(CClientPoint p)
{
    m_bandEnd = p;
    const CClientPoint before = Scroll();
    AutoScroll(p);
    m_ptLast = p;
    ShiftAnchorByScroll(before);
    m_host.RepaintNow();
}

void CCanvasTools::DragHandle(CClientPoint p)
{
    if (!m_host.HasCapture())
        m_host.SetCapture();
    // Without snapping the pointer's pixel goes in as it is: the shapes clamp it themselves.
    const CImagePoint at = Snapping() ? SnappedImage(p) : ToImage(p);
    const int width = ImageWidth();
    const int height = ImageHeight();
    if (m_pEditArea) {
        VisitArea(*m_pEditArea, [&](auto& area) {
            using Area = std::decay_t<decltype(area)>;
            if constexpr (std::is_same_v<Area, CRectArea>)
                area.ResizeByHandle(m_nHandle, at.x, at.y, width, height, m_nHandle);
            else if constexpr (std::is_same_v<Area, CCircleArea>)
                area.ResizeByHandle(m_nHandle, at.x, at.y, width, height, m_nHandle, m_ptAnchor.x, m_ptAnchor.y);
            else
                area.MoveVertex(m_nHandle, at.x, at.y, width, height);
        });
    }
    AutoScroll(p);
    m_ptLast = p;
    m_host.RepaintNow();
}

void CCanvasTools::AutoScroll(CClientPoint p)
{
    if (!m_bOutside) {
        StopTimer();
        return;
    }
    const CClientRect client = m_host.GetClientRect();
    m_nScrollDirX = ScrollDirection(p.x, client.left, client.right);
    m_nScrollDirY = ScrollDirection(p.y, client.top, client.bottom);
    if (m_nScrollDirX == 0 && m_nScrollDirY == 0)
        return;
    ScrollStep(m_nScrollDirX, m_nScrollDirY, kAutoScrollParts);
    if (m_nTimer == 0) {
        m_nTimer = kAutoScrollTimerId;
        m_host.StartAutoScrollTimer();
    }
}

void CCanvasTools::ShiftAnchorByScroll(CClientPoint before)
{
    const CClientPoint after = Scroll();
    m_ptLast.x += before.x - after.x;
    m_ptLast.y += before.y - after.y;
}

void CCanvasTools::OnTimer()
{
    if (!m_pDoc || m_nTimer == 0)
        return;
    SyncWithDocument();
    if (m_nScrollDirX == 0 && m_nScrollDirY == 0)
        return;
    // The timer only scrolls; the dragged area catches up at the next move.
    const CClientPoint before = Scroll();
    ScrollStep(m_nScrollDirX, m_nScrollDirY, kAutoScrollParts);
    ShiftAnchorByScroll(before);
}

void CCanvasTools::ScrollStep(int dx, int dy, int parts)
{
    if (!m_pDoc || parts <= 0)
        return;
    const CClientPoint position = Scroll();
    const CClientRect client = m_host.GetClientRect();
    const int extentWidth = ZoomedExtent(ImageWidth(), Scale());
    const int extentHeight = ZoomedExtent(ImageHeight(), Scale());
    auto canMove = [](int direction, int position, int clientSize, int extent) {
        return (direction < 0 && position > 0) || (direction > 0 && position + clientSize < extent);
    };
    if (!canMove(dx, position.x, client.right - client.left, extentWidth)
        && !canMove(dy, position.y, client.bottom - client.top, extentHeight))
        return;
    const CScrollBarInfo horizontal = m_host.GetScrollBarInfo(EScrollBar::kHorizontal);
    const CScrollBarInfo vertical = m_host.GetScrollBarInfo(EScrollBar::kVertical);
    auto within = [](int value, const CScrollBarInfo& bar) { return std::max(std::min(value, bar.nMax), bar.nMin); };
    m_host.ScrollToPosition({within(position.x + dx * (horizontal.nPage / parts), horizontal),
                             within(position.y + dy * (vertical.nPage / parts), vertical)});
}

// ---- Left button up ----

void CCanvasTools::OnLButtonUp(CClientPoint p)
{
    if (!m_pDoc)
        return;
    SyncWithDocument();
    // A release without the capture belongs to a press elsewhere, unless a drag of ours waits
    // for it: one whose capture was taken away must still end.
    if (!InZoomMode())
        EndDrag(p);
}

void CCanvasTools::EndDrag(CClientPoint p)
{
    switch (m_nDragState) {
    case EDragState::kIdle:
    case EDragState::kDrawingPolygon:
        return;
    case EDragState::kPressed:
        m_nDragState = EDragState::kIdle;
        m_host.ReleaseCapture();
        if (std::exchange(m_bGroupPress, false)) {
            SelectAt(m_ptLast);
            m_pDoc->UpdateAllViews(m_host.SenderView(), CanvasNotice(EChangeKind::kSelection));
        }
        break;
    case EDragState::kRubberBand:
        ReleaseBand(p);
        break;
    case EDragState::kMoving:
        ReleaseMove(p);
        break;
    case EDragState::kHandleDrag:
        ReleaseHandle();
        break;
    }
    m_host.RepaintNow();
}

void CCanvasTools::ReleaseMove(CClientPoint p)
{
    StopTimer();
    m_nDragState = EDragState::kIdle;
    m_bDragging = false;
    m_host.ReleaseCapture();
    CView* sender = m_host.SenderView();
    if (const std::vector<CMapArea*> selected = m_pDoc->SelectedAreas(); !selected.empty()) {
        MoveSelectedTo(p);
        m_pDoc->AreasChanged(selected, EEditSource::kCanvas, sender);
    } else {
        m_pDoc->UpdateAllViews(sender, CanvasNotice(EChangeKind::kSelection));
    }
}

void CCanvasTools::ReleaseBand(CClientPoint p)
{
    StopTimer();
    m_nDragState = EDragState::kIdle;
    m_bDragging = false;
    m_bBandPending = false;
    m_host.ReleaseCapture();
    const CImagePoint end = ToImage(p);
    const int left = std::min(m_bandStart.x, end.x), right = std::max(m_bandStart.x, end.x);
    const int top = std::min(m_bandStart.y, end.y), bottom = std::max(m_bandStart.y, end.y);
    m_pDoc->SelectNumbered(m_bandKept);
    for (const auto& area : m_pDoc->Areas()) {
        const CAreaBounds b = area->Bounds();
        if (b.left >= left && b.right <= right && b.top >= top && b.bottom <= bottom)
            m_pDoc->AddToSelection(*area);
    }
    m_bandKept.clear();
    m_pDoc->UpdateAllViews(m_host.SenderView(), CanvasNotice(EChangeKind::kSelection));
}

void CCanvasTools::ReleaseHandle()
{
    StopTimer();
    m_nDragState = EDragState::kIdle;
    m_bDragging = false;
    m_host.ReleaseCapture();
    CommitEditedArea();
}

void CCanvasTools::CommitEditedArea()
{
    // Whether the area is new was decided at the press: a tool changed meanwhile must neither
    // rewrite a tag that does not exist yet nor leave a drawn area without its tag.
    CView* sender = m_host.SenderView();
    const bool isNew = m_bNewArea;
    m_bNewArea = false;
    if (!m_pEditArea)
        m_pDoc->UpdateAllViews(sender, CanvasNotice(EChangeKind::kSelection));
    else if (isNew)
        m_pDoc->AreaDrawn(*m_pEditArea, sender);
    else
        m_pDoc->AreaChanged(*m_pEditArea, EEditSource::kCanvas, sender);
}

// ---- Right button down ----

void CCanvasTools::OnRButtonDown(CClientPoint p)
{
    if (!m_pDoc)
        return;
    SyncWithDocument();
    if (InZoomMode()) {
        if (Scale() > kMinScale)
            ZoomOutAt(p);
        return;
    }
    if (m_nDragState == EDragState::kDrawingPolygon && Tool() == kToolPoly) {
        FinishPolygon();
        return;
    }
    if (m_nDragState != EDragState::kIdle || Tool() == kToolSelect) {
        m_host.RepaintNow();
        return;
    }
    m_pDoc->OnToolSelect();
}

void CCanvasTools::ZoomOutAt(CClientPoint p)
{
    const CClientPoint scroll = Scroll();
    m_pDoc->SetZoom(std::max(Scale() * 0.5, kMinScale));
    m_host.ShowScaleInZoomBox(m_pDoc->Display().dZoom);
    m_host.SetCursor(ECursorShape::kZoom);
    const CClientRect c = m_host.GetClientRect();
    ScrollZoomedTo({scroll.x / 2 + p.x / 2 - (c.left + c.right) / 2, p.y / 2 + scroll.y / 2 - (c.top + c.bottom) / 2});
    m_host.Invalidate();
    m_pDoc->UpdateAllViews(nullptr, CChangeNotice::Zoom(1.0));
}

void CCanvasTools::FinishPolygon()
{
    StopTimer();
    if (IsSelectedPolygon(*m_pDoc) && AsPolygon(m_pEditArea)) {
        // The last vertex only followed the pointer; a polygon of two keeps both.
        if (m_pEditArea->m_points.size() > 2) {
            m_pEditArea->m_points.pop_back();
            --m_nHandle;
        }
        CommitEditedArea();
    }
    m_bNewArea = false;
    m_nDragState = EDragState::kIdle;
    m_bDragging = false;
    m_host.ReleaseCapture();
    m_host.SetStatusText("");
    m_host.RepaintNow();
}

// ---- Polygon vertices ----

namespace {

constexpr const char* kVertexMinimum = "A polygon needs at least three vertices.";

}  // namespace

bool CCanvasTools::OffersContextMenu() const
{
    return m_pDoc && !InZoomMode() && Tool() == kToolSelect && m_nDragState == EDragState::kIdle;
}

CCanvasTools::CVertexChoice CCanvasTools::VertexChoiceAt(CClientPoint p)
{
    CVertexChoice choice;
    if (!m_pDoc)
        return choice;
    SyncWithDocument();
    if (!OffersContextMenu())
        return choice;
    if (HitHandle(p) && AsPolygon(m_pEditArea)) {
        choice.deleteArea = m_pEditArea;
        choice.vertex = m_nHandle;
    }
    ClearEditArea();
    if (CPolyArea* poly = AsPolygon(m_pDoc->FirstSelected()); poly && choice.deleteArea != poly) {
        // Outlines are drawn through the middles of the zoomed pixels; the reach is a few screen
        // pixels, and at least one picture pixel.
        const double s = Scale();
        const CClientPoint scroll = Scroll();
        const int edge = poly->EdgeNear((p.x + scroll.x) / s - 0.5, (p.y + scroll.y) / s - 0.5, std::max(4 / s, 1.0));
        if (edge >= 0) {
            const CImagePoint at = ToImage(p);
            choice.insertArea = poly;
            choice.insertBefore = edge + 1;
            choice.at = {ClampToImage(at.x, ImageWidth()), ClampToImage(at.y, ImageHeight())};
        }
    }
    return choice;
}

void CCanvasTools::OnLButtonDblClk(CClientPoint p)
{
    if (!m_pDoc)
        return;
    SyncWithDocument();
    if (!OffersContextMenu())
        return;
    // The first press may have selected another area, or none, when it met the edge's outside.
    if (!AsPolygon(m_pDoc->FirstSelected()) && m_nPressGeneration == m_pDoc->AreaGeneration()) {
        if (CMapArea* before = m_pDoc->AreaNumbered(m_nSelectedBeforePress); AsPolygon(before))
            m_pDoc->SelectArea(*before);
    }
    const CVertexChoice choice = VertexChoiceAt(p);
    if (choice.insertArea) {
        InsertVertex(*choice.insertArea, choice.insertBefore, choice.at);
        return;
    }
    // A quick second click on the same pixel reaches the next area there, as a slow one does.
    SelectAt(p);
    m_pDoc->UpdateAllViews(m_host.SenderView(), CanvasNotice(EChangeKind::kSelection));
    m_host.Invalidate();
}

bool CCanvasTools::InsertVertex(CMapArea& area, int index, CImagePoint at)
{
    CPolyArea* poly = AsPolygon(&area);
    if (!m_pDoc || !poly || !OffersContextMenu() || !poly->InsertVertex(index, at.x, at.y, ImageWidth(), ImageHeight()))
        return false;
    m_pDoc->SelectArea(area);
    m_pDoc->AreaChanged(area, EEditSource::kCanvas, m_host.SenderView());
    m_host.Invalidate();
    return true;
}

bool CCanvasTools::DeleteVertex(CMapArea& area, int index)
{
    CPolyArea* poly = AsPolygon(&area);
    if (!m_pDoc || !poly || !OffersContextMenu() || index < 0 || index >= static_cast<int>(poly->m_points.size()))
        return false;
    if (!poly->DeleteVertex(index)) {
        m_host.SetStatusText(kVertexMinimum);
        return false;
    }
    m_pDoc->SelectArea(area);
    m_pDoc->AreaChanged(area, EEditSource::kCanvas, m_host.SenderView());
    m_host.Invalidate();
    return true;
}

// ---- Keys, cursor ----

bool CCanvasTools::OnKeyDown(ECanvasKey key)
{
    if (!m_pDoc)
        return true;
    SyncWithDocument();
    if (m_nDragState != EDragState::kIdle)
        return true;
    switch (key) {
    case ECanvasKey::kKeypadPlus:
        if (Scale() < kMaxScale) {
            m_pDoc->SetZoom(std::min(2 * Scale(), kMaxScale));
            m_host.ShowScaleInZoomBox(m_pDoc->Display().dZoom);
            ZoomInAtCentre(2);
        }
        return true;
    case ECanvasKey::kKeypadMinus:
        if (Scale() > kMinScale) {
            m_pDoc->SetZoom(std::max(Scale() * 0.5, kMinScale));
            m_host.ShowScaleInZoomBox(m_pDoc->Display().dZoom);
            ZoomOutAtCentre(2);
        }
        return true;
    case ECanvasKey::kLeft: ScrollStep(-1, 0, kKeyScrollParts); return true;
    case ECanvasKey::kRight: ScrollStep(1, 0, kKeyScrollParts); return true;
    case ECanvasKey::kUp: ScrollStep(0, -1, kKeyScrollParts); return true;
    case ECanvasKey::kDown: ScrollStep(0, 1, kKeyScrollParts); return true;
    case ECanvasKey::kDelete: CAreaClipboard::DeleteArea(*m_pDoc); return true;
    case ECanvasKey::kEscape:
        if (Tool() != kToolSelect)
            m_pDoc->OnToolSelect();
        return true;
    case ECanvasKey::kNudgeLeft: Nudge(-1, 0); return true;
    case ECanvasKey::kNudgeRight: Nudge(1, 0); return true;
    case ECanvasKey::kNudgeUp: Nudge(0, -1); return true;
    case ECanvasKey::kNudgeDown: Nudge(0, 1); return true;
    case ECanvasKey::kFarNudgeLeft: Nudge(-kFarNudge, 0); return true;
    case ECanvasKey::kFarNudgeRight: Nudge(kFarNudge, 0); return true;
    case ECanvasKey::kFarNudgeUp: Nudge(0, -kFarNudge); return true;
    case ECanvasKey::kFarNudgeDown: Nudge(0, kFarNudge); return true;
    case ECanvasKey::kNextArea: return SelectNeighbour(1);
    case ECanvasKey::kPreviousArea: return SelectNeighbour(-1);
    case ECanvasKey::kOther: return false;
    }
    return false;
}

bool CCanvasTools::Nudge(int dx, int dy)
{
    if (!m_pDoc)
        return false;
    SyncWithDocument();
    const std::vector<CMapArea*> selected = m_pDoc->SelectedAreas();
    if (m_nDragState != EDragState::kIdle || selected.empty())
        return false;
    // The areas keep their places to one another: each takes the part of the offset that all of
    // them can take.
    const COffset moved = MoveGroup(selected, dx, dy, ImageWidth(), ImageHeight());
    if (moved.dx == 0 && moved.dy == 0)
        return true;
    m_pDoc->AreasNudged(selected, m_host.SenderView());
    m_host.Invalidate();
    return true;
}

bool CCanvasTools::SelectNeighbour(int step)
{
    const int count = m_pDoc->AreaCount();
    if (count == 0)
        return false;
    const int current = m_pDoc->GetSelectedIndex();
    const int next = current == 0 ? (step > 0 ? 1 : count) : (current - 1 + step + count) % count + 1;
    m_pDoc->SelectArea(*m_pDoc->AreaNumbered(next));
    ScrollSelectionIntoView();
    m_host.Invalidate();
    m_pDoc->UpdateAllViews(m_host.SenderView(), CanvasNotice(EChangeKind::kSelection));
    return true;
}

void CCanvasTools::ScrollSelectionIntoView()
{
    const CMapArea* area = m_pDoc->FirstSelected();
    if (!area)
        return;
    const CAreaBounds bounds = area->Bounds();
    const double s = Scale();
    const CClientPoint scroll = Scroll();
    const CClientRect c = m_host.GetClientRect();
    const int left = Truncate(bounds.left * s) - scroll.x, right = Truncate((bounds.right + 1) * s) - scroll.x;
    const int top = Truncate(bounds.top * s) - scroll.y, bottom = Truncate((bounds.bottom + 1) * s) - scroll.y;
    if (left >= c.left && right <= c.right && top >= c.top && bottom <= c.bottom)
        return;
    // Centred where it fits, else its top-left corner in view.
    const int width = c.right - c.left, height = c.bottom - c.top;
    const int x = right - left <= width ? (left + right - width) / 2 : left;
    const int y = bottom - top <= height ? (top + bottom - height) / 2 : top;
    ScrollZoomedTo({scroll.x + x - c.left, scroll.y + y - c.top});
}

void CCanvasTools::OnSetCursor(bool overClient)
{
    if (!m_pDoc || !overClient) {
        m_host.SetCursor(ECursorShape::kArrow);
        return;
    }
    if (InZoomMode())
        m_host.SetCursor(ECursorShape::kZoom);
    else
        m_host.SetCursor(Tool() == kToolSelect ? ECursorShape::kArrow : ECursorShape::kCross);
}

// ---- Zoom at the centre, hit tests ----

void CCanvasTools::ScrollZoomedTo(CClientPoint position)
{
    const int extentWidth = ZoomedExtent(ImageWidth(), Scale());
    const int extentHeight = ZoomedExtent(ImageHeight(), Scale());
    m_host.SetScrollSizes(extentWidth, extentHeight);
    m_host.ScrollToPosition(ClampScrollPosition(position, extentWidth, extentHeight, m_host.GetClientRect()));
}

void CCanvasTools::ZoomInAtCentre(int factor)
{
    if (!m_pDoc)
        return;
    const CClientPoint scroll = Scroll();
    const CClientRect c = m_host.GetClientRect();
    ScrollZoomedTo({(c.left + c.right) / 2 * (factor - 1) + factor * scroll.x,
                    (c.top + c.bottom) / 2 * (factor - 1) + factor * scroll.y});
    m_host.RepaintNow();
}

void CCanvasTools::ZoomOutAtCentre(int factor)
{
    if (!m_pDoc || factor < 1)
        return;
    const CClientPoint scroll = Scroll();
    const CClientRect c = m_host.GetClientRect();
    const int cx = (c.left + c.right) / 2;
    const int cy = (c.top + c.bottom) / 2;
    ScrollZoomedTo({cx / factor + scroll.x / factor - cx, cy / factor + scroll.y / factor - cy});
    m_host.RepaintNow();
}

bool CCanvasTools::HitHandle(CClientPoint p)
{
    ClearEditArea();
    m_nHitCode = -1;
    if (!m_pDoc)
        return false;
    m_nGeneration = m_pDoc->AreaGeneration();
    const CClientPoint scroll = Scroll();
    const double s = Scale();
    const int mx = p.x + scroll.x;
    const int my = p.y + scroll.y;
    const int t = Truncate(3 * s);
    return m_pDoc->VisitInPickOrder([&](CMapArea& area) {
        for (std::size_t i = 0; i < area.m_points.size(); ++i) {
            const CAreaPoint& point = area.m_points[i];
            const int zx = Truncate(s * point.x);
            const int zy = Truncate(s * point.y);
            if (zx - t <= mx && mx <= zx + t && zy - t <= my && my <= zy + t) {
                m_nHandle = static_cast<int>(i);
                m_nHitCode = point.m_nCode;
                m_pEditArea = &area;
                return true;
            }
        }
        return false;
    });
}

void CCanvasTools::SelectAt(CClientPoint p)
{
    if (!m_pDoc)
        return;
    const CImagePoint at = ToImage(p);
    const bool again = m_lastClick == at;
    m_lastClick = at;
    const CMapArea* current = m_pDoc->FirstSelected();
    const std::vector<CMapArea*> here = again && current ? m_pDoc->AreasAt(at.x, at.y) : std::vector<CMapArea*>{};
    const auto place = std::find(here.begin(), here.end(), current);
    if (here.size() < 2 || place == here.end()) {
        m_pDoc->SelectAreaAt(at.x, at.y);
        return;
    }
    const std::size_t next = (std::size_t(place - here.begin()) + 1) % here.size();
    m_pDoc->SelectArea(*here[next]);
    m_host.SetStatusText("Area " + std::to_string(here[next]->m_nIndex) + " (" + std::to_string(next + 1) + " of " +
                         std::to_string(here.size()) + " here)");
}

}  // namespace mapwright
