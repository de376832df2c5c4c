#include "html/testpage.h"
#include "html/mapwriter.h"

#include <gtest/gtest.h>

using namespace mapwright;
using namespace mapwright::testing;

TEST(WriterDelete, RemovesTheTagWithItsBlanksAndTheLinesItEmpties)
{
    CLines lines = MakeSkeleton("photo.gif", 320, 200);
    ASSERT_TRUE(AddAreaTag(lines, "photo.gif", "RECT", "10,20,110,80"));
    ASSERT_TRUE(DeleteAreaTag(lines, "photo.gif", 1));
    EXPECT_EQ(lines, MakeSkeleton("photo.gif", 320, 200));

    lines = MapPage({"  <AREA HREF=a> <AREA HREF=b>\t<AREA HREF=c>"});
    ASSERT_TRUE(DeleteAreaTag(lines, "m", 2));
    EXPECT_EQ(lines[2], "  <AREA HREF=a> <AREA HREF=c>");
    ASSERT_TRUE(DeleteAreaTag(lines, "m", 2));
    EXPECT_EQ(lines[2], "  <AREA HREF=a>");
    ASSERT_TRUE(DeleteAreaTag(lines, "m", 1));
    EXPECT_EQ(PageText(lines), PageText(MapPage({})));

    lines = MapPage({"<!-- a --> <AREA SHAPE=RECT", "  COORDS=\"1,2,3,4\"", " HREF=x.htm> tail", "    <area href=next />"});
    ASSERT_TRUE(DeleteAreaTag(lines, "m", 1));
    EXPECT_EQ(PageText(lines), PageText(MapPage({"<!-- a --> tail", "    <area href=next />"})));
    ASSERT_TRUE(DeleteAreaTag(lines, "m", 1));
    EXPECT_EQ(PageText(lines), PageText(MapPage({"<!-- a --> tail"})));
}

TEST(WriterDelete, ATagNumberThatIsNotThereChangesNothing)
{
    const CLines page = MapPage({"<AREA HREF=a>", "<AREA HREF=b>"});
    CLines lines = page;
    for (const int n : {3, 0, -1})
        EXPECT_FALSE(DeleteAreaTag(lines, "m", n)) << n;
    EXPECT_FALSE(DeleteAreaTag(lines, "x", 1));
    EXPECT_EQ(lines, page);
}

TEST(WriterDelete, AfterDeletingTagTwoTheFormerThirdIsTagTwo)
{
    CLines lines = MapPage({"<AREA SHAPE=RECT COORDS=\"1,1,2,2\" HREF=\"one\">",
                            "<AREA SHAPE=CIRCLE COORDS=\"5,5,5\" HREF=\"two\">",
                            "<AREA SHAPE=POLY COORDS=\"1,1,4,4\" HREF=\"three\">"});
    ASSERT_TRUE(DeleteAreaTag(lines, "m", 2));
    EXPECT_EQ(Describe(Parse(lines)), (CDescribed{"1R 1 1 2 2|one", "2P 1 1 4 4|three"}));
    EXPECT_EQ(FindAreaTag(lines, "m", 2), (CTagSpan{{3, 0}, {3, 47}}));
}
