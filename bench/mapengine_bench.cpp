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

// Measures every figure on one page size into column of table; false when the page is not as built.
bool Measure(CPageSize size, std::size_t column, CFigureTable& table)
{
    const CLines page = BuildPage(size);
    CMapDocument doc;
    OpenPage(doc, page);
    if (doc.AreaCount() != size.nAreas || !FindRect(doc, kEditedArea)) {
        std::fprintf(stderr, "the page did not parse into %d areas (got %d)\n", size.nAreas, doc.AreaCount());
        return false;
    }

    // ParseMap of the whole page.
    std::vector<double> parse;
    for (int run = 0; run < 15; ++run) {
        const auto start = CClock::now();
        doc.ParseMap();
        parse.push_back(MillisecondsSince(start));
    }
    table.Add(column, "ParseMap of the whole page (median of 15)", Median(parse), "ms",
              "50,000 areas <= 10.5 x 5,000 areas");

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
    table.Add(column, "Typed change, all lines: take + ParseMap + undo step (median)", Median(typedTotal), "ms", "< 8 ms");
    table.Add(column, "  take lines", Median(typedTake));
    table.Add(column, "  ParseMap", Median(typedParse));
    table.Add(column, "  PushUndoStep and notification", Median(typedPush));

    // The same keystroke as the text pane hands it on: its line alone, the tag on it read alone.
    std::vector<double> lineTotal;
    for (int run = 0; run < 21; ++run) {
        std::string line = doc.Lines()[typedLine];
        line.insert(line.find("\" OnMouseOver"), 1, static_cast<char>('a' + run % 26));
        const auto start = CClock::now();
        doc.ApplyTypedChange({typedLine, 1, 1}, {std::move(line)}, nullptr);
        lineTotal.push_back(MillisecondsSince(start));
    }
    table.Add(column, "Typed change, its line alone: tag read + undo step (median)", Median(lineTotal), "ms", "< 8 ms");

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
    table.Add(column, "Form edit of area 2500: write + follow + undo step (median)", Median(formTotal), "ms",
              "<= 1 ms");
    table.Add(column, "  WriteAreaTag", Median(formWrite));
    table.Add(column, "  PushUndoStep of every line", Median(formPush));

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
        table.Add(column, "Memory added by 1000 form edits to the undo history", mib, "MiB", "< 64 MiB in total");
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    return MeasurePageSizes(argc, argv, "The map engine", Measure);
}
