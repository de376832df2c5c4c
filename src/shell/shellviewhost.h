// What the views need of the shell, answered by the main frame and its document tab list.
#pragma once

#include "views/viewhost.h"

namespace mapwright {

class CMainFrame;

class CShellViewHost final : public CViewHost {
public:
    explicit CShellViewHost(CMainFrame& frame) : m_frame(frame) {}

    void SetStatusText(const QString& text) override;
    void ShowScaleInZoomBox(double scale) override;
    void AddDocTab(QWidget* form, CMapDocument* document) override;
    void RemoveDocTab(QWidget* form) override;
    void RefreshAllTabs() override;
    void ShowPointer(const QString& text) override;
    void ShowSelectionBox(const QString& text) override;

private:
    CMainFrame& m_frame;
};

}  // namespace mapwright
