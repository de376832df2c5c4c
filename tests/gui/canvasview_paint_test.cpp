#include "canvasview_fixture.h"
#include "support/documentprobe.h"
#include "support/areachecks.h"
#include "platform/appsettings.h"
#include "platform/bytecodec.h"

#include <QLabel>

using namespace mapwright;

class CCanvasViewPaintTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { IgnoreGrabWarnings(); }
    void AreasTakeThePassiveAndTheActiveColourWithAHatchFixedToThePicture();
    void OutlinesOnlyWhenHatchingIsOff();
    void HandlesLieOnTopAndFollowTheSwitchAndTheScale();
    void DraggedAreaIsAnInvertedOutlineWithoutHandles();
    void ZoomedExtentIsTruncatedAndTheRestIsDarkGreyMargin();
    void InfoTextNamesPictureSizeAndTruncatedScale();
    void PictureIsMagnifiedAndShrunkAtTheScrollPosition();
    void ScrollPositionIsClampedWhenThePictureShrinks();
    void FormEditsDoNotRepaintButTheirUndoDoesAndAPendingZoomRescrolls();
    void APictureThatFailedPaintsNothingAndAnEmptyOneOnlyMargins();
    void APictureDecodedAnewIntoTheSameImageIsShownAnew();
    void GridLinesAreLightUnderTheAreasAndThinnedOutAtSmallScales();
    void TypingInOneTagRedrawsOnlyWhereItsAreaWasAndIsAsAWholePaintWould();
};

namespace {

const QColor kPassive(0, 255, 0);
const QColor kActive(255, 0, 0);
const QColor kInvertedGrey(55, 55, 55);
const QColor kMargin(64, 64, 64);

int Count(const QImage& image, const QColor& colour, QRect within = {})
{
    if (within.isNull())
        within = image.rect();
    int count = 0;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            count += image.pixelColor(x, y) == colour;
    return count;
}

// Counts the pixels that differ from picture grey inside within.
int Painted(const QImage& image, QRect within)
{
    return within.width() * within.height() - Count(image, kPictureGrey, within);
}

// Counts paint events of a widget.
class CPaintCounter : public QObject {
public:
    explicit CPaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        m_nPaints += event->type() == QEvent::Paint;
        return false;
    }
    int m_nPaints = 0;
};

}  // namespace

void CCanvasViewPaintTest::AreasTakeThePassiveAndTheActiveColourWithAHatchFixedToThePicture()
{
    CCanvasPage page(300, 250,
                     {"<AREA SHAPE=RECT COORDS=\"20,20,120,120\">", "<AREA SHAPE=RECT COORDS=\"150,20,180,60\">"});
    QVERIFY(page.opened);
    CMapDocumentProbe::Show(page.doc, page.doc.Display().bHatch, false);
    page.doc.SelectArea(*Rects(page.doc)[1]);
    QImage image = page.Paint();

    // Outlines in the pen colours, the right and bottom edges one pixel in.
    QCOMPARE(image.pixelColor(20, 70), kPassive);
    QCOMPARE(image.pixelColor(119, 70), kPassive);
    QCOMPARE(image.pixelColor(120, 70), kPictureGrey);
    QCOMPARE(image.pixelColor(150, 40), kActive);
    QCOMPARE(image.pixelColor(179, 40), kActive);

    // Inside, a diagonal cross of both directions over the picture, repeating every 8 pixels.
    const QRect inside(30, 30, 64, 64);
    const int passive = Count(image, kPassive, inside);
    QCOMPARE(passive + Count(image, kPictureGrey, inside), 64 * 64);
    QVERIFY(passive > 64 * 64 / 8 && passive < 64 * 64 / 2);
    bool falling = false;
    bool rising = false;
    for (int y = inside.top(); y < inside.bottom(); ++y)
        for (int x = inside.left(); x < inside.right(); ++x) {
            const QColor here = image.pixelColor(x, y);
            QCOMPARE(image.pixelColor(x + 8, y), here);
            QCOMPARE(image.pixelColor(x, y + 8), here);
            if (here == kPassive) {
                falling |= image.pixelColor(x + 1, y + 1) == kPassive;
                rising |= image.pixelColor(x + 1, y - 1) == kPassive;
            }
        }
    QVERIFY(falling && rising);
    QVERIFY(Count(image, kActive, QRect(155, 25, 20, 30)) > 0);

    // Scrolled, the hatch stays on the same picture pixels.
    page.view->ScrollToPosition({3, 5});
    const QImage scrolled = page.Paint();
    QCOMPARE(page.Scroll(), QPoint(3, 5));
    QCOMPARE(scrolled.copy(inside.translated(-3, -5)), image.copy(inside));

    // The colours come from the settings.
    AppSettings().m_clrPassive = MakeColorRef(0, 0, 255);
    image = page.Paint();
    AppSettings().m_clrPassive = MakeColorRef(0, 255, 0);
    QCOMPARE(image.pixelColor(17, 67), QColor(0, 0, 255));
}

