#include "html/maplines.h"

namespace mapwright {

CLines SplitLines(std::string_view bytes)
{
    CLines lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) {
            lines.emplace_back(bytes.substr(start));
            break;
        }
        const std::size_t next = end + 1;
        if (end > start && bytes[end - 1] == '\r')
            --end;
        lines.emplace_back(bytes.substr(start, end - start));
        start = next;
    }
    return lines;
}

std::string JoinLines(const CLines& lines)
{
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace mapwright
