#pragma once
// Per-member flood control: one token bucket per kind of frame a member can
// make others receive, and one more that counts the frames dropped, so that a
// member who stays over a limit for long is cut off.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "server/clock.h"

namespace orvinta::server {

enum class RateClass : std::size_t { kTalk, kStatus, kRoom, kInvite, kVote, kQuery, kCount };
inline constexpr std::size_t kRateClassCount = static_cast<std::size_t>(RateClass::kCount);

struct RateRule {
  double perSecond = 1;
  double burst = 1;
};

struct RateRules {
  // Indexed by RateClass.
  std::array<RateRule, kRateClassCount> classes{{
      {4, 20},     // talk: "TALL"
      {1, 10},     // status: "IFAL"
      {2, 30},     // room: "CHIN", "CHOT"
      {0.2, 5},    // invite: "INVT", "DNIV", "IGNR" (each one a prompt or notice at someone else)
      {0.05, 2},   // vote: "RQBN" (a prompt at every member of the room)
      {5, 60},     // query: "ASIF"
  }};
  // Dropped frames a member may send before it is disconnected; refills at its rate.
  RateRule flood{2, 60};

  const RateRule& For(RateClass c) const { return classes[static_cast<std::size_t>(c)]; }
  RateRule& For(RateClass c) { return classes[static_cast<std::size_t>(c)]; }
};

// The class a command is limited by; nullopt for commands with no limit.
std::optional<RateClass> RateClassOf(std::string_view command);
// "talk", "status", ... as used by --rate and in the metrics.
std::string_view RateClassName(RateClass c);
std::optional<RateClass> RateClassNamed(std::string_view name);

// Whole tokens are counted in millionths so that refilling is exact integer work.
class TokenBucket {
 public:
  TokenBucket() = default;
  TokenBucket(const RateRule& rule, Millis now);

  // Takes one token when there is one.
  bool Take(Millis now);

 private:
  void Refill(Millis now);

  static constexpr std::int64_t kToken = 1'000'000;
  std::int64_t capacity_ = kToken;
  std::int64_t perMs_ = 0;  // millionths of a token per millisecond
  std::int64_t level_ = kToken;
  Millis last_ = 0;
};

enum class RateVerdict { kPass, kDrop, kCutOff };

class MemberRates {
 public:
  MemberRates() = default;
  MemberRates(const RateRules& rules, Millis now);

  RateVerdict Check(RateClass c, Millis now);
  // Frames dropped since the member was last within its limits.
  std::size_t DroppedInRun() const { return droppedInRun_; }

 private:
  std::array<TokenBucket, kRateClassCount> buckets_;
  TokenBucket flood_;
  std::size_t droppedInRun_ = 0;
};

}  // namespace orvinta::server
