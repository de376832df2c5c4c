// The text controls that Copy, Cut (Delete area) and Paste of the form and the text pane act on.
#pragma once

class QWidget;

namespace mapwright {

// The text control that has the keyboard focus: the focus widget itself, or the edit field of a
// focused editable combo box; null without focus.
QWidget* FocusedTextControl();

// Runs the copy, cut or paste slot (named by slot) of control; does nothing when it has none.
void RunTextCommand(QWidget* control, const char* slot);

// True when the system clipboard offers plain text.
bool ClipboardHasText();

}  // namespace mapwright
