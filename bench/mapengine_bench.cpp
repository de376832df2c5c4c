// Speed and memory of the map engine on a large page: parsing, a typed change as the text pane
// applies it, a form edit as the form applies it, and what form edits add to the undo history.
#include "benchtiming.h"
#include "document/canvastools.h"
#include "document/headlesscanvashost.h"
#include "document/mapdocument.h"
#include "harbourpage.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace mapwright;
using namespace mapwright::bench;

namespace {

constexpr int kEditedArea = 2500;
constexpr int kMemoryEdits = 1000;

}  // namespace

int main()
{
    const CLines page = BuildPage();
    std::printf("Page: %zu lines, %d areas (%s)\n\n", page.size(), kAreas, BuildKind());

    CMapDocument doc;
    OpenPage(doc, page);
    if (doc.AreaCount() != kAreas || !FindRect(doc, kEditedArea)) {
        std::fprintf(stderr, "the page did not parse into %d areas (got %d)\n", kAreas, doc.AreaCount());
        return 1;
    }

    // ParseMap of the whole page.
    std::vector<double> parse;
    for (int run = 0; run < 15; ++run) {
        const auto start = CClock::now();
        doc.ParseMap();
        parse.push_back(MillisecondsSince(start));
    }
    Report("ParseMap of the whole page (median of 15)", Median(parse), "");

    // A typed change: one character typed into the alternate text of area 2500, applied as the
    // text pane applies it: every line taken from the control, ParseMap, then the undo step.
    const std::size_t typedLine = kMapLine + kEditedArea;
    CLines control = doc.Lines();
    std::vector<double> typedTotal, typedTake, typedParse, typedPush;
    for (int run = 0; run < 21; ++run) {
        control[typedLine].insert(control[typedLine].find("\" OnMouseOver"), 1, static_cast<char>('a' + run % 26));
        const auto start = CClock::now();
        doc.SetModifiedFlag(true);
        CLines taken;
        for (const std::string& line : control)
            taken.push_back(line);
        const double take = MillisecondsSince(start);
        doc.ReplaceLines(std::move(taken));
        const double parsed = MillisecondsSince(start);
        doc.TextEdited(nullptr);
        const double total = MillisecondsSince(start);
        typedTake.push_back(take);
        typedParse.push_back(parsed - take);
        typedPush.push_back(total - parsed);
        typedTotal.push_back(total);
    }
    Report("Typed change: take lines + ParseMap + PushUndoStep (median)", Median(typedTotal), "< 8 ms");
    Report("  take lines", Median(typedTake), "");
    Report("  ParseMap", Median(typedParse), "");
    Report("  PushUndoStep and notification", Median(typedPush), "");

    // A form edit: one character typed into the link of area 2500.
    std::vector<double> formTotal, formWrite, formPush;
    for (int run = 0; run < 51; ++run) {
        CRectArea& area = *FindRect(doc, kEditedArea);
        area.m_strHref = "berth-" + std::to_string(run) + ".htm";
        auto start = CClock::now();
        doc.AreaChanged(area, EEditSource::kForm, nullptr);
        formTotal.push_back(MillisecondsSince(start));

        // The same edit split into its two costs.
        area.m_strHref += "x";
        start = CClock::now();
        doc.WriteAreaTag(area);
        formWrite.push_back(MillisecondsSince(start));
        start = CClock::now();
        doc.PushUndoStep(doc.Lines());
        formPush.push_back(MillisecondsSince(start));
    }
    Report("Form edit of area 2500: WriteAreaTag + PushUndoStep (median)", Median(formTotal), "< 2 ms");
    Report("  WriteAreaTag", Median(formWrite), "");
    Report("  PushUndoStep", Median(formPush), "");

    // A keyboard nudge of area 2500 through the canvas tools: the move, the tag and the undo step
    // (a run of them replaces one step).
    {
        CHeadlessCanvasHost host(doc, 800, 600);
        CCanvasTools tools(&doc, host);
        doc.SelectArea(*FindRect(doc, kEditedArea));
        std::vector<double> nudge;
        for (int run = 0; run < 51; ++run) {
            const auto start = CClock::now();
            tools.OnKeyDown(run % 2 ? ECanvasKey::kNudgeLeft : ECanvasKey::kNudgeRight);
            nudge.push_back(MillisecondsSince(start));
        }
        Report("Nudge of area 2500 with Alt+arrow (median)", Median(nudge), "< 2 ms");
    }

    // What 1,000 form edits add to the undo history of a freshly opened page.
    {
        CMapDocument fresh;
        OpenPage(fresh, page);
        CRectArea& area = *FindRect(fresh, kEditedArea);
        const std::size_t before = HeapInUse();
        for (int edit = 0; edit < kMemoryEdits; ++edit) {
            area.m_strHref = "berth" + std::to_string(edit) + ".htm";
            fresh.AreaChanged(area, EEditSource::kForm, nullptr);
        }
        const std::size_t after = HeapInUse();
        const double mib = static_cast<double>(after - std::min(before, after)) / (1024.0 * 1024.0);
        std::printf("%-64s %9.3f MiB   goal < 64 MiB in total (%d steps, %.0f bytes per edit)\n",
                    "Memory added by 1000 form edits to the undo history", mib, fresh.UndoStepCount(),
                    mib * 1024.0 * 1024.0 / kMemoryEdits);
    }
    return 0;
}
