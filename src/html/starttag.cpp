#include "html/starttag.h"

#include "html/textsearch.h"

#include <algorithm>

namespace mapwright {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// The blanks of the HTML tokenizer; a line break inside a tag reads as one.
bool IsTagSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool IsNameByte(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
           c == ':' || static_cast<unsigned char>(c) >= 0x80;
}

// The states of the tokenizer inside a start tag, after its name.
enum class ETagState {
    kBeforeName,
    kName,
    kAfterName,
    kBeforeValue,
    kValueDoubleQuoted,
    kValueSingleQuoted,
    kValueUnquoted,
    kAfterQuotedValue,
};

// Tokenizes text from pos on in state; returns the position of the closing '>' or npos when the
// text ends first (state, pos and the attribute being read then let the caller go on with more).
std::size_t Tokenize(std::string_view text, std::size_t& pos, ETagState& state, std::vector<CTagAttribute>& attributes)
{
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        switch (state) {
        case ETagState::kBeforeName:
            if (IsTagSpace(c) || c == '/')
                break;
            if (c == '>')
                return pos;
            attributes.push_back({pos, pos + 1, pos + 1, pos + 1, pos + 1, 0, false});
            state = ETagState::kName;  // a leading '=' is part of the name
            break;
        case ETagState::kName:
            if (IsTagSpace(c) || c == '/' || c == '>' || c == '=') {
                CTagAttribute& attribute = attributes.back();
                attribute.nNameEnd = attribute.nValueStart = attribute.nValueEnd = attribute.nEnd = pos;
                state = c == '=' ? ETagState::kBeforeValue : ETagState::kAfterName;
                if (c == '>')
                    return pos;
            }
            break;
        case ETagState::kAfterName:
            if (IsTagSpace(c))
                break;
            if (c == '=') {
                state = ETagState::kBeforeValue;
            } else if (c == '>') {
                return pos;
            } else {
                state = ETagState::kBeforeName;
                --pos;
            }
            break;
        case ETagState::kBeforeValue: {
            if (IsTagSpace(c))
                break;
            CTagAttribute& attribute = attributes.back();
            attribute.bHasValue = true;
            if (c == '"' || c == '\'') {
                attribute.chQuote = c;
                attribute.nValueStart = attribute.nValueEnd = attribute.nEnd = pos + 1;
                state = c == '"' ? ETagState::kValueDoubleQuoted : ETagState::kValueSingleQuoted;
            } else if (c == '>') {
                attribute.nValueStart = attribute.nValueEnd = attribute.nEnd = pos;
                return pos;
            } else {
                attribute.nValueStart = pos;
                attribute.nValueEnd = attribute.nEnd = pos + 1;
                state = ETagState::kValueUnquoted;
            }
            break;
        }
        case ETagState::kValueDoubleQuoted:
        case ETagState::kValueSingleQuoted: {
            CTagAttribute& attribute = attributes.back();
            const std::size_t close = text.find(attribute.chQuote, pos);
            if (close == npos) {
                pos = text.size();
                return npos;
            }
            attribute.nValueEnd = close;
            attribute.nEnd = close + 1;
            pos = close;
            state = ETagState::kAfterQuotedValue;
            break;
        }
        case ETagState::kValueUnquoted:
            if (IsTagSpace(c) || c == '>') {
                state = ETagState::kBeforeName;
                if (c == '>')
                    return pos;
            } else {
                attributes.back().nValueEnd = attributes.back().nEnd = pos + 1;
            }
            break;
        case ETagState::kAfterQuotedValue:
            if (c == '>')
                return pos;
            state = ETagState::kBeforeName;
            if (!IsTagSpace(c) && c != '/')
                --pos;  // a name right after the quote starts the next attribute
            break;
        }
    }
    return npos;
}

bool StartsTagNamed(std::string_view text, std::size_t lt, std::string_view upperName)
{
    const std::size_t nameEnd = lt + 1 + upperName.size();
    if (nameEnd > text.size() || !EqualsNoCase(text.substr(lt + 1, upperName.size()), upperName))
        return false;
    return nameEnd == text.size() || !IsNameByte(text[nameEnd]);
}

}  // namespace

