// Black-box tests of mapwright-cli: the built program run on pages and pictures made here.
#include "image/picturewriter.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct CRun {
    int status = -1;
    std::string out;
    std::string err;
};

class Cli : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() / ("mapwright-cli-" + std::to_string(::getpid()) + "-" + info->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }

    static std::string Quote(const std::string& arg)
    {
        std::string quoted = "'";
        for (char c : arg)
            quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return quoted + "'";
    }

    CRun Run(const std::vector<std::string>& args) const
    {
        std::string command = Quote(MAPWRIGHT_CLI_PATH);
        for (const std::string& arg : args)
            command += " " + Quote(arg);
        command += " 2>" + Quote(PathOf("stderr.txt"));
        CRun run;
        FILE* pipe = ::popen(command.c_str(), "r");
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            run.out.append(buffer, got);
        const int status = ::pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.err = Read(PathOf("stderr.txt"));
        return run;
    }

    static std::string Read(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        return bytes.str();
    }

    void Write(const std::string& name, const std::string& bytes) const
    {
        fs::create_directories(fs::path(PathOf(name)).parent_path());
        std::ofstream(PathOf(name), std::ios::binary) << bytes;
    }

    // A 100 x 80 GIF with a four-colour palette: colour (x / 25) in every row.
    std::string MakeGif(const std::string& name) const
    {
        picturewriter::GifPicture gif;
        gif.screenWidth = 100;
        gif.screenHeight = 80;
        gif.globalColors = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 8, 7}};
        picturewriter::GifFrame frame;
        frame.width = 100;
        frame.height = 80;
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 100; ++x)
                frame.indices.push_back(static_cast<std::uint8_t>(x / 25));
        gif.frames.push_back(frame);
        fs::create_directories(fs::path(PathOf(name)).parent_path());
        EXPECT_TRUE(picturewriter::WriteGif(PathOf(name), gif));
        return PathOf(name);
    }

    static std::string Page(const std::vector<std::string>& lines)
    {
        std::string text;
        for (const std::string& line : lines)
            text += line + "\r\n";
        return text;
    }

    fs::path m_dir;
};

}  // namespace

TEST_F(Cli, DecodePrintsTheBitmapAndWritesWhatTheCanvasShows)
{
    const std::string gif = MakeGif("pic.gif");
    CRun run = Run({"decode", gif, "--ppm", PathOf("pic.ppm")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\"ok\": true, \"format\": 1, \"width\": 100, \"height\": 80, \"bitCount\": 8, "
                           "\"rowBytes\": 100, \"colors\": 4, \"palette\": 4"),
              std::string::npos)
        << run.out;
    const std::string ppm = Read(PathOf("pic.ppm"));
    ASSERT_EQ(ppm.size(), std::string("P6\n100 80\n255\n").size() + 100 * 80 * 3);
    EXPECT_EQ(ppm.substr(0, 14), "P6\n100 80\n255\n");
    EXPECT_EQ(ppm.substr(14, 3), "\xff\x00\x00"s);                  // top-left: red
    EXPECT_EQ(ppm.substr(14 + 99 * 3, 3), "\x09\x08\x07");           // top-right: the fourth colour

    Write("broken.png", "\x89PNG\r\n\x1a\n garbage");
    run = Run({"decode", PathOf("broken.png")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("\"ok\": false"), std::string::npos);
    EXPECT_EQ(Run({"decode"}).status, 2);
    EXPECT_EQ(Run({"frobnicate"}).status, 2);
}

TEST_F(Cli, NewPrintsTheSkeletonWithCrLf)
{
    const std::string gif = MakeGif("img/logo.gif");
    const CRun run = Run({"new", gif});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, Page({"<!-- Created by Mapwright -->", "<!-- Visit us at https://quillon.example/mapwright -->",
                             "<!-- Beginning of CSIM -->",
                             "<IMG SRC=\"logo.gif\" USEMAP=\"#logo.gif\" WIDTH=100 HEIGHT=80 BORDER=0>",
                             "<MAP NAME=\"logo.gif\">", "</MAP>", "<!-- End of CSIM -->"}));
    const CRun missing = Run({"new", PathOf("none.gif")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Image file " + PathOf("none.gif") + " not found. Do you want to browse it?"),
              std::string::npos);
}

TEST_F(Cli, AreasReadsThePageAsTheEditorDoes)
{
    MakeGif("pic.gif");
    Write("page.htm", Page({"<IMG SRC=\"pic.gif\" USEMAP=\"#pic\">", "<MAP NAME=\"pic\">",
                            "<AREA SHAPE=CIRCLE COORDS=\"50,50,-3\" HREF=\"caf\xe9.htm\">",
                            "<AREA SHAPE=RECT COORDS=\"300,10,20,400\" ALT=\"Tall\">", "</MAP>"}));
    const CRun run = Run({"areas", PathOf("page.htm")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\"map\": \"PIC\", \"width\": 100, \"height\": 80, \"modified\": false, \"undoPos\": 1, "
                           "\"steps\": 1"),
              std::string::npos)
        << run.out;
    // Tag order across the lists; the page is not UTF-8, so its bytes are Latin-1 characters.
    EXPECT_NE(run.out.find("{\"index\": 1, \"shape\": \"circle\", \"coords\": [50, 50, 5], \"href\": \"caf\xc3\xa9.htm\""),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("{\"index\": 2, \"shape\": \"rect\", \"coords\": [20, 10, 99, 79]"), std::string::npos);
    EXPECT_NE(run.out.find("\"points\": [[20, 10, 10], [99, 10, 20]"), std::string::npos);

    Write("nomap.htm", "<IMG SRC=\"pic.gif\">\r\n");
    const CRun failed = Run({"areas", PathOf("nomap.htm")});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err, "Error: Can't find image name.\n");
}

