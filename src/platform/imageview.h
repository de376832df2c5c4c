// Shows a decoded picture to Qt without copying its rows: 8-bit pictures as Indexed8 with the
// 256-entry colour table, 24-bit pictures as BGR888, both with the picture's padded row length.
#pragma once

#include <QImage>

class QPainter;

namespace mapwright {

class CDecodedImage;

// Returns a read-only QImage over image's pixel rows, or a null QImage when nothing is loaded.
// The view and every copy of it share image's buffer: they must not outlive image nor its next
// Decode. Painting into the view, or any other write, detaches it onto a private copy first.
QImage ViewDecodedImage(const CDecodedImage& image);

// Draws image with its top-left corner at (0, 0), each pixel as a factor × factor square
// (factor >= 1); draws nothing when nothing is loaded.
void DrawDecodedImage(QPainter& painter, const CDecodedImage& image, int factor);

}  // namespace mapwright
