// Writing areas with arbitrary texts and reading them back gives the same areas, and a rewrite
// changes no byte outside the tag it rewrites.
#include "html/testpage.h"
#include "html/mapwriter.h"

#include <gtest/gtest.h>

#include <random>

using namespace mapwright;
using namespace mapwright::testing;

namespace {

// One tag as written: its keyword, coordinates and five texts, and how it must read back.
struct CModelArea {
    std::string keyword, coords;
    std::vector<std::string> texts;  // link, alternate text, mouse-over, mouse-out, target
    std::string described;
};

class CGenerator {
public:
    explicit CGenerator(unsigned seed) : m_rng(seed) {}

    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_rng); }

    template <class T>
    const T& Pick(const std::vector<T>& items) { return items[Int(0, static_cast<int>(items.size()) - 1)]; }

    // Quotes, brackets, escapes, attribute names, blanks and non-ASCII bytes. The three entity
    // spellings are left out: they are what the other characters are written as.
    std::string Text(bool blanks)
    {
        static const std::vector<std::string> kPieces = {
            "a", "Z", "9", "\"", "'", "<", ">", "\\", "=", "&", ";", "/", ":", "-", "\xc3\xa9", "\xff",
            "alt=", "HREF=", "target=", "status=", "window.status='", "<AREA ", "</MAP>", "&amp;", "\\'",
            "'; return true", "coords=\"1\"", " ", "\t"};
        for (;;) {
            std::string text;
            for (int i = Int(0, 6); i > 0; --i) {
                const std::string& piece = Pick(kPieces);
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
        std::vector<int> geometry;
        const int kind = Int(0, 2);
        if (kind == 0) {
            const int x1 = Int(0, width - 1), x2 = Int(0, width - 1), y1 = Int(0, height - 1), y2 = Int(0, height - 1);
            geometry = {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
        } else if (kind == 1) {
            geometry = {Int(0, width - 1), Int(0, height - 1), Int(0, 2000)};
        } else {
            for (int i = Int(1, 6); i > 0; --i)
                geometry.insert(geometry.end(), {Int(0, width - 1), Int(0, height - 1)});
        }
        area.keyword = kind == 0 ? "RECT" : kind == 1 ? "CIRCLE" : "POLY";
        area.described = std::string(1, "RCP"[kind]);
        for (const int v : geometry) {
            area.coords += (area.coords.empty() ? "" : ",") + std::to_string(v);
            area.described += ' ' + std::to_string(v);
        }
        area.texts = {Text(true), Text(true), Text(true), Text(true), Text(false)};
        std::vector<std::string> texts = area.texts;
        while (!texts.empty() && texts.back().empty())
            texts.pop_back();
        for (const std::string& t : texts)
            area.described += '|' + t;
        return area;
    }

private:
    std::mt19937 m_rng;
};

bool Write(CLines& lines, int n, const CModelArea& a)
{
    const auto& t = a.texts;
    return RewriteAreaTag(lines, "m", n, t[0], t[1], a.coords, t[2], t[3], a.keyword, t[4]);
}

CDescribed Expected(const std::vector<CModelArea>& model)
{
    CDescribed described;
    for (std::size_t i = 0; i < model.size(); ++i)
        described.push_back(std::to_string(i + 1) + model[i].described);
    return described;
}

// The offset of a tag position in PageText(lines).
std::size_t Offset(const CLines& lines, int line, int col)
{
    std::size_t offset = col;
    for (int i = 0; i < line; ++i)
        offset += lines[i].size() + 1;
    return offset;
}

}  // namespace

TEST(RoundTripProperty, WrittenAreasReadBackAndRewritesTouchOnlyTheirTag)
{
    // Text around and inside the map that is not ours: comments, other maps, typed tags.
    const std::vector<std::string> fillers = {
        "<!-- a comment with \"quotes\" and 'apostrophes' -->", "<P>Some text \xc3\xa9 &amp; more</P>", "",
        "<MAP NAME=\"other\"><AREA SHAPE=RECT COORDS=\"1,1,2,2\" HREF=\"other.htm\"></MAP>",
        "<SCRIPT>var s = \"<MAP NAME=x>\";</SCRIPT>"};
    const std::vector<std::vector<std::string>> typedTags = {
        {"<area shape=rect coords=\"1,2,3,4\" href=\"x.htm\" nohref id=a>"},
        {"<AREA SHAPE=\"CIRCLE\" COORDS=\"5,5,5\" TITLE=\"alt=t\"> <!-- after -->"},
        {"<Area Shape=Poly", "  Coords=\"1,1,5,5,1,5\" data-href='h'>"},
        {"<AREA HREF=find.php?target=kids&default=1 ALT=\"Next\">"},
        {"<AREA onMouseOver=\"showTip(3)\" class=hot>"}};

    for (unsigned seed = 1; seed <= 400; ++seed) {
        CGenerator gen(seed);
        const int width = gen.Int(1, 400), height = gen.Int(1, 400);
        CLines lines;
        for (int i = gen.Int(0, 3); i > 0; --i)
            lines.push_back(gen.Pick(fillers));
        lines.push_back(gen.Int(0, 1) ? "<MAP NAME=\"m\">" : "<map name=M>");
        int typed = 0;
        for (; typed < gen.Int(0, 2); ++typed) {
            const auto& tag = gen.Pick(typedTags);
            lines.insert(lines.end(), tag.begin(), tag.end());
        }
        lines.push_back("</MAP>");
        for (int i = gen.Int(0, 3); i > 0; --i)
            lines.push_back(gen.Pick(fillers));

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
        ASSERT_EQ(Describe(Parse(lines, width, height)), Expected(model)) << seed << "\n" << PageText(lines);
        if (count == 0)
            continue;

        // One more rewrite: the text before the tag's '<' and from the next tag on stays.
        const int n = gen.Int(1, count);
        const CLines old = lines;
        const CTagPosition oldPos = FindAreaTag(old, "m", n);
        model[n - 1] = gen.Area(width, height);
        ASSERT_TRUE(Write(lines, n, model[n - 1])) << seed;
        const CTagPosition newPos = FindAreaTag(lines, "m", n);
        const std::size_t oldStart = Offset(old, oldPos.nStartLine, oldPos.nStartCol - 1);
        const std::size_t oldEnd = Offset(old, oldPos.nEndLine, oldPos.nEndCol);
        const std::size_t newEnd = Offset(lines, newPos.nEndLine, newPos.nEndCol);
        ASSERT_EQ(Offset(lines, newPos.nStartLine, newPos.nStartCol - 1), oldStart) << seed;
        EXPECT_EQ(PageText(lines).substr(0, oldStart), PageText(old).substr(0, oldStart)) << seed;
        EXPECT_EQ(PageText(lines).substr(newEnd), PageText(old).substr(oldEnd)) << seed;
        EXPECT_EQ(Describe(Parse(lines, width, height)), Expected(model)) << seed;
    }
}
