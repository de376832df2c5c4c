// The document tab strips: slanted tabs laid out after each other, the hit test, the colours of
// titles and of the active tab, scrolling, activation and the tab menu.
#include "document/mapdocument.h"
#include "shell/commandids.h"
#include "shell/doctabbar.h"
#include "shell/doctablist.h"
#include "shell/tabscrollbutton.h"
#include "support/recordingview.h"

#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QToolTip>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

using namespace mapwright;

class CDocTabBarTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qRegisterMetaType<CMapDocument*>(); }
    void TabsAreSlantedRunsHitStrictlyInside();
    void ActiveTabIsWhiteAndModifiedTitlesRedInEveryStrip();
    void DarkPalettesColourTheStrip();
    void PagesOfOneNameShowTheirFoldersAndEveryTabItsPath();
    void ScrollButtonsFollowTheTabsThatFit();
    void LeftClickActivatesAndRestoresTheFrame();
    void CloseFromTheMenuAsksForThatDocumentOnly();
    void ListGrowsPastAThousandAndIteratesInOrder();
};

namespace {

// Document frames as the shell makes them: a form, and below it the frame's own tab strip.
struct CFakeDocuments {
    CDocTabList list;
    std::vector<std::unique_ptr<CMapDocument>> documents;
    QMdiArea area;
    std::vector<QWidget*> forms;
    std::vector<QMdiSubWindow*> frames;
    std::vector<CDocTabBar*> tabBars;

    CFakeDocuments()
    {
        area.resize(700, 400);
        area.show();
        if (!QTest::qWaitForWindowExposed(&area))
            qFatal("the document area was not shown");
    }

    void Open(const std::string& title)
    {
        documents.push_back(std::make_unique<CMapDocument>());
        documents.back()->SetTitle(title);
        auto* client = new QWidget;
        auto* layout = new QVBoxLayout(client);
        auto* form = new QWidget;
        auto* tabBar = new CDocTabBar(&list);
        layout->addWidget(form, 1);
        layout->addWidget(tabBar);
        QMdiSubWindow* frame = area.addSubWindow(client);
        frame->setAttribute(Qt::WA_DeleteOnClose);
        // The area maximizes only the active frame; the others keep this size.
        frame->resize(600, 150);
        list.Add(form, documents.back().get());
        frame->showMaximized();
        area.setActiveSubWindow(frame);
        QCoreApplication::sendPostedEvents();
        forms.push_back(form);
        frames.push_back(frame);
        tabBars.push_back(tabBar);
    }
};

// A strip of its own outside the frames, w x h.
std::unique_ptr<CDocTabBar> ShownStrip(CDocTabList& list, int w, int h)
{
    auto strip = std::make_unique<CDocTabBar>(&list);
    strip->resize(w, h);
    strip->show();
    if (!QTest::qWaitForWindowExposed(strip.get()))
        qFatal("the strip was not shown");
    strip->Refresh();
    return strip;
}

template <class Test> int CountPixels(const QImage& image, QRect rect, Test test)
{
    rect &= image.rect();
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += test(QColor(image.pixel(x, y)));
    return count;
}

// Text is smoothed: its pixels are blends of the text colour and the tab's.
bool IsRed(const QColor& colour)
{
    return colour.red() > 180 && colour.green() < 90 && colour.blue() < 90;
}

bool IsDark(const QColor& colour)
{
    return colour.red() < 90 && colour.green() < 90 && colour.blue() < 90;
}

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);

}  // namespace

