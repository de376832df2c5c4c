// Exact pixels on the canvas: keyboard nudges, and zooms and drags that never drift.
#include "canvasfixture.h"

#include <chrono>
#include <random>

using namespace mapwright;

namespace {

// Every coordinate the tag of area holds, as the reader found it (a circle's radius is no place).
std::vector<CAreaPoint> Places(const CMapArea& area)
{
    return VisitArea(area, [](const auto& a) -> std::vector<CAreaPoint> {
        using Area = std::decay_t<decltype(a)>;
        if constexpr (std::is_same_v<Area, CRectArea>)
            return {{a.left, a.top}, {a.right, a.bottom}};
        else if constexpr (std::is_same_v<Area, CCircleArea>)
            return {{a.x, a.y}};
        else
            return a.m_points;
    });
}

// The size of area: what no nudge may change.
std::vector<int> SizeOf(const CMapArea& area)
{
    const CAreaBounds b = area.Bounds();
    std::vector<int> size{b.right - b.left, b.bottom - b.top};
    for (const CAreaPoint& p : Places(area)) {
        size.push_back(p.x - Places(area)[0].x);
        size.push_back(p.y - Places(area)[0].y);
    }
    return size;
}

}  // namespace

TEST_F(CanvasTools, NudgesOverRandomPicturesAndZoomsStayInsideAndKeepEveryAreaSize)
{
    std::mt19937 random(20);
    const std::array<double, 5> zooms{0.25, 0.37, 1.0, 3.0, 8.0};
    const std::array<ECanvasKey, 8> keys{ECanvasKey::kNudgeLeft,    ECanvasKey::kNudgeRight,    ECanvasKey::kNudgeUp,
                                         ECanvasKey::kNudgeDown,    ECanvasKey::kFarNudgeLeft,  ECanvasKey::kFarNudgeRight,
                                         ECanvasKey::kFarNudgeUp,   ECanvasKey::kFarNudgeDown};
    for (int round = 0; round < 40; ++round) {
        const int width = std::uniform_int_distribution(12, 400)(random);
        const int height = std::uniform_int_distribution(12, 300)(random);
        auto x = [&] { return std::uniform_int_distribution(0, width - 1)(random); };
        auto y = [&] { return std::uniform_int_distribution(0, height - 1)(random); };
        const int x1 = x(), x2 = x(), y1 = y(), y2 = y();
        CLines lines = kThreeAreaPage;
        lines[3] = "<AREA SHAPE=RECT COORDS=\"" + std::to_string(std::min(x1, x2)) + "," + std::to_string(std::min(y1, y2)) +
                   "," + std::to_string(std::max(x1, x2)) + "," + std::to_string(std::max(y1, y2)) + "\">";
        lines[4] = "<AREA SHAPE=CIRCLE COORDS=\"" + std::to_string(x()) + "," + std::to_string(y()) + ",7\">";
        lines[5] = "<AREA SHAPE=POLY COORDS=\"" + std::to_string(x()) + "," + std::to_string(y()) + "," +
                   std::to_string(x()) + "," + std::to_string(y()) + "," + std::to_string(x()) + "," +
                   std::to_string(y()) + "\">";
        m_doc.OpenLines(lines, "PHOTO", width, height);
        ShowAt(zooms[static_cast<std::size_t>(round) % zooms.size()]);
        for (int n = 1; n <= 3; ++n) {
            m_doc.SelectArea(*m_doc.AreaNumbered(n));
            const std::vector<int> size = SizeOf(*m_doc.AreaNumbered(n));
            for (int press = 0; press < 30; ++press) {
                ASSERT_TRUE(Key(keys[std::uniform_int_distribution<std::size_t>(0, keys.size() - 1)(random)]));
                const CMapArea& area = *m_doc.AreaNumbered(n);
                for (const CAreaPoint& p : Places(area)) {
                    ASSERT_TRUE(p.x >= 0 && p.x < width && p.y >= 0 && p.y < height)
                        << m_doc.Lines()[static_cast<std::size_t>(n) + 2] << " in " << width << " x " << height;
                }
                ASSERT_EQ(SizeOf(area), size) << m_doc.Lines()[static_cast<std::size_t>(n) + 2];
            }
        }
        // Each area's run of nudges is one step after the opening one.
        EXPECT_LE(UndoSteps(), 4);
    }
}

