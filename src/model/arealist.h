// The areas of a map in text order (area n stands for the map's AREA tag n) and the selection,
// a set of them. The list's own operations keep the numbering and the selection in step with
// the areas.
#pragma once

#include "model/maparea.h"

#include <memory>
#include <vector>

namespace mapwright {

class CAreaList {
public:
    using CAreas = std::vector<std::unique_ptr<CMapArea>>;

    // Destroys every area and empties the selection.
    void ClearAreas();
    // Empties the list and the selection, handing over the areas.
    CAreas TakeAreas();

    // The areas in text order; the number (m_nIndex) of each is its place from 1.
    const CAreas& Areas() const { return m_areas; }
    // The number of AREA tags in the map block: the highest m_nIndex.
    int AreaCount() const { return static_cast<int>(m_areas.size()); }
    // The area numbered n, or null.
    CMapArea* AreaNumbered(int n);
    const CMapArea* AreaNumbered(int n) const;

    bool IsSelected(const CMapArea& area) const;
    // The selected areas in text order.
    std::vector<CMapArea*> SelectedAreas() const;
    // The first selected area in text order, or null.
    CMapArea* FirstSelected() const;
    // m_nIndex of the first selected area, 0 when none.
    int GetSelectedIndex() const;

    // Appends area as the area of the next tag, numbered AreaCount() + 1, selected alone when
    // selected says so. Returns it.
    CMapArea& AppendArea(std::unique_ptr<CMapArea> area, bool selected);

    // How many areas are selected.
    int SelectedCount() const { return static_cast<int>(m_selection.size()); }

    // Makes area, which must be in the list, the only selected one.
    void SelectArea(CMapArea& area);
    void ClearSelection();
    // Makes areas (each in the list; repeats count once) the selection.
    void SelectAreas(std::vector<CMapArea*> areas);
    // Adds area to the selection, or takes it out when toggle says so and it is selected.
    void AddToSelection(CMapArea& area, bool toggle = false);
    void SelectAll();
    // The numbers of the selected areas, in text order; and the selection made of the areas with
    // those numbers that exist.
    std::vector<int> SelectedNumbers() const;
    void SelectNumbered(const std::vector<int>& numbers);
    // The area a click on picture pixel (x, y) picks: the first rectangle that holds it, else
    // the first circle, else the first polygon (each in text order); null when none holds it.
    CMapArea* AreaAt(int x, int y) const;
    // The areas that hold picture pixel (x, y), in text order.
    std::vector<CMapArea*> AreasAt(int x, int y) const;
    // Selects what AreaAt picks, alone; returns false, with nothing selected, when it is none.
    bool SelectAreaAt(int x, int y);

    // When other holds as many areas, of the same shapes in the same order, copies their values
    // and other's selection into these areas, so the objects and pointers to them stay good.
    // Returns false and changes nothing otherwise.
    bool TakeValuesFrom(const CAreaList& other);

    // Puts the areas in the order given (the area at place i, from 0, is the one numbered
    // order[i]) and numbers them anew; the objects and the selection stay. False, with nothing
    // changed, when order is not an arrangement of 1..AreaCount().
    bool Reorder(const std::vector<int>& order);

    // Destroys the area numbered index, numbers the areas after it one lower and drops it from
    // the selection. Returns false and changes nothing when there is none.
    bool RemoveArea(int index);

    // Calls visit on every area in the order a click picks them: rectangles, circles, polygons,
    // each in text order. Stops and returns true as soon as visit returns true.
    template <class Visitor> bool VisitInPickOrder(Visitor&& visit) const
    {
        for (EAreaShape shape : {EAreaShape::kRectangle, EAreaShape::kCircle, EAreaShape::kPolygon}) {
            for (const auto& area : m_areas) {
                if (area->Shape() == shape && visit(*area))
                    return true;
            }
        }
        return false;
    }

private:
    CAreas m_areas;
    // Kept in text order, so a look-up is a binary search.
    std::vector<CMapArea*> m_selection;
};

}  // namespace mapwright
