#include "views/canvasimage.h"

#include "image/decodedimage.h"
#include "platform/imageview.h"

#include <QPainter>

namespace mapwright {

void CCanvasImage::SetImage(const CDecodedImage* image)
{
    // The bitmap may read the rows where the image keeps them: a picture decoded anew, even into
    // the same object, has other rows.
    const CSourceKey key{image, image ? image->Serial() : 0};
    if (key == m_source)
        return;
    m_source = key;
    m_backBitmap = QImage();
    m_zoomBitmap = QImage();
    m_dZoomScale = 1.0;
    if (!image)
        return;
    const QImage view = ViewDecodedImage(*image);
    // True-colour rows are drawn from where the document keeps them, which spares a second copy
    // of a large picture; colour indices are looked up once here. Null when memory runs out: the
    // canvas then shows the areas without the picture.
    m_backBitmap = view.format() == QImage::Format_BGR888 ? view : view.convertToFormat(QImage::Format_RGB32);
}

void CCanvasImage::DrawInto(QImage& backBuffer, const QRect& clip, double scale, int extentWidth, int extentHeight,
                            QPoint scroll)
{
    QPainter painter(&backBuffer);
    if (clip != backBuffer.rect())
        painter.setClipRect(clip);
    if (!HasImage()) {
        painter.fillRect(clip, Qt::white);
        return;
    }
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
