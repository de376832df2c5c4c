#include "html/testpage.h"
#include "html/mapwriter.h"

#include <gtest/gtest.h>

using namespace mapwright;
using namespace mapwright::testing;

namespace {

// Rewrites tag n of map "m" as a rectangle (or the keyword given) with texts in the order
// link, alternate text, mouse-over, mouse-out, target.
bool Rewrite(CLines& lines, int n, std::string_view coords, const std::vector<std::string>& texts = {},
             std::string_view keyword = "RECT")
{
    std::vector<std::string> t = texts;
    t.resize(5);
    return RewriteAreaTag(lines, "m", n, t[0], t[1], coords, t[2], t[3], keyword, t[4]);
}

}  // namespace

TEST(WriterRewrite, WritesTheAttributesInTheirOrderAndLeavesEmptyOnesOut)
{
    CLines lines = MapPage({"<AREA SHAPE=RECT COORDS=\"0,0,1,1\">"});
    ASSERT_TRUE(Rewrite(lines, 1, "10,20,110,80", {"a.htm", "Home", "Go home", "Bye", "main"}));
    EXPECT_EQ(lines[2], "<AREA SHAPE=RECT COORDS=\"10,20,110,80\" HREF=\"a.htm\" TARGET=\"main\" ALT=\"Home\" "
                        "OnMouseOver=\"window.status='Go home'; return true\" "
                        "OnMouseOut=\"window.status='Bye'; return true\">");
    ASSERT_TRUE(Rewrite(lines, 1, "5,6,7", {"", "Home"}, "CIRCLE"));
    EXPECT_EQ(PageText(lines), PageText(MapPage({"<AREA SHAPE=CIRCLE COORDS=\"5,6,7\" ALT=\"Home\">"})));
}

TEST(WriterRewrite, KeepsTheTagNameCaseAndTheOtherAttributes)
{
    CLines lines = MapPage({"<area shape=rect coords=\"1,2,3,4\" href=\"x.htm\" nohref id=a>",
                            "<AREA SHAPE=RECT onmouseover=\"showTip(3)\" title='t'>"});
    ASSERT_TRUE(Rewrite(lines, 1, "11,12,13,14", {"x.htm"}));
    ASSERT_TRUE(Rewrite(lines, 2, "1,1,2,2", {"", "", "showTip(3)"}));
    EXPECT_EQ(lines[2], "<area SHAPE=RECT COORDS=\"11,12,13,14\" HREF=\"x.htm\" nohref id=a>");
    EXPECT_EQ(lines[3], "<AREA SHAPE=RECT COORDS=\"1,1,2,2\" OnMouseOver=\"window.status='showTip(3)'; "
                        "return true\" title='t'>");
}

TEST(WriterRewrite, TwoTagsOnOneLine)
{
    const CLines page = MapPage({"<AREA HREF=\"a\"><AREA HREF=\"b\">"});
    CLines lines = page;
    ASSERT_TRUE(Rewrite(lines, 2, "1,1,2,2", {"B"}));
    EXPECT_EQ(PageText(lines), PageText(MapPage({"<AREA HREF=\"a\"><AREA SHAPE=RECT COORDS=\"1,1,2,2\" HREF=\"B\">"})));
    lines = page;
    ASSERT_TRUE(Rewrite(lines, 1, "1,1,2,2", {"A"}));
    EXPECT_EQ(PageText(lines),
              PageText(MapPage({"<AREA SHAPE=RECT COORDS=\"1,1,2,2\" HREF=\"A\">", "<AREA HREF=\"b\">"})));
}

TEST(WriterRewrite, ATagOverSeveralLinesBecomesOneLineWithWhatFollowedIt)
{
    CLines lines = MapPage({"<!-- before --><AREA SHAPE=CIRCLE", "\tCOORDS=\"1,2,3\" id=c",
                            "  HREF=\"old\"> <!-- after -->", "<AREA HREF=next>"});
    ASSERT_TRUE(Rewrite(lines, 1, "4,5,6", {"new"}, "CIRCLE"));
    EXPECT_EQ(PageText(lines), PageText(MapPage({"<!-- before --><AREA SHAPE=CIRCLE COORDS=\"4,5,6\" HREF=\"new\" "
                                                 "id=c > <!-- after -->",
                                                 "<AREA HREF=next>"})));
    // The start line loses its indentation; a tag without '>' before the map end gets none.
    lines = {"<MAP NAME=m>", "  <AREA SHAPE=RECT HREF=x", "</MAP> trailing"};
    ASSERT_TRUE(Rewrite(lines, 1, "1,1,1,1"));
    EXPECT_EQ(PageText(lines), "<MAP NAME=m>\n<AREA SHAPE=RECT COORDS=\"1,1,1,1\"\n</MAP> trailing\n");
}

TEST(WriterRewrite, EscapesTheFiveTextsAndKeepsNamesInsideOtherValues)
{
    CLines lines = MapPage({"<AREA HREF=\"find.php?target=kids&default=1\" TITLE=\"alt=none\">"});
    ASSERT_TRUE(Rewrite(lines, 1, "0,0,1,1",
                        {"a.php?q=\"x\"&r=<b>", "5\" <AREA> 'it'", "it's C:\\d \"q\"", "\\'", "<t>"}));
    EXPECT_EQ(lines[2], "<AREA SHAPE=RECT COORDS=\"0,0,1,1\" HREF=\"a.php?q=&quot;x&quot;&r=&lt;b&gt;\" "
                        "TARGET=\"&lt;t&gt;\" ALT=\"5&quot; &lt;AREA&gt; 'it'\" "
                        "OnMouseOver=\"window.status='it\\'s C:\\\\d &quot;q&quot;'; return true\" "
                        "OnMouseOut=\"window.status='\\\\\\''; return true\" TITLE=\"alt=none\">");
}

TEST(WriterRewrite, ATagNumberThatIsNotThereChangesNothing)
{
    // Tag 3 of two must not be taken for the last tag.
    const CLines page = MapPage({"<AREA HREF=a>", "<AREA HREF=b>"});
    CLines lines = page;
    EXPECT_FALSE(Rewrite(lines, 3, "1,1,1,1"));
    EXPECT_FALSE(Rewrite(lines, 0, "1,1,1,1"));
    EXPECT_FALSE(RewriteAreaTag(lines, "n", 1, "", "", "1,1,1,1", "", "", "RECT", ""));
    EXPECT_EQ(lines, page);
}
