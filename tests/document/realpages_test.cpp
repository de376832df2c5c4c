// Pages in the styles sites publish (XHTML, templates, spacer images, an image tag over lines,
// indented maps, other maps first, non-ASCII texts) open with their areas, and each kind of edit
// changes only the bytes it must.
#include "document/imagechoice.h"
#include "support/areachecks.h"
#include "document/mapdocument.h"
#include "html/fileops.h"
#include "html/mapblock.h"
#include "html/pathrules.h"
#include "html/testpage.h"
#include "image/picturewriter.h"
#include "support/scriptedprompt.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

using namespace mapwright;
using namespace mapwright::testing;
namespace fs = std::filesystem;

namespace {

struct CRealPage {
    const char* file;
    const char* image;
    const char* map;
    CDescribed areas;
};

const std::vector<CRealPage> kPages = {
    {"xhtml-states.htm", "states.gif", "USMAP",
     {"1P 10 10 40 12 38 30 12 28|states/wa.html|Washington", "2P 50 20 70 22 66 40|states/or.html|Oregon",
      "3R 80 50 110 75|states/ca.html|California"}},
    {"php-navbar.php", "nav.gif", "NAV",
     {"1R 0 0 40 20|<?php echo $base; ?>/index.php|Home|showTip(3)", "2R 40 0 80 20|<?= $base ?>/news.php|News|News",
      "3R 80 0 119 20|<?= $base ?>/account.php|<?= htmlspecialchars($user) ?>"}},
    {"workmap-two-lines.htm", "workplace.gif", "WORKMAP",
     {"1R 34 44 70 72|computer.htm|Computer", "2C 90 58 3|coffee.htm|Cup", "3C 100 20 15|phone.htm|Phone|||_blank"}},
    {"aspnet-banner.aspx", "banner.gif", "CONTACT",
     {"1C 30 40 20|<%= ResolveUrl(\"~/mail.aspx\") %>|Mail", "2R 60 10 110 70|tel:+15550100|Call|||_top"}},
    {"jinja-footer.html", "footer.gif", "FOOTER",
     {"1R 0 0 40 30|{{ url_for('about') }}|About", "2R 40 0 80 30|${contactUrl}|Contact {{ name }}"}},
    {"tokyo.htm", "tokyo.gif", "TOKYO",
     {"1P 10 10 50 10 30 40|shinjuku.html|\xe6\x96\xb0\xe5\xae\xbf", "2R 60 10 100 50|shibuya.html|\xe6\xb8\x8b\xe8\xb0\xb7"}},
};

// The tag text of area n with the value of attribute upperName cut out, to compare what else changed.
std::string TagWithout(const CLines& lines, std::string_view map, int n, std::string_view upperName)
{
    std::string rest;
    WalkAreaTags(lines, map, [&](int number, const CStartTag& tag) {
        if (number < n)
            return true;
        const std::string_view text = tag.Text();
        const CTagAttribute* attribute = tag.Find(upperName);
        rest = attribute ? std::string(text.substr(0, attribute->nValueStart)) + std::string(text.substr(attribute->nValueEnd))
                         : std::string(text);
        return false;
    });
    return rest;
}

// The lines outside tag n: before its '<' and after its '>'.
std::pair<std::string, std::string> AroundTag(const CLines& lines, std::string_view map, int n)
{
    const CTagSpan span = FindMapBlock(lines, map) ? FindAreaTag(lines, map, n).value() : CTagSpan{};
    const std::string text = PageText(lines);
    auto offset = [&](CTextPos pos) {
        std::size_t at = pos.nCol;
        for (int i = 0; i < pos.nLine; ++i)
            at += lines[i].size() + 1;
        return at;
    };
    return {text.substr(0, offset(span.open)), text.substr(offset(span.end))};
}

}  // namespace

