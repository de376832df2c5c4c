#include "document/mapcheck.h"
#include "document/mapdocument.h"
#include "html/mapreader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>

using namespace mapwright;

namespace {

constexpr std::string_view kImg = R"(<IMG SRC="p.gif" USEMAP="#m" ALT="Harbour">)";

CLines Page(std::string_view img, const std::vector<std::string>& areaTags)
{
    CLines lines{"<body>", std::string(img), "<MAP NAME=\"m\">"};
    lines.insert(lines.end(), areaTags.begin(), areaTags.end());
    lines.push_back("</MAP></body>");
    return lines;
}

std::vector<CFinding> Check(const CLines& lines, int width = 400, int height = 300)
{
    CAreaList areas;
    ParseMap(lines, "M", width, height, areas);
    return CheckMap(lines, "M", areas, width, height);
}

std::string Rect(int l, int t, int r, int b, std::string_view rest = R"(HREF="a.htm" ALT="Alpha")")
{
    return "<AREA SHAPE=RECT COORDS=\"" + std::to_string(l) + "," + std::to_string(t) + "," + std::to_string(r) + "," +
           std::to_string(b) + "\" " + std::string(rest) + ">";
}

struct CRuleCase {
    const char* name;
    ECheckRule rule;
    std::string_view img;
    std::vector<std::string> areas;
    int triggeredOn;  // the area the finding names, -1 when it must not be found, 0 for the page
};

std::vector<CRuleCase> RuleCases()
{
    const std::string big = Rect(0, 0, 100, 100);
    return {
        {"alt missing", ECheckRule::kAreaAlt, kImg, {Rect(0, 0, 50, 50, R"(HREF="a.htm")")}, 1},
        {"alt blanks", ECheckRule::kAreaAlt, kImg, {big, Rect(200, 0, 250, 50, R"(HREF="b.htm" ALT="  ")")}, 2},
        {"alt not needed with nohref", ECheckRule::kAreaAlt, kImg, {Rect(0, 0, 50, 50, "NOHREF")}, -1},
        {"alt of one letter", ECheckRule::kAreaAlt, kImg, {Rect(0, 0, 50, 50, R"(HREF="a.htm" ALT="A")")}, -1},
        {"img without alt", ECheckRule::kImgAlt, R"(<IMG SRC="p.gif" USEMAP="#m">)", {big}, 0},
        {"img with empty alt", ECheckRule::kImgAlt, R"(<IMG SRC="p.gif" USEMAP="#m" ALT="">)", {big}, -1},
        {"usemap elsewhere", ECheckRule::kMapUnused, R"(<IMG SRC="p.gif" USEMAP="#other" ALT="x">)", {big}, 0},
        {"usemap in other case", ECheckRule::kMapUnused, R"(<IMG SRC="p.gif" USEMAP=" #M " ALT="x">)", {big}, -1},
        {"rect under rect", ECheckRule::kAreaHidden, kImg, {big, Rect(10, 10, 90, 90, R"(HREF="b.htm" ALT="Beta")")}, 2},
        {"rect under two rects", ECheckRule::kAreaHidden, kImg,
         {Rect(0, 0, 50, 100), Rect(51, 0, 100, 100, R"(HREF="b.htm" ALT="Beta")"),
          Rect(20, 20, 80, 80, R"(HREF="c.htm" ALT="Gamma")")}, 3},
        {"circle under rect", ECheckRule::kAreaHidden, kImg,
         {big, R"(<AREA SHAPE=CIRCLE COORDS="50,50,30" HREF="b.htm" ALT="Beta">)"}, 2},
        {"overlapping, not covering", ECheckRule::kAreaHidden, kImg,
         {big, Rect(50, 50, 150, 150, R"(HREF="b.htm" ALT="Beta")")}, -1},
        {"rect beside two rects with a gap", ECheckRule::kAreaHidden, kImg,
         {Rect(0, 0, 49, 100), Rect(51, 0, 100, 100, R"(HREF="b.htm" ALT="Beta")"),
          Rect(20, 20, 80, 80, R"(HREF="c.htm" ALT="Gamma")")}, -1},
        {"rect inside circle", ECheckRule::kAreaHidden, kImg,
         {R"(<AREA SHAPE=CIRCLE COORDS="50,50,50" HREF="b.htm" ALT="Beta">)", Rect(40, 40, 60, 60)}, 2},
        {"rect in circle's corner", ECheckRule::kAreaHidden, kImg,
         {R"(<AREA SHAPE=CIRCLE COORDS="50,50,50" HREF="b.htm" ALT="Beta">)", Rect(0, 0, 30, 30)}, -1},
        {"beyond the picture", ECheckRule::kAreaOutside, kImg, {Rect(500, 400, 600, 500)}, 1},
        {"no size", ECheckRule::kAreaOutside, kImg, {Rect(10, 10, 10, 80)}, 1},
        {"poly of two points", ECheckRule::kAreaOutside, kImg,
         {R"(<AREA SHAPE=POLY COORDS="1,1,80,80" HREF="a.htm" ALT="Alpha">)"}, 1},
        {"partly outside", ECheckRule::kAreaOutside, kImg, {Rect(350, 250, 600, 500)}, -1},
        {"empty link", ECheckRule::kHrefEmpty, kImg, {Rect(0, 0, 50, 50, R"(HREF="" ALT="Alpha")")}, 1},
        {"hash link", ECheckRule::kHrefEmpty, kImg, {Rect(0, 0, 50, 50, R"(HREF=" # " ALT="Alpha")")}, 1},
        {"hash with nohref", ECheckRule::kHrefEmpty, kImg, {Rect(0, 0, 50, 50, R"(HREF="#" NOHREF ALT="Alpha")")}, -1},
        {"vague words", ECheckRule::kAltVague, kImg, {Rect(0, 0, 50, 50, R"(HREF="a.htm" ALT=" Click HERE ")")}, 1},
        {"file name", ECheckRule::kAltVague, kImg, {Rect(0, 0, 50, 50, R"(HREF="a.htm" ALT="Berth7.JPEG")")}, 1},
        {"vague word inside a text", ECheckRule::kAltVague, kImg,
         {Rect(0, 0, 50, 50, R"(HREF="a.htm" ALT="More about the pier")")}, -1},
        {"same text, other link", ECheckRule::kAltDuplicate, kImg,
         {big, Rect(200, 0, 250, 50, R"(HREF="b.htm" ALT=" alpha")")}, 2},
        {"same text, same link", ECheckRule::kAltDuplicate, kImg,
         {big, Rect(200, 0, 250, 50, R"(HREF="a.htm" ALT="ALPHA")")}, -1},
        {"23 pixels wide", ECheckRule::kTargetSmall, kImg, {Rect(0, 0, 23, 50)}, 1},
        {"24 x 24", ECheckRule::kTargetSmall, kImg, {Rect(0, 0, 24, 24)}, -1},
        {"shown at half size", ECheckRule::kTargetSmall, R"(<IMG SRC="p.gif" USEMAP="#m" ALT="x" WIDTH=200>)",
         {Rect(0, 0, 40, 40)}, 1},
        {"shown at double size", ECheckRule::kTargetSmall,
         R"(<IMG SRC="p.gif" USEMAP="#m" ALT="x" WIDTH=800 HEIGHT=600>)", {Rect(0, 0, 12, 12)}, -1},
        {"status text", ECheckRule::kStatusText, kImg,
         {Rect(0, 0, 50, 50, R"(HREF="a.htm" ALT="Alpha" ONMOUSEOVER="window.status='Hi'; return true")")}, 1},
        {"no status text", ECheckRule::kStatusText, kImg, {big}, -1},
        {"right before left", ECheckRule::kReadingOrder, kImg,
         {Rect(200, 0, 250, 50, R"(HREF="b.htm" ALT="Beta")"), Rect(0, 10, 50, 60)}, 2},
        {"lower one first", ECheckRule::kReadingOrder, kImg,
         {Rect(0, 200, 50, 250, R"(HREF="b.htm" ALT="Beta")"), Rect(100, 0, 150, 50)}, 2},
        {"row of uneven boxes", ECheckRule::kReadingOrder, kImg,
         {Rect(0, 40, 50, 90), Rect(100, 0, 150, 50, R"(HREF="b.htm" ALT="Beta")"),
          Rect(0, 200, 50, 250, R"(HREF="c.htm" ALT="Gamma")")}, -1},
    };
}

TEST(MapCheck, EachRuleFindsItsFaultAndNotTheNearMiss)
{
    for (const CRuleCase& test : RuleCases()) {
        const std::vector<CFinding> findings = Check(Page(test.img, test.areas));
        const auto found = std::find_if(findings.begin(), findings.end(),
                                        [&](const CFinding& f) { return f.rule == test.rule; });
        if (test.triggeredOn < 0) {
            EXPECT_EQ(found, findings.end()) << test.name << ": " << FindingMessage(*found);
            continue;
        }
        ASSERT_NE(found, findings.end()) << test.name;
        EXPECT_EQ(found->nArea, test.triggeredOn) << test.name;
        // The IMG stands on line 2, the MAP on line 3, area n on line 3 + n.
        const int line = test.triggeredOn ? 3 + test.triggeredOn : test.rule == ECheckRule::kMapUnused ? 3 : 2;
        EXPECT_EQ(found->nLine, line) << test.name;
        EXPECT_FALSE(FindingMessage(*found).empty());
    }
}

TEST(MapCheck, FindingsComeInAreaOrderThenByRule)
{
    const CLines lines = Page(R"(<IMG SRC="p.gif" USEMAP="#m">)",
                              {Rect(200, 0, 210, 10, R"(HREF="#")"), Rect(0, 0, 100, 100, R"(HREF="a.htm" ALT="here")")});
    std::vector<std::string> got;
    for (const CFinding& f : Check(lines))
        got.push_back(std::to_string(f.nArea) + " " + std::string(RuleId(f.rule)));
    EXPECT_EQ(got, (std::vector<std::string>{"0 img-alt", "1 area-alt", "1 href-empty", "1 target-small",
                                             "2 alt-vague", "2 reading-order"}));
    EXPECT_EQ(SeverityName(RuleSeverity(ECheckRule::kAreaAlt)), "error");
    EXPECT_EQ(RuleWcag(ECheckRule::kTargetSmall), "2.5.8");
    EXPECT_EQ(RuleWcag(ECheckRule::kAreaHidden), "");
}

// The boxes, cells and rows behind the hidden-area answer agree with asking every pixel.
TEST(MapCheck, HiddenAgreesWithAPixelCount)
{
    std::mt19937 random(7);
    for (int round = 0; round < 600; ++round) {
        std::vector<std::string> tags;
        const int count = 2 + int(random() % 5);
        for (int i = 0; i < count; ++i) {
            const int l = int(random() % 30), t = int(random() % 30), w = 1 + int(random() % 25),
                      h = 1 + int(random() % 25);
            const std::string link = R"(" HREF="a.htm" ALT="Alpha">)";
            switch (random() % 3) {
            case 0: tags.push_back(Rect(l, t, l + w, t + h)); break;
            case 1:
                tags.push_back("<AREA SHAPE=CIRCLE COORDS=\"" + std::to_string(l + 12) + "," + std::to_string(t + 12) +
                               "," + std::to_string(1 + w / 2) + link);
                break;
            default:
                tags.push_back("<AREA SHAPE=POLY COORDS=\"" + std::to_string(l) + "," + std::to_string(t) + "," +
                               std::to_string(l + w) + "," + std::to_string(t + 2) + "," + std::to_string(l + 3) + "," +
                               std::to_string(t + h) + link);
            }
        }
        const CLines lines = Page(kImg, tags);
        CAreaList areas;
        ParseMap(lines, "M", 400, 300, areas);
        const std::vector<CFinding> findings = CheckMap(lines, "M", areas, 400, 300);
        auto reported = [&](ECheckRule rule, int n) {
            return std::any_of(findings.begin(), findings.end(),
                               [&](const CFinding& f) { return f.rule == rule && f.nArea == n; });
        };
        for (int n = 1; n <= count; ++n) {
            bool pixels = false;
            for (int y = 0; y < 60; ++y) {
                for (int x = 0; x < 60; ++x)
                    pixels = pixels || areas.AreaNumbered(n)->HitTest(x, y);
            }
            ASSERT_EQ(reported(ECheckRule::kAreaOutside, n), !pixels) << "round " << round << " area " << n;
            if (!pixels)
                continue;
            bool free = false;
            for (int y = 0; y < 60 && !free; ++y) {
                for (int x = 0; x < 60 && !free; ++x) {
                    if (!areas.AreaNumbered(n)->HitTest(x, y))
                        continue;
                    free = true;
                    for (int k = 1; k < n && free; ++k)
                        free = !areas.AreaNumbered(k)->HitTest(x, y);
                }
            }
            ASSERT_EQ(reported(ECheckRule::kAreaHidden, n), !free) << "round " << round << " area " << n;
        }
    }
}

TEST(MapCheck, ReadingOrderGroupsOverlappingBoxesIntoRows)
{
    const CLines lines = Page(kImg, {Rect(300, 100, 350, 150), Rect(0, 0, 50, 50), Rect(100, 30, 150, 80),
                                     Rect(0, 120, 50, 140)});
    CAreaList areas;
    ParseMap(lines, "M", 400, 300, areas);
    EXPECT_EQ(ReadingOrder(areas), (std::vector<int>{2, 3, 4, 1}));
}

}  // namespace

namespace {

TEST(MapCheckFixes, SortingMovesWholeTagsAsOneStepAndUndoes)
{
    const CLines page = {"<IMG SRC=\"p.gif\" USEMAP=\"#m\" ALT=\"x\">", "<MAP NAME=\"m\">",
                         "  <area shape=rect coords='200,0,250,50' href=b.htm alt=B> <!-- b -->",
                         "  <AREA SHAPE=RECT", "    COORDS=\"0,100,50,150\" HREF=\"c.htm\" ALT=\"C\">",
                         "  <AREA SHAPE=RECT COORDS=\"0,0,50,50\" HREF=\"a.htm\" ALT=\"A\"><AREA NOHREF COORDS=\"300,300,310,310\">",
                         "</MAP>"};
    CMapDocument doc;
    doc.OpenLines(page, "M", 400, 400);
    ASSERT_TRUE(SortAreasInReadingOrder(doc));
    EXPECT_EQ(doc.Lines(), (CLines{page[0], page[1], "  <AREA SHAPE=RECT COORDS=\"0,0,50,50\" HREF=\"a.htm\" ALT=\"A\"> <!-- b -->",
                                   "  <area shape=rect coords='200,0,250,50' href=b.htm alt=B>",
                                   "  <AREA SHAPE=RECT", "    COORDS=\"0,100,50,150\" HREF=\"c.htm\" ALT=\"C\"><AREA NOHREF COORDS=\"300,300,310,310\">",
                                   "</MAP>"}));
    EXPECT_EQ(ReadingOrder(doc), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(doc.UndoStepCount(), 2);
    EXPECT_FALSE(SortAreasInReadingOrder(doc));
    doc.OnEditUndo();
    EXPECT_EQ(doc.Lines(), page);
}

TEST(MapCheckFixes, StatusTextBecomesTheTitle)
{
    const CLines page = {"<IMG SRC=\"p.gif\" USEMAP=\"#m\" ALT=\"x\">", "<MAP NAME=\"m\">",
                         "<AREA SHAPE=RECT COORDS=\"0,0,50,50\" HREF=\"a.htm\" ALT=\"A\" "
                         "OnMouseOut=\"window.status='Out'; return true\">",
                         "<AREA SHAPE=RECT COORDS=\"60,0,90,50\" HREF=\"b.htm\" ALT=\"B\">", "</MAP>"};
    CMapDocument doc;
    doc.OpenLines(page, "M", 400, 400);
    EXPECT_FALSE(CopyStatusTextToTitle(doc, 2));
    ASSERT_TRUE(CopyStatusTextToTitle(doc, 1));
    EXPECT_EQ(doc.Lines()[2], "<AREA SHAPE=RECT COORDS=\"0,0,50,50\" HREF=\"a.htm\" ALT=\"A\" TITLE=\"Out\" "
                              "OnMouseOut=\"window.status='Out'; return true\">");
    EXPECT_EQ(doc.UndoStepCount(), 2);
    EXPECT_FALSE(CopyStatusTextToTitle(doc, 1));
}

}  // namespace
