#pragma once
// Timers by id, as a window keeps them: setting an id that runs restarts it.
#include <time.h>

#include <cstdint>
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
  // Milliseconds on a monotonic clock: for deadlines that share one timer id.
  // (<chrono> is kept out: it does not compile to code page 949.)
  virtual std::int64_t NowMs() const {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t{now.tv_sec} * 1000 + now.tv_nsec / 1000000;
  }
};

}  // namespace orvinta::platform
