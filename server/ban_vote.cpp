#include "server/ban_vote.h"

namespace orvinta::server {

bool BanVote::Cast(const std::string& voter, bool inFavour) {
  if (voters_.erase(voter) == 0) return false;
  ++(inFavour ? for_ : against_);
  return true;
}

}  // namespace orvinta::server
