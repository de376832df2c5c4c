#include "model/arealists.h"

namespace mapwright {

namespace {

template <class Area>
Area* FirstSelected(const std::vector<std::unique_ptr<Area>>& list)
{
    for (const auto& area : list) {
        if (area->m_nSelect == kSelected)
            return area.get();
    }
    return nullptr;
}

}  // namespace

void CAreaLists::ClearAreas()
{
    m_pSelRect = nullptr;
    m_pSelCircle = nullptr;
    m_pSelPoly = nullptr;
    m_rectAreas.clear();
    m_circleAreas.clear();
    m_polyAreas.clear();
    m_nAreaCount = 0;
}

CRectArea* CAreaLists::GetSelectedRect()
{
    return m_pSelRect = FirstSelected(m_rectAreas);
}

CCircleArea* CAreaLists::GetSelectedCircle()
{
    return m_pSelCircle = FirstSelected(m_circleAreas);
}

CPolyArea* CAreaLists::GetSelectedPoly()
{
    return m_pSelPoly = FirstSelected(m_polyAreas);
}

int CAreaLists::GetSelectedIndex() const
{
    if (const CMapArea* area = FirstSelected(m_rectAreas))
        return area->m_nIndex;
    if (const CMapArea* area = FirstSelected(m_circleAreas))
        return area->m_nIndex;
    if (const CMapArea* area = FirstSelected(m_polyAreas))
        return area->m_nIndex;
    return 0;
}

}  // namespace mapwright
