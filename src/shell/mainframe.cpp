#include "shell/mainframe.h"

#include "views/statustexts.h"

#include "html/pathrules.h"
#include "shell/documentwindow.h"
#include "shell/aboutdlg.h"
#include "shell/commands.h"
#include "shell/docmanager.h"
#include "shell/doctablist.h"
#include "shell/droppedfile.h"
#include "shell/helpfiles.h"
#include "shell/lockkeyindicators.h"
#include "shell/scalecommands.h"
#include "shell/zoomcombobox.h"
#include "views/canvasview.h"
#include "views/htmlpane.h"
#include "views/arealistpane.h"
#include <QTreeView>
#include "views/problemspane.h"
#include "views/viewhost.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDataStream>
#include <QDockWidget>
#include <QDropEvent>
#include <QFile>
#include <QIconEngine>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPixmapCache>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

// Resources of a static library must be registered by name, from the global namespace.
static void InitResources()
{
    Q_INIT_RESOURCE(mapwright);
}

namespace mapwright {

namespace {

constexpr int kZoomBoxWidth = 80;
// Marks the saved bar state as ours, so state of another kind is not taken for it.
constexpr quint32 kBarStateMagic = 0x4d574231;  // "MWB1"

// Our own icon of name, or none while the resource lacks it.
QIcon OwnIcon(const QString& name)
{
    const QString path = QStringLiteral(":/icons/%1.svg").arg(name);
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

// Our application icon: the PNGs rendered at build time at the sizes the window system takes,
// and the SVG at any other size or mode.
class CAppIconEngine : public QIconEngine {
public:
    explicit CAppIconEngine(QIcon svg) : m_svg(std::move(svg)) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap rendered;
        if (mode == QIcon::Normal && state == QIcon::Off && size.width() == size.height()) {
            const QString path = RenderedPath(size.width());
            if (!QPixmapCache::find(path, &rendered) && rendered.load(path))
                QPixmapCache::insert(path, rendered);
        }
        return rendered.isNull() ? m_svg.pixmap(size, 1.0, mode, state) : rendered;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        m_svg.paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        QList<QSize> sizes;
        if (mode == QIcon::Normal && state == QIcon::Off) {
            for (const int side : kRenderedSides) {
                if (QFile::exists(RenderedPath(side)))
                    sizes << QSize(side, side);
            }
        }
        return sizes;
    }

    QIconEngine* clone() const override { return new CAppIconEngine(m_svg); }
    QString key() const override { return QStringLiteral("mapwright-app"); }

private:
    static constexpr int kRenderedSides[] = {16, 32, 64, 128};
    static QString RenderedPath(int side)
    {
        return QStringLiteral(":/windowicon/%1x%1/io.github.quillon.Mapwright.png").arg(side);
    }

    QIcon m_svg;
};

QIcon CommandIcon(const CCommand& command)
{
    const QIcon own = *command.pszIcon ? OwnIcon(command.pszIcon) : QIcon();
    return *command.pszTheme ? QIcon::fromTheme(command.pszTheme, own) : own;
}

// The local files that dragged data offers, in order; empty when it offers none.
QStringList LocalFiles(const QMimeData* data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    return files;
}

std::string PathBytes(const QString& path)
{
    const QByteArray bytes = QFile::encodeName(path);
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

}  // namespace

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent)
{
    InitResources();
    setObjectName("mainFrame");
    setWindowTitle(QStringLiteral("Mapwright"));
    // The document windows take the application's icon, not their main window's.
    QApplication::setWindowIcon(QIcon::fromTheme("mapwright", QIcon(new CAppIconEngine(OwnIcon("mapwright")))));
    setWindowIcon(QApplication::windowIcon());

    m_pTabList = new CDocTabList(this);
    m_pMdiArea = new QMdiArea(this);
    m_pMdiArea->setObjectName("mdiArea");
    m_pMdiArea->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    setCentralWidget(m_pMdiArea);

    CreateCommands();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreateProblemsDock();
    CreateAreasDock();
    ShowRecentFiles({});

    connect(m_pMdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);
    connect(m_pTabList, &CDocTabList::Emptied, m_wndZoom, &CZoomComboBox::Reset);
    connect(qApp, &QApplication::focusChanged, this, &CMainFrame::RequestUpdateActions);
    if (QClipboard* clipboard = QApplication::clipboard())
        connect(clipboard, &QClipboard::dataChanged, this, &CMainFrame::RequestUpdateActions);
    connect(m_wndToolBar, &QToolBar::visibilityChanged, this, &CMainFrame::RequestUpdateActions);

    // Files dropped anywhere in the window open, even over a text field that takes text drops.
    setAcceptDrops(true);
    qApp->installEventFilter(this);

    UpdateActions();
}

CMainFrame::~CMainFrame()
{
    qApp->removeEventFilter(this);
    // The bars and docks are hidden as QWidget's destructor closes the window, when this frame is
    // no longer one: they must not call it back.
    for (QObject* sender : std::initializer_list<QObject*>{m_wndToolBar, m_pProblemsDock, m_pAreasDock}) {
        if (sender)
            sender->disconnect(this);
    }
    // The document windows go while the frame and its tab list are whole.
    delete m_pMdiArea;
    m_pMdiArea = nullptr;
}

void CMainFrame::CreateCommands()
{
    for (const CCommand& command : CommandTable()) {
        auto* action = new QAction(QString::fromLatin1(command.pszText), this);
        action->setData(command.nId);
        const QStringList prompt = QString::fromLatin1(command.pszPrompt).split('\n');
        action->setStatusTip(prompt.value(0));
        action->setToolTip(prompt.value(1, prompt.value(0)));
        // A button without its icon shows this short name, never the menu text with its keys.
        action->setIconText(action->toolTip());
        action->setWhatsThis(prompt.value(0));
        action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(command.pszKeys)));
        action->setIcon(CommandIcon(command));
        action->setCheckable(command.bCheckable);
        action->setEnabled(false);
        // The checked state is computed, never toggled by a click: the handler changes the state.
        connect(action, &QAction::triggered, this, [this, id = command.nId] { OnCommand(id); });
        m_commands.insert(command.nId, action);
        // Commands of keys alone work anywhere in the window.
        if (!*command.pszText)
            addAction(action);
        // A letter that is a command on the picture stays a letter in the text pane and the form.
        if (*command.pszCanvasKey) {
            action->setShortcut(QKeySequence(QString::fromLatin1(command.pszCanvasKey)));
            action->setShortcutContext(Qt::WidgetShortcut);
            action->setToolTip(action->toolTip() + " (" + command.pszCanvasKey + ")");
            m_canvasKeyCommands.append(action);
        }
    }
}