void CCanvasViewPaintTest::OutlinesOnlyWhenHatchingIsOff()
{
    CCanvasPage page(200, 150,
                     {"<AREA SHAPE=RECT COORDS=\"20,20,80,80\">", "<AREA SHAPE=CIRCLE COORDS=\"140,50,30\">",
                      "<AREA SHAPE=POLY COORDS=\"20,100,80,100,50,140\">"});
    QVERIFY(page.opened);
    CMapDocumentProbe::Show(page.doc, page.doc.Display().bHatch, false);
    CMapDocumentProbe::Show(page.doc, false, page.doc.Display().bShowHandles);
    page.doc.SelectArea(*Circles(page.doc)[0]);
    const QImage image = page.Paint();

    QCOMPARE(Painted(image, QRect(25, 25, 50, 50)), 0);
    QCOMPARE(Painted(image, QRect(125, 35, 30, 30)), 0);
    QCOMPARE(image.pixelColor(20, 50), kPassive);
    QCOMPARE(image.pixelColor(110, 50), kActive);
    QCOMPARE(image.pixelColor(140, 20), kActive);
    QCOMPARE(image.pixelColor(50, 100), kPassive);
    QCOMPARE(Painted(image, QRect(45, 105, 10, 10)), 0);
}

void CCanvasViewPaintTest::HandlesLieOnTopAndFollowTheSwitchAndTheScale()
{
    CCanvasPage page(200, 150, {"<AREA SHAPE=RECT COORDS=\"40,40,100,100\">"});
    QVERIFY(page.opened);
    CMapDocumentProbe::Show(page.doc, false, page.doc.Display().bShowHandles);
    const QColor white(255, 255, 255);
    const QColor black(0, 0, 0);

    // The top-left handle's square crosses the outline and covers it.
    QImage image = page.Paint();
    QCOMPARE(image.pixelColor(43, 40), black);
    QCOMPARE(image.pixelColor(44, 40), white);
    QCOMPARE(image.pixelColor(50, 40), kPassive);

    page.doc.SelectArea(*Rects(page.doc)[0]);
    image = page.Paint();
    QCOMPARE(image.pixelColor(43, 40), black);
    QCOMPARE(image.pixelColor(50, 40), kActive);

    // Below 100 % only the white square is drawn.
    page.doc.SetZoom(0.5);
    image = page.Paint();
    QVERIFY(Count(image, white) > 0);
    QCOMPARE(Count(image, black), 0);

    page.doc.SetZoom(1);
    CMapDocumentProbe::Show(page.doc, page.doc.Display().bHatch, false);
    image = page.Paint();
    QCOMPARE(Count(image, white) + Count(image, black), 0);
}

void CCanvasViewPaintTest::DraggedAreaIsAnInvertedOutlineWithoutHandles()
{
    CCanvasPage page(200, 150,
                     {"<AREA SHAPE=RECT COORDS=\"20,20,60,60\">", "<AREA SHAPE=RECT COORDS=\"100,20,150,60\">"});
    QVERIFY(page.opened);
    const QColor white(255, 255, 255);

    page.Press({120, 40});
    page.Move({125, 40});
    QVERIFY(page.view->Tools().IsDragging());
    QImage image = page.Paint();
    QCOMPARE(image.pixelColor(105, 40), kInvertedGrey);
    QCOMPARE(image.pixelColor(155, 40), kInvertedGrey);
    QCOMPARE(image.pixelColor(100, 40), kPictureGrey);
    QCOMPARE(Painted(image, QRect(110, 30, 30, 20)), 0);
    QCOMPARE(Count(image, white, QRect(95, 10, 70, 60)), 0);
    QVERIFY(Count(image, white, QRect(10, 10, 60, 60)) > 0);

    page.Release({125, 40});
    image = page.Paint();
    QCOMPARE(image.pixelColor(105, 40), kActive);
    QVERIFY(Count(image, white, QRect(95, 10, 70, 60)) > 0);
    QCOMPARE(page.AreaTags()[1], std::string("<AREA SHAPE=RECT COORDS=\"105,20,155,60\">"));
}

