#include "shell/documentwindow.h"

#include "document/mapdocument.h"
#include "shell/canvaspane.h"
#include "shell/docmanager.h"
#include "views/canvasview.h"
#include "views/areaform.h"
#include "views/htmlpane.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QSplitter>

#include <algorithm>

namespace mapwright {

namespace {

bool IsInside(const QWidget* widget, const QWidget* container)
{
    return widget && container && (widget == container || container->isAncestorOf(widget));
}

}  // namespace

CDocumentWindow::CDocumentWindow(CMapDocument* document, CDocTabList* tabList, CDocManager* manager,
                                 const QSize& clientSize, QWidget* parent)
    : QMdiSubWindow(parent), m_pDocument(document), m_pDocManager(manager)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName("documentWindow");

    m_wndSplitter = new QSplitter(Qt::Horizontal);
    m_wndSplitter->setObjectName("outerSplitter");
    m_wndSplitter->setChildrenCollapsible(false);

    // The views are made in the order form, canvas, text pane, and so join the document in it.
    m_pForm = new CAreaForm(document, m_wndSplitter);
    m_wndSplitter2 = new QSplitter(Qt::Vertical, m_wndSplitter);
    m_wndSplitter2->setObjectName("innerSplitter");
    m_wndSplitter2->setChildrenCollapsible(false);
    m_pCanvasPane = new CCanvasPane(document, tabList, m_wndSplitter2);
    m_pTextPane = new CHtmlPane(document, m_wndSplitter2);
    m_pForm->setObjectName("form");
    m_pTextPane->setObjectName("textPane");
    // The shares decide the sizes; a pane too small for its contents scrolls or clips them.
    m_pForm->setMinimumWidth(1);
    m_pCanvasPane->setMinimumHeight(1);
    m_pTextPane->setMinimumHeight(1);
    m_pActiveView = m_pForm;

    setWidget(m_wndSplitter);
    OnCreateClient(clientSize);

    connect(m_wndSplitter, &QSplitter::splitterMoved, this, &CDocumentWindow::OnSplitterMoved);
    connect(m_wndSplitter2, &QSplitter::splitterMoved, this, &CDocumentWindow::OnSplitterMoved);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
    UpdateFrameTitle();
}

CDocumentWindow::~CDocumentWindow()
{
    // The views go first: they leave the document and the tab list while both still exist.
    delete widget();
    if (m_pDocManager)
        m_pDocManager->OnFrameDestroyed(this);
}

CCanvasView* CDocumentWindow::Canvas() const
{
    return m_pCanvasPane->Canvas();
}

CEditTarget* CDocumentWindow::EditTarget() const
{
    if (auto* canvas = qobject_cast<CCanvasView*>(QApplication::focusWidget()))
        return canvas;
    if (m_pActiveView == m_pTextPane)
        return m_pTextPane;
    return m_pForm;
}

void CDocumentWindow::OnCreateClient(const QSize& clientSize)
{
    // The form starts wide enough for a link of some 30 characters and the target list's entries,
    // but takes at most two fifths of a narrow window; the canvas row takes half the height, at
    // least 20 pixels; the shares follow from those.
    const int width = std::max(clientSize.width(), 1);
    const int height = std::max(clientSize.height(), 1);
    const int laidOut = CAreaForm::kMinLayoutWidth + 2 * m_pForm->frameWidth();
    const int formWidth = std::max({kInitialFormWidth, laidOut, std::min(m_pForm->PreferredWidth(), width * 2 / 5)});
    const int canvasHeight = std::max(height / 2, kMinCanvasHeight);
    m_fFormRatio = float(formWidth) / float(width);
    m_fCanvasRatio = float(canvasHeight) / float(height);
    m_wndSplitter->resize(width, height);
    m_wndSplitter->setSizes({formWidth, std::max(width - formWidth, 0)});
    m_wndSplitter2->setSizes({canvasHeight, std::max(height - canvasHeight, 0)});
    m_bSplittersReady = true;
}

void CDocumentWindow::resizeEvent(QResizeEvent* event)
{
    m_bTrackRatios = false;
    QMdiSubWindow::resizeEvent(event);
    if (m_bSplittersReady && !isMinimized())
        ApplyRatios();
    m_bTrackRatios = true;
}

void CDocumentWindow::changeEvent(QEvent* event)
{
    QMdiSubWindow::changeEvent(event);
    // Coming back from an icon the panes get their shares again, whatever size they return at.
    if (event->type() == QEvent::WindowStateChange && m_bSplittersReady && !isMinimized()) {
        m_bTrackRatios = false;
        ApplyRatios();
        m_bTrackRatios = true;
    }
}

void CDocumentWindow::ApplyRatios()
{
    const int width = m_wndSplitter->width();
    const int height = m_wndSplitter->height();
    if (width <= 0 || height <= 0)
        return;
    // Each handle takes its own width; the pane before it gets exactly its share.
    const int formWidth = static_cast<int>(width * m_fFormRatio);
    m_wndSplitter->setSizes({formWidth, std::max(width - m_wndSplitter->handleWidth() - formWidth, 0)});
    const int canvasHeight = static_cast<int>(height * m_fCanvasRatio);
    m_wndSplitter2->setSizes({canvasHeight, std::max(height - m_wndSplitter2->handleWidth() - canvasHeight, 0)});
}

void CDocumentWindow::OnSplitterMoved()
{
    if (!m_bTrackRatios || !m_bSplittersReady)
        return;
    const int width = m_wndSplitter->width();
    const int height = m_wndSplitter2->height();
    if (width > 0)
        m_fFormRatio = float(m_wndSplitter->sizes().value(0)) / float(width);
    if (height > 0)
        m_fCanvasRatio = float(m_wndSplitter2->sizes().value(0)) / float(height);
}

void CDocumentWindow::OnFocusChanged(QWidget* now)
{
    if (IsInside(now, m_pForm))
        m_pActiveView = m_pForm;
    else if (IsInside(now, m_pTextPane))
        m_pActiveView = m_pTextPane;
}

void CDocumentWindow::UpdateFrameTitle()
{
    const std::string& title = m_pDocument->GetTitle();
    setWindowTitle(QFile::decodeName(QByteArray(title.data(), qsizetype(title.size()))) + "[*]");
    setWindowModified(m_pDocument->IsModified());
}

void CDocumentWindow::ActivateNextPane(bool forward)
{
    QWidget* const panes[] = {m_pForm, Canvas(), m_pTextPane};
    int current = 0;
    for (int i = 0; i < 3; ++i) {
        if (IsInside(QApplication::focusWidget(), i == 1 ? m_pCanvasPane : panes[i]))
            current = i;
    }
    const int next = (current + (forward ? 1 : 2)) % 3;
    panes[next]->setFocus(Qt::ShortcutFocusReason);
}

void CDocumentWindow::CloseWithoutPrompt()
{
    m_bClosingWithoutPrompt = true;
    close();
}

void CDocumentWindow::closeEvent(QCloseEvent* event)
{
    if (!m_bClosingWithoutPrompt && m_pDocManager && !m_pDocManager->CanCloseFrame(*this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

}  // namespace mapwright
