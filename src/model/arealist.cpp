#include "model/arealist.h"

#include <utility>

#include <algorithm>

namespace mapwright {

void CAreaList::ClearAreas()
{
    m_selection.clear();
    m_areas.clear();
}

CAreaList::CAreas CAreaList::TakeAreas()
{
    m_selection.clear();
    return std::exchange(m_areas, {});
}

CMapArea* CAreaList::AreaNumbered(int n)
{
    return n >= 1 && n <= AreaCount() ? m_areas[static_cast<std::size_t>(n - 1)].get() : nullptr;
}

const CMapArea* CAreaList::AreaNumbered(int n) const
{
    return n >= 1 && n <= AreaCount() ? m_areas[static_cast<std::size_t>(n - 1)].get() : nullptr;
}

namespace {

bool InTextOrder(const CMapArea* a, const CMapArea* b) { return a->m_nIndex < b->m_nIndex; }

}  // namespace

bool CAreaList::IsSelected(const CMapArea& area) const
{
    const auto place = std::lower_bound(m_selection.begin(), m_selection.end(), &area, InTextOrder);
    return place != m_selection.end() && *place == &area;
}

std::vector<CMapArea*> CAreaList::SelectedAreas() const { return m_selection; }

CMapArea* CAreaList::FirstSelected() const { return m_selection.empty() ? nullptr : m_selection.front(); }

int CAreaList::GetSelectedIndex() const
{
    const CMapArea* first = FirstSelected();
    return first ? first->m_nIndex : 0;
}

CMapArea& CAreaList::AppendArea(std::unique_ptr<CMapArea> area, bool selected)
{
    CMapArea& added = *area;
    m_areas.push_back(std::move(area));
    added.m_nIndex = AreaCount();
    if (selected)
        SelectArea(added);
    return added;
}

void CAreaList::SelectArea(CMapArea& area) { m_selection.assign(1, &area); }

void CAreaList::ClearSelection() { m_selection.clear(); }

void CAreaList::SelectAreas(std::vector<CMapArea*> areas)
{
    std::sort(areas.begin(), areas.end(), InTextOrder);
    areas.erase(std::unique(areas.begin(), areas.end()), areas.end());
    m_selection = std::move(areas);
}

void CAreaList::AddToSelection(CMapArea& area, bool toggle)
{
    const auto place = std::lower_bound(m_selection.begin(), m_selection.end(), &area, InTextOrder);
    if (place == m_selection.end() || *place != &area)
        m_selection.insert(place, &area);
    else if (toggle)
        m_selection.erase(place);
}

std::vector<int> CAreaList::SelectedNumbers() const
{
    std::vector<int> numbers;
    numbers.reserve(m_selection.size());
    for (const CMapArea* area : m_selection)
        numbers.push_back(area->m_nIndex);
    return numbers;
}

void CAreaList::SelectNumbered(const std::vector<int>& numbers)
{
    std::vector<CMapArea*> areas;
    areas.reserve(numbers.size());
    for (const int n : numbers) {
        if (CMapArea* area = AreaNumbered(n))
            areas.push_back(area);
    }
    SelectAreas(std::move(areas));
}

void CAreaList::SelectAll()
{
    m_selection.clear();
    m_selection.reserve(m_areas.size());
    for (const auto& area : m_areas)
        m_selection.push_back(area.get());
}

CMapArea* CAreaList::AreaAt(int x, int y) const
{
    CMapArea* found = nullptr;
    VisitInPickOrder([&](CMapArea& area) {
        if (area.HitTest(x, y))
            found = &area;
        return found != nullptr;
    });
    return found;
}

std::vector<CMapArea*> CAreaList::AreasAt(int x, int y) const
{
    std::vector<CMapArea*> found;
    for (const auto& area : m_areas) {
        if (area->HitTest(x, y))
            found.push_back(area.get());
    }
    return found;
}

bool CAreaList::SelectAreaAt(int x, int y)
{
    ClearSelection();
    CMapArea* area = AreaAt(x, y);
    if (area)
        SelectArea(*area);
    return area != nullptr;
}

bool CAreaList::TakeValuesFrom(const CAreaList& other)
{
    if (m_areas.size() != other.m_areas.size())
        return false;
    for (std::size_t i = 0; i < m_areas.size(); ++i) {
        if (m_areas[i]->Shape() != other.m_areas[i]->Shape())
            return false;
    }
    for (std::size_t i = 0; i < m_areas.size(); ++i)
        m_areas[i]->CopyValuesFrom(*other.m_areas[i]);
    m_selection.clear();
    for (const CMapArea* selected : other.m_selection)
        m_selection.push_back(m_areas[static_cast<std::size_t>(selected->m_nIndex - 1)].get());
    return true;
}

bool CAreaList::Reorder(const std::vector<int>& order)
{
    if (order.size() != m_areas.size())
        return false;
    std::vector<bool> seen(m_areas.size() + 1, false);
    for (const int n : order) {
        if (n < 1 || n > AreaCount() || seen[std::size_t(n)])
            return false;
        seen[std::size_t(n)] = true;
    }
    CAreas reordered;
    reordered.reserve(m_areas.size());
    for (const int n : order)
        reordered.push_back(std::move(m_areas[std::size_t(n - 1)]));
    m_areas.swap(reordered);
    for (std::size_t i = 0; i < m_areas.size(); ++i)
        m_areas[i]->m_nIndex = static_cast<std::int32_t>(i + 1);
    // The selection keeps text order.
    std::sort(m_selection.begin(), m_selection.end(), InTextOrder);
    return true;
}

bool CAreaList::RemoveArea(int index)
{
    CMapArea* area = AreaNumbered(index);
    if (!area)
        return false;
    std::erase(m_selection, area);
    m_areas.erase(m_areas.begin() + (index - 1));
    for (std::size_t i = static_cast<std::size_t>(index - 1); i < m_areas.size(); ++i)
        m_areas[i]->m_nIndex = static_cast<std::int32_t>(i + 1);
    return true;
}

}  // namespace mapwright
