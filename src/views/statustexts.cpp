#include "views/statustexts.h"

#include "document/mapdocument.h"

namespace mapwright {

QString PointerText(int x, int y)
{
    return QStringLiteral("%1, %2").arg(x).arg(y);
}

QString SelectionBoxText(const CMapDocument* document)
{
    const CMapArea* area = document ? document->FirstSelected() : nullptr;
    if (!area)
        return {};
    const CAreaBounds b = area->Bounds();
    return QStringLiteral("%1, %2, %3 \u00d7 %4").arg(b.left).arg(b.top).arg(b.right - b.left).arg(b.bottom - b.top);
}

}  // namespace mapwright
