// The Problems dock: what it lists for the active page, how it follows edits and typing, the
// counts in the status bar, the tabs' error mark, and going to an area from a finding.
#include "shellfixture.h"
#include "views/canvasview.h"
#include "views/htmlpane.h"
#include "views/problemspane.h"
#include "shell/doctablist.h"

#include <QDockWidget>
#include <QLabel>
#include <QListView>

namespace mapwright {

class CProblemsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { m_fixture = std::make_unique<CShellFixture>(); }
    void cleanup() { m_fixture.reset(); }
    void TheActivePageIsCheckedAndCountedAndItsTabMarked();
    void TypingIsCheckedOnceItPausesAndFixesClearTheMark();
    void EnterOnAFindingSelectsItsAreaAndBringsItIntoSight();
    void TheDocksVisibilityIsKeptWithTheBars();
    void QuickFixesAreOfferedOnTheirFindingsOnly();

private:
    CMapDocument& Open(const std::string& name, const std::string& picture, int width, int height,
                       const std::vector<std::string>& areas)
    {
        CShellFixture& f = *m_fixture;
        f.WritePicture(picture, width, height);
        std::string page = "<IMG SRC=\"" + picture + "\" USEMAP=\"#pic\">\r\n<MAP NAME=\"pic\">\r\n";
        for (const std::string& area : areas)
            page += area + "\r\n";
        page += "</MAP>\r\n";
        picturewriter::WriteBytes(f.folder.File(name), reinterpret_cast<const std::uint8_t*>(page.data()), page.size());
        CMapDocument* document = f.Manager().OpenDocumentFile(f.Path(name));
        if (!document)
            qFatal("the page did not open");
        QCoreApplication::processEvents();
        m_fixture->Frame().ProblemsPane()->RefreshNow();
        return *document;
    }

    QStringList Rows() const
    {
        QStringList rows;
        const CProblemsPane& pane = *m_fixture->Frame().ProblemsPane();
        for (int i = 0; i < pane.RowCount(); ++i)
            rows << pane.RowText(i);
        return rows;
    }

    std::unique_ptr<CShellFixture> m_fixture;
};

void CProblemsTest::TheActivePageIsCheckedAndCountedAndItsTabMarked()
{
    CShellFixture& f = *m_fixture;
    f.Start();
    QVERIFY(f.Frame().ProblemsDock()->isVisible());
    CMapDocument& faulty = Open("a.htm", "a.png", 64, 48, {R"(<AREA SHAPE=RECT COORDS="1,1,5,5" HREF="a.htm">)"});
    QCOMPARE(Rows(), QStringList({"The image has no alternate text (ALT).", "Area 1 is a link without alternate text.",
                                  "Area 1 is smaller than 24 x 24 pixels on the page."}));
    QCOMPARE(f.Frame().ProblemCountPane()->text(), QString("2 errors, 1 warning"));
    QVERIFY(f.Frame().TabList()->HasErrorMark(&faulty));

    // Another page becomes active: the list and the counts follow it, the first keeps its mark.
    Open("b.htm", "b.png", 64, 48, {R"(<AREA SHAPE=RECT COORDS="0,0,30,30" HREF="b.htm" ALT="Pier">)"});
    QCOMPARE(Rows(), QStringList({"The image has no alternate text (ALT)."}));
    QCOMPARE(f.Frame().ProblemCountPane()->text(), QString("1 error"));
    QVERIFY(f.Frame().TabList()->HasErrorMark(&faulty));
}

void CProblemsTest::TypingIsCheckedOnceItPausesAndFixesClearTheMark()
{
    CShellFixture& f = *m_fixture;
    f.Start();
    CMapDocument& document = Open("a.htm", "a.png", 64, 48, {R"(<AREA SHAPE=RECT COORDS="0,0,30,30" HREF="a.htm">)"});
    QCOMPARE(f.Frame().ProblemCountPane()->text(), QString("2 errors"));

    CLines lines = document.Lines();
    lines[0] = R"(<IMG SRC="a.png" USEMAP="#pic" ALT="Harbour">)";
    document.ApplyTypedLines(lines, nullptr);
    QCoreApplication::processEvents();
    // Not yet: typing goes on undisturbed until it pauses.
    QCOMPARE(f.Frame().ProblemCountPane()->text(), QString("2 errors"));
    QTRY_COMPARE(f.Frame().ProblemCountPane()->text(), QString("1 error"));

    // Typing in the form waits for its pause too; a drag on the canvas is checked at once.
    CMapArea& area = *document.AreaNumbered(1);
    area.m_strAlt = "Pier";
    document.AreaChanged(area, EEditSource::kForm, nullptr);
    QCoreApplication::processEvents();
    QCOMPARE(f.Frame().ProblemCountPane()->text(), QString("1 error"));
    QTRY_COMPARE(f.Frame().ProblemCountPane()->text(), QString("No problems"));
    CMapArea& moved = *document.AreaNumbered(1);
    static_cast<CRectArea&>(moved).right = 10;
    document.AreaChanged(moved, EEditSource::kCanvas, nullptr);
    QCoreApplication::processEvents();
    QCOMPARE(f.Frame().ProblemCountPane()->text(), QString("1 warning"));
    QVERIFY(!f.Frame().TabList()->HasErrorMark(&document));
}

