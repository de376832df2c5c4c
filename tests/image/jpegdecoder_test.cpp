#include "image/decodedimage.h"
#include "image/imagechecks.h"
#include "image/decoderfixture.h"
#include "image/picturewriter.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <vector>

using namespace mapwright;
using namespace picturewriter;
using imagechecks::ColorAt;
using imagechecks::ExpectConsistentLayout;
using imagechecks::IndexAt;

namespace {

JpegPicture ColourPicture(int width, int height)
{
    JpegPicture picture;
    picture.width = width;
    picture.height = height;
    picture.samples = SceneSamples(width, height);
    return picture;
}

// The scene in Adobe's inverted CMYK, as print work stores it: no black ink, and each stored ink
// value is the scene's own channel.
JpegPicture CmykPicture(int width, int height)
{
    JpegPicture picture = ColourPicture(width, height);
    picture.components = 4;
    picture.colorSpace = JCS_CMYK;
    const std::vector<std::uint8_t> rgb = picture.samples;
    picture.samples.clear();
    for (std::size_t i = 0; i < rgb.size(); i += 3)
        picture.samples.insert(picture.samples.end(), {rgb[i], rgb[i + 1], rgb[i + 2], 255});
    return picture;
}

class JpegDecoderTest : public DecoderTest {
protected:

    // Mean of the absolute channel differences between the decoded picture and the scene.
    double MeanErrorAgainstScene()
    {
        double total = 0;
        for (int y = 0; y < image.Height(); ++y)
            for (int x = 0; x < image.Width(); ++x) {
                const Rgb shown = ColorAt(image, x, y);
                const Rgb source = ScenePixel(x, y, image.Width(), image.Height());
                total += std::abs(shown.r - source.r) + std::abs(shown.g - source.g) + std::abs(shown.b - source.b);
            }
        return total / (3.0 * image.Width() * image.Height());
    }

};

TEST_F(JpegDecoderTest, GreyPictureKeepsItsLevelsWithAGreyRamp)
{
    JpegPicture picture;
    picture.width = 256;
    picture.height = 8;
    picture.components = 1;
    picture.colorSpace = JCS_GRAYSCALE;
    picture.quality = 100;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 256; ++x)
            picture.samples.push_back(static_cast<std::uint8_t>(x));
    ASSERT_EQ(image.Decode(Write(picture)), 1);
    EXPECT_EQ(image.Format(), kFormatJpeg);
    EXPECT_EQ(image.BitsPerPixel(), 8);
    ExpectConsistentLayout(image);
    ASSERT_EQ(image.ColorsUsed(), 256);
    for (int i = 0; i < 256; ++i) {
        const auto level = static_cast<std::uint8_t>(i);
        ASSERT_EQ(image.ColorTable()[i], (CRgbQuad{level, level, level, 0})) << i;
    }
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 256; ++x)
            ASSERT_NEAR(IndexAt(image, x, y), x, 3) << x << "," << y;
}

TEST_F(JpegDecoderTest, ColourPictureIsReducedToItsOwnMapOfAtMost256Colours)
{
    for (int variant = 0; variant < 4; ++variant) {
        const bool cmyk = variant >= 2;
        const bool progressive = variant % 2 == 1;
        SCOPED_TRACE(testing::Message() << (cmyk ? "CMYK" : "RGB") << (progressive ? " progressive" : ""));
        JpegPicture picture = cmyk ? CmykPicture(96, 64) : ColourPicture(96, 64);
        picture.progressive = progressive;
        ASSERT_EQ(image.Decode(Write(picture)), 1);
        EXPECT_EQ(image.BitsPerPixel(), 8);
        ExpectConsistentLayout(image);
        EXPECT_GT(image.ColorsUsed(), 16);
        EXPECT_LE(image.ColorsUsed(), 256);
        std::set<int> indices;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 96; ++x) {
                ASSERT_LT(IndexAt(image, x, y), image.ColorsUsed());
                indices.insert(IndexAt(image, x, y));
            }
        EXPECT_GT(indices.size(), 16u);
        // Dithered to a map chosen for this picture: close on average, with the colour order
        // of the map rows right (a red-blue swap would be far off).
        EXPECT_LT(MeanErrorAgainstScene(), 10.0);
        const Rgb corner = ColorAt(image, 95, 0);
        EXPECT_GT(corner.r, 200);
        EXPECT_LT(corner.g, 60);
    }
}

