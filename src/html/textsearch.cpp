#include "html/textsearch.h"

#include <cstring>

namespace mapwright {

namespace {

constexpr char ToUpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

std::string UpperAscii(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

std::size_t SkipBlanks(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    return pos < text.size() ? pos : text.size();
}

std::string_view TrimLeadingBlanks(std::string_view text)
{
    return text.substr(SkipBlanks(text, 0));
}

std::string_view TrimTrailingBlanks(std::string_view text)
{
    std::size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1]))
        --end;
    return text.substr(0, end);
}

std::size_t FindNoCase(std::string_view text, std::string_view upperNeedle, std::size_t pos)
{
    if (upperNeedle.empty())
        return pos <= text.size() ? pos : std::string_view::npos;
    if (pos > text.size() || text.size() - pos < upperNeedle.size())
        return std::string_view::npos;
    const char first = upperNeedle[0];
    const bool firstIsLetter = first >= 'A' && first <= 'Z';
    const char firstLower = firstIsLetter ? static_cast<char>(first - 'A' + 'a') : first;
    const char* const begin = text.data();
    const char* const last = begin + (text.size() - upperNeedle.size());
    for (const char* at = begin + pos; at <= last; ++at) {
        if (!firstIsLetter) {
            // Most needles start with '<': let memchr skip the text between tags.
            at = static_cast<const char*>(std::memchr(at, first, static_cast<std::size_t>(last - at) + 1));
            if (at == nullptr)
                break;
        } else if (*at != first && *at != firstLower) {
            continue;
        }
        std::size_t k = 1;
        while (k < upperNeedle.size() && ToUpperAscii(at[k]) == upperNeedle[k])
            ++k;
        if (k == upperNeedle.size())
            return static_cast<std::size_t>(at - begin);
    }
    return std::string_view::npos;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ToUpperAscii(a[i]) != ToUpperAscii(b[i]))
            return false;
    }
    return true;
}

}  // namespace mapwright
