// The form pane of a document window: the link, the alternate text, the target frame and the two
// status texts of the selected area. Every change the user makes in a field is written into the
// area and the page at once, as one undo step. With no area selected the form is empty and disabled.
#pragma once

#include "document/mapdocument.h"
#include "views/edittarget.h"

#include <QScrollArea>

#include <array>
#include <string>

class QComboBox;
class QGroupBox;
class QLineEdit;

namespace mapwright {

class CAreaForm : public QScrollArea, public CView, public CEditTarget {
    Q_OBJECT
public:
    // The single-line fields.
    enum EField { kUrl, kAltText, kMouseOver, kMouseOut, kTitle, kFieldCount };

    // The narrowest width, in pixels, that the controls are laid out for.
    static constexpr int kMinLayoutWidth = 108;

    // Creates the form for document, adds its entry to the document tab list and shows the selection.
    explicit CAreaForm(CMapDocument* document, QWidget* parent = nullptr);
    // Removes the form's entry from the document tab list.
    ~CAreaForm() override;

    // The width the form opens at: a link of about 30 characters and the target list's longest
    // entry show whole.
    int PreferredWidth() const;

    // Shows the selected area; every notification reaches here except the form's own.
    void OnUpdate(CView* sender, const CChangeNotice& notice) override;

    // The frame's active view changed: when the form becomes active the tab bars are redrawn.
    void OnActivateView(bool activate);

    // Copy, Cut (Delete area) and Paste of the text of the field that has the focus; nothing when
    // no field of the form has it.
    void OnEditCopy() override;
    void OnEditCut() override;
    void OnEditPaste() override;
    // Enabling of Copy and Cut: a selection in the focused field.
    CCommandState OnUpdateEditCopyCut() const override;
    // Enabling of Paste: whether the clipboard holds text.
    CCommandState OnUpdateEditPaste() const override;

    QLineEdit* Field(EField field) const { return m_fields[field]; }
    QLineEdit* CoordsField() const { return m_pCoords; }
    QComboBox* TargetCombo() const { return m_comboTarget; }

protected:
    bool viewportEvent(QEvent* event) override;

private:
    CMapDocument* Document() const;
    void CreateControls();
    void OnInitialUpdate();
    void LayOut();

    // Moves the four member strings to the edits (false) or the edits' texts to the members (true).
    void UpdateData(bool saveAndValidate);
    QString& Member(EField field);
    void ShowTarget(const QString& target, const std::string& storedTarget);
    // Several areas are selected: each field shows the value they share, else stays empty with
    // a placeholder that says so.
    void ShowSeveral(const CMapDocument& doc);
    // Marks the fields whose values differ among the selected areas.
    void ShowPlaceholders(const std::vector<CMapArea*>& selected);

    void OnChangeField(EField field);
    // The coordinates field was left or confirmed: a valid list is written, anything else is
    // shown as refused and writes nothing.
    void OnCoordsEntered();
    // Shows the coordinates of area (none when null) in the field, as not refused.
    void ShowCoords(const CMapArea* area);
    void OnEditChangeTarget();
    void OnSelChangeTarget(int index);
    // Stores text into the attribute of the selected area and runs the edit protocol, unless
    // there is no selected area or the attribute already holds exactly that text.
    void WriteBack(std::string CMapArea::*attribute, const QString& text);

    // The form's field or the combo box's edit field when it has the focus, else null.
    QLineEdit* FocusedField() const;

    QComboBox* m_comboTarget = nullptr;
    QString m_strUrl;
    QString m_strAltText;
    QString m_strMouseOver;
    QString m_strMouseOut;
    QString m_strTitle;

    QWidget* m_pForm = nullptr;  // the controls, scrolled when the pane is smaller than they need
    std::array<QLineEdit*, kFieldCount> m_fields{};
    std::array<QGroupBox*, 3> m_groups{};
    // The selected area's coordinates as COORDS holds them; written when left or on Enter.
    QLineEdit* m_pCoords = nullptr;
    int m_nFormHeight = 0;
};

}  // namespace mapwright
