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

TEST(Prefetch, APrefetchedPictureIsTheOneADecodeFindsAndIsTakenOnce)
{
    TempFolder folder;
    ASSERT_TRUE(folder.ok());
    const std::string path = folder.File("scene.png");
    ASSERT_TRUE(WritePng(path, Scene(7, 5)));
    CDecodedImage plain;
    ASSERT_EQ(plain.Decode(path), 1);

    PrefetchDecode(path);
    CDecodedPicture taken;
    ASSERT_TRUE(TakePrefetched(path, taken));
    ASSERT_EQ(taken.width, 7);
    ASSERT_EQ(taken.rowBytes, plain.RowBytes());
    EXPECT_EQ(std::memcmp(taken.bits.get(), plain.Bits(), plain.PixelBytes()), 0);
    EXPECT_FALSE(TakePrefetched(path, taken));
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
}

}  // namespace
