#include "views/htmlpane.h"

#include "platform/appsettings.h"
#include "views/afterfirstframe.h"
#include "views/editcommands.h"
#include "views/undokeyfilter.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTextBlock>

#include <algorithm>

namespace mapwright {
namespace {

bool IsTypingUndoKey(const QKeyEvent& event)
{
    return event.keyCombination() == QKeyCombination(Qt::AltModifier, Qt::Key_Backspace);
}

}  // namespace

CHtmlPane::CHtmlPane(CMapDocument* doc, QWidget* parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    viewport()->setCursor(Qt::IBeamCursor);
    installEventFilter(new CUndoKeyFilter(this));
    connect(document(), &QTextDocument::contentsChange, this, &CHtmlPane::OnContentsChange);
    connect(this, &QPlainTextEdit::textChanged, this, &CHtmlPane::OnChange);
    if (doc)
        doc->AddView(this);
    if (doc && afterfirstframe::Holding() && doc->Lines().size() > kLinesFilledAfterFirstFrame) {
        m_bFillPending = true;
        afterfirstframe::Run(this, [this] { EnsureFilled(); });
        return;
    }
    FillPane();
}

void CHtmlPane::EnsureFilled()
{
    if (m_bFillPending)
        FillPane();
}

CMapDocument* CHtmlPane::Document() const
{
    return static_cast<CMapDocument*>(GetDocument());
}

void CHtmlPane::OnUpdate(CView* sender, const CChangeNotice& notice)
{
    const CMapDocument* doc = Document();
    if (sender == this || !doc)
        return;
    if (m_bFillPending) {
        FillPane();
        return;
    }
    // What was typed is on screen already; filling the pane again would lose the caret.
    if (notice.kind == EChangeKind::kTextTyped || notice.bDuringTyping) {
        m_bLinesAsDocument = false;
        return;
    }
    // While the blocks hold the document's lines, the lines an edit names are all that differ.
    FillPane(m_bLinesAsDocument ? notice.changedLines : std::nullopt);
    viewport()->update();
}

void CHtmlPane::ApplyViewFont()
{
    const CAppSettings& settings = AppSettings();
    if (settings.m_bHasViewFont && font() != settings.m_viewFont)
        setFont(settings.m_viewFont);
    setTabStopDistance(QFontMetricsF(font()).averageCharWidth() * 8);  // a tab stop every eight characters
}

void CHtmlPane::FillPane(const std::optional<CLineChange>& changed)
{
    const CMapDocument* doc = Document();
    if (!doc)
        return;
    m_bFillPending = false;
    const QScopedValueRollback filling(m_bFilling, true);
    ApplyViewFont();
    ReplaceBlocks(m_lines.Take(doc->Lines(), changed));
    m_typedChange.reset();
    m_typedLines.reset();
    m_bLinesAsDocument = true;
    // As replacing the whole text leaves it: the caret at the start, scrolled to the top left.
    setTextCursor(QTextCursor(document()));
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void CHtmlPane::ReplaceBlocks(const CTextPaneLines::CBlockChange& change)
{
    // Replacing a megabyte of text takes many frames; the lines that differ are few.
    QTextDocument* text = document();
    const bool toEnd = change.oldEnd >= text->blockCount();
    QTextCursor cursor(text);
    cursor.setPosition(text->findBlockByNumber(change.first).position());
    cursor.setPosition(toEnd ? text->characterCount() - 1 : text->findBlockByNumber(change.oldEnd).position(),
                       QTextCursor::KeepAnchor);
    // With undo off the change is not recorded, and turning it on again empties the control's history.
    text->setUndoRedoEnabled(false);
    if (cursor.hasSelection() || change.newEnd > change.first)
        cursor.insertText(m_lines.DisplayBlocks(change.first, change.newEnd, !toEnd));
    text->setUndoRedoEnabled(true);
}

void CHtmlPane::OnContentsChange(int position, int removed, int added)
{
    if (m_bFilling)
        return;
    QTextDocument* text = document();
    const QTextBlock block = text->findBlock(position);
    QTextCursor inserted(text);
    inserted.setPosition(std::clamp(position, 0, text->characterCount() - 1));
    inserted.setPosition(std::clamp(position + added, 0, text->characterCount() - 1), QTextCursor::KeepAnchor);
    std::optional<CTextPaneLines::CSplice> splice;
    const int blocksBefore = m_lines.BlockCount();
    // A second change before the first was handed on: the lines of the last alone are not enough.
    const bool first = !m_typedChange;
    if (block.isValid())
        splice = m_lines.ApplyEdit(block.blockNumber(), position - block.position(), removed, inserted.selectedText());
    m_typedLines.reset();
    if (splice && first && m_lines.BlockCount() == text->blockCount() && splice->lastBlock + 1 < m_lines.BlockCount()) {
        // The last block, which stands for a line only when typed on, is not in the splice.
        const auto lines = static_cast<std::size_t>(splice->lastBlock - splice->firstBlock + 1);
        const int grown = m_lines.BlockCount() - blocksBefore;
        if (static_cast<int>(lines) - grown >= 0)
            m_typedLines = CLineChange{static_cast<std::size_t>(splice->firstBlock),
                                       static_cast<std::size_t>(static_cast<int>(lines) - grown), lines};
    }
    if (!splice || m_lines.BlockCount() != text->blockCount()) {
        // A change that does not fit the text as it was: take every block as shown.
        QStringList blocks;
        for (QTextBlock each = text->begin(); each.isValid(); each = each.next())
            blocks << each.text();
        m_lines.TakeShownText(blocks);
        splice = CTextPaneLines::CSplice{};
    }
    m_typedChange = splice;
}

void CHtmlPane::OnChange()
{
    if (m_bFilling || !m_typedChange)
        return;
    const CTextPaneLines::CSplice splice = *std::exchange(m_typedChange, std::nullopt);
    CMapDocument* doc = Document();
    if (!doc)
        return;
    if (!splice.bShownAsTyped)
        ShowAsWritten(splice);
    QTextCursor caret = textCursor();
    if (caret.hasSelection()) {
        caret.setPosition(caret.selectionStart());
        setTextCursor(caret);
    }
    ensureCursorVisible();
    ApplyTyped(splice);
}

void CHtmlPane::ApplyTyped(const CTextPaneLines::CSplice& splice)
{
    CMapDocument* doc = Document();
    const std::optional<CLineChange> change = std::exchange(m_typedLines, std::nullopt);
    const bool asDocument = std::exchange(m_bLinesAsDocument, true);
    if (change && asDocument && splice.bShownAsTyped) {
        const std::size_t taken = static_cast<std::size_t>(m_lines.BlockCount()) - (m_lines.BlockBytes(m_lines.BlockCount() - 1).empty() ? 1 : 0);
        if (doc->Lines().size() + change->nNewCount - change->nOldCount == taken) {
            CLines lines;
            lines.reserve(change->nNewCount);
            for (std::size_t i = 0; i < change->nNewCount; ++i)
                lines.push_back(m_lines.BlockBytes(static_cast<int>(change->nFirst + i)));
            if (doc->ApplyTypedChange(*change, std::move(lines), this))
                return;
        }
    }
    doc->ApplyTypedLines(m_lines.TakenLines(), this);
}

void CHtmlPane::ShowAsWritten(const CTextPaneLines::CSplice& splice)
{
    const QScopedValueRollback filling(m_bFilling, true);
    QTextDocument* text = document();
    const QTextBlock first = text->findBlockByNumber(splice.firstBlock);
    const QTextBlock last = text->findBlockByNumber(splice.lastBlock);
    QTextCursor cursor(text);
    cursor.setPosition(first.position());
    cursor.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
    // Undoing this would bring back what cannot be written, so the control's history goes.
    text->setUndoRedoEnabled(false);
    cursor.insertText(m_lines.DisplayBlocks(splice.firstBlock, splice.lastBlock + 1, false));
    text->setUndoRedoEnabled(true);
    const std::string& written = m_lines.BlockBytes(splice.lastBlock);
    const auto caret = text->findBlockByNumber(splice.lastBlock).position() +
                       DecodedLength(std::string_view(written).substr(0, splice.endByte), m_lines.Codec());
    cursor.setPosition(static_cast<int>(caret));
    setTextCursor(cursor);
}

int CHtmlPane::GetSelectionStart() const
{
    return textCursor().selectionStart();
}

void CHtmlPane::SetSelectionAndScroll(int position)
{
    EnsureFilled();
    QTextCursor caret(document());
    caret.setPosition(std::clamp(position, 0, document()->characterCount() - 1));
    setTextCursor(caret);
    ensureCursorVisible();
}

void CHtmlPane::OnEditCopy()
{
    EnsureFilled();
    RunTextCommand(FocusedTextControl(), "copy");
}

void CHtmlPane::OnEditCut()
{
    EnsureFilled();
    RunTextCommand(FocusedTextControl(), "cut");
}

void CHtmlPane::OnEditPaste()
{
    EnsureFilled();
    RunTextCommand(FocusedTextControl(), "paste");
}

CCommandState CHtmlPane::OnUpdateEditCopyCut() const
{
    return {textCursor().hasSelection(), false};
}

CCommandState CHtmlPane::OnUpdateEditPaste() const
{
    return {ClipboardHasText(), false};
}

void CHtmlPane::OnEditUndoTyping()
{
    undo();
}

CCommandState CHtmlPane::OnUpdateEditUndoTyping() const
{
    return {document()->isUndoAvailable(), false};
}

void CHtmlPane::FillBeforeUserInput(const QEvent& event)
{
    // Whatever the user does to a pane still waiting for its text waits for the text.
    if (!m_bFillPending)
        return;
    switch (event.type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
    case QEvent::FocusIn:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::Drop:
    case QEvent::Wheel:
        FillPane();
        break;
    default: break;
    }
}

bool CHtmlPane::viewportEvent(QEvent* event)
{
    FillBeforeUserInput(*event);
    return QPlainTextEdit::viewportEvent(event);
}

bool CHtmlPane::event(QEvent* event)
{
    FillBeforeUserInput(*event);
    // Alt+Backspace stays with the control even where a window command has the same key.
    if (event->type() == QEvent::ShortcutOverride && IsTypingUndoKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QPlainTextEdit::event(event);
}

void CHtmlPane::keyPressEvent(QKeyEvent* event)
{
    if (IsTypingUndoKey(*event)) {
        OnEditUndoTyping();
        event->accept();
        return;
    }
    const QString written = WrittenText(event->text(), m_lines.Codec());
    if (written != event->text()) {
        insertPlainText(written);
        ensureCursorVisible();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CHtmlPane::inputMethodEvent(QInputMethodEvent* event)
{
    const QString written = WrittenText(event->commitString(), m_lines.Codec());
    if (written != event->commitString())
        event->setCommitString(written, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(event);
}

void CHtmlPane::insertFromMimeData(const QMimeData* source)
{
    if (source->hasText()) {
        const QString written = WrittenText(source->text(), m_lines.Codec());
        if (written != source->text()) {
            QMimeData plain;
            plain.setText(written);
            QPlainTextEdit::insertFromMimeData(&plain);
            return;
        }
    }
    QPlainTextEdit::insertFromMimeData(source);
}

}  // namespace mapwright
