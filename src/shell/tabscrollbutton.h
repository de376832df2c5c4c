// One of the two small buttons that scroll a document tab strip: it never takes the focus, so it
// never draws itself as focused or as the default button.
#pragma once

#include <QToolButton>

namespace mapwright {

class CTabScrollButton : public QToolButton {
    Q_OBJECT
public:
    // A 16 x 16 button showing the icon at iconPath, or an arrow of arrow's direction when the
    // icon is missing.
    CTabScrollButton(const QString& iconPath, Qt::ArrowType arrow, QWidget* parent);
};

}  // namespace mapwright
