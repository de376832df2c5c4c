// The application object: start-up of the editor and the process-wide settings.
#pragma once

#include <memory>

namespace mapwright {

class CMainFrame;

class CVavedIdivovApp {
public:
    CVavedIdivovApp();
    ~CVavedIdivovApp();

    // Creates and shows the main frame; returns false when the program should end.
    bool InitInstance();

    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }

private:
    std::unique_ptr<CMainFrame> m_pMainFrame;
};

}  // namespace mapwright
