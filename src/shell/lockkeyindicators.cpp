#include "shell/lockkeyindicators.h"

#include "shell/lockkeystate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>

namespace mapwright {

namespace {

QLabel* MakePane(QStatusBar* statusBar, const QString& text)
{
    auto* pane = new QLabel(statusBar);
    pane->setAlignment(Qt::AlignCenter);
    pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(text) + 8);
    pane->setFrameShape(QFrame::StyledPanel);
    pane->setFrameShadow(QFrame::Sunken);
    statusBar->addPermanentWidget(pane);
    return pane;
}

}  // namespace

CLockKeyIndicators::CLockKeyIndicators(QStatusBar* statusBar)
    : QObject(statusBar), m_pCaps(MakePane(statusBar, "CAP")), m_pNum(MakePane(statusBar, "NUM")),
      m_pScroll(MakePane(statusBar, "SCRL"))
{
    m_pCaps->setObjectName("capsPane");
    m_pNum->setObjectName("numPane");
    m_pScroll->setObjectName("scrollPane");
    qApp->installEventFilter(this);
    Refresh();
}

void CLockKeyIndicators::Refresh()
{
    const std::optional<CLockKeyState> state = QueryLockKeys();
    // Where the window system cannot tell (Wayland, no display), empty panes would claim that
    // every lock is off: they hide instead.
    for (QLabel* pane : {m_pCaps, m_pNum, m_pScroll})
        pane->setVisible(state.has_value());
    m_pCaps->setText(state && state->bCaps ? "CAP" : "");
    m_pNum->setText(state && state->bNum ? "NUM" : "");
    m_pScroll->setText(state && state->bScroll ? "SCRL" : "");
}

bool CLockKeyIndicators::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease && watched->isWidgetType()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock)
            Refresh();
    } else if (event->type() == QEvent::ApplicationActivate) {
        Refresh();
    }
    return false;
}

}  // namespace mapwright
