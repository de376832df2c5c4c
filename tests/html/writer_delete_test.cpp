#include "html/testpage.h"
#include "html/mapreader.h"
#include "html/mapwriter.h"

#include <gtest/gtest.h>

using namespace mapwright;
using namespace mapwright::testing;

TEST(WriterDelete, TheOnlyTagTakesItsLineWithIt)
{
    CLines lines = MakeSkeleton("photo.gif", 320, 200);
    ASSERT_TRUE(AddAreaTag(lines, "photo.gif", 0, "RECT", "10,20,110,80"));
    ASSERT_TRUE(DeleteAreaTag(lines, "photo.gif", 1));
    EXPECT_EQ(lines, MakeSkeleton("photo.gif", 320, 200));
}

TEST(WriterDelete, TagsSharingALineLeaveTheOthersInPlace)
{
    CLines lines = MapPage({"<AREA HREF=a> <AREA HREF=b>\t<AREA HREF=c>"});
    ASSERT_TRUE(DeleteAreaTag(lines, "m", 2));
    EXPECT_EQ(lines[2], "<AREA HREF=a> <AREA HREF=c>");
    ASSERT_TRUE(DeleteAreaTag(lines, "m", 2));
    EXPECT_EQ(lines[2], "<AREA HREF=a> ");
    ASSERT_TRUE(DeleteAreaTag(lines, "m", 1));
    EXPECT_EQ(PageText(lines), PageText(MapPage({})));
}

TEST(WriterDelete, TagOverSeveralLinesRemovesTheLinesItEmpties)
{
    CLines lines = MapPage({
        "<!-- a --> <AREA SHAPE=RECT",
        "  COORDS=\"1,2,3,4\"",
        " HREF=x.htm> tail",
        "<AREA HREF=next>",
    });
    ASSERT_TRUE(DeleteAreaTag(lines, "m", 1));
    // The text that followed the tag up to the next one goes with it.
    EXPECT_EQ(PageText(lines), PageText(MapPage({"<!-- a --> ", "<AREA HREF=next>"})));

    lines = MapPage({"<AREA SHAPE=RECT", "HREF=x>", "</MAP> <!-- b -->"});
    lines.pop_back();
    ASSERT_TRUE(DeleteAreaTag(lines, "m", 1));
    EXPECT_EQ(PageText(lines), "<IMG SRC=\"a.gif\" USEMAP=\"#m\">\n<MAP NAME=\"m\">\n</MAP> <!-- b -->\n");
}

TEST(WriterDelete, ATagNumberThatIsNotThereChangesNothing)
{
    // Tag 3 of two must not be taken for the last tag.
    const CLines page = MapPage({"<AREA HREF=a>", "<AREA HREF=b>"});
    CLines lines = page;
    EXPECT_FALSE(DeleteAreaTag(lines, "m", 3));
    EXPECT_FALSE(DeleteAreaTag(lines, "m", 0));
    EXPECT_FALSE(DeleteAreaTag(lines, "m", -1));
    EXPECT_FALSE(DeleteAreaTag(lines, "x", 1));
    EXPECT_EQ(lines, page);
}

TEST(WriterDelete, AfterDeletingTagTwoTheFormerThirdIsTagTwo)
{
    CLines lines = MapPage({
        "<AREA SHAPE=RECT COORDS=\"1,1,2,2\" HREF=\"one\">",
        "<AREA SHAPE=CIRCLE COORDS=\"5,5,5\" HREF=\"two\">",
        "<AREA SHAPE=POLY COORDS=\"1,1,4,4,1,4\" HREF=\"three\">",
    });
    ASSERT_TRUE(DeleteAreaTag(lines, "m", 2));
    const CAreaLists areas = Parse(lines);
    ASSERT_EQ(areas.m_nAreaCount, 2);
    EXPECT_EQ(First(areas.m_polyAreas).m_nIndex, 2);
    EXPECT_EQ(First(areas.m_polyAreas).m_strHref, "three");
    EXPECT_TRUE(areas.m_circleAreas.empty());
    const CTagPosition second = FindAreaTag(lines, "m", 2);
    EXPECT_EQ(lines[second.nStartLine].substr(second.nStartCol - 1, 17), "<AREA SHAPE=POLY ");
}
