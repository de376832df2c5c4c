// The bytes behind each block of the text pane. The pane shows them decoded with the one codec
// that decodes the whole page without loss; the user's edits of the shown text are spliced into
// the bytes, so every byte outside an edit stays exactly as it was, even inside an edited line.
#pragma once

#include "html/maplines.h"
#include "platform/bytecodec.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace mapwright {

class CTextPaneLines {
public:
    // Blocks [first, oldEnd) of the text as it was became blocks [first, newEnd) of the new one.
    struct CBlockChange {
        int first = 0;
        int oldEnd = 0;
        int newEnd = 0;
    };

    // The blocks an edit spliced: from firstBlock to lastBlock, where its inserted text ends before
    // byte endByte.
    struct CSplice {
        int firstBlock = 0;
        int lastBlock = 0;
        std::size_t endByte = 0;
        bool bShownAsTyped = true;  // false when the codec wrote a typed character another way
    };

    // Takes lines as the whole text: each line is a block, and an empty block follows the last line
    // break. Returns the blocks that differ from the text before; all of them when the codec changed.
    // changed, when given and it fits the blocks, names the lines that differ: no others are compared.
    CBlockChange Take(const CLines& lines, const std::optional<CLineChange>& changed = std::nullopt);

    ETextCodec Codec() const { return m_codec; }
    int BlockCount() const { return static_cast<int>(m_blocks.size()); }
    const std::string& BlockBytes(int block) const { return m_blocks[static_cast<std::size_t>(block)]; }

    // The block as the pane shows it: decoded, with a character that would break the line in the
    // control shown as a symbol of its own: a carriage return as U+240D, which an edit writes
    // back as a carriage return, the control's own block marks as U+FFFD.
    QString DisplayBlock(int block) const;

    // Blocks [first, end) as shown, each followed by '\n' when withBreaks, else joined by '\n'.
    QString DisplayBlocks(int first, int end, bool withBreaks) const;

    // Splices an edit of the shown text: from UTF-16 offset in block, removed characters (a block
    // break counts as one) were replaced by inserted, whose block breaks are U+2029 or '\n'.
    // Returns the blocks spliced, or nullopt, changing nothing, when the removed range is not in
    // the text.
    std::optional<CSplice> ApplyEdit(int block, qsizetype offset, qsizetype removed, const QString& inserted);

    // Encodes blocks afresh from the text the control shows, keeping the codec.
    void TakeShownText(const QStringList& blocks);

    // The lines the text stands for: every block, the last one only when something was typed on it.
    CLines TakenLines() const;

private:
    // Puts blocks in place of blocks [first, end).
    void ReplaceBlocks(int first, int end, std::vector<std::string> blocks);
    QString Display(const std::string& bytes) const;

    ETextCodec m_codec = ETextCodec::Utf8;
    std::vector<std::string> m_blocks{std::string()};  // never empty
};

}  // namespace mapwright
