#include "html/textsearch.h"

namespace mapwright {

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

}  // namespace mapwright
