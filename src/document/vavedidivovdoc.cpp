#include "document/vavedidivovdoc.h"

#include "html/mapreader.h"
#include "html/prompt.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <string_view>

namespace mapwright {

namespace {

template <class Area> struct CAreaKind;

template <> struct CAreaKind<CRectArea> {
    static constexpr std::string_view kKeyword = "RECT";
};

template <> struct CAreaKind<CCircleArea> {
    static constexpr std::string_view kKeyword = "CIRCLE";
};

template <> struct CAreaKind<CPolyArea> {
    static constexpr std::string_view kKeyword = "POLY";
};

}  // namespace

CVavedIdivovDoc::~CVavedIdivovDoc()
{
    const int used = std::min(m_nTempFiles, kMaxTempFiles);
    for (int i = 0; i < used; ++i) {
        const CTempFilePair& pair = m_tempFiles[static_cast<std::size_t>(i)];
        if (!pair.strHtmlFile.empty())
            std::remove(pair.strHtmlFile.c_str());
        if (!pair.strImageFile.empty())
            std::remove(pair.strImageFile.c_str());
    }
}

void CVavedIdivovDoc::RefreshTabBar()
{
    if (m_refreshTabBar)
        m_refreshTabBar();
}

void CVavedIdivovDoc::ReportMemoryFailure()
{
    if (!m_pPrompt)
        return;
    try {
        m_pPrompt->MessageBox("Invalid input", "Memory exeption");
    } catch (const std::bad_alloc&) {
        // Not even the message fits; the caller still learns of the failure.
    }
}

void CVavedIdivovDoc::ParseMap()
{
    ++m_nAreaGeneration;
    try {
        mapwright::ParseMap(m_lines, m_strMapName, m_nImageWidth, m_nImageHeight, *this);
    } catch (const std::bad_alloc&) {
        // Half-built lists could name tags that do not exist; the text stays the master copy.
        ClearAreas();
        ReportMemoryFailure();
    }
}

void CVavedIdivovDoc::FollowText()
{
    CAreaLists read;
    try {
        mapwright::ParseMap(m_lines, m_strMapName, m_nImageWidth, m_nImageHeight, GetSelectedIndex(), read);
    } catch (const std::bad_alloc&) {
        ++m_nAreaGeneration;
        ClearAreas();
        ReportMemoryFailure();
        return;
    }
    // Usually every tag reads back as written: then the area objects stay, and so does every
    // reference a view or a caller holds to them.
    if (TakeValuesFrom(read))
        return;
    ++m_nAreaGeneration;
    CAreaLists::operator=(std::move(read));
}

template <class Operation>
CVavedIdivovDoc::ETagResult CVavedIdivovDoc::RunTagOperation(Operation operation)
{
    try {
        return operation() ? ETagResult::kDone : ETagResult::kNotFound;
    } catch (const std::bad_alloc&) {
        ReportMemoryFailure();
        return ETagResult::kOutOfMemory;
    }
}

CTagPosition CVavedIdivovDoc::FindAreaTag(const CLines& lines, int n)
{
    CTagPosition position;
    RunTagOperation([&] {
        position = mapwright::FindAreaTag(lines, m_strMapName, n);
        return true;
    });
    return position;
}

template <class Area>
CVavedIdivovDoc::ETagResult CVavedIdivovDoc::AddArea(const Area& area)
{
    return RunTagOperation([&] {
        return AddAreaTag(m_lines, m_strMapName, AreaCount(), CAreaKind<Area>::kKeyword, FormatCoords(area));
    });
}

template <class Area>
bool CVavedIdivovDoc::AddNewAreaTag(const Area& area)
{
    switch (AddArea(area)) {
    case ETagResult::kDone: return true;
    case ETagResult::kOutOfMemory: return false;
    case ETagResult::kNotFound: break;
    }
    DropUnwrittenArea();
    return false;
}

void CVavedIdivovDoc::DropUnwrittenArea()
{
    // The text was typed without its map block; an area kept only in the lists would be lost at
    // the next parse and would make every later tag number wrong.
    Prompt().MessageBox("Cannot add the area: the page has no map \"" + m_strMapName + "\".");
    ParseMap();
    UpdateAllViews(nullptr);
}

template <class Area>
CVavedIdivovDoc::ETagResult CVavedIdivovDoc::WriteArea(const Area& area)
{
    return RunTagOperation([&] {
        return RewriteAreaTag(m_lines, m_strMapName, area.m_nIndex, area.m_strHref, area.m_strAlt,
                              FormatCoords(area), area.m_strStatusOver, area.m_strStatusOut,
                              CAreaKind<Area>::kKeyword, area.m_strTarget);
    });
}

bool CVavedIdivovDoc::AddRectArea(const CRectArea& area) { return AddArea(area) == ETagResult::kDone; }
bool CVavedIdivovDoc::AddCircleArea(const CCircleArea& area) { return AddArea(area) == ETagResult::kDone; }
bool CVavedIdivovDoc::AddPolyArea(const CPolyArea& area) { return AddArea(area) == ETagResult::kDone; }
bool CVavedIdivovDoc::WriteRectArea(const CRectArea& area) { return WriteArea(area) == ETagResult::kDone; }
bool CVavedIdivovDoc::WriteCircleArea(const CCircleArea& area) { return WriteArea(area) == ETagResult::kDone; }
bool CVavedIdivovDoc::WritePolyArea(const CPolyArea& area) { return WriteArea(area) == ETagResult::kDone; }

bool CVavedIdivovDoc::DeleteAreaTag(CLines& lines, int n)
{
    return RunTagOperation([&] { return mapwright::DeleteAreaTag(lines, m_strMapName, n); })
           == ETagResult::kDone;
}

template <class Area>
Area& CVavedIdivovDoc::AppendAreaOfKind(std::unique_ptr<Area> area)
{
    Area& added = AppendArea(std::move(area), false);
    SelectArea(added);
    return added;
}

CRectArea& CVavedIdivovDoc::AppendNewArea(std::unique_ptr<CRectArea> area)
{
    return AppendAreaOfKind(std::move(area));
}

CCircleArea& CVavedIdivovDoc::AppendNewArea(std::unique_ptr<CCircleArea> area)
{
    return AppendAreaOfKind(std::move(area));
}

CPolyArea& CVavedIdivovDoc::AppendNewArea(std::unique_ptr<CPolyArea> area)
{
    return AppendAreaOfKind(std::move(area));
}

void CVavedIdivovDoc::FinishEdit(EEditSource source, CView* sender)
{
    // A tag can read back otherwise than it was meant: texts are written as typed (a quote, '>'
    // or blank in them), and typed text around the map can place a new tag where the reader
    // numbers it differently. The lists follow the text, the master copy, as they will when the
    // page is opened again.
    FollowText();
    SetModifiedFlag(true);
    RefreshTabBar();
    if (source == EEditSource::kForm)
        m_nChangeOrigin = m_nChangeOrigin == kOriginText ? kOriginFormDuringText : kOriginForm;
    PushUndoStep(m_lines, source == EEditSource::kForm ? m_nChangeOrigin : kOriginCanvas);
    UpdateAllViews(sender);
    if (source == EEditSource::kForm)
        m_nChangeOrigin = kOriginNone;
}

template <class Area>
bool CVavedIdivovDoc::AreaChangedOfKind(const Area& area, EEditSource source, CView* sender)
{
    if (WriteArea(area) == ETagResult::kOutOfMemory)
        return false;
    FinishEdit(source, sender);
    return true;
}

bool CVavedIdivovDoc::AreaChanged(const CRectArea& area, EEditSource source, CView* sender)
{
    return AreaChangedOfKind(area, source, sender);
}

bool CVavedIdivovDoc::AreaChanged(const CCircleArea& area, EEditSource source, CView* sender)
{
    return AreaChangedOfKind(area, source, sender);
}

bool CVavedIdivovDoc::AreaChanged(const CPolyArea& area, EEditSource source, CView* sender)
{
    return AreaChangedOfKind(area, source, sender);
}

template <class Area>
bool CVavedIdivovDoc::AreaDrawnOfKind(const Area& area, CView* sender)
{
    if (!AddNewAreaTag(area))
        return false;
    FinishEdit(EEditSource::kCanvas, sender);
    return true;
}

bool CVavedIdivovDoc::AreaDrawn(const CRectArea& area, CView* sender) { return AreaDrawnOfKind(area, sender); }
bool CVavedIdivovDoc::AreaDrawn(const CCircleArea& area, CView* sender) { return AreaDrawnOfKind(area, sender); }
bool CVavedIdivovDoc::AreaDrawn(const CPolyArea& area, CView* sender) { return AreaDrawnOfKind(area, sender); }

template <class Area>
bool CVavedIdivovDoc::AreaPastedOfKind(const Area& area, CView* sender)
{
    if (!AddNewAreaTag(area) || WriteArea(area) == ETagResult::kOutOfMemory)
        return false;
    FinishEdit(EEditSource::kCanvas, sender);
    return true;
}

bool CVavedIdivovDoc::AreaPasted(const CRectArea& area, CView* sender) { return AreaPastedOfKind(area, sender); }
bool CVavedIdivovDoc::AreaPasted(const CCircleArea& area, CView* sender) { return AreaPastedOfKind(area, sender); }
bool CVavedIdivovDoc::AreaPasted(const CPolyArea& area, CView* sender) { return AreaPastedOfKind(area, sender); }

bool CVavedIdivovDoc::DeleteSelectedArea(CView* sender)
{
    const int deletedIndex = GetSelectedIndex();
    if (deletedIndex == 0)
        return false;
    // The object goes only when its tag could be handled, so text and lists stay in step.
    if (RunTagOperation([&] { return mapwright::DeleteAreaTag(m_lines, m_strMapName, deletedIndex); })
        == ETagResult::kOutOfMemory)
        return false;
    RemoveArea(deletedIndex);
    ++m_nAreaGeneration;
    FinishEdit(EEditSource::kCanvas, sender);
    return true;
}

void CVavedIdivovDoc::TextEdited(CView* sender)
{
    m_nChangeOrigin = kOriginText;
    PushUndoStep(m_lines, kOriginText);
    UpdateAllViews(sender);
    m_nChangeOrigin = kOriginNone;
}

void CVavedIdivovDoc::PushUndoStep(const CLines& lines, int /*origin*/)
{
    const std::size_t keep = static_cast<std::size_t>(std::max(m_nUndoPos, 0));
    if (m_undoSteps.size() > keep)
        m_undoSteps.erase(m_undoSteps.begin() + static_cast<std::ptrdiff_t>(keep), m_undoSteps.end());

    auto step = std::make_unique<CUndoStep>();
    step->m_lines = m_undoSteps.empty() ? CLineSnapshot(lines) : CLineSnapshot(lines, m_undoSteps.back()->m_lines);
    step->m_bModified = IsModified() ? 1 : 0;
    const CCaretHost* caret = GetLastCaretHost();
    step->m_nCaret = caret ? caret->GetSelectionStart() : 0;

    m_pCurStep = step.get();
    m_undoSteps.push_back(std::move(step));
    m_nUndoPos = static_cast<std::int32_t>(m_undoSteps.size());
}

void CVavedIdivovDoc::RestoreStep(int position)
{
    CUndoStep& step = *m_undoSteps[static_cast<std::size_t>(position)];
    m_pCurStep = &step;
    const int caretPosition = step.m_nCaret;
    step.m_lines.CopyTo(m_lines);
    ParseMap();
    m_bRestoring = 1;
    SetModifiedFlag(step.m_bModified != 0);
    RefreshTabBar();
    UpdateAllViews(nullptr);
    m_bRestoring = 0;
    if (CCaretHost* caret = GetLastCaretHost())
        caret->SetSelectionAndScroll(caretPosition);
}

void CVavedIdivovDoc::OnEditUndo()
{
    if (m_nUndoPos <= 1)
        return;
    --m_nUndoPos;
    RestoreStep(m_nUndoPos - 1);
}

void CVavedIdivovDoc::OnEditRedo()
{
    if (m_nUndoPos >= static_cast<std::int32_t>(m_undoSteps.size()))
        return;
    ++m_nUndoPos;
    RestoreStep(m_nUndoPos - 1);
}

CCommandState CVavedIdivovDoc::OnUpdateEditUndo() const
{
    return {m_nUndoPos > 1, false};
}

CCommandState CVavedIdivovDoc::OnUpdateEditRedo() const
{
    return {m_nUndoPos < static_cast<std::int32_t>(m_undoSteps.size()), false};
}

void CVavedIdivovDoc::SetStepModified(bool flag)
{
    const int position = m_nUndoPos - 1;
    if (position < 0 || position >= static_cast<int>(m_undoSteps.size()))
        return;
    m_undoSteps[static_cast<std::size_t>(position)]->m_bModified = flag ? 1 : 0;
}

void CVavedIdivovDoc::OnToolSelect()
{
    m_nTool = kToolSelect;
    m_bZoomMode = 0;
}

void CVavedIdivovDoc::ToggleAddTool(int tool)
{
    m_nTool = m_nTool == tool ? kToolSelect : tool;
    m_bZoomMode = 0;
}

void CVavedIdivovDoc::OnToolRect() { ToggleAddTool(kToolRect); }
void CVavedIdivovDoc::OnToolCircle() { ToggleAddTool(kToolCircle); }
void CVavedIdivovDoc::OnToolPoly() { ToggleAddTool(kToolPoly); }

void CVavedIdivovDoc::OnToolZoom()
{
    m_nTool = kToolZoom;
    m_bZoomMode = 1;
}

void CVavedIdivovDoc::OnHatchAreas()
{
    m_bHatch = m_bHatch ? 0 : 1;
    UpdateAllViews(nullptr);
}

void CVavedIdivovDoc::OnDragHandles()
{
    m_bShowHandles = m_bShowHandles ? 0 : 1;
    UpdateAllViews(nullptr);
}

CCommandState CVavedIdivovDoc::OnUpdateToolSelect() const { return {true, m_nTool == kToolSelect}; }
CCommandState CVavedIdivovDoc::OnUpdateToolRect() const { return {true, m_nTool == kToolRect}; }
CCommandState CVavedIdivovDoc::OnUpdateToolCircle() const { return {true, m_nTool == kToolCircle}; }
CCommandState CVavedIdivovDoc::OnUpdateToolPoly() const { return {true, m_nTool == kToolPoly}; }
CCommandState CVavedIdivovDoc::OnUpdateToolZoom() const { return {true, m_bZoomMode == 1}; }
CCommandState CVavedIdivovDoc::OnUpdateHatchAreas() const { return {true, m_bHatch == 1}; }
CCommandState CVavedIdivovDoc::OnUpdateDragHandles() const { return {true, m_bShowHandles == 1}; }

void CVavedIdivovDoc::AddTempFiles(const std::string& htmlFile, const std::string& imageFile)
{
    if (m_nTempFiles >= kMaxTempFiles)
        m_nTempFiles = kMaxTempFiles - 1;
    m_tempFiles[static_cast<std::size_t>(m_nTempFiles)] = {htmlFile, imageFile};
    ++m_nTempFiles;
}

}  // namespace mapwright
