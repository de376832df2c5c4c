// Reading only the tags a change of some lines touched must give exactly what reading the whole
// map gives, after random edits of pages with tags over several lines, several tags on a line,
// comments, quotes and '>' in values, other maps and text around.
#include "html/mapreader.h"
#include "html/mapwriter.h"

#include <gtest/gtest.h>

#include <random>

using namespace mapwright;

namespace {

std::string Text(const CMapArea& a)
{
    return std::string(ShapeKeyword(a.Shape())) + FormatCoords(a) + '|' + a.m_strHref + '|' + a.m_strAlt + '|' +
           a.m_strStatusOver + '|' + a.m_strStatusOut + '|' + a.m_strTarget + '|' + a.m_strTitle;
}

const char* const kPieces[] = {
    "<AREA SHAPE=RECT COORDS=\"1,2,30,40\" HREF=\"a.htm\">",
    "<area shape=circle coords='50,50,9' alt='it''s' title=\"caf&#233;\">",
    "<AREA SHAPE=POLY COORDS=\"1,1,20,1,10,20\" ALT=\"a>b\" TITLE=\"&amp;\">",
    "<AREA HREF=b.htm COORDS=5,5,9,9>",
    "<AREA", " SHAPE=\"RECT\"", " COORDS=\"3,3,8,8\">",  // a tag over lines
    "<!-- <AREA COORDS=\"9,9,10,10\"> -->", "<!--", "-->", "<p>text</p>", "", "  ",
    "<MAP NAME=\"other\"><AREA COORDS=\"7,7,8,8\"></MAP>",
};

// Typed into a line: quotes and '>' in a tag, tag starts and ends, comment marks, a byte that is
// not UTF-8 (which makes references read otherwise).
const char* const kTyped[] = {"\"", "'", ">", "<", "<AREA ", "</MAP>", "<!--", "-->", "x", " HREF=\"c\"",
                              " SHAPE=POLY", "&lt;", "\xe9", "<MAP NAME=\"m\">", "=", " "};

std::string Mutated(std::string line, std::mt19937& random)
{
    const std::size_t at = line.empty() ? 0 : random() % (line.size() + 1);
    if (random() % 3 == 0 && !line.empty())
        return line.erase(std::min(at, line.size() - 1), 1 + random() % 4);
    return line.insert(at, kTyped[random() % std::size(kTyped)]);
}

// A line typed into, lines joined, a line split, a line inserted or removed, a stretch replaced.
CLineChange RandomChange(const CLines& lines, std::mt19937& random, CLines& newLines)
{
    newLines.clear();
    const std::size_t at = lines.empty() ? 0 : random() % lines.size();
    const unsigned kind = lines.empty() ? 4 : random() % 6;
    if (kind < 2) {
        newLines = {Mutated(lines[at], random)};
        return {at, 1, 1};
    }
    if (kind == 2 && at + 1 < lines.size()) {
        newLines = {lines[at] + lines[at + 1]};
        return {at, 2, 1};
    }
    if (kind == 3) {
        const std::size_t cut = random() % (lines[at].size() + 1);
        newLines = {lines[at].substr(0, cut), lines[at].substr(cut)};
        return {at, 1, 2};
    }
    if (kind == 4) {
        newLines = {kPieces[random() % std::size(kPieces)]};
        return {at, 0, 1};
    }
    const std::size_t count = std::min(lines.size() - at, std::size_t(random() % 3));
    for (std::size_t i = random() % 3; i > 0; --i)
        newLines.push_back(Mutated(kPieces[random() % std::size(kPieces)], random));
    return {at, count, newLines.size()};
}

}  // namespace

TEST(PartialRead, ReadsAsTheWholeMapAfterRandomEdits)
{
    int partial = 0, withLayout = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        std::mt19937 random(seed);
        CLines lines = {"<IMG SRC=\"m.gif\" USEMAP=\"#m\">", kPieces[random() % std::size(kPieces)],
                        "<MAP NAME=\"m\">", kPieces[1]};
        for (int i = 3 + static_cast<int>(random() % 12); i > 0; --i)
            lines.push_back(std::string(kPieces[random() % std::size(kPieces)]) + (random() % 4 ? "" : kPieces[random() % 4]));
        lines.insert(lines.end(), {random() % 5 ? "</MAP>" : "</MAP> after", kPieces[random() % std::size(kPieces)]});
        CAreaList areas;
        std::optional<CMapLayout> layout;
        ParseMap(lines, "M", 1000, 1000, 0, areas, layout);
        for (int step = 0; step < 40; ++step) {
            CLines newLines;
            const CLineChange change = RandomChange(lines, random, newLines);
            const auto first = lines.begin() + static_cast<std::ptrdiff_t>(change.nFirst);
            const CLines removed(first, first + static_cast<std::ptrdiff_t>(change.nOldCount));
            lines.erase(first, first + static_cast<std::ptrdiff_t>(change.nOldCount));
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(change.nFirst), newLines.begin(), newLines.end());

            CAreaList whole;
            std::optional<CMapLayout> wholeLayout;
            ParseMap(lines, "M", 1000, 1000, 0, whole, wholeLayout);
            CAreaList read;
            CMapLayout updated = layout.value_or(CMapLayout{});
            const std::optional<int> from =
                layout ? ReadChangedTags(lines, removed, change, "M", 1000, 1000, areas, updated, read) : std::nullopt;
            withLayout += layout.has_value();
            if (from) {
                ++partial;
                const std::string where = "seed " + std::to_string(seed) + ", step " + std::to_string(step);
                ASSERT_EQ(areas.AreaCount(), whole.AreaCount()) << where;
                for (int i = 0; i < whole.AreaCount(); ++i) {
                    const bool reread = i >= *from && i < *from + read.AreaCount();
                    ASSERT_EQ(Text(reread ? *read.Areas()[std::size_t(i - *from)] : *areas.Areas()[std::size_t(i)]),
                              Text(*whole.Areas()[std::size_t(i)])) << where;
                }
                ASSERT_TRUE(wholeLayout && updated.start == wholeLayout->start && updated.end == wholeLayout->end &&
                            updated.tags == wholeLayout->tags) << where;
            }
            areas = std::move(whole);
            layout = std::move(wholeLayout);
        }
    }
    // Many edits stay inside one tag's lines or outside the map, and those are read alone.
    EXPECT_GT(partial, withLayout / 3);
}
