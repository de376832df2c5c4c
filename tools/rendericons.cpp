// Renders our SVG icons to PNG: the fixed sizes of the icon theme at build time, and a sheet of
// every icon at 16 and 32 pixels, on a light and on a dark ground, to look at after a change.
//   rendericons SVG SIZE OUT.png
//   rendericons --sheet OUT.png SVG...
#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QSvgRenderer>

#include <cstdio>

namespace {

bool renderInto(QPainter& painter, const QString& svgPath, const QRect& target)
{
    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "rendericons: %s is not a readable SVG file\n", qPrintable(svgPath));
        return false;
    }
    renderer.render(&painter, target);
    return true;
}

int renderOne(const QString& svgPath, int size, const QString& outPath)
{
    if (size <= 0) {
        std::fprintf(stderr, "rendericons: size must be a positive number of pixels\n");
        return 2;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const bool rendered = renderInto(painter, svgPath, image.rect());
    painter.end();
    if (!rendered)
        return 1;
    if (!image.save(outPath, "PNG")) {
        std::fprintf(stderr, "rendericons: can't write %s\n", qPrintable(outPath));
        return 1;
    }
    return 0;
}

// One column per icon; the rows are 16 px and 32 px on light grey, then the same on dark grey.
int renderSheet(const QString& outPath, const QStringList& svgPaths)
{
    constexpr int kCell = 40;
    const int sizes[] = {16, 32};
    const QColor grounds[] = {QColor(0xef, 0xef, 0xef), QColor(0x3c, 0x3c, 0x3c)};
    QImage sheet(kCell * int(svgPaths.size()), kCell * 4, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    bool allRendered = true;
    for (int row = 0; row < 4; ++row) {
        const int size = sizes[row % 2];
        painter.fillRect(0, row * kCell, sheet.width(), kCell, grounds[row / 2]);
        for (int column = 0; column < svgPaths.size(); ++column) {
            const QRect target(column * kCell + (kCell - size) / 2, row * kCell + (kCell - size) / 2,
                               size, size);
            allRendered = renderInto(painter, svgPaths[column], target) && allRendered;
        }
    }
    painter.end();
    if (!sheet.save(outPath, "PNG")) {
        std::fprintf(stderr, "rendericons: can't write %s\n", qPrintable(outPath));
        return 1;
    }
    return allRendered ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() >= 3 && args[0] == "--sheet")
        return renderSheet(args[1], args.mid(2));
    if (args.size() == 3) {
        bool isNumber = false;
        const int size = args[1].toInt(&isNumber);
        return renderOne(args[0], isNumber ? size : 0, args[2]);
    }
    std::fprintf(stderr, "usage: rendericons SVG SIZE OUT.png\n       rendericons --sheet OUT.png SVG...\n");
    return 2;
}
