// Checks of the area list shared by the tests and the fuzz entries.
#pragma once

#include "model/arealist.h"

#include <algorithm>
#include <vector>

namespace mapwright {

// The areas of one shape, in text order.
template <class Area>
std::vector<Area*> AreasOfShape(const CAreaList& list, EAreaShape shape)
{
    std::vector<Area*> areas;
    for (const auto& area : list.Areas()) {
        if (area->Shape() == shape)
            areas.push_back(static_cast<Area*>(area.get()));
    }
    return areas;
}

inline std::vector<CRectArea*> Rects(const CAreaList& list)
{
    return AreasOfShape<CRectArea>(list, EAreaShape::kRectangle);
}

inline std::vector<CCircleArea*> Circles(const CAreaList& list)
{
    return AreasOfShape<CCircleArea>(list, EAreaShape::kCircle);
}

inline std::vector<CPolyArea*> Polys(const CAreaList& list)
{
    return AreasOfShape<CPolyArea>(list, EAreaShape::kPolygon);
}

// The handles every rectangle and circle would have if they were built again now.
inline bool HandlesAreCurrent(const CAreaList& list)
{
    return std::all_of(list.Areas().begin(), list.Areas().end(), [](const auto& area) {
        if (area->Shape() == EAreaShape::kPolygon)
            return true;
        auto rebuilt = area->Clone();
        VisitArea(*rebuilt, [](auto& kind) {
            if constexpr (!std::is_same_v<std::decay_t<decltype(kind)>, CPolyArea>)
                kind.BuildHandles();
        });
        return rebuilt->m_points == area->m_points;
    });
}

}  // namespace mapwright
