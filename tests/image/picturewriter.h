// Writes test pictures with the same libraries' encoders, so every picture a test decodes is made
// from pixels the test knows. Header-only: used by the decoder tests, the Qt view test and the
// benchmark.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>
#include <unistd.h>

namespace picturewriter {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

// ---- files ----

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "mapwright-image-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~TempFolder()
    {
        std::error_code ignored;
        if (m_path.empty())
            return;
        KeepForSeeds();
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    bool ok() const { return !m_path.empty(); }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    // With MAPWRIGHT_SEED_DIR set, the pictures a test made are kept there under their own names
    // (prefixed by the folder's unique part): the fuzzers' seeds are made from them.
    void KeepForSeeds() const
    {
        const char* seeds = std::getenv("MAPWRIGHT_SEED_DIR");
        std::error_code ignored;
        if (!seeds || !*seeds)
            return;
        for (const auto& entry : std::filesystem::directory_iterator(m_path, ignored))
            if (entry.is_regular_file())
                std::filesystem::copy_file(entry.path(),
                                           std::filesystem::path(seeds) /
                                               (m_path.filename().string() + "-" + entry.path().filename().string()),
                                           ignored);
    }

    std::filesystem::path m_path;
};

inline std::vector<std::uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool WriteBytes(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

inline bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    return WriteBytes(path, bytes.data(), bytes.size());
}

// ---- GIF ----

struct GifFrame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool interlaced = false;
    std::vector<Rgb> localColors;        // empty: no local colour map
    std::vector<std::uint8_t> indices;   // width × height, rows top to bottom
    int transparentIndex = -1;           // >= 0 writes a graphics control extension
};

struct GifPicture {
    int screenWidth = 0;
    int screenHeight = 0;
    int background = 0;
    std::vector<Rgb> globalColors;  // empty: no global colour map
    std::vector<GifFrame> frames;
    bool commentFirst = false;  // a comment extension before the first image
};

inline ColorMapObject* MakeColorMap(const std::vector<Rgb>& colors)
{
    if (colors.empty())
        return nullptr;
    int size = 2;
    while (size < static_cast<int>(colors.size()))
        size *= 2;
    std::vector<GifColorType> entries(size);
    for (std::size_t i = 0; i < colors.size(); ++i)
        entries[i] = GifColorType{colors[i].r, colors[i].g, colors[i].b};
    return GifMakeMapObject(size, entries.data());
}

// Rows in the order a GIF stores them: for an interlaced image, the four passes.
inline std::vector<int> GifRowOrder(int height, bool interlaced)
{
    std::vector<int> order;
    if (!interlaced) {
        for (int row = 0; row < height; ++row)
            order.push_back(row);
        return order;
    }
    const int start[4] = {0, 4, 2, 1};
    const int step[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int row = start[pass]; row < height; row += step[pass])
            order.push_back(row);
    return order;
}

inline bool WriteGif(const std::string& path, const GifPicture& picture)
{
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    if (!gif)
        return false;
    bool ok = true;
    ColorMapObject* global = MakeColorMap(picture.globalColors);
    EGifSetGifVersion(gif, true);
    ok = EGifPutScreenDesc(gif, picture.screenWidth, picture.screenHeight, 8, picture.background, global) != GIF_ERROR;
    GifFreeMapObject(global);
    if (ok && picture.commentFirst)
        ok = EGifPutComment(gif, "made for a test") != GIF_ERROR;
    for (const GifFrame& frame : picture.frames) {
        if (!ok)
            break;
        if (frame.transparentIndex >= 0) {
            GraphicsControlBlock control{};
            control.DisposalMode = DISPOSAL_UNSPECIFIED;
            control.DelayTime = 10;
            control.TransparentColor = frame.transparentIndex;
            GifByteType block[4];
            EGifGCBToExtension(&control, block);
            ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, block) != GIF_ERROR;
        }
        ColorMapObject* local = MakeColorMap(frame.localColors);
        // giflib 5.2 forgets, without freeing it, the previous image's map when the next has none.
        if (!local && gif->Image.ColorMap) {
            GifFreeMapObject(gif->Image.ColorMap);
            gif->Image.ColorMap = nullptr;
        }
        ok = ok && EGifPutImageDesc(gif, frame.left, frame.top, frame.width, frame.height, frame.interlaced, local) != GIF_ERROR;
        GifFreeMapObject(local);
        std::vector<GifPixelType> line(frame.width);
        for (int row : GifRowOrder(frame.height, frame.interlaced)) {
            if (!ok)
                break;
            for (int x = 0; x < frame.width; ++x)
                line[x] = frame.indices[static_cast<std::size_t>(row) * frame.width + x];
            ok = EGifPutLine(gif, line.data(), frame.width) != GIF_ERROR;
        }
    }
    return EGifCloseFile(gif, &error) != GIF_ERROR && ok;
}

// A picture of width x height in colour alone (its palette: white, then colour), as a page's
// picture in tests that need one but not its pixels.
inline bool WritePlainGif(const std::string& path, int width, int height, Rgb colour = {0, 0, 0})
{
    GifPicture gif;
    gif.screenWidth = width;
    gif.screenHeight = height;
    gif.globalColors = {{255, 255, 255}, colour};
    GifFrame frame;
    frame.width = width;
    frame.height = height;
    frame.indices.assign(std::size_t(width) * std::size_t(height), 1);
    gif.frames.push_back(frame);
    return WriteGif(path, gif);
}

