#include "server/login_contests.h"

#include <algorithm>

namespace orvinta::server {

bool LoginContests::HasId(const std::string& userId) const {
  return std::any_of(contests_.begin(), contests_.end(), [&](const LoginContest& c) { return c.userId == userId; });
}

bool LoginContests::HasNewcomer(ConnectionId newcomer) const {
  return std::any_of(contests_.begin(), contests_.end(),
                     [&](const LoginContest& c) { return c.newcomer == newcomer; });
}

void LoginContests::Answered(ConnectionId holder) {
  for (LoginContest& c : contests_) {
    if (c.holder == holder) c.answered = true;
  }
}

}  // namespace orvinta::server
