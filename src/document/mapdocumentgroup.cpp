// Edits of several areas at once: each is one undo step, and each walks the map once however
// many areas it touches.
#include "document/mapdocument.h"

#include <algorithm>
#include <new>

namespace mapwright {

bool CMapDocument::AreasChanged(const std::vector<CMapArea*>& areas, EEditSource source, CView* sender)
{
    if (areas.size() == 1)
        return AreaChanged(*areas.front(), source, sender);
    const EChangeCause cause = source == EEditSource::kForm ? EChangeCause::kForm : EChangeCause::kCanvas;
    bool changed = false;
    switch (WriteAreas(areas, changed)) {
    case ETagResult::kOutOfMemory:
        // The text is as it was; the areas, moved or edited already, read it again.
        FollowText();
        UpdateAllViews(nullptr, CChangeNotice::Of(EChangeKind::kEverything, cause));
        return false;
    case ETagResult::kNotFound:
        FinishEdit(source, sender, EChangeKind::kEverything);
        return true;
    case ETagResult::kDone:
    case ETagResult::kUnchanged:
        break;
    }
    if (!changed)
        UpdateAllViews(sender, CChangeNotice::Of(EChangeKind::kSelection, cause));
    else
        FinishEdit(source, sender, EChangeKind::kEverything);
    return true;
}

bool CMapDocument::DeleteSelectedAreas(CView* sender)
{
    if (SelectedCount() == 0)
        return false;
    // The objects go only when their tags could be handled, so text and lists stay in step.
    LinesChanging();
    std::vector<int> numbers;
    const ETagResult result = RunTagOperation([&] {
        numbers = SelectedNumbers();
        return numbers.size() == 1 ? mapwright::DeleteAreaTag(m_page.lines, m_page.strMapName, numbers.front())
                                   : DeleteAreaTags(m_page.lines, m_page.strMapName, numbers);
    });
    if (result == ETagResult::kOutOfMemory)
        return false;
    for (auto n = numbers.rbegin(); n != numbers.rend(); ++n)
        RemoveArea(*n);
    ++m_nAreaGeneration;
    FinishEdit(EEditSource::kCanvas, sender, EChangeKind::kAreaCount);
    return true;
}

bool CMapDocument::AreasPasted(std::vector<std::unique_ptr<CMapArea>> areas, CView* sender)
{
    if (areas.empty())
        return false;
    if (areas.size() == 1)
        return AreaPasted(AppendNewArea(std::move(areas.front())), sender);
    CLines before;
    std::vector<std::pair<std::string_view, std::string>> bare;
    const ETagResult added = RunTagOperation([&] {
        before = m_page.lines;
        bare.reserve(areas.size());
        for (const auto& area : areas)
            bare.emplace_back(ShapeKeyword(area->Shape()), FormatCoords(*area));
        LinesChanging();
        return AddAreaTags(m_page.lines, m_page.strMapName, bare);
    });
    if (added == ETagResult::kNotFound)
        ReportNoMapBlock();
    if (added != ETagResult::kDone)
        return false;
    std::vector<CMapArea*> pasted;
    pasted.reserve(areas.size());
    for (auto& area : areas)
        pasted.push_back(&AppendArea(std::move(area), false));
    bool changed = false;
    if (WriteAreas(pasted, changed) != ETagResult::kDone) {
        // The bare tags go again, so the text is as it was before the paste.
        LinesChanging();
        m_page.lines.swap(before);
        FollowText();
        UpdateAllViews(nullptr, CChangeNotice::Of(EChangeKind::kAreaCount, EChangeCause::kCanvas));
        return false;
    }
    SelectAreas(pasted);
    FinishEdit(EEditSource::kCanvas, sender, EChangeKind::kAreaCount);
    return true;
}

bool CMapDocument::MoveAreasBefore(std::vector<int> numbers, int before, CView* sender)
{
    const int count = AreaCount();
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    if (numbers.empty() || numbers.front() < 1 || numbers.back() > count)
        return false;
    std::vector<bool> moving(static_cast<std::size_t>(count) + 1, false);
    for (const int n : numbers)
        moving[static_cast<std::size_t>(n)] = true;
    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(count));
    const int place = std::clamp(before, 1, count + 1);
    for (int n = 1; n <= count + 1; ++n) {
        if (n == place)
            order.insert(order.end(), numbers.begin(), numbers.end());
        if (n <= count && !moving[static_cast<std::size_t>(n)])
            order.push_back(n);
    }
    return ReorderAreas(order, sender);
}

void CMapDocument::SelectAllAreas(CView* sender)
{
    SelectAll();
    UpdateAllViews(sender, CChangeNotice::Of(EChangeKind::kSelection, EChangeCause::kProgram));
}

void CMapDocument::SelectAreasNumbered(const std::vector<int>& numbers, CView* sender)
{
    SelectNumbered(numbers);
    UpdateAllViews(sender, CChangeNotice::Of(EChangeKind::kSelection, EChangeCause::kProgram));
}

}  // namespace mapwright