bool CStartTag::Read(const CLines& lines, CTextPos open, std::size_t nameLength)
{
    m_joined.clear();
    m_attributes.clear();
    // A position kept from before an edit may no longer open a tag: refused, not read as one.
    if (open.nLine < 0 || std::size_t(open.nLine) >= lines.size())
        return false;
    const std::string& first = lines[std::size_t(open.nLine)];
    if (open.nCol >= first.size() || first.size() - open.nCol < 1 + nameLength || first[open.nCol] != '<')
        return false;
    m_nNameEnd = 1 + nameLength;
    m_lineText = std::string_view(lines[open.nLine]).substr(open.nCol);
    std::size_t pos = m_nNameEnd;
    ETagState state = ETagState::kBeforeName;
    std::size_t close = Tokenize(m_lineText, pos, state, m_attributes);
    int line = open.nLine;
    while (close == npos) {
        if (++line == static_cast<int>(lines.size()))
            return false;
        if (m_joined.empty())
            m_joined = m_lineText;
        m_joined += '\n';
        m_joined += lines[line];
        close = Tokenize(m_joined, pos, state, m_attributes);
    }
    const std::size_t lineStart = line == open.nLine ? 0 : Text().rfind('\n') + 1;
    const std::size_t closeCol = close - lineStart + (line == open.nLine ? open.nCol : 0);
    m_span = {open, {line, closeCol + 1}};
    if (m_joined.empty())
        m_lineText = m_lineText.substr(0, close + 1);
    else
        m_joined.resize(close + 1);
    return true;
}

const CTagAttribute* CStartTag::Find(std::string_view upperName) const
{
    const std::string_view text = Text();
    for (const CTagAttribute& attribute : m_attributes) {
        if (attribute.nNameEnd - attribute.nNameStart == upperName.size() &&
            EqualsNoCase(text.substr(attribute.nNameStart, upperName.size()), upperName))
            return &attribute;
    }
    return nullptr;
}

std::optional<std::string_view> CStartTag::Value(std::string_view upperName) const
{
    const CTagAttribute* attribute = Find(upperName);
    if (!attribute)
        return std::nullopt;
    return ValueOf(*attribute);
}

CTagSpan ReplaceSpan(CLines& lines, const CTagSpan& span, std::string_view text)
{
    const int first = span.open.nLine;
    const int last = span.end.nLine;
    std::string before = lines[first].substr(0, span.open.nCol);
    const std::string after = lines[last].substr(span.end.nCol);
    CLines pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t newline = text.find('\n', start);
        pieces.emplace_back(text.substr(start, newline == npos ? npos : newline - start));
        if (newline == npos)
            break;
        start = newline + 1;
    }
    const CTagSpan written{span.open, {first + static_cast<int>(pieces.size()) - 1,
                                       (pieces.size() == 1 ? span.open.nCol : 0) + pieces.back().size()}};
    pieces.front().insert(0, before);
    pieces.back() += after;
    // Lines are added before any is changed, so running out of memory changes nothing.
    const std::size_t replaced = last - first + 1;
    if (pieces.size() > replaced)
        lines.insert(lines.begin() + last + 1, pieces.size() - replaced, std::string());
    else
        lines.erase(lines.begin() + first + pieces.size(), lines.begin() + last + 1);
    std::move(pieces.begin(), pieces.end(), lines.begin() + first);
    return written;
}

std::optional<CTagFind> FindNextTag(const CLines& lines, CTextPos from, std::initializer_list<std::string_view> names)
{
    std::size_t line = from.nLine;
    std::size_t col = from.nCol;
    while (line < lines.size()) {
        const std::string_view text = lines[line];
        const std::size_t lt = text.find('<', col);
        if (lt == npos) {
            ++line;
            col = 0;
            continue;
        }
        if (text.substr(lt, 4) == "<!--") {
            // A comment hides every tag in it, up to its "-->" however many lines on.
            std::size_t close = text.find("-->", lt + 4);
            while (close == npos) {
                if (++line == lines.size())
                    return std::nullopt;
                close = std::string_view(lines[line]).find("-->");
            }
            col = close + 3;
            continue;
        }
        std::size_t index = 0;
        for (const std::string_view name : names) {
            if (StartsTagNamed(text, lt, name))
                return CTagFind{index, {static_cast<int>(line), lt}};
            ++index;
        }
        col = lt + 1;
    }
    return std::nullopt;
}

}  // namespace mapwright
