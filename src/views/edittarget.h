// What Copy, Delete area (which cuts text) and Paste act on: the pane that has the keyboard focus.
// The canvas copies, deletes and pastes whole areas through the area clipboard; the form and the
// text pane copy, cut and paste text through the system clipboard.
#pragma once

#include "document/mapdocument.h"

namespace mapwright {

class CEditTarget {
public:
    virtual ~CEditTarget() = default;

    // Enabling of Copy and Delete area.
    virtual CCommandState OnUpdateEditCopyCut() const = 0;
    // Enabling of Paste.
    virtual CCommandState OnUpdateEditPaste() const = 0;
    virtual void OnEditCopy() = 0;
    virtual void OnEditCut() = 0;
    virtual void OnEditPaste() = 0;
};

}  // namespace mapwright
