// What Copy, Delete area and Paste act on, found from the keyboard focus: whole areas while the
// canvas has it, the text of a text field or of the text pane otherwise.
#pragma once

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace mapwright {

class CAreaCommandTarget;

class CEditTarget {
public:
    // The target that focus (or the widget holding it) offers; none when it offers nothing.
    static CEditTarget FromWidget(QWidget* focus);

    bool IsNone() const { return !m_pArea && !m_pLine && !m_pText; }
    bool IsArea() const { return m_pArea != nullptr; }
    QPlainTextEdit* PlainText() const { return m_pText; }

    // Copy and Delete area: an area is selected, or the field has a non-empty selection.
    bool CanCopy() const;
    // Paste: the area clipboard holds an area, or (for text) clipboardHasText.
    bool CanPaste(bool clipboardHasText) const;

    void Copy() const;
    // Deletes the selected area, or cuts the selected text.
    void Cut() const;
    void Paste() const;

private:
    CAreaCommandTarget* m_pArea = nullptr;
    QLineEdit* m_pLine = nullptr;
    QPlainTextEdit* m_pText = nullptr;
};

}  // namespace mapwright
