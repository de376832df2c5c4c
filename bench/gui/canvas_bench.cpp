// Speed of the image canvas on a large map: a 4000 x 3000 picture with 5,000 areas in a
// 1600 x 1000 client area. Full repaints at 25, 100 and 800 %, one step of dragging an area, a
// keystroke in one tag with every area in view, and a repaint that has to shrink the whole picture
// again at a new scale below 100 %.
#include "document/mapdocument.h"
#include "html/mapwriter.h"
#include "platform/appsettings.h"
#include "views/canvasview.h"
#include "support/documentprobe.h"

#include <QApplication>
#include <QMouseEvent>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

using namespace mapwright;

namespace {

// The first rectangle of the map, in text order.
CRectArea& FirstRect(const CMapDocument& doc)
{
    for (const auto& area : doc.Areas()) {
        if (area->Shape() == EAreaShape::kRectangle)
            return static_cast<CRectArea&>(*area);
    }
    throw std::logic_error("the bench page has no rectangle");
}

constexpr int kImageWidth = 4000;
constexpr int kImageHeight = 3000;
constexpr int kAreas = 5000;
constexpr int kClientWidth = 1600;
constexpr int kClientHeight = 1000;
constexpr int kRuns = 31;
constexpr double kRepaintGoalMs = 8;
constexpr double kDragGoalMs = 8;
constexpr double kZoomBitmapGoalMs = 60;

// Wall-clock time, and the processor time of this thread, which a busy machine does not inflate.
struct CTimes {
    double wall = 0;
    double cpu = 0;
};

double ThreadCpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

class CStopwatch {
public:
    CStopwatch() : m_wallStart(std::chrono::steady_clock::now()), m_cpuStart(ThreadCpuMilliseconds()) {}
    CTimes Elapsed() const
    {
        return {std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - m_wallStart).count(),
                ThreadCpuMilliseconds() - m_cpuStart};
    }

private:
    std::chrono::steady_clock::time_point m_wallStart;
    double m_cpuStart;
};

