#include "gui/menuentries.h"
#include "gui/shellfixture.h"
#include "support/recordingview.h"
#include "platform/logfont.h"
#include "platform/settingsstore.h"
#include "shell/commandids.h"
#include "shell/doctablist.h"
#include "shell/droppedfile.h"
#include "shell/instancechannel.h"
#include "shell/zoomcombobox.h"
#include "shell/documentwindow.h"
#include "views/canvasview.h"
#include "views/htmlpane.h"
#include "views/canvasview.h"
#include "views/areaform.h"
#include "views/htmlpane.h"

#include <QAction>
#include <QMenuBar>
#include <QDialog>
#include <QFontMetricsF>
#include <QLabel>
#include <QMimeData>
#include <QProcess>
#include <QSettings>
#include <QToolBar>
#include <QTemporaryDir>
#include <QTimer>

#include <unistd.h>

using namespace mapwright;

class CShellTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void DroppedNamesFollowTheNameRule();
    void DroppedFilesOpenInOrderAndFailuresStopNothing();
    void FilesDroppedAnywhereInTheWindowOpenButTextDropsStayText();
    void TheCanvasReachesTheZoomBoxAndTheStatusBar();
    void SettingsRedrawTheAskingDocumentAndOnOkEveryDocument();
    void AnArgumentThatDoesNotExistGivesCannotOpen();
    void ASecondStartHandsItsFileOver();
    void DocumentMenuShowsWhileADocumentWindowIsActive();
    void ActivationShowsTheScaleAndTheLastCloseResetsTheZoomBox();
    void CloseRequestWritesTheSettingsEvenWhenCancelled();
    void BadStoredValuesStartWithDefaults();
    void PlacementComesBackMaximizedOrAtItsRectangle();
    void SaveAsNamesANewDocumentAndSaveAllSavesOnlyTheModified();
    void SavingAReadOnlyPageSaysWhyAndReplacingItAsksAgain();
    void NewWindowSharesTheTitleAndOnlyTheLastWindowAsks();
    void OpenDialogOpensEveryChosenFileAndAnOpenFileIsActivated();
    void ARecentFileThatCannotBeOpenedLeavesTheList();

private:
    std::unique_ptr<CShellFixture> m_fixture;
};

void CShellTest::init()
{
    m_fixture = std::make_unique<CShellFixture>();
    QVERIFY(m_fixture->folder.ok());
}

void CShellTest::cleanup()
{
    m_fixture.reset();
}

void CShellTest::DroppedNamesFollowTheNameRule()
{
    const struct {
        const char* path;
        bool image;
    } names[] = {
        {"/maps/photo.jpeg.htm", false}, {"/maps/map.gifs", true},    {"/maps/README", false},
        {"/maps/PIC.JPG", true},         {"/maps/a.Png", true},       {"/maps/page.html", false},
        {"/maps/gifs.d/readme", false},  {"C:\\web\\logo.gif", true}, {"/maps/.jpeg", true},
    };
    for (const auto& name : names)
        QVERIFY2(IsDroppedImage(name.path) == name.image, name.path);
}

void CShellTest::DroppedFilesOpenInOrderAndFailuresStopNothing()
{
    CShellFixture& f = *m_fixture;
    const QString page = f.WritePage("page.htm");
    const QString picture = f.WritePicture("other.png");
    QDir(f.Path("")).mkdir("folder");
    QFile::link(f.Path("gone.htm"), f.Path("dangling.htm"));
    f.Start();

    f.Frame().OnDropFiles({f.Path("folder"), page, f.Path("dangling.htm"), picture});

    const std::vector<CMapDocument*> documents = f.Manager().Documents();
    QCOMPARE(documents.size(), std::size_t(2));
    QCOMPARE(CShellFixture::Title(*documents[0]), QString("page.htm"));
    QCOMPARE(CShellFixture::Title(*documents[1]), QString("Mapwright1"));
    QCOMPARE(QString::fromStdString(documents[1]->Page().strImagePath), picture);
    QCOMPARE(QString::fromStdString(documents[1]->Page().strImageName), QString("other.png"));
    // A dropped picture is taken as it is: no image dialog.
    QVERIFY(f.prompt.m_dialogPaths.empty());
    QCOMPARE(f.Frame().ImageChoice().m_bPromptForImage, 1);
    QCOMPARE(f.Frame().ActiveDocument(), documents[1]);

    QCOMPARE(f.prompt.m_messages.size(), std::size_t(2));
    QCOMPARE(f.prompt.m_messages[0].text, "Cannot open " + f.folder.File("folder") + ":\nIs a directory.");
    QCOMPARE(f.prompt.m_messages[1].text, "Cannot open " + f.folder.File("dangling.htm") + ":\nNo such file or directory.");
}

