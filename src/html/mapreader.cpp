#include "html/mapreader.h"

#include "html/attributes.h"
#include "html/mapblock.h"
#include "html/textbytes.h"
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

// The areas of the last reading of the list being read again. An area read where one of the same
// shape stood takes over that object with the room of its texts and points: reading tens of
// thousands of areas again then neither frees nor allocates them one by one, which costs more than
// the reading itself once they no longer fit in the processor's caches. Every value of a taken
// area is set anew by the reading.
class CSpareAreas {
public:
    CSpareAreas() = default;
    explicit CSpareAreas(CAreaList::CAreas areas) : m_areas(std::move(areas)) {}

    // The area to read next: the spare one at its place when of shape Area, else a new one.
    template <class Area>
    std::unique_ptr<Area> Next()
    {
        const std::size_t place = m_nNext++;
        if (place < m_areas.size()) {
            if (auto* spare = dynamic_cast<Area*>(m_areas[place].get())) {
                m_areas[place].release();
                std::unique_ptr<Area> area(spare);
                area->m_points.clear();
                return area;
            }
        }
        return std::make_unique<Area>();
    }

private:
    CAreaList::CAreas m_areas;
    std::size_t m_nNext = 0;
};

std::unique_ptr<CRectArea> MakeRect(const std::vector<int>& numbers, int width, int height, CSpareAreas& spare)
{
    const int x1 = ClampLowFirst(Piece(numbers, 0), width);
    const int y1 = ClampLowFirst(Piece(numbers, 1), height);
    const int x2 = ClampLowFirst(Piece(numbers, 2), width);
    const int y2 = ClampLowFirst(Piece(numbers, 3), height);
    auto area = spare.Next<CRectArea>();
    area->left = std::min(x1, x2);
    area->right = std::max(x1, x2);
    area->top = std::min(y1, y2);
    area->bottom = std::max(y1, y2);
    return area;
}

std::unique_ptr<CCircleArea> MakeCircle(const std::vector<int>& numbers, int width, int height, CSpareAreas& spare)
{
    auto area = spare.Next<CCircleArea>();
    area->x = ClampHighFirst(Piece(numbers, 0), width);
    area->y = ClampHighFirst(Piece(numbers, 1), height);
    const int radius = Piece(numbers, 2);
    area->radius = radius < 0 ? 5 : std::min(radius, kMaxRadius);
    return area;
}

std::unique_ptr<CPolyArea> MakePoly(const std::vector<int>& numbers, int width, int height, CSpareAreas& spare)
{
    auto area = spare.Next<CPolyArea>();
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
             CPageBytes& page, CAreaList& areas, CSpareAreas& spare)
{
    ReadNumbers(texts.strCoords, numbers);
    switch (ShapeOf(texts.strShape)) {
    case EAreaShape::kCircle: Append(MakeCircle(numbers, width, height, spare), texts, selectedIndex, page, areas); break;
    case EAreaShape::kPolygon: Append(MakePoly(numbers, width, height, spare), texts, selectedIndex, page, areas); break;
    case EAreaShape::kRectangle: Append(MakeRect(numbers, width, height, spare), texts, selectedIndex, page, areas); break;
    }
}

void AddArea(const CTagTexts& texts, int width, int height, int selectedIndex, std::vector<int>& numbers,
             CPageBytes& page, CAreaList& areas)
{
    CSpareAreas none;
    AddArea(texts, width, height, selectedIndex, numbers, page, areas, none);
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
    CSpareAreas spare(areas.TakeAreas());
    std::vector<int> numbers;
    CPageBytes page(lines);
    WalkAreaTags(lines, mapName, [&](int, const CStartTag& tag) {
        AddArea(ReadTexts(tag), imageWidth, imageHeight, selectedIndex, numbers, page, areas, spare);
        return true;
    });
}

void ParseMap(const CLines& lines, std::string_view mapName, int imageWidth, int imageHeight,
              int selectedIndex, CAreaList& areas, std::optional<CMapLayout>& layout)
{
    CSpareAreas spare(areas.TakeAreas());
    // The last reading's room for the tags is used again.
    CMapLayout found;
    if (layout) {
        found.tags = std::move(layout->tags);
        found.tags.clear();
    }
    layout.reset();
    std::vector<int> numbers;
    CPageBytes page(lines);
    const CMapWalk walk = WalkAreaTags(lines, mapName, [&](int, const CStartTag& tag) {
        AddArea(ReadTexts(tag), imageWidth, imageHeight, selectedIndex, numbers, page, areas, spare);
        found.tags.push_back(tag.Span());
        return true;
    });
    if (walk.mapEnd) {
        found.start = walk.mapStart;
        found.end = *walk.mapEnd;
        layout = std::move(found);
    }
}

