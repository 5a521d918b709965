#include "platform/qt/qt_timers.h"

#include "protocol/guarded.h"

namespace orvinta::platform::qt {

void QtTimers::Set(int id, int milliseconds) {
  QTimer*& timer = timers_[id];
  if (!timer) {
    timer = new QTimer(this);
    QObject::connect(timer, &QTimer::timeout, this, [this, id] {
      Guarded("timer", [&] {
        if (handler_) handler_(id);
      });
    });
  }
  timer->start(milliseconds);
}

void QtTimers::Kill(int id) {
  const auto it = timers_.find(id);
  if (it == timers_.end()) return;
  it->second->stop();
  // Later: the timer may be the one whose expiry is running now.
  it->second->deleteLater();
  timers_.erase(it);
}

bool QtTimers::IsRunning(int id) const {
  const auto it = timers_.find(id);
  return it != timers_.end() && it->second->isActive();
}

}  // namespace orvinta::platform::qt
