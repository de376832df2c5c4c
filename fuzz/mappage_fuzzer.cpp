// Opening and saving pages in a scratch folder, with a picture made for each input and the user's
// answers taken from the input. Besides not crashing: a failure is never silent, what is saved is
// exactly the lines and opens again with the same map, a failed save leaves the old file and no
// temporary file, and a save into an existing folder works whatever the page's name.
//
// Input: five control bytes, then the page.
//   0  picture: bits 0-1 GIF, PNG, JPEG or none; bit 2 cut to half its length
//   1  picture width - 1 (mod 64)     2  picture height - 1 (mod 64)
//   3  answers to the Yes/No questions, lowest bit first
//   4  bits 0-1 where the page is saved: over itself, into a missing folder, into an existing
//      folder, under a long name; bit 2 the image dialog is cancelled; bit 3 also a new document
//      for the picture, saved and opened again
#include "fuzzchecks.h"

#include "document/mapdocument.h"
#include "html/fileops.h"
#include "html/maplines.h"
#include "html/mapreader.h"
#include "html/pathrules.h"
#include "html/testpage.h"
#include "image/picturewriter.h"
#include "support/scriptedprompt.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

using namespace mapwright;
using mapwright::fuzz::Check;
namespace fs = std::filesystem;

namespace {

const std::string kCopyQuestion = "Would you like to copy image file to ";

enum ESavePlan { kOverItself, kMissingFolder, kExistingFolder, kLongName };

struct CControl {
    int nPictureKind = 0;  // 0 GIF, 1 PNG, 2 JPEG, 3 none
    bool bCutPicture = false;
    int nWidth = 1;
    int nHeight = 1;
    std::uint8_t answers = 0;
    ESavePlan savePlan = kOverItself;
    bool bCancelDialog = false;
    bool bNewDocument = false;

    bool PictureDecodes() const { return nPictureKind != 3 && !bCutPicture; }
};

// The folder of one input, emptied before each; removed at exit.
class CScratch {
public:
    CScratch()
    {
        std::string pattern = (fs::temp_directory_path() / "mapwright-page-fuzz-XXXXXX").string();
        Check(::mkdtemp(pattern.data()) != nullptr, "scratch folder made");
        m_root = pattern;
    }
    ~CScratch()
    {
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }
    // A fresh, empty folder for the next input.
    fs::path Fresh()
    {
        const fs::path run = m_root / "run";
        fs::remove_all(run);
        fs::create_directories(run / "site");
        return run;
    }

private:
    fs::path m_root;
};

std::string ReadAll(const std::string& path)
{
    std::string bytes, error;
    ReadFileBytes(path, bytes, error);
    return bytes;
}

// The bytes of a picture of the control's kind and size, made once per kind and size.
const std::string& PictureBytes(const CControl& control, const fs::path& scratch)
{
    static std::map<std::tuple<int, int, int>, std::string> made;
    std::string& bytes = made[{control.nPictureKind, control.nWidth, control.nHeight}];
    if (!bytes.empty())
        return bytes;
    const std::string path = (scratch / "made").string();
    const int w = control.nWidth, h = control.nHeight;
    bool written = false;
    if (control.nPictureKind == 0) {
        picturewriter::GifPicture gif;
        gif.screenWidth = w;
        gif.screenHeight = h;
        gif.globalColors = {{255, 255, 255}, {200, 0, 0}};
        picturewriter::GifFrame frame;
        frame.width = w;
        frame.height = h;
        for (int i = 0; i < w * h; ++i)
            frame.indices.push_back(std::uint8_t((i / w + i % w) % 2));
        gif.frames.push_back(frame);
        written = picturewriter::WriteGif(path, gif);
    } else if (control.nPictureKind == 1) {
        picturewriter::PngPicture png;
        png.width = w;
        png.height = h;
        png.rows = picturewriter::SceneSamples(w, h);
        written = picturewriter::WritePng(path, png);
    } else {
        picturewriter::JpegPicture jpeg;
        jpeg.width = w;
        jpeg.height = h;
        jpeg.samples = picturewriter::SceneSamples(w, h);
        written = picturewriter::WriteJpeg(path, jpeg);
    }
    Check(written, "test picture written");
    bytes = ReadAll(path);
    fs::remove(path);
    return bytes;
}

// Scripted answers, except that a copy is never allowed outside the scratch folder: a page may
// name any absolute image path.
class CFuzzPrompt : public CScriptedPrompt {
public:
    explicit CFuzzPrompt(std::string scratch) : m_scratch(std::move(scratch)) {}

    bool AskYesNo(const std::string& text) override
    {
        const bool answer = CScriptedPrompt::AskYesNo(text);
        if (text.starts_with(kCopyQuestion))
            return answer && InsideScratch(text.substr(kCopyQuestion.size()));
        return answer;
    }

    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const CMessage& message : m_messages)
            texts.push_back(message.text);
        return texts;
    }

    // Every wait cursor shown was ended.
    bool BusyBalanced() const
    {
        for (std::size_t i = 0; i < m_busy.size(); ++i)
            if (m_busy[i] != (i % 2 == 0))
                return false;
        return m_busy.size() % 2 == 0;
    }

