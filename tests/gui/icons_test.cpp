#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QtTest>

class CIconsTest : public QObject {
    Q_OBJECT
private slots:
    void EveryIconDrawsAtOneAndTwoTimesScale();
    void ZoomCursorHotSpotIsTheLensCentre();
};

namespace {

const char* const kIconNames[] = {
    "new", "open", "save", "copy", "paste", "delete-area", "paste-to-pagewright", "hatch-areas",
    "drag-handles", "undo", "redo", "select", "zoom", "rectangle", "circle", "polygon",
    "test-in-browser", "about", "context-help", "tab-scroll-left", "tab-scroll-right", "browse",
    "zoom-cursor", "mapwright"};

int OpaquePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) >= 128;
    return count;
}

}  // namespace

// An icon missing from the resource, or one the SVG icon engine can't draw (its plugin is not
// installed, the file is broken), would leave a blank button.
void CIconsTest::EveryIconDrawsAtOneAndTwoTimesScale()
{
    for (const char* name : kIconNames) {
        const QString path = QString(":/icons/%1.svg").arg(name);
        QVERIFY2(QFile::exists(path), qPrintable(path));
        const QIcon icon(path);
        // The cursor is drawn at 32 px, and at 64 px on a screen scaled to 200 %.
        const int baseSize = QString(name) == "zoom-cursor" ? 32 : 16;
        for (int size : {baseSize, 2 * baseSize}) {
            const QImage image = icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(image.size(), QSize(size, size));
            const int opaque = OpaquePixels(image);
            QVERIFY2(opaque >= size * size / 12, qPrintable(QString("%1 at %2 px").arg(name).arg(size)));
        }
    }
}

void CIconsTest::ZoomCursorHotSpotIsTheLensCentre()
{
    QImageReader reader(":/icons/zoom-cursor.svg");
    QCOMPARE(reader.size(), QSize(32, 32));
    const QImage cursor = reader.read().convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!cursor.isNull());
    const QPoint hotSpot(13, 13);
    // Around the aiming dot the lens is see-through, and its ring is equally far on all four sides.
    int ringDistance[4] = {0, 0, 0, 0};
    const QPoint directions[4] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (int i = 0; i < 4; ++i) {
        QPoint point = hotSpot + directions[i] * 2;
        while (qAlpha(cursor.pixel(point)) < 128)
            point += directions[i];
        ringDistance[i] = (point - hotSpot).manhattanLength();
    }
    QVERIFY(ringDistance[0] >= 5);
    QCOMPARE(ringDistance[1], ringDistance[0]);
    QCOMPARE(ringDistance[2], ringDistance[0]);
    QCOMPARE(ringDistance[3], ringDistance[0]);
}

QTEST_MAIN(CIconsTest)
#include "icons_test.moc"
