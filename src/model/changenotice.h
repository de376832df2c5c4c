// What changed in a document and who changed it, as every view learns of it: each view decides
// from the notice alone what to redo.
#pragma once

#include "model/linechange.h"
#include "model/maparea.h"

#include <optional>

namespace mapwright {

enum class EChangeKind {
    kEverything,  // the page was set up, read anew or restored: everything may differ
    kTextTyped,   // lines replaced by typing in the text pane, the areas read from them again
    kAreaTag,     // one area's tag rewritten
    kAreaCount,   // areas added or removed, their tags with them
    kAreaOrder,   // areas put in another order, their tags with them
    kSelection,   // only the selection changed
    kZoom,        // the scale changed
    kDisplay,     // how the areas are shown (hatching, handles) or the settings changed
};

enum class EChangeCause {
    kProgram,   // no view: opening, commands of the main window, scripts
    kCanvas,    // a gesture or key on the picture
    kForm,      // a field of the attribute form
    kTextPane,  // typing in the text pane
    kUndo,      // undo or redo restored a step
};

struct CChangeNotice {
    EChangeKind kind = EChangeKind::kEverything;
    EChangeCause cause = EChangeCause::kProgram;
    // A form edit made while the text pane's typing was being announced (the form echoing what
    // was typed): the text pane already shows the text and must keep its caret.
    bool bDuringTyping = false;
    // kAreaTag: the number of the tag rewritten; kTextTyped: of the one tag the typing touched and
    // that alone was read again, 0 when not so.
    int nTag = 0;
    // kTextTyped with nTag: the bounds that tag's area had before, when it had points; with its
    // bounds now, all a view showing the shapes must redraw.
    std::optional<CAreaBounds> tagBoundsBefore;
    // An edit of tags that knows which lines it replaced: those, every other line as before.
    std::optional<CLineChange> changedLines;
    // kZoom: how the canvas keeps its centre, new / old scale when it grew or stayed,
    // -(old / new) when it shrank; 1 when the view was placed already.
    double dZoomRatio = 1.0;

    static CChangeNotice Zoom(double ratio)
    {
        CChangeNotice notice;
        notice.kind = EChangeKind::kZoom;
        notice.dZoomRatio = ratio;
        return notice;
    }
    static CChangeNotice Of(EChangeKind kind, EChangeCause cause)
    {
        CChangeNotice notice;
        notice.kind = kind;
        notice.cause = cause;
        return notice;
    }
};

}  // namespace mapwright
