#include "document/mapdocument.h"
#include "support/areachecks.h"
#include "html/mapreader.h"
#include "support/openedpage.h"
#include "support/recordingview.h"
#include "support/scriptedprompt.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <stdlib.h>

using namespace mapwright;

TEST(DocumentEdit, DeletingAreaTwoOfThreeRenumbersTheThird)
{
    CMapDocument doc;
    CRecordingView canvas;
    doc.AddView(&canvas);
    OpenPage(doc);
    ASSERT_EQ(doc.AreaCount(), 3);
    doc.SelectArea(*Circles(doc).at(0));
    EXPECT_EQ(doc.GetSelectedIndex(), 2);

    ASSERT_TRUE(doc.DeleteSelectedAreas(nullptr));
    EXPECT_EQ(doc.AreaCount(), 2);
    EXPECT_TRUE(Circles(doc).empty());
    ASSERT_EQ(Rects(doc).size(), 2u);
    EXPECT_EQ(Rects(doc)[0]->m_nIndex, 1);
    EXPECT_EQ(Rects(doc)[1]->m_nIndex, 2);
    EXPECT_TRUE(!doc.FirstSelected() && !doc.FirstSelected() && !doc.FirstSelected());
    EXPECT_EQ(doc.Lines().size(), kThreeAreaPage.size() - 1);
    const std::optional<CTagSpan> second = doc.FindAreaTag(doc.Lines(), 2);
    ASSERT_TRUE(second);
    ASSERT_EQ(second->open.nLine, 4);
    EXPECT_NE(doc.Lines()[4].find("three.htm"), std::string::npos);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(canvas.m_updates.size(), 1u);

    // The renumbered area still writes its own tag, not its neighbour's.
    CRectArea& former3 = *Rects(doc)[1];
    former3.m_strHref = "3.htm";
    ASSERT_TRUE(doc.AreaChanged(former3, EEditSource::kCanvas, &canvas));
    EXPECT_EQ(doc.Lines()[3], kThreeAreaPage[3]);
    EXPECT_EQ(doc.Lines()[4], "<AREA SHAPE=RECT COORDS=\"200,20,300,90\" HREF=\"3.htm\">");

    EXPECT_FALSE(doc.DeleteSelectedAreas(nullptr));  // nothing selected any more
    EXPECT_EQ(doc.UndoStepCount(), 3);
    doc.OnEditUndo();
    doc.OnEditUndo();
    EXPECT_EQ(doc.Lines(), kThreeAreaPage);
    EXPECT_EQ(doc.AreaCount(), 3);
}

TEST(DocumentEdit, DrawnAndPastedAreasAreNumberedSelectedAndWritten)
{
    CMapDocument doc;
    doc.OpenLines(MakeSkeleton("photo.gif", 320, 200), "photo.gif", 320, 200);

    CRectArea& drawn = doc.AppendNewArea(std::make_unique<CRectArea>());
    drawn.left = 10, drawn.top = 20, drawn.right = 110, drawn.bottom = 80;
    // The tag reads back as written, so the area object stays: the reference is still good.
    const auto generation = doc.AreaGeneration();
    ASSERT_TRUE(doc.AreaDrawn(drawn, nullptr));
    EXPECT_EQ(doc.AreaGeneration(), generation);
    EXPECT_EQ(drawn.m_nIndex, 1);
    EXPECT_EQ(doc.FirstSelected(), &drawn);
    EXPECT_EQ(doc.Lines().at(5), "<AREA SHAPE=RECT COORDS=\"10,20,110,80\">");
    EXPECT_EQ(doc.Lines().at(6), "</MAP>");

    auto copy = std::make_unique<CCircleArea>();
    copy->x = 150, copy->y = 100, copy->radius = 30;
    copy->m_strHref = "p.htm";
    CCircleArea& pasted = doc.AppendNewArea(std::move(copy));
    EXPECT_FALSE(doc.IsSelected(drawn));
    EXPECT_EQ(doc.FirstSelected(), &pasted);
    EXPECT_EQ(doc.GetSelectedIndex(), 2);
    ASSERT_TRUE(doc.AreaPasted(pasted, nullptr));
    EXPECT_EQ(doc.Lines().at(6), "<AREA SHAPE=CIRCLE COORDS=\"150,100,30\" HREF=\"p.htm\">");
    EXPECT_EQ(doc.Lines().at(7), "</MAP>");
    EXPECT_EQ(doc.UndoPosition(), 3);
}

