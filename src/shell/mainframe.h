// The program's one top-level window: menus, toolbar, the area where documents live, status bar.
#pragma once

#include <QMainWindow>
#include <QMap>

class QAction;
class QMdiArea;
class QMenu;
class QToolBar;

namespace mapwright {

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);

    // Returns the action of command id, or null when the frame has none.
    QAction* Command(int id) const { return m_commands.value(id, nullptr); }

    QMdiArea* MdiArea() const { return m_pMdiArea; }
    QToolBar* ToolBar() const { return m_wndToolBar; }

    // Puts text into the first pane of the status bar.
    void SetStatusText(const QString& text);

public slots:
    void OnAppAbout();
    void OnFileNew();
    void OnFileOpen();
    void OnHelpFinder();

private:
    QAction* AddCommand(int id, const QString& text, const QString& prompt);
    void CreateCommands();
    void CreateMenuNoDocument();
    void CreateToolBar();
    void OnUpdateCommands();

    QMap<int, QAction*> m_commands;
    QMdiArea* m_pMdiArea = nullptr;
    QToolBar* m_wndToolBar = nullptr;
};

}  // namespace mapwright
