#include "cli/editops.h"

#include "cli/cliprompt.h"
#include "html/fileops.h"
#include "html/maplines.h"
#include "document/areaclipboard.h"
#include "document/vavedidivovdoc.h"

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

// The area with tag number n, as a pointer of its kind (the other two null).
struct CFoundArea {
    CRectArea* rect = nullptr;
    CCircleArea* circle = nullptr;
    CPolyArea* poly = nullptr;
    CMapArea* Area() const { return rect ? static_cast<CMapArea*>(rect) : circle ? static_cast<CMapArea*>(circle) : poly; }
};

template <class Area>
Area* WithIndex(const std::vector<std::unique_ptr<Area>>& list, int n)
{
    for (const auto& area : list) {
        if (area->m_nIndex == n)
            return area.get();
    }
    return nullptr;
}

bool FindAndSelect(CVavedIdivovDoc& doc, int n, CFoundArea& found, std::string& error)
{
    found.rect = WithIndex(doc.m_rectAreas, n);
    found.circle = found.rect ? nullptr : WithIndex(doc.m_circleAreas, n);
    found.poly = found.rect || found.circle ? nullptr : WithIndex(doc.m_polyAreas, n);
    if (found.rect)
        doc.SelectArea(*found.rect);
    else if (found.circle)
        doc.SelectArea(*found.circle);
    else if (found.poly)
        doc.SelectArea(*found.poly);
    else
        error = "There is no area " + std::to_string(n) + ".";
    return found.Area() != nullptr;
}

bool Commit(CVavedIdivovDoc& doc, const CFoundArea& found, EEditSource source)
{
    if (found.rect)
        return doc.AreaChanged(*found.rect, source, nullptr);
    if (found.circle)
        return doc.AreaChanged(*found.circle, source, nullptr);
    return doc.AreaChanged(*found.poly, source, nullptr);
}

int Clamp(int value, int size) { return std::clamp(value, 0, std::max(size - 1, 0)); }

// The rectangle tool: press at the first corner, drag the bottom-right handle to the second.
bool DrawRect(CVavedIdivovDoc& doc, const std::vector<int>& c)
{
    auto rect = std::make_unique<CRectArea>();
    rect->left = rect->right = Clamp(c[0], doc.m_nImageWidth);
    rect->top = rect->bottom = Clamp(c[1], doc.m_nImageHeight);
    rect->BuildHandles();
    CRectArea& drawn = doc.AppendNewArea(std::move(rect));
    int handle = 2;
    drawn.ResizeByHandle(handle, c[2], c[3], doc.m_nImageWidth, doc.m_nImageHeight, handle);
    return doc.AreaDrawn(drawn, nullptr);
}

// The circle tool: the press fixes the top of the circle, the drag pulls its bottom.
bool DrawCircle(CVavedIdivovDoc& doc, const std::vector<int>& c)
{
    auto circle = std::make_unique<CCircleArea>();
    circle->x = Clamp(c[0], doc.m_nImageWidth);
    circle->y = Clamp(c[1] - c[2], doc.m_nImageHeight);
    circle->BuildHandles();
    CCircleArea& drawn = doc.AppendNewArea(std::move(circle));
    int handle = 2;
    drawn.ResizeByHandle(handle, c[0], c[1] + c[2], doc.m_nImageWidth, doc.m_nImageHeight, handle, 0, 0);
    return doc.AreaDrawn(drawn, nullptr);
}

// The polygon tool: a press starts two vertices at the first point; each further point is
// reached by a move and fixed by a click; the right button drops the vertex that followed the pointer.
bool DrawPoly(CVavedIdivovDoc& doc, const std::vector<int>& c)
{
    const int width = doc.m_nImageWidth;
    const int height = doc.m_nImageHeight;
    auto poly = std::make_unique<CPolyArea>();
    const CAreaPoint first(Clamp(c[0], width), Clamp(c[1], height), kPolygonVertex);
    poly->m_points = {first, first};
    CPolyArea& drawn = doc.AppendNewArea(std::move(poly));
    int handle = 1;
    for (std::size_t i = 2; i + 1 < c.size(); i += 2) {
        drawn.MoveVertex(handle, c[i], c[i + 1], width, height);
        drawn.m_points.emplace_back(drawn.m_points[handle].x, drawn.m_points[handle].y, kPolygonVertex);
        ++handle;
    }
    if (drawn.m_points.size() > 2)
        drawn.m_points.pop_back();
    return doc.AreaDrawn(drawn, nullptr);
}

bool SetField(CVavedIdivovDoc& doc, const CEditOperation& operation, std::string& error)
{
    CFoundArea found;
    if (!FindAndSelect(doc, operation.area, found, error))
        return false;
    CMapArea& area = *found.Area();
    std::string* field = operation.field == "href"     ? &area.m_strHref
                         : operation.field == "alt"    ? &area.m_strAlt
                         : operation.field == "target" ? &area.m_strTarget
                         : operation.field == "over"   ? &area.m_strStatusOver
                                                       : &area.m_strStatusOut;
    if (*field == operation.value)
        return true;
    *field = operation.value;
    return Commit(doc, found, EEditSource::kForm);
}

