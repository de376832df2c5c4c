#include "shell/scalecommands.h"

#include "shell/commandids.h"
#include "shell/zoomcombobox.h"

namespace mapwright {

namespace {

// Sets the scale; returns the notice that tells the canvas the ratio to re-centre by: new / old
// when it grew or stayed, -(old / new) when it shrank.
CChangeNotice SetScale(CMapDocument& document, double scale)
{
    const double old = document.Display().dZoom;
    document.SetZoom(scale);
    return CChangeNotice::Zoom(scale >= old ? scale / old : -(old / scale));
}

}  // namespace

double ScaleOfCommand(int id)
{
    switch (id) {
    case ID_SCALE_25: return 0.25;
    case ID_SCALE_50: return 0.5;
    case ID_SCALE_75: return 0.75;
    case ID_SCALE_100: return 1;
    case ID_SCALE_150: return 1.5;
    case ID_SCALE_200: return 2;
    case ID_SCALE_300: return 3;
    case ID_SCALE_400: return 4;
    case ID_SCALE_600: return 6;
    case ID_SCALE_800: return 8;
    default: return 0;
    }
}

void OnScaleCommand(CMapDocument& document, double scale, CZoomComboBox& box)
{
    const CChangeNotice notice = SetScale(document, scale);
    box.ShowScale(document.Display().dZoom);
    document.UpdateAllViews(nullptr, notice);
}

CCommandState OnUpdateScaleCommand(const CMapDocument& document, double scale)
{
    return {true, document.Display().dZoom == scale};
}

void OnZoomSelChange(CMapDocument& document, CZoomComboBox& box)
{
    const int index = box.currentIndex();
    if (index < 0)
        return;
    const int percent = ClampPercent(LeadingNumber(box.itemText(index)));
    box.setEditText(PercentText(percent));
    document.UpdateAllViews(nullptr, SetScale(document, percent * 0.01));
}

void OnZoomEditChange(CMapDocument& document, CZoomComboBox& box)
{
    if (box.m_bEnterPressed)
        OnZoomKillFocus(document, box);
}

void OnZoomKillFocus(CMapDocument& document, CZoomComboBox& box)
{
    const std::optional<int> typed = TypedPercent(box.currentText());
    // Text that is no number leaves the scale as it was, and the box shows it again.
    if (!typed) {
        box.ShowScale(document.Display().dZoom);
        return;
    }
    const int percent = *typed;
    box.SelectOrShowText(PercentText(percent));
    const double old = document.Display().dZoom;
    const CChangeNotice notice = SetScale(document, percent * 0.01);
    if (document.Display().dZoom != old)
        document.UpdateAllViews(nullptr, notice);
}

}  // namespace mapwright
