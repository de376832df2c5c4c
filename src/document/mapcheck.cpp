#include "document/mapcheck.h"

#include "document/mapdocument.h"
#include "document/prompt.h"
#include "html/mapblock.h"
#include "html/textsearch.h"
#include "model/polygonregion.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <optional>
#include <thread>
#include <unordered_map>
#include <utility>

namespace mapwright {

namespace {

bool IsTextBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsTextBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsTextBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string LowerTrimmed(std::string_view text)
{
    std::string lower(Trim(text));
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// What the check needs of an area's tag beyond what the reader keeps.
struct CTagFacts {
    int nLine = 0;
    bool bLink = false;  // an HREF and no NOHREF
};

// Pixel bounds of an area, both ends included.
struct CBox {
    int x0 = 0, y0 = 0, x1 = -1, y1 = -1;
    bool Empty() const { return x1 < x0 || y1 < y0; }
    bool Contains(const CBox& o) const { return x0 <= o.x0 && y0 <= o.y0 && x1 >= o.x1 && y1 >= o.y1; }
    bool Meets(const CBox& o) const { return x0 <= o.x1 && o.x0 <= x1 && y0 <= o.y1 && o.y0 <= y1; }
    CBox Clip(const CBox& o) const
    {
        return {std::max(x0, o.x0), std::max(y0, o.y0), std::min(x1, o.x1), std::min(y1, o.y1)};
    }
};

using CExtent = CAreaExtent;

}  // namespace

CAreaExtent AreaExtent(const CMapArea& area)
{
    // A polygon of fewer than three vertices has no inside, whatever its box.
    if (area.Shape() == EAreaShape::kPolygon && area.m_points.size() < 3)
        return {};
    const CAreaBounds b = area.Bounds();
    return {double(b.left), double(b.top), double(b.right), double(b.bottom)};
}

namespace {

// The pixels HitTest may accept: rectangles and circles include their far edge, polygons do not.
CBox PixelBoxOf(const CMapArea& area, const CExtent& extent)
{
    const int shrink = area.Shape() == EAreaShape::kPolygon ? 1 : 0;
    return {int(extent.left), int(extent.top), int(extent.right) - shrink, int(extent.bottom) - shrink};
}

bool HasSize(const CExtent& extent) { return extent.Width() > 0 && extent.Height() > 0; }

// Replaces spans with the runs of pixels of row y that HitTest accepts: pairs [begin, end).
void RowSpans(const CMapArea& area, int y, std::vector<int>& spans)
{
    spans.clear();
    VisitArea(area, [&](const auto& kind) {
        using Kind = std::decay_t<decltype(kind)>;
        if constexpr (std::is_same_v<Kind, CRectArea>) {
            if (y >= kind.top && y <= kind.bottom)
                spans.insert(spans.end(), {kind.left, kind.right + 1});
        } else if constexpr (std::is_same_v<Kind, CCircleArea>) {
            const long long dy = static_cast<long long>(y) - kind.y;
            const long long room = static_cast<long long>(kind.radius) * kind.radius - dy * dy;
            if (room < 0)
                return;
            long long half = static_cast<long long>(std::sqrt(double(room)));
            while (half * half > room)
                --half;
            while ((half + 1) * (half + 1) <= room)
                ++half;
            spans.insert(spans.end(), {int(kind.x - half), int(kind.x + half + 1)});
        } else {
            PolygonRegionRowSpans(kind.m_points.data(), kind.m_points.size(), y, spans);
        }
    });
}

// Whether a row of box holds a pixel of area: a thin polygon may have none.
bool HasPixels(const CMapArea& area, const CBox& box, std::vector<int>& spans)
{
    if (area.Shape() != EAreaShape::kPolygon)
        return true;
    for (int y = box.y0; y <= box.y1; ++y) {
        RowSpans(area, y, spans);
        for (std::size_t k = 0; k + 1 < spans.size(); k += 2) {
            if (std::max(spans[k], box.x0) <= std::min(spans[k + 1] - 1, box.x1))
                return true;
        }
    }
    return false;
}

// Whether every pixel of area inside clip is also a pixel of one of the covers.
// Whether two areas have the very same outline, as a copied and pasted area has.
bool SameOutline(const CMapArea& a, const CMapArea& b)
{
    if (a.Shape() != b.Shape())
        return false;
    return VisitArea(a, [&b](const auto& kind) {
        using Kind = std::decay_t<decltype(kind)>;
        const Kind& other = static_cast<const Kind&>(b);
        if constexpr (std::is_same_v<Kind, CRectArea>) {
            return kind.left == other.left && kind.top == other.top && kind.right == other.right &&
                   kind.bottom == other.bottom;
        } else if constexpr (std::is_same_v<Kind, CCircleArea>) {
            return kind.x == other.x && kind.y == other.y && kind.radius == other.radius;
        } else {
            return std::equal(kind.m_points.begin(), kind.m_points.end(), other.m_points.begin(), other.m_points.end(),
                              [](const CAreaPoint& p, const CAreaPoint& q) { return p.x == q.x && p.y == q.y; });
        }
    });
}

// Buffers IsCovered reuses from one area to the next.
struct CRowScratch {
    std::vector<int> own, covered, runs;
    std::vector<std::pair<int, int>> merged;
};

bool IsCovered(const CMapArea& area, const CBox& box, const std::vector<const CMapArea*>& covers,
               const std::vector<CBox>& coverBoxes, CRowScratch& scratch)
{
    for (std::size_t k = 0; k < covers.size(); ++k) {
        if (coverBoxes[k].Contains(box) &&
            (covers[k]->Shape() == EAreaShape::kRectangle || SameOutline(*covers[k], area)))
            return true;
    }
    const bool allRects = area.Shape() == EAreaShape::kRectangle &&
                          std::all_of(covers.begin(), covers.end(),
                                      [](const CMapArea* c) { return c->Shape() == EAreaShape::kRectangle; });
    if (allRects) {
        // Cut the box into bands at every cover's top and bottom; within a band each cover is a
        // fixed run of columns, and the band is covered when those runs cover the box's columns.
        std::vector<int> ys{box.y0, box.y1 + 1};
        for (const CBox& cover : coverBoxes)
            ys.insert(ys.end(), {std::clamp(cover.y0, box.y0, box.y1 + 1), std::clamp(cover.y1 + 1, box.y0, box.y1 + 1)});
        std::sort(ys.begin(), ys.end());
        ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
        auto& runs = scratch.merged;
        for (std::size_t j = 0; j + 1 < ys.size(); ++j) {
            runs.clear();
            for (const CBox& cover : coverBoxes) {
                if (cover.y0 <= ys[j] && cover.y1 + 1 >= ys[j + 1])
                    runs.emplace_back(cover.x0, cover.x1 + 1);
            }
            std::sort(runs.begin(), runs.end());
            int from = box.x0;
            for (const auto& [begin, end] : runs) {
                if (begin > from)
                    break;
                from = std::max(from, end);
            }
            if (from <= box.x1)
                return false;
        }
        return true;
    }
    // Curved or slanted edges: row by row, the area's runs of pixels against the covers' runs.
    auto& [own, covered, runs, merged] = scratch;
    for (int y = box.y0; y <= box.y1; ++y) {
        RowSpans(area, y, own);
        if (own.empty())
            continue;
        covered.clear();
        for (std::size_t k = 0; k < covers.size(); ++k) {
            if (y < coverBoxes[k].y0 || y > coverBoxes[k].y1)
                continue;
            RowSpans(*covers[k], y, runs);
            covered.insert(covered.end(), runs.begin(), runs.end());
        }
        merged.clear();
        for (std::size_t k = 0; k + 1 < covered.size(); k += 2)
            merged.emplace_back(covered[k], covered[k + 1]);
        std::sort(merged.begin(), merged.end());
        for (std::size_t k = 0; k + 1 < own.size(); k += 2) {
            // Only the pixels inside the box (the picture) count.
            int from = std::max(own[k], box.x0);
            const int to = std::min(own[k + 1], box.x1 + 1);
            for (const auto& [begin, end] : merged) {
                if (begin > from)
                    break;
                from = std::max(from, end);
            }
            if (from < to)
                return false;
        }
    }
    return true;
}

// Earlier areas by the grid cells their boxes touch, so that each area meets only its neighbours.
class CBoxGrid {
public:
    CBoxGrid(const CBox& bounds, std::size_t count) : m_bounds(bounds)
    {
        const double cells = std::max<double>(1, std::min<double>(65536, double(count) * 4));
        const double spanX = double(bounds.x1) - bounds.x0 + 1, spanY = double(bounds.y1) - bounds.y0 + 1;
        m_nCell = std::max(8, int(std::ceil(std::sqrt(spanX * spanY / cells))));
        m_nCols = int(spanX / m_nCell) + 1;
        m_nRows = int(spanY / m_nCell) + 1;
        m_cells.resize(std::size_t(m_nCols) * m_nRows);
    }

