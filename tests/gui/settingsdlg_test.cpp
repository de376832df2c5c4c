#include "platform/logfont.h"
#include "shell/colorswatch.h"
#include "shell/settingsdlg.h"

#include <QAbstractProxyModel>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <functional>

using namespace mapwright;

namespace {

// Acts on the next modal dialog of type Dialog; act must close it. Any other modal window is
// closed, so that a failing test never hangs in exec().
template <class Dialog>
void OnNextModal(std::function<void(Dialog*)> act)
{
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<Dialog*>(modal))
            act(dialog);
        else if (modal)
            modal->close();
    });
}

void SetStartingSettings()
{
    CAppSettings& settings = AppSettings();
    settings.m_clrActive = MakeColorRef(255, 0, 0);
    settings.m_bShowGrid = 0;
    settings.m_bSnapToGrid = 0;
    settings.m_nGridStep = kDefaultGridStep;
    settings.m_clrPassive = MakeColorRef(0, 255, 0);
    settings.m_bUseDefaultBrowser = 1;
    settings.m_strBrowserPath = "/opt/browser/run";
    ApplyViewerLogFont(settings, DefaultViewerLogFont(96), 96);
}

// What the user did in one showing of the Settings dialog, and what it showed meanwhile.
struct CSession {
    QColor swatchAfterChange;
    QFont chosenFont;
};

// Changes the active colour to blue and the font, unchecks "Use default browser" and types a
// path, then closes the dialog with OK or Cancel.
void EditEverything(CSettingsDlg* dialog, CSession& session, bool ok)
{
    OnNextModal<QColorDialog>([](QColorDialog* colors) {
        colors->setCurrentColor(QColor(0, 0, 255));
        colors->accept();
    });
    dialog->findChild<QPushButton*>("changeActive")->click();
    session.swatchAfterChange = dialog->findChild<CColorSwatch*>("activeSwatch")->Color();

    OnNextModal<QFontDialog>([&session](QFontDialog* fonts) {
        fonts->setCurrentFont(QFont("DejaVu Sans Mono", 14));
        session.chosenFont = fonts->currentFont();
        fonts->accept();
    });
    dialog->findChild<QPushButton*>("chooseFont")->click();

    dialog->findChild<QCheckBox*>("useDefaultBrowser")->click();
    dialog->findChild<QLineEdit*>("pathEdit")->setText("/usr/bin/chromium");
    dialog->findChild<QCheckBox*>("showGrid")->click();
    dialog->findChild<QCheckBox*>("snapToGrid")->click();
    dialog->findChild<QSpinBox*>("gridStep")->setValue(16);
    if (ok)
        dialog->accept();
    else
        dialog->reject();
}

}  // namespace

class CSettingsDlgTest : public QObject {
    Q_OBJECT
private slots:
    void init() { SetStartingSettings(); }
    void CheckBoxDisablesThePathControls();
    void SwatchIsOutlinedOnePixelInside();
    void CancelDiscardsEveryChangeAndOkKeepsThem();
    void BrowseStartsAtAnAcceptablePathAndListsPrograms();
};

void CSettingsDlgTest::CheckBoxDisablesThePathControls()
{
    CSettingsDlg dialog;
    auto* check = dialog.findChild<QCheckBox*>("useDefaultBrowser");
    const QList<QWidget*> pathControls = {dialog.findChild<QLabel*>("pathLabel"),
                                          dialog.findChild<QLineEdit*>("pathEdit"),
                                          dialog.findChild<QToolButton*>("browseButton")};
    const auto enabledCount = [&] { return std::count_if(pathControls.begin(), pathControls.end(),
                                                         [](QWidget* w) { return w->isEnabled(); }); };
    QVERIFY(check->isChecked());
    QCOMPARE(enabledCount(), 0);
    QCOMPARE(dialog.findChild<QLineEdit*>("pathEdit")->text(), QString("/opt/browser/run"));

    dialog.show();
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(4, check->height() / 2));
    QVERIFY(!check->isChecked());
    QCOMPARE(enabledCount(), 3);
    check->click();
    QCOMPARE(enabledCount(), 0);

    AppSettings().m_bUseDefaultBrowser = 0;
    CSettingsDlg unchecked;
    QVERIFY(!unchecked.findChild<QCheckBox*>("useDefaultBrowser")->isChecked());
    QVERIFY(unchecked.findChild<QToolButton*>("browseButton")->isEnabled());
}

void CSettingsDlgTest::SwatchIsOutlinedOnePixelInside()
{
    AppSettings().m_clrPassive = MakeColorRef(10, 20, 200);
    CSettingsDlg dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* swatch = dialog.findChild<CColorSwatch*>("passiveSwatch");
    const QImage image = swatch->grab().toImage();
    const int right = image.width() - 1;
    const int bottom = image.height() - 1;
    const QColor outline = swatch->palette().color(QPalette::WindowText);
    const QColor background = swatch->palette().color(QPalette::Window);
    QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 2), QColor(10, 20, 200));
    QCOMPARE(image.pixelColor(2, 2), QColor(10, 20, 200));
    QCOMPARE(image.pixelColor(1, 1), outline);
    QCOMPARE(image.pixelColor(right - 1, bottom - 1), outline);
    QCOMPARE(image.pixelColor(0, 0), background);
    QCOMPARE(image.pixelColor(right, bottom), background);
}

