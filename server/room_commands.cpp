#include "server/room_commands.h"

#include "protocol/wire_commands.h"
#include "server/history_commands.h"
#include "server/cluster_rosters.h"
#include "server/wire_fields.h"
#include "text/text_util.h"

namespace orvinta::server {
namespace {

namespace code = wire::system_code;

// The first field of every body names the sender; it is never believed; the
// session says who is speaking.
std::optional<std::string> RoomField(ServerContext& ctx, std::string_view body) {
  return CleanRoomKey(text::SplitFields(body, '/', 3)[1], ctx.limits);
}

std::string MemberDetails(const Session& member, const std::string& roomKey, const std::string& status) {
  return JoinFields({member.userId, roomKey, member.nick, member.icon, status});
}

// "IFON" for every member of the room here except one, to one connection.
void SendMembers(ServerContext& ctx, ConnectionId to, const Room& room, ConnectionId except) {
  for (const RoomMember& m : room.members) {
    if (m.connection == except) continue;
    if (const Session* member = ctx.sessions.Find(m.connection)) {
      ctx.Send(to, wire::kUserInfoToOne, MemberDetails(*member, room.key, m.status));
    }
  }
}

// "IFON" for the members on other nodes: whoever is logged in here was told
// from this node's own tables, which are fresher.
void SendOthers(ServerContext& ctx, ConnectionId to, const std::string& roomKey,
                const std::vector<ClusterMember>& others) {
  for (const ClusterMember& m : others) {
    if (!IsValidUserId(m.userId, ctx.limits) || ctx.sessions.FindUser(m.userId) != nullptr) continue;
    ctx.Send(to, wire::kUserInfoToOne, JoinFields({m.userId, roomKey, m.nick, m.icon, m.status}));
  }
}

// What a member entering the room needs: who is there (on other nodes, as
// the room's members here know them), and whether a vote runs (held here or
// by another node).
void SendRoster(ServerContext& ctx, ConnectionId to, const Room& room, bool voteElsewhere) {
  SendMembers(ctx, to, room, to);
  for (const auto& [id, m] : room.remote) {
    ctx.Send(to, wire::kUserInfoToOne, JoinFields({id, room.key, m.nick, m.icon, m.status}));
  }
  if (room.vote || voteElsewhere) ctx.Send(to, wire::kRoomInfo, JoinFields({room.key, "T"}));
}

// Every member of the room, here and on the other nodes, once the cluster
// answers; the members here as this node knows them then.
void SendEveryone(ServerContext& ctx, ConnectionId to, const std::string& roomId, const std::string& askedKey,
                  ConnectionId except) {
  ctx.cluster.AskMembers(roomId, [&ctx, to, roomId, askedKey, except](std::vector<ClusterMember> others) {
    if (ctx.sessions.Find(to) == nullptr) return;
    const Room* room = ctx.rooms.Find(roomId);
    if (room != nullptr) SendMembers(ctx, to, *room, except);
    SendOthers(ctx, to, room ? room->key : askedKey, others);
  });
}

ClusterMember AsClusterMember(const Session& session, const std::string& status) {
  return {session.userId, session.nick, session.icon, status};
}

struct JoinRefusal {
  JoinResult result;
  Refusal reason;
  int systemCode;
};

constexpr JoinRefusal kJoinRefusals[] = {
    {JoinResult::kRoomFull, Refusal::kRoomFull, code::kRoomFull},
    {JoinResult::kTooManyRooms, Refusal::kRoomTable, code::kTooManyUsers},
    {JoinResult::kTooManyCreated, Refusal::kRoomsCreated, code::kTooManyUsers},
};

void RefuseEntry(ServerContext& ctx, Session& session, Refusal reason, int systemCode, const std::string& key) {
  ctx.Refused(reason, session, "room " + LogText(key));
  ctx.SendSystem(session.connection, systemCode, key);
}

void JoinRefused(ServerContext& ctx, Session& session, JoinResult result, const std::string& key) {
  for (const JoinRefusal& refusal : kJoinRefusals) {
    if (refusal.result == result) RefuseEntry(ctx, session, refusal.reason, refusal.systemCode, key);
  }
}

// The cluster gave the member a seat: now the room here.
void Seat(ServerContext& ctx, Session& session, const std::string& key, const std::vector<ClusterMember>& others,
          bool voteRunning) {
  const std::string roomId = RoomIdOf(key);
  if (!session.rooms.contains(roomId) && session.rooms.size() >= ctx.limits.maxRoomsPerMember) {
    ctx.cluster.LeaveSeat(roomId, session.userId);
    RefuseEntry(ctx, session, Refusal::kRoomsPerMember, code::kTooManyUsers, key);
    return;
  }
  const JoinResult result = ctx.rooms.Join(key, session.connection);
  if (result != JoinResult::kJoined && result != JoinResult::kAlreadyIn) {
    ctx.cluster.LeaveSeat(roomId, session.userId);
    if (ctx.rooms.Find(roomId) == nullptr) ctx.cluster.Unwatch(roomId);
    JoinRefused(ctx, session, result, key);
    return;
  }
  Room& room = *ctx.rooms.Find(roomId);
  // Seen on another node until now (it came back here before that node's seat went).
  room.remote.erase(session.userId);
  MergeRoster(ctx, room, others, session.connection);
  if (result == JoinResult::kAlreadyIn) {
    SendRoster(ctx, session.connection, room, voteRunning);
    return;
  }
  session.rooms.insert(roomId);
  room.FindMember(session.connection)->history = session.history;
  ctx.cluster.Watch(roomId);
  if (ctx.Logs(LogLevel::kNormal)) ctx.Log(LogLevel::kNormal, "enter " + Who(session) + " room " + LogText(room.key));
  ctx.Announce(room, wire::kChatIn, JoinFields({session.userId, room.key, session.nick, session.icon}),
               session.connection);
  SendRoster(ctx, session.connection, room, voteRunning);
}

}  // namespace

void HandleChatIn(ServerContext& ctx, Session& session, std::string_view body) {
  const auto key = RoomField(ctx, body);
  if (!key) {
    ctx.Refused(Refusal::kBadRoomKey, session, "room " + LogText(text::SplitFields(body, '/', 3)[1]));
    return;
  }
  const std::string roomId = RoomIdOf(*key);
  if (!MayEnterRoom(*key, session.userId)) {
    RefuseEntry(ctx, session, Refusal::kPrivateRoom, code::kRemovedFromRoom, *key);
    return;
  }
  if (ctx.expulsions.Barred(roomId, session.userId, ctx.Now())) {
    RefuseEntry(ctx, session, Refusal::kExpelled, code::kRemovedFromRoom, *key);
    return;
  }
  if (session.rooms.contains(roomId)) {
    // The client may have lost its view of the room: tell it again who is there.
    if (const Room* room = ctx.rooms.Find(roomId); room && room->vote) {
      ctx.Send(session.connection, wire::kRoomInfo, JoinFields({room->key, "T"}));
    }
    SendEveryone(ctx, session.connection, roomId, *key, session.connection);
    return;
  }
  if (session.rooms.size() >= ctx.limits.maxRoomsPerMember) {
    RefuseEntry(ctx, session, Refusal::kRoomsPerMember, code::kTooManyUsers, *key);
    return;
  }
  const JoinResult local = ctx.rooms.CanJoin(*key, session.connection);
  if (local != JoinResult::kJoined && local != JoinResult::kAlreadyIn) {
    JoinRefused(ctx, session, local, *key);
    return;
  }
  // Listening before the seat is taken, so that nothing said meanwhile is missed.
  ctx.cluster.Watch(roomId);
  const ConnectionId connection = session.connection;
  const std::string userId = session.userId;
  const std::string roomKey = *key;
  SeatRequest request{roomId, roomKey, AsClusterMember(session, "0"), ctx.limits.roomCapacity};
  ctx.cluster.TakeSeat(request, [&ctx, connection, userId, roomId](SeatAnswer answer) {
    const SeatVerdict verdict = answer.verdict;
    const std::string& roomKey = answer.roomKey;
    Session* s = ctx.sessions.Find(connection);
    if (s == nullptr || s->userId != userId) {
      if (verdict == SeatVerdict::kSeated) ctx.cluster.LeaveSeat(roomId, userId);
      if (ctx.rooms.Find(roomId) == nullptr) ctx.cluster.Unwatch(roomId);
      return;
    }
    if (verdict != SeatVerdict::kSeated) {
      if (ctx.rooms.Find(roomId) == nullptr) ctx.cluster.Unwatch(roomId);
      if (verdict == SeatVerdict::kBarred) {
        RefuseEntry(ctx, *s, Refusal::kExpelled, code::kRemovedFromRoom, roomKey);
      } else {
        RefuseEntry(ctx, *s, Refusal::kRoomFull, code::kRoomFull, roomKey);
      }
      return;
    }
    Seat(ctx, *s, roomKey, answer.others, answer.voteRunning);
  });
}

void HandleChatOut(ServerContext& ctx, Session& session, std::string_view body) {
  const auto key = RoomField(ctx, body);
  if (!key) return;
  const std::string roomId = RoomIdOf(*key);
  if (session.rooms.contains(roomId)) ctx.LeaveRoom(session, roomId);
}

void HandleToAll(ServerContext& ctx, Session& session, std::string_view body) {
  const auto fields = text::SplitFields(body, '/', 3);
  const auto key = CleanRoomKey(fields[1], ctx.limits);
  if (!key || !session.rooms.contains(RoomIdOf(*key))) return;
  if (body.size() > ctx.limits.maxTalkBodyBytes) {
    ctx.Refused(Refusal::kLineTooLong, session, std::to_string(body.size()) + " bytes in room " + LogText(*key));
    return;
  }
  if (const Room* room = ctx.rooms.Find(*key)) {
    if (ctx.Logs(LogLevel::kVerbose)) {
      ctx.Log(LogLevel::kVerbose, "line " + Who(session) + " room " + LogText(room->key) + ": " + LogText(fields[2]));
    }
    RelayLine(ctx, *room, JoinFields({session.userId, room->key, fields[2]}), &session);
  }
}

void HandleUserInfoToAll(ServerContext& ctx, Session& session, std::string_view body) {
  const auto fields = text::SplitFields(body, '/', 3);
  const auto key = CleanRoomKey(fields[1], ctx.limits);
  const auto status = CleanNumber(fields[2], ctx.limits);
  if (!key || !status) return;
  Room* room = ctx.rooms.Find(*key);
  RoomMember* self = room ? room->FindMember(session.connection) : nullptr;
  // A status that does not change costs the others nothing.
  if (self == nullptr || self->status == *status) return;
  self->status = *status;
  ctx.cluster.UpdateSeat(RoomIdOf(room->key), AsClusterMember(session, *status));
  ctx.Announce(*room, wire::kUserInfoToAll, JoinFields({session.userId, room->key, *status}), session.connection);
}

void HandleAskUserInfo(ServerContext& ctx, Session& session, std::string_view body) {
  if (session.state == SessionState::kAwaitingLogin) {
    // The web page control asks without logging in; asking keeps it connected,
    // but one address may hold only so many such connections.
    if (!ctx.queryingPerAddress.TryTake(session.address)) {
      ctx.Refused(Refusal::kQueryingCap, session, "");
      ctx.SendSystem(session.connection, code::kRefused, "");
      ctx.Drop(session.connection);
      return;
    }
    session.state = SessionState::kQuerying;
  }
  if (!session.LoggedIn()) session.lastHeard = ctx.Now();
  const auto key = RoomField(ctx, body);
  if (!key) return;
  const Room* room = ctx.rooms.Find(*key);
  const std::string roomKey = room ? room->key : *key;
  // A 1:1 room is described only to its two members.
  if (IsPrivateRoomKey(roomKey) && !(session.LoggedIn() && MayEnterRoom(roomKey, session.userId))) return;
  SendEveryone(ctx, session.connection, RoomIdOf(roomKey), roomKey, ServerContext::kNobody);
}

}  // namespace orvinta::server