// The medians of wall-clock and processor times, each taken on its own.
CTimes Median(const std::vector<CTimes>& times)
{
    std::vector<double> wall;
    std::vector<double> cpu;
    for (const CTimes& t : times) {
        wall.push_back(t.wall);
        cpu.push_back(t.cpu);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
}

// A photograph-like 24-bit picture.
CDecodedPicture MakePicture()
{
    CDecodedPicture picture;
    picture.width = kImageWidth;
    picture.height = kImageHeight;
    picture.bitCount = 24;
    picture.rowBytes = static_cast<std::size_t>(kImageWidth) * 3;
    picture.bits.reset(static_cast<std::uint8_t*>(std::malloc(picture.rowBytes * kImageHeight)));
    for (int y = 0; y < kImageHeight; ++y) {
        std::uint8_t* row = picture.bits.get() + picture.rowBytes * y;
        for (int x = 0; x < kImageWidth; ++x) {
            row[3 * x] = static_cast<std::uint8_t>(x / 16);
            row[3 * x + 1] = static_cast<std::uint8_t>(y / 12);
            row[3 * x + 2] = static_cast<std::uint8_t>(((x / 8 + y / 8) % 2) ? 200 : 60);
        }
    }
    return picture;
}

// Rectangles, circles and polygons of 20 to 80 pixels spread over the whole picture.
std::string AreaTag(int n)
{
    const int x = (n * 7919) % (kImageWidth - 100);
    const int y = (n * 104729) % (kImageHeight - 100);
    const int size = 20 + (n * 31) % 60;
    const auto number = [](int v) { return std::to_string(v); };
    switch (n % 4) {
    case 0:
    case 1:
        return "<AREA SHAPE=RECT COORDS=\"" + number(x) + "," + number(y) + "," + number(x + size) + "," +
               number(y + size / 2) + "\" HREF=\"a.htm\">";
    case 2:
        return "<AREA SHAPE=CIRCLE COORDS=\"" + number(x + size / 2) + "," + number(y + size / 2) + "," +
               number(size / 2) + "\" HREF=\"b.htm\">";
    default:
        return "<AREA SHAPE=POLY COORDS=\"" + number(x) + "," + number(y) + "," + number(x + size) + "," +
               number(y + 5) + "," + number(x + size / 2) + "," + number(y + size) + "," + number(x + 3) + "," +
               number(y + size / 2) + "\" HREF=\"c.htm\">";
    }
}

void OpenLargeMap(CMapDocument& doc)
{
    CLines lines = MakeSkeleton("big.png", kImageWidth, kImageHeight);
    const auto mapEnd = std::find(lines.begin(), lines.end(), "</MAP>");
    CLines tags;
    for (int n = 1; n <= kAreas; ++n)
        tags.push_back(AreaTag(n));
    lines.insert(mapEnd, tags.begin(), tags.end());
    doc.OpenLines(lines, "big.png", kImageWidth, kImageHeight);
    auto picture = std::make_unique<CDecodedImage>();
    picture->Assign(MakePicture());
    doc.TakePicture(std::move(picture), true);
    CMapDocumentProbe::SetImagePath(doc, "big.png", "big.png");
}

// Median time of a full synchronous repaint at scale, scrolled to the picture's middle.
CTimes RepaintAt(CCanvasView& view, CMapDocument& doc, double scale)
{
    doc.SetZoom(scale);
    view.viewport()->repaint();
    const int x = ZoomedExtent(kImageWidth, scale) / 2 - kClientWidth / 2;
    const int y = ZoomedExtent(kImageHeight, scale) / 2 - kClientHeight / 2;
    view.ScrollToPosition({std::max(x, 0), std::max(y, 0)});
    std::vector<CTimes> times;
    for (int run = 0; run < kRuns; ++run) {
        const CStopwatch stopwatch;
        view.viewport()->repaint();
        times.push_back(stopwatch.Elapsed());
    }
    return Median(times);
}

void SendMouse(QWidget* target, QEvent::Type type, QPoint p, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, p, target->mapToGlobal(p), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Median time of one mouse move that drags an area at 100 %: move, repaint.
CTimes DragStep(CCanvasView& view, CMapDocument& doc)
{
    doc.SetZoom(1);
    view.ScrollToPosition({0, 0});
    view.viewport()->repaint();
    const CRectArea& area = FirstRect(doc);
    const CClientPoint scroll = view.GetScrollPosition();
    const QPoint grab((area.left + area.right) / 2 - scroll.x, (area.top + area.bottom) / 2 - scroll.y);
    QWidget* viewport = view.viewport();
    SendMouse(viewport, QEvent::MouseButtonPress, grab, Qt::LeftButton);
    std::vector<CTimes> times;
    for (int run = 0; run < kRuns; ++run) {
        const QPoint to = grab + QPoint(run % 2 ? 0 : 3, 0);
        const CStopwatch stopwatch;
        SendMouse(viewport, QEvent::MouseMove, to, Qt::LeftButton);
        times.push_back(stopwatch.Elapsed());
    }
    SendMouse(viewport, QEvent::MouseButtonRelease, grab, Qt::NoButton);
    return Median(times);
}

// Median time of a keystroke that moves area 1 at 25 %, where every area is in view: the typed
// change and the paint it asks for, as the event loop delivers it.
CTimes TypedInOneTag(CCanvasView& view, CMapDocument& doc)
{
    doc.SetZoom(0.25);
    view.ScrollToPosition({0, 0});
    view.viewport()->repaint();
    const std::size_t line = std::size_t(std::find(doc.Lines().begin(), doc.Lines().end(), AreaTag(1)) - doc.Lines().begin());
    if (line == doc.Lines().size())
        throw std::logic_error("the bench page lost area 1");
    std::vector<CTimes> times;
    for (int run = 0; run < kRuns; ++run) {
        std::string text = AreaTag(1);
        if (run % 2 == 0)
            text.replace(text.find("COORDS=\"") + 8, 0, "1");  // the left edge and the rest move
        const CStopwatch stopwatch;
        doc.ApplyTypedChange({line, 1, 1}, {text}, nullptr);
        QApplication::processEvents();
        times.push_back(stopwatch.Elapsed());
    }
    return Median(times);
}

// Median time of a repaint at a new scale below 100 %, which shrinks the whole picture again.
CTimes ZoomBitmapRemade(CCanvasView& view, CMapDocument& doc)
{
    std::vector<CTimes> times;
    for (int run = 0; run < kRuns; ++run) {
        doc.SetZoom(run % 2 ? 0.5 : 0.75);
        const CStopwatch stopwatch;
        view.viewport()->repaint();
        times.push_back(stopwatch.Elapsed());
    }
    return Median(times);
}

void Report(const char* what, CTimes times, double goal)
{
    std::printf("%-40s %8.2f ms wall %8.2f ms cpu   (goal <= %2.0f ms)%s\n", what, times.wall, times.cpu, goal,
                times.cpu <= goal ? "" : "   MISSED");
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    CMapDocument doc;
    OpenLargeMap(doc);
    doc.SelectArea(FirstRect(doc));
    CCanvasView view(&doc);
    view.setFrameShape(QFrame::NoFrame);
    view.show();
    view.resize(kClientWidth, kClientHeight);
    view.resize(view.size() + QSize(kClientWidth, kClientHeight) - view.viewport()->size());
    QApplication::processEvents();

    std::printf("canvas %dx%d, picture %dx%d, %d areas, medians of %d runs\n", view.viewport()->width(),
                view.viewport()->height(), kImageWidth, kImageHeight, kAreas, kRuns);
    Report("full repaint at 25 %", RepaintAt(view, doc, 0.25), kRepaintGoalMs);
    Report("full repaint at 100 %", RepaintAt(view, doc, 1), kRepaintGoalMs);
    Report("full repaint at 800 %", RepaintAt(view, doc, 8), kRepaintGoalMs);
    // The same with the grid shown, every 10 picture pixels.
    AppSettings().m_bShowGrid = 1;
    AppSettings().m_nGridStep = kDefaultGridStep;
    Report("full repaint at 800 % with the grid", RepaintAt(view, doc, 8), kRepaintGoalMs);
    Report("full repaint at 25 % with the grid", RepaintAt(view, doc, 0.25), kRepaintGoalMs);
    AppSettings().m_bShowGrid = 0;
    Report("one drag step at 100 %", DragStep(view, doc), kDragGoalMs);
    Report("keystroke in one tag at 25 %, painted", TypedInOneTag(view, doc), kRepaintGoalMs);
    Report("repaint with the picture shrunk anew", ZoomBitmapRemade(view, doc), kZoomBitmapGoalMs);
    return 0;
}