TEST_F(CanvasTools, ARunOfNudgesIsOneUndoStepThatAnyOtherEditEnds)
{
    EXPECT_FALSE(m_tools.Nudge(1, 0));  // nothing selected
    m_doc.SelectArea(*m_doc.AreaNumbered(1));
    Key(ECanvasKey::kNudgeRight);
    Key(ECanvasKey::kFarNudgeDown);
    Key(ECanvasKey::kNudgeDown);
    EXPECT_EQ(AreaLines()[0], "<AREA SHAPE=RECT COORDS=\"11,21,51,61\" HREF=\"one.htm\">");
    EXPECT_EQ(UndoSteps(), 2);
    EXPECT_TRUE(m_canvasView.m_updates.empty());  // the canvas sent them
    EXPECT_EQ(m_otherView.m_updates.back().notice.kind, EChangeKind::kAreaTag);

    // Another area starts a run of its own; coming back to the first one starts a third.
    m_doc.SelectArea(*m_doc.AreaNumbered(2));
    Key(ECanvasKey::kFarNudgeLeft);
    m_doc.SelectArea(*m_doc.AreaNumbered(1));
    Key(ECanvasKey::kNudgeLeft);
    EXPECT_EQ(UndoSteps(), 4);
    // A drag between two nudges is a step of its own.
    Drag({30, 40}, {35, 40});
    Key(ECanvasKey::kNudgeUp);
    Key(ECanvasKey::kNudgeUp);
    EXPECT_EQ(UndoSteps(), 6);
    EXPECT_EQ(AreaLines()[0], "<AREA SHAPE=RECT COORDS=\"15,19,55,59\" HREF=\"one.htm\">");

    // Undo takes the whole run back; a nudge after it starts a new run rather than merging.
    m_doc.OnEditUndo();
    EXPECT_EQ(AreaLines()[0], "<AREA SHAPE=RECT COORDS=\"15,21,55,61\" HREF=\"one.htm\">");
    m_doc.SelectArea(*m_doc.AreaNumbered(1));
    Key(ECanvasKey::kNudgeUp);
    m_doc.OnEditUndo();
    EXPECT_EQ(AreaLines()[0], "<AREA SHAPE=RECT COORDS=\"15,21,55,61\" HREF=\"one.htm\">");
    for (int step = 0; step < 4; ++step)
        m_doc.OnEditUndo();
    EXPECT_EQ(m_doc.Lines(), kThreeAreaPage);

    // At the edge a nudge does nothing and records nothing; during a drag the keys are swallowed.
    m_doc.SelectArea(*m_doc.AreaNumbered(3));
    const int position = m_doc.UndoPosition();
    m_tools.Nudge(1000, 0);
    Key(ECanvasKey::kNudgeRight);
    EXPECT_EQ(AreaLines()[2], "<AREA SHAPE=RECT COORDS=\"219,20,319,90\" HREF=\"three.htm\">");
    Press(250, 50);
    Move(260, 50);
    EXPECT_TRUE(Key(ECanvasKey::kNudgeLeft));
    Release(260, 50);
    EXPECT_EQ(AreaLines()[2], "<AREA SHAPE=RECT COORDS=\"219,20,319,90\" HREF=\"three.htm\">");
    EXPECT_EQ(UndoSteps(), position + 1);
}

