#include "shell/shellviewhost.h"

#include "shell/doctablist.h"
#include "shell/mainframe.h"

namespace mapwright {

void CShellViewHost::SetStatusText(const QString& text)
{
    m_frame.SetStatusText(text);
}

void CShellViewHost::ShowScaleInZoomBox(double scale)
{
    m_frame.ShowScaleInZoomBox(scale);
}

void CShellViewHost::AddDocTab(QWidget* form, CMapDocument* document)
{
    m_frame.TabList()->Add(form, document);
}

void CShellViewHost::RemoveDocTab(QWidget* form)
{
    m_frame.TabList()->Remove(form);
}

void CShellViewHost::RefreshAllTabs()
{
    m_frame.TabList()->RefreshAll();
}

void CShellViewHost::ShowPointer(const QString& text)
{
    m_frame.ShowPointer(text);
}

void CShellViewHost::ShowSelectionBox(const QString& text)
{
    m_frame.ShowSelectionBox(text);
}

}  // namespace mapwright