TEST(DocumentEdit, AnAreaWithoutAMapBlockOrItsEndForItsTagIsDroppedWithAMessage)
{
    const struct {
        const char* typedAway;  // lines holding this are typed away in the text pane
        const char* message;
    } cases[] = {
        {"MAP", "Cannot add the area: the page has no map \"photo.gif\"."},
        {"</MAP>", "Cannot add the area: the map \"photo.gif\" has no end (</MAP>)."},
    };
    for (const auto& c : cases) {
        CMapDocument doc;
        CScriptedPrompt prompt;
        CRecordingView canvas;
        doc.AddView(&canvas);
        doc.SetPrompt(&prompt);
        doc.OpenLines(MakeSkeleton("photo.gif", 320, 200), "photo.gif", 320, 200);
        CLines typed;
        for (const std::string& line : doc.Lines()) {
            if (line.find(c.typedAway) == std::string::npos)
                typed.push_back(line);
        }
        doc.ApplyTypedLines(typed, nullptr);
        const int steps = doc.UndoStepCount();

        CRectArea& drawn = doc.AppendNewArea(std::make_unique<CRectArea>());
        drawn.left = 10, drawn.top = 20, drawn.right = 110, drawn.bottom = 80;
        EXPECT_FALSE(doc.AreaDrawn(drawn, nullptr));
        EXPECT_EQ(doc.AreaCount(), 0);

        auto copy = std::make_unique<CCircleArea>();
        copy->x = 150, copy->y = 100, copy->radius = 30;
        EXPECT_FALSE(doc.AreaPasted(doc.AppendNewArea(std::move(copy)), nullptr));
        EXPECT_EQ(doc.AreaCount(), 0);

        EXPECT_EQ(doc.Lines(), typed);
        EXPECT_EQ(doc.UndoStepCount(), steps);
        ASSERT_EQ(prompt.m_messages.size(), 2u);
        EXPECT_EQ(prompt.m_messages[0].text, c.message);
        EXPECT_FALSE(canvas.m_updates.empty());
    }
}

TEST(DocumentEdit, FormTextsThatReadBackOtherwiseLeaveTheListsAsTheTextReads)
{
    CMapDocument doc;
    OpenPage(doc);
    ASSERT_EQ(doc.AreaCount(), 3);
    doc.SelectArea(*Rects(doc).at(0));
    const auto expectListsAsRead = [&doc] {
        CAreaList parsed;
        ParseMap(doc.Lines(), doc.Page().strMapName, doc.Picture().Width(), doc.Picture().Height(), parsed);
        ASSERT_EQ(doc.AreaCount(), parsed.AreaCount());
        ASSERT_EQ(Rects(doc).size(), Rects(parsed).size());
        EXPECT_EQ(Rects(doc)[0]->m_strHref, Rects(parsed)[0]->m_strHref);
        EXPECT_EQ(Rects(doc)[0]->m_strTarget, Rects(parsed)[0]->m_strTarget);
        EXPECT_EQ(doc.GetSelectedIndex(), 1);
    };

    // A typed character reference is text like any other: it reads back as typed.
    Rects(doc)[0]->m_strTarget = "two&quot;words";
    ASSERT_TRUE(doc.AreaChanged(*Rects(doc)[0], EEditSource::kForm, nullptr));
    expectListsAsRead();
    EXPECT_EQ(Rects(doc)[0]->m_strTarget, "two&quot;words");

    // A quote and '>' typed into the link.
    Rects(doc)[0]->m_strHref = "a\" TARGET=x>b";
    ASSERT_TRUE(doc.AreaChanged(*Rects(doc)[0], EEditSource::kForm, nullptr));
    expectListsAsRead();
}

