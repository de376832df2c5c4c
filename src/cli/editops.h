// The operations of `mapwright-cli edit`, each applied as the editor's gesture applies it: one
// undo step each, through the same document and tag operations.
#pragma once

#include "document/canvastools.h"
#include "document/headlesscanvashost.h"

#include <string>
#include <vector>

namespace mapwright {

class CCliPrompt;
class CMapDocument;

struct CEditOperation {
    enum EKind { kAdd, kSet, kMove, kResize, kDelete, kCopy, kPaste, kText, kUndo, kRedo, kSave, kReplacePicture, kScale,
                 kNudge, kInsertVertex, kDeleteVertex, kGrid, kCoords, kOrder, kSelect, kSelectAll };
    EKind kind = kUndo;
    std::string shape;      // kAdd: rect, circle or poly
    std::vector<int> numbers;  // kAdd: coordinates; kMove: dx, dy; kResize: handle, x, y; kPaste: ox, oy
    int area = 0;           // the area's tag number for kSet, kMove, kResize, kDelete, kCopy
    std::string field;      // kSet: href, alt, target, over or out
    std::string value;      // kCoords: the typed list; kSet: the new text; kText: the file to read; kReplacePicture: the image; kScale: PCT or WxH
    bool scaleAreas = false;   // kReplacePicture: the areas follow the new size
    // kNudge, kSelect, and kSet, kMove, kDelete, kCopy, kOrder given a list: the areas' tag numbers
    // (area is the first of them); kNudge: numbers holds dx, dy
    std::vector<int> areas;
    // kGrid: numbers holds the grid step (0: no snapping)
    // kInsertVertex: numbers holds the vertex (1-based) to insert before, x, y; kDeleteVertex: the vertex
};

// Parses the operations and options of `edit` from args. Returns false with a reason in error
// when they do not follow the usage.
struct CEditRequest {
    std::string page;
    std::string browseImage;
    bool yes = false;
    std::string output;
    std::vector<CEditOperation> operations;
};
bool ParseEditRequest(const std::vector<std::string>& args, CEditRequest& request, std::string& error);

// The canvas the gestures are made on: the picture at its scale in a client of its own size, so
// client points are picture pixels at 100 %. Each event is followed by the paint it asked for.
class CEditCanvas {
public:
    // A canvas over doc, which has its picture already.
    explicit CEditCanvas(CMapDocument& doc);

    void Press(CClientPoint p);
    void Move(CClientPoint p, bool leftButtonAlone);
    void Release(CClientPoint p);
    void RightPress(CClientPoint p);
    // A press at from, one move to to and a release there.
    void Drag(CClientPoint from, CClientPoint to);

    CHeadlessCanvasHost m_host;
    CCanvasTools m_tools;
};

// Applies one operation to doc, the gestures on canvas. Returns false with a reason in error when it cannot be applied
// (an area that does not exist, nothing to paste, a save that failed).
bool ApplyEditOperation(CMapDocument& doc, CEditCanvas& canvas, const CEditOperation& operation,
                        const CEditRequest& request, CCliPrompt& prompt, std::string& error);

}  // namespace mapwright
