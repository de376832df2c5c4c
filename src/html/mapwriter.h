// The exact text of a map: the skeleton of a new page, and locating, adding, rewriting and
// deleting one AREA tag in place so that every other byte of the page stays as it was.
// The map block is the text from the <MAP whose NAME equals mapName (any letter case) to the
// next </MAP; its AREA tags are numbered 1, 2, 3 ... in text order.
#pragma once

#include "html/maplines.h"
#include "model/maparea.h"

#include <string>
#include <string_view>

namespace mapwright {

// Where the n-th AREA tag starts (line, column of its '<' plus one) and where its text ends
// (line, column of the '<' of the next AREA tag or of </MAP). Not found: -1, -1, -2, -2.
struct CTagPosition {
    int nStartLine = -1;
    int nStartCol = -1;
    int nEndLine = -2;
    int nEndCol = -2;
    bool operator==(const CTagPosition&) const = default;
};

// Returns the seven lines of a new document for an image of width x height named mapName.
CLines MakeSkeleton(std::string_view mapName, int width, int height);

// Returns the position of AREA tag n of map mapName; the initial results when the map is absent.
CTagPosition FindAreaTag(const CLines& lines, std::string_view mapName, int n);

// Appends <AREA SHAPE=keyword COORDS="coords"> on a line of its own after tag areaCount, before
// the end of the map block. Returns false and changes nothing when the map block is not found.
bool AddAreaTag(CLines& lines, std::string_view mapName, int areaCount, std::string_view keyword,
                std::string_view coords);

// Rewrites tag n with the given shape, coordinates and texts, keeping its other attributes and
// the letter case of its name. Returns false and changes nothing when tag n is not in the map.
bool RewriteAreaTag(CLines& lines, std::string_view mapName, int n, std::string_view href,
                    std::string_view alt, std::string_view coords, std::string_view statusOver,
                    std::string_view statusOut, std::string_view keyword, std::string_view target);

// Removes the text of tag n. Returns false and changes nothing when tag n is not in the map.
bool DeleteAreaTag(CLines& lines, std::string_view mapName, int n);

// Returns tag text without the attribute name (given with its "="); unchanged when absent.
std::string RemoveAttribute(std::string_view tagText, std::string_view nameWithEquals);

// Coordinates as written in COORDS: left,top,right,bottom / x,y,radius / x1,y1,x2,y2,...
std::string FormatCoords(const CRectArea& area);
std::string FormatCoords(const CCircleArea& area);
std::string FormatCoords(const CPolyArea& area);

}  // namespace mapwright