    // Calls visit(index) once per index whose box was added to a cell that box touches (and
    // for each big box), possibly more than once per index.
    template <class Visit> void ForEachNear(const CBox& box, Visit visit) const
    {
        for (int index : m_big)
            visit(index);
        const CBox cells = CellsOf(box);
        for (int row = cells.y0; row <= cells.y1; ++row) {
            for (int col = cells.x0; col <= cells.x1; ++col) {
                for (int index : m_cells[std::size_t(row) * m_nCols + col])
                    visit(index);
            }
        }
    }

    void Add(const CBox& box, int index)
    {
        const CBox cells = CellsOf(box);
        if (double(cells.x1 - cells.x0 + 1) * (cells.y1 - cells.y0 + 1) > 64) {
            m_big.push_back(index);
            return;
        }
        for (int row = cells.y0; row <= cells.y1; ++row) {
            for (int col = cells.x0; col <= cells.x1; ++col)
                m_cells[std::size_t(row) * m_nCols + col].push_back(index);
        }
    }

private:
    CBox CellsOf(const CBox& box) const
    {
        auto col = [&](int x) { return std::clamp((x - m_bounds.x0) / m_nCell, 0, m_nCols - 1); };
        auto row = [&](int y) { return std::clamp((y - m_bounds.y0) / m_nCell, 0, m_nRows - 1); };
        return {col(box.x0), row(box.y0), col(box.x1), row(box.y1)};
    }

