#include "shell/vavedidivovapp.h"

#include "shell/mainframe.h"

#include <QApplication>

namespace mapwright {

CVavedIdivovApp::CVavedIdivovApp()
{
    QApplication::setOrganizationName("Quillon");
    QApplication::setApplicationName("Mapwright");
    QApplication::setApplicationDisplayName("Mapwright");
    QApplication::setApplicationVersion("1.2");
}

CVavedIdivovApp::~CVavedIdivovApp() = default;

bool CVavedIdivovApp::InitInstance()
{
    m_pMainFrame = std::make_unique<CMainFrame>();
    m_pMainFrame->show();
    return true;
}

}  // namespace mapwright
