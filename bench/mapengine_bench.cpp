// Speed and memory of the map engine on a large page: parsing, a typed change as the text pane
// applies it, a form edit as the form applies it, and what form edits add to the undo history.
#include "html/maplines.h"
#include "document/vavedidivovdoc.h"

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using namespace mapwright;

namespace {

constexpr int kPageLines = 20000;
constexpr int kAreas = 5000;
constexpr int kEditedArea = 2500;
constexpr int kImageSize = 4000;
constexpr int kMemoryEdits = 1000;

using CClock = std::chrono::steady_clock;

double MillisecondsSince(CClock::time_point start)
{
    return std::chrono::duration<double, std::milli>(CClock::now() - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// Area n is a rectangle when n % 3 == 1 (so area 2500 is one), a polygon when 2, else a circle.
std::string AreaTag(int n)
{
    const int x = (n * 37) % (kImageSize - 100);
    const int y = (n * 53) % (kImageSize - 100);
    std::string coords;
    std::string shape;
    if (n % 3 == 1) {
        shape = "RECT";
        coords = std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(x + 40) + "," + std::to_string(y + 25);
    } else if (n % 3 == 2) {
        shape = "POLY";
        coords = std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(x + 50) + "," + std::to_string(y + 5)
                 + "," + std::to_string(x + 20) + "," + std::to_string(y + 45);
    } else {
        shape = "CIRCLE";
        coords = std::to_string(x + 30) + "," + std::to_string(y + 30) + ",25";
    }
    const std::string name = "Berth " + std::to_string(n);
    return "<AREA SHAPE=" + shape + " COORDS=\"" + coords + "\" HREF=\"berth" + std::to_string(n) + ".htm\" ALT=\"" + name
           + "\" OnMouseOver=\"window.status='" + name + "'; return true\">";
}

CLines BuildPage()
{
    CLines lines = {"<html>", "<head><title>Harbour guide</title></head>", "<body>",
                    "<IMG SRC=\"harbour.png\" USEMAP=\"#harbour\" WIDTH=4000 HEIGHT=4000 BORDER=0>"};
    auto filler = [&lines](int until) {
        while (static_cast<int>(lines.size()) < until) {
            lines.push_back("<p>Paragraph " + std::to_string(lines.size())
                            + " of the harbour guide: moorings, tides and the ferry timetable.</p>");
        }
    };
    filler(7000);
    lines.push_back("<MAP NAME=\"harbour\">");
    for (int n = 1; n <= kAreas; ++n)
        lines.push_back(AreaTag(n));
    lines.push_back("</MAP>");
    filler(kPageLines - 1);
    lines.push_back("</body></html>");
    return lines;
}

// Sets the document up as opening the page does: parsed, first undo step, clean.
void OpenPage(CVavedIdivovDoc& doc, const CLines& page)
{
    doc.m_strMapName = "HARBOUR";
    doc.m_nImageWidth = kImageSize;
    doc.m_nImageHeight = kImageSize;
    doc.m_bFromFile = 1;
    doc.m_lines = page;
    doc.ParseMap();
    doc.PushUndoStep(doc.m_lines, kOriginNone);
    doc.SetModifiedFlag(false);
}

CRectArea* FindRect(CVavedIdivovDoc& doc, int index)
{
    for (auto& area : doc.m_rectAreas) {
        if (area->m_nIndex == index)
            return area.get();
    }
    return nullptr;
}

std::size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void Report(const char* what, double ms, const char* goal)
{
    std::printf("%-64s %9.3f ms%s%s\n", what, ms, goal[0] ? "   goal " : "", goal);
}

}  // namespace

int main()
{
    const CLines page = BuildPage();
#ifdef __OPTIMIZE__
    const char* build = "optimised build";
#else
    const char* build = "UNOPTIMISED build: figures are not meaningful";
#endif
    std::printf("Page: %zu lines, %d areas (%s)\n\n", page.size(), kAreas, build);

    CVavedIdivovDoc doc;
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
    const std::size_t typedLine = 7000 + kEditedArea;
    CLines control = doc.m_lines;
    std::vector<double> typedTotal, typedTake, typedParse, typedPush;
    for (int run = 0; run < 21; ++run) {
        control[typedLine].insert(control[typedLine].find("\" OnMouseOver"), 1, static_cast<char>('a' + run % 26));
        const auto start = CClock::now();
        doc.SetModifiedFlag(true);
        doc.m_lines.clear();
        for (const std::string& line : control)
            doc.m_lines.push_back(line);
        const double take = MillisecondsSince(start);
        doc.ParseMap();
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
        doc.WriteRectArea(area);
        formWrite.push_back(MillisecondsSince(start));
        start = CClock::now();
        doc.PushUndoStep(doc.m_lines, kOriginForm);
        formPush.push_back(MillisecondsSince(start));
    }
    Report("Form edit of area 2500: WriteRectArea + PushUndoStep (median)", Median(formTotal), "< 2 ms");
    Report("  WriteRectArea", Median(formWrite), "");
    Report("  PushUndoStep", Median(formPush), "");

    // What 1,000 form edits add to the undo history of a freshly opened page.
    {
        CVavedIdivovDoc fresh;
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
