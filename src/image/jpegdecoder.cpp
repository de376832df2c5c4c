// JPEG: grey pictures stay grey, every other one becomes RGB reduced once to a 256-colour map of
// its own (two passes, Floyd-Steinberg), so every pixel is one byte. CMYK and YCCK pictures, which
// print work produces, are made RGB here first, since libjpeg makes them CMYK at best.

#include "image/colorreduction.h"
#include "image/imagedecoders.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>

namespace mapwright {

namespace {

// Rows of the library's colour map follow its compile-time component order for RGB output;
// builds that keep that order internal use red, green, blue.
#ifdef RGB_RED
constexpr int kMapRowRed = RGB_RED;
constexpr int kMapRowGreen = RGB_GREEN;
constexpr int kMapRowBlue = RGB_BLUE;
#else
constexpr int kMapRowRed = 0;
constexpr int kMapRowGreen = 1;
constexpr int kMapRowBlue = 2;
#endif

struct CJpegErrorManager {
    jpeg_error_mgr pub;  // first, so the library's pointer to it is a pointer to the whole
    std::jmp_buf jump;
};

// Fatal library errors come back to the decoder instead of ending the process.
void JumpBack(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<CJpegErrorManager*>(cinfo->err)->jump, 1);
}

// True when the file ended while the last row of blocks was being read: the library reads ahead
// of the data it needs, so a file that lacks only its end marker, which some writers leave out,
// ends there.
bool EndedInLastRow(j_common_ptr cinfo)
{
    if (!cinfo->is_decompressor)
        return false;
    const auto* decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
    return decompress->total_iMCU_rows > 0 && decompress->input_iMCU_row + 1 >= decompress->total_iMCU_rows;
}

// Warnings are not shown to anyone. Data that ends before the picture does, at the end of the
// file or at a marker inside a scan, is refused like a truncated GIF or PNG: the library would
// otherwise make up what is missing, and a few hundred bytes could keep it busy filling a huge
// declared picture. A file that ends in its last row of blocks is shown. Other damage
// the library can step over is accepted.
void HandleMessage(j_common_ptr cinfo, int level)
{
    const int code = cinfo->err->msg_code;
    if (level >= 0)
        return;
    if (code == JWRN_HIT_MARKER || (code == JWRN_JPEG_EOF && !EndedInLastRow(cinfo)))
        JumpBack(cinfo);
}

// Everything the decoder must release, kept outside the frame that calls setjmp so it stays
// valid after a jump back.
struct CJpegDecode {
    std::FILE* file = nullptr;
    CJpegErrorManager error{};
    jpeg_decompress_struct cinfo{};  // zeroed, so destroying it is safe before it is created
    CPixelBuffer rgb;                // a CMYK picture made RGB, before its colours are reduced
};

// Makes one row of CMYK samples RGB. Adobe's writers, which mark their files with an APP14 marker,
// store CMYK inverted (0 is full ink); other files store the ink itself.
void CmykRowToRgb(const JSAMPLE* cmyk, std::uint8_t* rgb, JDIMENSION width, bool inverted)
{
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const unsigned black = inverted ? cmyk[3] : 255u - cmyk[3];
        for (int c = 0; c < 3; ++c) {
            const unsigned ink = inverted ? cmyk[c] : 255u - cmyk[c];
            rgb[c] = static_cast<std::uint8_t>((ink * black + 127) / 255);
        }
    }
}

// Reads a CMYK or YCCK picture as CMYK rows, makes each RGB and then reduces the whole to a colour
// map of its own, as the library does for RGB pictures: its two-pass reduction takes RGB output
// alone, and it makes CMYK into nothing else. Runs under RunDecompress's setjmp, so the same rule
// holds here: nothing with a destructor in this frame.
bool ReadCmykPicture(CJpegDecode& state, CDecodedPicture& picture)
{
    jpeg_decompress_struct& cinfo = state.cinfo;
    // The RGB copy stands in for the library's own whole-picture buffer of an RGB picture, so it
    // comes out of the same allowance. Within the pixel limit it is at most three quarters of it.
    const std::size_t rgbRowBytes = std::size_t{3} * cinfo.output_width;
    const std::size_t rgbBytes = rgbRowBytes * cinfo.output_height;
    if (rgbBytes >= static_cast<std::size_t>(cinfo.mem->max_memory_to_use))
        return false;
    cinfo.mem->max_memory_to_use -= static_cast<long>(rgbBytes);
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_components != 4 || cinfo.out_color_space != JCS_CMYK ||
        !PlanPixelBuffer(cinfo.output_width, cinfo.output_height, 1, picture.rowBytes))
        return false;

    const auto height = static_cast<std::int32_t>(cinfo.output_height);
    state.rgb = AllocatePixelBuffer(rgbRowBytes, height);
    if (!state.rgb)
        return false;
    JSAMPARRAY cmyk = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                  cinfo.output_width * 4, 1);
    const bool inverted = cinfo.saw_Adobe_marker;
    while (cinfo.output_scanline < cinfo.output_height) {
        std::uint8_t* row = state.rgb.get() + static_cast<std::size_t>(cinfo.output_scanline) * rgbRowBytes;
        if (jpeg_read_scanlines(&cinfo, cmyk, 1) != 1)
            return false;
        CmykRowToRgb(cmyk[0], row, cinfo.output_width, inverted);
    }
    jpeg_finish_decompress(&cinfo);

    picture.bits = AllocatePixelBuffer(picture.rowBytes, height);
    if (!picture.bits)
        return false;
    ClearRowPadding(picture.bits.get(), picture.rowBytes, cinfo.output_width, height);
    const auto width = static_cast<std::int32_t>(cinfo.output_width);
    const int count = ReduceColors(state.rgb.get(), rgbRowBytes, width, height, kColorTableSize, picture.bits.get(),
                                   picture.rowBytes, picture.colors);
    state.rgb.reset();
    if (count <= 0)
        return false;
    picture.width = width;
    picture.height = height;
    picture.bitCount = 8;
    picture.colorCount = count;
    return true;
}

