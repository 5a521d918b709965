#pragma once
// Window timers by id over QTimer.
#include <QObject>
#include <QTimer>
#include <map>
#include <memory>

#include "platform/timers.h"

namespace orvinta::platform::qt {

class QtTimers final : public Timers {
 public:
  void SetHandler(Expiry handler) override { handler_ = std::move(handler); }
  void Set(int id, int milliseconds) override;
  void Kill(int id) override;
  bool IsRunning(int id) const override;

 private:
  Expiry handler_;
  std::map<int, std::unique_ptr<QTimer>> timers_;
};

}  // namespace orvinta::platform::qt
