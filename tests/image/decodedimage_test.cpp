#include "image/decodedimage.h"
#include "image/imagechecks.h"
#include "image/imagedecoders.h"
#include "image/picturewriter.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <zlib.h>

using namespace mapwright;
using namespace picturewriter;
using imagechecks::ColorAt;
using imagechecks::ExpectConsistentLayout;

namespace {

TEST(DecodedImage, DecoderIsChosenByTextAnywhereInTheName)
{
    EXPECT_EQ(CDecodedImage::FormatForPath("pic.PNG"), kFormatPng);
    EXPECT_EQ(CDecodedImage::FormatForPath("Pic.Gif"), kFormatGif);
    EXPECT_EQ(CDecodedImage::FormatForPath("map.gif.bak"), kFormatGif);
    EXPECT_EQ(CDecodedImage::FormatForPath("shots.png/photo.jpg"), kFormatPng);
    EXPECT_EQ(CDecodedImage::FormatForPath("a.png.gif"), kFormatGif);
    EXPECT_EQ(CDecodedImage::FormatForPath("photo.jpeg"), kFormatJpeg);
    EXPECT_EQ(CDecodedImage::FormatForPath("image.bmp"), kFormatJpeg);
    EXPECT_EQ(CDecodedImage::FormatForPath("picture"), kFormatJpeg);
    EXPECT_EQ(CDecodedImage::FormatForPath("gif.pn"), kFormatJpeg);
    EXPECT_EQ(CDecodedImage::FormatForPath(".gi"), kFormatJpeg);
    EXPECT_EQ(CDecodedImage::FormatForPath(""), kFormatJpeg);
    EXPECT_EQ(CDecodedImage::FormatForPath("\xc3\x89t\xc3\xa9.PnG"), kFormatPng);
}

TEST(DecodedImage, NameRuleDecidesHowTheFileIsRead)
{
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    PngPicture png;
    png.width = 3;
    png.height = 2;
    png.rows = SceneSamples(3, 2);
    GifPicture gif{2, 2, 0, {{1, 1, 1}, {2, 2, 2}}, {}};
    gif.frames.push_back(GifFrame{0, 0, 2, 2, false, {}, {0, 1, 1, 0}, -1});
    JpegPicture jpeg{4, 4, 3, JCS_RGB, 90, false, SceneSamples(4, 4)};

    CDecodedImage image;
    ASSERT_TRUE(WritePng(folder.File("upper.PNG"), png));
    EXPECT_EQ(image.Decode(folder.File("upper.PNG")), 1);
    EXPECT_EQ(image.Format(), kFormatPng);
    ASSERT_TRUE(WriteGif(folder.File("map.gif.bak"), gif));
    EXPECT_EQ(image.Decode(folder.File("map.gif.bak")), 1);
    EXPECT_EQ(image.Format(), kFormatGif);
    ASSERT_TRUE(WriteJpeg(folder.File("noextension"), jpeg));
    EXPECT_EQ(image.Decode(folder.File("noextension")), 1);
    EXPECT_EQ(image.Format(), kFormatJpeg);
    ASSERT_TRUE(WriteJpeg(folder.File("photo.jpeg"), jpeg));
    EXPECT_EQ(image.Decode(folder.File("photo.jpeg")), 1);

    // A PNG under another name goes to the JPEG decoder, which refuses it.
    ASSERT_TRUE(WritePng(folder.File("picture.bmp"), png));
    EXPECT_EQ(image.Decode(folder.File("picture.bmp")), 0);
    EXPECT_EQ(image.Format(), kFormatJpeg);
    ASSERT_TRUE(WritePng(folder.File("picture.gif"), png));
    EXPECT_EQ(image.Decode(folder.File("picture.gif")), 0);
    EXPECT_EQ(image.Format(), kFormatGif);
}

TEST(DecodedImage, EachDecodeReplacesThePictureAndAFailureLeavesItEmpty)
{
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    CDecodedImage image;
    EXPECT_FALSE(image.IsLoaded());
    EXPECT_EQ(image.Format(), kFormatNone);
    EXPECT_EQ(image.Bits(), nullptr);
    EXPECT_EQ(image.BitsPerPixel(), 0);

    PngPicture indexed;
    indexed.width = 5;
    indexed.height = 1;
    indexed.colorType = PNG_COLOR_TYPE_PALETTE;
    indexed.palette = {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}, {1, 2, 3}, {4, 5, 6}};
    indexed.rows = {0, 1, 2, 3, 4};
    ASSERT_TRUE(WritePng(folder.File("indexed.png"), indexed));
    ASSERT_EQ(image.Decode(folder.File("indexed.png")), 1);
    EXPECT_EQ(image.ColorsUsed(), 5);

    // A true-colour picture without a palette leaves no colour of the earlier one behind.
    PngPicture rgb;
    rgb.width = 2;
    rgb.height = 2;
    rgb.rows = SceneSamples(2, 2);
    ASSERT_TRUE(WritePng(folder.File("rgb.png"), rgb));
    ASSERT_EQ(image.Decode(folder.File("rgb.png")), 1);
    ExpectConsistentLayout(image);
    EXPECT_EQ(image.Palette(), nullptr);
    EXPECT_EQ(image.ColorsUsed(), 0);
    EXPECT_EQ(image.Width(), 2);
    EXPECT_EQ(ColorAt(image, 1, 1), ScenePixel(1, 1, 2, 2));

