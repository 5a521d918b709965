#pragma once
// An expulsion vote in one room. Every member present when it opens, on this
// node or another, except the target, may vote once; it ends when they all
// have or when time is up. Members are known by id.
#include <cstddef>
#include <set>
#include <string>

#include "server/clock.h"
#include "server/outbox.h"

namespace orvinta::server {

class BanVote {
 public:
  // remote: the members on other nodes when it opened (voters or the target).
  BanVote(std::string requester, std::string target, std::set<std::string> voters, Millis deadline,
          std::set<std::string> remote = {})
      : requester_(std::move(requester)), target_(std::move(target)), voters_(std::move(voters)),
        remote_(std::move(remote)), deadline_(deadline) {}

  // False when the voter may not vote (not eligible, or has voted already).
  bool Cast(const std::string& voter, bool inFavour);
  // A member who left no longer holds the vote up, nor counts among the room's.
  void Forget(const std::string& member) {
    voters_.erase(member);
    remote_.erase(member);
  }
  bool IsRemote(const std::string& member) const { return remote_.contains(member); }
  std::size_t RemoteMembers() const { return remote_.size(); }

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
  std::set<std::string> voters_;  // those who may still vote
  std::set<std::string> remote_;
  Millis deadline_;
  std::size_t for_ = 0;
  std::size_t against_ = 0;
};

}  // namespace orvinta::server