    CBox m_bounds;
    int m_nCell = 8, m_nCols = 1, m_nRows = 1;
    std::vector<std::vector<int>> m_cells;
    std::vector<int> m_big;
};

bool IsVagueAlt(std::string_view alt)
{
    static constexpr std::string_view kVague[] = {"click here", "here", "link", "more", "read more", "image", "picture"};
    static constexpr std::string_view kFileEnds[] = {".htm", ".html", ".gif", ".jpg", ".jpeg", ".png"};
    const std::string_view trimmed = Trim(alt);
    if (trimmed.size() > 16 && !std::any_of(std::begin(kFileEnds), std::end(kFileEnds), [&](std::string_view end) {
            return EqualsNoCase(trimmed.substr(trimmed.size() - std::min(trimmed.size(), end.size())), end);
        }))
        return false;
    const std::string lower = LowerTrimmed(alt);
    if (std::find(std::begin(kVague), std::end(kVague), lower) != std::end(kVague))
        return true;
    return std::any_of(std::begin(kFileEnds), std::end(kFileEnds),
                       [&](std::string_view end) { return lower.size() > end.size() && lower.ends_with(end); });
}

// A positive whole number of pixels, as WIDTH and HEIGHT give one.
std::optional<double> PixelSize(std::optional<std::string_view> value)
{
    if (!value)
        return std::nullopt;
    const std::string_view text = Trim(*value);
    double number = 0;
    std::size_t i = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && number < 1e9; ++i)
        number = number * 10 + (text[i] - '0');
    if (i == 0 || number <= 0)
        return std::nullopt;
    return number;
}

struct CImageUse {
    bool bFound = false;
    int nLine = 0;
    bool bAlt = false;
    double dScaleX = 1, dScaleY = 1;
};

// The first IMG whose USEMAP names mapName, any letter case, a leading '#' and blanks ignored.
CImageUse FindImageUsing(const CLines& lines, std::string_view mapName, int width, int height)
{
    CImageUse use;
    CTextPos from;
    CStartTag tag;
    while (const std::optional<CTagFind> found = FindNextTag(lines, from, {"IMG"})) {
        if (!tag.Read(lines, found->pos, 3))
            break;
        from = tag.Span().end;
        std::optional<std::string_view> usemap = tag.Value("USEMAP");
        if (!usemap)
            continue;
        std::string_view name = Trim(*usemap);
        while (!name.empty() && name.front() == '#')
            name.remove_prefix(1);
        if (!EqualsNoCase(Trim(name), mapName))
            continue;
        use.bFound = true;
        use.nLine = tag.Span().open.nLine + 1;
        use.bAlt = tag.Find("ALT") != nullptr;
        const std::optional<double> shownW = PixelSize(tag.Value("WIDTH"));
        const std::optional<double> shownH = PixelSize(tag.Value("HEIGHT"));
        if (width > 0 && height > 0) {
            // A browser keeps the picture's proportions when only one of the two is given.
            use.dScaleX = shownW ? *shownW / width : shownH ? *shownH / height : 1;
            use.dScaleY = shownH ? *shownH / height : use.dScaleX;
        }
        return use;
    }
    return use;
}

}  // namespace

std::string_view RuleId(ECheckRule rule)
{
    switch (rule) {
    case ECheckRule::kPageUnreadable: return "page-unreadable";
    case ECheckRule::kMapUnused: return "map-unused";
    case ECheckRule::kImgAlt: return "img-alt";
    case ECheckRule::kAreaAlt: return "area-alt";
    case ECheckRule::kAreaHidden: return "area-hidden";
    case ECheckRule::kAreaOutside: return "area-outside";
    case ECheckRule::kHrefEmpty: return "href-empty";
    case ECheckRule::kAltVague: return "alt-vague";
    case ECheckRule::kAltDuplicate: return "alt-duplicate";
    case ECheckRule::kTargetSmall: return "target-small";
    case ECheckRule::kStatusText: return "status-text";
    case ECheckRule::kReadingOrder: break;
    }
    return "reading-order";
}

ESeverity RuleSeverity(ECheckRule rule)
{
    switch (rule) {
    case ECheckRule::kHrefEmpty:
    case ECheckRule::kAltVague:
    case ECheckRule::kAltDuplicate:
    case ECheckRule::kTargetSmall: return ESeverity::kWarning;
    case ECheckRule::kStatusText:
    case ECheckRule::kReadingOrder: return ESeverity::kNote;
    default: return ESeverity::kError;
    }
}

std::string_view RuleWcag(ECheckRule rule)
{
    switch (rule) {
    case ECheckRule::kAreaAlt: return "1.1.1, 2.4.4, 4.1.2";
    case ECheckRule::kImgAlt: return "1.1.1";
    case ECheckRule::kAltVague:
    case ECheckRule::kAltDuplicate: return "2.4.4";
    case ECheckRule::kTargetSmall: return "2.5.8";
    case ECheckRule::kReadingOrder: return "2.4.3";
    default: return "";
    }
}

std::string FindingMessage(const CFinding& f)
{
    if (!f.strDetail.empty())
        return f.strDetail;
    const std::string area = "Area " + std::to_string(f.nArea);
    switch (f.rule) {
    case ECheckRule::kAreaAlt: return area + " is a link without alternate text.";
    case ECheckRule::kAreaHidden: return area + " can never be clicked: earlier areas cover all of it.";
    case ECheckRule::kAreaOutside: return area + " has no size or lies outside the picture.";
    case ECheckRule::kHrefEmpty: return area + " has an empty link.";
    case ECheckRule::kAltVague: return "The alternate text of area " + std::to_string(f.nArea) + " says nothing about its link.";
    case ECheckRule::kAltDuplicate:
        return "Areas " + std::to_string(f.nOther) + " and " + std::to_string(f.nArea) +
               " have the same alternate text but different links.";
    case ECheckRule::kTargetSmall: return area + " is smaller than 24 x 24 pixels on the page.";
    case ECheckRule::kStatusText:
        return area + " sets a status text, which browsers no longer show; a title shows it as a tooltip.";
    case ECheckRule::kReadingOrder:
        return "Tab order differs from reading order: area " + std::to_string(f.nArea) + " is read before area " +
               std::to_string(f.nOther) + ".";
    default: return std::string(RuleId(f.rule));
    }
}

std::string_view SeverityName(ESeverity severity)
{
    switch (severity) {
    case ESeverity::kNote: return "note";
    case ESeverity::kWarning: return "warning";
    case ESeverity::kError: break;
    }
    return "error";
}

std::vector<int> ReadingOrder(const CAreaList& areas)
{
    struct CItem {
        int n;
        CExtent e;
        double cx, cy;
    };
    std::vector<CItem> items;
    items.reserve(areas.Areas().size());
    for (const auto& area : areas.Areas()) {
        const CExtent e = AreaExtent(*area);
        items.push_back({area->m_nIndex, e, (e.left + e.right) / 2, (e.top + e.bottom) / 2});
    }
    std::stable_sort(items.begin(), items.end(), [](const CItem& a, const CItem& b) { return a.cy < b.cy; });
    std::vector<int> order;
    order.reserve(items.size());
    for (std::size_t start = 0; start < items.size();) {
        double rowTop = items[start].e.top, rowBottom = items[start].e.bottom;
        std::size_t end = start + 1;
        while (end < items.size() && items[end].e.top <= rowBottom && items[end].e.bottom >= rowTop) {
            rowTop = std::min(rowTop, items[end].e.top);
            rowBottom = std::max(rowBottom, items[end].e.bottom);
            ++end;
        }
        std::stable_sort(items.begin() + start, items.begin() + end,
                         [](const CItem& a, const CItem& b) { return a.cx < b.cx; });
        for (std::size_t i = start; i < end; ++i)
            order.push_back(items[i].n);
        start = end;
    }
    return order;
}

std::vector<CFinding> CheckMap(const CLines& lines, std::string_view mapName, const CAreaList& areas, int width,
                               int height)
{
    std::vector<CFinding> findings;
    auto add = [&findings](ECheckRule rule, int area, int line, int other = 0) {
        findings.push_back({rule, area, line, other, {}});
    };
    auto page = [&findings](ECheckRule rule, int line, std::string message) {
        findings.push_back({rule, 0, line, 0, std::move(message)});
    };

    const CImageUse image = FindImageUsing(lines, mapName, width, height);
    std::vector<CTagFacts> tags(areas.Areas().size() + 1);
    const CMapWalk walk = WalkAreaTags(lines, mapName, [&](int n, const CStartTag& tag) {
        if (std::size_t(n) < tags.size())
            tags[std::size_t(n)] = {tag.Span().open.nLine + 1, tag.Find("HREF") && !tag.Find("NOHREF")};
        return true;
    });
    if (!image.bFound) {
        const std::optional<CTextPos> block = walk.bMapFound ? FindMapBlock(lines, mapName) : std::nullopt;
        page(ECheckRule::kMapUnused, block ? block->nLine + 1 : 0, "No image uses the map " + std::string(mapName) + ".");
    }
    else if (!walk.bMapFound)
        page(ECheckRule::kMapUnused, image.nLine, "The image's map " + std::string(mapName) + " is not in the page.");
    if (image.bFound && !image.bAlt)
        page(ECheckRule::kImgAlt, image.nLine, "The image has no alternate text (ALT).");

    const std::size_t count = areas.Areas().size();
    std::vector<CExtent> extents(count);
    std::vector<CBox> boxes(count);
    const CBox picture{0, 0, width - 1, height - 1};
    const bool pictureKnown = width > 0 && height > 0;
    CBox bounds{0, 0, 0, 0};
    for (std::size_t i = 0; i < count; ++i) {
        extents[i] = AreaExtent(*areas.Areas()[i]);
        boxes[i] = PixelBoxOf(*areas.Areas()[i], extents[i]);
        if (pictureKnown)
            boxes[i] = boxes[i].Clip(picture);
        if (!boxes[i].Empty()) {
            bounds = {std::min(bounds.x0, boxes[i].x0), std::min(bounds.y0, boxes[i].y0), std::max(bounds.x1, boxes[i].x1),
                      std::max(bounds.y1, boxes[i].y1)};
        }
    }
    CBoxGrid grid(bounds, count);
    std::vector<std::size_t> seenBy(count, count);
    std::vector<const CMapArea*> covers;
    std::vector<CBox> coverBoxes;
    CRowScratch scratch;
    // The first area seen with each alternate text, and the first after it that leads elsewhere.
    struct CAltUse {
        std::size_t first;
        std::size_t other = SIZE_MAX;
    };
    std::unordered_map<std::string, CAltUse> alts;
    alts.reserve(count);
    findings.reserve(count);

    for (std::size_t i = 0; i < count; ++i) {
        const CMapArea& area = *areas.Areas()[i];
        const int n = area.m_nIndex;
        const CTagFacts& tag = std::size_t(n) < tags.size() ? tags[std::size_t(n)] : CTagFacts{};
        const std::string_view alt = Trim(area.m_strAlt);
        const bool sized = HasSize(extents[i]) && !boxes[i].Empty() && HasPixels(area, boxes[i], scratch.own);

        if (tag.bLink && alt.empty())
            add(ECheckRule::kAreaAlt, n, tag.nLine);

        if (sized) {
            covers.clear();
            coverBoxes.clear();
            grid.ForEachNear(boxes[i], [&](int j) {
                if (seenBy[std::size_t(j)] != i && boxes[std::size_t(j)].Meets(boxes[i])) {
                    seenBy[std::size_t(j)] = i;
                    covers.push_back(areas.Areas()[std::size_t(j)].get());
                    coverBoxes.push_back(boxes[std::size_t(j)]);
                }
            });
            if (!covers.empty() && IsCovered(area, boxes[i], covers, coverBoxes, scratch)) {
                add(ECheckRule::kAreaHidden, n, tag.nLine);
            }
            grid.Add(boxes[i], int(i));
        } else {
            add(ECheckRule::kAreaOutside, n, tag.nLine);
        }

        const std::string_view href = Trim(area.m_strHref);
        if (tag.bLink && (href.empty() || href == "#"))
            add(ECheckRule::kHrefEmpty, n, tag.nLine);

        if (!alt.empty() && IsVagueAlt(alt)) {
            add(ECheckRule::kAltVague, n, tag.nLine);
        }

        if (!alt.empty() && tag.bLink) {
            auto [entry, isNew] = alts.try_emplace(LowerTrimmed(alt), CAltUse{i});
            if (!isNew) {
                CAltUse& use = entry->second;
                std::size_t other = SIZE_MAX;
                if (areas.Areas()[use.first]->m_strHref != area.m_strHref)
                    other = use.first;
                else if (use.other != SIZE_MAX)
                    other = use.other;
                if (other != SIZE_MAX) {
                    add(ECheckRule::kAltDuplicate, n, tag.nLine, areas.Areas()[other]->m_nIndex);
                }
                if (use.other == SIZE_MAX && other == use.first)
                    use.other = i;
            }
        }

        if (sized) {
            const double shownW = extents[i].Width() * image.dScaleX, shownH = extents[i].Height() * image.dScaleY;
            if (shownW < 24 || shownH < 24) {
                add(ECheckRule::kTargetSmall, n, tag.nLine);
            }
        }

        if (!area.m_strStatusOver.empty() || !area.m_strStatusOut.empty()) {
            add(ECheckRule::kStatusText, n, tag.nLine);
        }
    }

    const std::vector<int> order = ReadingOrder(areas);
    for (std::size_t p = 0; p < order.size(); ++p) {
        if (order[p] != areas.Areas()[p]->m_nIndex) {
            const int n = order[p];
            add(ECheckRule::kReadingOrder, n, std::size_t(n) < tags.size() ? tags[std::size_t(n)].nLine : 0,
                areas.Areas()[p]->m_nIndex);
            break;
        }
    }

    std::stable_sort(findings.begin(), findings.end(), [](const CFinding& a, const CFinding& b) {
        return a.nArea != b.nArea ? a.nArea < b.nArea : a.rule < b.rule;
    });
    return findings;
}

std::vector<CFinding> CheckDocument(const CMapDocument& doc)
{
    return CheckMap(doc.Lines(), doc.Page().strMapName, doc, doc.Picture().Width(), doc.Picture().Height());
}

bool CopyStatusTextToTitle(CMapDocument& doc, int n)
{
    CMapArea* area = doc.AreaNumbered(n);
    if (!area)
        return false;
    const std::string& status = area->m_strStatusOver.empty() ? area->m_strStatusOut : area->m_strStatusOver;
    if (status.empty() || area->m_strTitle == status)
        return false;
    std::string previous = std::exchange(area->m_strTitle, status);
    if (!doc.AreaChanged(*area, EEditSource::kForm, nullptr)) {
        area->m_strTitle = std::move(previous);
        return false;
    }
    return true;
}

bool SortAreasInReadingOrder(CMapDocument& doc)
{
    const std::vector<int> order = ReadingOrder(doc);
    bool sorted = true;
    for (std::size_t i = 0; i < order.size(); ++i)
        sorted = sorted && order[i] == int(i) + 1;
    if (sorted)
        return false;
    return doc.ReorderAreas(order, nullptr);
}

namespace {

// Keeps the first message of an opening that fails; answers every question No.
class CRecordingPrompt : public CPrompt {
public:
    void MessageBox(const std::string& text, const std::string&) override
    {
        if (m_strFirst.empty())
            m_strFirst = text;
    }
    bool AskYesNo(const std::string& text) override
    {
        // The question the editor would ask after its statement does not apply here.
        const std::size_t end = text.ends_with('?') ? text.rfind(". ") : std::string::npos;
        MessageBox(end == std::string::npos ? text : text.substr(0, end + 1), {});
        return false;
    }
    bool ChooseImageFile(const std::string&, std::string&) override { return false; }