private:
    bool InsideScratch(std::string_view question) const
    {
        const std::string_view target = question.substr(0, question.rfind(" ?"));
        return target.starts_with(m_scratch + "/") && target.find("..") == std::string_view::npos;
    }

    std::string m_scratch;
};

void Script(CFuzzPrompt& prompt, const CControl& control, const std::string& picture)
{
    for (int bit = 0; bit < 8; ++bit)
        prompt.m_answers.push_back((control.answers >> bit) & 1);
    for (int i = 0; i < 4; ++i) {
        if (control.bCancelDialog || picture.empty())
            prompt.CancelDialog();
        else
            prompt.ChooseFile(picture);
    }
}

std::vector<std::string> Describe(const CAreaList& areas) { return testing::Describe(areas); }

std::set<std::string> FilesIn(const fs::path& folder)
{
    std::set<std::string> files;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
        if (!entry.is_directory())
            files.insert(entry.path().lexically_normal().string());
    return files;
}

// An opened document holds the file's lines and the map as the reader reads it, inside the picture.
void CheckOpened(const CMapDocument& doc, const std::string& bytes)
{
    Check(doc.Picture().IsLoaded() != 0 && doc.Picture().Image(), "opened with a decoded picture");
    Check(doc.Lines() == SplitLines(bytes), "opened lines are the file's lines");
    CAreaList expected;
    ParseMap(doc.Lines(), doc.Page().strMapName, doc.Picture().Width(), doc.Picture().Height(), expected);
    Check(Describe(doc) == Describe(expected), "opened areas are the reader's areas");
    Check(fuzz::AreasInsidePicture(doc, doc.Picture().Width(), doc.Picture().Height()), "opened areas inside the picture");
    Check(!doc.IsModified() && doc.UndoStepCount() == 1 && doc.UndoPosition() == 1, "opened clean with one step");
}

// Messages of opening are the three of the page rules.
void CheckOpenMessages(const CFuzzPrompt& prompt, bool opened)
{
    for (const std::string& text : prompt.Texts())
        Check(text == "Error: Can't find image name." || text == "Error: Can't find map name." ||
                  text == "Error: Can't open image file.",
              "known open message");
    Check(opened || !prompt.m_messages.empty() || !prompt.m_questions.empty(), "a failed open says so");
    Check(prompt.BusyBalanced(), "wait cursor ended");
}

std::string SaveTarget(const CControl& control, const fs::path& run, std::size_t pageSize)
{
    switch (control.savePlan) {
    case kOverItself: return (run / "page.htm").string();
    case kMissingFolder: return (run / "missing/deeper/page.htm").string();
    case kExistingFolder: return (run / "site/page.htm").string();
    case kLongName: break;
    }
    // Between 240 and 255 bytes, the longest name a Linux file system takes.
    return (run / (std::string(236 + pageSize % 16, 'n') + ".htm")).string();
}

// Saves an opened document and checks what reached the disk; true when it was saved.
bool SaveAndCheck(CMapDocument& doc, CFuzzPrompt& prompt, const std::string& target)
{
    const fs::path folder = fs::path(target).parent_path();
    const bool existed = fs::exists(target);
    const std::string before = existed ? ReadAll(target) : std::string();
    const std::size_t messagesBefore = prompt.m_messages.size();
    const std::size_t questionsBefore = prompt.m_questions.size();
    const bool modified = doc.IsModified();
    const std::set<std::string> filesBefore = FilesIn(folder);

    const bool saved = doc.OnSaveDocument(target);

    // New in the folder: at most the page and the image copies that were offered.
    std::set<std::string> expected = filesBefore;
    expected.insert(fs::path(target).lexically_normal().string());
    for (std::size_t q = questionsBefore; q < prompt.m_questions.size(); ++q) {
        const std::string& question = prompt.m_questions[q];
        if (question.starts_with(kCopyQuestion) && question.ends_with(" ?"))
            expected.insert(fs::path(question.substr(kCopyQuestion.size(), question.size() - kCopyQuestion.size() - 2))
                                .lexically_normal()
                                .string());
    }
    for (const std::string& file : FilesIn(folder))
        Check(expected.contains(file), "no temporary file left");
    if (saved) {
        Check(ReadAll(target) == doc.SerializeStore() && doc.SerializeStore() == JoinLines(doc.Lines()),
              "saved bytes are the lines");
        Check(!doc.IsModified() && doc.GetPathName() == target, "saved document clean under its new name");
    } else {
        Check(!prompt.m_messages.empty() && prompt.m_messages.back().text.starts_with("Cannot save " + target),
              "a failed save says so");
        Check(fs::exists(target) == existed && (!existed || ReadAll(target) == before), "a failed save keeps the old file");
        Check(doc.IsModified() == modified, "a failed save keeps the modified flag");
    }
    // Into a folder that exists (or that the image copy made) a page is always saved.
    Check(saved == fs::is_directory(folder), "saved exactly where the folder exists");

    // Copy questions name where the image goes; a Yes either copied it or said why not.
    for (std::size_t q = questionsBefore; q < prompt.m_questions.size(); ++q)
        Check(prompt.m_questions[q].starts_with(kCopyQuestion) && prompt.m_questions[q].ends_with(" ?"),
              "known save question");
    for (std::size_t m = messagesBefore; m < prompt.m_messages.size(); ++m) {
        const std::string& text = prompt.m_messages[m].text;
        Check(text == "Can't copy image file" || (text.starts_with("Can't create directory ") && text.ends_with(".")) ||
                  text.starts_with("Cannot save "),
              "known save message");
    }
    Check(prompt.BusyBalanced(), "wait cursor ended");
    return saved;
}

