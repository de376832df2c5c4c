// What a start puts off until its first frame is out: the text and the first check of the
// Problems pane of a long page come afterwards, the same as they would have come at once, and a
// user who acts before then acts on the whole text.
#include "support/openedpage.h"
#include "views/afterfirstframe.h"
#include "views/htmlpane.h"
#include "views/problemspane.h"

#include <QSignalSpy>
#include <QTextBlock>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

using namespace mapwright;

class CAfterFirstFrameTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { afterfirstframe::Release(); }
    void ALongPageShowsAfterTheFirstFrameAsItWouldAtOnce();
    void KeysTypedBeforeTheTextShowsEditTheWholeText();
    void TheFirstCheckWaitsAndWorkOfAGoneContextIsDropped();
};

namespace {

// The three-area page with comment lines enough to be filled after the first frame.
CLines LongPage()
{
    CLines lines = kThreeAreaPage;
    for (std::size_t i = 0; i <= CHtmlPane::kLinesFilledAfterFirstFrame; ++i)
        lines.insert(lines.end() - 1, "<!-- line " + std::to_string(i) + " -->");
    return lines;
}

}  // namespace

void CAfterFirstFrameTest::ALongPageShowsAfterTheFirstFrameAsItWouldAtOnce()
{
    CMapDocument doc;
    OpenPage(doc, LongPage());
    CHtmlPane atOnce(&doc);
    QVERIFY(!atOnce.FillPending());

    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    afterfirstframe::HoldUntilPainted(&window);
    auto* shortPane = new CHtmlPane(nullptr);
    CMapDocument shortDoc;
    OpenPage(shortDoc);
    auto* shortFilled = new CHtmlPane(&shortDoc);
    auto* later = new CHtmlPane(&doc);
    layout->addWidget(shortPane);
    layout->addWidget(shortFilled);
    layout->addWidget(later);
    QVERIFY(!shortFilled->FillPending());  // a short page is in the first frame
    QVERIFY(later->FillPending());
    QVERIFY(later->document()->isEmpty());

    window.resize(600, 400);
    window.show();
    QTRY_VERIFY(!afterfirstframe::Holding());
    QVERIFY(!later->FillPending());
    QCOMPARE(later->document()->toRawText(), atOnce.document()->toRawText());
    QCOMPARE(later->textCursor().position(), 0);
    QCOMPARE(doc.Lines(), LongPage());
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
    QVERIFY(!pane.FillPending());
    QCOMPARE(doc.Lines().size(), page.size());
    QCOMPARE(QString::fromStdString(doc.Lines().front()), QString::fromStdString("x" + page.front()));
    QCOMPARE(doc.AreaCount(), 3);
    QCOMPARE(pane.document()->findBlockByNumber(1).text(), QString::fromStdString(page[1]));
}

void CAfterFirstFrameTest::TheFirstCheckWaitsAndWorkOfAGoneContextIsDropped()
{
    CMapDocument shortDoc;
    OpenPage(shortDoc);
    CLines lines = kThreeAreaPage;
    for (int i = 0; i < CProblemsPane::kAreasCheckedAfterFirstFrame; ++i)
        lines.insert(lines.end() - 2, "<AREA SHAPE=RECT COORDS=\"1,1,5,5\" HREF=\"a.htm\">");
    CMapDocument doc;
    OpenPage(doc, lines);
    QWidget window;
    afterfirstframe::HoldUntilPainted(&window);
    CProblemsPane pane;
    QSignalSpy checked(&pane, &CProblemsPane::FindingsChanged);
    // A short page is checked for the first frame.
    pane.SetDocument(&shortDoc);
    QTRY_COMPARE(checked.count(), 1);
    QVERIFY(afterfirstframe::Holding());
    checked.clear();

    pane.SetDocument(&doc);
    auto gone = std::make_unique<QObject>();
    bool ranForGone = false;
    afterfirstframe::Run(gone.get(), [&ranForGone] { ranForGone = true; });
    gone.reset();

    QTest::qWait(50);
    QCOMPARE(checked.count(), 0);
    afterfirstframe::Release();
    QTRY_COMPARE(checked.count(), 1);
    QVERIFY(pane.RowCount() > 0);
    QCOMPARE(pane.RowCount(), int(pane.Findings().size()));
    QVERIFY(!ranForGone);

    // With nothing held, work runs at once.
    bool ran = false;
    afterfirstframe::Run(&pane, [&ran] { ran = true; });
    QVERIFY(ran);
}

QTEST_MAIN(CAfterFirstFrameTest)
#include "afterfirstframe_test.moc"
