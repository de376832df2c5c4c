// Several areas treated as one: their common box, and a move that keeps every one of them inside
// the picture and their places to one another.
#pragma once

#include "model/maparea.h"

#include <vector>

namespace mapwright {

// The smallest box that holds every area's bounds; all zero when there is none.
CAreaBounds GroupBounds(const std::vector<CMapArea*>& areas);

// The part of (dx, dy) that every area can take, as MoveWithHandles would apply it to each.
COffset AllowedGroupMove(const std::vector<CMapArea*>& areas, int dx, int dy, int imageWidth, int imageHeight);

// Moves every area by the offset all of them can take; returns it.
COffset MoveGroup(const std::vector<CMapArea*>& areas, int dx, int dy, int imageWidth, int imageHeight);

}  // namespace mapwright
