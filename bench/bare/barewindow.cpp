// The yardstick of the start-up benchmark: Qt's own start, a QMainWindow with one painted widget.
// Prints, once that widget has painted for the first time, the wall-clock time and the peak
// resident memory, in the editor's probe format, then ends.
#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QPainter>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace {

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

class CPainted : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.drawRect(rect().adjusted(10, 10, -10, -10));
        if (m_bSeen)
            return;
        m_bSeen = true;
        QTimer::singleShot(0, [] {
            timespec now{};
            clock_gettime(CLOCK_REALTIME, &now);
            std::printf("first-paint %lld.%09ld peak-rss-kib %ld\n", static_cast<long long>(now.tv_sec), now.tv_nsec,
                        PeakResidentKiB());
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    }

private:
    bool m_bSeen = false;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new CPainted);
    window.resize(1200, 800);
    window.show();
    return app.exec();
}
