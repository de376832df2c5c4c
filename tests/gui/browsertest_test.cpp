#include "integration/browsertest.h"
#include "platform/appsettings.h"
#include "support/browsertestbench.h"
#include "support/documentprobe.h"
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

using CTexts = std::vector<std::string>;

QByteArray PageBytes(const CLines& lines)
{
    QByteArray bytes;
    for (const std::string& line : lines)
        bytes += QByteArray::fromStdString(line) + "\r\n";
    return bytes;
}

// kPage with the image tag pointed at imageName.
CLines PageShowing(const std::string& imageName)
{
    CLines lines = kPage;
    lines[1] = "<IMG SRC=\"" + imageName + "\" USEMAP=\"#pic\" WIDTH=40 HEIGHT=30>";
    return lines;
}

// Records the files the desktop was asked to open, standing in for the default browser.
class CDefaultBrowser : public QObject {
    Q_OBJECT
public:
    CDefaultBrowser() { QDesktopServices::setUrlHandler("file", this, "Open"); }
    ~CDefaultBrowser() override { QDesktopServices::unsetUrlHandler("file"); }
    QList<QUrl> m_opened;
public slots:
    void Open(const QUrl& url) { m_opened << url; }
};

}  // namespace

class CBrowserTestTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_bench.reset(); }
    void WorkedExampleWritesThePageBesideACopyOfThePicture();
    void NamesOfNewDocumentsTitlesWithoutDotsAndDottedFolders();
    void TheMappedImageTagIsPointedAtTheCopyInPlace();
    void EnablingAndStartingTheBrowser();
    void TestsGoOnAfterTheTableIsFull();
    void BadInputLeavesTheUsersFilesAlone();

private:
    // A document of lines opened from page over picture; a new, untitled one without page.
    std::unique_ptr<CMapDocument> MakeDoc(const CLines& lines, const QString& page, const QString& picture);
    std::unique_ptr<CMapDocument> OpenIndex(const CLines& lines = kPage);
    // Runs a test of doc and returns the messages it showed.
    CTexts Run(CMapDocument& doc);
    QString Temp(const QString& name) const { return m_bench->Temp() + "/" + name; }

    std::unique_ptr<CBrowserTestBench> m_bench;
};

void CBrowserTestTest::init()
{
    m_bench = std::make_unique<CBrowserTestBench>();
    QVERIFY(m_bench->Ok());
    AppSettings().m_bUseDefaultBrowser = 0;
    AppSettings().m_strBrowserPath = ToBytes(m_bench->MakeRecordingBrowser());
    CBrowserTest::s_nNameCounter = 0;
}

std::unique_ptr<CMapDocument> CBrowserTestTest::MakeDoc(const CLines& lines, const QString& page,
                                                           const QString& picture)
{
    auto doc = std::make_unique<CMapDocument>();
    doc->ReplaceLines(lines);
    CMapDocumentProbe::SetImagePath(*doc, ToBytes(picture));
    WriteAll(picture, kPicture);
    if (page.isEmpty()) {
        doc->SetTitle("Mapwright1");
    } else {
        WriteAll(page, PageBytes(lines));
        doc->SetPathName(ToBytes(page));
    }
    return doc;
}

std::unique_ptr<CMapDocument> CBrowserTestTest::OpenIndex(const CLines& lines)
{
    return MakeDoc(lines, m_bench->Site() + "/index.htm", m_bench->Site() + "/pic.gif");
}

CTexts CBrowserTestTest::Run(CMapDocument& doc)
{
    CScriptedPrompt prompt;
    CBrowserTest::OnTestInBrowser(doc, prompt);
    CTexts texts;
    for (const CScriptedPrompt::CMessage& message : prompt.m_messages)
        texts.push_back(message.text);
    return texts;
}

void CBrowserTestTest::WorkedExampleWritesThePageBesideACopyOfThePicture()
{
    auto doc = OpenIndex();
    QCOMPARE(Run(*doc), CTexts());
    QCOMPARE(ReadAll(Temp("index_mw0.htm.gif")), kPicture);
    QCOMPARE(ReadAll(Temp("index_mw0.htm.htm")), PageBytes(PageShowing("index_mw0.htm.gif")));
    QCOMPARE(int(doc->TempFiles().size()), 1);
    QCOMPARE(doc->TempFiles()[0].strHtmlFile, ToBytes(Temp("index_mw0.htm.htm")));
    QCOMPARE(doc->TempFiles()[0].strImageFile, ToBytes(Temp("index_mw0.htm.gif")));
    // The browser program gets the page's full name as its one argument.
    QTRY_COMPARE(m_bench->BrowserStarts(), QStringList({"1|" + Temp("index_mw0.htm.htm")}));

    QCOMPARE(Run(*doc), CTexts());
    QCOMPARE(ReadAll(Temp("index_mw1.htm.htm")), PageBytes(PageShowing("index_mw1.htm.gif")));
    QTRY_COMPARE(m_bench->BrowserStarts().size(), 2);
    QCOMPARE(doc->Lines(), kPage);
    QCOMPARE(ReadAll(m_bench->Site() + "/index.htm"), PageBytes(kPage));

    // Closing the document takes its temporary files with it.
    doc.reset();
    QCOMPARE(m_bench->TempEntries(), QStringList());
}

