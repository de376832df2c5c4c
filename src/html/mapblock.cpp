#include "html/mapblock.h"

#include "html/textsearch.h"

namespace mapwright {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// Finds upperNeedle from pos on, moving to the start of following lines while it is absent.
bool FindAcrossLines(const CLines& lines, std::string_view upperNeedle, CTextPos& pos)
{
    for (std::size_t line = pos.nLine; line < lines.size(); ++line) {
        const std::size_t from = static_cast<int>(line) == pos.nLine ? pos.nCol : 0;
        const std::size_t at = FindNoCase(lines[line], upperNeedle, from);
        if (at != npos) {
            pos = {static_cast<int>(line), at};
            return true;
        }
    }
    return false;
}

}  // namespace

CMapStart FindMapBlock(const CLines& lines, std::string_view mapName)
{
    CTextPos pos;
    while (FindAcrossLines(lines, "<MAP", pos)) {
        pos.nCol += 4;
        if (!FindAcrossLines(lines, "NAME=", pos))
            break;
        const std::string_view line = lines[pos.nLine];
        std::size_t begin = SkipBlanks(line, pos.nCol + 5);
        std::size_t end;
        if (begin < line.size() && line[begin] == '"') {
            ++begin;
            end = line.find_first_of("\">", begin);
        } else {
            end = line.find_first_of(" \t>", begin);
        }
        if (end == npos)
            end = line.size();
        pos.nCol = end;
        if (EqualsNoCase(line.substr(begin, end - begin), mapName))
            return {true, pos};
    }
    return {};
}

CTagMark FindNextTagMark(const CLines& lines, CTextPos from)
{
    for (std::size_t line = from.nLine; line < lines.size(); ++line) {
        const std::string_view text = lines[line];
        std::size_t col = static_cast<int>(line) == from.nLine ? from.nCol : 0;
        // One pass over the '<' of the line: the first "<AREA" wins, else the first "</MAP".
        std::size_t mapEnd = npos;
        while (col < text.size()) {
            const std::size_t lt = text.find('<', col);
            if (lt == npos)
                break;
            const std::string_view rest = text.substr(lt);
            if (FindNoCase(rest.substr(0, 5), "<AREA") == 0)
                return {ETagMark::kArea, {static_cast<int>(line), lt}};
            if (mapEnd == npos && FindNoCase(rest.substr(0, 5), "</MAP") == 0)
                mapEnd = lt;
            col = lt + 1;
        }
        if (mapEnd != npos)
            return {ETagMark::kMapEnd, {static_cast<int>(line), mapEnd}};
    }
    return {};
}

}  // namespace mapwright
