#include "shell/doctablist.h"

#include "document/mapdocument.h"
#include "platform/bytecodec.h"
#include "shell/doctabbar.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>

namespace mapwright {

CDocTabList::CDocTabList(QObject* parent) : QObject(parent) {}

void CDocTabList::Add(QWidget* view, CMapDocument* document)
{
    if (!view || !document || IndexOf(view) >= 0)
        return;
    m_entries.push_back({view, view, document, 0, 0});
    connect(view, &QObject::destroyed, this, [this, view] { Remove(view); });
    RefreshAll();
}

void CDocTabList::Remove(QWidget* view)
{
    const int index = IndexOf(view);
    if (index < 0)
        return;
    disconnect(view, &QObject::destroyed, this, nullptr);
    RemoveAt(index);
}

void CDocTabList::SetErrorMark(const CMapDocument* document, bool marked)
{
    if (HasErrorMark(document) == marked)
        return;
    if (marked)
        m_errorMarks.push_back(document);
    else
        std::erase(m_errorMarks, document);
    RefreshAll();
}

bool CDocTabList::HasErrorMark(const CMapDocument* document) const
{
    return std::find(m_errorMarks.begin(), m_errorMarks.end(), document) != m_errorMarks.end();
}

void CDocTabList::RemoveAt(int index)
{
    const CMapDocument* document = m_entries[std::size_t(index)].m_pDocument;
    m_entries.erase(m_entries.begin() + index);
    // A later document at the same address must not inherit the mark.
    if (std::none_of(m_entries.begin(), m_entries.end(), [&](const CDocTabEntry& e) { return e.m_pDocument == document; }))
        std::erase(m_errorMarks, document);
    if (index < m_nCursor)
        --m_nCursor;
    if (m_entries.empty())
        emit Emptied();
    RefreshAll();
}

void CDocTabList::UpdateAllDocuments()
{
    // An update may close a document; walk a copy and skip entries that went meanwhile.
    const std::vector<CDocTabEntry> entries = m_entries;
    for (const CDocTabEntry& entry : entries) {
        if (IndexOf(static_cast<const QWidget*>(entry.m_pKey)) >= 0)
            entry.m_pDocument->UpdateAllViews(nullptr, CChangeNotice::Of(EChangeKind::kDisplay, EChangeCause::kProgram));
    }
}

void CDocTabList::RefreshAll()
{
    std::erase_if(m_tabBars, [](const QPointer<CDocTabBar>& tabBar) { return tabBar.isNull(); });
    for (const QPointer<CDocTabBar>& tabBar : m_tabBars)
        tabBar->Refresh();
}

QWidget* CDocTabList::GetNextView()
{
    if (m_nCursor >= GetCount())
        return nullptr;
    return m_entries[std::size_t(m_nCursor++)].m_pView;
}

int CDocTabList::IndexOf(const QWidget* view) const
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [view](const CDocTabEntry& entry) { return entry.m_pKey == view; });
    return found == m_entries.end() ? -1 : int(found - m_entries.begin());
}

namespace {

QString Decoded(const std::string& bytes)
{
    return QFile::decodeName(QByteArray(bytes.data(), qsizetype(bytes.size())));
}

// The name of the folder that holds path, empty for a page without a path.
QString FolderName(const std::string& path)
{
    return path.empty() ? QString() : QFileInfo(QFileInfo(Decoded(path)).absolutePath()).fileName();
}

}  // namespace

QString CDocTabList::TabTitle(int index) const
{
    const CMapDocument* document = GetEntry(index).m_pDocument;
    const std::string& title = document->GetTitle();
    const bool shared = std::any_of(m_entries.begin(), m_entries.end(), [&](const CDocTabEntry& other) {
        return other.m_pDocument != document && other.m_pDocument->GetTitle() == title;
    });
    const QString folder = shared ? FolderName(document->GetPathName()) : QString();
    QString text = folder.isEmpty() ? DecodeBytes(title) : DecodeBytes(title) + QStringLiteral(" \u2014 ") + folder;
    // Windows of one page (Window > New Window) are told apart by their number, in opening order.
    int windows = 0, number = 0;
    for (int i = 0; i < GetCount(); ++i) {
        if (m_entries[static_cast<std::size_t>(i)].m_pDocument == document) {
            ++windows;
            if (i == index)
                number = windows;
        }
    }
    if (windows > 1)
        text += QStringLiteral(" (%1)").arg(number);
    return text;
}

QString CDocTabList::TabToolTip(int index) const
{
    const CMapDocument* document = GetEntry(index).m_pDocument;
    const std::string& path = document->GetPathName();
    return QDir::toNativeSeparators(Decoded(path.empty() ? document->GetTitle() : path));
}

QMdiSubWindow* CDocTabList::FrameOf(QWidget* view)
{
    for (QWidget* widget = view; widget; widget = widget->parentWidget()) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(widget))
            return frame;
    }
    return nullptr;
}

bool CDocTabList::IsActiveEntry(int index) const
{
    QMdiSubWindow* frame = FrameOf(GetEntry(index).m_pView);
    QMdiArea* area = frame ? frame->mdiArea() : nullptr;
    return area && area->currentSubWindow() == frame;
}

void CDocTabList::RegisterTabBar(CDocTabBar* tabBar)
{
    m_tabBars.emplace_back(tabBar);
}

void CDocTabList::UnregisterTabBar(CDocTabBar* tabBar)
{
    std::erase_if(m_tabBars, [tabBar](const QPointer<CDocTabBar>& registered) {
        return registered.isNull() || registered == tabBar;
    });
}

}  // namespace mapwright
