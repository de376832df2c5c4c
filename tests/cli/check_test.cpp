// Black-box tests of mapwright-cli check (exit status, the finding lines, the JSON per page) and of
// the title in the areas' JSON.
#include "image/picturewriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct CRun {
    int status = -1;
    std::string out;
};

class CliCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("mapwright-check-" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        ASSERT_TRUE(picturewriter::WritePlainGif(PathOf("p.gif"), 200, 100));
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }

    // Writes a page whose IMG and MAP stand on lines 1 and 2, the areas from line 3.
    std::string WritePage(const std::string& name, const std::string& img, const std::vector<std::string>& areas) const
    {
        std::string text = img + "\r\n<MAP NAME=\"m\">\r\n";
        for (const std::string& area : areas)
            text += area + "\r\n";
        std::ofstream(PathOf(name), std::ios::binary) << text << "</MAP>\r\n";
        return PathOf(name);
    }

    CRun Run(const std::vector<std::string>& args) const
    {
        std::string command = MAPWRIGHT_CLI_PATH;
        for (const std::string& arg : args)
            command += " '" + arg + "'";
        CRun run;
        FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            run.out.append(buffer, got);
        const int status = ::pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return run;
    }

    fs::path m_dir;
};

const std::string kImg = R"(<IMG SRC="p.gif" USEMAP="#m" ALT="Plan">)";

TEST_F(CliCheck, ExitStatusFollowsTheLeastSeverityAsked)
{
    const std::string clean = WritePage("clean.htm", kImg, {R"(<AREA SHAPE=RECT COORDS="0,0,50,50" HREF="a.htm" ALT="Alpha">)"});
    const std::string warned = WritePage("warned.htm", kImg, {R"(<AREA SHAPE=RECT COORDS="0,0,50,50" HREF="#" ALT="Alpha">)"});
    const std::string failed = WritePage("failed.htm", kImg, {R"(<AREA SHAPE=RECT COORDS="0,0,50,50" HREF="a.htm">)"});
    struct {
        std::vector<std::string> args;
        int status;
    } cases[] = {
        {{"check", clean}, 0},
        {{"check", warned}, 0},
        {{"check", "--min", "warning", warned}, 1},
        {{"check", clean, failed}, 1},
        {{"check", "--min", "note", clean}, 2},
        {{"check", "--json"}, 2},
        {{"check", "--fast", clean}, 2},
    };
    for (const auto& test : cases)
        EXPECT_EQ(Run(test.args).status, test.status) << test.args.back();
    EXPECT_EQ(Run({"check", clean}).out, "");
}

TEST_F(CliCheck, LinesNameThePageTheTagsLineTheRuleAndTheCriterion)
{
    const std::string page = WritePage("p.htm", R"(<IMG SRC="p.gif" USEMAP="#m">)",
                                       {R"(<AREA SHAPE=RECT COORDS="0,0,50,50" HREF="a.htm" ALT="Alpha">)",
                                        R"(<AREA SHAPE=RECT COORDS="60,0,110,50" HREF="b.htm">)"});
    const std::string noPicture = WritePage("q.htm", R"(<IMG SRC="gone.gif" USEMAP="#m" ALT="x">)", {});
    const CRun run = Run({"check", page, PathOf("missing.htm"), noPicture});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, page + ":1: error: The image has no alternate text (ALT). [img-alt, WCAG 1.1.1]\n" + page +
                           ":4: error: Area 2 is a link without alternate text. [area-alt, WCAG 1.1.1, 2.4.4, 4.1.2]\n" +
                           PathOf("missing.htm") + ": error: Cannot open " + PathOf("missing.htm") +
                           ": No such file or directory. [page-unreadable]\n" + noPicture + ": error: Image file " +
                           PathOf("gone.gif") + " not found. [page-unreadable]\n");
}

TEST_F(CliCheck, JsonGivesOneObjectPerPageInTheOrderGiven)
{
    std::vector<std::string> args{"check", "--json"};
    for (int i = 0; i < 12; ++i) {
        const std::string alt = i % 2 ? "" : R"( ALT="Alpha")";
        args.push_back(WritePage("p" + std::to_string(i) + ".htm", kImg,
                                 {R"(<AREA SHAPE=RECT COORDS="0,0,50,50" HREF="a.htm")" + alt + " NOHREF>",
                                  R"(<AREA SHAPE=RECT COORDS="40,0,50,10" HREF="b.htm")" + alt + ">"}));
    }
    const CRun run = Run(args);
    EXPECT_EQ(run.status, 1);
    std::string expected;
    for (int i = 0; i < 12; ++i) {
        expected += "{\"page\": \"" + args[2 + i] + "\", \"findings\": [";
        if (i % 2)
            expected += R"({"rule": "area-alt", "severity": "error", "wcag": "1.1.1, 2.4.4, 4.1.2", "area": 2, "line": 4, )"
                        R"("message": "Area 2 is a link without alternate text."}, )";
        expected += R"({"rule": "area-hidden", "severity": "error", "wcag": null, "area": 2, "line": 4, )"
                    R"("message": "Area 2 can never be clicked: earlier areas cover all of it."}, )"
                    R"({"rule": "target-small", "severity": "warning", "wcag": "2.5.8", "area": 2, "line": 4, )"
                    R"("message": "Area 2 is smaller than 24 x 24 pixels on the page."}]})"
                    "\n";
    }
    EXPECT_EQ(run.out, expected);
}

TEST_F(CliCheck, AreasShowATitleOnlyWhereThePageHasOne)
{
    const std::string page = WritePage("p.htm", kImg,
                                       {R"(<AREA SHAPE=RECT COORDS="0,0,50,50" HREF="a.htm" ALT="Alpha" TITLE="Pier">)",
                                        R"(<AREA SHAPE=RECT COORDS="60,0,110,50" HREF="b.htm" ALT="Beta">)"});
    const std::string json = Run({"areas", page}).out;
    EXPECT_NE(json.find(R"("out": "", "title": "Pier", "selected")"), std::string::npos) << json;
    EXPECT_EQ(json.find("title"), json.rfind("title")) << json;

    const CRun edited = Run({"edit", page, "--set", "2", "title=Gate", "-o", PathOf("out.htm")});
    EXPECT_EQ(edited.status, 0);
    std::ifstream out(PathOf("out.htm"), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(out)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find(R"(HREF="b.htm" ALT="Beta" TITLE="Gate">)"), std::string::npos) << text;
}

}  // namespace
