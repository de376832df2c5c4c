// The select tool: clicking, moving whole areas and dragging handles.
#include "canvasfixture.h"
#include "support/areachecks.h"

using namespace mapwright;

TEST_F(CanvasTools, ClickSelectsTheAreaUnderThePointerAndADragMovesIt)
{
    Press(100, 100);  // inside the circle
    Release(100, 100);
    EXPECT_EQ(m_doc.GetSelectedIndex(), 2);
    EXPECT_EQ(UndoSteps(), 1);  // a click alone changes nothing
    Press(5, 190);
    Release(5, 190);
    EXPECT_EQ(m_doc.GetSelectedIndex(), 0);

    Press(30, 30);  // inside rectangle 1, away from its handles
    EXPECT_EQ(m_tools.DragState(), EDragState::kPressed);
    EXPECT_FALSE(m_tools.IsDragging());
    Move(30, 30);  // no movement yet
    EXPECT_EQ(m_tools.DragState(), EDragState::kPressed);
    Move(50, 45);
    EXPECT_EQ(m_tools.DragState(), EDragState::kMoving);
    EXPECT_TRUE(m_tools.IsDragging());
    Release(50, 45);
    EXPECT_EQ(AreaLines()[0], "<AREA SHAPE=RECT COORDS=\"30,25,70,65\" HREF=\"one.htm\">");
    EXPECT_EQ(UndoSteps(), 2);
    EXPECT_EQ(Rects(m_doc)[0]->m_points[kRectBottomRightIndex], CAreaPoint(70, 65, kHandleBottomRight));

    // A move or a handle drag that ends where it began changes no byte, and so nothing.
    m_doc.SetModifiedFlag(false);
    const CLines before = m_doc.Lines();
    for (const auto& [from, via] : {std::pair{CClientPoint{40, 40}, CClientPoint{41, 40}},
                                    std::pair{CClientPoint{30, 25}, CClientPoint{35, 28}}}) {
        Press(from.x, from.y);
        Move(via.x, via.y);
        Move(from.x, from.y);
        Release(from.x, from.y);
    }
    EXPECT_EQ(m_doc.Lines(), before);
    EXPECT_EQ(UndoSteps(), 2);
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(m_doc.GetSelectedIndex(), 1);
}

TEST_F(CanvasTools, AMoveKeepsTheRemainderOfAPixelForTheNextStep)
{
    ShowAt(2.0);
    Press(60, 60);  // picture (30, 30) in rectangle 1
    Move(63, 60);   // 1.5 picture pixels: one applied; the rest counts from the pointer's own pixel
    EXPECT_EQ(Rects(m_doc)[0]->left, 11);
    EXPECT_EQ(m_tools.LastPoint(), CClientPoint(63, 60));
    Release(64, 60);
    EXPECT_EQ(AreaLines()[0], "<AREA SHAPE=RECT COORDS=\"12,10,52,50\" HREF=\"one.htm\">");
}

TEST_F(CanvasTools, AnAreaStoppedByTheBorderWaitsForThePointerToComeBack)
{
    Press(250, 55);  // inside rectangle 3 (200..300)
    Move(300, 55);   // 50 wanted, 19 fit
    EXPECT_EQ(Rects(m_doc)[1]->right, 319);
    Move(290, 55);  // back, but still right of where the area stopped
    EXPECT_EQ(Rects(m_doc)[1]->right, 319);
    Move(265, 55);  // four pixels left of the stop point
    EXPECT_EQ(Rects(m_doc)[1]->right, 315);
    Release(265, 55);
    EXPECT_EQ(AreaLines()[2], "<AREA SHAPE=RECT COORDS=\"215,20,315,90\" HREF=\"three.htm\">");
}

TEST_F(CanvasTools, HandlesAreFoundShownOrNotAndGrabTheirArea)
{
    m_doc.OnDragHandles();
    ASSERT_EQ(m_doc.Display().bShowHandles, 0);
    Press(100, 100);
    Release(100, 100);
    ASSERT_EQ(m_doc.GetSelectedIndex(), 2);

    Press(12, 8);  // within three pixels of rectangle 1's top-left corner
    EXPECT_EQ(m_tools.DragState(), EDragState::kHandleDrag);
    EXPECT_EQ(m_tools.Handle(), kRectTopLeftIndex);
    EXPECT_EQ(m_tools.HitCode(), kHandleTopLeft);
    EXPECT_EQ(m_doc.GetSelectedIndex(), 1);
    EXPECT_FALSE(m_doc.IsSelected(*Circles(m_doc)[0]));
    Move(4, 6);
    Release(4, 6);
    EXPECT_EQ(AreaLines()[0], "<AREA SHAPE=RECT COORDS=\"4,6,50,50\" HREF=\"one.htm\">");

    // A circle's corner handle turns about the opposite corner: (86, 86) about (114, 114).
    Press(86, 86);
    EXPECT_EQ(m_tools.HitCode(), kHandleTopLeft);
    Move(70, 70);
    Release(70, 70);
    EXPECT_EQ(AreaLines()[1], "<AREA SHAPE=CIRCLE COORDS=\"92,92,31\" HREF=\"two.htm\">");
    EXPECT_EQ(UndoSteps(), 3);
}

