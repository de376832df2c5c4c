// The scale commands of the View menu and the zoom box, as the active document handles them: the
// document keeps the scale, the pending zoom ratio for the canvas, and notifies its views.
#pragma once

#include "document/mapdocument.h"

namespace mapwright {

class CZoomComboBox;

// The scale (1.0 = 100 %) that command id sets, or 0 when id is no scale command.
double ScaleOfCommand(int id);

// Sets scale, shows it in box and notifies every view, even when the scale was already set.
void OnScaleCommand(CMapDocument& document, double scale, CZoomComboBox& box);
// Checked while the document's scale is scale.
CCommandState OnUpdateScaleCommand(const CMapDocument& document, double scale);

// An item chosen in box: its scale is set and every view notified.
void OnZoomSelChange(CMapDocument& document, CZoomComboBox& box);
// Text confirmed with Enter in box (ordinary typing does nothing): as OnZoomKillFocus.
void OnZoomEditChange(CMapDocument& document, CZoomComboBox& box);
// box lost the focus: its text's leading number (after any blanks), kept within 25 to 800,
// becomes the scale and is shown; the views are notified only when the scale changed. Text that
// does not begin with a number leaves the scale and shows it again.
void OnZoomKillFocus(CMapDocument& document, CZoomComboBox& box);

}  // namespace mapwright
