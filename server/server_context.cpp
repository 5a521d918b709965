#include "server/server_context.h"

#include <string>

#include "protocol/codec.h"
#include "server/moderation_commands.h"

namespace orvinta::server {

std::string JoinFields(std::initializer_list<std::string_view> fields) {
  std::string body;
  for (auto it = fields.begin(); it != fields.end(); ++it) {
    if (it != fields.begin()) body.push_back('/');
    body.append(*it);
  }
  return body;
}

void ServerContext::Send(ConnectionId to, std::string_view command, std::string_view body) {
  std::string frame = protocol::MakeFrame(command, body);
  if (!frame.empty()) outbox.Send(to, std::move(frame));
}

void ServerContext::SendSystem(ConnectionId to, int code, std::string_view value) {
  Send(to, "SYST", JoinFields({std::to_string(code), value}));
}

void ServerContext::SendToRoom(const Room& room, std::string_view command, std::string_view body,
                               ConnectionId except) {
  const std::string frame = protocol::MakeFrame(command, body);
  if (frame.empty()) return;
  for (const RoomMember& member : room.members) {
    if (member.connection != except) outbox.Send(member.connection, frame);
  }
}

void ServerContext::LeaveRoom(Session& session, const std::string& roomKey) {
  session.rooms.erase(roomKey);
  if (!rooms.Leave(roomKey, session.connection)) return;
  Room* room = rooms.Find(roomKey);
  if (room == nullptr) return;  // it was the last member
  SendToRoom(*room, "CHOT", JoinFields({session.userId, roomKey}));
  SettleVote(*this, roomKey);
}

void ServerContext::Forget(ConnectionId connection) {
  Session* session = sessions.Find(connection);
  if (session == nullptr) return;
  const auto roomKeys = session->rooms;
  for (const std::string& key : roomKeys) LeaveRoom(*session, key);
  sessions.Remove(connection);
}

void ServerContext::Drop(ConnectionId connection) {
  if (sessions.Find(connection) == nullptr) return;
  Forget(connection);
  outbox.Close(connection);
}

}  // namespace orvinta::server
