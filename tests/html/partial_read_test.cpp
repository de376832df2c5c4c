// Reading only the tags a change of some lines touched must give exactly what reading the whole
// map gives, after random edits of pages with tags over several lines, several tags on a line,
// comments, quotes and '>' in values, other maps and text around.
#include "html/mapreader.h"
#include "html/testpage.h"

#include <gtest/gtest.h>

#include <random>

using namespace mapwright;
using namespace mapwright::testing;

namespace {

constexpr int kSize = 1000;

// An area with everything the reader sets, its number left out.
std::string Text(const CMapArea& area)
{
    const auto [kind, geometry] = ShapeAndNumbers(area);
    std::string text(1, kind);
    for (const int v : geometry)
        text += ' ' + std::to_string(v);
    for (const std::string* t : {&area.m_strHref, &area.m_strAlt, &area.m_strStatusOver, &area.m_strStatusOut,
                                 &area.m_strTarget, &area.m_strTitle})
        text += '|' + *t;
    return text;
}

std::vector<std::string> Texts(const CAreaList& areas)
{
    std::vector<std::string> texts;
    for (const auto& area : areas.Areas())
        texts.push_back(Text(*area));
    return texts;
}

const char* const kPieces[] = {
    "<AREA SHAPE=RECT COORDS=\"1,2,30,40\" HREF=\"a.htm\">",
    "<area shape=circle coords='50,50,9' alt='it''s' title=\"caf&#233;\">",
    "<AREA SHAPE=POLY COORDS=\"1,1,20,1,10,20\" ALT=\"a>b\" TITLE=\"&amp;\">",
    "<AREA HREF=b.htm COORDS=5,5,9,9>",
    "<AREA",
    " SHAPE=\"RECT\"",
    " COORDS=\"3,3,8,8\">",
    "<!-- <AREA COORDS=\"9,9,10,10\"> -->",
    "<!--",
    "-->",
    "<p>text</p>",
    "",
    "  ",
    "<MAP NAME=\"other\"><AREA COORDS=\"7,7,8,8\"></MAP>",
};

// Snippets typed into a line: quotes and '>' in the middle of a tag, tag starts and ends,
// comment marks, a byte that is not UTF-8.
const char* const kTyped[] = {"\"", "'", ">", "<", "<AREA ", "</MAP>", "<!--", "-->", "x", " HREF=\"c\"",
                              " SHAPE=POLY", "&lt;", "\xe9", "<MAP NAME=\"m\">", "=", " "};

CLines RandomPage(std::mt19937& random)
{
    CLines lines = {"<html><body>", "<IMG SRC=\"m.gif\" USEMAP=\"#m\">"};
    for (int i = static_cast<int>(random() % 3); i > 0; --i)
        lines.push_back(kPieces[random() % std::size(kPieces)]);
    lines.push_back("<MAP NAME=\"m\">");
    lines.push_back(kPieces[1]);  // a reference, read otherwise once the page is not UTF-8
    for (int i = 3 + static_cast<int>(random() % 12); i > 0; --i) {
        std::string line = kPieces[random() % std::size(kPieces)];
        if (random() % 4 == 0)
            line += kPieces[random() % 4];  // two tags on one line
        lines.push_back(line);
    }
    lines.push_back(random() % 5 ? "</MAP>" : "</MAP> after the map");
    for (int i = static_cast<int>(random() % 3); i > 0; --i)
        lines.push_back(kPieces[random() % std::size(kPieces)]);
    return lines;
}

std::string Mutated(std::string line, std::mt19937& random)
{
    const std::size_t at = line.empty() ? 0 : random() % (line.size() + 1);
    if (random() % 3 == 0 && !line.empty()) {
        line.erase(std::min(at, line.size() - 1), 1 + random() % 4);
        return line;
    }
    return line.insert(at, kTyped[random() % std::size(kTyped)]);
}

// A random change of a few lines: a line typed into, lines joined, a line split, lines
// inserted or removed, a stretch replaced.
CLineChange RandomChange(const CLines& lines, std::mt19937& random, CLines& newLines)
{
    newLines.clear();
    if (lines.empty()) {
        newLines = {kPieces[random() % std::size(kPieces)]};
        return {0, 0, 1};
    }
    const std::size_t at = random() % lines.size();
    switch (random() % 6) {
    case 0:
    case 1:
        newLines = {Mutated(lines[at], random)};
        return {at, 1, 1};
    case 2:
        if (at + 1 < lines.size()) {
            newLines = {lines[at] + lines[at + 1]};
            return {at, 2, 1};
        }
        return {at, 0, 0};
    case 3: {
        const std::size_t cut = random() % (lines[at].size() + 1);
        newLines = {lines[at].substr(0, cut), lines[at].substr(cut)};
        return {at, 1, 2};
    }
    case 4:
        if (random() % 2) {
            newLines = {kPieces[random() % std::size(kPieces)]};
            return {at, 0, 1};
        }
        return {at, 1, 0};
    default: {
        const std::size_t count = std::min(lines.size() - at, std::size_t(1) + random() % 3);
        for (std::size_t i = random() % 3; i > 0; --i)
            newLines.push_back(Mutated(kPieces[random() % std::size(kPieces)], random));
        return {at, count, newLines.size()};
    }
    }
}

}  // namespace

TEST(PartialRead, ReadsAsTheWholeMapAfterRandomEdits)
{
    int partial = 0, withLayout = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        std::mt19937 random(seed);
        CLines lines = RandomPage(random);
        CAreaList areas;
        std::optional<CMapLayout> layout;
        ParseMap(lines, "M", kSize, kSize, 0, areas, layout);
        for (int step = 0; step < 40; ++step) {
            CLines newLines;
            const CLineChange change = RandomChange(lines, random, newLines);
            const auto first = lines.begin() + static_cast<std::ptrdiff_t>(change.nFirst);
            const CLines removed(first, first + static_cast<std::ptrdiff_t>(change.nOldCount));
            lines.erase(first, first + static_cast<std::ptrdiff_t>(change.nOldCount));
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(change.nFirst), newLines.begin(), newLines.end());

            CAreaList whole;
            std::optional<CMapLayout> wholeLayout;
            ParseMap(lines, "M", kSize, kSize, 0, whole, wholeLayout);
            if (layout) {
                ++withLayout;
                CAreaList read;
                CMapLayout updated = *layout;
                const std::optional<int> from =
                    ReadChangedTags(lines, removed, change, "M", kSize, kSize, areas, updated, read);
                if (from) {
                    ++partial;
                    std::vector<std::string> merged = Texts(areas);
                    ASSERT_LE(std::size_t(*from) + read.Areas().size(), merged.size());
                    for (std::size_t i = 0; i < read.Areas().size(); ++i)
                        merged[std::size_t(*from) + i] = Text(*read.Areas()[i]);
                    const std::string where = "seed " + std::to_string(seed) + ", step " + std::to_string(step);
                    ASSERT_EQ(merged, Texts(whole)) << where;
                    ASSERT_TRUE(wholeLayout) << where;
                    ASSERT_EQ(updated.start, wholeLayout->start) << where;
                    ASSERT_EQ(updated.end, wholeLayout->end) << where;
                    ASSERT_EQ(updated.tags, wholeLayout->tags) << where;
                }
            }
            areas = std::move(whole);
            layout = std::move(wholeLayout);
        }
    }
    // Many edits stay inside one tag's lines or outside the map, and those are read alone.
    EXPECT_GT(partial, withLayout / 3);
}