void CProblemsTest::EnterOnAFindingSelectsItsAreaAndBringsItIntoSight()
{
    CShellFixture& f = *m_fixture;
    f.Start();
    CMapDocument& document = Open("a.htm", "a.png", 3000, 3000,
                                  {R"(<AREA SHAPE=RECT COORDS="0,0,40,40" HREF="a.htm" ALT="Gate">)",
                                   R"(<AREA SHAPE=RECT COORDS="2900,2900,2950,2950" HREF="b.htm">)"});
    QListView* list = f.Frame().ProblemsPane()->List();
    const int row = int(Rows().indexOf("Area 2 is a link without alternate text."));
    QVERIFY(row >= 0);
    CCanvasView* canvas = nullptr;
    for (CView* view : document.GetViews())
        canvas = canvas ? canvas : dynamic_cast<CCanvasView*>(view);
    QVERIFY(canvas);
    QCOMPARE(canvas->GetScrollPosition().x, 0);

    list->setFocus();
    list->setCurrentIndex(list->model()->index(row, 0));
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY(document.FirstSelected());
    QCOMPARE(document.FirstSelected()->m_nIndex, 2);
    const QRect shown(canvas->GetScrollPosition().x, canvas->GetScrollPosition().y, canvas->viewport()->width(),
                      canvas->viewport()->height());
    QVERIFY2(shown.contains(QRect(2900, 2900, 50, 50)), "the area is not in sight");
}

void CProblemsTest::TheDocksVisibilityIsKeptWithTheBars()
{
    CShellFixture& f = *m_fixture;
    f.Start();
    f.Run(ID_VIEW_PROBLEMS);
    QVERIFY(f.Frame().ProblemsDock()->isHidden());
    const QByteArray state = f.Frame().SaveBarState();
    f.Run(ID_VIEW_PROBLEMS);
    QVERIFY(!f.Frame().ProblemsDock()->isHidden());
    f.Frame().LoadBarState(state);
    QCoreApplication::processEvents();
    QVERIFY(f.Frame().ProblemsDock()->isHidden());
    QVERIFY(!f.Frame().Command(ID_VIEW_PROBLEMS)->isChecked());
}

void CProblemsTest::QuickFixesAreOfferedOnTheirFindingsOnly()
{
    CShellFixture& f = *m_fixture;
    f.Start();
    CMapDocument& document =
        Open("a.htm", "a.png", 200, 100,
             {R"(<AREA SHAPE=RECT COORDS="100,0,150,50" HREF="b.htm" ALT="B" OnMouseOver="window.status='Pier'; return true">)",
              R"(<AREA SHAPE=RECT COORDS="0,0,50,50" HREF="a.htm" ALT="A">)"});
    CProblemsPane& pane = *f.Frame().ProblemsPane();
    QStringList fixes;
    for (int row = 0; row < pane.RowCount(); ++row)
        fixes << pane.FixFor(row);
    QCOMPARE(Rows(), QStringList({"The image has no alternate text (ALT).",
                                  "Area 1 sets a status text, which browsers no longer show; a title shows it as a tooltip.",
                                  "Tab order differs from reading order: area 2 is read before area 1."}));
    QCOMPARE(fixes, QStringList({"", "Copy status text to title", "Sort areas in reading order"}));
    QVERIFY(!pane.ApplyFix(0));

    QVERIFY(pane.ApplyFix(1));
    QCOMPARE(document.AreaNumbered(1)->m_strTitle, std::string("Pier"));
    pane.RefreshNow();
    QVERIFY(pane.ApplyFix(2));
    QCOMPARE(document.AreaNumbered(1)->m_strHref, std::string("a.htm"));
    // The text pane shows the new order too.
    int panes = 0;
    for (CView* view : document.GetViews()) {
        if (auto* text = dynamic_cast<CHtmlPane*>(view)) {
            ++panes;
            QVERIFY(text->toPlainText().indexOf("a.htm") < text->toPlainText().indexOf("b.htm"));
        }
    }
    QCOMPARE(panes, 1);
    QCOMPARE(document.UndoStepCount(), 3);
    pane.RefreshNow();
    QCOMPARE(Rows(), QStringList({"The image has no alternate text (ALT).",
                                  "Area 2 sets a status text, which browsers no longer show; a title shows it as a tooltip."}));
}

}  // namespace mapwright

QTEST_MAIN(mapwright::CProblemsTest)
#include "problems_test.moc"
