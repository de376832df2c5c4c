// The large pages the benchmarks work on: a harbour guide whose map block, from line 7000, holds
// its areas over a 4000 x 4000 image; 20,000 lines with 5,000 areas, and ten times the areas to
// show how each figure grows.
#pragma once

#include "benchtiming.h"
#include "document/mapdocument.h"
#include "html/maplines.h"

#include <string>
#include <string_view>
#include <vector>

namespace mapwright::bench {

struct CPageSize {
    int nAreas;
    int nLines;
};
constexpr CPageSize kSmallPage{5000, 20000};
constexpr CPageSize kLargePage{50000, 70000};
constexpr int kMapLine = 7000;  // the "<MAP" line; area n is on line kMapLine + n
constexpr int kImageSize = 4000;

// Area n is a rectangle when n % 3 == 1 (so area 2500 is one), a polygon when 2, else a circle.
inline std::string AreaTag(int n)
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

inline CLines BuildPage(CPageSize size)
{
    CLines lines = {"<html>", "<head><title>Harbour guide</title></head>", "<body>",
                    "<IMG SRC=\"harbour.png\" USEMAP=\"#harbour\" WIDTH=4000 HEIGHT=4000 BORDER=0>"};
    auto filler = [&lines](int until) {
        while (static_cast<int>(lines.size()) < until) {
            lines.push_back("<p>Paragraph " + std::to_string(lines.size())
                            + " of the harbour guide: moorings, tides and the ferry timetable.</p>");
        }
    };
    filler(kMapLine);
    lines.push_back("<MAP NAME=\"harbour\">");
    for (int n = 1; n <= size.nAreas; ++n)
        lines.push_back(AreaTag(n));
    lines.push_back("</MAP>");
    filler(size.nLines - 1);
    lines.push_back("</body></html>");
    return lines;
}

// Sets the document up as opening the page does: parsed, first undo step, clean.
inline void OpenPage(CMapDocument& doc, const CLines& page)
{
    doc.OpenLines(page, "HARBOUR", kImageSize, kImageSize);
}

inline CRectArea* FindRect(CMapDocument& doc, int index)
{
    CMapArea* area = doc.AreaNumbered(index);
    return area && area->Shape() == EAreaShape::kRectangle ? static_cast<CRectArea*>(area) : nullptr;
}

}  // namespace mapwright::bench

namespace mapwright::bench {

// The sizes a benchmark runs at: both, or with --small (as the tests run it) only the small one.
inline std::vector<CPageSize> PageSizes(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--small")
            return {kSmallPage};
    }
    return {kSmallPage, kLargePage};
}

// Runs measure over every page size the arguments ask for, one column each, and prints the table
// under title. Returns the exit status: 1 when a page was not as built.
template <class Measure> int MeasurePageSizes(int argc, char** argv, const char* title, Measure measure)
{
    const std::vector<CPageSize> sizes = PageSizes(argc, argv);
    std::vector<int> areaCounts;
    for (const CPageSize& size : sizes)
        areaCounts.push_back(size.nAreas);
    std::printf("%s, on pages of %d lines and more (%s)\n\n", title, sizes.front().nLines, BuildKind());
    CFigureTable table(areaCounts);
    for (std::size_t column = 0; column < sizes.size(); ++column) {
        if (!measure(sizes[column], column, table))
            return 1;
    }
    table.Print();
    return 0;
}

}  // namespace mapwright::bench
