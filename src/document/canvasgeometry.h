// How canvas pixels and picture pixels meet at a scale. Every conversion from a double to an
// integer truncates toward zero, never rounds.
#pragma once

#include "document/canvastoolhost.h"

namespace mapwright {

// A position in whole picture pixels.
struct CImagePoint {
    int x = 0;
    int y = 0;
    bool operator==(const CImagePoint&) const = default;
};

// Returns value truncated toward zero.
inline int Truncate(double value) { return static_cast<int>(value); }

// Returns the zoomed length of size picture pixels at scale: trunc(size x scale).
inline int ZoomedExtent(int size, double scale) { return Truncate(size * scale); }

// Returns the picture pixel under client point p: trunc((p + scroll) / scale) per axis.
inline CImagePoint ImagePosition(CClientPoint p, CClientPoint scroll, double scale)
{
    return {Truncate((p.x + scroll.x) / scale), Truncate((p.y + scroll.y) / scale)};
}

// Returns the picture offset of a pointer movement of delta client pixels: trunc(delta / scale).
inline int ImageOffset(int delta, double scale) { return Truncate(delta / scale); }

// True when client point p lies off the picture: left of or above it, or beyond the zoomed
// position of the last column's or row's left or top edge. A picture without pixels has no inside.
bool IsOutsideImage(CClientPoint p, CClientPoint scroll, double scale, int imageWidth, int imageHeight);

// Returns position kept where the zoomed picture (extentWidth x extentHeight) still fills the
// client: at most extent - client size per axis, and never negative.
CClientPoint ClampScrollPosition(CClientPoint position, int extentWidth, int extentHeight,
                                 const CClientRect& client);

}  // namespace mapwright
