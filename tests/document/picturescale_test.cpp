// Scaling the areas and replacing the picture: every coordinate stays inside the picture, the text
// says what the lists hold, and one Undo gives back the page byte for byte with its picture.
#include "document/mapdocument.h"
#include "html/mapreader.h"
#include "image/picturewriter.h"
#include "support/scriptedprompt.h"

#include <gtest/gtest.h>

#include <random>

using namespace mapwright;

namespace {

// The coordinates of every area as the text reads them, or (fromList) as the list holds them.
std::vector<std::string> Coords(const CMapDocument& doc, bool fromList = false)
{
    CAreaList read;
    ParseMap(doc.Lines(), doc.Page().strMapName, doc.Picture().Width(), doc.Picture().Height(), read);
    std::vector<std::string> coords;
    const CAreaList& list = fromList ? static_cast<const CAreaList&>(doc) : read;
    for (const auto& area : list.Areas())
        coords.push_back(FormatCoords(*area));
    return coords;
}

// Every rectangle corner, circle centre and polygon vertex lies in the picture.
void ExpectInside(const CMapDocument& doc)
{
    const int width = doc.Picture().Width(), height = doc.Picture().Height();
    auto inside = [&](int x, int y) { return x >= 0 && y >= 0 && x < width && y < height; };
    for (const auto& area : doc.Areas()) {
        VisitArea(*area, [&](const auto& a) {
            if constexpr (std::is_same_v<std::decay_t<decltype(a)>, CRectArea>)
                EXPECT_TRUE(inside(a.left, a.top) && inside(a.right, a.bottom));
            else if constexpr (std::is_same_v<std::decay_t<decltype(a)>, CCircleArea>)
                EXPECT_TRUE(inside(a.x, a.y) && a.radius >= 0);
            else
                for (const CAreaPoint& p : a.m_points)
                    EXPECT_TRUE(inside(p.x, p.y));
        });
    }
}

TEST(ScaleAreas, StaysInsideReadsBackAndUndoesByteForByte)
{
    std::mt19937 random(20261209);
    auto number = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int trial = 0; trial < 300; ++trial) {
        SCOPED_TRACE(trial);
        const int width = number(1, 400), height = number(1, 300);
        // Some coordinates lie outside the picture, as typed text can put them.
        auto x = [&] { return std::to_string(number(-20, width + 20)); };
        auto y = [&] { return std::to_string(number(-20, height + 20)); };
        CLines page = {"<MAP NAME=\"p\">"};
        for (int i = number(1, 6); i > 0; --i) {
            const int shape = number(0, 2);
            std::string coords = shape == 1 ? x() + "," + y() + "," + std::to_string(number(0, 90)) : x() + "," + y();
            for (int k = shape == 0 ? 1 : shape == 2 ? number(2, 6) : 0; k > 0; --k)
                coords += "," + x() + "," + y();
            page.push_back("<AREA SHAPE=" + std::string(shape == 0 ? "RECT" : shape == 1 ? "circle" : "POLY") +
                           " COORDS='" + coords + "' HREF=a>");
        }
        page.push_back("</MAP>");
        CMapDocument doc;
        doc.OpenLines(page, "P", width, height);
        const bool selectedOnly = trial % 3 == 0;
        if (selectedOnly)
            doc.SelectArea(*doc.Areas().back());
        const std::string before = JoinLines(doc.Lines());
        const double fx = std::uniform_real_distribution<double>(0.001, trial % 5 == 0 ? 100.0 : 3.0)(random);
        const double fy = trial % 4 == 0 ? fx : std::uniform_real_distribution<double>(0.001, 3.0)(random);
        for (const auto& [refusedX, refusedY] : {std::pair{0.0, fy}, {fx, 100.001}, {-fx, fy}})
            EXPECT_FALSE(doc.ScaleAreas(refusedX, refusedY, selectedOnly, nullptr));
        ASSERT_TRUE(doc.ScaleAreas(fx, fy, selectedOnly, nullptr));
        EXPECT_EQ(doc.UndoStepCount(), 2);
        ExpectInside(doc);
        EXPECT_EQ(Coords(doc), Coords(doc, true));
        const std::string scaled = JoinLines(doc.Lines());
        doc.OnEditUndo();
        EXPECT_EQ(JoinLines(doc.Lines()), before);
        doc.OnEditRedo();
        EXPECT_EQ(JoinLines(doc.Lines()), scaled);
    }
}

