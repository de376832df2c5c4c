#include "integration/browsertest.h"
#include "platform/appsettings.h"
#include "support/browsertestbench.h"
#include "support/scriptedprompt.h"

#include <QImage>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

using namespace mapwright;

// The page that Test in browser writes, opened by a real browser: headless Chromium started as
// the configured browser program.
class CBrowserChromiumTest : public QObject {
    Q_OBJECT
private slots:
    void BrowserShowsThePictureCopyAndTheMap();
};

namespace {

const QColor kBackground(255, 0, 255);
const QColor kSquare(0, 0, 255);

const CLines kPage = {
    "<html><body style=\"margin:0\">",
    "<IMG SRC=\"harbour.png\" USEMAP=\"#harbour\" WIDTH=64 HEIGHT=48 BORDER=0>",
    "<MAP NAME=\"harbour\">",
    "<AREA SHAPE=RECT COORDS=\"16,16,32,32\" HREF=\"quay.htm\" ALT=\"Quay\">",
    "<AREA SHAPE=CIRCLE COORDS=\"48,24,10\" HREF=\"lighthouse.htm\" ALT=\"Lighthouse\">",
    "</MAP>",
    "</body></html>",
};

// A browser program that has Chromium draw the page into shot.png and dump its document into
// dom.html, then leaves done behind.
QString MakeChromiumBrowser(const CBrowserTestBench& bench, const QString& chromium)
{
    const QString root = bench.Root();
    const QString options = "--headless --no-sandbox --disable-gpu --disable-dev-shm-usage --hide-scrollbars "
                            "--user-data-dir='" + root + "/profile'";
    const QString script = "#!/bin/sh\n"
                           "'" + chromium + "' " + options + " --window-size=400,300 --screenshot='" + root +
                           "/shot.png' \"$1\" 2>>'" + root + "/chromium.log'\n"
                           "'" + chromium + "' " + options + " --dump-dom \"$1\" >'" + root + "/dom.html' 2>>'" +
                           root + "/chromium.log'\n"
                           "touch '" + root + "/done'\n";
    const QString program = root + "/chromium-browser.sh";
    WriteAll(program, script.toUtf8());
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return program;
}

}  // namespace

void CBrowserChromiumTest::BrowserShowsThePictureCopyAndTheMap()
{
    const QString chromium = QStandardPaths::findExecutable("chromium");
    if (chromium.isEmpty())
        QSKIP("Chromium is not installed (scripts/install-deps.sh installs the Debian package chromium)");

    CBrowserTestBench bench;
    QVERIFY(bench.Ok());
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(kBackground);
    for (int y = 16; y < 32; ++y)
        for (int x = 16; x < 32; ++x)
            picture.setPixelColor(x, y, kSquare);
    QVERIFY(picture.save(bench.Site() + "/harbour.png"));
    QByteArray page;
    for (const std::string& line : kPage)
        page += QByteArray::fromStdString(line) + "\r\n";
    QVERIFY(WriteAll(bench.Site() + "/harbour.htm", page));

    CScriptedPrompt prompt;
    CMapDocument doc;
    doc.SetPrompt(&prompt);
    QVERIFY(doc.OnOpenDocument(ToBytes(bench.Site() + "/harbour.htm")));
    AppSettings().m_bUseDefaultBrowser = 0;
    AppSettings().m_strBrowserPath = ToBytes(MakeChromiumBrowser(bench, chromium));
    CBrowserTest::s_nNameCounter = 0;
    CBrowserTest::OnTestInBrowser(doc, prompt);
    QVERIFY(prompt.m_messages.empty());

    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(bench.Root() + "/done"), 120000);
    const QImage shot(bench.Root() + "/shot.png");
    QVERIFY2(!shot.isNull(), ReadAll(bench.Root() + "/chromium.log").right(2000).constData());
    // The picture shows at the page's top left, from its temporary copy.
    QCOMPARE(shot.pixelColor(4, 4), kBackground);
    QCOMPARE(shot.pixelColor(24, 24), kSquare);
    QCOMPARE(shot.pixelColor(60, 44), kBackground);
    QVERIFY(shot.pixelColor(100, 100) != kBackground && shot.pixelColor(30, 60) != kBackground);

    const QString dom = QString::fromUtf8(ReadAll(bench.Root() + "/dom.html"));
    QVERIFY2(dom.contains("<img src=\"harbour_mw0.htm.png\" usemap=\"#harbour\""), qPrintable(dom));
    const QRegularExpression area("<area shape=\"(\\w+)\" coords=\"([\\d,]+)\" href=\"([^\"]+)\"");
    QStringList areas;
    for (const QRegularExpressionMatch& match : area.globalMatch(dom))
        areas << match.captured(1) + " " + match.captured(2) + " " + match.captured(3);
    QCOMPARE(areas, QStringList({"RECT 16,16,32,32 quay.htm", "CIRCLE 48,24,10 lighthouse.htm"}));
}

QTEST_MAIN(CBrowserChromiumTest)
#include "browserchromium_test.moc"
