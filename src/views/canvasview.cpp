#include "views/canvasview.h"

#include "views/statustexts.h"

#include "document/areaclipboard.h"
#include "document/mapdocument.h"
#include "platform/appsettings.h"
#include "platform/bytecodec.h"
#include "views/areapainter.h"
#include "views/canvassurface.h"
#include "views/viewhost.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace mapwright {

namespace {

// What the stock dark-grey brush paints outside the zoomed picture.
const QColor kMarginColour(64, 64, 64);
// Grid lines: mid grey, half see-through, so that they show on light and dark pictures alike
// without hiding them; never closer than kMinGridSpacing screen pixels.
const QColor kGridColour(128, 128, 128, 120);
constexpr int kMinGridSpacing = 8;

// The tools' key for a key press, or kOther.
ECanvasKey CanvasKey(const QKeyEvent& event)
{
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    // Alt+arrows nudge (with Shift ten pixels); the plain arrows keep scrolling.
    const Qt::KeyboardModifiers chord = event.modifiers() & (Qt::AltModifier | Qt::ShiftModifier | Qt::ControlModifier);
    if (chord == Qt::AltModifier || chord == (Qt::AltModifier | Qt::ShiftModifier)) {
        const bool far = chord.testFlag(Qt::ShiftModifier);
        switch (event.key()) {
        case Qt::Key_Left: return far ? ECanvasKey::kFarNudgeLeft : ECanvasKey::kNudgeLeft;
        case Qt::Key_Right: return far ? ECanvasKey::kFarNudgeRight : ECanvasKey::kNudgeRight;
        case Qt::Key_Up: return far ? ECanvasKey::kFarNudgeUp : ECanvasKey::kNudgeUp;
        case Qt::Key_Down: return far ? ECanvasKey::kFarNudgeDown : ECanvasKey::kNudgeDown;
        default: break;
        }
    }
    switch (event.key()) {
    case Qt::Key_Plus:
        return keypad ? ECanvasKey::kKeypadPlus : ECanvasKey::kOther;
    case Qt::Key_Minus:
        return keypad ? ECanvasKey::kKeypadMinus : ECanvasKey::kOther;
    case Qt::Key_Left:
        return ECanvasKey::kLeft;
    case Qt::Key_Right:
        return ECanvasKey::kRight;
    case Qt::Key_Up:
        return ECanvasKey::kUp;
    case Qt::Key_Down:
        return ECanvasKey::kDown;
    case Qt::Key_Delete:
        return ECanvasKey::kDelete;
    case Qt::Key_Escape:
        return ECanvasKey::kEscape;
    case Qt::Key_Tab:
        return event.modifiers() & (Qt::ControlModifier | Qt::AltModifier) ? ECanvasKey::kOther : ECanvasKey::kNextArea;
    case Qt::Key_Backtab:
        return event.modifiers() & (Qt::ControlModifier | Qt::AltModifier) ? ECanvasKey::kOther
                                                                              : ECanvasKey::kPreviousArea;
    default:
        return ECanvasKey::kOther;
    }
}

CClientPoint ClientPoint(const QMouseEvent& event)
{
    const QPoint p = event.position().toPoint();
    return {p.x(), p.y()};
}

// The magnifier of the zoom tool, its hot spot in the middle of the lens.
QCursor ZoomCursor()
{
    static const QCursor cursor = [] {
        const QPixmap pixmap(":/icons/zoom-cursor.svg");
        if (pixmap.isNull())
            return QCursor(Qt::CrossCursor);
        return QCursor(pixmap, pixmap.width() * 13 / 32, pixmap.height() * 13 / 32);
    }();
    return cursor;
}

QCursor CursorFor(ECursorShape shape)
{
    switch (shape) {
    case ECursorShape::kArrow:
        return Qt::ArrowCursor;
    case ECursorShape::kCross:
        return Qt::CrossCursor;
    case ECursorShape::kZoom:
        return ZoomCursor();
    case ECursorShape::kSizeNWSE:
        return Qt::SizeFDiagCursor;
    case ECursorShape::kSizeNS:
        return Qt::SizeVerCursor;
    case ECursorShape::kSizeNESW:
        return Qt::SizeBDiagCursor;
    case ECursorShape::kSizeWE:
        return Qt::SizeHorCursor;
    case ECursorShape::kSizeAll:
        return Qt::SizeAllCursor;
    }
    return Qt::ArrowCursor;
}

}  // namespace

