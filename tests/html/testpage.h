// Small helpers for the map writer and reader tests: literal pages and readable results.
#pragma once

#include "html/maplines.h"
#include "support/areachecks.h"
#include "html/mapreader.h"
#include "model/arealist.h"

#include <algorithm>
#include <string>
#include <vector>

namespace mapwright::testing {

// The lines of a page joined with '\n', for comparing a whole page in one assertion.
inline std::string PageText(const CLines& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + '\n';
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
inline CAreaList Parse(const CLines& lines, int width = 640, int height = 480)
{
    CAreaList areas;
    ParseMap(lines, "m", width, height, areas);
    return areas;
}

// The shape letter (R, C or P) and the coordinate numbers of area.
inline std::pair<char, std::vector<int>> ShapeAndNumbers(const CMapArea& area)
{
    switch (area.Shape()) {
    case EAreaShape::kRectangle: {
        const auto& rect = static_cast<const CRectArea&>(area);
        return {'R', {rect.left, rect.top, rect.right, rect.bottom}};
    }
    case EAreaShape::kCircle: {
        const auto& circle = static_cast<const CCircleArea&>(area);
        return {'C', {circle.x, circle.y, circle.radius}};
    }
    case EAreaShape::kPolygon: break;
    }
    std::vector<int> xy;
    for (const CAreaPoint& p : area.m_points)
        xy.insert(xy.end(), {p.x, p.y});
    return {'P', xy};
}

// Every area in tag order as "<index><R|C|P> <geometry>|href|alt|over|out|target", trailing empty
// texts left out: "2C 5 6 7|a.htm".
inline std::vector<std::string> Describe(const CAreaList& areas)
{
    std::vector<std::string> described;
    for (const auto& area : areas.Areas()) {
        const auto [kind, geometry] = ShapeAndNumbers(*area);
        std::string text = std::to_string(area->m_nIndex) + kind;
        for (const int v : geometry)
            text += ' ' + std::to_string(v);
        std::vector<std::string> texts{area->m_strHref, area->m_strAlt, area->m_strStatusOver, area->m_strStatusOut,
                                       area->m_strTarget};
        while (!texts.empty() && texts.back().empty())
            texts.pop_back();
        for (const std::string& t : texts)
            text += '|' + t;
        described.push_back(std::move(text));
    }
    return described;
}

using CDescribed = std::vector<std::string>;

}  // namespace mapwright::testing
