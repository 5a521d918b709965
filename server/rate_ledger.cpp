#include "server/rate_ledger.h"

#include <algorithm>

namespace orvinta::server {
namespace {

constexpr Millis kPruneEvery = 5000;

// Keys that no user id can be: ids hold no control bytes.
std::string ConnectionKey(std::uint64_t connection) { return '\x01' + std::to_string(connection); }
std::string AddressKey(const std::string& address) { return '\x02' + address; }

}  // namespace

RateLedger::RateLedger(const RateRules& rules, std::size_t maxEntries)
    : flood_(rules.flood), login_(rules.login), addressLogin_(rules.addressLogin), maxEntries_(maxEntries) {
  for (std::size_t i = 0; i < kRateClassCount; ++i) classes_[i] = Pace(rules.classes[i]);
}

bool RateLedger::Idle(const RateEntry& e, Millis now) const {
  const std::int64_t nowUs = now * 1000;
  return e.holders == 0 && e.floodFullAt <= nowUs && e.loginFullAt <= nowUs &&
         std::all_of(e.fullAt.begin(), e.fullAt.end(), [nowUs](std::int64_t t) { return t <= nowUs; });
}

RateEntry* RateLedger::Find(std::string key, Millis now) {
  if (const auto it = entries_.find(key); it != entries_.end()) return &it->second;
  if (entries_.size() >= maxEntries_) {
    nextPrune_ = 0;
    Prune(now);
  }
  if (entries_.size() >= maxEntries_) {
    // Still full: the entries nobody holds make room, whatever they remember.
    for (auto it = entries_.begin(); it != entries_.end() && entries_.size() >= maxEntries_;) {
      it = it->second.holders == 0 ? entries_.erase(it) : std::next(it);
    }
    if (entries_.size() >= maxEntries_) return nullptr;
  }
  return &entries_[std::move(key)];
}

RateEntry* RateLedger::Hold(std::string key, Millis now) {
  RateEntry* entry = Find(std::move(key), now);
  if (entry != nullptr) ++entry->holders;
  return entry;
}

RateEntry* RateLedger::HoldId(std::string_view userId, Millis now) { return Hold(std::string(userId), now); }

RateEntry* RateLedger::HoldConnection(std::uint64_t connection, Millis now) {
  return Hold(ConnectionKey(connection), now);
}

void RateLedger::Release(const std::string& key, bool forget) {
  const auto it = entries_.find(key);
  if (it == entries_.end()) return;
  if (it->second.holders > 0) --it->second.holders;
  if (forget && it->second.holders == 0) entries_.erase(it);
}

void RateLedger::ReleaseId(std::string_view userId) { Release(std::string(userId), false); }

void RateLedger::ReleaseConnection(std::uint64_t connection) { Release(ConnectionKey(connection), true); }

RateVerdict RateLedger::Check(RateEntry& entry, RateClass c, Millis now) const {
  const std::size_t i = static_cast<std::size_t>(c);
  if (TakeToken(entry.fullAt[i], classes_[i], now)) {
    entry.droppedInRun = 0;
    return RateVerdict::kPass;
  }
  ++entry.droppedInRun;
  return TakeToken(entry.floodFullAt, flood_, now) ? RateVerdict::kDrop : RateVerdict::kCutOff;
}

bool RateLedger::TakeAddressLogin(const std::string& address, Millis now) {
  RateEntry* entry = Find(AddressKey(address), now);
  return entry != nullptr && TakeToken(entry->loginFullAt, addressLogin_, now);
}

void RateLedger::Prune(Millis now) {
  if (now < nextPrune_) return;
  nextPrune_ = now + kPruneEvery;
  std::erase_if(entries_, [&](const auto& item) { return Idle(item.second, now); });
}

}  // namespace orvinta::server
