#include "html/testpage.h"

#include <gtest/gtest.h>

using namespace mapwright;
using namespace mapwright::testing;

namespace {

// The five texts of the single area a tag gives.
struct CReadTexts {
    std::string href{}, alt{}, over{}, out{}, target{};
    bool operator==(const CReadTexts&) const = default;
};

std::ostream& operator<<(std::ostream& os, const CReadTexts& t)
{
    return os << "{href '" << t.href << "' alt '" << t.alt << "' over '" << t.over << "' out '" << t.out
              << "' target '" << t.target << "'}";
}

CReadTexts TextsOf(const std::vector<std::string>& tagLines)
{
    const CAreaLists areas = Parse(MapPage(tagLines));
    EXPECT_EQ(areas.m_nAreaCount, 1);
    const CMapArea* area = nullptr;
    if (!areas.m_rectAreas.empty())
        area = areas.m_rectAreas.front().get();
    else if (!areas.m_circleAreas.empty())
        area = areas.m_circleAreas.front().get();
    else if (!areas.m_polyAreas.empty())
        area = areas.m_polyAreas.front().get();
    if (area == nullptr)
        return {};
    return {area->m_strHref, area->m_strAlt, area->m_strStatusOver, area->m_strStatusOut, area->m_strTarget};
}

CReadTexts TextsOf(const std::string& tag)
{
    return TextsOf(std::vector<std::string>{tag});
}

}  // namespace

TEST(ReaderAttributes, ValuesRunToTheNextDoubleQuote)
{
    EXPECT_EQ(TextsOf("<AREA SHAPE=RECT HREF=next.htm ALT=\"Next\">"), (CReadTexts{"next.htm ALT=", "Next"}));
    EXPECT_EQ(TextsOf("<area href= \"Caf\xc3\xa9.htm\" alt=\" two  words \">"),
              (CReadTexts{"Caf\xc3\xa9.htm", " two  words "}));
    // Unquoted to the end of the tag; apostrophes are no quotes for these values.
    EXPECT_EQ(TextsOf("<AREA HREF=a.htm id=1>"), (CReadTexts{"a.htm id=1"}));
    EXPECT_EQ(TextsOf("<AREA HREF='a.htm' ALT='x'>"), (CReadTexts{"'a.htm' ALT='x'", "'x'"}));
    EXPECT_EQ(TextsOf("<AREA HREF=\"\" ALT=>"), (CReadTexts{}));
    // The first occurrence in a part counts.
    EXPECT_EQ(TextsOf("<AREA ALT=\"one\" ALT=\"two\">"), (CReadTexts{"", "one"}));
}

TEST(ReaderAttributes, TargetStopsAtABlankOrQuote)
{
    EXPECT_EQ(TextsOf("<AREA TARGET=\" _top frame\">").target, "_top");
    EXPECT_EQ(TextsOf("<AREA TARGET=main HREF=\"a\">").target, "main");
    EXPECT_EQ(TextsOf("<AREA TARGET=\"\">").target, "");
    EXPECT_EQ(TextsOf("<AREA TARGET='w'>").target, "'w'");
    EXPECT_EQ(TextsOf("<AREA TARGET=\"a&quot;b&lt;\">").target, "a\"b<");
}

TEST(ReaderAttributes, StatusTextsComeFromTheWindowStatusString)
{
    EXPECT_EQ(TextsOf("<AREA OnMouseOver=\"window.status='Welcome'; return true\">").over, "Welcome");
    EXPECT_EQ(TextsOf("<AREA OnMouseOut=\"window.status='Bob's page'; return true\">").out, "Bob");
    EXPECT_EQ(TextsOf("<AREA OnMouseOver=\"showTip(3)\">").over, "showTip(3)");
    EXPECT_EQ(TextsOf("<AREA ONMOUSEOVER=\"window.status='open\">").over, "");
    EXPECT_EQ(TextsOf("<AREA onmouseover=\"window.status=x\">").over, "");
    EXPECT_EQ(TextsOf("<AREA onmouseover=\"window.status=\">").over, "");
    // "status=" is matched in lower case only.
    EXPECT_EQ(TextsOf("<AREA onmouseover=\"STATUS='x'\">").over, "STATUS='x'");
    // A backslash escape does not end the string; any other backslash stays as it is.
    EXPECT_EQ(TextsOf("<AREA OnMouseOver=\"window.status='it\\'s \\\\ C:\\dir'; return true\">").over,
              "it's \\ C:\\dir");
    EXPECT_EQ(TextsOf("<AREA OnMouseOver=\"window.status=&quot;say \\&quot;hi\\&quot;&quot;\">").over,
              "say \"hi\"");
}

TEST(ReaderAttributes, EntitiesAreDecodedInTheFiveTexts)
{
    EXPECT_EQ(TextsOf("<AREA HREF=\"a?x=&quot;1&quot;&amp;y=&lt;2&gt;\" ALT=\"&lt;AREA&gt;&QUOT;\" "
                      "OnMouseOut=\"window.status='&gt;&quot;'\" TARGET=t&gt;>"),
              (CReadTexts{"a?x=\"1\"&amp;y=<2>", "<AREA>&QUOT;", "", ">\"", "t>"}));
}

TEST(ReaderAttributes, NamesCountOnlyAtAttributeBoundaries)
{
    EXPECT_EQ(TextsOf("<AREA SHAPE=RECT HREF=\"find.php?target=kids&default=1\">"),
              (CReadTexts{"find.php?target=kids&default=1"}));
    EXPECT_EQ(TextsOf("<AREA TITLE='alt=x' data-href=\"y\" xml:alt=z ALT = \"w\" HREF=\"h\">"),
              (CReadTexts{"h"}));
    EXPECT_EQ(TextsOf("<AREA SHAPE=RECT COORDS=\"1,2,3,4\"ALT=\"glued\">").alt, "glued");
    // A quote opens a value only right after '=' and blanks.
    EXPECT_EQ(TextsOf("<AREA HREF=a\"b ALT=\"c\">"), (CReadTexts{"a", "c"}));
    EXPECT_EQ(TextsOf("<AREA TITLE= \"x ALT=y\" ALT=z>").alt, "z");
}

TEST(ReaderAttributes, LaterLinesOfATagOverwriteEarlierFinds)
{
    EXPECT_EQ(TextsOf(std::vector<std::string>{"<AREA HREF=\"first\" ALT=\"a\"", "HREF=\"second\"", "TARGET=t>"}),
              (CReadTexts{"second", "a", "", "", "t"}));
    // A value still open at the end of a line hides names on the next one.
    EXPECT_EQ(TextsOf(std::vector<std::string>{"<AREA TITLE=\"see", "ALT=x\" HREF=h>"}), (CReadTexts{"h"}));
    // A line start is a boundary.
    EXPECT_EQ(TextsOf(std::vector<std::string>{"<AREA NOHREF", "ALT=\"x\">"}).alt, "x");
}
