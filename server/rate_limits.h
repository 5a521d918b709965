#pragma once
// Flood control: one token bucket per kind of frame a member can send, and one
// more that counts the frames dropped, so that a member who stays over a limit
// for long is cut off. Every frame counts: those with no kind of their own
// ("PONG", "VTBN", unknown commands) share the "other" bucket.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "server/clock.h"

namespace orvinta::server {

enum class RateClass : std::size_t { kTalk, kStatus, kRoom, kInvite, kVote, kQuery, kHistory, kOther, kCount };
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
      {2, 20},     // history: "HREQ" (each answer up to 64 KiB)
      {2, 20},     // other: "PONG", "VTBN", "USER" once logged in, and whatever no one handles
  }};
  // Dropped frames a member may send before it is disconnected; refills at its rate.
  RateRule flood{2, 60};
  // Logins of one id, and from one address (loopback only with --cap-loopback).
  RateRule login{0.2, 5};
  RateRule addressLogin{2, 30};

  const RateRule& For(RateClass c) const { return classes[static_cast<std::size_t>(c)]; }
  RateRule& For(RateClass c) { return classes[static_cast<std::size_t>(c)]; }
};

// The class a command has of its own; nullopt for the commands that fall to "other".
std::optional<RateClass> RateClassOf(std::string_view command);
// "talk", "status", ... as used by --rate and in the metrics.
std::string_view RateClassName(RateClass c);
std::optional<RateClass> RateClassNamed(std::string_view name);

// A rule in microseconds: one token every interval, and how far ahead of now
// the bucket may be drawn (burst - 1 intervals).
struct Pace {
  Pace() = default;
  explicit Pace(const RateRule& rule);
  std::int64_t interval = 1;
  std::int64_t tolerance = 0;
};

// A token bucket is one number: the time (µs) at which it is full again. Zero
// is a full bucket, so a fresh one needs no set-up. Takes a token when there is one.
bool TakeToken(std::int64_t& fullAt, const Pace& pace, Millis now);

class TokenBucket {
 public:
  TokenBucket(const RateRule& rule, Millis) : pace_(rule) {}
  bool Take(Millis now) { return TakeToken(fullAt_, pace_, now); }

 private:
  Pace pace_;
  std::int64_t fullAt_ = 0;
};

enum class RateVerdict { kPass, kDrop, kCutOff };

}  // namespace orvinta::server
