#include "shell/vavedidivovapp.h"

#include "shell/mainframe.h"

#include <QApplication>
#include <QScreen>

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
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        m_pMainFrame->resize(screen->availableSize() * 3 / 4);
    m_pMainFrame->show();
    return true;
}

}  // namespace mapwright