void CCanvasViewPaintTest::ZoomedExtentIsTruncatedAndTheRestIsDarkGreyMargin()
{
    CCanvasPage page(101, 80, {}, {100, 100});
    QVERIFY(page.opened);
    page.doc.SetZoom(0.75);
    QImage image = page.Paint();
    QCOMPARE(image.pixelColor(74, 59), kPictureGrey);
    QCOMPARE(Count(image, kMargin), 100 * 100 - 75 * 60);
    QCOMPARE(Count(image, kMargin, QRect(75, 0, 25, 100)), 25 * 100);
    QCOMPARE(Count(image, kMargin, QRect(0, 60, 100, 40)), 100 * 40);

    // Smaller than the picture: scrolling over exactly the truncated extent.
    page.SetClientSize({50, 40});
    QCOMPARE(page.view->horizontalScrollBar()->maximum(), 75 - 50);
    QCOMPARE(page.view->verticalScrollBar()->maximum(), 60 - 40);
    QCOMPARE(Count(page.Paint(), kMargin), 0);

    page.doc.SetZoom(0.33);  // 33 x 26
    image = page.Paint();
    QCOMPARE(page.view->horizontalScrollBar()->maximum(), 0);
    QCOMPARE(image.pixelColor(32, 25), kPictureGrey);
    QCOMPARE(image.pixelColor(33, 0), kMargin);
    QCOMPARE(image.pixelColor(0, 26), kMargin);
}

void CCanvasViewPaintTest::InfoTextNamesPictureSizeAndTruncatedScale()
{
    CCanvasPage page(800, 600, {}, {300, 200});
    QVERIFY(page.opened);
    QLabel infoBar;
    page.view->SetInfoBar(&infoBar);
    page.doc.SetZoom(0.25);
    const QImage image = page.Paint();
    QCOMPARE(infoBar.text(), DecodeBytes(page.doc.Page().strImageName) + "      800:600        ZOOM : 25%");
    QVERIFY(infoBar.text().endsWith("/photo.png      800:600        ZOOM : 25%"));
    QCOMPARE(image.pixelColor(199, 149), kPictureGrey);
    QCOMPARE(Count(image, kMargin), 300 * 200 - 200 * 150);

    page.doc.SetZoom(0.29);
    page.Paint();
    QVERIFY(infoBar.text().endsWith("ZOOM : 28%"));
    page.doc.SetZoom(0.58);
    page.Paint();
    QVERIFY(infoBar.text().endsWith("ZOOM : 57%"));
}

void CCanvasViewPaintTest::PictureIsMagnifiedAndShrunkAtTheScrollPosition()
{
    // A red pixel at (5, 5) on grey; the left half of the bottom rows blue.
    const auto pixel = [](int x, int y) {
        if (x == 5 && y == 5)
            return picturewriter::Rgb{255, 0, 0};
        if (y >= 20 && x < 20)
            return picturewriter::Rgb{0, 0, 255};
        return picturewriter::Rgb{200, 200, 200};
    };
    CCanvasPage page(40, 30, {}, {200, 150}, pixel);
    QVERIFY(page.opened);
    const QColor red(255, 0, 0);
    const QColor blue(0, 0, 255);

    page.doc.SetZoom(8);
    QImage image = page.Paint();
    QCOMPARE(Count(image, red), 64);
    QCOMPARE(Count(image, red, QRect(40, 40, 8, 8)), 64);
    page.view->ScrollToPosition({10, 12});
    image = page.Paint();
    QCOMPARE(Count(image, red, QRect(30, 28, 8, 8)), 64);

    // Shrunk copies are made again for each new scale below 100 %.
    page.view->ScrollToPosition({0, 0});
    page.doc.SetZoom(0.5);
    image = page.Paint();
    QCOMPARE(page.view->ZoomBitmapScale(), 0.5);
    QCOMPARE(Count(image, blue), 10 * 5);
    QCOMPARE(image.pixelColor(9, 14), blue);
    page.doc.SetZoom(0.25);
    image = page.Paint();
    QCOMPARE(page.view->ZoomBitmapScale(), 0.25);
    QCOMPARE(Count(image, blue, QRect(0, 0, 10, 7)), Count(image, blue));
    QVERIFY(Count(image, blue) > 0);
    page.doc.SetZoom(2);
    page.Paint();
    QCOMPARE(page.view->ZoomBitmapScale(), 0.25);
}

