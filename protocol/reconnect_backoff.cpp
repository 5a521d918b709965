#include "protocol/reconnect_backoff.h"

#include <algorithm>

namespace orvinta::protocol {

int ReconnectBackoff::NextDelayMs() {
  const int base = attempt_ < 5 ? kFirstDelayMs << attempt_ : kLongestDelayMs;
  attempt_ = std::min(attempt_ + 1, 5);
  std::uniform_int_distribution<int> extra(0, base / 5);
  return base + extra(random_);
}

}  // namespace orvinta::protocol
