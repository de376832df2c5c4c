#include "html/fileops.h"
#include "support/areachecks.h"
#include "document/imagechoice.h"
#include "html/maplines.h"
#include "image/decodedimage.h"
#include "image/picturewriter.h"
#include "document/mapdocument.h"
#include "support/scriptedprompt.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <unistd.h>

using namespace mapwright;
namespace fs = std::filesystem;

namespace {

// A folder of pages and pictures for one test, and a document wired to a scripted prompt.
class MapPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() /
                ("mapwright-page-" + std::to_string(::getpid()) + "-" + info->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_doc.SetPrompt(&m_prompt);
        m_doc.SetImageChoice(&m_choice);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }

    // Writes a width x height GIF of two colours at name (folders made as needed).
    std::string MakeGif(const std::string& name, int width = 40, int height = 30)
    {
        const std::string path = PathOf(name);
        fs::create_directories(fs::path(path).parent_path());
        EXPECT_TRUE(picturewriter::WritePlainGif(path, width, height, {200, 0, 0}));
        return path;
    }

    std::string WritePage(const std::string& name, std::string_view bytes)
    {
        std::string error;
        EXPECT_TRUE(WriteFileReplacing(PathOf(name), bytes, error)) << error;
        return PathOf(name);
    }

    std::string Read(const std::string& path)
    {
        std::string bytes, error;
        EXPECT_TRUE(ReadFileBytes(path, bytes, error)) << error;
        return bytes;
    }

    std::vector<std::string> Messages() const
    {
        std::vector<std::string> texts;
        for (const auto& message : m_prompt.m_messages)
            texts.push_back(message.text);
        return texts;
    }

    fs::path m_dir;
    CScriptedPrompt m_prompt;
    CImageChoice m_choice;
    CMapDocument m_doc;
};

}  // namespace

TEST_F(MapPage, OpensTheImageBesideThePageAndItsMap)
{
    MakeGif("pic.gif");
    const std::string page = WritePage("page.htm",
                                       "<html>\n<IMG SRC=\"pic.gif\" USEMAP=\"#pic\">\n<MAP NAME=\"pic\">\n"
                                       "<AREA SHAPE=RECT COORDS=\"1,2,300,4\" HREF=\"a.htm\">\n</MAP>\n");
    ASSERT_TRUE(m_doc.OnOpenDocument(page));
    EXPECT_EQ(m_doc.Page().strImagePath, PathOf("pic.gif"));
    EXPECT_EQ(m_doc.Page().strImageName, PathOf("pic.gif"));
    EXPECT_EQ(m_doc.Page().strMapName, "PIC");
    EXPECT_EQ(m_doc.Picture().Width(), 40);
    EXPECT_EQ(m_doc.Picture().Height(), 30);
    EXPECT_TRUE(m_doc.Picture().IsLoaded());
    ASSERT_EQ(Rects(m_doc).size(), 1u);
    EXPECT_EQ(Rects(m_doc)[0]->right, 39);  // clamped to the picture just decoded
    EXPECT_EQ(Rects(m_doc)[0]->m_strHref, "a.htm");
    EXPECT_EQ(m_doc.UndoPosition(), 1);
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_FALSE(m_doc.OnUpdateEditUndo().bEnabled);
    EXPECT_TRUE(m_doc.Page().strImageDir.empty());
    EXPECT_TRUE(m_prompt.m_messages.empty());
    EXPECT_TRUE(m_prompt.m_questions.empty());
}

TEST_F(MapPage, PagesWithoutUsableNamesFailWithTheirMessage)
{
    MakeGif("logo.gif");
    const std::string noUsemap = WritePage("a.htm", "<IMG SRC=\"logo.gif\">\n<IMG SRC=\"logo.gif\" ALT=\"USEMAP=#m\">\n");
    EXPECT_FALSE(m_doc.OnOpenDocument(noUsemap));
    const std::string noValue = WritePage("b.htm", "<IMG SRC=\"logo.gif\" USEMAP>\n");
    CMapDocument second;
    second.SetPrompt(&m_prompt);
    EXPECT_FALSE(second.OnOpenDocument(noValue));
    CMapDocument third;
    third.SetPrompt(&m_prompt);
    EXPECT_FALSE(third.OnOpenDocument(PathOf("absent.htm")));
    ASSERT_EQ(m_prompt.m_messages.size(), 3u);
    EXPECT_EQ(m_prompt.m_messages[0].text, "Error: Can't find image name.");
    EXPECT_EQ(m_prompt.m_messages[1].text, "Error: Can't find map name.");
    EXPECT_NE(m_prompt.m_messages[2].text.find(PathOf("absent.htm")), std::string::npos);
}