TEST_F(CanvasTools, HandleSquaresScaleWithTheZoom)
{
    ShowAt(2.0);
    // Rectangle 1's bottom-right corner (50, 50) sits at (100, 100), six pixels each way.
    EXPECT_TRUE(m_tools.HitHandle({106, 94}));
    EXPECT_EQ(m_tools.HitCode(), kHandleBottomRight);
    EXPECT_EQ(m_tools.EditArea(), Rects(m_doc)[0]);
    EXPECT_FALSE(m_tools.HitHandle({107, 94}));
    EXPECT_EQ(m_tools.HitCode(), -1);
    EXPECT_EQ(m_tools.Handle(), -1);
    EXPECT_EQ(m_tools.EditArea(), nullptr);
    ShowAt(1.0, {0, 0});
    m_host.ResizeClient(100, 100);
    m_host.Paint();
    m_host.ScrollToPosition({150, 50});  // scrolled: rectangle 3's top-left (200, 20) is at (50, -30)
    EXPECT_TRUE(m_tools.HitHandle({50, -30}));
    EXPECT_EQ(m_tools.EditArea(), Rects(m_doc)[1]);
}

TEST_F(CanvasTools, CursorsFollowTheToolAndTheHandleUnderThePointer)
{
    m_tools.OnSetCursor(true);
    EXPECT_EQ(m_host.Cursor(), ECursorShape::kArrow);
    Move(50, 30, false);  // rectangle 1's right edge handle
    EXPECT_EQ(m_host.Cursor(), ECursorShape::kSizeWE);
    Move(50, 10, false);
    EXPECT_EQ(m_host.Cursor(), ECursorShape::kSizeNESW);
    Move(100, 80, false);  // the circle's top
    EXPECT_EQ(m_host.Cursor(), ECursorShape::kSizeNS);
    Move(10, 10, true);  // with the left button down the cursor stays
    EXPECT_EQ(m_host.Cursor(), ECursorShape::kSizeNS);
    Move(150, 150, false);
    EXPECT_EQ(m_host.Cursor(), ECursorShape::kArrow);

    m_doc.OnToolPoly();
    m_tools.OnSetCursor(true);
    EXPECT_EQ(m_host.Cursor(), ECursorShape::kCross);
    m_tools.OnSetCursor(false);
    EXPECT_EQ(m_host.Cursor(), ECursorShape::kArrow);
    m_doc.OnToolZoom();
    m_tools.OnSetCursor(true);
    EXPECT_EQ(m_host.Cursor(), ECursorShape::kZoom);
}

TEST_F(CanvasTools, ASecondClickOnTheSamePixelReachesTheNextAreaThere)
{
    m_doc.OpenLines({"<MAP NAME=m>", "<AREA SHAPE=CIRCLE COORDS=\"30,30,20\">", "<AREA SHAPE=RECT COORDS=\"10,10,60,60\">",
                     "<AREA SHAPE=RECT COORDS=\"20,20,40,40\">", "<AREA SHAPE=RECT COORDS=\"100,100,120,120\">", "</MAP>"},
                    "m", 320, 200);
    const auto click = [this](int x, int y) {
        Press(x, y);
        Release(x, y);
        return m_doc.GetSelectedIndex();
    };
    // The first click keeps the pick rule (rectangles first); the next ones go round the areas
    // there in text order.
    EXPECT_EQ(click(30, 30), 2);
    EXPECT_EQ(click(30, 30), 3);
    EXPECT_EQ(click(30, 30), 1);
    EXPECT_EQ(click(30, 30), 2);
    // Moved away and back, the pointer starts over; elsewhere a click selects as ever.
    Move(31, 30, false);
    Move(30, 30, false);
    EXPECT_EQ(click(30, 30), 2);
    EXPECT_EQ(click(110, 110), 4);
    EXPECT_EQ(click(110, 110), 4);
    // A double click is a quick second click.
    EXPECT_EQ(click(30, 30), 2);
    m_tools.OnLButtonDblClk({30, 30});
    Release(30, 30);
    EXPECT_EQ(m_doc.GetSelectedIndex(), 3);
    EXPECT_EQ(UndoSteps(), 1);
}
