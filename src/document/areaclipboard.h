// The area clipboard: whole areas copied and pasted between documents, separate from the system
// clipboard. It holds at most one area.
#pragma once

#include "model/maparea.h"

#include <memory>

namespace mapwright {

class CView;
class CMapDocument;

class CAreaClipboard {
public:
    // The one clipboard of the process, shared by all documents.
    static CAreaClipboard& Instance();

    // Empties the clipboard, then copies the first selected area of doc, if any.
    void CopyArea(const CMapDocument& doc);

    // Deletes the selected area of doc through the edit protocol; false when none is selected.
    static bool DeleteArea(CMapDocument& doc);

    // Adds a copy of the filled slot's area to doc with its top-left at image point (ox, oy),
    // clamped into the image, as the new last and selected area. False when the clipboard is empty.
    bool PasteArea(CMapDocument& doc, int ox, int oy, CView* sender = nullptr) const;

    // True while an area is held: the paste commands are enabled.
    bool HasArea() const { return m_pArea != nullptr; }

    void Clear() { m_pArea.reset(); }

    // The area held, or null.
    const CMapArea* Area() const { return m_pArea.get(); }

private:
    std::unique_ptr<CMapArea> m_pArea;
};

// Placing a pasted area with its top-left at image point (ox, oy) inside a W x H image.
void PlacePastedArea(CRectArea& area, int ox, int oy, int imageWidth, int imageHeight);
void PlacePastedArea(CCircleArea& area, int ox, int oy, int imageWidth, int imageHeight);
void PlacePastedArea(CPolyArea& area, int ox, int oy, int imageWidth, int imageHeight);
void PlacePastedArea(CMapArea& area, int ox, int oy, int imageWidth, int imageHeight);

}  // namespace mapwright
