#include "shell/aboutdlg.h"

#include "mapwrightversion.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace mapwright {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("About Mapwright"));

    auto* icon = new QLabel(this);
    icon->setObjectName("aboutIcon");
    icon->setPixmap(QFile::exists(":/icons/mapwright.svg") ? QIcon(":/icons/mapwright.svg").pixmap(48, 48)
                                                           : QPixmap(":/mapwright.png"));

    auto* name = new QLabel(tr("Mapwright"), this);
    name->setObjectName("aboutName");
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    auto* version = new QLabel(QStringLiteral("Version %1").arg(kMapwrightVersion), this);
    version->setObjectName("aboutVersion");
    auto* blurb = new QLabel(tr("Client-side image maps for your web pages."), this);

    auto* texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(version);
    texts->addWidget(blurb);
    texts->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace mapwright