TEST_F(JpegDecoderTest, FewColourPictureUsesOnlyTheColoursChosen)
{
    JpegPicture picture;
    picture.width = 16;
    picture.height = 16;
    for (int i = 0; i < 256; ++i) {
        const std::uint8_t pixel[] = {30, 140, 220};
        picture.samples.insert(picture.samples.end(), std::begin(pixel), std::end(pixel));
    }
    ASSERT_EQ(image.Decode(Write(picture)), 1);
    ExpectConsistentLayout(image);
    EXPECT_GE(image.ColorsUsed(), 1);
    EXPECT_LT(image.ColorsUsed(), 16);
    const Rgb shown = ColorAt(image, 7, 7);
    EXPECT_NEAR(shown.r, 30, 6);
    EXPECT_NEAR(shown.g, 140, 6);
    EXPECT_NEAR(shown.b, 220, 6);
}

TEST_F(JpegDecoderTest, NarrowRowsArePaddedToFourBytes)
{
    for (int width : {1, 2, 5}) {
        ASSERT_EQ(image.Decode(Write(ColourPicture(width, 3))), 1) << width;
        ExpectConsistentLayout(image);
        EXPECT_EQ(image.RowBytes(), width <= 4 ? 4u : 8u);
        EXPECT_EQ(image.Height(), 3);
    }
}

// Flat bands of known inks, stored plainly or in Adobe's inverted form, come out as the colours
// the inks print: (255 - C) × (255 - K) / 255 for red, and so on.
TEST_F(JpegDecoderTest, CmykAndYcckPicturesShowTheColoursOfTheirInks)
{
    struct Band {
        std::uint8_t ink[4];  // cyan, magenta, yellow, black; 255 is full ink
        Rgb shown;
    };
    const Band bands[] = {
        {{255, 0, 0, 0}, {0, 255, 255}},        // cyan
        {{0, 0, 0, 255}, {0, 0, 0}},            // black
        {{0, 0, 0, 0}, {255, 255, 255}},        // paper
        {{0, 255, 255, 0}, {255, 0, 0}},        // red
        {{0, 128, 255, 51}, {204, 102, 0}},     // brown: black darkens the other inks
        {{64, 32, 16, 128}, {95, 111, 119}},    // all four inks at once
    };
    struct Variant {
        const char* name;
        J_COLOR_SPACE fileSpace;
        bool adobe;  // the Adobe marker is written and the inks are stored inverted
        bool progressive;
    };
    const Variant variants[] = {
        {"CMYK without the Adobe marker", JCS_CMYK, false, false},
        {"Adobe CMYK", JCS_CMYK, true, false},
        {"Adobe CMYK, progressive", JCS_CMYK, true, true},
        {"Adobe YCCK", JCS_YCCK, true, false},
    };
    // Bands 16 pixels wide fill whole blocks, even where YCCK halves the resolution, so the
    // compression keeps each band flat.
    constexpr int kBand = 16;
    const int width = kBand * static_cast<int>(std::size(bands));
    for (const Variant& variant : variants) {
        SCOPED_TRACE(variant.name);
        JpegPicture picture;
        picture.width = width;
        picture.height = kBand;
        picture.components = 4;
        picture.colorSpace = JCS_CMYK;
        picture.fileColorSpace = variant.fileSpace;
        picture.omitAdobeMarker = !variant.adobe;
        picture.progressive = variant.progressive;
        picture.quality = 100;
        for (int y = 0; y < kBand; ++y)
            for (int x = 0; x < width; ++x)
                for (std::uint8_t ink : bands[x / kBand].ink)
                    picture.samples.push_back(variant.adobe ? 255 - ink : ink);
        ASSERT_EQ(image.Decode(Write(picture)), 1);
        EXPECT_EQ(image.BitsPerPixel(), 8);
        EXPECT_EQ(image.Width(), width);
        EXPECT_EQ(image.Height(), kBand);
        ExpectConsistentLayout(image);
        for (int y = 0; y < kBand; ++y)
            for (int x = 0; x < width; ++x) {
                if (x % kBand < 2 || x % kBand >= kBand - 2)
                    continue;  // the band's edges may blend with its neighbour
                const Rgb want = bands[x / kBand].shown;
                const Rgb shown = ColorAt(image, x, y);
                ASSERT_NEAR(shown.r, want.r, 4) << x << "," << y << " " << shown;
                ASSERT_NEAR(shown.g, want.g, 4) << x << "," << y << " " << shown;
                ASSERT_NEAR(shown.b, want.b, 4) << x << "," << y << " " << shown;
            }
    }
}

