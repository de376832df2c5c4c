#include "shell/commandtable.h"

#include "shell/commandids.h"

#include <algorithm>
#include <array>

namespace mapwright {

namespace {

constexpr std::array kCommands = {
    CCommandInfo{ID_FILE_NEW, "&New Map...\tCtrl+N", "Create a new document\nNew", "Ctrl+N", "document-new", "new"},
    CCommandInfo{ID_FILE_OPEN, "&Open Map...\tCtrl+O", "Open an existing document\nOpen", "Ctrl+O", "document-open", "open"},
    CCommandInfo{ID_FILE_CLOSE, "&Close", "Close the active document\nClose", "", "", ""},
    CCommandInfo{ID_FILE_SAVE, "&Save\tCtrl+S", "Save the active document\nSave", "Ctrl+S", "document-save", "save"},
    CCommandInfo{ID_FILE_SAVE_AS, "Save &As...", "Save the active document with a new name\nSave As", "", "", ""},
    CCommandInfo{ID_SAVE_ALL, "Save All", "Save every modified document\nSave All", "", "", ""},
    CCommandInfo{ID_FILE_MRU_FILE1, "Recent File", "Open this document", "", "", ""},
    CCommandInfo{ID_FILE_MRU_FILE2, "", "Open this document", "", "", ""},
    CCommandInfo{ID_FILE_MRU_FILE3, "", "Open this document", "", "", ""},
    CCommandInfo{ID_FILE_MRU_FILE4, "", "Open this document", "", "", ""},
    CCommandInfo{ID_APP_EXIT, "E&xit", "Quit the application; prompts to save documents\nExit", "", "", ""},

    CCommandInfo{ID_EDIT_UNDO, "&Undo\tCtrl+Z", "Undo the last action\nUndo", "Ctrl+Z", "edit-undo", "undo"},
    CCommandInfo{ID_EDIT_REDO, "&Redo\tCtrl+Y", "Redo the previously undone action\nRedo", "Ctrl+Y", "edit-redo", "redo"},
    CCommandInfo{ID_EDIT_COPY, "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard\nCopy", "Ctrl+C; Ctrl+Ins",
                 "edit-copy", "copy"},
    CCommandInfo{ID_EDIT_PASTE, "&Paste\tCtrl+V", "Insert Clipboard contents\nPaste", "Ctrl+V; Shift+Ins",
                 "edit-paste", "paste"},
    CCommandInfo{ID_EDIT_CLEAR, "Dele&te area\tCtrl+X,Del",
                 "Delete the selected area, or cut the selected text to the Clipboard\nDelete area",
                 "Ctrl+X; Ctrl+D; Shift+Del", "edit-delete", "delete-area"},
    CCommandInfo{ID_COPY_MAP, "Copy &map to clipboard", "Copy the whole page text to the Clipboard\nCopy map",
                 "", "", ""},
    CCommandInfo{ID_SETTINGS, "&Settings...", "Choose colors, font and test browser\nSettings", "", "", ""},
    CCommandInfo{ID_PASTE_TO_PAGEWRIGHT, "Paste to &Pagewright\tCtrl+I",
                 "Paste current map to Pagewright\nPaste to Pagewright", "Ctrl+I", "", "paste-to-pagewright"},

    CCommandInfo{ID_VIEW_TOOLBAR, "&Toolbar", "Show or hide the toolbar\nToggle ToolBar", "", "", ""},
    CCommandInfo{ID_VIEW_STATUS_BAR, "&Status Bar", "Show or hide the status bar\nToggle StatusBar", "", "", ""},
    CCommandInfo{ID_SCALE_25, "25%", "Set scale to 25%", "", "", ""},
    CCommandInfo{ID_SCALE_50, "50%", "Set scale to 50%", "", "", ""},
    CCommandInfo{ID_SCALE_75, "75%", "Set scale to 75%", "", "", ""},
    CCommandInfo{ID_SCALE_100, "100%", "Set scale to 100%", "", "", ""},
    CCommandInfo{ID_SCALE_150, "150%", "Set scale to 150%", "", "", ""},
    CCommandInfo{ID_SCALE_200, "200%", "Set scale to 200%", "", "", ""},
    CCommandInfo{ID_SCALE_300, "300%", "Set scale to 300%", "", "", ""},
    CCommandInfo{ID_SCALE_400, "400%", "Set scale to 400%", "", "", ""},
    CCommandInfo{ID_SCALE_600, "600%", "Set scale to 600%", "", "", ""},
    CCommandInfo{ID_SCALE_800, "800%", "Set scale to 800%", "", "", ""},
    CCommandInfo{ID_HATCH_AREAS, "&Hatch areas", "Change visible nest\nNest", "", "", "hatch-areas"},
    CCommandInfo{ID_DRAG_HANDLES, "Show &drag handles", "Change visible drag handles\nDrag handles", "", "",
                 "drag-handles"},
    CCommandInfo{ID_TEST_IN_BROWSER, "T&est in browser", "Show the page with its map in a web browser\nTest in browser",
                 "", "internet-web-browser", "test-in-browser"},

    CCommandInfo{ID_TOOL_SELECT, "&Select", "Use this arrow for selecting, moving or resizing an area\nSelect", "", "",
                 "select"},
    CCommandInfo{ID_TOOL_ZOOM, "&Zoom In/Zoom Out",
                 "Zoom In/Zoom Out. Click left mouse button to zoom in, right mouse button to zoom out.\nZoom in/Zoom out",
                 "", "zoom-in", "zoom"},
    CCommandInfo{ID_TOOL_RECT, "Add &rectangle area", "Add rectangle area. Use left mouse button to begin.\nRect", "",
                 "", "rectangle"},
    CCommandInfo{ID_TOOL_CIRCLE, "Add &circle area", "Add circle area. Use left mouse button to begin.\nCircle", "", "",
                 "circle"},
    CCommandInfo{ID_TOOL_POLY, "Add &polygon area", "Add polygon area. Use left mouse button to begin.\nPoly", "", "",
                 "polygon"},

    CCommandInfo{ID_WINDOW_NEW, "&New Window", "Open another window for the active document\nNew Window", "", "", ""},
    CCommandInfo{ID_WINDOW_CASCADE, "&Cascade", "Arrange windows so they overlap\nCascade Windows", "", "", ""},
    CCommandInfo{ID_WINDOW_TILE_HORZ, "&Tile", "Arrange windows as non-overlapping tiles\nTile Windows", "", "", ""},
    CCommandInfo{ID_WINDOW_ARRANGE, "&Arrange Icons", "Arrange icons at the bottom of the window\nArrange Icons", "",
                 "", ""},

    CCommandInfo{ID_HELP_FINDER, "&Help Topics", "List Help topics\nHelp Topics", "", "help-contents", ""},
    CCommandInfo{ID_APP_ABOUT, "&About Mapwright...",
                 "Display program information, version number and copyright\nAbout", "", "help-about", "about"},

    // Commands of keys and buttons only.
    CCommandInfo{ID_CONTEXT_HELP, "", "Display help for clicked on buttons, menus and windows\nHelp", "Shift+F1",
                 "help-contextual", "context-help"},
    CCommandInfo{ID_HELP, "", "Display help for current task or command\nHelp", "F1", "", ""},
    CCommandInfo{ID_DEFAULT_HELP, "", "Display default help\nHelp", "", "", ""},
    CCommandInfo{ID_EDIT_UNDO_TYPING, "", "Undo the last typing in the text pane\nUndo", "Alt+Backspace", "", ""},
    CCommandInfo{ID_NEXT_PANE, "", "Switch to the next window pane\nNext Pane", "F6", "", ""},
    CCommandInfo{ID_PREV_PANE, "", "Switch back to the previous window pane\nPrevious Pane", "Shift+F6", "", ""},
};

}  // namespace

std::span<const CCommandInfo> CommandTable()
{
    return kCommands;
}

const CCommandInfo* FindCommandInfo(int id)
{
    const auto found = std::find_if(kCommands.begin(), kCommands.end(),
                                    [id](const CCommandInfo& info) { return info.nId == id; });
    return found == kCommands.end() ? nullptr : &*found;
}

}  // namespace mapwright