TEST_F(MapPage, AMissingImageIsOfferedForBrowsing)
{
    const std::string other = MakeGif("elsewhere/other.gif", 12, 8);
    const std::string text = "<IMG SRC=\"//server/share/pic.gif\" USEMAP=\"#pic\">\r\n<MAP NAME=\"pic\"></MAP>\r\n";
    const std::string page = WritePage("page.htm", text);
    const std::string question = "Image file //server/share/pic.gif not found. Do you want to browse it?";

    m_prompt.AnswerNo();
    EXPECT_FALSE(m_doc.OnOpenDocument(page));
    EXPECT_TRUE(m_prompt.m_messages.empty());

    CMapDocument cancelled;
    cancelled.SetPrompt(&m_prompt);
    m_prompt.AnswerYes();
    m_prompt.CancelDialog();
    EXPECT_FALSE(cancelled.OnOpenDocument(page));
    EXPECT_EQ(cancelled.Page().strImagePath, "Noname");
    EXPECT_TRUE(m_prompt.m_messages.empty());

    CMapDocument browsed;
    browsed.SetPrompt(&m_prompt);
    m_prompt.AnswerYes();
    m_prompt.ChooseFile(other);
    ASSERT_TRUE(browsed.OnOpenDocument(page));
    EXPECT_EQ(browsed.Page().strImagePath, other);
    EXPECT_EQ(browsed.Page().strImageName, "other.gif");
    EXPECT_EQ(browsed.Picture().Width(), 12);
    EXPECT_EQ(JoinLines(browsed.Lines()), text);  // the old SRC stays in the text
    EXPECT_EQ(m_prompt.m_questions, std::vector<std::string>(3, question));
    EXPECT_TRUE(m_prompt.AllScriptUsed());
}

TEST_F(MapPage, AnUndecodableImageFails)
{
    WritePage("pic.gif", "not a picture");
    const std::string page = WritePage("page.htm", "<IMG SRC=pic.gif USEMAP=#pic>\n");
    EXPECT_FALSE(m_doc.OnOpenDocument(page));
    EXPECT_EQ(Messages(), std::vector<std::string>{"Error: Can't open image file."});
    EXPECT_FALSE(m_doc.Picture().IsLoaded());
}

TEST_F(MapPage, NewDocumentFromADroppedImageAndItsSaveOneFolderUp)
{
    const std::string logo = MakeGif("img/logo.gif", 64, 48);
    m_choice.m_bPromptForImage = 0;
    m_choice.m_strDroppedImagePath = logo;
    m_choice.m_strDroppedImageName = "logo.gif";
    ASSERT_TRUE(m_doc.OnNewDocument());
    EXPECT_EQ(m_doc.Page().strImageDir, PathOf("img/"));
    EXPECT_EQ(m_doc.Page().strMapName, "logo.gif");
    EXPECT_EQ(m_choice.m_strLastImagePath, logo);
    ASSERT_EQ(m_doc.Lines().size(), 7u);
    EXPECT_EQ(m_doc.Lines()[3], "<IMG SRC=\"logo.gif\" USEMAP=\"#logo.gif\" WIDTH=64 HEIGHT=48 BORDER=0>");
    EXPECT_EQ(m_doc.UndoPosition(), 1);
    EXPECT_FALSE(m_doc.IsModified());

    // The skeleton's SRC is the bare name, so a page one folder up wants the image beside it.
    m_doc.SetModifiedFlag(true);
    m_prompt.AnswerYes();
    ASSERT_TRUE(m_doc.OnSaveDocument(PathOf("page.htm")));
    m_doc.SaveCompleted();
    EXPECT_EQ(m_prompt.m_questions,
              std::vector<std::string>{"Would you like to copy image file to " + PathOf("logo.gif") + " ?"});
    EXPECT_EQ(Read(PathOf("logo.gif")), Read(logo));
    EXPECT_EQ(Read(PathOf("page.htm")), JoinLines(m_doc.Lines()));
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(m_doc.GetPathName(), PathOf("page.htm"));

    // Saved again, the image is there now: no question.
    ASSERT_TRUE(m_doc.OnSaveDocument(PathOf("page.htm")));
    EXPECT_EQ(m_prompt.m_questions.size(), 1u);
}

TEST_F(MapPage, NewDocumentThroughTheImageDialog)
{
    const std::string photo = MakeGif("photo.gif", 32, 20);
    m_choice.m_strLastImagePath = "/last/one.gif";
    m_prompt.CancelDialog();
    EXPECT_FALSE(m_doc.OnNewDocument());
    EXPECT_EQ(m_doc.Page().strImagePath, "Noname");
    EXPECT_TRUE(m_doc.Lines().empty());

    CMapDocument chosen;
    chosen.SetPrompt(&m_prompt);
    chosen.SetImageChoice(&m_choice);
    m_prompt.ChooseFile(photo);
    ASSERT_TRUE(chosen.OnNewDocument());
    EXPECT_EQ(chosen.Page().strImageName, "photo.gif");
    EXPECT_EQ(m_prompt.m_dialogPaths, (std::vector<std::string>{"/last/one.gif", "/last/one.gif"}));
    EXPECT_EQ(m_choice.m_strLastImagePath, photo);

    CMapDocument noFrame;
    EXPECT_FALSE(noFrame.OnNewDocument());
    EXPECT_TRUE(m_prompt.m_messages.empty());
}

