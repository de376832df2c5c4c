#include "shell/tabscrollbutton.h"

#include <QFile>

namespace mapwright {

CTabScrollButton::CTabScrollButton(const QString& iconPath, Qt::ArrowType arrow, QWidget* parent)
    : QToolButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(16, 16);
    setIconSize(QSize(12, 12));
    if (QFile::exists(iconPath))
        setIcon(QIcon(iconPath));
    else
        setArrowType(arrow);
    setEnabled(false);
}

}  // namespace mapwright
