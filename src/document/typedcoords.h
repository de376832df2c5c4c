// Coordinates typed as text, as a COORDS value stands in a tag: checked strictly against the
// area's shape before anything is written, then applied as one edit kept inside the picture.
#pragma once

#include "model/maparea.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mapwright {

class CMapDocument;
class CView;

// More numbers than this are refused: nothing drawn by hand comes near, and the text stays small.
constexpr std::size_t kMaxTypedNumbers = 65536;

// The numbers of text for an area of shape: whole numbers from 0 to 2^31 - 1 separated by commas
// (blanks around them allowed); 4 for a rectangle, 3 for a circle, an even count of at least 4
// for a polygon. Nothing, with a short message in error, when text is anything else.
std::optional<std::vector<int>> ParseTypedCoords(std::string_view text, EAreaShape shape, std::string& error);

// Gives area (one of doc's) the coordinates typed in text, each point kept inside the picture as a
// drag keeps it (a circle's centre; a rectangle's corners put in order), and rewrites its tag as
// one undo step. False, with the message in error and nothing changed, when text is refused.
bool ApplyTypedCoords(CMapDocument& doc, CMapArea& area, std::string_view text, CView* sender, std::string& error);

}  // namespace mapwright
