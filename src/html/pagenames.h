// Finding the image and the map of a page: the first IMG tag that has a USEMAP, wherever it
// stands and however its attributes are spread over lines, as a browser finds it.
#pragma once

#include "html/maplines.h"

#include <string>
#include <string_view>

namespace mapwright {

struct CPageNames {
    std::string strImageName;  // that tag's SRC value, blanks trimmed; empty when not found
    std::string strMapName;    // its USEMAP value upper-cased, without blanks and '#'; empty when not found
};

// Returns the names of the first IMG tag with a USEMAP; both empty when no IMG tag has one.
CPageNames FindPageNames(const CLines& lines);

// Points the SRC of the first IMG tag with a USEMAP at source, in double quotes, changing no
// other byte. Returns false and changes nothing when there is no such tag.
bool PointMappedImageAt(CLines& lines, std::string_view source);

// Gives the WIDTH and HEIGHT of the first IMG tag with a USEMAP the new size, each only where
// the tag has it as a pixel count: a percentage or a missing size is the author's choice.
void ResizeMappedImage(CLines& lines, int width, int height);

}  // namespace mapwright
