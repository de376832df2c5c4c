// One strip of document tabs, below the canvas of each document frame. All strips show the same
// list. A tab is slanted: wide at the top edge, narrow at the bottom; the active document's tab is
// drawn last in the palette's base colour, a modified document's title is red. Two tabs of pages
// with one name show their folders' names too; each tab's tooltip is its full path. A left click
// activates the tab's frame, a right click offers Save, Save As..., Save All and Close for that
// tab's document. Two
// buttons at the left end scroll the strip when the tabs do not fit.
#pragma once

#include <QFont>
#include <QPointer>
#include <QWidget>

namespace mapwright {

class CDocTabList;
class CTabScrollButton;

// The commands of a tab's menu.
enum ETabMenuCommand : int {
    ID_TAB_SAVE = 32900,
    ID_TAB_SAVE_AS = 32901,
    ID_TAB_SAVE_ALL = 32902,
    ID_TAB_CLOSE = 32905,
};

class CDocTabBar : public QWidget {
    Q_OBJECT
public:
    // Width of the two scroll buttons, where the first shown tab begins.
    static constexpr int kButtonsWidth = 32;

    explicit CDocTabBar(CDocTabList* list, QWidget* parent = nullptr);
    ~CDocTabBar() override;

    // Measures every tab, finds the active one and sets the scroll buttons' state.
    void Layout();
    // Layout, then repaint.
    void Refresh();
    // One past the last tab that begins inside the strip.
    int LastVisible() const;
    // The entry whose tab is under point (strictly inside its run, moved left by a quarter of the
    // slant height), or -1.
    int HitTest(const QPoint& point) const;
    // The corners of tab index in this strip: top left, bottom left, bottom right, top right.
    QPolygon TabCorners(int index) const;

    // Carries out a tab menu command for the tab whose menu was opened last.
    void OnCommand(int command);
    void OnScrollLeft();
    void OnScrollRight();

    int GetFirstTab() const { return m_nFirst; }
    const QFont& GetTabFont() const { return m_font; }
    CTabScrollButton* LeftButton() const { return m_btnLeft; }
    CTabScrollButton* RightButton() const { return m_btnRight; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void DrawTabs(QPainter& painter);
    void DrawTab(QPainter& painter, int index, bool active, int textTop);
    void UpdateScrollButtons();
    void ActivateTab(int index);
    void OpenTabMenu(int index, const QPoint& globalPos);
    int Slant() const;
    int Offset() const;
    int TabLeft(int index) const;
    int TabRight(int index) const;
    QString Title(int index) const;
    // The room the error mark takes after a title.
    int ErrorMarkWidth() const;
    QColor StripColor() const;

    QPointer<CDocTabList> m_pList;
    int m_nMenuTab = -1;
    int m_nFirst = 0;
    QFont m_font;
    CTabScrollButton* m_btnLeft = nullptr;
    CTabScrollButton* m_btnRight = nullptr;
};

}  // namespace mapwright
