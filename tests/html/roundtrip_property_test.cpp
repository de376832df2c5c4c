// Writing areas with arbitrary texts and reading them back gives the same areas, and a rewrite
// changes no byte outside the tag it rewrites.
#include "html/testpage.h"
#include "html/mapwriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace mapwright;
using namespace mapwright::testing;

namespace {

enum class EKind { kRect, kCircle, kPoly };

// What one tag should read back as.
struct CModelArea {
    EKind kind = EKind::kRect;
    std::vector<int> geometry;  // left,top,right,bottom / x,y,radius / vertices
    std::string href, alt, over, out, target;
};

class CGenerator {
public:
    explicit CGenerator(unsigned seed) : m_rng(seed) {}

    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_rng); }

    // A text of quotes, brackets, escapes, attribute names and non-ASCII bytes. The three entity
    // spellings are left out: they are what the other characters are written as.
    std::string Text(bool blanks)
    {
        static const std::vector<std::string> kPieces = {
            "a", "Z", "0", "9", "\"", "'", "<", ">", "\\", "=", "&", ";", "/", "?", "#", ":", "-", ".",
            "\xc3\xa9", "\xff", "\x80", "alt=", "HREF=", "target=", "status=", "window.status='",
            "<AREA ", "</MAP>", "&amp;", "\\'", "'; return true", "ONMOUSEOUT=", "coords=\"1\"", " ", "\t",
        };
        for (;;) {
            std::string text;
            const int pieces = Int(0, 6);
            for (int i = 0; i < pieces; ++i) {
                const std::string& piece = kPieces[Int(0, static_cast<int>(kPieces.size()) - 1)];
                if (blanks || piece.find_first_of(" \t") == std::string::npos)
                    text += piece;
            }
            if (text.find("&quot;") == std::string::npos && text.find("&lt;") == std::string::npos &&
                text.find("&gt;") == std::string::npos)
                return text;
        }
    }

    CModelArea Area(int width, int height)
    {
        CModelArea area;
        area.kind = static_cast<EKind>(Int(0, 2));
        switch (area.kind) {
        case EKind::kRect: {
            const int x1 = Int(0, width - 1), x2 = Int(0, width - 1);
            const int y1 = Int(0, height - 1), y2 = Int(0, height - 1);
            area.geometry = {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
            break;
        }
        case EKind::kCircle:
            area.geometry = {Int(0, width - 1), Int(0, height - 1), Int(0, 2000)};
            break;
        case EKind::kPoly:
            for (int i = Int(1, 6); i > 0; --i) {
                area.geometry.push_back(Int(0, width - 1));
                area.geometry.push_back(Int(0, height - 1));
            }
            break;
        }
        area.href = Text(true);
        area.alt = Text(true);
        area.over = Text(true);
        area.out = Text(true);
        area.target = Text(false);
        return area;
    }

    // Text around and inside the map that is not ours: comments, other maps, typed tags.
    std::string Filler()
    {
        static const std::vector<std::string> kLines = {
            "<!-- a comment with \"quotes\" and 'apostrophes' -->",
            "<P>Some text \xc3\xa9 &amp; more</P>",
            "",
            "<MAP NAME=\"other\"><AREA SHAPE=RECT COORDS=\"1,1,2,2\" HREF=\"other.htm\"></MAP>",
            "<SCRIPT>var s = \"<MAP NAME=x>\";</SCRIPT>",
        };
        return kLines[Int(0, static_cast<int>(kLines.size()) - 1)];
    }

    // A tag as a person might type it, sometimes over two lines or with text after it.
    std::vector<std::string> TypedTag()
    {
        static const std::vector<std::vector<std::string>> kTags = {
            {"<area shape=rect coords=\"1,2,3,4\" href=\"x.htm\" nohref id=a>"},
            {"<AREA SHAPE=\"CIRCLE\" COORDS=\"5,5,5\" TITLE=\"alt=t\"> <!-- after -->"},
            {"<Area Shape=Poly", "  Coords=\"1,1,5,5,1,5\" data-href='h'>"},
            {"<AREA HREF=find.php?target=kids&default=1 ALT=\"Next\">"},
            {"<AREA onMouseOver=\"showTip(3)\" class=hot>"},
        };
        return kTags[Int(0, static_cast<int>(kTags.size()) - 1)];
    }

private:
    std::mt19937 m_rng;
};

std::string Keyword(EKind kind)
{
    return kind == EKind::kRect ? "RECT" : kind == EKind::kCircle ? "CIRCLE" : "POLY";
}

std::string Coords(const CModelArea& area)
{
    std::string text;
    for (const int v : area.geometry)
        text += (text.empty() ? "" : ",") + std::to_string(v);
    return text;
}

bool Write(CLines& lines, int n, const CModelArea& area)
{
    return RewriteAreaTag(lines, "m", n, area.href, area.alt, Coords(area), area.over, area.out,
                          Keyword(area.kind), area.target);
}

