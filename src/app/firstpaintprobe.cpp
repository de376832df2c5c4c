#include "firstpaintprobe.h"

#include "views/canvasview.h"

#include <QApplication>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace {

// The process's peak resident memory in KiB, from the kernel; 0 when it does not say.
long PeakResidentKiB()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

class CFirstPaintProbe : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_bSeen && watched->parent()
            && qobject_cast<mapwright::CCanvasView*>(watched->parent())) {
            m_bSeen = true;
            // Reported once this paint has finished and gone to the screen.
            QTimer::singleShot(0, [] {
                timespec now{};
                clock_gettime(CLOCK_REALTIME, &now);
                std::printf("first-paint %lld.%09ld peak-rss-kib %ld\n", static_cast<long long>(now.tv_sec),
                            now.tv_nsec, PeakResidentKiB());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool m_bSeen = false;
};

}  // namespace

void InstallFirstPaintProbeIfAsked()
{
    if (qEnvironmentVariableIsSet("MAPWRIGHT_FIRST_PAINT_PROBE"))
        qApp->installEventFilter(new CFirstPaintProbe(qApp));
}
