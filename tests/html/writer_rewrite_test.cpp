#include "html/testpage.h"
#include "html/mapwriter.h"

#include <gtest/gtest.h>

using namespace mapwright;
using namespace mapwright::testing;

namespace {

// Rewrites tag n of map "m" as a rectangle (or the keyword given) with texts in the order
// link, alternate text, mouse-over, mouse-out, target; every attribute, or those in which.
bool Rewrite(CLines& lines, int n, std::string_view coords, const std::vector<std::string>& texts = {},
             std::string_view keyword = "RECT", CAttributeSet which = kAllAttributes)
{
    std::vector<std::string> t = texts;
    t.resize(6);
    return RewriteAreaTag(lines, "m", n, {keyword, coords, t[0], t[4], t[1], t[2], t[3], t[5]}, which).has_value();
}

CAttributeSet Only(std::initializer_list<EAreaAttribute> attributes)
{
    CAttributeSet set;
    for (const EAreaAttribute a : attributes)
        set.set(a);
    return set;
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

// Each row: a tag as an author wrote it, the attributes rewritten, and the tag afterwards.
TEST(WriterRewrite, ChangesOnlyTheNamedAttributesInTheAuthorsStyle)
{
    struct CCase {
        const char* tag;
        std::vector<std::string> texts;
        CAttributeSet which;
        const char* expected;
    };
    const std::vector<CCase> cases = {
        // A move: COORDS in its own quotes and case, nothing else.
        {"<area shape=\"rect\" coords=\"1,2,3,4\" href=\"x.htm\" />", {"x.htm"}, Only({kAttrCoords}),
         "<area shape=\"rect\" coords=\"9,9,9,9\" href=\"x.htm\" />"},
        {"<area shape='rect' coords='1,2,3,4' href='x.htm'/>", {"y.htm"}, Only({kAttrHref}),
         "<area shape='rect' coords='1,2,3,4' href='y.htm'/>"},
        {"<area shape=rect coords=1,2,3,4 href=x.htm>", {"y.htm"}, Only({kAttrCoords, kAttrHref}),
         "<area shape=rect coords=9,9,9,9 href=y.htm>"},
        // A value the style cannot hold goes in double quotes.
        {"<area href=x.htm alt='a'>", {"a b.htm", "it's"}, Only({kAttrHref, kAttrAlt}),
         "<area href=\"a b.htm\" alt=\"it's\">"},
        // Absent attributes go after the nearest one before them in the writer's order.
        {"<area shape=\"poly\" coords=\"1,1,2,2,3,1\" title=t />", {"h", "", "", "", "_top"},
         Only({kAttrHref, kAttrTarget}), "<area shape=\"poly\" coords=\"1,1,2,2,3,1\" HREF=\"h\" TARGET=\"_top\" title=t />"},
        {"<area alt=\"a\" nohref>", {"h"}, Only({kAttrHref}), "<area HREF=\"h\" alt=\"a\" nohref>"},
        {"<area href>", {"h"}, Only({kAttrHref}), "<area href=\"h\">"},
        // A cleared attribute goes with the blanks before it, over lines too.
        {"<area  href=\"x\"\n     alt=\"a\" />", {}, Only({kAttrAlt}), "<area  href=\"x\" />"},
        {"<area href=\"x\"alt=\"a\">", {}, Only({kAttrHref}), "<area alt=\"a\">"},
        // Names inside values are no attributes.
        {"<area href=\"find.php?target=kids\" title='alt=x'>", {"find.php?target=kids", "A", "", "", "t"},
         Only({kAttrTarget, kAttrAlt}), "<area href=\"find.php?target=kids\" TARGET=\"t\" ALT=\"A\" title='alt=x'>"},
        // Template code in a value stays, '>' inside quotes does not end the tag.
        {"<area href=\"<?php echo $u; ?>\" alt=\"{{ a }}\">", {"<?php echo $u; ?>", "b"}, Only({kAttrAlt}),
         "<area href=\"<?php echo $u; ?>\" alt=\"b\">"},
        // A title first typed goes right after ALT, before the handlers.
        {"<area alt=\"a\" onmouseover=\"x()\">", {"", "a", "", "", "", "Pier"}, Only({kAttrTitle}),
         "<area alt=\"a\" TITLE=\"Pier\" onmouseover=\"x()\">"},
        // A handler that is no status text is replaced when its field is written.
        {"<AREA onMouseOver=\"showTip(3)\">", {"", "", "Tip"}, Only({kAttrMouseOver}),
         "<AREA onMouseOver=\"window.status='Tip'; return true\">"},
    };
    for (const CCase& c : cases) {
        CLines lines = MapPage({});
        lines.insert(lines.begin() + 2, "    <!-- x -->" + std::string(c.tag) + " <!-- y -->");
        // The tag may span lines: its '\n' become line breaks.
        CLines split = SplitLines(lines[2]);
        lines.erase(lines.begin() + 2);
        lines.insert(lines.begin() + 2, split.begin(), split.end());
        ASSERT_TRUE(Rewrite(lines, 1, "9,9,9,9", c.texts, "RECT", c.which)) << c.tag;
        CLines expected = MapPage(SplitLines("    <!-- x -->" + std::string(c.expected) + " <!-- y -->"));
        EXPECT_EQ(PageText(lines), PageText(expected)) << c.tag;
    }
}

TEST(WriterRewrite, TwoTagsOnOneLineStayThere)
{
    const CLines page = MapPage({"  <AREA HREF=\"a\"><AREA HREF=\"b\"> <!-- c -->"});
    CLines lines = page;
    ASSERT_TRUE(Rewrite(lines, 2, "1,1,2,2", {"B"}));
    EXPECT_EQ(lines[2], "  <AREA HREF=\"a\"><AREA SHAPE=RECT COORDS=\"1,1,2,2\" HREF=\"B\"> <!-- c -->");
    lines = page;
    ASSERT_TRUE(Rewrite(lines, 1, "1,1,2,2", {"A"}));
    EXPECT_EQ(lines[2], "  <AREA SHAPE=RECT COORDS=\"1,1,2,2\" HREF=\"A\"><AREA HREF=\"b\"> <!-- c -->");
}

TEST(WriterRewrite, EscapesTheSixTexts)
{
    CLines lines = MapPage({"<AREA HREF=\"find.php?target=kids&default=1\" TITLE=\"alt=none\">"});
    ASSERT_TRUE(Rewrite(lines, 1, "0,0,1,1",
                        {"a.php?q=\"x\"&r=<b>", "5\" <AREA> 'it'", "it's C:\\d \"q\"", "\\'", "<t>", "alt=none"}));
    EXPECT_EQ(lines[2], "<AREA SHAPE=RECT COORDS=\"0,0,1,1\" HREF=\"a.php?q=&quot;x&quot;&amp;r=&lt;b&gt;\" "
                        "TARGET=\"&lt;t&gt;\" ALT=\"5&quot; &lt;AREA&gt; 'it'\" TITLE=\"alt=none\" "
                        "OnMouseOver=\"window.status='it\\'s C:\\\\d &quot;q&quot;'; return true\" "
                        "OnMouseOut=\"window.status='\\\\\\''; return true\">");
}

TEST(WriterRewrite, APositionThatNoLongerOpensATagChangesNothing)
{
    const CLines page = MapPage({"<AREA HREF=a>", "x <AREA HREF=b>"});
    const int tag = 3;  // the line of "x <AREA HREF=b>"
    ASSERT_EQ(page[tag], "x <AREA HREF=b>");
    for (const CTextPos stale : {CTextPos{tag, 0}, CTextPos{tag, 1}, CTextPos{tag, 12}, CTextPos{tag, 40},
                                 CTextPos{tag, std::size_t(-1)}, CTextPos{int(page.size()), 0}, CTextPos{-1, 0}}) {
        CLines lines = page;
        EXPECT_FALSE(RewriteAreaTagAt(lines, stale, {"RECT", "1,1,1,1"}, kAllAttributes))
            << stale.nLine << "," << stale.nCol;
        EXPECT_EQ(lines, page);
    }
    CLines lines = page;
    ASSERT_TRUE(RewriteAreaTagAt(lines, {tag, 2}, {"RECT", "1,1,1,1"}, kAllAttributes));
    EXPECT_EQ(lines[tag], "x <AREA SHAPE=RECT COORDS=\"1,1,1,1\">");
}

TEST(WriterRewrite, ATagNumberThatIsNotThereChangesNothing)
{
    // Tag 3 of two must not be taken for the last tag.
    const CLines page = MapPage({"<AREA HREF=a>", "<AREA HREF=b>"});
    CLines lines = page;
    EXPECT_FALSE(Rewrite(lines, 3, "1,1,1,1"));
    EXPECT_FALSE(Rewrite(lines, 0, "1,1,1,1"));
    EXPECT_FALSE(RewriteAreaTag(lines, "n", 1, {"RECT", "1,1,1,1"}));
    EXPECT_EQ(lines, page);
}
