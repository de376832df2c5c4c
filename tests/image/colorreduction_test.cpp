#include "image/colorreduction.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <vector>

using namespace mapwright;

namespace {

using Colour = std::array<std::uint8_t, 3>;

std::uint8_t Byte(int value) { return static_cast<std::uint8_t>(value); }

// With room in the map, distinct colours come back exact, even where a cell's centre lies nearer
// a neighbour's colour than its own; with too little, dithering keeps each strip of a ramp as
// bright as its source wherever the map's colours reach.
TEST(ColorReduction, ShowsDistinctColoursExactlyAndDithersTheRestToTheSourceMeans)
{
    std::vector<Colour> distinct;  // 200 colours, each alone in its histogram cell
    std::set<int> cells;
    for (int i = 0; distinct.size() < 200; ++i) {
        const Colour colour{Byte(i * 37 + 3), Byte(i * 101 + 1), Byte(i * 59 + 5)};
        if (cells.insert((colour[0] >> 3) << 11 | (colour[1] >> 2) << 5 | colour[2] >> 3).second)
            distinct.push_back(colour);
    }
    // Each first colour in its cell's lowest corner, the second just across the red border, level
    // with the cell's centre and so nearer to it.
    std::vector<Colour> corners;
    for (int r = 1; r < 32; ++r) {
        const int g = (r * 5) % 64;
        const int b = (r * 3) % 32;
        corners.push_back({Byte(8 * r), Byte(4 * g), Byte(8 * b)});
        corners.push_back({Byte(8 * r - 1), Byte(4 * g + 2), Byte(8 * b + 4)});
    }
    std::vector<Colour> ramp;
    for (int x = 0; x < 256; ++x)
        ramp.push_back({Byte(x), Byte(x), Byte(x)});
    struct Case {
        const char* name;
        const std::vector<Colour>& row;  // every row of the picture, each colour two pixels wide
        int maxColors;
        int colours;  // as many as asked for, or as the picture has if fewer
        bool exact;
    };
    const Case cases[] = {
        {"200 distinct colours", distinct, 256, 200, true},
        {"colours across cell borders", corners, 256, 62, true},
        {"grey ramp in 4 colours", ramp, 4, 4, false},
    };
    constexpr int kHeight = 24;
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const int width = 2 * static_cast<int>(test.row.size());
        const std::size_t rgbRowBytes = std::size_t{3} * width + 5;  // rows need not be packed
        const std::size_t indexRowBytes = (width + 3) & ~3;
        std::vector<std::uint8_t> rgb(rgbRowBytes * kHeight);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < width; ++x)
                for (int c = 0; c < 3; ++c)
                    rgb[y * rgbRowBytes + 3 * x + c] = test.row[x / 2][c];
        std::vector<std::uint8_t> indices(indexRowBytes * kHeight, 0xEE);
        CRgbColor colors[kColorTableSize];
        const int count = ReduceColors(rgb.data(), rgbRowBytes, width, kHeight, test.maxColors, indices.data(),
                                       indexRowBytes, colors);
        ASSERT_EQ(count, test.colours);
        int lowest = 255;
        int highest = 0;
        for (int i = 0; i < count; ++i) {
            lowest = std::min<int>(lowest, colors[i].green);
            highest = std::max<int>(highest, colors[i].green);
        }
        constexpr int kStrip = 16;
        for (int left = 0; left < width; left += kStrip) {
            double sum[3] = {};
            for (int y = 0; y < kHeight; ++y)
                for (int x = left; x < left + kStrip && x < width; ++x) {
                    const int index = indices[y * indexRowBytes + x];
                    ASSERT_LT(index, count);
                    const Colour shown{colors[index].red, colors[index].green, colors[index].blue};
                    if (test.exact) {
                        ASSERT_EQ(shown, test.row[x / 2]) << x << "," << y;
                    }
                    for (int c = 0; c < 3; ++c)
                        sum[c] += shown[c];
                }
            // The ramp's values in the strip run from left / 2 to left / 2 + 7.
            const double wanted = left / 2 + 3.5;
            if (test.exact || wanted < lowest + 4 || wanted > highest - 4)
                continue;  // beyond the map's colours no dithering reaches
            for (int c = 0; c < 3; ++c)  // not exact: limiting carried error loses a little
                EXPECT_NEAR(sum[c] / (kStrip * kHeight), wanted, 5.0) << "strip at " << left << " channel " << c;
        }
        for (int y = 0; y < kHeight; ++y)
            for (std::size_t x = width; x < indexRowBytes; ++x)
                ASSERT_EQ(indices[y * indexRowBytes + x], 0xEE) << "padding is the caller's";
    }
}

}  // namespace
