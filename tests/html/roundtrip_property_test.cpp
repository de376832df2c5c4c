// Random edits of random pages in the styles authors write (quotes of every kind or none, lower
// case with "/>", indented maps, tags over lines, template code, other maps and images around):
// every byte outside the edited tag stays, and the areas read back as edited.
#include "html/testpage.h"
#include "support/areachecks.h"
#include "html/mapwriter.h"

#include <gtest/gtest.h>

#include <random>

using namespace mapwright;
using namespace mapwright::testing;

namespace {

// An area as the reader gives it: kind, geometry and the six texts in the writer's order
// (link, target, alternate text, title, mouse-over, mouse-out).
struct CModelArea {
    char kind = 'R';
    std::vector<int> geometry;
    std::string texts[6];
    bool operator==(const CModelArea&) const = default;
};

std::vector<CModelArea> Model(const CAreaList& areas)
{
    std::vector<CModelArea> model;
    for (const auto& a : areas.Areas()) {
        auto [kind, geometry] = ShapeAndNumbers(*a);
        model.push_back({kind, std::move(geometry),
                         {a->m_strHref, a->m_strTarget, a->m_strAlt, a->m_strTitle, a->m_strStatusOver, a->m_strStatusOut}});
    }
    return model;
}

std::string Describe(const std::vector<CModelArea>& model)
{
    std::string text;
    for (const CModelArea& a : model) {
        text += a.kind;
        for (const int v : a.geometry)
            text += ' ' + std::to_string(v);
        for (const std::string& t : a.texts)
            text += '|' + t;
        text += '\n';
    }
    return text;
}

class CGenerator {
public:
    explicit CGenerator(unsigned seed) : m_rng(seed) {}

    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_rng); }
    bool Chance(int percent) { return Int(1, 100) <= percent; }
    template <class T>
    const T& Pick(const std::vector<T>& items) { return items[Int(0, static_cast<int>(items.size()) - 1)]; }

    // Quotes, brackets, escapes, attribute names, template code, blanks, non-ASCII bytes and
    // character references typed as text: whatever was typed reads back exactly.
    std::string Text()
    {
        static const std::vector<std::string> kPieces = {
            "a", "Z", "9", "\"", "'", "<", ">", "\\", "=", "&", ";", "/", ":", "-", "\xc3\xa9", "\xe5\x9c\xb0",
            "alt=", "HREF=", "target=", "status=", "window.status='", "<AREA ", "</MAP>", "&amp;", "\\'", "/>",
            "'; return true", "coords=\"1\"", " ", "\t", "<?php echo $u; ?>", "{{ x }}", "${y}", "<% z %>",
            "&lt;", "&quot;", "&#65;", "&#x263a;", "&eacute;", "&copy", "&notit;", "&#", "&amp", "?a=1&b=2"};
        std::string text;
        for (int i = Int(0, 5); i > 0; --i)
            text += Pick(kPieces);
        return text;
    }

    std::vector<int> Geometry(char kind, int width, int height)
    {
        if (kind == 'R') {
            const int x1 = Int(0, width - 1), x2 = Int(0, width - 1), y1 = Int(0, height - 1), y2 = Int(0, height - 1);
            return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
        }
        if (kind == 'C')
            return {Int(0, width - 1), Int(0, height - 1), Int(0, 2000)};
        std::vector<int> xy;
        for (int i = Int(1, 6); i > 0; --i)
            xy.insert(xy.end(), {Int(0, width - 1), Int(0, height - 1)});
        return xy;
    }

    // A page in one author's style, with a map "m" among other text.
    CLines Page(int width, int height)
    {
        const bool lower = Chance(50);
        const char quote = Pick(std::vector<char>{'"', '\'', 0});
        const std::string close = Pick(std::vector<std::string>{">", "/>", " />"});
        const std::string indent = Pick(std::vector<std::string>{"", "  ", "\t\t", "                "});
        auto name = [&](std::string n) {
            if (lower)
                std::transform(n.begin(), n.end(), n.begin(), [](char c) { return static_cast<char>(std::tolower(c)); });
            return n;
        };
        auto quoted = [&](const std::string& v) {
            const char q = quote == 0 && v.find_first_of(" \t") != std::string::npos ? '"' : quote;
            return q == 0 ? v : q + v + q;
        };
        static const std::vector<std::string> kFillers = {
            "<!-- a comment with \"quotes\" and <area shape=rect coords=\"1,1,2,2\"> -->",
            "<p>Some text \xc3\xa9 &amp; more</p>", "", "<img src=\"spacer.gif\" width=1 height=1>",
            "<map name=\"other\"><area shape=\"rect\" coords=\"1,1,2,2\" href=\"other.htm\"></map>",
            "<?php if ($user): ?><a href=\"<?= $url ?>\">me</a><?php endif; ?>",
            "<script>var s = \"<map name=x>\";</script>", "{% block nav %}"};
        CLines lines;
        for (int i = Int(0, 3); i > 0; --i)
            lines.push_back(Pick(kFillers));
        lines.push_back(indent.substr(0, indent.size() / 2) + "<" + name("MAP") + " " + name("NAME") + "=" +
                        quoted(Chance(50) ? "m" : "M") + ">");
        for (int i = Int(0, 5); i > 0; --i) {
            static const std::vector<std::vector<std::string>> kShapes = {
                {"RECT", "rect", "rectangle"}, {"CIRCLE", "circle", "circ"}, {"POLY", "poly", "polygon"}};
            const int kind = Int(0, 2);
            std::vector<int> geometry = Geometry("RCP"[kind], width, height);
            std::string coords;
            const std::string separator = Pick(std::vector<std::string>{",", ", ", " "});
            for (const int v : geometry)
                coords += (coords.empty() ? "" : separator) + std::to_string(v);
            std::vector<std::string> attributes;
            if (kind != 0 || Chance(80))
                attributes.push_back(name("SHAPE") + "=" + quoted(Pick(kShapes[kind])));
            attributes.push_back(name("COORDS") + "=" + quoted(coords));
            if (Chance(70))
                attributes.push_back(name("HREF") + "=" + quoted(Pick(std::vector<std::string>{
                                         "page.htm", "<?php echo $link ?>", "{{ url }}", "caf\xc3\xa9.htm"})));
            if (Chance(40))
                attributes.push_back(name("ALT") + "=" + quoted(Pick(std::vector<std::string>{"Home", "\xe5\x9c\xb0\xe5\x9b\xb3", "Two words"})));
            if (Chance(30))
                attributes.push_back(name("onMouseOver") + "=\"" + Pick(std::vector<std::string>{"showTip(3)", "window.status='Hi'; return true"}) + "\"");
            if (Chance(30))
                attributes.push_back(Pick(std::vector<std::string>{"id=a1", "title='t'", "nohref", "class=\"hot\""}));
            std::shuffle(attributes.begin() + 1, attributes.end(), m_rng);
            std::string tag = indent + "<" + name("AREA");
            for (const std::string& a : attributes) {
                if (Chance(15)) {
                    lines.push_back(tag);
                    tag = indent + "      " + a;
                } else {
                    tag += ' ' + a;
                }
            }
            lines.push_back(tag + close);
        }
        lines.push_back(indent.substr(0, indent.size() / 2) + "</" + name("MAP") + ">");
        for (int i = Int(0, 2); i > 0; --i)
            lines.push_back(Pick(kFillers));
        return lines;
    }

