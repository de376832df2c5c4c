// One state of the undo history: all lines of the page, the modified flag and the caret.
#pragma once

#include "document/linesnapshot.h"

#include <cstdint>

namespace mapwright {

class CUndoStep {
public:
    std::int32_t m_bModified = 0;  // the document's modified flag when the step was made
    std::int32_t m_nCaret = 0;     // start of the text pane's selection when the step was made
    CLineSnapshot m_lines;         // every line, sharing unchanged ones with the step before
};

}  // namespace mapwright
