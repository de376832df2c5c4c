// What a start puts off until its first frame is out: the text and the first check of the
// Problems pane of a long page come afterwards, the same as they would have come at once, and a
// user who acts before then acts on the whole text.
#include "support/openedpage.h"
#include "views/afterfirstframe.h"
#include "views/htmlpane.h"
#include "views/problemspane.h"

#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

using namespace mapwright;

class CAfterFirstFrameTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { afterfirstframe::Release(); }
    void ALongPageShowsAfterTheFirstFrameAsItWouldAtOnce();
    void KeysTypedBeforeTheTextShowsEditTheWholeText();
    void OnlyALongPagesFirstCheckWaits();
};

namespace {

// The three-area page with areas enough to wait for the first frame.
CLines LongPage()
{
    CLines lines = kThreeAreaPage;
    for (std::size_t i = 0; i <= CHtmlPane::kLinesFilledAfterFirstFrame; ++i)
        lines.insert(lines.end() - 2, "<AREA SHAPE=RECT COORDS=\"1,1,5,5\" HREF=\"a.htm\">");
    return lines;
}

}  // namespace

void CAfterFirstFrameTest::ALongPageShowsAfterTheFirstFrameAsItWouldAtOnce()
{
    CMapDocument doc;
    OpenPage(doc, LongPage());
    CHtmlPane atOnce(&doc);
    CMapDocument shortDoc;
    OpenPage(shortDoc);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    afterfirstframe::HoldUntilPainted(&window);
    auto* shortPane = new CHtmlPane(&shortDoc);
    auto* later = new CHtmlPane(&doc);
    layout->addWidget(shortPane);
    layout->addWidget(later);
    QVERIFY(!shortPane->FillPending());
    QVERIFY(later->FillPending());
    QVERIFY(later->document()->isEmpty());

    window.show();
    QTRY_VERIFY(!afterfirstframe::Holding());
    QCOMPARE(later->document()->toRawText(), atOnce.document()->toRawText());
    QCOMPARE(later->textCursor().position(), 0);
}

void CAfterFirstFrameTest::KeysTypedBeforeTheTextShowsEditTheWholeText()
{
    CMapDocument doc;
    const CLines page = LongPage();
    OpenPage(doc, page);
    QWidget window;  // never shown: the work waits until it is let go
    afterfirstframe::HoldUntilPainted(&window);
    CHtmlPane pane(&doc, &window);
    QVERIFY(pane.FillPending());

    QTest::keyClick(&pane, Qt::Key_X);
    QCOMPARE(doc.Lines().size(), page.size());
    QCOMPARE(QString::fromStdString(doc.Lines().front()), QString::fromStdString("x" + page.front()));
    QCOMPARE(doc.AreaCount(), int(page.size()) - 5);
}

void CAfterFirstFrameTest::OnlyALongPagesFirstCheckWaits()
{
    CMapDocument shortDoc;
    OpenPage(shortDoc);
    CMapDocument doc;
    OpenPage(doc, LongPage());
    QWidget window;
    afterfirstframe::HoldUntilPainted(&window);
    CProblemsPane pane;
    QSignalSpy checked(&pane, &CProblemsPane::FindingsChanged);
    pane.SetDocument(&shortDoc);
    QTRY_COMPARE(checked.count(), 1);

    pane.SetDocument(&doc);
    bool ranForGone = false;
    auto* gone = new QObject;
    afterfirstframe::Run(gone, [&ranForGone] { ranForGone = true; });
    delete gone;
    QTest::qWait(50);
    QCOMPARE(checked.count(), 1);
    afterfirstframe::Release();
    QTRY_COMPARE(checked.count(), 2);
    QCOMPARE(pane.RowCount(), int(pane.Findings().size()));
    QVERIFY(pane.RowCount() > doc.AreaCount());
    QVERIFY(!ranForGone);
}

QTEST_MAIN(CAfterFirstFrameTest)
#include "afterfirstframe_test.moc"
