#include "html/pagenames.h"

#include "html/textsearch.h"

#include <optional>

namespace mapwright {

namespace {

// A value after its '=' (blanks skipped): from a double quote to the next one, else to the first
// blank or '>'. The opening quote stays in; the callers trim quotes.
std::string_view ValueAt(std::string_view text, std::size_t pos)
{
    pos = SkipBlanks(text, pos);
    std::size_t end;
    if (pos < text.size() && text[pos] == '"') {
        end = text.find('"', pos + 1);
    } else {
        end = text.find_first_of(" \t>", pos);
    }
    return text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
}

std::string_view TrimLeading(std::string_view text, char c)
{
    while (!text.empty() && text.front() == c)
        text.remove_prefix(1);
    return text;
}

std::string_view TrimTrailing(std::string_view text, char c)
{
    while (!text.empty() && text.back() == c)
        text.remove_suffix(1);
    return text;
}

std::string ImageNameFrom(std::string_view line, std::size_t srcPos)
{
    std::string_view value = ValueAt(line, srcPos + 4);
    value = TrimLeadingBlanks(TrimLeading(TrimLeadingBlanks(value), '"'));
    value = TrimTrailingBlanks(TrimTrailing(TrimTrailingBlanks(value), '"'));
    return std::string(value);
}

// Nothing is taken when " USEMAP" is not followed by '='.
std::optional<std::string> MapNameFrom(std::string_view upper, std::size_t usemapPos)
{
    const std::size_t equals = SkipBlanks(upper, usemapPos + 7);
    if (equals >= upper.size() || upper[equals] != '=')
        return std::nullopt;
    std::string_view value = ValueAt(upper, equals + 1);
    value = TrimLeadingBlanks(TrimLeading(TrimLeading(TrimLeadingBlanks(value), '"'), '#'));
    value = TrimTrailing(TrimTrailingBlanks(value), '"');
    return std::string(value);
}

}  // namespace

CPageNames FindPageNames(const CLines& lines)
{
    CPageNames names;
    for (const std::string& line : lines) {
        const std::string upper = UpperAscii(line);
        const std::size_t src = upper.find("SRC=");
        const std::size_t usemap = upper.find(" USEMAP");
        if (src != std::string::npos && usemap != std::string::npos)
            names.strImageName = ImageNameFrom(line, src);
        if (usemap != std::string::npos) {
            if (std::optional<std::string> mapName = MapNameFrom(upper, usemap))
                names.strMapName = std::move(*mapName);
        }
        if (src != std::string::npos || (!names.strImageName.empty() && !names.strMapName.empty()))
            break;
    }
    return names;
}

}  // namespace mapwright
