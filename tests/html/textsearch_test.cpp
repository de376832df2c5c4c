#include "html/textsearch.h"

#include <gtest/gtest.h>

using namespace mapwright;

TEST(TextSearch, UpperCaseCopyKeepsEveryPosition)
{
    const std::string line = "<area href=\"caf\xc3\xa9.htm\" alt='z{}'>\t\x80\xff";
    const std::string upper = UpperAscii(line);
    ASSERT_EQ(upper.size(), line.size());
    EXPECT_EQ(upper, "<AREA HREF=\"CAF\xc3\xa9.HTM\" ALT='Z{}'>\t\x80\xff");
    // '@', '[', '`' and '{' border the letter ranges and must not move.
    EXPECT_EQ(UpperAscii("@[`{azAZ"), "@[`{AZAZ");
}

TEST(TextSearch, WhitespaceIsSpaceAndTabOnly)
{
    EXPECT_EQ(SkipBlanks(" \t x", 0), 3u);
    EXPECT_EQ(SkipBlanks("ab", 1), 1u);
    EXPECT_EQ(SkipBlanks("a  ", 1), 3u);
    EXPECT_EQ(SkipBlanks("a", 7), 1u);
    EXPECT_EQ(TrimLeadingBlanks("\r\n x"), "\r\n x");
    EXPECT_EQ(TrimLeadingBlanks(" \t</MAP>"), "</MAP>");
    EXPECT_EQ(TrimTrailingBlanks("x \t"), "x");
    EXPECT_EQ(TrimTrailingBlanks(" \t"), "");
}

TEST(TextSearch, FindsAnUpperCaseNeedleInAnyLetterCase)
{
    EXPECT_EQ(FindNoCase("x <aReA y", "<AREA"), 2u);
    EXPECT_EQ(FindNoCase("<area><AREA", "<AREA", 1), 6u);
    EXPECT_EQ(FindNoCase("<are", "<AREA"), std::string_view::npos);
    EXPECT_EQ(FindNoCase("<AREA", "<AREA", 9), std::string_view::npos);
    // Only a-z fold: '@' and '`' and bytes from 0x80 up are no letters.
    EXPECT_EQ(FindNoCase("n`me= name=", "NAME="), 6u);
    EXPECT_EQ(FindNoCase("\xe1" "ME= AME=", "AME="), 5u);
    EXPECT_TRUE(EqualsNoCase("Photo.GIF", "PHOTO.gif"));
    EXPECT_FALSE(EqualsNoCase("photo", "photo.gif"));
    EXPECT_FALSE(EqualsNoCase("\xe9", "\xc9"));
}
