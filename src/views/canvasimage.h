// The picture as the canvas shows it: the image bitmap at 1:1 (the document's decoded rows
// themselves for true colour, a copy in the screen's pixel format for colour indices), and below
// 100 % a shrunken copy of the whole picture kept for the scale it was made at, so that a paint
// only copies the visible part.
#pragma once

#include <QImage>

#include <cstdint>

namespace mapwright {

class CDecodedImage;

class CCanvasImage {
public:
    // Makes the image bitmap from image, unless it was made from that image already; a null or
    // empty image leaves no bitmap.
    void SetImage(const CDecodedImage* image);
    bool HasImage() const { return !m_backBitmap.isNull(); }

    // Draws the picture, zoomed to extentWidth x extentHeight, into the part clip of backBuffer
    // so that the zoomed pixel at scroll lands on the buffer's top-left corner.
    void DrawInto(QImage& backBuffer, const QRect& clip, double scale, int extentWidth, int extentHeight, QPoint scroll);

    // The scale the shrunken copy was made at; 1.0 until one was made.
    double ZoomScale() const { return m_dZoomScale; }

private:
    // Remakes the shrunken copy for scale unless it was made for it; false when none could be made.
    bool PrepareZoomBitmap(double scale, int extentWidth, int extentHeight);

    // What the bitmap was made from: the image, and its picture's serial number.
    struct CSourceKey {
        const CDecodedImage* pImage = nullptr;
        std::uint64_t nSerial = 0;
        bool operator==(const CSourceKey&) const = default;
    };

    CSourceKey m_source;
    QImage m_backBitmap;  // the picture at 1:1; true-colour rows are read where the image keeps them
    QImage m_zoomBitmap;  // the whole picture at m_dZoomScale, only below 1
    double m_dZoomScale = 1.0;
};

}  // namespace mapwright
