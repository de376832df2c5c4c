// Finding the image and the map of a page: the first line that holds an image source must also
// carry the USEMAP that names the map.
#pragma once

#include "html/maplines.h"

#include <string>

namespace mapwright {

struct CPageNames {
    std::string strImageName;  // the SRC value as written, quotes and whitespace trimmed; empty when not found
    std::string strMapName;    // the USEMAP value upper-cased, without quotes and '#'; empty when not found
};

// Scans lines from the first until the first line holding "SRC=" has been read, or both names are
// found. The image name is taken only from a line that holds both "SRC=" and " USEMAP".
CPageNames FindPageNames(const CLines& lines);

}  // namespace mapwright
