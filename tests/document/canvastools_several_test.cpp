// Several areas at once on the canvas: Ctrl and Shift clicks, the rubber band, and a drag, the
// Delete key and the area clipboard that take every selected area along.
#include "canvasfixture.h"
#include "document/areaclipboard.h"
#include "support/areachecks.h"

using namespace mapwright;

namespace {

constexpr auto kToggle = ESelectModifier::kToggle;
constexpr auto kAdd = ESelectModifier::kAdd;

}  // namespace

TEST_F(CanvasTools, CtrlTogglesShiftAddsAndAPlainClickOnOneOfSeveralSelectsItAlone)
{
    struct CStep {
        int x, y;
        ESelectModifier modifier;
        std::vector<int> selected;
    };
    // Rectangle 1 around (30, 30), circle 2 around (100, 100), rectangle 3 around (250, 55).
    const CStep steps[] = {
        {30, 30, ESelectModifier::kNone, {1}}, {100, 100, kToggle, {1, 2}}, {250, 55, kAdd, {1, 2, 3}},
        {100, 100, kToggle, {1, 3}},           {100, 100, kAdd, {1, 2, 3}}, {100, 100, kAdd, {1, 2, 3}},
        {5, 190, kToggle, {1, 2, 3}},  // on no area: a band may start, the selection stays
        {250, 55, ESelectModifier::kNone, {3}},
    };
    for (const CStep& step : steps) {
        Press(step.x, step.y, step.modifier);
        Release(step.x, step.y);
        EXPECT_EQ(m_doc.SelectedNumbers(), step.selected) << step.x << "," << step.y;
    }
    EXPECT_EQ(UndoSteps(), 1);
}

TEST_F(CanvasTools, ABandFromNoAreaSelectsTheAreasWhollyInsideAndCtrlAddsThem)
{
    Drag({5, 5}, {130, 130});  // holds rectangle 1 and circle 2 (80..120), not rectangle 3
    EXPECT_EQ(m_doc.SelectedNumbers(), (std::vector<int>{1, 2}));
    EXPECT_EQ(UndoSteps(), 1);

    Press(5, 5);
    Move(60, 60);
    EXPECT_EQ(m_tools.DragState(), EDragState::kRubberBand);
    ASSERT_TRUE(m_tools.RubberBand());
    EXPECT_EQ(*m_tools.RubberBand(), (CClientRect{5, 5, 60, 60}));
    Release(60, 60);  // rectangle 1 only; the circle reaches beyond
    EXPECT_EQ(m_doc.SelectedNumbers(), (std::vector<int>{1}));

    Press(190, 10, kToggle);
    Move(310, 100);
    Release(310, 100);
    EXPECT_EQ(m_doc.SelectedNumbers(), (std::vector<int>{1, 3}));
    EXPECT_FALSE(m_tools.RubberBand());
}

TEST_F(CanvasTools, ADragMovesEverySelectedAreaTogetherInsideThePictureAsOneStep)
{
    m_doc.SelectAll();
    Press(30, 30);  // in rectangle 1
    Move(60, 100);
    Release(60, 100);
    // 70 down fits every area; of 30 right only 19 do, as far as rectangle 3 can go (300 to 319).
    EXPECT_EQ(AreaLines(), (CLines{"<AREA SHAPE=RECT COORDS=\"29,80,69,120\" HREF=\"one.htm\">",
                                   "<AREA SHAPE=CIRCLE COORDS=\"119,170,20\" HREF=\"two.htm\">",
                                   "<AREA SHAPE=RECT COORDS=\"219,90,319,160\" HREF=\"three.htm\">"}));
    EXPECT_EQ(UndoSteps(), 2);
    EXPECT_EQ(m_doc.SelectedNumbers(), (std::vector<int>{1, 2, 3}));
    m_doc.OnEditUndo();
    EXPECT_EQ(m_doc.Lines(), kThreeAreaPage);
}

TEST_F(CanvasTools, DeleteAndTheClipboardTakeEverySelectedArea)
{
    m_doc.SelectNumbered({1, 3});
    CAreaClipboard::Instance().CopyArea(m_doc);
    EXPECT_TRUE(Key(ECanvasKey::kDelete));
    EXPECT_EQ(AreaLines(), (CLines{"<AREA SHAPE=CIRCLE COORDS=\"100,100,20\" HREF=\"two.htm\">"}));
    EXPECT_EQ(UndoSteps(), 2);
    EXPECT_EQ(m_doc.SelectedCount(), 0);

    // Pasted with the box around both at (0, 100): each keeps its place in it, one undo step.
    ASSERT_TRUE(CAreaClipboard::Instance().PasteArea(m_doc, 0, 100));
    EXPECT_EQ(AreaLines(), (CLines{"<AREA SHAPE=CIRCLE COORDS=\"100,100,20\" HREF=\"two.htm\">",
                                   "<AREA SHAPE=RECT COORDS=\"0,100,40,140\" HREF=\"one.htm\">",
                                   "<AREA SHAPE=RECT COORDS=\"190,110,290,180\" HREF=\"three.htm\">"}));
    EXPECT_EQ(m_doc.SelectedNumbers(), (std::vector<int>{2, 3}));
    EXPECT_EQ(UndoSteps(), 3);
    m_doc.OnEditUndo();
    m_doc.OnEditUndo();
    EXPECT_EQ(m_doc.Lines(), kThreeAreaPage);
    CAreaClipboard::Instance().Clear();
}
