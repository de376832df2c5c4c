#include "model/document.h"

#include <algorithm>

namespace mapwright {

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

CDocument::~CDocument()
{
    for (CView* view : m_views) {
        view->OnDocumentClosing();
        view->m_pDocument = nullptr;
    }
}

void CDocument::SetPathName(const std::string& path, bool setTitle)
{
    m_strPathName = path;
    if (setTitle) {
        const std::size_t cut = path.find_last_of(":\\/");
        m_strTitle = cut == std::string::npos ? path : path.substr(cut + 1);
    }
}

void CDocument::AddView(CView* view)
{
    if (view->m_pDocument == this)
        return;
    if (view->m_pDocument)
        view->m_pDocument->RemoveView(view);
    m_views.push_back(view);
    view->m_pDocument = this;
}

void CDocument::RemoveView(CView* view)
{
    const auto found = std::find(m_views.begin(), m_views.end(), view);
    if (found == m_views.end())
        return;
    m_views.erase(found);
    view->m_pDocument = nullptr;
}

void CDocument::UpdateAllViews(CView* sender, const CChangeNotice& notice)
{
    // A view may close other views of the document while it updates, so each one is looked up
    // again before it is called.
    const std::vector<CView*> views = m_views;
    for (CView* view : views) {
        if (view == sender)
            continue;
        if (std::find(m_views.begin(), m_views.end(), view) == m_views.end())
            continue;
        view->OnUpdate(sender, notice);
    }
}

CCaretHost* CDocument::GetLastCaretHost() const
{
    for (auto it = m_views.rbegin(); it != m_views.rend(); ++it) {
        if (CCaretHost* caret = (*it)->GetCaretHost())
            return caret;
    }
    return nullptr;
}

}  // namespace mapwright
