#include "server/rate_ledger.h"

#include <algorithm>
#include <cstdint>

namespace orvinta::server {
namespace {

constexpr Millis kPruneEvery = 5000;
constexpr std::int64_t kUnitUs = 64;

std::int64_t UnitsOf(Millis now) { return now * 1000 / kUnitUs; }

// Makes room for one more entry: what is full again goes first, then any.
template <typename Map, typename IsFull>
void MakeRoom(Map& map, std::size_t maxEntries, IsFull isFull) {
  if (map.size() < maxEntries) return;
  std::erase_if(map, isFull);
  while (map.size() >= maxEntries && !map.empty()) map.erase(map.begin());
}

}  // namespace

bool RateState::Take(std::size_t bucket, const Pace& pace, Millis now) {
  const std::int64_t at = UnitsOf(now);
  if (at > stamp_) {
    const std::int64_t elapsed = at - stamp_;
    for (std::int32_t& ahead : ahead_) ahead = static_cast<std::int32_t>(std::max<std::int64_t>(0, ahead - elapsed));
    stamp_ = at;
  }
  const std::int64_t interval = std::clamp<std::int64_t>((pace.interval + kUnitUs / 2) / kUnitUs, 1, INT32_MAX / 2);
  const std::int64_t tolerance = std::min<std::int64_t>(pace.tolerance / kUnitUs, INT32_MAX - interval);
  std::int32_t& ahead = ahead_[bucket];
  if (ahead > tolerance) return false;
  ahead = static_cast<std::int32_t>(ahead + interval);
  return true;
}

bool RateState::Full(Millis now) const {
  const std::int64_t elapsed = UnitsOf(now) - stamp_;
  return std::all_of(ahead_.begin(), ahead_.end(), [elapsed](std::int32_t ahead) { return ahead <= elapsed; });
}

RateLedger::RateLedger(const RateRules& rules, std::size_t maxEntries)
    : flood_(rules.flood), login_(rules.login), addressLogin_(rules.addressLogin), maxEntries_(maxEntries) {
  for (std::size_t i = 0; i < kRateClassCount; ++i) classes_[i] = Pace(rules.classes[i]);
}

RateVerdict RateLedger::Check(RateState& state, RateClass c, Millis now) const {
  const std::size_t i = static_cast<std::size_t>(c);
  if (state.Take(i, classes_[i], now)) {
    state.droppedInRun = 0;
    return RateVerdict::kPass;
  }
  ++state.droppedInRun;
  return state.Take(RateState::kFlood, flood_, now) ? RateVerdict::kDrop : RateVerdict::kCutOff;
}

bool RateLedger::TakeAddressLogin(const std::string& address, Millis now) {
  auto it = addresses_.find(address);
  if (it == addresses_.end()) {
    MakeRoom(addresses_, maxEntries_, [now](const auto& item) { return item.second <= now * 1000; });
    it = addresses_.emplace(address, 0).first;
  }
  return TakeToken(it->second, addressLogin_, now);
}

RateState RateLedger::Resume(std::string_view userId) {
  const auto it = ids_.find(std::string(userId));
  if (it == ids_.end()) return {};
  const RateState state = it->second;
  ids_.erase(it);
  return state;
}

void RateLedger::Keep(std::string_view userId, const RateState& state, Millis now) {
  if (state.Full(now)) return;
  std::string key(userId);
  if (!ids_.contains(key)) MakeRoom(ids_, maxEntries_, [now](const auto& item) { return item.second.Full(now); });
  ids_.insert_or_assign(std::move(key), state);
}

void RateLedger::Prune(Millis now) {
  if (now < nextPrune_) return;
  nextPrune_ = now + kPruneEvery;
  std::erase_if(ids_, [now](const auto& item) { return item.second.Full(now); });
  std::erase_if(addresses_, [now](const auto& item) { return item.second <= now * 1000; });
}

}  // namespace orvinta::server
