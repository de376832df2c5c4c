// One state of the undo history: all lines of the page, the modified flag, the caret and the
// picture the page named then.
#pragma once

#include "document/linesnapshot.h"
#include "document/picture.h"

#include <cstdint>
#include <string>

namespace mapwright {

class CUndoStep {
public:
    std::int32_t m_bModified = 0;  // the document's modified flag when the step was made
    std::int32_t m_nCaret = 0;     // start of the text pane's selection when the step was made
    CLineSnapshot m_lines;         // every line, sharing unchanged ones with the step before
    CPicture m_picture;            // the picture shown, sharing its image with the document
    std::string m_strImagePath;    // where that picture was read from, and its name as shown
    std::string m_strImageName;
};

}  // namespace mapwright
