// Attribute text inside an AREA tag: where an attribute name really stands, and how the five area
// texts are escaped on writing and decoded on reading.
//
// A name counts only at an attribute boundary: not inside a quoted value (a '"' or '\'' that opens
// a value right after '=' and blanks, up to the same quote), and not directly after a name
// character (letter, digit, '-', '_', '.', ':' or a byte from 0x80 up). So "DEFAULT=" holds no
// "ALT=", and HREF="x?target=y" holds no "TARGET=". Unquoted values hide nothing.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mapwright {

// The quoting state of a tag's text at some point; carried from one line of a tag to the next.
struct CTagLexState {
    char chQuote = 0;            // the quote that opened the value being read, or 0
    bool bAfterEquals = false;   // an '=' and blanks only since then: a quote here opens a value
};

// The attribute names the reader looks for, in the order of EAttribute.
enum EAttribute : int {
    kAttrShape,
    kAttrCoords,
    kAttrHref,
    kAttrAlt,
    kAttrOnMouseOver,
    kAttrOnMouseOut,
    kAttrTarget,
    kAttributeCount,
};

// Each name with its "=", upper case.
extern const std::string_view kAttributeNames[kAttributeCount];

// Positions of the first occurrence of each name at a boundary; npos when absent.
struct CAttributeFinds {
    std::size_t pos[kAttributeCount];
};

// Scans text[from, to) of one tag, a line start being a boundary, and records for each name its
// first occurrence at a boundary; state carries the quoting over to the next part of the tag.
CAttributeFinds FindAttributes(std::string_view text, std::size_t from, std::size_t to,
                               CTagLexState& state);

// Returns the position of the first occurrence of upperName at a boundary in text, or npos.
std::size_t FindAttributeName(std::string_view text, std::string_view upperName);

// Returns text with '"', '<' and '>' written as &quot;, &lt; and &gt;.
std::string EscapeAttributeText(std::string_view text);

// Returns a status text ready to stand between the apostrophes of window.status='...': a
// backslash as \\, an apostrophe as \', then escaped as EscapeAttributeText does.
std::string EscapeStatusText(std::string_view text);

// Returns text with &quot;, &lt; and &gt; decoded; every other byte as it is.
std::string DecodeAttributeText(std::string_view text);

// Returns the status text of a decoded mouse-over or mouse-out value: the string quoted after
// "status=", with \', \" and \\ standing for the quote, or the whole value without "status=".
std::string ExtractStatusText(std::string_view value);

}  // namespace mapwright
