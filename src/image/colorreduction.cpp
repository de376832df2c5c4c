#include "image/colorreduction.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <memory>

namespace mapwright {

namespace {

// Histogram cells keep 5 bits of red, 6 of green and 5 of blue: the eye tells greens apart best,
// and 64 K cells stay few enough to walk again and again.
constexpr int kShift[3] = {3, 2, 3};
constexpr int kCells[3] = {32, 64, 32};
constexpr std::size_t kCellCount = std::size_t{32} * 64 * 32;

// How much a step in each channel weighs when boxes are measured and colours matched, roughly as
// strongly as the eye notices it.
constexpr int kWeight[3] = {2, 3, 1};

std::size_t CellAt(int red, int green, int blue)
{
    return (static_cast<std::size_t>(red) << 11) | (static_cast<std::size_t>(green) << 5) |
           static_cast<std::size_t>(blue);
}

std::size_t CellOf(const int value[3])
{
    return CellAt(value[0] >> kShift[0], value[1] >> kShift[1], value[2] >> kShift[2]);
}

int Channel(const CRgbColor& color, int channel)
{
    return channel == 0 ? color.red : channel == 1 ? color.green : color.blue;
}

// The pixels that fell into a cell and the sums of their channels: an entry is the exact mean of
// its pixels, not a cell's centre, so flat colours come out as they went in.
struct CCell {
    std::uint64_t count;
    std::uint64_t sum[3];
};

// A box of cells, bounds inclusive, shrunk to the cells within it that hold pixels.
struct CBox {
    int lo[3];
    int hi[3];
    std::uint64_t count;
    std::uint64_t sum[3];
};

// Working tables come from calloc, like the pixel buffers, so running short of memory is an
// answer rather than an exception.
struct CFreeTable {
    void operator()(void* table) const noexcept { std::free(table); }
};
template <class T>
using CTable = std::unique_ptr<T[], CFreeTable>;

template <class T>
CTable<T> AllocateZeroed(std::size_t count)
{
    return CTable<T>(static_cast<T*>(std::calloc(count, sizeof(T))));
}

// Calls visit(cell, coordinates) for every cell of box that holds pixels.
template <class Visit>
void ForOccupiedCells(const CBox& box, const CCell* cells, Visit visit)
{
    for (int r = box.lo[0]; r <= box.hi[0]; ++r)
        for (int g = box.lo[1]; g <= box.hi[1]; ++g)
            for (int b = box.lo[2]; b <= box.hi[2]; ++b) {
                const CCell& cell = cells[CellAt(r, g, b)];
                if (cell.count != 0) {
                    const int at[3] = {r, g, b};
                    visit(cell, at);
                }
            }
}

// Shrinks box to its occupied cells and totals their pixels.
void Shrink(CBox& box, const CCell* cells)
{
    int lo[3] = {kCells[0], kCells[1], kCells[2]};
    int hi[3] = {-1, -1, -1};
    box.count = 0;
    box.sum[0] = box.sum[1] = box.sum[2] = 0;
    ForOccupiedCells(box, cells, [&](const CCell& cell, const int at[3]) {
        box.count += cell.count;
        for (int c = 0; c < 3; ++c) {
            lo[c] = std::min(lo[c], at[c]);
            hi[c] = std::max(hi[c], at[c]);
            box.sum[c] += cell.sum[c];
        }
    });
    if (box.count == 0)
        return;
    for (int c = 0; c < 3; ++c) {
        box.lo[c] = lo[c];
        box.hi[c] = hi[c];
    }
}

// The weighted length of the box along one channel.
std::uint64_t Extent(const CBox& box, int channel)
{
    return static_cast<std::uint64_t>((box.hi[channel] - box.lo[channel]) << kShift[channel]) * kWeight[channel];
}

// The squared weighted diagonal; 0 for a box of one cell, which cannot be cut.
std::uint64_t Size(const CBox& box)
{
    return Extent(box, 0) * Extent(box, 0) + Extent(box, 1) * Extent(box, 1) + Extent(box, 2) * Extent(box, 2);
}

// Cuts box across its longest weighted side where half its pixels lie on either side, leaving
// one half in box and the other in other. Both halves keep pixels: a shrunk box has occupied
// cells at both ends of every side.
void Split(CBox& box, CBox& other, const CCell* cells)
{
    int side = 0;
    for (int c = 1; c < 3; ++c)
        if (Extent(box, c) > Extent(box, side))
            side = c;
    std::uint64_t slice[64] = {};
    ForOccupiedCells(box, cells, [&](const CCell& cell, const int at[3]) { slice[at[side]] += cell.count; });
    int cut = box.lo[side];
    std::uint64_t below = slice[cut];
    while (cut < box.hi[side] - 1 && below * 2 < box.count)
        below += slice[++cut];
    other = box;
    box.hi[side] = cut;
    other.lo[side] = cut + 1;
    Shrink(box, cells);
    Shrink(other, cells);
}

// Cuts the histogram into at most maxColors boxes; returns how many.
int ChooseBoxes(const CCell* cells, int maxColors, CBox* boxes)
{
    boxes[0] = CBox{{0, 0, 0}, {kCells[0] - 1, kCells[1] - 1, kCells[2] - 1}, 0, {0, 0, 0}};
    Shrink(boxes[0], cells);
    if (boxes[0].count == 0)
        return 0;
    int count = 1;
    while (count < maxColors) {
        // The first half of the cuts go to the most crowded boxes, so the colours most of the
        // picture has get close entries; the rest to the largest, so rare but distinct colours
        // keep one of their own.
        const bool byPixels = count * 2 <= maxColors;
        int chosen = -1;
        std::uint64_t best = 0;
        for (int i = 0; i < count; ++i) {
            const std::uint64_t size = Size(boxes[i]);
            const std::uint64_t measure = byPixels ? boxes[i].count : size;
            if (size != 0 && (chosen < 0 || measure > best)) {
                chosen = i;
                best = measure;
            }
        }
        if (chosen < 0)
            break;
        Split(boxes[chosen], boxes[count], cells);
        ++count;
    }
    return count;
}

// The entry nearest to value by weighted distance.
int Nearest(const int value[3], const CRgbColor* colors, int count)
{
    int nearest = 0;
    std::int64_t nearestDistance = std::numeric_limits<std::int64_t>::max();
    for (int i = 0; i < count; ++i) {
        std::int64_t distance = 0;
        for (int c = 0; c < 3; ++c) {
            const std::int64_t step = static_cast<std::int64_t>(value[c] - Channel(colors[i], c)) * kWeight[c];
            distance += step * step;
        }
        if (distance < nearestDistance) {
            nearest = i;
            nearestDistance = distance;
        }
    }
    return nearest;
}

// The entry for any colour of a cell, found when first asked and kept in map (entry + 1; 0 not
// yet found). A cell that holds pixels goes to the entry nearest their mean, so a colour that is
// itself an entry maps to that entry; an empty one to the entry nearest its centre.
int EntryForCell(std::size_t cell, const CCell* cells, std::uint16_t* map, const CRgbColor* colors, int count)
{
    if (map[cell] == 0) {
        int value[3];
        if (cells[cell].count != 0) {
            for (int c = 0; c < 3; ++c)
                value[c] = static_cast<int>((cells[cell].sum[c] + cells[cell].count / 2) / cells[cell].count);
        } else {
            const int at[3] = {static_cast<int>(cell >> 11), static_cast<int>((cell >> 5) & 63),
                               static_cast<int>(cell & 31)};
            for (int c = 0; c < 3; ++c)
                value[c] = (at[c] << kShift[c]) + (1 << kShift[c]) / 2;
        }
        map[cell] = static_cast<std::uint16_t>(Nearest(value, colors, count) + 1);
    }
    return map[cell] - 1;
}

// The error carried into a pixel: small errors pass whole, larger ones at half strength up to a
// cap, so an entry far from a colour does not smear streaks across the picture.
int LimitError(int error)
{
    const int size = error < 0 ? -error : error;
    const int limited = size <= 16 ? size : size <= 48 ? 16 + (size - 16) / 2 : 32;
    return error < 0 ? -limited : limited;
}

// A sum of sixteenths rounded to the nearest whole, halves away from zero.
int Sixteenths(int sum)
{
    return sum >= 0 ? (sum + 8) / 16 : -((8 - sum) / 16);
}

}  // namespace

int ReduceColors(const std::uint8_t* rgb, std::size_t rgbRowBytes, std::int32_t width, std::int32_t height,
                 int maxColors, std::uint8_t* indices, std::size_t indexRowBytes, CRgbColor* colors)
{
    if (width <= 0 || height <= 0)
        return 0;
    maxColors = std::clamp(maxColors, 1, kColorTableSize);
    CTable<CCell> cells = AllocateZeroed<CCell>(kCellCount);
    CTable<std::uint16_t> map = AllocateZeroed<std::uint16_t>(kCellCount);
    // Errors carried to this row and the next, in sixteenths, with a pixel of margin at each end.
    const std::size_t span = (static_cast<std::size_t>(width) + 2) * 3;
    CTable<int> errors = AllocateZeroed<int>(2 * span);
    if (!cells || !map || !errors)
        return 0;

    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint8_t* pixel = rgb + static_cast<std::size_t>(y) * rgbRowBytes;
        for (std::int32_t x = 0; x < width; ++x, pixel += 3) {
            const int value[3] = {pixel[0], pixel[1], pixel[2]};
            CCell& cell = cells[CellOf(value)];
            ++cell.count;
            for (int c = 0; c < 3; ++c)
                cell.sum[c] += pixel[c];
        }
    }

