// libFuzzer entry for the three decoders. The first input byte chooses the decoder through the
// file name; the rest is the file. The decoders read paths, so each input goes through a
// temporary file that is rewritten on every run.

#include "image/decodedimage.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// Keeps the reads of the pixel rows from being optimised away.
volatile std::uint8_t g_sink;

// One temporary file per name suffix, removed at exit.
class CScratchFile {
public:
    explicit CScratchFile(const char* suffix)
    {
        m_path = (std::filesystem::temp_directory_path() / "mapwright-fuzz-XXXXXX").string() + suffix;
        const int descriptor = mkstemps(m_path.data(), static_cast<int>(std::char_traits<char>::length(suffix)));
        if (descriptor < 0)
            std::abort();
        close(descriptor);
    }
    ~CScratchFile() { unlink(m_path.c_str()); }

    // Replaces the file's contents.
    const std::string& Write(const std::uint8_t* data, std::size_t size) const
    {
        std::FILE* file = std::fopen(m_path.c_str(), "wb");
        if (!file || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0)
            std::abort();
        return m_path;
    }

private:
    std::string m_path;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const CScratchFile files[] = {CScratchFile(".gif"), CScratchFile(".jpg"), CScratchFile(".png")};
    if (size == 0)
        return 0;
    const CScratchFile& file = files[data[0] % 3];
    mapwright::CDecodedImage image;
    const int result = image.Decode(file.Write(data + 1, size - 1));
    if (result != 0 && result != 1)
        std::abort();
    if (result == 1) {
        // A decoded picture must be whole: every byte of every row is read here.
        if (image.PixelBytes() == 0 || image.Header().biSizeImage != image.PixelBytes())
            std::abort();
        std::uint8_t mix = 0;
        for (std::size_t i = 0; i < image.PixelBytes(); ++i)
            mix ^= image.Bits()[i];
        g_sink = mix;
    }
    return 0;
}
