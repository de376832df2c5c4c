#include "mapwrightversion.h"
#include "shell/aboutdlg.h"
#include "shell/commandids.h"
#include "shell/mainframe.h"
#include "shell/zoomcombobox.h"
#include "gui/menuentries.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

using namespace mapwright;

class CMainFrameTest : public QObject {
    Q_OBJECT
private slots:
    void NoDocumentMenuShowsWithoutADocument();
    void CommandsCarryTheirPromptsAndTooltipsAndCtrlPDoesNothing();
    void ToolbarHasItsButtonsInOrderAroundTheZoomBox();
    void WithoutADocumentOnlyFrameCommandsAreEnabled();
    void ToolbarAndStatusBarCommandsHideAndShowTheBars();
    void BarStateComesBackAndForeignStateIsIgnored();
    void RecentFilesShowInTheFileMenu();
    void StatusTextShowsInTheFirstPane();
    void AboutBoxShowsNameVersionAndIcon();
    void TheWindowIconOffersTheSizesTheWindowSystemTakesAsTheSvgDrawsThem();
};

namespace {

QStringList Titles(const QList<QMenu*>& menus)
{
    QStringList titles;
    for (QMenu* menu : menus)
        titles << menu->title();
    return titles;
}

// Closes whatever modal dialog is open, again and again, so no check can leave one hanging.
class CModalCloser {
public:
    explicit CModalCloser(std::function<void(QWidget*)> inspect) : m_inspect(std::move(inspect))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                if (m_inspect)
                    m_inspect(modal);
                m_inspect = nullptr;
                modal->close();
            }
        });
        m_timer.start(10);
    }

private:
    std::function<void(QWidget*)> m_inspect;
    QTimer m_timer;
};

}  // namespace

void CMainFrameTest::NoDocumentMenuShowsWithoutADocument()
{
    CMainFrame frame;
    QCOMPARE(frame.windowTitle(), QString("Mapwright"));
    const QList<QAction*> menus = frame.menuBar()->actions();
    QCOMPARE(menus.size(), 3);
    QCOMPARE(Titles(frame.Menus(EMenuSet::kNoDocument)), QStringList({"&File", "&View", "&Help"}));
    QCOMPARE(menus[0]->menu(), frame.Menus(EMenuSet::kNoDocument)[0]);
    QCOMPARE(Entries(menus[0]->menu()).mid(3, 1), QStringList({"Recent File"}));
    QVERIFY(!frame.Command(ID_FILE_MRU_FILE1)->isEnabled());
}

void CMainFrameTest::CommandsCarryTheirPromptsAndTooltipsAndCtrlPDoesNothing()
{
    CMainFrame frame;
    // Ctrl+P does nothing at all.
    for (QAction* action : frame.findChildren<QAction*>())
        QVERIFY(!action->shortcuts().contains(QKeySequence("Ctrl+P")));

    QCOMPARE(frame.Command(ID_TOOL_RECT)->statusTip(), QString("Add rectangle area. Use left mouse button to begin."));
    QCOMPARE(frame.Command(ID_TOOL_RECT)->toolTip(), QString("Rect (R)"));
    QCOMPARE(frame.Command(ID_HATCH_AREAS)->toolTip(), QString("Nest"));
    QCOMPARE(frame.Command(ID_PASTE_TO_PAGEWRIGHT)->statusTip(), QString("Paste current map to Pagewright"));
    QCOMPARE(frame.Command(ID_SCALE_25)->statusTip(), QString("Set scale to 25%"));
    QCOMPARE(frame.Command(ID_SETTINGS)->statusTip(), QString("Choose colors, font and test browser"));
}

void CMainFrameTest::ToolbarHasItsButtonsInOrderAroundTheZoomBox()
{
    CMainFrame frame;
    QStringList buttons;
    for (QAction* action : frame.ToolBar()->actions()) {
        if (action->isSeparator())
            buttons << "|";
        else if (frame.ToolBar()->widgetForAction(action) == frame.ZoomBox())
            buttons << "zoom";
        else
            buttons << action->iconText();
    }
    QCOMPARE(buttons, QStringList({"New", "Open", "Save", "|", "Copy", "Paste", "Delete area", "Paste to Pagewright", "|",
                                   "Nest", "Drag handles", "|", "Undo", "Redo", "|", "zoom", "|", "Select",
                                   "Zoom in/Zoom out", "Rect", "Circle", "Poly", "|", "Test in browser", "About",
                                   "Help"}));
    QCOMPARE(frame.ZoomBox()->width(), 80);
    QVERIFY(frame.Command(ID_HATCH_AREAS)->isCheckable());
    QVERIFY(!frame.Command(ID_FILE_SAVE)->isCheckable());
}

