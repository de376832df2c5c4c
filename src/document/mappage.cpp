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
    m_lines.clear();
    ClearAreas();
    ++m_nAreaGeneration;
}

void CMapDocument::SerializeLoad(std::string_view bytes)
{
    m_lines = SplitLines(bytes);
}

std::string CMapDocument::SerializeStore() const
{
    return JoinLines(m_lines);
}

bool CMapDocument::LoadImage()
{
    CPrompt& prompt = Prompt();
    m_bImageOk = 0;
    {
        CBusyScope busy(prompt);
        if (!CanOpenForReading(m_strImagePath)) {
            if (!prompt.AskYesNo("Image file " + m_strImagePath + " not found. Do you want to browse it?"))
                return false;
            std::string chosen;
            const std::string initial = m_pImageChoice ? m_pImageChoice->m_strLastImagePath : std::string();
            if (!prompt.ChooseImageFile(initial, chosen)) {
                m_strImagePath = "Noname";
                return false;
            }
            m_strImagePath = chosen;
            m_strImageName = FileNameOf(chosen);
        }
        m_pImage = std::make_unique<CDecodedImage>();
        m_bImageOk = m_pImage->Decode(m_strImagePath);
        m_nImageWidth = m_pImage->Width();
        m_nImageHeight = m_pImage->Height();
        if (m_bImageOk && m_bFromFile == 1)
            ParseMap();
    }
    if (!m_bImageOk)
        prompt.MessageBox("Error: Can't open image file.");
    return m_bImageOk != 0;
}

bool CMapDocument::OnNewDocument()
{
    DeleteContents();
    SetModifiedFlag(false);
    m_bFromFile = 0;
    if (!m_pImageChoice)
        return false;

    CImageChoice& choice = *m_pImageChoice;
    if (choice.m_bPromptForImage) {
        std::string chosen;
        if (!Prompt().ChooseImageFile(choice.m_strLastImagePath, chosen)) {
            m_strImagePath = "Noname";
            DeleteContents();
            SetModifiedFlag(false);
            RefreshTabBar();
            return false;
        }
        m_strImagePath = chosen;
        m_strImageName = FileNameOf(chosen);
    } else {
        m_strImagePath = choice.m_strDroppedImagePath;
        m_strImageName = choice.m_strDroppedImageName;
    }
    m_strMapName = m_strImageName;

    if (!LoadImage())
        return false;
    choice.m_strLastImagePath = m_strImagePath;
    m_strImageDir = FolderOf(m_strImagePath);

    const CLines skeleton = MakeSkeleton(m_strMapName, m_nImageWidth, m_nImageHeight);
    m_lines.insert(m_lines.end(), skeleton.begin(), skeleton.end());
    PushUndoStep(m_lines, kOriginNone);
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

    m_bFromFile = 1;
    const CPageNames names = FindPageNames(m_lines);
    m_strImageName = names.strImageName;
    m_strMapName = names.strMapName;
    if (m_strImageName.empty()) {
        Prompt().MessageBox("Error: Can't find image name.");
        return false;
    }
    if (m_strMapName.empty()) {
        Prompt().MessageBox("Error: Can't find map name.");
        return false;
    }
    if (!IsAbsoluteReference(m_strImageName))
        m_strImageName = FolderOf(path) + m_strImageName;
    m_strImagePath = m_strImageName;

    if (!LoadImage())
        return false;
    PushUndoStep(m_lines, kOriginNone);
    SetModifiedFlag(false);
    SetPathName(path);
    RefreshTabBar();
    return true;
}

bool CMapDocument::OnSaveDocument(const std::string& path)
{
    CPrompt& prompt = Prompt();
    const std::string reference = FindPageNames(m_lines).strImageName;
    if (!reference.empty()) {
        const std::string target = ImageTarget(reference, FolderOf(path));
        if (!CanOpenForReading(target) &&
            prompt.AskYesNo("Would you like to copy image file to " + target + " ?")) {
            const std::string folder = FolderOf(target);
            if (!CreateFolderLevels(folder))
                prompt.MessageBox("Can't create directory " + folder + ".");
            else if (!CopyFileNoOverwrite(m_strImagePath, target))
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
    m_lines = std::move(lines);
    ParseMap();
    TextEdited(sender);
}

void CMapDocument::SaveCompleted()
{
    RefreshTabBar();
    SetStepModified(IsModified());
}

}  // namespace mapwright
