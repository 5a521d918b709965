#pragma once
// Who was voted out of which room, until when: an expelled member who comes
// straight back is refused. Bounded; the oldest entries go first.
#include <cstddef>
#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "server/clock.h"

namespace orvinta::server {

class Expulsions {
 public:
  Expulsions(Millis duration, std::size_t maxEntries) : duration_(duration), maxEntries_(maxEntries) {}

  void Remember(const std::string& roomId, const std::string& userId, Millis now);
  bool Barred(const std::string& roomId, const std::string& userId, Millis now) const;
  void Prune(Millis now);
  std::size_t Size() const { return until_.size(); }

 private:
  using Entry = std::pair<std::string, std::string>;  // room id, user id

  Millis duration_;
  std::size_t maxEntries_;
  std::map<Entry, Millis> until_;
  std::deque<std::pair<Entry, Millis>> order_;  // by deadline, as every entry lasts the same
};

}  // namespace orvinta::server