// Runs the library; a fatal error jumps back to the setjmp and returns false. Nothing with a
// destructor may live in this frame, since the jump skips it.
bool RunDecompress(CJpegDecode& state, CDecodedPicture& picture)
{
    jpeg_decompress_struct& cinfo = state.cinfo;
    cinfo.err = jpeg_std_error(&state.error.pub);
    state.error.pub.error_exit = JumpBack;
    state.error.pub.emit_message = HandleMessage;
    if (setjmp(state.error.jump))
        return false;

    jpeg_create_decompress(&cinfo);
    // The library keeps whole-picture buffers of its own (three samples a pixel for the colour
    // reduction, coefficients for progressive files); without backing store, a file that would
    // need more than this fails instead of taking the machine's memory. A CMYK picture's RGB copy
    // counts against it too.
    cinfo.mem->max_memory_to_use = static_cast<long>(4 * kMaxPixelBytes);
    jpeg_stdio_src(&cinfo, state.file);
    jpeg_read_header(&cinfo, TRUE);

    const bool grey = cinfo.out_color_space == JCS_GRAYSCALE;
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    if (cmyk) {
        cinfo.out_color_space = JCS_CMYK;
    } else {
        if (!grey)
            cinfo.out_color_space = JCS_RGB;
        cinfo.quantize_colors = TRUE;
        cinfo.desired_number_of_colors = kColorTableSize;
        cinfo.two_pass_quantize = TRUE;
        cinfo.dither_mode = JDITHER_FS;
    }
    cinfo.output_gamma = 1.0;

    // The first quantisation pass runs over the whole picture inside jpeg_start_decompress, so a
    // declared size beyond the limits is refused before it.
    jpeg_calc_output_dimensions(&cinfo);
    if (!PlanPixelBuffer(cinfo.output_width, cinfo.output_height, 1, picture.rowBytes))
        return false;
    if (cmyk)
        return ReadCmykPicture(state, picture);
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_components != 1 ||
        !PlanPixelBuffer(cinfo.output_width, cinfo.output_height, 1, picture.rowBytes))
        return false;

    const auto height = static_cast<std::int32_t>(cinfo.output_height);
    picture.bits = AllocatePixelBuffer(picture.rowBytes, height);
    if (!picture.bits)
        return false;
    ClearRowPadding(picture.bits.get(), picture.rowBytes, cinfo.output_width, height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = picture.bits.get() + static_cast<std::size_t>(cinfo.output_scanline) * picture.rowBytes;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }

    picture.width = static_cast<std::int32_t>(cinfo.output_width);
    picture.height = height;
    picture.bitCount = 8;
    if (grey) {
        picture.colorCount = kColorTableSize;
        for (int i = 0; i < kColorTableSize; ++i) {
            const auto level = static_cast<std::uint8_t>(i);
            picture.colors[i] = CRgbColor{level, level, level};
        }
    } else {
        // Map rows past the colours actually chosen are never written by the library.
        const int count = cinfo.actual_number_of_colors;
        if (!cinfo.colormap || count <= 0 || count > kColorTableSize || cinfo.out_color_components != 3)
            return false;
        picture.colorCount = count;
        for (int i = 0; i < count; ++i)
            picture.colors[i] = CRgbColor{cinfo.colormap[kMapRowRed][i], cinfo.colormap[kMapRowGreen][i],
                                          cinfo.colormap[kMapRowBlue][i]};
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

}  // namespace

bool DecodeJpegFile(const char* path, CDecodedPicture& picture)
{
    CJpegDecode state;
    state.file = std::fopen(path, "rb");
    if (!state.file)
        return false;
    const bool decoded = RunDecompress(state, picture);
    jpeg_destroy_decompress(&state.cinfo);
    std::fclose(state.file);
    return decoded;
}

}  // namespace mapwright
