#include "document/linesnapshot.h"

#include <algorithm>

namespace mapwright {

namespace {

// Edits in many places split a snapshot into many pieces; past this count short neighbouring
// pieces are merged so that copying and restoring stay proportional to the number of lines.
constexpr std::size_t kMaxPieces = 128;
// After merging at most this many long pieces remain (each at least 1/kLongPieces of the lines).
constexpr std::size_t kLongPieces = 32;
// Pieces shorter than this are always worth merging.
constexpr std::size_t kMinLongPiece = 64;

std::size_t BytesOf(const std::string& line)
{
    return sizeof(std::string) + (line.size() > 15 ? line.capacity() + 1 : 0);
}

}  // namespace

CLineSnapshot::CLineSnapshot(const CLines& lines)
{
    AppendNewBlock(CBlock(lines.begin(), lines.end()));
}

CLineSnapshot::CLineSnapshot(const CLines& lines, const CLineSnapshot& previous)
{
    const std::size_t common = std::min(lines.size(), previous.m_nLines);

    std::size_t prefix = 0;
    for (const CPiece& piece : previous.m_pieces) {
        std::size_t i = piece.begin;
        while (i < piece.end && prefix < common && (*piece.block)[i] == lines[prefix]) {
            ++i;
            ++prefix;
        }
        if (i < piece.end || prefix == common)
            break;
    }

    // The common suffix may not overlap the prefix in either sequence.
    const std::size_t suffixLimit = common - prefix;
    std::size_t suffix = 0;
    for (auto it = previous.m_pieces.rbegin(); it != previous.m_pieces.rend() && suffix < suffixLimit; ++it) {
        std::size_t i = it->end;
        while (i > it->begin && suffix < suffixLimit
               && (*it->block)[i - 1] == lines[lines.size() - 1 - suffix]) {
            --i;
            ++suffix;
        }
        if (i > it->begin)
            break;
    }

    Build(lines, previous, prefix, suffix);
}

CLineSnapshot::CLineSnapshot(const CLines& lines, const CLineSnapshot& previous, const CLineChange& change)
{
    const bool fits = change.nFirst + change.nOldCount <= previous.m_nLines
                      && lines.size() == previous.m_nLines - change.nOldCount + change.nNewCount;
    if (!fits) {
        *this = CLineSnapshot(lines, previous);
        return;
    }
    Build(lines, previous, change.nFirst, previous.m_nLines - change.nFirst - change.nOldCount);
}

void CLineSnapshot::Build(const CLines& lines, const CLineSnapshot& previous, std::size_t prefix, std::size_t suffix)
{
    previous.AppendRange(0, prefix, *this);
    AppendNewBlock(CBlock(lines.begin() + static_cast<std::ptrdiff_t>(prefix),
                          lines.end() - static_cast<std::ptrdiff_t>(suffix)));
    previous.AppendRange(previous.m_nLines - suffix, previous.m_nLines, *this);

    if (m_pieces.size() > kMaxPieces)
        Compact();
}

void CLineSnapshot::CopyTo(CLines& lines) const
{
    lines.clear();
    lines.reserve(m_nLines);
    for (const CPiece& piece : m_pieces) {
        lines.insert(lines.end(), piece.block->begin() + static_cast<std::ptrdiff_t>(piece.begin),
                     piece.block->begin() + static_cast<std::ptrdiff_t>(piece.end));
    }
}

CLines CLineSnapshot::ToLines() const
{
    CLines lines;
    CopyTo(lines);
    return lines;
}

void CLineSnapshot::AppendPiece(const CPiece& piece)
{
    if (piece.Size() == 0)
        return;
    m_nLines += piece.Size();
    if (!m_pieces.empty()) {
        CPiece& last = m_pieces.back();
        if (last.block == piece.block && last.end == piece.begin) {
            last.end = piece.end;
            return;
        }
    }
    m_pieces.push_back(piece);
}

void CLineSnapshot::AppendNewBlock(CBlock lines)
{
    if (lines.empty())
        return;
    for (const std::string& line : lines)
        m_nOwnBytes += BytesOf(line);
    const std::size_t count = lines.size();
    AppendPiece({std::make_shared<const CBlock>(std::move(lines)), 0, count});
}

void CLineSnapshot::AppendRange(std::size_t from, std::size_t to, CLineSnapshot& target) const
{
    std::size_t pieceStart = 0;
    for (const CPiece& piece : m_pieces) {
        const std::size_t pieceEnd = pieceStart + piece.Size();
        if (pieceEnd > from && pieceStart < to) {
            const std::size_t begin = piece.begin + (std::max(from, pieceStart) - pieceStart);
            const std::size_t end = piece.begin + (std::min(to, pieceEnd) - pieceStart);
            target.AppendPiece({piece.block, begin, end});
        }
        if (pieceEnd >= to)
            break;
        pieceStart = pieceEnd;
    }
}

void CLineSnapshot::Compact()
{
    const std::size_t longPiece = std::max(kMinLongPiece, m_nLines / kLongPieces);
    std::vector<CPiece> pieces;
    pieces.swap(m_pieces);
    m_nLines = 0;

    // Runs of two or more short pieces become one new block; long pieces stay shared.
    std::size_t i = 0;
    while (i < pieces.size()) {
        std::size_t runEnd = i;
        while (runEnd < pieces.size() && pieces[runEnd].Size() < longPiece)
            ++runEnd;
        if (runEnd - i >= 2) {
            CBlock merged;
            for (std::size_t k = i; k < runEnd; ++k) {
                const CPiece& piece = pieces[k];
                merged.insert(merged.end(), piece.block->begin() + static_cast<std::ptrdiff_t>(piece.begin),
                              piece.block->begin() + static_cast<std::ptrdiff_t>(piece.end));
            }
            AppendNewBlock(std::move(merged));
            i = runEnd;
        } else {
            AppendPiece(pieces[i]);
            ++i;
        }
    }
}

}  // namespace mapwright