void CShellTest::FilesDroppedAnywhereInTheWindowOpenButTextDropsStayText()
{
    CShellFixture& f = *m_fixture;
    f.Start().OnShellOpen({f.WritePage("page.htm")});
    const QString other = f.WritePage("other.htm", "other.png");
    QWidget* textPane = f.Frames()[0]->TextPane()->viewport();

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(other)});
    files.setText(other);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(textPane, &enter);
    QVERIFY(enter.isAccepted());
    QCOMPARE(enter.dropAction(), Qt::CopyAction);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction | Qt::MoveAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(textPane, &drop);
    QTRY_COMPARE(f.Manager().Documents().size(), std::size_t(2));
    // The text pane did not take the file's name as typed text.
    QVERIFY(!f.Manager().Documents()[0]->IsModified());

    QMimeData text;
    text.setText("<AREA>");
    QDragEnterEvent textEnter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.Frame().MdiArea()->viewport(), &textEnter);
    QVERIFY(!textEnter.isAccepted());
}

void CShellTest::TheCanvasReachesTheZoomBoxAndTheStatusBar()
{
    CShellFixture& f = *m_fixture;
    f.Start();
    f.Frame().resize(900, 700);
    f.app->OnShellOpen({f.WritePage("page.htm")});
    QWidget* canvas = f.Frames()[0]->Canvas()->viewport();
    QTest::qWait(20);

    f.Run(ID_TOOL_ZOOM);
    QTest::mouseClick(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QCOMPARE(f.Frame().ActiveDocument()->Display().dZoom, 2.0);
    QCOMPARE(f.Frame().ZoomBox()->currentText(), QString("200%"));

    f.Run(ID_TOOL_POLY);
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QCOMPARE(f.Frame().StatusPane()->text(), QString("For finish drawing press right mouse button."));
    QTest::mouseClick(canvas, Qt::RightButton, Qt::NoModifier, QPoint(40, 20));
    QCOMPARE(f.Frame().StatusPane()->text(), QString());

    // The pointer's pixel and the selection's box.
    QTest::mouseMove(canvas, QPoint(21, 13));
    QCOMPARE(f.Frame().PointerPane()->text(), QString("10, 6"));

    // Keyboard alone: the tools' letters on the picture, Tab through the areas; in the text pane
    // a letter stays a letter.
    CCanvasView* view = f.Frames()[0]->Canvas();
    CMapDocument& document = *f.Frame().ActiveDocument();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_R);
    QCOMPARE(document.Display().nTool, kToolRect);
    QTest::keyClick(view, Qt::Key_S);
    QCOMPARE(document.Display().nTool, kToolSelect);
    document.ClearSelection();
    QTest::keyClick(view, Qt::Key_Tab);
    QCOMPARE(document.GetSelectedIndex(), 1);
    QVERIFY(view->hasFocus());
    QTRY_COMPARE(f.Frame().SelectionPane()->text(), QString("1, 1, 4 \u00d7 4"));
    QTest::keyClick(view, Qt::Key_Backtab);
    QCOMPARE(document.GetSelectedIndex(), 2);  // the polygon drawn above, the last area
    f.Frames()[0]->TextPane()->setFocus();
    const CLines before = document.Lines();
    QTest::keyClick(f.Frames()[0]->TextPane(), Qt::Key_C);
    QCOMPARE(document.Display().nTool, kToolSelect);
    QVERIFY(document.Lines() != before);
}

