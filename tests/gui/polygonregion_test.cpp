// The model's polygon pixel rule against Qt's own polygon regions, which are built by the same
// kind of scan conversion as the platform regions the rule stands for.
#include "model/polygonregion.h"

#include <QPolygon>
#include <QRegion>
#include <QtTest>

#include <random>

using namespace mapwright;

class CPolygonRegionTest : public QObject {
    Q_OBJECT

private:
    // Compares every pixel around the polygon; returns the first disagreement as text, or empty.
    static QString FirstDisagreement(const std::vector<CAreaPoint>& polygon)
    {
        QPolygon qtPolygon;
        for (const CAreaPoint& vertex : polygon)
            qtPolygon << QPoint(vertex.x, vertex.y);
        const QRegion region(qtPolygon, Qt::OddEvenFill);
        for (int y = -8; y <= 20; ++y) {
            for (int x = -8; x <= 20; ++x) {
                const bool ours = PolygonRegionContains(polygon.data(), polygon.size(), x, y);
                if (ours != region.contains(QPoint(x, y))) {
                    QString text;
                    for (const CAreaPoint& vertex : polygon)
                        text += QString("(%1,%2) ").arg(vertex.x).arg(vertex.y);
                    return text + QString("at %1,%2 ours %3").arg(x).arg(y).arg(ours);
                }
            }
        }
        return {};
    }

private slots:
    void agreesWithQtOnRandomPolygons()
    {
        std::mt19937 random(20261208);
        std::uniform_int_distribution<int> coordinate(-5, 15);
        std::uniform_int_distribution<int> count(0, 9);
        std::uniform_int_distribution<int> kind(0, 3);
        for (int round = 0; round < 20000; ++round) {
            std::vector<CAreaPoint> polygon(count(random));
            for (std::size_t i = 0; i < polygon.size(); ++i) {
                CAreaPoint& vertex = polygon[i];
                vertex = {coordinate(random), coordinate(random)};
                // Repeat or line up coordinates often, for collinear and degenerate edges.
                if (i > 0 && kind(random) == 0)
                    vertex.x = polygon[i - 1].x;
                if (i > 0 && kind(random) == 0)
                    vertex.y = polygon[i - 1].y;
            }
            const QString disagreement = FirstDisagreement(polygon);
            QVERIFY2(disagreement.isEmpty(), qPrintable(disagreement));
        }
    }

    void agreesWithQtOnRectanglesAndLines()
    {
        // Axis-aligned rectangles, open and closed, both windings, and zero-width ones.
        for (int w = 0; w <= 3; ++w) {
            for (int h = 0; h <= 3; ++h) {
                const std::vector<std::vector<CAreaPoint>> shapes = {
                    {{2, 3}, {2 + w, 3}, {2 + w, 3 + h}, {2, 3 + h}},
                    {{2, 3}, {2, 3 + h}, {2 + w, 3 + h}, {2 + w, 3}},
                    {{2, 3}, {2 + w, 3}, {2 + w, 3 + h}, {2, 3 + h}, {2, 3}},
                    {{2 + w, 3 + h}, {2, 3 + h}, {2, 3}, {2 + w, 3}},
                    {{2, 3}, {2 + w, 3 + h}, {2 + 2 * w, 3 + 2 * h}},
                };
                for (const auto& shape : shapes) {
                    const QString disagreement = FirstDisagreement(shape);
                    QVERIFY2(disagreement.isEmpty(), qPrintable(disagreement));
                }
            }
        }
    }
};

QTEST_MAIN(CPolygonRegionTest)
#include "polygonregion_test.moc"
