#include "shell/aboutdlg.h"
#include "shell/commandids.h"
#include "shell/mainframe.h"

#include <QAction>
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
    void NoDocumentMenuHasEveryEntryInOrder();
    void ToolbarAndStatusBarCommandsHideAndShowTheBars();
    void AboutBoxShowsNameVersionAndIcon();
};

namespace {

QStringList Entries(QMenu* menu)
{
    QStringList entries;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            entries << "-";
            continue;
        }
        QString entry = action->text();
        if (!action->shortcut().isEmpty())
            entry += "\t" + action->shortcut().toString(QKeySequence::PortableText);
        entries << entry;
    }
    return entries;
}

}  // namespace

void CMainFrameTest::NoDocumentMenuHasEveryEntryInOrder()
{
    CMainFrame frame;
    QCOMPARE(frame.windowTitle(), QString("Mapwright"));
    const QList<QAction*> menus = frame.menuBar()->actions();
    QCOMPARE(menus.size(), 3);
    QCOMPARE(menus[0]->text(), QString("&File"));
    QCOMPARE(menus[1]->text(), QString("&View"));
    QCOMPARE(menus[2]->text(), QString("&Help"));
    QCOMPARE(Entries(menus[0]->menu()),
             QStringList({"&New Map...\tCtrl+N", "&Open Map\tCtrl+O", "-", "Recent File", "-", "E&xit"}));
    QCOMPARE(Entries(menus[1]->menu()), QStringList({"&Toolbar", "&Status Bar"}));
    QCOMPARE(Entries(menus[2]->menu()), QStringList({"&Help Topics", "-", "&About Mapwright..."}));
    QCOMPARE(frame.Command(ID_APP_ABOUT)->data().toInt(), 57664);
    QVERIFY(!frame.Command(ID_FILE_MRU_FILE1)->isEnabled());
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

void CMainFrameTest::AboutBoxShowsNameVersionAndIcon()
{
    CMainFrame frame;
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* about = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
        QVERIFY(about);
        QCOMPARE(about->findChild<QLabel*>("aboutName")->text(), QString("Mapwright"));
        QCOMPARE(about->findChild<QLabel*>("aboutVersion")->text(), QString("Version 1.2"));
        QVERIFY(!about->findChild<QLabel*>("aboutIcon")->pixmap().isNull());
        seen = true;
        QTest::keyClick(about, Qt::Key_Return);
    });
    frame.Command(ID_APP_ABOUT)->trigger();
    QVERIFY(seen);
}

QTEST_MAIN(CMainFrameTest)
#include "mainframe_test.moc"
