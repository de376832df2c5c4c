// Arbitrary page text through the map reader and every writer operation. Besides not crashing,
// a rewrite must keep the tag count, leave the other tags as they read and re-read with the texts
// it wrote.
#include "fuzzchecks.h"
#include "support/areachecks.h"

#include "html/maplines.h"
#include "html/mapreader.h"
#include "html/mapblock.h"
#include "html/mapwriter.h"
#include "html/testpage.h"

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
bool NumberedInOrder(const CAreaList& areas)
{
    for (std::size_t i = 0; i < areas.Areas().size(); ++i)
        if (areas.Areas()[i]->m_nIndex != int(i) + 1)
            return false;
    return true;
}

// An area's description without its tag number.
std::string Unnumbered(const std::string& described)
{
    return described.substr(described.find_first_not_of("0123456789"));
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

    CAreaList areas;
    ParseMap(page, mapName, 64, 48, areas);
    const int count = areas.AreaCount();
    Check(NumberedInOrder(areas) && fuzz::AreasInsidePicture(areas, 64, 48));
    // One tag read alone reads as the whole reading reads it.
    CAreaList alone;
    const bool found = ReadAreaTag(page, mapName, 64, 48, n, alone).has_value();
    Check(found == (n >= 1 && n <= count));
    if (found) {
        const std::vector<std::string> all = testing::Describe(areas), one = testing::Describe(alone);
        Check(one.size() == 1 && Unnumbered(one[0]) == Unnumbered(all[std::size_t(n - 1)]));
    }
    const std::optional<CTagSpan> span = FindAreaTag(page, mapName, n);
    Check(span.has_value() == found);

    CLines lines = page;
    Check(AddAreaTag(lines, mapName, "RECT", "1,2,3,4") == MapBlockHasEnd(page, mapName));
    Check(!MapBlockHasEnd(page, mapName) || FindMapBlock(page, mapName).has_value());
    lines = page;
    Check(DeleteAreaTag(lines, mapName, n) == found);
    if (found) {
        CAreaList fewer;
        ParseMap(lines, mapName, 64, 48, fewer);
        Check(fewer.AreaCount() == count - 1);
    }

    // Texts with every character the writer has to escape: the rewritten tag reads back with
    // exactly what was written, and every other tag as before.
    lines = page;
    const std::string_view href = "a\"b<c>'\\&x", alt = "alt=\"1\"", status = "it's \\ \"q\" <b>";
    const std::optional<CTagSpan> written =
        RewriteAreaTag(lines, mapName, n, {"CIRCLE", "5,6,7", href, "t&gt", alt, status, status});
    Check(written.has_value() == found);
    if (written) {
        CAreaList again;
        ParseMap(lines, mapName, 64, 48, again);
        Check(again.AreaCount() == count);
        const std::vector<std::string> before = testing::Describe(areas), after = testing::Describe(again);
        for (int i = 0; i < count; ++i) {
            if (i + 1 != n)
                Check(before[std::size_t(i)] == after[std::size_t(i)]);
        }
        for (const auto& circle : Circles(again)) {
            if (circle->m_nIndex == n) {
                Check(circle->m_strHref == href && circle->m_strAlt == alt);
                Check(circle->m_strStatusOver == status && circle->m_strStatusOut == status);
                Check(circle->m_strTarget == "t&gt" && circle->x == 5 && circle->y == 6 && circle->radius == 7);
            }
        }
        Check(FindAreaTag(lines, mapName, n) == written);
    }
    return 0;
}
