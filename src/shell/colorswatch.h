// A small field that shows one colour: a rectangle one pixel inside its edges, outlined in the
// text colour and filled with the colour. It takes no input.
#pragma once

#include <QColor>
#include <QWidget>

namespace mapwright {

class CColorSwatch : public QWidget {
    Q_OBJECT
public:
    explicit CColorSwatch(QWidget* parent = nullptr);

    void SetColor(const QColor& color);
    QColor Color() const { return m_color; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color;
};

}  // namespace mapwright
