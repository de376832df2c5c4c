#include "html/testpage.h"

#include <gtest/gtest.h>

#include <array>

using namespace mapwright;
using namespace mapwright::testing;

namespace {

std::vector<CAreaPoint> Vertices(std::initializer_list<std::pair<int, int>> xy)
{
    std::vector<CAreaPoint> points;
    for (const auto& [x, y] : xy)
        points.emplace_back(x, y, kPolygonVertex);
    return points;
}

struct CRectValues {
    int left, top, right, bottom;
    bool operator==(const CRectValues&) const = default;
};

CRectValues RectOf(const std::string& tag, int width = 640, int height = 480)
{
    const CAreaLists areas = Parse(MapPage({tag}), width, height);
    EXPECT_EQ(areas.m_nAreaCount, 1) << tag;
    EXPECT_EQ(areas.m_rectAreas.size(), 1u) << tag;
    const CRectArea& rect = First(areas.m_rectAreas);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

TEST(ReaderShapes, RectanglesAreNormalisedAndClampedIntoTheImage)
{
    EXPECT_EQ(RectOf("<area shape=rect coords=\"1,2,3,4\">"), (CRectValues{1, 2, 3, 4}));
    EXPECT_EQ(RectOf("<AREA SHAPE=RECT COORDS=\"300,10,20,400\">", 200, 100), (CRectValues{20, 10, 199, 99}));
    EXPECT_EQ(RectOf("<AREA SHAPE=RECT COORDS=\"-5,-1,200,100\">", 200, 100), (CRectValues{0, 0, 199, 99}));
    EXPECT_EQ(RectOf("<AREA SHAPE=RECT COORDS=\"7,8\">"), (CRectValues{0, 0, 7, 8}));
    // Blanks and quotes before the list, then up to the next quote; the C conversion per piece.
    EXPECT_EQ(RectOf("<AREA SHAPE=RECT COORDS= \" \"\" 12px, +7,\t-3 , 9\"9\">"), (CRectValues{0, 7, 12, 9}));
    EXPECT_EQ(RectOf("<AREA SHAPE=RECT COORDS=5,x,-,99999999999>", 640, 480), (CRectValues{0, 0, 5, 479}));

    const CAreaLists areas = Parse(MapPage({"<AREA SHAPE=RECT COORDS=\"10,20,30,41\">"}));
    EXPECT_EQ(First(areas.m_rectAreas).m_points.size(), 8u);
    EXPECT_EQ(First(areas.m_rectAreas).m_points[6], CAreaPoint(20, 41, kHandleBottom));
}

TEST(ReaderShapes, AnythingButAPlainKeywordIsTheEmptyRectangle)
{
    for (const char* tag : {"<AREA SHAPE=\"RECT\" COORDS=\"1,2,3,4\">", "<AREA SHAPE=circ COORDS=\"1,2,3\">",
                            "<AREA COORDS=\"1,2,3,4\">", "<AREA SHAPE=RECTANGLE COORDS=\"1,2,3,4\">",
                            "<AREA SHAPE= POLY\" COORDS=\"1,2,3,4\">", "<AREA>"}) {
        EXPECT_EQ(RectOf(tag), (CRectValues{0, 0, 0, 0})) << tag;
    }
    EXPECT_EQ(RectOf("<AREA SHAPE=  Rect\tCOORDS=\"1,2,3,4\">"), (CRectValues{1, 2, 3, 4}));
}

TEST(ReaderShapes, CirclesKeepTheirCentreInsideAndTakeFiveForANegativeRadius)
{
    const CAreaLists areas = Parse(MapPage({
        "<AREA SHAPE=CIRCLE COORDS=\"50,50,-3\">",
        "<AREA SHAPE=circle COORDS=\"50,50\">",
        "<AREA SHAPE=CIRCLE COORDS=\"900,-4,1000\">",
        "<AREA SHAPE=CIRCLE COORDS=\"1,2,2000000000\">",
    }), 200, 100);
    ASSERT_EQ(areas.m_circleAreas.size(), 4u);
    const auto& c = areas.m_circleAreas;
    EXPECT_EQ((std::array{c[0]->x, c[0]->y, c[0]->radius}), (std::array{50, 50, 5}));
    EXPECT_EQ((std::array{c[1]->x, c[1]->y, c[1]->radius}), (std::array{50, 50, 0}));
    EXPECT_EQ((std::array{c[2]->x, c[2]->y, c[2]->radius}), (std::array{199, 0, 1000}));
    // No upper bound that a drawing could reach; beyond it the radius is held where sums stay whole.
    EXPECT_EQ(c[3]->radius, 100'000'000);
    EXPECT_EQ(c[0]->m_points.front(), CAreaPoint(50, 45, kHandleTop));
    EXPECT_EQ(c[0]->m_points.size(), 8u);

    // In an image without width the centre ends at 0: the upper limit is applied first.
    const CAreaLists empty = Parse(MapPage({"<AREA SHAPE=CIRCLE COORDS=\"3,3,3\">"}), 0, 0);
    ASSERT_EQ(empty.m_circleAreas.size(), 1u);
    EXPECT_EQ(empty.m_circleAreas[0]->x, 0);
    EXPECT_EQ(empty.m_circleAreas[0]->y, 0);
}

TEST(ReaderShapes, PolygonsTakePairsUntilTheListEnds)
{
    const CAreaLists areas = Parse(MapPage({
        "<AREA SHAPE=POLY COORDS=\"1,2,300,-4,5\">",
        "<AREA SHAPE=POLY COORDS=\"\">",
        "<AREA SHAPE=POLY>",
        "<AREA SHAPE=POLY COORDS=\"8,9,\">",
        "<AREA SHAPE=POLY COORDS=\"3,4\">",
    }), 200, 100);
    ASSERT_EQ(areas.m_polyAreas.size(), 5u);
    const auto& p = areas.m_polyAreas;
    EXPECT_EQ(p[0]->m_points, Vertices({{1, 2}, {199, 0}, {5, 0}}));
    EXPECT_EQ(p[1]->m_points, Vertices({{0, 0}}));
    EXPECT_EQ(p[2]->m_points, Vertices({{0, 0}}));
    EXPECT_EQ(p[3]->m_points, Vertices({{8, 9}, {0, 0}}));
    EXPECT_EQ(p[4]->m_points, Vertices({{3, 4}}));
    EXPECT_EQ(p[4]->m_nIndex, 5);
}