void CShellTest::SettingsRedrawTheAskingDocumentAndOnOkEveryDocument()
{
    CShellFixture& f = *m_fixture;
    f.Start().OnShellOpen({f.WritePage("one.htm"), f.WritePage("two.htm", "two.png")});
    CRecordingView first;
    CRecordingView second;
    f.Manager().Documents()[0]->AddView(&first);
    f.Manager().Documents()[1]->AddView(&second);

    // The dialog is closed by a timer (Cancel, then OK); every check comes after it is gone.
    const auto runSettings = [&f](bool confirm) {
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [confirm] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                confirm ? dialog->accept() : dialog->reject();
        });
        closer.start(10);
        f.Run(ID_SETTINGS);
    };
    runSettings(false);
    QCOMPARE(first.m_updates.size(), std::size_t(0));
    QCOMPARE(second.m_updates.size(), std::size_t(1));
    runSettings(true);
    QCOMPARE(first.m_updates.size(), std::size_t(1));
    QCOMPARE(second.m_updates.size(), std::size_t(3));
    f.Manager().Documents()[0]->RemoveView(&first);
    f.Manager().Documents()[1]->RemoveView(&second);
}

void CShellTest::AnArgumentThatDoesNotExistGivesCannotOpen()
{
    CShellFixture& f = *m_fixture;
    f.Start().OnShellOpen({f.Path("missing.htm")});
    QCOMPARE(f.prompt.m_messages.size(), std::size_t(1));
    QCOMPARE(f.prompt.m_messages[0].text, "Cannot open " + f.folder.File("missing.htm") + ":\nNo such file or directory.");
    QVERIFY(f.Manager().Documents().empty());
    QVERIFY(f.Frame().Menus(EMenuSet::kNoDocument)[0]->menuAction() == f.Frame().menuBar()->actions().value(0));
}

void CShellTest::ASecondStartHandsItsFileOver()
{
    CShellFixture& f = *m_fixture;
    const QString page = f.WritePage("page.htm");
    // The second start finds the first through the user's runtime folder, private to the user.
    QTemporaryDir runtime;
    QVERIFY(runtime.isValid());
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    CAppOptions options;
    options.strSettingsPath = f.SettingsPath();
    options.strServerName = CInstanceChannel::DefaultServerName();
    options.pPrompt = &f.prompt;
    options.pFilePrompt = &f.files;
    f.app = std::make_unique<CMapwrightApp>(options);
    QVERIFY(f.app->InitInstance());

    QProcess second;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("HOME", f.Path(""));
    second.setProcessEnvironment(environment);
    second.setWorkingDirectory(f.Path(""));
    second.start(MAPWRIGHT_EDITOR_PATH, {"page.htm"});
    QVERIFY(second.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 20000);
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QTRY_COMPARE(f.Manager().Documents().size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(f.Manager().Documents()[0]->GetPathName()), page);
    qunsetenv("XDG_RUNTIME_DIR");
}

