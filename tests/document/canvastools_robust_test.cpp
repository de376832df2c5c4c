// Gestures that the rest of the program interrupts, and random event sequences that must keep
// the text inside the picture and the areas equal to the text.
#include "canvasfixture.h"
#include "support/areachecks.h"

#include <random>
#include <sstream>

using namespace mapwright;
using mapwright::testing::Describe;

TEST_F(CanvasTools, ATakenToolEndsTheGestureItInterrupts)
{
    m_doc.OnToolPoly();
    Press(20, 20);
    Move(60, 20);
    Press(60, 20);
    Move(80, 80);
    m_doc.OnToolSelect();  // from the menu: the polygon is finished as the right button would
    Move(90, 90, false);
    EXPECT_EQ(AreaLines().back(), "<AREA SHAPE=POLY COORDS=\"20,20,60,20\">");
    EXPECT_EQ(m_tools.DragState(), EDragState::kIdle);
    EXPECT_FALSE(m_host.HasCapture());
    EXPECT_EQ(m_host.StatusText(), "");

    Press(30, 30);  // moving rectangle 1, then the zoom tool: a release would be ignored now
    Move(40, 30);
    m_doc.OnToolZoom();
    Release(40, 30);
    EXPECT_EQ(m_tools.DragState(), EDragState::kIdle);
    EXPECT_EQ(AreaLines()[0], "<AREA SHAPE=RECT COORDS=\"20,10,60,50\" HREF=\"one.htm\">");
    EXPECT_FALSE(Key(ECanvasKey::kOther));  // keys are no longer swallowed
    EXPECT_EQ(m_doc.Display().dZoom, 1.0);

    m_doc.OnToolRect();  // a new rectangle whose tool changes meanwhile is still added, not rewritten
    Press(100, 150);
    Move(120, 170);
    m_doc.OnToolCircle();
    Release(120, 170);
    EXPECT_EQ(AreaLines().back(), "<AREA SHAPE=RECT COORDS=\"100,150,120,170\">");
    EXPECT_EQ(m_doc.AreaCount(), 5);
    EXPECT_EQ(UndoSteps(), 4);
}

TEST_F(CanvasTools, AGestureWhoseAreasWereRebuiltIsDropped)
{
    m_doc.OnToolRect();
    Press(100, 100);
    Move(150, 150);
    m_doc.ApplyTypedLines(kThreeAreaPage, nullptr);  // the text pane's edit parses the map anew
    EXPECT_EQ(m_tools.EditArea(), nullptr);
    Move(160, 160);
    Release(160, 160);
    EXPECT_EQ(m_tools.DragState(), EDragState::kIdle);
    EXPECT_FALSE(m_host.HasCapture());
    EXPECT_EQ(m_doc.Lines(), kThreeAreaPage);
    EXPECT_EQ(m_doc.AreaCount(), 3);

    m_doc.OnToolSelect();
    Press(10, 10);  // rectangle 1's corner, then the area is deleted from the Edit menu
    Move(5, 5);
    ASSERT_TRUE(m_doc.DeleteSelectedAreas(nullptr));
    Move(0, 0);
    Release(0, 0);
    EXPECT_EQ(m_doc.AreaCount(), 2);
    EXPECT_EQ(AreaLines().size(), 2u);

    m_doc.OnToolPoly();
    Press(100, 100);
    m_doc.OnEditUndo();
    RightPress(100, 100);
    EXPECT_EQ(m_tools.DragState(), EDragState::kIdle);
    EXPECT_EQ(m_host.StatusText(), "");
    EXPECT_EQ(m_doc.AreaCount(), 3);
}

TEST_F(CanvasTools, ALostCaptureIsTakenAgainAndDoesNotStrandADrag)
{
    Press(10, 10);
    m_host.LoseCapture();
    Move(5, 5);
    EXPECT_TRUE(m_host.HasCapture());
    Release(5, 5);
    EXPECT_EQ(AreaLines()[0], "<AREA SHAPE=RECT COORDS=\"5,5,50,50\" HREF=\"one.htm\">");

    Press(30, 30);
    Move(40, 30);
    m_host.LoseCapture();
    Release(45, 30);
    EXPECT_EQ(m_tools.DragState(), EDragState::kIdle);
    EXPECT_EQ(AreaLines()[0], "<AREA SHAPE=RECT COORDS=\"20,5,65,50\" HREF=\"one.htm\">");
}

