// The area clipboard: whole areas copied and pasted between documents, separate from the system
// clipboard. It holds the areas selected when Copy was chosen, in text order.
#pragma once

#include "model/maparea.h"

#include <memory>
#include <vector>

namespace mapwright {

class CView;
class CMapDocument;

class CAreaClipboard {
public:
    // The one clipboard of the process, shared by all documents.
    static CAreaClipboard& Instance();

    // Empties the clipboard, then copies the selected areas of doc, if any.
    void CopyArea(const CMapDocument& doc);

    // Deletes the selected areas of doc through the edit protocol; false when none is selected.
    static bool DeleteArea(CMapDocument& doc);

    // Adds copies of the areas held to doc, placed so that the box around them has its top-left
    // at image point (ox, oy) (each area clamped into the image), as the new last areas, selected,
    // in one undo step. False when the clipboard is empty.
    bool PasteArea(CMapDocument& doc, int ox, int oy, CView* sender = nullptr) const;

    // True while an area is held: the paste commands are enabled.
    bool HasArea() const { return !m_areas.empty(); }

    void Clear() { m_areas.clear(); }

    // The areas held, in the order they were in their text.
    const std::vector<std::unique_ptr<CMapArea>>& Areas() const { return m_areas; }

private:
    std::vector<std::unique_ptr<CMapArea>> m_areas;
};

// Placing a pasted area with its top-left at image point (ox, oy) inside a W x H image.
void PlacePastedArea(CRectArea& area, int ox, int oy, int imageWidth, int imageHeight);
void PlacePastedArea(CCircleArea& area, int ox, int oy, int imageWidth, int imageHeight);
void PlacePastedArea(CPolyArea& area, int ox, int oy, int imageWidth, int imageHeight);
void PlacePastedArea(CMapArea& area, int ox, int oy, int imageWidth, int imageHeight);

}  // namespace mapwright
