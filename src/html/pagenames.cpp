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

namespace {

// Writes value, in double quotes, as the value of attribute upperName of the mapped IMG tag, an
// absent one added after the tag name. Returns false when there is no such tag.
bool SetMappedImageValue(CLines& lines, std::string_view upperName, std::string_view value)
{
    CStartTag tag;
    if (!FindMappedImage(lines, tag))
        return false;
    const std::string_view text = tag.Text();
    const std::string quoted = '"' + EscapeAttributeText(value) + '"';
    std::string rewritten;
    if (const CTagAttribute* attribute = tag.Find(upperName)) {
        const std::size_t start = attribute->bHasValue ? (attribute->chQuote ? attribute->nValueStart - 1 : attribute->nValueStart)
                                                       : attribute->nNameEnd;
        rewritten = std::string(text.substr(0, start)) + (attribute->bHasValue ? "" : "=") + quoted +
                    std::string(text.substr(attribute->nEnd));
    } else {
        rewritten = std::string(text.substr(0, tag.NameEnd())) + " " + std::string(upperName) + "=" + quoted +
                    std::string(text.substr(tag.NameEnd()));
    }
    ReplaceSpan(lines, tag.Span(), rewritten);
    return true;
}

// True when the IMG tag gives a size in pixels: digits alone, blanks around them allowed.
bool IsPixelCount(std::optional<std::string_view> value)
{
    if (!value)
        return false;
    const std::string_view digits = TrimValueBlanks(*value);
    return !digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

bool PointMappedImageAt(CLines& lines, std::string_view source)
{
    return SetMappedImageValue(lines, "SRC", source);
}

void ResizeMappedImage(CLines& lines, int width, int height)
{
    CStartTag tag;
    if (!FindMappedImage(lines, tag))
        return;
    const bool hasWidth = IsPixelCount(tag.Value("WIDTH"));
    const bool hasHeight = IsPixelCount(tag.Value("HEIGHT"));
    // Digits need no quotes: only the value's own bytes change, its quoting stays the author's.
    const auto setDigits = [&lines](std::string_view name, int value) {
        CStartTag current;
        FindMappedImage(lines, current);
        const CTagAttribute& attribute = *current.Find(name);
        const std::string_view text = current.Text();
        ReplaceSpan(lines, current.Span(),
                    std::string(text.substr(0, attribute.nValueStart)) + std::to_string(value) +
                        std::string(text.substr(attribute.nValueEnd)));
    };
    if (hasWidth)
        setDigits("WIDTH", width);
    if (hasHeight)
        setDigits("HEIGHT", height);
}

}  // namespace mapwright
