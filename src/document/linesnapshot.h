// An immutable copy of all lines of a page that shares unchanged lines with the snapshot it was
// made after: it holds pieces (ranges of shared, never-changed blocks of lines), and only the
// lines that differ from the earlier snapshot are copied into a new block.
#pragma once

#include "html/maplines.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace mapwright {

class CLineSnapshot {
public:
    // An empty snapshot (no lines).
    CLineSnapshot() = default;

    // Copies every line of lines.
    explicit CLineSnapshot(const CLines& lines);

    // Copies lines, sharing with previous the unchanged first and last lines it has in common.
    CLineSnapshot(const CLines& lines, const CLineSnapshot& previous);

    // The same when lines are known to be previous's lines with only change made: the lines around
    // it are shared without comparing them. A change that does not fit the line counts is ignored.
    CLineSnapshot(const CLines& lines, const CLineSnapshot& previous, const CLineChange& change);

    // Number of lines held.
    std::size_t LineCount() const { return m_nLines; }

    // Replaces the contents of lines with a copy of the lines held.
    void CopyTo(CLines& lines) const;

    // Returns a copy of the lines held.
    CLines ToLines() const;

    // Number of pieces the lines are held in (one per shared range).
    std::size_t PieceCount() const { return m_pieces.size(); }

    // Approximate bytes of the lines this snapshot copied itself (shared lines not counted).
    std::size_t OwnBytes() const { return m_nOwnBytes; }

private:
    using CBlock = std::vector<std::string>;

    // Lines [begin, end) of a shared block.
    struct CPiece {
        std::shared_ptr<const CBlock> block;
        std::size_t begin = 0;
        std::size_t end = 0;
        std::size_t Size() const { return end - begin; }
    };

    void Build(const CLines& lines, const CLineSnapshot& previous, std::size_t prefix, std::size_t suffix);
    void AppendPiece(const CPiece& piece);
    void AppendNewBlock(CBlock lines);
    // Appends lines [from, to) of this snapshot's pieces, as shared pieces, to target.
    void AppendRange(std::size_t from, std::size_t to, CLineSnapshot& target) const;
    void Compact();

    std::vector<CPiece> m_pieces;
    std::size_t m_nLines = 0;
    std::size_t m_nOwnBytes = 0;
};

}  // namespace mapwright
