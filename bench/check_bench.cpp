// Speed of the accessibility and link check: one check of the 5,000-area page, and a site of
// 2,000 pages of 50 areas checked from disk on every core, as a build script would run it.
#include "benchtiming.h"
#include "document/mapcheck.h"
#include "harbourpage.h"
#include "html/fileops.h"
#include "image/picturewriter.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace mapwright;
using namespace mapwright::bench;
namespace fs = std::filesystem;

namespace {

constexpr int kSitePages = 2000;
constexpr int kPageAreas = 50;

// A page of kPageAreas rectangles in rows over a 640 x 480 picture; some faults on some pages.
std::string SitePage(int page)
{
    std::string text = "<html><body>\r\n<h1>Page " + std::to_string(page) +
                       "</h1>\r\n<IMG SRC=\"site.gif\" USEMAP=\"#site\" ALT=\"Site plan\">\r\n<MAP NAME=\"site\">\r\n";
    for (int n = 0; n < kPageAreas; ++n) {
        const int x = (n % 10) * 64, y = (n / 10) * 96;
        const std::string alt = (page + n) % 17 == 0 ? "" : "Room " + std::to_string(n);
        text += "<AREA SHAPE=RECT COORDS=\"" + std::to_string(x) + "," + std::to_string(y) + "," +
                std::to_string(x + 60) + "," + std::to_string(y + 90) + "\" HREF=\"room" + std::to_string(n) +
                ".htm\" ALT=\"" + alt + "\">\r\n";
    }
    return text + "</MAP>\r\n</body></html>\r\n";
}

}  // namespace

int main(int argc, char** argv)
{
    std::printf("%s\n\n", BuildKind());
    std::size_t found = 0;
    const std::vector<CPageSize> sizes = PageSizes(argc, argv);
    std::vector<int> areaCounts;
    for (const CPageSize& size : sizes)
        areaCounts.push_back(size.nAreas);
    CFigureTable table(areaCounts);
    for (std::size_t column = 0; column < sizes.size(); ++column) {
        CMapDocument doc;
        OpenPage(doc, BuildPage(sizes[column]));
        std::vector<double> wall, cpu;
        for (int run = 0; run < 15; ++run) {
            const auto start = CClock::now();
            const double cpuStart = ThreadCpuMilliseconds();
            found = CheckDocument(doc).size();
            cpu.push_back(ThreadCpuMilliseconds() - cpuStart);
            wall.push_back(MillisecondsSince(start));
        }
        table.Add(column, "Check of the page, processor time (median of 15)", Median(cpu), "ms",
                  "<= 5 ms at 5,000 areas");
        table.Add(column, "Check of the page, clock time (median of 15)", Median(wall));
        table.Add(column, "  findings", static_cast<double>(found), "");
    }
    table.Print();
    std::printf("\n");

    // A common layout: a grid of small areas, then one over the whole picture for the rest.
    {
        CLines grid = {"<IMG SRC=\"g.png\" USEMAP=\"#grid\" ALT=\"Grid\">", "<MAP NAME=\"grid\">"};
        for (int n = 0; n < 2000; ++n) {
            const int x = (n % 50) * 40, y = (n / 50) * 40;
            grid.push_back("<AREA SHAPE=RECT COORDS=\"" + std::to_string(x) + "," + std::to_string(y) + "," +
                           std::to_string(x + 39) + "," + std::to_string(y + 39) + "\" HREF=\"c" + std::to_string(n) +
                           ".htm\" ALT=\"Cell " + std::to_string(n) + "\">");
        }
        grid.push_back("<AREA SHAPE=RECT COORDS=\"0,0,2199,1799\" HREF=\"rest.htm\" ALT=\"Rest\">");
        grid.push_back("</MAP>");
        CMapDocument gridDoc;
        gridDoc.OpenLines(grid, "GRID", 2200, 1800);
        std::vector<double> gridCpu;
        for (int run = 0; run < 5; ++run) {
            const double cpuStart = ThreadCpuMilliseconds();
            found = CheckDocument(gridDoc).size();
            gridCpu.push_back(ThreadCpuMilliseconds() - cpuStart);
        }
        Report("Check of 2,000 cells and a catch-all area, processor time (median)", Median(gridCpu), "");
    }

    const fs::path dir = fs::temp_directory_path() / ("mapwright-check-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    if (!picturewriter::WritePlainGif((dir / "site.gif").string(), 640, 480, {0, 0, 120}))
        return 1;
    std::vector<std::string> pages;
    std::string error;
    for (int page = 0; page < kSitePages; ++page) {
        pages.push_back((dir / ("page" + std::to_string(page) + ".htm")).string());
        if (!WriteFileReplacing(pages.back(), SitePage(page), error))
            return 1;
    }
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    const auto start = CClock::now();
    const std::clock_t cpuStart = std::clock();
    const std::vector<CPageCheck> checks = CheckPageFiles(pages, threads);
    const double ms = MillisecondsSince(start);
    const double cpuMs = 1000.0 * double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    std::size_t unreadable = 0, siteFindings = 0;
    for (const CPageCheck& check : checks) {
        siteFindings += check.findings.size();
        unreadable += !check.findings.empty() && check.findings[0].rule == ECheckRule::kPageUnreadable;
    }
    fs::remove_all(dir);
    std::printf("\n%d pages of %d areas on %u threads: %zu findings, %zu pages unreadable\n", kSitePages, kPageAreas,
                threads, siteFindings, unreadable);
    std::printf("%-64s %9.0f pages/s   goal >= 1000 pages/s\n", "Site check from disk, clock time", kSitePages / (ms / 1000));
    // On a machine others share, what the threads alone used says more than the clock.
    std::printf("%-64s %9.0f pages/s\n", "Site check, processor time spread over the threads",
                kSitePages / (cpuMs / threads / 1000));
    return unreadable ? 1 : 0;
}
