// The Caps Lock, Num Lock and Scroll Lock panes of the status bar. The window system is asked for
// the keys' state when a lock key is released and when the program becomes active; where it
// cannot tell (no X11 display, as on Wayland), the panes are hidden.
#pragma once

#include <QObject>

class QLabel;
class QStatusBar;

namespace mapwright {

class CLockKeyIndicators : public QObject {
    Q_OBJECT
public:
    // Adds the three panes at the right end of statusBar.
    explicit CLockKeyIndicators(QStatusBar* statusBar);

    // Reads the keys' state and shows it.
    void Refresh();

    QLabel* CapsPane() const { return m_pCaps; }
    QLabel* NumPane() const { return m_pNum; }
    QLabel* ScrollPane() const { return m_pScroll; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_pCaps;
    QLabel* m_pNum;
    QLabel* m_pScroll;
};

}  // namespace mapwright