void CBrowserTestTest::NamesOfNewDocumentsTitlesWithoutDotsAndDottedFolders()
{
    QCOMPARE(CBrowserTest::MakeTempName("page.v2.htm"), std::string("page.v2_mw0.htm"));
    QCOMPARE(CBrowserTest::MakeTempName("README"), std::string("README_mw1"));

    // A new document has no path: its page is written as ".html".
    auto fresh = MakeDoc(kPage, {}, m_bench->Site() + "/pic.gif");
    QCOMPARE(Run(*fresh), CTexts());
    QCOMPARE(ReadAll(Temp("Mapwright1_mw2.html")), PageBytes(PageShowing("Mapwright1_mw2.gif")));

    // A dot in a folder name is no extension of the file in it.
    QDir(m_bench->Site()).mkpath("v1.0");
    auto dotted = MakeDoc(kPage, m_bench->Site() + "/v1.0/map", m_bench->Site() + "/v1.0/picture.png");
    QCOMPARE(Run(*dotted), CTexts());
    QCOMPARE(ReadAll(Temp("map_mw3.png")), kPicture);
    QCOMPARE(ReadAll(Temp("map_mw3")), PageBytes(PageShowing("map_mw3.png")));
}

void CBrowserTestTest::TheMappedImageTagIsPointedAtTheCopyInPlace()
{
    // Spacer images first, the mapped one over two lines: only it changes, and only its SRC.
    auto doc = OpenIndex({
        "<img src=spacer.gif width=1>",
        "<Img Alt=\"x\"",
        "  Src='my pic.gif' UseMap=#pic />",
        "<IMG SRC=pic.gif USEMAP=#pic>",
    });
    QCOMPARE(Run(*doc), CTexts());
    QCOMPARE(ReadAll(Temp("index_mw0.htm.htm")), PageBytes({
        "<img src=spacer.gif width=1>",
        "<Img Alt=\"x\"",
        "  Src=\"index_mw0.htm.gif\" UseMap=#pic />",
        "<IMG SRC=pic.gif USEMAP=#pic>",
    }));

    // No image tag with a USEMAP, or no lines: the page is written all the same, but no browser
    // starts.
    const char noTag[] = "Can't find old image name after SRC=. Please edit HTML-document";
    const CLines split = {"<IMG SRC=\"pic.gif\"", " ALT=\"USEMAP=#pic\">"};
    doc->ReplaceLines(split);
    QCOMPARE(Run(*doc), CTexts({noTag}));
    QCOMPARE(ReadAll(Temp("index_mw1.htm.htm")), PageBytes(split));
    doc->ReplaceLines({});
    QCOMPARE(Run(*doc), CTexts({noTag}));
    QVERIFY(QFile::exists(Temp("index_mw2.htm.htm")));
    QCOMPARE(int(doc->TempFiles().size()), 3);
    QTRY_COMPARE(m_bench->BrowserStarts().size(), 1);
    QTest::qWait(200);
    QCOMPARE(m_bench->BrowserStarts().size(), 1);
}

void CBrowserTestTest::EnablingAndStartingTheBrowser()
{
    CAppSettings& settings = AppSettings();
    settings.m_strBrowserPath.clear();
    QVERIFY(!CBrowserTest::OnUpdateTestInBrowser().bEnabled);
    settings.m_bUseDefaultBrowser = 1;
    QVERIFY(CBrowserTest::OnUpdateTestInBrowser().bEnabled);
    settings.m_bUseDefaultBrowser = 0;
    settings.m_strBrowserPath = "firefox";
    QVERIFY(CBrowserTest::OnUpdateTestInBrowser().bEnabled);

    auto doc = OpenIndex();
    const QString notExecutable = m_bench->Root() + "/browser.txt";
    WriteAll(notExecutable, "#!/bin/sh\n");
    for (const QString& program : {m_bench->Root() + "/no-such-browser", notExecutable, m_bench->Site()}) {
        settings.m_strBrowserPath = ToBytes(program);
        QCOMPARE(Run(*doc), CTexts({"Can't open file."}));
    }

    settings.m_bUseDefaultBrowser = 1;
    {
        CDefaultBrowser browser;
        QCOMPARE(Run(*doc), CTexts());
        QCOMPARE(browser.m_opened, QList<QUrl>({QUrl::fromLocalFile(Temp("index_mw3.htm.htm"))}));
    }
    // The offscreen platform has no program for any file type.
    QCOMPARE(Run(*doc), CTexts({"There is no application associated with the given filename extension."}));
    // Every page was written all the same, and goes with the document.
    QCOMPARE(m_bench->TempEntries().size(), 10);
    doc.reset();
    QCOMPARE(m_bench->TempEntries(), QStringList());
}

