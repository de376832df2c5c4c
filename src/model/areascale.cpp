#include "model/areascale.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace mapwright {

namespace {

// value x factor, rounded, in 0..size - 1; computed in double so a large value cannot overflow.
int ScaleCoordinate(int value, double factor, int size)
{
    const double scaled = std::clamp(static_cast<double>(value) * factor, 0.0, std::max(size - 1, 0) * 1.0);
    return static_cast<int>(std::lround(scaled));
}

// The reader's largest radius, so a scaled radius reads back as written.
constexpr double kMaxRadius = 100'000'000.0;

}  // namespace

bool IsScaleFactorAllowed(double factor)
{
    return factor > 0.0 && factor <= kMaxScaleFactor;
}

namespace {

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::optional<double> NumberOf(std::string_view text)
{
    text = TrimBlanks(text);
    double value = 0;
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || status != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<std::pair<double, double>> ScaleFactorsOf(std::string_view text, int width, int height)
{
    text = TrimBlanks(text);
    std::optional<std::pair<double, double>> factors;
    if (const std::size_t x = text.find_first_of("xX"); x != std::string_view::npos) {
        const std::optional<double> newWidth = NumberOf(text.substr(0, x));
        const std::optional<double> newHeight = NumberOf(text.substr(x + 1));
        if (newWidth && newHeight && width > 0 && height > 0)
            factors = std::pair{*newWidth / width, *newHeight / height};
    } else {
        if (text.ends_with('%'))
            text.remove_suffix(1);
        if (const std::optional<double> percent = NumberOf(text))
            factors = std::pair{*percent / 100, *percent / 100};
    }
    if (factors && (!IsScaleFactorAllowed(factors->first) || !IsScaleFactorAllowed(factors->second)))
        factors.reset();
    return factors;
}

bool FactorsDiffer(double fx, double fy)
{
    return std::abs(fx - fy) > 0.01 * std::max(fx, fy);
}

void ScaleArea(CMapArea& area, double fx, double fy, int width, int height)
{
    VisitArea(area, [&](auto& shape) {
        using Shape = std::decay_t<decltype(shape)>;
        if constexpr (std::is_same_v<Shape, CRectArea>) {
            shape.left = ScaleCoordinate(shape.left, fx, width);
            shape.right = ScaleCoordinate(shape.right, fx, width);
            shape.top = ScaleCoordinate(shape.top, fy, height);
            shape.bottom = ScaleCoordinate(shape.bottom, fy, height);
            shape.BuildHandles();
        } else if constexpr (std::is_same_v<Shape, CCircleArea>) {
            shape.x = ScaleCoordinate(shape.x, fx, width);
            shape.y = ScaleCoordinate(shape.y, fy, height);
            const double radius = std::clamp(shape.radius * std::min(fx, fy), 0.0, kMaxRadius);
            shape.radius = static_cast<int>(std::lround(radius));
            shape.BuildHandles();
        } else {
            for (CAreaPoint& point : shape.m_points) {
                point.x = ScaleCoordinate(point.x, fx, width);
                point.y = ScaleCoordinate(point.y, fy, height);
            }
        }
    });
}

}  // namespace mapwright
