// Arbitrary page text through the map reader and every writer operation. Besides not crashing,
// a rewrite must keep the tag count and re-read with the texts it wrote.
#include "fuzzchecks.h"

#include "html/maplines.h"
#include "html/mapreader.h"
#include "html/mapwriter.h"
#include "html/testpage.h"
#include "html/textsearch.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace mapwright;

namespace {

void Check(bool condition) { fuzz::Check(condition, "map reader and writer"); }

// Every tag of the map became one area, numbered 1 to the count in text order.
bool NumberedInOrder(const CAreaLists& areas)
{
    std::vector<int> numbers;
    for (const auto& area : areas.m_rectAreas)
        numbers.push_back(area->m_nIndex);
    for (const auto& area : areas.m_circleAreas)
        numbers.push_back(area->m_nIndex);
    for (const auto& area : areas.m_polyAreas)
        numbers.push_back(area->m_nIndex);
    std::sort(numbers.begin(), numbers.end());
    for (std::size_t i = 0; i < numbers.size(); ++i)
        if (numbers[i] != int(i) + 1)
            return false;
    return int(numbers.size()) == areas.AreaCount();
}

// An area's description without its tag number.
std::string Unnumbered(const std::string& described)
{
    return described.substr(described.find_first_not_of("0123456789"));
}

// Every "<AREA" of the page, in or out of tags and maps; -1 when a "</MAP" stands before one of
// them, since moving text between lines then changes which tags are inside the map.
int CountAreaMarks(const CLines& lines)
{
    int marks = 0;
    bool mapEnded = false;
    for (const std::string& line : lines) {
        std::size_t from = 0;
        for (;;) {
            const std::size_t area = FindNoCase(line, "<AREA", from);
            const std::size_t end = FindNoCase(line, "</MAP", from);
            if (end < area)
                mapEnded = true;
            if (area == std::string_view::npos)
                break;
            if (mapEnded)
                return -1;
            ++marks;
            from = area + 1;
        }
    }
    return marks;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The first byte picks the tag number, the next line the map name, the rest is the page.
    if (size < 1)
        return 0;
    const int n = data[0] % 8;
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t nameEnd = std::min(text.find('\n'), text.size());
    const std::string_view mapName = text.substr(0, nameEnd);
    const CLines page = SplitLines(text.substr(std::min(nameEnd + 1, text.size())));

    CAreaLists areas;
    ParseMap(page, mapName, 64, 48, areas);
    const int count = areas.AreaCount();
    Check(NumberedInOrder(areas) && fuzz::AreasInsidePicture(areas, 64, 48));
    // One tag read alone reads as the whole reading reads it.
    CAreaLists alone;
    const bool found = ReadAreaTag(page, mapName, 64, 48, n, alone).has_value();
    Check(found == (n >= 1 && n <= count));
    if (found) {
        const std::vector<std::string> all = testing::Describe(areas), one = testing::Describe(alone);
        Check(one.size() == 1 && Unnumbered(one[0]) == Unnumbered(all[std::size_t(n - 1)]));
    }
    const CTagPosition pos = FindAreaTag(page, mapName, n);
    Check(pos.nStartLine < static_cast<int>(page.size()) && pos.nEndLine < static_cast<int>(page.size()));
    RemoveAttribute(text, "ALT=");

    CLines lines = page;
    AddAreaTag(lines, mapName, count, "RECT", "1,2,3,4");
    lines = page;
    DeleteAreaTag(lines, mapName, n);

    // Texts with every character the writer has to escape.
    lines = page;
    const std::string_view href = "a\"b<c>'\\&x", alt = "alt=\"1\"", status = "it's \\ \"q\" <b>";
    if (RewriteAreaTag(lines, mapName, n, href, alt, "5,6,7", status, status, "CIRCLE", "t&gt")) {
        Check(n >= 1);
        CAreaLists again;
        ParseMap(lines, mapName, 64, 48, again);
        // When every "<AREA" of the page is a tag the reader counted, a rewritten tag reads back
        // with exactly what was written. (Joining a tag's lines can make a new "<AREA" of a '<'
        // at one line's end and "AREA" at the next one's start; such pages are left out.)
        // The same holds only for a tag closed before the next tag or the map end.
        const CTagPosition written = FindAreaTag(lines, mapName, n);
        const bool closed = written.nStartLine >= 0 &&
                            lines[written.nStartLine].find('>', written.nStartCol) != std::string::npos;
        if (n <= count && closed && CountAreaMarks(page) == count && CountAreaMarks(lines) == count) {
            Check(again.AreaCount() == count);
            for (const auto& circle : again.m_circleAreas) {
                if (circle->m_nIndex == n) {
                    Check(circle->m_strHref == href && circle->m_strAlt == alt);
                    Check(circle->m_strStatusOver == status && circle->m_strStatusOut == status);
                    Check(circle->m_strTarget == "t&gt" && circle->x == 5 && circle->y == 6 && circle->radius == 7);
                }
            }
        }
    }
    return 0;
}
