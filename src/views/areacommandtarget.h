// Whole-area Copy, Delete area and Paste through the area clipboard: what the canvas does with
// these commands while it has the keyboard focus. The form and the text pane hand the commands
// on to it, and the command enablers ask it.
#pragma once

#include <QWidget>

namespace mapwright {

class CAreaCommandTarget {
public:
    virtual ~CAreaCommandTarget() = default;

    // True when the document has a selected area to copy or delete.
    virtual bool CanCopyArea() const = 0;
    // True when the area clipboard holds an area.
    virtual bool CanPasteArea() const = 0;
    // Puts a copy of the selected area into the area clipboard; nothing when none is selected.
    virtual void CopyArea() = 0;
    // Deletes the selected area with its tag; nothing when none is selected.
    virtual void DeleteArea() = 0;
    // Pastes the area clipboard's area into the document; nothing when it is empty.
    virtual void PasteArea() = 0;
};

// The area command target that widget is, or null (for example the canvas under the focus).
inline CAreaCommandTarget* AsAreaCommandTarget(QWidget* widget)
{
    return dynamic_cast<CAreaCommandTarget*>(widget);
}

}  // namespace mapwright
