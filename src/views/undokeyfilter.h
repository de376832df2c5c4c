// Ctrl+Z and Ctrl+Y are the document's Undo and Redo, even while a text control has the focus:
// this filter keeps a text control from taking them for its own undo, so they reach the window's
// commands (or, without such a command, do nothing).
#pragma once

#include <QObject>

class QKeyEvent;

namespace mapwright {

class CUndoKeyFilter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // True for the keys of the document's Undo and Redo, the desktop's own undo and redo keys included.
    static bool IsDocumentUndoKey(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace mapwright
