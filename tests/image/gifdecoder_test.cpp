#include "image/decodedimage.h"
#include "image/imagechecks.h"
#include "image/decoderfixture.h"
#include "image/picturewriter.h"

#include <gtest/gtest.h>

using namespace mapwright;
using namespace picturewriter;
using imagechecks::ColorAt;
using imagechecks::ExpectConsistentLayout;
using imagechecks::IndexAt;

namespace {

std::vector<Rgb> Colors(int count)
{
    std::vector<Rgb> colors;
    for (int i = 0; i < count; ++i)
        colors.push_back(Rgb{static_cast<std::uint8_t>(i * 7), static_cast<std::uint8_t>(255 - i),
                             static_cast<std::uint8_t>(i * 3 + 1)});
    return colors;
}

GifFrame Frame(int width, int height, int seed)
{
    GifFrame frame;
    frame.width = width;
    frame.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            frame.indices.push_back(static_cast<std::uint8_t>((x + 5 * y + seed) % 16));
    return frame;
}

void ExpectFramePixels(const CDecodedImage& image, const GifFrame& frame)
{
    ASSERT_EQ(image.Width(), frame.width);
    ASSERT_EQ(image.Height(), frame.height);
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x)
            ASSERT_EQ(IndexAt(image, x, y), frame.indices[y * frame.width + x]) << x << "," << y;
}

// A two-pixel GIF written byte by byte, for layouts the encoder refuses to write.
std::vector<std::uint8_t> RawGif(bool globalMap, int left, int screenWidth)
{
    std::vector<std::uint8_t> bytes = {'G', 'I', 'F', '8', '9', 'a'};
    const std::uint8_t screen[] = {static_cast<std::uint8_t>(screenWidth), 0, 1, 0,
                                   static_cast<std::uint8_t>(globalMap ? 0x80 : 0), 0, 0};
    bytes.insert(bytes.end(), std::begin(screen), std::end(screen));
    if (globalMap) {
        const std::uint8_t map[] = {10, 20, 30, 200, 210, 220};
        bytes.insert(bytes.end(), std::begin(map), std::end(map));
    }
    // Image descriptor 2 × 1 at (left, 0), then LZW codes clear, 0, 1, end in 3 bits each.
    const std::uint8_t image[] = {0x2C, static_cast<std::uint8_t>(left), 0, 0, 0, 2, 0, 1, 0, 0,
                                  2, 2, 0x44, 0x0A, 0, 0x3B};
    bytes.insert(bytes.end(), std::begin(image), std::end(image));
    return bytes;
}

using GifDecoderTest = DecoderTest;

TEST_F(GifDecoderTest, InterlacedRowsComeOutInDisplayOrder)
{
    // 19 rows reach every pass with a partial last group; the plain file is the reference.
    for (bool interlaced : {false, true}) {
        GifPicture picture{7, 19, 0, Colors(16), {Frame(7, 19, 3)}};
        picture.frames[0].interlaced = interlaced;
        ASSERT_EQ(image.Decode(Write(picture)), 1) << interlaced;
        EXPECT_EQ(image.Format(), kFormatGif);
        EXPECT_EQ(image.BitsPerPixel(), 8);
        ExpectConsistentLayout(image);
        ExpectFramePixels(image, picture.frames[0]);
    }
}

TEST_F(GifDecoderTest, ColourTableAndPaletteComeFromTheGlobalMap)
{
    GifPicture picture{4, 3, 1, Colors(16), {Frame(4, 3, 0)}};
    ASSERT_EQ(image.Decode(Write(picture)), 1);
    ExpectConsistentLayout(image);
    ASSERT_EQ(image.ColorsUsed(), 16);
    ASSERT_NE(image.Palette(), nullptr);
    for (int i = 0; i < 16; ++i) {
        const Rgb expected = picture.globalColors[i];
        EXPECT_EQ(image.ColorTable()[i], (CRgbQuad{expected.b, expected.g, expected.r, 0})) << i;
        EXPECT_EQ(image.Palette()->palPalEntry[i], (CPaletteEntry{expected.r, expected.g, expected.b, 0})) << i;
    }
    EXPECT_EQ(ColorAt(image, 1, 2), picture.globalColors[11]);
}

TEST_F(GifDecoderTest, LocalMapWinsOverTheGlobalOne)
{
    std::vector<Rgb> local = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}};
    GifFrame frame = Frame(5, 2, 0);
    for (auto& index : frame.indices)
        index %= 4;
    frame.localColors = local;
    GifPicture picture{5, 2, 0, Colors(16), {frame}};
    ASSERT_EQ(image.Decode(Write(picture)), 1);
    ExpectConsistentLayout(image);
    EXPECT_EQ(image.ColorsUsed(), 4);
    EXPECT_EQ(ColorAt(image, 3, 0), local[3]);
    EXPECT_EQ(ColorAt(image, 0, 1), local[1]);
}

