#include "server/room_commands.h"

#include "text/text_util.h"
#include "server/system_codes.h"
#include "server/wire_fields.h"

namespace orvinta::server {
namespace {

// The first field of every body names the sender; it is never believed; the
// session says who is speaking.
std::optional<std::string> RoomField(ServerContext& ctx, std::string_view body) {
  return CleanRoomKey(text::SplitFields(body, '/', 3)[1], ctx.limits);
}

std::string MemberDetails(const Session& member, const std::string& roomKey, const std::string& status) {
  return JoinFields({member.userId, roomKey, member.nick, member.icon, status});
}

// "IFON" for every member of the room except one, to one connection.
void SendMembers(ServerContext& ctx, ConnectionId to, const Room& room, ConnectionId except) {
  for (const RoomMember& m : room.members) {
    if (m.connection == except) continue;
    if (const Session* member = ctx.sessions.Find(m.connection)) {
      ctx.Send(to, "IFON", MemberDetails(*member, room.key, m.status));
    }
  }
}

// What a member entering the room needs: who is there, and whether a vote runs.
void SendRoster(ServerContext& ctx, ConnectionId to, const Room& room) {
  SendMembers(ctx, to, room, to);
  if (room.vote) ctx.Send(to, "RMIF", JoinFields({room.key, "T"}));
}

}  // namespace

void HandleChatIn(ServerContext& ctx, Session& session, std::string_view body) {
  const auto key = RoomField(ctx, body);
  if (!key) return;
  if (!MayEnterRoom(*key, session.userId)) {
    ctx.SendSystem(session.connection, system_code::kRemovedFromRoom, *key);
    return;
  }
  if (!session.rooms.contains(*key) && session.rooms.size() >= ctx.limits.maxRoomsPerMember) {
    ctx.SendSystem(session.connection, system_code::kTooManyUsers, *key);
    return;
  }
  switch (ctx.rooms.Join(*key, session.connection)) {
    case JoinResult::kRoomFull:
      ctx.SendSystem(session.connection, system_code::kRoomFull, *key);
      return;
    case JoinResult::kTooManyRooms:
      ctx.SendSystem(session.connection, system_code::kTooManyUsers, *key);
      return;
    case JoinResult::kAlreadyIn:
      // The client may have lost its view of the room: tell it again who is there.
      SendRoster(ctx, session.connection, *ctx.rooms.Find(*key));
      return;
    case JoinResult::kJoined:
      break;
  }
  session.rooms.insert(*key);
  const Room& room = *ctx.rooms.Find(*key);
  ctx.SendToRoom(room, "CHIN", JoinFields({session.userId, *key, session.nick, session.icon}),
                 session.connection);
  SendRoster(ctx, session.connection, room);
}

void HandleChatOut(ServerContext& ctx, Session& session, std::string_view body) {
  const auto key = RoomField(ctx, body);
  if (key && session.rooms.contains(*key)) ctx.LeaveRoom(session, *key);
}

void HandleToAll(ServerContext& ctx, Session& session, std::string_view body) {
  const auto fields = text::SplitFields(body, '/', 3);
  const auto key = CleanRoomKey(fields[1], ctx.limits);
  if (!key || !session.rooms.contains(*key)) return;
  if (const Room* room = ctx.rooms.Find(*key)) {
    ctx.SendToRoom(*room, "TALL", JoinFields({session.userId, *key, fields[2]}), session.connection);
  }
}

void HandleUserInfoToAll(ServerContext& ctx, Session& session, std::string_view body) {
  const auto fields = text::SplitFields(body, '/', 3);
  const auto key = CleanRoomKey(fields[1], ctx.limits);
  const auto status = CleanNumber(fields[2], ctx.limits);
  if (!key || !status) return;
  Room* room = ctx.rooms.Find(*key);
  RoomMember* self = room ? room->FindMember(session.connection) : nullptr;
  if (self == nullptr) return;
  self->status = *status;
  ctx.SendToRoom(*room, "IFAL", JoinFields({session.userId, *key, *status}), session.connection);
}

void HandleAskUserInfo(ServerContext& ctx, Session& session, std::string_view body) {
  if (!session.LoggedIn()) {
    // The web page control asks without logging in; asking keeps it connected.
    session.state = SessionState::kQuerying;
    session.lastHeard = ctx.Now();
  }
  const auto key = RoomField(ctx, body);
  if (!key) return;
  if (const Room* room = ctx.rooms.Find(*key)) SendMembers(ctx, session.connection, *room, ServerContext::kNobody);
}

}  // namespace orvinta::server
