// The SVG overlay: texts from a page come out as well-formed XML, areas last to first.
#include "html/mapreader.h"
#include "html/svgoverlay.h"
#include "html/textbytes.h"

#include <gtest/gtest.h>

using namespace mapwright;

TEST(SvgOverlay, TextsBecomeXmlCharacterData)
{
    struct Case {
        std::string text;
        bool utf8;
        std::string xml;
    };
    const std::vector<Case> cases = {
        {"Fish & chips <hot> \"now\" 'here'", true, "Fish &amp; chips &lt;hot&gt; &quot;now&quot; &apos;here&apos;"},
        // An area's text is what the reader decoded: a reference left in it is text, but for one a
        // page of Windows-1252 bytes keeps to a character it cannot hold.
        {"a&amp;b &#65;", true, "a&amp;amp;b &amp;#65;"},
        {"snow &#9731; &amp;", false, "snow \xE2\x98\x83 &amp;amp;"},
        {"&unknown; &#xZZ; & &#1114112;", true, "&amp;unknown; &amp;#xZZ; &amp; &amp;#1114112;"},
        {"caf\xC3\xA9 \xE2\x82\xAC", true, "caf\xC3\xA9 \xE2\x82\xAC"},                        // UTF-8 stays
        {"caf\xE9 \x80 \x81", false, "caf\xC3\xA9 \xE2\x82\xAC \xC2\x81"},                   // Windows-1252
        {"bad \xC3( \xFF", true, "bad \xC3\x83( \xC3\xBF"},                                  // not UTF-8 after all
        {std::string("bell\x07 nul\0 tab\t", 15), true, "bell nul tab\t"},               // not allowed in XML
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(XmlText(c.text, c.utf8), c.xml);
        EXPECT_TRUE(IsValidUtf8(XmlText(c.text, c.utf8)));
    }
}

TEST(SvgOverlay, WritesTheFirstAreaLastWithItsNameAndLink)
{
    const CLines page = {
        "<MAP NAME=m>",
        "<AREA SHAPE=RECT COORDS=\"10,20,110,70\" HREF=\"a.htm?x=1&amp;y=2\" ALT=\"Quay &amp; pier\" TARGET=_top>",
        "<AREA SHAPE=CIRCLE COORDS=\"50,40,30\" HREF=\"b.htm\">",
        "<AREA SHAPE=POLY COORDS=\"0,0,100,0,50,90\" ALT='\"x\" <y>'>",
        "</MAP>",
    };
    CAreaList areas;
    ParseMap(page, "M", 200, 100, areas);
    CSvgOverlayOptions options;
    options.nWidth = 200;
    options.nHeight = 100;
    options.imageHref = "pics/a b&c.png";
    const std::string svg = WriteSvgOverlay(areas, options);

    EXPECT_TRUE(svg.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
                                "viewBox=\"0 0 200 100\""));
    EXPECT_NE(svg.find("<image href=\"pics/a b&amp;c.png\" width=\"200\" height=\"100\"/>"), std::string::npos);
    const std::size_t poly = svg.find("<a aria-label=\"&quot;x&quot; &lt;y&gt;\"><title>&quot;x&quot; &lt;y&gt;</title>"
                                      "<polygon points=\"0,0 100,0 50,90\" class=\"mw-area\"/></a>");
    const std::size_t circle = svg.find("<a href=\"b.htm\"><circle cx=\"50\" cy=\"40\" r=\"30\" class=\"mw-area\"/></a>");
    const std::size_t rect = svg.find("<a href=\"a.htm?x=1&amp;y=2\" target=\"_top\" aria-label=\"Quay &amp; pier\">"
                                      "<title>Quay &amp; pier</title><rect x=\"10\" y=\"20\" width=\"100\" height=\"50\" "
                                      "class=\"mw-area\"/></a>");
    ASSERT_NE(poly, std::string::npos);
    ASSERT_NE(circle, std::string::npos);
    ASSERT_NE(rect, std::string::npos);
    EXPECT_TRUE(poly < circle && circle < rect);
    EXPECT_NE(svg.find("a:focus .mw-area"), std::string::npos);
    EXPECT_TRUE(svg.ends_with("</svg>\n"));

    options.bStandalone = false;
    const std::string markup = WriteSvgOverlay(areas, options);
    EXPECT_EQ(markup, svg.substr(svg.find("<svg")));
}
