#include "html/attributes.h"
#include "html/testpage.h"

#include <gtest/gtest.h>

using namespace mapwright;
using namespace mapwright::testing;

namespace {

// The description of the one area that a tag, over one or more lines, gives.
std::string Read(const std::vector<std::string>& tag)
{
    const CDescribed described = Describe(Parse(MapPage(tag)));
    EXPECT_EQ(described.size(), 1u) << tag.front();
    return described.empty() ? "" : described.front();
}

}  // namespace

TEST(ReaderAttributes, ValuesAreReadAsBrowsersTokenizeThem)
{
    EXPECT_EQ(Read({"<AREA SHAPE=RECT HREF=next.htm ALT=\"Next\">"}), "1R 0 0 0 0|next.htm|Next");
    EXPECT_EQ(Read({"<area href= \"Caf\xc3\xa9.htm\" alt=\" two \">"}), "1R 0 0 0 0|Caf\xc3\xa9.htm| two ");
    EXPECT_EQ(Read({"<AREA HREF='a.htm' ALT='x \"y\"'>"}), "1R 0 0 0 0|a.htm|x \"y\"");
    // Of a repeated name the first counts; a name without a value reads as empty.
    EXPECT_EQ(Read({"<AREA ALT=\"one\" ALT=\"two\" HREF=>"}), "1R 0 0 0 0||one");
    EXPECT_EQ(Read({"<AREA TARGET=\" _top\" HREF>"}), "1R 0 0 0 0||||| _top");
    EXPECT_EQ(Read({"<AREA TARGET=main HREF=\"a\"/>"}), "1R 0 0 0 0|a||||main");
    // Template code stays as the raw text a browser would see; '>' in quotes does not end the tag.
    EXPECT_EQ(Read({"<area href=\"<?php echo $u; ?>\" alt='<%= a %>' target=\"{{ t }}\">"}),
              "1R 0 0 0 0|<?php echo $u; ?>|<%= a %>|||{{ t }}");
    EXPECT_EQ(Read({"<area href=${url} alt=\"a", "b\">"}), "1R 0 0 0 0|${url}|a b");
}

TEST(ReaderAttributes, StatusTextsComeFromTheWindowStatusString)
{
    EXPECT_EQ(Read({"<AREA OnMouseOver=\"window.status='Welcome'; return true\" "
                    "OnMouseOut=\"window.status='Bob's page'; return true\">"}),
              "1R 0 0 0 0|||Welcome|Bob");
    EXPECT_EQ(Read({"<AREA OnMouseOver=\"showTip(3)\" onmouseout=\"STATUS='x'\">"}),
              "1R 0 0 0 0|||showTip(3)|STATUS='x'");
    // No closing quote, no quote, nothing after "status=": empty.
    for (const char* value : {"window.status='open", "window.status=x", "window.status="})
        EXPECT_EQ(Read({std::string("<AREA ONMOUSEOVER=\"") + value + "\" HREF=h>"}), "1R 0 0 0 0|h") << value;
    // A backslash escape does not end the string; any other backslash stays.
    EXPECT_EQ(Read({"<AREA OnMouseOver=\"window.status='it\\'s \\\\ C:\\dir'\" "
                    "OnMouseOut=\"window.status=&quot;say \\&quot;hi\\&quot;&quot;\">"}),
              "1R 0 0 0 0|||it's \\ C:\\dir|say \"hi\"");
}

TEST(ReaderAttributes, EntitiesAreDecodedInTheFiveTexts)
{
    EXPECT_EQ(Read({"<AREA HREF=\"a?x=&quot;1&quot;&amp;y=&lt;2&gt;\" ALT=\"&lt;AREA&gt;&QUOT;\" "
                    "OnMouseOut=\"window.status='&gt;&quot;'\" TARGET=t&gt;>"}),
              "1R 0 0 0 0|a?x=\"1\"&y=<2>|<AREA>\"||>\"|t>");
}

TEST(ReaderAttributes, CharacterReferencesAreDecodedAsABrowserDecodesAnAttribute)
{
    const struct {
        const char* value;
        const char* utf8Page;
        const char* windows1252Page;
    } cases[] = {
        {"caf&eacute; &amp; &euro;", "caf\xc3\xa9 & \xe2\x82\xac", "caf\xe9 & \x80"},
        {"&#65;&#x42;&#X43;&#68", "ABCD", "ABCD"},                      // the ';' of a number is optional
        {"&#128;&#0;&#x110000;", "\xe2\x82\xac\xef\xbf\xbd\xef\xbf\xbd", "\x80&#0;&#x110000;"},
        {"&#9731; &hearts;", "\xe2\x98\x83 \xe2\x99\xa5", "&#9731; &hearts;"},  // no byte: kept as written
        {"&copy 1 &copy2 &copy= &notit;", "\xc2\xa9 1 &copy2 &copy= &notit;", "\xa9 1 &copy2 &copy= &notit;"},
        {"&nosuch; & &#; &#x; &", "&nosuch; & &#; &#x; &", "&nosuch; & &#; &#x; &"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeAttributeText(c.value, EPageBytes::kUtf8), c.utf8Page) << c.value;
        EXPECT_EQ(DecodeAttributeText(c.value, EPageBytes::kWindows1252), c.windows1252Page) << c.value;
        // Written again, each reads back as it was read.
        const std::string read = DecodeAttributeText(c.value, EPageBytes::kWindows1252);
        EXPECT_EQ(DecodeAttributeText(EscapeAttributeText(read, EPageBytes::kWindows1252), EPageBytes::kWindows1252), read) << c.value;
    }
}

TEST(ReaderAttributes, NamesCountOnlyAsAttributesOverAllLinesOfATag)
{
    EXPECT_EQ(Read({"<AREA SHAPE=RECT HREF=\"find.php?target=kids&default=1\">"}),
              "1R 0 0 0 0|find.php?target=kids&default=1");
    EXPECT_EQ(Read({"<AREA TITLE='alt=x' data-href=\"y\" xml:alt=z my_alt=1 ALT = \"w\" HREF=\"h\">"}),
              "1R 0 0 0 0|h|w");
    EXPECT_EQ(Read({"<AREA SHAPE=RECT COORDS=\"1,2,3,4\"ALT=\"glued\">"}), "1R 1 2 3 4||glued");
    EXPECT_EQ(Read({"<AREA HREF=\"first\" ALT=\"a\"", "HREF=\"second\"", "TARGET=t>"}), "1R 0 0 0 0|first|a|||t");
    EXPECT_EQ(Read({"<AREA TITLE=\"see", "ALT=x\" NOHREF HREF=h", "ALT=\"y\">"}), "1R 0 0 0 0|h|y");
}
