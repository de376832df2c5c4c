// Keystrokes hand the document only the lines they changed, form edits only the tag they wrote:
// the areas must end as reading the whole map leaves them, where the tags stand must stay known,
// and every undo step made must hold the text, whatever came before (form edits that moved the
// tags after theirs, a tag written without its step, undo, typing that breaks tags apart).
#include "document/mapdocument.h"
#include "html/mapreader.h"
#include "support/documentprobe.h"
#include "support/openedpage.h"
#include "support/recordingview.h"

#include <gtest/gtest.h>

#include <random>

using namespace mapwright;

namespace {

std::vector<std::string> Texts(const CAreaList& areas)
{
    std::vector<std::string> texts;
    for (const auto& a : areas.Areas())
        texts.push_back(FormatCoords(*a) + a->m_strHref + '|' + a->m_strAlt + '|' + a->m_strTitle +
                        (areas.IsSelected(*a) ? "*" : ""));
    return texts;
}

const char* const kTyped[] = {"\"", "'", ">", "<AREA ", "x", " ALT=\"b\"", "\xe9", "<!--", "-->", " "};

}  // namespace

TEST(TypedChange, AreasAndStepsEndAsAWholeReadingLeavesThem)
{
    int alone = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        CLines page = {"<IMG SRC=\"photo.gif\" USEMAP=\"#photo\">", "<MAP NAME=\"photo\">"};
        for (int n = 0; n < 12; ++n) {
            const std::string rect = "<AREA SHAPE=RECT COORDS=\"" + std::to_string(n * 10) + ",5,90,40\"";
            if (n % 4 == 1) {  // two tags on a line
                page.push_back(rect + "> <AREA SHAPE=CIRCLE COORDS=\"9,50,4\" HREF=\"c.htm\">");
            } else if (n % 4 == 3) {  // a tag over two lines
                page.insert(page.end(), {"<AREA SHAPE=RECT", "   COORDS=\"5,5,9,9\" HREF=\"p.htm\">"});
            } else {  // a reference, read otherwise once the page is not UTF-8
                page.push_back(rect + " ALT=\"caf&#233;\">");
            }
        }
        page.push_back("</MAP>");
        CMapDocument doc;
        OpenPage(doc, page);
        doc.SelectArea(*doc.AreaNumbered(3));
        CRecordingView view;
        doc.AddView(&view);
        for (int op = 0; op < 60; ++op) {
            const int stepsBefore = doc.UndoStepCount(), positionBefore = doc.UndoPosition();
            const unsigned kind = random() % 9;
            CMapArea* area = doc.AreaNumbered(1 + static_cast<int>(random() % std::max(1, doc.AreaCount())));
            if (kind < 5) {
                const CLines& lines = doc.Lines();
                const std::size_t at = random() % lines.size();
                std::string line = lines[at];
                line.insert(random() % (line.size() + 1), kTyped[random() % std::size(kTyped)]);
                CLineChange change{at, 1, 1};
                CLines newLines = {line};
                if (kind == 3 && at + 1 < lines.size()) {  // joined with the next line
                    change = {at, 2, 1};
                    newLines = {lines[at] + lines[at + 1]};
                } else if (kind == 4) {  // split
                    const std::size_t cut = random() % (lines[at].size() + 1);
                    change = {at, 1, 2};
                    newLines = {lines[at].substr(0, cut), lines[at].substr(cut)};
                }
                ASSERT_TRUE(doc.ApplyTypedChange(change, newLines, nullptr));
                if (const int tag = view.m_updates.back().notice.nTag) {
                    ++alone;
                    // The tag named stands on the changed lines.
                    const std::optional<CTagSpan> span = FindAreaTag(doc.Lines(), "PHOTO", tag);
                    ASSERT_TRUE(span && std::size_t(span->open.nLine) < at + change.nNewCount &&
                                std::size_t(span->end.nLine) >= at);
                }
            } else if (kind < 7 && area) {
                area->m_strAlt = random() % 2 ? "a \"quoted\" > b" : "";
                doc.AreaChanged(*area, EEditSource::kForm, nullptr);
            } else if (kind == 7 && area) {
                area->m_strTitle = "t";
                doc.WriteAreaTag(*area);
                if (random() % 2)
                    doc.PushUndoStep(doc.Lines());
                else
                    doc.ReplaceLines(doc.Lines());  // read back, no step
            } else {
                doc.OnEditUndo();
            }
            const std::string where = "seed " + std::to_string(seed) + ", operation " + std::to_string(op);
            CAreaList whole;
            std::optional<CMapLayout> layout;
            ParseMap(doc.Lines(), "PHOTO", 320, 200, doc.GetSelectedIndex(), whole, layout);
            ASSERT_EQ(Texts(doc), Texts(whole)) << where;
            if (const std::optional<CMapLayout>& kept = CMapDocumentProbe::Layout(doc))
                ASSERT_TRUE(layout && kept->tags == layout->tags && kept->end == layout->end) << where;
            if (doc.UndoStepCount() != stepsBefore || doc.UndoPosition() != positionBefore)
                ASSERT_EQ(doc.CurrentStep()->m_lines.ToLines(), doc.Lines()) << where;
        }
        doc.RemoveView(&view);
    }
    EXPECT_GT(alone, 200);
}

TEST(TypedChange, AKeystrokeAfterAFormEditReadsItsTagAlone)
{
    CMapDocument doc;
    OpenPage(doc);
    CRecordingView view;
    doc.AddView(&view);
    CMapArea& first = *doc.AreaNumbered(1);
    first.m_strAlt = "a longer text";
    ASSERT_TRUE(doc.AreaChanged(first, EEditSource::kForm, nullptr));
    std::string line = doc.Lines()[4];  // "x" typed into the link of area 2
    line.insert(line.find(".htm"), "x");
    ASSERT_TRUE(doc.ApplyTypedChange({4, 1, 1}, {line}, nullptr));
    EXPECT_EQ(view.m_updates.back().notice.nTag, 2);
    EXPECT_EQ(doc.AreaNumbered(2)->m_strHref, "twox.htm");
    doc.RemoveView(&view);
}
