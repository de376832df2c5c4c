// The document/view protocol: a document with a modified flag, a title and a path, and the views
// that observe it. Views learn of changes only through UpdateAllViews; the sender is never told.
#pragma once

#include "model/changenotice.h"

#include <string>
#include <vector>

namespace mapwright {

class CDocument;

// The caret of a text view: where its selection starts, and putting a collapsed selection back.
class CCaretHost {
public:
    virtual ~CCaretHost() = default;

    // Returns the start of the selection as a character position.
    virtual int GetSelectionStart() const = 0;

    // Sets the selection to (position, position) and scrolls it into view.
    virtual void SetSelectionAndScroll(int position) = 0;
};

// An observer of one document. A view detaches itself when it is destroyed first.
class CView {
public:
    CView() = default;
    CView(const CView&) = delete;
    CView& operator=(const CView&) = delete;
    virtual ~CView();

    // Called by UpdateAllViews of the document for every view except the sender.
    virtual void OnUpdate(CView* sender, const CChangeNotice& notice) = 0;

    // Called when the document is destroyed while this view still observes it, before the view
    // is detached: a view that keeps pointers into the document lets go of them here.
    virtual void OnDocumentClosing() {}

    // Returns the caret this view offers the document, or null when it has none.
    virtual CCaretHost* GetCaretHost() { return nullptr; }

    // Returns the document this view is attached to, or null.
    CDocument* GetDocument() const { return m_pDocument; }

private:
    friend class CDocument;
    CDocument* m_pDocument = nullptr;
};

class CDocument {
public:
    CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;
    virtual ~CDocument();

    // Sets or clears the flag that the document differs from its file.
    void SetModifiedFlag(bool modified = true) { m_bModified = modified; }
    // True while the document differs from its file.
    bool IsModified() const { return m_bModified; }

    void SetTitle(const std::string& title) { m_strTitle = title; }
    const std::string& GetTitle() const { return m_strTitle; }

    // Stores the full path; with setTitle the title becomes its file name (after the last ':', '\' or '/').
    void SetPathName(const std::string& path, bool setTitle = true);
    const std::string& GetPathName() const { return m_strPathName; }

    // Attaches view at the end of the view list, moving it from any other document first.
    void AddView(CView* view);
    // Detaches view; does nothing when it is not a view of this document.
    void RemoveView(CView* view);
    // The views in the order they were added.
    const std::vector<CView*>& GetViews() const { return m_views; }

    // Calls OnUpdate(sender, notice) on every view except sender, in view order. A view removed
    // while the update runs is not called any more; a view added meanwhile is not called.
    void UpdateAllViews(CView* sender, const CChangeNotice& notice = {});

    // Returns the caret of the last view that offers one, or null.
    CCaretHost* GetLastCaretHost() const;

private:
    bool m_bModified = false;
    std::string m_strTitle;
    std::string m_strPathName;
    std::vector<CView*> m_views;
};

}  // namespace mapwright
