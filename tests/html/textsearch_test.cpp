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
