#include "html/mapwriter.h"

#include <gtest/gtest.h>

using namespace mapwright;

TEST(WriterAttribute, RemovesTheValueInItsQuotingWithTheBlankBeforeIt)
{
    EXPECT_EQ(RemoveAttribute("<AREA HREF=\"a b\" ALT=x>", "HREF="), "<AREA ALT=x>");
    EXPECT_EQ(RemoveAttribute("<AREA\tHREF = \"a\" ALT=x", "HREF="), "<AREA\tHREF = \"a\" ALT=x");
    EXPECT_EQ(RemoveAttribute("<AREA href=  a.htm\tALT=x", "HREF="), "<AREA\tALT=x");
    EXPECT_EQ(RemoveAttribute("<AREA ALT='a \"b' X=1", "ALT="), "<AREA X=1");
    // A double quote, then an apostrophe: the apostrophe decides.
    EXPECT_EQ(RemoveAttribute("<AREA ALT=\"'a b'\" X=1", "ALT="), "<AREA X=1");
    // After the closing quote the value still runs to the next blank.
    EXPECT_EQ(RemoveAttribute("<AREA ALT=\"a\"b c", "alt="), "<AREA c");
    // An unclosed quote runs to the end of the text.
    EXPECT_EQ(RemoveAttribute("<AREA ALT=\"a b c", "ALT="), "<AREA");
    EXPECT_EQ(RemoveAttribute("<AREA SHAPE=RECT ALT=", "ALT="), "<AREA SHAPE=RECT");
    EXPECT_EQ(RemoveAttribute("<AREA SHAPE=RECT", "ALT="), "<AREA SHAPE=RECT");
}

TEST(WriterAttribute, CountsANameOnlyAtAnAttributeBoundary)
{
    const std::string link = "<AREA HREF=\"find.php?target=kids&default=1\" ALT=\"x\"";
    EXPECT_EQ(RemoveAttribute(link, "TARGET="), link);
    EXPECT_EQ(RemoveAttribute(link, "ALT="), "<AREA HREF=\"find.php?target=kids&default=1\"");
    EXPECT_EQ(RemoveAttribute("<AREA TITLE='href=x' HREF=y", "HREF="), "<AREA TITLE='href=x'");
    for (const char* glued : {"DEFAULT=1", "data-alt=1", "my_alt=1", "x.alt=1", "xml:alt=1", "9alt=1", "\xe9" "alt=1"}) {
        const std::string tag = std::string("<AREA ") + glued;
        EXPECT_EQ(RemoveAttribute(tag, "ALT="), tag) << glued;
    }
    // Unquoted values hide nothing: the name after one is found.
    EXPECT_EQ(RemoveAttribute("<AREA HREF=next.htm ALT=\"Next\"", "ALT="), "<AREA HREF=next.htm");
}

TEST(WriterAttribute, KeepsACharacterBeforeTheNameThatIsNoBlank)
{
    // Dropping the quote before a glued name would open the neighbour's value again.
    EXPECT_EQ(RemoveAttribute("<AREA TITLE=\"t\"HREF=\"x\" ID=1", "HREF="), "<AREA TITLE=\"t\" ID=1");
    EXPECT_EQ(RemoveAttribute("ALT=x y", "ALT="), " y");
}