TEST_F(CanvasTools, ZoomChangesLeaveTheTextAsItWasAndDragsLandOnThePointersPixel)
{
    m_doc.OpenLines(kThreeAreaPage, "PHOTO", 2000, 1500);
    m_host.ResizeClient(300, 200);
    m_doc.SelectArea(*m_doc.AreaNumbered(1));
    for (double zoom : {0.25, 8.0, 0.37, 1.0}) {
        ShowAt(zoom, {40, 30});
        Key(ECanvasKey::kKeypadPlus);
        Key(ECanvasKey::kKeypadMinus);
        m_tools.ZoomInAtCentre(1);
    }
    EXPECT_EQ(m_doc.Lines(), kThreeAreaPage);
    EXPECT_EQ(UndoSteps(), 1);

    // A corner handle dragged to the pointer lands on the picture pixel under it: exactly from
    // 100 % up, within one pixel below.
    std::mt19937 random(7);
    int drags = 0;
    for (double zoom : {0.25, 0.37, 0.5, 1.0, 1.5, 3.0, 8.0}) {
        for (int drag = 0; drag < 20; ++drag) {
            m_doc.SelectArea(*m_doc.AreaNumbered(1));
            const CMapArea& area = *m_doc.AreaNumbered(1);
            const CAreaPoint corner = area.m_points[kRectBottomRightIndex];
            ShowAt(zoom, {Truncate(corner.x * zoom) - std::uniform_int_distribution(0, 299)(random),
                          Truncate(corner.y * zoom) - std::uniform_int_distribution(0, 199)(random)});
            const CClientPoint scroll = m_host.GetScrollPosition();
            const CClientPoint from{Truncate(corner.x * zoom) - scroll.x, Truncate(corner.y * zoom) - scroll.y};
            if (from.x < 0 || from.y < 0 || from.x >= 300 || from.y >= 200)
                continue;
            const CClientPoint to{std::uniform_int_distribution(0, 299)(random), std::uniform_int_distribution(0, 199)(random)};
            const CImagePoint target = ImagePosition(to, scroll, zoom);
            ++drags;
            ASSERT_TRUE(m_tools.GrabHandle(from, *m_doc.AreaNumbered(1), kRectBottomRightIndex));
            Move(to.x, to.y);
            Release(to.x, to.y);
            const CMapArea& moved = *m_doc.AreaNumbered(1);
            const auto& rect = static_cast<const CRectArea&>(moved);
            // Whichever corner the pointer now holds is the one at the pointer.
            const int x = std::abs(rect.left - target.x) < std::abs(rect.right - target.x) ? rect.left : rect.right;
            const int y = std::abs(rect.top - target.y) < std::abs(rect.bottom - target.y) ? rect.top : rect.bottom;
            const int slack = zoom < 1.0 ? 1 : 0;
            ASSERT_LE(std::abs(x - target.x), slack) << zoom << " to " << to.x << "," << to.y;
            ASSERT_LE(std::abs(y - target.y), slack) << zoom << " to " << to.x << "," << to.y;
        }
    }
    EXPECT_GT(drags, 60);
}

