// The image canvas: the document's picture at the document's scale with every area drawn on
// top, scrolled over the zoomed picture, and the mouse and keyboard tools that edit the areas.
// Each paint composes picture, areas and handles in a back buffer and shows it in one copy; the
// background is never erased. The tools live in CCanvasTools; the canvas is their window.
#pragma once

#include "document/canvastools.h"
#include "model/document.h"
#include "views/canvasimage.h"
#include "views/canvasredraw.h"
#include "views/edittarget.h"
#include "views/figurecache.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QSize>
#include <QTimer>

#include <optional>

class QAction;
class QLabel;
class QMenu;
class QMouseEvent;

namespace mapwright {

class CMapDocument;

class CCanvasView : public QAbstractScrollArea, public CView, public CCanvasToolHost, public CEditTarget {
    Q_OBJECT
public:
    // Shows document (attached as its view until the canvas is destroyed).
    explicit CCanvasView(CMapDocument* document, QWidget* parent = nullptr);
    ~CCanvasView() override;

    CMapDocument* GetDocument() const;

    // The bar above the canvas whose text names the picture, its size and the scale; not owned.
    void SetInfoBar(QLabel* infoBar) { m_pInfoBar = infoBar; }
    // The bar below the canvas holding the document tab bar, redrawn on every change; not owned.
    void SetTabBarHost(QWidget* tabBarHost) { m_pTabBarHost = tabBarHost; }

    // Follows a document change; form edits are skipped unless an undo step is being restored.
    void OnUpdate(CView* sender, const CChangeNotice& notice) override;

    CCanvasTools& Tools() { return m_tools; }
    const CCanvasTools& Tools() const { return m_tools; }

    // The window side of the tools.
    CClientPoint GetScrollPosition() const override;
    void ScrollToPosition(CClientPoint position) override;
    void SetScrollSizes(int totalWidth, int totalHeight) override;
    CClientRect GetClientRect() const override;
    CScrollBarInfo GetScrollBarInfo(EScrollBar bar) const override;
    void SetCapture() override;
    void ReleaseCapture() override;
    bool HasCapture() const override;
    void StartAutoScrollTimer() override;
    void StopAutoScrollTimer() override;
    void RepaintNow() override;
    void Invalidate() override;
    void SetCursor(ECursorShape shape) override;
    void TakeFocus() override;
    void SetStatusText(const std::string& text) override;
    void ShowScaleInZoomBox(double scale) override;
    CView* SenderView() override { return this; }

    // True when the document has a selected area to copy or delete.
    bool CanCopyArea() const;
    // True from a press (or a polygon's first vertex) until the gesture ends.
    bool GestureInProgress() const;
    // True when the area clipboard holds an area and the document a picture to paste it on.
    bool CanPasteArea() const;
    // Puts a copy of the selected area into the area clipboard; nothing when none is selected.
    void CopyArea();
    // Deletes the selected area with its tag; nothing when none is selected.
    void DeleteArea();
    // Pastes the area clipboard's area at the visible top-left corner; nothing when it is empty.
    void PasteArea();

    // Copy, Delete area and Paste while the canvas has the focus: whole areas.
    CCommandState OnUpdateEditCopyCut() const override { return {CanCopyArea(), false}; }
    CCommandState OnUpdateEditPaste() const override { return {CanPasteArea(), false}; }
    void OnEditCopy() override { CopyArea(); }
    void OnEditCut() override { DeleteArea(); }
    void OnEditPaste() override { PasteArea(); }

    // Scrolls the selected area into view, unless it is in view already.
    void ScrollSelectionIntoView();

    // The scale the shrunken picture was last made at (1.0 until the first paint below 100 %).
    double ZoomBitmapScale() const { return m_canvasImage.ZoomScale(); }
    // Which part of the back buffer the next paint may redraw alone, and which the last one did.
    const CCanvasRedraw& Redraw() const { return m_redraw; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    // Paint steps, in drawing order.
    bool PrepareBackBuffer();
    void ShowInfoText(int imageWidth, int imageHeight, double scale);
    CClientPoint ClampScrollForPaint(int extentWidth, int extentHeight);
    // What the back buffer shows besides the areas, for telling whether a part may be redrawn alone.
    CCanvasPaintState PaintState(const CMapDocument& doc, QSize extent, CClientPoint scroll) const;
    // Picture, grid and areas into part of the back buffer, the rest left as it is.
    void RedrawBackBuffer(const CMapDocument& doc, const QRect& part, QSize extent, CClientPoint scroll);
    void PaintAreasInto(const QRect& part, const CMapDocument& doc, CClientPoint scroll);
    void PaintRubberBand(QPainter& painter);
    // What the modifier keys of a left press ask of the select tool.
    static ESelectModifier SelectModifier(const QMouseEvent& event);
    void PaintMargins(QPainter& painter, int extentWidth, int extentHeight, CClientPoint scroll);
    void PaintFocusFrame(QPainter& painter);
    // Grid lines every grid step picture pixels over the picture in the back buffer.
    void PaintGrid(const QRect& part, double scale, int extentWidth, int extentHeight, CClientPoint scroll);
    // Where on the client area one area was and is, when a change touched that area alone.
    std::optional<QRect> RectOfChangedArea(const CMapDocument& doc, const CChangeNotice& notice) const;
    // Gives the tools the snapping settings and whether Alt suspends them for this event.
    void FollowSnapSettings(const QMouseEvent& event);

    // Offers the polygon vertex commands at client point p; false (no menu) when none applies.
    bool ShowVertexMenu(CClientPoint p, QPoint globalPos);

    // Tells the status bar the pixel under the pointer at p and, during a gesture, the selection's box.
    void ShowPositions(CClientPoint p);

    // Sets range, page and line steps of both bars from the scrolled extent and the client size.
    void UpdateScrollBars();
    // A click in a bar's trough scrolls by the default page: a tenth of the extent.
    void OnScrollBarAction(Qt::Orientation orientation, int action);

    CCanvasTools m_tools;
    CCanvasImage m_canvasImage;
    CFigureCache m_figures;
    QImage m_backBuffer;
    CCanvasRedraw m_redraw;
    QSize m_totalSize;  // the scrolled extent
    QTimer m_autoScrollTimer;
    QLabel* m_pInfoBar = nullptr;
    QWidget* m_pTabBarHost = nullptr;
    QMenu* m_pVertexMenu = nullptr;
    QAction* m_pInsertVertex = nullptr;
    QAction* m_pDeleteVertex = nullptr;
    // What the open menu's entries act on, good while the areas are those of this generation.
    CCanvasTools::CVertexChoice m_menuChoice;
    std::uint64_t m_menuGeneration = 0;
};

// Selects area alone, tells the document's views (sender aside) and brings the area into sight on
// every canvas of the document: what a list of areas does when a row is picked.
void SelectAndReveal(CMapDocument& document, CMapArea& area, CView* sender);

}  // namespace mapwright