void CCanvasViewPaintTest::ScrollPositionIsClampedWhenThePictureShrinks()
{
    CCanvasPage page(400, 300, {}, {200, 150});
    QVERIFY(page.opened);
    page.view->ScrollToPosition({200, 150});
    page.Paint();
    QCOMPARE(page.Scroll(), QPoint(200, 150));

    page.doc.SetZoom(0.75);  // 300 x 225: at most 100 x 75
    page.Paint();
    QCOMPARE(page.Scroll(), QPoint(100, 75));
    page.doc.SetZoom(0.25);  // 100 x 75: smaller than the client
    const QImage image = page.Paint();
    QCOMPARE(page.Scroll(), QPoint(0, 0));
    QCOMPARE(image.pixelColor(0, 0), kPictureGrey);
    QCOMPARE(image.pixelColor(100, 0), kMargin);
}

void CCanvasViewPaintTest::FormEditsDoNotRepaintButTheirUndoDoesAndAPendingZoomRescrolls()
{
    CCanvasPage page(400, 300, {"<AREA SHAPE=RECT COORDS=\"1,1,9,9\">"}, {200, 150});
    QVERIFY(page.opened);
    QWidget tabBarHost;
    tabBarHost.show();
    page.view->SetTabBarHost(&tabBarHost);
    QCoreApplication::processEvents();
    CPaintCounter canvasPaints(page.view->viewport());
    CPaintCounter tabPaints(&tabBarHost);

    page.doc.SelectArea(*Rects(page.doc)[0]);
    Rects(page.doc)[0]->m_strHref = "typed.htm";
    page.doc.AreaChanged(*Rects(page.doc)[0], EEditSource::kForm, nullptr);
    QCoreApplication::processEvents();
    QCOMPARE(canvasPaints.m_nPaints, 0);
    QCOMPARE(tabPaints.m_nPaints, 0);

    page.doc.OnEditUndo();
    QCoreApplication::processEvents();
    QVERIFY(canvasPaints.m_nPaints > 0);
    QVERIFY(tabPaints.m_nPaints > 0);

    // 100 % to 200 %: the client's centre stays; 100 % to 150 % does not re-scroll.
    page.doc.SetZoom(2);
    page.doc.UpdateAllViews(nullptr, CChangeNotice::Zoom(2));
    QCOMPARE(page.Scroll(), QPoint(100, 75));
    // Any other notice leaves the view where it is.
    page.doc.UpdateAllViews(nullptr);
    QCOMPARE(page.Scroll(), QPoint(100, 75));
    page.doc.SetZoom(3);
    page.doc.UpdateAllViews(nullptr, CChangeNotice::Zoom(1.5));
    QCOMPARE(page.Scroll(), QPoint(100, 75));
    page.view->ScrollToPosition({400, 301});
    page.doc.SetZoom(1.5);
    page.doc.UpdateAllViews(nullptr, CChangeNotice::Zoom(-2));
    QCOMPARE(page.Scroll(), QPoint(100 / 2 + 400 / 2 - 100, 75 / 2 + 301 / 2 - 75));
}

