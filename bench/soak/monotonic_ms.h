#pragma once
// Milliseconds of CLOCK_MONOTONIC: the one clock the soak's parts and threads compare.
#include <time.h>

namespace orvinta::bench {

inline long long MonotonicMs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<long long>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

}  // namespace orvinta::bench
