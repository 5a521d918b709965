#pragma once
// Timers on a manual clock: nothing fires until the test advances time.
#include <cstdint>
#include <map>
#include <optional>

#include "platform/timers.h"

namespace orvinta::fakes {

class FakeTimers final : public platform::Timers {
 public:
  void SetHandler(Expiry handler) override { handler_ = std::move(handler); }
  void Set(int id, int milliseconds) override {
    running_[id] = Entry{now_ + milliseconds, milliseconds, ++serial_};
  }
  void Kill(int id) override { running_.erase(id); }
  bool IsRunning(int id) const override { return running_.count(id) > 0; }
  std::int64_t NowMs() const override { return now_; }

  // Moves the clock forward, firing every expiry on the way in time order
  // (a repeating timer fires once per period until it is killed).
  void Advance(std::int64_t milliseconds) {
    const std::int64_t end = now_ + milliseconds;
    while (auto next = NextDue(end)) {
      now_ = running_[*next].due;
      Entry& entry = running_[*next];
      entry.due += entry.period > 0 ? entry.period : 1;
      if (handler_) handler_(*next);
    }
    now_ = end;
  }
  std::int64_t now() const { return now_; }
  // Milliseconds the timer was last set for; nullopt when it does not run.
  std::optional<int> PeriodOf(int id) const {
    const auto it = running_.find(id);
    if (it == running_.end()) return std::nullopt;
    return it->second.period;
  }

 private:
  struct Entry {
    std::int64_t due;
    int period;
    std::uint64_t serial;
  };
  std::optional<int> NextDue(std::int64_t end) const {
    std::optional<int> best;
    for (const auto& [id, entry] : running_) {
      if (entry.due > end) continue;
      if (!best || entry.due < running_.at(*best).due ||
          (entry.due == running_.at(*best).due && entry.serial < running_.at(*best).serial)) {
        best = id;
      }
    }
    return best;
  }

  Expiry handler_;
  std::map<int, Entry> running_;
  std::int64_t now_ = 0;
  std::uint64_t serial_ = 0;
};

}  // namespace orvinta::fakes
