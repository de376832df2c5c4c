// Running out of memory inside a tag operation or the parser: the document shows the message,
// reports failure and records nothing, instead of crashing or half-recording an edit.
#include "document/mapdocument.h"
#include "support/areachecks.h"
#include "html/mapreader.h"
#include "html/mapwriter.h"
#include "model/areagroup.h"
#include "support/openedpage.h"
#include "support/recordingview.h"
#include "support/scriptedprompt.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

namespace {

// Counts down allocations when armed; the allocation at zero fails once, then all succeed again.
int g_nAllocationsBeforeFailure = -1;

void FailAllocationAfter(int count) { g_nAllocationsBeforeFailure = count; }
void FailNextAllocation() { FailAllocationAfter(0); }

}  // namespace

// Takes from malloc and gives back to free, the pair the library's own operators use.
// The compiler cannot see that the two replacements belong together.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size)
{
    if (g_nAllocationsBeforeFailure >= 0 && g_nAllocationsBeforeFailure-- == 0)
        throw std::bad_alloc();
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

// The decoder's no-throw allocations are given back through the same delete.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size ? size : 1); }

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
#pragma GCC diagnostic pop

using namespace mapwright;

namespace {

const CScriptedPrompt::CMessage kMemoryMessage{"Invalid input", "Memory exeption"};

}  // namespace

// The three-area page opened with a scripted prompt and a recording view.
struct COpenedDocument {
    COpenedDocument()
    {
        doc.SetPrompt(&prompt);
        doc.AddView(&canvas);
        OpenPage(doc);
    }
    CScriptedPrompt prompt;
    CRecordingView canvas;
    CMapDocument doc;
};

TEST(DocumentMemory, FailedWritesAndDeletesRecordNothing)
{
    COpenedDocument opened;
    CMapDocument& doc = opened.doc;
    CScriptedPrompt& prompt = opened.prompt;

    // Each allocation of an area edit fails in turn, on a fresh copy of the page. A failure in
    // writing the tag shows the message and leaves the text as it was; one in the checks around it
    // costs only speed, and the edit is then whole, its areas equal to a fresh reading of the text.
    int failedWrites = 0;
    for (int count = 0;; ++count) {
        COpenedDocument fresh;
        CMapDocument& trial = fresh.doc;
        const CScriptedPrompt& trialPrompt = fresh.prompt;
        const CRecordingView& trialCanvas = fresh.canvas;
        CRectArea& edited = *Rects(trial).at(0);
        edited.m_strHref = "changed.htm";
        FailAllocationAfter(count);
        bool changed = false;
        try {
            changed = trial.AreaChanged(edited, EEditSource::kForm, nullptr);
        } catch (const std::bad_alloc&) {
            // Telling the views comes last, and what fails there is theirs to handle.
            break;
        }
        const bool failed = g_nAllocationsBeforeFailure < 0;
        g_nAllocationsBeforeFailure = -1;
        if (!failed)
            break;
        if (changed) {
            EXPECT_EQ(trial.Lines()[3], "<AREA SHAPE=RECT COORDS=\"10,10,50,50\" HREF=\"changed.htm\">") << count;
            CAreaList parsed;
            ParseMap(trial.Lines(), trial.Page().strMapName, trial.Picture().Width(), trial.Picture().Height(), parsed);
            EXPECT_EQ(Rects(parsed).at(0)->m_strHref, Rects(trial).at(0)->m_strHref) << count;
            // Without memory for its undo step the edit stands, and the message says so.
            EXPECT_TRUE(trial.UndoStepCount() == 2
                        || trialPrompt.m_messages == std::vector<CScriptedPrompt::CMessage>{kMemoryMessage})
                << count;
            continue;
        }
        ++failedWrites;
        ASSERT_EQ(trialPrompt.m_messages, (std::vector<CScriptedPrompt::CMessage>{kMemoryMessage})) << count;
        EXPECT_EQ(trial.Lines(), kThreeAreaPage) << count;
        EXPECT_EQ(trial.UndoStepCount(), 1) << count;
        EXPECT_FALSE(trial.IsModified()) << count;
        EXPECT_TRUE(trialCanvas.m_updates.empty()) << count;
    }
    EXPECT_GT(failedWrites, 0);

    CRectArea& area = *Rects(doc).at(0);
    area.m_strHref = "changed.htm";

    doc.SelectArea(*Circles(doc).at(0));
    FailNextAllocation();
    EXPECT_FALSE(doc.DeleteSelectedAreas(nullptr));
    EXPECT_EQ(prompt.m_messages.size(), 1u);
    EXPECT_EQ(Circles(doc).size(), 1u);
    EXPECT_EQ(doc.AreaCount(), 3);
    EXPECT_EQ(doc.Lines(), kThreeAreaPage);

    // With memory back the same edit goes through.
    EXPECT_TRUE(doc.AreaChanged(area, EEditSource::kForm, nullptr));
    EXPECT_EQ(doc.UndoStepCount(), 2);
}

TEST(DocumentMemory, FailedParseLeavesNoAreas)
{
    CMapDocument doc;
    CScriptedPrompt prompt;
    doc.SetPrompt(&prompt);
    OpenPage(doc);
    // Fail each allocation of the parse in turn, until a parse needs fewer than that.
    int failures = 0;
    for (int count = 0; failures == count; ++count) {
        FailAllocationAfter(count);
        doc.ParseMap();
        const bool failed = g_nAllocationsBeforeFailure < 0;
        g_nAllocationsBeforeFailure = -1;
        if (!failed)
            break;
        ++failures;
        ASSERT_EQ(prompt.m_messages.size(), static_cast<std::size_t>(failures));
        EXPECT_EQ(prompt.m_messages.back(), kMemoryMessage);
        EXPECT_EQ(doc.AreaCount(), 0) << "failed allocation " << count;
        EXPECT_TRUE(Rects(doc).empty() && Circles(doc).empty() && Polys(doc).empty());
        EXPECT_EQ(doc.GetSelectedIndex(), 0);
    }
    EXPECT_GT(failures, 3);
    EXPECT_EQ(doc.AreaCount(), 3);

    // Without a prompt the failure is still reported to the caller.
    doc.SetPrompt(nullptr);
    const CMapArea& first = *doc.AreaNumbered(1);
    FailNextAllocation();
    EXPECT_FALSE(doc.WriteAreaTag(first));
    EXPECT_EQ(prompt.m_messages.size(), static_cast<std::size_t>(failures));
    EXPECT_TRUE(doc.WriteAreaTag(first));
}

TEST(DocumentMemory, AGroupMoveOrReorderThatRunsOutOfMemoryLeavesTheTextAsItWas)
{
    // Each allocation fails in turn: the edit is then whole or not there at all, and the areas
    // read as the text either way.
    for (const bool reorder : {false, true}) {
        for (int count = 0;; ++count) {
            COpenedDocument fresh;
            CMapDocument& trial = fresh.doc;
            trial.SelectNumbered({1, 3});
            const std::vector<CMapArea*> selected = trial.SelectedAreas();
            if (!reorder)
                MoveGroup(selected, 5, 5, 320, 200);
            FailAllocationAfter(count);
            bool done = false;
            try {
                done = reorder ? trial.MoveSelectedInStack(CMapDocument::EStackMove::kToTop, nullptr)
                               : trial.AreasChanged(selected, EEditSource::kCanvas, nullptr);
            } catch (const std::bad_alloc&) {
                break;  // in telling the views, which handle their own failures
            }
            const bool failed = g_nAllocationsBeforeFailure < 0;
            g_nAllocationsBeforeFailure = -1;
            if (!failed)
                break;
            // A reading that failed itself leaves no area, as a failed parse always does.
            CAreaList read;
            ParseMap(trial.Lines(), trial.Page().strMapName, 320, 200, read);
            if (trial.AreaCount() == 0)
                continue;
            ASSERT_EQ(trial.AreaCount(), read.AreaCount()) << count;
            for (int n = 1; n <= read.AreaCount(); ++n)
                EXPECT_EQ(FormatCoords(*trial.AreaNumbered(n)), FormatCoords(*read.AreaNumbered(n))) << count;
            if (!done)
                EXPECT_EQ(trial.Lines(), kThreeAreaPage) << reorder << count;
        }
    }
}

TEST(DocumentMemory, PastingManyAreasWithoutAMapBlockTellsOnceAndChangesNothing)
{
    COpenedDocument opened;
    CLines lines = kThreeAreaPage;
    lines.erase(lines.begin() + 2, lines.begin() + 7);  // no MAP block
    opened.doc.ReplaceLines(lines);
    std::vector<std::unique_ptr<CMapArea>> areas;
    for (int i = 0; i < 5000; ++i) {
        auto rect = std::make_unique<CRectArea>();
        rect->left = rect->top = i % 100;
        rect->right = rect->bottom = i % 100 + 10;
        areas.push_back(std::move(rect));
    }
    EXPECT_FALSE(opened.doc.AreasPasted(std::move(areas), nullptr));
    EXPECT_EQ(opened.prompt.m_messages.size(), 1u);
    EXPECT_EQ(opened.doc.Lines(), lines);
    EXPECT_EQ(opened.doc.AreaCount(), 0);
}