void CShellTest::DocumentMenuShowsWhileADocumentWindowIsActive()
{
    CShellFixture& f = *m_fixture;
    const auto shownMenus = [&f](QStringList& titles) {
        QList<QMenu*> menus;
        titles.clear();
        for (QAction* shown : f.Frame().menuBar()->actions()) {
            titles << shown->text();
            menus << shown->menu();
        }
        return menus;
    };
    QStringList titles;
    f.Start();
    f.Frame().UpdateActions();
    QList<QMenu*> menus = shownMenus(titles);
    QCOMPARE(titles, QStringList({"&File", "&View", "&Help"}));
    QCOMPARE(Entries(menus[0]), QStringList({"&New Map...\tCtrl+N [Ctrl+N]", "&Open Map\tCtrl+O [Ctrl+O]", "-",
                                             "Recent File", "-", "E&xit"}));
    QCOMPARE(Entries(menus[1]), QStringList({"&Toolbar", "&Status Bar", "&Problems", "&Area List"}));
    QCOMPARE(Entries(menus[2]), QStringList({"&Help Topics", "-", "&About Mapwright..."}));

    f.app->OnShellOpen({f.WritePage("page.htm")});
    f.Frame().UpdateActions();
    menus = shownMenus(titles);
    QCOMPARE(titles, QStringList({"&File", "&Edit", "&View", "&Action", "&Map", "&Window", "&Help"}));
    QCOMPARE(Entries(menus[0]),
             QStringList({"&New Map...\tCtrl+N [Ctrl+N]", "&Open Map...\tCtrl+O [Ctrl+O]", "&Close",
                          "&Save\tCtrl+S [Ctrl+S]", "Save &As...", "Save All", "-", "&1 " + f.Path("page.htm"), "-",
                          "E&xit"}));
    QCOMPARE(Entries(menus[1]),
             QStringList({"&Undo\tCtrl+Z [Ctrl+Z]", "&Redo\tCtrl+Y [Ctrl+Y]", "-", "&Copy\tCtrl+C [Ctrl+C; Ctrl+Ins]",
                          "&Paste\tCtrl+V [Ctrl+V; Shift+Ins]", "-", "Dele&te area\tCtrl+X,Del [Ctrl+X; Ctrl+D; Shift+Del]",
                          "-", "Copy &map to clipboard", "-", "&Settings...", "-", "Paste to &Pagewright\tCtrl+I [Ctrl+I]"}));
    QCOMPARE(Entries(menus[2]), QStringList({"&Toolbar", "&Status Bar", "&Problems", "&Area List", "-", "S&cale >", "-",
                                             "&Hatch areas", "Show &drag handles", "-", "&Grid", "S&nap to Grid", "-",
                                             "T&est in browser"}));
    QCOMPARE(Entries(menus[2]->actions()[5]->menu()),
             QStringList({"25%", "50%", "75%", "100%", "150%", "200%", "300%", "400%", "600%", "800%"}));
    QCOMPARE(Entries(menus[3]), QStringList({"&Select [S]", "-", "&Zoom In/Zoom Out [Z]", "-", "Add &rectangle area [R]",
                                             "Add &circle area [C]", "Add &polygon area [P]"}));
    QCOMPARE(Entries(menus[4]), QStringList({"&Replace Picture...", "&Scale Map...", "-", "&Export SVG Overlay...",
                                             "&Copy SVG Overlay", "-", "Select &All Areas [Ctrl+A]", "-", "Move Area to &Top [Home]", "Move Area &Up [PgUp]",
                                             "Move Area &Down [PgDown]", "Move Area to &Bottom [End]"}));
    menus.removeAt(4);
    QCOMPARE(Entries(menus[4]), QStringList({"&New Window", "&Cascade", "&Tile", "&Arrange Icons"}));
    QCOMPARE(Entries(menus[5]), QStringList({"&Help Topics", "-", "&About Mapwright..."}));
    // Keys without a menu entry still reach the window.
    QStringList keysOnly;
    for (QAction* action : f.Frame().actions()) {
        if (const QString keys = QKeySequence::listToString(action->shortcuts()); !keys.isEmpty())
            keysOnly << action->toolTip() + " [" + keys + "]";
    }
    QCOMPARE(keysOnly, QStringList({"Help [Shift+F1]", "Help [F1]", "Undo [Alt+Backspace]", "Next Pane [F6]",
                                    "Previous Pane [Shift+F6]"}));
    // Opened, the Window menu lists the document windows, the active one checked.
    emit menus[4]->aboutToShow();
    QCOMPARE(Entries(menus[4]).mid(4), QStringList({"-", "&1 page.htm"}));
    QVERIFY(menus[4]->actions().last()->isChecked());
    for (const int id : {ID_FILE_SAVE, ID_FILE_CLOSE, ID_SAVE_ALL, ID_TOOL_RECT, ID_SCALE_150, ID_WINDOW_NEW,
                         ID_HATCH_AREAS})
        QVERIFY2(f.Frame().Command(id)->isEnabled(), qPrintable(QString::number(id)));
    // Nothing to undo after opening; the select tool is on, the switches are on.
    QVERIFY(!f.Frame().Command(ID_EDIT_UNDO)->isEnabled());
    QVERIFY(f.Frame().Command(ID_TOOL_SELECT)->isChecked());
    QVERIFY(f.Frame().Command(ID_HATCH_AREAS)->isChecked());
    QVERIFY(f.Frame().Command(ID_SCALE_100)->isChecked());

    // The state follows the document however it changes.
    f.Run(ID_TOOL_RECT);
    QTRY_VERIFY(f.Frame().Command(ID_TOOL_RECT)->isChecked());
    QVERIFY(!f.Frame().Command(ID_TOOL_SELECT)->isChecked());
    f.Run(ID_HATCH_AREAS);
    QTRY_VERIFY(!f.Frame().Command(ID_HATCH_AREAS)->isChecked());
    // The grid switches are settings: the commands turn them and show them.
    const CAppSettings keptSettings = AppSettings();
    QVERIFY(!f.Frame().Command(ID_VIEW_GRID)->isChecked() && f.Frame().Command(ID_VIEW_GRID)->isEnabled());
    f.Run(ID_VIEW_GRID);
    f.Run(ID_SNAP_TO_GRID);
    QCOMPARE(AppSettings().m_bShowGrid, 1);
    QCOMPARE(AppSettings().SnapStep(), kDefaultGridStep);
    QTRY_VERIFY(f.Frame().Command(ID_VIEW_GRID)->isChecked() && f.Frame().Command(ID_SNAP_TO_GRID)->isChecked());
    f.Run(ID_SNAP_TO_GRID);
    QTRY_VERIFY(!f.Frame().Command(ID_SNAP_TO_GRID)->isChecked());
    AppSettings() = keptSettings;
    CShellFixture::Modify(*f.Frame().ActiveDocument());
    QTRY_VERIFY(f.Frame().Command(ID_EDIT_UNDO)->isEnabled());
    f.Run(ID_EDIT_UNDO);
    QTRY_VERIFY(!f.Frame().Command(ID_EDIT_UNDO)->isEnabled());
    QVERIFY(f.Frame().Command(ID_EDIT_REDO)->isEnabled());

    f.files.m_saveAnswers.push_back(CFilePrompt::ESaveAnswer::kNo);
    f.Run(ID_FILE_CLOSE);
    QTRY_COMPARE(f.Frame().menuBar()->actions().size(), 3);
    QCOMPARE(f.Frame().Command(ID_FILE_OPEN)->text(), QString("&Open Map\tCtrl+O"));
    QVERIFY(!f.Frame().Command(ID_FILE_SAVE)->isEnabled());
}

