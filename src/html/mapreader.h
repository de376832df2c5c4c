// The tolerant reader that rebuilds the areas of a map from its HTML lines.
#pragma once

#include "html/mapblock.h"
#include "html/maplines.h"
#include "model/arealist.h"

#include <optional>
#include <string_view>

namespace mapwright {

// Rebuilds areas from the map block named mapName in lines, clamping coordinates into an image
// of imageWidth x imageHeight and keeping the previously selected tag number selected. Never
// rejects input: what cannot be used gives empty texts or zero coordinates. Tags and values are read
// as a browser reads them: values in double, single or no quotes, tags over several lines.
void ParseMap(const CLines& lines, std::string_view mapName, int imageWidth, int imageHeight,
              CAreaList& areas);
// The same into areas, selecting the tag numbered selectedIndex (none when 0).
void ParseMap(const CLines& lines, std::string_view mapName, int imageWidth, int imageHeight,
              int selectedIndex, CAreaList& areas);

// The same, and where the walk found the map and its tags: layout is set only when the walk went
// through every tag to the map's end (and emptied otherwise).
void ParseMap(const CLines& lines, std::string_view mapName, int imageWidth, int imageHeight,
              int selectedIndex, CAreaList& areas, std::optional<CMapLayout>& layout);

// After change made lines out of the text whose whole reading had layout (removed: the lines the
// change took out), reads only the tags the changed lines touch, when that provably reads as a
// whole reading of lines would: into read the tags that stand for areas [first, first + count)
// of the old reading, as many and of the same shapes, numbered 1.... Returns first (from 0) and
// brings layout up to date; nothing, changing nothing but read, when a whole reading is needed.
std::optional<int> ReadChangedTags(const CLines& lines, const CLines& removed, const CLineChange& change,
                                   std::string_view mapName, int imageWidth, int imageHeight,
                                   const CAreaList& old, CMapLayout& layout, CAreaList& read);

// Reads AREA tag n (from 1) alone, as ParseMap reads it, into areas, emptied first and then
// holding that one area, unselected and numbered 1. Returns where the tag lies, or nothing (and
// no area) when the map has no tag n.
std::optional<CTagSpan> ReadAreaTag(const CLines& lines, std::string_view mapName, int imageWidth,
                                    int imageHeight, int n, CAreaList& areas);

// Reads the AREA tag whose '<' stands at open (where the map's walk found it) as ReadAreaTag
// reads it, without walking the map to it. Returns where the tag lies, or nothing (and no area)
// when no '>' closes it.
std::optional<CTagSpan> ReadAreaTagAt(const CLines& lines, CTextPos open, int imageWidth, int imageHeight,
                                      CAreaList& areas);

// The kind of area a SHAPE value names, in any letter case: rect and rectangle, circle and circ,
// poly and polygon; anything else, and no value, is a rectangle.
EAreaShape ShapeOf(std::string_view shape);

}  // namespace mapwright
