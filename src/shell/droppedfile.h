// How a file dropped on the main window, or named on the command line, is taken.
#pragma once

#include <string_view>

namespace mapwright {

// True when path names a picture: "GIF", "PNG", "JPG" or "JPEG" occurs, in any case, at or after
// the last '.' of its file name. A name without '.' is a page; so are photo.jpeg.htm and a
// file in a folder like gifs.d, while map.gifs is a picture.
bool IsDroppedImage(std::string_view path);

}  // namespace mapwright