QMenu* CMainFrame::AddMenu(QList<QMenu*>& menus, const QString& title, std::initializer_list<int> ids)
{
    auto* menu = new QMenu(title, this);
    for (const int id : ids) {
        if (id == kMenuSeparator)
            menu->addSeparator();
        else
            menu->addAction(Command(id));
    }
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateActions);
    menus.append(menu);
    return menu;
}

void CMainFrame::CreateMenus()
{
    constexpr int sep = kMenuSeparator;
    AddMenu(m_noDocumentMenus, "&File",
            {ID_FILE_NEW, ID_FILE_OPEN, sep, ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE2, ID_FILE_MRU_FILE3,
             ID_FILE_MRU_FILE4, sep, ID_APP_EXIT});
    AddMenu(m_noDocumentMenus, "&View", {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_VIEW_PROBLEMS, ID_VIEW_AREA_LIST});
    AddMenu(m_noDocumentMenus, "&Help", {ID_HELP_FINDER, sep, ID_APP_ABOUT});

    AddMenu(m_documentMenus, "&File",
            {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_SAVE_ALL, sep,
             ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE2, ID_FILE_MRU_FILE3, ID_FILE_MRU_FILE4, sep, ID_APP_EXIT});
    AddMenu(m_documentMenus, "&Edit",
            {ID_EDIT_UNDO, ID_EDIT_REDO, sep, ID_EDIT_COPY, ID_EDIT_PASTE, sep, ID_EDIT_CLEAR, sep, ID_COPY_MAP,
             sep, ID_SETTINGS, sep, ID_PASTE_TO_PAGEWRIGHT});
    QMenu* view = AddMenu(m_documentMenus, "&View", {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_VIEW_PROBLEMS, ID_VIEW_AREA_LIST, sep});
    QMenu* scale = view->addMenu("S&cale");
    for (const int id : {ID_SCALE_25, ID_SCALE_50, ID_SCALE_75, ID_SCALE_100, ID_SCALE_150, ID_SCALE_200,
                         ID_SCALE_300, ID_SCALE_400, ID_SCALE_600, ID_SCALE_800})
        scale->addAction(Command(id));
    connect(scale, &QMenu::aboutToShow, this, &CMainFrame::UpdateActions);
    view->addSeparator();
    view->addActions({Command(ID_HATCH_AREAS), Command(ID_DRAG_HANDLES)});
    view->addSeparator();
    view->addActions({Command(ID_VIEW_GRID), Command(ID_SNAP_TO_GRID)});
    view->addSeparator();
    view->addAction(Command(ID_TEST_IN_BROWSER));
    AddMenu(m_documentMenus, "&Action",
            {ID_TOOL_SELECT, sep, ID_TOOL_ZOOM, sep, ID_TOOL_RECT, ID_TOOL_CIRCLE, ID_TOOL_POLY});
    AddMenu(m_documentMenus, "&Map",
            {ID_REPLACE_PICTURE, ID_SCALE_MAP, sep, ID_EXPORT_SVG, ID_COPY_SVG, sep, ID_SELECT_ALL_AREAS, sep,
             ID_AREA_TO_TOP, ID_AREA_UP, ID_AREA_DOWN, ID_AREA_TO_BOTTOM});
    m_pWindowMenu = AddMenu(m_documentMenus, "&Window",
                            {ID_WINDOW_NEW, ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_ARRANGE});
    connect(m_pWindowMenu, &QMenu::aboutToShow, this, [this] { UpdateWindowMenu(m_pWindowMenu); });
    AddMenu(m_documentMenus, "&Help", {ID_HELP_FINDER, sep, ID_APP_ABOUT});

    ShowMenus(EMenuSet::kNoDocument);
}