void CSettingsDlgTest::CancelDiscardsEveryChangeAndOkKeepsThem()
{
    const QByteArray startFont = LogFontToBytes(AppSettings().m_viewerLogFont);
    CSession cancelled;
    OnNextModal<CSettingsDlg>([&](CSettingsDlg* dialog) { EditEverything(dialog, cancelled, false); });
    QVERIFY(!CSettingsDlg::EditSettings(nullptr));
    QCOMPARE(cancelled.swatchAfterChange, QColor(0, 0, 255));
    const CAppSettings& settings = AppSettings();
    QCOMPARE(settings.m_clrActive, MakeColorRef(255, 0, 0));
    QCOMPARE(settings.m_bUseDefaultBrowser, 1);
    QCOMPARE(settings.m_strBrowserPath, std::string("/opt/browser/run"));
    QCOMPARE(LogFontToBytes(settings.m_viewerLogFont), startFont);
    QCOMPARE(settings.SnapStep(), 0);
    QCOMPARE(settings.m_nGridStep, kDefaultGridStep);

    CSession confirmed;
    OnNextModal<CSettingsDlg>([&](CSettingsDlg* dialog) { EditEverything(dialog, confirmed, true); });
    QVERIFY(CSettingsDlg::EditSettings(nullptr));
    QCOMPARE(settings.m_clrActive, MakeColorRef(0, 0, 255));
    QCOMPARE(settings.m_clrPassive, MakeColorRef(0, 255, 0));
    QCOMPARE(settings.m_bUseDefaultBrowser, 0);
    QCOMPARE(settings.m_strBrowserPath, std::string("/usr/bin/chromium"));
    QCOMPARE(settings.m_bShowGrid, 1);
    QCOMPARE(settings.SnapStep(), 16);
    // The record describes the chosen font, and the view font is made from the record.
    QCOMPARE(QString(settings.m_viewerLogFont.lfFaceName), confirmed.chosenFont.family());
    QCOMPARE(settings.m_viewFont.family(), confirmed.chosenFont.family());
    QCOMPARE(settings.m_viewFont.pointSize(), confirmed.chosenFont.pointSize());
    QVERIFY(LogFontToBytes(settings.m_viewerLogFont) != startFont);
}

void CSettingsDlgTest::BrowseStartsAtAnAcceptablePathAndListsPrograms()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString program = folder.path() + "/browser";
    QFile(program).open(QIODevice::WriteOnly);
    QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
    QFile(folder.path() + "/notes.txt").open(QIODevice::WriteOnly);

    struct CShown {
        QString fileName;
        QStringList listed;
    };
    // Shows the browse dialog from a dialog holding path; picks chosen, or cancels when it is empty.
    const auto browse = [](const QString& path, const QString& chosen, CShown& shown) {
        AppSettings().m_bUseDefaultBrowser = 0;
        CSettingsDlg dialog;
        dialog.findChild<QLineEdit*>("pathEdit")->setText(path);
        OnNextModal<QFileDialog>([&](QFileDialog* files) {
            shown.fileName = files->findChild<QLineEdit*>("fileNameEdit")->text();
            // The files of the dialog's folder that pass its filter, once they are read.
            QAbstractProxyModel* shownFiles = files->proxyModel();
            const auto* allFiles = static_cast<QFileSystemModel*>(shownFiles->sourceModel());
            const QString folder = files->directory().path();
            // A folder not read in time shows up as missing names in the list the test checks.
            (void)QTest::qWaitFor([&] { return allFiles->rowCount(allFiles->index(folder)) >= 2; }, 3000);
            const QModelIndex root = shownFiles->mapFromSource(allFiles->index(folder));
            for (int row = 0; row < shownFiles->rowCount(root); ++row)
                shown.listed << shownFiles->index(row, 0, root).data().toString();
            if (chosen.isEmpty()) {
                files->reject();
                return;
            }
            files->findChild<QLineEdit*>("fileNameEdit")->setText(chosen);
            static_cast<QDialog*>(files)->accept();
        });
        dialog.findChild<QToolButton*>("browseButton")->click();
        return dialog.findChild<QLineEdit*>("pathEdit")->text();
    };

    CShown acceptable;
    QCOMPARE(browse(folder.path() + "/old-browser", program, acceptable), program);
    QCOMPARE(acceptable.fileName, QString("old-browser"));
    QCOMPARE(acceptable.listed, QStringList({"browser"}));

    CShown unacceptable;
    QCOMPARE(browse(folder.path() + "/gone/browser\n", {}, unacceptable), folder.path() + "/gone/browser\n");
    QCOMPARE(unacceptable.fileName, QString());
}

QTEST_MAIN(CSettingsDlgTest)
#include "settingsdlg_test.moc"
