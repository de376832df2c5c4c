#include "shell/settingsdlg.h"

#include "platform/logfont.h"
#include "shell/colorswatch.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QToolButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace mapwright {

namespace {

QColor ToQColor(CColorRef color)
{
    return QColor(int(color & 0xFF), int(color >> 8 & 0xFF), int(color >> 16 & 0xFF));
}

CColorRef ToColorRef(const QColor& color)
{
    return MakeColorRef(color.red(), color.green(), color.blue());
}

QString DecodePath(const std::string& path)
{
    return QFile::decodeName(QByteArray(path.data(), qsizetype(path.size())));
}

std::string EncodePath(const QString& path)
{
    const QByteArray encoded = QFile::encodeName(path);
    return std::string(encoded.constData(), std::size_t(encoded.size()));
}

// Whether the file dialog can start at path: a name without control characters in a folder
// that exists. Any other path starts the dialog with an empty name.
bool IsAcceptableInitialName(const QString& path)
{
    for (const QChar c : path) {
        if (c.category() == QChar::Other_Control)
            return false;
    }
    const QFileInfo info(path);
    return info.isRelative() || info.absoluteDir().exists();
}

// Lets through folders and the files this user may run, for the "Programs" filter.
class CProgramFilter : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void SetProgramsOnly(bool programsOnly)
    {
        m_bProgramsOnly = programsOnly;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!m_bProgramsOnly || !files)
            return true;
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        return info.isDir() || info.isExecutable();
    }

private:
    bool m_bProgramsOnly = true;
};

}  // namespace

CSettingsDlg::CSettingsDlg(QWidget* parent) : QDialog(parent)
{
    const CAppSettings& settings = AppSettings();
    m_clrPassive = settings.m_clrPassive;
    m_clrActive = settings.m_clrActive;
    m_logFont = settings.m_viewerLogFont;
    m_bUseDefaultBrowser = settings.m_bUseDefaultBrowser != 0;
    m_strBrowserPath = settings.m_strBrowserPath;
    m_bShowGrid = settings.m_bShowGrid != 0;
    m_bSnapToGrid = settings.m_bSnapToGrid != 0;
    m_nGridStep = settings.m_nGridStep;

    setWindowTitle(tr("Settings"));
    CreateControls();
    LoadControls();
}

bool CSettingsDlg::EditSettings(QWidget* parent)
{
    CSettingsDlg dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.StoreSettings();
    return true;
}

