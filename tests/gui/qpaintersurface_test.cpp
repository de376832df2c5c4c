// The painted pixels of the areas' drawing on a QImage back buffer.
#include "model/maparea.h"
#include "support/makeareas.h"
#include "model/polygonregion.h"
#include "platform/qpaintersurface.h"

#include <QtTest>

#include <tuple>

#include <random>

using namespace mapwright;

namespace {

QImage NoiseImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    std::mt19937 random(99);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(random() & 0xff, random() & 0xff, random() & 0xff));
    return image;
}

QImage Plain(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

int CountPixels(const QImage& image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == colour;
    return count;
}




const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

}  // namespace

class CQPainterSurfaceTest : public QObject {
    Q_OBJECT

private slots:
    void invertedDrawingTwiceRestoresThePicture()
    {
        const QImage original = NoiseImage(120, 90);
        const CRectArea rect = MakeRect(5, 7, 40, 30);
        const CCircleArea circle = MakeCircle(60, 45, 20);
        const CPolyArea star = MakePoly({{50, 0}, {79, 80}, {2, 35}, {98, 35}, {21, 80}});
        // Degenerate figures: a point-sized circle, a line-thin rectangle, a polygon on a line.
        const CCircleArea dot = MakeCircle(7, 7, 0);
        const CRectArea thin = MakeRect(60, 5, 60, 50);
        const CPolyArea flat = MakePoly({{10, 60}, {50, 60}, {90, 60}});
        for (double zoom : {0.25, 1.0, 1.5, 3.0}) {
            for (int width : {0, 3}) {
                QImage image = original;
                CQPainterSurface dc(image);
                dc.SelectPen(MakeSolidPen(width, MakeRgb(200, 10, 10)));
                const auto drawAll = [&] {
                    rect.DrawOutline(dc, false, zoom, 2, 1);
                    circle.DrawOutline(dc, false, zoom, 2, 1);
                    star.DrawOutline(dc, false, zoom, 2, 1);
                    rect.DrawHatched(dc, MakeRgb(0, 255, 0), false, zoom, 2, 1);
                    circle.DrawHatched(dc, MakeRgb(0, 255, 0), false, zoom, 2, 1);
                    star.DrawHatched(dc, MakeRgb(0, 255, 0), false, zoom, 2, 1);
                    dot.DrawOutline(dc, false, zoom, 2, 1);
                    dot.DrawHatched(dc, 0, false, zoom, 2, 1);
                    thin.DrawHatched(dc, 0, false, zoom, 2, 1);
                    flat.DrawHatched(dc, 0, false, zoom, 2, 1);
                };
                drawAll();
                QVERIFY(image != original);
                drawAll();
                QVERIFY2(image == original, qPrintable(QString("zoom %1 width %2").arg(zoom).arg(width)));
            }
        }
    }

    void invertingCoversEveryPixelOnce()
    {
        // A rectangle outline's corners are shared by two lines and must still come out inverted.
        QImage image = Plain(50, 40, Qt::white);
        CQPainterSurface dc(image);
        MakeRect(10, 5, 30, 25).DrawOutline(dc, false, 1.0, 0, 0);
        // screen 10..30 by 5..25: a ring of 2 x (20 + 20) pixels
        QCOMPARE(CountPixels(image, kBlack), 80);
        for (QPoint corner : {QPoint(10, 5), QPoint(30, 5), QPoint(30, 25), QPoint(10, 25)})
            QCOMPARE(image.pixel(corner), kBlack);

        // The two half arcs of a circle meet without a gap or an overlap: inverting white gives
        // exactly the pixels that painting black gives.
        for (int radius : {1, 4, 9, 20}) {
            QImage inverted = Plain(60, 60, Qt::white);
            QImage painted = inverted;
            CQPainterSurface invertDc(inverted);
            CQPainterSurface paintDc(painted);
            MakeCircle(30, 30, radius).DrawOutline(invertDc, false, 1.0, 0, 0);
            MakeCircle(30, 30, radius).DrawOutline(paintDc, true, 1.0, 0, 0);
            QVERIFY(CountPixels(painted, kBlack) > 0);
            QCOMPARE(inverted, painted);
        }
    }

    void hatchStaysFixedToTheImageWhileScrolling()
    {
        const CRectArea rect = MakeRect(0, 0, 60, 60);
        QImage still = Plain(80, 80, Qt::black);
        QImage scrolled = still;
        CQPainterSurface stillDc(still);
        CQPainterSurface scrolledDc(scrolled);
        stillDc.SelectPen(CPen{PS_NULL, 0, 0});
        scrolledDc.SelectPen(CPen{PS_NULL, 0, 0});
        rect.DrawHatched(stillDc, MakeRgb(255, 255, 255), true, 1.0, 0, 0);
        rect.DrawHatched(scrolledDc, MakeRgb(255, 255, 255), true, 1.0, 3, 5);
        int white = 0;
        for (int y = 0; y < 50; ++y) {
            for (int x = 0; x < 50; ++x) {
                QCOMPARE(scrolled.pixel(x, y), still.pixel(x + 3, y + 5));
                white += still.pixel(x, y) == kWhite;
            }
        }
        // The gaps of the pattern stay black: the background mode is transparent.
        QVERIFY(white > 50 * 50 / 8);
        QVERIFY(white < 50 * 50 / 2);

        // Inverting black under the hatch gives the same pattern as painting it white.
        QImage inverted = Plain(80, 80, Qt::black);
        CQPainterSurface invertDc(inverted);
        invertDc.SelectPen(CPen{PS_NULL, 0, 0});
        rect.DrawHatched(invertDc, MakeRgb(1, 2, 3), false, 1.0, 3, 5);
        QCOMPARE(inverted, scrolled);
    }

