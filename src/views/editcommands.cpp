#include "views/editcommands.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>

namespace mapwright {

QWidget* FocusedTextControl()
{
    QWidget* focus = QApplication::focusWidget();
    // An editable combo box keeps the focus itself and hands the keys to its edit field.
    if (auto* combo = qobject_cast<QComboBox*>(focus); combo && combo->lineEdit())
        return combo->lineEdit();
    return focus;
}

void RunTextCommand(QWidget* control, const char* slot)
{
    if (control && control->metaObject()->indexOfSlot(QByteArray(slot) + "()") >= 0)
        QMetaObject::invokeMethod(control, slot);
}

bool ClipboardHasText()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasText();
}

}  // namespace mapwright