CCanvasView::CCanvasView(CMapDocument* document, QWidget* parent)
    : QAbstractScrollArea(parent), m_tools(document, *this)
{
    // Every paint covers the whole client area, so nothing is erased first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);

    m_autoScrollTimer.setInterval(CCanvasTools::kAutoScrollPeriodMs);
    connect(&m_autoScrollTimer, &QTimer::timeout, this, [this] { m_tools.OnTimer(); });
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { OnScrollBarAction(Qt::Horizontal, action); });
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { OnScrollBarAction(Qt::Vertical, action); });

    if (document) {
        document->AddView(this);
        // Until the first paint sets the zoomed extent, the picture's own size.
        SetScrollSizes(document->Picture().Width(), document->Picture().Height());
    }
}

CCanvasView::~CCanvasView()
{
    m_autoScrollTimer.stop();
    ReleaseCapture();
    if (CDocument* document = CView::GetDocument())
        document->RemoveView(this);
}

CMapDocument* CCanvasView::GetDocument() const
{
    return static_cast<CMapDocument*>(CView::GetDocument());
}

// ---- painting ----

void CCanvasView::paintEvent(QPaintEvent* event)
{
    const CMapDocument* doc = GetDocument();
    if (!doc || !doc->Picture().IsLoaded())
        return;
    const double scale = doc->Display().dZoom;
    const int extentWidth = ZoomedExtent(doc->Picture().Width(), scale);
    const int extentHeight = ZoomedExtent(doc->Picture().Height(), scale);

    if (!PrepareBackBuffer())
        return;
    SetScrollSizes(extentWidth, extentHeight);
    ShowInfoText(doc->Picture().Width(), doc->Picture().Height(), scale);
    const CClientPoint scroll = ClampScrollForPaint(extentWidth, extentHeight);

    m_canvasImage.SetImage(doc->Picture().Image());
    const QRect part = m_redraw.Take(PaintState(*doc, QSize(extentWidth, extentHeight), scroll), event->region());
    RedrawBackBuffer(*doc, part, QSize(extentWidth, extentHeight), scroll);

    QPainter painter(viewport());
    painter.drawImage(QPoint(0, 0), m_backBuffer, QRect(0, 0, extentWidth, extentHeight));
    PaintMargins(painter, extentWidth, extentHeight, scroll);
    PaintRubberBand(painter);
    PaintFocusFrame(painter);
}

CCanvasPaintState CCanvasView::PaintState(const CMapDocument& doc, QSize extent, CClientPoint scroll) const
{
    CCanvasPaintState state;
    state.scroll = QPoint(scroll.x, scroll.y);
    state.dScale = doc.Display().dZoom;
    state.buffer = m_backBuffer.size();
    state.extent = extent;
    state.bHatch = doc.Display().bHatch;
    state.bHandles = doc.Display().bShowHandles;
    state.nGridStep = AppSettings().m_bShowGrid ? std::max(AppSettings().m_nGridStep, 1) : 0;
    state.activeColour = AppSettings().m_clrActive;
    state.passiveColour = AppSettings().m_clrPassive;
    state.pImage = doc.Picture().Image();
    state.nImageSerial = doc.Picture().Image() ? doc.Picture().Image()->Serial() : 0;
    state.bGesture = GestureInProgress();
    return state;
}

void CCanvasView::RedrawBackBuffer(const CMapDocument& doc, const QRect& part, QSize extent, CClientPoint scroll)
{
    // Drawn at the same scroll position as a whole redraw and clipped, so that the part comes out
    // as the whole redraw would draw it (shifting the origin instead would round other pixels).
    if (part.isEmpty())
        return;
    const double scale = doc.Display().dZoom;
    m_canvasImage.DrawInto(m_backBuffer, part, scale, extent.width(), extent.height(), QPoint(scroll.x, scroll.y));
    if (AppSettings().m_bShowGrid)
        PaintGrid(part, scale, extent.width(), extent.height(), scroll);
    PaintAreasInto(part, doc, scroll);
}

