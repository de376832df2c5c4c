#include "cli/docjson.h"

#include "cli/jsonwriter.h"
#include "cli/sha256.h"
#include "image/decodedimage.h"
#include "document/mapdocument.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace mapwright {

namespace {

// Strings of one document are decoded alike: as UTF-8 only when the whole page is valid UTF-8.
class CDocumentStrings {
public:
    explicit CDocumentStrings(const CMapDocument& doc)
    {
        for (const std::string& line : doc.m_lines) {
            if (!IsValidUtf8(line)) {
                m_bUtf8 = false;
                break;
            }
        }
    }
    std::string operator()(std::string_view bytes) const { return JsonString(bytes, m_bUtf8 && IsValidUtf8(bytes)); }

private:
    bool m_bUtf8 = true;
};

std::string Number(long long value) { return std::to_string(value); }
std::string Bool(bool value) { return value ? "true" : "false"; }

std::string NumberList(const std::vector<int>& values)
{
    std::string json = "[";
    for (std::size_t i = 0; i < values.size(); ++i)
        json += (i ? ", " : "") + Number(values[i]);
    return json + "]";
}

std::string AreaJson(const CMapArea& area, const char* shape, const std::vector<int>& coords,
                     const CDocumentStrings& text)
{
    std::string points = "[";
    for (std::size_t i = 0; i < area.m_points.size(); ++i) {
        const CAreaPoint& point = area.m_points[i];
        points += (i ? ", " : "") + NumberList({point.x, point.y, point.m_nCode});
    }
    points += "]";
    return "{\"index\": " + Number(area.m_nIndex) + ", \"shape\": \"" + shape + "\", \"coords\": " +
           NumberList(coords) + ", \"href\": " + text(area.m_strHref) + ", \"alt\": " + text(area.m_strAlt) +
           ", \"target\": " + text(area.m_strTarget) + ", \"over\": " + text(area.m_strStatusOver) +
           ", \"out\": " + text(area.m_strStatusOut) + ", \"selected\": " + Bool(area.m_nSelect == kSelected) +
           ", \"points\": " + points + "}";
}

}  // namespace

std::string DocumentJson(CMapDocument& doc)
{
    const CDocumentStrings text(doc);
    std::vector<std::pair<int, std::string>> areas;
    for (const auto& rect : doc.m_rectAreas)
        areas.emplace_back(rect->m_nIndex,
                           AreaJson(*rect, "rect", {rect->left, rect->top, rect->right, rect->bottom}, text));
    for (const auto& circle : doc.m_circleAreas)
        areas.emplace_back(circle->m_nIndex, AreaJson(*circle, "circle", {circle->x, circle->y, circle->radius}, text));
    for (const auto& poly : doc.m_polyAreas) {
        std::vector<int> coords;
        for (const CAreaPoint& point : poly->m_points) {
            coords.push_back(point.x);
            coords.push_back(point.y);
        }
        areas.emplace_back(poly->m_nIndex, AreaJson(*poly, "poly", coords, text));
    }
    std::stable_sort(areas.begin(), areas.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

    std::string json = "{\"image\": " + text(doc.m_strImagePath) + ", \"imageName\": " + text(doc.m_strImageName) +
                       ", \"map\": " + text(doc.m_strMapName) + ", \"width\": " + Number(doc.m_nImageWidth) +
                       ", \"height\": " + Number(doc.m_nImageHeight) + ", \"modified\": " + Bool(doc.IsModified()) +
                       ", \"undoPos\": " + Number(doc.UndoPosition()) +
                       ", \"steps\": " + Number(static_cast<long long>(doc.UndoStepCount())) + ", \"areas\": [";
    for (std::size_t i = 0; i < areas.size(); ++i)
        json += (i ? ", " : "") + areas[i].second;
    return json + "]}";
}

std::string DecodedImageJson(const CDecodedImage& image, bool ok)
{
    const std::string_view pixels(reinterpret_cast<const char*>(image.Bits()), image.Bits() ? image.PixelBytes() : 0);
    const CPalette* palette = image.Palette();
    return "{\"ok\": " + Bool(ok) + ", \"format\": " + Number(image.Format()) + ", \"width\": " +
           Number(image.Width()) + ", \"height\": " + Number(image.Height()) + ", \"bitCount\": " +
           Number(image.BitsPerPixel()) + ", \"rowBytes\": " + Number(static_cast<long long>(image.RowBytes())) +
           ", \"colors\": " + Number(image.ColorsUsed()) + ", \"palette\": " +
           Number(palette ? palette->palNumEntries : 0) + ", \"sha256\": \"" + Sha256Hex(pixels) + "\"}";
}

}  // namespace mapwright
