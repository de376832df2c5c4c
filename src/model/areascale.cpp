#include "model/areascale.h"

#include <algorithm>
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