void CMainFrame::ShowMenus(EMenuSet set)
{
    const QList<QMenu*>& menus = Menus(set);
    const QList<QAction*> shown = menuBar()->actions();
    if (shown.size() == menus.size() && std::equal(shown.begin(), shown.end(), menus.begin(),
                                                   [](QAction* action, QMenu* menu) { return action == menu->menuAction(); }))
        return;
    menuBar()->clear();
    for (QMenu* menu : menus)
        menuBar()->addMenu(menu);
    // The same command shows a different text in the two File menus.
    Command(ID_FILE_OPEN)->setText(set == EMenuSet::kNoDocument ? "&Open Map\tCtrl+O" : "&Open Map...\tCtrl+O");
}

void CMainFrame::UpdateWindowMenu(QMenu* menu)
{
    for (QAction* action : std::as_const(m_windowListActions)) {
        menu->removeAction(action);
        delete action;
    }
    m_windowListActions.clear();
    if (!m_pDocManager || m_pDocManager->Frames().empty())
        return;
    m_windowListActions << menu->addSeparator();
    int number = 1;
    for (CDocumentWindow* frame : m_pDocManager->Frames()) {
        QString title = frame->windowTitle().remove("[*]");
        auto* action = menu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(title.replace('&', "&&")));
        action->setCheckable(true);
        action->setChecked(frame == ActiveFrame());
        connect(action, &QAction::triggered, this, [this, frame] { ActivateFrame(frame); });
        m_windowListActions << action;
    }
}

