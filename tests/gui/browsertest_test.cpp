#include "integration/browsertest.h"
#include "platform/appsettings.h"
#include "support/browsertestbench.h"
#include "support/scriptedprompt.h"

#include <QDesktopServices>
#include <QUrl>
#include <QtTest>

#include <unistd.h>

using namespace mapwright;

namespace {

const CLines kPage = {
    "<html><body>",
    "<IMG SRC=\"pic.gif\" USEMAP=\"#pic\" WIDTH=40 HEIGHT=30>",
    "<MAP NAME=\"pic\">",
    "<AREA SHAPE=RECT COORDS=\"1,1,9,9\" HREF=\"one.htm\">",
    "</MAP>",
    "</body></html>",
};

const QByteArray kPicture("GIF89a picture bytes \x00\x01\xff", 24);

const char kNoImageTag[] = "Can't find old image name after SRC=. Please edit HTML-document";

QByteArray PageBytes(const CLines& lines)
{
    QByteArray bytes;
    for (const std::string& line : lines)
        bytes += QByteArray::fromStdString(line) + "\r\n";
    return bytes;
}

// Records the files the desktop was asked to open, standing in for the default browser.
class CDefaultBrowser : public QObject {
    Q_OBJECT
public:
    QList<QUrl> m_opened;
public slots:
    void Open(const QUrl& url) { m_opened << url; }
};

}  // namespace

class CBrowserTestTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void WorkedExampleNamesThePageAndTheCopy();
    void NewDocumentsTitlesWithoutDotsAndDottedFolders();
    void EveryImageTagLineIsPointedAtTheCopyInItsOwnCase();
    void PageWithoutImageTagIsWrittenButNotShown();
    void CommandIsEnabledByTheBrowserChoice();
    void DefaultBrowserOpensTheTemporaryPage();
    void BrowserThatCannotStartIsReported();
    void TestsGoOnAfterTheTableIsFull();
    void MissingPictureAndMissingTemporaryFolder();
    void NamesTakenByOthersAreNotWrittenThrough();

private:
    // A document opened from Site()/index.htm over Site()/pic.gif, which both exist.
    std::unique_ptr<CVavedIdivovDoc> OpenIndex(const CLines& lines = kPage);

    std::unique_ptr<CBrowserTestBench> m_bench;
    CScriptedPrompt m_prompt;
};

void CBrowserTestTest::init()
{
    m_bench = std::make_unique<CBrowserTestBench>();
    QVERIFY(m_bench->Ok());
    m_prompt = CScriptedPrompt();
    CAppSettings& settings = AppSettings();
    settings.m_bUseDefaultBrowser = 0;
    settings.m_strBrowserPath = ToBytes(m_bench->MakeRecordingBrowser());
}

void CBrowserTestTest::cleanup()
{
    m_bench.reset();
}

std::unique_ptr<CVavedIdivovDoc> CBrowserTestTest::OpenIndex(const CLines& lines)
{
    auto doc = std::make_unique<CVavedIdivovDoc>();
    WriteAll(m_bench->Site() + "/index.htm", PageBytes(lines));
    WriteAll(m_bench->Site() + "/pic.gif", kPicture);
    doc->m_lines = lines;
    doc->m_strImagePath = ToBytes(m_bench->Site() + "/pic.gif");
    doc->SetPathName(ToBytes(m_bench->Site() + "/index.htm"));
    return doc;
}

