// The picture under a map: the decoded image, its size and whether it could be decoded. A page
// set up without its picture (scripts, tests) has a size and no image. Copies share the decoded
// image, so the undo history can keep the picture a step showed.
#pragma once

#include "image/decodedimage.h"

#include <memory>
#include <string>

namespace mapwright {

class CPicture {
public:
    // Decodes the file at path; the size is what the decoder found. Returns IsLoaded().
    bool Load(const std::string& path);
    // Takes image as the decoded picture, loaded or not, with its size.
    void Take(std::unique_ptr<CDecodedImage> image, bool loaded);
    // Counts the picture as not loaded until the next Load; image and size stay.
    void MarkNotLoaded() { m_bLoaded = false; }
    // No image, only a size: for a page whose areas are read without their picture.
    void SetSizeOnly(int width, int height);

    const CDecodedImage* Image() const { return m_pImage.get(); }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    bool IsLoaded() const { return m_bLoaded; }
    // The same decoded image (or none) at the same size.
    bool SameAs(const CPicture& other) const
    {
        return m_pImage == other.m_pImage && m_nWidth == other.m_nWidth && m_nHeight == other.m_nHeight &&
               m_bLoaded == other.m_bLoaded;
    }

private:
    friend struct CMapDocumentProbe;

    std::shared_ptr<CDecodedImage> m_pImage;
    int m_nWidth = 0;
    int m_nHeight = 0;
    bool m_bLoaded = false;
};

}  // namespace mapwright
