// Where the picture's inside ends on the canvas, and where the scroll position may stand.
#include "document/canvasgeometry.h"

#include <gtest/gtest.h>

using namespace mapwright;

TEST(CanvasGeometry, TheInsideEndsAtTheZoomedEdgeOfTheLastPixel)
{
    // At 800 % the last column (319) covers client x 2552..2559 unscrolled; only 2552 is inside.
    EXPECT_FALSE(IsOutsideImage({2552 - 100, 0}, {100, 0}, 8.0, 320, 200));
    EXPECT_TRUE(IsOutsideImage({2553 - 100, 0}, {100, 0}, 8.0, 320, 200));
    EXPECT_FALSE(IsOutsideImage({0, 1592}, {0, 0}, 8.0, 320, 200));
    EXPECT_TRUE(IsOutsideImage({0, 1593}, {0, 0}, 8.0, 320, 200));
    // At 25 % a 101-pixel picture ends at trunc(100 x 0.25) = 25.
    EXPECT_FALSE(IsOutsideImage({25, 0}, {0, 0}, 0.25, 101, 10));
    EXPECT_TRUE(IsOutsideImage({26, 0}, {0, 0}, 0.25, 101, 10));
    EXPECT_TRUE(IsOutsideImage({-1, 0}, {50, 0}, 2.0, 320, 200));
    // Without pixels there is no inside, not even the first client pixel at a small scale.
    EXPECT_TRUE(IsOutsideImage({0, 0}, {0, 0}, 0.25, 0, 200));
    EXPECT_TRUE(IsOutsideImage({0, 0}, {0, 0}, 0.25, 320, 0));

    // Screen to picture truncates toward zero, also left of the picture.
    EXPECT_EQ(ImagePosition({-3, 5}, {0, 0}, 8.0), CImagePoint(0, 0));
    EXPECT_EQ(ImagePosition({101, 0}, {0, 0}, 0.75), CImagePoint(134, 0));
}

TEST(CanvasGeometry, TheScrollPositionKeepsThePictureFillingTheClient)
{
    const CClientRect client{0, 0, 200, 150};
    EXPECT_EQ(ClampScrollPosition({900, 40}, 1000, 750, client), CClientPoint(800, 40));
    EXPECT_EQ(ClampScrollPosition({-5, 700}, 1000, 750, client), CClientPoint(0, 600));
    // A picture smaller than the client on an axis leaves that axis at 0.
    EXPECT_EQ(ClampScrollPosition({120, 30}, 75, 100, client), CClientPoint(0, 0));
    EXPECT_EQ(ZoomedExtent(101, 0.75), 75);
    EXPECT_EQ(ZoomedExtent(100, 0.33), 33);
}
