// How a document is shown, shared by every window of it: the scale, the tool in use and the two
// view switches.
#pragma once

namespace mapwright {

enum ETool : int {
    kToolZoom = 0,
    kToolSelect = 1,
    kToolRect = 2,
    kToolCircle = 3,
    kToolPoly = 4
};

struct CDisplayState {
    double dZoom = 1.0;
    ETool nTool = kToolSelect;
    bool bZoomMode = false;
    bool bHatch = true;
    bool bShowHandles = true;
};

}  // namespace mapwright
