#pragma once
// The state the command handlers share, and the few ways they send, log and count.
#include <initializer_list>
#include <string>
#include <string_view>

#include "server/address_caps.h"
#include "server/clock.h"
#include "server/cluster_port.h"
#include "server/event_log.h"
#include "server/expulsions.h"
#include "server/history_port.h"
#include "server/login_contests.h"
#include "server/outbox.h"
#include "server/rate_ledger.h"
#include "server/room_directory.h"
#include "server/server_limits.h"
#include "server/server_metrics.h"
#include "server/session_key.h"
#include "server/session_table.h"

namespace orvinta::server {

// What the core uses beyond the clock and the outbox; each may be left out.
struct CoreServices {
  // No keys: development mode, any session key is accepted.
  const SessionKeys* keys = nullptr;
  EventLog* log = nullptr;
  // No cluster: this process alone.
  ClusterPort* cluster = nullptr;
  // No history: chat lines are relayed and forgotten.
  HistoryPort* history = nullptr;
  // The time lines are stamped with; none: the core's clock.
  const Clock* wallClock = nullptr;
};

struct ServerContext {
  ServerContext(const Clock& clock, Outbox& outbox, const ServerLimits& limits, CoreServices services);

  const Clock& clock;
  Outbox& outbox;
  const ServerLimits limits;
  const SessionKeys* keys;
  EventLog& log;
  SingleNode singleNode;
  ClusterPort& cluster;
  HistoryPort* history;
  const Clock& wallClock;
  SessionTable sessions;
  RoomDirectory rooms;
  AddressCaps connectionsPerAddress;
  AddressCaps queryingPerAddress;
  Expulsions expulsions;
  RateLedger rateLedger;
  LoginContests loginContests;
  ServerMetrics metrics;

  Millis Now() const { return clock.Now(); }
  Millis WallNow() const { return wallClock.Now(); }

  void Send(ConnectionId to, std::string_view command, std::string_view body);
  void SendSystem(ConnectionId to, int code, std::string_view value);
  // To every member of the room but one (kNobody leaves none out); waited:
  // how long the frame was held on the node it came from.
  void SendToRoom(const Room& room, std::string_view command, std::string_view body,
                  ConnectionId except = kNobody, Millis waited = 0);
  // As SendToRoom, with a frame of its own for the members who asked for history.
  void SendFramesToRoom(const Room& room, std::string_view plainFrame, std::string_view historyFrame,
                        ConnectionId except, Millis waited);

  // To the members of the room here and on every other node.
  void Announce(const Room& room, std::string_view command, std::string_view body, ConnectionId except = kNobody);

  // Takes the member out of the room (by room id) and tells those who stay.
  void LeaveRoom(Session& session, const std::string& roomId);
  // The session ends: it leaves all its rooms and is forgotten.
  void Forget(ConnectionId connection);
  // As Forget, and the transport is asked to close the connection.
  void Drop(ConnectionId connection);

  bool Logs(LogLevel level) const { return log.Wants(level); }
  void Log(LogLevel level, std::string_view line) {
    if (log.Wants(level)) log.Write(line);
  }
  // Counts the refusal and logs it with who and what.
  void Refused(Refusal reason, const Session& session, std::string_view what);

  static constexpr ConnectionId kNobody = 0;
};

// "#12 alice@10.0.0.5" for log lines: the connection, its id once logged in, its address.
std::string Who(const Session& session);

// "/"-joined fields of a body the server sends.
std::string JoinFields(std::initializer_list<std::string_view> fields);

}  // namespace orvinta::server