void CBrowserTestTest::WorkedExampleNamesThePageAndTheCopy()
{
    CBrowserTest::s_nNameCounter = 0;
    auto doc = OpenIndex();
    QCOMPARE(doc->GetTitle(), std::string("index.htm"));
    CBrowserTest::OnTestInBrowser(*doc, m_prompt);
    QVERIFY(m_prompt.m_messages.empty());

    const QString page = m_bench->Temp() + "/index_mw0.htm.htm";
    const QString copy = m_bench->Temp() + "/index_mw0.htm.gif";
    QCOMPARE(ReadAll(copy), kPicture);
    CLines expected = kPage;
    expected[1] = "<IMG SRC=\"index_mw0.htm.gif\" USEMAP=\"#pic\" WIDTH=40 HEIGHT=30>";
    QCOMPARE(ReadAll(page), PageBytes(expected));
    QCOMPARE(doc->m_nTempFiles, 1);
    QCOMPARE(doc->m_tempFiles[0].strHtmlFile, ToBytes(page));
    QCOMPARE(doc->m_tempFiles[0].strImageFile, ToBytes(copy));
    QTRY_COMPARE(m_bench->BrowserStarts(), QStringList({"1|" + page}));

    // The next test takes the next number; the user's page and picture are untouched by both.
    CBrowserTest::OnTestInBrowser(*doc, m_prompt);
    QVERIFY(m_prompt.m_messages.empty());
    QVERIFY(QFile::exists(m_bench->Temp() + "/index_mw1.htm.htm"));
    QVERIFY(QFile::exists(m_bench->Temp() + "/index_mw1.htm.gif"));
    QTRY_COMPARE(m_bench->BrowserStarts().size(), 2);
    QCOMPARE(doc->m_lines, kPage);
    QCOMPARE(ReadAll(m_bench->Site() + "/index.htm"), PageBytes(kPage));
    QCOMPARE(ReadAll(m_bench->Site() + "/pic.gif"), kPicture);

    // Closing the document takes its temporary files with it.
    doc.reset();
    QCOMPARE(m_bench->TempEntries(), QStringList());
}

void CBrowserTestTest::NewDocumentsTitlesWithoutDotsAndDottedFolders()
{
    CBrowserTest::s_nNameCounter = 7;
    QCOMPARE(CBrowserTest::MakeTempName("page.v2.htm"), std::string("page.v2_mw7.htm"));
    QCOMPARE(CBrowserTest::MakeTempName("README"), std::string("README_mw8"));
    QCOMPARE(CBrowserTest::s_nNameCounter, 9);

    // A new document has no path: its page is written as ".html".
    auto doc = OpenIndex();
    CVavedIdivovDoc fresh;
    fresh.m_lines = kPage;
    fresh.m_strImagePath = doc->m_strImagePath;
    fresh.SetTitle("Mapwright1");
    CBrowserTest::OnTestInBrowser(fresh, m_prompt);
    QVERIFY(m_prompt.m_messages.empty());
    QVERIFY(QFile::exists(m_bench->Temp() + "/Mapwright1_mw9.html"));
    QVERIFY(ReadAll(m_bench->Temp() + "/Mapwright1_mw9.html").contains("SRC=\"Mapwright1_mw9.gif\""));

    // A dot in a folder name is no extension of the file in it.
    QDir(m_bench->Site()).mkpath("v1.0");
    const QString page = m_bench->Site() + "/v1.0/map";
    const QString picture = m_bench->Site() + "/v1.0/picture.png";
    WriteAll(page, PageBytes(kPage));
    WriteAll(picture, kPicture);
    CVavedIdivovDoc dotted;
    dotted.m_lines = kPage;
    dotted.m_strImagePath = ToBytes(picture);
    dotted.SetPathName(ToBytes(page));
    CBrowserTest::OnTestInBrowser(dotted, m_prompt);
    QVERIFY(m_prompt.m_messages.empty());
    QCOMPARE(ReadAll(m_bench->Temp() + "/map_mw10.png"), kPicture);
    CLines expected = kPage;
    expected[1] = "<IMG SRC=\"map_mw10.png\" USEMAP=\"#pic\" WIDTH=40 HEIGHT=30>";
    QCOMPARE(ReadAll(m_bench->Temp() + "/map_mw10"), PageBytes(expected));
    QTRY_COMPARE(m_bench->BrowserStarts().size(), 2);
}

