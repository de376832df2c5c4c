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
