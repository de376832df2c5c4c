// The application object: start-up of the editor, the process-wide settings and their store, the
// documents, and the files a later start hands over.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>

namespace mapwright {

class CDocManager;
class CFilePrompt;
class CInstanceChannel;
class CMainFrame;
class CPrompt;
class CSettingsStore;
class CShellViewHost;

// Where a run keeps its state and whom it asks; the defaults are the user's own.
struct CAppOptions {
    QString strSettingsPath;              // an INI file instead of the user's settings
    QString strServerName;                // a socket path instead of the user's editor channel
    CPrompt* pPrompt = nullptr;           // the documents' questions; Qt dialogs when null
    CFilePrompt* pFilePrompt = nullptr;   // save prompts and file dialogs; Qt dialogs when null
};

class CMapwrightApp {
public:
    explicit CMapwrightApp(const CAppOptions& options = {});
    ~CMapwrightApp();

    // A later start: hands files to the editor already running for this user. True when it took
    // them, and this start has nothing more to do.
    bool HandOverToRunningEditor(const QStringList& files);
    // Makes and shows the main frame, the default font and the stored settings; returns false when
    // the program should end.
    bool InitInstance();
    // The desktop's request to open files: each is taken as if dropped on the window, in order.
    void OnShellOpen(const QStringList& files);

    // Reads the stored settings over the defaults, then the bars' state.
    void LoadSettings();
    // Writes the settings, the bars' state and the window placement.
    void SaveSettings();
    // A close request of the main window: the settings are written whatever follows, then every
    // modified document is asked about. False when the user cancelled: the program runs on.
    bool OnCloseRequest();

    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }
    CDocManager* DocManager() const { return m_pDocManager.get(); }

private:
    void OnRecentFilesChanged();

    CAppOptions m_options;
    std::unique_ptr<CSettingsStore> m_pStore;
    std::unique_ptr<CPrompt> m_pOwnPrompt;
    CPrompt* m_pPrompt = nullptr;  // the documents' questions, own or given
    std::unique_ptr<CFilePrompt> m_pOwnFilePrompt;
    std::unique_ptr<CInstanceChannel> m_pChannel;
    // Declared before the frame, so the windows, which report to it, go first.
    std::unique_ptr<CDocManager> m_pDocManager;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    std::unique_ptr<CShellViewHost> m_pViewHost;
};

}  // namespace mapwright
