// The exported SVG overlay in a real browser: headless Chromium finds, with elementFromPoint at
// each area's centre, that area's link (the first area where two overlap) at the picture's own
// width and at half of it, as the page's image map gives at full width.
#include "document/mapdocument.h"
#include "support/browsertestbench.h"
#include "support/scriptedprompt.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

using namespace mapwright;

class CSvgChromiumTest : public QObject {
    Q_OBJECT
private slots:
    void OverlayLinksStayOnTheirSpotsAtEveryWidth();
};

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 120;
const QColor kPicture(0, 160, 0);

// The rectangle is first and overlaps the circle's centre: there the rectangle wins.
const char* const kPage =
    "<html><body style=\"margin:0\">\r\n"
    "<IMG SRC=\"pic.png\" USEMAP=\"#pic\" WIDTH=200 HEIGHT=120>\r\n"
    "<MAP NAME=\"pic\">\r\n"
    "<AREA SHAPE=RECT COORDS=\"20,20,100,80\" HREF=\"a.htm\" ALT=\"A &amp; co\">\r\n"
    "<AREA SHAPE=CIRCLE COORDS=\"90,60,30\" HREF=\"b.htm\" ALT=\"B\">\r\n"
    "<AREA SHAPE=POLY COORDS=\"130,10,190,10,160,110\" HREF=\"c.htm\" ALT=\"C\">\r\n"
    "<AREA SHAPE=RECT COORDS=\"0,100,60,119\" HREF=\"d.htm?x=1&y=2\" ALT=\"Caf\xE9 <b>\">\r\n"
    "</MAP>\r\n";

// Picture points and the link expected there: each area's centre, and a point of the circle
// outside the rectangle.
const QList<QPair<QPoint, QString>> kProbes = {
    {{60, 50}, "a.htm"}, {{90, 60}, "a.htm"}, {{115, 70}, "b.htm"},
    {{160, 43}, "c.htm"}, {{30, 110}, "d.htm"}, {{5, 5}, "none"},
};

// Finds the link under each probe, scaled to where the picture is shown, and writes the list
// into the body's data-hits for --dump-dom to show.
QString ProbeScript(const QString& selector)
{
    QString points;
    for (const auto& probe : kProbes)
        points += QStringLiteral("[%1,%2],").arg(probe.first.x()).arg(probe.first.y());
    return "<script>window.addEventListener('load', () => {"
           "const box = document.querySelector('" + selector + "').getBoundingClientRect();"
           "const hits = [" + points + "].map(([x, y]) => {"
           "const e = document.elementFromPoint(box.left + (x + 0.5) * box.width / " + QString::number(kWidth) +
           ", box.top + (y + 0.5) * box.height / " + QString::number(kHeight) + ");"
           "const link = e && e.closest('a, area');"
           "return (link && link.getAttribute('href') || 'none').split('?')[0]; });"
           "document.body.setAttribute('data-hits', hits.join(' '));});</script>";
}

}  // namespace

void CSvgChromiumTest::OverlayLinksStayOnTheirSpotsAtEveryWidth()
{
    const QString chromium = QStandardPaths::findExecutable("chromium");
    if (chromium.isEmpty())
        QSKIP("Chromium is not installed (scripts/install-deps.sh installs the Debian package chromium)");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QImage picture(kWidth, kHeight, QImage::Format_RGB32);
    picture.fill(kPicture);
    QVERIFY(picture.save(dir.filePath("pic.png")));
    QVERIFY(WriteAll(dir.filePath("page.htm"), kPage));

    CScriptedPrompt prompt;
    CMapDocument doc;
    doc.SetPrompt(&prompt);
    QVERIFY(doc.OnOpenDocument(ToBytes(dir.filePath("page.htm"))));
    const std::string folder = ToBytes(dir.path() + "/");
    const QByteArray overlay = QByteArray::fromStdString(doc.SvgOverlay(folder, true));
    QVERIFY(WriteAll(dir.filePath("overlay.svg"), overlay));
    // A Windows-1252 page's texts come out as well-formed UTF-8 XML.
    QXmlStreamReader xml(overlay);
    while (!xml.atEnd())
        xml.readNext();
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(overlay.contains("<a href=\"d.htm?x=1&amp;y=2\" aria-label=\"Caf\xC3\xA9 &lt;b&gt;\">"));
    const QString markup = QString::fromStdString(doc.SvgOverlay(folder, false));

    // The overlay pasted into pages at the picture's width and at half of it; the image map as it is.
    QMap<QString, QString> pages;
    for (const int width : {kWidth, kWidth / 2}) {
        pages.insert(QStringLiteral("svg%1.htm").arg(width),
                     QStringLiteral("<html><body style=\"margin:0\"><div style=\"width:%1px\">").arg(width) + markup +
                         "</div>" + ProbeScript("svg") + "</body></html>");
    }
    pages.insert("map.htm", QString(kPage) + ProbeScript("img") + "</body></html>");

    const QStringList options = {"--headless", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                                 "--hide-scrollbars", "--user-data-dir=" + dir.filePath("profile"),
                                 "--window-size=400,300"};
    const auto run = [&](const QStringList& arguments) {
        QProcess browser;
        browser.start(chromium, options + arguments);
        const bool finished = browser.waitForFinished(120000);
        if (!finished)
            browser.kill();
        return finished ? QString::fromUtf8(browser.readAllStandardOutput()) : QString();
    };
    const QRegularExpression hitsAttribute("data-hits=\"([^\"]*)\"");
    for (auto page = pages.cbegin(); page != pages.cend(); ++page) {
        QVERIFY(WriteAll(dir.filePath(page.key()), page.value().toUtf8()));
        const QString dom = run({"--dump-dom", QUrl::fromLocalFile(dir.filePath(page.key())).toString()});
        const QRegularExpressionMatch match = hitsAttribute.match(dom);
        QVERIFY2(match.hasMatch(), qPrintable(page.key() + ": " + dom.right(400)));
        for (int i = 0; i < kProbes.size(); ++i)
            QCOMPARE(match.captured(1).split(' ').value(i), kProbes[i].second);
    }

    // The standalone file, read as XML, shows the picture it refers to, filling the window's width.
    run({"--screenshot=" + dir.filePath("shot.png"), QUrl::fromLocalFile(dir.filePath("overlay.svg")).toString()});
    const QImage shot(dir.filePath("shot.png"));
    QVERIFY(!shot.isNull());
    QCOMPARE(shot.pixelColor(10, 10), kPicture);
    QCOMPARE(shot.pixelColor(390, 200), kPicture);
    if (qEnvironmentVariableIsSet("MAPWRIGHT_KEEP_SHOT"))
        QFile::copy(dir.filePath("shot.png"), qEnvironmentVariable("MAPWRIGHT_KEEP_SHOT"));
}

QTEST_MAIN(CSvgChromiumTest)
#include "svgchromium_test.moc"
