// An immutable copy of all lines of a page that shares unchanged lines with the snapshot it was
// made after. Only the lines that differ from the earlier snapshot are copied, into a new block;
// the rest are pieces (ranges of shared, never-changed blocks) held in a balanced tree that also
// shares all but a few of its nodes with the earlier snapshot. So a step of the undo history
// costs the lines it changed and a path of the tree, however many places were edited before.
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
    std::size_t LineCount() const;

    // Replaces the contents of lines with a copy of the lines held.
    void CopyTo(CLines& lines) const;

    // Returns a copy of the lines held.
    CLines ToLines() const;

    // Number of pieces the lines are held in (one per shared range).
    std::size_t PieceCount() const;

    // Approximate bytes of the lines this snapshot copied itself (shared lines not counted).
    std::size_t OwnBytes() const { return m_nOwnBytes; }

    // The height of the tree of pieces: what a new snapshot copies of it is about this many nodes
    // on each side of its change.
    int TreeHeight() const;

    struct CNode;
    using CNodePtr = std::shared_ptr<const CNode>;

private:
    void Build(const CLines& lines, const CLineSnapshot& previous, std::size_t prefix, std::size_t suffix);

    CNodePtr m_root;
    std::size_t m_nOwnBytes = 0;
};

}  // namespace mapwright
