#include "shell/edittarget.h"

#include "views/areacommandtarget.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace mapwright {

CEditTarget CEditTarget::FromWidget(QWidget* focus)
{
    CEditTarget target;
    // The focus may sit on a part of the target (a viewport, an editable combo box's field).
    for (QWidget* widget = focus; widget; widget = widget->parentWidget()) {
        if ((target.m_pArea = AsAreaCommandTarget(widget)))
            return target;
        if ((target.m_pLine = qobject_cast<QLineEdit*>(widget)))
            return target;
        if ((target.m_pText = qobject_cast<QPlainTextEdit*>(widget)))
            return target;
        if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->lineEdit()) {
            target.m_pLine = combo->lineEdit();
            return target;
        }
        if (widget->isWindow())
            break;
    }
    return target;
}

bool CEditTarget::CanCopy() const
{
    if (m_pArea)
        return m_pArea->CanCopyArea();
    if (m_pLine)
        return m_pLine->hasSelectedText();
    if (m_pText)
        return m_pText->textCursor().hasSelection();
    return false;
}

bool CEditTarget::CanPaste(bool clipboardHasText) const
{
    if (m_pArea)
        return m_pArea->CanPasteArea();
    if (m_pLine)
        return clipboardHasText && !m_pLine->isReadOnly();
    if (m_pText)
        return clipboardHasText && !m_pText->isReadOnly();
    return false;
}

void CEditTarget::Copy() const
{
    if (m_pArea)
        m_pArea->CopyArea();
    else if (m_pLine)
        m_pLine->copy();
    else if (m_pText)
        m_pText->copy();
}

void CEditTarget::Cut() const
{
    if (m_pArea)
        m_pArea->DeleteArea();
    else if (m_pLine)
        m_pLine->cut();
    else if (m_pText)
        m_pText->cut();
}

void CEditTarget::Paste() const
{
    if (m_pArea)
        m_pArea->PasteArea();
    else if (m_pLine)
        m_pLine->paste();
    else if (m_pText)
        m_pText->paste();
}

}  // namespace mapwright
