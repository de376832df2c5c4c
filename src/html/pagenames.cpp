#include "html/pagenames.h"

#include "html/attributes.h"
#include "html/starttag.h"
#include "html/textsearch.h"

#include <optional>

namespace mapwright {

namespace {

bool IsValueBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

std::string_view TrimValueBlanks(std::string_view value)
{
    while (!value.empty() && IsValueBlank(value.front()))
        value.remove_prefix(1);
    while (!value.empty() && IsValueBlank(value.back()))
        value.remove_suffix(1);
    return value;
}

// Reads the first IMG tag with a USEMAP into tag; false when there is none.
bool FindMappedImage(const CLines& lines, CStartTag& tag)
{
    CTextPos from;
    while (const std::optional<CTagFind> found = FindNextTag(lines, from, {"IMG"})) {
        if (!tag.Read(lines, found->pos, 3))
            return false;
        if (tag.Find("USEMAP"))
            return true;
        from = tag.Span().end;
    }
    return false;
}

}  // namespace

CPageNames FindPageNames(const CLines& lines)
{
    CPageNames names;
    CStartTag tag;
    if (!FindMappedImage(lines, tag))
        return names;
    names.strImageName = TrimValueBlanks(tag.Value("SRC").value_or(""));
    std::string_view map = TrimValueBlanks(*tag.Value("USEMAP"));
    while (!map.empty() && map.front() == '#')
        map.remove_prefix(1);
    names.strMapName = UpperAscii(TrimValueBlanks(map));
    return names;
}

bool PointMappedImageAt(CLines& lines, std::string_view source)
{
    CStartTag tag;
    if (!FindMappedImage(lines, tag))
        return false;
    const std::string_view text = tag.Text();
    const std::string quoted = '"' + EscapeAttributeText(source) + '"';
    std::string rewritten;
    if (const CTagAttribute* src = tag.Find("SRC")) {
        const std::size_t start = src->bHasValue ? (src->chQuote ? src->nValueStart - 1 : src->nValueStart) : src->nNameEnd;
        rewritten = std::string(text.substr(0, start)) + (src->bHasValue ? "" : "=") + quoted +
                    std::string(text.substr(src->nEnd));
    } else {
        rewritten = std::string(text.substr(0, tag.NameEnd())) + " SRC=" + quoted +
                    std::string(text.substr(tag.NameEnd()));
    }
    ReplaceSpan(lines, tag.Span(), rewritten);
    return true;
}

}  // namespace mapwright
