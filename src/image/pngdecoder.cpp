// PNG: palette pictures as 8-bit indices, everything else as 24-bit blue-green-red (grey expanded,
// alpha dropped, 16-bit samples reduced), gamma-corrected for a 2.2 screen unless the file is sRGB.
// Transparency is ignored.

#include "image/imagedecoders.h"

#include <cstdio>

#include <png.h>

namespace mapwright {

namespace {

constexpr int kSignatureBytes = 4;

// Library errors jump back to the decoder without a message; warnings are dropped.
void JumpBack(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

// Everything the decoder must release, kept outside the frame that calls setjmp so it stays
// valid after a jump back.
struct CPngDecode {
    std::FILE* file = nullptr;
    png_structp png = nullptr;
    png_infop info = nullptr;
    png_infop endInfo = nullptr;
    png_bytep* rows = nullptr;
};

// Runs the library; an error jumps back to the setjmp and returns false. Nothing with a
// destructor may live in this frame, since the jump skips it.
bool RunRead(CPngDecode& state, CDecodedPicture& picture)
{
    png_structp png = state.png;
    png_infop info = state.info;
    if (setjmp(png_jmpbuf(png)))
        return false;

    png_init_io(png, state.file);
#ifdef PNG_IGNORE_ADLER32
    // As browsers do: the chunks' CRCs already guard the compressed data, and the second checksum
    // over the inflated rows costs a tenth of a large picture's decode.
    png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
    png_set_sig_bytes(png, kSignatureBytes);
    png_read_info(png, info);

    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colorType = 0;
    int interlace = 0;
    int compression = 0;
    int filter = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, &interlace, &compression, &filter);

    png_set_strip_16(png);
    png_set_packing(png);
    if (colorType == PNG_COLOR_TYPE_RGB || colorType == PNG_COLOR_TYPE_RGB_ALPHA)
        png_set_bgr(png);
    png_set_strip_alpha(png);
    png_colorp palette = nullptr;
    int paletteSize = 0;
    const bool hasPalette = png_get_PLTE(png, info, &palette, &paletteSize) != 0;
    if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
        png_set_expand(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    int intent = 0;
    if (png_get_sRGB(png, info, &intent)) {
        png_set_sRGB(png, info, intent);
    } else {
        double fileGamma = 0.45455;
        png_get_gAMA(png, info, &fileGamma);
        png_set_gamma(png, 2.2, fileGamma);
    }
    if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth == 1)
        png_set_invert_mono(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    const int channels = png_get_channels(png, info);
    const int bitCount = channels * png_get_bit_depth(png, info);
    if (bitCount != 8 && bitCount != 24)
        return false;
    const int bytesPerPixel = bitCount / 8;
    if (!PlanPixelBuffer(width, height, bytesPerPixel, picture.rowBytes))
        return false;
    const std::size_t usedBytes = static_cast<std::size_t>(width) * bytesPerPixel;
    if (png_get_rowbytes(png, info) != usedBytes)
        return false;

    // The library writes straight into the padded rows of the pixel buffer.
    const auto rowCount = static_cast<std::int32_t>(height);
    picture.bits = AllocatePixelBuffer(picture.rowBytes, rowCount);
    state.rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
    if (!picture.bits || !state.rows)
        return false;
    for (std::int32_t row = 0; row < rowCount; ++row)
        state.rows[row] = picture.bits.get() + static_cast<std::size_t>(row) * picture.rowBytes;
    ClearRowPadding(picture.bits.get(), picture.rowBytes, usedBytes, rowCount);
    png_read_image(png, state.rows);

    picture.width = static_cast<std::int32_t>(width);
    picture.height = rowCount;
    picture.bitCount = static_cast<std::uint16_t>(bitCount);
    if (hasPalette && paletteSize > 0) {
        picture.colorCount = paletteSize > kColorTableSize ? kColorTableSize : paletteSize;
        for (int i = 0; i < picture.colorCount; ++i)
            picture.colors[i] = CRgbColor{palette[i].red, palette[i].green, palette[i].blue};
    }
    png_read_end(png, state.endInfo);
    return true;
}

}  // namespace

bool DecodePngFile(const char* path, CDecodedPicture& picture)
{
    CPngDecode state;
    state.file = std::fopen(path, "rb");
    if (!state.file)
        return false;
    png_byte signature[kSignatureBytes] = {};
    bool decoded = std::fread(signature, 1, kSignatureBytes, state.file) == kSignatureBytes &&
                   png_sig_cmp(signature, 0, kSignatureBytes) == 0;
    if (decoded) {
        state.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpBack, IgnoreWarning);
        if (state.png) {
            state.info = png_create_info_struct(state.png);
            state.endInfo = png_create_info_struct(state.png);
        }
        decoded = state.png && state.info && state.endInfo && RunRead(state, picture);
    }
    if (state.png)
        png_destroy_read_struct(&state.png, state.info ? &state.info : nullptr,
                                state.endInfo ? &state.endInfo : nullptr);
    std::free(state.rows);
    std::fclose(state.file);
    return decoded;
}

}  // namespace mapwright
