#include "html/svgoverlay.h"

#include "html/attributes.h"

#include <array>
#include <cstdint>
#include <optional>

namespace mapwright {

namespace {

// Windows-1252 at 0x80..0x9F; the five bytes it leaves out stand for the C1 control of their value.
constexpr std::array<char32_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

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

// The character an entity reference at text[pos] ('&') stands for, and its length; nothing when
// it is not one of those decoded.
std::optional<char32_t> ReadEntity(std::string_view text, std::size_t pos, std::size_t& length)
{
    const std::size_t semicolon = text.find(';', pos);
    if (semicolon == std::string_view::npos || semicolon - pos > 12)
        return std::nullopt;
    const std::string_view name = text.substr(pos + 1, semicolon - pos - 1);
    length = semicolon - pos + 1;
    static constexpr std::array<std::pair<std::string_view, char32_t>, 6> kNamed = {{
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", 0xA0},
    }};
    for (const auto& [entity, c] : kNamed) {
        if (name == entity)
            return c;
    }
    if (name.size() < 2 || name[0] != '#')
        return std::nullopt;
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty())
        return std::nullopt;
    char32_t value = 0;
    for (char d : digits) {
        int digit = d >= '0' && d <= '9' ? d - '0'
                    : hex && d >= 'a' && d <= 'f' ? d - 'a' + 10
                    : hex && d >= 'A' && d <= 'F' ? d - 'A' + 10 : -1;
        if (digit < 0)
            return std::nullopt;
        value = value * (hex ? 16 : 10) + static_cast<char32_t>(digit);
        if (value > 0x10FFFF)
            return std::nullopt;
    }
    return value;
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
        AppendUtf8(out, c);
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

bool IsUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<std::uint8_t>(bytes[i]);
        int length = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        }
        if (lead >= 0xC2 && lead <= 0xDF)
            length = 2, minimum = 0x80;
        else if (lead >= 0xE0 && lead <= 0xEF)
            length = 3, minimum = 0x800;
        else if (lead >= 0xF0 && lead <= 0xF4)
            length = 4, minimum = 0x10000;
        else
            return false;
        if (i + static_cast<std::size_t>(length) > bytes.size())
            return false;
        char32_t c = lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<std::uint8_t>(bytes[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (next & 0x3F);
        }
        if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return false;
        i += static_cast<std::size_t>(length);
    }
    return true;
}

std::string XmlText(std::string_view text, bool utf8)
{
    // Text that claims UTF-8 but is not (a typed line in a UTF-8 page) is read byte by byte too.
    utf8 = utf8 && IsUtf8(text);
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t length = 0;
        if (text[pos] == '&') {
            if (const std::optional<char32_t> c = ReadEntity(text, pos, length)) {
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