TEST(DocumentEdit, ToolCommandsAndViewSwitches)
{
    CMapDocument doc;
    CRecordingView canvas;
    doc.AddView(&canvas);
    doc.OnToolRect();
    EXPECT_TRUE(doc.OnUpdateToolRect().bChecked);
    EXPECT_FALSE(doc.OnUpdateToolSelect().bChecked);
    doc.OnToolRect();  // the active add tool again returns to select
    EXPECT_EQ(doc.Display().nTool, kToolSelect);
    doc.OnToolZoom();
    EXPECT_EQ(doc.Display().nTool, kToolZoom);
    EXPECT_TRUE(doc.OnUpdateToolZoom().bChecked);
    doc.OnToolCircle();
    EXPECT_EQ(doc.Display().nTool, kToolCircle);
    EXPECT_EQ(doc.Display().bZoomMode, 0);
    doc.OnToolPoly();
    EXPECT_EQ(doc.Display().nTool, kToolPoly);
    EXPECT_EQ(doc.OnUpdateToolPoly(), (CCommandState{true, true}));
    EXPECT_FALSE(doc.OnUpdateToolCircle().bChecked);
    doc.OnToolZoom();
    doc.OnToolSelect();
    EXPECT_FALSE(doc.OnUpdateToolZoom().bChecked);
    EXPECT_TRUE(canvas.m_updates.empty());

    doc.OnHatchAreas();
    doc.OnDragHandles();
    EXPECT_EQ(doc.Display().bHatch, 0);
    EXPECT_FALSE(doc.OnUpdateHatchAreas().bChecked);
    EXPECT_FALSE(doc.OnUpdateDragHandles().bChecked);
    doc.OnDragHandles();
    EXPECT_TRUE(doc.OnUpdateDragHandles().bChecked);
    ASSERT_EQ(canvas.m_updates.size(), 3u);
    EXPECT_EQ(canvas.m_updates[0].sender, nullptr);
}

TEST(DocumentEdit, TemporaryFilesAreDeletedWithTheDocumentExceptReplacedOnes)
{
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "mapwright-doc-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path folder = pattern;
    auto touch = [&](const std::string& name) {
        std::ofstream(folder / name) << "x";
        return (folder / name).string();
    };
    {
        CMapDocument doc;
        doc.AddTempFiles(touch("first.htm"), touch("first.png"));
        for (int i = 1; i < CMapDocument::kMaxTempFiles - 1; ++i)
            doc.AddTempFiles("", "");
        doc.AddTempFiles(touch("last.htm"), touch("last.png"));
        EXPECT_EQ(doc.TempFiles().size(), std::size_t(CMapDocument::kMaxTempFiles));
        doc.AddTempFiles(touch("over.htm"), touch("over.png"));
        EXPECT_EQ(doc.TempFiles().size(), std::size_t(CMapDocument::kMaxTempFiles));
        EXPECT_EQ(doc.TempFiles().back().strHtmlFile, (folder / "over.htm").string());
    }
    EXPECT_FALSE(fs::exists(folder / "first.htm") || fs::exists(folder / "first.png"));
    EXPECT_FALSE(fs::exists(folder / "over.htm") || fs::exists(folder / "over.png"));
    EXPECT_TRUE(fs::exists(folder / "last.htm") && fs::exists(folder / "last.png"));
    fs::remove_all(folder);
}

TEST(DocumentEdit, ARewriteLeavesTheTextAfterItsTagWhereItWas)
{
    // "<AR" and "EA" on two lines are no tag, and stay none: the rewrite ends at the tag's '>'.
    CMapDocument doc;
    OpenPage(doc, {"<IMG SRC=\"photo.gif\" USEMAP=\"#photo\">", "<MAP NAME=\"photo\">",
                   "<AREA SHAPE=RECT COORDS=\"1,1,5,5\"> <AR", "EA SHAPE=CIRCLE COORDS=\"9,9,3\">", "</MAP>"});
    ASSERT_EQ(doc.AreaCount(), 1);
    Rects(doc)[0]->m_strHref = "a.htm";
    ASSERT_TRUE(doc.AreaChanged(*Rects(doc)[0], EEditSource::kForm, nullptr));
    EXPECT_EQ(doc.Lines()[2], "<AREA SHAPE=RECT COORDS=\"1,1,5,5\" HREF=\"a.htm\"> <AR");
    EXPECT_EQ(doc.Lines()[3], "EA SHAPE=CIRCLE COORDS=\"9,9,3\">");
    EXPECT_EQ(doc.AreaCount(), 1);
    EXPECT_EQ(Rects(doc)[0]->m_strHref, "a.htm");
}
