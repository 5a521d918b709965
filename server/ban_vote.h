#pragma once
// An expulsion vote in one room. Every member present when it opens, except
// the target, may vote once; it ends when they all have or when time is up.
#include <cstddef>
#include <set>
#include <string>

#include "server/clock.h"
#include "server/outbox.h"

namespace orvinta::server {

class BanVote {
 public:
  BanVote(std::string requester, std::string target, std::set<ConnectionId> voters, Millis deadline)
      : requester_(std::move(requester)), target_(std::move(target)), voters_(std::move(voters)),
        deadline_(deadline) {}

  // False when the voter may not vote (not eligible, or has voted already).
  bool Cast(ConnectionId voter, bool inFavour);
  // A voter who left no longer holds the vote up.
  void Forget(ConnectionId voter) { voters_.erase(voter); }

  bool Complete() const { return voters_.empty(); }
  bool Expired(Millis now) const { return now >= deadline_; }

  const std::string& Requester() const { return requester_; }
  const std::string& Target() const { return target_; }
  std::size_t For() const { return for_; }
  std::size_t Against() const { return against_; }

  // Expelled when the votes for are more than half of the room's members.
  bool Carries(std::size_t memberCount) const { return 2 * for_ > memberCount; }

 private:
  std::string requester_;
  std::string target_;
  std::set<ConnectionId> voters_;  // those who may still vote
  Millis deadline_;
  std::size_t for_ = 0;
  std::size_t against_ = 0;
};

}  // namespace orvinta::server