    void filledFiguresLeaveOutTheirRightAndBottomEdge()
    {
        QImage image = Plain(20, 20, Qt::white);
        CQPainterSurface dc(image);
        dc.SelectPen(CPen{PS_NULL, 0, 0});
        dc.SelectBrush(CBrush{BS_SOLID, 0, MakeRgb(0, 0, 0)});
        dc.Rectangle(2, 3, 6, 8);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                QCOMPARE(image.pixel(x, y) == kBlack, x >= 2 && x < 6 && y >= 3 && y < 8);

        // With a pen the outline runs on the outermost pixels of the same box.
        image.fill(Qt::white);
        dc.SelectPen(MakeSolidPen(1, MakeRgb(255, 0, 0)));
        dc.Rectangle(2, 3, 6, 8);
        QCOMPARE(image.pixel(5, 7), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(3, 4), kBlack);
        QCOMPARE(image.pixel(6, 5), kWhite);
        QCOMPARE(image.pixel(4, 8), kWhite);

        image.fill(Qt::white);
        dc.SelectPen(CPen{PS_NULL, 0, 0});
        dc.Ellipse(2, 2, 12, 12);
        for (int i = 0; i < 20; ++i) {
            QCOMPARE(image.pixel(12, i), kWhite);
            QCOMPARE(image.pixel(i, 12), kWhite);
        }
        QCOMPARE(image.pixel(11, 7), kBlack);
        QCOMPARE(image.pixel(7, 11), kBlack);
    }

    void polygonFillFollowsTheRegionRule()
    {
        const std::vector<CScreenPoint> star = {{10, 0}, {16, 18}, {0, 7}, {20, 7}, {4, 18}};
        std::vector<CAreaPoint> vertices;
        for (const CScreenPoint& point : star)
            vertices.emplace_back(point.x, point.y);
        QImage image = Plain(24, 24, Qt::white);
        CQPainterSurface dc(image);
        dc.SelectPen(CPen{PS_NULL, 0, 0});
        dc.SelectBrush(CBrush{BS_SOLID, 0, MakeRgb(0, 0, 0)});
        dc.Polygon(star.data(), star.size());
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x)
                QCOMPARE(image.pixel(x, y) == kBlack, PolygonRegionContains(vertices.data(), vertices.size(), x, y));
    }

    void arcRunsCounterClockwiseFromStartToEnd()
    {
        QImage image = Plain(40, 40, Qt::white);
        CQPainterSurface dc(image);
        // From the right radial to the left one: the upper half only.
        dc.Arc(10, 10, 30, 30, 30, 20, 10, 20);
        int above = 0;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 40; ++x) {
                if (image.pixel(x, y) != kBlack)
                    continue;
                QVERIFY2(y <= 20, qPrintable(QString("%1,%2").arg(x).arg(y)));
                above += y < 15;
            }
        }
        QVERIFY(above > 10);
        QCOMPARE(image.pixel(20, 10), kBlack);
    }

    void handleSquaresAreWhiteWithABlackCoreFromZoomOne()
    {
        const QRgb grey = qRgb(128, 128, 128);
        CPolyArea area;
        area.m_points = {{10, 10, kHandleTopLeft}};
        QImage image = Plain(40, 40, QColor(grey));
        CQPainterSurface dc(image);
        // At 200 % the square runs from 14 to 26 around (20, 20): a black pen 1 wide in a white
        // one 5 wide that rims it by two pixels on every side.
        area.DrawHandles(dc, 2.0, 0, 0);
        for (const auto& [black, outward] : {std::pair{QPoint(20, 14), QPoint(0, -1)}, {QPoint(26, 20), QPoint(1, 0)},
                                             {QPoint(20, 26), QPoint(0, 1)}, {QPoint(14, 20), QPoint(-1, 0)}}) {
            QCOMPARE(image.pixel(black), kBlack);
            for (const int step : {1, 2}) {
                QCOMPARE(image.pixel(black + step * outward), kWhite);
                QCOMPARE(image.pixel(black - step * outward), kWhite);
            }
            QCOMPARE(image.pixel(black + 3 * outward), grey);
            QCOMPARE(image.pixel(black - 3 * outward), grey);
        }

        // At 50 % one white pixel wide, one pixel up and left: the square runs from 3 to 6.
        image.fill(QColor(grey));
        area.DrawHandles(dc, 0.5, 0, 0);
        QCOMPARE(CountPixels(image, kBlack), 0);
        QCOMPARE(CountPixels(image, kWhite), 12);
        QCOMPARE(image.pixel(3, 3), kWhite);
        QCOMPARE(image.pixel(6, 6), kWhite);
        QCOMPARE(image.pixel(7, 7), grey);
    }
};

QTEST_MAIN(CQPainterSurfaceTest)
#include "qpaintersurface_test.moc"
