#include "model/maparea.h"
#include "support/makeareas.h"
#include "model/recordingsurface.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

using namespace mapwright;
using Calls = std::vector<std::string>;

namespace {


}  // namespace

TEST(AreaDrawing, RectangleOutlineInvertsThroughTheZoomedPixelCentresAndRestoresTheRop)
{
    CRectArea rect;
    rect.left = 10;
    rect.top = 20;
    rect.right = 30;
    rect.bottom = 40;
    CRecordingSurface dc;
    dc.SetROP2(9);
    dc.ClearCalls();
    // trunc(2 v + 1 - scroll)
    rect.DrawOutline(dc, false, 2.0, 3, 5);
    EXPECT_EQ(dc.m_calls, (Calls{"SetROP2(R2_NOT)", "MoveTo(18,36)", "LineTo(18,76)", "LineTo(58,76)",
                                 "LineTo(58,36)", "LineTo(18,36)", "SetROP2(9)"}));

    // Truncation is toward zero: 0.25 + 0.125 - 3 = -2.625 gives -2, not -3.
    dc.ClearCalls();
    rect.left = rect.top = 1;
    rect.DrawOutline(dc, true, 0.25, 3, 3);
    EXPECT_EQ(dc.m_calls, (Calls{"MoveTo(-2,-2)", "LineTo(-2,7)", "LineTo(4,7)", "LineTo(4,-2)", "LineTo(-2,-2)"}));
}

TEST(AreaDrawing, HatchIsAlignedToTheImageAndThePreviousBrushComesBack)
{
    CCircleArea circle;
    circle.x = 10;
    circle.y = 10;
    circle.radius = 7;
    CRecordingSurface dc;
    // centre trunc(1.5 x 10 + 0.75) = 15, radius trunc(1.5 x 7) = 10
    circle.DrawHatched(dc, MakeRgb(0, 128, 255), false, 1.5, 13, 2);
    EXPECT_EQ(dc.m_calls, (Calls{"SetROP2(R2_NOT)", "SetBkMode(TRANSPARENT)", "SetBrushOrg(3,6)",
                                 "SelectBrush(BS_HATCHED,HS_DIAGCROSS,#0080ff)", "Ellipse(-8,3,12,23)",
                                 "SelectBrush(BS_SOLID,#ffffff)", "SetROP2(R2_COPYPEN)"}));

    dc.ClearCalls();
    circle.DrawOutline(dc, true, 1.5, 0, 0);
    EXPECT_EQ(dc.m_calls, (Calls{"Arc(5,5,25,25,25,15,5,15)", "Arc(5,5,25,25,5,15,25,15)"}));
}

TEST(AreaDrawing, RectangleHatchKeepsTheCallersRop)
{
    CRectArea rect;
    rect.right = 4;
    rect.bottom = 2;
    CRecordingSurface dc;
    rect.DrawHatched(dc, MakeRgb(255, 0, 0), true, 1.0, 8, 15);
    EXPECT_EQ(dc.m_calls, (Calls{"SetBkMode(TRANSPARENT)", "SetBrushOrg(0,1)",
                                 "SelectBrush(BS_HATCHED,HS_DIAGCROSS,#ff0000)", "Rectangle(-7,-14,-3,-12)",
                                 "SelectBrush(BS_SOLID,#ffffff)"}));
}

TEST(AreaDrawing, PolygonsWithFewVerticesDrawALineOrNothing)
{
    CRecordingSurface dc;
    const CPolyArea two = MakePoly({{1, 2, 100}, {5, 6, 100}});
    two.DrawOutline(dc, true, 1.0, 0, 0);
    EXPECT_EQ(dc.m_calls, (Calls{"MoveTo(1,2)", "LineTo(5,6)"}));
    dc.ClearCalls();
    two.DrawHatched(dc, 0, true, 1.0, 0, 0);
    EXPECT_EQ(dc.m_calls, (Calls{"SetBkMode(TRANSPARENT)", "SetBrushOrg(0,0)", "SelectBrush(BS_HATCHED,HS_DIAGCROSS,#000000)",
                                 "MoveTo(1,2)", "LineTo(5,6)", "SelectBrush(BS_SOLID,#ffffff)"}));

    dc.ClearCalls();
    MakePoly({{1, 2, 100}}).DrawHatched(dc, 0, true, 1.0, 0, 0);
    for (const std::string& call : dc.m_calls) {
        EXPECT_EQ(call.find("To("), std::string::npos) << call;
        EXPECT_EQ(call.find("Polygon"), std::string::npos) << call;
    }

    const CPolyArea three = MakePoly({{1, 2, 100}, {5, 6, 100}, {9, 2, 100}});
    dc.ClearCalls();
    three.DrawOutline(dc, true, 1.0, 0, 0);
    EXPECT_EQ(dc.m_calls, (Calls{"MoveTo(1,2)", "LineTo(5,6)", "LineTo(9,2)", "LineTo(1,2)"}));
    dc.ClearCalls();
    three.DrawHatched(dc, 0, true, 2.0, 1, 0);
    EXPECT_EQ(dc.m_calls[3], "Polygon(2,5 10,13 18,5)");
}