// Checks that the parsed areas are exactly the model, tag by tag.
void ExpectAreas(const CAreaLists& areas, const std::vector<CModelArea>& model, const std::string& page)
{
    ASSERT_EQ(areas.m_nAreaCount, static_cast<int>(model.size())) << page;
    std::vector<const CMapArea*> byIndex(model.size() + 1, nullptr);
    std::vector<EKind> kinds(model.size() + 1);
    std::vector<std::vector<int>> geometry(model.size() + 1);
    for (const auto& a : areas.m_rectAreas) {
        byIndex.at(a->m_nIndex) = a.get();
        kinds[a->m_nIndex] = EKind::kRect;
        geometry[a->m_nIndex] = {a->left, a->top, a->right, a->bottom};
    }
    for (const auto& a : areas.m_circleAreas) {
        byIndex.at(a->m_nIndex) = a.get();
        kinds[a->m_nIndex] = EKind::kCircle;
        geometry[a->m_nIndex] = {a->x, a->y, a->radius};
    }
    for (const auto& a : areas.m_polyAreas) {
        byIndex.at(a->m_nIndex) = a.get();
        kinds[a->m_nIndex] = EKind::kPoly;
        for (const CAreaPoint& p : a->m_points)
            geometry[a->m_nIndex].insert(geometry[a->m_nIndex].end(), {p.x, p.y});
    }
    for (std::size_t i = 1; i <= model.size(); ++i) {
        const CModelArea& want = model[i - 1];
        ASSERT_NE(byIndex[i], nullptr) << "tag " << i << "\n" << page;
        const CMapArea& got = *byIndex[i];
        EXPECT_EQ(kinds[i], want.kind) << "tag " << i << "\n" << page;
        EXPECT_EQ(geometry[i], want.geometry) << "tag " << i << "\n" << page;
        EXPECT_EQ(got.m_strHref, want.href) << "tag " << i << "\n" << page;
        EXPECT_EQ(got.m_strAlt, want.alt) << "tag " << i << "\n" << page;
        EXPECT_EQ(got.m_strStatusOver, want.over) << "tag " << i << "\n" << page;
        EXPECT_EQ(got.m_strStatusOut, want.out) << "tag " << i << "\n" << page;
        EXPECT_EQ(got.m_strTarget, want.target) << "tag " << i << "\n" << page;
    }
}

// The offset of a line and column in PageText(lines).
std::size_t Offset(const CLines& lines, int line, int col)
{
    std::size_t offset = 0;
    for (int i = 0; i < line; ++i)
        offset += lines[i].size() + 1;
    return offset + col;
}

}  // namespace

TEST(RoundTripProperty, WrittenAreasReadBackAndRewritesTouchOnlyTheirTag)
{
    for (unsigned seed = 1; seed <= 400; ++seed) {
        CGenerator gen(seed);
        const int width = gen.Int(1, 400);
        const int height = gen.Int(1, 400);

        CLines lines;
        for (int i = gen.Int(0, 3); i > 0; --i)
            lines.push_back(gen.Filler());
        lines.push_back(gen.Int(0, 1) ? "<MAP NAME=\"m\">" : "<map name=M>");
        int typed = 0;
        for (int i = gen.Int(0, 2); i > 0; --i, ++typed) {
            for (const std::string& line : gen.TypedTag())
                lines.push_back(line);
        }
        lines.push_back("</MAP>");
        for (int i = gen.Int(0, 3); i > 0; --i)
            lines.push_back(gen.Filler());

        // New tags, then every tag rewritten in a random order.
        const int count = typed + gen.Int(0, 6);
        for (int n = typed; n < count; ++n)
            ASSERT_TRUE(AddAreaTag(lines, "m", n, "RECT", "0,0,0,0")) << seed;
        std::vector<CModelArea> model(count);
        std::vector<int> order(count);
        for (int n = 0; n < count; ++n)
            order[n] = n;
        std::shuffle(order.begin(), order.end(), std::mt19937(seed));
        for (const int n : order) {
            model[n] = gen.Area(width, height);
            ASSERT_TRUE(Write(lines, n + 1, model[n])) << seed;
        }
        ExpectAreas(Parse(lines, width, height), model, PageText(lines));
        if (count == 0)
            continue;

        // One more rewrite: the text before the tag's '<' and from the next tag on stays.
        const int n = gen.Int(1, count);
        const CLines oldLines = lines;
        const std::string before = PageText(lines);
        const CTagPosition oldPos = FindAreaTag(lines, "m", n);
        model[n - 1] = gen.Area(width, height);
        ASSERT_TRUE(Write(lines, n, model[n - 1])) << seed;
        const std::string after = PageText(lines);
        const CTagPosition newPos = FindAreaTag(lines, "m", n);
        const std::size_t oldStart = Offset(oldLines, oldPos.nStartLine, oldPos.nStartCol - 1);
        const std::size_t newStart = Offset(lines, newPos.nStartLine, newPos.nStartCol - 1);
        ASSERT_EQ(oldStart, newStart) << seed;
        EXPECT_EQ(before.substr(0, oldStart), after.substr(0, newStart)) << seed;
        const std::size_t oldEnd = Offset(oldLines, oldPos.nEndLine, oldPos.nEndCol);
        const std::size_t newEnd = Offset(lines, newPos.nEndLine, newPos.nEndCol);
        EXPECT_EQ(before.substr(oldEnd), after.substr(newEnd)) << seed;
        ExpectAreas(Parse(lines, width, height), model, after);
    }
}
