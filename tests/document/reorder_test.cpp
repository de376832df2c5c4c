// Reordering areas moves whole tags: every tag keeps its bytes, every byte around them stays,
// the list follows its tags and one undo step brings the text back.
#include "document/mapdocument.h"
#include "html/mapblock.h"
#include "html/mapreader.h"
#include "html/mapwriter.h"
#include "model/areagroup.h"
#include "support/openedpage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <regex>

using namespace mapwright;

namespace {

// The page's text with every AREA tag cut out, and the tags in text order.
std::pair<std::string, std::vector<std::string>> SplitTags(const CMapDocument& doc)
{
    std::vector<CTagSpan> spans;
    std::vector<std::string> tags;
    WalkAreaTags(doc.Lines(), doc.Page().strMapName, [&](int, const CStartTag& tag) {
        spans.push_back(tag.Span());
        tags.emplace_back(tag.Text());
        return true;
    });
    CLines rest = doc.Lines();
    for (std::size_t i = spans.size(); i-- > 0;)
        ReplaceSpan(rest, spans[i], "@");
    std::string text;
    for (const std::string& line : rest)
        text += line + '\n';
    return {text, tags};
}

// Tags over several lines, two on one line, and one in a comment that does not count.
const CLines kTangledPage = {
    "<html><body><img src=pic.gif usemap=#m>", "<map name=m>",
    "  <area shape=rect coords='1,1,20,20' href=a.htm>  <!-- <area href=no> -->",
    "<AREA SHAPE=CIRCLE", "      COORDS=\"50,50,10\" HREF=\"b.htm\" ALT=\"B\">",
    "\t<area shape=poly coords=\"5,60,40,60,20,90\" href=c.htm /><area href=d.htm coords=60,5,90,30>",
    "<area shape=rect coords=\"70,70,99,99\" href=\"e.htm\" alt='E'>", "</map></body></html>"};

}  // namespace

TEST(Reorder, RandomReordersMoveWholeTagsAndUndoBringsTheTextBack)
{
    const CLines& page = kTangledPage;
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        CMapDocument doc;
        doc.OpenLines(page, "m", 100, 100);
        const auto [around, tags] = SplitTags(doc);
        const int count = doc.AreaCount();
        ASSERT_EQ(count, 5);
        std::vector<int> order(static_cast<std::size_t>(count));
        std::iota(order.begin(), order.end(), 1);
        std::shuffle(order.begin(), order.end(), random);
        const int selected = std::uniform_int_distribution<int>(1, count)(random);
        const CMapArea* chosen = doc.AreaNumbered(selected);
        doc.SelectArea(*doc.AreaNumbered(selected));
        const std::string href = chosen->m_strHref;

        const bool moved = doc.ReorderAreas(order, nullptr);
        EXPECT_EQ(moved, !std::is_sorted(order.begin(), order.end()));
        const auto [aroundAfter, tagsAfter] = SplitTags(doc);
        EXPECT_EQ(aroundAfter, around);
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(tagsAfter[std::size_t(i)], tags[std::size_t(order[std::size_t(i)] - 1)]);
        // The list reads as the text, and the selection stayed with its area.
        CAreaList fresh;
        ParseMap(doc.Lines(), doc.Page().strMapName, doc.Picture().Width(), doc.Picture().Height(), fresh);
        for (int n = 1; n <= count; ++n)
            EXPECT_EQ(doc.AreaNumbered(n)->m_strHref, fresh.AreaNumbered(n)->m_strHref);
        ASSERT_NE(doc.FirstSelected(), nullptr);
        EXPECT_EQ(doc.FirstSelected()->m_strHref, href);

        if (moved) {
            doc.OnEditUndo();
            EXPECT_EQ(doc.Lines(), page);
        }
    }
}

TEST(Reorder, StackMovesGoToTheEndsOrOnePlaceAndStopThere)
{
    CMapDocument doc;
    OpenPage(doc);  // rectangle one.htm, circle two.htm, rectangle three.htm
    const auto hrefs = [&doc] {
        std::string text;
        for (const auto& area : doc.Areas())
            text += area->m_strHref + ' ';
        return text;
    };
    doc.SelectArea(*doc.AreaNumbered(3));
    EXPECT_FALSE(doc.OnUpdateStackMove(CMapDocument::EStackMove::kDown).bEnabled);
    EXPECT_TRUE(doc.MoveSelectedInStack(CMapDocument::EStackMove::kUp, nullptr));
    EXPECT_EQ(hrefs(), "one.htm three.htm two.htm ");
    EXPECT_TRUE(doc.MoveSelectedInStack(CMapDocument::EStackMove::kToTop, nullptr));
    EXPECT_EQ(hrefs(), "three.htm one.htm two.htm ");
    EXPECT_FALSE(doc.MoveSelectedInStack(CMapDocument::EStackMove::kUp, nullptr));
    EXPECT_TRUE(doc.MoveSelectedInStack(CMapDocument::EStackMove::kToBottom, nullptr));
    EXPECT_EQ(hrefs(), "one.htm two.htm three.htm ");
    EXPECT_EQ(doc.GetSelectedIndex(), 3);
    EXPECT_EQ(doc.UndoStepCount(), 4);
    EXPECT_EQ(doc.Lines(), kThreeAreaPage);  // back where it began, by three steps
}

