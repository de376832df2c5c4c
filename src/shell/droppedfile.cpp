#include "shell/droppedfile.h"

#include "html/pathrules.h"

#include <string>

namespace mapwright {

bool IsDroppedImage(std::string_view path)
{
    // Only the file name counts: a dot in a folder name says nothing about the file.
    std::string name = FileNameOf(path);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return false;
    for (char& c : name) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    for (const char* kind : {"GIF", "PNG", "JPG", "JPEG"}) {
        if (name.find(kind, dot) != std::string::npos)
            return true;
    }
    return false;
}

}  // namespace mapwright
