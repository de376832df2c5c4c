// The canvas pane of a document window: an information bar above the canvas and, below it, the
// bar that holds this window's strip of document tabs.
#pragma once

#include <QWidget>

class QLabel;

namespace mapwright {

class CCanvasView;
class CDocTabBar;
class CDocTabList;
class CMapDocument;

class CCanvasPane : public QWidget {
    Q_OBJECT
public:
    CCanvasPane(CMapDocument* document, CDocTabList* tabList, QWidget* parent = nullptr);

    CCanvasView* Canvas() const { return m_pCanvas; }
    QLabel* InfoBar() const { return m_wndInfoBar; }
    // The strip of document tabs, or null without a tab list.
    CDocTabBar* TabBar() const { return m_pTabBar; }

private:
    CCanvasView* m_pCanvas = nullptr;
    QWidget* m_wndTabHost = nullptr;
    QLabel* m_wndInfoBar = nullptr;
    CDocTabBar* m_pTabBar = nullptr;
};

}  // namespace mapwright
