#include "views/canvasimage.h"

#include "image/decodedimage.h"
#include "platform/imageview.h"

#include <QPainter>

namespace mapwright {

void CCanvasImage::SetImage(const CDecodedImage* image)
{
    if (image == m_pSource)
        return;
    m_pSource = image;
    m_backBitmap = QImage();
    m_zoomBitmap = QImage();
    m_dZoomScale = 1.0;
    if (!image)
        return;
    const QImage view = ViewDecodedImage(*image);
    // Null when memory runs out: the canvas then shows the areas without the picture.
    if (!view.isNull())
        m_backBitmap = view.convertToFormat(QImage::Format_RGB32);
}

void CCanvasImage::DrawInto(QImage& backBuffer, double scale, int extentWidth, int extentHeight, QPoint scroll)
{
    if (!HasImage()) {
        backBuffer.fill(Qt::white);
        return;
    }
    QPainter painter(&backBuffer);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (scale < 1 && PrepareZoomBitmap(scale, extentWidth, extentHeight)) {
        const QRect visible(scroll, QSize(extentWidth - scroll.x(), extentHeight - scroll.y()));
        painter.drawImage(QPoint(0, 0), m_zoomBitmap, visible);
        return;
    }
    // Magnified straight into the buffer, which clips it to the visible part.
    painter.drawImage(QRect(-scroll.x(), -scroll.y(), extentWidth, extentHeight), m_backBitmap);
}

bool CCanvasImage::PrepareZoomBitmap(double scale, int extentWidth, int extentHeight)
{
    if (scale != m_dZoomScale) {
        m_dZoomScale = scale;
        m_zoomBitmap = QImage();
        if (extentWidth > 0 && extentHeight > 0)
            m_zoomBitmap = m_backBitmap.scaled(extentWidth, extentHeight, Qt::IgnoreAspectRatio,
                                               Qt::FastTransformation);
    }
    return !m_zoomBitmap.isNull();
}

}  // namespace mapwright