    EXPECT_EQ(image.Decode(folder.File("absent.png")), 0);
    EXPECT_FALSE(image.IsLoaded());
    EXPECT_EQ(image.Bits(), nullptr);
    EXPECT_EQ(image.Palette(), nullptr);
    EXPECT_EQ(image.Width(), 0);
    EXPECT_EQ(image.Height(), 0);
    EXPECT_EQ(image.RowBytes(), 0u);
    EXPECT_EQ(image.Header().biSize, 0u);
}

TEST(DecodedImage, AFailureSaysWhyAndASuccessClearsTheReason)
{
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    PngPicture good;
    good.width = 2;
    good.height = 2;
    good.rows = SceneSamples(2, 2);
    ASSERT_TRUE(WritePng(folder.File("good.png"), good));
    const std::uint8_t gifStart[] = {'G', 'I', 'F', '8', '9', 'a', 4, 0};
    ASSERT_TRUE(WriteBytes(folder.File("cut.gif"), gifStart, sizeof gifStart));
    ASSERT_TRUE(WriteBytes(folder.File("empty.png"), gifStart, 0));
    const std::uint8_t text[] = {'h', 'e', 'l', 'l', 'o'};
    ASSERT_TRUE(WriteBytes(folder.File("words.jpg"), text, sizeof text));
    ASSERT_TRUE(std::filesystem::create_directory(folder.File("folder.jpg")));

    const struct {
        const char* name;
        const char* reason;
    } cases[] = {
        {"absent.png", "No such file or directory."},
        {"empty.png", "The file is empty."},
        {"cut.gif", "The file is not a GIF picture, or it is damaged or cut short."},
        {"words.jpg", "The file is not a JPEG picture, or it is damaged or cut short."},
        {"folder.jpg", "It is a folder."},
    };
    CDecodedImage image;
    for (const auto& c : cases) {
        EXPECT_EQ(image.Decode(folder.File(c.name)), 0) << c.name;
        EXPECT_EQ(image.FailureReason(), c.reason) << c.name;
        ASSERT_EQ(image.Decode(folder.File("good.png")), 1);
        EXPECT_EQ(image.FailureReason(), "");
    }
}

TEST(DecodedImage, PixelBufferLimitsHoldAtTheirEdges)
{
    std::size_t rowBytes = 99;
    EXPECT_TRUE(PlanPixelBuffer(32767, 1, 3, rowBytes));
    EXPECT_EQ(rowBytes, 98304u);
    EXPECT_TRUE(PlanPixelBuffer(1, 32767, 1, rowBytes));
    EXPECT_EQ(rowBytes, 4u);
    EXPECT_FALSE(PlanPixelBuffer(32768, 1, 1, rowBytes));
    EXPECT_FALSE(PlanPixelBuffer(1, 32768, 1, rowBytes));
    EXPECT_FALSE(PlanPixelBuffer(0, 5, 1, rowBytes));
    EXPECT_FALSE(PlanPixelBuffer(5, 0, 3, rowBytes));
    EXPECT_FALSE(PlanPixelBuffer(-4, 5, 1, rowBytes));
    EXPECT_FALSE(PlanPixelBuffer(std::int64_t{1} << 40, 1, 1, rowBytes));
    // 16384 rows of 32768 bytes is exactly 512 MiB; one row more is refused.
    EXPECT_TRUE(PlanPixelBuffer(32767, 16384, 1, rowBytes));
    EXPECT_EQ(rowBytes * 16384, kMaxPixelBytes);
    EXPECT_FALSE(PlanPixelBuffer(32767, 16385, 1, rowBytes));
    EXPECT_FALSE(PlanPixelBuffer(10923, 16384, 3, rowBytes));
    EXPECT_TRUE(PlanPixelBuffer(10922, 16384, 3, rowBytes));
    EXPECT_EQ(rowBytes, 32768u);
}

TEST(DecodedImage, PictureOverHalfAGibibyteIsRefusedBeforeDecoding)
{
    // 10923 × 16384 RGB needs 32772-byte rows, just over 512 MiB: a valid file of zeros that
    // would decode if the limit were missing.
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    const std::string path = folder.File("large.png");
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    ASSERT_EQ(setjmp(png_jmpbuf(png)), 0);
    png_init_io(png, file);
    png_set_compression_level(png, 1);
    png_set_compression_strategy(png, Z_RLE);
    png_set_filter(png, 0, PNG_FILTER_NONE);
    png_set_IHDR(png, info, 10923, 16384, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(10923 * 3, 0);
    for (int y = 0; y < 16384; ++y)
        png_write_row(png, row.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    ASSERT_EQ(std::fclose(file), 0);

    CDecodedImage image;
    EXPECT_EQ(image.Decode(path), 0);
    EXPECT_EQ(image.Bits(), nullptr);
}

}  // namespace
