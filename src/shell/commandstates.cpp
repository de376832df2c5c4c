#include "shell/commandstates.h"

#include "integration/browsertest.h"
#include "shell/commandids.h"
#include "shell/scalecommands.h"
#include "views/areaform.h"
#include "views/htmlpane.h"

#include <optional>

namespace mapwright {

namespace {

constexpr CCommandState kEnabled{true, false};
constexpr CCommandState kDisabled{false, false};

CCommandState EnabledIf(bool condition)
{
    return condition ? kEnabled : kDisabled;
}

CCommandState CheckedIf(bool condition)
{
    return {true, condition};
}

// Commands that need no document.
std::optional<CCommandState> FrameCommandState(int id, const CCommandContext& context)
{
    switch (id) {
    case ID_FILE_NEW:
    case ID_FILE_OPEN:
    case ID_APP_EXIT:
    case ID_APP_ABOUT:
    case ID_HELP_FINDER:
    case ID_HELP:
    case ID_DEFAULT_HELP:
    case ID_CONTEXT_HELP:
        return kEnabled;
    case ID_FILE_MRU_FILE1:
    case ID_FILE_MRU_FILE2:
    case ID_FILE_MRU_FILE3:
    case ID_FILE_MRU_FILE4:
        return EnabledIf(id - ID_FILE_MRU_FILE1 < context.nRecentFiles);
    case ID_VIEW_TOOLBAR:
        return CheckedIf(context.bToolBarVisible);
    case ID_VIEW_STATUS_BAR:
        return CheckedIf(context.bStatusBarVisible);
    default:
        return std::nullopt;
    }
}

// Copy and Delete area follow the active view; with the focus in none of its places there is
// nothing to act on.
CCommandState EditCopyCutState(const CCommandContext& context)
{
    if (context.pForm)
        return context.pForm->OnUpdateEditCopyCut().value_or(kDisabled);
    if (context.pTextPane)
        return context.pTextPane->OnUpdateEditCopyCut();
    return kDisabled;
}

CCommandState EditPasteState(const CCommandContext& context)
{
    if (context.pForm)
        return context.pForm->OnUpdateEditPaste();
    if (context.pTextPane)
        return context.pTextPane->OnUpdateEditPaste();
    return kDisabled;
}

CCommandState DocumentCommandState(int id, const CVavedIdivovDoc& document, const CCommandContext& context)
{
    if (const double scale = ScaleOfCommand(id); scale != 0)
        return OnUpdateScaleCommand(document, scale);

    switch (id) {
    case ID_EDIT_UNDO: return document.OnUpdateEditUndo();
    case ID_EDIT_REDO: return document.OnUpdateEditRedo();
    case ID_EDIT_COPY:
    case ID_EDIT_CLEAR:
        return EditCopyCutState(context);
    case ID_EDIT_PASTE: return EditPasteState(context);
    case ID_EDIT_UNDO_TYPING:
        // The text pane undoes its own typing; with the form active the key does nothing.
        return context.pTextPane ? context.pTextPane->OnUpdateEditUndoTyping() : kEnabled;
    case ID_TOOL_SELECT: return document.OnUpdateToolSelect();
    case ID_TOOL_ZOOM: return document.OnUpdateToolZoom();
    case ID_TOOL_RECT: return document.OnUpdateToolRect();
    case ID_TOOL_CIRCLE: return document.OnUpdateToolCircle();
    case ID_TOOL_POLY: return document.OnUpdateToolPoly();
    case ID_HATCH_AREAS: return document.OnUpdateHatchAreas();
    case ID_DRAG_HANDLES: return document.OnUpdateDragHandles();
    case ID_TEST_IN_BROWSER: return CBrowserTest::OnUpdateTestInBrowser();
    case ID_WINDOW_ARRANGE: return EnabledIf(context.bHasMinimizedFrame);
    default:
        // Close, Save, Save As, Save All, Copy map, Settings, Paste to Pagewright, the other
        // window commands and pane switching: always, while a document is open.
        return kEnabled;
    }
}

}  // namespace

CCommandState CommandState(int id, const CCommandContext& context)
{
    if (const std::optional<CCommandState> state = FrameCommandState(id, context))
        return *state;
    if (!context.pDocument)
        return kDisabled;
    return DocumentCommandState(id, *context.pDocument, context);
}

}  // namespace mapwright
