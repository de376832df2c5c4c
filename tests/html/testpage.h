// Small helpers for the map writer and reader tests: literal pages and readable results.
#pragma once

#include "html/maplines.h"
#include "html/mapreader.h"
#include "model/arealists.h"

#include <memory>
#include <string>
#include <vector>

namespace mapwright::testing {

// The lines of a page joined with '\n', for comparing a whole page in one assertion.
inline std::string PageText(const CLines& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    return text;
}

// A page whose map is named "m", with the given lines between <MAP NAME="m"> and </MAP>.
inline CLines MapPage(const std::vector<std::string>& body)
{
    CLines lines{"<IMG SRC=\"a.gif\" USEMAP=\"#m\">", "<MAP NAME=\"m\">"};
    lines.insert(lines.end(), body.begin(), body.end());
    lines.push_back("</MAP>");
    return lines;
}

// Parses lines of map "m" over an image of width x height into fresh area lists.
inline CAreaLists Parse(const CLines& lines, int width = 640, int height = 480)
{
    CAreaLists areas;
    ParseMap(lines, "m", width, height, areas);
    return areas;
}

// The first area of a list, or an empty one, so that a failed count check does not crash.
template <class Area>
const Area& First(const std::vector<std::unique_ptr<Area>>& list)
{
    static const Area kNone;
    return list.empty() ? kNone : *list.front();
}

}  // namespace mapwright::testing
