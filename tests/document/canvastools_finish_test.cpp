// Gestures ended from outside: finished on demand, so a pasted or deleted area never meets one
// that is half drawn (numbered, without a tag) or half moved (its tag not yet rewritten); and
// ended by a scripted grab, which must not touch an area that the ending destroyed.
#include "canvasfixture.h"
#include "support/areachecks.h"
#include "support/documentprobe.h"

#include "document/areaclipboard.h"

using namespace mapwright;
using mapwright::testing::Describe;

namespace {

// The areas equal what the text reads as.
::testing::AssertionResult InStep(const CMapDocument& doc)
{
    CAreaList parsed;
    ParseMap(doc.Lines(), doc.Page().strMapName, doc.Picture().Width(), doc.Picture().Height(), parsed);
    if (Describe(doc) == Describe(parsed))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the areas differ from the text";
}

}  // namespace

TEST_F(CanvasTools, AreaCommandsFinishTheGestureTheyInterrupt)
{
    CAreaClipboard& clipboard = CAreaClipboard::Instance();
    clipboard.Clear();

    // A move: the moved rectangle's tag is rewritten before the paste adds area 4.
    Press(30, 30);
    Move(40, 30);
    clipboard.CopyArea(m_doc);
    m_tools.FinishGesture();
    ASSERT_TRUE(clipboard.PasteArea(m_doc, 0, 0));
    EXPECT_EQ(AreaLines()[0], "<AREA SHAPE=RECT COORDS=\"20,10,60,50\" HREF=\"one.htm\">");
    EXPECT_EQ(AreaLines()[3], "<AREA SHAPE=RECT COORDS=\"0,0,40,40\" HREF=\"one.htm\">");
    EXPECT_EQ(m_tools.DragState(), EDragState::kIdle);
    EXPECT_FALSE(m_host.HasCapture());
    EXPECT_TRUE(InStep(m_doc));

    // A new rectangle: its tag comes first, so the pasted area is number 6 in the text too.
    m_doc.OnToolRect();
    Press(100, 150);
    Move(130, 170);
    m_tools.FinishGesture();
    ASSERT_TRUE(clipboard.PasteArea(m_doc, 0, 0));
    EXPECT_EQ(AreaLines()[4], "<AREA SHAPE=RECT COORDS=\"100,150,130,170\">");
    EXPECT_EQ(m_doc.AreaCount(), 6);
    EXPECT_TRUE(InStep(m_doc));

    // A polygon being drawn is finished as the right button would; then deleting it takes its
    // own tag, not the last one in the text.
    m_doc.OnToolPoly();
    Press(20, 120);
    Move(60, 120);
    Press(60, 120);
    Move(80, 180);
    m_tools.FinishGesture();
    EXPECT_EQ(AreaLines().back(), "<AREA SHAPE=POLY COORDS=\"20,120,60,120\">");
    EXPECT_EQ(m_host.StatusText(), "");
    ASSERT_TRUE(m_doc.DeleteSelectedAreas(nullptr));
    EXPECT_EQ(AreaLines().size(), 6u);
    EXPECT_EQ(AreaLines().back(), "<AREA SHAPE=RECT COORDS=\"0,0,40,40\" HREF=\"one.htm\">");
    EXPECT_TRUE(InStep(m_doc));

    // Without a gesture it changes nothing.
    const CLines before = m_doc.Lines();
    const int steps = UndoSteps();
    m_tools.FinishGesture();
    EXPECT_EQ(m_doc.Lines(), before);
    EXPECT_EQ(UndoSteps(), steps);
    clipboard.Clear();
}

TEST_F(CanvasTools, AGrabThatEndsAGestureGrabsTheAreaTheEndingKept)
{
    m_doc.OnToolPoly();
    Press(20, 120);
    Move(60, 120);
    Press(60, 120);
    m_doc.OnToolSelect();  // from the menu: the polygon is finished at the next event

    // The new tag reads back as written, so the rectangle named here is still the document's.
    const auto generation = m_doc.AreaGeneration();
    CRectArea& rect = *Rects(m_doc)[0];
    EXPECT_TRUE(m_tools.GrabArea({30, 30}, rect));
    EXPECT_EQ(m_doc.AreaGeneration(), generation);
    EXPECT_EQ(AreaLines().back(), "<AREA SHAPE=POLY COORDS=\"20,120,60,120\">");
    Move(40, 30);
    Release(40, 30);
    EXPECT_EQ(AreaLines()[0], "<AREA SHAPE=RECT COORDS=\"20,10,60,50\" HREF=\"one.htm\">");
    EXPECT_TRUE(InStep(m_doc));
}

TEST_F(CanvasTools, AGrabThatEndsAGestureGrabsNothingWhenTheEndingReplacedTheAreas)
{
    m_doc.OnToolPoly();
    Press(20, 120);
    Move(60, 120);
    Press(60, 120);
    m_doc.OnToolSelect();
    // A tag the lists do not know of: the finished polygon's tag then reads back as one area more,
    // so the lists are made anew and the rectangle named below is gone.
    CLines lines = m_doc.Lines();
    lines.insert(lines.end() - 2, "<AREA SHAPE=CIRCLE COORDS=\"5,5,5\">");
    CMapDocumentProbe::ReplaceLinesUnread(m_doc, std::move(lines));
    const auto generation = m_doc.AreaGeneration();

    EXPECT_FALSE(m_tools.GrabArea({30, 30}, *Rects(m_doc)[0]));
    EXPECT_NE(m_doc.AreaGeneration(), generation);
    EXPECT_EQ(m_tools.DragState(), EDragState::kIdle);
    EXPECT_EQ(m_doc.AreaCount(), 5);
    EXPECT_TRUE(InStep(m_doc));
}
