#pragma once
// The state the command handlers share, and the few ways they send.
#include <initializer_list>
#include <string>
#include <string_view>

#include "server/clock.h"
#include "server/outbox.h"
#include "server/room_directory.h"
#include "server/server_limits.h"
#include "server/session_table.h"

namespace orvinta::server {

struct ServerContext {
  ServerContext(const Clock& clock, Outbox& outbox, const ServerLimits& limits)
      : clock(clock), outbox(outbox), limits(limits), rooms(limits.maxRooms, limits.roomCapacity) {}

  const Clock& clock;
  Outbox& outbox;
  const ServerLimits limits;
  SessionTable sessions;
  RoomDirectory rooms;

  Millis Now() const { return clock.Now(); }

  void Send(ConnectionId to, std::string_view command, std::string_view body);
  void SendSystem(ConnectionId to, int code, std::string_view value);
  // To every member of the room but one (kNobody leaves none out).
  void SendToRoom(const Room& room, std::string_view command, std::string_view body,
                  ConnectionId except = kNobody);

  // Takes the member out of the room and tells those who stay.
  void LeaveRoom(Session& session, const std::string& roomKey);
  // The session ends: it leaves all its rooms and is forgotten.
  void Forget(ConnectionId connection);
  // As Forget, and the transport is asked to close the connection.
  void Drop(ConnectionId connection);

  static constexpr ConnectionId kNobody = 0;
};

// "/"-joined fields of a body the server sends.
std::string JoinFields(std::initializer_list<std::string_view> fields);

}  // namespace orvinta::server
