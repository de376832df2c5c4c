// Every command of the editor as the menus, the toolbar and the keys know it.
#pragma once

#include <span>

namespace mapwright {

struct CCommandInfo {
    int nId;
    const char* pszText;    // menu text: '&' before the mnemonic, the keys shown after a tab
    const char* pszPrompt;  // status-bar prompt, then after a line break the tooltip (if any)
    const char* pszKeys;    // shortcuts in portable form separated by "; ", or empty
    const char* pszTheme;   // the icon's name in the desktop's icon theme, or empty
    const char* pszIcon;    // our own icon under :/icons/, or empty
};

// The commands, in menu order; each id once.
std::span<const CCommandInfo> CommandTable();

// The command of id, or null when there is none.
const CCommandInfo* FindCommandInfo(int id);

}  // namespace mapwright
