#include "html/testpage.h"
#include "support/areachecks.h"

#include <gtest/gtest.h>

using namespace mapwright;
using namespace mapwright::testing;

TEST(ReaderStructure, ReadsTheNamedMapTagByTagOverLines)
{
    const CLines lines{
        "<MAP NAME=\"other\"><AREA SHAPE=RECT HREF=\"no\"></MAP>",
        "<map",
        "name = Photo.gif NAME=x>",
        "<AREA SHAPE=CIRCLE HREF=one><area shape=rect href=two> <!-- -->",
        "<AREA SHAPE=POLY",
        "   COORDS=\"10,20,30,40\" HREF=\"three\"",
        "\tALT=\"A\"><!-- <AREA HREF=no> --></MAP><AREA HREF=four>",
        "</map>",
        "<AREA HREF=five>",
    };
    CAreaList areas;
    ParseMap(lines, "PHOTO.GIF", 100, 100, areas);
    EXPECT_EQ(Describe(areas), (CDescribed{"1C 0 0 0|one", "2R 0 0 0 0|two", "3P 10 20 30 40|three|A"}));
    EXPECT_EQ(areas.AreaCount(), 3);
    ParseMap(lines, "photo", 100, 100, areas);
    EXPECT_EQ(areas.AreaCount(), 0);
    EXPECT_TRUE(Describe(areas).empty());
}

TEST(ReaderStructure, OneTagIsReadAloneAsTheWholeReadingReadsItWithItsPlace)
{
    const CLines lines{
        "<map name=x>",
        "<AREA SHAPE=CIRCLE HREF=one><area shape=rect coords=\"1,2,3,4\"",
        "  href=two> <AREA SHAPE=POLY COORDS=\"5,6\" HREF=three></MAP>",
    };
    CAreaList areas;
    std::optional<CTagSpan> span = ReadAreaTag(lines, "x", 100, 100, 2, areas);
    ASSERT_TRUE(span);
    EXPECT_EQ(Describe(areas), (CDescribed{"1R 1 2 3 4|two"}));
    EXPECT_EQ(span->open, (CTextPos{1, 28}));
    EXPECT_EQ(span->end, (CTextPos{2, 11}));
    span = ReadAreaTag(lines, "x", 100, 100, 3, areas);
    ASSERT_TRUE(span);
    EXPECT_EQ(Describe(areas), (CDescribed{"1P 5 6|three"}));
    EXPECT_EQ(span->open, (CTextPos{2, 12}));
    // No fourth tag, no tag 0 and no map: nothing, and no area left from before.
    for (const auto& [n, name] : {std::pair{4, "x"}, std::pair{0, "x"}, std::pair{1, "y"}}) {
        EXPECT_FALSE(ReadAreaTag(lines, name, 100, 100, n, areas));
        EXPECT_EQ(areas.AreaCount(), 0);
    }
}

TEST(ReaderStructure, ATagOpenAtTheEndIsDroppedAndOneClosedThereIsRead)
{
    EXPECT_EQ(Describe(Parse({"<MAP NAME=m>", "<AREA HREF=a>", "<AREA HREF=b"})), (CDescribed{"1R 0 0 0 0|a"}));
    EXPECT_EQ(Describe(Parse({"<MAP NAME=m><AREA HREF=a><AREA SHAPE=POLY HREF=b>"})),
              (CDescribed{"1R 0 0 0 0|a", "2P 0 0|b"}));
    // A map end inside an open tag does not end the map.
    EXPECT_EQ(Describe(Parse({"<MAP NAME=m>", "<AREA HREF=a", "</MAP>", "<AREA HREF=b>"})),
              (CDescribed{"1R 0 0 0 0|a", "2R 0 0 0 0|b"}));
}

TEST(ReaderStructure, KeepsTheSelectedTagNumber)
{
    CAreaList areas = Parse(MapPage({"<AREA HREF=a>", "<AREA SHAPE=CIRCLE HREF=b>", "<AREA HREF=c>"}));
    EXPECT_EQ(areas.FirstSelected(), nullptr);
    areas.SelectArea(*Circles(areas)[0]);
    ParseMap(MapPage({"<AREA HREF=a>", "<AREA SHAPE=CIRCLE HREF=b2>"}), "m", 640, 480, areas);
    ASSERT_EQ(Circles(areas).size(), 1u);
    EXPECT_EQ(areas.SelectedAreas(), std::vector<CMapArea*>{Circles(areas)[0]});
    // The same number, now a rectangle, stays selected; a number that is gone selects nothing.
    ParseMap(MapPage({"<AREA HREF=a>", "<AREA HREF=b>"}), "m", 640, 480, areas);
    EXPECT_EQ(areas.SelectedAreas(), std::vector<CMapArea*>{Rects(areas).at(1)});
    ParseMap(MapPage({"<AREA HREF=a>"}), "m", 640, 480, areas);
    EXPECT_EQ(areas.GetSelectedIndex(), 0);
    EXPECT_EQ(areas.FirstSelected(), nullptr);
}
