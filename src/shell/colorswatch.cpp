#include "shell/colorswatch.h"

#include <QPainter>

namespace mapwright {

CColorSwatch::CColorSwatch(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void CColorSwatch::SetColor(const QColor& color)
{
    m_color = color;
    update();
}

QSize CColorSwatch::sizeHint() const
{
    return {48, fontMetrics().height() + 8};
}

void CColorSwatch::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setBrush(m_color);
    // A one-pixel pen drawn on a rectangle covers its right and bottom edge too.
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
}

}  // namespace mapwright