bool Move(CVavedIdivovDoc& doc, const CEditOperation& operation, std::string& error)
{
    CFoundArea found;
    if (!FindAndSelect(doc, operation.area, found, error))
        return false;
    const int dx = operation.numbers[0];
    const int dy = operation.numbers[1];
    if (dx == 0 && dy == 0)
        return true;  // a click without a drag only selects
    if (found.rect) {
        found.rect->MoveBy(dx, dy, doc.m_nImageWidth, doc.m_nImageHeight);
        found.rect->BuildHandles();
    } else if (found.circle) {
        found.circle->MoveBy(dx, dy, doc.m_nImageWidth, doc.m_nImageHeight);
        found.circle->BuildHandles();
    } else {
        found.poly->MoveBy(dx, dy, doc.m_nImageWidth, doc.m_nImageHeight);
    }
    return Commit(doc, found, EEditSource::kCanvas);
}

// The list index of the diagonal handle opposite a circle's corner handle.
int OppositeCorner(int code)
{
    switch (code) {
    case kHandleTopLeft: return 6;
    case kHandleTopRight: return 7;
    case kHandleBottomRight: return 4;
    case kHandleBottomLeft: return 5;
    default: return -1;
    }
}

bool Resize(CVavedIdivovDoc& doc, const CEditOperation& operation, std::string& error)
{
    CFoundArea found;
    if (!FindAndSelect(doc, operation.area, found, error))
        return false;
    int handle = operation.numbers[0];
    const int x = operation.numbers[1];
    const int y = operation.numbers[2];
    const CMapArea& area = *found.Area();
    if (handle < 0 || handle >= static_cast<int>(area.m_points.size())) {
        error = "Area " + std::to_string(operation.area) + " has no handle " + std::to_string(handle) + ".";
        return false;
    }
    if (found.rect) {
        found.rect->ResizeByHandle(handle, x, y, doc.m_nImageWidth, doc.m_nImageHeight, handle);
    } else if (found.circle) {
        const int opposite = OppositeCorner(area.m_points[handle].m_nCode);
        const CAreaPoint anchor = opposite >= 0 ? area.m_points[opposite] : CAreaPoint();
        found.circle->ResizeByHandle(handle, x, y, doc.m_nImageWidth, doc.m_nImageHeight, handle, anchor.x, anchor.y);
    } else {
        found.poly->MoveVertex(handle, x, y, doc.m_nImageWidth, doc.m_nImageHeight);
    }
    return Commit(doc, found, EEditSource::kCanvas);
}

bool Save(CVavedIdivovDoc& doc, const CEditRequest& request, CCliPrompt& prompt, std::string& error)
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
                               operation.field == "over" || operation.field == "out";
            if (!ParseInt(args[i + 1], operation.area) || equals == std::string::npos || !known) {
                error = "bad --set " + args[i + 1] + " " + assignment;
                return false;
            }
            operation.value = assignment.substr(equals + 1);
            i += 2;
        } else if (arg == "--move" || arg == "--resize") {
            const bool move = arg == "--move";
            operation.kind = move ? CEditOperation::kMove : CEditOperation::kResize;
            if (!need(i, move ? 2 : 3))
                return false;
            std::vector<int> point;
            int handle = 0;
            const bool ok = ParseInt(args[i + 1], operation.area) &&
                            (move || ParseInt(args[i + 2], handle)) && ParseInts(args[i + (move ? 2 : 3)], 2, point);
            if (!ok) {
                error = "bad " + arg + " arguments";
                return false;
            }
            operation.numbers = move ? point : std::vector<int>{handle, point[0], point[1]};
            i += move ? 2 : 3;
        } else if (arg == "--delete" || arg == "--copy") {
            operation.kind = arg == "--delete" ? CEditOperation::kDelete : CEditOperation::kCopy;
            if (!need(i, 1) || !ParseInt(args[++i], operation.area)) {
                error = "bad " + arg + " argument";
                return false;
            }
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

bool ApplyEditOperation(CVavedIdivovDoc& doc, const CEditOperation& operation, const CEditRequest& request,
                        CCliPrompt& prompt, std::string& error)
{
    CFoundArea found;
    switch (operation.kind) {
    case CEditOperation::kAdd:
        if (operation.shape == "rect")
            return DrawRect(doc, operation.numbers);
        if (operation.shape == "circle")
            return DrawCircle(doc, operation.numbers);
        return DrawPoly(doc, operation.numbers);
    case CEditOperation::kSet:
        return SetField(doc, operation, error);
    case CEditOperation::kMove:
        return Move(doc, operation, error);
    case CEditOperation::kResize:
        return Resize(doc, operation, error);
    case CEditOperation::kDelete:
        return FindAndSelect(doc, operation.area, found, error) && CAreaClipboard::DeleteArea(doc);
    case CEditOperation::kCopy:
        if (!FindAndSelect(doc, operation.area, found, error))
            return false;
        CAreaClipboard::Instance().CopyArea(doc);
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
    }
    return false;
}

}  // namespace mapwright
