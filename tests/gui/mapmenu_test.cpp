// The Map menu's commands on an open page: Replace Picture asks, scales and undoes as one step;
// Copy SVG Overlay puts markup without the XML prologue on the clipboard.
#include "gui/shellfixture.h"
#include "shell/commandids.h"
#include "views/htmlpane.h"

#include <QClipboard>

using namespace mapwright;

class CMapMenuTest : public QObject {
    Q_OBJECT
private slots:
    void ReplacePictureThenUndoAndCopyOverlay();
};

void CMapMenuTest::ReplacePictureThenUndoAndCopyOverlay()
{
    CShellFixture f;
    QVERIFY(f.folder.ok());
    f.Start();
    f.WritePicture("big.png", 128, 72);
    f.Frame().OnDropFiles({f.WritePage("page.htm", "pic.png", 64, 48)});
    CMapDocument& doc = *f.Frames().at(0)->GetActiveDocument();
    const CLines before = doc.Lines();

    f.prompt.ChooseFile(f.folder.File("big.png"));
    f.prompt.AnswerYes();
    f.Run(ID_REPLACE_PICTURE);
    QVERIFY(f.prompt.AllScriptUsed());
    QVERIFY(QString::fromStdString(f.prompt.m_questions.back()).startsWith("Scale the areas to the new picture size?"));
    QCOMPARE(doc.Lines()[1], std::string("<IMG SRC=\"big.png\" USEMAP=\"#pic\">"));
    QCOMPARE(doc.Lines()[3], std::string("<AREA SHAPE=RECT COORDS=\"2,2,10,8\" HREF=\"a.htm\">"));
    QCOMPARE(doc.Picture().Width(), 128);
    QVERIFY(f.Frames().at(0)->TextPane()->toPlainText().contains("big.png"));
    f.Run(ID_EDIT_UNDO);
    QCOMPARE(doc.Lines(), before);
    QCOMPARE(doc.Picture().Width(), 64);

    f.Run(ID_COPY_SVG);
    const QString copied = QGuiApplication::clipboard()->text();
    QVERIFY2(copied.startsWith("<svg ") && copied.contains("<image href=\"pic.png\" width=\"64\" height=\"48\"/>") &&
                 copied.contains("<a href=\"a.htm\"><rect x=\"1\" y=\"1\" width=\"4\" height=\"4\""),
             qPrintable(copied));
}

QTEST_MAIN(CMapMenuTest)
#include "mapmenu_test.moc"
