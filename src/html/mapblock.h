// Finding a map block and stepping through its AREA tags, the same way for the writer and the
// reader so that both number the tags alike. Every search is on the upper-case form of a line.
#pragma once

#include "html/maplines.h"

#include <cstddef>
#include <string_view>

namespace mapwright {

// A place in the lines: line index and byte column.
struct CTextPos {
    int nLine = 0;
    std::size_t nCol = 0;
    bool operator==(const CTextPos&) const = default;
};

// Where the map block of a name starts: right after the name in its <MAP tag.
struct CMapStart {
    bool bFound = false;
    CTextPos pos;
};

// Finds the first <MAP whose NAME equals mapName in any letter case; bFound false when none does.
CMapStart FindMapBlock(const CLines& lines, std::string_view mapName);

enum class ETagMark {
    kNone,     // the lines ran out
    kArea,     // "<AREA"
    kMapEnd,   // "</MAP"
};

// What stands next from a position: the first line at or after it that holds "<AREA" or "</MAP"
// (the first line searched from the column on); "<AREA" wins over "</MAP" on the same line.
struct CTagMark {
    ETagMark kind = ETagMark::kNone;
    CTextPos pos;  // the column of the '<'
};

// Returns the next "<AREA" or "</MAP" at or after from; kind kNone when the lines run out.
CTagMark FindNextTagMark(const CLines& lines, CTextPos from);

}  // namespace mapwright
