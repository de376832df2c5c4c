#include "image/decodedimage.h"
#include "image/imagechecks.h"
#include "image/decoderfixture.h"
#include "image/picturewriter.h"

#include <cmath>
#include <gtest/gtest.h>
#include <zlib.h>

using namespace mapwright;
using namespace picturewriter;
using imagechecks::ColorAt;
using imagechecks::ExpectConsistentLayout;
using imagechecks::IndexAt;

namespace {

// An 8-bit RGB picture of the scene pattern.
PngPicture RgbPicture(int width, int height)
{
    PngPicture picture;
    picture.width = width;
    picture.height = height;
    picture.rows = SceneSamples(width, height);
    return picture;
}

// Rewrites the width and height of a PNG's header chunk and mends its checksum.
void DeclareSize(std::vector<std::uint8_t>& png, std::uint32_t width, std::uint32_t height)
{
    // Signature (8), chunk length (4), "IHDR" (4), then width and height big-endian.
    for (int i = 0; i < 4; ++i) {
        png[16 + i] = static_cast<std::uint8_t>(width >> (24 - 8 * i));
        png[20 + i] = static_cast<std::uint8_t>(height >> (24 - 8 * i));
    }
    const uLong crc = crc32(crc32(0, nullptr, 0), png.data() + 12, 17);
    for (int i = 0; i < 4; ++i)
        png[29 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
}

// Where the first IDAT chunk's data starts in png, and how long it is.
std::pair<std::size_t, std::size_t> FirstImageData(const std::vector<std::uint8_t>& png)
{
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::size_t length = std::size_t(png[at]) << 24 | std::size_t(png[at + 1]) << 16 |
                                   std::size_t(png[at + 2]) << 8 | png[at + 3];
        if (std::equal(png.begin() + long(at) + 4, png.begin() + long(at) + 8, "IDAT"))
            return {at + 8, length};
        at += 12 + length;
    }
    return {0, 0};
}

// Writes the CRC of the chunk whose data starts at data and is length bytes long.
void MendChunkCrc(std::vector<std::uint8_t>& png, std::size_t data, std::size_t length)
{
    const uLong crc = crc32(crc32(0, nullptr, 0), png.data() + data - 4, uInt(length + 4));
    for (int i = 0; i < 4; ++i)
        png[data + length + std::size_t(i)] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
}

using PngDecoderTest = DecoderTest;

TEST_F(PngDecoderTest, RgbComesOutAsBlueGreenRedRows)
{
    for (bool interlaced : {false, true}) {
        PngPicture picture = RgbPicture(13, 9);
        picture.interlaced = interlaced;
        ASSERT_EQ(image.Decode(Write(picture)), 1) << interlaced;
        EXPECT_EQ(image.Format(), kFormatPng);
        EXPECT_EQ(image.BitsPerPixel(), 24);
        ExpectConsistentLayout(image);
        EXPECT_EQ(image.RowBytes(), 40u);
        EXPECT_EQ(image.Palette(), nullptr);
        // Raw bytes: blue first.
        const Rgb source = ScenePixel(12, 8, 13, 9);
        const std::uint8_t* last = image.Bits() + 8 * image.RowBytes() + 3 * 12;
        EXPECT_EQ(last[0], source.b);
        EXPECT_EQ(last[1], source.g);
        EXPECT_EQ(last[2], source.r);
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 13; ++x)
                ASSERT_EQ(ColorAt(image, x, y), ScenePixel(x, y, 13, 9)) << x << "," << y;
    }
}

TEST_F(PngDecoderTest, SixteenBitRgbaLosesAlphaAndLowBytes)
{
    PngPicture picture;
    picture.width = 3;
    picture.height = 2;
    picture.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    picture.bitDepth = 16;
    for (int pixel = 0; pixel < 6; ++pixel) {
        const std::uint8_t samples[] = {static_cast<std::uint8_t>(40 * pixel), 0xff,   // red
                                        static_cast<std::uint8_t>(200 - pixel), 0x80,  // green
                                        7, 0x01,                                       // blue
                                        static_cast<std::uint8_t>(pixel * 50), 0};     // alpha
        picture.rows.insert(picture.rows.end(), std::begin(samples), std::end(samples));
    }
    ASSERT_EQ(image.Decode(Write(picture)), 1);
    EXPECT_EQ(image.BitsPerPixel(), 24);
    ExpectConsistentLayout(image);
    EXPECT_EQ(image.RowBytes(), 12u);
    for (int pixel = 0; pixel < 6; ++pixel)
        EXPECT_EQ(ColorAt(image, pixel % 3, pixel / 3),
                  (Rgb{static_cast<std::uint8_t>(40 * pixel), static_cast<std::uint8_t>(200 - pixel), 7}))
            << pixel;
}

