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
    {wire::kAskUserInfo, RateClass::kQuery},
};

constexpr std::string_view kClassNames[kRateClassCount] = {"talk", "status", "room", "invite", "vote", "query"};

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

TokenBucket::TokenBucket(const RateRule& rule, Millis now)
    : capacity_(std::max<std::int64_t>(kToken, std::llround(rule.burst * kToken))),
      perMs_(std::llround(rule.perSecond * kToken / 1000)),
      level_(capacity_),
      last_(now) {}

void TokenBucket::Refill(Millis now) {
  if (now <= last_) return;
  const std::int64_t elapsed = now - last_;
  last_ = now;
  // Past the time a full refill takes, the bucket is simply full (and no product overflows).
  if (perMs_ == 0) return;
  if (elapsed >= (capacity_ - level_) / perMs_ + 1) {
    level_ = capacity_;
  } else {
    level_ = std::min(capacity_, level_ + elapsed * perMs_);
  }
}

bool TokenBucket::Take(Millis now) {
  Refill(now);
  if (level_ < kToken) return false;
  level_ -= kToken;
  return true;
}

MemberRates::MemberRates(const RateRules& rules, Millis now) : flood_(rules.flood, now) {
  for (std::size_t i = 0; i < kRateClassCount; ++i) buckets_[i] = TokenBucket(rules.classes[i], now);
}

RateVerdict MemberRates::Check(RateClass c, Millis now) {
  if (buckets_[static_cast<std::size_t>(c)].Take(now)) {
    droppedInRun_ = 0;
    return RateVerdict::kPass;
  }
  ++droppedInRun_;
  return flood_.Take(now) ? RateVerdict::kDrop : RateVerdict::kCutOff;
}

}  // namespace orvinta::server
