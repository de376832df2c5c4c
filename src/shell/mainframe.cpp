#include "shell/mainframe.h"

#include "shell/aboutdlg.h"
#include "shell/commandids.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

// Resources of a static library must be registered by name, from the global namespace.
static void InitResources()
{
    Q_INIT_RESOURCE(mapwright);
}

namespace mapwright {

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent)
{
    InitResources();
    setWindowTitle(tr("Mapwright"));
    setWindowIcon(QIcon(":/mapwright.png"));

    m_pMdiArea = new QMdiArea(this);
    m_pMdiArea->setObjectName("mdiArea");
    setCentralWidget(m_pMdiArea);

    CreateCommands();
    CreateMenuNoDocument();
    CreateToolBar();
    statusBar()->showMessage(tr("Ready"));

    // Checked states follow the bars they describe, whoever hides them.
    connect(menuBar(), &QMenuBar::hovered, this, &CMainFrame::OnUpdateCommands);
    for (QMenu* menu : menuBar()->findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::OnUpdateCommands);
    OnUpdateCommands();
}

void CMainFrame::SetStatusText(const QString& text)
{
    statusBar()->showMessage(text);
}

QAction* CMainFrame::AddCommand(int id, const QString& text, const QString& prompt)
{
    auto* action = new QAction(text, this);
    action->setData(id);
    const QStringList parts = prompt.split('\n');
    action->setStatusTip(parts.value(0));
    action->setToolTip(parts.value(1, parts.value(0)));
    m_commands.insert(id, action);
    return action;
}

void CMainFrame::CreateCommands()
{
    QStyle* style = QApplication::style();

    QAction* newMap = AddCommand(ID_FILE_NEW, tr("&New Map..."), tr("Create a new document\nNew"));
    newMap->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    newMap->setIcon(style->standardIcon(QStyle::SP_FileIcon));
    connect(newMap, &QAction::triggered, this, &CMainFrame::OnFileNew);

    QAction* open = AddCommand(ID_FILE_OPEN, tr("&Open Map"), tr("Open an existing document\nOpen"));
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    open->setIcon(style->standardIcon(QStyle::SP_DialogOpenButton));
    connect(open, &QAction::triggered, this, &CMainFrame::OnFileOpen);

    // The recent-file list is empty until documents can be opened; the entry then stays disabled.
    QAction* recent = AddCommand(ID_FILE_MRU_FILE1, tr("Recent File"), tr("Open this document"));
    recent->setEnabled(false);

    QAction* exit = AddCommand(ID_APP_EXIT, tr("E&xit"),
                               tr("Quit the application; prompts to save documents\nExit"));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QAction* toolBar = AddCommand(ID_VIEW_TOOLBAR, tr("&Toolbar"), tr("Show or hide the toolbar\nToggle ToolBar"));
    toolBar->setCheckable(true);
    connect(toolBar, &QAction::triggered, this, [this](bool on) { m_wndToolBar->setVisible(on); });

    QAction* statusBarCommand = AddCommand(ID_VIEW_STATUS_BAR, tr("&Status Bar"),
                                           tr("Show or hide the status bar\nToggle StatusBar"));
    statusBarCommand->setCheckable(true);
    connect(statusBarCommand, &QAction::triggered, this, [this](bool on) { statusBar()->setVisible(on); });

    QAction* help = AddCommand(ID_HELP_FINDER, tr("&Help Topics"), tr("List Help topics\nHelp Topics"));
    connect(help, &QAction::triggered, this, &CMainFrame::OnHelpFinder);

    QAction* about = AddCommand(ID_APP_ABOUT, tr("&About Mapwright..."),
                                tr("Display program information, version number and copyright\nAbout"));
    about->setIcon(style->standardIcon(QStyle::SP_MessageBoxInformation));
    connect(about, &QAction::triggered, this, &CMainFrame::OnAppAbout);
}

void CMainFrame::CreateMenuNoDocument()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(Command(ID_FILE_NEW));
    file->addAction(Command(ID_FILE_OPEN));
    file->addSeparator();
    file->addAction(Command(ID_FILE_MRU_FILE1));
    file->addSeparator();
    file->addAction(Command(ID_APP_EXIT));

    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->addAction(Command(ID_VIEW_TOOLBAR));
    view->addAction(Command(ID_VIEW_STATUS_BAR));

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(Command(ID_HELP_FINDER));
    help->addSeparator();
    help->addAction(Command(ID_APP_ABOUT));
}

void CMainFrame::CreateToolBar()
{
    m_wndToolBar = addToolBar(tr("Toolbar"));
    m_wndToolBar->setObjectName("toolBar");
    m_wndToolBar->setIconSize(QSize(16, 16));
    m_wndToolBar->addAction(Command(ID_FILE_NEW));
    m_wndToolBar->addAction(Command(ID_FILE_OPEN));
    m_wndToolBar->addSeparator();
    m_wndToolBar->addAction(Command(ID_APP_ABOUT));
    connect(m_wndToolBar, &QToolBar::visibilityChanged, this, &CMainFrame::OnUpdateCommands);
}

void CMainFrame::OnUpdateCommands()
{
    Command(ID_VIEW_TOOLBAR)->setChecked(!m_wndToolBar->isHidden());
    Command(ID_VIEW_STATUS_BAR)->setChecked(!statusBar()->isHidden());
}

void CMainFrame::OnAppAbout()
{
    CAboutDlg about(this);
    about.exec();
}

void CMainFrame::OnFileNew()
{
    QMessageBox::information(this, windowTitle(), tr("Creating a new map is not available yet in this build."));
}

void CMainFrame::OnFileOpen()
{
    QMessageBox::information(this, windowTitle(), tr("Opening a map is not available yet in this build."));
}

void CMainFrame::OnHelpFinder()
{
    QMessageBox::warning(this, windowTitle(), tr("Failed to launch help."));
}

}  // namespace mapwright
