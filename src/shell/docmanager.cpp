#include "shell/docmanager.h"

#include "html/fileops.h"
#include "html/pathrules.h"
#include "model/document.h"
#include "shell/documentwindow.h"
#include "shell/commandids.h"
#include "shell/doctablist.h"
#include "shell/fileprompt.h"
#include "shell/mainframe.h"

#include <QFile>
#include <QFileInfo>
#include <QMdiArea>

#include <algorithm>

namespace mapwright {

namespace {

std::string PathBytes(const QString& path)
{
    const QByteArray bytes = QFile::encodeName(path);
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

QString PathText(const std::string& bytes)
{
    return QFile::decodeName(QByteArray(bytes.data(), qsizetype(bytes.size())));
}

// The same file for two absolute paths: the same link-free path when the file exists.
bool SameFile(const QString& a, const QString& b)
{
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    const QString canonicalB = QFileInfo(b).canonicalFilePath();
    if (!canonicalA.isEmpty() && !canonicalB.isEmpty())
        return canonicalA == canonicalB;
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

// Tells the manager of every update of the document it watches.
class CDocumentWatcher final : public CView {
public:
    explicit CDocumentWatcher(std::function<void()> onUpdate) : m_onUpdate(std::move(onUpdate)) {}
    void OnUpdate(CView*, const CChangeNotice&) override { m_onUpdate(); }

private:
    std::function<void()> m_onUpdate;
};

}  // namespace

struct CDocManager::CDocumentEntry {
    // The watcher is declared last so that it leaves the document before the document goes.
    std::unique_ptr<CMapDocument> pDocument;
    std::unique_ptr<CDocumentWatcher> pWatcher;
    int nFrames = 0;        // windows made and not yet destroyed
    bool bClosing = false;  // its last window is going
};

CDocManager::CDocManager(CMainFrame& mainFrame, CDocTabList* tabList, CPrompt& prompt, CFilePrompt& filePrompt,
                         QObject* parent)
    : QObject(parent), m_mainFrame(mainFrame), m_pTabList(tabList), m_prompt(prompt), m_filePrompt(filePrompt)
{
    if (m_pTabList) {
        connect(m_pTabList, &CDocTabList::TabCommand, this,
                [this](int command, QWidget*, CMapDocument* document) { OnTabCommand(command, document); });
    }
}

CDocManager::~CDocManager() = default;

std::unique_ptr<CMapDocument> CDocManager::MakeDocument()
{
    auto document = std::make_unique<CMapDocument>();
    document->SetPrompt(&m_prompt);
    document->SetImageChoice(&m_mainFrame.ImageChoice());
    CMapDocument* raw = document.get();
    document->SetTabBarRefresh([this, raw] { OnDocumentRefreshed(*raw); });
    return document;
}

CMapDocument& CDocManager::Adopt(std::unique_ptr<CMapDocument> document)
{
    auto entry = std::make_unique<CDocumentEntry>();
    entry->pDocument = std::move(document);
    entry->pWatcher = std::make_unique<CDocumentWatcher>([this] { emit DocumentsChanged(); });
    entry->pDocument->AddView(entry->pWatcher.get());
    CMapDocument& adopted = *entry->pDocument;
    m_documents.push_back(std::move(entry));
    return adopted;
}

CDocManager::CDocumentEntry* CDocManager::FindEntry(const CMapDocument& document)
{
    const auto found = std::find_if(m_documents.begin(), m_documents.end(),
                                    [&](const auto& entry) { return entry->pDocument.get() == &document; });
    return found == m_documents.end() ? nullptr : found->get();
}

std::vector<CMapDocument*> CDocManager::Documents() const
{
    std::vector<CMapDocument*> documents;
    for (const auto& entry : m_documents) {
        if (!entry->bClosing)
            documents.push_back(entry->pDocument.get());
    }
    return documents;
}

std::vector<CDocumentWindow*> CDocManager::FramesOf(const CMapDocument& document) const
{
    std::vector<CDocumentWindow*> frames;
    std::copy_if(m_frames.begin(), m_frames.end(), std::back_inserter(frames),
                 [&](CDocumentWindow* frame) { return frame->GetActiveDocument() == &document; });
    return frames;
}

CMapDocument* CDocManager::OnFileNew()
{
    std::unique_ptr<CMapDocument> document = MakeDocument();
    document->SetTitle(kDocName + std::to_string(m_nUntitledCount + 1));
    if (!document->OnNewDocument())
        return nullptr;
    ++m_nUntitledCount;
    CMapDocument& adopted = Adopt(std::move(document));
    CreateFrame(adopted);
    return &adopted;
}

void CDocManager::OnFileOpen()
{
    for (const QString& path : m_filePrompt.ChooseOpenPaths())
        OpenDocumentFile(path);
}

CMapDocument* CDocManager::FindOpenDocument(const QString& absolutePath) const
{
    for (CMapDocument* document : Documents()) {
        if (!document->GetPathName().empty() && SameFile(PathText(document->GetPathName()), absolutePath))
            return document;
    }
    return nullptr;
}

CMapDocument* CDocManager::OpenDocumentFile(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (CMapDocument* open = FindOpenDocument(absolute)) {
        const std::vector<CDocumentWindow*> frames = FramesOf(*open);
        if (!frames.empty())
            m_mainFrame.ActivateFrame(frames.front());
        return open;
    }

    std::unique_ptr<CMapDocument> document = MakeDocument();
    if (!document->OnOpenDocument(PathBytes(absolute)))
        return nullptr;
    CMapDocument& adopted = Adopt(std::move(document));
    CreateFrame(adopted);
    AddRecentFile(absolute);
    return &adopted;
}

void CDocManager::OpenRecentFile(int index)
{
    const QString path = m_recentFiles.Paths().value(index);
    if (path.isEmpty())
        return;
    if (!OpenDocumentFile(path)) {
        m_recentFiles.Remove(int(m_recentFiles.Paths().indexOf(path)));
        emit RecentFilesChanged();
    }
}

CDocumentWindow* CDocManager::CreateFrame(CMapDocument& document)
{
    CDocumentEntry* entry = FindEntry(document);
    if (!entry)
        return nullptr;
    auto* frame = new CDocumentWindow(&document, m_pTabList, this, m_mainFrame.MdiArea()->viewport()->size());
    ++entry->nFrames;
    m_frames.push_back(frame);
    m_mainFrame.AddFrame(frame);
    UpdateFrameCounts(document);
    emit DocumentsChanged();
    return frame;
}

void CDocManager::UpdateFrameCounts(const CMapDocument& document)
{
    for (CDocumentWindow* frame : FramesOf(document))
        frame->UpdateFrameTitle();
}

void CDocManager::OnDocumentRefreshed(CMapDocument& document)
{
    if (m_pTabList)
        m_pTabList->RefreshAll();
    UpdateFrameCounts(document);
    emit DocumentsChanged();
}

bool CDocManager::Save(CMapDocument& document, const QString& path)
{
    const bool saved = document.OnSaveDocument(PathBytes(path));
    document.SaveCompleted();
    if (saved)
        AddRecentFile(path);
    UpdateFrameCounts(document);
    emit DocumentsChanged();
    return saved;
}

bool CDocManager::DoFileSave(CMapDocument& document)
{
    const QString path = PathText(document.GetPathName());
    if (path.isEmpty())
        return DoSaveAs(document);
    // A page that may not be written where it is gets a new name instead, saying why.
    if (IsReadOnlyFile(document.GetPathName())) {
        m_filePrompt.TellReadOnly(path);
        return DoSaveAs(document);
    }
    return Save(document, path);
}

bool CDocManager::DoSaveAs(CMapDocument& document)
{
    QString initial = PathText(document.GetPathName());
    if (initial.isEmpty()) {
        // A new page is offered in its picture's folder, named after its title.
        QString name = PathText(document.GetTitle());
        if (!name.contains('.'))
            name += ".htm";
        initial = PathText(document.SaveDialogFolder()) + name;
    }
    for (;;) {
        const QString chosen = m_filePrompt.ChooseSavePath(initial);
        if (chosen.isEmpty())
            return false;
        const QString path = QFileInfo(chosen).absoluteFilePath();
        // The dialog's "replace?" does not mention that the file is read-only; replacing one
        // takes a second yes, and a no goes back to the dialog.
        if (!IsReadOnlyFile(PathBytes(path)) || m_filePrompt.AskReplaceReadOnly(path))
            return Save(document, path);
        initial = path;
    }
}

void CDocManager::SaveAll()
{
    if (m_pTabList)
        m_pTabList->RefreshAll();
    // A document in two windows is saved once: after the first save it is no longer modified.
    const std::vector<CDocumentWindow*> frames = m_frames;
    for (CDocumentWindow* frame : frames) {
        CMapDocument* document = frame->GetActiveDocument();
        if (FindEntry(*document) && document->IsModified())
            DoFileSave(*document);
    }
}

bool CDocManager::SaveModified(CMapDocument& document)
{
    if (!document.IsModified())
        return true;
    const std::string& name = document.GetPathName().empty() ? document.GetTitle() : document.GetPathName();
    switch (m_filePrompt.AskSaveChanges(PathText(name))) {
    case CFilePrompt::ESaveAnswer::kYes: return DoFileSave(document);
    case CFilePrompt::ESaveAnswer::kNo: return true;
    case CFilePrompt::ESaveAnswer::kCancel: return false;
    }
    return false;
}

bool CDocManager::SaveAllModified()
{
    for (CMapDocument* document : Documents()) {
        if (!SaveModified(*document))
            return false;
    }
    return true;
}

bool CDocManager::CloseDocument(CMapDocument& document)
{
    CDocumentEntry* entry = FindEntry(document);
    if (!entry || entry->bClosing)
        return entry != nullptr;
    if (!SaveModified(document))
        return false;
    entry->bClosing = true;
    for (CDocumentWindow* frame : FramesOf(document)) {
        ForgetFrame(frame);
        frame->CloseWithoutPrompt();
    }
    emit DocumentsChanged();
    return true;
}

void CDocManager::CloseAllDocuments()
{
    for (CMapDocument* document : Documents()) {
        FindEntry(*document)->bClosing = true;
        for (CDocumentWindow* frame : FramesOf(*document)) {
            ForgetFrame(frame);
            frame->CloseWithoutPrompt();
        }
    }
    emit DocumentsChanged();
}

bool CDocManager::CanCloseFrame(CDocumentWindow& frame)
{
    CMapDocument& document = *frame.GetActiveDocument();
    CDocumentEntry* entry = FindEntry(document);
    if (!entry)
        return true;
    if (FramesOf(document).size() <= 1) {
        if (!SaveModified(document))
            return false;
        entry->bClosing = true;
    }
    ForgetFrame(&frame);
    emit DocumentsChanged();
    return true;
}

void CDocManager::ForgetFrame(CDocumentWindow* frame)
{
    m_frames.erase(std::remove(m_frames.begin(), m_frames.end(), frame), m_frames.end());
}

void CDocManager::OnFrameDestroyed(CDocumentWindow* frame)
{
    ForgetFrame(frame);
    CDocumentEntry* entry = FindEntry(*frame->GetActiveDocument());
    if (entry && --entry->nFrames <= 0) {
        m_documents.erase(std::find_if(m_documents.begin(), m_documents.end(),
                                       [entry](const auto& candidate) { return candidate.get() == entry; }));
    }
    emit DocumentsChanged();
}

void CDocManager::OnTabCommand(int command, CMapDocument* document)
{
    if (!document || !FindEntry(*document))
        return;
    switch (command) {
    case ID_FILE_SAVE: DoFileSave(*document); break;
    case ID_FILE_SAVE_AS: DoSaveAs(*document); break;
    case ID_SAVE_ALL: SaveAll(); break;
    case ID_FILE_CLOSE: CloseDocument(*document); break;
    default: break;
    }
}

void CDocManager::AddRecentFile(const QString& path)
{
    m_recentFiles.Add(path);
    emit RecentFilesChanged();
}

}  // namespace mapwright
