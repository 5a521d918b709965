#pragma once
// Timers by id, as a window keeps them: setting an id that runs restarts it.
#include <functional>

namespace orvinta::platform {

class Timers {
 public:
  using Expiry = std::function<void(int id)>;
  virtual ~Timers() = default;
  // Every expiry of any id is reported here; the timer repeats until killed.
  virtual void SetHandler(Expiry handler) = 0;
  virtual void Set(int id, int milliseconds) = 0;
  virtual void Kill(int id) = 0;
  virtual bool IsRunning(int id) const = 0;
};

}  // namespace orvinta::platform
