// The three area lists of a map, in text order, with the selection and the tag count. The lists'
// own operations keep the numbering and the selection pointers in step with the areas.
#pragma once

#include "model/maparea.h"

#include <memory>
#include <vector>

namespace mapwright {

class CAreaLists {
public:
    // Destroys every area, clears the selection pointers and sets the count to 0.
    void ClearAreas();

    // Return the first area of the list with m_nSelect 1 (also stored in its pointer), or null.
    CRectArea* GetSelectedRect();
    CCircleArea* GetSelectedCircle();
    CPolyArea* GetSelectedPoly();
    // The same for a reader that may not store: the first area of the list with m_nSelect 1, or null.
    const CRectArea* GetSelectedRect() const { return FirstSelectedOf(m_rectAreas); }
    const CCircleArea* GetSelectedCircle() const { return FirstSelectedOf(m_circleAreas); }
    const CPolyArea* GetSelectedPoly() const { return FirstSelectedOf(m_polyAreas); }

    // Returns m_nIndex of the first selected area (rectangles, circles, polygons), 0 when none.
    int GetSelectedIndex() const;

    // The number of AREA tags in the map block: the highest m_nIndex.
    int AreaCount() const { return m_nAreaCount; }

    // Appends area to its list as the area of the next tag, numbered AreaCount() + 1, with
    // m_nSelect 1 (and in the selection pointer of its kind) when selected, else 2. Returns it.
    CRectArea& AppendArea(std::unique_ptr<CRectArea> area, bool selected);
    CCircleArea& AppendArea(std::unique_ptr<CCircleArea> area, bool selected);
    CPolyArea& AppendArea(std::unique_ptr<CPolyArea> area, bool selected);

    // Makes area the selected one: the previously selected area gets 2, the selection pointers
    // are cleared, then area gets 1 and becomes the selected area of its kind.
    void SelectArea(CRectArea& area);
    void SelectArea(CCircleArea& area);
    void SelectArea(CPolyArea& area);

    // Selects the first area (rectangles, circles, polygons, each in text order) that holds
    // picture pixel (x, y); every other area becomes unselected. Returns false when none holds it.
    bool SelectAreaAt(int x, int y);

    // When other holds as many areas of each kind, copies their values (numbers, selection, texts,
    // coordinates, points) into these lists' areas, so the objects and pointers to them stay good.
    // Returns false and changes nothing otherwise.
    bool TakeValuesFrom(const CAreaLists& other);

    // Destroys the area numbered index, numbers the areas after it one lower, lowers the count
    // and clears the selection pointers. Returns false and changes nothing when there is none.
    bool RemoveArea(int index);

    std::vector<std::unique_ptr<CRectArea>> m_rectAreas;
    std::vector<std::unique_ptr<CCircleArea>> m_circleAreas;
    std::vector<std::unique_ptr<CPolyArea>> m_polyAreas;

private:
    template <class Area> static Area* FirstSelectedOf(const std::vector<std::unique_ptr<Area>>& list)
    {
        for (const auto& area : list) {
            if (area->m_nSelect == kSelected)
                return area.get();
        }
        return nullptr;
    }
    template <class Area> Area& AppendOfKind(std::vector<std::unique_ptr<Area>>& list, Area*& pointer,
                                             std::unique_ptr<Area> area, bool selected);
    template <class Area> static void CopyValues(std::vector<std::unique_ptr<Area>>& to,
                                                 const std::vector<std::unique_ptr<Area>>& from);
    template <class Area> void SelectOfKind(Area& area, Area*& pointer);
    void ClearSelectionPointers();

    CRectArea* m_pSelRect = nullptr;
    CCircleArea* m_pSelCircle = nullptr;
    CPolyArea* m_pSelPoly = nullptr;
    std::int32_t m_nAreaCount = 0;
};

}  // namespace mapwright
