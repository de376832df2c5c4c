#include "views/statustexts.h"

#include "document/mapdocument.h"
#include "model/areagroup.h"

namespace mapwright {

QString PointerText(int x, int y)
{
    return QStringLiteral("%1, %2").arg(x).arg(y);
}

QString SelectionBoxText(const CMapDocument* document)
{
    if (!document || document->SelectedCount() == 0)
        return {};
    // Several selected: the box around them all, after their count.
    const std::vector<CMapArea*> selected = document->SelectedAreas();
    const CAreaBounds b = GroupBounds(selected);
    const QString box =
        QStringLiteral("%1, %2, %3 \u00d7 %4").arg(b.left).arg(b.top).arg(b.right - b.left).arg(b.bottom - b.top);
    return selected.size() == 1 ? box : QStringLiteral("%1 areas: %2").arg(selected.size()).arg(box);
}

}  // namespace mapwright
