#include "shell/zoomcombobox.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

namespace mapwright {

namespace {

constexpr int kMinPercent = 25;
constexpr int kMaxPercent = 800;
// Far above any scale, so a long run of digits cannot overflow.
constexpr int kNumberCeiling = 1'000'000;

}  // namespace

int LeadingNumber(const QString& text)
{
    int n = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            break;
        n = std::min(n * 10 + (c.unicode() - u'0'), kNumberCeiling);
    }
    return n;
}

std::optional<int> TypedPercent(const QString& text)
{
    const QString typed = text.trimmed();
    if (typed.isEmpty() || typed.front() < u'0' || typed.front() > u'9')
        return std::nullopt;
    return ClampPercent(LeadingNumber(typed));
}

int ClampPercent(int n)
{
    return std::clamp(n, kMinPercent, kMaxPercent);
}

QString PercentText(int n)
{
    return QString::number(n) + u'%';
}

CZoomComboBox::CZoomComboBox(QWidget* parent) : QComboBox(parent)
{
    setObjectName("zoomBox");
    setEditable(true);
    // Typed scales are applied, never added to the list, and never completed to an item.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    addItems({"25%", "50%", "75%", "100%", "150%", "200%", "300%", "400%", "600%", "800%"});
    setCurrentIndex(kDefaultIndex);

    connect(this, &QComboBox::activated, this, [this] {
        // Leaving the box may make the combo box pick the item that the typed text names; that
        // is the focus rule's business, not a choice from the list.
        if (!m_bLosingFocus)
            emit SelChange();
    });
    connect(lineEdit(), &QLineEdit::textEdited, this, &CZoomComboBox::EditChange);
}

void CZoomComboBox::SelectOrShowText(const QString& text)
{
    const QSignalBlocker blocker(this);
    setCurrentIndex(findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
    setEditText(text);
}

void CZoomComboBox::ShowScale(double scale)
{
    SelectOrShowText(PercentText(static_cast<int>(scale * 100)));
}

void CZoomComboBox::Reset()
{
    const QSignalBlocker blocker(this);
    setCurrentIndex(kDefaultIndex);
    setEditText(itemText(kDefaultIndex));
    setEnabled(false);
}

void CZoomComboBox::keyPressEvent(QKeyEvent* event)
{
    m_bEnterPressed = false;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        m_bEnterPressed = true;
        event->accept();
        emit EditChange();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void CZoomComboBox::focusOutEvent(QFocusEvent* event)
{
    m_bLosingFocus = true;
    QComboBox::focusOutEvent(event);
    m_bLosingFocus = false;
    // Opening the list keeps the box the user's place; only a real departure applies the text.
    if (event->reason() != Qt::PopupFocusReason)
        emit KillFocus();
}

}  // namespace mapwright