    CBox boxes[kColorTableSize];
    const int count = ChooseBoxes(cells.get(), maxColors, boxes);
    for (int i = 0; i < count; ++i) {
        const CBox& box = boxes[i];
        auto mean = [&](int c) { return static_cast<std::uint8_t>((box.sum[c] + box.count / 2) / box.count); };
        colors[i] = CRgbColor{mean(0), mean(1), mean(2)};
    }

    for (std::int32_t y = 0; y < height; ++y) {
        int* here = errors.get() + static_cast<std::size_t>(y % 2) * span;
        int* below = errors.get() + static_cast<std::size_t>((y + 1) % 2) * span;
        std::fill(below, below + span, 0);
        // Rows alternate direction so that carried error does not pile up on one side.
        const bool forward = y % 2 == 0;
        const std::ptrdiff_t step = forward ? 3 : -3;
        const std::uint8_t* source = rgb + static_cast<std::size_t>(y) * rgbRowBytes;
        std::uint8_t* target = indices + static_cast<std::size_t>(y) * indexRowBytes;
        for (std::int32_t i = 0; i < width; ++i) {
            const std::int32_t x = forward ? i : width - 1 - i;
            int* carried = here + (static_cast<std::size_t>(x) + 1) * 3;
            int* under = below + (static_cast<std::size_t>(x) + 1) * 3;
            int value[3];
            for (int c = 0; c < 3; ++c)
                value[c] = std::clamp(source[3 * x + c] + LimitError(Sixteenths(carried[c])), 0, 255);
            const int entry = EntryForCell(CellOf(value), cells.get(), map.get(), colors, count);
            target[x] = static_cast<std::uint8_t>(entry);
            for (int c = 0; c < 3; ++c) {
                const int error = value[c] - Channel(colors[entry], c);
                carried[step + c] += 7 * error;
                under[-step + c] += 3 * error;
                under[c] += 5 * error;
                under[step + c] += error;
            }
        }
    }
    return count;
}

}  // namespace mapwright
