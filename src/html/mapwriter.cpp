#include "html/mapwriter.h"

#include "html/attributes.h"
#include "html/mapblock.h"
#include "html/textsearch.h"

#include <algorithm>
#include <vector>

namespace mapwright {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// Each attribute as the reader looks it up and as the writer writes it when it adds it.
constexpr std::string_view kUpperNames[kAreaAttributeCount] = {
    "SHAPE", "COORDS", "HREF", "TARGET", "ALT", "TITLE", "ONMOUSEOVER", "ONMOUSEOUT",
};
constexpr std::string_view kWrittenNames[kAreaAttributeCount] = {
    "SHAPE", "COORDS", "HREF", "TARGET", "ALT", "TITLE", "OnMouseOver", "OnMouseOut",
};

// The value attribute k is to hold, before escaping; empty for a text attribute that is to go.
std::string NewValue(const CAreaTagValues& values, int k)
{
    switch (k) {
    case kAttrShape: return std::string(values.keyword);
    case kAttrCoords: return std::string(values.coords);
    case kAttrHref: return std::string(values.href);
    case kAttrTarget: return std::string(values.target);
    case kAttrAlt: return std::string(values.alt);
    case kAttrTitle: return std::string(values.title);
    case kAttrMouseOver: return values.statusOver.empty() ? std::string() : StatusHandler(values.statusOver);
    case kAttrMouseOut: return values.statusOut.empty() ? std::string() : StatusHandler(values.statusOut);
    default: return {};
    }
}

bool IsTagBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// True when value cannot stand without quotes: a browser would end or misread it.
bool NeedsQuotes(std::string_view value)
{
    return value.empty() || value.find_first_of(" \t\n\r\f\"'=<>`") != npos;
}

// value written as the writer writes a new attribute's value: the shape keyword bare, every
// other value in double quotes.
std::string WriterStyleValue(int k, std::string_view value, EPageBytes page)
{
    if (k == kAttrShape)
        return std::string(value);
    return '"' + EscapeAttributeText(value, page) + '"';
}

// value written in the quoting of an attribute that had quote (0: none); double quotes when the
// author's style cannot hold it.
std::string AuthorStyleValue(std::string_view value, char quote, EPageBytes page)
{
    if (quote == '\'' && value.find('\'') == npos)
        return '\'' + EscapeAttributeText(value, page) + '\'';
    if (quote == 0 && !NeedsQuotes(value))
        return EscapeAttributeText(value, page);
    return '"' + EscapeAttributeText(value, page) + '"';
}

// One change of a tag's text: [start, end) becomes text.
struct CTagEdit {
    std::size_t start;
    std::size_t end;
    int order;
    std::string text;
};

// The range that removing attribute takes: the blanks before it go with it, unless the next
// attribute follows it without a blank and would then run into what stood before.
CTagEdit Removal(std::string_view tag, const CTagAttribute& attribute, int k)
{
    std::size_t start = attribute.nNameStart;
    while (start > 0 && IsTagBlank(tag[start - 1]))
        --start;
    const std::size_t end = attribute.nEnd;
    const bool separated = end >= tag.size() || IsTagBlank(tag[end]) || tag[end] == '/' || tag[end] == '>';
    return {separated ? start : attribute.nNameStart, end, k, {}};
}

// The changes that give tag the values of the attributes in which.
std::vector<CTagEdit> PlanEdits(const CStartTag& tag, const CAreaTagValues& values, CAttributeSet which,
                               EPageBytes page)
{
    const std::string_view text = tag.Text();
    const CTagAttribute* present[kAreaAttributeCount];
    for (int k = 0; k < kAreaAttributeCount; ++k)
        present[k] = tag.Find(kUpperNames[k]);
    std::vector<CTagEdit> edits;
    for (int k = 0; k < kAreaAttributeCount; ++k) {
        if (!which[k])
            continue;
        const std::string value = NewValue(values, k);
        const bool keep = k == kAttrShape || k == kAttrCoords || !value.empty();
        const CTagAttribute* attribute = present[k];
        if (attribute && !keep) {
            edits.push_back(Removal(text, *attribute, k));
        } else if (attribute && attribute->bHasValue) {
            const std::size_t start = attribute->chQuote ? attribute->nValueStart - 1 : attribute->nValueStart;
            edits.push_back({start, attribute->nEnd, k, AuthorStyleValue(value, attribute->chQuote, page)});
        } else if (attribute) {
            edits.push_back({attribute->nNameEnd, attribute->nNameEnd, k, '=' + WriterStyleValue(k, value, page)});
        } else if (keep) {
            std::size_t at = tag.NameEnd();
            for (int before = k - 1; before >= 0; --before) {
                if (present[before]) {
                    at = present[before]->nEnd;
                    break;
                }
            }
            edits.push_back({at, at, k, ' ' + std::string(kWrittenNames[k]) + '=' + WriterStyleValue(k, value, page)});
        }
    }
    // Insertions at one place keep the writer's order, ahead of a removal that starts there.
    std::sort(edits.begin(), edits.end(), [](const CTagEdit& a, const CTagEdit& b) {
        if (a.start != b.start)
            return a.start < b.start;
        if ((a.start == a.end) != (b.start == b.end))
            return a.start == a.end;
        return a.order < b.order;
    });
    return edits;
}

std::string ApplyEdits(std::string_view text, const std::vector<CTagEdit>& edits)
{
    std::string result;
    result.reserve(text.size() + 64);
    std::size_t cursor = 0;
    for (const CTagEdit& edit : edits) {
        result.append(text, cursor, edit.start - cursor);
        result += edit.text;
        cursor = edit.end;
    }
    result.append(text, cursor);
    return result;
}

std::string LeadingBlanks(std::string_view line)
{
    return std::string(line.substr(0, SkipBlanks(line, 0)));
}

bool IsBlankText(std::string_view text)
{
    return SkipBlanks(text, 0) == text.size();
}

template <class Points>
std::string JoinNumbers(const Points& numbers)
{
    std::string text;
    for (const int number : numbers) {
        if (!text.empty())
            text += ',';
        text += std::to_string(number);
    }
    return text;
}

}  // namespace

