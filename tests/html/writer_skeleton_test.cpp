#include "html/testpage.h"
#include "html/mapwriter.h"

#include <gtest/gtest.h>

using namespace mapwright;
using namespace mapwright::testing;

TEST(WriterSkeleton, NewPageHasTheSevenLines)
{
    EXPECT_EQ(PageText(MakeSkeleton("photo.gif", 320, 200)),
              "<!-- Created by Mapwright -->\n"
              "<!-- Visit us at https://quillon.example/mapwright -->\n"
              "<!-- Beginning of CSIM -->\n"
              "<IMG SRC=\"photo.gif\" USEMAP=\"#photo.gif\" WIDTH=320 HEIGHT=200 BORDER=0>\n"
              "<MAP NAME=\"photo.gif\">\n"
              "</MAP>\n"
              "<!-- End of CSIM -->\n");
}

TEST(WriterSkeleton, AddedTagsGetLinesOfTheirOwnBeforeTheMapEnd)
{
    CLines lines = MakeSkeleton("photo.gif", 320, 200);
    ASSERT_TRUE(AddAreaTag(lines, "photo.gif", 0, "RECT", "10,20,110,80"));
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[5], "<AREA SHAPE=RECT COORDS=\"10,20,110,80\">");
    EXPECT_EQ(lines[6], "</MAP>");

    ASSERT_TRUE(AddAreaTag(lines, "PHOTO.GIF", 1, "CIRCLE", "5,6,7"));
    ASSERT_TRUE(AddAreaTag(lines, "photo.gif", 2, "POLY", ""));
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
    // The map's end shares a line with the MAP tag and with tags: the text before it stays.
    CLines lines{"<map name=m><area shape=rect coords=\"1,1,2,2\"></map> <!-- x -->"};
    ASSERT_TRUE(AddAreaTag(lines, "M", 1, "RECT", "3,3,4,4"));
    EXPECT_EQ(PageText(lines),
              "<map name=m><area shape=rect coords=\"1,1,2,2\">\n"
              "<AREA SHAPE=RECT COORDS=\"3,3,4,4\">\n"
              "</map> <!-- x -->\n");

    // An indented map end: the blank rest before it goes, the map end keeps no indentation.
    lines = {"<MAP NAME=\"m\">", "  </MAP>"};
    ASSERT_TRUE(AddAreaTag(lines, "m", 0, "RECT", "0,0,1,1"));
    EXPECT_EQ(PageText(lines), "<MAP NAME=\"m\">\n<AREA SHAPE=RECT COORDS=\"0,0,1,1\">\n</MAP>\n");

    // No map end at all: the tag goes after the last line.
    lines = {"<MAP NAME=\"m\">", "<AREA SHAPE=RECT COORDS=\"0,0,1,1\">"};
    ASSERT_TRUE(AddAreaTag(lines, "m", 1, "CIRCLE", "1,1,1"));
    EXPECT_EQ(lines.back(), "<AREA SHAPE=CIRCLE COORDS=\"1,1,1\">");
    EXPECT_EQ(lines.size(), 3u);
}

TEST(WriterSkeleton, AddChangesNothingWithoutTheMap)
{
    const CLines page = MakeSkeleton("photo.gif", 320, 200);
    CLines lines = page;
    EXPECT_FALSE(AddAreaTag(lines, "other.gif", 0, "RECT", "1,2,3,4"));
    EXPECT_EQ(lines, page);
    lines = {};
    EXPECT_FALSE(AddAreaTag(lines, "photo.gif", 0, "RECT", "1,2,3,4"));
    EXPECT_TRUE(lines.empty());
}
