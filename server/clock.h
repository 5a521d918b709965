#pragma once
// Time as the server core sees it: milliseconds on a monotonic scale. The
// core reads it only through this interface so that tests can move it by hand.
#include <time.h>

#include <cstdint>

namespace orvinta::server {

using Millis = std::int64_t;

class Clock {
 public:
  virtual ~Clock() = default;
  virtual Millis Now() const = 0;
};

// clock_gettime rather than <chrono>: this code is compiled for code page
// 949, which <chrono>'s "µs" literal cannot be.
inline Millis MillisOf(clockid_t id) {
  timespec ts{};
  clock_gettime(id, &ts);
  return static_cast<Millis>(ts.tv_sec) * 1000 + ts.tv_nsec / 1'000'000;
}

class SteadyClock final : public Clock {
 public:
  Millis Now() const override { return MillisOf(CLOCK_MONOTONIC); }
};

// Milliseconds since 1970 (UTC): the time a chat line is said, which must mean
// the same on every node and after a restart.
class WallClock final : public Clock {
 public:
  Millis Now() const override { return MillisOf(CLOCK_REALTIME); }
};

}  // namespace orvinta::server
