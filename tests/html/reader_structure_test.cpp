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

TEST(ReaderStructure, ReadingAgainIntoAListThatHoldsAreasGivesWhatAFreshReadingGives)
{
    // Every value of every area, title and points included.
    const auto everything = [](const CAreaList& areas) {
        std::vector<std::string> all = Describe(areas);
        for (std::size_t i = 0; i < areas.Areas().size(); ++i) {
            const CMapArea& area = *areas.Areas()[i];
            all[i] += "|title " + area.m_strTitle + "|points";
            for (const CAreaPoint& p : area.m_points)
                all[i] += ' ' + std::to_string(p.x) + ',' + std::to_string(p.y) + ',' + std::to_string(p.m_nCode);
        }
        return all;
    };
    const std::string longText(40, 'x');  // beyond what a string keeps without the heap
    const std::vector<CLines> pages = {
        MapPage({"<AREA SHAPE=RECT COORDS=\"1,2,30,40\" HREF=\"" + longText + "\" ALT=a TITLE=\"" + longText + "\">",
                 "<AREA SHAPE=CIRCLE COORDS=\"50,60,7\" HREF=c OnMouseOver=\"window.status='over'\">",
                 "<AREA SHAPE=POLY COORDS=\"1,1,9,1,9,9,5,12,1,9\" TARGET=_top>"}),
        // The same shapes with other values: fewer vertices, texts gone.
        MapPage({"<AREA SHAPE=RECT COORDS=\"5,6,7,8\">", "<AREA SHAPE=CIRCLE COORDS=\"9,9,3\" HREF=d>",
                 "<AREA SHAPE=POLY COORDS=\"2,2,4,2,3,5\">"}),
        // Other shapes at each place, and more areas than before.
        MapPage({"<AREA SHAPE=POLY COORDS=\"0,0,10,0,5,5\" ALT=\"" + longText + "\">",
                 "<AREA SHAPE=RECT COORDS=\"3,3,4,4\">", "<AREA SHAPE=CIRCLE COORDS=\"20,20,5\">",
                 "<AREA HREF=e>", "<AREA SHAPE=CIRCLE COORDS=\"1,1,1\" TITLE=t>"}),
        MapPage({"<AREA SHAPE=CIRCLE COORDS=\"30,30,9\">"}),
        MapPage({}),
        MapPage({"<AREA SHAPE=RECT COORDS=\"1,1,2,2\" TITLE=again>"}),
    };
    CAreaList kept;
    CAreaList keptWithLayout;
    std::optional<CMapLayout> layout;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        ParseMap(pages[i], "m", 640, 480, kept);
        ParseMap(pages[i], "m", 640, 480, 0, keptWithLayout, layout);
        const CAreaList fresh = Parse(pages[i]);
        EXPECT_EQ(everything(kept), everything(fresh)) << "page " << i;
        EXPECT_EQ(everything(keptWithLayout), everything(fresh)) << "page " << i;
    }
}
