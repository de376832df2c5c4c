// Scaling areas with their picture: every coordinate by a factor, rounded to the nearest pixel
// and kept inside the picture.
#pragma once

#include "model/maparea.h"

#include <optional>
#include <string_view>
#include <utility>

namespace mapwright {

// The factors a scaling accepts: above 0 and at most 100 (10,000 %).
constexpr double kMaxScaleFactor = 100.0;
bool IsScaleFactorAllowed(double factor);

// Scales area's x coordinates by fx and its y coordinates by fy, rounded to the nearest pixel
// and clamped into a picture of width x height; a circle's radius goes by the smaller factor so
// that it stays round. Handles are rebuilt.
void ScaleArea(CMapArea& area, double fx, double fy, int width, int height);

// The factors a scale typed as text asks for over a picture of width x height: "150", "150%" or
// "150 %" for both, "800x600" or "800 x 600" for a new size. Nothing when the text is neither or a
// factor is refused.
std::optional<std::pair<double, double>> ScaleFactorsOf(std::string_view text, int width, int height);

// True when the two factors differ by more than 1 % of the larger, so circles cannot follow both.
bool FactorsDiffer(double fx, double fy);

}  // namespace mapwright
