// Damaged files of every kind the decoders read: cut at many lengths and with bytes overwritten.
// Each must decode to 0 or to a consistent picture, without a crash, a leak or a sanitizer report.

#include "image/decodedimage.h"
#include "image/imagechecks.h"
#include "image/picturewriter.h"

#include <gtest/gtest.h>
#include <random>

using namespace mapwright;
using namespace picturewriter;

namespace {

struct Sample {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

std::vector<Sample> MakeSamples(const TempFolder& folder)
{
    std::vector<Sample> samples;
    auto add = [&](const std::string& name, bool written) {
        EXPECT_TRUE(written) << name;
        samples.push_back(Sample{name, ReadBytes(folder.File(name))});
    };
    const int width = 23;
    const int height = 17;
    std::vector<Rgb> colors;
    for (int i = 0; i < 32; ++i)
        colors.push_back(Rgb{static_cast<std::uint8_t>(8 * i), static_cast<std::uint8_t>(i), 99});
    GifFrame frame;
    frame.width = width;
    frame.height = height;
    for (int i = 0; i < width * height; ++i)
        frame.indices.push_back(static_cast<std::uint8_t>((i * 7 / 5) % 32));
    GifPicture plainGif{width, height, 3, colors, {frame}};
    add("plain.gif", WriteGif(folder.File("plain.gif"), plainGif));
    GifFrame interlaced = frame;
    interlaced.interlaced = true;
    interlaced.localColors = {colors.begin(), colors.begin() + 16};
    interlaced.transparentIndex = 4;
    for (auto& index : interlaced.indices)
        index %= 16;
    GifFrame inner = frame;
    inner.left = 2;
    inner.top = 3;
    inner.width = 9;
    inner.height = 5;
    inner.indices.resize(45);
    GifPicture animated{width, height, 0, colors, {interlaced, inner}};
    animated.commentFirst = true;
    add("animated.gif", WriteGif(folder.File("animated.gif"), animated));

    PngPicture rgb;
    rgb.width = width;
    rgb.height = height;
    rgb.rows = SceneSamples(width, height);
    rgb.interlaced = true;
    rgb.fileGamma = 0.6;
    add("interlaced.png", WritePng(folder.File("interlaced.png"), rgb));
    PngPicture indexed;
    indexed.width = width;
    indexed.height = height;
    indexed.colorType = PNG_COLOR_TYPE_PALETTE;
    indexed.bitDepth = 4;
    indexed.palette = {colors.begin(), colors.begin() + 16};
    indexed.transparency = {0, 10, 200};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < (width + 1) / 2; ++x)
            indexed.rows.push_back(static_cast<std::uint8_t>(x * 17 + y));
    add("indexed.png", WritePng(folder.File("indexed.png"), indexed));
    PngPicture deep;
    deep.width = 7;
    deep.height = 5;
    deep.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    deep.bitDepth = 16;
    deep.srgb = true;
    for (int i = 0; i < 7 * 5 * 8; ++i)
        deep.rows.push_back(static_cast<std::uint8_t>(i * 31));
    add("deep.png", WritePng(folder.File("deep.png"), deep));

    JpegPicture colour{width, height, 3, JCS_RGB, 85, false, SceneSamples(width, height)};
    add("baseline.jpg", WriteJpeg(folder.File("baseline.jpg"), colour));
    colour.progressive = true;
    add("progressive.jpg", WriteJpeg(folder.File("progressive.jpg"), colour));
    JpegPicture grey{width, height, 1, JCS_GRAYSCALE, 75, false, {}};
    for (int i = 0; i < width * height; ++i)
        grey.samples.push_back(static_cast<std::uint8_t>(i));
    add("grey.jpg", WriteJpeg(folder.File("grey.jpg"), grey));
    JpegPicture cmyk{width, height, 4, JCS_CMYK, 80, false, {}, JCS_YCCK};
    for (int i = 0; i < width * height * 4; ++i)
        cmyk.samples.push_back(static_cast<std::uint8_t>(i * 13));
    add("ycck.jpg", WriteJpeg(folder.File("ycck.jpg"), cmyk));
    return samples;
}

// Decodes bytes written under name; a success must be a whole, consistent picture.
void ExpectSafeDecode(const TempFolder& folder, const std::string& name, const std::uint8_t* bytes,
                      std::size_t size, const std::string& what)
{
    const std::string path = folder.File("damaged-" + name);
    ASSERT_TRUE(WriteBytes(path, bytes, size));
    CDecodedImage image;
    const int result = image.Decode(path);
    ASSERT_TRUE(result == 0 || result == 1) << what;
    if (result == 1) {
        SCOPED_TRACE(what);
        imagechecks::ExpectConsistentLayout(image);
        ASSERT_GT(image.Width(), 0);
        ASSERT_GT(image.Height(), 0);
    } else {
        ASSERT_EQ(image.Bits(), nullptr) << what;
    }
}

TEST(DamagedFiles, EveryCutAndOverwrittenFileDecodesSafely)
{
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    const std::vector<Sample> samples = MakeSamples(folder);
    std::mt19937 random(20261208);
    int decodes = 0;
    for (const Sample& sample : samples) {
        ASSERT_GT(sample.bytes.size(), 64u) << sample.name;
        {
            CDecodedImage whole;
            ASSERT_EQ(whole.Decode(folder.File(sample.name)), 1) << sample.name;
        }
        // Every length through the headers, then evenly spaced lengths through the data.
        std::vector<std::size_t> lengths;
        for (std::size_t length = 0; length < 48; ++length)
            lengths.push_back(length);
        for (int step = 1; step < 40; ++step)
            lengths.push_back(48 + (sample.bytes.size() - 48) * step / 40);
        for (std::size_t length : lengths) {
            ExpectSafeDecode(folder, sample.name, sample.bytes.data(), length,
                             sample.name + " cut at " + std::to_string(length));
            ++decodes;
        }
        for (int variant = 0; variant < 60; ++variant) {
            std::vector<std::uint8_t> bytes = sample.bytes;
            const int changes = 1 + variant % 4;
            std::string what = sample.name + " changed at";
            for (int change = 0; change < changes; ++change) {
                const std::size_t at = random() % bytes.size();
                bytes[at] = static_cast<std::uint8_t>(random());
                what += " " + std::to_string(at);
            }
            ExpectSafeDecode(folder, sample.name, bytes.data(), bytes.size(), what);
            ++decodes;
        }
    }
    EXPECT_GE(decodes, 1000);
}

}  // namespace
