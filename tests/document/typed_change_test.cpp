// Keystrokes in the text pane hand the document only the lines they changed: the areas must end
// as reading the whole map would leave them, whatever came before (form edits that moved the
// tags after theirs, undo, typing that breaks tags apart), and every undo step holds its text.
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
    for (const auto& area : areas.Areas()) {
        std::string text = std::to_string(area->m_nIndex) + ' ' + FormatCoords(*area);
        for (const std::string* t : {&area->m_strHref, &area->m_strAlt, &area->m_strStatusOver, &area->m_strStatusOut,
                                     &area->m_strTarget, &area->m_strTitle})
            text += '|' + *t;
        texts.push_back(text + (areas.IsSelected(*area) ? " selected" : ""));
    }
    return texts;
}

const char* const kTyped[] = {"\"", "'", ">", "<AREA ", "x", " ALT=\"b\"", "\xe9", "<!--", "-->", " "};

}  // namespace

TEST(TypedChange, AreasEndAsAWholeReadingLeavesThem)
{
    int alone = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        CMapDocument doc;
        CLines page = {"<html><body>", "<IMG SRC=\"photo.gif\" USEMAP=\"#photo\">", "<MAP NAME=\"photo\">"};
        for (int n = 0; n < 12; ++n) {
            const std::string coords = std::to_string(n * 10) + ",5," + std::to_string(n * 10 + 8) + ",40";
            if (n % 4 == 1) {  // two tags on a line
                page.push_back("<AREA SHAPE=RECT COORDS=\"" + coords + "\"> <AREA SHAPE=CIRCLE COORDS=\"" +
                               std::to_string(n * 10) + ",50,4\" HREF=\"c" + std::to_string(n) + ".htm\">");
            } else if (n % 4 == 3) {  // a tag over two lines
                page.push_back("<AREA SHAPE=RECT");
                page.push_back("   COORDS=\"" + coords + "\" HREF=\"p" + std::to_string(n) + ".htm\">");
            } else {
                page.push_back("<AREA SHAPE=RECT COORDS=\"" + coords + "\" ALT=\"caf&#233; " + std::to_string(n) + "\">");
            }
        }
        page.insert(page.end(), {"</MAP>", "</body></html>"});
        OpenPage(doc, page);
        doc.SelectArea(*doc.AreaNumbered(3));
        CRecordingView view;
        doc.AddView(&view);
        for (int op = 0; op < 50; ++op) {
            const int stepsBefore = doc.UndoStepCount();
            const int positionBefore = doc.UndoPosition();
            const unsigned kind = random() % 8;
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
                view.m_updates.clear();
                ASSERT_TRUE(doc.ApplyTypedChange(change, newLines, nullptr));
                ASSERT_FALSE(view.m_updates.empty());
                const int tag = view.m_updates.back().notice.nTag;
                if (tag != 0) {
                    ++alone;
                    // The tag named is the one that stands on the changed lines.
                    const std::optional<CTagSpan> span = FindAreaTag(doc.Lines(), "PHOTO", tag);
                    ASSERT_TRUE(span);
                    EXPECT_LE(static_cast<std::size_t>(span->open.nLine), at + change.nNewCount - 1);
                    EXPECT_GE(static_cast<std::size_t>(span->end.nLine), at);
                }
            } else if (kind < 7) {
                const int n = 1 + static_cast<int>(random() % std::max(1, doc.AreaCount()));
                if (CMapArea* area = doc.AreaNumbered(n)) {
                    area->m_strAlt = random() % 2 ? "a \"quoted\" > b" : "";
                    doc.AreaChanged(*area, EEditSource::kForm, nullptr);
                }
            } else {
                doc.OnEditUndo();
            }
            CAreaList whole;
            std::optional<CMapLayout> layout;
            ParseMap(doc.Lines(), "PHOTO", 320, 200, doc.GetSelectedIndex(), whole, layout);
            ASSERT_EQ(Texts(doc), Texts(whole)) << "seed " << seed << ", operation " << op;
            // What the next keystroke relies on: where the tags stand.
            if (const std::optional<CMapLayout>& kept = CMapDocumentProbe::Layout(doc)) {
                ASSERT_TRUE(layout);
                ASSERT_EQ(kept->tags, layout->tags) << "seed " << seed << ", operation " << op;
                ASSERT_EQ(kept->end, layout->end);
            }
            if (doc.UndoStepCount() != stepsBefore || doc.UndoPosition() != positionBefore)
                ASSERT_EQ(doc.CurrentStep()->m_lines.ToLines(), doc.Lines()) << "seed " << seed << ", operation " << op;
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

    // "x" typed into the link of area 2, on the line after the rewritten tag.
    std::string line = doc.Lines()[4];
    line.insert(line.find(".htm"), "x");
    ASSERT_TRUE(doc.ApplyTypedChange({4, 1, 1}, {line}, nullptr));
    EXPECT_EQ(view.m_updates.back().notice.kind, EChangeKind::kTextTyped);
    EXPECT_EQ(view.m_updates.back().notice.nTag, 2);
    EXPECT_EQ(doc.AreaNumbered(2)->m_strHref, "twox.htm");
    EXPECT_EQ(doc.CurrentStep()->m_lines.ToLines(), doc.Lines());
    doc.RemoveView(&view);
}
