#include "model/maparea.h"
#include "support/makeareas.h"

#include <gtest/gtest.h>

using namespace mapwright;

namespace {




}  // namespace

TEST(AreaHitTest, RectangleEdgesAndCircleRimAreInside)
{
    const CRectArea rect = MakeRect(10, 20, 30, 40);
    EXPECT_TRUE(rect.HitTest(10, 20));
    EXPECT_TRUE(rect.HitTest(30, 40));
    EXPECT_FALSE(rect.HitTest(31, 30));
    EXPECT_FALSE(rect.HitTest(20, 41));
    EXPECT_FALSE(rect.HitTest(9, 30));

    const CCircleArea circle = MakeCircle(10, 10, 5);
    EXPECT_TRUE(circle.HitTest(15, 10));
    EXPECT_TRUE(circle.HitTest(13, 14));   // 9 + 16 = 25, on the rim
    EXPECT_FALSE(circle.HitTest(14, 14));  // 16 + 16 > 25
    EXPECT_FALSE(circle.HitTest(16, 10));
}

TEST(AreaHitTest, PolygonRightAndBottomBoundaryOutsideAndSelfCrossingHasHoles)
{
    const CPolyArea square = MakePoly({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    EXPECT_TRUE(square.HitTest(0, 0));
    EXPECT_TRUE(square.HitTest(9, 9));
    EXPECT_FALSE(square.HitTest(10, 5));
    EXPECT_FALSE(square.HitTest(5, 10));

    // A pentagram: its tips are inside, its inner pentagon is a hole.
    const CPolyArea star = MakePoly({{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}});
    EXPECT_TRUE(star.HitTest(50, 20));
    EXPECT_FALSE(star.HitTest(50, 50));
    EXPECT_FALSE(star.HitTest(50, 40));

    EXPECT_FALSE(MakePoly({{0, 0}, {10, 10}}).HitTest(0, 0));
    EXPECT_FALSE(MakePoly({{5, 5}}).HitTest(5, 5));
    EXPECT_FALSE(MakePoly({}).HitTest(0, 0));
}

TEST(AreaHandles, CircleUsesTheFactorPointSevenOSevenAndListsEdgesFirst)
{
    // 99 x 0.707 = 69.99 while 99 / sqrt(2) = 70.004: the factor decides the diagonal handles.
    const CCircleArea circle = MakeCircle(100, 200, 99);
    const std::vector<CAreaPoint> expected = {
        {100, 101, 15}, {199, 200, 25}, {100, 299, 35}, {1, 200, 45},
        {31, 131, 10},  {169, 131, 20}, {169, 269, 30}, {31, 269, 40},
    };
    EXPECT_EQ(circle.m_points, expected);
}

TEST(AreaResize, RectangleDraggedPastItsOppositeCornerIsNormalisedAndFollowsTheCursor)
{
    CRectArea rect = MakeRect(10, 10, 20, 20);
    int active = 0;
    rect.ResizeByHandle(0, 30, 25, 100, 100, active);
    EXPECT_EQ((std::vector<int>{rect.left, rect.top, rect.right, rect.bottom}), (std::vector<int>{20, 20, 30, 25}));
    EXPECT_EQ(active, 2);
    EXPECT_EQ(rect.m_points[2], (CAreaPoint{30, 25, kHandleBottomRight}));

    // The drag goes on with the new handle; the new point is clamped into the image.
    rect.ResizeByHandle(active, -5, 200, 100, 100, active);
    EXPECT_EQ((std::vector<int>{rect.left, rect.top, rect.right, rect.bottom}), (std::vector<int>{0, 20, 20, 99}));
    EXPECT_EQ(active, 3);
    EXPECT_EQ(rect.m_points[3], (CAreaPoint{0, 99, kHandleBottomLeft}));
}

TEST(AreaResize, RectangleEdgeHandleMovesOneEdgeAndKeepsItsOtherCoordinate)
{
    CRectArea rect = MakeRect(10, 10, 20, 20);
    int active = 4;
    // The top handle ignores the new x and crosses the bottom edge.
    rect.ResizeByHandle(4, 99, 40, 100, 100, active);
    EXPECT_EQ((std::vector<int>{rect.left, rect.top, rect.right, rect.bottom}), (std::vector<int>{10, 20, 20, 40}));
    EXPECT_EQ(active, 6);
    EXPECT_EQ(rect.m_points[6], (CAreaPoint{15, 40, kHandleBottom}));

    // The left handle ignores the new y.
    active = 7;
    rect.ResizeByHandle(7, 5, 0, 100, 100, active);
    EXPECT_EQ((std::vector<int>{rect.left, rect.top, rect.right, rect.bottom}), (std::vector<int>{5, 20, 20, 40}));
    EXPECT_EQ(active, 7);

    // A handle index beyond the list changes nothing.
    const CRectArea before = rect;
    rect.ResizeByHandle(8, 0, 0, 100, 100, active);
    EXPECT_EQ(rect.m_points, before.m_points);
    EXPECT_EQ(rect.left, before.left);
}

TEST(AreaResize, CircleTopHandleDraggedBelowTheBottomContinuesWithTheBottomHandle)
{
    CCircleArea circle = MakeCircle(50, 50, 10);
    int active = 0;
    circle.ResizeByHandle(0, 3, 80, 100, 100, active, 0, 0);
    EXPECT_EQ((std::vector<int>{circle.x, circle.y, circle.radius}), (std::vector<int>{50, 70, 10}));
    EXPECT_EQ(active, 2);
    EXPECT_EQ(circle.m_points[2], (CAreaPoint{50, 80, kHandleBottom}));

    circle.ResizeByHandle(active, 3, 90, 100, 100, active, 0, 0);
    EXPECT_EQ((std::vector<int>{circle.x, circle.y, circle.radius}), (std::vector<int>{50, 75, 15}));
    EXPECT_EQ(active, 2);

    // The left handle dragged across the right one flips to the right handle.
    circle = MakeCircle(50, 50, 10);
    active = 3;
    circle.ResizeByHandle(3, 90, 0, 100, 100, active, 0, 0);
    EXPECT_EQ((std::vector<int>{circle.x, circle.y, circle.radius}), (std::vector<int>{75, 50, 15}));
    EXPECT_EQ(active, 1);
}

TEST(AreaResize, CircleCentreIsClampedBeforeTheRadiusIsTaken)
{
    CCircleArea circle = MakeCircle(95, 50, 10);
    int active = 1;
    circle.ResizeByHandle(1, 200, 50, 100, 100, active, 0, 0);
    EXPECT_EQ((std::vector<int>{circle.x, circle.y, circle.radius}), (std::vector<int>{99, 50, 14}));
    EXPECT_EQ(active, 1);

    // A diagonal handle centres between the new point and the fixed opposite one.
    circle = MakeCircle(50, 50, 10);
    active = 4;
    circle.ResizeByHandle(4, 20, 20, 100, 100, active, 60, 60);
    EXPECT_EQ((std::vector<int>{circle.x, circle.y, circle.radius}), (std::vector<int>{40, 40, 28}));
    circle.ResizeByHandle(4, -50, -50, 100, 100, active, 10, 10);
    EXPECT_EQ((std::vector<int>{circle.x, circle.y, circle.radius}), (std::vector<int>{0, 0, 14}));
    EXPECT_EQ(active, 4);
    EXPECT_EQ(circle.m_points[6], (CAreaPoint{9, 9, kHandleBottomRight}));
}

TEST(AreaMove, OffsetIsReducedToWhatKeepsTheAreaInside)
{
    CRectArea rect = MakeRect(10, 10, 20, 20);
    EXPECT_EQ(rect.MoveBy(-15, 85, 100, 100), (COffset{-10, 79}));
    EXPECT_EQ((std::vector<int>{rect.left, rect.top, rect.right, rect.bottom}), (std::vector<int>{0, 89, 10, 99}));
    EXPECT_EQ(rect.m_points[0], (CAreaPoint{10, 10, kHandleTopLeft}));  // left for the caller to rebuild

    // Only the centre of a circle must stay inside; its rim may leave the image.
    CCircleArea circle = MakeCircle(95, 5, 10);
    EXPECT_EQ(circle.MoveBy(10, -10, 100, 100), (COffset{4, -5}));
    EXPECT_EQ((std::vector<int>{circle.x, circle.y}), (std::vector<int>{99, 0}));
    EXPECT_EQ(circle.m_points[1], (CAreaPoint{109, 0, kHandleRight}));

    // Every vertex of a polygon limits the offset.
    CPolyArea poly = MakePoly({{10, 10}, {50, 5}, {30, 90}});
    EXPECT_EQ(poly.MoveBy(-20, 20, 100, 100), (COffset{-10, 9}));
    EXPECT_EQ(poly.m_points, (std::vector<CAreaPoint>{{0, 19, 100}, {40, 14, 100}, {20, 99, 100}}));
    EXPECT_EQ(poly.MoveBy(0, 5, 100, 100), (COffset{0, 0}));
}

TEST(AreaMove, PolygonVertexIsClampedIntoTheImage)
{
    CPolyArea poly = MakePoly({{10, 10}, {50, 5}, {30, 90}});
    poly.MoveVertex(1, -3, 150, 100, 120);
    EXPECT_EQ(poly.m_points[1], (CAreaPoint{0, 119, 100}));
    poly.MoveVertex(2, 150, -1, 100, 120);
    EXPECT_EQ(poly.m_points[2], (CAreaPoint{99, 0, 100}));
    poly.MoveVertex(3, 1, 1, 100, 120);
    EXPECT_EQ(poly.m_points.size(), 3u);
}