void CDocTabBarTest::TabsAreSlantedRunsHitStrictlyInside()
{
    CFakeDocuments fake;
    for (const char* title : {"a.htm", "bb.htm", "ccc.htm"})
        fake.Open(title);
    auto strip = ShownStrip(fake.list, 500, 21);
    const QFontMetrics metrics(strip->GetTabFont());
    int left = 0;
    for (int i = 0; i < 3; ++i) {
        const CDocTabEntry& entry = fake.list.GetEntry(i);
        QCOMPARE(entry.m_nLeft, left);
            left += entry.m_nWidth;
    }
    // Slant (21 - 1) / 2 = 10, the first tab at x = 32.
    const CDocTabEntry& second = fake.list.GetEntry(1);
    const int l = 32 + second.m_nLeft;
    const int r = l + second.m_nWidth;
    QCOMPARE(strip->TabCorners(1), QPolygon({QPoint(l, 0), QPoint(l + 10, 20), QPoint(r, 20), QPoint(r + 10, 0)}));

    // The point moves left by (21 - 1) / 4 = 5 before the strict test against the tab's run.
    QCOMPARE(strip->HitTest(QPoint(l + 5 + 1, 10)), 1);
    QCOMPARE(strip->HitTest(QPoint(l + 5, 10)), -1);
    QCOMPARE(strip->HitTest(QPoint(32 + 5 + 1, 20)), 0);
    QCOMPARE(strip->HitTest(QPoint(32 + left + 5 - 1, 20)), 2);
    QCOMPARE(strip->HitTest(QPoint(32 + left + 5, 20)), -1);
    QCOMPARE(strip->HitTest(QPoint(10, 10)), -1);

    // A new name (Save As) changes the tab's width and moves the tabs after it.
    const int oldWidth = second.m_nWidth;
    fake.documents[1]->SetTitle("a-much-longer-name.htm");
    fake.list.RefreshAll();
    QCOMPARE(fake.list.GetEntry(1).m_nWidth - oldWidth,
             metrics.horizontalAdvance("a-much-longer-name.htm") - metrics.horizontalAdvance("bb.htm"));
    QCOMPARE(fake.list.GetEntry(2).m_nLeft, fake.list.GetEntry(1).m_nLeft + fake.list.GetEntry(1).m_nWidth);
}

void CDocTabBarTest::ActiveTabIsWhiteAndModifiedTitlesRedInEveryStrip()
{
    CFakeDocuments fake;
    for (const char* title : {"first.htm", "second.htm", "third.htm"})
        fake.Open(title);
    fake.area.setActiveSubWindow(fake.frames[1]);
    auto strip = ShownStrip(fake.list, 500, 21);
    QCOMPARE(fake.list.m_nActive, 1);

    const QImage image = strip->grab().toImage();
    const QPolygon inactive = strip->TabCorners(0);
    const QPolygon active = strip->TabCorners(1);
    const QRgb strip_ = strip->palette().color(QPalette::Window).rgb();
    // Sides and bottom black, the top edge white, the inside in the strip's colour.
    QCOMPARE(image.pixel(inactive[0]), kBlack);
    QCOMPARE(image.pixel((inactive[1].x() + inactive[2].x()) / 2, 20), kBlack);
    QCOMPARE(image.pixel((inactive[0].x() + inactive[3].x()) / 2, 0), kWhite);
    QCOMPARE(image.pixel(inactive[0].x() + 12, 1), strip_);
    QCOMPARE(image.pixel(active[0].x() + 12, 1), kWhite);
    // Where the slants overlap, the active tab lies on top.
    QCOMPARE(image.pixel(active[0].x() + 5, 2), kWhite);
    QVERIFY(CountPixels(image, strip->rect(), IsRed) == 0);

    fake.documents[2]->SetModifiedFlag(true);
    fake.list.RefreshAll();
    for (CDocTabBar* tabBar : {strip.get(), fake.tabBars[0], fake.tabBars[2]}) {
        const QImage painted = tabBar->grab().toImage();
        QVERIFY(painted.width() >= 500);
        const QRect third = tabBar->TabCorners(2).boundingRect();
        QVERIFY(CountPixels(painted, third, IsRed) > 10);
        QCOMPARE(CountPixels(painted, tabBar->TabCorners(0).boundingRect(), IsRed), 0);
    }

    fake.documents[2]->SetModifiedFlag(false);
    fake.list.RefreshAll();
    const QImage saved = strip->grab().toImage();
    const QRect third = strip->TabCorners(2).boundingRect().adjusted(15, 3, -15, -3);
    QCOMPARE(CountPixels(saved, third, IsRed), 0);
    QVERIFY(CountPixels(saved, third, IsDark) > 10);
}