void CCanvasView::PaintRubberBand(QPainter& painter)
{
    const std::optional<CClientRect> band = m_tools.RubberBand();
    if (!band)
        return;
    // Dashed in the palette's highlight over a light fill, as the desktop marks a band selection.
    const QColor highlight = palette().color(QPalette::Highlight);
    QColor fill = highlight;
    fill.setAlpha(40);
    painter.setPen(QPen(highlight, 1, Qt::DashLine));
    painter.setBrush(fill);
    painter.drawRect(QRect(QPoint(band->left, band->top), QPoint(band->right, band->bottom)));
}

void CCanvasView::PaintGrid(const QRect& part, double scale, int extentWidth, int extentHeight, CClientPoint scroll)
{
    // Lines through the middles of the zoomed pixels, where outlines run; at small scales only
    // every so many lines, so that the picture still shows between them.
    const int step = std::max(AppSettings().m_nGridStep, 1);
    int every = step;
    while (every * scale < kMinGridSpacing)
        every += step;
    const int right = std::min(part.left() + part.width(), extentWidth - scroll.x);
    const int bottom = std::min(part.top() + part.height(), extentHeight - scroll.y);
    if (right <= 0 || bottom <= 0)
        return;
    auto screen = [&](int v, int scrolled) { return Truncate(v * scale + scale / 2) - scrolled; };
    std::vector<int> columns;
    for (int v = Truncate(scroll.x / scale) / every * every;; v += every) {
        const int x = screen(v, scroll.x);
        if (x >= right)
            break;
        if (x >= part.left())
            columns.push_back(x);
    }
    // Blended by hand: a few thousand pixels, cheaper than setting up a painter on the buffer.
    const int grey = kGridColour.red();
    const int alpha = kGridColour.alpha();
    auto blend = [grey, alpha](QRgb& pixel) {
        auto mix = [&](int channel) { return channel + (grey - channel) * alpha / 255; };
        pixel = qRgb(mix(qRed(pixel)), mix(qGreen(pixel)), mix(qBlue(pixel)));
    };
    int rowValue = Truncate(scroll.y / scale) / every * every;
    int nextRow = screen(rowValue, scroll.y);
    for (int y = part.top(); y < bottom; ++y) {
        auto* line = reinterpret_cast<QRgb*>(m_backBuffer.scanLine(y));
        while (nextRow < y) {
            rowValue += every;
            nextRow = screen(rowValue, scroll.y);
        }
        if (nextRow == y) {
            for (int x = part.left(); x < right; ++x)
                blend(line[x]);
        } else {
            for (const int x : columns)
                blend(line[x]);
        }
    }
}

void CCanvasView::PaintFocusFrame(QPainter& painter)
{
    // Keyboard users need to see that the picture takes Tab, the arrows and the tool keys.
    if (!hasFocus())
        return;
    // The palette's highlight, as the desktop marks a focused field; two pixels inside the edge.
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(viewport()->rect()).adjusted(1, 1, -1, -1));
}

bool CCanvasView::PrepareBackBuffer()
{
    // One pixel wider and taller than the client area, kept while the client size stays.
    const QSize size = viewport()->size() + QSize(1, 1);
    if (m_backBuffer.size() != size)
        m_backBuffer = QImage(size, QImage::Format_RGB32);
    // Null when memory ran out: then this paint draws nothing.
    return !m_backBuffer.isNull();
}

void CCanvasView::ShowInfoText(int imageWidth, int imageHeight, double scale)
{
    if (!m_pInfoBar)
        return;
    const QString text = DecodeBytes(GetDocument()->Page().strImageName) + QStringLiteral("      ") +
                         QString::number(imageWidth) + u':' + QString::number(imageHeight) +
                         QStringLiteral("        ZOOM : ") + QString::number(Truncate(scale * 100)) + u'%';
    if (m_pInfoBar->text() != text)
        m_pInfoBar->setText(text);
}

