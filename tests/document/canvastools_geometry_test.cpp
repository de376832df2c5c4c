// Exact pixels on the canvas: nudges, snapping, polygon vertices, and zooms and drags that never drift.
#include "canvasfixture.h"

#include <chrono>
#include <random>

using namespace mapwright;

namespace {

// Every place the tag of area holds (a circle's radius is no place).
std::vector<CAreaPoint> Places(const CMapArea& area)
{
    if (area.Shape() == EAreaShape::kPolygon)
        return area.m_points;
    if (area.Shape() == EAreaShape::kCircle)
        return {{static_cast<const CCircleArea&>(area).x, static_cast<const CCircleArea&>(area).y}};
    const auto& rect = static_cast<const CRectArea&>(area);
    return {{rect.left, rect.top}, {rect.right, rect.bottom}};
}

// The places relative to the first one: what a nudge must not change.
std::vector<int> Shape(const CMapArea& area)
{
    std::vector<int> shape;
    for (const CAreaPoint& p : Places(area))
        shape.insert(shape.end(), {p.x - Places(area)[0].x, p.y - Places(area)[0].y});
    return shape;
}

bool Inside(const CMapArea& area, int width, int height, int grid = 1)
{
    return std::ranges::all_of(Places(area), [&](const CAreaPoint& p) {
        return p.x >= 0 && p.x < width && p.y >= 0 && p.y < height && p.x % grid == 0 && p.y % grid == 0;
    });
}

}  // namespace

