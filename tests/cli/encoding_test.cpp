#include "cli/jsonwriter.h"
#include "cli/sha256.h"

#include <gtest/gtest.h>

using namespace mapwright;

TEST(Sha256, KnownDigestsAcrossBlockBoundaries)
{
    EXPECT_EQ(Sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    // 56 bytes: the length no longer fits the first padding block.
    EXPECT_EQ(Sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(Sha256Hex(std::string(1000000, 'a')),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(JsonWriter, Utf8IsCheckedStrictly)
{
    EXPECT_TRUE(IsValidUtf8("caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x97\xba"));
    EXPECT_FALSE(IsValidUtf8("\xc0\xaf"));          // overlong '/'
    EXPECT_FALSE(IsValidUtf8("\xed\xa0\x80"));      // surrogate
    EXPECT_FALSE(IsValidUtf8("\xf4\x90\x80\x80"));  // beyond U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xe2\x82"));          // cut short
    EXPECT_FALSE(IsValidUtf8("caf\xe9"));
}

TEST(JsonWriter, StringsAreEscapedAndDecoded)
{
    EXPECT_EQ(JsonString("a\"b\\c\r\n\t\x01"), "\"a\\\"b\\\\c\\u000d\\u000a\\u0009\\u0001\"");
    EXPECT_EQ(JsonString("caf\xc3\xa9"), "\"caf\xc3\xa9\"");
    // Latin-1: each byte is one character, written in UTF-8.
    EXPECT_EQ(JsonString("caf\xe9"), "\"caf\xc3\xa9\"");
    EXPECT_EQ(JsonString("\xc3\xa9", false), "\"\xc3\x83\xc2\xa9\"");
}
