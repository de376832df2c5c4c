#include "image/decodedimage.h"
#include "image/picturewriter.h"
#include "platform/imageview.h"

#include <QPainter>
#include <QtTest>

using namespace mapwright;
using namespace picturewriter;

class CImageViewTest : public QObject {
    Q_OBJECT
private slots:
    void IndexedPictureIsViewedThroughItsColourTable();
    void TrueColourPictureIsViewedAsBgrRows();
    void ViewIsReadOnlyAndEmptyWithoutAPicture();
    void DrawingRepeatsWholePixelsByTheFactor();
};

namespace {

QRgb ToQRgb(const Rgb& color)
{
    return qRgb(color.r, color.g, color.b);
}

// A 13 × 5 RGB PNG of the scene: rows of 39 bytes, padded to 40.
bool DecodeScenePng(const TempFolder& folder, CDecodedImage& image)
{
    PngPicture picture;
    picture.width = 13;
    picture.height = 5;
    picture.rows = SceneSamples(13, 5);
    const std::string path = folder.File("scene.png");
    return WritePng(path, picture) && image.Decode(path) == 1;
}

}  // namespace

void CImageViewTest::IndexedPictureIsViewedThroughItsColourTable()
{
    TempFolder folder;
    QVERIFY(folder.ok());
    std::vector<Rgb> colors;
    for (int i = 0; i < 8; ++i)
        colors.push_back(Rgb{static_cast<std::uint8_t>(30 * i), static_cast<std::uint8_t>(200 - i), 77});
    GifFrame frame;
    frame.width = 7;  // rows of 7 bytes, padded to 8
    frame.height = 3;
    for (int i = 0; i < 21; ++i)
        frame.indices.push_back(static_cast<std::uint8_t>(i % 8));
    GifPicture picture{7, 3, 0, colors, {frame}};
    const std::string path = folder.File("indexed.gif");
    QVERIFY(WriteGif(path, picture));
    CDecodedImage image;
    QCOMPARE(image.Decode(path), 1);

    const QImage view = ViewDecodedImage(image);
    QCOMPARE(view.format(), QImage::Format_Indexed8);
    QCOMPARE(view.size(), QSize(7, 3));
    QCOMPARE(view.bytesPerLine(), qsizetype(8));
    QCOMPARE(view.colorCount(), 256);
    QVERIFY(view.constBits() == image.Bits());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            QCOMPARE(view.pixel(x, y), ToQRgb(colors[(x + 7 * y) % 8]));
}

void CImageViewTest::TrueColourPictureIsViewedAsBgrRows()
{
    TempFolder folder;
    QVERIFY(folder.ok());
    CDecodedImage image;
    QVERIFY(DecodeScenePng(folder, image));
    const QImage view = ViewDecodedImage(image);
    QCOMPARE(view.format(), QImage::Format_BGR888);
    QCOMPARE(view.size(), QSize(13, 5));
    QCOMPARE(view.bytesPerLine(), qsizetype(40));
    QVERIFY(view.constBits() == image.Bits());
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 13; ++x)
            QCOMPARE(view.pixel(x, y), ToQRgb(ScenePixel(x, y, 13, 5)));
}

void CImageViewTest::ViewIsReadOnlyAndEmptyWithoutAPicture()
{
    CDecodedImage empty;
    QVERIFY(ViewDecodedImage(empty).isNull());
    QVERIFY(!empty.Decode("no-such-file.png"));
    QVERIFY(ViewDecodedImage(empty).isNull());

    TempFolder folder;
    QVERIFY(folder.ok());
    CDecodedImage image;
    QVERIFY(DecodeScenePng(folder, image));
    const std::uint8_t before = image.Bits()[0];
    QImage copy = ViewDecodedImage(image);
    copy.setPixel(0, 0, qRgb(before ^ 0xff, 1, 2));
    QVERIFY(copy.constBits() != image.Bits());
    QCOMPARE(image.Bits()[0], before);
    QCOMPARE(copy.pixel(0, 0), qRgb(before ^ 0xff, 1, 2));
}

void CImageViewTest::DrawingRepeatsWholePixelsByTheFactor()
{
    TempFolder folder;
    QVERIFY(folder.ok());
    CDecodedImage image;
    QVERIFY(DecodeScenePng(folder, image));
    const QRgb marker = qRgb(1, 2, 3);
    for (int factor : {1, 3}) {
        QImage canvas(50, 20, QImage::Format_RGB32);
        canvas.fill(marker);
        {
            QPainter painter(&canvas);
            DrawDecodedImage(painter, image, factor);
        }
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 50; ++x) {
                const bool inside = x < 13 * factor && y < 5 * factor;
                const QRgb expected = inside ? ToQRgb(ScenePixel(x / factor, y / factor, 13, 5)) : marker;
                QCOMPARE(canvas.pixel(x, y), expected);
            }
    }
    QImage canvas(8, 8, QImage::Format_RGB32);
    canvas.fill(marker);
    {
        QPainter painter(&canvas);
        CDecodedImage empty;
        DrawDecodedImage(painter, empty, 2);
    }
    QCOMPARE(canvas.pixel(0, 0), marker);
}

QTEST_MAIN(CImageViewTest)
#include "imageview_test.moc"
