// A menu's entries as the user sees them, for comparing menus with literal lists.
#pragma once

#include <QAction>
#include <QMenu>
#include <QStringList>

namespace mapwright {

// Each visible entry as its text, then its keys in brackets when it has any; "-" for a separator,
// "S&cale >" for a submenu.
inline QStringList Entries(QMenu* menu)
{
    QStringList entries;
    for (QAction* action : menu->actions()) {
        if (!action->isVisible())
            continue;
        if (action->isSeparator())
            entries << "-";
        else if (action->menu())
            entries << action->text() + " >";
        else if (const QString keys = QKeySequence::listToString(action->shortcuts()); keys.isEmpty())
            entries << action->text();
        else
            entries << action->text() + " [" + keys + "]";
    }
    return entries;
}

}  // namespace mapwright
