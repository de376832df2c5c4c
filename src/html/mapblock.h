// Finding a map block and stepping through its AREA tags, the same way for the writer and the
// reader so that both number the tags alike. The map block runs from the '>' of the <MAP tag whose
// NAME equals the map name (any letter case) to the next </MAP; its AREA tags are numbered 1, 2,
// 3 ... in text order. Tags inside comments do not count.
#pragma once

#include "html/maplines.h"
#include "html/starttag.h"

#include <optional>
#include <string_view>
#include <vector>

namespace mapwright {

// Returns the position just after the '>' of the first <MAP tag named mapName; nothing when none is.
std::optional<CTextPos> FindMapBlock(const CLines& lines, std::string_view mapName);

// What a walk through a map's AREA tags met.
struct CMapWalk {
    bool bMapFound = false;
    CTextPos mapStart;               // just after the '>' of the <MAP tag, when it was found
    int nTags = 0;                   // tags handed to the callback
    std::optional<CTextPos> mapEnd;  // the '<' of the </MAP, when the walk reached it
};

// Hands every AREA tag of map mapName to onTag(number, tag) in text order while onTag returns
// true. A tag still open when the lines end is not handed on, and ends the walk.
template <class OnTag>
CMapWalk WalkAreaTags(const CLines& lines, std::string_view mapName, OnTag onTag)
{
    CMapWalk walk;
    const std::optional<CTextPos> start = FindMapBlock(lines, mapName);
    if (!start)
        return walk;
    walk.bMapFound = true;
    walk.mapStart = *start;
    CTextPos from = *start;
    CStartTag tag;
    for (;;) {
        const std::optional<CTagFind> found = FindNextTag(lines, from, {"AREA", "/MAP"});
        if (!found)
            return walk;
        if (found->nName == 1) {
            walk.mapEnd = found->pos;
            return walk;
        }
        if (!tag.Read(lines, found->pos, 4))
            return walk;
        ++walk.nTags;
        if (!onTag(walk.nTags, static_cast<const CStartTag&>(tag)))
            return walk;
        from = tag.Span().end;
    }
}

// Where a whole walk found the map and its tags: enough to show that an edit of some lines leaves
// the rest of the walk as it was.
struct CMapLayout {
    CTextPos start;               // just after the '>' of the <MAP tag
    std::vector<CTagSpan> tags;   // tag n at tags[n - 1]
    CTextPos end;                 // the '<' of the </MAP
};

}  // namespace mapwright
