#include "canvasview_fixture.h"
#include "support/documentprobe.h"
#include "support/areachecks.h"
#include "document/areaclipboard.h"
#include "views/viewhost.h"

#include <QAction>

using namespace mapwright;

class CCanvasViewToolsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { SetViewHost(nullptr); }
    void RectangleToolDrawsNormalisedRectanglesInsideThePicture();
    void CircleAndPolygonToolsDrawTheirShapes();
    void SelectToolMovesAgainstTheBorderAndGrabsHiddenHandles();
    void ZoomToolDoublesAndHalvesWithinItsLimits();
    void KeysScrollZoomDeleteAndEscapeButAreSwallowedDuringADrag();
    void DragBeyondTheWindowScrollsAtOnceAndThenEveryTick();
    void AreaCommandsPasteAtTheVisibleTopLeftCorner();
    void AreaCommandsWaitForTheDragToEnd();
};

namespace {

// Records what the canvas shows through the main window.
class CRecordingViewHost : public CViewHost {
public:
    void SetStatusText(const QString& text) override { m_statusTexts << text; }
    void ShowScaleInZoomBox(double scale) override { m_scales.push_back(scale); }
    void AddDocTab(QWidget*, CMapDocument*) override {}
    void RemoveDocTab(QWidget*) override {}
    void RefreshAllTabs() override {}

    QStringList m_statusTexts;
    std::vector<double> m_scales;
};

CRecordingViewHost g_host;

std::string Rect(const std::string& coords)
{
    return "<AREA SHAPE=RECT COORDS=\"" + coords + "\">";
}

}  // namespace

void CCanvasViewToolsTest::initTestCase()
{
    IgnoreGrabWarnings();
    SetViewHost(&g_host);
}

void CCanvasViewToolsTest::RectangleToolDrawsNormalisedRectanglesInsideThePicture()
{
    CCanvasPage page(200, 150, {});
    QVERIFY(page.opened);
    page.doc.OnToolRect();
    page.Move({50, 50}, false);
    QCOMPARE(page.view->viewport()->cursor().shape(), Qt::CrossCursor);

    // Up and left of the press, continuing with the handle under the pointer.
    page.Drag({{60, 70}, {40, 50}, {20, 30}});
    QCOMPARE(page.AreaTags(), std::vector<std::string>({Rect("20,30,60,70")}));
    QCOMPARE(page.doc.UndoPosition(), 2);
    QVERIFY(page.doc.IsModified());
    QVERIFY(!QWidget::mouseGrabber());

    // A click without moving gives one pixel; the tool stays.
    page.Drag({{100, 100}});
    QCOMPARE(page.AreaTags().back(), Rect("100,100,100,100"));
    QCOMPARE(page.doc.Display().nTool, int(kToolRect));

    // Pressed off the picture: nothing; dragged beyond it: clamped to the last pixel.
    page.Drag({{199, 149}, {400, 400}});
    QCOMPARE(page.AreaTags().back(), Rect("199,149,199,149"));
    page.SetClientSize({250, 200});
    page.Drag({{220, 20}, {100, 100}});
    QCOMPARE(page.AreaTags().size(), std::size_t(3));

    // Zoomed and scrolled: image position trunc((p + scroll) / scale).
    page.SetClientSize({100, 80});
    page.doc.SetZoom(2);
    page.Paint();
    page.view->ScrollToPosition({51, 41});
    page.Drag({{10, 10}, {31, 31}});
    QCOMPARE(page.AreaTags().back(), Rect("30,25,41,36"));
}

