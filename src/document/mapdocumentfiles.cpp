// Setting a document up from an image or from a page, and saving it with its image.
#include "html/fileops.h"
#include "document/imagechoice.h"
#include "html/pagenames.h"
#include "html/pathrules.h"
#include "document/prompt.h"
#include "image/decodedimage.h"
#include "document/mapdocument.h"

namespace mapwright {

namespace {

// Answers No to every question and cancels every dialog, for a document without a prompt.
class CSilentPrompt : public CPrompt {
public:
    void MessageBox(const std::string&, const std::string&) override {}
    bool AskYesNo(const std::string&) override { return false; }
    bool ChooseImageFile(const std::string&, std::string&) override { return false; }
};

// Holds the wait cursor for a scope.
class CBusyScope {
public:
    explicit CBusyScope(CPrompt& prompt) : m_prompt(prompt) { m_prompt.SetBusy(true); }
    ~CBusyScope() { m_prompt.SetBusy(false); }
    CBusyScope(const CBusyScope&) = delete;
    CBusyScope& operator=(const CBusyScope&) = delete;

private:
    CPrompt& m_prompt;
};

// Where a saved page's image reference points: an absolute reference as it is, a relative one
// (a leading '\' or '/' dropped) inside the page's folder.
std::string ImageTarget(const std::string& reference, const std::string& pageFolder)
{
    if (IsAbsoluteReference(reference))
        return reference;
    std::string_view relative = reference;
    if (!relative.empty() && (relative.front() == '\\' || relative.front() == '/'))
        relative.remove_prefix(1);
    return pageFolder + std::string(relative);
}

}  // namespace

CPrompt& CMapDocument::Prompt()
{
    static CSilentPrompt silent;
    return m_pPrompt ? *m_pPrompt : silent;
}

void CMapDocument::DeleteContents()
{
    LinesChanging();
    m_page.lines.clear();
    ClearAreas();
    ++m_nAreaGeneration;
}

void CMapDocument::SerializeLoad(std::string_view bytes)
{
    LinesChanging();
    m_page.lines = SplitLines(bytes);
}

std::string CMapDocument::SerializeStore() const
{
    return JoinLines(m_page.lines);
}

bool CMapDocument::LoadImage()
{
    CPrompt& prompt = Prompt();
    m_picture.MarkNotLoaded();
    {
        CBusyScope busy(prompt);
        if (!CanOpenForReading(m_page.strImagePath)) {
            if (!prompt.AskYesNo("Image file " + m_page.strImagePath + " not found. Do you want to browse it?"))
                return false;
            std::string chosen;
            const std::string initial = m_pImageChoice ? m_pImageChoice->m_strLastImagePath : std::string();
            if (!prompt.ChooseImageFile(initial, chosen)) {
                m_page.strImagePath = "Noname";
                return false;
            }
            m_page.strImagePath = chosen;
            m_page.strImageName = FileNameOf(chosen);
        }
        if (m_picture.Load(m_page.strImagePath) && m_page.bFromFile)
            ParseMap();
    }
    if (!m_picture.IsLoaded()) {
        const std::string reason = m_picture.Image() ? m_picture.Image()->FailureReason() : std::string();
        prompt.ShowDetailedMessage("Error: Can't open image file.", FileNameOf(m_page.strImagePath) + ": " + reason);
    }
    return m_picture.IsLoaded();
}

bool CMapDocument::OnNewDocument()
{
    DeleteContents();
    SetModifiedFlag(false);
    m_page.bFromFile = false;
    if (!m_pImageChoice)
        return false;

    CImageChoice& choice = *m_pImageChoice;
    if (choice.m_bPromptForImage) {
        std::string chosen;
        if (!Prompt().ChooseImageFile(choice.m_strLastImagePath, chosen)) {
            m_page.strImagePath = "Noname";
            DeleteContents();
            SetModifiedFlag(false);
            RefreshTabBar();
            return false;
        }
        m_page.strImagePath = chosen;
        m_page.strImageName = FileNameOf(chosen);
    } else {
        m_page.strImagePath = choice.m_strDroppedImagePath;
        m_page.strImageName = choice.m_strDroppedImageName;
    }
    m_page.strMapName = m_page.strImageName;

    if (!LoadImage())
        return false;
    choice.m_strLastImagePath = m_page.strImagePath;
    m_page.strImageDir = FolderOf(m_page.strImagePath);

    const CLines skeleton = MakeSkeleton(m_page.strMapName, m_picture.Width(), m_picture.Height());
    LinesChanging();
    m_page.lines.insert(m_page.lines.end(), skeleton.begin(), skeleton.end());
    PushUndoStep(m_page.lines);
    RefreshTabBar();
    return true;
}

bool CMapDocument::OnOpenDocument(const std::string& path)
{
    std::string bytes;
    std::string error;
    DeleteContents();
    if (!ReadFileBytes(path, bytes, error)) {
        Prompt().MessageBox("Cannot open " + path + ":\n" + error + ".");
        return false;
    }
    SerializeLoad(bytes);
    SetModifiedFlag(false);

    m_page.bFromFile = true;
    const CPageNames names = FindPageNames(m_page.lines);
    m_page.strImageName = names.strImageName;
    m_page.strMapName = names.strMapName;
    if (m_page.strImageName.empty()) {
        Prompt().MessageBox("Error: Can't find image name.");
        return false;
    }
    if (m_page.strMapName.empty()) {
        Prompt().MessageBox("Error: Can't find map name.");
        return false;
    }
    if (!IsAbsoluteReference(m_page.strImageName))
        m_page.strImageName = FolderOf(path) + m_page.strImageName;
    m_page.strImagePath = m_page.strImageName;

    if (!LoadImage())
        return false;
    PushUndoStep(m_page.lines);
    SetModifiedFlag(false);
    SetPathName(path);
    RefreshTabBar();
    return true;
}

bool CMapDocument::OnSaveDocument(const std::string& path)
{
    CPrompt& prompt = Prompt();
    const std::string reference = FindPageNames(m_page.lines).strImageName;
    if (!reference.empty()) {
        const std::string target = ImageTarget(reference, FolderOf(path));
        if (!CanOpenForReading(target) &&
            prompt.AskYesNo("Would you like to copy image file to " + target + " ?")) {
            const std::string folder = FolderOf(target);
            if (!CreateFolderLevels(folder))
                prompt.MessageBox("Can't create directory " + folder + ".");
            else if (!CopyFileNoOverwrite(m_page.strImagePath, target))
                prompt.MessageBox("Can't copy image file");
        }
    }

    std::string error;
    if (!WriteFileReplacing(path, SerializeStore(), error)) {
        prompt.MessageBox("Cannot save " + path + ":\n" + error + ".\nThe file on disk was not changed.");
        return false;
    }
    SetModifiedFlag(false);
    SetPathName(path);
    return true;
}

void CMapDocument::ApplyTypedLines(CLines lines, CView* sender)
{
    SetModifiedFlag(true);
    RefreshTabBar();
    LinesChanging();
    m_page.lines = std::move(lines);
    ParseMap();
    TextEdited(sender);
}

void CMapDocument::OpenLines(CLines lines, std::string mapName, int width, int height)
{
    DeleteContents();
    m_page.strMapName = std::move(mapName);
    m_page.bFromFile = true;
    m_picture.SetSizeOnly(width, height);
    LinesChanging();
    m_page.lines = std::move(lines);
    ParseMap();
    m_undoSteps.clear();
    m_nUndoPos = 0;
    m_pCurStep = nullptr;
    PushUndoStep(m_page.lines);
    SetModifiedFlag(false);
}

void CMapDocument::ReplaceLines(CLines lines)
{
    LinesChanging();
    m_page.lines = std::move(lines);
    ParseMap();
}

void CMapDocument::SaveCompleted()
{
    RefreshTabBar();
    SetStepModified(IsModified());
    // Undo after a save must reach the saved text, so a nudge run ends here.
    ++m_nStepSerial;
}

}  // namespace mapwright
