#include "document/mapdocument.h"
#include "support/areachecks.h"
#include "support/openedpage.h"
#include "support/recordingview.h"

#include <gtest/gtest.h>

using namespace mapwright;

namespace {

// A form edit of the link of the first rectangle, as the form makes it.
void EditFirstLink(CMapDocument& doc, const std::string& href, CView* form = nullptr)
{
    CRectArea& area = *Rects(doc).at(0);
    area.m_strHref = href;
    ASSERT_TRUE(doc.AreaChanged(area, EEditSource::kForm, form));
}

std::string FirstLink(CMapDocument& doc)
{
    return Rects(doc).at(0)->m_strHref;
}

}  // namespace

TEST(UndoHistory, OpenedDocumentHasNothingToUndoOrRedo)
{
    CMapDocument doc;
    EXPECT_FALSE(doc.OnUpdateEditUndo().bEnabled);
    EXPECT_FALSE(doc.OnUpdateEditRedo().bEnabled);
    OpenPage(doc);
    EXPECT_EQ(doc.UndoPosition(), 1);
    EXPECT_FALSE(doc.OnUpdateEditUndo().bEnabled);
    EXPECT_FALSE(doc.OnUpdateEditRedo().bEnabled);

    CRecordingView view;
    doc.AddView(&view);
    doc.OnEditUndo();
    doc.OnEditRedo();
    EXPECT_TRUE(view.m_updates.empty());
    EXPECT_EQ(doc.m_lines, kThreeAreaPage);
}

TEST(UndoHistory, NewEditAfterUndoDropsTheRedoTail)
{
    CMapDocument doc;
    OpenPage(doc);
    EditFirstLink(doc, "a.htm");
    EditFirstLink(doc, "b.htm");
    doc.OnEditUndo();
    EXPECT_EQ(FirstLink(doc), "a.htm");
    EXPECT_TRUE(doc.OnUpdateEditRedo().bEnabled);

    EditFirstLink(doc, "c.htm");
    EXPECT_EQ(doc.UndoStepCount(), 3);
    EXPECT_EQ(doc.CurrentStep(), &doc.UndoStepAt(doc.UndoStepCount() - 1));
    EXPECT_FALSE(doc.OnUpdateEditRedo().bEnabled);
    doc.OnEditRedo();
    EXPECT_EQ(FirstLink(doc), "c.htm");

    doc.OnEditUndo();
    EXPECT_EQ(FirstLink(doc), "a.htm");
    doc.OnEditUndo();
    EXPECT_EQ(doc.m_lines, kThreeAreaPage);
    EXPECT_FALSE(doc.OnUpdateEditUndo().bEnabled);
    doc.OnEditRedo();
    doc.OnEditRedo();
    EXPECT_EQ(FirstLink(doc), "c.htm");
    EXPECT_EQ(Rects(doc).size(), 2u);
    EXPECT_EQ(Circles(doc).size(), 1u);
}

TEST(UndoHistory, UndoBackToTheSavedStateShowsClean)
{
    CMapDocument doc;
    OpenPage(doc);
    EditFirstLink(doc, "a.htm");
    EditFirstLink(doc, "b.htm");
    // Saving clears the flag and the current step takes it.
    doc.SetModifiedFlag(false);
    doc.SetStepModified(doc.IsModified());
    EditFirstLink(doc, "c.htm");
    EXPECT_TRUE(doc.IsModified());

    doc.OnEditUndo();
    EXPECT_EQ(FirstLink(doc), "b.htm");
    EXPECT_FALSE(doc.IsModified());
    doc.OnEditUndo();
    EXPECT_EQ(FirstLink(doc), "a.htm");
    EXPECT_TRUE(doc.IsModified());
    doc.OnEditUndo();
    EXPECT_FALSE(doc.IsModified());  // as opened
    doc.OnEditRedo();
    doc.OnEditRedo();
    doc.OnEditRedo();
    EXPECT_TRUE(doc.IsModified());
}