void CCanvasViewToolsTest::CircleAndPolygonToolsDrawTheirShapes()
{
    CCanvasPage page(200, 150, {});
    QVERIFY(page.opened);
    page.doc.OnToolCircle();
    page.Drag({{100, 50}, {100, 90}});
    QCOMPARE(page.AreaTags().back(), std::string("<AREA SHAPE=CIRCLE COORDS=\"100,70,20\">"));

    page.doc.OnToolPoly();
    g_host.m_statusTexts.clear();
    page.Drag({{20, 20}});
    QCOMPARE(g_host.m_statusTexts, QStringList({"For finish drawing press right mouse button."}));
    QVERIFY(page.view->Tools().IsDragging());
    page.Move({80, 20}, false);
    page.Drag({{80, 20}});
    page.Move({50, 80}, false);
    page.Drag({{50, 80}});
    page.Move({60, 90}, false);
    page.Press({60, 90}, Qt::RightButton);
    QCOMPARE(page.AreaTags().back(), std::string("<AREA SHAPE=POLY COORDS=\"20,20,80,20,50,80\">"));
    QCOMPARE(g_host.m_statusTexts.back(), QString());
    QVERIFY(!page.view->Tools().IsDragging());

    // Finished right after its start: two equal vertices.
    page.Drag({{10, 140}});
    page.Press({10, 140}, Qt::RightButton);
    QCOMPARE(page.AreaTags().back(), std::string("<AREA SHAPE=POLY COORDS=\"10,140,10,140\">"));
    QCOMPARE(page.doc.UndoPosition(), 4);

    // A right click while idle returns to the select tool.
    page.Press({10, 10}, Qt::RightButton);
    QCOMPARE(page.doc.Display().nTool, int(kToolSelect));
}

void CCanvasViewToolsTest::SelectToolMovesAgainstTheBorderAndGrabsHiddenHandles()
{
    CCanvasPage page(200, 150, {Rect("20,20,60,60"), Rect("100,20,150,60")});
    QVERIFY(page.opened);

    // Stopped by the right border at 199; moving back counts from where it stopped.
    page.Press({120, 40});
    page.Move({180, 40});
    QCOMPARE(Rects(page.doc)[1]->right, 199);
    page.Move({170, 40});
    QCOMPARE(Rects(page.doc)[1]->right, 199);
    page.Move({160, 40});
    page.Release({160, 40});
    QCOMPARE(page.AreaTags()[1], Rect("140,20,190,60"));
    QCOMPARE(page.doc.UndoPosition(), 2);

    // A handle of the unselected area, hidden, is found and dragged; the area becomes selected.
    CMapDocumentProbe::Show(page.doc, page.doc.Display().bHatch, false);
    page.Move({60, 60}, false);
    QCOMPARE(page.view->viewport()->cursor().shape(), Qt::SizeFDiagCursor);
    page.Drag({{60, 60}, {80, 90}});
    QCOMPARE(page.AreaTags()[0], Rect("20,20,80,90"));
    QVERIFY(page.doc.IsSelected(*Rects(page.doc)[0]));
    QVERIFY(!page.doc.IsSelected(*Rects(page.doc)[1]));

    // A click beside every area selects nothing and changes no text.
    page.Drag({{10, 120}});
    QCOMPARE(page.doc.GetSelectedIndex(), 0);
    QCOMPARE(page.doc.UndoPosition(), 3);

    // An undo by its shortcut while an area is dragged takes the area away from under the drag:
    // the drag ends without writing anything and the mouse is free again.
    page.Press({30, 30});
    page.Move({40, 40});
    page.doc.OnEditUndo();
    page.Move({50, 50});
    page.Release({50, 50});
    QCOMPARE(page.AreaTags(), std::vector<std::string>({Rect("20,20,60,60"), Rect("140,20,190,60")}));
    QCOMPARE(page.doc.UndoPosition(), 2);
    QVERIFY(!QWidget::mouseGrabber());
    QVERIFY(!page.view->Tools().IsDragging());
    page.Paint();
}