void CBrowserTestTest::EveryImageTagLineIsPointedAtTheCopyInItsOwnCase()
{
    const CLines lines = {
        "<img src=pic.gif usemap=\"#pic\">",
        "<Img Src=\"my pic.gif\" UseMap=#pic>",
        "<IMG USEMAP=\"#pic\" SRC=pic.gif>",
        "<IMG SRC=\"pic.gif\">",
        "<IMG SRC=pic.gif\tUSEMAP=#pic>",
        "<IMG SRC= \"pic.gif\" USEMAP=#pic>",
    };
    CBrowserTest::s_nNameCounter = 3;
    auto doc = OpenIndex(lines);
    CBrowserTest::OnTestInBrowser(*doc, m_prompt);
    QVERIFY(m_prompt.m_messages.empty());
    QCOMPARE(ReadAll(m_bench->Temp() + "/index_mw3.htm.htm"), PageBytes({
        "<img src=\"index_mw3.htm.gif\" usemap=\"#pic\">",
        // A quoted value is cut at its first blank; the rest stays behind the new name.
        "<Img Src=\"index_mw3.htm.gif\" pic.gif\" UseMap=#pic>",
        "<IMG USEMAP=\"#pic\" SRC=\"index_mw3.htm.gif\">",
        "<IMG SRC=\"pic.gif\">",
        // Only " USEMAP" with a blank counts, not one after a tab.
        "<IMG SRC=pic.gif\tUSEMAP=#pic>",
        // Blanks after "SRC=" are not skipped: the old value is empty.
        "<IMG SRC=\"index_mw3.htm.gif\" \"pic.gif\" USEMAP=#pic>",
    }));
}

void CBrowserTestTest::PageWithoutImageTagIsWrittenButNotShown()
{
    CBrowserTest::s_nNameCounter = 0;
    // SRC= and USEMAP on two lines of one tag are not found.
    const CLines split = {"<IMG SRC=\"pic.gif\"", " USEMAP=\"#pic\">", "<MAP NAME=\"pic\">", "</MAP>"};
    auto doc = OpenIndex(split);
    CBrowserTest::OnTestInBrowser(*doc, m_prompt);
    QCOMPARE(m_prompt.m_messages, std::vector<CScriptedPrompt::CMessage>({{kNoImageTag, ""}}));
    QCOMPARE(ReadAll(m_bench->Temp() + "/index_mw0.htm.htm"), PageBytes(split));
    QCOMPARE(doc->m_nTempFiles, 1);

    doc->m_lines.clear();
    CBrowserTest::OnTestInBrowser(*doc, m_prompt);
    QCOMPARE(m_prompt.m_messages.size(), std::size_t(2));
    QCOMPARE(m_prompt.m_messages[1].text, std::string(kNoImageTag));
    QCOMPARE(ReadAll(m_bench->Temp() + "/index_mw1.htm.htm"), QByteArray());
    QVERIFY(QFile::exists(m_bench->Temp() + "/index_mw1.htm.gif"));
    QCOMPARE(doc->m_nTempFiles, 2);

    QTest::qWait(200);
    QCOMPARE(m_bench->BrowserStarts(), QStringList());
}

void CBrowserTestTest::CommandIsEnabledByTheBrowserChoice()
{
    CAppSettings& settings = AppSettings();
    settings.m_bUseDefaultBrowser = 1;
    settings.m_strBrowserPath.clear();
    QVERIFY(CBrowserTest::OnUpdateTestInBrowser().bEnabled);
    settings.m_bUseDefaultBrowser = 0;
    QVERIFY(!CBrowserTest::OnUpdateTestInBrowser().bEnabled);
    settings.m_strBrowserPath = "firefox";
    QVERIFY(CBrowserTest::OnUpdateTestInBrowser().bEnabled);
    QVERIFY(!CBrowserTest::OnUpdateTestInBrowser().bChecked);
}