CLines MakeSkeleton(std::string_view mapName, int width, int height)
{
    const std::string name(mapName);
    return {
        "<!-- Created by Mapwright -->",
        "<!-- Visit us at https://quillon.example/mapwright -->",
        "<!-- Beginning of CSIM -->",
        "<IMG SRC=\"" + name + "\" USEMAP=\"#" + name + "\" WIDTH=" + std::to_string(width) +
            " HEIGHT=" + std::to_string(height) + " BORDER=0>",
        "<MAP NAME=\"" + name + "\">",
        "</MAP>",
        "<!-- End of CSIM -->",
    };
}

std::optional<CTagSpan> FindAreaTag(const CLines& lines, std::string_view mapName, int n)
{
    std::optional<CTagSpan> span;
    if (n < 1)
        return span;
    WalkAreaTags(lines, mapName, [&](int number, const CStartTag& tag) {
        if (number == n)
            span = tag.Span();
        return number < n;
    });
    return span;
}

bool AddAreaTag(CLines& lines, std::string_view mapName, std::string_view keyword, std::string_view coords)
{
    int lastTagLine = -1;
    const CMapWalk walk = WalkAreaTags(lines, mapName, [&](int, const CStartTag& tag) {
        lastTagLine = tag.Span().open.nLine;
        return true;
    });
    // Without its end the map's extent is unknown: a tag put anywhere could land outside it.
    if (!walk.bMapFound || !walk.mapEnd)
        return false;
    std::string tag = "<AREA SHAPE=";
    tag += keyword;
    tag += " COORDS=\"";
    tag += coords;
    tag += "\">";

    const int endLine = walk.mapEnd->nLine;
    const std::size_t endCol = walk.mapEnd->nCol;
    const std::string indent = LeadingBlanks(lines[lastTagLine >= 0 ? lastTagLine : endLine]);
    const std::string_view beforeEnd = std::string_view(lines[endLine]).substr(0, endCol);
    if (IsBlankText(beforeEnd)) {
        lines.insert(lines.begin() + endLine, indent + tag);
        return true;
    }
    // The end of the map shares its line with other text: it moves to a line of its own.
    lines.insert(lines.begin() + endLine + 1, {indent + tag, lines[endLine].substr(endCol)});
    lines[endLine].resize(endCol);
    return true;
}

