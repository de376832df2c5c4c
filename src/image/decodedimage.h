// A picture decoded from a GIF, JPEG or PNG file into the layout drawing calls take directly:
// top-down rows of 8-bit colour indices or 24-bit blue-green-red pixels, each row padded with
// zero bytes to a multiple of 4, described by a 40-byte bitmap header with a 256-entry colour
// table, plus the picture's own colour list as a logical palette when it has one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

namespace mapwright {

// One colour-table entry, in the byte order of the drawing calls.
struct CRgbQuad {
    std::uint8_t rgbBlue = 0;
    std::uint8_t rgbGreen = 0;
    std::uint8_t rgbRed = 0;
    std::uint8_t rgbReserved = 0;
    bool operator==(const CRgbQuad&) const = default;
};

// The bitmap header, field for field as the drawing calls lay it out.
struct CBitmapInfoHeader {
    std::uint32_t biSize = 0;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;  // negative: the rows are stored top-down
    std::uint16_t biPlanes = 0;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = 0;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};
static_assert(sizeof(CBitmapInfoHeader) == 40, "the header must keep its 40-byte layout");

constexpr int kColorTableSize = 256;

// The header followed by room for a full 8-bit colour table.
struct CBitmapInfo {
    CBitmapInfoHeader bmiHeader;
    CRgbQuad bmiColors[kColorTableSize];
};

// One logical-palette entry.
struct CPaletteEntry {
    std::uint8_t peRed = 0;
    std::uint8_t peGreen = 0;
    std::uint8_t peBlue = 0;
    std::uint8_t peFlags = 0;
    bool operator==(const CPaletteEntry&) const = default;
};

// The colours a picture asks a palette display to provide, in the picture's own order.
struct CPalette {
    std::uint16_t palVersion = 0x300;
    std::uint16_t palNumEntries = 0;
    CPaletteEntry palPalEntry[kColorTableSize];
};

// Which decoder produced the picture; kFormatNone before the first decode.
enum EImageFormat : int {
    kFormatNone = 0,
    kFormatGif = 1,
    kFormatJpeg = 2,
    kFormatPng = 3,
};

// The pixel buffer is malloc'ed so that decoders can allocate it without exceptions.
struct CFreeBytes {
    void operator()(std::uint8_t* bytes) const noexcept { std::free(bytes); }
};
using CPixelBuffer = std::unique_ptr<std::uint8_t[], CFreeBytes>;

// No picture is accepted beyond these, whatever its file declares.
constexpr std::int32_t kMaxImageSide = 32767;
constexpr std::size_t kMaxPixelBytes = std::size_t{512} * 1024 * 1024;

// A red, green, blue triple as the decoders find it in a file's colour list.
struct CRgbColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// What a decoder hands over on success.
struct CDecodedPicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitCount = 0;  // 8 or 24
    std::size_t rowBytes = 0;    // padded to a multiple of 4
    CPixelBuffer bits;
    int colorCount = 0;  // entries of colors in use; 0 when the picture has no colour list
    CRgbColor colors[kColorTableSize];
};

class CDecodedImage {
public:
    // Starts empty: no pixels, no palette, format 0, not loaded.
    CDecodedImage();
    CDecodedImage(const CDecodedImage&) = delete;
    CDecodedImage& operator=(const CDecodedImage&) = delete;

    // Decodes the file at path, chosen by name: ".gif" anywhere in it (any case) is GIF, else
    // ".png" anywhere is PNG, else JPEG. Returns 1 and replaces the picture on success; returns 0
    // and leaves the image empty (width and height 0) on any failure.
    int Decode(const std::string& path);

    // Why the last Decode failed, as a short sentence: the system's reason when the file could
    // not be read, else what was wrong with its contents. Empty after a success.
    const std::string& FailureReason() const { return m_strFailure; }

    // Returns the decoder that Decode(path) would choose.
    static EImageFormat FormatForPath(std::string_view path);

    // Replaces the picture with a decoder's result, building header, colour table and palette.
    void Assign(CDecodedPicture&& picture);

    std::int32_t Width() const { return m_nWidth; }
    std::int32_t Height() const { return m_nHeight; }
    // Pixel rows, top row first; null when nothing is loaded.
    const std::uint8_t* Bits() const { return m_pBits.get(); }
    // 8 (colour indices) or 24 (blue, green, red); 0 when nothing is loaded.
    int BitsPerPixel() const { return m_bmi.bmiHeader.biBitCount; }
    // Bytes from one row to the next, a multiple of 4.
    std::size_t RowBytes() const { return m_nRowBytes; }
    // Bytes of the whole pixel buffer: RowBytes() × Height().
    std::size_t PixelBytes() const { return m_nRowBytes * static_cast<std::size_t>(m_nHeight); }
    const CBitmapInfoHeader& Header() const { return m_bmi.bmiHeader; }
    // The full 256-entry colour table; entries past ColorsUsed() are zero.
    const CRgbQuad* ColorTable() const { return m_bmi.bmiColors; }
    // Number of colours of the picture's own colour list (0 without one).
    int ColorsUsed() const { return m_nColorsUsed; }
    // The logical palette, or null when the picture has no colour list.
    const CPalette* Palette() const { return m_pPalette.get(); }
    int Format() const { return m_nFormat; }
    bool IsLoaded() const { return m_bLoaded != 0; }
    // Changes whenever the picture is replaced or emptied, to a number no picture of this process
    // had before: a viewer keyed on it never mistakes new rows at an old address for the old ones.
    std::uint64_t Serial() const { return m_nSerial; }

private:
    void Clear();

    std::int32_t m_nWidth = 0;
    std::int32_t m_nHeight = 0;
    CPixelBuffer m_pBits;
    std::unique_ptr<CPalette> m_pPalette;
    CBitmapInfo m_bmi;
    std::size_t m_nRowBytes = 0;
    int m_nColorsUsed = 0;
    std::int32_t m_nFormat = kFormatNone;
    std::int32_t m_bLoaded = 0;
    std::uint64_t m_nSerial = 0;
    std::string m_strFailure;
};

}  // namespace mapwright
