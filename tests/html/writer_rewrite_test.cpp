#include "html/testpage.h"
#include "html/mapwriter.h"

#include <gtest/gtest.h>

using namespace mapwright;
using namespace mapwright::testing;

namespace {

struct CTexts {
    std::string href{}, alt{}, over{}, out{}, target{};
};

bool Rewrite(CLines& lines, int n, std::string_view coords, const CTexts& texts = {},
             std::string_view keyword = "RECT")
{
    return RewriteAreaTag(lines, "m", n, texts.href, texts.alt, coords, texts.over, texts.out, keyword,
                          texts.target);
}

}  // namespace

TEST(WriterRewrite, WritesTheAttributesInTheirOrder)
{
    CLines lines = MapPage({"<AREA SHAPE=RECT COORDS=\"0,0,1,1\">"});
    ASSERT_TRUE(Rewrite(lines, 1, "10,20,110,80", {"a.htm", "Home", "Go home", "Bye", "main"}));
    EXPECT_EQ(lines[2], "<AREA SHAPE=RECT COORDS=\"10,20,110,80\" HREF=\"a.htm\" TARGET=\"main\" ALT=\"Home\" "
                        "OnMouseOver=\"window.status='Go home'; return true\" "
                        "OnMouseOut=\"window.status='Bye'; return true\">");
    // Empty texts leave their attributes out: clearing the link removes HREF.
    ASSERT_TRUE(Rewrite(lines, 1, "5,6,7", {"", "Home"}, "CIRCLE"));
    EXPECT_EQ(lines[2], "<AREA SHAPE=CIRCLE COORDS=\"5,6,7\" ALT=\"Home\">");
    ASSERT_TRUE(Rewrite(lines, 1, "", {}, "POLY"));
    EXPECT_EQ(PageText(lines), PageText(MapPage({"<AREA SHAPE=POLY COORDS=\"\">"})));
}

TEST(WriterRewrite, KeepsTheTagNameCaseAndTheOtherAttributes)
{
    CLines lines = MapPage({"<area shape=rect coords=\"1,2,3,4\" href=\"x.htm\" nohref id=a>"});
    ASSERT_TRUE(Rewrite(lines, 1, "11,12,13,14", {"x.htm"}));
    EXPECT_EQ(lines[2], "<area SHAPE=RECT COORDS=\"11,12,13,14\" HREF=\"x.htm\" nohref id=a>");
    // A script that is no status text is written back as one.
    lines = MapPage({"<AREA SHAPE=RECT onmouseover=\"showTip(3)\" title='t'>"});
    ASSERT_TRUE(Rewrite(lines, 1, "1,1,2,2", {"", "", "showTip(3)"}));
    EXPECT_EQ(lines[2], "<AREA SHAPE=RECT COORDS=\"1,1,2,2\" OnMouseOver=\"window.status='showTip(3)'; "
                        "return true\" title='t'>");
}

TEST(WriterRewrite, TwoTagsOnOneLine)
{
    const CLines page = MapPage({"<AREA HREF=\"a\"><AREA HREF=\"b\">"});
    CLines lines = page;
    ASSERT_TRUE(Rewrite(lines, 2, "1,1,2,2", {"B"}));
    EXPECT_EQ(PageText(lines),
              PageText(MapPage({"<AREA HREF=\"a\"><AREA SHAPE=RECT COORDS=\"1,1,2,2\" HREF=\"B\">"})));
    lines = page;
    ASSERT_TRUE(Rewrite(lines, 1, "1,1,2,2", {"A"}));
    EXPECT_EQ(PageText(lines),
              PageText(MapPage({"<AREA SHAPE=RECT COORDS=\"1,1,2,2\" HREF=\"A\">", "<AREA HREF=\"b\">"})));
}

