#include "platform/imageview.h"

#include "image/decodedimage.h"

#include <QList>
#include <QPainter>

namespace mapwright {

QImage ViewDecodedImage(const CDecodedImage& image)
{
    if (!image.IsLoaded() || !image.Bits())
        return QImage();
    const auto rowBytes = static_cast<qsizetype>(image.RowBytes());
    if (image.BitsPerPixel() == 24)
        return QImage(image.Bits(), image.Width(), image.Height(), rowBytes, QImage::Format_BGR888);
    QImage view(image.Bits(), image.Width(), image.Height(), rowBytes, QImage::Format_Indexed8);
    // All 256 entries, so that any index a damaged file leaves in the rows has a colour.
    QList<QRgb> colors(kColorTableSize);
    const CRgbQuad* table = image.ColorTable();
    for (int i = 0; i < kColorTableSize; ++i)
        colors[i] = qRgb(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue);
    view.setColorTable(colors);
    return view;
}

void DrawDecodedImage(QPainter& painter, const CDecodedImage& image, int factor)
{
    const QImage view = ViewDecodedImage(image);
    if (view.isNull() || factor < 1)
        return;
    painter.save();
    // Whole pixels are repeated, never blended.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(0, 0, factor * image.Width(), factor * image.Height()), view);
    painter.restore();
}

}  // namespace mapwright
