// A small opened page for document tests: a rectangle, a circle and a rectangle in map "photo"
// over a 320 x 200 image, set up as opening a file does (parsed, first undo step, clean).
#pragma once

#include "document/mapdocument.h"

namespace mapwright {

inline const CLines kThreeAreaPage = {
    "<html><body>",
    "<IMG SRC=\"photo.gif\" USEMAP=\"#photo\" WIDTH=320 HEIGHT=200>",
    "<MAP NAME=\"photo\">",
    "<AREA SHAPE=RECT COORDS=\"10,10,50,50\" HREF=\"one.htm\">",
    "<AREA SHAPE=CIRCLE COORDS=\"100,100,20\" HREF=\"two.htm\">",
    "<AREA SHAPE=RECT COORDS=\"200,20,300,90\" HREF=\"three.htm\">",
    "</MAP>",
    "</body></html>",
};

// Loads lines into doc as if they were opened from a file.
inline void OpenPage(CMapDocument& doc, const CLines& lines = kThreeAreaPage)
{
    doc.OpenLines(lines, "PHOTO", 320, 200);
}

// Replaces line n of doc's text and reads the areas again.
inline void SetLine(CMapDocument& doc, std::size_t n, std::string text)
{
    CLines lines = doc.Lines();
    lines.at(n) = std::move(text);
    doc.ReplaceLines(std::move(lines));
}

}  // namespace mapwright