private:
    std::mt19937 m_rng;
};

std::string FormatModelCoords(const std::vector<int>& geometry)
{
    std::string coords;
    for (const int v : geometry)
        coords += (coords.empty() ? "" : ",") + std::to_string(v);
    return coords;
}

// The offset of a place in PageText(lines).
std::size_t Offset(const CLines& lines, CTextPos pos)
{
    std::size_t offset = pos.nCol;
    for (int i = 0; i < pos.nLine; ++i)
        offset += lines[i].size() + 1;
    return offset;
}

}  // namespace

TEST(RoundTripProperty, RandomEditsOfRandomPagesTouchOnlyTheEditedTag)
{
    for (unsigned seed = 1; seed <= 500; ++seed) {
        CGenerator gen(seed);
        const int width = gen.Int(1, 400), height = gen.Int(1, 400);
        CLines lines = gen.Page(width, height);
        std::vector<CModelArea> model = Model(Parse(lines, width, height));
        for (int step = 0; step < 6; ++step) {
            const CLines old = lines;
            const int action = gen.Int(0, 9);
            if (action == 0 || model.empty()) {
                const char kind = "RCP"[gen.Int(0, 2)];
                CModelArea added{kind, gen.Geometry(kind, width, height), {}};
                const std::string keyword = kind == 'R' ? "RECT" : kind == 'C' ? "CIRCLE" : "POLY";
                ASSERT_TRUE(AddAreaTag(lines, "m", keyword, FormatModelCoords(added.geometry))) << seed;
                model.push_back(added);
            } else if (action == 1) {
                const int n = gen.Int(1, static_cast<int>(model.size()));
                const CTagSpan span = FindAreaTag(old, "m", n).value();
                ASSERT_TRUE(DeleteAreaTag(lines, "m", n)) << seed;
                model.erase(model.begin() + n - 1);
                // Only the tag's own lines change.
                for (int line = 0; line < span.open.nLine; ++line)
                    ASSERT_EQ(lines[line], old[line]) << seed;
                const int tail = static_cast<int>(old.size()) - span.end.nLine - 1;
                for (int i = 1; i <= tail; ++i)
                    ASSERT_EQ(lines[lines.size() - i], old[old.size() - i]) << seed;
            } else {
                const int n = gen.Int(1, static_cast<int>(model.size()));
                CModelArea& area = model[n - 1];
                CAttributeSet which;
                for (int k = kAttrCoords; k < kAreaAttributeCount; ++k)
                    which[k] = gen.Chance(30);
                if (which[kAttrCoords])
                    area.geometry = gen.Geometry(area.kind, width, height);
                for (int k = kAttrHref; k < kAreaAttributeCount; ++k) {
                    if (which[k])
                        area.texts[k - kAttrHref] = gen.Text();
                }
                // A polygon that reads as 0,0 is written as one vertex, which is what it reads as.
                const std::string coords = FormatModelCoords(area.geometry);
                const std::string keyword = area.kind == 'R' ? "RECT" : area.kind == 'C' ? "CIRCLE" : "POLY";
                const CTagSpan before = FindAreaTag(old, "m", n).value();
                const std::optional<CTagSpan> after = RewriteAreaTag(
                    lines, "m", n, {keyword, coords, area.texts[0], area.texts[1], area.texts[2], area.texts[4], area.texts[5], area.texts[3]},
                    which);
                ASSERT_TRUE(after) << seed;
                ASSERT_EQ(FindAreaTag(lines, "m", n), after) << seed << "\n" << PageText(lines);
                const std::string oldText = PageText(old), newText = PageText(lines);
                const std::size_t start = Offset(old, before.open);
                ASSERT_EQ(newText.substr(0, start), oldText.substr(0, start)) << seed;
                ASSERT_EQ(newText.substr(Offset(lines, after->end)), oldText.substr(Offset(old, before.end))) << seed;
                if (which.none())
                    ASSERT_EQ(lines, old) << seed;
            }
            ASSERT_EQ(Describe(Model(Parse(lines, width, height))), Describe(model))
                << "seed " << seed << " step " << step << "\n" << PageText(old) << "----\n" << PageText(lines);
        }
    }
}
