#include "model/polygonregion.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

using namespace mapwright;

TEST(PolygonRegion, RowSpansHoldExactlyThePixelsThatHit)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-3, 12);
    std::uniform_int_distribution<int> vertexCount(0, 8);
    std::vector<int> spans;
    for (int round = 0; round < 2000; ++round) {
        std::vector<CAreaPoint> polygon(vertexCount(random));
        for (CAreaPoint& vertex : polygon)
            vertex = {coordinate(random), coordinate(random), kPolygonVertex};
        for (int y = -4; y <= 13; ++y) {
            PolygonRegionRowSpans(polygon.data(), polygon.size(), y, spans);
            ASSERT_EQ(spans.size() % 2, 0u);
            for (int x = -4; x <= 13; ++x) {
                bool inSpan = false;
                for (std::size_t i = 0; i < spans.size(); i += 2)
                    inSpan = inSpan || (spans[i] <= x && x < spans[i + 1]);
                ASSERT_EQ(inSpan, PolygonRegionContains(polygon.data(), polygon.size(), x, y))
                    << "round " << round << " at " << x << "," << y;
            }
        }
    }
}

TEST(PolygonRegion, SlopedBoundaryPixelsFollowTheExactCrossing)
{
    // Edge from (0,0) to (3,2) crosses row 1 at x = 1.5: pixel 2 is the first one right of it.
    const std::vector<CAreaPoint> triangle = {{0, 0}, {3, 2}, {-3, 2}};
    EXPECT_FALSE(PolygonRegionContains(triangle.data(), 3, -2, 1));  // left crossing at -1.5
    EXPECT_TRUE(PolygonRegionContains(triangle.data(), 3, -1, 1));
    EXPECT_TRUE(PolygonRegionContains(triangle.data(), 3, 1, 1));
    EXPECT_FALSE(PolygonRegionContains(triangle.data(), 3, 2, 1));
    EXPECT_FALSE(PolygonRegionContains(triangle.data(), 3, 0, 0));  // the apex alone is an empty run
    EXPECT_FALSE(PolygonRegionContains(triangle.data(), 3, 0, 2));  // the bottom row is outside

    const std::vector<CAreaPoint> collinear = {{0, 0}, {4, 4}, {8, 8}, {2, 2}};
    for (int i = 0; i <= 8; ++i)
        EXPECT_FALSE(PolygonRegionContains(collinear.data(), collinear.size(), i, i));
}

TEST(PolygonRegion, CoordinatesAtTheEndsOfTheIntRangeDoNotOverflow)
{
    const int big = 2000000000;
    const std::vector<CAreaPoint> triangle = {{-big, -big}, {big, -big}, {big, big}};
    EXPECT_TRUE(PolygonRegionContains(triangle.data(), 3, 0, 0));
    EXPECT_TRUE(PolygonRegionContains(triangle.data(), 3, 1, 0));
    EXPECT_FALSE(PolygonRegionContains(triangle.data(), 3, -1, 0));
    EXPECT_FALSE(PolygonRegionContains(triangle.data(), 3, big, 0));
    const std::vector<CAreaPoint> extreme = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {INT_MAX, INT_MAX}};
    EXPECT_TRUE(PolygonRegionContains(extreme.data(), 3, 0, 0));
    EXPECT_FALSE(PolygonRegionContains(extreme.data(), 3, -1, 0));
}