CClientPoint CCanvasView::ClampScrollForPaint(int extentWidth, int extentHeight)
{
    const CClientPoint scroll = ClampScrollPosition(GetScrollPosition(), extentWidth, extentHeight, GetClientRect());
    ScrollToPosition(scroll);
    return scroll;
}

void CCanvasView::PaintAreasInto(const QRect& part, const CMapDocument& doc, CClientPoint scroll)
{
    CAreaPaintOptions options;
    options.dScale = doc.Display().dZoom;
    options.nScrollX = scroll.x;
    options.nScrollY = scroll.y;
    options.bHatch = doc.Display().bHatch;
    options.bShowHandles = doc.Display().bShowHandles;
    // A band moves no area: the selection keeps its colours under it.
    options.bDragging = m_tools.IsDragging() && m_tools.DragState() != EDragState::kRubberBand;
    options.clrActive = AppSettings().m_clrActive;
    options.clrPassive = AppSettings().m_clrPassive;
    options.nViewLeft = part.left();
    options.nViewTop = part.top();
    options.nViewWidth = part.width();
    options.nViewHeight = part.height();
    CCanvasSurface surface(m_backBuffer, m_figures, part);
    PaintAreas(surface, doc, options, [&](const CMapArea& area) {
        surface.DrawHandles(area, options.dScale, scroll.x, scroll.y);
    });
}

void CCanvasView::PaintMargins(QPainter& painter, int extentWidth, int extentHeight, CClientPoint scroll)
{
    // In scrolled coordinates, from the client rectangle, as far as the zoomed picture leaves room.
    painter.save();
    painter.translate(-scroll.x, -scroll.y);
    const CClientRect client = GetClientRect();
    if (client.bottom >= extentHeight)
        painter.fillRect(QRect(QPoint(client.left, extentHeight),
                               QPoint(std::max(client.right, extentWidth), client.bottom) - QPoint(1, 1)),
                         kMarginColour);
    if (client.right >= extentWidth)
        painter.fillRect(QRect(QPoint(extentWidth, client.top),
                               QPoint(client.right, std::max(client.bottom, extentHeight)) - QPoint(1, 1)),
                         kMarginColour);
    painter.restore();
}

// ---- document changes ----

void CCanvasView::OnUpdate(CView*, const CChangeNotice& notice)
{
    CMapDocument* doc = GetDocument();
    if (!doc)
        return;
    // A form edit changes texts only, which the picture does not show.
    if (notice.cause == EChangeCause::kForm)
        return;
    m_tools.SyncWithDocument();
    if (m_pTabBarHost)
        m_pTabBarHost->update();
    const double ratio = notice.kind == EChangeKind::kZoom ? notice.dZoomRatio : 1.0;
    if (ratio > 1)
        m_tools.ZoomInAtCentre(Truncate(ratio));
    else if (ratio < -1)
        m_tools.ZoomOutAtCentre(Truncate(-ratio));
    if (const std::optional<QRect> changed = RectOfChangedArea(*doc, notice)) {
        m_redraw.AddChanged(*changed);
        viewport()->update(*changed);
        return;
    }
    Invalidate();
}

std::optional<QRect> CCanvasView::RectOfChangedArea(const CMapDocument& doc, const CChangeNotice& notice) const
{
    // Typing inside one tag changed that area alone; the rest of the picture stays as painted.
    if (notice.kind != EChangeKind::kTextTyped || !notice.tagBoundsBefore || GestureInProgress())
        return std::nullopt;
    const CMapArea* area = doc.AreaNumbered(notice.nTag);
    if (!area || area->m_points.empty())
        return std::nullopt;
    const double scale = doc.Display().dZoom;
    const CClientPoint scroll = GetScrollPosition();
    const auto onScreen = [&](const CAreaBounds& bounds) {
        // Whole pixels around it, and one more for the painter's rounding.
        return AreaReach(bounds, scale, scroll.x, scroll.y).toAlignedRect().adjusted(-1, -1, 1, 1);
    };
    return onScreen(*notice.tagBoundsBefore) | onScreen(area->Bounds());
}

