#include "html/mapwriter.h"

#include "html/attributes.h"
#include "html/mapblock.h"
#include "html/textsearch.h"

namespace mapwright {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// The tag position together with the number of tags counted on the way, so that callers can
// tell "tag n" from "the last tag, because there are fewer than n".
struct CLocatedTag {
    CTagPosition pos;
    int nCount = 0;
};

CLocatedTag LocateAreaTag(const CLines& lines, std::string_view mapName, int n)
{
    CLocatedTag found;
    const CMapStart map = FindMapBlock(lines, mapName);
    if (!map.bFound)
        return found;
    CTextPos from = map.pos;
    for (;;) {
        const CTagMark mark = FindNextTagMark(lines, from);
        if (mark.kind == ETagMark::kArea && found.nCount < n) {
            ++found.nCount;
            found.pos.nStartLine = mark.pos.nLine;
            found.pos.nStartCol = static_cast<int>(mark.pos.nCol) + 1;
            from = {mark.pos.nLine, mark.pos.nCol + 5};
            continue;
        }
        if (mark.kind == ETagMark::kNone) {
            found.pos.nEndLine = static_cast<int>(lines.size()) - 1;
            found.pos.nEndCol = static_cast<int>(lines.back().size());
        } else {
            found.pos.nEndLine = mark.pos.nLine;
            found.pos.nEndCol = static_cast<int>(mark.pos.nCol);
        }
        return found;
    }
}

// True when tag n itself was found and its text ends at or after its start.
bool IsWholeTag(const CLocatedTag& found, int n)
{
    return n >= 1 && found.nCount == n && found.pos.nEndLine >= found.pos.nStartLine;
}

// Removes the text from the '<' at (startLine, ltCol) up to (endLine, endCol); a line left with
// blanks only is deleted, except a start line that keeps other text before the tag.
void RemoveTagText(CLines& lines, int startLine, std::size_t ltCol, int endLine, std::size_t endCol)
{
    std::string before = lines[startLine].substr(0, ltCol);
    std::string after = lines[endLine].substr(endCol);
    const bool keepBefore = !TrimLeadingBlanks(before).empty();
    const bool keepAfter = !TrimLeadingBlanks(after).empty();
    if (startLine == endLine) {
        if (!keepBefore && !keepAfter)
            lines.erase(lines.begin() + startLine);
        else
            lines[startLine] = before + after;
        return;
    }
    lines[startLine] = std::move(before);
    lines[endLine] = std::move(after);
    const int first = keepBefore ? startLine + 1 : startLine;
    const int last = keepAfter ? endLine - 1 : endLine;
    if (first <= last)
        lines.erase(lines.begin() + first, lines.begin() + last + 1);
}

void AppendQuoted(std::string& attributes, std::string_view name, std::string_view text)
{
    attributes += name;
    attributes += '"';
    attributes += text;
    attributes += '"';
}

void AppendStatus(std::string& attributes, std::string_view name, std::string_view text)
{
    attributes += name;
    attributes += "\"window.status='";
    attributes += EscapeStatusText(text);
    attributes += "'; return true\"";
}

template <class Points>
std::string JoinNumbers(const Points& numbers)
{
    std::string text;
    for (const int number : numbers) {
        if (!text.empty())
            text += ',';
        text += std::to_string(number);
    }
    return text;
}

}  // namespace

CLines MakeSkeleton(std::string_view mapName, int width, int height)
{
    const std::string name(mapName);
    return {
        "<!-- Created by Mapwright -->",
        "<!-- Visit us at https://quillon.example/mapwright -->",
        "<!-- Beginning of CSIM -->",
        "<IMG SRC=\"" + name + "\" USEMAP=\"#" + name + "\" WIDTH=" + std::to_string(width) +
            " HEIGHT=" + std::to_string(height) + " BORDER=0>",
        "<MAP NAME=\"" + name + "\">",
        "</MAP>",
        "<!-- End of CSIM -->",
    };
}

CTagPosition FindAreaTag(const CLines& lines, std::string_view mapName, int n)
{
    return LocateAreaTag(lines, mapName, n).pos;
}

bool AddAreaTag(CLines& lines, std::string_view mapName, int areaCount, std::string_view keyword,
                std::string_view coords)
{
    const CTagPosition pos = LocateAreaTag(lines, mapName, areaCount).pos;
    if (pos.nEndLine < 0 || pos.nEndLine < pos.nStartLine)
        return false;
    std::string tag = "<AREA SHAPE=";
    tag += keyword;
    tag += " COORDS=\"";
    tag += coords;
    tag += "\">";

    const auto endLine = lines.begin() + pos.nEndLine;
    const std::string_view rest = TrimLeadingBlanks(std::string_view(*endLine).substr(pos.nEndCol));
    CLines inserted{std::move(tag)};
    if (!rest.empty())
        inserted.emplace_back(rest);
    endLine->resize(pos.nEndCol);
    endLine->erase(0, SkipBlanks(*endLine, 0));
    const bool dropFirst = endLine->empty();
    const auto at = lines.insert(endLine + 1, inserted.begin(), inserted.end());
    if (dropFirst)
        lines.erase(at - 1);
    return true;
}

