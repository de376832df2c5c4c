// Every command of the editor as one record: how the menus, the toolbar and the keys show it, what
// it does, and when it is enabled or checked.
#pragma once

#include "document/mapdocument.h"
#include "shell/commandids.h"

#include <span>

namespace mapwright {

class CDocManager;
class CDocumentWindow;
class CEditTarget;
class CHtmlPane;
class CMainFrame;

// Everything a command reads and acts on, gathered afresh each time it is asked or run.
struct CCommandContext {
    CMainFrame& frame;
    CDocManager* pDocManager = nullptr;    // the application's documents; null in a bare frame
    CDocumentWindow* pWindow = nullptr;    // the active document window, or null
    CMapDocument* pDocument = nullptr;  // the active window's document, or null
    CEditTarget* pEditTarget = nullptr;    // the pane Copy, Delete area and Paste act on, or null
    CHtmlPane* pTypingPane = nullptr;      // the text pane while it is the window's active view
};

struct CCommand {
    ECommandId nId;
    const char* pszText;    // menu text: '&' before the mnemonic, the keys shown after a tab; empty for keys only
    const char* pszPrompt;  // status-bar prompt, then after a line break the tooltip (if any)
    const char* pszKeys;    // shortcuts in portable form separated by "; ", or empty
    const char* pszTheme;   // the icon's name in the desktop's icon theme, or empty
    const char* pszIcon;    // our own icon under :/icons/, or empty
    bool bCheckable;        // shows the checked state that pfnState computes
    CCommandState (*pfnState)(const CCommandContext& context);  // enabled and checked, from the context alone
    void (*pfnRun)(const CCommandContext& context);             // carries the command out; null: never enabled
    const char* pszCanvasKey = "";  // a key that runs it while the picture has the focus, or empty
};

// The commands, in menu order; each id once.
std::span<const CCommand> CommandTable();

// The command of id, or null when there is none.
const CCommand* FindCommand(int id);

}  // namespace mapwright