TEST_F(Cli, AMissingImageIsBrowsedOnlyWhenAsked)
{
    const std::string other = MakeGif("other/elsewhere.gif");
    Write("page.htm", Page({"<IMG SRC=\"gone.gif\" USEMAP=\"#m\">", "<MAP NAME=\"m\"></MAP>"}));
    const CRun refused = Run({"areas", PathOf("page.htm")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "Image file " + PathOf("gone.gif") + " not found. Do you want to browse it? No\n");
    const CRun browsed = Run({"areas", PathOf("page.htm"), "--browse", other});
    ASSERT_EQ(browsed.status, 0) << browsed.err;
    EXPECT_NE(browsed.out.find("\"image\": \"" + other + "\", \"imageName\": \"elsewhere.gif\""), std::string::npos);
}

TEST_F(Cli, EditAppliesGesturesAsUndoStepsAndSaves)
{
    MakeGif("img/pic.gif");
    Write("site/page.htm", Page({"<IMG SRC=\"pic.gif\" USEMAP=\"#pic\">", "<MAP NAME=\"pic\">", "</MAP>"}));
    // The page's image is in img/, not beside the page: browse to it, then save with --yes copies it.
    const CRun run = Run({"edit", PathOf("site/page.htm"), "--browse", PathOf("img/pic.gif"), "--yes",
                          "--add", "rect:90,70,10,20", "--set", "1", "href=a\"b.htm", "--set", "1", "href=a\"b.htm",
                          "--add", "circle:50,40,10", "--move", "2", "100,0", "--add", "poly:1,1,200,1,5,60",
                          "--copy", "1", "--paste", "0,0", "--delete", "2", "--undo", "--undo", "--redo", "--save"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string saved = Read(PathOf("site/page.htm"));
    EXPECT_EQ(saved, Page({"<IMG SRC=\"pic.gif\" USEMAP=\"#pic\">", "<MAP NAME=\"pic\">",
                           "<AREA SHAPE=RECT COORDS=\"10,20,90,70\" HREF=\"a&quot;b.htm\">",
                           "<AREA SHAPE=CIRCLE COORDS=\"99,40,10\">", "<AREA SHAPE=POLY COORDS=\"1,1,99,1,5,60\">",
                           "<AREA SHAPE=RECT COORDS=\"0,0,80,50\" HREF=\"a&quot;b.htm\">", "</MAP>"}));
    EXPECT_EQ(Read(PathOf("site/pic.gif")), Read(PathOf("img/pic.gif")));
    // Steps: open, add, set (the repeated set changes nothing), add, move, add, paste, delete; two
    // undos and a redo leave the delete undone.
    EXPECT_NE(run.out.find("\"modified\": false, \"undoPos\": 7, \"steps\": 8"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("Would you like to copy image file to " + PathOf("site/pic.gif") + " ? Yes"),
              std::string::npos);
}

TEST_F(Cli, EditWritesOnlyWhereItIsTold)
{
    MakeGif("pic.gif");
    const std::string original = Page({"<IMG SRC=pic.gif USEMAP=#pic>", "<MAP NAME=pic>",
                                       "<area shape=rect coords=\"1,2,3,4\" nohref id=a>", "</MAP>"});
    Write("page.htm", original);
    Write("typed.txt", "<IMG SRC=pic.gif USEMAP=#pic>\n<MAP NAME=pic>\n<AREA SHAPE=POLY COORDS=\"5,5,9\">\n</MAP>");

    CRun run = Run({"edit", PathOf("page.htm"), "--resize", "1", "2", "20,30"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\"coords\": [1, 2, 20, 30]"), std::string::npos) << run.out;
    EXPECT_EQ(Read(PathOf("page.htm")), original);

    run = Run({"edit", PathOf("page.htm"), "--resize", "1", "2", "20,30", "--text", PathOf("typed.txt"), "-o",
               PathOf("out.htm")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Read(PathOf("out.htm")), Page({"<IMG SRC=pic.gif USEMAP=#pic>", "<MAP NAME=pic>",
                                             "<AREA SHAPE=POLY COORDS=\"5,5,9\">", "</MAP>"}));
    EXPECT_NE(run.out.find("\"coords\": [5, 5]"), std::string::npos) << run.out;
    EXPECT_EQ(Read(PathOf("page.htm")), original);

    run = Run({"edit", PathOf("page.htm"), "--move", "1", "5,5", "--save"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Read(PathOf("page.htm")), Page({"<IMG SRC=pic.gif USEMAP=#pic>", "<MAP NAME=pic>",
                                              "<area shape=rect coords=\"6,7,8,9\" nohref id=a>", "</MAP>"}));

    EXPECT_EQ(Run({"edit", PathOf("page.htm"), "--delete", "7"}).status, 1);
    EXPECT_EQ(Run({"edit", PathOf("page.htm"), "--paste", "0,0"}).status, 1);
    EXPECT_EQ(Run({"edit", PathOf("page.htm"), "--add", "hexagon:1,2"}).status, 2);
    EXPECT_EQ(Run({"edit", PathOf("page.htm"), "--set", "1", "colour=red"}).status, 2);
    EXPECT_EQ(Run({"edit", PathOf("page.htm"), "--move", "1", "5"}).status, 2);
}

TEST_F(Cli, EditGesturesStayOnThePicture)
{
    MakeGif("pic.gif");
    Write("page.htm", Page({"<IMG SRC=pic.gif USEMAP=#pic>", "<MAP NAME=pic>", "</MAP>"}));
    // A polygon clicked beside the picture, a circle turned about its bottom-right corner (57, 47)
    // by its top-left handle, a rectangle started above and left of the picture.
    const CRun run = Run({"edit", PathOf("page.htm"), "--add", "poly:5,5,300,5,50,-20", "--add", "circle:50,40,10",
                          "--resize", "2", "4", "30,20", "--add", "rect:-10,-10,20,20", "--move", "3", "200,0"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\"coords\": [5, 5, 99, 5, 50, 0]"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"coords\": [43, 33, 19]"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"coords\": [79, 0, 99, 20]"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\"undoPos\": 6, \"steps\": 6"), std::string::npos) << run.out;
}

TEST_F(Cli, ReplacePictureScaleAndExportSvg)
{
    MakeGif("site/pic.gif");  // 100 x 80
    Write("site/page.htm", Page({"<IMG SRC=\"pic.gif\" USEMAP=\"#pic\" WIDTH=100 HEIGHT=80>", "<MAP NAME=\"pic\">",
                                 "<AREA SHAPE=CIRCLE COORDS=\"60,40,10\" HREF=\"b.htm\" ALT=\"A & B\">", "</MAP>"}));
    picturewriter::PngPicture png{.width = 200, .height = 120, .rows = picturewriter::SceneSamples(200, 120)};
    fs::create_directories(m_dir / "site/big");
    ASSERT_TRUE(picturewriter::WritePng(PathOf("site/big/pic.png"), png));
    CRun run = Run({"edit", PathOf("site/page.htm"), "--replace-picture", PathOf("site/big/pic.png"), "--scale-areas",
                    "--scale", "50%", "-o", PathOf("out.htm")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Read(PathOf("out.htm")), Page({"<IMG SRC=\"big/pic.png\" USEMAP=\"#pic\" WIDTH=200 HEIGHT=120>",
                                             "<MAP NAME=\"pic\">",
                                             "<AREA SHAPE=CIRCLE COORDS=\"60,30,8\" HREF=\"b.htm\" ALT=\"A & B\">", "</MAP>"}));
    for (const char* refused : {"0%", "10001", "0x80", "bad"})
        EXPECT_EQ(Run({"edit", PathOf("site/page.htm"), "--scale", refused}).status, 1) << refused;

    fs::create_directories(m_dir / "svg");
    ASSERT_EQ(Run({"export-svg", PathOf("site/page.htm"), "-o", PathOf("svg/map.svg")}).status, 0);
    const std::string svg = Read(PathOf("svg/map.svg"));
    EXPECT_TRUE(svg.starts_with("<?xml")) << svg;
    EXPECT_NE(svg.find("<image href=\"../site/pic.gif\" width=\"100\" height=\"80\"/>"), std::string::npos) << svg;
    EXPECT_NE(svg.find("aria-label=\"A &amp; B\""), std::string::npos) << svg;
    EXPECT_NE(Run({"export-svg", PathOf("site/page.htm")}).out.find("<image href=\"pic.gif\""), std::string::npos);
}

TEST_F(Cli, PreciseGeometryOperations)
{
    MakeGif("pic.gif");
    Write("page.htm", Page({"<IMG SRC=pic.gif USEMAP=#pic>", "<MAP NAME=pic>", "<AREA SHAPE=RECT COORDS=\"10,10,20,20\">",
                            "<AREA SHAPE=POLY COORDS=\"0,0,40,0,40,30\">", "</MAP>"}));
    auto has = [](const CRun& run, const std::string& text) { return run.out.find(text) != std::string::npos; };
    // Nudges stop at the edge keeping the size, one step per area; vertices are inserted before
    // the one named (one past the last appends) and deleted down to three.
    CRun run = Run({"edit", PathOf("page.htm"), "--nudge", "1,2", "-15,3", "--nudge", "1", "200,0", "--insert-vertex",
                    "2", "2", "20,-5", "--insert-vertex", "2", "5", "90,90", "--delete-vertex", "2", "1"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(has(run, "\"coords\": [89, 13, 99, 23]")) << run.out;
    EXPECT_TRUE(has(run, "\"coords\": [20, 0, 40, 3, 40, 33, 90, 79]")) << run.out;
    EXPECT_TRUE(has(run, "\"undoPos\": 7, \"steps\": 7")) << run.out;
    run = Run({"edit", PathOf("page.htm"), "--delete-vertex", "2", "1"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("A polygon needs at least three vertices."), std::string::npos) << run.err;
    // A grid snaps the drawing, moves and handle drags after it; 0 ends it. Typed coordinates.
    run = Run({"edit", PathOf("page.htm"), "--grid", "10", "--add", "rect:12,13,47,58", "--move", "3", "6,-4",
               "--resize", "3", "2", "96,99", "--grid", "0", "--move", "3", "1,1", "--coords", "2", "5, 6,300,7,8,9"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(has(run, "\"coords\": [21, 11, 91, 71]")) << run.out;
    EXPECT_TRUE(has(run, "\"coords\": [5, 6, 99, 7, 8, 9]")) << run.out;
    run = Run({"edit", PathOf("page.htm"), "--coords", "1", "1,2,x,4"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Type whole numbers separated by commas."), std::string::npos) << run.err;
    for (std::vector<std::string> bad : std::vector<std::vector<std::string>>{
             {"--nudge", "1", "1"}, {"--delete-vertex", "2"}, {"--grid", "-1"}, {"--insert-vertex", "1", "1", "5"}}) {
        bad.insert(bad.begin(), {"edit", PathOf("page.htm")});
        EXPECT_EQ(Run(bad).status, 2) << bad[2];
    }
    EXPECT_EQ(Run({"edit", PathOf("page.htm"), "--insert-vertex", "1", "1", "5,5"}).status, 1);
    // The stacking order: the polygon to the top, then one down again; an end of the stack stays.
    run = Run({"edit", PathOf("page.htm"), "--order", "2", "top", "--order", "1", "up", "--order", "1", "down"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(has(run, "{\"index\": 1, \"shape\": \"rect\"")) << run.out;
    EXPECT_TRUE(has(run, "\"undoPos\": 3, \"steps\": 3")) << run.out;
    EXPECT_EQ(Run({"edit", PathOf("page.htm"), "--order", "1", "sideways"}).status, 2);
}

TEST_F(Cli, SeveralAreasAtOnce)
{
    MakeGif("pic.gif");
    Write("page.htm", Page({"<IMG SRC=pic.gif USEMAP=#pic>", "<MAP NAME=pic>", "<AREA SHAPE=RECT COORDS=\"10,10,20,20\">",
                            "<AREA SHAPE=CIRCLE COORDS=\"50,50,5\">", "<AREA SHAPE=RECT COORDS=\"80,5,95,15\">", "</MAP>"}));
    auto has = [](const CRun& run, const std::string& text) { return run.out.find(text) != std::string::npos; };
    // Areas 1 and 3 move together, as far as area 3 can go; a field set on both is one step; the
    // selection is reported for each.
    CRun run = Run({"edit", PathOf("page.htm"), "--move", "1,3", "10,2", "--set", "1,3", "alt=Both", "--select", "3,1"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(has(run, "\"coords\": [14, 12, 24, 22], \"href\": \"\", \"alt\": \"Both\"")) << run.out;
    EXPECT_TRUE(has(run, "\"coords\": [84, 7, 99, 17], \"href\": \"\", \"alt\": \"Both\"")) << run.out;
    EXPECT_TRUE(has(run, "\"undoPos\": 3, \"steps\": 3")) << run.out;
    std::size_t selected = 0;
    for (std::size_t at = run.out.find("\"selected\": true"); at != std::string::npos;
         at = run.out.find("\"selected\": true", at + 1))
        ++selected;
    EXPECT_EQ(selected, 2u);
    // Copied together, they paste with their box at the point; deleted together, one step; the
    // stack takes them as a block.
    run = Run({"edit", PathOf("page.htm"), "--copy", "1,3", "--paste", "0,60", "--delete", "1,3", "--order", "2,3", "bottom",
               "--select-all"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(has(run, "{\"index\": 1, \"shape\": \"circle\"")) << run.out;
    EXPECT_TRUE(has(run, "\"coords\": [0, 65, 10, 75]")) << run.out;
    EXPECT_TRUE(has(run, "\"coords\": [70, 60, 85, 70]")) << run.out;
    EXPECT_EQ(run.out.find("\"selected\": false"), std::string::npos) << run.out;
    EXPECT_EQ(Run({"edit", PathOf("page.htm"), "--select", "1,4"}).status, 1);
    EXPECT_EQ(Run({"edit", PathOf("page.htm"), "--delete", "1,x"}).status, 2);
}
