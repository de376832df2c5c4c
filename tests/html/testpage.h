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

// Every area in tag order as "<index><R|C|P> <geometry>|href|alt|over|out|target", trailing empty
// texts left out: "2C 5 6 7|a.htm".
inline std::vector<std::string> Describe(const CAreaList& areas)
{
    std::vector<std::pair<int, std::string>> all;
    auto add = [&](const CMapArea& area, char kind, const std::vector<int>& geometry) {
        std::string text = std::to_string(area.m_nIndex) + kind;
        for (const int v : geometry)
            text += ' ' + std::to_string(v);
        std::vector<std::string> texts{area.m_strHref, area.m_strAlt, area.m_strStatusOver, area.m_strStatusOut,
                                       area.m_strTarget};
        while (!texts.empty() && texts.back().empty())
            texts.pop_back();
        for (const std::string& t : texts)
            text += '|' + t;
        all.emplace_back(area.m_nIndex, text);
    };
    for (const auto& a : Rects(areas))
        add(*a, 'R', {a->left, a->top, a->right, a->bottom});
    for (const auto& a : Circles(areas))
        add(*a, 'C', {a->x, a->y, a->radius});
    for (const auto& a : Polys(areas)) {
        std::vector<int> xy;
        for (const CAreaPoint& p : a->m_points)
            xy.insert(xy.end(), {p.x, p.y});
        add(*a, 'P', xy);
    }
    std::sort(all.begin(), all.end());
    std::vector<std::string> described;
    for (auto& [index, text] : all)
        described.push_back(std::move(text));
    return described;
}

using CDescribed = std::vector<std::string>;

}  // namespace mapwright::testing