void CMainFrame::CreateToolBar()
{
    m_wndToolBar = addToolBar("Toolbar");
    m_wndToolBar->setObjectName("toolBar");
    m_wndToolBar->setIconSize(QSize(16, 16));
    const auto addButtons = [this](std::initializer_list<int> ids) {
        for (const int id : ids)
            m_wndToolBar->addAction(Command(id));
        m_wndToolBar->addSeparator();
    };
    addButtons({ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE});
    addButtons({ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR, ID_PASTE_TO_PAGEWRIGHT});
    addButtons({ID_HATCH_AREAS, ID_DRAG_HANDLES});
    addButtons({ID_EDIT_UNDO, ID_EDIT_REDO});

    m_wndZoom = new CZoomComboBox(m_wndToolBar);
    m_wndZoom->setFixedWidth(kZoomBoxWidth);
    m_wndZoom->setToolTip("Scale");
    m_wndZoom->setWhatsThis("Choose or type the scale of the picture, from 25% to 800%.");
    m_wndToolBar->addWidget(m_wndZoom);
    m_wndToolBar->addSeparator();
    m_wndZoom->setEnabled(false);
    connect(m_wndZoom, &CZoomComboBox::SelChange, this, [this] { OnZoomBox(&OnZoomSelChange); });
    connect(m_wndZoom, &CZoomComboBox::EditChange, this, [this] { OnZoomBox(&OnZoomEditChange); });
    connect(m_wndZoom, &CZoomComboBox::KillFocus, this, [this] { OnZoomBox(&OnZoomKillFocus); });

    addButtons({ID_TOOL_SELECT, ID_TOOL_ZOOM, ID_TOOL_RECT, ID_TOOL_CIRCLE, ID_TOOL_POLY});
    for (const int id : {ID_TEST_IN_BROWSER, ID_APP_ABOUT, ID_CONTEXT_HELP})
        m_wndToolBar->addAction(Command(id));
}

void CMainFrame::CreateStatusBar()
{
    m_pStatusPane = new QLabel("Ready", statusBar());
    m_pStatusPane->setObjectName("statusPane");
    m_pStatusPane->setTextFormat(Qt::PlainText);
    statusBar()->addWidget(m_pStatusPane, 1);
    // Wide enough for a large picture's numbers, so the bar does not jump while the pointer moves.
    const auto addPane = [this](const char* name, const QString& widest, const QString& tip) {
        auto* pane = new QLabel(statusBar());
        pane->setObjectName(name);
        pane->setTextFormat(Qt::PlainText);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(widest) + 8);
        pane->setToolTip(tip);
        statusBar()->addPermanentWidget(pane);
        return pane;
    };
    m_pPointerPane = addPane("pointerPane", "00000, 00000", "Picture pixel under the pointer");
    m_pSelectionPane = addPane("selectionPane", "00000, 00000, 00000 \u00d7 00000", "Selected area: x, y, width \u00d7 height");
    m_pLockKeys = new CLockKeyIndicators(statusBar());
    m_pProblemCount = new QLabel(statusBar());
    m_pProblemCount->setObjectName("problemCountPane");
    m_pProblemCount->setTextFormat(Qt::PlainText);
    statusBar()->addPermanentWidget(m_pProblemCount);
}

void CMainFrame::CreateProblemsDock()
{
    m_pProblemsDock = new QDockWidget("Problems", this);
    // The name keeps its visibility and place in the saved bar state.
    m_pProblemsDock->setObjectName("problemsDock");
    m_pProblems = new CProblemsPane(m_pProblemsDock);
    m_pProblemsDock->setWidget(m_pProblems);
    addDockWidget(Qt::BottomDockWidgetArea, m_pProblemsDock);
    // About five findings high at first, so that the document windows keep most of the room.
    resizeDocks({m_pProblemsDock}, {5 * m_pProblems->fontMetrics().height() + 20}, Qt::Vertical);
    connect(m_pProblems, &CProblemsPane::FindingsChanged, this, &CMainFrame::ShowProblemCounts);
    connect(m_pProblemsDock, &QDockWidget::visibilityChanged, this, &CMainFrame::RequestUpdateActions);
}

void CMainFrame::CreateAreasDock()
{
    m_pAreasDock = new QDockWidget("Areas", this);
    m_pAreasDock->setObjectName("areasDock");
    m_pAreaList = new CAreaListPane(m_pAreasDock);
    m_pAreasDock->setWidget(m_pAreaList);
    addDockWidget(Qt::RightDockWidgetArea, m_pAreasDock);
    // The stacking commands and their keys reach the list's rows too.
    for (const int id : {ID_AREA_TO_TOP, ID_AREA_UP, ID_AREA_DOWN, ID_AREA_TO_BOTTOM, ID_SELECT_ALL_AREAS})
        m_pAreaList->List()->addAction(Command(id));
    connect(m_pAreasDock, &QDockWidget::visibilityChanged, this, &CMainFrame::RequestUpdateActions);
}

