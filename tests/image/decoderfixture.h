// The fixture of the decoder tests: a scratch folder, pictures written into it, and the image
// that decodes them.
#pragma once

#include "image/decodedimage.h"
#include "image/picturewriter.h"

#include <gtest/gtest.h>

#include <string>

namespace picturewriter {

inline bool WritePicture(const std::string& path, const GifPicture& picture) { return WriteGif(path, picture); }
inline bool WritePicture(const std::string& path, const PngPicture& picture) { return WritePng(path, picture); }
inline bool WritePicture(const std::string& path, const JpegPicture& picture) { return WriteJpeg(path, picture); }

inline const char* DefaultName(const GifPicture&) { return "picture.gif"; }
inline const char* DefaultName(const PngPicture&) { return "picture.png"; }
inline const char* DefaultName(const JpegPicture&) { return "picture.jpg"; }

class DecoderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.ok()); }

    // Writes picture into the folder (by default as picture.gif, .png or .jpg) and returns its path.
    template <class Picture>
    std::string Write(const Picture& picture, const std::string& name = {})
    {
        const std::string path = folder.File(name.empty() ? DefaultName(picture) : name);
        EXPECT_TRUE(WritePicture(path, picture));
        return path;
    }

    TempFolder folder;
    mapwright::CDecodedImage image;
};

}  // namespace picturewriter