void CShellTest::ActivationShowsTheScaleAndTheLastCloseResetsTheZoomBox()
{
    CShellFixture& f = *m_fixture;
    f.Start().OnShellOpen({f.WritePage("one.htm"), f.WritePage("two.htm", "two.png")});
    const std::vector<CDocumentWindow*> frames = f.Frames();
    QCOMPARE(frames.size(), std::size_t(2));
    CZoomComboBox& box = *f.Frame().ZoomBox();
    QVERIFY(box.isEnabled());
    f.Run(ID_SCALE_150);
    QCOMPARE(frames[1]->GetActiveDocument()->Display().dZoom, 1.5);
    QCOMPARE(box.currentText(), QString("150%"));

    f.Frame().ActivateFrame(frames[0]);
    QCOMPARE(box.currentText(), QString("100%"));
    f.Frame().ActivateFrame(frames[1]);
    QCOMPARE(box.currentText(), QString("150%"));

    // "Close" from the tab menu of the window that is not active leaves the active one active.
    emit f.Frame().TabList()->TabCommand(ID_FILE_CLOSE, frames[0]->Form(), frames[0]->GetActiveDocument());
    QCOMPARE(f.LiveWindowCount(), 1);
    QCOMPARE(f.Frame().ActiveFrame(), frames[1]);
    QCOMPARE(box.currentText(), QString("150%"));

    f.Run(ID_FILE_CLOSE);
    QCOMPARE(f.LiveWindowCount(), 0);
    QTRY_VERIFY(!box.isEnabled());
    QCOMPARE(box.currentText(), QString("100%"));
    QCOMPARE(box.currentIndex(), 3);
    QVERIFY(f.Manager().Documents().empty());
}