void CMainFrameTest::WithoutADocumentOnlyFrameCommandsAreEnabled()
{
    CMainFrame frame;
    for (const int id : {ID_APP_EXIT, ID_APP_ABOUT, ID_HELP_FINDER, ID_CONTEXT_HELP, ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR})
        QVERIFY2(frame.Command(id)->isEnabled(), qPrintable(QString::number(id)));
    // New and Open need the documents of the application, which a bare frame lacks.
    for (const int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_CLOSE, ID_SAVE_ALL, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR,
                         ID_EDIT_UNDO, ID_EDIT_REDO, ID_TOOL_RECT, ID_SCALE_150, ID_TEST_IN_BROWSER, ID_SETTINGS,
                         ID_WINDOW_NEW, ID_NEXT_PANE, ID_EDIT_UNDO_TYPING})
        QVERIFY2(!frame.Command(id)->isEnabled(), qPrintable(QString::number(id)));
    QVERIFY(!frame.ZoomBox()->isEnabled());
    QCOMPARE(frame.ZoomBox()->currentText(), QString("100%"));
    QVERIFY(!frame.ActiveDocument());
    // Run anyway, a disabled command does nothing.
    frame.OnCommand(ID_NEXT_PANE);
    frame.OnCommand(ID_FILE_NEW);
    QVERIFY(!frame.ActiveDocument());
}

void CMainFrameTest::ToolbarAndStatusBarCommandsHideAndShowTheBars()
{
    CMainFrame frame;
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QAction* toolBar = frame.Command(ID_VIEW_TOOLBAR);
    QAction* statusBar = frame.Command(ID_VIEW_STATUS_BAR);
    QVERIFY(toolBar->isChecked());
    QVERIFY(statusBar->isChecked());
    // Without X11 the lock keys' state is unknown: their panes hide rather than claim "off".
    if (QGuiApplication::platformName() != "xcb") {
        for (const char* pane : {"capsPane", "numPane", "scrollPane"})
            QVERIFY(!frame.statusBar()->findChild<QLabel*>(pane)->isVisible());
    }

    toolBar->trigger();
    QVERIFY(!frame.ToolBar()->isVisible());
    QVERIFY(!toolBar->isChecked());
    statusBar->trigger();
    QVERIFY(!frame.statusBar()->isVisible());
    QVERIFY(!statusBar->isChecked());

    // Hidden another way (the toolbar's own context menu), the check mark still follows on the next show.
    toolBar->trigger();
    QVERIFY(frame.ToolBar()->isVisible());
    frame.ToolBar()->hide();
    emit frame.menuBar()->actions()[1]->menu()->aboutToShow();
    QVERIFY(!toolBar->isChecked());
}

void CMainFrameTest::BarStateComesBackAndForeignStateIsIgnored()
{
    QByteArray state;
    {
        CMainFrame frame;
        frame.show();
        frame.Command(ID_VIEW_TOOLBAR)->trigger();
        frame.Command(ID_VIEW_STATUS_BAR)->trigger();
        state = frame.SaveBarState();
    }
    CMainFrame frame;
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    frame.LoadBarState(QByteArray("not a bar state"));
    frame.LoadBarState(state.left(state.size() / 2));
    QVERIFY(frame.ToolBar()->isVisible());
    QVERIFY(frame.statusBar()->isVisible());
    frame.LoadBarState(state);
    QVERIFY(frame.ToolBar()->isHidden());
    QVERIFY(frame.statusBar()->isHidden());
    frame.UpdateActions();
    QVERIFY(!frame.Command(ID_VIEW_TOOLBAR)->isChecked());
    QVERIFY(!frame.Command(ID_VIEW_STATUS_BAR)->isChecked());
}

