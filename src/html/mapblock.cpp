#include "html/mapblock.h"

#include "html/textsearch.h"

namespace mapwright {

std::optional<CTextPos> FindMapBlock(const CLines& lines, std::string_view mapName)
{
    CTextPos from;
    CStartTag tag;
    while (const std::optional<CTagFind> found = FindNextTag(lines, from, {"MAP"})) {
        if (!tag.Read(lines, found->pos, 3))
            return std::nullopt;
        const std::optional<std::string_view> name = tag.Value("NAME");
        if (name && EqualsNoCase(*name, mapName))
            return tag.Span().end;
        from = tag.Span().end;
    }
    return std::nullopt;
}

}  // namespace mapwright
