#include "html/maplines.h"

#include <gtest/gtest.h>

using namespace mapwright;

TEST(MapLines, SplitsAtLineFeedsAndDropsOnlyTheCarriageReturnBeforeOne)
{
    EXPECT_EQ(SplitLines("a\r\nb\nc"), (CLines{"a", "b", "c"}));
    EXPECT_EQ(SplitLines("a\r\n"), (CLines{"a"}));
    EXPECT_EQ(SplitLines("\n\r\n"), (CLines{"", ""}));
    EXPECT_EQ(SplitLines("a\r\r\nb\rc\r"), (CLines{"a\r", "b\rc\r"}));
    EXPECT_EQ(SplitLines(""), CLines{});
    // Text after the last line end is a last line, bytes from 0x80 up untouched.
    EXPECT_EQ(SplitLines("x\n<AREA ALT=\"\xe9\xff\">"), (CLines{"x", "<AREA ALT=\"\xe9\xff\">"}));
    EXPECT_EQ(SplitLines(std::string_view("a\0b\nc", 5)), (CLines{std::string("a\0b", 3), "c"}));
}

TEST(MapLines, JoinsWithCarriageReturnLineFeedAfterEveryLine)
{
    EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(JoinLines({}), "");
    EXPECT_EQ(JoinLines({""}), "\r\n");
    const CLines lines{"<MAP NAME=\"m\">", "\t<AREA>", "", "</MAP>"};
    EXPECT_EQ(SplitLines(JoinLines(lines)), lines);
}
