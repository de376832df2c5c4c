#include "cli/editops.h"

#include "cli/cliprompt.h"
#include "html/fileops.h"
#include "html/maplines.h"
#include "document/areaclipboard.h"
#include "document/mapdocument.h"
#include "document/typedcoords.h"
#include "model/areascale.h"

#include <algorithm>
#include <charconv>

namespace mapwright {

namespace {

bool ParseInt(std::string_view text, int& value)
{
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
    return status == std::errc() && end == text.data() + text.size();
}

// A comma-separated list of integers; count 0 accepts any number of them.
bool ParseInts(std::string_view text, std::size_t count, std::vector<int>& values)
{
    values.clear();
    while (true) {
        const std::size_t comma = text.find(',');
        int value = 0;
        if (!ParseInt(text.substr(0, comma), value))
            return false;
        values.push_back(value);
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return count == 0 || values.size() == count;
}

bool ParseAdd(std::string_view spec, CEditOperation& operation)
{
    const std::size_t colon = spec.find(':');
    if (colon == std::string_view::npos)
        return false;
    operation.shape = std::string(spec.substr(0, colon));
    const std::size_t count = operation.shape == "rect" ? 4 : operation.shape == "circle" ? 3 : 0;
    if (operation.shape != "rect" && operation.shape != "circle" && operation.shape != "poly")
        return false;
    if (!ParseInts(spec.substr(colon + 1), count, operation.numbers))
        return false;
    return operation.shape != "poly" || operation.numbers.size() % 2 == 0;
}

// Selects area n alone and returns it; null, with the error, when the map has none.
CMapArea* FindAndSelect(CMapDocument& doc, int n, std::string& error)
{
    CMapArea* area = doc.AreaNumbered(n);
    if (area)
        doc.SelectArea(*area);
    else
        error = "There is no area " + std::to_string(n) + ".";
    return area;
}

// Selects the areas numbered in numbers, as Ctrl+clicks would; false, with the error, when one
// of them does not exist.
bool SelectAll(CMapDocument& doc, const std::vector<int>& numbers, std::string& error)
{
    for (const int n : numbers) {
        if (!doc.AreaNumbered(n)) {
            error = "There is no area " + std::to_string(n) + ".";
            return false;
        }
    }
    doc.SelectAreasNumbered(numbers, nullptr);
    return true;
}

// Chooses tool as its command in the Action menu would; an add command chosen again would return
// to the select tool, so a tool in use is left alone.
void ChooseTool(CMapDocument& doc, int tool)
{
    if (doc.Display().nTool == tool && doc.Display().bZoomMode == 0)
        return;
    switch (tool) {
    case kToolRect: doc.OnToolRect(); break;
    case kToolCircle: doc.OnToolCircle(); break;
    case kToolPoly: doc.OnToolPoly(); break;
    default: doc.OnToolSelect(); break;
    }
}

// The client point of picture pixel (x, y), moved onto the picture: a shape starts on it.
CClientPoint OnPicture(const CMapDocument& doc, int x, int y)
{
    return {ClampToImage(x, doc.Picture().Width()), ClampToImage(y, doc.Picture().Height())};
}

bool Added(const CMapDocument& doc, int countBefore, std::string& error)
{
    if (doc.AreaCount() > countBefore)
        return true;
    error = "The area was not added.";
    return false;
}

// The rectangle tool: press at the first corner, drag to the second, release.
bool DrawRect(CMapDocument& doc, CEditCanvas& canvas, const std::vector<int>& c, std::string& error)
{
    const int before = doc.AreaCount();
    ChooseTool(doc, kToolRect);
    canvas.Drag(OnPicture(doc, c[0], c[1]), {c[2], c[3]});
    return Added(doc, before, error);
}

// The circle tool: the press fixes the top of the circle, the drag pulls its bottom.
bool DrawCircle(CMapDocument& doc, CEditCanvas& canvas, const std::vector<int>& c, std::string& error)
{
    const int before = doc.AreaCount();
    ChooseTool(doc, kToolCircle);
    canvas.Drag(OnPicture(doc, c[0], c[1] - c[2]), {c[0], c[1] + c[2]});
    return Added(doc, before, error);
}

// The polygon tool: a press at the first point, then a move to and a click at every further
// point, and the right button to finish.
bool DrawPoly(CMapDocument& doc, CEditCanvas& canvas, const std::vector<int>& c, std::string& error)
{
    const int before = doc.AreaCount();
    ChooseTool(doc, kToolPoly);
    CClientPoint point = OnPicture(doc, c[0], c[1]);
    canvas.Press(point);
    canvas.Release(point);
    for (std::size_t i = 2; i + 1 < c.size(); i += 2) {
        point = {c[i], c[i + 1]};
        canvas.Move(point, false);
        canvas.Press(point);
        canvas.Release(point);
    }
    canvas.RightPress(point);
    return Added(doc, before, error);
}

// The form's field typed into with the areas selected: one undo step for all of them.
bool SetField(CMapDocument& doc, const CEditOperation& operation, std::string& error)
{
    if (!SelectAll(doc, operation.areas, error))
        return false;
    std::string CMapArea::*field = operation.field == "href"     ? &CMapArea::m_strHref
                                   : operation.field == "alt"    ? &CMapArea::m_strAlt
                                   : operation.field == "target" ? &CMapArea::m_strTarget
                                   : operation.field == "over"   ? &CMapArea::m_strStatusOver
                                   : operation.field == "title"  ? &CMapArea::m_strTitle
                                                                 : &CMapArea::m_strStatusOut;
    const std::vector<CMapArea*> selected = doc.SelectedAreas();
    if (std::all_of(selected.begin(), selected.end(), [&](const CMapArea* a) { return a->*field == operation.value; }))
        return true;
    for (CMapArea* area : selected)
        area->*field = operation.value;
    return doc.AreasChanged(selected, EEditSource::kForm, nullptr);
}

// The client point of an area's first handle or vertex, where the pointer takes it.
CClientPoint GripOf(const CMapArea& area)
{
    return area.m_points.empty() ? CClientPoint{} : CClientPoint{area.m_points[0].x, area.m_points[0].y};
}

// The select tool: the pointer takes area n (the first of several selected, which all follow)
// and drags it by (dx, dy); a click alone only selects.
bool Move(CMapDocument& doc, CEditCanvas& canvas, const CEditOperation& operation, std::string& error)
{
    if (!SelectAll(doc, operation.areas, error))
        return false;
    CMapArea* found = doc.AreaNumbered(operation.area);
    ChooseTool(doc, kToolSelect);
    const CClientPoint from = GripOf(*found);
    const bool grabbed = canvas.m_tools.GrabArea(from, *found);
    const CClientPoint to{from.x + operation.numbers[0], from.y + operation.numbers[1]};
    canvas.Move(to, true);
    canvas.Release(to);
    return grabbed;
}

// The select tool: the pointer takes handle h of area n and drags it to (x, y).
bool Resize(CMapDocument& doc, CEditCanvas& canvas, const CEditOperation& operation, std::string& error)
{
    CMapArea* found = FindAndSelect(doc, operation.area, error);
    if (!found)
        return false;
    const int handle = operation.numbers[0];
    const CMapArea& area = *found;
    if (handle < 0 || handle >= static_cast<int>(area.m_points.size())) {
        error = "Area " + std::to_string(operation.area) + " has no handle " + std::to_string(handle) + ".";
        return false;
    }
    ChooseTool(doc, kToolSelect);
    const CAreaPoint& grip = area.m_points[static_cast<std::size_t>(handle)];
    const CClientPoint from{grip.x, grip.y};
    const bool grabbed = canvas.m_tools.GrabHandle(from, *found, handle);
    const CClientPoint to{operation.numbers[1], operation.numbers[2]};
    canvas.Move(to, true);
    canvas.Release(to);
    return grabbed;
}

// The Delete key on the canvas, with the areas selected.
bool Delete(CMapDocument& doc, CEditCanvas& canvas, const std::vector<int>& numbers, std::string& error)
{
    if (!SelectAll(doc, numbers, error))
        return false;
    const int before = doc.AreaCount();
    canvas.m_tools.OnKeyDown(ECanvasKey::kDelete);
    if (doc.AreaCount() < before)
        return true;
    error = "Area " + std::to_string(numbers.front()) + " was not deleted.";
    return false;
}

// The Alt+arrow keys on the canvas with each area selected in turn: one undo step per area.
bool Nudge(CMapDocument& doc, CEditCanvas& canvas, const CEditOperation& operation, std::string& error)
{
    for (int n : operation.areas) {
        if (!doc.AreaNumbered(n)) {
            error = "There is no area " + std::to_string(n) + ".";
            return false;
        }
    }
    for (int n : operation.areas) {
        if (!FindAndSelect(doc, n, error) || !canvas.m_tools.Nudge(operation.numbers[0], operation.numbers[1]))
            return false;
        canvas.m_host.PaintIfPending();
    }
    return true;
}

// The select tool's context menu on polygon n: Insert vertex before vertex I (1-based, up to the
// count + 1) at X,Y, or Delete vertex I.
bool EditVertex(CMapDocument& doc, CEditCanvas& canvas, const CEditOperation& operation, std::string& error)
{
    CMapArea* area = FindAndSelect(doc, operation.area, error);
    if (!area)
        return false;
    const int count = static_cast<int>(area->m_points.size());
    const int vertex = operation.numbers[0];
    const bool insert = operation.kind == CEditOperation::kInsertVertex;
    if (area->Shape() != EAreaShape::kPolygon || vertex < 1 || vertex > count + (insert ? 1 : 0)) {
        error = "Area " + std::to_string(operation.area) + " has no vertex " + std::to_string(vertex) + ".";
        return false;
    }
    ChooseTool(doc, kToolSelect);
    const bool done = insert ? canvas.m_tools.InsertVertex(*area, vertex - 1, {operation.numbers[1], operation.numbers[2]})
                             : canvas.m_tools.DeleteVertex(*area, vertex - 1);
    canvas.m_host.PaintIfPending();
    if (!done)
        error = canvas.m_host.StatusText().empty() ? "The vertex was not changed." : canvas.m_host.StatusText();
    return done;
}

bool Scale(CMapDocument& doc, const CEditOperation& operation, std::string& error)
{
    const auto factors = ScaleFactorsOf(operation.value, doc.Picture().Width(), doc.Picture().Height());
    if (!factors) {
        error = "bad --scale " + operation.value + ": a percentage above 0 and at most 10000, or WxH";
        return false;
    }
    if (doc.AreaCount() == 0)
        return true;
    doc.ClearSelection();
    if (doc.ScaleAreas(factors->first, factors->second, false, nullptr))
        return true;
    error = "The areas were not scaled.";
    return false;
}

bool Save(CMapDocument& doc, const CEditRequest& request, CCliPrompt& prompt, std::string& error)
{
    prompt.m_bSaving = true;
    const bool saved = doc.OnSaveDocument(request.output.empty() ? request.page : request.output);
    prompt.m_bSaving = false;
    if (!saved) {
        error = "The page was not saved.";
        return false;
    }
    doc.SaveCompleted();
    return true;
}

}  // namespace

bool ParseEditRequest(const std::vector<std::string>& args, CEditRequest& request, std::string& error)
{
    auto need = [&](std::size_t i, std::size_t count) {
        if (i + count < args.size())
            return true;
        error = args[i] + " needs " + std::to_string(count) + (count == 1 ? " argument" : " arguments");
        return false;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        CEditOperation operation;
        if (arg == "--browse" || arg == "-o") {
            if (!need(i, 1))
                return false;
            (arg == "-o" ? request.output : request.browseImage) = args[++i];
            continue;
        }
        if (arg == "--yes") {
            request.yes = true;
            continue;
        }
        if (arg == "--add") {
            operation.kind = CEditOperation::kAdd;
            if (!need(i, 1))
                return false;
            if (!ParseAdd(args[++i], operation)) {
                error = "bad --add " + args[i];
                return false;
            }
        } else if (arg == "--set") {
            operation.kind = CEditOperation::kSet;
            if (!need(i, 2))
                return false;
            const std::string& assignment = args[i + 2];
            const std::size_t equals = assignment.find('=');
            operation.field = assignment.substr(0, equals);
            const bool known = operation.field == "href" || operation.field == "alt" || operation.field == "target" ||
                               operation.field == "over" || operation.field == "out" || operation.field == "title";
            if (!ParseInts(args[i + 1], 0, operation.areas) || equals == std::string::npos || !known) {
                error = "bad --set " + args[i + 1] + " " + assignment;
                return false;
            }
            operation.area = operation.areas.front();
            operation.value = assignment.substr(equals + 1);
            i += 2;
        } else if (arg == "--move" || arg == "--resize") {
            const bool move = arg == "--move";
            operation.kind = move ? CEditOperation::kMove : CEditOperation::kResize;
            if (!need(i, move ? 2 : 3))
                return false;
            std::vector<int> point;
            int handle = 0;
            const bool ok = (move ? ParseInts(args[i + 1], 0, operation.areas)
                                  : ParseInt(args[i + 1], operation.area) && ParseInt(args[i + 2], handle)) &&
                            ParseInts(args[i + (move ? 2 : 3)], 2, point);
            if (!ok) {
                error = "bad " + arg + " arguments";
                return false;
            }
            if (move)
                operation.area = operation.areas.front();
            operation.numbers = move ? point : std::vector<int>{handle, point[0], point[1]};
            i += move ? 2 : 3;
        } else if (arg == "--order") {
            operation.kind = CEditOperation::kOrder;
            if (!need(i, 2) || !ParseInts(args[i + 1], 0, operation.areas) ||
                (args[i + 2] != "top" && args[i + 2] != "up" && args[i + 2] != "down" && args[i + 2] != "bottom")) {
                error = "bad --order arguments";
                return false;
            }
            operation.area = operation.areas.front();
            operation.value = args[i + 2];
            i += 2;
        } else if (arg == "--nudge") {
            operation.kind = CEditOperation::kNudge;
            if (!need(i, 2) || !ParseInts(args[i + 1], 0, operation.areas) ||
                !ParseInts(args[i + 2], 2, operation.numbers)) {
                error = "bad --nudge arguments";
                return false;
            }
            i += 2;
        } else if (arg == "--insert-vertex" || arg == "--delete-vertex") {
            const bool insert = arg == "--insert-vertex";
            operation.kind = insert ? CEditOperation::kInsertVertex : CEditOperation::kDeleteVertex;
            if (!need(i, insert ? 3 : 2))
                return false;
            std::vector<int> point{0, 0};
            int vertex = 0;
            if (!ParseInt(args[i + 1], operation.area) || !ParseInt(args[i + 2], vertex) ||
                (insert && !ParseInts(args[i + 3], 2, point))) {
                error = "bad " + arg + " arguments";
                return false;
            }
            operation.numbers = {vertex, point[0], point[1]};
            i += insert ? 3 : 2;
        } else if (arg == "--coords") {
            operation.kind = CEditOperation::kCoords;
            if (!need(i, 2) || !ParseInt(args[i + 1], operation.area)) {
                error = "bad --coords arguments";
                return false;
            }
            operation.value = args[i + 2];
            i += 2;
        } else if (arg == "--grid") {
            operation.kind = CEditOperation::kGrid;
            if (!need(i, 1) || !ParseInts(args[++i], 1, operation.numbers) || operation.numbers[0] < 0) {
                error = "bad --grid argument";
                return false;
            }
        } else if (arg == "--delete" || arg == "--copy") {
            operation.kind = arg == "--delete" ? CEditOperation::kDelete : CEditOperation::kCopy;
            if (!need(i, 1) || !ParseInts(args[++i], 0, operation.areas)) {
                error = "bad " + arg + " argument";
                return false;
            }
            operation.area = operation.areas.front();
        } else if (arg == "--select") {
            operation.kind = CEditOperation::kSelect;
            if (!need(i, 1) || !ParseInts(args[++i], 0, operation.areas)) {
                error = "bad --select argument";
                return false;
            }
        } else if (arg == "--select-all") {
            operation.kind = CEditOperation::kSelectAll;
        } else if (arg == "--paste") {
            operation.kind = CEditOperation::kPaste;
            if (!need(i, 1) || !ParseInts(args[++i], 2, operation.numbers)) {
                error = "bad --paste argument";
                return false;
            }
        } else if (arg == "--text") {
            operation.kind = CEditOperation::kText;
            if (!need(i, 1))
                return false;
            operation.value = args[++i];
        } else if (arg == "--replace-picture") {
            operation.kind = CEditOperation::kReplacePicture;
            if (!need(i, 1))
                return false;
            operation.value = args[++i];
            if (i + 1 < args.size() && args[i + 1] == "--scale-areas") {
                operation.scaleAreas = true;
                ++i;
            }
        } else if (arg == "--scale") {
            operation.kind = CEditOperation::kScale;
            if (!need(i, 1))
                return false;
            operation.value = args[++i];
        } else if (arg == "--undo" || arg == "--redo" || arg == "--save") {
            operation.kind = arg == "--undo" ? CEditOperation::kUndo
                             : arg == "--redo" ? CEditOperation::kRedo : CEditOperation::kSave;
        } else if (request.page.empty() && !arg.starts_with("-")) {
            request.page = arg;
            continue;
        } else {
            error = "unknown argument " + arg;
            return false;
        }
        request.operations.push_back(std::move(operation));
    }
    if (request.page.empty()) {
        error = "edit needs a PAGE";
        return false;
    }
    return true;
}

CEditCanvas::CEditCanvas(CMapDocument& doc)
    : m_host(doc, std::max(doc.Picture().Width(), 1), std::max(doc.Picture().Height(), 1)), m_tools(&doc, m_host)
{
}

void CEditCanvas::Press(CClientPoint p)
{
    m_tools.OnLButtonDown(p);
    m_host.PaintIfPending();
}

void CEditCanvas::Move(CClientPoint p, bool leftButtonAlone)
{
    m_tools.OnMouseMove(p, leftButtonAlone);
    m_host.PaintIfPending();
}

void CEditCanvas::Release(CClientPoint p)
{
    m_tools.OnLButtonUp(p);
    m_host.PaintIfPending();
}

void CEditCanvas::RightPress(CClientPoint p)
{
    m_tools.OnRButtonDown(p);
    m_host.PaintIfPending();
}

void CEditCanvas::Drag(CClientPoint from, CClientPoint to)
{
    Press(from);
    Move(to, true);
    Release(to);
}

bool ApplyEditOperation(CMapDocument& doc, CEditCanvas& canvas, const CEditOperation& operation,
                        const CEditRequest& request, CCliPrompt& prompt, std::string& error)
{
    switch (operation.kind) {
    case CEditOperation::kAdd:
        if (operation.shape == "rect")
            return DrawRect(doc, canvas, operation.numbers, error);
        if (operation.shape == "circle")
            return DrawCircle(doc, canvas, operation.numbers, error);
        return DrawPoly(doc, canvas, operation.numbers, error);
    case CEditOperation::kSet:
        return SetField(doc, operation, error);
    case CEditOperation::kMove:
        return Move(doc, canvas, operation, error);
    case CEditOperation::kResize:
        return Resize(doc, canvas, operation, error);
    case CEditOperation::kDelete:
        return Delete(doc, canvas, operation.areas, error);
    case CEditOperation::kCopy:
        if (!SelectAll(doc, operation.areas, error))
            return false;
        CAreaClipboard::Instance().CopyArea(doc);
        return true;
    case CEditOperation::kSelect:
        return SelectAll(doc, operation.areas, error);
    case CEditOperation::kSelectAll:
        doc.SelectAllAreas(nullptr);
        return true;
    case CEditOperation::kPaste:
        if (!CAreaClipboard::Instance().HasArea()) {
            error = "There is no area to paste.";
            return false;
        }
        return CAreaClipboard::Instance().PasteArea(doc, operation.numbers[0], operation.numbers[1]);
    case CEditOperation::kText: {
        std::string bytes;
        if (!ReadFileBytes(operation.value, bytes, error)) {
            error = "Cannot read " + operation.value + ": " + error + ".";
            return false;
        }
        doc.ApplyTypedLines(SplitLines(bytes), nullptr);
        return true;
    }
    case CEditOperation::kUndo:
        doc.OnEditUndo();
        return true;
    case CEditOperation::kRedo:
        doc.OnEditRedo();
        return true;
    case CEditOperation::kSave:
        return Save(doc, request, prompt, error);
    case CEditOperation::kReplacePicture:
        if (doc.ReplacePicture(operation.value, operation.scaleAreas ? CMapDocument::EAreaScaling::kScale
                                                                     : CMapDocument::EAreaScaling::kKeep)) {
            canvas.m_host.ResizeClient(std::max(doc.Picture().Width(), 1), std::max(doc.Picture().Height(), 1));
            return true;
        }
        error = "The picture was not replaced.";
        return false;
    case CEditOperation::kScale:
        return Scale(doc, operation, error);
    case CEditOperation::kNudge:
        return Nudge(doc, canvas, operation, error);
    case CEditOperation::kOrder: {
        if (!SelectAll(doc, operation.areas, error))
            return false;
        using EMove = CMapDocument::EStackMove;
        const EMove move = operation.value == "top"  ? EMove::kToTop
                           : operation.value == "up" ? EMove::kUp
                           : operation.value == "down" ? EMove::kDown
                                                       : EMove::kToBottom;
        // An area already at that end of the stack stays: nothing to do is no failure.
        if (doc.OnUpdateStackMove(move).bEnabled && !doc.MoveSelectedInStack(move, nullptr)) {
            error = "Area " + std::to_string(operation.area) + " was not moved.";
            return false;
        }
        return true;
    }
    case CEditOperation::kCoords: {
        CMapArea* area = FindAndSelect(doc, operation.area, error);
        return area && ApplyTypedCoords(doc, *area, operation.value, nullptr, error);
    }
    case CEditOperation::kGrid:
        canvas.m_tools.SetSnapGrid(operation.numbers[0]);
        return true;
    case CEditOperation::kInsertVertex:
    case CEditOperation::kDeleteVertex:
        return EditVertex(doc, canvas, operation, error);
    }
    return false;
}

}  // namespace mapwright
