#include "document/typedcoords.h"

#include "document/mapdocument.h"

#include <algorithm>
#include <type_traits>

namespace mapwright {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string CountMessage(EAreaShape shape)
{
    switch (shape) {
    case EAreaShape::kRectangle: return "A rectangle takes 4 numbers: left, top, right, bottom.";
    case EAreaShape::kCircle: return "A circle takes 3 numbers: x, y, radius.";
    case EAreaShape::kPolygon: break;
    }
    return "A polygon takes an even count of numbers, at least 4.";
}

}  // namespace

std::optional<std::vector<int>> ParseTypedCoords(std::string_view text, EAreaShape shape, std::string& error)
{
    std::vector<int> numbers;
    std::size_t i = 0;
    while (true) {
        while (i < text.size() && IsBlank(text[i]))
            ++i;
        if (i < text.size() && text[i] == '-') {
            error = "Coordinates cannot be negative.";
            return std::nullopt;
        }
        if (i == text.size() || text[i] < '0' || text[i] > '9') {
            error = "Type whole numbers separated by commas.";
            return std::nullopt;
        }
        long long value = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            value = value * 10 + (text[i] - '0');
            if (value > 2147483647LL) {
                error = "A number is too large (at most 2147483647).";
                return std::nullopt;
            }
        }
        if (numbers.size() == kMaxTypedNumbers) {
            error = "Too many numbers (at most " + std::to_string(kMaxTypedNumbers) + ").";
            return std::nullopt;
        }
        numbers.push_back(static_cast<int>(value));
        while (i < text.size() && IsBlank(text[i]))
            ++i;
        if (i == text.size())
            break;
        if (text[i] != ',') {
            error = "Type whole numbers separated by commas.";
            return std::nullopt;
        }
        ++i;
    }
    const std::size_t n = numbers.size();
    const bool counted = shape == EAreaShape::kRectangle ? n == 4
                         : shape == EAreaShape::kCircle  ? n == 3
                                                         : n >= 4 && n % 2 == 0;
    if (!counted) {
        error = CountMessage(shape);
        return std::nullopt;
    }
    return numbers;
}

bool ApplyTypedCoords(CMapDocument& doc, CMapArea& area, std::string_view text, CView* sender, std::string& error)
{
    const std::optional<std::vector<int>> numbers = ParseTypedCoords(text, area.Shape(), error);
    if (!numbers)
        return false;
    const std::vector<int>& c = *numbers;
    const int width = doc.Picture().Width();
    const int height = doc.Picture().Height();
    auto x = [&](std::size_t i) { return ClampToImage(c[i], width); };
    auto y = [&](std::size_t i) { return ClampToImage(c[i], height); };
    VisitArea(area, [&](auto& a) {
        using Area = std::decay_t<decltype(a)>;
        if constexpr (std::is_same_v<Area, CRectArea>) {
            a.left = std::min(x(0), x(2));
            a.right = std::max(x(0), x(2));
            a.top = std::min(y(1), y(3));
            a.bottom = std::max(y(1), y(3));
            a.BuildHandles();
        } else if constexpr (std::is_same_v<Area, CCircleArea>) {
            a.x = x(0);
            a.y = y(1);
            a.radius = c[2];
            a.BuildHandles();
        } else {
            a.m_points.clear();
            for (std::size_t i = 0; i + 1 < c.size(); i += 2)
                a.m_points.emplace_back(x(i), y(i + 1), kPolygonVertex);
        }
    });
    // Announced as a geometry edit: the canvas redraws it, which it skips for the form's text edits.
    return doc.AreaChanged(area, EEditSource::kCanvas, sender);
}

}  // namespace mapwright
