#include "shell/mapwrightapp.h"

#include "mapwrightversion.h"
#include "platform/appsettings.h"
#include "platform/logfont.h"
#include "platform/qtprompt.h"
#include "platform/settingsstore.h"
#include "shell/docmanager.h"
#include "shell/instancechannel.h"
#include "shell/mainframe.h"
#include "shell/qtfileprompt.h"
#include "shell/shellviewhost.h"
#include "views/afterfirstframe.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

namespace mapwright {

namespace {

bool LiesOnAScreen(const QRect& rect)
{
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->availableVirtualGeometry().intersects(rect))
            return true;
    }
    return false;
}

}  // namespace

CMapwrightApp::CMapwrightApp(const CAppOptions& options) : m_options(options)
{
    QApplication::setOrganizationName("Quillon");
    QApplication::setApplicationName("Mapwright");
    QApplication::setApplicationDisplayName("Mapwright");
    QApplication::setApplicationVersion(kMapwrightVersion);
    // Lets Wayland compositors and task bars match the windows to the installed desktop entry.
    QGuiApplication::setDesktopFileName("io.github.quillon.Mapwright");
    m_pChannel = m_options.strServerName.isEmpty()
                     ? std::make_unique<CInstanceChannel>()
                     : std::make_unique<CInstanceChannel>(m_options.strServerName, nullptr);
}

CMapwrightApp::~CMapwrightApp()
{
    if (m_pDocManager)
        m_pDocManager->disconnect();
    m_pMainFrame.reset();
    SetViewHost(nullptr);
}

bool CMapwrightApp::HandOverToRunningEditor(const QStringList& files)
{
    return m_pChannel->SendToRunning(files);
}

bool CMapwrightApp::InitInstance()
{
    m_pStore = m_options.strSettingsPath.isEmpty() ? std::make_unique<CSettingsStore>()
                                                   : std::make_unique<CSettingsStore>(m_options.strSettingsPath);

    m_pMainFrame = std::make_unique<CMainFrame>();
    m_pViewHost = std::make_unique<CShellViewHost>(*m_pMainFrame);
    SetViewHost(m_pViewHost.get());
    m_pPrompt = m_options.pPrompt;
    if (!m_pPrompt)
        m_pPrompt = (m_pOwnPrompt = std::make_unique<CQtPrompt>(m_pMainFrame.get())).get();
    CFilePrompt* filePrompt = m_options.pFilePrompt;
    if (!filePrompt)
        filePrompt = (m_pOwnFilePrompt = std::make_unique<CQtFilePrompt>(m_pMainFrame.get())).get();
    m_pDocManager = std::make_unique<CDocManager>(*m_pMainFrame, m_pMainFrame->TabList(), *m_pPrompt, *filePrompt);
    m_pMainFrame->SetDocManager(m_pDocManager.get());
    m_pMainFrame->SetCloseHandler([this] { return OnCloseRequest(); });
    QObject::connect(m_pDocManager.get(), &CDocManager::RecentFilesChanged, m_pMainFrame.get(),
                     [this] { OnRecentFilesChanged(); });
    m_pDocManager->RecentFiles().SetPaths(m_pStore->LoadRecentFiles());
    m_pMainFrame->ShowRecentFiles(m_pDocManager->RecentFiles().Paths());

    const CStoredPlacement placement = m_pStore->LoadPlacement();
    if (placement.m_rcNormal && LiesOnAScreen(*placement.m_rcNormal))
        m_pMainFrame->setGeometry(*placement.m_rcNormal);
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        m_pMainFrame->resize(screen->availableSize() * 3 / 4);

    QObject::connect(m_pChannel.get(), &CInstanceChannel::FilesReceived, m_pMainFrame.get(),
                     [this](const QStringList& files) { OnShellOpen(files); });
    m_pChannel->Listen();

    if (placement.m_bMaximized)
        m_pMainFrame->showMaximized();
    else
        m_pMainFrame->show();

    const int dpiY = ScreenDpiY();
    ApplyViewerLogFont(AppSettings(), DefaultViewerLogFont(dpiY), dpiY);
    LoadSettings();
    return true;
}

void CMapwrightApp::OnShellOpen(const QStringList& files)
{
    m_pMainFrame->OnDropFiles(files);
}

void CMapwrightApp::LoadSettings()
{
    m_pStore->LoadSettings(AppSettings());
    m_pMainFrame->LoadBarState(m_pStore->LoadBarState());
}

void CMapwrightApp::SaveSettings()
{
    m_pStore->SaveSettings(AppSettings());
    // Also here, in case the window closes before a start's first frame let the write go.
    m_pStore->SaveRecentFiles(m_pDocManager->RecentFiles().Paths());
    m_pStore->SaveBarState(m_pMainFrame->SaveBarState());
    const bool maximized = m_pMainFrame->isMaximized();
    const QRect normal = maximized || m_pMainFrame->isMinimized() ? m_pMainFrame->normalGeometry()
                                                                  : m_pMainFrame->geometry();
    m_pStore->SavePlacement(normal, maximized);
    m_pStore->Sync();
}

bool CMapwrightApp::OnCloseRequest()
{
    SaveSettings();
    if (!m_pDocManager->SaveAllModified())
        return false;
    m_pDocManager->CloseAllDocuments();
    return true;
}

void CMapwrightApp::OnRecentFilesChanged()
{
    m_pMainFrame->ShowRecentFiles(m_pDocManager->RecentFiles().Paths());
    // Writing the settings file waits for a start's first frame; the list as it is by then.
    afterfirstframe::Run(m_pMainFrame.get(), [this] {
        m_pStore->SaveRecentFiles(m_pDocManager->RecentFiles().Paths());
        m_pStore->Sync();
    });
}

}  // namespace mapwright
