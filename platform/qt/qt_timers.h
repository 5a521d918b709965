#pragma once
// Window timers by id over QTimer. A killed timer is freed: views come and
// go with their own ids, and their timers must go with them.
#include <QObject>
#include <QTimer>
#include <map>

#include "platform/timers.h"

namespace orvinta::platform::qt {

// The running timers are this object's children.
class QtTimers final : public QObject, public Timers {
 public:
  void SetHandler(Expiry handler) override { handler_ = std::move(handler); }
  void Set(int id, int milliseconds) override;
  void Kill(int id) override;
  bool IsRunning(int id) const override;

 private:
  Expiry handler_;
  std::map<int, QTimer*> timers_;
};

}  // namespace orvinta::platform::qt
