// The Window menu's arrangements of the document windows that the area itself lacks.
#pragma once

class QMdiArea;

namespace mapwright {

// Each window two thirds of the area, each one a title bar lower and further right, the active one
// on top; windows that are icons stay icons.
void CascadeWindows(QMdiArea& area);

// Window icons line up along the bottom edge, left to right.
void ArrangeMinimizedWindows(QMdiArea& area);

}  // namespace mapwright
