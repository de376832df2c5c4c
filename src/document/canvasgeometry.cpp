#include "document/canvasgeometry.h"

#include <algorithm>

namespace mapwright {

bool IsOutsideImage(CClientPoint p, CClientPoint scroll, double scale, int imageWidth, int imageHeight)
{
    if (imageWidth <= 0 || imageHeight <= 0)
        return true;
    // The bound is the zoomed left or top edge of the last column or row, so at high zoom only
    // its first screen column or row counts as inside.
    return p.x < 0 || p.y < 0 || p.x > Truncate((imageWidth - 1) * scale) - scroll.x
           || p.y > Truncate((imageHeight - 1) * scale) - scroll.y;
}

CClientPoint ClampScrollPosition(CClientPoint position, int extentWidth, int extentHeight,
                                 const CClientRect& client)
{
    return {std::max(std::min(position.x, extentWidth - client.right), 0),
            std::max(std::min(position.y, extentHeight - client.bottom), 0)};
}

}  // namespace mapwright
