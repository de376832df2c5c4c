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
        for (const std::string& line : doc.Lines()) {
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

// The name and the coordinate numbers of an area's shape.
const char* ShapeName(EAreaShape shape)
{
    switch (shape) {
    case EAreaShape::kRectangle: return "rect";
    case EAreaShape::kCircle: return "circle";
    case EAreaShape::kPolygon: break;
    }
    return "poly";
}

std::vector<int> CoordsOf(const CRectArea& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }
std::vector<int> CoordsOf(const CCircleArea& circle) { return {circle.x, circle.y, circle.radius}; }
std::vector<int> CoordsOf(const CPolyArea& poly)
{
    std::vector<int> coords;
    for (const CAreaPoint& point : poly.m_points) {
        coords.push_back(point.x);
        coords.push_back(point.y);
    }
    return coords;
}

std::string AreaJson(const CMapArea& area, bool selected, const CDocumentStrings& text)
{
    const char* shape = ShapeName(area.Shape());
    const std::vector<int> coords = VisitArea(area, [](const auto& kind) { return CoordsOf(kind); });
    std::string points = "[";
    for (std::size_t i = 0; i < area.m_points.size(); ++i) {
        const CAreaPoint& point = area.m_points[i];
        points += (i ? ", " : "") + NumberList({point.x, point.y, point.m_nCode});
    }
    points += "]";
    return "{\"index\": " + Number(area.m_nIndex) + ", \"shape\": \"" + shape + "\", \"coords\": " +
           NumberList(coords) + ", \"href\": " + text(area.m_strHref) + ", \"alt\": " + text(area.m_strAlt) +
           ", \"target\": " + text(area.m_strTarget) + ", \"over\": " + text(area.m_strStatusOver) +
           ", \"out\": " + text(area.m_strStatusOut) +
           // Only pages that use titles show the key, so that other pages read as they always did.
           (area.m_strTitle.empty() ? std::string() : ", \"title\": " + text(area.m_strTitle)) +
           ", \"selected\": " + Bool(selected) +
           ", \"points\": " + points + "}";
}

}  // namespace

std::string DocumentJson(CMapDocument& doc)
{
    const CDocumentStrings text(doc);
    std::string json = "{\"image\": " + text(doc.Page().strImagePath) + ", \"imageName\": " + text(doc.Page().strImageName) +
                       ", \"map\": " + text(doc.Page().strMapName) + ", \"width\": " + Number(doc.Picture().Width()) +
                       ", \"height\": " + Number(doc.Picture().Height()) + ", \"modified\": " + Bool(doc.IsModified()) +
                       ", \"undoPos\": " + Number(doc.UndoPosition()) +
                       ", \"steps\": " + Number(static_cast<long long>(doc.UndoStepCount())) + ", \"areas\": [";
    for (const auto& area : doc.Areas())
        json += (area->m_nIndex > 1 ? ", " : "") + AreaJson(*area, doc.IsSelected(*area), text);
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