TEST_F(PngDecoderTest, TwoBitPaletteGivesIndicesAndAPaletteOfTheFilesSize)
{
    PngPicture picture;
    picture.width = 9;
    picture.height = 2;
    picture.colorType = PNG_COLOR_TYPE_PALETTE;
    picture.bitDepth = 2;
    picture.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 99, 199}};
    picture.transparency = {0, 128};
    // Indices 0..3 repeating from the row number, four to a byte, first pixel in the high bits.
    for (int y = 0; y < 2; ++y) {
        std::uint8_t packed[3] = {};
        for (int x = 0; x < 9; ++x)
            packed[x / 4] |= static_cast<std::uint8_t>(((x + y) % 4) << (6 - 2 * (x % 4)));
        picture.rows.insert(picture.rows.end(), std::begin(packed), std::end(packed));
    }
    ASSERT_EQ(image.Decode(Write(picture)), 1);
    EXPECT_EQ(image.BitsPerPixel(), 8);
    ExpectConsistentLayout(image);
    EXPECT_EQ(image.RowBytes(), 12u);
    EXPECT_EQ(image.ColorsUsed(), 4);
    ASSERT_NE(image.Palette(), nullptr);
    EXPECT_EQ(image.Palette()->palNumEntries, 4);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 9; ++x)
            ASSERT_EQ(IndexAt(image, x, y), (x + y) % 4) << x << "," << y;
    EXPECT_EQ(ColorAt(image, 2, 1), (Rgb{9, 99, 199}));
}

TEST_F(PngDecoderTest, GreyPicturesBecomeGreyRgb)
{
    // One bit: 0 black, 1 white, as the file means them.
    PngPicture mono;
    mono.width = 10;
    mono.height = 1;
    mono.colorType = PNG_COLOR_TYPE_GRAY;
    mono.bitDepth = 1;
    mono.rows = {0b10110000, 0b01000000};
    ASSERT_EQ(image.Decode(Write(mono)), 1);
    EXPECT_EQ(image.BitsPerPixel(), 24);
    ExpectConsistentLayout(image);
    EXPECT_EQ(image.RowBytes(), 32u);
    const int white[10] = {1, 0, 1, 1, 0, 0, 0, 0, 0, 1};
    for (int x = 0; x < 10; ++x) {
        const std::uint8_t level = white[x] ? 255 : 0;
        EXPECT_EQ(ColorAt(image, x, 0), (Rgb{level, level, level})) << x;
    }

    // Two bits with a transparent level, and eight bits with alpha: grey, no alpha.
    PngPicture low;
    low.width = 4;
    low.height = 1;
    low.colorType = PNG_COLOR_TYPE_GRAY;
    low.bitDepth = 2;
    low.rows = {0b00011011};
    low.transparentColor = png_color_16{0, 0, 0, 0, 2};
    ASSERT_EQ(image.Decode(Write(low)), 1);
    EXPECT_EQ(image.BitsPerPixel(), 24);
    ExpectConsistentLayout(image);
    const std::uint8_t levels[4] = {0, 85, 170, 255};
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(ColorAt(image, x, 0), (Rgb{levels[x], levels[x], levels[x]})) << x;

    PngPicture alpha;
    alpha.width = 2;
    alpha.height = 1;
    alpha.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
    alpha.rows = {30, 0, 220, 255};
    ASSERT_EQ(image.Decode(Write(alpha)), 1);
    EXPECT_EQ(image.BitsPerPixel(), 24);
    ExpectConsistentLayout(image);
    EXPECT_EQ(image.RowBytes(), 8u);
    EXPECT_EQ(ColorAt(image, 0, 0), (Rgb{30, 30, 30}));
    EXPECT_EQ(ColorAt(image, 1, 0), (Rgb{220, 220, 220}));
}

TEST_F(PngDecoderTest, FileGammaIsCorrectedForTheScreenUnlessSrgb)
{
    PngPicture picture;
    picture.width = 2;
    picture.height = 1;
    picture.rows = {128, 64, 0, 255, 255, 255};

    picture.fileGamma = 1.0;  // linear samples
    ASSERT_EQ(image.Decode(Write(picture)), 1);
    const int expected128 = static_cast<int>(std::lround(255 * std::pow(128 / 255.0, 1 / 2.2)));
    const int expected64 = static_cast<int>(std::lround(255 * std::pow(64 / 255.0, 1 / 2.2)));
    EXPECT_NEAR(ColorAt(image, 0, 0).r, expected128, 1);
    EXPECT_NEAR(ColorAt(image, 0, 0).g, expected64, 1);
    EXPECT_EQ(ColorAt(image, 0, 0).b, 0);
    EXPECT_EQ(ColorAt(image, 1, 0), (Rgb{255, 255, 255}));

    picture.fileGamma.reset();
    picture.srgb = true;
    ASSERT_EQ(image.Decode(Write(picture)), 1);
    EXPECT_EQ(ColorAt(image, 0, 0), (Rgb{128, 64, 0}));

    picture.srgb = false;  // no gamma at all: taken as the usual 1 / 2.2
    ASSERT_EQ(image.Decode(Write(picture)), 1);
    EXPECT_EQ(ColorAt(image, 0, 0), (Rgb{128, 64, 0}));
}