TEST_F(CanvasTools, NudgesAndSnappedGesturesOverRandomPicturesAndZoomsStayInside)
{
    std::mt19937 random(20);
    auto draw = [&](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
    const std::array<ECanvasKey, 8> keys{ECanvasKey::kNudgeLeft,    ECanvasKey::kNudgeRight,   ECanvasKey::kNudgeUp,
                                         ECanvasKey::kNudgeDown,    ECanvasKey::kFarNudgeLeft, ECanvasKey::kFarNudgeRight,
                                         ECanvasKey::kFarNudgeUp,   ECanvasKey::kFarNudgeDown};
    for (int round = 0; round < 60; ++round) {
        const int width = draw(15, 500), height = draw(15, 400), g = draw(1, 40);
        const double zoom = std::array{0.25, 0.37, 1.0, 1.5, 4.0, 8.0}[static_cast<std::size_t>(round) % 6];
        const std::string x1 = std::to_string(draw(0, width / 2)), y1 = std::to_string(draw(0, height / 2));
        const std::string x2 = std::to_string(draw(width / 2, width - 1)), y2 = std::to_string(draw(height / 2, height - 1));
        CLines lines = kThreeAreaPage;
        lines[3] = "<AREA SHAPE=RECT COORDS=\"" + x1 + "," + y1 + "," + x2 + "," + y2 + "\">";
        lines[4] = "<AREA SHAPE=CIRCLE COORDS=\"" + x2 + "," + y1 + ",7\">";
        lines[5] = "<AREA SHAPE=POLY COORDS=\"" + x1 + "," + y1 + "," + x2 + "," + y1 + "," + x1 + "," + y2 + "\">";
        m_doc.OpenLines(lines, "PHOTO", width, height);
        m_host.ResizeClient(300, 200);
        ShowAt(zoom, {draw(0, 500), draw(0, 500)});
        for (int n = 1; n <= 3; ++n) {
            m_doc.SelectArea(*m_doc.AreaNumbered(n));
            const std::vector<int> shape = Shape(*m_doc.AreaNumbered(n));
            for (int press = 0; press < 20; ++press) {
                ASSERT_TRUE(Key(keys[static_cast<std::size_t>(draw(0, 7))]));
                ASSERT_TRUE(Inside(*m_doc.AreaNumbered(n), width, height)) << AreaLines()[std::size_t(n) - 1];
                ASSERT_EQ(Shape(*m_doc.AreaNumbered(n)), shape) << AreaLines()[std::size_t(n) - 1];
            }
        }
        EXPECT_LE(UndoSteps(), 4);  // one run of nudges per area

        // Snapped: a rectangle and a polygon drawn anywhere, even beside the picture, a vertex
        // dragged, and a move that puts the box's top-left corner on the grid unless the far edge
        // stopped it.
        m_tools.SetSnapGrid(g);
        auto client = [&] { return CClientPoint{draw(-50, 350), draw(-50, 250)}; };
        auto onPicture = [&] {
            const CClientPoint s = m_host.GetScrollPosition();
            return CClientPoint{draw(0, std::min(299, Truncate((width - 1) * zoom) - s.x)),
                                draw(0, std::min(199, Truncate((height - 1) * zoom) - s.y))};
        };
        m_doc.OnToolRect();
        Drag(onPicture(), client());
        m_doc.OnToolPoly();
        const CClientPoint first = onPicture();
        Drag(first, first);
        for (int vertex = 0; vertex < 3; ++vertex) {
            const CClientPoint next = client();
            Move(next.x, next.y, false);
            Drag(next, next);
        }
        RightPress(0, 0);
        ASSERT_EQ(m_doc.AreaCount(), 5) << round;
        m_doc.OnToolSelect();
        const CAreaPoint vertex = m_doc.AreaNumbered(5)->m_points[1];
        const CClientPoint s = m_host.GetScrollPosition();
        ASSERT_TRUE(m_tools.GrabHandle({Truncate(vertex.x * zoom) - s.x, Truncate(vertex.y * zoom) - s.y},
                                       *m_doc.AreaNumbered(5), 1));
        Drag(client(), client());
        for (int n : {4, 5})
            ASSERT_TRUE(Inside(*m_doc.AreaNumbered(n), width, height, g)) << g << ": " << AreaLines()[std::size_t(n) - 1];
        ASSERT_TRUE(m_tools.GrabArea({5, 5}, *m_doc.AreaNumbered(4)));
        Drag(client(), client());
        const CAreaBounds b = m_doc.AreaNumbered(4)->Bounds();
        ASSERT_TRUE(Inside(*m_doc.AreaNumbered(4), width, height)) << AreaLines()[3];
        ASSERT_TRUE((b.left % g == 0 || b.right == width - 1) && (b.top % g == 0 || b.bottom == height - 1)) << g;
        m_tools.SetSnapGrid(0);
    }

    // Alt held during a drag suspends snapping.
    m_doc.OpenLines(kThreeAreaPage, "PHOTO", 320, 200);
    ShowAt(1.0);
    m_tools.SetSnapGrid(10);
    for (bool alt : {true, false}) {
        m_tools.SuspendSnap(alt);
        ASSERT_TRUE(m_tools.GrabHandle({50, 50}, *m_doc.AreaNumbered(1), kRectBottomRightIndex));
        Drag({63, 67}, {63, 67});
        EXPECT_EQ(AreaLines()[0], alt ? "<AREA SHAPE=RECT COORDS=\"10,10,63,67\" HREF=\"one.htm\">"
                                      : "<AREA SHAPE=RECT COORDS=\"10,10,60,70\" HREF=\"one.htm\">");
    }
}

TEST_F(CanvasTools, ARunOfNudgesIsOneUndoStepThatAnyOtherEditEnds)
{
    EXPECT_FALSE(m_tools.Nudge(1, 0));  // nothing selected
    m_doc.SelectArea(*m_doc.AreaNumbered(1));
    Key(ECanvasKey::kNudgeRight);
    Key(ECanvasKey::kFarNudgeDown);
    EXPECT_EQ(AreaLines()[0], "<AREA SHAPE=RECT COORDS=\"11,20,51,60\" HREF=\"one.htm\">");
    EXPECT_EQ(m_otherView.m_updates.back().notice.kind, EChangeKind::kAreaTag);
    // Another area, a drag, an undo: each ends the run.
    m_doc.SelectArea(*m_doc.AreaNumbered(2));
    Key(ECanvasKey::kNudgeLeft);
    m_doc.SelectArea(*m_doc.AreaNumbered(1));
    Key(ECanvasKey::kNudgeLeft);
    Drag({30, 40}, {35, 40});
    Key(ECanvasKey::kNudgeUp);
    Key(ECanvasKey::kNudgeUp);
    EXPECT_EQ(UndoSteps(), 6);
    m_doc.OnEditUndo();
    m_doc.SelectArea(*m_doc.AreaNumbered(1));
    Key(ECanvasKey::kNudgeUp);
    m_doc.OnEditUndo();
    EXPECT_EQ(AreaLines()[0], "<AREA SHAPE=RECT COORDS=\"15,20,55,60\" HREF=\"one.htm\">");
    for (int step = 0; step < 4; ++step)
        m_doc.OnEditUndo();
    EXPECT_EQ(m_doc.Lines(), kThreeAreaPage);
    // At the edge nothing is recorded; during a drag the keys are swallowed.
    m_doc.SelectArea(*m_doc.AreaNumbered(3));
    m_tools.Nudge(1000, 0);
    Key(ECanvasKey::kNudgeRight);
    Press(250, 50);
    Move(260, 50);
    EXPECT_TRUE(Key(ECanvasKey::kNudgeLeft));
    Release(260, 50);
    EXPECT_EQ(AreaLines()[2], "<AREA SHAPE=RECT COORDS=\"219,20,319,90\" HREF=\"three.htm\">");
    EXPECT_EQ(UndoSteps(), 2);
}

TEST_F(CanvasTools, ZoomChangesLeaveTheTextAsItWasAndDragsLandOnThePointersPixel)
{
    m_doc.OpenLines(kThreeAreaPage, "PHOTO", 2000, 1500);
    m_host.ResizeClient(300, 200);
    for (double zoom : {0.25, 8.0, 0.37, 1.0}) {
        ShowAt(zoom, {40, 30});
        Key(ECanvasKey::kKeypadPlus);
        Key(ECanvasKey::kKeypadMinus);
    }
    EXPECT_EQ(m_doc.Lines(), kThreeAreaPage);
    // A corner dragged lands on the picture pixel under the pointer: exactly from 100 % up,
    // within one pixel below.
    std::mt19937 random(7);
    auto draw = [&](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
    for (double zoom : {0.25, 0.37, 0.5, 1.0, 1.5, 3.0, 8.0}) {
        for (int drag = 0; drag < 20; ++drag) {
            const CAreaPoint corner = m_doc.AreaNumbered(1)->m_points[kRectBottomRightIndex];
            ShowAt(zoom, {Truncate(corner.x * zoom) - draw(0, 299), Truncate(corner.y * zoom) - draw(0, 199)});
            const CClientPoint s = m_host.GetScrollPosition();
            const CClientPoint to{draw(0, 299), draw(0, 199)};
            const CImagePoint target = ImagePosition(to, s, zoom);
            ASSERT_TRUE(m_tools.GrabHandle({Truncate(corner.x * zoom) - s.x, Truncate(corner.y * zoom) - s.y},
                                           *m_doc.AreaNumbered(1), kRectBottomRightIndex));
            Drag(to, to);
            // Whichever corner the pointer now holds is the one nearest to it.
            const auto& rect = static_cast<const CRectArea&>(*m_doc.AreaNumbered(1));
            const int x = std::abs(rect.left - target.x) < std::abs(rect.right - target.x) ? rect.left : rect.right;
            const int y = std::abs(rect.top - target.y) < std::abs(rect.bottom - target.y) ? rect.top : rect.bottom;
            ASSERT_LE(std::abs(x - target.x) + std::abs(y - target.y), zoom < 1.0 ? 2 : 0) << zoom;
        }
        // A move in steps of one screen pixel keeps the grabbed pixel under the pointer.
        const CAreaBounds before = m_doc.AreaNumbered(1)->Bounds();
        ShowAt(zoom, {Truncate(before.left * zoom) - 20, Truncate(before.top * zoom) - 20});
        const CClientPoint s = m_host.GetScrollPosition();
        const CClientPoint from{Truncate((before.left + 1) * zoom) + 1 - s.x, Truncate((before.top + 1) * zoom) + 1 - s.y};
        ASSERT_TRUE(m_tools.GrabArea(from, *m_doc.AreaNumbered(1)));
        for (int step = 1; step <= 60; ++step)
            Move(from.x + step, from.y + step / 2);
        Release(from.x + 60, from.y + 30);
        const CImagePoint grabbed = ImagePosition(from, s, zoom), now = ImagePosition({from.x + 60, from.y + 30}, s, zoom);
        const CAreaBounds after = m_doc.AreaNumbered(1)->Bounds();
        ASSERT_LE(std::abs(after.left - before.left - (now.x - grabbed.x)), zoom < 1.0 ? 1 : 0) << zoom;
        ASSERT_LE(std::abs(after.top - before.top - (now.y - grabbed.y)), zoom < 1.0 ? 1 : 0) << zoom;
    }
}

TEST_F(CanvasTools, PolygonVerticesAreInsertedOnEdgesAndDeletedDownToThree)
{
    CLines lines = kThreeAreaPage;
    lines[5] = "<AREA SHAPE=POLY COORDS=\"20,100,120,100,120,180\" HREF=\"p.htm\">";
    m_doc.OpenLines(lines, "PHOTO", 320, 200);
    ShowAt(2.0, {0, 100});
    // A double click on the edge (20,100)-(120,100), drawn through the zoomed pixels' middles,
    // whatever its first press selected.
    m_doc.SelectArea(*m_doc.AreaNumbered(3));
    Drag({141, 101}, {141, 101});
    m_tools.OnLButtonDblClk({141, 101});
    EXPECT_EQ(AreaLines()[2], "<AREA SHAPE=POLY COORDS=\"20,100,70,100,120,100,120,180\" HREF=\"p.htm\">");
    EXPECT_EQ(m_doc.AreaNumbered(3)->m_points.size(), 4u);
    // The closing edge, from (120,180) back to (20,100), offers an insert; away from it nothing.
    const CCanvasTools::CVertexChoice closing = m_tools.VertexChoiceAt({141, 181});
    EXPECT_EQ(closing.insertBefore, 4);
    EXPECT_EQ(closing.at, CImagePoint(70, 140));
    EXPECT_EQ(m_tools.VertexChoiceAt({200, 60}).insertArea, nullptr);
    // On a vertex handle the menu offers its deletion; three vertices are kept.
    const CCanvasTools::CVertexChoice onVertex = m_tools.VertexChoiceAt({40, 100});
    ASSERT_EQ(onVertex.deleteArea, m_doc.AreaNumbered(3));
    EXPECT_TRUE(m_tools.DeleteVertex(*onVertex.deleteArea, onVertex.vertex));
    EXPECT_EQ(AreaLines()[2], "<AREA SHAPE=POLY COORDS=\"70,100,120,100,120,180\" HREF=\"p.htm\">");
    EXPECT_FALSE(m_tools.DeleteVertex(*m_doc.AreaNumbered(3), 0));
    EXPECT_EQ(m_host.StatusText(), "A polygon needs at least three vertices.");
    m_doc.OnToolRect();
    EXPECT_FALSE(m_tools.OffersContextMenu() || m_tools.InsertVertex(*m_doc.AreaNumbered(3), 0, {1, 1}));
    m_doc.OnEditUndo();
    m_doc.OnEditUndo();
    EXPECT_EQ(m_doc.Lines(), lines);

    // A polygon of 10,000 vertices takes one more at once.
    std::string coords = "0,0";
    for (int i = 1; i < 10000; ++i)
        coords += "," + std::to_string(i % 300) + "," + std::to_string(i % 2 ? 10 : 190);
    lines[5] = "<AREA SHAPE=POLY COORDS=\"" + coords + "\">";
    m_doc.OpenLines(lines, "PHOTO", 320, 200);
    m_doc.OnToolSelect();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(m_tools.InsertVertex(*m_doc.AreaNumbered(3), 5000, {400, -3}));
    EXPECT_EQ(m_doc.AreaNumbered(3)->m_points[5000], CAreaPoint(319, 0));
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 0.5);
}
