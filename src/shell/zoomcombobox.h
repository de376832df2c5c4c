// The toolbar's zoom box: an editable list of scales from "25%" to "800%". A chosen item applies at
// once; typed text applies when Enter is pressed or when the box loses the focus.
#pragma once

#include <QComboBox>

#include <optional>

namespace mapwright {

class CZoomComboBox : public QComboBox {
    Q_OBJECT
public:
    static constexpr int kDefaultIndex = 3;  // "100%"

    explicit CZoomComboBox(QWidget* parent = nullptr);

    // Selects the item whose text is text exactly, or else shows text in the edit field with no
    // item selected.
    void SelectOrShowText(const QString& text);
    // Shows scale (1.0 = 100 %) as its whole percentage followed by "%".
    void ShowScale(double scale);
    // Back to "100%" and disabled, as while no document is open.
    void Reset();

    // 1 when the last key pressed in the box was Enter.
    bool m_bEnterPressed = false;

signals:
    // An item was chosen from the list.
    void SelChange();
    // The text was typed into or confirmed with Enter (then m_bEnterPressed is true).
    void EditChange();
    // The box lost the keyboard focus.
    void KillFocus();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool m_bLosingFocus = false;
};

// The number that the leading decimal digits of text make, 0 when it begins with none; large
// numbers stop growing past any scale.
int LeadingNumber(const QString& text);

// The scale typed text asks for: the leading number after any blanks, clamped to 25 to 800;
// nothing when the text does not then begin with a digit.
std::optional<int> TypedPercent(const QString& text);

// n clamped to the zoom box's range, 25 to 800.
int ClampPercent(int n);

// "n%".
QString PercentText(int n);

}  // namespace mapwright
