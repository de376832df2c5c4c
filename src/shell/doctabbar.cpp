#include "shell/doctabbar.h"

#include "document/mapdocument.h"
#include "shell/commandids.h"
#include "shell/doctablist.h"
#include "shell/tabscrollbutton.h"

#include <QFontDatabase>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace mapwright {
namespace {

constexpr int kButtonSize = 16;
constexpr int kTitleMargin = 8;
constexpr int kTitleIndent = 4;

// 8-point "MS Sans Serif", or the desktop's own face where that is missing.
QFont TabFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    const QString face = QStringLiteral("MS Sans Serif");
    if (QFontDatabase::hasFamily(face))
        font.setFamily(face);
    font.setPointSize(8);
    return font;
}

// The command of the document that a tab menu command stands for.
int DocumentCommand(int tabCommand)
{
    switch (tabCommand) {
    case ID_TAB_SAVE:
        return ID_FILE_SAVE;
    case ID_TAB_SAVE_AS:
        return ID_FILE_SAVE_AS;
    case ID_TAB_SAVE_ALL:
        return ID_SAVE_ALL;
    case ID_TAB_CLOSE:
        return ID_FILE_CLOSE;
    default:
        return 0;
    }
}

}  // namespace

CDocTabBar::CDocTabBar(CDocTabList* list, QWidget* parent)
    : QWidget(parent), m_pList(list), m_font(TabFont())
{
    setAccessibleName(tr("Document tab"));
    m_btnLeft = new CTabScrollButton(QStringLiteral(":/icons/tab-scroll-left.svg"), Qt::LeftArrow, this);
    m_btnRight = new CTabScrollButton(QStringLiteral(":/icons/tab-scroll-right.svg"), Qt::RightArrow, this);
    connect(m_btnLeft, &QToolButton::clicked, this, &CDocTabBar::OnScrollLeft);
    connect(m_btnRight, &QToolButton::clicked, this, &CDocTabBar::OnScrollRight);
    if (m_pList)
        m_pList->RegisterTabBar(this);
}

CDocTabBar::~CDocTabBar()
{
    if (m_pList)
        m_pList->UnregisterTabBar(this);
}

void CDocTabBar::Layout()
{
    const int count = m_pList ? m_pList->GetCount() : 0;
    // Entries may have gone since the strip was scrolled; it never starts past the last one.
    m_nFirst = std::clamp(m_nFirst, 0, std::max(count - 1, 0));
    if (count > 0) {
        const QFontMetrics metrics(m_font);
        const int slant = Slant();
        int sum = 0;
        m_pList->m_nActive = -1;
        for (int i = 0; i < count; ++i) {
            CDocTabEntry& entry = m_pList->GetEntry(i);
            entry.m_nLeft = sum;
            entry.m_nWidth = slant + metrics.horizontalAdvance(Title(i)) + kTitleMargin +
                             (m_pList->HasErrorMark(entry.m_pDocument) ? ErrorMarkWidth() : 0);
            sum += entry.m_nWidth;
            if (m_pList->IsActiveEntry(i))
                m_pList->m_nActive = i;
        }
    }
    UpdateScrollButtons();
}

void CDocTabBar::UpdateScrollButtons()
{
    const int count = m_pList ? m_pList->GetCount() : 0;
    if (count < 2) {
        m_btnLeft->setEnabled(false);
        m_btnRight->setEnabled(false);
        return;
    }
    m_btnLeft->setEnabled(m_nFirst != 0);
    m_btnRight->setEnabled(TabRight(count - 1) + Offset() > width());
}

void CDocTabBar::Refresh()
{
    Layout();
    update();
}

int CDocTabBar::LastVisible() const
{
    const int count = m_pList ? m_pList->GetCount() : 0;
    int i = m_nFirst;
    while (i < count && TabLeft(i) - TabLeft(m_nFirst) + kButtonsWidth < width())
        ++i;
    return i;
}

