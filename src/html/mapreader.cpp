#include "html/mapreader.h"

#include "html/attributes.h"
#include "html/mapblock.h"
#include "html/textsearch.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <type_traits>
#include <vector>

namespace mapwright {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// A larger radius is taken as this one, so that centre plus radius, its square and its size at
// the highest zoom all stay within the integers that drawing and hit testing use.
constexpr int kMaxRadius = 100'000'000;

// The seven texts of one AREA tag as found so far, cut from the lines; a later find overwrites an
// earlier one.
struct CTagTexts {
    std::string_view strShape;
    std::string_view strCoords;
    std::string_view strHref;
    std::string_view strTarget;
    std::string_view strAlt;
    std::string_view strOver;
    std::string_view strOut;
};

// Cuts text at the first of the given bytes (at most three).
std::string_view CutAtAny(std::string_view text, std::string_view stops)
{
    const char a = stops[0];
    const char b = stops.size() > 1 ? stops[1] : a;
    const char c = stops.size() > 2 ? stops[2] : a;
    std::size_t end = 0;
    while (end < text.size() && text[end] != a && text[end] != b && text[end] != c)
        ++end;
    return text.substr(0, end);
}

// HREF, ALT and the two mouse handlers: blanks, one optional '"', then up to the next '"'.
std::string_view QuotedValue(std::string_view value)
{
    value = TrimLeadingBlanks(value);
    if (!value.empty() && value.front() == '"')
        value.remove_prefix(1);
    return CutAtAny(value, "\"");
}

std::string_view TargetValue(std::string_view value)
{
    value = TrimLeadingBlanks(value);
    if (!value.empty() && value.front() == '"')
        value.remove_prefix(1);
    value = CutAtAny(TrimLeadingBlanks(value), " \t\"");
    value = TrimTrailingBlanks(value);
    while (!value.empty() && value.back() == '"')
        value.remove_suffix(1);
    return TrimTrailingBlanks(value);
}

std::string_view CoordsValue(std::string_view value)
{
    std::size_t begin = 0;
    while (begin < value.size() && (IsBlank(value[begin]) || value[begin] == '"'))
        ++begin;
    return CutAtAny(value.substr(begin), "\"");
}

// Reads the attributes of one part of a tag, text[from, to), into texts.
void ReadPart(std::string_view text, std::size_t from, std::size_t to, CTagLexState& state,
              CTagTexts& texts)
{
    const CAttributeFinds finds = FindAttributes(text, from, to, state);
    for (int k = 0; k < kAttributeCount; ++k) {
        if (finds.pos[k] == npos)
            continue;
        const std::size_t valueStart = finds.pos[k] + kAttributeNames[k].size();
        const std::string_view value = text.substr(valueStart, to - valueStart);
        switch (k) {
        // Shape and coordinates count in upper case: the keyword is compared without regard to
        // case, and letters end a number whatever their case.
        case kAttrShape: texts.strShape = CutAtAny(TrimLeadingBlanks(value), " \t"); break;
        case kAttrCoords: texts.strCoords = CoordsValue(value); break;
        case kAttrHref: texts.strHref = QuotedValue(value); break;
        case kAttrAlt: texts.strAlt = QuotedValue(value); break;
        case kAttrOnMouseOver: texts.strOver = QuotedValue(value); break;
        case kAttrOnMouseOut: texts.strOut = QuotedValue(value); break;
        case kAttrTarget: texts.strTarget = TargetValue(value); break;
        default: break;
        }
    }
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

// Reads the comma-separated pieces of a coordinate list into numbers; an empty list has none.
void ReadNumbers(std::string_view coords, std::vector<int>& numbers)
{
    numbers.clear();
    if (coords.empty())
        return;
    for (;;) {
        const std::size_t comma = coords.find(',');
        numbers.push_back(ToInt(coords.substr(0, comma)));
        if (comma == npos)
            return;
        coords.remove_prefix(comma + 1);
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
    if (numbers.empty()) {
        area->m_points.emplace_back(0, 0, kPolygonVertex);
        return area;
    }
    area->m_points.reserve((numbers.size() + 1) / 2);
    for (std::size_t i = 0; i < numbers.size(); i += 2) {
        area->m_points.emplace_back(ClampLowFirst(numbers[i], width), ClampLowFirst(Piece(numbers, i + 1), height),
                                    kPolygonVertex);
    }
    return area;
}

// The status text of a mouse handler's value, decoded first.
std::string StatusText(std::string_view value)
{
    if (value.find('&') == npos)
        return ExtractStatusText(value);
    return ExtractStatusText(DecodeAttributeText(value));
}

template <class Area>
void Append(std::unique_ptr<Area> area, CTagTexts& texts, int selectedIndex, CAreaLists& areas)
{
    area->m_strHref = DecodeAttributeText(texts.strHref);
    area->m_strAlt = DecodeAttributeText(texts.strAlt);
    area->m_strStatusOut = StatusText(texts.strOut);
    area->m_strStatusOver = StatusText(texts.strOver);
    area->m_strTarget = DecodeAttributeText(texts.strTarget);
    if constexpr (!std::is_same_v<Area, CPolyArea>)
        area->BuildHandles();
    areas.AppendArea(std::move(area), areas.AreaCount() + 1 == selectedIndex);
}

void AddArea(CTagTexts& texts, int width, int height, int selectedIndex, std::vector<int>& numbers,
             CAreaLists& areas)
{
    const std::string_view shape = texts.strShape;
    if (EqualsNoCase(shape, "CIRCLE")) {
        ReadNumbers(texts.strCoords, numbers);
        Append(MakeCircle(numbers, width, height), texts, selectedIndex, areas);
    } else if (EqualsNoCase(shape, "POLY")) {
        ReadNumbers(texts.strCoords, numbers);
        Append(MakePoly(numbers, width, height), texts, selectedIndex, areas);
    } else {
        // An unknown, quoted or missing shape still yields an area, as the empty rectangle.
        if (EqualsNoCase(shape, "RECT"))
            ReadNumbers(texts.strCoords, numbers);
        else
            numbers.assign({0, 0, 0, 0});
        Append(MakeRect(numbers, width, height), texts, selectedIndex, areas);
    }
}

// Walks the AREA tags of the map as a reader of the page sees them. Only tag only (every tag
// when only is 0) has its texts read and is handed to onTag with the positions of its '<' and '>'.
template <class OnTag>
void ScanAreaTags(const CLines& lines, std::string_view mapName, int only, OnTag onTag)
{
    const CMapStart map = FindMapBlock(lines, mapName);
    if (!map.bFound)
        return;
    CTextPos from = map.pos;
    for (int number = 1;; ++number) {
        const CTagMark mark = FindNextTagMark(lines, from);
        if (mark.kind != ETagMark::kArea)
            return;
        const bool wanted = only == 0 || number == only;
        // The tag runs from after "<AREA" to the first '>', over as many lines as it takes.
        CTagTexts texts;
        CTagLexState state;
        std::size_t line = mark.pos.nLine;
        std::size_t partStart = mark.pos.nCol + 5;
        for (;;) {
            const std::string_view text = lines[line];
            const std::size_t close = text.find('>', partStart);
            if (wanted)
                ReadPart(text, partStart, close == npos ? text.size() : close, state, texts);
            if (close != npos) {
                from = {static_cast<int>(line), close + 1};
                break;
            }
            if (++line == lines.size())
                return;  // a tag still open at the end of the text is no area
            partStart = 0;
        }
        if (wanted)
            onTag(texts, CReadTagSpan{mark.pos, {from.nLine, from.nCol - 1}});
        if (number == only)
            return;
    }
}

}  // namespace

void ParseMap(const CLines& lines, std::string_view mapName, int imageWidth, int imageHeight,
              CAreaLists& areas)
{
    ParseMap(lines, mapName, imageWidth, imageHeight, areas.GetSelectedIndex(), areas);
}

void ParseMap(const CLines& lines, std::string_view mapName, int imageWidth, int imageHeight,
              int selectedIndex, CAreaLists& areas)
{
    areas.ClearAreas();
    std::vector<int> numbers;
    ScanAreaTags(lines, mapName, 0, [&](CTagTexts& texts, const CReadTagSpan&) {
        AddArea(texts, imageWidth, imageHeight, selectedIndex, numbers, areas);
    });
}

std::optional<CReadTagSpan> ReadAreaTag(const CLines& lines, std::string_view mapName, int imageWidth,
                                        int imageHeight, int n, CAreaLists& areas)
{
    areas.ClearAreas();
    std::optional<CReadTagSpan> span;
    if (n < 1)
        return span;
    std::vector<int> numbers;
    ScanAreaTags(lines, mapName, n, [&](CTagTexts& texts, const CReadTagSpan& read) {
        AddArea(texts, imageWidth, imageHeight, 0, numbers, areas);
        span = read;
    });
    return span;
}

}  // namespace mapwright