TEST_F(GifDecoderTest, AnimationShowsItsFirstFrameOnly)
{
    GifFrame second = Frame(6, 4, 9);
    second.localColors = {{255, 0, 0}, {0, 255, 0}};
    GifPicture picture{6, 4, 0, Colors(16), {Frame(6, 4, 1), second, Frame(6, 4, 5)}};
    picture.frames[0].transparentIndex = 0;
    picture.frames[1].transparentIndex = 1;
    ASSERT_EQ(image.Decode(Write(picture)), 1);
    ExpectConsistentLayout(image);
    ExpectFramePixels(image, picture.frames[0]);
    EXPECT_EQ(image.ColorsUsed(), 16);
}

TEST_F(GifDecoderTest, TransparentIndexShowsItsOwnColour)
{
    GifFrame frame = Frame(4, 4, 0);
    frame.transparentIndex = 2;
    GifPicture picture{4, 4, 0, Colors(16), {frame}};
    picture.commentFirst = true;
    ASSERT_EQ(image.Decode(Write(picture)), 1);
    ExpectConsistentLayout(image);
    // (2, 0) holds index 2, the transparent one.
    ASSERT_EQ(IndexAt(image, 2, 0), 2);
    EXPECT_EQ(ColorAt(image, 2, 0), picture.globalColors[2]);
}

TEST_F(GifDecoderTest, ImageSmallerThanItsScreenIsCroppedToItsRectangle)
{
    for (bool interlaced : {false, true}) {
        GifFrame frame = Frame(5, 11, 2);
        frame.left = 3;
        frame.top = 2;
        frame.interlaced = interlaced;
        GifPicture picture{20, 16, 7, Colors(16), {frame}};
        ASSERT_EQ(image.Decode(Write(picture)), 1);
        ExpectConsistentLayout(image);
        EXPECT_EQ(image.RowBytes(), 8u);
        ExpectFramePixels(image, frame);
    }
}

TEST_F(GifDecoderTest, RectangleOutsideTheScreenOrNoColourMapIsRefused)
{
    const std::string path = folder.File("raw.gif");
    ASSERT_TRUE(WriteBytes(path, RawGif(true, 0, 2)));
    ASSERT_EQ(image.Decode(path), 1);
    EXPECT_EQ(IndexAt(image, 0, 0), 0);
    EXPECT_EQ(IndexAt(image, 1, 0), 1);
    EXPECT_EQ(ColorAt(image, 1, 0), (Rgb{200, 210, 220}));

    ASSERT_TRUE(WriteBytes(path, RawGif(true, 1, 2)));
    EXPECT_EQ(image.Decode(path), 0) << "image leaves the screen on the right";
    ASSERT_TRUE(WriteBytes(path, RawGif(true, 0, 1)));
    EXPECT_EQ(image.Decode(path), 0) << "screen narrower than the image";
    ASSERT_TRUE(WriteBytes(path, RawGif(false, 0, 2)));
    EXPECT_EQ(image.Decode(path), 0) << "no colour map at all";
    EXPECT_FALSE(image.IsLoaded());
    EXPECT_EQ(image.Bits(), nullptr);
    EXPECT_EQ(image.Width(), 0);
}

TEST_F(GifDecoderTest, NarrowRowsArePaddedWithZeros)
{
    for (int width : {1, 2, 3, 4, 5}) {
        GifPicture picture{width, 3, 0, Colors(16), {Frame(width, 3, 0)}};
        ASSERT_EQ(image.Decode(Write(picture)), 1);
        ExpectConsistentLayout(image);
        EXPECT_EQ(image.RowBytes(), width <= 4 ? 4u : 8u);
        ExpectFramePixels(image, picture.frames[0]);
    }
}

TEST_F(GifDecoderTest, FilesWithoutAnImageOrCutShortAreRefused)
{
    GifPicture empty{4, 4, 0, Colors(4), {}};
    EXPECT_EQ(image.Decode(Write(empty)), 0);

    GifPicture picture{40, 30, 0, Colors(16), {Frame(40, 30, 0)}};
    const std::vector<std::uint8_t> whole = ReadBytes(Write(picture));
    const std::string cut = folder.File("cut.gif");
    ASSERT_TRUE(WriteBytes(cut, whole.data(), whole.size() / 2));
    EXPECT_EQ(image.Decode(cut), 0);
    EXPECT_EQ(image.Decode(folder.File("missing.gif")), 0);
    EXPECT_EQ(image.Format(), kFormatGif);
}

}  // namespace