namespace {

bool AllValidUtf8(CLines::const_iterator begin, CLines::const_iterator end)
{
    return std::all_of(begin, end, [](const std::string& line) { return IsValidUtf8(line); });
}

CTextPos LinesOn(CTextPos pos, std::ptrdiff_t lines)
{
    pos.nLine += static_cast<int>(lines);
    return pos;
}

}  // namespace

std::optional<int> ReadChangedTags(const CLines& lines, const CLines& removed, const CLineChange& change,
                                   std::string_view mapName, int imageWidth, int imageHeight,
                                   const CAreaList& old, CMapLayout& layout, CAreaList& read)
{
    read.ClearAreas();
    const auto first = static_cast<int>(change.nFirst);
    const auto oldEnd = static_cast<int>(change.nFirst + change.nOldCount);
    const std::ptrdiff_t shift = static_cast<std::ptrdiff_t>(change.nNewCount) - static_cast<std::ptrdiff_t>(change.nOldCount);
    if (removed.size() != change.nOldCount || change.nFirst + change.nNewCount > lines.size()
        || static_cast<std::size_t>(old.AreaCount()) != layout.tags.size())
        return std::nullopt;
    // Whether the page is UTF-8 decides how every character reference reads; while the changed
    // lines are UTF-8 before and after, the page stays what it was.
    const auto newBegin = lines.begin() + static_cast<std::ptrdiff_t>(change.nFirst);
    if (!AllValidUtf8(removed.begin(), removed.end())
        || !AllValidUtf8(newBegin, newBegin + static_cast<std::ptrdiff_t>(change.nNewCount)))
        return std::nullopt;
    const auto shiftAfter = [&](std::size_t fromTag) {
        for (std::size_t i = fromTag; i < layout.tags.size(); ++i) {
            layout.tags[i].open = LinesOn(layout.tags[i].open, shift);
            layout.tags[i].end = LinesOn(layout.tags[i].end, shift);
        }
        layout.end = LinesOn(layout.end, shift);
    };
    const int count = static_cast<int>(layout.tags.size());

    // After the map's end the walk never looks.
    if (layout.end.nLine < first)
        return count;

    // Before the map: the walk is the same when it finds the map where it was, since from there
    // on the text is.
    if (layout.start.nLine >= oldEnd) {
        const std::optional<CTextPos> start = FindMapBlock(lines, mapName);
        if (!start || *start != LinesOn(layout.start, shift))
            return std::nullopt;
        layout.start = *start;
        shiftAfter(0);
        return 0;
    }
    if (layout.start.nLine >= first || layout.end.nLine < oldEnd)
        return std::nullopt;

    // Inside the map: the tags from the first that ends on a changed line to the last that starts
    // on one are read again, from the end of the tag before them; the rest reads as before when
    // that reading meets the next unchanged tag (or the map's end) where it was.
    const auto touched = std::partition_point(layout.tags.begin(), layout.tags.end(),
                                              [&](const CTagSpan& tag) { return tag.end.nLine < first; });
    const auto after = std::partition_point(touched, layout.tags.end(),
                                            [&](const CTagSpan& tag) { return tag.open.nLine < oldEnd; });
    const auto k = static_cast<std::size_t>(touched - layout.tags.begin());
    const auto j = static_cast<std::size_t>(after - layout.tags.begin());
    CTextPos from = k > 0 ? layout.tags[k - 1].end : layout.start;
    const CTextPos until = LinesOn(j < layout.tags.size() ? layout.tags[j].open : layout.end, shift);

    std::vector<CTagSpan> spans;
    std::vector<int> numbers;
    CPageBytes page(lines);
    CStartTag tag;
    for (;;) {
        const std::optional<CTagFind> found = FindNextTag(lines, from, {"AREA", "/MAP"});
        if (!found || found->pos > until)
            return std::nullopt;
        // The same text stands there as before: the same tag, or the map's end.
        if (found->pos == until)
            break;
        // A tag read past until makes the next search start after it, and fail.
        if (found->nName != 0 || !tag.Read(lines, found->pos, 4) || spans.size() >= j - k)
            return std::nullopt;
        AddArea(ReadTexts(tag), imageWidth, imageHeight, 0, numbers, page, read);
        spans.push_back(tag.Span());
        from = tag.Span().end;
    }
    if (spans.size() != j - k)
        return std::nullopt;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        if (read.Areas()[i]->Shape() != old.Areas()[k + i]->Shape())
            return std::nullopt;
    }
    std::copy(spans.begin(), spans.end(), layout.tags.begin() + static_cast<std::ptrdiff_t>(k));
    shiftAfter(j);
    return static_cast<int>(k);
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
