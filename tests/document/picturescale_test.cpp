// Scaling the areas and replacing the picture: every coordinate stays inside the picture, the text
// says what the lists hold, and one Undo gives back the page byte for byte with its picture.
#include "document/mapdocument.h"
#include "html/mapreader.h"
#include "image/picturewriter.h"
#include "model/areascale.h"
#include "support/openedpage.h"
#include "support/scriptedprompt.h"

#include <gtest/gtest.h>

#include <random>

using namespace mapwright;

namespace {

// Every coordinate of every area lies in a width x height picture; a radius is never negative.
void ExpectInside(const CAreaList& list, int width, int height)
{
    auto inside = [&](int x, int y) { return x >= 0 && y >= 0 && x < width && y < height; };
    for (const auto& area : list.Areas()) {
        VisitArea(*area, [&](const auto& shape) {
            using Shape = std::decay_t<decltype(shape)>;
            if constexpr (std::is_same_v<Shape, CRectArea>) {
                EXPECT_TRUE(inside(shape.left, shape.top) && inside(shape.right, shape.bottom));
                EXPECT_TRUE(shape.left <= shape.right && shape.top <= shape.bottom);
            } else if constexpr (std::is_same_v<Shape, CCircleArea>) {
                EXPECT_TRUE(inside(shape.x, shape.y));
                EXPECT_GE(shape.radius, 0);
            }
            for (const CAreaPoint& point : shape.m_points)
                EXPECT_TRUE(shape.Shape() != EAreaShape::kPolygon || inside(point.x, point.y));
        });
    }
}

// The areas as the text reads them over a width x height picture, coordinates only.
std::vector<std::string> CoordsOfText(const CMapDocument& doc)
{
    CAreaList read;
    ParseMap(doc.Lines(), doc.Page().strMapName, doc.Picture().Width(), doc.Picture().Height(), read);
    std::vector<std::string> coords;
    for (const auto& area : read.Areas())
        coords.push_back(FormatCoords(*area));
    return coords;
}

std::vector<std::string> CoordsOfList(const CMapDocument& doc)
{
    std::vector<std::string> coords;
    for (const auto& area : doc.Areas())
        coords.push_back(FormatCoords(*area));
    return coords;
}

CLines RandomPage(std::mt19937& random, int& width, int& height)
{
    auto number = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    width = number(1, 400);
    height = number(1, 300);
    CLines lines = {"<IMG SRC=\"p.gif\" USEMAP=\"#p\" WIDTH=" + std::to_string(width) + " HEIGHT='" +
                        std::to_string(height) + "'>",
                    "<MAP NAME=\"p\">"};
    const int count = number(1, 6);
    for (int i = 0; i < count; ++i) {
        // Some coordinates lie outside the picture, as typed text can put them.
        auto x = [&] { return std::to_string(number(-20, width + 20)); };
        auto y = [&] { return std::to_string(number(-20, height + 20)); };
        switch (number(0, 2)) {
        case 0: lines.push_back("<AREA SHAPE=RECT COORDS=\"" + x() + "," + y() + "," + x() + "," + y() + "\" HREF=a>"); break;
        case 1: lines.push_back("<area shape=circle coords='" + x() + "," + y() + "," + std::to_string(number(0, 90)) + "' alt=c>"); break;
        default: {
            std::string coords = x() + "," + y();
            for (int k = number(2, 6); k > 0; --k)
                coords += "," + x() + "," + y();
            lines.push_back("<AREA SHAPE=POLY COORDS=\"" + coords + "\">");
        }
        }
    }
    lines.push_back("</MAP>");
    return lines;
}

TEST(ScaleAreas, StaysInsideReadsBackAndUndoesByteForByte)
{
    std::mt19937 random(20261209);
    for (int trial = 0; trial < 300; ++trial) {
        SCOPED_TRACE(trial);
        int width = 0, height = 0;
        const CLines page = RandomPage(random, width, height);
        CMapDocument doc;
        doc.OpenLines(page, "P", width, height);
        const bool selectedOnly = trial % 3 == 0;
        if (selectedOnly)
            doc.SelectArea(*doc.Areas().back());
        const std::string before = JoinLines(doc.Lines());
        const double fx = std::uniform_real_distribution<double>(0.001, trial % 5 == 0 ? 100.0 : 3.0)(random);
        const double fy = trial % 4 == 0 ? fx : std::uniform_real_distribution<double>(0.001, 3.0)(random);
        ASSERT_TRUE(doc.ScaleAreas(fx, fy, selectedOnly, nullptr));
        EXPECT_EQ(doc.UndoStepCount(), 2);
        ExpectInside(doc, width, height);
        EXPECT_EQ(CoordsOfText(doc), CoordsOfList(doc));
        const std::string scaled = JoinLines(doc.Lines());

        doc.OnEditUndo();
        EXPECT_EQ(JoinLines(doc.Lines()), before);
        doc.OnEditRedo();
        EXPECT_EQ(JoinLines(doc.Lines()), scaled);
    }
}

TEST(ScaleAreas, RoundsClampsAndKeepsCirclesRound)
{
    struct Case {
        std::string tag;
        double fx, fy;
        std::string coords;
    };
    const std::vector<Case> cases = {
        {"<AREA SHAPE=RECT COORDS=\"3,5,100,150\">", 1.5, 2.0, "5,10,150,199"},       // 4.5 rounds up; clamped
        {"<AREA SHAPE=RECT COORDS=\"10,10,20,20\">", 0.25, 0.25, "3,3,5,5"},          // 2.5 rounds up
        {"<AREA SHAPE=CIRCLE COORDS=\"100,50,20\">", 2.0, 0.5, "200,25,10"},           // radius by the smaller
        {"<AREA SHAPE=CIRCLE COORDS=\"100,50,20\">", 10.0, 10.0, "319,199,200"},       // centre clamped
        {"<AREA SHAPE=POLY COORDS=\"0,0,319,0,319,199\">", 0.5, 0.5, "0,0,160,0,160,100"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tag);
        CMapDocument doc;
        doc.OpenLines({"<MAP NAME=m>", c.tag, "</MAP>"}, "M", 320, 200);
        ASSERT_TRUE(doc.ScaleAreas(c.fx, c.fy, false, nullptr));
        EXPECT_EQ(CoordsOfText(doc), std::vector<std::string>{c.coords});
    }
    EXPECT_TRUE(FactorsDiffer(1.0, 1.02));
    EXPECT_FALSE(FactorsDiffer(1.0, 1.005));
}

TEST(ScaleAreas, RefusesZeroAndBeyondTenThousandPercentAndChangesNothing)
{
    CMapDocument doc;
    OpenPage(doc);
    const CLines before = doc.Lines();
    for (const auto& [fx, fy] : {std::pair{0.0, 1.0}, {1.0, 0.0}, {100.0001, 1.0}, {-1.0, -1.0}, {1.0, 1e9}})
        EXPECT_FALSE(doc.ScaleAreas(fx, fy, false, nullptr));
    EXPECT_TRUE(doc.ScaleAreas(100.0, 100.0, false, nullptr));
    doc.OnEditUndo();
    EXPECT_EQ(doc.Lines(), before);
    EXPECT_EQ(doc.UndoStepCount(), 2);
    doc.ClearSelection();
    EXPECT_FALSE(doc.ScaleAreas(2.0, 2.0, true, nullptr));  // nothing selected to scale
}

// A page in a folder of its own, with pictures beside it.
class ReplacePicture : public ::testing::Test {
protected:
    std::string MakePng(const std::string& name, int width, int height)
    {
        picturewriter::PngPicture png;
        png.width = width;
        png.height = height;
        png.rows = picturewriter::SceneSamples(width, height);
        const std::string path = m_folder.File(name);
        EXPECT_TRUE(picturewriter::WritePng(path, png));
        return path;
    }

