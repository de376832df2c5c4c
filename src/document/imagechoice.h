// What the main frame keeps for new documents: the image dialog's last path, and the image of a
// file dropped on the window, which is taken without asking.
#pragma once

#include <cstdint>
#include <string>

namespace mapwright {

struct CImageChoice {
    std::string m_strLastImagePath;      // initial file name of the image dialog; empty at start
    std::int32_t m_bPromptForImage = 1;  // 0 only while a document is made for a dropped image
    std::string m_strDroppedImagePath;   // the dropped image's full path
    std::string m_strDroppedImageName;   // its file name
};

}  // namespace mapwright