void CSettingsDlg::CreateControls()
{
    m_pActiveSwatch = new CColorSwatch(this);
    m_pActiveSwatch->setObjectName("activeSwatch");
    m_pChangeActive = new QPushButton(tr("Change..."), this);
    m_pChangeActive->setObjectName("changeActive");
    m_pPassiveSwatch = new CColorSwatch(this);
    m_pPassiveSwatch->setObjectName("passiveSwatch");
    m_pChangePassive = new QPushButton(tr("Change..."), this);
    m_pChangePassive->setObjectName("changePassive");

    auto* colors = new QGridLayout;
    colors->addWidget(new QLabel(tr("Active area color:"), this), 0, 0);
    colors->addWidget(m_pActiveSwatch, 0, 1);
    colors->addWidget(m_pChangeActive, 0, 2);
    colors->addWidget(new QLabel(tr("Passive area color:"), this), 1, 0);
    colors->addWidget(m_pPassiveSwatch, 1, 1);
    colors->addWidget(m_pChangePassive, 1, 2);
    colors->setColumnStretch(1, 1);

    auto* browser = new QGroupBox(tr(" Browser "), this);
    m_pPathLabel = new QLabel(tr("Path:"), browser);
    m_pPathLabel->setObjectName("pathLabel");
    m_pPathEdit = new QLineEdit(browser);
    m_pPathEdit->setObjectName("pathEdit");
    // Room for a full path such as /usr/lib/chromium/chromium.
    m_pPathEdit->setMinimumWidth(m_pPathEdit->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 32);
    m_pPathLabel->setBuddy(m_pPathEdit);
    m_pBrowseButton = new QToolButton(browser);
    m_pBrowseButton->setObjectName("browseButton");
    m_pBrowseButton->setText(tr("..."));
    // The text shows only where the icon cannot be drawn.
    m_pBrowseButton->setIcon(QIcon(":/icons/browse.svg"));
    m_pBrowseButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_pBrowseButton->setToolTip(tr("Choose the browser program"));
    m_pBrowseButton->setAccessibleName(tr("Browse"));
    m_pUseDefaultBrowser = new QCheckBox(tr("Use default browser"), browser);
    m_pUseDefaultBrowser->setObjectName("useDefaultBrowser");

    auto* browserLayout = new QGridLayout(browser);
    browserLayout->addWidget(m_pPathLabel, 0, 0);
    browserLayout->addWidget(m_pPathEdit, 0, 1);
    browserLayout->addWidget(m_pBrowseButton, 0, 2);
    browserLayout->addWidget(m_pUseDefaultBrowser, 1, 0, 1, 3);

    m_pChooseFont = new QPushButton(tr("Choose font for the view window..."), this);
    m_pChooseFont->setObjectName("chooseFont");

    auto* grid = new QGroupBox(tr("Grid"), this);
    m_pShowGrid = new QCheckBox(tr("Show grid"), grid);
    m_pShowGrid->setObjectName("showGrid");
    m_pSnapToGrid = new QCheckBox(tr("Snap to grid"), grid);
    m_pSnapToGrid->setObjectName("snapToGrid");
    m_pGridStep = new QSpinBox(grid);
    m_pGridStep->setObjectName("gridStep");
    m_pGridStep->setRange(kMinGridStep, kMaxGridStep);
    m_pGridStep->setSuffix(tr(" pixels"));
    auto* stepLabel = new QLabel(tr("Grid spacing:"), grid);
    stepLabel->setBuddy(m_pGridStep);
    auto* gridLayout = new QGridLayout(grid);
    gridLayout->addWidget(stepLabel, 0, 0);
    gridLayout->addWidget(m_pGridStep, 0, 1);
    gridLayout->addWidget(m_pShowGrid, 1, 0, 1, 2);
    gridLayout->addWidget(m_pSnapToGrid, 2, 0, 1, 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(colors);
    layout->addWidget(browser);
    layout->addWidget(grid);
    layout->addWidget(m_pChooseFont, 0, Qt::AlignLeft);
    layout->addStretch();
    layout->addWidget(buttons);

    setTabOrder(m_pChangeActive, m_pChangePassive);
    setTabOrder(m_pChangePassive, m_pPathEdit);
    setTabOrder(m_pPathEdit, m_pBrowseButton);
    setTabOrder(m_pBrowseButton, m_pUseDefaultBrowser);
    setTabOrder(m_pUseDefaultBrowser, m_pGridStep);
    setTabOrder(m_pGridStep, m_pShowGrid);
    setTabOrder(m_pShowGrid, m_pSnapToGrid);
    setTabOrder(m_pSnapToGrid, m_pChooseFont);

    connect(m_pChangeActive, &QPushButton::clicked, this, &CSettingsDlg::OnChangeActiveColor);
    connect(m_pChangePassive, &QPushButton::clicked, this, &CSettingsDlg::OnChangePassiveColor);
    connect(m_pBrowseButton, &QToolButton::clicked, this, &CSettingsDlg::OnBrowse);
    connect(m_pChooseFont, &QPushButton::clicked, this, &CSettingsDlg::OnChooseFont);
    connect(m_pUseDefaultBrowser, &QCheckBox::clicked, this, &CSettingsDlg::OnUseDefaultBrowserClicked);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CSettingsDlg::LoadControls()
{
    m_pActiveSwatch->SetColor(ToQColor(m_clrActive));
    m_pPassiveSwatch->SetColor(ToQColor(m_clrPassive));
    m_pPathEdit->setText(DecodePath(m_strBrowserPath));
    m_pUseDefaultBrowser->setChecked(m_bUseDefaultBrowser);
    EnableBrowserPath(!m_bUseDefaultBrowser);
    m_pShowGrid->setChecked(m_bShowGrid);
    m_pSnapToGrid->setChecked(m_bSnapToGrid);
    m_pGridStep->setValue(m_nGridStep);
}

void CSettingsDlg::SaveControls()
{
    m_strBrowserPath = EncodePath(m_pPathEdit->text());
    m_bUseDefaultBrowser = m_pUseDefaultBrowser->isChecked();
    m_bShowGrid = m_pShowGrid->isChecked();
    m_bSnapToGrid = m_pSnapToGrid->isChecked();
    m_nGridStep = m_pGridStep->value();
}

void CSettingsDlg::EnableBrowserPath(bool enable)
{
    m_pPathLabel->setEnabled(enable);
    m_pPathEdit->setEnabled(enable);
    m_pBrowseButton->setEnabled(enable);
}

void CSettingsDlg::accept()
{
    SaveControls();
    QDialog::accept();
}

void CSettingsDlg::StoreSettings() const
{
    CAppSettings& settings = AppSettings();
    settings.m_clrActive = m_clrActive;
    settings.m_clrPassive = m_clrPassive;
    settings.m_strBrowserPath = m_strBrowserPath;
    settings.m_bUseDefaultBrowser = m_bUseDefaultBrowser ? 1 : 0;
    settings.m_bShowGrid = m_bShowGrid ? 1 : 0;
    settings.m_bSnapToGrid = m_bSnapToGrid ? 1 : 0;
    settings.m_nGridStep = m_nGridStep;
    ApplyViewerLogFont(settings, m_logFont, ScreenDpiY());
}

void CSettingsDlg::OnUseDefaultBrowserClicked()
{
    EnableBrowserPath(!m_pUseDefaultBrowser->isChecked());
}

void CSettingsDlg::ChooseColor(CColorRef& color)
{
    const QColor chosen = QColorDialog::getColor(ToQColor(color), this);
    if (chosen.isValid())
        color = ToColorRef(chosen);
    m_pActiveSwatch->SetColor(ToQColor(m_clrActive));
    m_pPassiveSwatch->SetColor(ToQColor(m_clrPassive));
}

void CSettingsDlg::OnChangeActiveColor()
{
    ChooseColor(m_clrActive);
}

void CSettingsDlg::OnChangePassiveColor()
{
    ChooseColor(m_clrPassive);
}

void CSettingsDlg::OnChooseFont()
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, FontFromLogFont(m_logFont, ScreenDpiY()), this);
    if (ok)
        m_logFont = LogFontFromFont(chosen, ScreenDpiY());
}

void CSettingsDlg::OnBrowse()
{
    SaveControls();
    const QString stored = DecodePath(m_strBrowserPath);

    QFileDialog dialog(this);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // Qt's own dialog, since a desktop's dialog would ignore the filter of programs.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* filter = new CProgramFilter(&dialog);
    dialog.setProxyModel(filter);
    const QString programs = tr("Programs (*)");
    dialog.setNameFilters({programs, tr("All Files (*)")});
    connect(&dialog, &QFileDialog::filterSelected, filter,
            [filter, programs](const QString& selected) { filter->SetProgramsOnly(selected == programs); });
    if (!stored.isEmpty() && IsAcceptableInitialName(stored))
        dialog.selectFile(stored);

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    m_strBrowserPath = EncodePath(dialog.selectedFiles().constFirst());
    LoadControls();
}

}  // namespace mapwright
