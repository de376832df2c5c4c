// Work the window's first frame does not need. While a start is under way (from
// HoldUntilPainted until the window has painted once and that frame is on the screen), Run
// queues it; at any other time it runs at once. A start that never gets painted (a window
// opened minimized) lets the work go after a short while all the same.
#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace mapwright::afterfirstframe {

// From now until window's first paint, Run queues its work.
void HoldUntilPainted(QWidget* window);
// True while work is being held back.
bool Holding();
// Runs work now, or in order once the held frame is out; dropped when context is gone by then.
void Run(QObject* context, std::function<void()> work);
// Lets the held work go now (the window's first paint does this itself).
void Release();

}  // namespace mapwright::afterfirstframe
