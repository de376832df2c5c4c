#include "html/pathrules.h"

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

}  // namespace mapwright