void CDocTabBarTest::DarkPalettesColourTheStrip()
{
    CFakeDocuments fake;
    fake.Open("first.htm");
    fake.Open("second.htm");
    auto strip = ShownStrip(fake.list, 400, 21);
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(40, 40, 40));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(20, 20, 60));
    dark.setColor(QPalette::Text, QColor(250, 250, 120));
    dark.setColor(QPalette::Light, QColor(90, 90, 90));
    strip->setPalette(dark);
    const QImage image = strip->grab().toImage();
    const QPolygon inactive = strip->TabCorners(0);
    const QPolygon active = strip->TabCorners(1);
    QCOMPARE(QColor(image.pixel(inactive[0].x() + 12, 1)), QColor(40, 40, 40));
    QCOMPARE(QColor(image.pixel(active[0].x() + 12, 1)), QColor(20, 20, 60));
    QCOMPARE(QColor(image.pixel(inactive[0])), QColor(230, 230, 230));
    QCOMPARE(QColor(image.pixel((inactive[0].x() + inactive[3].x()) / 2, 0)), QColor(90, 90, 90));
    // Both titles are drawn in light colours: nothing near white's opposite on the dark strip.
    const auto isYellow = [](const QColor& c) { return c.red() > 150 && c.green() > 150 && c.blue() < 110; };
    QVERIFY(CountPixels(image, active.boundingRect(), isYellow) > 10);
    const auto isLightGrey = [](const QColor& c) { return c.red() > 150 && qAbs(c.red() - c.blue()) < 20; };
    QVERIFY(CountPixels(image, inactive.boundingRect().adjusted(15, 3, -15, -3), isLightGrey) > 10);
}

void CDocTabBarTest::PagesOfOneNameShowTheirFoldersAndEveryTabItsPath()
{
    CFakeDocuments fake;
    fake.Open("harbour.htm");
    fake.documents[0]->SetPathName("/pages/site-a/harbour.htm");
    fake.Open("harbour.htm");
    fake.documents[1]->SetPathName("/pages/site-b/harbour.htm");
    fake.Open("river.htm");
    fake.documents[2]->SetPathName("/pages/site-b/river.htm");
    fake.Open("Mapwright1");  // a new page: no path yet
    // A second window of the first page: the two are numbered.
    fake.list.Add(new QWidget(fake.frames[3]->widget()), fake.documents[0].get());

    const QString dash = QStringLiteral(" \u2014 ");
    const QStringList titles = {"harbour.htm" + dash + "site-a (1)", "harbour.htm" + dash + "site-b", "river.htm",
                                "Mapwright1", "harbour.htm" + dash + "site-a (2)"};
    const QStringList tips = {QDir::toNativeSeparators("/pages/site-a/harbour.htm"),
                              QDir::toNativeSeparators("/pages/site-b/harbour.htm"),
                              QDir::toNativeSeparators("/pages/site-b/river.htm"), "Mapwright1",
                              QDir::toNativeSeparators("/pages/site-a/harbour.htm")};
    QCOMPARE(fake.list.GetCount(), 5);
    for (int i = 0; i < fake.list.GetCount(); ++i) {
        QCOMPARE(fake.list.TabTitle(i), titles[i]);
        QCOMPARE(fake.list.TabToolTip(i), tips[i]);
    }

    // The tab is as wide as its longer text, and hovering it shows the path.
    auto strip = ShownStrip(fake.list, 1200, 21);
    const QFontMetrics metrics(strip->GetTabFont());
    QCOMPARE(fake.list.GetEntry(1).m_nWidth - fake.list.GetEntry(2).m_nWidth,
             metrics.horizontalAdvance(titles[1]) - metrics.horizontalAdvance("river.htm"));
    const QPoint inside = strip->TabCorners(1).boundingRect().center();
    QHelpEvent hover(QEvent::ToolTip, inside, strip->mapToGlobal(inside));
    QApplication::sendEvent(strip.get(), &hover);
    QTRY_COMPARE(QToolTip::text(), tips[1]);

    // Once the other page goes, the name alone is plain again (but for the window number).
    fake.frames[1]->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(fake.list.TabTitle(0), QString("harbour.htm (1)"));
}

