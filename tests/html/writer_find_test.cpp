#include "html/testpage.h"
#include "html/mapwriter.h"

#include <gtest/gtest.h>

using namespace mapwright;
using namespace mapwright::testing;

namespace {

std::optional<CTagSpan> Span(int openLine, std::size_t openCol, int endLine, std::size_t endCol)
{
    return CTagSpan{{openLine, openCol}, {endLine, endCol}};
}

}  // namespace

TEST(WriterFind, NumbersTagsInTextOrderFromTheirLessThanToAfterTheirGreaterThan)
{
    const CLines lines = MapPage({
        "<AREA SHAPE=RECT COORDS=\"1,2,3,4\">",
        "  <area shape=circle alt=\"a > b\"> <!-- <AREA> --> <AREA SHAPE=POLY",
        "  COORDS=\"1,1\">",
    });
    EXPECT_EQ(FindAreaTag(lines, "m", 1), Span(2, 0, 2, 34));
    EXPECT_EQ(FindAreaTag(lines, "m", 2), Span(3, 2, 3, 33));
    EXPECT_EQ(FindAreaTag(lines, "m", 3), Span(3, 50, 4, 15));
    for (const int n : {0, 4, -1})
        EXPECT_EQ(FindAreaTag(lines, "m", n), std::nullopt) << n;
}

TEST(WriterFind, FindsTheMapByItsNameInAnyLetterCaseAndQuoting)
{
    const CLines lines{
        "<MAP NAME=\"other\"><AREA SHAPE=RECT COORDS=\"0,0,9,9\"></MAP>",
        "<!-- <map name=Photo.gif><area></map> -->",
        "<map id=x",
        "  name='Photo.GIF'><area shape=rect coords=\"1,1,2,2\">",
        "</map>",
    };
    EXPECT_EQ(FindAreaTag(lines, "PHOTO.GIF", 1), Span(3, 19, 3, 53));
    EXPECT_EQ(FindAreaTag(lines, "OTHER", 1), Span(0, 18, 0, 52));
    EXPECT_EQ(FindAreaTag(lines, "photo", 1), std::nullopt);
    EXPECT_EQ(FindAreaTag(lines, "", 1), std::nullopt);
    EXPECT_EQ(FindAreaTag({"<MAP NAME= \"a b\">", "<AREA>"}, "a b", 1), Span(1, 0, 1, 6));
    EXPECT_EQ(FindAreaTag({"<MAPX NAME=a>", "<AREA>"}, "a", 1), std::nullopt);
}

TEST(WriterFind, TheMapEndsAtItsEndTagAndATagOpenAtTheEndIsNone)
{
    const CLines lines = MapPage({"<AREA HREF=a></MAP><AREA HREF=b>", "<AREA HREF=c>"});
    EXPECT_EQ(FindAreaTag(lines, "m", 1), Span(2, 0, 2, 13));
    EXPECT_EQ(FindAreaTag(lines, "m", 2), std::nullopt);
    EXPECT_EQ(FindAreaTag({"<MAP NAME=m>", "<AREA SHAPE=RECT"}, "m", 1), std::nullopt);
    EXPECT_EQ(FindAreaTag({"<MAP NAME=m>", "<AREA ALT=\">", "\">"}, "m", 1), Span(1, 0, 2, 2));
}