TEST_F(CanvasTools, PolygonVerticesAreInsertedOnEdgesAndDeletedDownToThree)
{
    CLines lines = kThreeAreaPage;
    lines[5] = "<AREA SHAPE=POLY COORDS=\"20,100,120,100,120,180\" HREF=\"p.htm\">";
    m_doc.OpenLines(lines, "PHOTO", 320, 200);
    ShowAt(2.0, {0, 100});
    // A double click on the edge from (20,100) to (120,100), drawn through the zoomed pixels' middles.
    Press(141, 101);  // on the edge's outside: the first press selects nothing
    Release(141, 101);
    m_tools.OnLButtonDblClk({141, 101});
    EXPECT_EQ(AreaLines()[2], "<AREA SHAPE=POLY COORDS=\"20,100,70,100,120,100,120,180\" HREF=\"p.htm\">");
    EXPECT_EQ(m_doc.FirstSelected()->m_points.size(), 4u);
    EXPECT_EQ(UndoSteps(), 2);

    // Away from every edge, or on the closing edge of an unselected polygon, nothing is offered.
    m_doc.ClearSelection();
    EXPECT_EQ(m_tools.VertexChoiceAt({141, 101}).insertArea, nullptr);
    m_doc.SelectArea(*m_doc.AreaNumbered(3));
    EXPECT_EQ(m_tools.VertexChoiceAt({200, 60}).insertArea, nullptr);
    // The closing edge from (120,180) back to (20,100): its middle (70,140) is at client (141,181).
    const CCanvasTools::CVertexChoice closing = m_tools.VertexChoiceAt({141, 181});
    ASSERT_NE(closing.insertArea, nullptr);
    EXPECT_EQ(closing.insertBefore, 4);
    EXPECT_EQ(closing.at, CImagePoint(70, 140));
    // On a vertex handle the menu offers its deletion.
    const CCanvasTools::CVertexChoice onVertex = m_tools.VertexChoiceAt({40, 100});
    ASSERT_EQ(onVertex.deleteArea, m_doc.AreaNumbered(3));
    EXPECT_EQ(onVertex.vertex, 0);
    EXPECT_TRUE(m_tools.DeleteVertex(*onVertex.deleteArea, onVertex.vertex));
    EXPECT_EQ(AreaLines()[2], "<AREA SHAPE=POLY COORDS=\"70,100,120,100,120,180\" HREF=\"p.htm\">");
    EXPECT_FALSE(m_tools.DeleteVertex(*m_doc.AreaNumbered(3), 0));
    EXPECT_EQ(m_host.StatusText(), "A polygon needs at least three vertices.");
    EXPECT_EQ(UndoSteps(), 3);
    // During a gesture the menu offers nothing and the commands do nothing.
    m_doc.OnToolRect();
    EXPECT_FALSE(m_tools.OffersContextMenu());
    EXPECT_FALSE(m_tools.InsertVertex(*m_doc.AreaNumbered(3), 0, {1, 1}));
    m_doc.OnEditUndo();
    m_doc.OnEditUndo();
    EXPECT_EQ(m_doc.Lines(), lines);

    // A polygon of 10,000 vertices takes one more at once.
    std::string coords;
    for (int i = 0; i < 10000; ++i)
        coords += (i ? "," : "") + std::to_string(i % 300) + "," + std::to_string(i % 2 ? 10 : 190);
    lines[5] = "<AREA SHAPE=POLY COORDS=\"" + coords + "\">";
    m_doc.OpenLines(lines, "PHOTO", 320, 200);
    ShowAt(1.0);
    m_doc.OnToolSelect();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(m_tools.InsertVertex(*m_doc.AreaNumbered(3), 5000, {400, -3}));
    EXPECT_EQ(m_doc.AreaNumbered(3)->m_points[5000], CAreaPoint(319, 0));
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 0.5);
}

