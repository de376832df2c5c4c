// The text pane of a document window: the page's whole HTML text, editable. Every change the user
// makes is taken into the document at once (the map is parsed again, one undo step); every other
// change of the document fills the pane again. The pane also keeps the caret of each undo step.
#pragma once

#include "document/mapdocument.h"
#include "views/edittarget.h"
#include "views/textpanelines.h"

#include <QPlainTextEdit>

#include <optional>

namespace mapwright {

class CHtmlPane : public QPlainTextEdit, public CView, public CCaretHost, public CEditTarget {
    Q_OBJECT
public:
    // Pages of more lines than this are shown after a start's first frame, not in it.
    static constexpr std::size_t kLinesFilledAfterFirstFrame = 2000;

    // Creates the pane for document and fills it; a long page while a start holds work back
    // (afterfirstframe.h) is filled once the first frame is out, or as soon as anyone needs it.
    explicit CHtmlPane(CMapDocument* document, QWidget* parent = nullptr);

    // Fills the pane now if its filling was put off; true while it is still waiting.
    void EnsureFilled();
    bool FillPending() const { return m_bFillPending; }

    // Fills the pane again, unless the change came from the pane itself or from a form edit made
    // while the pane's own change was being announced.
    void OnUpdate(CView* sender, const CChangeNotice& notice) override;

    CCaretHost* GetCaretHost() override { return this; }
    int GetSelectionStart() const override;
    void SetSelectionAndScroll(int position) override;

    // Copy, Cut (Delete area) and Paste while the pane is the active view: the text control that
    // has the focus (the pane, or a control outside the document window) copies, cuts or pastes.
    void OnEditCopy() override;
    void OnEditCut() override;
    void OnEditPaste() override;
    // Enabling of Copy and Cut: a selection in this pane.
    CCommandState OnUpdateEditCopyCut() const override;
    // Enabling of Paste: whether the clipboard holds text.
    CCommandState OnUpdateEditPaste() const override;

    // The control's own undo of the user's last typing (Alt+Backspace), and its enabling.
    void OnEditUndoTyping();
    CCommandState OnUpdateEditUndoTyping() const;

protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    // Text the user types, composes or pastes comes in as the page's codec writes it, so that a
    // character Windows-1252 lacks is shown as the reference it is saved as.
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    CMapDocument* Document() const;
    void ApplyViewFont();
    // Shows the document's lines; changed, when known, names the only lines that differ.
    void FillPane(const std::optional<CLineChange>& changed = std::nullopt);
    void FillBeforeUserInput(const QEvent& event);
    // Replaces the changed blocks of the control's text with their new lines.
    void ReplaceBlocks(const CTextPaneLines::CBlockChange& change);
    void OnContentsChange(int position, int removed, int added);
    void OnChange();
    // Shows the blocks of splice as written, where text came in some other way with a character
    // the codec wrote another way.
    void ShowAsWritten(const CTextPaneLines::CSplice& splice);

    CTextPaneLines m_lines;    // the bytes behind the control's blocks
    bool m_bFilling = false;   // true only inside the scope of a program fill
    bool m_bFillPending = false;  // the first fill was put off until after a start's first frame
    std::optional<CTextPaneLines::CSplice> m_typedChange;  // the user's change, until it is applied
    // The change in lines, when the user's change is one splice whose lines are known: the
    // document then takes only those lines.
    std::optional<CLineChange> m_typedLines;
    // True while the document's lines are the lines behind the blocks, as filling or typing
    // leaves them; a change the pane let pass without showing it makes it false.
    bool m_bLinesAsDocument = false;
    // Hands the user's change to the document: only its lines when they are known, else all.
    void ApplyTyped(const CTextPaneLines::CSplice& splice);
};

}  // namespace mapwright