void CCanvasViewPaintTest::APictureThatFailedPaintsNothingAndAnEmptyOneOnlyMargins()
{
    CCanvasPage failed(100, 100, {"<AREA SHAPE=RECT COORDS=\"1,1,9,9\">"}, {120, 120}, {}, true);
    QVERIFY(!failed.opened);
    QVERIFY(!failed.doc.Picture().IsLoaded());
    QImage image = failed.Paint();
    QCOMPARE(Count(image, kUnpainted), image.width() * image.height());
    const CLines linesBefore = failed.doc.Lines();
    for (const int tool : {kToolSelect, kToolRect, kToolPoly}) {
        CMapDocumentProbe::UseTool(failed.doc, ETool(tool));
        failed.Drag({{10, 10}, {30, 30}});
        failed.Press({40, 40}, Qt::RightButton);
    }
    failed.Key(Qt::Key_Plus, Qt::KeypadModifier);
    failed.Key(Qt::Key_Delete);
    QCOMPARE(failed.doc.Lines(), linesBefore);
    QCOMPARE(Count(failed.Paint(), kUnpainted), image.width() * image.height());

    CMapDocument empty;
    empty.TakePicture(std::make_unique<CDecodedImage>(), true);
    CCanvasView emptyView(&empty);
    emptyView.resize(120, 120);
    emptyView.show();
    image = QImage(emptyView.viewport()->size(), QImage::Format_RGB32);
    image.fill(kUnpainted);
    emptyView.viewport()->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    QCOMPARE(Count(image, kMargin), image.width() * image.height());
    CMapDocumentProbe::UseTool(empty, ETool(kToolRect));
    QTest::mousePress(emptyView.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(0, 0));
    QTest::mouseRelease(emptyView.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(0, 0));
    QCOMPARE(empty.AreaCount(), 0);
}

void CCanvasViewPaintTest::APictureDecodedAnewIntoTheSameImageIsShownAnew()
{
    CCanvasPage page(40, 30, {}, {60, 50});
    QVERIFY(page.opened);
    QCOMPARE(page.PixelAt(10, 10), kPictureGrey);

    // The canvas may draw the rows where the image keeps them; new rows, possibly at the old
    // rows' address, must be what it shows, for a true-colour and an indexed picture alike.
    const std::string path = page.folder.File("photo.png");
    picturewriter::PngPicture blue;
    blue.width = 40;
    blue.height = 30;
    for (int i = 0; i < 40 * 30; ++i)
        blue.rows.insert(blue.rows.end(), {0, 0, 255});
    QVERIFY(picturewriter::WritePng(path, blue));
    QVERIFY(CMapDocumentProbe::MutableImage(page.doc)->Decode(path));
    QCOMPARE(page.PixelAt(10, 10), QColor(0, 0, 255));

    const std::string gifPath = page.folder.File("photo.gif");
    picturewriter::GifPicture red;
    red.screenWidth = 40;
    red.screenHeight = 30;
    red.globalColors = {{255, 0, 0}, {0, 0, 0}};
    red.frames.push_back({0, 0, 40, 30, false, {}, std::vector<std::uint8_t>(40 * 30, 0)});
    QVERIFY(picturewriter::WriteGif(gifPath, red));
    QVERIFY(CMapDocumentProbe::MutableImage(page.doc)->Decode(gifPath));
    QCOMPARE(page.PixelAt(10, 10), QColor(255, 0, 0));
    red.globalColors[0] = {0, 255, 0};
    QVERIFY(picturewriter::WriteGif(gifPath, red));
    QVERIFY(CMapDocumentProbe::MutableImage(page.doc)->Decode(gifPath));
    QCOMPARE(page.PixelAt(10, 10), QColor(0, 255, 0));
}

QTEST_MAIN(CCanvasViewPaintTest)
void CCanvasViewPaintTest::GridLinesAreLightUnderTheAreasAndThinnedOutAtSmallScales()
{
    CCanvasPage page(200, 150, {"<AREA SHAPE=RECT COORDS=\"20,20,80,80\">"});
    QVERIFY(page.opened);
    CMapDocumentProbe::Show(page.doc, false, false);
    const CAppSettings kept = AppSettings();
    AppSettings().m_bShowGrid = 1;
    const QColor line(167, 167, 167);  // grey 200 mixed with the grid's grey, once also where lines cross
    QImage image = page.Paint();
    QVERIFY(image.pixelColor(10, 5) == line && image.pixelColor(10, 10) == line && image.pixelColor(5, 10) == line);
    QCOMPARE(image.pixelColor(5, 5), kPictureGrey);
    QCOMPARE(image.pixelColor(20, 50), kPassive);  // the outline lies on top
    // At 400 % through the middles of the zoomed pixels; at 25 % only every fourth line.
    page.doc.SetZoom(4.0);
    image = page.Paint();
    QVERIFY(image.pixelColor(42, 1) == line && image.pixelColor(40, 1) == kPictureGrey);
    page.doc.SetZoom(0.25);
    image = page.Paint();
    QVERIFY(image.pixelColor(10, 3) == line && image.pixelColor(5, 3) == kPictureGrey);
    AppSettings() = kept;
}

