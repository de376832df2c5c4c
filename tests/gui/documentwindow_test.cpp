#include "gui/shellfixture.h"
#include "shell/canvaspane.h"
#include <QDockWidget>
#include "shell/commandids.h"
#include "views/canvasview.h"
#include "views/areaform.h"
#include "views/htmlpane.h"
#include "shell/zoomcombobox.h"
#include "views/edittarget.h"

#include <QAction>
#include <QLineEdit>
#include <QSplitter>
#include <QScrollBar>
#include <QSplitterHandle>

using namespace mapwright;

class CDocumentWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void PanesKeepTheirSharesThroughResizeRestoreAndMinimize();
    void ADraggedSplitterSetsTheNewShare();
    void ALowWindowStillGivesTheCanvasTwentyPixels();
    void NextPaneCyclesFormCanvasAndTextPane();
    void EditCommandsGoToThePaneThatHasTheFocus();

private:
    CDocumentWindow& OpenPage();
    // Checks that the form's column and the canvas's row hold the frame's shares, to a pixel.
    static void CheckShares(const CDocumentWindow& frame);

    std::unique_ptr<CShellFixture> m_fixture;
};

void CDocumentWindowTest::init()
{
    m_fixture = std::make_unique<CShellFixture>();
    QVERIFY(m_fixture->folder.ok());
}

void CDocumentWindowTest::cleanup()
{
    m_fixture.reset();
}

CDocumentWindow& CDocumentWindowTest::OpenPage()
{
    CShellFixture& f = *m_fixture;
    f.Start();
    // The panes' shares are the document window's own: the docks beside it stay out of the way.
    f.Frame().AreasDock()->hide();
    f.Frame().resize(1000, 700);
    f.app->OnShellOpen({f.WritePage("page.htm")});
    CDocumentWindow& frame = *f.Frames().front();
    QTest::qWait(20);
    return frame;
}

void CDocumentWindowTest::CheckShares(const CDocumentWindow& frame)
{
    const int width = frame.OuterSplitter()->width();
    const int height = frame.InnerSplitter()->height();
    QVERIFY(width > 0 && height > 0);
    QVERIFY2(std::abs(frame.OuterSplitter()->sizes()[0] - int(width * frame.m_fFormRatio)) <= 1,
             qPrintable(QStringLiteral("form %1 of %2 at %3").arg(frame.OuterSplitter()->sizes()[0]).arg(width).arg(frame.m_fFormRatio)));
    QVERIFY2(std::abs(frame.InnerSplitter()->sizes()[0] - int(height * frame.m_fCanvasRatio)) <= 1,
             qPrintable(QStringLiteral("canvas %1 of %2 at %3").arg(frame.InnerSplitter()->sizes()[0]).arg(height).arg(frame.m_fCanvasRatio)));
}

void CDocumentWindowTest::PanesKeepTheirSharesThroughResizeRestoreAndMinimize()
{
    CDocumentWindow& frame = OpenPage();
    QVERIFY(frame.isMaximized());
    QVERIFY(frame.m_bSplittersReady);
    QVERIFY(frame.m_bTrackRatios);
    // Made wide enough for a link of some 30 characters (at most two fifths of the window, at least
    // what the fields are laid out for and 100 pixels), and half as high as the window.
    const int formWidth =
        std::max({100, CAreaForm::kMinLayoutWidth + 2 * frame.Form()->frameWidth(),
                  std::min(frame.Form()->PreferredWidth(), frame.OuterSplitter()->width() * 2 / 5)});
    QVERIFY(formWidth > 150);
    QVERIFY(std::abs(frame.m_fFormRatio * frame.OuterSplitter()->width() - formWidth) <= 2);
    QVERIFY(!frame.Form()->horizontalScrollBar()->isVisible());
    QVERIFY(std::abs(frame.m_fCanvasRatio - 0.5f) < 0.02f);
    const float formRatio = frame.m_fFormRatio;
    const float canvasRatio = frame.m_fCanvasRatio;
    CheckShares(frame);

    m_fixture->Frame().resize(1400, 900);
    QTRY_VERIFY(frame.OuterSplitter()->width() > 1200);
    CheckShares(frame);

    frame.showNormal();
    frame.resize(600, 500);
    QTRY_VERIFY(frame.OuterSplitter()->width() < 600);
    CheckShares(frame);
    frame.showMinimized();
    QTRY_VERIFY(frame.isMinimized());
    frame.showMaximized();
    QTRY_VERIFY(frame.OuterSplitter()->width() > 1200);
    CheckShares(frame);
    QCOMPARE(frame.m_fFormRatio, formRatio);
    QCOMPARE(frame.m_fCanvasRatio, canvasRatio);
}

