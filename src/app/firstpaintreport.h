// What the start-up benchmark reads from the editor and from the bare Qt window it is compared
// with: once the first paint has gone to the screen, the wall-clock time and the peak resident
// memory on one line, then the program ends.
#pragma once

#include <QCoreApplication>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace mapwright::firstpaint {

// The process's peak resident memory in KiB, from the kernel; 0 when it does not say.
inline long PeakResidentKiB()
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

// Called from the first paint: reports once that paint has finished, and ends the program.
inline void ReportAfterThisPaint()
{
    QTimer::singleShot(0, [] {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        std::printf("first-paint %lld.%09ld peak-rss-kib %ld\n", static_cast<long long>(now.tv_sec), now.tv_nsec,
                    PeakResidentKiB());
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
}

}  // namespace mapwright::firstpaint
