// What the views need of the main frame and the document tab list, which live in the shell above
// them: the shell implements this and installs it; until then nothing is shown or listed.
#pragma once

#include <QString>

class QWidget;

namespace mapwright {

class CMapDocument;

class CViewHost {
public:
    virtual ~CViewHost() = default;

    // Shows text in the first pane of the main window's status bar.
    virtual void SetStatusText(const QString& text) = 0;
    // Shows scale (1.0 = 100 %) in the zoom box of the toolbar.
    virtual void ShowScaleInZoomBox(double scale) = 0;
    // Adds the document window that holds form, showing document, to the document tab list.
    virtual void AddDocTab(QWidget* form, CMapDocument* document) = 0;
    // Removes the entry of the document window that holds form; nothing when it has none.
    virtual void RemoveDocTab(QWidget* form) = 0;
    // Redraws every document tab bar.
    virtual void RefreshAllTabs() = 0;
    // Shows the picture pixel under the pointer ("x, y"), or nothing when text is empty.
    virtual void ShowPointer(const QString& /*text*/) {}
    // Shows the selected area's box ("x, y, w × h") while a gesture changes it.
    virtual void ShowSelectionBox(const QString& /*text*/) {}
};

// The installed host, or one that does nothing.
CViewHost& ViewHost();
// Installs host (not owned); null goes back to the one that does nothing.
void SetViewHost(CViewHost* host);

}  // namespace mapwright