namespace {

// Only a page of Windows-1252 bytes holds characters as numeric references in its texts.
EPageBytes PageBytesFor(const CLines& lines, const CAreaTagValues& values)
{
    const std::string_view texts[] = {values.href, values.target, values.alt, values.statusOver, values.statusOut};
    const bool anyReference =
        std::any_of(std::begin(texts), std::end(texts), [](std::string_view text) { return text.find("&#") != npos; });
    return anyReference ? PageBytesOf(lines) : EPageBytes::kUtf8;
}

std::optional<CTagSpan> RewriteTag(CLines& lines, const CStartTag& tag, const CAreaTagValues& values,
                                   CAttributeSet which, EPageBytes page)
{
    const std::string text = ApplyEdits(tag.Text(), PlanEdits(tag, values, which, page));
    return ReplaceSpan(lines, tag.Span(), text);
}

}  // namespace

std::optional<CTagSpan> RewriteAreaTag(CLines& lines, std::string_view mapName, int n, const CAreaTagValues& values,
                                       CAttributeSet which)
{
    std::optional<CTagSpan> written;
    if (n < 1)
        return written;
    const EPageBytes page = PageBytesFor(lines, values);
    WalkAreaTags(lines, mapName, [&](int number, const CStartTag& tag) {
        if (number < n)
            return true;
        written = RewriteTag(lines, tag, values, which, page);
        return false;
    });
    return written;
}

bool PermuteAreaTags(CLines& lines, std::string_view mapName, const std::vector<int>& order, CLineChange* changed)
{
    std::vector<CTagSpan> spans;
    std::vector<std::string> texts;
    WalkAreaTags(lines, mapName, [&](int, const CStartTag& tag) {
        spans.push_back(tag.Span());
        texts.emplace_back(tag.Text());
        return true;
    });
    std::vector<bool> seen(spans.size() + 1, false);
    for (const int n : order) {
        if (n < 1 || n > int(spans.size()) || seen[std::size_t(n)])
            return false;
        seen[std::size_t(n)] = true;
    }
    if (order.size() != spans.size())
        return false;
    std::size_t first = 0;
    while (first < order.size() && order[first] == int(first) + 1)
        ++first;
    std::size_t last = order.size();
    while (last > first && order[last - 1] == int(last))
        --last;
    if (first == last) {
        if (changed)
            *changed = {};
        return true;
    }
    // Only the lines from the first moved tag to the last are written, into a copy from the last
    // tag back, so the earlier places stay good and a failure leaves the lines as they were.
    const auto top = static_cast<std::size_t>(spans[first].open.nLine);
    const auto bottom = static_cast<std::size_t>(spans[last - 1].end.nLine) + 1;
    CLines part(lines.begin() + static_cast<std::ptrdiff_t>(top), lines.begin() + static_cast<std::ptrdiff_t>(bottom));
    const auto shifted = [top](CTagSpan span) {
        span.open.nLine -= static_cast<int>(top);
        span.end.nLine -= static_cast<int>(top);
        return span;
    };
    for (std::size_t i = last; i-- > first;)
        ReplaceSpan(part, shifted(spans[i]), texts[std::size_t(order[i] - 1)]);
    // The tags trade places, so the lines they take add up to as many as before.
    if (part.size() != bottom - top)
        return false;
    std::move(part.begin(), part.end(), lines.begin() + static_cast<std::ptrdiff_t>(top));
    if (changed)
        *changed = {top, bottom - top, bottom - top};
    return true;
}

std::optional<CTagSpan> RewriteAreaTagAt(CLines& lines, CTextPos open, const CAreaTagValues& values,
                                         CAttributeSet which)
{
    CStartTag tag;
    if (!tag.Read(lines, open, 4))
        return std::nullopt;
    return RewriteTag(lines, tag, values, which, PageBytesFor(lines, values));
}

bool MapBlockHasEnd(const CLines& lines, std::string_view mapName)
{
    return WalkAreaTags(lines, mapName, [](int, const CStartTag&) { return true; }).mapEnd.has_value();
}