TEST_F(PngDecoderTest, SuggestedPaletteOfATrueColourFileIsKept)
{
    PngPicture picture = RgbPicture(4, 4);
    picture.palette = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    ASSERT_EQ(image.Decode(Write(picture)), 1);
    EXPECT_EQ(image.BitsPerPixel(), 24);
    ExpectConsistentLayout(image);
    EXPECT_EQ(image.ColorsUsed(), 3);
    ASSERT_NE(image.Palette(), nullptr);
    EXPECT_EQ(image.Palette()->palPalEntry[2], (CPaletteEntry{7, 8, 9, 0}));
    EXPECT_EQ(ColorAt(image, 3, 3), ScenePixel(3, 3, 4, 4));
}

TEST_F(PngDecoderTest, WidthOneAndTwoArePaddedToFourBytes)
{
    PngPicture grey;
    grey.width = 1;
    grey.height = 3;
    grey.colorType = PNG_COLOR_TYPE_PALETTE;
    grey.palette = {{0, 0, 0}, {50, 60, 70}};
    grey.rows = {1, 0, 1};
    ASSERT_EQ(image.Decode(Write(grey)), 1);
    ExpectConsistentLayout(image);
    EXPECT_EQ(image.RowBytes(), 4u);
    EXPECT_EQ(image.PixelBytes(), 12u);
    EXPECT_EQ(IndexAt(image, 0, 2), 1);

    ASSERT_EQ(image.Decode(Write(RgbPicture(2, 3))), 1);
    ExpectConsistentLayout(image);
    EXPECT_EQ(image.RowBytes(), 8u);
    EXPECT_EQ(image.Header().biSizeImage, 24u);
    EXPECT_EQ(ColorAt(image, 1, 2), ScenePixel(1, 2, 2, 3));
}

TEST_F(PngDecoderTest, WrongSignatureOrCutFileIsRefused)
{
    const std::vector<std::uint8_t> whole = ReadBytes(Write(RgbPicture(30, 20)));
    std::vector<std::uint8_t> bytes = whole;
    bytes[1] = 'Q';
    const std::string path = folder.File("damaged.png");
    ASSERT_TRUE(WriteBytes(path, bytes));
    EXPECT_EQ(image.Decode(path), 0);
    ASSERT_TRUE(WriteBytes(path, whole.data(), 3));
    EXPECT_EQ(image.Decode(path), 0);
    ASSERT_TRUE(WriteBytes(path, whole.data(), whole.size() - 20));
    EXPECT_EQ(image.Decode(path), 0);
    EXPECT_FALSE(image.IsLoaded());
    EXPECT_EQ(image.Bits(), nullptr);
}

TEST_F(PngDecoderTest, AWrongInflateChecksumIsShownAsBrowsersDoButADamagedChunkIsRefused)
{
    const std::vector<std::uint8_t> whole = ReadBytes(Write(RgbPicture(30, 20)));
    const auto [data, length] = FirstImageData(whole);
    ASSERT_GT(length, 4u);
    const std::string path = folder.File("checksums.png");

    // The zlib stream ends with the Adler-32 of the rows; the chunk's CRC is mended.
    std::vector<std::uint8_t> wrongAdler = whole;
    wrongAdler[data + length - 1] ^= 0x5A;
    MendChunkCrc(wrongAdler, data, length);
    ASSERT_TRUE(WriteBytes(path, wrongAdler));
    ASSERT_EQ(image.Decode(path), 1);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(ColorAt(image, x, y), ScenePixel(x, y, 30, 20)) << x << "," << y;

    // A byte changed in the compressed data, the CRC left as it was.
    std::vector<std::uint8_t> damaged = whole;
    damaged[data + length / 2] ^= 0x5A;
    ASSERT_TRUE(WriteBytes(path, damaged));
    EXPECT_EQ(image.Decode(path), 0);
}

TEST_F(PngDecoderTest, DeclaredSizesBeyondTheLimitsAreRefused)
{
    // Rows of one byte of a 1-bit picture would decode at any of these sizes if allowed.
    PngPicture wide;
    wide.width = 32768;
    wide.height = 1;
    wide.colorType = PNG_COLOR_TYPE_GRAY;
    wide.bitDepth = 1;
    wide.rows.assign(4096, 0xAA);
    EXPECT_EQ(image.Decode(Write(wide)), 0);
    wide.width = 32767;
    ASSERT_EQ(image.Decode(Write(wide)), 1);
    EXPECT_EQ(image.Width(), 32767);

    std::vector<std::uint8_t> bomb = ReadBytes(Write(RgbPicture(1, 1)));
    DeclareSize(bomb, 60000, 60000);
    const std::string path = folder.File("bomb.png");
    ASSERT_TRUE(WriteBytes(path, bomb));
    EXPECT_EQ(image.Decode(path), 0);
}

}  // namespace
