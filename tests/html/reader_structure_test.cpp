#include "html/testpage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

using namespace mapwright;
using namespace mapwright::testing;

namespace {

std::vector<std::string> Hrefs(const CAreaLists& areas)
{
    std::vector<std::pair<int, std::string>> byIndex;
    for (const auto& a : areas.m_rectAreas)
        byIndex.emplace_back(a->m_nIndex, "r:" + a->m_strHref);
    for (const auto& a : areas.m_circleAreas)
        byIndex.emplace_back(a->m_nIndex, "c:" + a->m_strHref);
    for (const auto& a : areas.m_polyAreas)
        byIndex.emplace_back(a->m_nIndex, "p:" + a->m_strHref);
    std::sort(byIndex.begin(), byIndex.end());
    std::vector<std::string> hrefs;
    for (std::size_t i = 0; i < byIndex.size(); ++i) {
        EXPECT_EQ(byIndex[i].first, static_cast<int>(i) + 1);
        hrefs.push_back(byIndex[i].second);
    }
    return hrefs;
}

}  // namespace

TEST(ReaderStructure, ReadsOnlyTheNamedMapAndNumbersItsTagsAcrossKinds)
{
    const CLines lines{
        "<MAP NAME=\"other\"><AREA SHAPE=RECT HREF=\"no\"></MAP>",
        "<map",
        "name = x NAME=Photo.gif>",
        "<AREA SHAPE=CIRCLE HREF=one><area shape=rect href=two> <!-- -->",
        "<AREA SHAPE=POLY HREF=three></MAP><AREA HREF=four>",
        "</map>",
        "<AREA HREF=five>",
    };
    CAreaLists areas;
    ParseMap(lines, "PHOTO.GIF", 100, 100, areas);
    EXPECT_EQ(Hrefs(areas), (std::vector<std::string>{"c:one", "r:two", "p:three", "r:four"}));
    EXPECT_EQ(areas.m_nAreaCount, 4);

    ParseMap(lines, "photo", 100, 100, areas);
    EXPECT_EQ(areas.m_nAreaCount, 0);
    EXPECT_TRUE(areas.m_rectAreas.empty());
}

TEST(ReaderStructure, ATagMaySpanLines)
{
    const CAreaLists areas = Parse(MapPage({
        "<AREA SHAPE=CIRCLE",
        "   COORDS=\"10,20,30\" HREF=\"a.htm\"",
        "\tALT=\"A\" TARGET=main><AREA SHAPE=RECT HREF=\"b\"",
        ">",
    }));
    ASSERT_EQ(areas.m_circleAreas.size(), 1u);
    const CCircleArea& circle = First(areas.m_circleAreas);
    EXPECT_EQ((std::array{circle.x, circle.y, circle.radius}), (std::array{10, 20, 30}));
    EXPECT_EQ(circle.m_strHref, "a.htm");
    EXPECT_EQ(circle.m_strAlt, "A");
    EXPECT_EQ(circle.m_strTarget, "main");
    EXPECT_EQ(First(areas.m_rectAreas).m_strHref, "b");
    EXPECT_EQ(First(areas.m_rectAreas).m_nIndex, 2);
}

TEST(ReaderStructure, ATagOpenAtTheEndIsDroppedAndOneClosedThereIsRead)
{
    EXPECT_EQ(Hrefs(Parse({"<MAP NAME=m>", "<AREA HREF=a>", "<AREA HREF=b"})), (std::vector<std::string>{"r:a"}));
    EXPECT_EQ(Hrefs(Parse({"<MAP NAME=m><AREA HREF=a><AREA SHAPE=POLY HREF=b>"})),
              (std::vector<std::string>{"r:a", "p:b"}));
    // The map end inside an open tag does not stop it.
    EXPECT_EQ(Hrefs(Parse({"<MAP NAME=m>", "<AREA HREF=a", "</MAP>", "<AREA HREF=b>"})),
              (std::vector<std::string>{"r:a", "r:b"}));
}

TEST(ReaderStructure, KeepsTheSelectedTagNumber)
{
    const CLines lines = MapPage({"<AREA HREF=a>", "<AREA SHAPE=CIRCLE HREF=b>", "<AREA HREF=c>"});
    CAreaLists areas = Parse(lines);
    for (const auto& a : areas.m_rectAreas)
        EXPECT_EQ(a->m_nSelect, kNotSelected);
    areas.m_circleAreas[0]->SetSelected(kSelected);

    ParseMap(lines, "m", 640, 480, areas);
    ASSERT_EQ(areas.m_circleAreas.size(), 1u);
    EXPECT_EQ(areas.m_circleAreas[0]->m_nSelect, kSelected);
    EXPECT_EQ(areas.m_pSelCircle, areas.m_circleAreas[0].get());
    EXPECT_EQ(areas.m_pSelRect, nullptr);

    // The same number, now a rectangle, stays selected; a number that is gone selects nothing.
    const CLines swapped = MapPage({"<AREA HREF=a>", "<AREA HREF=b>"});
    ParseMap(swapped, "m", 640, 480, areas);
    EXPECT_EQ(areas.m_pSelCircle, nullptr);
    ASSERT_EQ(areas.m_pSelRect, areas.m_rectAreas[1].get());
    EXPECT_EQ(areas.m_rectAreas[0]->m_nSelect, kNotSelected);
    ParseMap(MapPage({"<AREA HREF=a>"}), "m", 640, 480, areas);
    EXPECT_EQ(areas.GetSelectedIndex(), 0);
    EXPECT_EQ(areas.m_pSelRect, nullptr);
}
