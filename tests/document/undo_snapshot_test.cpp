#include "document/linesnapshot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace mapwright;

namespace {

// Lines from a tiny alphabet, so that equal lines next to an edit are common: that is where
// the shared first and last lines of two snapshots could be miscounted.
std::string RandomLine(std::mt19937& random)
{
    static const std::string kPieces[] = {"", "<AREA>", "a", "a", "\xe9t\xe9", " \t", "</MAP>", "b"};
    std::string line;
    const int parts = static_cast<int>(random() % 3);
    for (int i = 0; i < parts; ++i)
        line += kPieces[random() % std::size(kPieces)];
    return line;
}

// One random change of the kinds an editor makes: rewrite, insert, delete, replace a range.
void RandomEdit(CLines& lines, std::mt19937& random)
{
    const std::size_t size = lines.size();
    const std::size_t at = size ? random() % (size + 1) : 0;
    switch (random() % 6) {
    case 0:
        if (at < size)
            lines[at] = RandomLine(random);
        break;
    case 1:
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), RandomLine(random));
        break;
    case 2:
        if (at < size)
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
        break;
    case 3: {
        const std::size_t end = std::min(size, at + random() % 5);
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at), lines.begin() + static_cast<std::ptrdiff_t>(end));
        for (std::size_t i = random() % 4; i > 0; --i)
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), RandomLine(random));
        break;
    }
    case 4:
        if (at < size)
            lines[at] += "x";  // same line, one byte longer
        break;
    default:
        break;  // no change at all, as a typed key that was swallowed
    }
}

CLines NumberedLines(int count)
{
    CLines lines;
    for (int i = 0; i < count; ++i)
        lines.push_back("<AREA SHAPE=RECT COORDS=\"" + std::to_string(i) + ",0,10,10\" HREF=\"page.htm\">");
    return lines;
}

}  // namespace

TEST(LineSnapshot, RandomEditSequencesRestoreLikeFullCopies)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        CLines lines;
        for (int i = static_cast<int>(random() % 30); i > 0; --i)
            lines.push_back(RandomLine(random));

        std::vector<CLines> copies{lines};
        std::vector<CLineSnapshot> snapshots{CLineSnapshot(lines)};
        snapshots.reserve(151);
        for (int step = 0; step < 150; ++step) {
            RandomEdit(lines, random);
            if (random() % 40 == 0)
                lines.clear();
            snapshots.emplace_back(lines, snapshots.back());
            copies.push_back(lines);
        }
        // Later snapshots share blocks with earlier ones, so all are checked at the end.
        for (std::size_t i = 0; i < copies.size(); ++i) {
            ASSERT_EQ(snapshots[i].ToLines(), copies[i]) << "seed " << seed << " step " << i;
            ASSERT_EQ(snapshots[i].LineCount(), copies[i].size());
        }
    }
}

TEST(LineSnapshot, ScatteredEditsCopyOnlyTheirLinesAndKeepTheTreeShallow)
{
    // Edits all over a long page split it into ever more pieces: each step still copies only its
    // own line, and the tree of pieces stays balanced, so a step copies few of its nodes.
    std::mt19937 random(7);
    CLines lines = NumberedLines(3000);
    std::vector<CLines> copies{lines};
    std::vector<CLineSnapshot> snapshots{CLineSnapshot(lines)};
    snapshots.reserve(601);
    for (int step = 0; step < 600; ++step) {
        const std::size_t at = random() % lines.size();
        if (step % 3 == 0)
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), "<!-- note -->");
        else
            lines[at] = "<AREA SHAPE=CIRCLE COORDS=\"" + std::to_string(step) + ",5,5\">";
        snapshots.emplace_back(lines, snapshots.back());
        copies.push_back(lines);
        const CLineSnapshot& last = snapshots.back();
        ASSERT_LT(last.OwnBytes(), 200u) << step;
        // A balanced tree of n pieces is at most about 1.44 log2(n) high.
        ASSERT_LE(last.TreeHeight(), 2 + 1.45 * std::log2(double(last.PieceCount()))) << step;
    }
    EXPECT_GT(snapshots.back().PieceCount(), 600u);
    for (std::size_t i = 0; i < copies.size(); ++i)
        ASSERT_EQ(snapshots[i].ToLines(), copies[i]) << "step " << i;
}

TEST(LineSnapshot, OneChangedLineIsAllThatIsCopied)
{
    CLines lines = NumberedLines(20000);
    const CLineSnapshot first(lines);
    EXPECT_GT(first.OwnBytes(), 20000 * sizeof(std::string));

    lines[12000] = "<AREA SHAPE=RECT COORDS=\"1,2,3,4\" HREF=\"changed.htm\">";
    const CLineSnapshot second(lines, first);
    EXPECT_EQ(second.PieceCount(), 3u);
    EXPECT_LT(second.OwnBytes(), 200u);

    const CLineSnapshot unchanged(lines, second);
    EXPECT_EQ(unchanged.OwnBytes(), 0u);
    EXPECT_EQ(unchanged.PieceCount(), 3u);

    lines.erase(lines.begin());
    const CLineSnapshot shorter(lines, unchanged);
    EXPECT_EQ(shorter.OwnBytes(), 0u);
    EXPECT_EQ(shorter.ToLines(), lines);
    EXPECT_EQ(second.ToLines()[12000], lines[11999]);
}

TEST(LineSnapshot, RepeatedLinesAroundAnEditAreNotCountedTwice)
{
    // Five equal lines become four: the common first and last lines overlap unless capped.
    const CLines five(5, "<AREA>");
    const CLines four(4, "<AREA>");
    const CLineSnapshot before(five);
    const CLineSnapshot after(four, before);
    EXPECT_EQ(after.ToLines(), four);
    EXPECT_EQ(CLineSnapshot(five, after).ToLines(), five);

    const CLines aba{"a", "b", "a"};
    const CLines aa{"a", "a"};
    EXPECT_EQ(CLineSnapshot(aa, CLineSnapshot(aba)).ToLines(), aa);
    EXPECT_EQ(CLineSnapshot(aba, CLineSnapshot(aa)).ToLines(), aba);

    const CLineSnapshot empty;
    EXPECT_EQ(CLineSnapshot(aba, empty).ToLines(), aba);
    EXPECT_EQ(CLineSnapshot(CLines{}, CLineSnapshot(aba)).LineCount(), 0u);

    // CopyTo replaces what the target held.
    CLines target{"old", "old"};
    CLineSnapshot(aa).CopyTo(target);
    EXPECT_EQ(target, aa);
}
