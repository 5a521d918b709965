#pragma once
// Second logins waiting to learn whether the session holding their id is
// still there. A member whose network died leaves no close behind, so its old
// session would lock it out until the keep-alive gives up: instead the holder
// is pinged, and a holder that stays silent makes way for the newcomer.
#include <functional>
#include <string>
#include <vector>

#include "server/clock.h"
#include "server/outbox.h"

namespace orvinta::server {

struct LoginContest {
  std::string userId;
  ConnectionId holder = 0;    // the session logged in with the id
  ConnectionId newcomer = 0;  // the connection asking for it; 0 when another node asks
  std::string loginBody;      // its "USER" body, admitted if the holder is gone
  Millis deadline = 0;
  bool answered = false;      // the holder answered the ping
  std::function<void(bool live)> remote;  // when another node asks: its answer
};

class LoginContests {
 public:
  static constexpr Millis kHolderAnswerMs = 5000;

  bool HasId(const std::string& userId) const;
  bool HasNewcomer(ConnectionId newcomer) const;
  void Open(LoginContest contest) { contests_.push_back(std::move(contest)); }
  // The holder spoke: it is alive.
  void Answered(ConnectionId holder);
  // Takes out the contests that are decided (answered or past their deadline),
  // or whose holder is gone by isGone.
  template <typename IsGone>
  std::vector<LoginContest> TakeDecided(Millis now, IsGone isGone) {
    std::vector<LoginContest> decided;
    for (std::size_t i = 0; i < contests_.size();) {
      LoginContest& c = contests_[i];
      if (c.answered || now >= c.deadline || isGone(c.holder) || (c.newcomer != 0 && isGone(c.newcomer))) {
        decided.push_back(std::move(c));
        c = std::move(contests_.back());
        contests_.pop_back();
      } else {
        ++i;
      }
    }
    return decided;
  }
  bool Empty() const { return contests_.empty(); }

 private:
  std::vector<LoginContest> contests_;
};

}  // namespace orvinta::server