    void SetUp() override
    {
        ASSERT_TRUE(m_folder.ok());
        std::filesystem::create_directories(m_folder.File("pics"));
        const std::string page = m_folder.File("page.htm");
        const std::string text = "<IMG SRC=\"old.png\" USEMAP=\"#photo\" WIDTH=320 HEIGHT='200'>\r\n"
                                 "<MAP NAME=\"photo\">\r\n"
                                 "<AREA SHAPE=RECT COORDS=\"10,10,50,50\" HREF=\"one.htm\">\r\n"
                                 "<AREA SHAPE=CIRCLE COORDS=\"100,100,20\" HREF=\"two.htm\">\r\n"
                                 "<AREA SHAPE=POLY COORDS=\"300,20,319,199,200,150\">\r\n"
                                 "</MAP>\r\n";
        ASSERT_TRUE(picturewriter::WriteBytes(page, reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
        MakePng("old.png", 320, 200);
        m_doc.SetPrompt(&m_prompt);
        ASSERT_TRUE(m_doc.OnOpenDocument(page));
        m_before = JoinLines(m_doc.Lines());
    }

    picturewriter::TempFolder m_folder;
    CScriptedPrompt m_prompt;
    CMapDocument m_doc;
    std::string m_before;
};

TEST_F(ReplacePicture, RewritesTheImageTagScalesOnYesAndUndoesWithThePicture)
{
    const std::string bigger = MakePng("pics/new.png", 640, 300);
    m_prompt.m_answers = {true};
    ASSERT_TRUE(m_doc.ReplacePicture(bigger, CMapDocument::EAreaScaling::kAsk));
    ASSERT_EQ(m_prompt.m_questions.size(), 1u);
    EXPECT_NE(m_prompt.m_questions[0].find("Scale the areas to the new picture size?"), std::string::npos);
    EXPECT_NE(m_prompt.m_questions[0].find("Circles stay round"), std::string::npos);
    EXPECT_EQ(m_doc.Lines()[0], "<IMG SRC=\"pics/new.png\" USEMAP=\"#photo\" WIDTH=640 HEIGHT='300'>");
    EXPECT_EQ(CoordsOfText(m_doc), (std::vector<std::string>{"20,15,100,75", "200,150,30", "600,30,638,299,400,225"}));
    EXPECT_EQ(m_doc.Picture().Width(), 640);
    EXPECT_EQ(m_doc.UndoStepCount(), 2);
    const std::string replaced = JoinLines(m_doc.Lines());

    m_doc.OnEditUndo();
    EXPECT_EQ(JoinLines(m_doc.Lines()), m_before);
    EXPECT_EQ(m_doc.Picture().Width(), 320);
    EXPECT_EQ(m_doc.Picture().Height(), 200);
    EXPECT_EQ(m_doc.Page().strImagePath, m_folder.File("old.png"));
    m_doc.OnEditRedo();
    EXPECT_EQ(JoinLines(m_doc.Lines()), replaced);
    EXPECT_EQ(m_doc.Picture().Width(), 640);
    EXPECT_TRUE(m_doc.Picture().IsLoaded());
}

TEST_F(ReplacePicture, NoKeepsTheCoordinatesAndASameSizedPictureAsksNothing)
{
    m_prompt.m_answers = {false};
    ASSERT_TRUE(m_doc.ReplacePicture(MakePng("wide.png", 400, 250), CMapDocument::EAreaScaling::kAsk));
    ASSERT_EQ(m_prompt.m_questions.size(), 1u);
    EXPECT_EQ(m_prompt.m_questions[0].find("Circles"), std::string::npos);  // 125 % both ways
    EXPECT_EQ(m_doc.Lines()[2], "<AREA SHAPE=RECT COORDS=\"10,10,50,50\" HREF=\"one.htm\">");

    ASSERT_TRUE(m_doc.ReplacePicture(MakePng("same.png", 400, 250), CMapDocument::EAreaScaling::kAsk));
    EXPECT_EQ(m_prompt.m_questions.size(), 1u);
    EXPECT_EQ(m_doc.Lines()[0], "<IMG SRC=\"same.png\" USEMAP=\"#photo\" WIDTH=400 HEIGHT='250'>");
}

TEST_F(ReplacePicture, AOneByOnePictureTakesEveryArea)
{
    ASSERT_TRUE(m_doc.ReplacePicture(MakePng("dot.png", 1, 1), CMapDocument::EAreaScaling::kScale));
    ExpectInside(m_doc, 1, 1);
    EXPECT_EQ(CoordsOfText(m_doc), (std::vector<std::string>{"0,0,0,0", "0,0,0", "0,0,0,0,0,0"}));
}

TEST_F(ReplacePicture, APictureThatDoesNotDecodeChangesNothing)
{
    const std::string broken = m_folder.File("broken.png");
    ASSERT_TRUE(picturewriter::WriteBytes(broken, reinterpret_cast<const std::uint8_t*>("\x89PNG\r\n\x1a\nxx"), 10));
    EXPECT_FALSE(m_doc.ReplacePicture(broken, CMapDocument::EAreaScaling::kScale));
    EXPECT_FALSE(m_doc.ReplacePicture(m_folder.File("missing.gif"), CMapDocument::EAreaScaling::kScale));
    ASSERT_EQ(m_prompt.m_messages.size(), 2u);
    EXPECT_NE(m_prompt.m_messages[0].text.find("Can't open image file"), std::string::npos);
    EXPECT_EQ(JoinLines(m_doc.Lines()), m_before);
    EXPECT_EQ(m_doc.UndoStepCount(), 1);
    EXPECT_EQ(m_doc.Picture().Width(), 320);
    EXPECT_FALSE(m_doc.IsModified());
}

}  // namespace
