#include "document/picture.h"

namespace mapwright {

bool CPicture::Load(const std::string& path)
{
    auto image = std::make_unique<CDecodedImage>();
    const bool loaded = image->Decode(path) != 0;
    Take(std::move(image), loaded);
    return m_bLoaded;
}

void CPicture::Take(std::unique_ptr<CDecodedImage> image, bool loaded)
{
    m_pImage = std::move(image);
    m_nWidth = m_pImage ? m_pImage->Width() : 0;
    m_nHeight = m_pImage ? m_pImage->Height() : 0;
    m_bLoaded = loaded && m_pImage;
}

void CPicture::SetSizeOnly(int width, int height)
{
    m_pImage.reset();
    m_nWidth = width;
    m_nHeight = height;
    m_bLoaded = false;
}

}  // namespace mapwright
