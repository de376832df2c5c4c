#include "html/testpage.h"
#include "html/mapwriter.h"

#include <gtest/gtest.h>

using namespace mapwright;
using namespace mapwright::testing;

TEST(WriterSkeleton, NewPageAndItsFirstTags)
{
    CLines lines = MakeSkeleton("photo.gif", 320, 200);
    EXPECT_EQ(PageText(lines),
              "<!-- Created by Mapwright -->\n"
              "<!-- Visit us at https://quillon.example/mapwright -->\n"
              "<!-- Beginning of CSIM -->\n"
              "<IMG SRC=\"photo.gif\" USEMAP=\"#photo.gif\" WIDTH=320 HEIGHT=200 BORDER=0>\n"
              "<MAP NAME=\"photo.gif\">\n"
              "</MAP>\n"
              "<!-- End of CSIM -->\n");
    ASSERT_TRUE(AddAreaTag(lines, "photo.gif", "RECT", "10,20,110,80"));
    ASSERT_TRUE(AddAreaTag(lines, "PHOTO.GIF", "CIRCLE", "5,6,7"));
    ASSERT_TRUE(AddAreaTag(lines, "photo.gif", "POLY", ""));
    EXPECT_EQ(PageText({lines.begin() + 4, lines.end()}),
              "<MAP NAME=\"photo.gif\">\n"
              "<AREA SHAPE=RECT COORDS=\"10,20,110,80\">\n"
              "<AREA SHAPE=CIRCLE COORDS=\"5,6,7\">\n"
              "<AREA SHAPE=POLY COORDS=\"\">\n"
              "</MAP>\n"
              "<!-- End of CSIM -->\n");
}

TEST(WriterSkeleton, AddSplitsTheLineOfTheMapEnd)
{
    CLines lines{"<map name=m><area shape=rect coords=\"1,1,2,2\"></map> <!-- x -->"};
    ASSERT_TRUE(AddAreaTag(lines, "M", "RECT", "3,3,4,4"));
    EXPECT_EQ(PageText(lines), "<map name=m><area shape=rect coords=\"1,1,2,2\">\n"
                               "<AREA SHAPE=RECT COORDS=\"3,3,4,4\">\n</map> <!-- x -->\n");
    // The new line takes the indentation of the last tag's line, else of the map end's.
    lines = {"<MAP NAME=\"m\">", "  </MAP>"};
    ASSERT_TRUE(AddAreaTag(lines, "m", "RECT", "0,0,1,1"));
    EXPECT_EQ(PageText(lines), "<MAP NAME=\"m\">\n  <AREA SHAPE=RECT COORDS=\"0,0,1,1\">\n  </MAP>\n");
    lines = {"<map name=m>", "\t\t<area shape=rect coords=\"1,1,2,2\" />", "\t</map>"};
    ASSERT_TRUE(AddAreaTag(lines, "m", "RECT", "0,0,1,1"));
    EXPECT_EQ(lines[2], "\t\t<AREA SHAPE=RECT COORDS=\"0,0,1,1\">");
    EXPECT_EQ(lines[3], "\t</map>");
    // Without the map, or without its end, nothing changes.
    const CLines page = lines;
    EXPECT_FALSE(AddAreaTag(lines, "other", "RECT", "1,2,3,4"));
    EXPECT_EQ(lines, page);
    EXPECT_TRUE(MapBlockHasEnd(lines, "m"));
    lines.pop_back();
    const CLines endless = lines;
    EXPECT_FALSE(AddAreaTag(lines, "m", "CIRCLE", "1,1,1"));
    EXPECT_EQ(lines, endless);
    EXPECT_FALSE(MapBlockHasEnd(lines, "m"));
}

TEST(WriterSkeleton, FormatsCoordinates)
{
    CRectArea rect;
    rect.left = 10, rect.top = 20, rect.right = 110, rect.bottom = 80;
    CCircleArea circle;
    circle.x = 7, circle.y = 0, circle.radius = 1234;
    CPolyArea poly;
    EXPECT_EQ(FormatCoords(poly), "");
    poly.m_points = {{1, 2, kPolygonVertex}, {30, 40, kPolygonVertex}};
    EXPECT_EQ(FormatCoords(rect) + " " + FormatCoords(circle) + " " + FormatCoords(poly), "10,20,110,80 7,0,1234 1,2,30,40");
}