// ---- PNG ----

struct PngPicture {
    int width = 0;
    int height = 0;
    int colorType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    bool interlaced = false;
    // Packed rows exactly as the file stores them (16-bit samples big-endian), rows top to bottom.
    std::vector<std::uint8_t> rows;
    std::vector<Rgb> palette;  // PLTE entries: the colours of a palette picture, or a suggestion
    std::vector<std::uint8_t> transparency;  // tRNS bytes for palette pictures
    std::optional<png_color_16> transparentColor;  // tRNS for grey or RGB pictures
    std::optional<double> fileGamma;
    bool srgb = false;
};

inline int PngRowBytes(const PngPicture& picture)
{
    int channels = 1;
    switch (picture.colorType) {
    case PNG_COLOR_TYPE_RGB: channels = 3; break;
    case PNG_COLOR_TYPE_RGB_ALPHA: channels = 4; break;
    case PNG_COLOR_TYPE_GRAY_ALPHA: channels = 2; break;
    default: break;
    }
    return (picture.width * channels * picture.bitDepth + 7) / 8;
}

// Writes the chunks and rows; false when the library reports an error.
inline bool WritePngChunks(png_structp png, png_infop info, std::FILE* file, const PngPicture& picture,
                           png_bytepp rowPointers, std::vector<png_color>& palette)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_init_io(png, file);
    png_set_IHDR(png, info, picture.width, picture.height, picture.bitDepth, picture.colorType,
                 picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!palette.empty())
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    if (!picture.transparency.empty())
        png_set_tRNS(png, info, picture.transparency.data(), static_cast<int>(picture.transparency.size()), nullptr);
    if (picture.transparentColor) {
        png_color_16 color = *picture.transparentColor;
        png_set_tRNS(png, info, nullptr, 0, &color);
    }
    if (picture.srgb)
        png_set_sRGB(png, info, PNG_sRGB_INTENT_PERCEPTUAL);
    if (picture.fileGamma)
        png_set_gAMA(png, info, *picture.fileGamma);
    png_write_info(png, info);
    png_write_image(png, rowPointers);
    png_write_end(png, info);
    return true;
}

inline bool WritePng(const std::string& path, const PngPicture& picture)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<png_bytep> rowPointers(picture.height);
    const int rowBytes = PngRowBytes(picture);
    for (int row = 0; row < picture.height; ++row)
        rowPointers[row] = const_cast<png_bytep>(picture.rows.data()) + static_cast<std::size_t>(row) * rowBytes;
    std::vector<png_color> palette;
    for (const Rgb& color : picture.palette)
        palette.push_back(png_color{color.r, color.g, color.b});
    const bool ok = png && info && WritePngChunks(png, info, file, picture, rowPointers.data(), palette);
    if (png)
        png_destroy_write_struct(&png, info ? &info : nullptr);
    return std::fclose(file) == 0 && ok;
}

// ---- JPEG ----

struct JpegPicture {
    int width = 0;
    int height = 0;
    int components = 3;  // 1 grey, 3 RGB, 4 CMYK
    J_COLOR_SPACE colorSpace = JCS_RGB;
    int quality = 95;
    bool progressive = false;
    std::vector<std::uint8_t> samples;  // width × height × components, rows top to bottom
    J_COLOR_SPACE fileColorSpace = JCS_UNKNOWN;  // JCS_UNKNOWN: the library's choice (JCS_YCCK from CMYK)
    bool omitAdobeMarker = false;  // leaves out the APP14 marker the library writes for CMYK and YCCK
};

inline bool WriteJpeg(const std::string& path, const JpegPicture& picture)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr error{};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = picture.width;
    cinfo.image_height = picture.height;
    cinfo.input_components = picture.components;
    cinfo.in_color_space = picture.colorSpace;
    jpeg_set_defaults(&cinfo);
    if (picture.fileColorSpace != JCS_UNKNOWN)
        jpeg_set_colorspace(&cinfo, picture.fileColorSpace);
    if (picture.omitAdobeMarker)
        cinfo.write_Adobe_marker = FALSE;
    jpeg_set_quality(&cinfo, picture.quality, TRUE);
    if (picture.progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    const std::size_t stride = static_cast<std::size_t>(picture.width) * picture.components;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(picture.samples.data()) + cinfo.next_scanline * stride;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return std::fclose(file) == 0;
}

// ---- pixel patterns ----

// A smooth colour field with detail: what photographs look like to a quantiser.
inline Rgb ScenePixel(int x, int y, int width, int height)
{
    const int r = 255 * x / (width > 1 ? width - 1 : 1);
    const int g = 255 * y / (height > 1 ? height - 1 : 1);
    const int b = ((x / 8 + y / 8) % 2) ? 200 : 40;
    return Rgb{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)};
}

inline std::vector<std::uint8_t> SceneSamples(int width, int height)
{
    std::vector<std::uint8_t> samples(static_cast<std::size_t>(width) * height * 3);
    std::size_t at = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb pixel = ScenePixel(x, y, width, height);
            samples[at++] = pixel.r;
            samples[at++] = pixel.g;
            samples[at++] = pixel.b;
        }
    return samples;
}

}  // namespace picturewriter
