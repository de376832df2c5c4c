// Checks every decoded picture must pass, and pixel access for the decoder tests.
#pragma once

#include "image/decodedimage.h"
#include "image/picturewriter.h"

#include <gtest/gtest.h>

namespace imagechecks {

using mapwright::CDecodedImage;
using picturewriter::Rgb;

// Header, row size and padding agree with each other and with the picture's size.
inline void ExpectConsistentLayout(const CDecodedImage& image)
{
    ASSERT_TRUE(image.IsLoaded());
    ASSERT_NE(image.Bits(), nullptr);
    const auto& header = image.Header();
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biWidth, image.Width());
    EXPECT_EQ(header.biHeight, -image.Height());
    EXPECT_EQ(header.biPlanes, 1);
    EXPECT_TRUE(header.biBitCount == 8 || header.biBitCount == 24) << header.biBitCount;
    EXPECT_EQ(header.biCompression, 0u);
    EXPECT_EQ(header.biXPelsPerMeter, 0);
    EXPECT_EQ(header.biYPelsPerMeter, 0);
    EXPECT_EQ(header.biClrUsed, 0u);
    EXPECT_EQ(header.biClrImportant, 0u);
    const std::size_t used = static_cast<std::size_t>(image.Width()) * (header.biBitCount / 8);
    EXPECT_EQ(image.RowBytes() % 4, 0u);
    EXPECT_GE(image.RowBytes(), used);
    EXPECT_LT(image.RowBytes(), used + 4);
    EXPECT_EQ(header.biSizeImage, image.RowBytes() * image.Height());
    for (int y = 0; y < image.Height(); ++y)
        for (std::size_t x = used; x < image.RowBytes(); ++x)
            ASSERT_EQ(image.Bits()[y * image.RowBytes() + x], 0) << "padding of row " << y;
    const int colors = image.ColorsUsed();
    EXPECT_LE(colors, 256);
    if (image.Palette()) {
        EXPECT_EQ(image.Palette()->palVersion, 0x300);
        EXPECT_EQ(image.Palette()->palNumEntries, colors);
        for (int i = 0; i < colors; ++i) {
            const auto& entry = image.Palette()->palPalEntry[i];
            const auto& quad = image.ColorTable()[i];
            EXPECT_EQ(entry.peRed, quad.rgbRed);
            EXPECT_EQ(entry.peGreen, quad.rgbGreen);
            EXPECT_EQ(entry.peBlue, quad.rgbBlue);
            EXPECT_EQ(entry.peFlags, 0);
            EXPECT_EQ(quad.rgbReserved, 0);
        }
    } else {
        EXPECT_EQ(colors, 0);
    }
    for (int i = colors; i < 256; ++i)
        ASSERT_EQ(image.ColorTable()[i], mapwright::CRgbQuad{}) << "unused colour-table entry " << i;
}

// The colour index of an 8-bit picture at (x, y).
inline int IndexAt(const CDecodedImage& image, int x, int y)
{
    return image.Bits()[static_cast<std::size_t>(y) * image.RowBytes() + x];
}

// The colour shown at (x, y): through the colour table for 8-bit pictures, else the pixel itself.
inline Rgb ColorAt(const CDecodedImage& image, int x, int y)
{
    const std::uint8_t* row = image.Bits() + static_cast<std::size_t>(y) * image.RowBytes();
    if (image.BitsPerPixel() == 8) {
        const auto& quad = image.ColorTable()[row[x]];
        return Rgb{quad.rgbRed, quad.rgbGreen, quad.rgbBlue};
    }
    return Rgb{row[3 * x + 2], row[3 * x + 1], row[3 * x]};
}

}  // namespace imagechecks

namespace picturewriter {
inline std::ostream& operator<<(std::ostream& out, const Rgb& color)
{
    return out << "(" << int(color.r) << "," << int(color.g) << "," << int(color.b) << ")";
}
}  // namespace picturewriter