TEST(AreaDrawing, HandleSquaresAtHalfZoomAreOnePixelUpLeftAndOnlyWhite)
{
    CPolyArea area;
    area.m_points = {{10, 10, kHandleTopLeft}, {20, 10, kHandleTopRight}};
    CRecordingSurface dc;
    // sx = trunc(0.5 x 10) - 0 - 1 = 4, h = 1, d = 3 - 1 = 2
    area.DrawHandles(dc, 0.5, 0, 0);
    const std::string pen = "SelectPen(PS_SOLID,0,#000000)";
    EXPECT_EQ(dc.m_calls, (Calls{"SelectPen(PS_SOLID,0,#ffffff)", "MoveTo(3,3)", "LineTo(6,3)", "LineTo(6,6)",
                                 "LineTo(3,6)", "LineTo(3,3)", pen, "SelectPen(PS_SOLID,0,#ffffff)",
                                 "MoveTo(8,3)", "LineTo(11,3)", "LineTo(11,6)", "LineTo(8,6)", "LineTo(8,3)", pen}));
}

TEST(AreaDrawing, HandleSquaresFromZoomOneGetABlackPenOfHalfTheWidth)
{
    CPolyArea area;
    area.m_points = {{10, 10, kHandleTopLeft}};
    CRecordingSurface dc;
    const CPen caller = MakeSolidPen(1, MakeRgb(1, 2, 3));
    dc.SelectPen(caller);
    dc.ClearCalls();
    // sx = 20 - 1 = 19, sy = 20 - 2 = 18, h = 6, d = 6
    area.DrawHandles(dc, 2.0, 1, 2);
    EXPECT_EQ(dc.m_calls, (Calls{"SelectPen(PS_SOLID,5,#ffffff)", "MoveTo(13,12)", "LineTo(25,12)",
                                 "LineTo(25,24)", "LineTo(13,24)", "LineTo(13,12)", "SelectPen(PS_SOLID,1,#000000)",
                                 "MoveTo(13,12)", "LineTo(25,12)", "LineTo(25,24)", "LineTo(13,24)",
                                 "LineTo(13,12)", "SelectPen(PS_SOLID,1,#010203)"}));
    EXPECT_EQ(dc.m_pen, caller);

    // At 150 %: a white pen 2 x 1 + 1 wide around a black one of width 0 (one pixel); h = 4, d = 9 - 4 = 5.
    dc.ClearCalls();
    area.DrawHandles(dc, 1.5, 0, 0);
    EXPECT_EQ(dc.m_calls[0], "SelectPen(PS_SOLID,3,#ffffff)");
    EXPECT_EQ(dc.m_calls[1], "MoveTo(11,11)");
    EXPECT_EQ(dc.m_calls[3], "LineTo(20,20)");
    EXPECT_EQ(dc.m_calls[6], "SelectPen(PS_SOLID,0,#000000)");

    // The white frame is as odd or even as the black square: 300 % 7 and 1, 400 % 8 and 2,
    // 600 % 13 and 3, 800 % 16 and 4.
    for (const auto& [zoom, white, black] : {std::tuple{3.0, 7, 1}, {4.0, 8, 2}, {6.0, 13, 3}, {8.0, 16, 4}}) {
        dc.ClearCalls();
        area.DrawHandles(dc, zoom, 0, 0);
        EXPECT_EQ(dc.m_calls[0], "SelectPen(PS_SOLID," + std::to_string(white) + ",#ffffff)") << zoom;
        EXPECT_EQ(dc.m_calls[6], "SelectPen(PS_SOLID," + std::to_string(black) + ",#000000)") << zoom;
    }
}