void CCanvasViewPaintTest::TypingInOneTagRedrawsOnlyWhereItsAreaWasAndIsAsAWholePaintWould()
{
    // Overlapping areas of every shape, one reaching past the picture, over a patterned picture.
    CCanvasPage page(300, 250,
                     {"<AREA SHAPE=RECT COORDS=\"20,20,120,90\">", "<AREA SHAPE=CIRCLE COORDS=\"90,70,40\">",
                      "<AREA SHAPE=POLY COORDS=\"60,30,170,50,110,140\">", "<AREA SHAPE=RECT COORDS=\"100,60,160,200\">",
                      "<AREA SHAPE=CIRCLE COORDS=\"280,230,60\">"},
                     {200, 150}, [](int x, int y) {
                         return picturewriter::Rgb{std::uint8_t(x * 7), std::uint8_t(y * 5), std::uint8_t(x ^ y)};
                     });
    QVERIFY(page.opened);
    page.doc.SelectAreasNumbered({3}, nullptr);
    // Each edit changes one tag's line in place: moves, grows, another shape, the selected area.
    const std::vector<std::pair<int, std::string>> edits = {
        {1, "<AREA SHAPE=RECT COORDS=\"25,24,110,95\">"},  {2, "<AREA SHAPE=CIRCLE COORDS=\"70,60,25\">"},
        {3, "<AREA SHAPE=POLY COORDS=\"60,30,180,60,100,150,40,90\">"}, {1, "<AREA SHAPE=CIRCLE COORDS=\"50,50,30\">"},
        {4, "<AREA SHAPE=RECT COORDS=\"90,40,150,210\">"},   {5, "<AREA SHAPE=CIRCLE COORDS=\"270,220,70\">"},
        {3, "<AREA SHAPE=POLY COORDS=\"10,10,30,10,20,40\">"},
    };
    const CAppSettings kept = AppSettings();
    std::size_t edit = 0;
    int combinations = 0;
    int partialPaints = 0;
    for (const double zoom : {0.25, 0.5, 1.0, 1.5, 2.0, 3.0, 8.0})
        for (const bool hatch : {false, true})
            for (const bool handles : {false, true})
                for (const int grid : {0, 1}) {
                    const QString where = QStringLiteral("zoom %1 hatch %2 handles %3 grid %4 edit %5")
                                              .arg(zoom).arg(hatch).arg(handles).arg(grid).arg(edit);
                    page.doc.SetZoom(zoom);
                    page.view->ScrollToPosition({int(30 * zoom), int(20 * zoom)});
                    CMapDocumentProbe::Show(page.doc, hatch, handles);
                    AppSettings().m_bShowGrid = grid;
                    const QImage before = page.Paint();
                    ++combinations;

                    const auto& [tag, text] = edits[edit++ % edits.size()];
                    const std::size_t line = std::size_t(2 + tag);  // after the body and the IMG and MAP tags
                    QVERIFY2(page.doc.ApplyTypedChange({line, 1, 1}, {text}, nullptr), qPrintable(where));
                    // A change the document read the whole map again for redraws everything.
                    const QRect client = page.view->viewport()->rect();
                    const QRect pending = page.view->Redraw().Pending() & client;
                    if (pending.isEmpty())
                        continue;
                    ++partialPaints;

                    // The screen after the partial paint: what it showed, with the changed part redrawn.
                    QImage partial = before;
                    page.view->viewport()->render(&partial, pending.topLeft(), QRegion(pending), QWidget::RenderFlags());
                    const QRect redrawn = page.view->Redraw().LastRedrawn();
                    QVERIFY2(redrawn.contains(pending) && (pending == client || !redrawn.contains(client)), qPrintable(where));
                    QVERIFY2(partial == page.Paint(), qPrintable(where));
                }
    AppSettings() = kept;
    // Most edits keep the shape, and the document reads those tags alone.
    QVERIFY2(2 * partialPaints > combinations, qPrintable(QString::number(partialPaints)));
}

#include "canvasview_paint_test.moc"