TEST(ScaleAreas, RoundsToTheNearestPixelAndKeepsCirclesRound)
{
    const std::vector<std::tuple<std::string, double, double, std::string>> cases = {
        {"RECT COORDS=\"3,5,100,150\"", 1.5, 2.0, "5,10,150,199"},  // 4.5 rounds up; clamped
        {"CIRCLE COORDS=\"100,50,20\"", 2.0, 0.5, "200,25,10"},     // radius by the smaller factor
        {"POLY COORDS=\"0,0,319,0,319,199\"", 0.25, 0.5, "0,0,80,0,80,100"},
    };
    for (const auto& [tag, fx, fy, coords] : cases) {
        CMapDocument doc;
        doc.OpenLines({"<MAP NAME=m>", "<AREA SHAPE=" + tag + ">", "</MAP>"}, "M", 320, 200);
        ASSERT_TRUE(doc.ScaleAreas(fx, fy, false, nullptr));
        EXPECT_EQ(Coords(doc), std::vector<std::string>{coords}) << tag;
    }
}

std::string MakePng(const picturewriter::TempFolder& folder, const std::string& name, int width, int height)
{
    picturewriter::PngPicture png{.width = width, .height = height, .rows = picturewriter::SceneSamples(width, height)};
    std::filesystem::create_directories(std::filesystem::path(folder.File(name)).parent_path());
    EXPECT_TRUE(picturewriter::WritePng(folder.File(name), png));
    return folder.File(name);
}

TEST(ReplacePicture, RewritesTheImageTagScalesAndUndoesWithThePictureAndABrokenOneChangesNothing)
{
    picturewriter::TempFolder folder;
    const std::string text = "<IMG SRC=\"old.png\" USEMAP=\"#photo\" WIDTH=320 HEIGHT='200'>\r\n<MAP NAME=\"photo\">\r\n"
                             "<AREA SHAPE=RECT COORDS=\"10,10,50,50\" HREF=\"one.htm\">\r\n"
                             "<AREA SHAPE=CIRCLE COORDS=\"100,100,20\">\r\n"
                             "<AREA SHAPE=POLY COORDS=\"300,20,319,199,200,150\">\r\n</MAP>\r\n";
    ASSERT_TRUE(picturewriter::WriteBytes(folder.File("page.htm"), reinterpret_cast<const std::uint8_t*>(text.data()),
                                          text.size()));
    MakePng(folder, "old.png", 320, 200);
    ASSERT_TRUE(picturewriter::WriteBytes(folder.File("broken.png"), reinterpret_cast<const std::uint8_t*>("\x89PNG\r\n"), 6));
    CScriptedPrompt prompt;
    CMapDocument doc;
    doc.SetPrompt(&prompt);
    ASSERT_TRUE(doc.OnOpenDocument(folder.File("page.htm")));

    EXPECT_FALSE(doc.ReplacePicture(folder.File("broken.png"), CMapDocument::EAreaScaling::kScale));
    EXPECT_EQ(prompt.m_messages.at(0).text, "Error: Can't open image file.");
    EXPECT_EQ(JoinLines(doc.Lines()), text);
    EXPECT_EQ(doc.UndoStepCount(), 1);

    prompt.m_answers = {true};
    ASSERT_TRUE(doc.ReplacePicture(MakePng(folder, "pics/new.png", 640, 300), CMapDocument::EAreaScaling::kAsk));
    EXPECT_EQ(prompt.m_questions.at(0),
              "Scale the areas to the new picture size?\nCircles stay round: their radius follows the smaller change.");
    EXPECT_EQ(doc.Lines()[0], "<IMG SRC=\"pics/new.png\" USEMAP=\"#photo\" WIDTH=640 HEIGHT='300'>");
    EXPECT_EQ(Coords(doc), (std::vector<std::string>{"20,15,100,75", "200,150,30", "600,30,638,299,400,225"}));
    EXPECT_EQ(doc.UndoStepCount(), 2);
    const std::string replaced = JoinLines(doc.Lines());
    doc.OnEditUndo();
    EXPECT_EQ(JoinLines(doc.Lines()), text);
    EXPECT_EQ(doc.Picture().Width(), 320);
    EXPECT_EQ(doc.Page().strImagePath, folder.File("old.png"));
    doc.OnEditRedo();
    EXPECT_EQ(JoinLines(doc.Lines()), replaced);
    EXPECT_EQ(doc.Picture().Height(), 300);

    ASSERT_TRUE(doc.ReplacePicture(MakePng(folder, "dot.png", 1, 1), CMapDocument::EAreaScaling::kScale));
    EXPECT_EQ(Coords(doc), (std::vector<std::string>{"0,0,0,0", "0,0,0", "0,0,0,0,0,0"}));
}

}  // namespace
