// Windows belong to the interface thread. A run works on a thread of its own; what it must show
// (an error, a message) is shown on the interface thread while the run waits.
#pragma once

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <utility>

namespace ui {

template <typename Function>
void RunOnGuiThread(Function&& function) {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app || QThread::currentThread() == app->thread()) {
    std::forward<Function>(function)();
    return;
  }
  QMetaObject::invokeMethod(app, std::forward<Function>(function), Qt::BlockingQueuedConnection);
}

}  // namespace ui