TEST_F(MapPage, SavingCreatesAMissingImageFolderOrSaysWhyNot)
{
    MakeGif("site/img/deeper/pic.gif");
    const std::string page = WritePage("site/page.htm", "<IMG SRC=\"/img/deeper/pic.gif\" USEMAP=\"#pic\">\n");
    ASSERT_TRUE(m_doc.OnOpenDocument(page));
    EXPECT_EQ(m_doc.Page().strImagePath, PathOf("site//img/deeper/pic.gif"));

    // Every missing level is made, the page's own folder included, before the copy.
    m_prompt.AnswerYes();
    EXPECT_TRUE(m_doc.OnSaveDocument(PathOf("copy/page.htm")));
    EXPECT_TRUE(fs::exists(m_dir / "copy/img/deeper/pic.gif"));
    EXPECT_TRUE(m_prompt.m_messages.empty());

    // A file where a folder must go: the folder message, and the page cannot be written either.
    WritePage("blocked", "x");
    m_prompt.AnswerYes();
    EXPECT_FALSE(m_doc.OnSaveDocument(PathOf("blocked/page.htm")));
    ASSERT_EQ(m_prompt.m_messages.size(), 2u);
    EXPECT_EQ(m_prompt.m_messages[0].text, "Can't create directory " + PathOf("blocked/img/deeper/") + ".");
    EXPECT_NE(m_prompt.m_messages[1].text.find(PathOf("blocked/page.htm")), std::string::npos);

    // The image itself has gone: the copy fails, the page is still saved.
    fs::remove(m_dir / "site/img/deeper/pic.gif");
    m_prompt.AnswerYes();
    EXPECT_TRUE(m_doc.OnSaveDocument(PathOf("third/page.htm")));
    EXPECT_EQ(m_prompt.m_messages.back().text, "Can't copy image file");
    EXPECT_TRUE(fs::exists(m_dir / "third/page.htm"));

    // Answering No copies nothing.
    m_prompt.AnswerNo();
    EXPECT_TRUE(m_doc.OnSaveDocument(PathOf("fourth.htm")));
    EXPECT_FALSE(fs::exists(m_dir / "img"));
    EXPECT_TRUE(m_prompt.AllScriptUsed());
}

TEST_F(MapPage, OpenAndSaveKeepEveryByteButTheLineEnds)
{
    MakeGif("pic.gif");
    // Latin-1 bytes, a stray CR inside a line, LF and CR LF endings, and no final line end.
    const std::string original = "<p>caf\xe9 \xff\x80</p>\n<IMG SRC=pic.gif USEMAP=#pic>\r\n"
                                 "<MAP NAME=pic>a\rb\n</MAP>";
    const std::string page = WritePage("page.htm", original);
    ASSERT_TRUE(m_doc.OnOpenDocument(page));
    ASSERT_TRUE(m_doc.OnSaveDocument(PathOf("saved.htm")));
    EXPECT_EQ(Read(PathOf("saved.htm")), "<p>caf\xe9 \xff\x80</p>\r\n<IMG SRC=pic.gif USEMAP=#pic>\r\n"
                                         "<MAP NAME=pic>a\rb\r\n</MAP>\r\n");
}

TEST_F(MapPage, AFailedSaveLeavesTheOldPageAndSaysWhy)
{
    MakeGif("pic.gif");
    const std::string page = WritePage("page.htm", "<IMG SRC=pic.gif USEMAP=#pic>\r\n<MAP NAME=pic></MAP>\r\n");
    ASSERT_TRUE(m_doc.OnOpenDocument(page));
    CLines longer = m_doc.Lines();
    longer.push_back(std::string(4096, 'x'));
    m_doc.ReplaceLines(std::move(longer));
    m_doc.SetModifiedFlag(true);

    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved_ok = m_doc.OnSaveDocument(page);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved_ok);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(Read(page), "<IMG SRC=pic.gif USEMAP=#pic>\r\n<MAP NAME=pic></MAP>\r\n");
    ASSERT_EQ(m_prompt.m_messages.size(), 1u);
    EXPECT_NE(m_prompt.m_messages[0].text.find(page), std::string::npos);
    EXPECT_NE(m_prompt.m_messages[0].text.find("too large"), std::string::npos);
}