TEST_F(CanvasTools, WithoutADocumentEveryEventIsIgnored)
{
    CCanvasTools tools(nullptr, m_host);
    tools.OnLButtonDown({10, 10});
    tools.OnMouseMove({20, 20}, true);
    tools.OnLButtonUp({20, 20});
    tools.OnRButtonDown({20, 20});
    EXPECT_TRUE(tools.OnKeyDown(ECanvasKey::kRight));
    EXPECT_EQ(tools.DragState(), EDragState::kIdle);
    EXPECT_FALSE(m_host.HasCapture());

    m_doc.OnToolRect();  // a document taken away in a drag keeps what was drawn
    Press(100, 100);
    Move(110, 120);
    m_tools.SetDocument(nullptr);
    EXPECT_EQ(AreaLines().back(), "<AREA SHAPE=RECT COORDS=\"100,100,110,120\">");
    EXPECT_FALSE(m_host.HasCapture());
}

namespace {

// Empty when every coordinate of every AREA tag lies in the picture (a circle's centre), else
// the first tag that does not.
std::string TagOutsidePicture(const CLines& lines, int width, int height)
{
    for (const std::string& line : lines) {
        const std::size_t coords = line.find("COORDS=\"");
        if (!line.starts_with("<AREA") || coords == std::string::npos)
            continue;
        std::istringstream numbers(line.substr(coords + 8, line.find('"', coords + 8) - coords - 8));
        std::vector<int> values;
        for (std::string number; std::getline(numbers, number, ',');)
            values.push_back(std::stoi(number));
        const std::size_t checked = line.find("CIRCLE") != std::string::npos ? 2 : values.size();
        for (std::size_t i = 0; i < checked; ++i) {
            if (values[i] < 0 || values[i] >= (i % 2 == 0 ? width : height))
                return line;
        }
    }
    return {};
}

}  // namespace

TEST_F(CanvasTools, RandomGesturesKeepTheTextInsideThePictureAndTheAreasEqualToIt)
{
    const double scales[] = {0.25, 0.5, 0.75, 1.0, 1.5, 2.0, 3.0, 8.0};
    for (unsigned seed = 1; seed <= 60; ++seed) {
        std::mt19937 random(seed);
        auto number = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
        for (int event = 0; event < 300; ++event) {
            const int x = number(-40, 440);
            const int y = number(-40, 340);
            switch (number(0, 15)) {
            case 0: case 1: case 2: Press(x, y); break;
            case 3: case 4: case 5: case 6: Move(x, y, number(0, 1) == 1); break;
            case 7: case 8: Release(x, y); break;
            case 9: RightPress(x, y); break;
            case 10: Key(static_cast<ECanvasKey>(number(0, 8))); break;
            case 11: Tick(); break;
            case 12:
                switch (number(0, 4)) {
                case 0: m_doc.OnToolSelect(); break;
                case 1: m_doc.OnToolRect(); break;
                case 2: m_doc.OnToolCircle(); break;
                case 3: m_doc.OnToolPoly(); break;
                default: m_doc.OnToolZoom(); break;
                }
                break;
            case 13: ShowAt(scales[number(0, 7)], {number(0, 2000), number(0, 1500)}); break;
            case 14: number(0, 1) ? m_doc.OnEditUndo() : m_doc.OnEditRedo(); break;
            default: m_host.LoseCapture(); break;
            }
            ASSERT_EQ(TagOutsidePicture(m_doc.Lines(), 320, 200), "") << "seed " << seed << " event " << event;
            if (m_tools.DragState() != EDragState::kIdle)
                continue;
            CAreaList parsed;
            ParseMap(m_doc.Lines(), m_doc.Page().strMapName, 320, 200, parsed);
            ASSERT_EQ(Describe(m_doc), Describe(parsed)) << "seed " << seed << " event " << event;
            ASSERT_TRUE(HandlesAreCurrent(m_doc)) << "seed " << seed << " event " << event;
        }
    }
}