void CDocumentWindowTest::ADraggedSplitterSetsTheNewShare()
{
    CDocumentWindow& frame = OpenPage();
    const float formRatio = frame.m_fFormRatio;
    QSplitterHandle* handle = frame.InnerSplitter()->handle(1);
    const int before = frame.InnerSplitter()->sizes()[0];
    const QPoint grip = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, grip);
    QMouseEvent move(QEvent::MouseMove, grip + QPoint(0, 80), handle->mapToGlobal(grip + QPoint(0, 80)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(handle, &move);
    QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, grip + QPoint(0, 80));
    QCOMPARE(frame.InnerSplitter()->sizes()[0], before + 80);
    QVERIFY(std::abs(frame.m_fCanvasRatio - float(before + 80) / frame.InnerSplitter()->height()) < 0.002f);
    QCOMPARE(frame.m_fFormRatio, formRatio);

    const float dragged = frame.m_fCanvasRatio;
    m_fixture->Frame().resize(1300, 950);
    QTRY_VERIFY(frame.InnerSplitter()->height() > 700);
    QCOMPARE(frame.m_fCanvasRatio, dragged);
    CheckShares(frame);
}

void CDocumentWindowTest::ALowWindowStillGivesTheCanvasTwentyPixels()
{
    CShellFixture& f = *m_fixture;
    f.Start().OnShellOpen({f.WritePage("page.htm")});
    CMapDocument& document = *f.Manager().Documents().front();
    CDocumentWindow low(&document, nullptr, nullptr, QSize(400, 30));
    QCOMPARE(low.m_fCanvasRatio, 20.0f / 30.0f);
    QVERIFY(low.m_fFormRatio >= 100.0f / 400.0f);
    CDocumentWindow tall(&document, nullptr, nullptr, QSize(400, 301));
    QCOMPARE(tall.m_fCanvasRatio, 150.0f / 301.0f);
    // The views join the document in the order form, canvas, text pane.
    std::vector<CView*> views = document.GetViews();
    views.erase(views.begin(), views.end() - 3);
    QCOMPARE(views, (std::vector<CView*>{tall.Form(), tall.Canvas(), tall.TextPane()}));
}

void CDocumentWindowTest::NextPaneCyclesFormCanvasAndTextPane()
{
    CDocumentWindow& frame = OpenPage();
    CMainFrame& main = m_fixture->Frame();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    frame.Form()->setFocus();
    QTRY_VERIFY(frame.Form()->isAncestorOf(QApplication::focusWidget()) || frame.Form()->hasFocus());
    main.Command(ID_NEXT_PANE)->trigger();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(frame.Canvas()));
    // The canvas takes the focus but never becomes the active view.
    QCOMPARE(frame.ActiveView(), static_cast<QWidget*>(frame.Form()));
    main.Command(ID_NEXT_PANE)->trigger();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(frame.TextPane()));
    QCOMPARE(frame.ActiveView(), static_cast<QWidget*>(frame.TextPane()));
    main.Command(ID_PREV_PANE)->trigger();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(frame.Canvas()));
    QCOMPARE(frame.ActiveView(), static_cast<QWidget*>(frame.TextPane()));
}

void CDocumentWindowTest::EditCommandsGoToThePaneThatHasTheFocus()
{
    CDocumentWindow& frame = OpenPage();
    CMainFrame& main = m_fixture->Frame();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    const auto target = [&frame] { return dynamic_cast<QWidget*>(frame.EditTarget()); };
    frame.Form()->Field(CAreaForm::kUrl)->setFocus();
    QTRY_COMPARE(target(), static_cast<QWidget*>(frame.Form()));
    frame.Canvas()->setFocus();
    QTRY_COMPARE(target(), static_cast<QWidget*>(frame.Canvas()));
    frame.TextPane()->setFocus();
    QTRY_COMPARE(target(), static_cast<QWidget*>(frame.TextPane()));
    frame.Canvas()->setFocus();
    QTRY_COMPARE(target(), static_cast<QWidget*>(frame.Canvas()));
    // Outside the window's panes the last active view keeps them.
    main.ZoomBox()->setFocus();
    QTRY_COMPARE(target(), static_cast<QWidget*>(frame.TextPane()));
}

QTEST_MAIN(CDocumentWindowTest)
#include "documentwindow_test.moc"
