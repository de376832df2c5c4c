// Enabled and checked state of every command, computed from the current state alone.
#pragma once

#include "document/vavedidivovdoc.h"

namespace mapwright {

class CAreaForm;
class CHtmlPane;

// Everything the states depend on, gathered afresh each time.
struct CCommandContext {
    CVavedIdivovDoc* pDocument = nullptr;  // the active document frame's document, or null
    CAreaForm* pForm = nullptr;           // the frame's active view when it is the form
    CHtmlPane* pTextPane = nullptr;        // the frame's active view when it is the text pane
    bool bToolBarVisible = false;
    bool bStatusBarVisible = false;
    int nRecentFiles = 0;                  // entries in the recent-file list
    bool bHasMinimizedFrame = false;       // some document frame is minimized
};

// The state of command id. Commands that need a document are disabled without one.
CCommandState CommandState(int id, const CCommandContext& context);

}  // namespace mapwright
