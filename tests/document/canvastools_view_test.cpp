// Zooming with the mouse and the keys, scrolling with the arrows, and scrolling while a drag is
// beyond the window, over a picture of 2000 x 1500 in a client of 200 x 150.
#include "canvasfixture.h"
#include "support/areachecks.h"
#include "html/mapwriter.h"

using namespace mapwright;

class CanvasView : public CanvasTools {
protected:
    CanvasView()
    {
        m_doc.OpenLines(m_doc.Lines(), m_doc.Page().strMapName, 2000, 1500);
        m_host.ResizeClient(200, 150);
        m_host.Paint();
    }
};

TEST_F(CanvasView, ZoomToolDoublesAndHalvesAboutTheClickWithEveryTermTruncated)
{
    m_doc.OnToolZoom();
    ShowAt(6.0, {500, 300});
    Press(40, 30);  // 600 % -> 800 %, placed as for a doubling: 2 x 500 + 2 x 40 - 100
    EXPECT_EQ(m_doc.Display().dZoom, 8.0);
    EXPECT_EQ(m_host.ZoomBox(), 8.0);
    EXPECT_EQ(m_host.Cursor(), ECursorShape::kZoom);
    EXPECT_EQ(m_host.Extent(), CClientPoint(16000, 12000));
    EXPECT_EQ(m_host.GetScrollPosition(), CClientPoint(980, 585));
    EXPECT_TRUE(m_host.HasFocus());
    EXPECT_EQ(m_otherView.m_updates.size(), 1u);
    EXPECT_EQ(m_canvasView.m_updates.size(), 1u);  // announced with no sender
    Press(40, 30);  // at 800 % nothing happens
    EXPECT_EQ(m_host.GetScrollPosition(), CClientPoint(980, 585));
    EXPECT_EQ(m_otherView.m_updates.size(), 1u);

    ShowAt(1.0, {901, 603});
    RightPress(33, 21);  // 901 / 2 + 33 / 2 - 100 and 21 / 2 + 603 / 2 - 75
    EXPECT_EQ(m_doc.Display().dZoom, 0.5);
    EXPECT_EQ(m_host.GetScrollPosition(), CClientPoint(366, 236));
    ShowAt(0.25);
    RightPress(33, 21);  // at 25 % nothing happens
    EXPECT_EQ(m_doc.Display().dZoom, 0.25);
    ShowAt(0.25);
    Press(10, 10);
    EXPECT_EQ(m_doc.Display().dZoom, 0.5);
    EXPECT_EQ(m_doc.Lines(), kThreeAreaPage);
}

TEST_F(CanvasView, KeypadKeysZoomAboutTheCentreAndArrowsScrollASixthOfAPage)
{
    ShowAt(1.0, {100, 50});
    EXPECT_TRUE(Key(ECanvasKey::kKeypadPlus));
    EXPECT_EQ(m_doc.Display().dZoom, 2.0);
    EXPECT_EQ(m_host.ZoomBox(), 2.0);
    EXPECT_EQ(m_host.GetScrollPosition(), CClientPoint(300, 175));  // 100 x 1 + 2 x 100, 75 x 1 + 2 x 50
    EXPECT_TRUE(Key(ECanvasKey::kKeypadMinus));
    EXPECT_EQ(m_doc.Display().dZoom, 1.0);
    EXPECT_EQ(m_host.GetScrollPosition(), CClientPoint(100, 49));  // 75 / 2 + 175 / 2 - 75

    ShowAt(1.0, {0, 0});
    EXPECT_TRUE(Key(ECanvasKey::kRight));
    EXPECT_TRUE(Key(ECanvasKey::kDown));
    EXPECT_EQ(m_host.GetScrollPosition(), CClientPoint(33, 25));  // 200 / 6, 150 / 6
    Key(ECanvasKey::kLeft);
    Key(ECanvasKey::kUp);
    Key(ECanvasKey::kUp);
    EXPECT_EQ(m_host.GetScrollPosition(), CClientPoint(0, 0));
    ShowAt(1.0, {1800, 1350});
    Key(ECanvasKey::kRight);  // already at the end
    EXPECT_EQ(m_host.GetScrollPosition(), CClientPoint(1800, 1350));

    ShowAt(8.0);
    EXPECT_TRUE(Key(ECanvasKey::kKeypadPlus));
    EXPECT_EQ(m_doc.Display().dZoom, 8.0);
    EXPECT_FALSE(Key(ECanvasKey::kOther));
}