void CDocTabBarTest::ScrollButtonsFollowTheTabsThatFit()
{
    CFakeDocuments fake;
    fake.Open("only.htm");
    auto strip = ShownStrip(fake.list, 300, 21);
    QVERIFY(!strip->LeftButton()->isEnabled() && !strip->RightButton()->isEnabled());

    fake.Open("two.htm");
    QVERIFY(!strip->LeftButton()->isEnabled() && !strip->RightButton()->isEnabled());

    for (int i = 3; i <= 9; ++i)
        fake.Open("document-" + std::to_string(i) + ".htm");
    QVERIFY(!strip->LeftButton()->isEnabled());
    QVERIFY(strip->RightButton()->isEnabled());
    auto other = ShownStrip(fake.list, 300, 21);

    // Right: the first tab that was cut off becomes the first one shown.
    int cutOff = 0;
    while (fake.list.GetEntry(cutOff).m_nLeft + fake.list.GetEntry(cutOff).m_nWidth + 32 <= 300)
        ++cutOff;
    QTest::mouseClick(strip->RightButton(), Qt::LeftButton);
    QCOMPARE(strip->GetFirstTab(), cutOff);
    QVERIFY(strip->LeftButton()->isEnabled());
    QCOMPARE(other->GetFirstTab(), 0);
    QCOMPARE(strip->TabCorners(cutOff)[0].x(), 32);
    QCOMPARE(strip->HitTest(QPoint(32 + 5 + 1, 10)), cutOff);

    while (strip->RightButton()->isEnabled())
        QTest::mouseClick(strip->RightButton(), Qt::LeftButton);
    const CDocTabEntry& last = fake.list.GetEntry(fake.list.GetCount() - 1);
    QVERIFY(last.m_nLeft + last.m_nWidth - fake.list.GetEntry(strip->GetFirstTab()).m_nLeft + 32 <= 300);

    // Left goes back as far as the tab that was first still fits.
    while (strip->LeftButton()->isEnabled())
        QTest::mouseClick(strip->LeftButton(), Qt::LeftButton);
    QCOMPARE(strip->GetFirstTab(), 0);
    QVERIFY(strip->RightButton()->isEnabled());

    // Documents closed behind a scrolled strip: it never shows or hits past the last one.
    while (fake.list.GetCount() > cutOff) {
        delete fake.frames.back();
        fake.frames.pop_back();
        fake.tabBars.pop_back();
    }
    strip->grab();
    QVERIFY(strip->GetFirstTab() < fake.list.GetCount());
    for (int x = 0; x < 300; ++x)
        QVERIFY(strip->HitTest(QPoint(x, 10)) < fake.list.GetCount());
}

void CDocTabBarTest::LeftClickActivatesAndRestoresTheFrame()
{
    CFakeDocuments fake;
    for (const char* title : {"a.htm", "b.htm", "c.htm"})
        fake.Open(title);
    auto strip = ShownStrip(fake.list, 500, 21);
    QTest::mouseClick(strip.get(), Qt::LeftButton, {}, strip->TabCorners(1)[1] + QPoint(3, -2));
    QCOMPARE(fake.area.currentSubWindow(), fake.frames[1]);

    // With the active frame minimized too, nothing else would bring the frame back.
    fake.frames[0]->showMinimized();
    fake.frames[1]->showMinimized();
    QTest::mouseClick(strip.get(), Qt::LeftButton, {}, strip->TabCorners(0)[1] + QPoint(3, -2));
    QCOMPARE(fake.area.currentSubWindow(), fake.frames[0]);
    QVERIFY(!fake.frames[0]->isMinimized());
    QVERIFY(fake.frames[0]->isMaximized());
    strip->Refresh();
    QCOMPARE(fake.list.m_nActive, 0);
}

