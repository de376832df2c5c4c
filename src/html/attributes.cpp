#include "html/attributes.h"

#include "html/textsearch.h"

namespace mapwright {

const std::string_view kAttributeNames[kAttributeCount] = {
    "SHAPE=", "COORDS=", "HREF=", "ALT=", "ONMOUSEOVER=", "ONMOUSEOUT=", "TARGET=",
};

namespace {

constexpr std::size_t npos = std::string_view::npos;

struct CNameChars {
    bool table[256] = {};
    constexpr CNameChars()
    {
        for (int c = 0; c < 256; ++c) {
            table[c] = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                       c == '_' || c == '.' || c == ':' || c >= 0x80;
        }
    }
};

constexpr CNameChars kNameChars;

bool IsNameChar(char c)
{
    return kNameChars.table[static_cast<unsigned char>(c)];
}

bool StartsWithNoCase(std::string_view text, std::size_t pos, std::string_view upperName)
{
    return text.size() - pos >= upperName.size() && EqualsNoCase(text.substr(pos, upperName.size()), upperName);
}

// Calls onBoundary(i) for every position of text[from, to) where a name may start, keeping the
// quoting state; stops early when onBoundary returns true.
template <class OnBoundary>
void ScanBoundaries(std::string_view text, std::size_t from, std::size_t to, CTagLexState& state,
                    OnBoundary onBoundary)
{
    for (std::size_t i = from; i < to; ++i) {
        const char c = text[i];
        if (state.chQuote != 0) {
            // Nothing inside a quoted value counts: go straight to its closing quote.
            const std::size_t close = text.substr(0, to).find(state.chQuote, i);
            if (close == npos)
                return;
            state.chQuote = 0;
            i = close;
            continue;
        }
        if (state.bAfterEquals) {
            if (IsBlank(c))
                continue;
            state.bAfterEquals = false;
            if (c == '"' || c == '\'') {
                state.chQuote = c;
                continue;
            }
        }
        if ((i == from || !IsNameChar(text[i - 1])) && onBoundary(i))
            return;
        if (c == '=')
            state.bAfterEquals = true;
    }
}

void AppendEscaped(std::string& out, char c)
{
    switch (c) {
    case '"': out += "&quot;"; break;
    case '<': out += "&lt;"; break;
    case '>': out += "&gt;"; break;
    default: out += c; break;
    }
}

}  // namespace

CAttributeFinds FindAttributes(std::string_view text, std::size_t from, std::size_t to,
                               CTagLexState& state)
{
    CAttributeFinds finds;
    for (std::size_t& pos : finds.pos)
        pos = npos;
    const std::string_view part = text.substr(0, to);
    ScanBoundaries(text, from, to, state, [&](std::size_t i) {
        switch (part[i]) {
        case 'S': case 's': case 'C': case 'c': case 'H': case 'h':
        case 'A': case 'a': case 'O': case 'o': case 'T': case 't':
            break;
        default:
            return false;  // no name starts with any other letter
        }
        for (int k = 0; k < kAttributeCount; ++k) {
            if (finds.pos[k] == npos && StartsWithNoCase(part, i, kAttributeNames[k])) {
                finds.pos[k] = i;
                break;
            }
        }
        return false;
    });
    return finds;
}

std::size_t FindAttributeName(std::string_view text, std::string_view upperName)
{
    std::size_t found = npos;
    CTagLexState state;
    ScanBoundaries(text, 0, text.size(), state, [&](std::size_t i) {
        if (!StartsWithNoCase(text, i, upperName))
            return false;
        found = i;
        return true;
    });
    return found;
}

std::string EscapeAttributeText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text)
        AppendEscaped(out, c);
    return out;
}

std::string EscapeStatusText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == '\\' || c == '\'')
            out += '\\';
        AppendEscaped(out, c);
    }
    return out;
}

std::string DecodeAttributeText(std::string_view text)
{
    if (text.find('&') == npos)
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            const std::string_view rest = text.substr(i);
            if (rest.starts_with("&quot;")) {
                out += '"';
                i += 5;
                continue;
            }
            if (rest.starts_with("&lt;")) {
                out += '<';
                i += 3;
                continue;
            }
            if (rest.starts_with("&gt;")) {
                out += '>';
                i += 3;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::string ExtractStatusText(std::string_view value)
{
    static constexpr std::string_view kStatus = "status=";
    const std::size_t at = value.find(kStatus);
    if (at == npos)
        return std::string(value);
    const std::size_t open = at + kStatus.size();
    if (open >= value.size())
        return {};
    const char quote = value[open];
    if (quote != '"' && quote != '\'')
        return {};
    std::string text;
    for (std::size_t i = open + 1; i < value.size(); ++i) {
        const char c = value[i];
        if (c == quote)
            return text;
        if (c == '\\' && i + 1 < value.size()) {
            const char next = value[i + 1];
            if (next == '\'' || next == '"' || next == '\\') {
                text += next;
                ++i;
                continue;
            }
        }
        text += c;
    }
    return {};  // the string never closes
}

}  // namespace mapwright