TEST_F(CanvasView, KeysAreSwallowedWhileDraggingAndDeleteRemovesTheSelectedArea)
{
    Press(30, 30);
    Move(40, 30);
    EXPECT_TRUE(Key(ECanvasKey::kRight));
    EXPECT_TRUE(Key(ECanvasKey::kDelete));
    EXPECT_TRUE(Key(ECanvasKey::kOther));
    EXPECT_EQ(m_host.GetScrollPosition(), CClientPoint(0, 0));
    EXPECT_EQ(m_doc.AreaCount(), 3);
    Release(40, 30);

    EXPECT_TRUE(Key(ECanvasKey::kDelete));
    EXPECT_EQ(m_doc.AreaCount(), 2);
    EXPECT_EQ(AreaLines().size(), 2u);
    EXPECT_EQ(UndoSteps(), 3);
    EXPECT_EQ(m_canvasView.m_updates.size(), 1u);  // the delete is announced to the canvas too
    Key(ECanvasKey::kDelete);                       // nothing selected any more
    EXPECT_EQ(UndoSteps(), 3);
}

TEST_F(CanvasView, ADragBeyondTheWindowScrollsATwentiethAtOnceAndOnEveryTick)
{
    Press(30, 30);
    Move(210, 30);  // beyond the right edge: the area follows, the view scrolls 200 / 20 at once
    EXPECT_EQ(m_host.GetScrollPosition(), CClientPoint(10, 0));
    EXPECT_TRUE(m_host.IsTimerRunning());
    EXPECT_EQ(Rects(m_doc)[0]->left, 190);
    EXPECT_EQ(m_tools.LastPoint(), CClientPoint(200, 30));  // 30 + 180 applied - 10 scrolled
    Tick();
    Tick();
    EXPECT_EQ(m_host.GetScrollPosition(), CClientPoint(30, 0));
    EXPECT_EQ(m_tools.LastPoint(), CClientPoint(180, 30));
    EXPECT_EQ(Rects(m_doc)[0]->left, 190);  // the timer only scrolls
    Move(150, 30);                                // inside again: the area catches up, the timer stops
    EXPECT_FALSE(m_host.IsTimerRunning());
    EXPECT_EQ(Rects(m_doc)[0]->left, 160);
    Tick();
    EXPECT_EQ(m_host.GetScrollPosition(), CClientPoint(30, 0));

    Move(-5, 160);  // left of and below the window: both axes scroll
    EXPECT_EQ(m_host.GetScrollPosition(), CClientPoint(20, 7));
    Release(-5, 160);  // the rest of the way, stopped at the picture's left edge
    EXPECT_FALSE(m_host.IsTimerRunning());
    EXPECT_EQ(AreaLines()[0], "<AREA SHAPE=RECT COORDS=\"0,147,40,187\" HREF=\"one.htm\">");

    m_doc.OnToolRect();  // a new shape drawn beyond the bottom scrolls without moving its anchor
    Press(50, 50);
    Move(50, 151);
    EXPECT_EQ(m_host.GetScrollPosition(), CClientPoint(20, 14));
    EXPECT_TRUE(m_host.IsTimerRunning());
    Release(50, 151);
    EXPECT_FALSE(m_host.IsTimerRunning());
    EXPECT_EQ(AreaLines().back(), "<AREA SHAPE=RECT COORDS=\"70,57,70,158\">");
}

TEST_F(CanvasView, TabAndShiftTabSelectTheAreasInTextOrderAndScrollThemIntoView)
{
    ShowAt(4.0, {0, 0});
    const auto inView = [this] {
        const CAreaBounds b = m_doc.FirstSelected()->Bounds();
        const CClientPoint scroll = m_host.GetScrollPosition();
        const int left = b.left * 4 - scroll.x, top = b.top * 4 - scroll.y;
        return left >= 0 && top >= 0 && left < 200 && top < 150;
    };
    for (const int expected : {1, 2, 3, 1}) {
        EXPECT_TRUE(Key(ECanvasKey::kNextArea));
        EXPECT_EQ(m_doc.GetSelectedIndex(), expected);
        EXPECT_TRUE(inView()) << expected;
    }
    EXPECT_EQ(m_host.GetScrollPosition(), CClientPoint(22, 40));  // area 1 centred across, its top in view
    EXPECT_TRUE(Key(ECanvasKey::kPreviousArea));
    EXPECT_EQ(m_doc.GetSelectedIndex(), 3);
    m_doc.ClearSelection();
    EXPECT_TRUE(Key(ECanvasKey::kPreviousArea));
    EXPECT_EQ(m_doc.GetSelectedIndex(), 3);
    EXPECT_EQ(UndoSteps(), 1);  // selecting is no edit

    // Without areas the keys are left to the window, which moves the focus on.
    m_doc.ReplaceLines(MakeSkeleton("PHOTO", 2000, 1500));
    EXPECT_FALSE(Key(ECanvasKey::kNextArea));
}
