#pragma once
// One client connection as the core knows it.
#include <set>
#include <string>

#include "server/clock.h"
#include "server/outbox.h"
#include "server/rate_ledger.h"

namespace orvinta::server {

enum class SessionState {
  kAwaitingLogin,  // connected, nothing useful yet
  kQuerying,       // never logged in but asks about rooms (the web page control)
  kLoggedIn,
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

  Millis connectedAt = 0;
  Millis lastHeard = 0;  // last PONG (or the login), or last query of a querying connection
  Millis nextPing = 0;

  std::set<std::string> rooms;  // room ids (RoomIdOf)
  // The buckets it speaks with: its own before the login, its id's after.
  RateEntry* rates = nullptr;

  bool LoggedIn() const { return state == SessionState::kLoggedIn; }
};

}  // namespace orvinta::server
