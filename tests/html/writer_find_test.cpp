#include "html/testpage.h"
#include "html/mapwriter.h"

#include <gtest/gtest.h>

using namespace mapwright;
using namespace mapwright::testing;

namespace {

CTagPosition Pos(int startLine, int startCol, int endLine, int endCol)
{
    return {startLine, startCol, endLine, endCol};
}

const CTagPosition kNotFound = Pos(-1, -1, -2, -2);

}  // namespace

TEST(WriterFind, NumbersTagsInTextOrderAndEndsAtTheNextTagOrTheMapEnd)
{
    const CLines lines = MapPage({
        "<AREA SHAPE=RECT COORDS=\"1,2,3,4\">",
        "  <area shape=circle coords=\"5,5,5\"> <AREA SHAPE=POLY COORDS=\"1,1\">",
    });
    EXPECT_EQ(FindAreaTag(lines, "m", 0), Pos(-1, -1, 2, 0));
    EXPECT_EQ(FindAreaTag(lines, "m", 1), Pos(2, 1, 3, 2));
    EXPECT_EQ(FindAreaTag(lines, "m", 2), Pos(3, 3, 3, 37));
    EXPECT_EQ(FindAreaTag(lines, "m", 3), Pos(3, 38, 4, 0));
    // Fewer tags than asked for: the start of the last one, the end at the map end.
    EXPECT_EQ(FindAreaTag(lines, "m", 9), Pos(3, 38, 4, 0));
    EXPECT_EQ(FindAreaTag(MapPage({}), "m", 1), Pos(-1, -1, 2, 0));
}

TEST(WriterFind, FindsTheMapByItsNameInAnyLetterCase)
{
    const CLines lines{
        "<MAP NAME=\"other\"><AREA SHAPE=RECT COORDS=\"0,0,9,9\"></MAP>",
        "<map id=x",
        "  name=Photo.GIF><area shape=rect coords=\"1,1,2,2\">",
        "</map>",
    };
    EXPECT_EQ(FindAreaTag(lines, "PHOTO.GIF", 1), Pos(2, 18, 3, 0));
    EXPECT_EQ(FindAreaTag(lines, "OTHER", 1), Pos(0, 19, 0, 52));
    EXPECT_EQ(FindAreaTag(lines, "photo", 1), kNotFound);
    EXPECT_EQ(FindAreaTag(lines, "", 1), kNotFound);
    // A quoted name ends at '"' or '>', an unquoted one at a blank or '>'.
    EXPECT_EQ(FindAreaTag({"<MAP NAME= \"a b>", "<AREA>"}, "a b", 1), Pos(1, 1, 1, 6));
    EXPECT_EQ(FindAreaTag({"<MAP NAME=a\tb>", "<AREA>"}, "a", 1), Pos(1, 1, 1, 6));
    EXPECT_EQ(FindAreaTag({"<MAP NAME=\"\">", "<AREA>"}, "", 1), Pos(1, 1, 1, 6));
}

TEST(WriterFind, AreaAfterTheMapEndOnItsLineStillCounts)
{
    // On one line "<AREA" wins over "</MAP", as in the reader, so both number the tags alike.
    const CLines lines = MapPage({"<AREA HREF=a></MAP><AREA HREF=b>", "<AREA HREF=c>"});
    EXPECT_EQ(FindAreaTag(lines, "m", 2), Pos(2, 20, 3, 0));
    EXPECT_EQ(FindAreaTag(lines, "m", 3), Pos(3, 1, 4, 0));
    EXPECT_EQ(FindAreaTag({"<MAP NAME=m><AREA></MAP></MAP>"}, "m", 1), Pos(0, 13, 0, 18));
    // When the lines run out the end is the end of the last line.
    EXPECT_EQ(FindAreaTag({"<MAP NAME=m>", "<AREA SHAPE=RECT"}, "m", 1), Pos(1, 1, 1, 16));
}
