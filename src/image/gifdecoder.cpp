// GIF: the first image of the file, cropped to its own rectangle of the logical screen, with its
// local colour map or else the global one. Extensions (transparency, animation) are skipped.

#include "image/imagedecoders.h"

#include <gif_lib.h>

namespace mapwright {

namespace {

// Closes the file on every way out of the decoder.
class CGifFile {
public:
    explicit CGifFile(const char* path)
    {
        int error = 0;
        m_pGif = DGifOpenFileName(path, &error);
    }
    ~CGifFile()
    {
        if (m_pGif) {
            int error = 0;
            DGifCloseFile(m_pGif, &error);
        }
    }
    CGifFile(const CGifFile&) = delete;
    CGifFile& operator=(const CGifFile&) = delete;

    GifFileType* get() const { return m_pGif; }

private:
    GifFileType* m_pGif = nullptr;
};

bool SkipExtension(GifFileType* gif)
{
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
        return false;
    while (block != nullptr) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
            return false;
    }
    return true;
}

// Reads the current image's lines into picture's rows; interlaced images arrive in four passes.
bool ReadImageLines(GifFileType* gif, CDecodedPicture& picture)
{
    const GifImageDesc& desc = gif->Image;
    std::uint8_t* bits = picture.bits.get();
    if (!desc.Interlace) {
        for (int row = 0; row < desc.Height; ++row) {
            if (DGifGetLine(gif, bits + static_cast<std::size_t>(row) * picture.rowBytes, desc.Width) == GIF_ERROR)
                return false;
        }
        return true;
    }
    static constexpr int kPassStart[4] = {0, 4, 2, 1};
    static constexpr int kPassStep[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        for (int row = kPassStart[pass]; row < desc.Height; row += kPassStep[pass]) {
            if (DGifGetLine(gif, bits + static_cast<std::size_t>(row) * picture.rowBytes, desc.Width) == GIF_ERROR)
                return false;
        }
    }
    return true;
}

// Takes the first image descriptor's rectangle and lines; false when the rectangle leaves the
// screen, is beyond the size limits, has no colour map, or its data cannot be read.
bool ReadFirstImage(GifFileType* gif, CDecodedPicture& picture)
{
    if (DGifGetImageDesc(gif) == GIF_ERROR)
        return false;
    const GifImageDesc& desc = gif->Image;
    if (desc.Left < 0 || desc.Top < 0 || desc.Left + desc.Width > gif->SWidth ||
        desc.Top + desc.Height > gif->SHeight)
        return false;
    const ColorMapObject* colorMap = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    if (!colorMap || !colorMap->Colors || colorMap->ColorCount <= 0 ||
        colorMap->ColorCount > kColorTableSize)
        return false;
    if (!PlanPixelBuffer(desc.Width, desc.Height, 1, picture.rowBytes))
        return false;
    picture.bits = AllocatePixelBuffer(picture.rowBytes, desc.Height);
    if (!picture.bits)
        return false;
    ClearRowPadding(picture.bits.get(), picture.rowBytes, static_cast<std::size_t>(desc.Width), desc.Height);
    if (!ReadImageLines(gif, picture))
        return false;

    picture.width = desc.Width;
    picture.height = desc.Height;
    picture.bitCount = 8;
    picture.colorCount = colorMap->ColorCount;
    for (int i = 0; i < colorMap->ColorCount; ++i)
        picture.colors[i] = CRgbColor{colorMap->Colors[i].Red, colorMap->Colors[i].Green, colorMap->Colors[i].Blue};
    return true;
}

}  // namespace

bool DecodeGifFile(const char* path, CDecodedPicture& picture)
{
    CGifFile file(path);
    GifFileType* gif = file.get();
    if (!gif)
        return false;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR)
            return false;
        switch (type) {
        case EXTENSION_RECORD_TYPE:
            if (!SkipExtension(gif))
                return false;
            break;
        case IMAGE_DESC_RECORD_TYPE:
            // Only the first frame of an animation is shown.
            return ReadFirstImage(gif, picture);
        case TERMINATE_RECORD_TYPE:
            return false;  // a file without any image has nothing to show
        default:
            break;
        }
    }
}

}  // namespace mapwright
