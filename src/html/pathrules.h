// File-name rules used everywhere, as string rules that give the same results for Windows-style and
// Unix-style paths: the folder part of a path ends at its last ':', '\' or '/'.
#pragma once

#include <string>
#include <string_view>

namespace mapwright {

// Returns path up to and including its last ':', '\' or '/'; empty when it has none.
std::string FolderOf(std::string_view path);

// Returns the text after the last ':', '\' or '/' of path; the whole path when it has none.
std::string FileNameOf(std::string_view path);

// True when an image reference is absolute: it contains ':', "//" or two backslashes in a row.
bool IsAbsoluteReference(std::string_view reference);

// The reference a page in folder pageFolder (ending in a separator, or empty) gives to the file
// at path: relative with '/' and "../" when both lie under one root, else path as it is.
std::string RelativeReference(std::string_view path, std::string_view pageFolder);

}  // namespace mapwright
