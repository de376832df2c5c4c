// The process-wide list behind every document tab bar: one entry per document frame, in the
// order the frames were made. Each frame's tab bar registers itself here while it lives, so the
// list never reaches the bar of a frame that has closed.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <vector>

class QMdiSubWindow;

namespace mapwright {

class CDocTabBar;
class CMapDocument;

struct CDocTabEntry {
    QPointer<QWidget> m_pView;                // the frame's form, or the frame itself
    const QObject* m_pKey = nullptr;          // the same, to find the entry while it is destroyed
    CMapDocument* m_pDocument = nullptr;  // not owned; outlives the entry
    int m_nLeft = 0;                          // strip coordinate of the tab, set by the last layout
    int m_nWidth = 0;                         // width of the tab, set by the last layout
};

class CDocTabList : public QObject {
    Q_OBJECT
public:
    explicit CDocTabList(QObject* parent = nullptr);

    // Appends an entry for the frame that holds view (or is view), showing document; the entry
    // also goes when view is destroyed. The list grows as needed; a view already listed is not
    // added again.
    void Add(QWidget* view, CMapDocument* document);
    // Removes the entry of view; nothing when it has none. Emits Emptied when the last one goes.
    void Remove(QWidget* view);
    // Tells every view of every entry's document to update, in entry order.
    void UpdateAllDocuments();
    // Relays out and repaints every tab bar.
    void RefreshAll();

    // Iteration over the views in entry order, as Save All walks them. Removing an entry while
    // iterating neither skips nor repeats the others.
    void ResetIterator() { m_nCursor = 0; }
    // Returns the next entry's view, or null after the last.
    QWidget* GetNextView();

    int GetCount() const { return int(m_entries.size()); }
    const CDocTabEntry& GetEntry(int index) const { return m_entries[std::size_t(index)]; }
    CDocTabEntry& GetEntry(int index) { return m_entries[std::size_t(index)]; }
    // The index of the entry of view, or -1.
    int IndexOf(const QWidget* view) const;

    // The text of entry index's tab: the document's title, followed by its folder's name where
    // another document's tab would read the same. Windows of one document share their title.
    QString TabTitle(int index) const;
    // The full path of entry index's document, or its title while it has none.
    QString TabToolTip(int index) const;

    // The document frame that holds view, or view itself when it is one; null when it is in none.
    static QMdiSubWindow* FrameOf(QWidget* view);
    // True when entry index lies in the current document frame of its window.
    bool IsActiveEntry(int index) const;

    // Called by the tab bars as they are made and destroyed.
    void RegisterTabBar(CDocTabBar* tabBar);
    void UnregisterTabBar(CDocTabBar* tabBar);

    int m_nActive = -1;  // entry of the active frame at the last layout, -1 for none

    // Whether the tabs of document show the mark of a page with errors; repaints when it changes.
    void SetErrorMark(const CMapDocument* document, bool marked);
    bool HasErrorMark(const CMapDocument* document) const;

signals:
    // A tab's menu asks for command (ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_SAVE_ALL or
    // ID_FILE_CLOSE) on the document of view, the entry's view.
    void TabCommand(int command, QWidget* view, mapwright::CMapDocument* document);
    // The last entry went: the zoom box goes back to "100%" and off.
    void Emptied();

private:
    void RemoveAt(int index);

    int m_nCursor = 0;
    std::vector<CDocTabEntry> m_entries;
    std::vector<QPointer<CDocTabBar>> m_tabBars;
    std::vector<const CMapDocument*> m_errorMarks;
};

}  // namespace mapwright