void CCanvasViewToolsTest::ZoomToolDoublesAndHalvesWithinItsLimits()
{
    CCanvasPage page(400, 300, {}, {200, 150});
    QVERIFY(page.opened);
    page.doc.OnToolZoom();
    page.Move({10, 10}, false);
    QCOMPARE(page.view->viewport()->cursor().shape(), Qt::BitmapCursor);

    page.doc.SetZoom(6);
    page.Paint();
    page.view->ScrollToPosition({300, 200});
    g_host.m_scales.clear();
    page.Drag({{50, 40}});
    QCOMPARE(page.doc.Display().dZoom, 8.0);
    QCOMPARE(g_host.m_scales, std::vector<double>({8.0}));
    // Centred for a doubling: 2 x0 + 2 px - client centre.
    QCOMPARE(page.Scroll(), QPoint(2 * 300 + 2 * 50 - 100, 2 * 200 + 2 * 40 - 75));
    page.Drag({{50, 40}});
    QCOMPARE(page.doc.Display().dZoom, 8.0);

    page.Press({50, 40}, Qt::RightButton);
    QCOMPARE(page.doc.Display().dZoom, 4.0);
    page.doc.SetZoom(0.25);
    page.Press({50, 40}, Qt::RightButton);
    QCOMPARE(page.doc.Display().dZoom, 0.25);
    QCOMPARE(page.doc.AreaCount(), 0);
}

void CCanvasViewToolsTest::KeysScrollZoomDeleteAndEscapeButAreSwallowedDuringADrag()
{
    // A Delete shortcut of the window does not take the canvas's key.
    QWidget window;
    CCanvasPage page(800, 600, {Rect("10,10,50,50"), Rect("60,10,90,50")}, {240, 180});
    QVERIFY(page.opened);
    page.view->setParent(&window);
    auto* shortcut = new QAction(&window);
    shortcut->setShortcut(Qt::Key_Delete);
    window.addAction(shortcut);
    QSignalSpy shortcutUses(shortcut, &QAction::triggered);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    page.view->setFocus();
    page.SetClientSize({240, 180});

    page.Key(Qt::Key_Right);
    page.Key(Qt::Key_Down);
    QCOMPARE(page.Scroll(), QPoint(240 / 6, 180 / 6));
    page.Key(Qt::Key_Left);
    page.Key(Qt::Key_Up);
    page.Key(Qt::Key_Up);
    QCOMPARE(page.Scroll(), QPoint(0, 0));
    // A click in a bar's trough moves by a tenth of the extent, whatever the bar's page.
    page.view->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(page.Scroll(), QPoint(800 / 10, 0));
    page.view->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
    QCOMPARE(page.Scroll(), QPoint(0, 0));

    page.Key(Qt::Key_Plus);
    QCOMPARE(page.doc.Display().dZoom, 1.0);
    page.Key(Qt::Key_Plus, Qt::KeypadModifier);
    QCOMPARE(page.doc.Display().dZoom, 2.0);
    QCOMPARE(page.Scroll(), QPoint(120, 90));
    page.Key(Qt::Key_Minus, Qt::KeypadModifier);
    QCOMPARE(page.doc.Display().dZoom, 1.0);
    QCOMPARE(page.Scroll(), QPoint(0, 0));

    // During a drag every key is swallowed.
    page.Press({70, 30});
    page.Move({75, 30});
    page.Key(Qt::Key_Delete);
    page.Key(Qt::Key_Right);
    QCOMPARE(page.doc.AreaCount(), 2);
    QCOMPARE(page.Scroll(), QPoint(0, 0));
    page.Release({75, 30});

    page.Key(Qt::Key_Delete);
    QCOMPARE(page.AreaTags(), std::vector<std::string>({Rect("10,10,50,50")}));
    QCOMPARE(shortcutUses.count(), 0);

    // Alt+arrows nudge the selected area by one pixel, with Shift by ten, and do not scroll.
    page.doc.SelectArea(*page.doc.AreaNumbered(1));
    page.Key(Qt::Key_Right, Qt::AltModifier);
    page.Key(Qt::Key_Down, Qt::AltModifier | Qt::ShiftModifier);
    QCOMPARE(page.AreaTags(), std::vector<std::string>({Rect("11,20,51,60")}));
    QCOMPARE(page.Scroll(), QPoint(0, 0));

    page.doc.OnToolCircle();
    page.Key(Qt::Key_Escape);
    QCOMPARE(page.doc.Display().nTool, int(kToolSelect));
}