TEST_F(CanvasTools, SnappedGesturesLandOnGridPointsInsideThePicture)
{
    std::mt19937 random(31);
    const std::array<double, 6> zooms{0.25, 0.37, 1.0, 1.5, 4.0, 8.0};
    auto inside = [&](const CMapArea& area, int width, int height) {
        for (const CAreaPoint& p : Places(area)) {
            if (p.x < 0 || p.x >= width || p.y < 0 || p.y >= height)
                return false;
        }
        return true;
    };
    auto onGrid = [](const CMapArea& area, int g) {
        for (const CAreaPoint& p : Places(area)) {
            if (p.x % g != 0 || p.y % g != 0)
                return false;
        }
        return true;
    };
    for (int round = 0; round < 60; ++round) {
        const int width = std::uniform_int_distribution(15, 500)(random);
        const int height = std::uniform_int_distribution(15, 400)(random);
        const int g = std::uniform_int_distribution(1, 40)(random);
        const double zoom = zooms[static_cast<std::size_t>(round) % zooms.size()];
        m_doc.OpenLines(kThreeAreaPage, "PHOTO", width, height);
        m_host.ResizeClient(300, 200);
        ShowAt(zoom, {std::uniform_int_distribution(0, 500)(random), std::uniform_int_distribution(0, 500)(random)});
        m_tools.SetSnapGrid(g);
        auto client = [&] { return CClientPoint{std::uniform_int_distribution(-50, 350)(random),
                                                std::uniform_int_distribution(-50, 250)(random)}; };
        auto onPicture = [&] {
            const CClientPoint scroll = m_host.GetScrollPosition();
            const int right = std::min(300, Truncate(width * zoom) - scroll.x) - 1;
            const int bottom = std::min(200, Truncate(height * zoom) - scroll.y) - 1;
            return CClientPoint{std::uniform_int_distribution(0, std::max(right, 0))(random),
                                std::uniform_int_distribution(0, std::max(bottom, 0))(random)};
        };
        // A new rectangle and a new polygon, drawn anywhere, even beyond the picture.
        m_doc.OnToolRect();
        Drag(onPicture(), client());
        m_doc.OnToolPoly();
        const CClientPoint first = onPicture();
        Press(first.x, first.y);
        Release(first.x, first.y);
        for (int vertex = 0; vertex < 3; ++vertex) {
            const CClientPoint next = client();
            Move(next.x, next.y, false);
            Press(next.x, next.y);
            Release(next.x, next.y);
        }
        RightPress(0, 0);
        ASSERT_EQ(m_doc.AreaCount(), 5);
        for (int n : {4, 5}) {
            ASSERT_TRUE(inside(*m_doc.AreaNumbered(n), width, height)) << AreaLines()[static_cast<std::size_t>(n) - 1];
            ASSERT_TRUE(onGrid(*m_doc.AreaNumbered(n), g)) << g << ": " << AreaLines()[static_cast<std::size_t>(n) - 1];
        }
        // A vertex drag lands on a grid point; a move puts the box's top-left corner on one unless the
        // picture's far edge stopped it.
        m_doc.OnToolSelect();
        const CAreaPoint vertex = m_doc.AreaNumbered(5)->m_points[1];
        const CClientPoint scroll = m_host.GetScrollPosition();
        ASSERT_TRUE(m_tools.GrabHandle({Truncate(vertex.x * zoom) - scroll.x, Truncate(vertex.y * zoom) - scroll.y},
                                       *m_doc.AreaNumbered(5), 1));
        const CClientPoint to = client();
        Move(to.x, to.y);
        Release(to.x, to.y);
        ASSERT_TRUE(inside(*m_doc.AreaNumbered(5), width, height) && onGrid(*m_doc.AreaNumbered(5), g))
            << AreaLines()[4];
        CMapArea& rect = *m_doc.AreaNumbered(4);
        ASSERT_TRUE(m_tools.GrabArea({5, 5}, rect));
        const CClientPoint moveTo = client();
        Move(moveTo.x, moveTo.y);
        Release(moveTo.x, moveTo.y);
        const CAreaBounds b = m_doc.AreaNumbered(4)->Bounds();
        ASSERT_TRUE(inside(*m_doc.AreaNumbered(4), width, height)) << AreaLines()[3];
        ASSERT_TRUE((b.left % g == 0 || b.right == width - 1) && (b.top % g == 0 || b.bottom == height - 1))
            << g << ": " << AreaLines()[3];
    }

    // Alt held during a drag suspends snapping: the pointer's own pixel counts.
    m_doc.OpenLines(kThreeAreaPage, "PHOTO", 320, 200);
    ShowAt(1.0);
    m_tools.SetSnapGrid(10);
    m_tools.SuspendSnap(true);
    ASSERT_TRUE(m_tools.GrabHandle({50, 50}, *m_doc.AreaNumbered(1), kRectBottomRightIndex));
    Move(63, 67);
    Release(63, 67);
    EXPECT_EQ(AreaLines()[0], "<AREA SHAPE=RECT COORDS=\"10,10,63,67\" HREF=\"one.htm\">");
    m_tools.SuspendSnap(false);
    ASSERT_TRUE(m_tools.GrabHandle({63, 67}, *m_doc.AreaNumbered(1), kRectBottomRightIndex));
    Move(63, 67);
    Release(63, 67);
    EXPECT_EQ(AreaLines()[0], "<AREA SHAPE=RECT COORDS=\"10,10,60,70\" HREF=\"one.htm\">");
}
