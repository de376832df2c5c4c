// Checks of the area lists shared by the tests and the fuzz entries.
#pragma once

#include "model/arealists.h"

#include <algorithm>

namespace mapwright {

// The handles every rectangle and circle would have if they were built again now.
inline bool HandlesAreCurrent(const CAreaLists& areas)
{
    auto current = [](const auto& list) {
        return std::all_of(list.begin(), list.end(), [](const auto& area) {
            auto rebuilt = *area;
            rebuilt.BuildHandles();
            return rebuilt.m_points == area->m_points;
        });
    };
    return current(areas.m_rectAreas) && current(areas.m_circleAreas);
}

}  // namespace mapwright