// ---- scrolling ----

CClientPoint CCanvasView::GetScrollPosition() const
{
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void CCanvasView::ScrollToPosition(CClientPoint position)
{
    horizontalScrollBar()->setValue(position.x);
    verticalScrollBar()->setValue(position.y);
}

void CCanvasView::SetScrollSizes(int totalWidth, int totalHeight)
{
    const QSize total(std::max(totalWidth, 0), std::max(totalHeight, 0));
    if (total == m_totalSize)
        return;
    m_totalSize = total;
    UpdateScrollBars();
}

void CCanvasView::UpdateScrollBars()
{
    const QSize client = viewport()->size();
    // The default line step is a tenth of the default page step, itself a tenth of the extent.
    const QSize line = m_totalSize / 100;
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max(0, m_totalSize.width() - client.width()));
    horizontal->setPageStep(client.width());
    horizontal->setSingleStep(std::max(1, line.width()));
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, std::max(0, m_totalSize.height() - client.height()));
    vertical->setPageStep(client.height());
    vertical->setSingleStep(std::max(1, line.height()));
}

void CCanvasView::OnScrollBarAction(Qt::Orientation orientation, int action)
{
    if (action != QAbstractSlider::SliderPageStepAdd && action != QAbstractSlider::SliderPageStepSub)
        return;
    QScrollBar* bar = orientation == Qt::Horizontal ? horizontalScrollBar() : verticalScrollBar();
    const int page = (orientation == Qt::Horizontal ? m_totalSize.width() : m_totalSize.height()) / 10;
    const int step = action == QAbstractSlider::SliderPageStepAdd ? page : -page;
    bar->setSliderPosition(std::clamp(bar->value() + step, bar->minimum(), bar->maximum()));
}

CClientRect CCanvasView::GetClientRect() const
{
    return {0, 0, viewport()->width(), viewport()->height()};
}

CScrollBarInfo CCanvasView::GetScrollBarInfo(EScrollBar bar) const
{
    if (bar == EScrollBar::kHorizontal)
        return {0, std::max(0, m_totalSize.width() - 1), viewport()->width()};
    return {0, std::max(0, m_totalSize.height() - 1), viewport()->height()};
}

void CCanvasView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

// ---- the window side of the tools ----

void CCanvasView::SetCapture()
{
    viewport()->grabMouse();
}

void CCanvasView::ReleaseCapture()
{
    if (HasCapture())
        viewport()->releaseMouse();
}

bool CCanvasView::HasCapture() const
{
    return QWidget::mouseGrabber() == viewport();
}

void CCanvasView::StartAutoScrollTimer()
{
    m_autoScrollTimer.start();
}

void CCanvasView::StopAutoScrollTimer()
{
    m_autoScrollTimer.stop();
}

void CCanvasView::RepaintNow()
{
    viewport()->repaint();
}

void CCanvasView::Invalidate()
{
    m_redraw.ChangedEverywhere();
    viewport()->update();
}

void CCanvasView::SetCursor(ECursorShape shape)
{
    viewport()->setCursor(CursorFor(shape));
}

void CCanvasView::TakeFocus()
{
    setFocus(Qt::MouseFocusReason);
}

void CCanvasView::SetStatusText(const std::string& text)
{
    ViewHost().SetStatusText(DecodeBytes(text));
}

void CCanvasView::ShowScaleInZoomBox(double scale)
{
    ViewHost().ShowScaleInZoomBox(scale);
}

// ---- window events into the tools ----

bool CCanvasView::event(QEvent* event)
{
    // Tab and Shift+Tab go round the areas before they would move the focus on; a map without
    // areas lets them move it.
    if (event->type() == QEvent::KeyPress) {
        const ECanvasKey key = CanvasKey(*static_cast<QKeyEvent*>(event));
        if ((key == ECanvasKey::kNextArea || key == ECanvasKey::kPreviousArea) && m_tools.OnKeyDown(key)) {
            event->accept();
            return true;
        }
    }
    // The canvas's own keys win over shortcuts while it has the focus, so that they are also
    // swallowed during a drag.
    if (event->type() == QEvent::ShortcutOverride &&
        CanvasKey(*static_cast<QKeyEvent*>(event)) != ECanvasKey::kOther) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

bool CCanvasView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Enter && !HasCapture())
        m_tools.OnSetCursor(true);
    if (event->type() == QEvent::Leave)
        ViewHost().ShowPointer({});
    return QAbstractScrollArea::viewportEvent(event);
}

