#include "server/server_context.h"

#include <string>

#include "protocol/codec.h"
#include "protocol/wire_commands.h"
#include "server/moderation_commands.h"
#include "server/wire_fields.h"

namespace orvinta::server {
namespace {

NoLog gNoLog;

}  // namespace

ServerContext::ServerContext(const Clock& clock, Outbox& outbox, const ServerLimits& limits, CoreServices services)
    : clock(clock),
      outbox(outbox),
      limits(limits),
      keys(services.keys),
      log(services.log ? *services.log : gNoLog),
      cluster(services.cluster ? *services.cluster : singleNode),
      history(services.history),
      wallClock(services.wallClock ? *services.wallClock : clock),
      rooms(RoomLimits{limits.maxRooms, limits.roomCapacity, limits.maxRoomsCreatedPerMember}),
      connectionsPerAddress(limits.maxConnectionsPerAddress, limits.capLoopback),
      queryingPerAddress(limits.maxQueryingPerAddress, limits.capLoopback),
      expulsions(limits.expulsionBar, limits.maxExpulsionsRemembered),
      rateLedger(limits.rates, limits.maxRateEntries) {}

std::string JoinFields(std::initializer_list<std::string_view> fields) {
  std::string body;
  for (auto it = fields.begin(); it != fields.end(); ++it) {
    if (it != fields.begin()) body.push_back('/');
    body.append(*it);
  }
  return body;
}

std::string Who(const Session& session) {
  std::string who = "#" + std::to_string(session.connection);
  if (!session.userId.empty()) who += " " + LogText(session.userId);
  who += "@" + session.address;
  return who;
}

void ServerContext::Send(ConnectionId to, std::string_view command, std::string_view body) {
  const std::string frame = protocol::MakeFrame(command, body);
  if (frame.empty()) return;
  ++metrics.deliveries;
  outbox.Send(to, frame);
}

void ServerContext::SendSystem(ConnectionId to, int code, std::string_view value) {
  Send(to, wire::kSystem, JoinFields({std::to_string(code), value}));
}

void ServerContext::SendToRoom(const Room& room, std::string_view command, std::string_view body,
                               ConnectionId except, Millis waited) {
  const std::string frame = protocol::MakeFrame(command, body);
  if (!frame.empty()) SendFramesToRoom(room, frame, frame, except, waited);
}

void ServerContext::SendFramesToRoom(const Room& room, std::string_view plainFrame, std::string_view historyFrame,
                                     ConnectionId except, Millis waited) {
  for (const RoomMember& member : room.members) {
    if (member.connection == except) continue;
    ++metrics.deliveries;
    const std::string_view frame = member.history ? historyFrame : plainFrame;
    if (waited > 0) {
      outbox.SendWaited(member.connection, frame, waited);
    } else {
      outbox.Send(member.connection, frame);
    }
  }
}

void ServerContext::Announce(const Room& room, std::string_view command, std::string_view body,
                             ConnectionId except) {
  SendToRoom(room, command, body, except);
  cluster.Publish(RoomIdOf(room.key), command, body);
}

void ServerContext::LeaveRoom(Session& session, const std::string& roomId) {
  session.rooms.erase(roomId);
  const Room* before = rooms.Find(roomId);
  if (before == nullptr) return;
  const std::string key = before->key;
  if (!rooms.Leave(roomId, session.connection)) return;
  if (Logs(LogLevel::kNormal)) Log(LogLevel::kNormal, "leave " + Who(session) + " room " + LogText(key));
  // The cluster tells the other nodes, when the seat there was this node's.
  cluster.LeaveSeat(roomId, session.userId);
  const std::string body = JoinFields({session.userId, key});
  Room* room = rooms.Find(roomId);
  if (room == nullptr) {  // it was the last member here
    cluster.Unwatch(roomId);
    return;
  }
  SendToRoom(*room, wire::kChatOut, body);
  if (room->vote) room->vote->Forget(session.userId);
  SettleVote(*this, roomId);
}

void ServerContext::Forget(ConnectionId connection) {
  Session* session = sessions.Find(connection);
  if (session == nullptr) return;
  const auto roomIds = session->rooms;
  for (const std::string& id : roomIds) LeaveRoom(*session, id);
  connectionsPerAddress.Release(session->address);
  if (session->state == SessionState::kQuerying) queryingPerAddress.Release(session->address);
  // An id's buckets outlive the connection: a reconnect must not refill them.
  if (session->LoggedIn()) {
    rateLedger.Keep(session->userId, session->rates, Now());
    cluster.ReleaseUser(session->userId);
  }
  Log(LogLevel::kNormal, "disconnect " + Who(*session));
  sessions.Remove(connection);
}

void ServerContext::Drop(ConnectionId connection) {
  if (sessions.Find(connection) == nullptr) return;
  Forget(connection);
  outbox.Close(connection);
}

void ServerContext::Refused(Refusal reason, const Session& session, std::string_view what) {
  metrics.Refused(reason);
  if (Logs(LogLevel::kNormal)) {
    std::string line = "refused ";
    line.append(RefusalName(reason)).append(" ").append(Who(session));
    if (!what.empty()) line.append(" ").append(what);
    Log(LogLevel::kNormal, line);
  }
}

}  // namespace orvinta::server
