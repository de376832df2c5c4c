// The exact text of a map: the skeleton of a new page, and locating, adding, rewriting and
// deleting one AREA tag in place so that every other byte of the page stays as it was.
// The map block is the text from the <MAP whose NAME equals mapName (any letter case) to the
// next </MAP; its AREA tags are numbered 1, 2, 3 ... in text order.
#pragma once

#include "html/maplines.h"
#include "html/starttag.h"
#include "model/maparea.h"

#include <bitset>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mapwright {

// The attributes the writer writes, in the order in which it writes them.
enum EAreaAttribute : int {
    kAttrShape,
    kAttrCoords,
    kAttrHref,
    kAttrTarget,
    kAttrAlt,
    kAttrTitle,
    kAttrMouseOver,
    kAttrMouseOut,
    kAreaAttributeCount,
};
using CAttributeSet = std::bitset<kAreaAttributeCount>;
inline const CAttributeSet kAllAttributes = CAttributeSet().set();

// What an area's tag is to say: the shape keyword (RECT, CIRCLE, POLY), the coordinates as
// FormatCoords writes them, and the six texts as the user typed them.
struct CAreaTagValues {
    std::string_view keyword;
    std::string_view coords;
    std::string_view href;
    std::string_view target;
    std::string_view alt;
    std::string_view statusOver;
    std::string_view statusOut;
    std::string_view title;
};

// Returns the seven lines of a new document for an image of width x height named mapName.
CLines MakeSkeleton(std::string_view mapName, int width, int height);

// Returns where AREA tag n of map mapName stands; nothing when the map or the tag is absent.
std::optional<CTagSpan> FindAreaTag(const CLines& lines, std::string_view mapName, int n);

// Puts <AREA SHAPE=keyword COORDS="coords"> on a line of its own before the end of the map block,
// indented as the line of the last tag before it. Returns false and changes nothing when the map
// block is not found or has no end.
bool AddAreaTag(CLines& lines, std::string_view mapName, std::string_view keyword, std::string_view coords);

// Puts the tags of the map in the order given: the tag at place i (from 0) becomes the one that
// was numbered order[i]. Each tag keeps its bytes and everything between the tags stays. False,
// with nothing changed, when order is not an arrangement of the map's tag numbers. changed, when
// given, learns which lines changed (as many as before: the tags only trade places).
bool PermuteAreaTags(CLines& lines, std::string_view mapName, const std::vector<int>& order,
                     CLineChange* changed = nullptr);

// True when the map block named mapName is found and ends with its </MAP>.
bool MapBlockHasEnd(const CLines& lines, std::string_view mapName);

// Rewrites the attributes named in which of tag n, and no other byte: a value in place in its
// quoting style, an absent attribute inserted after the one before it in the writer's order, an
// empty text's attribute removed with the blanks before it. Returns where the tag now stands, or
// nothing (and changes nothing) when tag n is not in the map.
std::optional<CTagSpan> RewriteAreaTag(CLines& lines, std::string_view mapName, int n, const CAreaTagValues& values,
                                       CAttributeSet which = kAllAttributes);

// The same for the tag whose '<' stands at open, where FindAreaTag found tag n, without walking
// the map to it again.
std::optional<CTagSpan> RewriteAreaTagAt(CLines& lines, CTextPos open, const CAreaTagValues& values,
                                         CAttributeSet which = kAllAttributes);

// Removes tag n, and its line when nothing else stands on it. Returns false and changes nothing
// when tag n is not in the map.
bool DeleteAreaTag(CLines& lines, std::string_view mapName, int n);

// Where every AREA tag of the map stands, tag n at [n - 1], found in one walk.
std::vector<CTagSpan> AreaTagSpans(const CLines& lines, std::string_view mapName);

// Removes the tags numbered in numbers (each as DeleteAreaTag removes one) in one walk of the
// map. Returns false and changes nothing when one of them is not in the map.
bool DeleteAreaTags(CLines& lines, std::string_view mapName, std::vector<int> numbers);

// Appends one bare tag per (keyword, coords) pair before the map's end, in this order, as
// AddAreaTag appends one. False, changing nothing, when the map or its end is missing.
bool AddAreaTags(CLines& lines, std::string_view mapName,
                 const std::vector<std::pair<std::string_view, std::string>>& tags);

// Coordinates as written in COORDS: left,top,right,bottom / x,y,radius / x1,y1,x2,y2,...
std::string FormatCoords(const CRectArea& area);
std::string FormatCoords(const CCircleArea& area);
std::string FormatCoords(const CPolyArea& area);
std::string FormatCoords(const CMapArea& area);
// The SHAPE value the writer writes for shape: RECT, CIRCLE or POLY.
std::string_view ShapeKeyword(EAreaShape shape);

}  // namespace mapwright
