// The area clipboard: whole areas copied and pasted between documents, separate from the system
// clipboard. Three slots, one per kind, at most one filled.
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

    // Empties the slots, then copies the selected rectangle, else circle, else polygon of doc.
    void CopyArea(const CMapDocument& doc);

    // Deletes the selected area of doc through the edit protocol; false when none is selected.
    static bool DeleteArea(CMapDocument& doc);

    // Adds a copy of the filled slot's area to doc with its top-left at image point (ox, oy),
    // clamped into the image, as the new last and selected area. False when the clipboard is empty.
    bool PasteArea(CMapDocument& doc, int ox, int oy, CView* sender = nullptr) const;

    // True while a slot is filled: the paste commands are enabled.
    bool HasArea() const { return m_pRect || m_pCircle || m_pPoly; }

    // Empties all three slots.
    void Clear();

    const CRectArea* Rect() const { return m_pRect.get(); }
    const CCircleArea* Circle() const { return m_pCircle.get(); }
    const CPolyArea* Poly() const { return m_pPoly.get(); }

private:
    std::unique_ptr<CRectArea> m_pRect;
    std::unique_ptr<CCircleArea> m_pCircle;
    std::unique_ptr<CPolyArea> m_pPoly;
};

// Placing a pasted area with its top-left at image point (ox, oy) inside a W x H image.
void PlacePastedArea(CRectArea& area, int ox, int oy, int imageWidth, int imageHeight);
void PlacePastedArea(CCircleArea& area, int ox, int oy, int imageWidth, int imageHeight);
void PlacePastedArea(CPolyArea& area, int ox, int oy, int imageWidth, int imageHeight);

}  // namespace mapwright
