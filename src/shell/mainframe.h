// The program's one top-level window: the menus (one set while no document is open, one while a
// document window is active), the toolbar with the zoom box, the area where the document windows
// live, the status bar, and files dropped from a file manager.
#pragma once

#include "document/imagechoice.h"
#include "shell/commands.h"
#include "shell/mapcommands.h"

#include <QMainWindow>
#include <QMap>

#include <functional>

class QAction;
class QDockWidget;
class QLabel;
class QMdiArea;
class QMenu;
class QMdiSubWindow;
class QToolBar;

namespace mapwright {

class CDocumentWindow;
class CDocManager;
class CDocTabList;
class CLockKeyIndicators;
class CMapDocument;
class CProblemsPane;
class CAreaListPane;
class CZoomComboBox;

// The two sets of menus the menu bar shows.
enum class EMenuSet {
    kNoDocument,  // File, View and Help while no document window is open
    kDocument,    // the full set while a document window is active
};

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The action of command id, or null when there is none.
    QAction* Command(int id) const { return m_commands.value(id, nullptr); }
    // Carries out command id as its menu entry would; nothing while it is disabled.
    void OnCommand(int id);
    // What the commands read and act on, as it is now.
    CCommandContext CommandContext();

    QMdiArea* MdiArea() const { return m_pMdiArea; }
    QToolBar* ToolBar() const { return m_wndToolBar; }
    CZoomComboBox* ZoomBox() const { return m_wndZoom; }
    QLabel* StatusPane() const { return m_pStatusPane; }
    CLockKeyIndicators* LockKeys() const { return m_pLockKeys; }
    // The Problems dock, its list, and the status-bar pane with its counts.
    QDockWidget* ProblemsDock() const { return m_pProblemsDock; }
    CProblemsPane* ProblemsPane() const { return m_pProblems; }
    QDockWidget* AreasDock() const { return m_pAreasDock; }
    CAreaListPane* AreaListPane() const { return m_pAreaList; }
    QLabel* ProblemCountPane() const { return m_pProblemCount; }
    // The process-wide list behind every document tab bar.
    CDocTabList* TabList() const { return m_pTabList; }
    // The picture new documents take: the image dialog's last path, or a dropped picture.
    CImageChoice& ImageChoice() { return m_imageChoice; }
    // The dialogs of the Map menu: Qt's, unless a test put its own in (null puts Qt's back).
    CMapDialogs& MapDialogs() { return m_pMapDialogs ? *m_pMapDialogs : m_qtMapDialogs; }
    void SetMapDialogs(CMapDialogs* dialogs) { m_pMapDialogs = dialogs; }
    // The menus of set, in menu-bar order.
    const QList<QMenu*>& Menus(EMenuSet set) const
    {
        return set == EMenuSet::kNoDocument ? m_noDocumentMenus : m_documentMenus;
    }

    // Puts text into the first pane of the status bar.
    void SetStatusText(const QString& text);
    // Shows scale (1.0 = 100 %) in the zoom box.
    void ShowScaleInZoomBox(double scale);
    // The status-bar panes of the picture: the pixel under the pointer, the selected area's box.
    void ShowPointer(const QString& text);
    void ShowSelectionBox(const QString& text);
    QLabel* PointerPane() const { return m_pPointerPane; }
    QLabel* SelectionPane() const { return m_pSelectionPane; }

    // The active document window: the one last activated, while there is one.
    CDocumentWindow* ActiveFrame() const;
    CMapDocument* ActiveDocument() const;
    // Shows frame maximized among the document windows and makes it the active one.
    void AddFrame(CDocumentWindow* frame);
    void ActivateFrame(CDocumentWindow* frame);

    // The documents behind New, Open, drops, the recent files and the Window menu; not owned.
    void SetDocManager(CDocManager* manager);
    // Asked at every close request; returning false keeps the window open.
    void SetCloseHandler(std::function<bool()> handler) { m_closeHandler = std::move(handler); }
    // Shows paths as the recent files of the File menus, newest first.
    void ShowRecentFiles(const QStringList& paths);
    // The number of recent files the File menus show.
    int RecentFileCount() const { return int(m_recentFiles.size()); }

    // Files dropped or handed over, in order: a picture gets a new document, anything else is
    // opened as a page. One that fails does not stop the others.
    void OnDropFiles(const QStringList& paths);

    // The bars' visibility and places, and back; state that does not fit is ignored.
    QByteArray SaveBarState() const;
    void LoadBarState(const QByteArray& state);

    // Recomputes the enabled and checked state of every command, and which menus show.
    void UpdateActions();
    // The same, once, at the next turn of the event loop however often it is asked.
    void RequestUpdateActions();

public slots:
    void OnAppAbout();
    void OnHelpFinder();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateCommands();
    void CreateMenus();
    QMenu* AddMenu(QList<QMenu*>& menus, const QString& title, std::initializer_list<int> ids);
    void CreateToolBar();
    void CreateStatusBar();
    void CreateProblemsDock();
    void CreateAreasDock();
    // The counts and the tab mark after the Problems pane checked its document.
    void ShowProblemCounts(CMapDocument* document);
    void ShowMenus(EMenuSet set);
    void UpdateWindowMenu(QMenu* menu);
    void OnSubWindowActivated(QMdiSubWindow* window);
    void RestoreActiveFrameState();
    void OnZoomBox(void (*handler)(CMapDocument&, CZoomComboBox&));

    QMap<int, QAction*> m_commands;
    // The commands with a key of their own on the picture, which every canvas takes on.
    QList<QAction*> m_canvasKeyCommands;
    QList<QMenu*> m_noDocumentMenus;
    QList<QMenu*> m_documentMenus;
    QMenu* m_pWindowMenu = nullptr;
    QList<QAction*> m_windowListActions;
    QStringList m_recentFiles;  // as the File menus show them

    QToolBar* m_wndToolBar = nullptr;
    CZoomComboBox* m_wndZoom = nullptr;
    CImageChoice m_imageChoice;
    QLabel* m_pStatusPane = nullptr;
    QLabel* m_pPointerPane = nullptr;
    QLabel* m_pSelectionPane = nullptr;
    CLockKeyIndicators* m_pLockKeys = nullptr;
    QDockWidget* m_pProblemsDock = nullptr;
    CProblemsPane* m_pProblems = nullptr;
    QDockWidget* m_pAreasDock = nullptr;
    CAreaListPane* m_pAreaList = nullptr;
    QLabel* m_pProblemCount = nullptr;
    QMdiArea* m_pMdiArea = nullptr;
    CDocTabList* m_pTabList = nullptr;
    CDocManager* m_pDocManager = nullptr;
    std::function<bool()> m_closeHandler;
    bool m_bUpdatePending = false;
    bool m_bFrameStateStale = false;  // a document window came or went since the last update
    CQtMapDialogs m_qtMapDialogs{this};
    CMapDialogs* m_pMapDialogs = nullptr;
};

}  // namespace mapwright
