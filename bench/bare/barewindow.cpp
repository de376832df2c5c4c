// The yardstick of the start-up benchmark: Qt's own start, a QMainWindow with one painted widget.
// Prints, once that widget has painted for the first time, the wall-clock time and the peak
// resident memory, in the editor's probe format, then ends.
#include "app/firstpaintreport.h"

#include <QApplication>
#include <QMainWindow>
#include <QPainter>

namespace {

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
        mapwright::firstpaint::ReportAfterThisPaint();
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
