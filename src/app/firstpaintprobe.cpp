#include "firstpaintprobe.h"

#include "firstpaintreport.h"
#include "views/canvasview.h"

#include <QApplication>

namespace {

class CFirstPaintProbe : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_bSeen && watched->parent()
            && qobject_cast<mapwright::CCanvasView*>(watched->parent())) {
            m_bSeen = true;
            mapwright::firstpaint::ReportAfterThisPaint();
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
