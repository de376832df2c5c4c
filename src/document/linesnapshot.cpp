#include "document/linesnapshot.h"

#include <algorithm>
#include <utility>

namespace mapwright {

using CBlock = std::vector<std::string>;
using CNodePtr = CLineSnapshot::CNodePtr;

// A leaf holds lines [begin, end) of a shared block; an inner node joins two subtrees. Nodes never
// change once made, so any snapshot may share any of them.
struct CLineSnapshot::CNode {
    std::shared_ptr<const CBlock> block;
    std::size_t begin = 0;
    std::size_t end = 0;
    CNodePtr left;
    CNodePtr right;
    std::size_t nLines = 0;
    std::size_t nPieces = 0;
    int nHeight = 1;

    bool IsLeaf() const { return !left; }
};

namespace {

using CNode = CLineSnapshot::CNode;

std::size_t LinesOf(const CNodePtr& node) { return node ? node->nLines : 0; }
int HeightOf(const CNodePtr& node) { return node ? node->nHeight : 0; }

std::size_t BytesOf(const std::string& line)
{
    return sizeof(std::string) + (line.size() > 15 ? line.capacity() + 1 : 0);
}

CNodePtr Leaf(std::shared_ptr<const CBlock> block, std::size_t begin, std::size_t end)
{
    if (begin >= end)
        return nullptr;
    auto leaf = std::make_shared<CNode>();
    leaf->block = std::move(block);
    leaf->begin = begin;
    leaf->end = end;
    leaf->nLines = end - begin;
    leaf->nPieces = 1;
    return leaf;
}

CNodePtr Inner(CNodePtr left, CNodePtr right)
{
    // Two neighbouring ranges of one block are one piece.
    if (left->IsLeaf() && right->IsLeaf() && left->block == right->block && left->end == right->begin)
        return Leaf(left->block, left->begin, right->end);
    auto node = std::make_shared<CNode>();
    node->nLines = left->nLines + right->nLines;
    node->nPieces = left->nPieces + right->nPieces;
    node->nHeight = 1 + std::max(left->nHeight, right->nHeight);
    node->left = std::move(left);
    node->right = std::move(right);
    return node;
}

// Joins left and right, whose heights differ by at most two, into a tree whose sides differ by at
// most one, by one or two rotations.
CNodePtr Balanced(CNodePtr left, CNodePtr right)
{
    if (HeightOf(left) > HeightOf(right) + 1) {
        if (HeightOf(left->left) >= HeightOf(left->right))
            return Inner(left->left, Inner(left->right, std::move(right)));
        return Inner(Inner(left->left, left->right->left), Inner(left->right->right, std::move(right)));
    }
    if (HeightOf(right) > HeightOf(left) + 1) {
        if (HeightOf(right->right) >= HeightOf(right->left))
            return Inner(Inner(std::move(left), right->left), right->right);
        return Inner(Inner(std::move(left), right->left->left), Inner(right->left->right, right->right));
    }
    return Inner(std::move(left), std::move(right));
}

// All lines of left, then all of right; only the nodes along the seam are made anew.
CNodePtr Join(CNodePtr left, CNodePtr right)
{
    if (!left)
        return right;
    if (!right)
        return left;
    if (HeightOf(left) > HeightOf(right) + 1)
        return Balanced(left->left, Join(left->right, std::move(right)));
    if (HeightOf(right) > HeightOf(left) + 1)
        return Balanced(Join(std::move(left), right->left), right->right);
    return Inner(std::move(left), std::move(right));
}

// The first count lines of node, and the rest.
std::pair<CNodePtr, CNodePtr> Split(const CNodePtr& node, std::size_t count)
{
    if (!node || count == 0)
        return {nullptr, node};
    if (count >= node->nLines)
        return {node, nullptr};
    if (node->IsLeaf())
        return {Leaf(node->block, node->begin, node->begin + count), Leaf(node->block, node->begin + count, node->end)};
    if (count <= node->left->nLines) {
        auto [first, rest] = Split(node->left, count);
        return {std::move(first), Join(std::move(rest), node->right)};
    }
    auto [first, rest] = Split(node->right, count - node->left->nLines);
    return {Join(node->left, std::move(first)), std::move(rest)};
}

// Calls visit(line) on the lines in order (backwards when reverse) while it returns true.
template <class Visit> bool VisitLines(const CNodePtr& node, bool reverse, Visit& visit)
{
    if (!node)
        return true;
    if (node->IsLeaf()) {
        const CBlock& block = *node->block;
        for (std::size_t i = 0; i < node->nLines; ++i) {
            if (!visit(block[reverse ? node->end - 1 - i : node->begin + i]))
                return false;
        }
        return true;
    }
    return reverse ? VisitLines(node->right, true, visit) && VisitLines(node->left, true, visit)
                   : VisitLines(node->left, false, visit) && VisitLines(node->right, false, visit);
}

void AppendLines(const CNodePtr& node, CLines& lines)
{
    if (!node)
        return;
    if (node->IsLeaf()) {
        lines.insert(lines.end(), node->block->begin() + static_cast<std::ptrdiff_t>(node->begin),
                     node->block->begin() + static_cast<std::ptrdiff_t>(node->end));
        return;
    }
    AppendLines(node->left, lines);
    AppendLines(node->right, lines);
}

}  // namespace

CLineSnapshot::CLineSnapshot(const CLines& lines) : CLineSnapshot(lines, CLineSnapshot(), CLineChange{0, 0, lines.size()})
{
}

CLineSnapshot::CLineSnapshot(const CLines& lines, const CLineSnapshot& previous)
{
    const std::size_t common = std::min(lines.size(), previous.LineCount());
    std::size_t prefix = 0;
    auto samePrefix = [&](const std::string& line) {
        if (prefix == common || line != lines[prefix])
            return false;
        ++prefix;
        return true;
    };
    VisitLines(previous.m_root, false, samePrefix);
    // The common suffix may not overlap the prefix in either sequence.
    const std::size_t suffixLimit = common - prefix;
    std::size_t suffix = 0;
    auto sameSuffix = [&](const std::string& line) {
        if (suffix == suffixLimit || line != lines[lines.size() - 1 - suffix])
            return false;
        ++suffix;
        return true;
    };
    VisitLines(previous.m_root, true, sameSuffix);
    Build(lines, previous, prefix, suffix);
}

CLineSnapshot::CLineSnapshot(const CLines& lines, const CLineSnapshot& previous, const CLineChange& change)
{
    const std::size_t count = previous.LineCount();
    const bool fits = change.nFirst + change.nOldCount <= count && lines.size() == count - change.nOldCount + change.nNewCount;
    if (!fits) {
        *this = CLineSnapshot(lines, previous);
        return;
    }
    Build(lines, previous, change.nFirst, count - change.nFirst - change.nOldCount);
}

void CLineSnapshot::Build(const CLines& lines, const CLineSnapshot& previous, std::size_t prefix, std::size_t suffix)
{
    const auto first = lines.begin() + static_cast<std::ptrdiff_t>(prefix);
    const auto last = lines.end() - static_cast<std::ptrdiff_t>(suffix);
    CNodePtr changed;
    if (first != last) {
        auto block = std::make_shared<const CBlock>(first, last);
        for (const std::string& line : *block)
            m_nOwnBytes += BytesOf(line);
        changed = Leaf(block, 0, block->size());
    }
    CNodePtr before = Split(previous.m_root, prefix).first;
    CNodePtr after = Split(previous.m_root, previous.LineCount() - suffix).second;
    m_root = Join(Join(std::move(before), std::move(changed)), std::move(after));
}

std::size_t CLineSnapshot::LineCount() const { return LinesOf(m_root); }

std::size_t CLineSnapshot::PieceCount() const { return m_root ? m_root->nPieces : 0; }

int CLineSnapshot::TreeHeight() const { return HeightOf(m_root); }

void CLineSnapshot::CopyTo(CLines& lines) const
{
    lines.clear();
    lines.reserve(LineCount());
    AppendLines(m_root, lines);
}

CLines CLineSnapshot::ToLines() const
{
    CLines lines;
    CopyTo(lines);
    return lines;
}

}  // namespace mapwright