    std::string m_strFirst;
};

}  // namespace

CPageCheck CheckPageFile(const std::string& page)
{
    CPageCheck check{page, {}};
    CRecordingPrompt prompt;
    CMapDocument doc;
    doc.SetPrompt(&prompt);
    bool opened = false;
    try {
        opened = doc.OnOpenDocument(page);
    } catch (const std::bad_alloc&) {
        prompt.MessageBox("Out of memory.", {});
    }
    if (!opened) {
        std::string why = prompt.m_strFirst.empty() ? "The page cannot be opened." : prompt.m_strFirst;
        if (why.starts_with("Error: "))
            why.erase(0, 7);
        std::replace(why.begin(), why.end(), '\n', ' ');
        check.findings.push_back({ECheckRule::kPageUnreadable, 0, 0, 0, std::move(why)});
        return check;
    }
    check.findings = CheckDocument(doc);
    return check;
}

std::vector<CPageCheck> CheckPageFiles(const std::vector<std::string>& pages, unsigned threads)
{
    std::vector<CPageCheck> checks(pages.size());
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i = next++; i < pages.size(); i = next++)
            checks[i] = CheckPageFile(pages[i]);
    };
    const unsigned count = std::max(1u, std::min<unsigned>(threads, unsigned(pages.size())));
    std::vector<std::thread> workers;
    for (unsigned t = 1; t < count; ++t)
        workers.emplace_back(work);
    work();
    for (std::thread& worker : workers)
        worker.join();
    return checks;
}

}  // namespace mapwright