void CShellTest::CloseRequestWritesTheSettingsEvenWhenCancelled()
{
    CShellFixture& f = *m_fixture;
    f.Start().OnShellOpen({f.WritePage("page.htm")});
    CMapDocument& document = *f.Frame().ActiveDocument();
    CShellFixture::Modify(document);
    AppSettings().m_clrActive = MakeColorRef(1, 2, 3);

    f.files.m_saveAnswers.push_back(CFilePrompt::ESaveAnswer::kCancel);
    QVERIFY(!f.Frame().close());
    QCOMPARE(f.files.m_saveQuestions, QStringList({f.Path("page.htm")}));
    QCOMPARE(f.Manager().Documents().size(), std::size_t(1));
    CAppSettings stored;
    CSettingsStore(f.SettingsPath()).LoadSettings(stored);
    QCOMPARE(stored.m_clrActive, MakeColorRef(1, 2, 3));

    // Closing again asks again and writes again; No closes without saving.
    AppSettings().m_clrActive = MakeColorRef(4, 5, 6);
    f.files.m_saveAnswers.push_back(CFilePrompt::ESaveAnswer::kNo);
    QVERIFY(f.Frame().close());
    QCOMPARE(f.files.m_saveQuestions.size(), 2);
    CSettingsStore(f.SettingsPath()).LoadSettings(stored);
    QCOMPARE(stored.m_clrActive, MakeColorRef(4, 5, 6));
    QCOMPARE(f.LiveWindowCount(), 0);
    QFile page(f.Path("page.htm"));
    QVERIFY(page.open(QIODevice::ReadOnly));
    QVERIFY(!page.readAll().contains("edited"));
}

void CShellTest::BadStoredValuesStartWithDefaults()
{
    CShellFixture& f = *m_fixture;
    {
        QSettings ini(f.SettingsPath(), QSettings::IniFormat);
        ini.setValue("2.0/ActiveColor", QByteArray(3, '\x10'));
        ini.setValue("2.0/PassiveColor", "green");
        ini.setValue("2.0/ViewerLogFont", QByteArray(10, 'x'));
        ini.setValue("2.0/UseDefaultBrowser", "not a number");
        ini.setValue("2.0/Mapwright/MainWindow/Pos", QByteArray(15, '\x01'));
        ini.setValue("2.0/Mapwright/MainWindow/Maximized", "yes");
        ini.setValue("2.0/Mapwright/BarInfo", QByteArray("rubbish"));
        ini.setValue("2.0/Mapwright/Recent File List/File1", 17);
    }
    f.Start();
    const CAppSettings defaults;
    QCOMPARE(AppSettings().m_clrActive, defaults.m_clrActive);
    QCOMPARE(AppSettings().m_clrPassive, defaults.m_clrPassive);
    QCOMPARE(AppSettings().m_bUseDefaultBrowser, 1);
    QVERIFY(!f.Frame().isMaximized());
    QVERIFY(f.Frame().ToolBar()->isVisible());
    QVERIFY(!f.Frame().Command(ID_FILE_MRU_FILE1)->isEnabled());

    // The text font is 10-point "Courier", or the system's fixed-pitch font where Courier is missing.
    const CLogFontRecord& record = AppSettings().m_viewerLogFont;
    QCOMPARE(record.lfHeight, -(ScreenDpiY() * 100 / 720));
    QCOMPARE(QString(record.lfFaceName), QString("Courier"));
    QVERIFY(AppSettings().m_bHasViewFont);
    // What the text pane needs is columns: narrow, wide and punctuation glyphs advance alike,
    // whatever the font file says of its pitch.
    const QFontMetricsF metrics(AppSettings().m_viewFont);
    QCOMPARE(metrics.horizontalAdvance('W'), metrics.horizontalAdvance('i'));
    QCOMPARE(metrics.horizontalAdvance('.'), metrics.horizontalAdvance('i'));
}

