#include "views/undokeyfilter.h"

#include <QKeyEvent>

namespace mapwright {

bool CUndoKeyFilter::IsDocumentUndoKey(const QKeyEvent& event)
{
    const QKeyCombination combination = event.keyCombination();
    if (combination == QKeyCombination(Qt::AltModifier, Qt::Key_Backspace))
        return false;  // a text control's own undo, wherever the desktop also binds it
    return combination == QKeyCombination(Qt::ControlModifier, Qt::Key_Z) ||
           combination == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
           event.matches(QKeySequence::Undo) || event.matches(QKeySequence::Redo);
}

bool CUndoKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    const bool isKey = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (isKey && IsDocumentUndoKey(*static_cast<QKeyEvent*>(event))) {
        // Not accepted: the shortcut of the window's command fires, or the key goes to the parents.
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace mapwright