void CCanvasView::FollowSnapSettings(const QMouseEvent& event)
{
    m_tools.SetSnapGrid(AppSettings().SnapStep());
    m_tools.SuspendSnap(event.modifiers().testFlag(Qt::AltModifier));
}

void CCanvasView::mousePressEvent(QMouseEvent* event)
{
    FollowSnapSettings(*event);
    if (event->button() == Qt::LeftButton)
        m_tools.OnLButtonDown(ClientPoint(*event), SelectModifier(*event));
    else if (event->button() == Qt::RightButton && !ShowVertexMenu(ClientPoint(*event), event->globalPosition().toPoint()))
        m_tools.OnRButtonDown(ClientPoint(*event));
    event->accept();
}

bool CCanvasView::ShowVertexMenu(CClientPoint p, QPoint globalPos)
{
    // The menu comes only where it has something to offer, so the right button keeps its meaning
    // everywhere else.
    const CCanvasTools::CVertexChoice choice = m_tools.VertexChoiceAt(p);
    if (!choice.insertArea && !choice.deleteArea)
        return false;
    if (!m_pVertexMenu) {
        m_pVertexMenu = new QMenu(this);
        m_pInsertVertex = m_pVertexMenu->addAction(tr("Insert vertex"));
        m_pDeleteVertex = m_pVertexMenu->addAction(tr("Delete vertex"));
        connect(m_pInsertVertex, &QAction::triggered, this, [this] {
            if (m_menuChoice.insertArea && m_menuGeneration == GetDocument()->AreaGeneration())
                m_tools.InsertVertex(*m_menuChoice.insertArea, m_menuChoice.insertBefore, m_menuChoice.at);
        });
        connect(m_pDeleteVertex, &QAction::triggered, this, [this] {
            if (m_menuChoice.deleteArea && m_menuGeneration == GetDocument()->AreaGeneration())
                m_tools.DeleteVertex(*m_menuChoice.deleteArea, m_menuChoice.vertex);
        });
    }
    m_menuChoice = choice;
    m_menuGeneration = GetDocument()->AreaGeneration();
    m_pInsertVertex->setEnabled(choice.insertArea != nullptr);
    m_pDeleteVertex->setEnabled(choice.deleteArea != nullptr);
    m_pVertexMenu->popup(globalPos);
    return true;
}

void CCanvasView::mouseMoveEvent(QMouseEvent* event)
{
    // The cursor is chosen again at every move, except while the mouse is captured.
    if (!HasCapture())
        m_tools.OnSetCursor(true);
    FollowSnapSettings(*event);
    const bool leftButtonAlone = event->buttons() == Qt::LeftButton &&
                                 !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
    m_tools.OnMouseMove(ClientPoint(*event), leftButtonAlone);
    ShowPositions(ClientPoint(*event));
    event->accept();
}

void CCanvasView::ShowPositions(CClientPoint p)
{
    const CMapDocument* doc = GetDocument();
    if (!doc)
        return;
    const CImagePoint at = ImagePosition(p, GetScrollPosition(), doc->Display().dZoom);
    const bool onPicture = at.x >= 0 && at.y >= 0 && at.x < doc->Picture().Width() && at.y < doc->Picture().Height();
    ViewHost().ShowPointer(onPicture ? PointerText(at.x, at.y) : QString());
    if (GestureInProgress())
        ViewHost().ShowSelectionBox(SelectionBoxText(doc));
}

void CCanvasView::mouseReleaseEvent(QMouseEvent* event)
{
    FollowSnapSettings(*event);
    if (event->button() == Qt::LeftButton)
        m_tools.OnLButtonUp(ClientPoint(*event));
    event->accept();
}

