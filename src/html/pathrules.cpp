#include "html/pathrules.h"

#include <vector>

namespace mapwright {

namespace {

std::size_t FolderLength(std::string_view path)
{
    const std::size_t last = path.find_last_of(":\\/");
    return last == std::string_view::npos ? 0 : last + 1;
}

}  // namespace

std::string FolderOf(std::string_view path)
{
    return std::string(path.substr(0, FolderLength(path)));
}

std::string FileNameOf(std::string_view path)
{
    return std::string(path.substr(FolderLength(path)));
}

bool IsAbsoluteReference(std::string_view reference)
{
    return reference.find(':') != std::string_view::npos || reference.find("//") != std::string_view::npos ||
           reference.find("\\\\") != std::string_view::npos;
}

namespace {

std::vector<std::string_view> SplitFolders(std::string_view path)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/' || path[i] == '\\') {
            parts.push_back(path.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

}  // namespace

std::string RelativeReference(std::string_view path, std::string_view pageFolder)
{
    if (pageFolder.empty())
        return std::string(path);
    const std::vector<std::string_view> from = SplitFolders(pageFolder.substr(0, pageFolder.size() - 1));
    const std::vector<std::string_view> to = SplitFolders(path);
    // Different roots (drive letters, or one of the two relative) have no way between them.
    if (from.empty() || to.size() < 2 || from.front() != to.front())
        return std::string(path);
    std::size_t common = 0;
    while (common < from.size() && common + 1 < to.size() && from[common] == to[common])
        ++common;
    std::string reference;
    for (std::size_t i = common; i < from.size(); ++i)
        reference += "../";
    for (std::size_t i = common; i < to.size(); ++i)
        reference += std::string(to[i]) + (i + 1 < to.size() ? "/" : "");
    return reference;
}

}  // namespace mapwright