TEST_F(JpegDecoderTest, CutAndNonJpegFilesAreRefused)
{
    for (bool cmyk : {false, true}) {
        SCOPED_TRACE(cmyk ? "CMYK" : "RGB");
        // Cut inside the scan data: refused rather than shown with made-up rows.
        const std::vector<std::uint8_t> whole = ReadBytes(Write(cmyk ? CmykPicture(64, 64) : ColourPicture(64, 64)));
        const std::string cut = folder.File("cut.jpg");
        ASSERT_TRUE(WriteBytes(cut, whole.data(), whole.size() * 2 / 3));
        EXPECT_EQ(image.Decode(cut), 0);
        ASSERT_TRUE(WriteBytes(cut, whole));
        ASSERT_EQ(image.Decode(cut), 1);
        const std::vector<std::uint8_t> complete(image.Bits(), image.Bits() + image.PixelBytes());

        // Some writers leave out the end marker: the picture is whole and comes out the same.
        ASSERT_TRUE(WriteBytes(cut, whole.data(), whole.size() - 2));
        ASSERT_EQ(image.Decode(cut), 1) << "only the end marker is missing";
        EXPECT_EQ(std::vector<std::uint8_t>(image.Bits(), image.Bits() + image.PixelBytes()), complete);
    }

    const std::string text = folder.File("notes.bmp");
    const std::string words = "BM this is not a picture at all";
    ASSERT_TRUE(WriteBytes(text, reinterpret_cast<const std::uint8_t*>(words.data()), words.size()));
    EXPECT_EQ(image.Decode(text), 0);
    EXPECT_EQ(image.Format(), kFormatJpeg);
    EXPECT_EQ(image.Decode(folder.File("missing.jpg")), 0);
    EXPECT_FALSE(image.IsLoaded());
}

TEST_F(JpegDecoderTest, DeclaredSizesBeyondTheLimitsAreRefused)
{
    for (bool cmyk : {false, true}) {
        SCOPED_TRACE(cmyk ? "CMYK" : "RGB");
        JpegPicture picture = cmyk ? CmykPicture(16, 16) : ColourPicture(16, 16);
        picture.progressive = true;
        const std::vector<std::uint8_t> original = ReadBytes(Write(picture));
        std::size_t frame = 0;
        while (frame + 9 < original.size() && !(original[frame] == 0xFF && original[frame + 1] == 0xC2))
            ++frame;
        ASSERT_LT(frame + 9, original.size());
        auto declare = [&](int width, int height) {
            std::vector<std::uint8_t> bytes = original;
            bytes[frame + 5] = static_cast<std::uint8_t>(height >> 8);
            bytes[frame + 6] = static_cast<std::uint8_t>(height);
            bytes[frame + 7] = static_cast<std::uint8_t>(width >> 8);
            bytes[frame + 8] = static_cast<std::uint8_t>(width);
            const std::string path = folder.File("declared.jpg");
            EXPECT_TRUE(WriteBytes(path, bytes));
            return image.Decode(path);
        };
        EXPECT_EQ(declare(16, 16), 1);
        EXPECT_EQ(declare(40, 24), 0) << "the data ends before the declared picture does";
        EXPECT_EQ(declare(32768, 8), 0);
        EXPECT_EQ(declare(8, 40000), 0);
        EXPECT_EQ(declare(32000, 32000), 0) << "pixel buffer over 512 MiB";
        // Within the pixel limit, with data for 16 × 16 pixels only: refused instead of filling
        // 510 million pixels in made-up grey.
        EXPECT_EQ(declare(30000, 17000), 0);
    }
}

}  // namespace
