// "Copy map to clipboard": the whole page text as plain text on the system clipboard.
#pragma once

class QPlainTextEdit;

namespace mapwright {

class CMapDocument;

// Puts every line of document, each ended by CR LF, on the system clipboard as plain text. The
// text pane (may be null) keeps its caret and selection and scrolls the caret into view.
void OnCopyMap(const CMapDocument& document, QPlainTextEdit* textPane);

}  // namespace mapwright