void CDocTabBarTest::CloseFromTheMenuAsksForThatDocumentOnly()
{
    CFakeDocuments fake;
    for (const char* title : {"a.htm", "b.htm", "c.htm"})
        fake.Open(title);
    CDocTabBar* strip = fake.tabBars[2];
    QCOMPARE(fake.area.currentSubWindow(), fake.frames[2]);
    QSignalSpy commands(&fake.list, &CDocTabList::TabCommand);
    // The shell closes the document it is asked to.
    connect(&fake.list, &CDocTabList::TabCommand, &fake.list, [](int command, QWidget* view) {
        if (command == ID_FILE_CLOSE)
            CDocTabList::FrameOf(view)->close();
    });

    QStringList items;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction* action : menu->actions())
            items << action->text();
        menu->setActiveAction(menu->actions().value(3));
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QTest::mouseClick(strip, Qt::RightButton, {}, strip->TabCorners(0)[1] + QPoint(3, -2));
    QCOMPARE(items, QStringList({"Save", "Save As...", "Save All", "Close"}));
    QCOMPARE(commands.size(), 1);
    QCOMPARE(commands[0][0].toInt(), int(ID_FILE_CLOSE));
    QCOMPARE(commands[0][1].value<QWidget*>(), fake.forms[0]);
    QCOMPARE(commands[0][2].value<CMapDocument*>(), fake.documents[0].get());

    // That frame and its strip are gone; the active one stays active and every strip lives on.
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(fake.area.subWindowList().size(), 2);
    QCOMPARE(fake.list.GetCount(), 2);
    QCOMPARE(fake.area.currentSubWindow(), fake.frames[2]);
    fake.list.RefreshAll();
    strip->grab();
    QCOMPARE(fake.list.m_nActive, 1);
    QCOMPARE(fake.list.GetEntry(0).m_pDocument, fake.documents[1].get());
    QCOMPARE(strip->HitTest(strip->TabCorners(0)[1] + QPoint(3, -2)), 0);
}

void CDocTabBarTest::ListGrowsPastAThousandAndIteratesInOrder()
{
    CDocTabList list;
    QSignalSpy emptied(&list, &CDocTabList::Emptied);
    std::vector<std::unique_ptr<CMapDocument>> documents;
    std::vector<std::unique_ptr<QWidget>> views;
    for (int i = 0; i < 1200; ++i) {
        documents.push_back(std::make_unique<CMapDocument>());
        documents.back()->SetTitle("page" + std::to_string(i) + ".htm");
        views.push_back(std::make_unique<QWidget>());
        list.Add(views.back().get(), documents.back().get());
    }
    QCOMPARE(list.GetCount(), 1200);
    CRecordingView first, last;
    documents.front()->AddView(&first);
    documents.back()->AddView(&last);
    list.UpdateAllDocuments();
    QCOMPARE(first.m_updates.size(), std::size_t(1));
    QCOMPARE(last.m_updates.size(), std::size_t(1));
    QVERIFY(last.m_updates[0].sender == nullptr);

    {
        auto strip = ShownStrip(list, 300, 21);
        QVERIFY(!strip->grab().isNull());
        QCOMPARE(strip->HitTest(QPoint(32 + 5 + 1, 10)), 0);
        QVERIFY(strip->RightButton()->isEnabled());
    }

    // A view destroyed during Save All's walk neither skips nor repeats another.
    list.ResetIterator();
    QCOMPARE(list.GetNextView(), views[0].get());
    QCOMPARE(list.GetNextView(), views[1].get());
    views[0].reset();
    QCOMPARE(list.GetNextView(), views[2].get());
    int walked = 3;
    while (list.GetNextView())
        ++walked;
    QCOMPARE(walked, 1200);
    QCOMPARE(list.GetCount(), 1199);

    list.Remove(views[5].get());
    list.Remove(views[5].get());
    QCOMPARE(list.GetCount(), 1198);
    QCOMPARE(emptied.size(), 0);
    views.clear();
    QCOMPARE(list.GetCount(), 0);
    QCOMPARE(emptied.size(), 1);
}

QTEST_MAIN(CDocTabBarTest)
#include "doctabbar_test.moc"