namespace {

// A tag with its COORDS value (quoted or not) left out: what a move must not change.
std::string WithoutCoords(const std::string& tag)
{
    static const std::regex coords(R"((coords\s*=\s*)("[^"]*"|'[^']*'|[^\s>]+))", std::regex::icase);
    return std::regex_replace(tag, coords, "$1#");
}

}  // namespace

TEST(Reorder, RandomGroupEditsKeepEveryByteOutsideTheTagsAndAreUndoneAtOnce)
{
    const CLines& page = kTangledPage;
    std::mt19937 random(11);
    CMapDocument doc;
    doc.OpenLines(page, "m", 100, 100);
    for (int round = 0; round < 300; ++round) {
        const CLines before = doc.Lines();
        const auto [around, tags] = SplitTags(doc);
        std::vector<int> chosen;
        for (int n = 1; n <= doc.AreaCount(); ++n) {
            if (random() % 2)
                chosen.push_back(n);
        }
        if (chosen.empty())
            chosen.push_back(1 + int(random() % 5));
        doc.SelectNumbered(chosen);
        std::vector<std::string> hrefs;
        for (const CMapArea* area : doc.SelectedAreas())
            hrefs.push_back(area->m_strHref);

        const int kind = int(random() % 3);
        bool changed = false;
        if (kind == 0) {
            changed = doc.MoveSelectedInStack(CMapDocument::EStackMove(random() % 4), nullptr);
        } else if (kind == 1) {
            changed = doc.MoveAreasBefore(chosen, 1 + int(random() % 6), nullptr);
        } else {
            const int steps = doc.UndoStepCount();
            const std::vector<CMapArea*> selected = doc.SelectedAreas();
            MoveGroup(selected, int(random() % 41) - 20, int(random() % 41) - 20, 100, 100);
            std::vector<std::string> moved;
            for (const CMapArea* area : selected)
                moved.push_back(FormatCoords(*area));
            ASSERT_TRUE(doc.AreasChanged(selected, EEditSource::kCanvas, nullptr));
            changed = doc.UndoStepCount() > steps;
            for (std::size_t i = 0; i < selected.size(); ++i)
                EXPECT_EQ(FormatCoords(*doc.AreaNumbered(chosen[i])), moved[i]) << round;
        }
        const auto [aroundAfter, tagsAfter] = SplitTags(doc);
        EXPECT_EQ(aroundAfter, around) << round;
        if (kind == 2) {
            for (std::size_t i = 0; i < tags.size(); ++i)
                EXPECT_EQ(WithoutCoords(tagsAfter[i]), WithoutCoords(tags[i])) << round;
        } else {
            EXPECT_TRUE(std::is_permutation(tags.begin(), tags.end(), tagsAfter.begin())) << round;
        }
        // The list reads as the text, inside the picture, and the selection stayed with its areas.
        CAreaList fresh;
        ParseMap(doc.Lines(), doc.Page().strMapName, 100, 100, fresh);
        for (int n = 1; n <= doc.AreaCount(); ++n) {
            EXPECT_EQ(FormatCoords(*doc.AreaNumbered(n)), FormatCoords(*fresh.AreaNumbered(n))) << round;
            EXPECT_EQ(doc.AreaNumbered(n)->m_strHref, fresh.AreaNumbered(n)->m_strHref) << round;
        }
        std::vector<std::string> hrefsAfter;
        for (const CMapArea* area : doc.SelectedAreas())
            hrefsAfter.push_back(area->m_strHref);
        EXPECT_TRUE(std::is_permutation(hrefs.begin(), hrefs.end(), hrefsAfter.begin())) << round;
        // One undo step brings the text back; redo goes on from the edit.
        if (changed) {
            const CLines after = doc.Lines();
            doc.OnEditUndo();
            EXPECT_EQ(doc.Lines(), before) << round;
            doc.OnEditRedo();
            EXPECT_EQ(doc.Lines(), after) << round;
        }
    }
}
