#include "html/mapreader.h"

#include "html/attributes.h"
#include "html/mapblock.h"
#include "html/textsearch.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

namespace mapwright {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// A larger radius is taken as this one, so that centre plus radius, its square and its size at
// the highest zoom all stay within the integers that drawing and hit testing use.
constexpr int kMaxRadius = 100'000'000;

// The texts of one AREA tag as written, quotes left out; a missing attribute reads as empty.
struct CTagTexts {
    std::string_view strShape;
    std::string_view strCoords;
    std::string_view strHref;
    std::string_view strTarget;
    std::string_view strAlt;
    std::string_view strOver;
    std::string_view strOut;
    std::string_view strTitle;
};

CTagTexts ReadTexts(const CStartTag& tag)
{
    CTagTexts texts;
    texts.strShape = tag.Value("SHAPE").value_or("");
    texts.strCoords = tag.Value("COORDS").value_or("");
    texts.strHref = tag.Value("HREF").value_or("");
    texts.strTarget = tag.Value("TARGET").value_or("");
    texts.strAlt = tag.Value("ALT").value_or("");
    texts.strOver = tag.Value("ONMOUSEOVER").value_or("");
    texts.strOut = tag.Value("ONMOUSEOUT").value_or("");
    texts.strTitle = tag.Value("TITLE").value_or("");
    return texts;
}

bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The C library's decimal conversion: blanks, a sign, digits; no digits give 0. Values beyond
// the 32-bit range stay at its ends.
int ToInt(std::string_view piece)
{
    std::size_t i = 0;
    while (i < piece.size() && IsCSpace(piece[i]))
        ++i;
    bool negative = false;
    if (i < piece.size() && (piece[i] == '+' || piece[i] == '-')) {
        negative = piece[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < piece.size() && piece[i] >= '0' && piece[i] <= '9'; ++i) {
        value = value * 10 + (piece[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

bool IsCoordSeparator(char c)
{
    return c == ',' || c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// Reads a coordinate list as browsers do: numbers separated by commas and blanks in any mix, a
// separator at either end adding nothing, a fraction cut off; an empty list has none.
void ReadNumbers(std::string_view coords, std::vector<int>& numbers)
{
    numbers.clear();
    std::size_t i = 0;
    for (;;) {
        while (i < coords.size() && IsCoordSeparator(coords[i]))
            ++i;
        if (i == coords.size())
            return;
        const std::size_t start = i;
        while (i < coords.size() && !IsCoordSeparator(coords[i]))
            ++i;
        numbers.push_back(ToInt(coords.substr(start, i - start)));
    }
}

int Piece(const std::vector<int>& numbers, std::size_t index)
{
    return index < numbers.size() ? numbers[index] : 0;
}

// Negative to 0, then not less than size to size - 1.
int ClampLowFirst(int value, int size)
{
    if (value < 0)
        value = 0;
    if (value >= size)
        value = size - 1;
    return value;
}

// Not less than size to size - 1, then negative to 0.
int ClampHighFirst(int value, int size)
{
    if (value >= size)
        value = size - 1;
    if (value < 0)
        value = 0;
    return value;
}

std::unique_ptr<CRectArea> MakeRect(const std::vector<int>& numbers, int width, int height)
{
    const int x1 = ClampLowFirst(Piece(numbers, 0), width);
    const int y1 = ClampLowFirst(Piece(numbers, 1), height);
    const int x2 = ClampLowFirst(Piece(numbers, 2), width);
    const int y2 = ClampLowFirst(Piece(numbers, 3), height);
    auto area = std::make_unique<CRectArea>();
    area->left = std::min(x1, x2);
    area->right = std::max(x1, x2);
    area->top = std::min(y1, y2);
    area->bottom = std::max(y1, y2);
    return area;
}

std::unique_ptr<CCircleArea> MakeCircle(const std::vector<int>& numbers, int width, int height)
{
    auto area = std::make_unique<CCircleArea>();
    area->x = ClampHighFirst(Piece(numbers, 0), width);
    area->y = ClampHighFirst(Piece(numbers, 1), height);
    const int radius = Piece(numbers, 2);
    area->radius = radius < 0 ? 5 : std::min(radius, kMaxRadius);
    return area;
}

std::unique_ptr<CPolyArea> MakePoly(const std::vector<int>& numbers, int width, int height)
{
    auto area = std::make_unique<CPolyArea>();
    // A last number without its partner is left out.
    area->m_points.reserve(numbers.size() / 2);
    for (std::size_t i = 0; i + 1 < numbers.size(); i += 2) {
        area->m_points.emplace_back(ClampLowFirst(numbers[i], width), ClampLowFirst(numbers[i + 1], height),
                                    kPolygonVertex);
    }
    if (area->m_points.empty())
        area->m_points.emplace_back(0, 0, kPolygonVertex);
    return area;
}

// The bytes of the page being read, found once and only when a value has a reference to decode.
class CPageBytes {
public:
    explicit CPageBytes(const CLines& lines) : m_lines(lines) {}
    EPageBytes Get()
    {
        if (!m_bytes)
            m_bytes = PageBytesOf(m_lines);
        return *m_bytes;
    }

private:
    const CLines& m_lines;
    std::optional<EPageBytes> m_bytes;
};

// An attribute's text: its character references decoded, the line breaks of a value written over
// several lines read as blanks.
std::string AttributeText(std::string_view value, CPageBytes& page)
{
    std::string text = value.find('&') == std::string_view::npos ? std::string(value)
                                                                  : DecodeAttributeText(value, page.Get());
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

template <class Area>
void Append(std::unique_ptr<Area> area, const CTagTexts& texts, int selectedIndex, CPageBytes& page,
            CAreaList& areas)
{
    area->m_strHref = AttributeText(texts.strHref, page);
    area->m_strAlt = AttributeText(texts.strAlt, page);
    area->m_strStatusOut = ExtractStatusText(AttributeText(texts.strOut, page));
    area->m_strStatusOver = ExtractStatusText(AttributeText(texts.strOver, page));
    area->m_strTarget = AttributeText(texts.strTarget, page);
    area->m_strTitle = AttributeText(texts.strTitle, page);
    if constexpr (!std::is_same_v<Area, CPolyArea>)
        area->BuildHandles();
    areas.AppendArea(std::move(area), areas.AreaCount() + 1 == selectedIndex);
}

void AddArea(const CTagTexts& texts, int width, int height, int selectedIndex, std::vector<int>& numbers,
             CPageBytes& page, CAreaList& areas)
{
    ReadNumbers(texts.strCoords, numbers);
    switch (ShapeOf(texts.strShape)) {
    case EAreaShape::kCircle: Append(MakeCircle(numbers, width, height), texts, selectedIndex, page, areas); break;
    case EAreaShape::kPolygon: Append(MakePoly(numbers, width, height), texts, selectedIndex, page, areas); break;
    case EAreaShape::kRectangle: Append(MakeRect(numbers, width, height), texts, selectedIndex, page, areas); break;
    }
}

}  // namespace

EAreaShape ShapeOf(std::string_view shape)
{
    if (EqualsNoCase(shape, "CIRCLE") || EqualsNoCase(shape, "CIRC"))
        return EAreaShape::kCircle;
    if (EqualsNoCase(shape, "POLY") || EqualsNoCase(shape, "POLYGON"))
        return EAreaShape::kPolygon;
    return EAreaShape::kRectangle;
}

void ParseMap(const CLines& lines, std::string_view mapName, int imageWidth, int imageHeight,
              CAreaList& areas)
{
    ParseMap(lines, mapName, imageWidth, imageHeight, areas.GetSelectedIndex(), areas);
}

void ParseMap(const CLines& lines, std::string_view mapName, int imageWidth, int imageHeight,
              int selectedIndex, CAreaList& areas)
{
    areas.ClearAreas();
    std::vector<int> numbers;
    CPageBytes page(lines);
    WalkAreaTags(lines, mapName, [&](int, const CStartTag& tag) {
        AddArea(ReadTexts(tag), imageWidth, imageHeight, selectedIndex, numbers, page, areas);
        return true;
    });
}

std::optional<CTagSpan> ReadAreaTag(const CLines& lines, std::string_view mapName, int imageWidth,
                                    int imageHeight, int n, CAreaList& areas)
{
    areas.ClearAreas();
    std::optional<CTagSpan> span;
    if (n < 1)
        return span;
    std::vector<int> numbers;
    CPageBytes page(lines);
    WalkAreaTags(lines, mapName, [&](int number, const CStartTag& tag) {
        if (number < n)
            return true;
        AddArea(ReadTexts(tag), imageWidth, imageHeight, 0, numbers, page, areas);
        span = tag.Span();
        return false;
    });
    return span;
}

std::optional<CTagSpan> ReadAreaTagAt(const CLines& lines, CTextPos open, int imageWidth, int imageHeight,
                                      CAreaList& areas)
{
    areas.ClearAreas();
    CStartTag tag;
    if (!tag.Read(lines, open, 4))
        return std::nullopt;
    std::vector<int> numbers;
    CPageBytes page(lines);
    AddArea(ReadTexts(tag), imageWidth, imageHeight, 0, numbers, page, areas);
    return tag.Span();
}

}  // namespace mapwright
