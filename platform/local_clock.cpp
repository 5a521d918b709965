#include "platform/local_clock.h"

namespace orvinta::platform {

std::tm SystemLocalClock::Now() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

}  // namespace orvinta::platform