TEST(WriterRewrite, ATagOverSeveralLinesBecomesOneLineWithWhatFollowedIt)
{
    CLines lines = MapPage({
        "<!-- before --><AREA SHAPE=CIRCLE",
        "\tCOORDS=\"1,2,3\" id=c",
        "  HREF=\"old\"> <!-- after -->",
        "<AREA HREF=next>",
    });
    ASSERT_TRUE(Rewrite(lines, 1, "4,5,6", {"new"}, "CIRCLE"));
    EXPECT_EQ(PageText(lines),
              PageText(MapPage({"<!-- before --><AREA SHAPE=CIRCLE COORDS=\"4,5,6\" HREF=\"new\" id=c "
                                "> <!-- after -->",
                                "<AREA HREF=next>"})));
    // The start line loses its indentation; the tag has no '>' before the map end: none is added.
    lines = MapPage({"  <AREA SHAPE=RECT HREF=x", "</MAP> trailing"});
    lines.pop_back();
    ASSERT_TRUE(Rewrite(lines, 1, "1,1,1,1"));
    EXPECT_EQ(lines[2], "<AREA SHAPE=RECT COORDS=\"1,1,1,1\"");
    EXPECT_EQ(lines[3], "</MAP> trailing");
    EXPECT_EQ(lines.size(), 4u);
}

TEST(WriterRewrite, EscapesTheFiveTexts)
{
    CLines lines = MapPage({"<AREA>"});
    ASSERT_TRUE(Rewrite(lines, 1, "0,0,1,1",
                        {"a.php?q=\"x\"&r=<b>", "5\" <AREA> 'it'", "it's C:\\d \"q\"", "\\'", "<t>"}));
    EXPECT_EQ(lines[2], "<AREA SHAPE=RECT COORDS=\"0,0,1,1\" HREF=\"a.php?q=&quot;x&quot;&r=&lt;b&gt;\" "
                        "TARGET=\"&lt;t&gt;\" ALT=\"5&quot; &lt;AREA&gt; 'it'\" "
                        "OnMouseOver=\"window.status='it\\'s C:\\\\d &quot;q&quot;'; return true\" "
                        "OnMouseOut=\"window.status='\\\\\\''; return true\">");
}

TEST(WriterRewrite, NamesInsideOtherValuesAreNotRemoved)
{
    CLines lines = MapPage({"<AREA SHAPE=RECT COORDS=\"1,1,2,2\" HREF=\"find.php?target=kids&default=1\" "
                            "TITLE=\"alt=none\">"});
    ASSERT_TRUE(Rewrite(lines, 1, "1,1,3,3", {"find.php?target=kids&default=1", "", "", "", "top"}));
    EXPECT_EQ(lines[2], "<AREA SHAPE=RECT COORDS=\"1,1,3,3\" HREF=\"find.php?target=kids&default=1\" "
                        "TARGET=\"top\" TITLE=\"alt=none\">");
}

TEST(WriterRewrite, ATagNumberThatIsNotThereChangesNothing)
{
    const CLines page = MapPage({"<AREA HREF=a>", "<AREA HREF=b>"});
    CLines lines = page;
    EXPECT_FALSE(Rewrite(lines, 3, "1,1,1,1"));
    EXPECT_FALSE(Rewrite(lines, 0, "1,1,1,1"));
    EXPECT_FALSE(RewriteAreaTag(lines, "n", 1, "", "", "1,1,1,1", "", "", "RECT", ""));
    EXPECT_EQ(lines, page);
}

TEST(WriterRewrite, FormatsCoordinates)
{
    CRectArea rect;
    rect.left = 10, rect.top = 20, rect.right = 110, rect.bottom = 80;
    EXPECT_EQ(FormatCoords(rect), "10,20,110,80");
    CCircleArea circle;
    circle.x = 7, circle.y = 0, circle.radius = 1234;
    EXPECT_EQ(FormatCoords(circle), "7,0,1234");
    CPolyArea poly;
    EXPECT_EQ(FormatCoords(poly), "");
    poly.m_points = {{1, 2, kPolygonVertex}, {30, 40, kPolygonVertex}, {0, 5, kPolygonVertex}};
    EXPECT_EQ(FormatCoords(poly), "1,2,30,40,0,5");
}