void CBrowserTestTest::DefaultBrowserOpensTheTemporaryPage()
{
    AppSettings().m_bUseDefaultBrowser = 1;
    CBrowserTest::s_nNameCounter = 0;
    auto doc = OpenIndex();
    CDefaultBrowser browser;
    QDesktopServices::setUrlHandler("file", &browser, "Open");
    CBrowserTest::OnTestInBrowser(*doc, m_prompt);
    QDesktopServices::unsetUrlHandler("file");
    QVERIFY(m_prompt.m_messages.empty());
    QCOMPARE(browser.m_opened, QList<QUrl>({QUrl::fromLocalFile(m_bench->Temp() + "/index_mw0.htm.htm")}));

    // The offscreen platform has no program for any file type.
    CBrowserTest::OnTestInBrowser(*doc, m_prompt);
    QCOMPARE(m_prompt.m_messages, std::vector<CScriptedPrompt::CMessage>(
        {{"There is no application associated with the given filename extension.", ""}}));
    QTest::qWait(100);
    QCOMPARE(m_bench->BrowserStarts(), QStringList());
}

void CBrowserTestTest::BrowserThatCannotStartIsReported()
{
    auto doc = OpenIndex();
    const QString notExecutable = m_bench->Root() + "/browser.txt";
    WriteAll(notExecutable, "#!/bin/sh\n");
    const QString programs[] = {m_bench->Root() + "/no-such-browser", notExecutable, m_bench->Site()};
    for (const QString& program : programs) {
        AppSettings().m_strBrowserPath = ToBytes(program);
        CBrowserTest::OnTestInBrowser(*doc, m_prompt);
        QCOMPARE(m_prompt.m_messages.size(), std::size_t(1));
        QCOMPARE(m_prompt.m_messages[0].text, std::string("Can't open file."));
        m_prompt.m_messages.clear();
    }
    // The pages were written all the same, and are deleted with the document.
    QCOMPARE(doc->m_nTempFiles, 3);
    QCOMPARE(m_bench->TempEntries().size(), 6);
    doc.reset();
    QCOMPARE(m_bench->TempEntries(), QStringList());
}

void CBrowserTestTest::TestsGoOnAfterTheTableIsFull()
{
    AppSettings().m_bUseDefaultBrowser = 1;
    CDefaultBrowser browser;
    QDesktopServices::setUrlHandler("file", &browser, "Open");
    CBrowserTest::s_nNameCounter = 0;
    auto doc = OpenIndex();
    constexpr int kTests = CVavedIdivovDoc::kMaxTempFiles + 6;
    for (int i = 0; i < kTests; ++i)
        CBrowserTest::OnTestInBrowser(*doc, m_prompt);
    QDesktopServices::unsetUrlHandler("file");
    QVERIFY(m_prompt.m_messages.empty());
    QCOMPARE(browser.m_opened.size(), kTests);
    QCOMPARE(browser.m_opened.last(), QUrl::fromLocalFile(m_bench->Temp() + "/index_mw1029.htm.htm"));

    // The last entry holds the latest test; the entry before it the 1,023rd.
    QCOMPARE(doc->m_nTempFiles, CVavedIdivovDoc::kMaxTempFiles);
    QCOMPARE(doc->m_tempFiles[1023].strHtmlFile, ToBytes(m_bench->Temp() + "/index_mw1029.htm.htm"));
    QCOMPARE(doc->m_tempFiles[1022].strImageFile, ToBytes(m_bench->Temp() + "/index_mw1022.htm.gif"));

    // Closing deletes every recorded pair; only the pairs replaced in the last entry stay.
    doc.reset();
    QStringList left;
    for (int i = 1023; i < 1029; ++i)
        left << QString("index_mw%1.htm.gif").arg(i) << QString("index_mw%1.htm.htm").arg(i);
    left.sort();
    QCOMPARE(m_bench->TempEntries(), left);
}