int CDocTabBar::HitTest(const QPoint& point) const
{
    const int x = point.x() - (height() - 1) / 4 - Offset();
    for (int i = m_nFirst; i < LastVisible(); ++i) {
        if (TabLeft(i) < x && x < TabRight(i))
            return i;
    }
    return -1;
}

QPolygon CDocTabBar::TabCorners(int index) const
{
    const int slant = Slant();
    const int bottom = height() - 1;
    const int left = TabLeft(index) + Offset();
    const int right = TabRight(index) + Offset();
    return QPolygon({QPoint(left, 0), QPoint(left + slant, bottom), QPoint(right, bottom), QPoint(right + slant, 0)});
}

void CDocTabBar::OnCommand(int command)
{
    const int documentCommand = DocumentCommand(command);
    if (!m_pList || documentCommand == 0 || m_nMenuTab < 0 || m_nMenuTab >= m_pList->GetCount())
        return;
    const CDocTabEntry& entry = m_pList->GetEntry(m_nMenuTab);
    emit m_pList->TabCommand(documentCommand, entry.m_pView, entry.m_pDocument);
}

void CDocTabBar::OnScrollLeft()
{
    Layout();
    if (m_nFirst <= 0)
        return;
    const int old = m_nFirst;
    m_nFirst = old - 1;
    while (TabRight(old) - TabLeft(m_nFirst) + kButtonsWidth <= width() && m_nFirst != 0)
        --m_nFirst;
    Refresh();
}

void CDocTabBar::OnScrollRight()
{
    Layout();
    const int count = m_pList ? m_pList->GetCount() : 0;
    if (m_nFirst >= count - 1)
        return;
    const int offset = Offset();
    while (TabRight(m_nFirst) + offset <= width() && m_nFirst < count - 1)
        ++m_nFirst;
    Refresh();
}

QSize CDocTabBar::sizeHint() const
{
    return QSize(200, std::max(kButtonSize + 4, QFontMetrics(m_font).height() + 7));
}

QSize CDocTabBar::minimumSizeHint() const
{
    return QSize(kButtonsWidth, sizeHint().height());
}

bool CDocTabBar::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    Layout();
    const int index = HitTest(help->pos());
    if (index < 0) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), m_pList->TabToolTip(index), this, TabCorners(index).boundingRect());
    }
    return true;
}

void CDocTabBar::paintEvent(QPaintEvent* event)
{
    Layout();
    QPainter painter(this);
    painter.fillRect(event->rect(), StripColor());
    // The strip right of the buttons; the tab before the first shown one only lends its slant.
    painter.setClipRect(QRect(kButtonsWidth, 0, width() - kButtonsWidth, height()));
    DrawTabs(painter);
}

void CDocTabBar::DrawTabs(QPainter& painter)
{
    const int count = m_pList ? m_pList->GetCount() : 0;
    if (m_nFirst >= count)
        return;
    painter.setFont(m_font);
    const int textTop = (height() - QFontMetrics(m_font).height() - 1) / 2;
    const int active = m_pList->m_nActive;
    const int last = LastVisible();
    for (int i = std::max(m_nFirst - 1, 0); i < last; ++i) {
        if (i != active)
            DrawTab(painter, i, false, textTop);
    }
    if (active >= 0 && active < count)
        DrawTab(painter, active, true, textTop);
}

