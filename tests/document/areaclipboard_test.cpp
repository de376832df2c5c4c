#include "document/areaclipboard.h"
#include "support/areachecks.h"
#include "document/mapdocument.h"
#include "support/openedpage.h"

#include <gtest/gtest.h>

using namespace mapwright;

namespace {

class AreaClipboard : public ::testing::Test {
protected:
    void SetUp() override
    {
        OpenPage(m_doc);
        m_clipboard.Clear();
    }
    CMapDocument m_doc;
    CAreaClipboard m_clipboard;
};

}  // namespace

TEST_F(AreaClipboard, PastingTwiceAddsTwoAreasAtTheVisibleCorner)
{
    m_doc.SelectArea(*Rects(m_doc)[0]);
    m_clipboard.CopyArea(m_doc);
    ASSERT_TRUE(m_clipboard.HasArea());
    ASSERT_TRUE(m_clipboard.PasteArea(m_doc, 30, 40));
    ASSERT_TRUE(m_clipboard.PasteArea(m_doc, 30, 40));

    ASSERT_EQ(Rects(m_doc).size(), 4u);
    const CRectArea& first = *Rects(m_doc)[2];
    const CRectArea& second = *Rects(m_doc)[3];
    EXPECT_EQ(first.m_nIndex, 4);
    EXPECT_EQ(second.m_nIndex, 5);
    EXPECT_EQ(m_doc.AreaCount(), 5);
    EXPECT_EQ((std::vector<int>{first.left, first.top, first.right, first.bottom}), (std::vector<int>{30, 40, 70, 80}));
    EXPECT_EQ(first.m_strHref, "one.htm");
    EXPECT_EQ(m_doc.SelectedAreas(), std::vector<CMapArea*>{Rects(m_doc)[3]});
    EXPECT_EQ(m_doc.Lines()[6], "<AREA SHAPE=RECT COORDS=\"30,40,70,80\" HREF=\"one.htm\">");
    EXPECT_EQ(m_doc.Lines()[7], "<AREA SHAPE=RECT COORDS=\"30,40,70,80\" HREF=\"one.htm\">");
    EXPECT_EQ(m_doc.Lines()[8], "</MAP>");
    EXPECT_EQ(m_doc.UndoPosition(), 3);
    EXPECT_TRUE(m_doc.IsModified());
    // The slot keeps the original, not the placed copy.
    EXPECT_EQ(static_cast<const CRectArea*>(m_clipboard.Areas().at(0).get())->left, 10);
}

TEST_F(AreaClipboard, CopyWithoutSelectionEmptiesTheClipboard)
{
    m_doc.SelectArea(*Circles(m_doc)[0]);
    m_clipboard.CopyArea(m_doc);
    ASSERT_EQ(m_clipboard.Areas().size(), 1u);
    m_doc.ClearSelection();
    m_clipboard.CopyArea(m_doc);
    EXPECT_FALSE(m_clipboard.HasArea());
    EXPECT_FALSE(m_clipboard.PasteArea(m_doc, 0, 0));
    EXPECT_EQ(m_doc.UndoPosition(), 1);
}

TEST_F(AreaClipboard, DeletingRenumbersTheAreasAfterIt)
{
    m_doc.SelectArea(*Circles(m_doc)[0]);
    ASSERT_TRUE(CAreaClipboard::DeleteArea(m_doc));
    EXPECT_EQ(m_doc.AreaCount(), 2);
    ASSERT_EQ(Rects(m_doc).size(), 2u);
    EXPECT_EQ(Rects(m_doc)[1]->m_nIndex, 2);
    EXPECT_TRUE(Circles(m_doc).empty());
    EXPECT_EQ(m_doc.Lines()[4], "<AREA SHAPE=RECT COORDS=\"200,20,300,90\" HREF=\"three.htm\">");
    EXPECT_FALSE(CAreaClipboard::DeleteArea(m_doc));  // nothing is selected any more
}

TEST(PastedAreaPlacement, AreasAreKeptInsideASmallerImage)
{
    CRectArea wide;
    wide.left = 0, wide.top = 10, wide.right = 150, wide.bottom = 20;
    PlacePastedArea(wide, 5, 95, 100, 100);
    // Wider than the image: left edge 0, right edge on the last column; the bottom on the last row.
    EXPECT_EQ((std::vector<int>{wide.left, wide.top, wide.right, wide.bottom}), (std::vector<int>{0, 89, 99, 99}));
    EXPECT_EQ(wide.m_points.size(), 8u);

    CRectArea fits;
    fits.left = 200, fits.top = 200, fits.right = 240, fits.bottom = 230;
    PlacePastedArea(fits, 70, 80, 100, 100);
    EXPECT_EQ((std::vector<int>{fits.left, fits.top, fits.right, fits.bottom}), (std::vector<int>{59, 69, 99, 99}));

    CCircleArea circle;
    circle.x = 10, circle.y = 10, circle.radius = 30;
    PlacePastedArea(circle, 50, 90, 100, 100);
    EXPECT_EQ(circle.x, 80);  // its bounding square starts at the corner
    EXPECT_EQ(circle.y, 99);

    CPolyArea poly;
    poly.m_points = {{300, 300, kPolygonVertex}, {340, 310, kPolygonVertex}, {320, 350, kPolygonVertex}};
    PlacePastedArea(poly, 70, 10, 100, 100);
    EXPECT_EQ(poly.m_points, (std::vector<CAreaPoint>{{59, 10, kPolygonVertex}, {99, 20, kPolygonVertex},
                                                       {79, 60, kPolygonVertex}}));
    CPolyArea huge;
    huge.m_points = {{0, 0, kPolygonVertex}, {500, 0, kPolygonVertex}, {0, 40, kPolygonVertex}};
    PlacePastedArea(huge, 20, 20, 100, 100);
    EXPECT_EQ(huge.m_points, (std::vector<CAreaPoint>{{0, 20, kPolygonVertex}, {99, 20, kPolygonVertex},
                                                       {0, 60, kPolygonVertex}}));
}
