// A menu's entries as text, for comparing menus with tables.
#pragma once

#include <QAction>
#include <QMenu>
#include <QStringList>

namespace mapwright {

// Each entry as "text (id)", or "-" for a separator, "S&cale >" for the submenu.
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
        else
            entries << QStringLiteral("%1 (%2)").arg(action->text()).arg(action->data().toInt());
    }
    return entries;
}

}  // namespace mapwright
