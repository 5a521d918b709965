#include "server/rate_limits.h"

#include <algorithm>
#include <cmath>

#include "protocol/wire_commands.h"

namespace orvinta::server {
namespace {

struct CommandClass {
  std::string_view command;
  RateClass rateClass;
};

constexpr CommandClass kCommandClasses[] = {
    {wire::kToAll, RateClass::kTalk},       {wire::kUserInfoToAll, RateClass::kStatus},
    {wire::kChatIn, RateClass::kRoom},      {wire::kChatOut, RateClass::kRoom},
    {wire::kInvite, RateClass::kInvite},    {wire::kDenyInvite, RateClass::kInvite},
    {wire::kIgnore, RateClass::kInvite},    {wire::kRequestBan, RateClass::kVote},
    {wire::kAskUserInfo, RateClass::kQuery},  {wire::kHistoryRequest, RateClass::kHistory},
};

constexpr std::string_view kClassNames[kRateClassCount] = {"talk",  "status",  "room", "invite",
                                                           "vote", "query", "history", "other"};

constexpr std::int64_t kMicrosPerSecond = 1'000'000;

}  // namespace

std::optional<RateClass> RateClassOf(std::string_view command) {
  for (const CommandClass& entry : kCommandClasses) {
    if (entry.command == command) return entry.rateClass;
  }
  return std::nullopt;
}

std::string_view RateClassName(RateClass c) { return kClassNames[static_cast<std::size_t>(c)]; }

std::optional<RateClass> RateClassNamed(std::string_view name) {
  for (std::size_t i = 0; i < kRateClassCount; ++i) {
    if (kClassNames[i] == name) return static_cast<RateClass>(i);
  }
  return std::nullopt;
}

Pace::Pace(const RateRule& rule)
    : interval(std::max<std::int64_t>(1, std::llround(kMicrosPerSecond / rule.perSecond))),
      tolerance(std::llround((std::max(rule.burst, 1.0) - 1) * static_cast<double>(interval))) {}

bool TakeToken(std::int64_t& fullAt, const Pace& pace, Millis now) {
  const std::int64_t nowUs = now * 1000;
  const std::int64_t from = std::max(fullAt, nowUs);
  if (from - nowUs > pace.tolerance) return false;
  fullAt = from + pace.interval;
  return true;
}

}  // namespace orvinta::server
