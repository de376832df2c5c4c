#include "html/svgoverlay.h"

#include "html/attributes.h"
#include "html/textbytes.h"

#include <array>
#include <cstdint>
#include <optional>

namespace mapwright {

namespace {

// Characters XML 1.0 allows: a control character other than tab and line ends makes the file
// unreadable, so it is left out.
bool IsXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

// Reads one UTF-8 character at pos of valid UTF-8 text and moves pos past it.
char32_t NextUtf8(std::string_view text, std::size_t& pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(pos);
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    for (int i = 1; i < length; ++i)
        c = (c << 6) | (byte(pos + static_cast<std::size_t>(i)) & 0x3F);
    pos += static_cast<std::size_t>(length);
    return c;
}

// A numeric reference at text[pos] ('&'), as a page of Windows-1252 bytes keeps one to a
// character it cannot hold; nothing when it is none.
std::optional<char32_t> ReadNumericReference(std::string_view text, std::size_t pos, std::size_t& length)
{
    const std::size_t semicolon = text.find(';', pos);
    if (semicolon == std::string_view::npos || semicolon - pos > 12 || semicolon - pos < 3 || text[pos + 1] != '#')
        return std::nullopt;
    const std::string decoded = DecodeAttributeText(text.substr(pos, semicolon - pos + 1), EPageBytes::kUtf8);
    std::size_t at = 0;
    if (decoded.empty() || decoded[0] == '&' || !IsValidUtf8(decoded))
        return std::nullopt;
    length = semicolon - pos + 1;
    return NextUtf8(decoded, at);
}

void AppendXmlChar(std::string& out, char32_t c)
{
    switch (c) {
    case '&': out += "&amp;"; return;
    case '<': out += "&lt;"; return;
    case '>': out += "&gt;"; return;
    case '"': out += "&quot;"; return;
    case '\'': out += "&apos;"; return;
    default: break;
    }
    if (IsXmlChar(c))
        AppendCharacter(out, c, EPageBytes::kUtf8);
}

std::string Number(int value) { return std::to_string(value); }

std::string ShapeMarkup(const CMapArea& area)
{
    return VisitArea(area, [](const auto& shape) -> std::string {
        using Shape = std::decay_t<decltype(shape)>;
        if constexpr (std::is_same_v<Shape, CRectArea>) {
            return "<rect x=\"" + Number(shape.left) + "\" y=\"" + Number(shape.top) + "\" width=\"" +
                   Number(shape.right - shape.left) + "\" height=\"" + Number(shape.bottom - shape.top) + "\"/>";
        } else if constexpr (std::is_same_v<Shape, CCircleArea>) {
            return "<circle cx=\"" + Number(shape.x) + "\" cy=\"" + Number(shape.y) + "\" r=\"" +
                   Number(shape.radius) + "\"/>";
        } else {
            std::string points;
            for (const CAreaPoint& point : shape.m_points)
                points += (points.empty() ? "" : " ") + Number(point.x) + "," + Number(point.y);
            return "<polygon points=\"" + points + "\"/>";
        }
    });
}

// Shapes take clicks (a fill of opacity 0 still counts as painted) but show nothing until
// focused; then a dashed dark-and-light line shows on any picture, at any width.
constexpr std::string_view kStyle =
    "<style>"
    ".mw-area{fill:#fff;fill-opacity:0;stroke:none}"
    "a{outline:none}"
    "a:focus .mw-area,a:focus-visible .mw-area{stroke:#000;stroke-width:3px;stroke-dasharray:6 3;"
    "vector-effect:non-scaling-stroke;filter:drop-shadow(0 0 1px #fff)}"
    "</style>";

}  // namespace

std::string XmlText(std::string_view text, bool utf8)
{
    // Text that claims UTF-8 but is not (a typed line in a UTF-8 page) is read byte by byte too.
    utf8 = utf8 && IsValidUtf8(text);
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t length = 0;
        // The reader decoded every reference but those to characters Windows-1252 bytes cannot hold.
        if (!utf8 && text[pos] == '&') {
            if (const std::optional<char32_t> c = ReadNumericReference(text, pos, length)) {
                AppendXmlChar(out, *c);
                pos += length;
                continue;
            }
        }
        const auto byte = static_cast<std::uint8_t>(text[pos]);
        if (utf8) {
            AppendXmlChar(out, NextUtf8(text, pos));
        } else {
            AppendXmlChar(out, byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : char32_t(byte));
            ++pos;
        }
    }
    return out;
}

std::string WriteSvgOverlay(const CAreaList& areas, const CSvgOverlayOptions& options)
{
    const std::string width = Number(options.nWidth);
    const std::string height = Number(options.nHeight);
    std::string svg;
    if (options.bStandalone)
        svg += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + width + " " + height +
           "\" style=\"width:100%;height:auto\">\n";
    svg += std::string(kStyle) + "\n";
    svg += "<image href=\"" + XmlText(options.imageHref, options.bUtf8) + "\" width=\"" + width + "\" height=\"" +
           height + "\"/>\n";
    // Later elements are drawn over earlier ones and take the click: the first area goes last.
    for (auto it = areas.Areas().rbegin(); it != areas.Areas().rend(); ++it) {
        const CMapArea& area = **it;
        const std::string name = XmlText(area.m_strAlt, options.bUtf8);
        svg += "<a";
        // An area without a link still covers what lies under it, as in an image map.
        if (!area.m_strHref.empty())
            svg += " href=\"" + XmlText(area.m_strHref, options.bUtf8) + "\"";
        if (!area.m_strTarget.empty())
            svg += " target=\"" + XmlText(area.m_strTarget, options.bUtf8) + "\"";
        if (!name.empty())
            svg += " aria-label=\"" + name + "\"";
        svg += ">";
        if (!name.empty())
            svg += "<title>" + name + "</title>";
        const std::string shape = ShapeMarkup(area);
        svg += shape.substr(0, shape.size() - 2) + " class=\"mw-area\"/></a>\n";
    }
    svg += "</svg>\n";
    return svg;
}

}  // namespace mapwright
