#pragma once
// The buckets a member leaves behind. While connected, a member's buckets live
// in its session; when the connection ends they are kept here under its id
// until every one of them is full again (they then know nothing a fresh set
// would not), and a new login of the id takes them back. So a reconnect
// refills nothing. Logins are also counted per address here. Both tables have
// a ceiling; past it the oldest-looking entries are forgotten first.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "server/rate_limits.h"

namespace orvinta::server {

// A member's buckets: every session holds one, so it is kept small. Each
// bucket is how far past the stamp it is full again, in units of 64 µs (so
// 32 bits reach 38 hours: a rule that lets a member draw further ahead is
// held to that); zero is full.
class RateState {
  std::int64_t stamp_ = 0;
  std::array<std::int32_t, kRateClassCount + 2> ahead_{};

 public:
  static constexpr std::size_t kFlood = kRateClassCount;
  static constexpr std::size_t kLogin = kRateClassCount + 1;

  // Takes a token from the bucket when there is one.
  bool Take(std::size_t bucket, const Pace& pace, Millis now);
  bool Full(Millis now) const;

  std::uint32_t droppedInRun = 0;  // frames dropped since the member was last within its limits
};

class RateLedger {
 public:
  RateLedger(const RateRules& rules, std::size_t maxEntries);

  RateVerdict Check(RateState& state, RateClass c, Millis now) const;
  // One login of the id; false when it logs in too often.
  bool TakeIdLogin(RateState& state, Millis now) const { return state.Take(RateState::kLogin, login_, now); }
  // One login from the address; false when it sends too many.
  bool TakeAddressLogin(const std::string& address, Millis now);

  // The buckets the id left behind (and forgets them here), or a fresh set.
  RateState Resume(std::string_view userId);
  // The id's connection ended: its buckets are kept while any is not full.
  void Keep(std::string_view userId, const RateState& state, Millis now);

  // Forgets what is full again; cheap to call each tick (it scans at most
  // once every few seconds).
  void Prune(Millis now);
  std::size_t Size() const { return ids_.size() + addresses_.size(); }

 private:
  std::array<Pace, kRateClassCount> classes_;
  Pace flood_;
  Pace login_;
  Pace addressLogin_;
  std::size_t maxEntries_;
  Millis nextPrune_ = 0;
  std::unordered_map<std::string, RateState> ids_;
  std::unordered_map<std::string, std::int64_t> addresses_;  // when each address's login bucket is full
};

}  // namespace orvinta::server
