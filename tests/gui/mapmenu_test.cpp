// The Map menu end to end: Replace Picture with its question and one Undo, a refused Scale Map,
// and the SVG overlay as a file and on the clipboard, read back as XML.
#include "gui/shellfixture.h"
#include "shell/commandids.h"

#include <QClipboard>
#include <QXmlStreamReader>

using namespace mapwright;

namespace {

class CScriptedMapDialogs : public CMapDialogs {
public:
    bool AskScale(bool, CScaleAnswer& answer) override { return answer.text = m_strScale, true; }
    QString ChooseSvgPath(const QString&) override { return m_strSvgPath; }
    QString m_strScale;
    QString m_strSvgPath;
};

// "href | aria-label" of each link, in document order; an error when the XML is not well-formed.
QStringList LinksOf(const QString& svg)
{
    QXmlStreamReader xml(svg);
    QStringList links;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QStringLiteral("a"))
            links << xml.attributes().value("href").toString() + " | " + xml.attributes().value("aria-label").toString();
    }
    return xml.hasError() ? QStringList{"XML error: " + xml.errorString()} : links;
}

}  // namespace

class CMapMenuTest : public QObject {
    Q_OBJECT
private slots:
    void PictureScaleAndOverlayCommands();
};

void CMapMenuTest::PictureScaleAndOverlayCommands()
{
    CShellFixture f;
    QVERIFY(f.folder.ok());
    CScriptedMapDialogs dialogs;
    f.Start();
    f.Frame().SetMapDialogs(&dialogs);
    f.WritePicture("pic.png", 64, 48);
    f.WritePicture("big.png", 128, 72);
    // Windows-1252 bytes and markup characters in the texts.
    const std::string page = "<IMG SRC=\"pic.png\" USEMAP=\"#pic\" WIDTH=64 HEIGHT=48>\r\n<MAP NAME=\"pic\">\r\n"
                             "<AREA SHAPE=RECT COORDS=\"1,1,5,5\" HREF=\"a.htm?x=1&y=2\" ALT=\"Caf\xE9 &amp; <b>\">\r\n"
                             "<AREA SHAPE=CIRCLE COORDS=\"30,30,10\" HREF='q\"uote.htm'>\r\n</MAP>\r\n";
    picturewriter::WriteBytes(f.folder.File("page.htm"), reinterpret_cast<const std::uint8_t*>(page.data()), page.size());
    f.Frame().OnDropFiles({f.Path("page.htm")});
    CMapDocument& doc = *f.Frames().at(0)->GetActiveDocument();
    const CLines before = doc.Lines();

    f.prompt.ChooseFile(f.folder.File("big.png"));
    f.prompt.AnswerYes();
    f.Run(ID_REPLACE_PICTURE);
    QVERIFY(f.prompt.AllScriptUsed());
    QVERIFY(QString::fromStdString(f.prompt.m_questions.back()).startsWith("Scale the areas to the new picture size?"));
    QCOMPARE(doc.Lines()[0], std::string("<IMG SRC=\"big.png\" USEMAP=\"#pic\" WIDTH=128 HEIGHT=72>"));
    QCOMPARE(doc.Lines()[3], std::string("<AREA SHAPE=CIRCLE COORDS=\"60,45,15\" HREF='q\"uote.htm'>"));
    QCOMPARE(doc.Picture().Width(), 128);
    f.Run(ID_EDIT_UNDO);
    QCOMPARE(doc.Lines(), before);
    QCOMPARE(doc.Picture().Width(), 64);

    dialogs.m_strScale = "0 %";
    f.Run(ID_SCALE_MAP);
    QCOMPARE(doc.Lines(), before);
    QCOMPARE(f.prompt.m_messages.size(), std::size_t(1));

    dialogs.m_strSvgPath = f.Path("out/page.svg");
    QVERIFY(QDir().mkpath(f.Path("out")));
    f.Run(ID_EXPORT_SVG);
    QFile file(dialogs.m_strSvgPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString svg = QString::fromUtf8(file.readAll());
    const QStringList links = {"q\"uote.htm | ", QString::fromUtf8("a.htm?x=1&y=2 | Caf\u00e9 & <b>")};
    QCOMPARE(LinksOf(svg), links);
    QVERIFY(svg.contains("<image href=\"../pic.png\""));
    f.Run(ID_COPY_SVG);
    const QString copied = QGuiApplication::clipboard()->text();
    QVERIFY(copied.startsWith("<svg "));
    QCOMPARE(LinksOf(copied), links);
    f.Frame().SetMapDialogs(nullptr);
}

QTEST_MAIN(CMapMenuTest)
#include "mapmenu_test.moc"
