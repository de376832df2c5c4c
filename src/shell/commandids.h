// Command ids: from 32771 up the program's own commands, from 57600 up the standard ones.
#pragma once

namespace mapwright {

enum ECommandId : int {
    ID_TOOL_SELECT = 32771,
    ID_TOOL_RECT = 32772,
    ID_TOOL_CIRCLE = 32773,
    ID_TOOL_POLY = 32774,
    ID_TOOL_ZOOM = 32775,
    ID_TEST_IN_BROWSER = 32788,
    ID_COPY_MAP = 32791,
    ID_HATCH_AREAS = 32793,
    ID_DRAG_HANDLES = 32794,
    ID_SETTINGS = 32796,
    ID_EDIT_UNDO = 32801,  // the document's undo step
    ID_SAVE_ALL = 32802,
    ID_SCALE_25 = 32804,
    ID_SCALE_50 = 32805,
    ID_SCALE_100 = 32806,
    ID_SCALE_200 = 32807,
    ID_SCALE_400 = 32808,
    ID_SCALE_800 = 32809,
    ID_ZOOM_BOX = 32810,
    ID_ZOOM_PLACEHOLDER = 32814,
    ID_SCALE_75 = 32819,
    ID_SCALE_150 = 32820,
    ID_SCALE_300 = 32821,
    ID_SCALE_600 = 32822,
    ID_PASTE_TO_PAGEWRIGHT = 32823,

    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_MRU_FILE1 = 57616,
    ID_FILE_MRU_FILE2 = 57617,
    ID_FILE_MRU_FILE3 = 57618,
    ID_FILE_MRU_FILE4 = 57619,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CLEAR = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_UNDO_TYPING = 57643,  // the text pane's own undo of the user's typing
    ID_EDIT_REDO = 57644,
    ID_WINDOW_NEW = 57648,
    ID_WINDOW_ARRANGE = 57649,
    ID_WINDOW_CASCADE = 57650,
    ID_WINDOW_TILE_HORZ = 57651,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP_FINDER = 57667,
    ID_CONTEXT_HELP = 57669,
    ID_HELP = 57670,
    ID_DEFAULT_HELP = 57671,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    ID_VIEW_PROBLEMS = 59394,
};

// Places in a menu layout that hold no command.
constexpr int kMenuSeparator = 0;


}  // namespace mapwright
