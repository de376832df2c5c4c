#include "html/attributes.h"

#include "html/entitytable.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace mapwright {

namespace {

constexpr std::size_t npos = std::string_view::npos;

bool IsAsciiAlnum(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// A character reference found at the start of text ("&..."): how many bytes it takes and the
// characters it stands for (a code point, or the UTF-8 of a named one).
struct CReference {
    std::size_t length = 0;
    char32_t codePoint = 0;
    std::string_view named;
};

// A numeric reference "&#N" or "&#xH", its ';' optional, with the code points a browser replaces.
std::optional<CReference> NumericReference(std::string_view text)
{
    const bool hex = text.size() > 2 && (text[2] == 'x' || text[2] == 'X');
    std::size_t i = hex ? 3 : 2;
    const std::size_t digitsStart = i;
    std::uint32_t value = 0;
    for (; i < text.size() && (hex ? IsHexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9')); ++i) {
        const char c = text[i];
        const std::uint32_t digit = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
        value = std::min<std::uint32_t>(value * (hex ? 16 : 10) + digit, 0x110000);
    }
    if (i == digitsStart)
        return std::nullopt;
    if (i < text.size() && text[i] == ';')
        ++i;
    char32_t c = value;
    if (c == 0 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = 0xFFFD;
    else if (c >= 0x80 && c <= 0x9F)
        c = kWindows1252High[c - 0x80];
    return CReference{i, c, {}};
}

// A named reference: the whole name up to its ';', else the longest legacy name, which an
// attribute value takes only when no letter, digit or '=' follows it.
std::optional<CReference> NamedReference(std::string_view text)
{
    const auto references = NamedReferences();
    auto find = [&](std::string_view name) -> const CNamedReference* {
        const auto found = std::lower_bound(references.begin(), references.end(), name,
                                            [](const CNamedReference& entry, std::string_view key) { return entry.name < key; });
        return found != references.end() && found->name == name ? &*found : nullptr;
    };
    std::size_t end = 1;
    while (end < text.size() && IsAsciiAlnum(text[end]))
        ++end;
    if (end == 1)
        return std::nullopt;
    if (end < text.size() && text[end] == ';') {
        if (const CNamedReference* entry = find(text.substr(1, end)))
            return CReference{end + 1, 0, entry->utf8};
    }
    constexpr std::size_t kLongestLegacyName = 6;
    for (std::size_t length = std::min(end - 1, kLongestLegacyName); length >= 2; --length) {
        const CNamedReference* entry = find(text.substr(1, length));
        if (!entry)
            continue;
        const std::size_t after = 1 + length;
        if (after < text.size() && (IsAsciiAlnum(text[after]) || text[after] == '='))
            return std::nullopt;
        return CReference{after, 0, entry->utf8};
    }
    return std::nullopt;
}

// The UTF-8 of a named reference as the page's bytes; false when they cannot hold it.
bool AppendNamed(std::string& out, std::string_view utf8, EPageBytes page)
{
    if (page == EPageBytes::kUtf8) {
        out += utf8;
        return true;
    }
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0xFF >> (length + 1));
        for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k)
            c = c << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        if (!AppendCharacter(bytes, c, page))
            return false;
        i += length;
    }
    out += bytes;
    return true;
}

// True when text starts with a numeric reference to a character that a Windows-1252 page cannot
// hold: such a reference stands in a text for that character and is written as it is.
bool IsUnheldCharacterReference(std::string_view text)
{
    if (text.size() < 3 || text[1] != '#')
        return false;
    const std::optional<CReference> reference = NumericReference(text);
    return reference && text[reference->length - 1] == ';' && Windows1252Byte(reference->codePoint) < 0;
}

}  // namespace

std::string EscapeAttributeText(std::string_view text, EPageBytes page)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        switch (text[i]) {
        case '"': out += "&quot;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '&':
            out += page == EPageBytes::kWindows1252 && IsUnheldCharacterReference(text.substr(i)) ? "&" : "&amp;";
            break;
        default: out += text[i]; break;
        }
    }
    return out;
}

std::string StatusHandler(std::string_view text)
{
    std::string out = "window.status='";
    for (const char c : text) {
        if (c == '\\' || c == '\'')
            out += '\\';
        out += c;
    }
    out += "'; return true";
    return out;
}

std::string DecodeAttributeText(std::string_view text, EPageBytes page)
{
    if (text.find('&') == npos)
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out += text[i];
            continue;
        }
        const std::string_view rest = text.substr(i);
        const std::optional<CReference> reference =
            rest.size() > 1 && rest[1] == '#' ? NumericReference(rest) : NamedReference(rest);
        const bool decoded = reference && (reference->named.empty() ? AppendCharacter(out, reference->codePoint, page)
                                                                    : AppendNamed(out, reference->named, page));
        if (!decoded) {
            // Not a reference, or one the page's bytes cannot hold: it stays as written.
            out += '&';
            continue;
        }
        i += reference->length - 1;
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
