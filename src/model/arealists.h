// The three area lists of a map, in text order, with the selection and the tag count.
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

    // Returns m_nIndex of the first selected area (rectangles, circles, polygons), 0 when none.
    int GetSelectedIndex() const;

    std::vector<std::unique_ptr<CRectArea>> m_rectAreas;
    std::vector<std::unique_ptr<CCircleArea>> m_circleAreas;
    std::vector<std::unique_ptr<CPolyArea>> m_polyAreas;
    CRectArea* m_pSelRect = nullptr;
    CCircleArea* m_pSelCircle = nullptr;
    CPolyArea* m_pSelPoly = nullptr;
    std::int32_t m_nAreaCount = 0;
};

}  // namespace mapwright
