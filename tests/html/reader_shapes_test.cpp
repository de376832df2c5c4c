#include "html/testpage.h"
#include "support/areachecks.h"

#include <gtest/gtest.h>

using namespace mapwright;
using namespace mapwright::testing;

TEST(ReaderShapes, CoordinatesAreReadAsBrowsersReadThemAndClampedPerShape)
{
    const CAreaList areas = Parse(MapPage({
        "<area shape=rect coords=\"1,2,3,4\">",
        "<AREA SHAPE=RECT COORDS=\"300,10,20,400\">",              // normalised and clamped
        "<AREA SHAPE=RECT COORDS= \" 12px, +7,\t-3 , 9.9\">",  // blanks, units, fractions cut
        "<AREA SHAPE=RECT COORDS=5,x,-,99999999999>",
        "<AREA SHAPE=CIRCLE COORDS=\"50,50,-3\">",
        "<AREA SHAPE=circle COORDS=\"50,50\">",
        "<AREA SHAPE=CIRCLE COORDS=\"900,-4,1000\">",               // the rim may leave the image
        "<AREA SHAPE=CIRCLE COORDS=\"1,2,2000000000\">",            // held where sums stay whole
        "<AREA SHAPE=POLY COORDS=\"1,2,300,-4,5\">",                // odd last value left out
        "<AREA SHAPE=POLY COORDS=\"\">",
        "<AREA SHAPE=POLY COORDS=\"255,48,247,61,250,85,\">",         // a trailing comma adds nothing
        "<AREA SHAPE=POLY COORDS=\"1 2  3 4,,5,6\">",
    }), 200, 100);
    EXPECT_EQ(Describe(areas), (CDescribed{"1R 1 2 3 4", "2R 20 10 199 99", "3R 0 7 12 9", "4R 0 0 5 99",
                                           "5C 50 50 5", "6C 50 50 0", "7C 199 0 1000", "8C 1 2 100000000",
                                           "9P 1 2 199 0", "10P 0 0", "11P 199 48 199 61 199 85",
                                           "12P 1 2 3 4 5 6"}));
    EXPECT_EQ(Rects(areas)[1]->m_points[6], CAreaPoint(109, 99, kHandleBottom));
    EXPECT_EQ(Circles(areas)[0]->m_points.front(), CAreaPoint(50, 45, kHandleTop));
    EXPECT_EQ(Polys(areas)[0]->m_points[0].m_nCode, kPolygonVertex);

    // Without an image width a circle's centre still ends at 0: the upper limit comes first.
    EXPECT_EQ(Describe(Parse(MapPage({"<AREA SHAPE=CIRCLE COORDS=\"3,3,3\">"}), 0, 0)), (CDescribed{"1C 0 0 3"}));
}

TEST(ReaderShapes, KeywordsInAnyQuotingCaseOrAliasAndRectangleOtherwise)
{
    EXPECT_EQ(Describe(Parse(MapPage({
                  "<AREA SHAPE=\"RECT\" COORDS=\"1,2,3,4\">", "<area shape='circ' coords=\"1,2,3\">",
                  "<AREA COORDS=\"1,2,3,4\">", "<AREA SHAPE=Rectangle COORDS=\"1,2,3,4\">",
                  "<area shape=\"polygon\" coords=\"1,2,5,6,7,2\">", "<AREA SHAPE=  Circle\tCOORDS=\"1,2,3\">",
                  "<AREA SHAPE=star COORDS=\"4,3,2,1\">", "<AREA SHAPE=\"POLY \" COORDS=\"1,2\">",
              }))),
              (CDescribed{"1R 1 2 3 4", "2C 1 2 3", "3R 1 2 3 4", "4R 1 2 3 4", "5P 1 2 5 6 7 2", "6C 1 2 3",
                          "7R 2 1 4 3", "8R 0 0 1 2"}));
}
