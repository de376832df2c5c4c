#include "image/decodedimage.h"
#include "image/picturewriter.h"
#include "image/prefetch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

using namespace mapwright;
using namespace picturewriter;

namespace {

PngPicture Scene(int width, int height)
{
    PngPicture png;
    png.width = width;
    png.height = height;
    png.rows = SceneSamples(width, height);
    return png;
}

void ExpectSamePicture(const CDecodedImage& image, const CDecodedPicture& picture)
{
    ASSERT_EQ(image.Width(), picture.width);
    ASSERT_EQ(image.Height(), picture.height);
    ASSERT_EQ(image.RowBytes(), picture.rowBytes);
    ASSERT_EQ(image.BitsPerPixel(), picture.bitCount);
    EXPECT_EQ(std::memcmp(image.Bits(), picture.bits.get(), image.PixelBytes()), 0);
}

TEST(Prefetch, APrefetchedPictureIsTheOneADecodeFindsAndIsTakenOnce)
{
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    const std::string path = folder.File("scene.png");
    ASSERT_TRUE(WritePng(path, Scene(7, 5)));
    CDecodedImage plain;
    ASSERT_EQ(plain.Decode(path), 1);

    PrefetchDecode(path);
    PrefetchDecode(path);  // under way already: one decoder
    CDecodedPicture taken;
    ASSERT_TRUE(TakePrefetched(path, taken));
    ExpectSamePicture(plain, taken);
    CDecodedPicture again;
    EXPECT_FALSE(TakePrefetched(path, again));

    // Decode takes it the same way, and leaves nothing behind.
    PrefetchDecode(path);
    CDecodedImage image;
    ASSERT_EQ(image.Decode(path), 1);
    EXPECT_EQ(image.Format(), kFormatPng);
    EXPECT_TRUE(image.FailureReason().empty());
    EXPECT_FALSE(TakePrefetched(path, again));
}

TEST(Prefetch, AFileChangedSinceThePrefetchIsDecodedAnew)
{
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    const std::string path = folder.File("scene.png");
    ASSERT_TRUE(WritePng(path, Scene(3, 2)));
    PrefetchDecode(path);
    // Most likely the old picture is decoded by now: only the file's identity can tell.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(WritePng(path, Scene(9, 6)));
    CDecodedImage image;
    ASSERT_EQ(image.Decode(path), 1);
    EXPECT_EQ(image.Width(), 9);
    EXPECT_EQ(image.Height(), 6);
}

TEST(Prefetch, AFailedPrefetchLeavesDecodeItsOwnReason)
{
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    const std::string damaged = folder.File("damaged.png");
    ASSERT_TRUE(WriteBytes(damaged, std::vector<std::uint8_t>{0x89, 'P', 'N', 'G', 1, 2, 3}));
    CDecodedImage plain;
    ASSERT_EQ(plain.Decode(damaged), 0);

    PrefetchDecode(damaged);
    CDecodedImage image;
    EXPECT_EQ(image.Decode(damaged), 0);
    EXPECT_EQ(image.FailureReason(), plain.FailureReason());
    EXPECT_FALSE(image.FailureReason().empty());
}

}  // namespace
