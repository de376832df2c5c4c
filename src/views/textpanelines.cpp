#include "views/textpanelines.h"

#include <QStringList>

#include <algorithm>
#include <iterator>

namespace mapwright {
namespace {

const std::string kEmptyBlock;

constexpr char16_t kCarriageReturnSymbol = 0x240D;

// Characters that the control would take as the end of a block, with the symbol shown instead.
QChar ShownCharacter(QChar character)
{
    switch (character.unicode()) {
    case u'\r': return QChar(kCarriageReturnSymbol);
    case u'\n': return QChar(0x240A);  // SYMBOL FOR LINE FEED
    case QChar::ParagraphSeparator:
    case 0xFDD0:  // the control's frame marks
    case 0xFDD1: return QChar(QChar::ReplacementCharacter);
    default: return character;
    }
}

// Encodes text inserted into the pane. The carriage return's symbol stands for a carriage return,
// so that text the control's undo puts back, or text copied within the pane, keeps its bytes.
std::string EncodeInserted(QString text, ETextCodec codec)
{
    text.replace(QChar(kCarriageReturnSymbol), u'\r');
    return EncodeText(text, codec);
}

bool IsBlockBreak(QChar character)
{
    return character == QChar::ParagraphSeparator || character == u'\n';
}

}  // namespace

CTextPaneLines::CBlockChange CTextPaneLines::Take(const CLines& lines, const std::optional<CLineChange>& changed)
{
    const int oldCount = BlockCount();
    const int newCount = static_cast<int>(lines.size()) + 1;
    const auto newBlock = [&](int i) -> const std::string& {
        return i < newCount - 1 ? lines[static_cast<std::size_t>(i)] : kEmptyBlock;
    };

    CBlockChange change;
    if (changed && changed->nFirst + changed->nOldCount < std::size_t(oldCount) &&
        changed->nFirst + changed->nNewCount < std::size_t(newCount) &&
        std::size_t(oldCount) - changed->nOldCount == std::size_t(newCount) - changed->nNewCount) {
        const int first = static_cast<int>(changed->nFirst);
        change = {first, first + static_cast<int>(changed->nOldCount), first + static_cast<int>(changed->nNewCount)};
    } else {
        // The prefix stops before the last block, so that a change always starts at a block that exists.
        const int common = std::min(oldCount, newCount);
        int first = 0;
        while (first < common - 1 && BlockBytes(first) == newBlock(first))
            ++first;
        int suffix = 0;
        while (suffix < common - first && BlockBytes(oldCount - 1 - suffix) == newBlock(newCount - 1 - suffix))
            ++suffix;
        change = {first, oldCount - suffix, newCount - suffix};
    }

    // Every block of a UTF-8 text is valid UTF-8, so only the changed lines need looking at.
    ETextCodec codec = ETextCodec::Utf8;
    if (m_codec == ETextCodec::Utf8) {
        for (int i = change.first; i < change.newEnd && codec == ETextCodec::Utf8; ++i)
            codec = DetectCodec(newBlock(i));
    } else {
        codec = DetectCodec(lines);
    }
    if (codec != m_codec) {
        change = {0, oldCount, newCount};
        m_codec = codec;
    }

    std::vector<std::string> blocks;
    blocks.reserve(static_cast<std::size_t>(change.newEnd - change.first));
    for (int i = change.first; i < change.newEnd; ++i)
        blocks.push_back(newBlock(i));
    ReplaceBlocks(change.first, change.oldEnd, std::move(blocks));
    return change;
}

void CTextPaneLines::ReplaceBlocks(int first, int end, std::vector<std::string> blocks)
{
    // Blocks in place first: most edits change one line of thousands, and shifting them all is slow.
    const auto count = static_cast<int>(blocks.size());
    const int kept = std::min(end - first, count);
    for (int i = 0; i < kept; ++i)
        m_blocks[static_cast<std::size_t>(first + i)] = std::move(blocks[static_cast<std::size_t>(i)]);
    const auto at = [this](int i) { return m_blocks.begin() + i; };
    if (end - first > count)
        m_blocks.erase(at(first + kept), at(end));
    else
        m_blocks.insert(at(first + kept), std::make_move_iterator(blocks.begin() + kept), std::make_move_iterator(blocks.end()));
}

QString CTextPaneLines::Display(const std::string& bytes) const
{
    QString text = DecodeBytes(bytes, m_codec);
    for (QChar& character : text)
        character = ShownCharacter(character);
    return text;
}

QString CTextPaneLines::DisplayBlock(int block) const
{
    return Display(BlockBytes(block));
}

QString CTextPaneLines::DisplayBlocks(int first, int end, bool withBreaks) const
{
    QString text;
    for (int i = first; i < end; ++i) {
        if (i > first && !withBreaks)
            text += u'\n';
        text += DisplayBlock(i);
        if (withBreaks)
            text += u'\n';
    }
    return text;
}

std::optional<CTextPaneLines::CSplice> CTextPaneLines::ApplyEdit(int block, qsizetype offset, qsizetype removed,
                                                                  const QString& inserted)
{
    if (block < 0 || block >= BlockCount() || offset < 0 || removed < 0)
        return std::nullopt;
    if (offset > DecodedLength(BlockBytes(block), m_codec))
        return std::nullopt;

    // Walk the removed characters to the block and offset where they end.
    int endBlock = block;
    qsizetype endOffset = offset;
    qsizetype left = removed;
    for (;;) {
        const qsizetype rest = DecodedLength(BlockBytes(endBlock), m_codec) - endOffset;
        if (left <= rest) {
            endOffset += left;
            break;
        }
        left -= rest + 1;  // the block break
        if (++endBlock >= BlockCount())
            return std::nullopt;
        endOffset = 0;
    }

    const std::string& first = BlockBytes(block);
    const std::string& last = BlockBytes(endBlock);
    const std::string head = first.substr(0, BytePosition(first, m_codec, offset));
    const std::string tail = last.substr(BytePosition(last, m_codec, endOffset));

    std::vector<std::string> spliced(1, head);
    bool shownAsTyped = true;
    qsizetype segmentStart = 0;
    for (qsizetype i = 0; i <= inserted.size(); ++i) {
        if (i < inserted.size() && !IsBlockBreak(inserted[i]))
            continue;
        const QString segment = inserted.mid(segmentStart, i - segmentStart);
        const std::string bytes = EncodeInserted(segment, m_codec);
        shownAsTyped = shownAsTyped && Display(bytes) == segment;
        spliced.back() += bytes;
        if (i < inserted.size())
            spliced.emplace_back();
        segmentStart = i + 1;
    }
    const CSplice splice{block, block + static_cast<int>(spliced.size()) - 1, spliced.back().size(), shownAsTyped};
    spliced.back() += tail;

    ReplaceBlocks(block, endBlock + 1, std::move(spliced));
    return splice;
}

void CTextPaneLines::TakeShownText(const QStringList& blocks)
{
    m_blocks.clear();
    for (const QString& block : blocks)
        m_blocks.push_back(EncodeText(block, m_codec));
    if (m_blocks.empty())
        m_blocks.emplace_back();
}

CLines CTextPaneLines::TakenLines() const
{
    const bool lastTyped = !m_blocks.back().empty();
    return CLines(m_blocks.begin(), lastTyped ? m_blocks.end() : m_blocks.end() - 1);
}

}  // namespace mapwright
