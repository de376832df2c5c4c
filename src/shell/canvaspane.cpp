#include "shell/canvaspane.h"

#include "shell/doctabbar.h"
#include "views/canvasview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace mapwright {

CCanvasPane::CCanvasPane(CMapDocument* document, CDocTabList* tabList, QWidget* parent) : QWidget(parent)
{
    setObjectName("canvasPane");

    m_wndInfoBar = new QLabel(this);
    m_wndInfoBar->setObjectName("infoBar");
    m_wndInfoBar->setFrameShape(QFrame::StyledPanel);
    m_wndInfoBar->setFrameShadow(QFrame::Sunken);
    m_wndInfoBar->setTextFormat(Qt::PlainText);
    m_wndInfoBar->setContentsMargins(2, 0, 2, 0);
    // The bar shows what the canvas tells it; a long picture name must not widen the pane.
    m_wndInfoBar->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);

    m_pCanvas = new CCanvasView(document, this);
    m_pCanvas->setObjectName("canvas");

    m_wndTabHost = new QWidget(this);
    m_wndTabHost->setObjectName("tabHost");
    auto* tabLayout = new QHBoxLayout(m_wndTabHost);
    tabLayout->setContentsMargins(0, 0, 0, 0);
    if (tabList) {
        m_pTabBar = new CDocTabBar(tabList, m_wndTabHost);
        m_pTabBar->setObjectName("docTabBar");
        tabLayout->addWidget(m_pTabBar);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_wndInfoBar);
    layout->addWidget(m_pCanvas, 1);
    layout->addWidget(m_wndTabHost);

    m_pCanvas->SetInfoBar(m_wndInfoBar);
    m_pCanvas->SetTabBarHost(m_wndTabHost);
}

}  // namespace mapwright
