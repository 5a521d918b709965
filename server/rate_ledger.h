#pragma once
// The members' buckets, kept by who they belong to rather than by connection:
// by user id once logged in, by address for logins, and by connection before
// the login. A reconnect finds its buckets as it left them. An entry is
// forgotten once nobody holds it and every bucket in it is full again (it
// then knows nothing a fresh one would not), and the table has a ceiling.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "server/rate_limits.h"

namespace orvinta::server {

struct RateEntry {
  std::array<std::int64_t, kRateClassCount> fullAt{};
  std::int64_t floodFullAt = 0;
  std::int64_t loginFullAt = 0;
  std::uint32_t droppedInRun = 0;  // frames dropped since the holder was last within its limits
  std::uint32_t holders = 0;       // connections speaking with these buckets
};

class RateLedger {
 public:
  RateLedger(const RateRules& rules, std::size_t maxEntries);

  // The entry of an id, made when missing, with one more holder; null when the
  // table is full of entries in use.
  RateEntry* HoldId(std::string_view userId, Millis now);
  // A connection's own entry until it logs in; forgotten when released.
  RateEntry* HoldConnection(std::uint64_t connection, Millis now);
  void ReleaseId(std::string_view userId);
  void ReleaseConnection(std::uint64_t connection);

  RateVerdict Check(RateEntry& entry, RateClass c, Millis now) const;
  // One login of the id; false when it logs in too often.
  bool TakeIdLogin(RateEntry& entry, Millis now) const { return TakeToken(entry.loginFullAt, login_, now); }
  // One login from the address; false when it sends too many, or the table is full.
  bool TakeAddressLogin(const std::string& address, Millis now);

  // Forgets what nobody holds and is full again; cheap enough to call each tick
  // (it scans at most once every few seconds).
  void Prune(Millis now);
  std::size_t Size() const { return entries_.size(); }

 private:
  RateEntry* Hold(std::string key, Millis now);
  RateEntry* Find(std::string key, Millis now);
  void Release(const std::string& key, bool forget);
  bool Idle(const RateEntry& entry, Millis now) const;

  std::array<Pace, kRateClassCount> classes_;
  Pace flood_;
  Pace login_;
  Pace addressLogin_;
  std::size_t maxEntries_;
  Millis nextPrune_ = 0;
  std::unordered_map<std::string, RateEntry> entries_;
};

}  // namespace orvinta::server