void CCanvasView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click starts no gesture; on a polygon's edge it adds a vertex.
    // With Ctrl or Shift it is one more press that toggles or adds an area.
    if (event->button() == Qt::LeftButton) {
        const ESelectModifier modifier = SelectModifier(*event);
        if (modifier == ESelectModifier::kNone)
            m_tools.OnLButtonDblClk(ClientPoint(*event));
        else
            m_tools.OnLButtonDown(ClientPoint(*event), modifier);
    }
    event->accept();
}

ESelectModifier CCanvasView::SelectModifier(const QMouseEvent& event)
{
    if (event.modifiers().testFlag(Qt::ControlModifier))
        return ESelectModifier::kToggle;
    if (event.modifiers().testFlag(Qt::ShiftModifier))
        return ESelectModifier::kAdd;
    return ESelectModifier::kNone;
}

namespace {

// The focus moved within the window: the focus frame comes or goes. A menu or another window
// taking the activation for a while leaves the picture as it is.
bool FocusMovedInWindow(const QFocusEvent& event)
{
    return event.reason() != Qt::ActiveWindowFocusReason && event.reason() != Qt::PopupFocusReason;
}

}  // namespace

void CCanvasView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    if (FocusMovedInWindow(*event))
        viewport()->update();
}

void CCanvasView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    if (FocusMovedInWindow(*event))
        viewport()->update();
}

void CCanvasView::keyPressEvent(QKeyEvent* event)
{
    if (m_tools.OnKeyDown(CanvasKey(*event))) {
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void CCanvasView::ScrollSelectionIntoView()
{
    if (!GetDocument())
        return;
    m_tools.ScrollSelectionIntoView();
    Invalidate();
}

// ---- whole areas ----

bool CCanvasView::CanCopyArea() const
{
    const CMapDocument* doc = GetDocument();
    return doc && !GestureInProgress() && doc->GetSelectedIndex() != 0;
}

bool CCanvasView::CanPasteArea() const
{
    const CMapDocument* doc = GetDocument();
    // A pasted area is placed inside the picture, so a document without one takes none.
    return doc && !GestureInProgress() && doc->Picture().Width() > 0 && doc->Picture().Height() > 0 &&
           CAreaClipboard::Instance().HasArea();
}

bool CCanvasView::GestureInProgress() const
{
    // An area being drawn is numbered and selected before its tag exists: deleting or pasting
    // then would hit the wrong tag, so the area commands wait for the gesture to end.
    return m_tools.DragState() != EDragState::kIdle;
}

void CCanvasView::CopyArea()
{
    if (const CMapDocument* doc = GetDocument(); doc && !GestureInProgress())
        CAreaClipboard::Instance().CopyArea(*doc);
}

void CCanvasView::DeleteArea()
{
    if (CMapDocument* doc = GetDocument(); doc && !GestureInProgress())
        CAreaClipboard::DeleteArea(*doc);
}

void CCanvasView::PasteArea()
{
    CMapDocument* doc = GetDocument();
    if (!doc || !CanPasteArea())
        return;
    // The area goes to the visible top-left corner of the document's canvas.
    const CCanvasView* canvas = nullptr;
    for (CView* view : doc->GetViews()) {
        if (const auto* canvasView = dynamic_cast<const CCanvasView*>(view))
            canvas = canvasView;
    }
    if (!canvas)
        return;
    const CClientPoint scroll = canvas->GetScrollPosition();
    const double scale = doc->Display().dZoom;
    CAreaClipboard::Instance().PasteArea(*doc, Truncate(scroll.x / scale), Truncate(scroll.y / scale));
}

void SelectAndReveal(CMapDocument& document, CMapArea& area, CView* sender)
{
    document.SelectArea(area);
    document.UpdateAllViews(sender, CChangeNotice::Of(EChangeKind::kSelection, EChangeCause::kProgram));
    for (CView* view : document.GetViews()) {
        if (auto* canvas = dynamic_cast<CCanvasView*>(view))
            canvas->ScrollSelectionIntoView();
    }
}

}  // namespace mapwright
