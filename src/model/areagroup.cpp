#include "model/areagroup.h"

#include <algorithm>

namespace mapwright {

CAreaBounds GroupBounds(const std::vector<CMapArea*>& areas)
{
    if (areas.empty())
        return {};
    CAreaBounds group = areas.front()->Bounds();
    for (const CMapArea* area : areas) {
        const CAreaBounds bounds = area->Bounds();
        group.left = std::min(group.left, bounds.left);
        group.top = std::min(group.top, bounds.top);
        group.right = std::max(group.right, bounds.right);
        group.bottom = std::max(group.bottom, bounds.bottom);
    }
    return group;
}

COffset AllowedGroupMove(const std::vector<CMapArea*>& areas, int dx, int dy, int imageWidth, int imageHeight)
{
    COffset allowed{dx, dy};
    for (const CMapArea* area : areas)
        allowed = area->AllowedMove(allowed.dx, allowed.dy, imageWidth, imageHeight);
    return allowed;
}

COffset MoveGroup(const std::vector<CMapArea*>& areas, int dx, int dy, int imageWidth, int imageHeight)
{
    const COffset allowed = AllowedGroupMove(areas, dx, dy, imageWidth, imageHeight);
    if (allowed.dx != 0 || allowed.dy != 0) {
        for (CMapArea* area : areas)
            area->MoveWithHandles(allowed.dx, allowed.dy, imageWidth, imageHeight);
    }
    return allowed;
}

}  // namespace mapwright
