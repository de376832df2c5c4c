#include "shell/commands.h"

#include "integration/browsertest.h"
#include "integration/copymap.h"
#include "integration/editorbridge.h"
#include "shell/docmanager.h"
#include "shell/doctablist.h"
#include "shell/documentwindow.h"
#include "shell/mainframe.h"
#include "shell/mapcommands.h"
#include "shell/scalecommands.h"
#include "shell/settingsdlg.h"
#include "shell/windowarrangement.h"
#include "views/edittarget.h"
#include "views/htmlpane.h"

#include <QDockWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QToolBar>
#include <QWhatsThis>

#include <algorithm>
#include <array>

namespace mapwright {

namespace {

using CContext = CCommandContext;

constexpr CCommandState kEnabled{true, false};
constexpr CCommandState kDisabled{false, false};

constexpr CCommandState EnabledIf(bool condition)
{
    return condition ? kEnabled : kDisabled;
}

// ---- states ----

CCommandState Always(const CContext&)
{
    return kEnabled;
}

CCommandState WithDocManager(const CContext& c)
{
    return EnabledIf(c.pDocManager);
}

CCommandState WithDocument(const CContext& c)
{
    return EnabledIf(c.pDocument);
}

// The commands that ask the user or keep the recent files need the application's documents.
CCommandState WithDocumentAndManager(const CContext& c)
{
    return EnabledIf(c.pDocument && c.pDocManager);
}

template <int index>
CCommandState RecentFileState(const CContext& c)
{
    return EnabledIf(c.pDocManager && index < c.frame.RecentFileCount());
}

CCommandState ToolBarState(const CContext& c)
{
    return {true, !c.frame.ToolBar()->isHidden()};
}

// The grid switches are settings of the program, shown and used by every map.
template <std::int32_t CAppSettings::*flag>
CCommandState GridSwitchState(const CContext& c)
{
    return {c.pDocument != nullptr, AppSettings().*flag != 0};
}

template <std::int32_t CAppSettings::*flag>
void ToggleGridSwitch(const CContext& c)
{
    std::int32_t& value = AppSettings().*flag;
    value = value ? 0 : 1;
    c.frame.TabList()->UpdateAllDocuments();
}

CCommandState StatusBarState(const CContext& c)
{
    return {true, !c.frame.statusBar()->isHidden()};
}

// A command of the active document, whose state the document computes.
template <CCommandState (CMapDocument::*state)() const>
CCommandState DocumentState(const CContext& c)
{
    return c.pDocument ? (c.pDocument->*state)() : kDisabled;
}

template <CMapDocument::EStackMove move>
CCommandState StackState(const CContext& c)
{
    return c.pDocument ? c.pDocument->OnUpdateStackMove(move) : kDisabled;
}

template <ECommandId id>
CCommandState ScaleState(const CContext& c)
{
    return c.pDocument ? OnUpdateScaleCommand(*c.pDocument, ScaleOfCommand(id)) : kDisabled;
}

CCommandState EditCopyCutState(const CContext& c)
{
    return c.pDocument && c.pEditTarget ? c.pEditTarget->OnUpdateEditCopyCut() : kDisabled;
}

CCommandState EditPasteState(const CContext& c)
{
    return c.pDocument && c.pEditTarget ? c.pEditTarget->OnUpdateEditPaste() : kDisabled;
}

// The text pane undoes its own typing; with the form active the key does nothing.
CCommandState UndoTypingState(const CContext& c)
{
    if (!c.pDocument)
        return kDisabled;
    return c.pTypingPane ? c.pTypingPane->OnUpdateEditUndoTyping() : kEnabled;
}

CCommandState TestInBrowserState(const CContext& c)
{
    return c.pDocument && c.pDocManager ? CBrowserTest::OnUpdateTestInBrowser() : kDisabled;
}

CCommandState ArrangeIconsState(const CContext& c)
{
    const QList<QMdiSubWindow*> windows = c.frame.MdiArea()->subWindowList();
    return EnabledIf(c.pDocument && std::any_of(windows.begin(), windows.end(),
                                                [](const QMdiSubWindow* window) { return window->isMinimized(); }));
}

// ---- handlers ----

void FileNew(const CContext& c)
{
    c.pDocManager->OnFileNew();
}

void FileOpen(const CContext& c)
{
    c.pDocManager->OnFileOpen();
}

template <int index>
void OpenRecentFile(const CContext& c)
{
    c.pDocManager->OpenRecentFile(index);
}

void FileClose(const CContext& c)
{
    c.pDocManager->CloseDocument(*c.pDocument);
}

void FileSave(const CContext& c)
{
    c.pDocManager->DoFileSave(*c.pDocument);
}

void FileSaveAs(const CContext& c)
{
    c.pDocManager->DoSaveAs(*c.pDocument);
}

void SaveAll(const CContext& c)
{
    c.pDocManager->SaveAll();
}

void AppExit(const CContext& c)
{
    c.frame.close();
}

template <void (CMapDocument::*command)()>
void DocumentCommand(const CContext& c)
{
    (c.pDocument->*command)();
}

template <CMapDocument::EStackMove move>
void StackMove(const CContext& c)
{
    c.pDocument->MoveSelectedInStack(move, nullptr);
}

void SelectAllAreas(const CContext& c)
{
    c.pDocument->SelectAllAreas(nullptr);
}

void EditCopy(const CContext& c)
{
    c.pEditTarget->OnEditCopy();
}

void EditCut(const CContext& c)
{
    c.pEditTarget->OnEditCut();
}

void EditPaste(const CContext& c)
{
    c.pEditTarget->OnEditPaste();
}

void UndoTyping(const CContext& c)
{
    if (c.pTypingPane)
        c.pTypingPane->OnEditUndoTyping();
}

void CopyMap(const CContext& c)
{
    OnCopyMap(*c.pDocument, c.pWindow->TextPane());
}

void Settings(const CContext& c)
{
    // Confirmed, every document shows the new colours and font; the asking one redraws anyway.
    if (CSettingsDlg::EditSettings(&c.frame))
        c.frame.TabList()->UpdateAllDocuments();
    c.pDocument->UpdateAllViews(nullptr, CChangeNotice::Of(EChangeKind::kDisplay, EChangeCause::kProgram));
}

void PasteToPagewright(const CContext& c)
{
    CEditorBridge::OnPasteToEditor(*c.pDocument, c.pDocManager->Prompt());
}

void TestInBrowser(const CContext& c)
{
    CBrowserTest::OnTestInBrowser(*c.pDocument, c.pDocManager->Prompt());
}

void ToggleToolBar(const CContext& c)
{
    c.frame.ToolBar()->setVisible(c.frame.ToolBar()->isHidden());
}

void ToggleStatusBar(const CContext& c)
{
    c.frame.statusBar()->setVisible(c.frame.statusBar()->isHidden());
}

CCommandState ProblemsState(const CContext& c)
{
    return {true, !c.frame.ProblemsDock()->isHidden()};
}

CCommandState AreaListState(const CContext& c)
{
    return {true, !c.frame.AreasDock()->isHidden()};
}

void ToggleAreaList(const CContext& c)
{
    c.frame.AreasDock()->setVisible(c.frame.AreasDock()->isHidden());
}

void ToggleProblems(const CContext& c)
{
    c.frame.ProblemsDock()->setVisible(c.frame.ProblemsDock()->isHidden());
}

template <ECommandId id>
void SetScale(const CContext& c)
{
    OnScaleCommand(*c.pDocument, ScaleOfCommand(id), *c.frame.ZoomBox());
}

void WindowNew(const CContext& c)
{
    c.pDocManager->CreateFrame(*c.pDocument);
}

void Cascade(const CContext& c)
{
    CascadeWindows(*c.frame.MdiArea());
}

void Tile(const CContext& c)
{
    c.frame.MdiArea()->tileSubWindows();
}

void ArrangeIcons(const CContext& c)
{
    ArrangeMinimizedWindows(*c.frame.MdiArea());
}

void HelpTopics(const CContext& c)
{
    c.frame.OnHelpFinder();
}

void About(const CContext& c)
{
    c.frame.OnAppAbout();
}

void ContextHelp(const CContext&)
{
    QWhatsThis::enterWhatsThisMode();
}

void NextPane(const CContext& c)
{
    c.pWindow->ActivateNextPane(true);
}

void PreviousPane(const CContext& c)
{
    c.pWindow->ActivateNextPane(false);
}

void ReplacePicture(const CContext& c)
{
    OnReplacePicture(*c.pDocument, c.pDocManager->Prompt());
}

void ScaleMap(const CContext& c)
{
    OnScaleMap(*c.pDocument, c.pDocManager->Prompt(), c.frame.MapDialogs());
}

void ExportSvg(const CContext& c)
{
    OnExportSvgOverlay(*c.pDocument, c.pDocManager->Prompt(), c.frame.MapDialogs());
}

void CopySvg(const CContext& c)
{
    OnCopySvgOverlay(*c.pDocument);
}

CCommandState WithAreas(const CContext& c)
{
    return EnabledIf(c.pDocument && c.pDocManager && c.pDocument->AreaCount() > 0);
}

CCommandState WithUnselectedAreas(const CContext& c)
{
    return EnabledIf(c.pDocument && c.pDocument->SelectedCount() < c.pDocument->AreaCount());
}

template <ECommandId id>
constexpr CCommand ScaleCommand(const char* text, const char* prompt)
{
    return {id, text, prompt, "", "", "", true, &ScaleState<id>, &SetScale<id>};
}

constexpr std::array kCommands = {
    CCommand{ID_FILE_NEW, "&New Map...\tCtrl+N", "Create a new document\nNew", "Ctrl+N", "document-new", "new", false,
             &WithDocManager, &FileNew},
    CCommand{ID_FILE_OPEN, "&Open Map...\tCtrl+O", "Open an existing document\nOpen", "Ctrl+O", "document-open", "open",
             false, &WithDocManager, &FileOpen},
    CCommand{ID_FILE_CLOSE, "&Close", "Close the active document\nClose", "", "", "", false, &WithDocumentAndManager,
             &FileClose},
    CCommand{ID_FILE_SAVE, "&Save\tCtrl+S", "Save the active document\nSave", "Ctrl+S", "document-save", "save", false,
             &WithDocumentAndManager, &FileSave},
    CCommand{ID_FILE_SAVE_AS, "Save &As...", "Save the active document with a new name\nSave As", "", "", "", false,
             &WithDocumentAndManager, &FileSaveAs},
    CCommand{ID_SAVE_ALL, "Save All", "Save every modified document\nSave All", "", "", "", false,
             &WithDocumentAndManager, &SaveAll},
    CCommand{ID_FILE_MRU_FILE1, "Recent File", "Open this document", "", "", "", false, &RecentFileState<0>,
             &OpenRecentFile<0>},
    CCommand{ID_FILE_MRU_FILE2, "", "Open this document", "", "", "", false, &RecentFileState<1>, &OpenRecentFile<1>},
    CCommand{ID_FILE_MRU_FILE3, "", "Open this document", "", "", "", false, &RecentFileState<2>, &OpenRecentFile<2>},
    CCommand{ID_FILE_MRU_FILE4, "", "Open this document", "", "", "", false, &RecentFileState<3>, &OpenRecentFile<3>},
    CCommand{ID_APP_EXIT, "E&xit", "Quit the application; prompts to save documents\nExit", "", "", "", false, &Always,
             &AppExit},

    CCommand{ID_EDIT_UNDO, "&Undo\tCtrl+Z", "Undo the last action\nUndo", "Ctrl+Z", "edit-undo", "undo", false,
             &DocumentState<&CMapDocument::OnUpdateEditUndo>, &DocumentCommand<&CMapDocument::OnEditUndo>},
    CCommand{ID_EDIT_REDO, "&Redo\tCtrl+Y", "Redo the previously undone action\nRedo", "Ctrl+Y", "edit-redo", "redo",
             false, &DocumentState<&CMapDocument::OnUpdateEditRedo>, &DocumentCommand<&CMapDocument::OnEditRedo>},
    CCommand{ID_EDIT_COPY, "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard\nCopy", "Ctrl+C; Ctrl+Ins",
             "edit-copy", "copy", false, &EditCopyCutState, &EditCopy},
    CCommand{ID_EDIT_PASTE, "&Paste\tCtrl+V", "Insert Clipboard contents\nPaste", "Ctrl+V; Shift+Ins", "edit-paste",
             "paste", false, &EditPasteState, &EditPaste},
    CCommand{ID_EDIT_CLEAR, "Dele&te area\tCtrl+X,Del",
             "Delete the selected area, or cut the selected text to the Clipboard\nDelete area",
             "Ctrl+X; Ctrl+D; Shift+Del", "edit-delete", "delete-area", false, &EditCopyCutState, &EditCut},
    CCommand{ID_COPY_MAP, "Copy &map to clipboard", "Copy the whole page text to the Clipboard\nCopy map", "", "", "",
             false, &WithDocument, &CopyMap},
    CCommand{ID_SETTINGS, "&Settings...", "Choose colors, font and test browser\nSettings", "", "", "", false,
             &WithDocument, &Settings},
    CCommand{ID_PASTE_TO_PAGEWRIGHT, "Paste to &Pagewright\tCtrl+I", "Paste current map to Pagewright\nPaste to Pagewright",
             "Ctrl+I", "", "paste-to-pagewright", false, &WithDocumentAndManager, &PasteToPagewright},

    CCommand{ID_VIEW_TOOLBAR, "&Toolbar", "Show or hide the toolbar\nToggle ToolBar", "", "", "", true, &ToolBarState,
             &ToggleToolBar},
    CCommand{ID_VIEW_STATUS_BAR, "&Status Bar", "Show or hide the status bar\nToggle StatusBar", "", "", "", true,
             &StatusBarState, &ToggleStatusBar},
    CCommand{ID_VIEW_PROBLEMS, "&Problems", "Show or hide the accessibility and link problems\nProblems", "", "", "",
             true, &ProblemsState, &ToggleProblems},
    CCommand{ID_VIEW_AREA_LIST, "&Area List", "Show or hide the list of areas in their stacking order\nArea List", "",
             "", "", true, &AreaListState, &ToggleAreaList},
    ScaleCommand<ID_SCALE_25>("25%", "Set scale to 25%"),
    ScaleCommand<ID_SCALE_50>("50%", "Set scale to 50%"),
    ScaleCommand<ID_SCALE_75>("75%", "Set scale to 75%"),
    ScaleCommand<ID_SCALE_100>("100%", "Set scale to 100%"),
    ScaleCommand<ID_SCALE_150>("150%", "Set scale to 150%"),
    ScaleCommand<ID_SCALE_200>("200%", "Set scale to 200%"),
    ScaleCommand<ID_SCALE_300>("300%", "Set scale to 300%"),
    ScaleCommand<ID_SCALE_400>("400%", "Set scale to 400%"),
    ScaleCommand<ID_SCALE_600>("600%", "Set scale to 600%"),
    ScaleCommand<ID_SCALE_800>("800%", "Set scale to 800%"),
    CCommand{ID_HATCH_AREAS, "&Hatch areas", "Change visible nest\nNest", "", "", "hatch-areas", true,
             &DocumentState<&CMapDocument::OnUpdateHatchAreas>, &DocumentCommand<&CMapDocument::OnHatchAreas>},
    CCommand{ID_DRAG_HANDLES, "Show &drag handles", "Change visible drag handles\nDrag handles", "", "", "drag-handles",
             true, &DocumentState<&CMapDocument::OnUpdateDragHandles>,
             &DocumentCommand<&CMapDocument::OnDragHandles>},
    CCommand{ID_VIEW_GRID, "&Grid", "Show grid lines over the picture\nGrid", "", "", "", true,
             &GridSwitchState<&CAppSettings::m_bShowGrid>, &ToggleGridSwitch<&CAppSettings::m_bShowGrid>},
    CCommand{ID_SNAP_TO_GRID, "S&nap to Grid", "Make new shapes, moves and handle drags land on grid points\nSnap to Grid",
             "", "", "", true, &GridSwitchState<&CAppSettings::m_bSnapToGrid>,
             &ToggleGridSwitch<&CAppSettings::m_bSnapToGrid>},
    CCommand{ID_TEST_IN_BROWSER, "T&est in browser", "Show the page with its map in a web browser\nTest in browser", "",
             "internet-web-browser", "test-in-browser", false, &TestInBrowserState, &TestInBrowser},

    CCommand{ID_TOOL_SELECT, "&Select", "Use this arrow for selecting, moving or resizing an area\nSelect", "", "",
             "select", true, &DocumentState<&CMapDocument::OnUpdateToolSelect>,
             &DocumentCommand<&CMapDocument::OnToolSelect>, "S"},
    CCommand{ID_TOOL_ZOOM, "&Zoom In/Zoom Out",
             "Zoom In/Zoom Out. Click left mouse button to zoom in, right mouse button to zoom out.\nZoom in/Zoom out", "",
             "zoom-in", "zoom", true, &DocumentState<&CMapDocument::OnUpdateToolZoom>,
             &DocumentCommand<&CMapDocument::OnToolZoom>, "Z"},
    CCommand{ID_TOOL_RECT, "Add &rectangle area", "Add rectangle area. Use left mouse button to begin.\nRect", "", "",
             "rectangle", true, &DocumentState<&CMapDocument::OnUpdateToolRect>,
             &DocumentCommand<&CMapDocument::OnToolRect>, "R"},
    CCommand{ID_TOOL_CIRCLE, "Add &circle area", "Add circle area. Use left mouse button to begin.\nCircle", "", "",
             "circle", true, &DocumentState<&CMapDocument::OnUpdateToolCircle>,
             &DocumentCommand<&CMapDocument::OnToolCircle>, "C"},
    CCommand{ID_TOOL_POLY, "Add &polygon area", "Add polygon area. Use left mouse button to begin.\nPoly", "", "",
             "polygon", true, &DocumentState<&CMapDocument::OnUpdateToolPoly>,
             &DocumentCommand<&CMapDocument::OnToolPoly>, "P"},

    CCommand{ID_WINDOW_NEW, "&New Window", "Open another window for the active document\nNew Window", "", "", "", false,
             &WithDocumentAndManager, &WindowNew},
    CCommand{ID_WINDOW_CASCADE, "&Cascade", "Arrange windows so they overlap\nCascade Windows", "", "", "", false,
             &WithDocument, &Cascade},
    CCommand{ID_WINDOW_TILE_HORZ, "&Tile", "Arrange windows as non-overlapping tiles\nTile Windows", "", "", "", false,
             &WithDocument, &Tile},
    CCommand{ID_WINDOW_ARRANGE, "&Arrange Icons", "Arrange icons at the bottom of the window\nArrange Icons", "", "",
             "", false, &ArrangeIconsState, &ArrangeIcons},

    CCommand{ID_HELP_FINDER, "&Help Topics", "List Help topics\nHelp Topics", "", "help-contents", "", false, &Always,
             &HelpTopics},
    CCommand{ID_APP_ABOUT, "&About Mapwright...", "Display program information, version number and copyright\nAbout",
             "", "help-about", "about", false, &Always, &About},

    // Commands of keys and buttons only.
    CCommand{ID_CONTEXT_HELP, "", "Display help for clicked on buttons, menus and windows\nHelp", "Shift+F1",
             "help-contextual", "context-help", false, &Always, &ContextHelp},
    CCommand{ID_HELP, "", "Display help for current task or command\nHelp", "F1", "", "", false, &Always, &HelpTopics},
    CCommand{ID_DEFAULT_HELP, "", "Display default help\nHelp", "", "", "", false, &Always, &HelpTopics},
    CCommand{ID_EDIT_UNDO_TYPING, "", "Undo the last typing in the text pane\nUndo", "Alt+Backspace", "", "", false,
             &UndoTypingState, &UndoTyping},
    CCommand{ID_NEXT_PANE, "", "Switch to the next window pane\nNext Pane", "F6", "", "", false, &WithDocument,
             &NextPane},
    CCommand{ID_PREV_PANE, "", "Switch back to the previous window pane\nPrevious Pane", "Shift+F6", "", "", false,
             &WithDocument, &PreviousPane},

    CCommand{ID_REPLACE_PICTURE, "&Replace Picture...", "Put another picture under the map\nReplace Picture", "", "",
             "", false, &WithDocumentAndManager, &ReplacePicture},
    CCommand{ID_SCALE_MAP, "&Scale Map...", "Scale every area, or the selected one\nScale Map", "", "", "", false,
             &WithAreas, &ScaleMap},
    CCommand{ID_EXPORT_SVG, "&Export SVG Overlay...", "Save the map as an SVG file that scales with the page\nExport SVG",
             "", "", "", false, &WithDocumentAndManager, &ExportSvg},
    CCommand{ID_COPY_SVG, "&Copy SVG Overlay", "Copy the map as SVG markup to the Clipboard\nCopy SVG", "", "", "",
             false, &WithDocument, &CopySvg},
    // A browser follows the first area in the text that holds the pointer: the top of the stack.
    CCommand{ID_AREA_TO_TOP, "Move Area to &Top",
             "Make the selected area the first in the text: it wins where areas overlap\nTo Top", "", "", "", false,
             &StackState<CMapDocument::EStackMove::kToTop>, &StackMove<CMapDocument::EStackMove::kToTop>, "Home"},
    CCommand{ID_AREA_UP, "Move Area &Up", "Move the selected area one place earlier in the text, over the next\nUp",
             "", "", "", false, &StackState<CMapDocument::EStackMove::kUp>,
             &StackMove<CMapDocument::EStackMove::kUp>, "PgUp"},
    CCommand{ID_AREA_DOWN, "Move Area &Down",
             "Move the selected area one place later in the text, under the one before\nDown", "", "", "", false,
             &StackState<CMapDocument::EStackMove::kDown>, &StackMove<CMapDocument::EStackMove::kDown>, "PgDown"},
    CCommand{ID_AREA_TO_BOTTOM, "Move Area to &Bottom",
             "Make the selected area the last in the text: any area over it wins\nTo Bottom", "", "", "", false,
             &StackState<CMapDocument::EStackMove::kToBottom>, &StackMove<CMapDocument::EStackMove::kToBottom>,
             "End"},
    // Ctrl+A selects all text in the text pane and the form's fields; on the picture, every area.
    CCommand{ID_SELECT_ALL_AREAS, "Select &All Areas", "Select every area of the map\nSelect All Areas", "", "", "",
             false, &WithUnselectedAreas, &SelectAllAreas, "Ctrl+A"},
};

}  // namespace

std::span<const CCommand> CommandTable()
{
    return kCommands;
}

const CCommand* FindCommand(int id)
{
    const auto found =
        std::find_if(kCommands.begin(), kCommands.end(), [id](const CCommand& command) { return command.nId == id; });
    return found == kCommands.end() ? nullptr : &*found;
}

}  // namespace mapwright