namespace {

// Removes the tag at span, with its blanks: those before it when it ended its line, else those
// after it when blanks or the line's start stand before it; and its line when nothing else stays.
void DeleteSpan(CLines& lines, const CTagSpan& span)
{
    const std::string_view first = lines[span.open.nLine];
    const std::string_view last = lines[span.end.nLine];
    std::string_view before = first.substr(0, span.open.nCol);
    std::string_view after = last.substr(span.end.nCol);
    if (IsBlankText(after))
        before = TrimTrailingBlanks(before);
    else if (IsBlankText(before) || IsBlank(before.back()))
        after = TrimLeadingBlanks(after);
    std::string joined = std::string(before) + std::string(after);
    const auto firstLine = lines.begin() + span.open.nLine;
    const auto lastLine = lines.begin() + span.end.nLine;
    if (IsBlankText(joined)) {
        lines.erase(firstLine, lastLine + 1);
    } else {
        *firstLine = std::move(joined);
        lines.erase(firstLine + 1, lastLine + 1);
    }
}

}  // namespace

bool DeleteAreaTag(CLines& lines, std::string_view mapName, int n)
{
    const std::optional<CTagSpan> span = FindAreaTag(lines, mapName, n);
    if (!span)
        return false;
    DeleteSpan(lines, *span);
    return true;
}

std::vector<CTagSpan> AreaTagSpans(const CLines& lines, std::string_view mapName)
{
    std::vector<CTagSpan> spans;
    WalkAreaTags(lines, mapName, [&](int, const CStartTag& tag) {
        spans.push_back(tag.Span());
        return true;
    });
    return spans;
}

bool DeleteAreaTags(CLines& lines, std::string_view mapName, std::vector<int> numbers)
{
    const std::vector<CTagSpan> spans = AreaTagSpans(lines, mapName);
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    if (numbers.empty() || numbers.front() < 1 || numbers.back() > int(spans.size()))
        return false;
    // From the last tag back, so the places of the earlier ones stay good; into a copy, so that
    // running out of memory leaves the lines as they were.
    CLines kept = lines;
    for (auto n = numbers.rbegin(); n != numbers.rend(); ++n)
        DeleteSpan(kept, spans[std::size_t(*n - 1)]);
    lines.swap(kept);
    return true;
}

bool AddAreaTags(CLines& lines, std::string_view mapName,
                 const std::vector<std::pair<std::string_view, std::string>>& tags)
{
    if (tags.empty())
        return MapBlockHasEnd(lines, mapName);
    CLines added = lines;
    if (!AddAreaTag(added, mapName, tags.front().first, tags.front().second))
        return false;
    // Each further tag goes on the line after the one before, with its indent.
    const std::optional<CTagSpan> first = FindAreaTag(added, mapName, static_cast<int>(AreaTagSpans(added, mapName).size()));
    if (!first)
        return false;
    const std::size_t line = static_cast<std::size_t>(first->open.nLine);
    const std::string indent = LeadingBlanks(added[line]);
    CLines more;
    more.reserve(tags.size() - 1);
    for (std::size_t i = 1; i < tags.size(); ++i)
        more.push_back(indent + "<AREA SHAPE=" + std::string(tags[i].first) + " COORDS=\"" + tags[i].second + "\">");
    added.insert(added.begin() + static_cast<std::ptrdiff_t>(line) + 1, std::make_move_iterator(more.begin()),
                 std::make_move_iterator(more.end()));
    lines.swap(added);
    return true;
}

std::string FormatCoords(const CRectArea& area)
{
    return JoinNumbers(std::initializer_list<int>{area.left, area.top, area.right, area.bottom});
}

std::string FormatCoords(const CCircleArea& area)
{
    return JoinNumbers(std::initializer_list<int>{area.x, area.y, area.radius});
}

std::string FormatCoords(const CPolyArea& area)
{
    std::vector<int> numbers;
    numbers.reserve(area.m_points.size() * 2);
    for (const CAreaPoint& point : area.m_points) {
        numbers.push_back(point.x);
        numbers.push_back(point.y);
    }
    return JoinNumbers(numbers);
}

std::string FormatCoords(const CMapArea& area)
{
    return VisitArea(area, [](const auto& kind) { return FormatCoords(kind); });
}

std::string_view ShapeKeyword(EAreaShape shape)
{
    switch (shape) {
    case EAreaShape::kRectangle: return "RECT";
    case EAreaShape::kCircle: return "CIRCLE";
    case EAreaShape::kPolygon: break;
    }
    return "POLY";
}

}  // namespace mapwright