void CDocTabBar::DrawTab(QPainter& painter, int index, bool active, int textTop)
{
    // The palette's colours, so that the strip reads alike on light and dark desktops: the
    // active tab stands out as an edit field does.
    const QPalette& colors = palette();
    const QPolygon corners = TabCorners(index);
    painter.setPen(colors.color(QPalette::Light));
    painter.setBrush(active ? colors.color(QPalette::Base) : StripColor());
    painter.drawPolygon(corners);
    // Left side, bottom and right side only: the top edge stays light. A flat cap leaves out
    // the last point, which belongs to the top edge.
    QPen outline(colors.color(QPalette::WindowText));
    outline.setCapStyle(Qt::FlatCap);
    painter.setPen(outline);
    painter.drawPolyline(corners);

    QColor text = colors.color(active ? QPalette::Text : QPalette::WindowText);
    if (m_pList->GetEntry(index).m_pDocument->IsModified())
        text = QColor(255, 0, 0);
    painter.setPen(text);
    painter.drawText(corners[1].x() + kTitleIndent, textTop + QFontMetrics(m_font).ascent(), Title(index));
    if (m_pList->HasErrorMark(m_pList->GetEntry(index).m_pDocument)) {
        // A red dot after the title: the page has errors.
        const QFontMetrics metrics(m_font);
        const int size = ErrorMarkWidth() - kTitleIndent;
        const int left = corners[1].x() + kTitleIndent + metrics.horizontalAdvance(Title(index)) + kTitleIndent;
        const int top = textTop + (metrics.height() - size) / 2;
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(200, 30, 30));
        painter.drawEllipse(QRect(left, top, size, size));
        painter.restore();
    }
}

int CDocTabBar::ErrorMarkWidth() const
{
    return kTitleIndent + std::max(6, QFontMetrics(m_font).height() / 2);
}

void CDocTabBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int top = (height() - kButtonSize) / 2;
    m_btnLeft->move(0, top);
    m_btnRight->move(kButtonSize, top);
    Layout();
}

void CDocTabBar::mousePressEvent(QMouseEvent* event)
{
    Layout();
    const int index = HitTest(event->position().toPoint());
    if (index < 0 || (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    if (event->button() == Qt::LeftButton)
        ActivateTab(index);
    else
        OpenTabMenu(index, event->globalPosition().toPoint());
}

void CDocTabBar::ActivateTab(int index)
{
    QMdiSubWindow* frame = CDocTabList::FrameOf(m_pList->GetEntry(index).m_pView);
    if (!frame)
        return;
    if (QMdiArea* area = frame->mdiArea())
        area->setActiveSubWindow(frame);
    if (frame->isMinimized())
        frame->showMaximized();
}

void CDocTabBar::OpenTabMenu(int index, const QPoint& globalPos)
{
    m_nMenuTab = index;
    const QPointer<QWidget> view = m_pList->GetEntry(index).m_pView;
    const QPointer<CDocTabBar> self = this;
    QMenu menu;
    const std::pair<int, QString> items[] = {
        {ID_TAB_SAVE, tr("Save")},
        {ID_TAB_SAVE_AS, tr("Save As...")},
        {ID_TAB_SAVE_ALL, tr("Save All")},
        {ID_TAB_CLOSE, tr("Close")},
    };
    for (const auto& [command, text] : items)
        menu.addAction(text)->setData(command);
    const QAction* chosen = menu.exec(globalPos);
    // While the menu was open the list may have changed, or this strip's frame closed.
    if (!chosen || !self || !m_pList || !view)
        return;
    m_nMenuTab = m_pList->IndexOf(view);
    OnCommand(chosen->data().toInt());
}

int CDocTabBar::Slant() const
{
    return (height() - 1) / 2;
}

int CDocTabBar::Offset() const
{
    const int count = m_pList ? m_pList->GetCount() : 0;
    return kButtonsWidth - (m_nFirst < count ? TabLeft(m_nFirst) : 0);
}

int CDocTabBar::TabLeft(int index) const
{
    return m_pList->GetEntry(index).m_nLeft;
}

int CDocTabBar::TabRight(int index) const
{
    const CDocTabEntry& entry = m_pList->GetEntry(index);
    return entry.m_nLeft + entry.m_nWidth;
}

QString CDocTabBar::Title(int index) const
{
    return m_pList->TabTitle(index);
}

QColor CDocTabBar::StripColor() const
{
    return palette().color(QPalette::Window);
}

}  // namespace mapwright
