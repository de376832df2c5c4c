// Running out of memory inside a tag operation or the parser: the document shows the message,
// reports failure and records nothing, instead of crashing or half-recording an edit.
#include "document/vavedidivovdoc.h"
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

TEST(DocumentMemory, FailedWritesAndDeletesRecordNothing)
{
    CVavedIdivovDoc doc;
    CScriptedPrompt prompt;
    doc.SetPrompt(&prompt);
    CRecordingView canvas;
    doc.AddView(&canvas);
    OpenPage(doc);

    CRectArea& area = *doc.m_rectAreas.at(0);
    area.m_strHref = "changed.htm";
    FailNextAllocation();
    EXPECT_FALSE(doc.AreaChanged(area, EEditSource::kForm, nullptr));
    ASSERT_EQ(prompt.m_messages, (std::vector<CScriptedPrompt::CMessage>{kMemoryMessage}));
    EXPECT_EQ(doc.m_lines, kThreeAreaPage);
    EXPECT_EQ(doc.UndoStepCount(), 1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_nChangeOrigin, kOriginNone);
    EXPECT_TRUE(canvas.m_updates.empty());

    doc.SelectArea(*doc.m_circleAreas.at(0));
    FailNextAllocation();
    EXPECT_FALSE(doc.DeleteSelectedArea(nullptr));
    EXPECT_EQ(prompt.m_messages.size(), 2u);
    EXPECT_EQ(doc.m_circleAreas.size(), 1u);
    EXPECT_EQ(doc.AreaCount(), 3);
    EXPECT_EQ(doc.m_lines, kThreeAreaPage);

    // With memory back the same edit goes through.
    EXPECT_TRUE(doc.AreaChanged(area, EEditSource::kForm, nullptr));
    EXPECT_EQ(doc.UndoStepCount(), 2);
}

TEST(DocumentMemory, FailedParseLeavesNoAreas)
{
    CVavedIdivovDoc doc;
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
        EXPECT_TRUE(doc.m_rectAreas.empty() && doc.m_circleAreas.empty() && doc.m_polyAreas.empty());
        EXPECT_EQ(doc.GetSelectedIndex(), 0);
    }
    EXPECT_GT(failures, 3);
    EXPECT_EQ(doc.AreaCount(), 3);

    // Without a prompt the failure is still reported to the caller.
    doc.SetPrompt(nullptr);
    FailNextAllocation();
    EXPECT_FALSE(doc.WriteRectArea(*doc.m_rectAreas.at(0)));
    EXPECT_EQ(prompt.m_messages.size(), static_cast<std::size_t>(failures));
    EXPECT_TRUE(doc.WriteRectArea(*doc.m_rectAreas.at(0)));
}