void CBrowserTestTest::MissingPictureAndMissingTemporaryFolder()
{
    CBrowserTest::s_nNameCounter = 0;
    auto doc = OpenIndex();
    QFile::remove(m_bench->Site() + "/pic.gif");
    CBrowserTest::OnTestInBrowser(*doc, m_prompt);
    QCOMPARE(m_prompt.m_messages, std::vector<CScriptedPrompt::CMessage>({{"Can't create temporary image file", ""}}));
    // The page file was made (empty) and is recorded, so it goes with the document.
    QCOMPARE(m_bench->TempEntries(), QStringList({"index_mw0.htm.htm"}));
    QCOMPARE(ReadAll(m_bench->Temp() + "/index_mw0.htm.htm"), QByteArray());
    QCOMPARE(doc->m_nTempFiles, 1);

    // A temporary folder that is a file, or that does not exist: nothing is written or recorded.
    WriteAll(m_bench->Site() + "/pic.gif", kPicture);
    const QString notAFolder = m_bench->Root() + "/file";
    WriteAll(notAFolder, "x");
    for (const QString& folder : {notAFolder, m_bench->Root() + "/gone"}) {
        m_prompt.m_messages.clear();
        m_bench->SetTmpDir(folder);
        CBrowserTest::OnTestInBrowser(*doc, m_prompt);
        QCOMPARE(m_prompt.m_messages, std::vector<CScriptedPrompt::CMessage>({{"Can't create temporary file", ""}}));
        QCOMPARE(doc->m_nTempFiles, 1);
    }
    QVERIFY(!QFile::exists("/index_mw2.htm.htm"));
    QCOMPARE(QDir(m_bench->Root()).entryList(QDir::Files, QDir::Name), QStringList({"browser.sh", "file"}));
    QCOMPARE(doc->m_lines, kPage);
    QCOMPARE(ReadAll(m_bench->Site() + "/index.htm"), PageBytes(kPage));
    QTest::qWait(100);
    QCOMPARE(m_bench->BrowserStarts(), QStringList());
}

void CBrowserTestTest::NamesTakenByOthersAreNotWrittenThrough()
{
    CBrowserTest::s_nNameCounter = 0;
    auto doc = OpenIndex();
    const QString victim = m_bench->Site() + "/precious.txt";
    WriteAll(victim, "keep me");

    // A link planted at the next page name.
    QVERIFY(QFile::link(victim, m_bench->Temp() + "/index_mw0.htm.htm"));
    CBrowserTest::OnTestInBrowser(*doc, m_prompt);
    QCOMPARE(m_prompt.m_messages, std::vector<CScriptedPrompt::CMessage>({{"Can't create temporary file", ""}}));
    QCOMPARE(doc->m_nTempFiles, 0);

    // A link planted at the next picture name.
    QVERIFY(QFile::link(victim, m_bench->Temp() + "/index_mw1.htm.gif"));
    CBrowserTest::OnTestInBrowser(*doc, m_prompt);
    QCOMPARE(m_prompt.m_messages.back().text, std::string("Can't create temporary image file"));
    QCOMPARE(ReadAll(victim), QByteArray("keep me"));
    QVERIFY(QFileInfo(m_bench->Temp() + "/index_mw1.htm.gif").isSymLink());

    // A file of another user at the next page name (only root can make one).
    const QString foreign = m_bench->Temp() + "/index_mw2.htm.htm";
    WriteAll(foreign, "theirs");
    if (::chown(QFile::encodeName(foreign).constData(), 65534, 65534) == 0) {
        CBrowserTest::OnTestInBrowser(*doc, m_prompt);
        QCOMPARE(m_prompt.m_messages.back().text, std::string("Can't create temporary file"));
        QCOMPARE(ReadAll(foreign), QByteArray("theirs"));
    }
    QTest::qWait(100);
    QCOMPARE(m_bench->BrowserStarts(), QStringList());

    // The document deletes its own files, never what it refused.
    doc.reset();
    QCOMPARE(ReadAll(victim), QByteArray("keep me"));
    QVERIFY(QFileInfo(m_bench->Temp() + "/index_mw0.htm.htm").isSymLink());
}

QTEST_MAIN(CBrowserTestTest)
#include "browsertest_test.moc"