void CBrowserTestTest::TestsGoOnAfterTheTableIsFull()
{
    AppSettings().m_bUseDefaultBrowser = 1;
    CDefaultBrowser browser;
    auto doc = OpenIndex();
    constexpr int kTests = CMapDocument::kMaxTempFiles + 6;
    CTexts messages;
    for (int i = 0; i < kTests; ++i) {
        const CTexts shown = Run(*doc);
        messages.insert(messages.end(), shown.begin(), shown.end());
    }
    QCOMPARE(messages, CTexts());
    QCOMPARE(browser.m_opened.size(), kTests);
    QCOMPARE(browser.m_opened.last(), QUrl::fromLocalFile(Temp("index_mw1029.htm.htm")));

    // The last entry holds the latest test, the one before it the 1,023rd.
    QCOMPARE(int(doc->TempFiles().size()), CMapDocument::kMaxTempFiles);
    QCOMPARE(doc->TempFiles()[1023].strHtmlFile, ToBytes(Temp("index_mw1029.htm.htm")));
    QCOMPARE(doc->TempFiles()[1022].strImageFile, ToBytes(Temp("index_mw1022.htm.gif")));

    // Closing deletes every recorded pair; only the pairs replaced in the last entry stay.
    doc.reset();
    QStringList left;
    for (int i = 1023; i < 1029; ++i)
        left << QString("index_mw%1.htm.gif").arg(i) << QString("index_mw%1.htm.htm").arg(i);
    left.sort();
    QCOMPARE(m_bench->TempEntries(), left);
}

void CBrowserTestTest::BadInputLeavesTheUsersFilesAlone()
{
    auto doc = OpenIndex();
    // The picture was deleted after opening: the empty page is recorded and goes with the document.
    QFile::remove(m_bench->Site() + "/pic.gif");
    QCOMPARE(Run(*doc), CTexts({"Can't create temporary image file"}));
    QCOMPARE(m_bench->TempEntries(), QStringList({"index_mw0.htm.htm"}));
    QCOMPARE(int(doc->TempFiles().size()), 1);
    WriteAll(m_bench->Site() + "/pic.gif", kPicture);

    // Links planted at the next page name and at the next picture name are not written through.
    const QString victim = m_bench->Site() + "/precious.txt";
    WriteAll(victim, "keep me");
    QVERIFY(QFile::link(victim, Temp("index_mw1.htm.htm")));
    QCOMPARE(Run(*doc), CTexts({"Can't create temporary file"}));
    QCOMPARE(int(doc->TempFiles().size()), 1);
    QVERIFY(QFile::link(victim, Temp("index_mw2.htm.gif")));
    QCOMPARE(Run(*doc), CTexts({"Can't create temporary image file"}));
    QCOMPARE(ReadAll(victim), QByteArray("keep me"));

    // Nor is another user's file (only root can make one here).
    WriteAll(Temp("index_mw3.htm.htm"), "theirs");
    if (::chown(QFile::encodeName(Temp("index_mw3.htm.htm")).constData(), 65534, 65534) == 0) {
        QCOMPARE(Run(*doc), CTexts({"Can't create temporary file"}));
        QCOMPARE(ReadAll(Temp("index_mw3.htm.htm")), QByteArray("theirs"));
    }

    // A temporary folder that is a file or does not exist: nothing is written or recorded.
    const QString notAFolder = m_bench->Root() + "/file";
    WriteAll(notAFolder, "x");
    for (const QString& folder : {notAFolder, m_bench->Root() + "/gone"}) {
        m_bench->SetTmpDir(folder);
        QCOMPARE(Run(*doc), CTexts({"Can't create temporary file"}));
    }
    QCOMPARE(int(doc->TempFiles().size()), 2);
    QVERIFY(!QFile::exists("/index_mw5.htm.htm"));
    QCOMPARE(ReadAll(notAFolder), QByteArray("x"));

    QCOMPARE(doc->Lines(), kPage);
    QCOMPARE(ReadAll(m_bench->Site() + "/index.htm"), PageBytes(kPage));
    QTest::qWait(100);
    QCOMPARE(m_bench->BrowserStarts(), QStringList());
    doc.reset();
    QCOMPARE(ReadAll(victim), QByteArray("keep me"));
}

QTEST_MAIN(CBrowserTestTest)
#include "browsertest_test.moc"
