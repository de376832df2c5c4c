#include "document/mapdocument.h"

#include "html/mapreader.h"
#include "html/textbytes.h"
#include "document/prompt.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <string_view>
#include <utility>

namespace mapwright {

CMapDocument::~CMapDocument()
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

void CMapDocument::RefreshTabBar()
{
    if (m_refreshTabBar)
        m_refreshTabBar();
}

void CMapDocument::ReportMemoryFailure()
{
    if (!m_pPrompt)
        return;
    try {
        m_pPrompt->MessageBox("Invalid input", "Memory exeption");
    } catch (const std::bad_alloc&) {
        // Not even the message fits; the caller still learns of the failure.
    }
}

void CMapDocument::ParseMap()
{
    ++m_nAreaGeneration;
    try {
        m_pendingLayout.reset();
        const std::vector<int> selected = SelectedNumbers();
        mapwright::ParseMap(m_page.lines, m_page.strMapName, m_picture.Width(), m_picture.Height(), GetSelectedIndex(),
                            *this, m_layout);
        // Several selected stay selected by their numbers, as one does.
        if (selected.size() > 1)
            SelectNumbered(selected);
    } catch (const std::bad_alloc&) {
        m_layout.reset();
        // Half-built lists could name tags that do not exist; the text stays the master copy.
        ClearAreas();
        ReportMemoryFailure();
    }
}

void CMapDocument::FollowText()
{
    CAreaList read;
    std::vector<int> selected;
    try {
        m_pendingLayout.reset();
        selected = SelectedNumbers();
        mapwright::ParseMap(m_page.lines, m_page.strMapName, m_picture.Width(), m_picture.Height(), GetSelectedIndex(),
                            read, m_layout);
        if (selected.size() > 1)
            read.SelectNumbered(selected);
    } catch (const std::bad_alloc&) {
        m_layout.reset();
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
    CAreaList::operator=(std::move(read));
}

namespace {

// The attributes whose values differ between the tag as it reads (old, of its kind) and area:
// only those are written, so the rest of the tag keeps the author's bytes.
CAttributeSet ChangedAttributes(const CMapArea* old, const CMapArea& area, const std::string& coords)
{
    if (!old || old->Shape() != area.Shape())
        return kAllAttributes;
    CAttributeSet changed;
    changed[kAttrCoords] = FormatCoords(*old) != coords;
    changed[kAttrHref] = old->m_strHref != area.m_strHref;
    changed[kAttrTarget] = old->m_strTarget != area.m_strTarget;
    changed[kAttrAlt] = old->m_strAlt != area.m_strAlt;
    changed[kAttrMouseOver] = old->m_strStatusOver != area.m_strStatusOver;
    changed[kAttrMouseOut] = old->m_strStatusOut != area.m_strStatusOut;
    changed[kAttrTitle] = old->m_strTitle != area.m_strTitle;
    return changed;
}

bool LinesAreUtf8(const CLines& lines, const CTagSpan& span)
{
    for (int line = span.open.nLine; line <= span.end.nLine; ++line) {
        if (!IsValidUtf8(lines[static_cast<std::size_t>(line)]))
            return false;
    }
    return true;
}

}  // namespace

std::optional<CTagSpan> CMapDocument::FindAreaTag(const CLines& lines, int n)
{
    std::optional<CTagSpan> span;
    RunTagOperation([&] {
        span = mapwright::FindAreaTag(lines, m_page.strMapName, n);
        return true;
    });
    return span;
}

bool CMapDocument::FollowTag(int n, const CTagSpan& written)
{
    // The rewrite changed only the bytes of tag n, and every value went in with quotes that hold
    // it; when the tag still reads up to the '>' that was written, the text after it, and so every
    // other tag, reads as before. The text before the tag is unchanged too, so the map's walk
    // still meets tag n where it was written.
    CAreaList read;
    const std::optional<CTagSpan> span =
        ReadAreaTagAt(m_page.lines, written.open, m_picture.Width(), m_picture.Height(), read);
    CMapArea* area = AreaNumbered(n);
    if (!span || *span != written || !area || read.AreaCount() != 1 || read.Areas()[0]->Shape() != area->Shape())
        return false;
    area->CopyValuesFrom(*read.Areas()[0]);
    area->m_nIndex = n;
    if (m_pendingLayout)
        m_layout = std::move(m_pendingLayout);
    m_pendingLayout.reset();
    return true;
}

CMapDocument::ETagResult CMapDocument::AddArea(const CMapArea& area)
{
    LinesChanging();
    return RunTagOperation(
        [&] { return AddAreaTag(m_page.lines, m_page.strMapName, ShapeKeyword(area.Shape()), FormatCoords(area)); });
}

bool CMapDocument::AddNewAreaTag(const CMapArea& area)
{
    switch (AddArea(area)) {
    case ETagResult::kDone: return true;
    case ETagResult::kOutOfMemory: return false;
    case ETagResult::kNotFound:
    case ETagResult::kUnchanged: break;
    }
    DropUnwrittenArea();
    return false;
}

void CMapDocument::DropUnwrittenArea()
{
    // The text was typed without its map block or its end; an area kept only in the list would be
    // lost at the next parse and would make every later tag number wrong.
    ReportNoMapBlock();
    ParseMap();
    UpdateAllViews(nullptr, CChangeNotice::Of(EChangeKind::kAreaCount, EChangeCause::kProgram));
}

void CMapDocument::ReportNoMapBlock()
{
    const bool blockFound = FindMapBlock(m_page.lines, m_page.strMapName).has_value();
    Prompt().MessageBox(blockFound && !MapBlockHasEnd(m_page.lines, m_page.strMapName)
                            ? "Cannot add the area: the map \"" + m_page.strMapName + "\" has no end (</MAP>)."
                            : "Cannot add the area: the page has no map \"" + m_page.strMapName + "\".");
}

CMapDocument::ETagResult CMapDocument::WriteArea(const CMapArea& area, std::optional<CTagSpan>* written,
                                                 std::optional<CLineChange>* change)
{
    const bool linesOfStep = m_pStepOfLines && m_nUndoPos >= 1
                             && static_cast<std::size_t>(m_nUndoPos) <= m_undoSteps.size()
                             && m_undoSteps[static_cast<std::size_t>(m_nUndoPos) - 1].get() == m_pStepOfLines;
    bool unchanged = false;
    const ETagResult result = RunTagOperation([&] {
        // The map is walked to the tag once; its old reading and its rewrite start where it stands.
        const std::optional<CTagSpan> found = mapwright::FindAreaTag(m_page.lines, m_page.strMapName, area.m_nIndex);
        if (!found)
            return false;
        const std::string coords = FormatCoords(area);
        CAreaList old;
        ReadAreaTagAt(m_page.lines, found->open, m_picture.Width(), m_picture.Height(), old);
        const CMapArea* oldArea = old.AreaNumbered(1);
        const CAttributeSet changed = ChangedAttributes(oldArea, area, coords);
        if (oldArea && changed.none()) {
            unchanged = true;
            return true;
        }
        const CAreaTagValues values{ShapeKeyword(area.Shape()), coords, area.m_strHref, area.m_strTarget,
                                    area.m_strAlt, area.m_strStatusOver, area.m_strStatusOut, area.m_strTitle};
        std::optional<CMapLayout> layout = std::move(m_layout);
        LinesChanging();
        const bool utf8Before = LinesAreUtf8(m_page.lines, *found);
        const std::optional<CTagSpan> span = RewriteAreaTagAt(m_page.lines, found->open, values, changed);
        const auto n = static_cast<std::size_t>(area.m_nIndex);
        if (span && layout && n >= 1 && n <= layout->tags.size() && layout->tags[n - 1] == *found) {
            // The text after the tag moved with its end.
            const auto moved = [&](CTextPos pos) {
                if (pos.nLine == found->end.nLine)
                    return CTextPos{span->end.nLine, pos.nCol - found->end.nCol + span->end.nCol};
                return CTextPos{pos.nLine + span->end.nLine - found->end.nLine, pos.nCol};
            };
            layout->tags[n - 1] = *span;
            for (std::size_t i = n; i < layout->tags.size(); ++i)
                layout->tags[i] = {moved(layout->tags[i].open), moved(layout->tags[i].end)};
            layout->end = moved(layout->end);
            m_pendingLayout = std::move(layout);
        }
        // Whether the page is UTF-8 decides how every tag's character references read: a rewrite
        // that could change it is followed by a whole reading.
        if (written && span && utf8Before && LinesAreUtf8(m_page.lines, *span))
            *written = span;
        if (span && change && linesOfStep) {
            const auto first = static_cast<std::size_t>(found->open.nLine);
            *change = CLineChange{first, static_cast<std::size_t>(found->end.nLine) + 1 - first,
                                  static_cast<std::size_t>(span->end.nLine) + 1 - first};
        }
        return span.has_value();
    });
    return result == ETagResult::kDone && unchanged ? ETagResult::kUnchanged : result;
}

CMapDocument::ETagResult CMapDocument::WriteAreas(const std::vector<CMapArea*>& areas, bool& changed)
{
    changed = false;
    return RunTagOperation([&] {
        const std::vector<CTagSpan> spans = AreaTagSpans(m_page.lines, m_page.strMapName);
        std::vector<const CMapArea*> last(areas.begin(), areas.end());
        std::sort(last.begin(), last.end(), [](const CMapArea* a, const CMapArea* b) { return a->m_nIndex > b->m_nIndex; });
        // Written into a copy from the last tag back: the earlier tags keep their places, and a
        // failure leaves the text as it was.
        CLines lines = m_page.lines;
        for (const CMapArea* area : last) {
            const auto n = static_cast<std::size_t>(area->m_nIndex);
            if (n < 1 || n > spans.size())
                return false;
            const CTextPos open = spans[n - 1].open;
            const std::string coords = FormatCoords(*area);
            CAreaList old;
            ReadAreaTagAt(lines, open, m_picture.Width(), m_picture.Height(), old);
            const CAttributeSet which = ChangedAttributes(old.AreaNumbered(1), *area, coords);
            if (old.AreaNumbered(1) && which.none())
                continue;
            const CAreaTagValues values{ShapeKeyword(area->Shape()), coords, area->m_strHref, area->m_strTarget,
                                        area->m_strAlt, area->m_strStatusOver, area->m_strStatusOut, area->m_strTitle};
            if (!RewriteAreaTagAt(lines, open, values, which))
                return false;
            changed = true;
        }
        if (changed) {
            LinesChanging();
            m_page.lines.swap(lines);
        }
        return true;
    });
}

bool CMapDocument::AddAreaTagFor(const CMapArea& area) { return AddArea(area) == ETagResult::kDone; }
bool CMapDocument::WriteAreaTag(const CMapArea& area)
{
    const ETagResult result = WriteArea(area);
    return result == ETagResult::kDone || result == ETagResult::kUnchanged;
}

bool CMapDocument::DeleteAreaTag(CLines& lines, int n)
{
    if (&lines == &m_page.lines)
        LinesChanging();
    return RunTagOperation([&] { return mapwright::DeleteAreaTag(lines, m_page.strMapName, n); }) == ETagResult::kDone;
}

CMapArea& CMapDocument::AppendNewArea(std::unique_ptr<CMapArea> area)
{
    return AppendArea(std::move(area), true);
}

void CMapDocument::FinishEdit(EEditSource source, CView* sender, EChangeKind kind, int rewrittenTag,
                              const std::optional<CTagSpan>& written, const std::optional<CLineChange>& change)
{
    // A tag can read back otherwise than it was meant (typed text around the map can place a new
    // tag where the reader numbers it differently). The lists follow the text, the master copy,
    // as they will when the page is opened again. When one tag was rewritten in place, reading
    // that tag is enough.
    bool followed = false;
    if (rewrittenTag != 0 && written) {
        try {
            followed = FollowTag(rewrittenTag, *written);
        } catch (const std::bad_alloc&) {
            // The whole reading below shows the failure if memory is still short.
        }
    }
    if (!followed)
        FollowText();
    RecordEdit(source, sender, kind, rewrittenTag, change);
}

void CMapDocument::RecordEdit(EEditSource source, CView* sender, EChangeKind kind, int rewrittenTag,
                              const std::optional<CLineChange>& change)
{
    SetModifiedFlag(true);
    RefreshTabBar();
    try {
        PushPageStep(change);
    } catch (const std::bad_alloc&) {
        // The edit stands, in text and lists alike; only its undo step is missing.
        ReportMemoryFailure();
    }
    CChangeNotice notice =
        CChangeNotice::Of(kind, source == EEditSource::kForm ? EChangeCause::kForm : EChangeCause::kCanvas);
    notice.nTag = rewrittenTag;
    notice.changedLines = change;
    notice.bDuringTyping = source == EEditSource::kForm && m_bAnnouncingTyping;
    UpdateAllViews(sender, notice);
}

bool CMapDocument::AreaChanged(const CMapArea& area, EEditSource source, CView* sender)
{
    std::optional<CTagSpan> written;
    std::optional<CLineChange> change;
    const ETagResult result = WriteArea(area, &written, &change);
    if (result == ETagResult::kOutOfMemory)
        return false;
    if (result == ETagResult::kUnchanged) {
        const EChangeCause cause = source == EEditSource::kForm ? EChangeCause::kForm : EChangeCause::kCanvas;
        UpdateAllViews(sender, CChangeNotice::Of(EChangeKind::kSelection, cause));
        return true;
    }
    if (result == ETagResult::kDone)
        FinishEdit(source, sender, EChangeKind::kAreaTag, area.m_nIndex, written, change);
    else
        FinishEdit(source, sender, EChangeKind::kEverything);
    return true;
}

bool CMapDocument::AreasNudged(const std::vector<CMapArea*>& areas, CView* sender)
{
    std::vector<int> tags;
    std::optional<CTagSpan> written;
    bool changed = false;
    bool inPlace = areas.size() == 1;
    for (const CMapArea* area : areas)
        tags.push_back(area->m_nIndex);
    if (inPlace) {
        const ETagResult result = WriteArea(*areas.front(), &written);
        if (result == ETagResult::kOutOfMemory)
            return false;
        changed = result != ETagResult::kUnchanged;
        inPlace = result == ETagResult::kDone;
    } else {
        const ETagResult result = WriteAreas(areas, changed);
        if (result == ETagResult::kOutOfMemory) {
            FollowText();
            UpdateAllViews(nullptr, CChangeNotice::Of(EChangeKind::kEverything, EChangeCause::kCanvas));
            return false;
        }
        // A tag that is gone: the areas follow the text again below.
        changed = changed || result == ETagResult::kNotFound;
    }
    if (!changed) {
        UpdateAllViews(sender, CChangeNotice::Of(EChangeKind::kSelection, EChangeCause::kCanvas));
        return true;
    }
    const bool runGoesOn = m_nNudgeSerial == m_nStepSerial && tags == m_nudgedTags && m_nUndoPos > 1 &&
                           m_nUndoPos == UndoStepCount();
    // Making the step from one place lower drops the run's last step for the new one.
    const std::uint64_t serial = m_nStepSerial;
    if (runGoesOn)
        --m_nUndoPos;
    if (inPlace)
        FinishEdit(EEditSource::kCanvas, sender, EChangeKind::kAreaTag, tags.front(), written);
    else
        FinishEdit(EEditSource::kCanvas, sender, EChangeKind::kEverything);
    // No step was made (memory ran out): the run's last step stays the current one.
    if (m_nStepSerial == serial && runGoesOn)
        ++m_nUndoPos;
    m_nNudgeSerial = m_nStepSerial;
    m_nudgedTags = std::move(tags);
    return true;
}

bool CMapDocument::AreaDrawn(const CMapArea& area, CView* sender)
{
    if (!AddNewAreaTag(area))
        return false;
    FinishEdit(EEditSource::kCanvas, sender, EChangeKind::kAreaCount);
    return true;
}

bool CMapDocument::AreaPasted(const CMapArea& area, CView* sender)
{
    if (!AddNewAreaTag(area) || WriteArea(area) == ETagResult::kOutOfMemory)
        return false;
    FinishEdit(EEditSource::kCanvas, sender, EChangeKind::kAreaCount);
    return true;
}

bool CMapDocument::ReorderAreas(const std::vector<int>& order, CView* sender)
{
    bool same = true;
    for (std::size_t i = 0; i < order.size(); ++i)
        same = same && order[i] == int(i) + 1;
    if (same || int(order.size()) != AreaCount())
        return false;
    const bool linesOfStep = LinesAreCurrentStep();
    LinesChanging();
    CLineChange changed;
    const ETagResult result =
        RunTagOperation([&] { return PermuteAreaTags(m_page.lines, m_page.strMapName, order, &changed); });
    if (result != ETagResult::kDone)
        return false;
    // The objects follow their tags, so the selection and every view's pointer stay with them.
    // Each tag kept its bytes and the text around them stayed, so the map reads as the list now
    // stands: no reading is needed.
    Reorder(order);
    RecordEdit(EEditSource::kCanvas, sender, EChangeKind::kAreaOrder, 0,
               linesOfStep ? std::optional<CLineChange>(changed) : std::nullopt);
    return true;
}

std::vector<int> CMapDocument::StackOrder(EStackMove move) const
{
    // The selected areas move together and keep their order among themselves: to the top or the
    // bottom as a block, or each one place past the unselected area beside it.
    const int count = AreaCount();
    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(count));
    auto selected = [&](int n) { return IsSelected(*AreaNumbered(n)); };
    switch (move) {
    case EStackMove::kToTop:
    case EStackMove::kToBottom: {
        const bool top = move == EStackMove::kToTop;
        for (int pass = 0; pass < 2; ++pass) {
            for (int n = 1; n <= count; ++n) {
                if (selected(n) == (top == (pass == 0)))
                    order.push_back(n);
            }
        }
        break;
    }
    case EStackMove::kUp:
        for (int n = 1; n <= count; ++n)
            order.push_back(n);
        for (std::size_t i = 1; i < order.size(); ++i) {
            if (selected(order[i]) && !selected(order[i - 1]))
                std::swap(order[i], order[i - 1]);
        }
        break;
    case EStackMove::kDown:
        for (int n = 1; n <= count; ++n)
            order.push_back(n);
        for (std::size_t i = order.size(); i-- > 1;) {
            if (selected(order[i - 1]) && !selected(order[i]))
                std::swap(order[i], order[i - 1]);
        }
        break;
    }
    return order;
}

bool CMapDocument::MoveSelectedInStack(EStackMove move, CView* sender)
{
    if (SelectedCount() == 0)
        return false;
    return ReorderAreas(StackOrder(move), sender);
}

CCommandState CMapDocument::OnUpdateStackMove(EStackMove move) const
{
    if (SelectedCount() == 0)
        return {false, false};
    const std::vector<int> order = StackOrder(move);
    bool moves = false;
    for (std::size_t i = 0; i < order.size() && !moves; ++i)
        moves = order[i] != int(i) + 1;
    return {moves, false};
}

void CMapDocument::TextEdited(CView* sender)
{
    AnnounceTyping(sender, std::nullopt, 0, std::nullopt);
}

bool CMapDocument::LinesAreCurrentStep() const
{
    return m_pStepOfLines && m_nUndoPos >= 1 && static_cast<std::size_t>(m_nUndoPos) <= m_undoSteps.size()
           && m_undoSteps[static_cast<std::size_t>(m_nUndoPos) - 1].get() == m_pStepOfLines;
}

bool CMapDocument::ApplyTypedChange(const CLineChange& change, CLines newLines, CView* sender)
{
    if (change.nFirst + change.nOldCount > m_page.lines.size() || newLines.size() != change.nNewCount)
        return false;
    SetModifiedFlag(true);
    RefreshTabBar();
    const bool linesOfStep = LinesAreCurrentStep();
    std::optional<CMapLayout> layout = std::move(m_layout);
    LinesChanging();
    const auto first = m_page.lines.begin() + static_cast<std::ptrdiff_t>(change.nFirst);
    const auto oldEnd = first + static_cast<std::ptrdiff_t>(change.nOldCount);
    CLines removed(std::make_move_iterator(first), std::make_move_iterator(oldEnd));
    // The lines that stay are moved, not copied, when the count changes.
    const auto common = static_cast<std::ptrdiff_t>(std::min(change.nOldCount, change.nNewCount));
    std::move(newLines.begin(), newLines.begin() + common, first);
    if (change.nNewCount > change.nOldCount)
        m_page.lines.insert(oldEnd, std::make_move_iterator(newLines.begin() + common), std::make_move_iterator(newLines.end()));
    else
        m_page.lines.erase(first + common, oldEnd);

    int tag = 0;
    std::optional<CAreaBounds> boundsBefore;
    bool followed = false;
    if (layout) {
        try {
            CAreaList read;
            const std::optional<int> from = ReadChangedTags(m_page.lines, removed, change, m_page.strMapName,
                                                            m_picture.Width(), m_picture.Height(), *this, *layout, read);
            if (from) {
                tag = read.AreaCount() == 1 ? *from + 1 : 0;
                if (const CMapArea* before = tag ? AreaNumbered(tag) : nullptr; before && !before->m_points.empty())
                    boundsBefore = before->Bounds();
                for (int i = 0; i < read.AreaCount(); ++i) {
                    CMapArea& area = *AreaNumbered(*from + i + 1);
                    area.CopyValuesFrom(*read.Areas()[static_cast<std::size_t>(i)]);
                    area.m_nIndex = *from + i + 1;
                }
                m_layout = std::move(layout);
                followed = true;
            }
        } catch (const std::bad_alloc&) {
            // The whole reading below shows the failure if memory is still short.
        }
    }
    if (!followed) {
        ParseMap();
        tag = 0;
        boundsBefore.reset();
    }
    AnnounceTyping(sender, linesOfStep ? std::optional<CLineChange>(change) : std::nullopt, tag, boundsBefore);
    return true;
}

void CMapDocument::AnnounceTyping(CView* sender, const std::optional<CLineChange>& change, int tag,
                                  const std::optional<CAreaBounds>& tagBoundsBefore)
{
    PushPageStep(change);
    const bool announcing = std::exchange(m_bAnnouncingTyping, true);
    try {
        CChangeNotice notice = CChangeNotice::Of(EChangeKind::kTextTyped, EChangeCause::kTextPane);
        notice.nTag = tag;
        notice.tagBoundsBefore = tagBoundsBefore;
        UpdateAllViews(sender, notice);
    } catch (...) {
        m_bAnnouncingTyping = announcing;
        throw;
    }
    m_bAnnouncingTyping = announcing;
}

void CMapDocument::PushUndoStep(const CLines& lines)
{
    PushStep(lines, std::nullopt);
}

void CMapDocument::PushPageStep(const std::optional<CLineChange>& change)
{
    PushStep(m_page.lines, change);
}

void CMapDocument::PushStep(const CLines& lines, const std::optional<CLineChange>& change)
{
    // The step is made in full before the history changes, so running out of memory while making
    // it leaves the history as it was.
    const std::size_t keep = std::min(static_cast<std::size_t>(std::max(m_nUndoPos, 0)), m_undoSteps.size());
    auto step = std::make_unique<CUndoStep>();
    if (keep == 0)
        step->m_lines = CLineSnapshot(lines);
    else if (change)
        step->m_lines = CLineSnapshot(lines, m_undoSteps[keep - 1]->m_lines, *change);
    else
        step->m_lines = CLineSnapshot(lines, m_undoSteps[keep - 1]->m_lines);
    step->m_bModified = IsModified() ? 1 : 0;
    const CCaretHost* caret = GetLastCaretHost();
    step->m_nCaret = caret ? caret->GetSelectionStart() : 0;
    step->m_picture = m_picture;
    step->m_strImagePath = m_page.strImagePath;
    step->m_strImageName = m_page.strImageName;

    m_undoSteps.reserve(keep + 1);
    m_undoSteps.erase(m_undoSteps.begin() + static_cast<std::ptrdiff_t>(keep), m_undoSteps.end());
    m_undoSteps.push_back(std::move(step));
    m_pCurStep = m_undoSteps.back().get();
    m_pStepOfLines = &lines == &m_page.lines ? m_pCurStep : nullptr;
    m_nUndoPos = static_cast<std::int32_t>(m_undoSteps.size());
    ++m_nStepSerial;
}

void CMapDocument::RestoreStep(int position)
{
    CUndoStep& step = *m_undoSteps[static_cast<std::size_t>(position)];
    m_pCurStep = &step;
    ++m_nStepSerial;
    const int caretPosition = step.m_nCaret;
    step.m_lines.CopyTo(m_page.lines);
    m_pStepOfLines = &step;
    // The text names the picture: a step from before or after a replacement brings its own back.
    if (!m_picture.SameAs(step.m_picture)) {
        m_picture = step.m_picture;
        m_page.strImagePath = step.m_strImagePath;
        m_page.strImageName = step.m_strImageName;
    }
    ParseMap();
    SetModifiedFlag(step.m_bModified != 0);
    RefreshTabBar();
    UpdateAllViews(nullptr, CChangeNotice::Of(EChangeKind::kEverything, EChangeCause::kUndo));
    if (CCaretHost* caret = GetLastCaretHost())
        caret->SetSelectionAndScroll(caretPosition);
}

void CMapDocument::OnEditUndo()
{
    if (m_nUndoPos <= 1)
        return;
    --m_nUndoPos;
    RestoreStep(m_nUndoPos - 1);
}

void CMapDocument::OnEditRedo()
{
    if (m_nUndoPos >= static_cast<std::int32_t>(m_undoSteps.size()))
        return;
    ++m_nUndoPos;
    RestoreStep(m_nUndoPos - 1);
}

CCommandState CMapDocument::OnUpdateEditUndo() const
{
    return {m_nUndoPos > 1, false};
}

CCommandState CMapDocument::OnUpdateEditRedo() const
{
    return {m_nUndoPos < static_cast<std::int32_t>(m_undoSteps.size()), false};
}

void CMapDocument::SetStepModified(bool flag)
{
    const int position = m_nUndoPos - 1;
    if (position < 0 || position >= static_cast<int>(m_undoSteps.size()))
        return;
    m_undoSteps[static_cast<std::size_t>(position)]->m_bModified = flag ? 1 : 0;
}

void CMapDocument::OnToolSelect()
{
    m_display.nTool = kToolSelect;
    m_display.bZoomMode = false;
}

void CMapDocument::ToggleAddTool(ETool tool)
{
    m_display.nTool = m_display.nTool == tool ? kToolSelect : tool;
    m_display.bZoomMode = false;
}

void CMapDocument::OnToolRect() { ToggleAddTool(kToolRect); }
void CMapDocument::OnToolCircle() { ToggleAddTool(kToolCircle); }
void CMapDocument::OnToolPoly() { ToggleAddTool(kToolPoly); }

void CMapDocument::OnToolZoom()
{
    m_display.nTool = kToolZoom;
    m_display.bZoomMode = true;
}

void CMapDocument::OnHatchAreas()
{
    m_display.bHatch = !m_display.bHatch;
    UpdateAllViews(nullptr, CChangeNotice::Of(EChangeKind::kDisplay, EChangeCause::kProgram));
}

void CMapDocument::OnDragHandles()
{
    m_display.bShowHandles = !m_display.bShowHandles;
    UpdateAllViews(nullptr, CChangeNotice::Of(EChangeKind::kDisplay, EChangeCause::kProgram));
}

CCommandState CMapDocument::OnUpdateToolSelect() const { return {true, m_display.nTool == kToolSelect}; }
CCommandState CMapDocument::OnUpdateToolRect() const { return {true, m_display.nTool == kToolRect}; }
CCommandState CMapDocument::OnUpdateToolCircle() const { return {true, m_display.nTool == kToolCircle}; }
CCommandState CMapDocument::OnUpdateToolPoly() const { return {true, m_display.nTool == kToolPoly}; }
CCommandState CMapDocument::OnUpdateToolZoom() const { return {true, m_display.bZoomMode}; }
CCommandState CMapDocument::OnUpdateHatchAreas() const { return {true, m_display.bHatch}; }
CCommandState CMapDocument::OnUpdateDragHandles() const { return {true, m_display.bShowHandles}; }

void CMapDocument::AddTempFiles(const std::string& htmlFile, const std::string& imageFile)
{
    if (m_nTempFiles >= kMaxTempFiles)
        m_nTempFiles = kMaxTempFiles - 1;
    m_tempFiles[static_cast<std::size_t>(m_nTempFiles)] = {htmlFile, imageFile};
    ++m_nTempFiles;
}

}  // namespace mapwright