// A saved page opens again with the same lines; with the same picture, with the same map. Beside
// its picture it opens without a question.
void CheckReopens(const CMapDocument& original, const std::string& path, const fs::path& run,
                  bool besidePicture = false)
{
    CFuzzPrompt prompt(run.string());
    for (int i = 0; i < 4; ++i) {
        prompt.AnswerYes();
        prompt.ChooseFile(original.Page().strImagePath);
    }
    CMapDocument again;
    again.SetPrompt(&prompt);
    const bool opened = again.OnOpenDocument(path);
    CheckOpenMessages(prompt, opened);
    for (const std::string& text : prompt.Texts())
        Check(text == "Error: Can't open image file.", "a saved page keeps its names");
    Check(!besidePicture || (opened && prompt.m_questions.empty()), "opened beside its picture without asking");
    if (!opened)
        return;
    CheckOpened(again, ReadAll(path));
    Check(again.Lines() == original.Lines(), "saved lines read back");
    if (again.Picture().Width() == original.Picture().Width() && again.Picture().Height() == original.Picture().Height())
        Check(Describe(again) == Describe(original), "saved map reads back");
}

// A new document for the picture (as if dropped) is the skeleton; saved beside the picture, it
// opens again without a question.
void CheckNewDocument(const CControl& control, const std::string& picture, const fs::path& run)
{
    CFuzzPrompt prompt(run.string());
    CImageChoice choice;
    choice.m_bPromptForImage = 0;
    choice.m_strDroppedImagePath = picture;
    choice.m_strDroppedImageName = FileNameOf(picture);
    CMapDocument doc;
    doc.SetPrompt(&prompt);
    doc.SetImageChoice(&choice);
    const bool made = doc.OnNewDocument();
    Check(made == control.PictureDecodes(), "a new document is made exactly for a decodable picture");
    if (!made)
        return;
    Check(doc.Lines().size() == 7 && doc.AreaCount() == 0, "a new document is the skeleton");
    const std::string page = (run / "new.htm").string();
    Check(SaveAndCheck(doc, prompt, page), "a new document is saved beside its picture");
    Check(prompt.m_questions.empty(), "no copy offered beside the picture");
    CheckReopens(doc, page, run, true);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static CScratch scratch;
    if (size < 5)
        return 0;
    const std::string_view page(reinterpret_cast<const char*>(data + 5), size - 5);
    // A page may name any file as its image; device and process files could block or never end.
    for (const char* system : {"/dev", "/proc", "/sys"})
        if (page.find(system) != std::string_view::npos)
            return 0;

    CControl control;
    control.nPictureKind = data[0] & 3;
    control.bCutPicture = (data[0] & 4) != 0;
    control.nWidth = 1 + data[1] % 64;
    control.nHeight = 1 + data[2] % 64;
    control.answers = data[3];
    control.savePlan = ESavePlan(data[4] & 3);
    control.bCancelDialog = (data[4] & 4) != 0;
    control.bNewDocument = (data[4] & 8) != 0;

    const fs::path run = scratch.Fresh();
    std::string picture;
    if (control.nPictureKind != 3) {
        static const char* const names[] = {"pic.gif", "pic.png", "pic.jpg"};
        picture = (run / names[control.nPictureKind]).string();
        const std::string& bytes = PictureBytes(control, run);
        std::string error;
        Check(WriteFileReplacing(picture, control.bCutPicture ? bytes.substr(0, bytes.size() / 2) : bytes, error),
              "picture written");
    }
    const std::string path = (run / "page.htm").string();
    std::string error;
    Check(WriteFileReplacing(path, page, error), "page written");

    CFuzzPrompt prompt(run.string());
    Script(prompt, control, picture);
    CMapDocument doc;
    doc.SetPrompt(&prompt);
    const bool opened = doc.OnOpenDocument(path);
    CheckOpenMessages(prompt, opened);
    if (opened) {
        CheckOpened(doc, std::string(page));
        const std::string target = SaveTarget(control, run, page.size());
        if (SaveAndCheck(doc, prompt, target))
            CheckReopens(doc, target, run);
    }
    if (control.bNewDocument && !picture.empty())
        CheckNewDocument(control, picture, run);
    return 0;
}