void CShellTest::PlacementComesBackMaximizedOrAtItsRectangle()
{
    CShellFixture& f = *m_fixture;
    f.Start();
    const QRect normal(40, 30, 500, 400);
    f.Frame().setGeometry(normal);
    QTRY_COMPARE(f.Frame().geometry(), normal);
    f.app->SaveSettings();
    f.Start();
    QTRY_COMPARE(f.Frame().geometry(), normal);
    QVERIFY(!f.Frame().isMaximized());

    f.Frame().showMaximized();
    QTRY_VERIFY(f.Frame().isMaximized());
    f.app->SaveSettings();
    f.Start();
    QTRY_VERIFY(f.Frame().isMaximized());
    f.Frame().showNormal();
    QTRY_COMPARE(f.Frame().geometry(), normal);

    // A stored rectangle no screen shows is not used.
    {
        QSettings ini(f.SettingsPath(), QSettings::IniFormat);
        QByteArray far(16, '\0');
        for (int i = 0; i < 4; ++i)
            qToLittleEndian(qint32(i < 2 ? 50000 : 50400), far.data() + 4 * i);
        ini.setValue("2.0/Mapwright/MainWindow/Pos", far);
        ini.setValue("2.0/Mapwright/MainWindow/Maximized", 0);
    }
    f.Start();
    QVERIFY(f.Frame().geometry().x() < 50000);
}

