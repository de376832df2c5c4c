#include "model/arealists.h"

#include <algorithm>

namespace mapwright {

namespace {

template <class Area>
void RenumberAfter(std::vector<std::unique_ptr<Area>>& list, int removedIndex)
{
    for (auto& area : list) {
        if (area->m_nIndex > removedIndex)
            --area->m_nIndex;
    }
}

template <class Area>
bool EraseNumbered(std::vector<std::unique_ptr<Area>>& list, int index)
{
    const auto found = std::find_if(list.begin(), list.end(), [&](const auto& area) { return area->m_nIndex == index; });
    if (found == list.end())
        return false;
    list.erase(found);
    return true;
}

}  // namespace

void CAreaLists::ClearSelectionPointers()
{
    m_pSelRect = nullptr;
    m_pSelCircle = nullptr;
    m_pSelPoly = nullptr;
}

void CAreaLists::ClearAreas()
{
    ClearSelectionPointers();
    m_rectAreas.clear();
    m_circleAreas.clear();
    m_polyAreas.clear();
    m_nAreaCount = 0;
}

template <class Area>
void CAreaLists::CopyValues(std::vector<std::unique_ptr<Area>>& to, const std::vector<std::unique_ptr<Area>>& from)
{
    for (std::size_t i = 0; i < to.size(); ++i)
        to[i]->CopyFrom(*from[i]);
}

bool CAreaLists::TakeValuesFrom(const CAreaLists& other)
{
    if (m_rectAreas.size() != other.m_rectAreas.size() || m_circleAreas.size() != other.m_circleAreas.size()
        || m_polyAreas.size() != other.m_polyAreas.size())
        return false;
    CopyValues(m_rectAreas, other.m_rectAreas);
    CopyValues(m_circleAreas, other.m_circleAreas);
    CopyValues(m_polyAreas, other.m_polyAreas);
    ClearSelectionPointers();
    m_nAreaCount = other.m_nAreaCount;
    return true;
}

CRectArea* CAreaLists::GetSelectedRect()
{
    return m_pSelRect = FirstSelectedOf(m_rectAreas);
}

CCircleArea* CAreaLists::GetSelectedCircle()
{
    return m_pSelCircle = FirstSelectedOf(m_circleAreas);
}

CPolyArea* CAreaLists::GetSelectedPoly()
{
    return m_pSelPoly = FirstSelectedOf(m_polyAreas);
}

int CAreaLists::GetSelectedIndex() const
{
    if (const CMapArea* area = FirstSelectedOf(m_rectAreas))
        return area->m_nIndex;
    if (const CMapArea* area = FirstSelectedOf(m_circleAreas))
        return area->m_nIndex;
    if (const CMapArea* area = FirstSelectedOf(m_polyAreas))
        return area->m_nIndex;
    return 0;
}

template <class Area>
Area& CAreaLists::AppendOfKind(std::vector<std::unique_ptr<Area>>& list, Area*& pointer, std::unique_ptr<Area> area,
                               bool selected)
{
    Area& added = *area;
    list.push_back(std::move(area));
    added.m_nIndex = ++m_nAreaCount;
    added.SetSelected(selected ? kSelected : kNotSelected);
    if (selected)
        pointer = &added;
    return added;
}

CRectArea& CAreaLists::AppendArea(std::unique_ptr<CRectArea> area, bool selected)
{
    return AppendOfKind(m_rectAreas, m_pSelRect, std::move(area), selected);
}

CCircleArea& CAreaLists::AppendArea(std::unique_ptr<CCircleArea> area, bool selected)
{
    return AppendOfKind(m_circleAreas, m_pSelCircle, std::move(area), selected);
}

CPolyArea& CAreaLists::AppendArea(std::unique_ptr<CPolyArea> area, bool selected)
{
    return AppendOfKind(m_polyAreas, m_pSelPoly, std::move(area), selected);
}

template <class Area>
void CAreaLists::SelectOfKind(Area& area, Area*& pointer)
{
    // The pointers are looked up afresh so that a selection the parser left is also cleared.
    for (CMapArea* previous : {static_cast<CMapArea*>(GetSelectedRect()), static_cast<CMapArea*>(GetSelectedCircle()),
                               static_cast<CMapArea*>(GetSelectedPoly())}) {
        if (previous)
            previous->SetSelected(kNotSelected);
    }
    ClearSelectionPointers();
    area.SetSelected(kSelected);
    pointer = &area;
}

void CAreaLists::SelectArea(CRectArea& area) { SelectOfKind(area, m_pSelRect); }
void CAreaLists::SelectArea(CCircleArea& area) { SelectOfKind(area, m_pSelCircle); }
void CAreaLists::SelectArea(CPolyArea& area) { SelectOfKind(area, m_pSelPoly); }

bool CAreaLists::SelectAreaAt(int x, int y)
{
    ClearSelectionPointers();
    bool found = false;
    auto decide = [&](auto& list, auto*& pointer) {
        for (auto& area : list) {
            const bool hit = !found && area->HitTest(x, y);
            area->SetSelected(hit ? kSelected : kNotSelected);
            if (hit) {
                pointer = area.get();
                found = true;
            }
        }
    };
    decide(m_rectAreas, m_pSelRect);
    decide(m_circleAreas, m_pSelCircle);
    decide(m_polyAreas, m_pSelPoly);
    return found;
}

bool CAreaLists::RemoveArea(int index)
{
    if (!EraseNumbered(m_rectAreas, index) && !EraseNumbered(m_circleAreas, index)
        && !EraseNumbered(m_polyAreas, index))
        return false;
    ClearSelectionPointers();
    --m_nAreaCount;
    RenumberAfter(m_rectAreas, index);
    RenumberAfter(m_circleAreas, index);
    RenumberAfter(m_polyAreas, index);
    return true;
}

}  // namespace mapwright
