#include "views/viewhost.h"

namespace mapwright {
namespace {

class CNoViewHost final : public CViewHost {
public:
    void SetStatusText(const QString&) override {}
    void ShowScaleInZoomBox(double) override {}
    void AddDocTab(QWidget*, CMapDocument*) override {}
    void RemoveDocTab(QWidget*) override {}
    void RefreshAllTabs() override {}
};

CNoViewHost g_noViewHost;
CViewHost* g_pViewHost = nullptr;

}  // namespace

CViewHost& ViewHost()
{
    return g_pViewHost ? *g_pViewHost : g_noViewHost;
}

void SetViewHost(CViewHost* host)
{
    g_pViewHost = host;
}

}  // namespace mapwright
