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
    EXPECT_EQ(doc.Lines(), kThreeAreaPage);
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
    EXPECT_EQ(doc.Lines(), kThreeAreaPage);
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
    EXPECT_EQ(doc.Lines()[3], "<AREA SHAPE=RECT COORDS=\"10,10,50,50\" HREF=\"new.htm\">");
    EXPECT_TRUE(form.m_updates.empty());
    ASSERT_EQ(canvas.m_updates.size(), 1u);
    EXPECT_EQ(canvas.m_updates[0].sender, &form);
    EXPECT_EQ(canvas.m_updates[0].notice.cause, EChangeCause::kForm);
    EXPECT_EQ(canvas.m_updates[0].notice.kind, EChangeKind::kAreaTag);
    EXPECT_EQ(canvas.m_updates[0].notice.nTag, 1);
    EXPECT_FALSE(CRecordingView::WouldRedrawCanvas(canvas.m_updates[0]));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(tabRefreshes, 1);

    text.m_nCaret = 9;
    EditFirstLink(doc, "newer.htm", &form);
    EXPECT_FALSE(canvas.m_updates.back().notice.bDuringTyping);

    text.m_nCaret = 77;
    doc.OnEditUndo();
    EXPECT_EQ(text.m_nCaret, 5);
    ASSERT_EQ(form.m_updates.size(), 1u);
    EXPECT_EQ(form.m_updates[0].sender, nullptr);
    EXPECT_TRUE(CRecordingView::WouldRedrawCanvas(canvas.m_updates.back()));
    EXPECT_EQ(canvas.m_updates.back().notice.cause, EChangeCause::kUndo);
    EXPECT_EQ(canvas.m_updates.back().notice.kind, EChangeKind::kEverything);
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

    SetLine(doc, 5, "<AREA SHAPE=POLY COORDS=\"1,1,9,1,5,8\">");
    doc.ParseMap();
    doc.TextEdited(&text);
    EXPECT_TRUE(text.m_updates.empty());
    ASSERT_EQ(canvas.m_updates.size(), 1u);
    EXPECT_EQ(canvas.m_updates[0].notice.kind, EChangeKind::kTextTyped);
    EXPECT_EQ(Polys(doc).size(), 1u);

    doc.OnEditUndo();
    EXPECT_EQ(doc.Lines(), kThreeAreaPage);
    EXPECT_EQ(Polys(doc).size(), 0u);
    ASSERT_EQ(text.m_updates.size(), 1u);
    EXPECT_EQ(text.m_updates[0].notice.cause, EChangeCause::kUndo);
}

TEST(UndoHistory, AFormEditWhileTypingIsAnnouncedIsMarkedSoThatTheTextPaneKeepsItsText)
{
    CMapDocument doc;
    CRecordingView form, canvas, text(true);
    doc.AddView(&form);
    doc.AddView(&canvas);
    doc.AddView(&text);
    OpenPage(doc);

    // The form, told of the typing, writes a value back (as an echo that reads otherwise would).
    form.m_onUpdate = [&] { EditFirstLink(doc, "echo.htm", &form); };
    SetLine(doc, 5, "<AREA SHAPE=POLY COORDS=\"1,1,9,1,5,8\">");
    doc.ParseMap();
    doc.TextEdited(&text);

    ASSERT_EQ(text.m_updates.size(), 1u);
    EXPECT_EQ(text.m_updates[0].sender, &form);
    EXPECT_TRUE(text.m_updates[0].notice.bDuringTyping);
    ASSERT_EQ(canvas.m_updates.size(), 2u);
    EXPECT_TRUE(canvas.m_updates[0].notice.bDuringTyping);
    EXPECT_EQ(canvas.m_updates[1].notice.kind, EChangeKind::kTextTyped);
    EXPECT_FALSE(canvas.m_updates[1].notice.bDuringTyping);

    // Once the typing is announced, a form edit is an edit of its own again.
    EditFirstLink(doc, "later.htm", &form);
    EXPECT_FALSE(text.m_updates.back().notice.bDuringTyping);
    EXPECT_EQ(FirstLink(doc), "later.htm");
}
