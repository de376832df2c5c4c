// A start tag as a browser tokenizes it: attributes are name, optional '=' and a value in double
// quotes, single quotes or none; the tag ends at the first '>' outside a quoted value, however
// many lines it takes. Names are compared without regard to case; of a repeated name the first
// counts.
#pragma once

#include "html/maplines.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mapwright {

// A place in the lines: line index and byte column.
struct CTextPos {
    int nLine = 0;
    std::size_t nCol = 0;
    bool operator==(const CTextPos&) const = default;
    auto operator<=>(const CTextPos&) const = default;
};

// Where a tag stands in the lines: from its '<' up to just after its '>' (0-based, half-open).
struct CTagSpan {
    CTextPos open;
    CTextPos end;
    bool operator==(const CTagSpan&) const = default;
};

// One attribute; offsets are into the tag's text (which starts at the '<').
struct CTagAttribute {
    std::size_t nNameStart = 0;
    std::size_t nNameEnd = 0;
    std::size_t nValueStart = 0;  // without the quote; nNameEnd when there is no value
    std::size_t nValueEnd = 0;
    std::size_t nEnd = 0;         // just after the closing quote, the value or the name
    char chQuote = 0;             // '"' or '\'' around the value; 0 unquoted or without value
    bool bHasValue = false;
};

class CStartTag {
public:
    // Reads the tag whose '<' stands at open and whose name is nameLength bytes long. Returns
    // false when no '<' with room for the name stands there, or no '>' closes it before the
    // lines end.
    bool Read(const CLines& lines, CTextPos open, std::size_t nameLength);

    // The text from the '<' to the '>', both included; the lines of a tag over several lines are
    // joined with '\n'.
    std::string_view Text() const { return m_joined.empty() ? m_lineText : std::string_view(m_joined); }
    const CTagSpan& Span() const { return m_span; }
    std::size_t NameEnd() const { return m_nNameEnd; }
    const std::vector<CTagAttribute>& Attributes() const { return m_attributes; }

    // The first attribute named upperName (upper case, without '='), or null.
    const CTagAttribute* Find(std::string_view upperName) const;
    // The value of an attribute as written, quotes left out.
    std::string_view ValueOf(const CTagAttribute& attribute) const
    {
        return Text().substr(attribute.nValueStart, attribute.nValueEnd - attribute.nValueStart);
    }
    // The value of the first attribute named upperName; nothing when the tag has no such name.
    std::optional<std::string_view> Value(std::string_view upperName) const;

private:
    CTagSpan m_span;
    std::string_view m_lineText;
    std::string m_joined;
    std::size_t m_nNameEnd = 0;
    std::vector<CTagAttribute> m_attributes;
};

// Replaces the text of span in lines by text, whose '\n' separate lines; the text before the
// span on its first line and after it on its last line stays. Returns where text now stands.
CTagSpan ReplaceSpan(CLines& lines, const CTagSpan& span, std::string_view text);

// The tag names that FindNextTag looks for, upper case: "AREA", "/MAP", "IMG", ...
// Returns the next '<' at or after from that opens a tag of one of the names (followed by a
// blank, '/', '>' or the line end), skipping comments; names[index] is what was found, and
// nothing when the lines run out first.
struct CTagFind {
    std::size_t nName = 0;
    CTextPos pos;
};
std::optional<CTagFind> FindNextTag(const CLines& lines, CTextPos from, std::initializer_list<std::string_view> names);

}  // namespace mapwright