void CCanvasViewToolsTest::DragBeyondTheWindowScrollsAtOnceAndThenEveryTick()
{
    CCanvasPage page(800, 600, {}, {200, 150});
    QVERIFY(page.opened);
    page.doc.OnToolRect();
    page.Press({100, 75});
    page.Move({250, 75});
    QCOMPARE(page.Scroll(), QPoint(200 / 20, 0));
    QVERIFY(page.view->Tools().IsTimerRunning());
    QTRY_VERIFY_WITH_TIMEOUT(page.Scroll().x() >= 3 * 200 / 20, 1000);
    QCOMPARE(page.Scroll().y(), 0);

    page.Move({150, 75});
    QVERIFY(!page.view->Tools().IsTimerRunning());
    const int stopped = page.Scroll().x();
    QTest::qWait(250);
    QCOMPARE(page.Scroll().x(), stopped);

    page.Move({260, 75});
    QVERIFY(page.view->Tools().IsTimerRunning());
    page.Release({260, 75});
    QVERIFY(!page.view->Tools().IsTimerRunning());
    const CRectArea& area = *Rects(page.doc).back();
    QCOMPARE(area.left, 100);
    QVERIFY(area.right > 200 && area.right < 800);
}

void CCanvasViewToolsTest::AreaCommandsPasteAtTheVisibleTopLeftCorner()
{
    CAreaClipboard::Instance().Clear();
    CCanvasPage page(400, 300,
                     {"<AREA SHAPE=RECT COORDS=\"10,10,30,20\" HREF=\"a.htm\">", Rect("100,100,120,120")},
                     {200, 150});
    QVERIFY(page.opened);
    CCanvasView& canvas = *page.view;
    QVERIFY(!canvas.CanPasteArea());
    page.Drag({{20, 15}});
    QVERIFY(canvas.CanCopyArea());
    canvas.CopyArea();
    QVERIFY(canvas.CanPasteArea());

    page.doc.SetZoom(2);
    page.Paint();
    canvas.ScrollToPosition({101, 61});
    canvas.PasteArea();
    canvas.PasteArea();
    const std::vector<std::string> tags = page.AreaTags();
    QCOMPARE(tags.size(), std::size_t(4));
    QCOMPARE(tags[2], std::string("<AREA SHAPE=RECT COORDS=\"50,30,70,40\" HREF=\"a.htm\">"));
    QCOMPARE(tags[3], tags[2]);
    QCOMPARE(Rects(page.doc).back()->m_nIndex, 4);

    canvas.DeleteArea();
    QCOMPARE(page.AreaTags().size(), std::size_t(3));
    QVERIFY(!canvas.CanCopyArea());
    canvas.CopyArea();
    QVERIFY(!canvas.CanPasteArea());
}

void CCanvasViewToolsTest::AreaCommandsWaitForTheDragToEnd()
{
    CAreaClipboard::Instance().Clear();
    CCanvasPage page(400, 300, {"<AREA SHAPE=RECT COORDS=\"10,10,30,20\" HREF=\"a.htm\">"}, {200, 150});
    QVERIFY(page.opened);
    CCanvasView& canvas = *page.view;
    page.Drag({{20, 15}});
    canvas.CopyArea();

    // A paste while a new rectangle is drawn does nothing: the rectangle alone becomes tag 2.
    page.doc.OnToolRect();
    page.Press({100, 100});
    page.Move({130, 120});
    QVERIFY(!canvas.CanPasteArea());
    canvas.PasteArea();
    page.Move({140, 130});
    page.Release({140, 130});
    std::vector<std::string> tags = page.AreaTags();
    QCOMPARE(tags.size(), std::size_t(2));
    QCOMPARE(tags[1], Rect("100,100,140,130"));

    // A deletion while the first rectangle is moved does nothing: the move is written.
    page.doc.OnToolSelect();
    page.Press({20, 15});
    page.Move({40, 15});
    QVERIFY(!canvas.CanCopyArea());
    canvas.DeleteArea();
    page.Release({50, 15});
    tags = page.AreaTags();
    QCOMPARE(tags.size(), std::size_t(2));
    QCOMPARE(page.doc.AreaCount(), 2);
    QCOMPARE(Rects(page.doc)[0]->left, 40);
    CAreaClipboard::Instance().Clear();
}

QTEST_MAIN(CCanvasViewToolsTest)
#include "canvasview_tools_test.moc"
