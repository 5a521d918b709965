#include "platform/qt/qt_timers.h"

namespace orvinta::platform::qt {

void QtTimers::Set(int id, int milliseconds) {
  auto& timer = timers_[id];
  if (!timer) {
    timer = std::make_unique<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout, [this, id] {
      if (handler_) handler_(id);
    });
  }
  timer->start(milliseconds);
}

void QtTimers::Kill(int id) {
  const auto it = timers_.find(id);
  if (it != timers_.end()) it->second->stop();
}

bool QtTimers::IsRunning(int id) const {
  const auto it = timers_.find(id);
  return it != timers_.end() && it->second->isActive();
}

}  // namespace orvinta::platform::qt
