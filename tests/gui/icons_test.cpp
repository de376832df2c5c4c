#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QtTest>

class CIconsTest : public QObject {
    Q_OBJECT
private slots:
    void EveryIconDrawsAtOneAndTwoTimesScale();
    void ZoomCursorHotSpotIsTheLensCentre();
    void EveryIconStandsOutOnLightAndDarkToolbars();
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

// Drawn over a light and over a dark toolbar, an icon's outline must show: nearly every pixel of
// its edge lies within a pixel of something that differs clearly from the background. An icon
// drawn in dark strokes around a light fill shrinks to a blob of the fill on a dark toolbar.
void CIconsTest::EveryIconStandsOutOnLightAndDarkToolbars()
{
    const auto luminance = [](QRgb c) { return (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000; };
    for (const char* name : kIconNames) {
        const int size = QString(name) == "zoom-cursor" ? 32 : 16;
        const QImage icon = QIcon(QString(":/icons/%1.svg").arg(name))
                                .pixmap(size, size)
                                .toImage()
                                .convertToFormat(QImage::Format_ARGB32);
        for (const QColor background : {QColor(0xef, 0xef, 0xef), QColor(0x2b, 0x2b, 0x2b)}) {
            QImage drawn(size, size, QImage::Format_RGB32);
            drawn.fill(background);
            QPainter(&drawn).drawImage(0, 0, icon);
            const auto standsOut = [&](int x, int y) {
                return x >= 0 && y >= 0 && x < size && y < size
                    && qAbs(luminance(drawn.pixel(x, y)) - luminance(background.rgb())) > 60;
            };
            int edge = 0;
            int shown = 0;
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    const auto clear = [&](int ex, int ey) {
                        return ex < 0 || ey < 0 || ex >= size || ey >= size || qAlpha(icon.pixel(ex, ey)) < 128;
                    };
                    if (clear(x, y) || !(clear(x - 1, y) || clear(x + 1, y) || clear(x, y - 1) || clear(x, y + 1)))
                        continue;
                    ++edge;
                    bool near = false;
                    for (int dy = -1; dy <= 1 && !near; ++dy)
                        for (int dx = -1; dx <= 1 && !near; ++dx)
                            near = standsOut(x + dx, y + dy);
                    shown += near;
                }
            }
            QVERIFY2(shown * 10 >= edge * 9,
                     qPrintable(QString("%1 on %2: %3 of %4").arg(name, background.name()).arg(shown).arg(edge)));
        }
    }
}

QTEST_MAIN(CIconsTest)
#include "icons_test.moc"
