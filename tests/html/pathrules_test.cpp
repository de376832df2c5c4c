#include "html/pagenames.h"
#include "html/pathrules.h"

#include <gtest/gtest.h>

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

TEST(PageNames, TheScanStopsAfterTheFirstSourceLine)
{
    // The first image has no USEMAP: no image name, even though a later line has both.
    CPageNames names = FindPageNames({"<IMG SRC=\"logo.gif\">", "<IMG SRC=\"pic.gif\" USEMAP=\"#pic\">"});
    EXPECT_EQ(names.strImageName, "");
    EXPECT_EQ(names.strMapName, "");

    // A USEMAP without '=' gives nothing but keeps a name found earlier.
    names = FindPageNames({"<IMG USEMAP=\"#early\"", "x USEMAP y", "SRC=\"a.gif\" USEMAP \"#b\""});
    EXPECT_EQ(names.strMapName, "EARLY");
    EXPECT_EQ(names.strImageName, "a.gif");

    EXPECT_EQ(FindPageNames({}).strImageName, "");
    // "SRC=" inside another word still counts, as the rule finds it anywhere in the line.
    names = FindPageNames({"<SCRIPT DATASRC=x.js USEMAP=#m>"});
    EXPECT_EQ(names.strImageName, "x.js");
}
