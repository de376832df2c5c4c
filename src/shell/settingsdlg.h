// The Settings dialog: the colours of the selected and the other areas, the text pane's font
// and the browser of the browser test. It edits copies of the settings; only OK writes them back.
#pragma once

#include "platform/appsettings.h"

#include <QDialog>

#include <string>

class QCheckBox;
class QSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace mapwright {

class CColorSwatch;

class CSettingsDlg : public QDialog {
    Q_OBJECT
public:
    // Takes copies of the settings and shows them.
    explicit CSettingsDlg(QWidget* parent = nullptr);

    // Shows the dialog modally; on OK the settings take the dialog's values. Returns whether OK
    // was chosen: then the caller updates every open document.
    static bool EditSettings(QWidget* parent);

    // Writes the working copies into the settings, the view font remade from the font record.
    void StoreSettings() const;

    // The working copies.
    CColorRef m_clrPassive = 0;
    CColorRef m_clrActive = 0;
    CLogFontRecord m_logFont;
    bool m_bUseDefaultBrowser = false;
    std::string m_strBrowserPath;
    bool m_bShowGrid = false;
    bool m_bSnapToGrid = false;
    int m_nGridStep = kDefaultGridStep;

    // Takes the controls into the working copies, then closes with OK.
    void accept() override;

private:
    void CreateControls();
    // Shows the working copies in the controls, with the browser path enabled as the check box says.
    void LoadControls();
    // Takes the path field and the check box into the working copies.
    void SaveControls();
    void EnableBrowserPath(bool enable);

    void OnChangeActiveColor();
    void OnChangePassiveColor();
    void OnBrowse();
    void OnChooseFont();
    void OnUseDefaultBrowserClicked();
    // Shows the colour dialog starting at color; on OK color takes the choice.
    void ChooseColor(CColorRef& color);

    CColorSwatch* m_pActiveSwatch = nullptr;
    CColorSwatch* m_pPassiveSwatch = nullptr;
    QPushButton* m_pChangeActive = nullptr;
    QPushButton* m_pChangePassive = nullptr;
    QLabel* m_pPathLabel = nullptr;
    QLineEdit* m_pPathEdit = nullptr;
    QToolButton* m_pBrowseButton = nullptr;
    QCheckBox* m_pUseDefaultBrowser = nullptr;
    QPushButton* m_pChooseFont = nullptr;
    QCheckBox* m_pShowGrid = nullptr;
    QCheckBox* m_pSnapToGrid = nullptr;
    QSpinBox* m_pGridStep = nullptr;
};

}  // namespace mapwright
