// A page over a picture, written to files and opened as the editor opens a page, with a canvas
// showing it at a chosen client size; helpers to paint the canvas and drive it with the mouse.
#pragma once

#include "document/mapdocument.h"
#include "image/picturewriter.h"
#include "support/scriptedprompt.h"
#include "views/canvasview.h"

#include <QPainter>
#include <QScrollBar>
#include <QtTest>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace mapwright {

// The grey of the test pictures and the colour a painted image starts with before the canvas paints.
inline const QColor kPictureGrey(200, 200, 200);
inline const QColor kUnpainted(255, 0, 255);

// Drops the warning of platforms without a real mouse grab (the canvas still holds the capture).
inline void IgnoreGrabWarnings()
{
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (!text.contains("does not support grabbing the mouse"))
            previous(type, context, text);
    });
}

class CCanvasPage {
public:
    using CPixelFunction = std::function<picturewriter::Rgb(int x, int y)>;

    // Opens a page of map "photo" over a width x height picture (grey, or pixel(x, y); a file that
    // is no picture when broken) whose map block holds areaTags, and shows it in a canvas with a
    // client area of clientSize.
    CCanvasPage(int width, int height, const std::vector<std::string>& areaTags, QSize clientSize = {200, 150},
                CPixelFunction pixel = {}, bool brokenPicture = false)
    {
        if (!folder.ok())
            return;
        picturewriter::PngPicture picture;
        picture.width = width;
        picture.height = height;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const picturewriter::Rgb rgb = pixel ? pixel(x, y) : picturewriter::Rgb{200, 200, 200};
                picture.rows.insert(picture.rows.end(), {rgb.r, rgb.g, rgb.b});
            }
        std::string page = "<html><body>\r\n<IMG SRC=\"photo.png\" USEMAP=\"#photo\">\r\n<MAP NAME=\"photo\">\r\n";
        for (const std::string& tag : areaTags)
            page += tag + "\r\n";
        page += "</MAP>\r\n</body></html>\r\n";
        const std::string pagePath = folder.File("page.htm");
        const std::string picturePath = folder.File("photo.png");
        const bool pictureWritten = brokenPicture ? picturewriter::WriteBytes(picturePath, {'n', 'o', 'n', 'e'})
                                                  : picturewriter::WritePng(picturePath, picture);
        if (!pictureWritten ||
            !picturewriter::WriteBytes(pagePath, reinterpret_cast<const std::uint8_t*>(page.data()), page.size()))
            return;
        doc.SetPrompt(&prompt);
        opened = doc.OnOpenDocument(pagePath);
        view = std::make_unique<CCanvasView>(&doc);
        view->setFrameShape(QFrame::NoFrame);
        view->show();
        SetClientSize(clientSize);
    }

    // Resizes the canvas until its client area (inside any scroll bars) is size.
    void SetClientSize(QSize size)
    {
        for (int attempt = 0; attempt < 4 && view->viewport()->size() != size; ++attempt) {
            view->resize(view->size() + size - view->viewport()->size());
            Paint();
        }
    }

    // Paints the canvas as it would appear, over an image of kUnpainted.
    QImage Paint() const
    {
        QImage image(view->viewport()->size(), QImage::Format_RGB32);
        image.fill(kUnpainted);
        view->viewport()->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
        return image;
    }

    QColor PixelAt(int x, int y) const { return Paint().pixelColor(x, y); }

    QPoint Scroll() const { return {view->horizontalScrollBar()->value(), view->verticalScrollBar()->value()}; }

    // The page's AREA tags, in order.
    std::vector<std::string> AreaTags() const
    {
        std::vector<std::string> tags;
        for (const std::string& line : doc.Lines()) {
            if (line.rfind("<AREA", 0) == 0)
                tags.push_back(line);
        }
        return tags;
    }

    void Press(QPoint p, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(view->viewport(), button, Qt::NoModifier, p);
    }
    // Moves the pointer to p, the left button held when dragging.
    void Move(QPoint p, bool dragging = true)
    {
        QMouseEvent move(QEvent::MouseMove, p, view->viewport()->mapToGlobal(p), Qt::NoButton,
                         dragging ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(QWidget::mouseGrabber() ? QWidget::mouseGrabber() : view->viewport(), &move);
    }
    void Release(QPoint p) { QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::NoModifier, p); }
    // A left-button drag through the points, pressed at the first and released at the last.
    void Drag(const std::vector<QPoint>& points)
    {
        Press(points.front());
        for (std::size_t i = 1; i < points.size(); ++i)
            Move(points[i]);
        Release(points.back());
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(view.get(), key, modifiers);
    }

    picturewriter::TempFolder folder;
    CScriptedPrompt prompt;
    CMapDocument doc;
    bool opened = false;
    std::unique_ptr<CCanvasView> view;
};

}  // namespace mapwright