bool RewriteAreaTag(CLines& lines, std::string_view mapName, int n, std::string_view href,
                    std::string_view alt, std::string_view coords, std::string_view statusOver,
                    std::string_view statusOut, std::string_view keyword, std::string_view target)
{
    const CLocatedTag found = LocateAreaTag(lines, mapName, n);
    if (!IsWholeTag(found, n))
        return false;
    const int startLine = found.pos.nStartLine;
    const int endLine = found.pos.nEndLine;
    const std::size_t startCol = found.pos.nStartCol;  // just after the '<'
    const std::size_t endCol = found.pos.nEndCol;

    // The old tag with the text that follows it up to the next tag, lines joined as they are.
    std::string collected = "<";
    if (startLine == endLine) {
        collected.append(lines[startLine], startCol, endCol - startCol);
    } else {
        collected.append(lines[startLine], startCol);
        for (int line = startLine + 1; line < endLine; ++line)
            collected += lines[line];
        collected.append(lines[endLine], 0, endCol);
    }
    const std::size_t close = collected.find('>');
    std::string tagText = collected.substr(0, close);
    const std::string_view tail = close == npos ? std::string_view() : std::string_view(collected).substr(close);

    for (const std::string_view name : {"ONMOUSEOUT=", "ONMOUSEOVER=", "ALT=", "HREF=", "COORDS=", "SHAPE=", "TARGET="})
        tagText = RemoveAttribute(tagText, name);

    std::string attributes = " SHAPE=";
    attributes += keyword;
    AppendQuoted(attributes, " COORDS=", coords);
    if (!href.empty())
        AppendQuoted(attributes, " HREF=", EscapeAttributeText(href));
    if (!target.empty())
        AppendQuoted(attributes, " TARGET=", EscapeAttributeText(target));
    if (!alt.empty())
        AppendQuoted(attributes, " ALT=", EscapeAttributeText(alt));
    if (!statusOver.empty())
        AppendStatus(attributes, " OnMouseOver=", statusOver);
    if (!statusOut.empty())
        AppendStatus(attributes, " OnMouseOut=", statusOut);

    // The tag text still begins with "<AREA" in its own letter case: no attribute name can
    // start right after the letter A, so nothing of it was removed.
    constexpr std::size_t kAfterName = 5;
    std::string newTag = tagText.substr(0, kAfterName);
    newTag += attributes;
    newTag.append(tagText, kAfterName);
    newTag += tail;

    // The new tag takes the old one's place on the start line; the old one moves to the next
    // line and is then removed with the text that followed it.
    std::string& start = lines[startLine];
    std::string cutOff = start.substr(startCol - 1);
    start.resize(startCol - 1);
    start += newTag;
    start.erase(0, SkipBlanks(start, 0));
    lines.insert(lines.begin() + startLine + 1, std::move(cutOff));

    const int oldEndLine = endLine + 1;
    const std::size_t oldEndCol = startLine == endLine ? endCol - (startCol - 1) : endCol;
    RemoveTagText(lines, startLine + 1, 0, oldEndLine, oldEndCol);
    return true;
}

bool DeleteAreaTag(CLines& lines, std::string_view mapName, int n)
{
    const CLocatedTag found = LocateAreaTag(lines, mapName, n);
    if (!IsWholeTag(found, n))
        return false;
    RemoveTagText(lines, found.pos.nStartLine, found.pos.nStartCol - 1, found.pos.nEndLine,
                  found.pos.nEndCol);
    return true;
}

std::string RemoveAttribute(std::string_view tagText, std::string_view nameWithEquals)
{
    const std::size_t at = FindAttributeName(tagText, UpperAscii(nameWithEquals));
    if (at == npos)
        return std::string(tagText);
    std::size_t end = SkipBlanks(tagText, at + nameWithEquals.size());
    char quote = 0;
    if (end < tagText.size() && tagText[end] == '"') {
        quote = '"';
        ++end;
    }
    if (end < tagText.size() && tagText[end] == '\'') {
        quote = '\'';
        ++end;
    }
    for (; end < tagText.size(); ++end) {
        const char c = tagText[end];
        if (quote != 0) {
            if (c == quote)
                quote = 0;
        } else if (IsBlank(c)) {
            break;
        }
    }
    // The separating blank goes with the attribute; any other character belongs to its neighbour.
    const std::size_t cut = at > 0 && IsBlank(tagText[at - 1]) ? at - 1 : at;
    std::string result(tagText.substr(0, cut));
    result += tagText.substr(end);
    return result;
}

std::string FormatCoords(const CRectArea& area)
{
    return JoinNumbers(std::initializer_list<int>{area.left, area.top, area.right, area.bottom});
}

std::string FormatCoords(const CCircleArea& area)
{
    return JoinNumbers(std::initializer_list<int>{area.x, area.y, area.radius});
}

std::string FormatCoords(const CPolyArea& area)
{
    std::vector<int> numbers;
    numbers.reserve(area.m_points.size() * 2);
    for (const CAreaPoint& point : area.m_points) {
        numbers.push_back(point.x);
        numbers.push_back(point.y);
    }
    return JoinNumbers(numbers);
}

}  // namespace mapwright
