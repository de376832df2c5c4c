#include "views/afterfirstframe.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <utility>
#include <vector>

namespace mapwright::afterfirstframe {

namespace {

// The longest a start that is never painted holds its work back.
constexpr int kLongestHoldMs = 1000;

struct CHeldWork {
    QPointer<QObject> context;
    std::function<void()> work;
};

class CFirstPaintWatch : public QObject {
public:
    explicit CFirstPaintWatch(QWidget* window) : QObject(window)
    {
        window->installEventFilter(this);
        QTimer::singleShot(kLongestHoldMs, this, &Release);
    }

    std::vector<CHeldWork> m_held;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched == parent()) {
            watched->removeEventFilter(this);
            // The window's children paint in the same pass and the frame is flushed after it;
            // a turn later still, input that came meanwhile goes before the held work.
            QTimer::singleShot(0, this, [this] { QTimer::singleShot(0, this, &Release); });
        }
        return false;
    }
};

QPointer<CFirstPaintWatch> g_pWatch;

}  // namespace

void HoldUntilPainted(QWidget* window)
{
    if (!g_pWatch && window)
        g_pWatch = new CFirstPaintWatch(window);
}

bool Holding()
{
    return !g_pWatch.isNull();
}

void Run(QObject* context, std::function<void()> work)
{
    if (g_pWatch)
        g_pWatch->m_held.push_back({context, std::move(work)});
    else if (context)
        work();
}

void Release()
{
    if (!g_pWatch)
        return;
    const std::vector<CHeldWork> held = std::move(g_pWatch->m_held);
    g_pWatch->deleteLater();
    g_pWatch = nullptr;
    for (const CHeldWork& each : held) {
        if (each.context)
            each.work();
    }
}

}  // namespace mapwright::afterfirstframe
