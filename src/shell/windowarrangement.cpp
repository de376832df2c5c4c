#include "shell/windowarrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

#include <algorithm>

namespace mapwright {

void CascadeWindows(QMdiArea& area)
{
    const QSize client = area.viewport()->size();
    const QSize size(std::max(client.width() * 2 / 3, 200), std::max(client.height() * 2 / 3, 150));
    const int step = area.style()->pixelMetric(QStyle::PM_TitleBarHeight) + 4;
    int offset = 0;
    for (QMdiSubWindow* window : area.subWindowList(QMdiArea::StackingOrder)) {
        if (window->isMinimized() || window->isHidden())
            continue;
        window->showNormal();
        if (offset + size.width() > client.width() || offset + size.height() > client.height())
            offset = 0;
        window->setGeometry(QRect(QPoint(offset, offset), size));
        offset += step;
    }
}

void ArrangeMinimizedWindows(QMdiArea& area)
{
    int x = 0;
    for (QMdiSubWindow* window : area.subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized())
            continue;
        const QSize size = window->size();
        if (x > 0 && x + size.width() > area.viewport()->width())
            x = 0;
        window->move(x, area.viewport()->height() - size.height());
        x += size.width();
    }
}

}  // namespace mapwright
