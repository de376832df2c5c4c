// What the status bar shows of the picture: the pointer's pixel and the selected area's box.
#pragma once

#include <QString>

namespace mapwright {

class CMapDocument;

// "x, y" of a picture pixel.
QString PointerText(int x, int y);
// "x, y, w × h" of the first selected area's bounding box, or empty when none is selected.
QString SelectionBoxText(const CMapDocument* document);

}  // namespace mapwright
