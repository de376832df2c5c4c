// The rectangle, circle and polygon tools, end to end into the page's AREA tags.
#include "canvasfixture.h"

using namespace mapwright;

TEST_F(CanvasTools, RectangleToolDrawsAtTheViewsScaleAndScrollAsOneUndoStep)
{
    ShowAt(2.0, {100, 50});
    m_doc.OnToolRect();
    Press(20, 30);  // picture (60, 40)
    EXPECT_TRUE(m_tools.IsDragging());
    EXPECT_TRUE(m_host.HasCapture());
    EXPECT_EQ(m_doc.GetSelectedIndex(), 4);
    EXPECT_EQ(AreaLines().size(), 3u);  // no tag while it is drawn
    Move(121, 91);                      // picture (110, 70): trunc(221 / 2), trunc(141 / 2)
    Release(121, 91);

    EXPECT_EQ(AreaLines().back(), "<AREA SHAPE=RECT COORDS=\"60,40,110,70\">");
    EXPECT_EQ(UndoSteps(), 2);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_FALSE(m_tools.IsDragging());
    EXPECT_FALSE(m_host.HasCapture());
    EXPECT_EQ(m_doc.Display().nTool, kToolRect);  // the tool stays for the next shape
    EXPECT_TRUE(m_canvasView.m_updates.empty());
    EXPECT_EQ(m_otherView.m_updates.size(), 2u);  // the press and the commit

    // A press and release without a move gives a one-pixel rectangle.
    Press(200, 200);
    Release(200, 200);
    EXPECT_EQ(AreaLines().back(), "<AREA SHAPE=RECT COORDS=\"150,125,150,125\">");
    EXPECT_EQ(UndoSteps(), 3);
}

TEST_F(CanvasTools, PressesOffThePictureStartNoShape)
{
    ShowAt(2.0, {240, 100});  // the last picture column starts at client x 638 - 240 = 398
    for (auto tool : {&CMapDocument::OnToolRect, &CMapDocument::OnToolCircle, &CMapDocument::OnToolPoly}) {
        (m_doc.*tool)();
        Press(399, 10);
        Release(399, 10);
        Press(-1, 10);
        RightPress(10, 10);
        EXPECT_EQ(m_tools.DragState(), EDragState::kIdle);
        EXPECT_FALSE(m_host.HasCapture());
    }
    EXPECT_EQ(m_doc.AreaCount(), 3);
    EXPECT_EQ(m_doc.Lines(), kThreeAreaPage);
    EXPECT_EQ(UndoSteps(), 1);

    // A picture without pixels has no inside, whatever the scale.
    m_doc.TakePicture(std::make_unique<CDecodedImage>(), false);
    m_doc.OnToolRect();
    ShowAt(0.25);
    Press(0, 0);
    EXPECT_EQ(m_tools.DragState(), EDragState::kIdle);
}

TEST_F(CanvasTools, RectangleDraggedUpAndLeftIsNormalisedAndKeepsTheHandleUnderThePointer)
{
    m_doc.OnToolRect();
    Press(100, 100);
    EXPECT_EQ(m_tools.Handle(), kRectBottomRightIndex);
    Move(60, 70);
    EXPECT_EQ(m_tools.Handle(), kRectTopLeftIndex);
    Move(120, 50);  // across the fixed corner again: now the top-right handle follows
    EXPECT_EQ(m_tools.Handle(), kRectTopRightIndex);
    Release(120, 50);
    EXPECT_EQ(AreaLines().back(), "<AREA SHAPE=RECT COORDS=\"100,50,120,100\">");
}

TEST_F(CanvasTools, CircleToolFixesTheTopAndPullsTheBottom)
{
    m_doc.OnToolCircle();
    Press(150, 20);
    EXPECT_EQ(m_tools.Handle(), kCircleBottomIndex);
    Move(150, 60);
    Release(150, 60);
    EXPECT_EQ(AreaLines().back(), "<AREA SHAPE=CIRCLE COORDS=\"150,40,20\">");

    Press(250, 100);  // dragged above its top the circle flips and goes on with its top handle
    Move(250, 80);
    EXPECT_EQ(m_tools.Handle(), kCircleTopIndex);
    Release(250, 80);
    EXPECT_EQ(AreaLines().back(), "<AREA SHAPE=CIRCLE COORDS=\"250,90,10\">");
    EXPECT_EQ(UndoSteps(), 3);
}

TEST_F(CanvasTools, PolygonKeepsEveryClickAndDropsOnlyTheVertexThatFollowedThePointer)
{
    m_doc.OnToolPoly();
    Press(10, 150);
    EXPECT_EQ(m_host.StatusText(), "For finish drawing press right mouse button.");
    RightPress(10, 150);  // right away: two equal vertices stay
    EXPECT_EQ(AreaLines().back(), "<AREA SHAPE=POLY COORDS=\"10,150,10,150\">");
    EXPECT_EQ(m_host.StatusText(), "");
    EXPECT_EQ(m_tools.DragState(), EDragState::kIdle);
    EXPECT_FALSE(m_host.HasCapture());

    Press(20, 20);
    Move(60, 20);
    Press(60, 20);
    Release(60, 20);  // a release while drawing changes nothing
    Move(40, 380);    // beyond the picture and the client: clamped into the picture
    Press(40, 380);
    ASSERT_NE(m_tools.EditArea(), nullptr);
    EXPECT_EQ(m_tools.EditArea()->m_points.back(), CAreaPoint(40, 199));  // the new vertex at once too
    EXPECT_EQ(AreaLines().size(), 4u);
    RightPress(40, 380);
    EXPECT_EQ(AreaLines().back(), "<AREA SHAPE=POLY COORDS=\"20,20,60,20,40,199\">");
    EXPECT_EQ(UndoSteps(), 3);
    EXPECT_EQ(m_doc.Display().nTool, kToolPoly);
}

TEST_F(CanvasTools, RightPressOrEscapeWhileIdleReturnsToTheSelectTool)
{
    m_doc.OnToolRect();
    RightPress(50, 50);
    EXPECT_EQ(m_doc.Display().nTool, kToolSelect);
    RightPress(50, 50);  // the select tool stays
    EXPECT_EQ(m_doc.Display().nTool, kToolSelect);
    m_doc.OnToolPoly();
    EXPECT_TRUE(Key(ECanvasKey::kEscape));
    EXPECT_EQ(m_doc.Display().nTool, kToolSelect);
    m_doc.OnToolZoom();
    EXPECT_TRUE(Key(ECanvasKey::kEscape));
    EXPECT_EQ(m_doc.Display().nTool, kToolSelect);
    EXPECT_EQ(m_doc.Display().bZoomMode, 0);
    EXPECT_EQ(m_doc.Lines(), kThreeAreaPage);
}
