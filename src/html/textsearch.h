// Byte-wise text rules shared by every reader and writer of HTML lines: positions are found in an
// ASCII upper-case copy of a line and used to cut the line itself, so the copy must keep every
// byte where it was. Whitespace means a space or a tab, nothing else.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mapwright {

// Returns a copy with a-z raised to A-Z; every other byte, including those from 0x80 up, unchanged.
std::string UpperAscii(std::string_view text);

// True for a space or a tab only.
constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Returns the first position at or after pos that is not a space or tab (text.size() when none).
std::size_t SkipBlanks(std::string_view text, std::size_t pos);

// Returns the text without its leading spaces and tabs.
std::string_view TrimLeadingBlanks(std::string_view text);

// Returns the text without its trailing spaces and tabs.
std::string_view TrimTrailingBlanks(std::string_view text);

// Returns the first position at or after pos where upperNeedle (upper case) stands in the upper-case
// copy of text, without making that copy; std::string_view::npos when absent.
std::size_t FindNoCase(std::string_view text, std::string_view upperNeedle, std::size_t pos = 0);

// True when a and b are equal after upper-casing both.
bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace mapwright
