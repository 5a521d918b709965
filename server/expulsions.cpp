#include "server/expulsions.h"

namespace orvinta::server {

void Expulsions::Remember(const std::string& roomId, const std::string& userId, Millis now) {
  if (duration_ <= 0 || maxEntries_ == 0) return;
  Prune(now);
  while (until_.size() >= maxEntries_ && !order_.empty()) {
    const auto& [entry, deadline] = order_.front();
    const auto it = until_.find(entry);
    if (it != until_.end() && it->second == deadline) until_.erase(it);
    order_.pop_front();
  }
  Entry entry{roomId, userId};
  until_[entry] = now + duration_;
  order_.emplace_back(std::move(entry), now + duration_);
}

bool Expulsions::Barred(const std::string& roomId, const std::string& userId, Millis now) const {
  const auto it = until_.find(Entry{roomId, userId});
  return it != until_.end() && now < it->second;
}

void Expulsions::Prune(Millis now) {
  while (!order_.empty() && order_.front().second <= now) {
    const auto it = until_.find(order_.front().first);
    // A later expulsion from the same room replaced this deadline.
    if (it != until_.end() && it->second == order_.front().second) until_.erase(it);
    order_.pop_front();
  }
}

}  // namespace orvinta::server
