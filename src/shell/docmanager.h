// The open documents and their windows: File New, File Open, the recent files, Save, Save As,
// Save All and Close with the save prompts, and the windows of each document (one, or more after
// "New Window"), kept in the order they were made.
#pragma once

#include "document/mapdocument.h"
#include "shell/recentfilelist.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class QWidget;

namespace mapwright {

class CDocumentWindow;
class CDocTabList;
class CFilePrompt;
class CMainFrame;
class CPrompt;

class CDocManager : public QObject {
    Q_OBJECT
public:
    // Base name of new documents, which are numbered from 1: "Mapwright1", "Mapwright2", ...
    static constexpr const char* kDocName = "Mapwright";

    // Documents ask prompt their questions; the manager asks filePrompt its own. New windows go
    // into mainFrame, their tab strips show tabList (may be null).
    CDocManager(CMainFrame& mainFrame, CDocTabList* tabList, CPrompt& prompt, CFilePrompt& filePrompt,
                QObject* parent = nullptr);
    ~CDocManager() override;

    // Whom the documents and the page commands ask their questions.
    CPrompt& Prompt() const { return m_prompt; }

    // A new document for the picture chosen in the image dialog, or for the dropped picture the
    // main frame names; null when none was made.
    CMapDocument* OnFileNew();
    // The open dialog, then every chosen file in the dialog's order; one that fails does not stop
    // the others.
    void OnFileOpen();
    // Opens the page at path in a new window, or activates the window that shows it already.
    // Null, after the document's message, when it cannot be opened.
    CMapDocument* OpenDocumentFile(const QString& path);
    // Opens recent file index; one that cannot be opened leaves the list.
    void OpenRecentFile(int index);

    // Saves document under its name, asking for one when it has none. True when it was written.
    bool DoFileSave(CMapDocument& document);
    // Asks for a name, then saves document under it. True when it was written.
    bool DoSaveAs(CMapDocument& document);
    // Saves every modified document, in the order of their windows.
    void SaveAll();
    // Asks whether to save a modified document: true to go on (saved or not), false on Cancel or
    // a failed save. An unmodified document goes on at once.
    bool SaveModified(CMapDocument& document);
    // Asks about every modified document in turn; false as soon as one is cancelled.
    bool SaveAllModified();
    // Closes document and all its windows after the save prompt; false when cancelled.
    bool CloseDocument(CMapDocument& document);
    // Closes every document and window without asking.
    void CloseAllDocuments();

    // Another window for document ("New Window").
    CDocumentWindow* CreateFrame(CMapDocument& document);
    // Asked when the user closes frame: the last window of a document asks the save prompt.
    bool CanCloseFrame(CDocumentWindow& frame);
    // Told by each window as it goes; the document goes with its last window.
    void OnFrameDestroyed(CDocumentWindow* frame);

    // The windows, in the order they were made.
    const std::vector<CDocumentWindow*>& Frames() const { return m_frames; }
    std::vector<CDocumentWindow*> FramesOf(const CMapDocument& document) const;
    // The open documents, in the order they were made.
    std::vector<CMapDocument*> Documents() const;

    CRecentFileList& RecentFiles() { return m_recentFiles; }

    // Every window of document shows its current title and modified mark, without numbers.
    void UpdateFrameCounts(const CMapDocument& document);

signals:
    void RecentFilesChanged();
    // A document's title, modified flag or windows changed, or the document went.
    void DocumentsChanged();

private:
    struct CDocumentEntry;

    std::unique_ptr<CMapDocument> MakeDocument();
    CMapDocument& Adopt(std::unique_ptr<CMapDocument> document);
    CDocumentEntry* FindEntry(const CMapDocument& document);
    CMapDocument* FindOpenDocument(const QString& absolutePath) const;
    bool Save(CMapDocument& document, const QString& path);
    void OnDocumentRefreshed(CMapDocument& document);
    void OnTabCommand(int command, CMapDocument* document);
    void AddRecentFile(const QString& path);
    void ForgetFrame(CDocumentWindow* frame);

    CMainFrame& m_mainFrame;
    CDocTabList* m_pTabList;
    CPrompt& m_prompt;
    CFilePrompt& m_filePrompt;
    std::vector<std::unique_ptr<CDocumentEntry>> m_documents;
    std::vector<CDocumentWindow*> m_frames;  // open windows; one being closed has left
    CRecentFileList m_recentFiles;
    int m_nUntitledCount = 0;
};

}  // namespace mapwright