void CMainFrame::ShowProblemCounts(CMapDocument* document)
{
    m_pProblemCount->setText(document ? m_pProblems->CountsText() : QString());
    if (document)
        m_pTabList->SetErrorMark(document, m_pProblems->CountOf(ESeverity::kError) > 0);
}

void CMainFrame::ShowPointer(const QString& text)
{
    m_pPointerPane->setText(text);
}

void CMainFrame::ShowSelectionBox(const QString& text)
{
    m_pSelectionPane->setText(text);
}

void CMainFrame::OnCommand(int id)
{
    // A key may arrive before the state caught up with the last change: look again.
    UpdateActions();
    QAction* action = Command(id);
    const CCommand* command = FindCommand(id);
    if (action && action->isEnabled() && command && command->pfnRun)
        command->pfnRun(CommandContext());
    // A checkable entry flips itself when clicked; the state it shows is the computed one.
    UpdateActions();
}

void CMainFrame::OnZoomBox(void (*handler)(CMapDocument&, CZoomComboBox&))
{
    if (CMapDocument* document = ActiveDocument())
        handler(*document, *m_wndZoom);
}

void CMainFrame::SetStatusText(const QString& text)
{
    statusBar()->clearMessage();
    m_pStatusPane->setText(text);
}

void CMainFrame::ShowScaleInZoomBox(double scale)
{
    m_wndZoom->ShowScale(scale);
}

CDocumentWindow* CMainFrame::ActiveFrame() const
{
    // The current window stays current while a dialog has the activation.
    return m_pMdiArea ? qobject_cast<CDocumentWindow*>(m_pMdiArea->currentSubWindow()) : nullptr;
}

CMapDocument* CMainFrame::ActiveDocument() const
{
    CDocumentWindow* frame = ActiveFrame();
    return frame ? frame->GetActiveDocument() : nullptr;
}

void CMainFrame::AddFrame(CDocumentWindow* frame)
{
    frame->Canvas()->addActions(m_canvasKeyCommands);
    m_pMdiArea->addSubWindow(frame);
    frame->showMaximized();
    ActivateFrame(frame);
}

void CMainFrame::ActivateFrame(CDocumentWindow* frame)
{
    if (frame->isMinimized())
        frame->showNormal();
    m_pMdiArea->setActiveSubWindow(frame);
    // Activating a window that was already active tells nobody; the state must still show it.
    OnSubWindowActivated(frame);
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow* window)
{
    // Losing the activation to a dialog or another program leaves the current window as it is.
    if (auto* frame = qobject_cast<CDocumentWindow*>(window)) {
        m_pTabList->RefreshAll();
        m_wndZoom->setEnabled(true);
        m_wndZoom->ShowScale(frame->GetActiveDocument()->Display().dZoom);
    }
    RequestUpdateActions();
}

void CMainFrame::SetDocManager(CDocManager* manager)
{
    m_pDocManager = manager;
    if (manager)
        connect(manager, &CDocManager::DocumentsChanged, this, [this] {
            m_bFrameStateStale = true;
            RequestUpdateActions();
        });
}

void CMainFrame::ShowRecentFiles(const QStringList& paths)
{
    CRecentFileList list;
    list.SetPaths(paths);
    m_recentFiles = list.Paths();
    for (int i = 0; i < CRecentFileList::kSize; ++i) {
        QAction* action = Command(ID_FILE_MRU_FILE1 + i);
        const bool used = i < list.Paths().size();
        // With no recent file the first entry stays as a disabled placeholder.
        action->setText(used ? list.MenuText(i) : i == 0 ? "Recent File" : QString());
        action->setVisible(used || i == 0);
        action->setStatusTip(used ? "Open this document: " + list.Paths()[i] : "Open this document");
    }
    RequestUpdateActions();
}

