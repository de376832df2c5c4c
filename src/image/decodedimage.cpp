#include "image/decodedimage.h"

#include "image/imagedecoders.h"
#include "image/prefetch.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mapwright {

namespace {

constexpr char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// True when needle (lower case) occurs in text compared with text lower-cased.
bool ContainsLowered(std::string_view text, std::string_view needle)
{
    if (needle.size() > text.size())
        return false;
    for (std::size_t start = 0; start + needle.size() <= text.size(); ++start) {
        std::size_t matched = 0;
        while (matched < needle.size() && LowerAscii(text[start + matched]) == needle[matched])
            ++matched;
        if (matched == needle.size())
            return true;
    }
    return false;
}

}  // namespace

bool PlanPixelBuffer(std::int64_t width, std::int64_t height, int bytesPerPixel,
                     std::size_t& rowBytes)
{
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide)
        return false;
    const std::size_t padded = (static_cast<std::size_t>(width) * bytesPerPixel + 3) & ~std::size_t{3};
    if (padded * static_cast<std::size_t>(height) > kMaxPixelBytes)
        return false;
    rowBytes = padded;
    return true;
}

CPixelBuffer AllocatePixelBuffer(std::size_t rowBytes, std::int32_t height)
{
    return CPixelBuffer(static_cast<std::uint8_t*>(std::malloc(rowBytes * static_cast<std::size_t>(height))));
}

void ClearRowPadding(std::uint8_t* bits, std::size_t rowBytes, std::size_t usedBytes,
                     std::int32_t height)
{
    if (usedBytes >= rowBytes)
        return;
    for (std::int32_t row = 0; row < height; ++row)
        std::memset(bits + static_cast<std::size_t>(row) * rowBytes + usedBytes, 0, rowBytes - usedBytes);
}

namespace {

// The reason a decode of path failed: the libraries report only success, so the file itself is
// asked whether it could be read and has any bytes; past that, its contents were at fault.
std::string FailureOf(const std::string& path, EImageFormat format)
{
    struct stat info {};
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const int openErrno = errno;
    const bool statted = descriptor >= 0 && ::fstat(descriptor, &info) == 0;
    if (descriptor >= 0)
        ::close(descriptor);
    if (descriptor < 0)
        return std::strerror(openErrno) + std::string(".");
    if (statted && S_ISDIR(info.st_mode))
        return "It is a folder.";
    if (statted && info.st_size == 0)
        return "The file is empty.";
    const char* name = format == kFormatGif ? "GIF" : format == kFormatPng ? "PNG" : "JPEG";
    return std::string("The file is not a ") + name + " picture, or it is damaged or cut short.";
}

}  // namespace

CDecodedImage::CDecodedImage()
{
    Clear();
}

void CDecodedImage::Clear()
{
    static std::atomic<std::uint64_t> lastSerial{0};
    m_nSerial = ++lastSerial;
    m_nWidth = 0;
    m_nHeight = 0;
    m_pBits.reset();
    m_pPalette.reset();
    m_bmi = CBitmapInfo{};
    m_nRowBytes = 0;
    m_nColorsUsed = 0;
}

EImageFormat CDecodedImage::FormatForPath(std::string_view path)
{
    if (ContainsLowered(path, ".gif"))
        return kFormatGif;
    if (ContainsLowered(path, ".png"))
        return kFormatPng;
    return kFormatJpeg;
}

int CDecodedImage::Decode(const std::string& path)
{
    Clear();
    m_nFormat = FormatForPath(path);
    CDecodedPicture picture;
    // A picture decoded ahead of need is taken as it is; a failed one is decoded again for its reason.
    bool decoded = TakePrefetched(path, picture);
    if (!decoded) {
        switch (m_nFormat) {
        case kFormatGif:
            decoded = DecodeGifFile(path.c_str(), picture);
            break;
        case kFormatPng:
            decoded = DecodePngFile(path.c_str(), picture);
            break;
        default:
            decoded = DecodeJpegFile(path.c_str(), picture);
            break;
        }
    }
    if (decoded)
        Assign(std::move(picture));
    m_bLoaded = decoded && m_pBits ? 1 : 0;
    m_strFailure = m_bLoaded ? std::string() : FailureOf(path, EImageFormat(m_nFormat));
    return m_bLoaded;
}

void CDecodedImage::Assign(CDecodedPicture&& picture)
{
    Clear();
    // The palette is small and fixed in size; without memory for it the picture is dropped
    // rather than shown with the wrong colours.
    if (picture.colorCount > 0) {
        m_pPalette.reset(new (std::nothrow) CPalette);
        if (!m_pPalette)
            return;
    }
    m_nWidth = picture.width;
    m_nHeight = picture.height;
    m_nRowBytes = picture.rowBytes;
    m_pBits = std::move(picture.bits);

    CBitmapInfoHeader& header = m_bmi.bmiHeader;
    header.biSize = sizeof(CBitmapInfoHeader);
    header.biWidth = m_nWidth;
    header.biHeight = -m_nHeight;
    header.biPlanes = 1;
    header.biBitCount = picture.bitCount;
    header.biCompression = 0;
    header.biSizeImage = static_cast<std::uint32_t>(PixelBytes());

    m_nColorsUsed = picture.colorCount;
    if (m_pPalette)
        m_pPalette->palNumEntries = static_cast<std::uint16_t>(picture.colorCount);
    for (int i = 0; i < picture.colorCount; ++i) {
        const CRgbColor& color = picture.colors[i];
        m_bmi.bmiColors[i] = CRgbQuad{color.blue, color.green, color.red, 0};
        m_pPalette->palPalEntry[i] = CPaletteEntry{color.red, color.green, color.blue, 0};
    }
}

}  // namespace mapwright
