#include "html/pagenames.h"
#include "html/pathrules.h"

#include <gtest/gtest.h>

#include <array>

using namespace mapwright;

TEST(PathRules, FolderEndsAtTheLastColonBackslashOrSlash)
{
    EXPECT_EQ(FolderOf("C:\\web\\img\\logo.gif"), "C:\\web\\img\\");
    EXPECT_EQ(FolderOf("/home/ann/site/page.htm"), "/home/ann/site/");
    EXPECT_EQ(FolderOf("C:logo.gif"), "C:");
    EXPECT_EQ(FolderOf("mixed/dir\\file"), "mixed/dir\\");
    EXPECT_EQ(FolderOf("logo.gif"), "");
    EXPECT_EQ(FileNameOf("C:\\web\\img\\logo.gif"), "logo.gif");
    EXPECT_EQ(FileNameOf("/srv/a.b/pic"), "pic");
    EXPECT_EQ(FileNameOf("pic.png"), "pic.png");
    EXPECT_EQ(FileNameOf("/srv/"), "");
}

TEST(PathRules, AbsoluteReferences)
{
    EXPECT_TRUE(IsAbsoluteReference("C:\\web\\logo.gif"));
    EXPECT_TRUE(IsAbsoluteReference("http://example.org/logo.gif"));
    EXPECT_TRUE(IsAbsoluteReference("//cdn/logo.gif"));
    EXPECT_TRUE(IsAbsoluteReference("\\\\server\\share\\logo.gif"));
    EXPECT_FALSE(IsAbsoluteReference("img/logo.gif"));
    EXPECT_FALSE(IsAbsoluteReference("img\\logo.gif"));
    EXPECT_FALSE(IsAbsoluteReference("/img/logo.gif"));  // one slash: relative to the page's folder
}

TEST(PageNames, ImageAndMapFromTheFirstSourceLine)
{
    CPageNames names = FindPageNames({"<html>", "<IMG SRC=\"pic.gif\" USEMAP=\"#pic\">", "<MAP NAME=\"pic\">"});
    EXPECT_EQ(names.strImageName, "pic.gif");
    EXPECT_EQ(names.strMapName, "PIC");

    // Unquoted values, blanks around '=', the original letter case kept for the image only.
    names = FindPageNames({"<img  src= Photos/Sea.PNG  usemap = #Harbour border=0>"});
    EXPECT_EQ(names.strImageName, "Photos/Sea.PNG");
    EXPECT_EQ(names.strMapName, "HARBOUR");

    names = FindPageNames({"<IMG SRC=\"  a b.gif \" USEMAP=\"##m\">"});
    EXPECT_EQ(names.strImageName, "a b.gif");
    EXPECT_EQ(names.strMapName, "M");
}

TEST(PageNames, TheFirstImageWithAUsemapCountsWhereverItStands)
{
    // Spacer images first, the mapped one over two lines and in single quotes.
    CPageNames names = FindPageNames({"<img src=\"spacer.gif\" width=1>", "<!-- <img src=old.gif usemap=#old> -->",
                                      "<p><img", "   src='pic.gif' usemap='#pic' />"});
    EXPECT_EQ(names.strImageName, "pic.gif");
    EXPECT_EQ(names.strMapName, "PIC");
    // A USEMAP without a value names no map; names inside other words or values count for nothing.
    names = FindPageNames({"<IMG SRC=\"a.gif\" USEMAP>"});
    EXPECT_EQ(names.strImageName, "a.gif");
    EXPECT_EQ(names.strMapName, "");
    names = FindPageNames({"<SCRIPT DATASRC=x.js USEMAP=#m>", "<IMG DATASRC=y.gif ALT=\"USEMAP=#m\">"});
    EXPECT_EQ(names.strImageName, "");
    EXPECT_EQ(FindPageNames({}).strImageName, "");
}

TEST(PageNames, TheMappedImageIsPointedElsewhereInPlace)
{
    CLines lines{"<img src=spacer.gif>", "<img alt=\"x\"", "  src='a b.gif' usemap=\"#m\"/>  <!-- x -->"};
    ASSERT_TRUE(PointMappedImageAt(lines, "t_mw0.gif"));
    EXPECT_EQ(lines, (CLines{"<img src=spacer.gif>", "<img alt=\"x\"", "  src=\"t_mw0.gif\" usemap=\"#m\"/>  <!-- x -->"}));
    lines = {"<IMG USEMAP=#m>"};
    ASSERT_TRUE(PointMappedImageAt(lines, "t.gif"));
    EXPECT_EQ(lines.front(), "<IMG SRC=\"t.gif\" USEMAP=#m>");
    lines = {"<IMG SRC=a.gif>"};
    EXPECT_FALSE(PointMappedImageAt(lines, "t.gif"));
    EXPECT_EQ(lines.front(), "<IMG SRC=a.gif>");
}

TEST(PathRules, ReferencesRelativeToThePageWhereBothShareARoot)
{
    const std::vector<std::array<std::string, 3>> cases = {
        {"/site/img/a.png", "/site/", "img/a.png"},       {"/site/a.png", "/site/pages/deep/", "../../a.png"},
        {"C:\\web\\img\\a.gif", "C:\\web\\p\\", "../img/a.gif"}, {"D:\\a.gif", "C:\\web\\", "D:\\a.gif"},
        {"/site/a.png", "", "/site/a.png"},
    };
    for (const auto& [path, folder, reference] : cases)
        EXPECT_EQ(RelativeReference(path, folder), reference) << path << " from " << folder;
    CLines lines{"<IMG USEMAP=#m WIDTH=\"100%\"", " height = 20>"};  // a percentage is the author's choice
    ResizeMappedImage(lines, 640, 48);
    EXPECT_EQ(lines, (CLines{"<IMG USEMAP=#m WIDTH=\"100%\"", " height = 48>"}));
}