TEST(UndoHistory, FormEditSkipsTheCanvasButItsUndoRedrawsEverything)
{
    CMapDocument doc;
    int tabRefreshes = 0;
    doc.SetTabBarRefresh([&] { ++tabRefreshes; });
    CRecordingView form, canvas, text(true);
    doc.AddView(&form);
    doc.AddView(&canvas);
    doc.AddView(&text);
    OpenPage(doc);

    text.m_nCaret = 5;
    EditFirstLink(doc, "new.htm", &form);
    EXPECT_EQ(doc.m_lines[3], "<AREA SHAPE=RECT COORDS=\"10,10,50,50\" HREF=\"new.htm\">");
    EXPECT_TRUE(form.m_updates.empty());
    ASSERT_EQ(canvas.m_updates.size(), 1u);
    EXPECT_EQ(canvas.m_updates[0].sender, &form);
    EXPECT_EQ(canvas.m_updates[0].changeOrigin, kOriginForm);
    EXPECT_FALSE(CRecordingView::WouldRedrawCanvas(canvas.m_updates[0]));
    EXPECT_EQ(doc.m_nChangeOrigin, kOriginNone);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(tabRefreshes, 1);

    // A form edit made while the text pane announces its change is marked 13.
    text.m_nCaret = 9;
    doc.m_nChangeOrigin = kOriginText;
    EditFirstLink(doc, "newer.htm", &form);
    EXPECT_EQ(canvas.m_updates.back().changeOrigin, kOriginFormDuringText);
    EXPECT_FALSE(CRecordingView::WouldRedrawCanvas(canvas.m_updates.back()));
    EXPECT_EQ(doc.m_nChangeOrigin, kOriginNone);

    text.m_nCaret = 77;
    doc.OnEditUndo();
    EXPECT_EQ(text.m_nCaret, 5);
    ASSERT_EQ(form.m_updates.size(), 1u);
    EXPECT_EQ(form.m_updates[0].sender, nullptr);
    EXPECT_TRUE(CRecordingView::WouldRedrawCanvas(canvas.m_updates.back()));
    EXPECT_EQ(canvas.m_updates.back().restoring, 1);
    EXPECT_EQ(doc.m_bRestoring, 0);
    EXPECT_EQ(FirstLink(doc), "new.htm");
    EXPECT_EQ(tabRefreshes, 3);

    doc.OnEditUndo();
    EXPECT_EQ(text.m_nCaret, 0);  // the caret when the page was opened
    doc.OnEditRedo();
    doc.OnEditRedo();
    EXPECT_EQ(text.m_nCaret, 9);
    EXPECT_EQ(text.m_nCaretsSet, 4);
    EXPECT_EQ(FirstLink(doc), "newer.htm");
}

TEST(UndoHistory, TypedTextIsAnnouncedToTheOtherViewsAndRecorded)
{
    CMapDocument doc;
    CRecordingView canvas, text(true);
    doc.AddView(&canvas);
    doc.AddView(&text);
    OpenPage(doc);

    doc.m_lines[5] = "<AREA SHAPE=POLY COORDS=\"1,1,9,1,5,8\">";
    doc.ParseMap();
    doc.TextEdited(&text);
    EXPECT_TRUE(text.m_updates.empty());
    ASSERT_EQ(canvas.m_updates.size(), 1u);
    EXPECT_EQ(canvas.m_updates[0].changeOrigin, kOriginText);
    EXPECT_EQ(doc.m_nChangeOrigin, kOriginNone);
    EXPECT_EQ(Polys(doc).size(), 1u);

    doc.OnEditUndo();
    EXPECT_EQ(doc.m_lines, kThreeAreaPage);
    EXPECT_EQ(Polys(doc).size(), 0u);
    ASSERT_EQ(text.m_updates.size(), 1u);
    EXPECT_EQ(text.m_updates[0].changeOrigin, kOriginNone);
}
