// Speed and memory of arranging areas on a large page: one drag step and the release with every
// area selected, reordering one area, and what 1,000 reorders add to the undo history.
#include "benchtiming.h"
#include "document/canvastools.h"
#include "document/headlesscanvashost.h"
#include "document/mapdocument.h"
#include "harbourpage.h"

#include <cstdio>
#include <vector>

using namespace mapwright;
using namespace mapwright::bench;

namespace {

constexpr int kReorders = 1000;

bool Measure(CPageSize size, std::size_t column, CFigureTable& table)
{
    const CLines page = BuildPage(size);
    CMapDocument doc;
    OpenPage(doc, page);
    if (doc.AreaCount() != size.nAreas) {
        std::fprintf(stderr, "the page did not parse into %d areas (got %d)\n", size.nAreas, doc.AreaCount());
        return false;
    }

    // Every area selected and dragged by the select tool at 25 %, so the picture fits the client:
    // steps of one screen pixel (four picture pixels) to and fro, then the release.
    {
        doc.SetZoom(0.25);
        CHeadlessCanvasHost host(doc, kImageSize / 4 + 1, kImageSize / 4 + 1);
        CCanvasTools tools(&doc, host);
        doc.SelectAll();
        const CMapArea& grabbed = *doc.AreaNumbered(1);
        const CAreaBounds bounds = grabbed.Bounds();
        const CClientPoint from{(bounds.left + 2) / 4, (bounds.top + 2) / 4};
        tools.GrabArea(from, *doc.AreaNumbered(1));
        std::vector<double> steps;
        for (int step = 1; step <= 40; ++step) {
            const CClientPoint to{from.x + (step % 2 ? 1 : -1) * (step % 5), from.y + step % 3};
            const auto start = CClock::now();
            tools.OnMouseMove(to, true);
            steps.push_back(MillisecondsSince(start));
        }
        table.Add(column, "One drag step with every area selected (median of 40)", Median(steps), "ms",
                  "5,000 areas <= 16 ms");
        const auto start = CClock::now();
        tools.OnLButtonUp({from.x + 3, from.y + 2});
        table.Add(column, "Release that rewrites every tag, one undo step", MillisecondsSince(start), "ms",
                  "5,000 areas <= 150 ms");
        if (doc.UndoStepCount() != 2) {
            std::fprintf(stderr, "the group move made %d undo steps\n", doc.UndoStepCount() - 1);
            return false;
        }
        doc.SetZoom(1.0);
    }

    // One area from the middle of the map to the top of the stack and back down.
    {
        std::vector<double> reorder;
        for (int run = 0; run < 21; ++run) {
            doc.SelectArea(*doc.AreaNumbered(run % 2 ? 1 : size.nAreas / 2));
            const auto start = CClock::now();
            doc.MoveSelectedInStack(run % 2 ? CMapDocument::EStackMove::kDown : CMapDocument::EStackMove::kToTop,
                                    nullptr);
            reorder.push_back(MillisecondsSince(start));
        }
        table.Add(column, "Reordering one area, with its undo step (median of 21)", Median(reorder), "ms",
                  "5,000 areas <= 5 ms");
    }

    // What 1,000 reorders add to the undo history of a freshly opened page: of one area moved up
    // and down, and of areas all over the map, which splits the history's shared lines most.
    for (const bool spread : {false, true}) {
        CMapDocument fresh;
        OpenPage(fresh, page);
        const std::size_t before = HeapInUse();
        for (int run = 0; run < kReorders; ++run) {
            fresh.SelectArea(*fresh.AreaNumbered(spread ? 1 + (run * 7919) % size.nAreas : size.nAreas / 2));
            fresh.MoveSelectedInStack(run % 2 ? CMapDocument::EStackMove::kUp : CMapDocument::EStackMove::kDown,
                                      nullptr);
        }
        const std::size_t after = HeapInUse();
        const double mib = static_cast<double>(after - std::min(before, after)) / (1024.0 * 1024.0);
        table.Add(column, spread ? "Memory added by 1000 reorders all over the map" : "Memory added by 1000 reorders of one area",
                  mib, "MiB", "5,000 areas <= 8 MiB");
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    return MeasurePageSizes(argc, argv, "Arranging areas", Measure);
}
