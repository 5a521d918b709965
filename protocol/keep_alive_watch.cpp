#include "protocol/keep_alive_watch.h"

namespace orvinta::protocol {

void KeepAliveWatch::Connected() {
  lastPing_ = -1;
  pingHeard_ = false;
}

void KeepAliveWatch::LoggedIn(std::int64_t now) { lastPing_ = now; }

void KeepAliveWatch::Ping(std::int64_t now) {
  if (lastPing_ >= 0 && now > lastPing_) {
    spacing_[1] = spacing_[0];
    spacing_[0] = now - lastPing_;
  }
  lastPing_ = now;
  pingHeard_ = true;
}

void KeepAliveWatch::WentSilent() {
  if (lastPing_ >= 0 && !pingHeard_) spacing_[0] = spacing_[1] = 0;
}

std::int64_t KeepAliveWatch::SilenceLimitMs() const {
  const std::int64_t interval = IntervalMs();
  if (interval == 0) return kLongestIntervalMs + kMarginMs;
  // Below the default server's limit is never needed.
  const std::int64_t limit = 2 * interval + kMarginMs;
  const std::int64_t shortest = 2 * kDefaultIntervalMs + kMarginMs;
  return limit > shortest ? limit : shortest;
}

std::int64_t KeepAliveWatch::SilentSince(std::int64_t now) const {
  const std::int64_t interval = IntervalMs() > 0 ? IntervalMs() : kDefaultIntervalMs;
  return now - lastHeard_ > interval + kMarginMs ? lastHeard_ : now;
}

}  // namespace orvinta::protocol