TEST(RealPages, OpenAndTakeEditsChangingOnlyTheEditedAttribute)
{
    const fs::path dir = fs::temp_directory_path() / ("mapwright-realpages-" + std::to_string(::getpid()));
    for (const CRealPage& page : kPages) {
        fs::remove_all(dir);
        fs::create_directories(dir);
        const fs::path source = fs::path(MAPWRIGHT_SOURCE_DIR) / "tests/data/pages" / page.file;
        fs::copy_file(source, dir / page.file);
        ASSERT_TRUE(picturewriter::WritePlainGif((dir / page.image).string(), 120, 80, {0, 0, 200}));

        CScriptedPrompt prompt;
        CMapDocument doc;
        doc.SetPrompt(&prompt);
        ASSERT_TRUE(doc.OnOpenDocument((dir / page.file).string())) << page.file;
        EXPECT_EQ(FileNameOf(doc.Page().strImagePath), page.image);
        EXPECT_EQ(doc.Page().strMapName, page.map);
        EXPECT_EQ(Describe(doc), page.areas) << page.file;
        const std::string_view map = doc.Page().strMapName;

        // A move changes COORDS and nothing else of the page.
        CLines before = doc.Lines();
        CMapArea* first = nullptr;
        if (!Rects(doc).empty() && Rects(doc)[0]->m_nIndex == 1) {
            Rects(doc)[0]->MoveBy(1, 1, 120, 80);
            Rects(doc)[0]->BuildHandles();
            ASSERT_TRUE(doc.AreaChanged(*Rects(doc)[0], EEditSource::kCanvas, nullptr));
            first = Rects(doc)[0];
        } else if (!Circles(doc).empty() && Circles(doc)[0]->m_nIndex == 1) {
            Circles(doc)[0]->MoveBy(1, 1, 120, 80);
            ASSERT_TRUE(doc.AreaChanged(*Circles(doc)[0], EEditSource::kCanvas, nullptr));
            first = Circles(doc)[0];
        } else {
            Polys(doc)[0]->MoveBy(1, 1, 120, 80);
            ASSERT_TRUE(doc.AreaChanged(*Polys(doc)[0], EEditSource::kCanvas, nullptr));
            first = Polys(doc)[0];
        }
        EXPECT_NE(doc.Lines(), before) << page.file;
        EXPECT_EQ(AroundTag(doc.Lines(), map, 1), AroundTag(before, map, 1)) << page.file;
        EXPECT_EQ(TagWithout(doc.Lines(), map, 1, "COORDS"), TagWithout(before, map, 1, "COORDS")) << page.file;
        EXPECT_EQ(first->m_nIndex, 1);

        // A form edit of the link changes HREF alone, in the page's own quoting.
        before = doc.Lines();
        CRectArea& last = *Rects(doc).back();
        last.m_strHref = "new page.htm";
        ASSERT_TRUE(doc.AreaChanged(last, EEditSource::kForm, nullptr));
        EXPECT_EQ(AroundTag(doc.Lines(), map, last.m_nIndex), AroundTag(before, map, last.m_nIndex)) << page.file;
        EXPECT_EQ(TagWithout(doc.Lines(), map, last.m_nIndex, "HREF"), TagWithout(before, map, last.m_nIndex, "HREF"))
            << page.file;

        // A drawn area gets a line of its own before the map's end, indented as the tag before it.
        before = doc.Lines();
        auto drawn = std::make_unique<CRectArea>();
        drawn->left = 5, drawn->top = 6, drawn->right = 7, drawn->bottom = 8;
        drawn->BuildHandles();
        ASSERT_TRUE(doc.AreaDrawn(doc.AppendNewArea(std::move(drawn)), nullptr));
        const CTagSpan lastTag = FindAreaTag(before, map, static_cast<int>(page.areas.size())).value();
        const std::string& lastLine = before[lastTag.open.nLine];
        const std::string indent = lastLine.substr(0, lastLine.find('<'));
        const int added = FindAreaTag(doc.Lines(), map, doc.AreaCount()).value().open.nLine;
        EXPECT_EQ(doc.Lines()[added], indent + "<AREA SHAPE=RECT COORDS=\"5,6,7,8\">") << page.file;
        CLines without = doc.Lines();
        without.erase(without.begin() + added);
        EXPECT_EQ(without, before) << page.file;
        EXPECT_EQ(Describe(doc).size(), page.areas.size() + 1);
        EXPECT_TRUE(prompt.m_messages.empty()) << page.file;
    }
    fs::remove_all(dir);
}