void CShellTest::SaveAsNamesANewDocumentAndSaveAllSavesOnlyTheModified()
{
    CShellFixture& f = *m_fixture;
    const QString picture = f.WritePicture("logo.png");
    f.Start();
    f.prompt.ChooseFile(picture.toStdString());
    f.Run(ID_FILE_NEW);
    CMapDocument* created = f.Frame().ActiveDocument();
    QVERIFY(created);
    QCOMPARE(CShellFixture::Title(*created), QString("Mapwright1"));

    // Save of a document without a name asks for one, starting in its picture's folder.
    f.files.m_savePaths.push_back(f.Path("sub/../map.htm"));
    f.Run(ID_FILE_SAVE);
    QCOMPARE(f.files.m_saveDialogPaths, QStringList({f.Path("Mapwright1.htm")}));
    QVERIFY(QFile::exists(f.Path("map.htm")));
    QCOMPARE(CShellFixture::Title(*created), QString("map.htm"));
    QVERIFY(!created->IsModified());
    QCOMPARE(f.Frames()[0]->windowTitle(), QString("map.htm[*]"));
    QVERIFY(f.Frame().Command(ID_FILE_MRU_FILE1)->text().endsWith("map.htm"));

    const QString other = f.WritePage("other.htm");
    f.Frame().OnDropFiles({other});
    CShellFixture::Modify(*created);
    QVERIFY(f.Frames()[0]->isWindowModified());
    const QDateTime otherTime = QFileInfo(other).lastModified();
    f.Run(ID_SAVE_ALL);
    QVERIFY(!created->IsModified());
    QCOMPARE(QFileInfo(other).lastModified(), otherTime);
    QFile saved(f.Path("map.htm"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().endsWith("<!-- edited -->\r\n"));
    QCOMPARE(f.files.m_nUnscripted, 0);
}

void CShellTest::SavingAReadOnlyPageSaysWhyAndReplacingItAsksAgain()
{
    CShellFixture& f = *m_fixture;
    const QString page = f.WritePage("page.htm");
    QVERIFY(QFile::setPermissions(page, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    f.Start().OnShellOpen({page});
    CMapDocument* document = f.Frame().ActiveDocument();
    CShellFixture::Modify(*document);

    // Save says why it becomes Save As; choosing the same file asks again, and No returns to
    // the dialog, Yes writes it and leaves it read-only.
    f.files.m_savePaths = {page, page};
    f.files.m_replaceAnswers = {false, true};
    f.Run(ID_FILE_SAVE);
    QCOMPARE(f.files.m_readOnlyMessages, QStringList({page}));
    QCOMPARE(f.files.m_saveDialogPaths, QStringList({page, page}));
    QCOMPARE(f.files.m_replaceQuestions, QStringList({page, page}));
    QVERIFY(!document->IsModified());
    QFile saved(page);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().endsWith("<!-- edited -->\r\n"));
    QCOMPARE(saved.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther), QFile::Permissions());

    // A page that may be written is saved in place without a word.
    QVERIFY(QFile::setPermissions(page, QFile::ReadOwner | QFile::WriteOwner));
    CShellFixture::Modify(*document);
    f.Run(ID_FILE_SAVE);
    QCOMPARE(f.files.m_readOnlyMessages.size(), 1);
    QCOMPARE(f.files.m_saveDialogPaths.size(), 2);
    QVERIFY(!document->IsModified());
    QCOMPARE(f.files.m_nUnscripted, 0);
}

void CShellTest::NewWindowSharesTheTitleAndOnlyTheLastWindowAsks()
{
    CShellFixture& f = *m_fixture;
    f.Start().OnShellOpen({f.WritePage("page.htm")});
    f.Run(ID_WINDOW_NEW);
    const std::vector<CDocumentWindow*> frames = f.Frames();
    QCOMPARE(frames.size(), std::size_t(2));
    QCOMPARE(frames[0]->GetActiveDocument(), frames[1]->GetActiveDocument());
    QCOMPARE(frames[0]->windowTitle(), QString("page.htm[*]"));
    QCOMPARE(frames[1]->windowTitle(), frames[0]->windowTitle());

    CShellFixture::Modify(*frames[0]->GetActiveDocument());
    QVERIFY(frames[1]->isWindowModified());
    QVERIFY(frames[1]->close());
    QVERIFY(f.files.m_saveQuestions.isEmpty());
    QCOMPARE(f.LiveWindowCount(), 1);

    f.files.m_saveAnswers.push_back(CFilePrompt::ESaveAnswer::kCancel);
    QVERIFY(!frames[0]->close());
    QCOMPARE(f.files.m_saveQuestions.size(), 1);
    QCOMPARE(f.LiveWindowCount(), 1);
    f.files.m_saveAnswers.push_back(CFilePrompt::ESaveAnswer::kNo);
    QVERIFY(frames[0]->close());
    QCOMPARE(f.LiveWindowCount(), 0);
    QVERIFY(f.Manager().Documents().empty());
}

void CShellTest::OpenDialogOpensEveryChosenFileAndAnOpenFileIsActivated()
{
    CShellFixture& f = *m_fixture;
    const QString a = f.WritePage("a.htm");
    const QString b = f.WritePage("b.htm");
    const QString c = f.WritePage("c.htm");
    f.Start();
    f.files.m_openPaths = {c, f.Path("nothing.htm"), a, b};
    f.Run(ID_FILE_OPEN);
    QCOMPARE(f.files.m_nOpenDialogs, 1);
    QStringList titles;
    for (CDocumentWindow* frame : f.Frames())
        titles << CShellFixture::Title(*frame->GetActiveDocument());
    QCOMPARE(titles, QStringList({"c.htm", "a.htm", "b.htm"}));
    QCOMPARE(f.prompt.m_messages.size(), std::size_t(1));

    // Opening a page that is open already brings its window forward instead of a second copy.
    f.Frame().OnDropFiles({f.Path("./c.htm")});
    QCOMPARE(f.Frames().size(), std::size_t(3));
    QCOMPARE(f.Frame().ActiveFrame(), f.Frames()[0]);
}

void CShellTest::ARecentFileThatCannotBeOpenedLeavesTheList()
{
    CShellFixture& f = *m_fixture;
    const QString a = f.WritePage("a.htm");
    const QString b = f.WritePage("b.htm");
    f.Start().OnShellOpen({a, b});
    QCOMPARE(f.Manager().RecentFiles().Paths(), QStringList({b, a}));
    f.files.m_saveAnswers.assign(2, CFilePrompt::ESaveAnswer::kNo);
    QVERIFY(f.Frame().close());
    QFile::remove(a);

    f.Start();
    f.Run(ID_FILE_MRU_FILE2);
    QCOMPARE(f.prompt.m_messages.size(), std::size_t(1));
    QCOMPARE(f.Manager().RecentFiles().Paths(), QStringList({b}));
    f.Run(ID_FILE_MRU_FILE1);
    QCOMPARE(f.Manager().Documents().size(), std::size_t(1));
    // The list as stored for the next start.
    CSettingsStore store(f.SettingsPath());
    QCOMPARE(store.LoadRecentFiles(), QStringList({b}));
}

QTEST_MAIN(CShellTest)
#include "shell_test.moc"
