#pragma once
// A log that holds back repeats: lines of one kind (their first word, or the
// first two for "refused" and "rate") pass at a bounded rate, and what was
// left out is counted and said in one line once the kind passes again. A
// reconnect storm then costs the log a few lines a second, not one per event.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "server/clock.h"
#include "server/event_log.h"
#include "server/rate_limits.h"

namespace orvinta::server {

class ThrottledLog final : public EventLog {
 public:
  // Each kind: `rule.perSecond` lines a second, bursts of `rule.burst`.
  ThrottledLog(EventLog& out, const Clock& clock, RateRule rule = {5, 50});

  bool Wants(LogLevel level) const override { return out_.Wants(level); }
  void Write(std::string_view line) override;

 private:
  struct Kind {
    std::int64_t fullAt = 0;
    std::uint64_t leftOut = 0;
  };
  static constexpr std::size_t kMaxKinds = 64;  // the server has a few; kinds are its own words

  EventLog& out_;
  const Clock& clock_;
  Pace pace_;
  std::unordered_map<std::string, Kind> kinds_;
};

// The kind of a log line: its first word, with the second for "refused" and "rate".
std::string_view LogKind(std::string_view line);

}  // namespace orvinta::server
