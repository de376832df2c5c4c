// The page of a document: its lines, the master copy, and the names read from or given to it.
#pragma once

#include "html/maplines.h"

#include <string>

namespace mapwright {

struct CMapPage {
    CLines lines;
    std::string strMapName;
    // The picture's file as the page names it, made absolute against the page's folder.
    std::string strImagePath = "Image Window";
    std::string strImageName;
    // The picture's folder, for a new document only: where the save dialog starts.
    std::string strImageDir;
    // The page was read from a file rather than made for a new picture.
    bool bFromFile = false;
};

}  // namespace mapwright