void CMainFrame::OnDropFiles(const QStringList& paths)
{
    if (isMinimized())
        showNormal();
    activateWindow();
    raise();
    if (!m_pDocManager)
        return;
    for (const QString& path : paths) {
        const std::string bytes = PathBytes(path);
        if (IsDroppedImage(bytes)) {
            m_imageChoice.m_bPromptForImage = 0;
            m_imageChoice.m_strDroppedImagePath = bytes;
            m_imageChoice.m_strDroppedImageName = FileNameOf(bytes);
            m_pDocManager->OnFileNew();
            m_imageChoice.m_bPromptForImage = 1;
        } else {
            m_pDocManager->OpenDocumentFile(path);
        }
    }
}

QByteArray CMainFrame::SaveBarState() const
{
    QByteArray state;
    QDataStream stream(&state, QIODevice::WriteOnly);
    stream << kBarStateMagic << !statusBar()->isHidden() << saveState();
    return state;
}

void CMainFrame::LoadBarState(const QByteArray& state)
{
    QDataStream stream(state);
    quint32 magic = 0;
    bool statusBarVisible = true;
    QByteArray barState;
    stream >> magic >> statusBarVisible >> barState;
    if (stream.status() != QDataStream::Ok || magic != kBarStateMagic)
        return;
    restoreState(barState);
    statusBar()->setVisible(statusBarVisible);
    RequestUpdateActions();
}

void CMainFrame::RequestUpdateActions()
{
    if (m_bUpdatePending)
        return;
    m_bUpdatePending = true;
    QTimer::singleShot(0, this, [this] {
        m_bUpdatePending = false;
        if (m_bFrameStateStale) {
            m_bFrameStateStale = false;
            RestoreActiveFrameState();
        }
        UpdateActions();
    });
}

void CMainFrame::RestoreActiveFrameState()
{
    // A window closed behind the active one takes the main window's modified mark and the
    // keyboard focus along; the active window gives both back, as a click on its tab would.
    CDocumentWindow* frame = ActiveFrame();
    if (!frame)
        return;
    if (frame->isMaximized())
        setWindowModified(frame->isWindowModified());
    QWidget* focus = QApplication::focusWidget();
    const bool focusLost = !focus || focus == m_pMdiArea || (m_pMdiArea->isAncestorOf(focus) && !frame->isAncestorOf(focus));
    if (focusLost && frame->ActiveView())
        frame->ActiveView()->setFocus(Qt::OtherFocusReason);
}

CCommandContext CMainFrame::CommandContext()
{
    CCommandContext context{*this};
    context.pDocManager = m_pDocManager;
    context.pWindow = ActiveFrame();
    if (context.pWindow) {
        context.pDocument = context.pWindow->GetActiveDocument();
        context.pEditTarget = context.pWindow->EditTarget();
        context.pTypingPane = qobject_cast<CHtmlPane*>(context.pWindow->ActiveView());
    }
    return context;
}

void CMainFrame::UpdateActions()
{
    const CCommandContext context = CommandContext();
    m_pProblems->SetDocument(context.pDocument);
    m_pAreaList->SetDocument(context.pDocument);
    for (const CCommand& command : CommandTable()) {
        const CCommandState state = command.pfnState(context);
        QAction* action = Command(command.nId);
        action->setEnabled(state.bEnabled && command.pfnRun);
        if (action->isCheckable())
            action->setChecked(state.bChecked);
    }
    ShowMenus(context.pWindow ? EMenuSet::kDocument : EMenuSet::kNoDocument);
    ShowSelectionBox(SelectionBoxText(context.pDocument));
    // The zoom box serves the active document; with none it shows "100%" and rests.
    if (!context.pWindow)
        m_wndZoom->Reset();
    m_wndZoom->setEnabled(context.pWindow != nullptr);
}

void CMainFrame::OnAppAbout()
{
    CAboutDlg about(this);
    about.exec();
}

void CMainFrame::OnHelpFinder()
{
    if (!OpenUserManual())
        QMessageBox::warning(this, windowTitle(), "Failed to launch help.");
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (m_closeHandler && !m_closeHandler()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const QStringList files = LocalFiles(drop->mimeData());
    // Anything but files (text dragged between fields) is the widget's own business.
    if (files.isEmpty())
        return false;
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop) {
        // The files are opened after the drop has finished, so that a question asked on the way
        // does not hold the file manager's drag.
        QTimer::singleShot(0, this, [this, files] { OnDropFiles(files); });
    }
    return true;
}

}  // namespace mapwright
