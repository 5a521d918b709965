#pragma once
// One client connection as the core knows it.
#include <algorithm>
#include <string>
#include <vector>

#include "server/clock.h"
#include "server/outbox.h"
#include "server/rate_ledger.h"

namespace orvinta::server {

enum class SessionState {
  kAwaitingLogin,  // connected, nothing useful yet
  kQuerying,       // never logged in but asks about rooms (the web page control)
  kLoggedIn,
};

// The rooms a member is in, by room id: a few, so a short vector (a set would
// cost every member a tree node per room).
class RoomIds {
 public:
  bool contains(const std::string& id) const { return std::find(ids_.begin(), ids_.end(), id) != ids_.end(); }
  void insert(std::string id) {
    if (!contains(id)) ids_.push_back(std::move(id));
  }
  void erase(const std::string& id) {
    const auto it = std::find(ids_.begin(), ids_.end(), id);
    if (it == ids_.end()) return;
    *it = std::move(ids_.back());
    ids_.pop_back();
  }
  std::size_t size() const { return ids_.size(); }
  auto begin() const { return ids_.begin(); }
  auto end() const { return ids_.end(); }

 private:
  std::vector<std::string> ids_;
};

struct Session {
  ConnectionId connection = 0;
  SessionState state = SessionState::kAwaitingLogin;
  std::string address;  // the peer's IPv4 address, as text

  // Set by the login and never taken from any later body: this is who the
  // connection speaks as.
  std::string userId;
  std::string nick;
  std::string icon;

  // The connect while awaiting the login; then the login and the last PONG,
  // or the last query of a querying connection.
  Millis lastHeard = 0;
  Millis nextPing = 0;

  RoomIds rooms;  // room ids (RoomIdOf)
  // The cluster is being asked whether the id is free.
  bool claiming = false;
  // It asked for history ("HIST"): its lines come stamped and it may ask for more.
  bool history = false;
  // Its own buckets before the login, its id's after.
  RateState rates;

  bool LoggedIn() const { return state == SessionState::kLoggedIn; }
};

}  // namespace orvinta::server