void CMainFrameTest::RecentFilesShowInTheFileMenu()
{
    CMainFrame frame;
    frame.ShowRecentFiles({"/maps/a.htm", "/maps/R&D.htm", "/maps/a.htm"});
    frame.UpdateActions();
    QCOMPARE(Entries(frame.Menus(EMenuSet::kNoDocument)[0]).mid(3, 3),
             QStringList({"&1 /maps/a.htm", "&2 /maps/R&&D.htm", "-"}));
    QCOMPARE(frame.RecentFileCount(), 2);
    // Without the application's documents there is nothing to open them with.
    QVERIFY(!frame.Command(ID_FILE_MRU_FILE2)->isEnabled());
    QVERIFY(!frame.Command(ID_FILE_MRU_FILE3)->isVisible());

    frame.ShowRecentFiles({});
    frame.UpdateActions();
    QCOMPARE(Entries(frame.Menus(EMenuSet::kDocument)[0]).mid(7, 1), QStringList({"Recent File"}));
    QVERIFY(!frame.Command(ID_FILE_MRU_FILE1)->isEnabled());
}

void CMainFrameTest::StatusTextShowsInTheFirstPane()
{
    CMainFrame frame;
    QCOMPARE(frame.StatusPane()->text(), QString("Ready"));
    frame.SetStatusText("For finish drawing press right mouse button.");
    QCOMPARE(frame.StatusPane()->text(), QString("For finish drawing press right mouse button."));
    // A menu prompt covers the pane for a while; the pane's text is there again afterwards.
    frame.statusBar()->showMessage(frame.Command(ID_TOOL_RECT)->statusTip());
    frame.statusBar()->clearMessage();
    QCOMPARE(frame.StatusPane()->text(), QString("For finish drawing press right mouse button."));
    frame.SetStatusText(QString());
    QCOMPARE(frame.StatusPane()->text(), QString());
}

void CMainFrameTest::AboutBoxShowsNameVersionAndIcon()
{
    CMainFrame frame;
    QString name;
    QString version;
    bool hasIcon = false;
    bool seen = false;
    {
        // The dialog is read and closed first; the checks come after it is gone.
        CModalCloser closer([&](QWidget* modal) {
            auto* about = qobject_cast<CAboutDlg*>(modal);
            seen = about != nullptr;
            if (!about)
                return;
            name = about->findChild<QLabel*>("aboutName")->text();
            version = about->findChild<QLabel*>("aboutVersion")->text();
            hasIcon = !about->findChild<QLabel*>("aboutIcon")->pixmap().isNull();
        });
        frame.Command(ID_APP_ABOUT)->trigger();
    }
    QVERIFY(seen);
    QCOMPARE(name, QString("Mapwright"));
    QCOMPARE(version, QString("Version %1").arg(kMapwrightVersion));
    QCOMPARE(QString(kMapwrightVersion), QString("1.2"));
    QVERIFY(hasIcon);
}

// The window system is handed the icon at each size it offers: the PNGs rendered at build time
// must be there and be the SVG's own pictures; other sizes still come from the SVG.
void CMainFrameTest::TheWindowIconOffersTheSizesTheWindowSystemTakesAsTheSvgDrawsThem()
{
    CMainFrame frame;
    const QIcon icon = QApplication::windowIcon();
    QCOMPARE(icon.availableSizes(), QList<QSize>({{16, 16}, {32, 32}, {64, 64}, {128, 128}}));
    const QIcon svg(":/icons/mapwright.svg");
    for (const int side : {16, 32, 64, 128, 48}) {
        const QImage shown = icon.pixmap(QSize(side, side), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage drawn = svg.pixmap(QSize(side, side), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(shown.size(), QSize(side, side));
        // Premultiplied and straight alpha round edge pixels differently, by a step at most.
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                const QRgb a = shown.pixel(x, y);
                const QRgb b = drawn.pixel(x, y);
                QVERIFY2(qAbs(qRed(a) - qRed(b)) <= 1 && qAbs(qGreen(a) - qGreen(b)) <= 1 &&
                             qAbs(qBlue(a) - qBlue(b)) <= 1 && qAlpha(a) == qAlpha(b),
                         qPrintable(QString("%1 px at %2, %3").arg(side).arg(x).arg(y)));
            }
        }
    }
}

QTEST_MAIN(CMainFrameTest)
#include "mainframe_test.moc"
