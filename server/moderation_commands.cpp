#include "server/moderation_commands.h"

#include <set>
#include <vector>

#include "protocol/room_key.h"
#include "text/text_util.h"
#include "protocol/wire_commands.h"
#include "server/wire_fields.h"

namespace orvinta::server {
namespace {

// Another logged-in member named by a body field, or null.
Session* OtherUser(ServerContext& ctx, const Session& self, std::string_view id) {
  if (id == self.userId || !IsValidUserId(id, ctx.limits)) return nullptr;
  return ctx.sessions.FindUser(id);
}

// To a member on this node or, when not here, on whichever node has it.
void ToMember(ServerContext& ctx, const std::string& userId, std::string_view command, const std::string& body) {
  if (Session* peer = ctx.sessions.FindUser(userId)) {
    ctx.Send(peer->connection, command, body);
  } else {
    ctx.cluster.SendToUser(userId, command, body, [](bool) {});
  }
}

void Expel(ServerContext& ctx, Room& room, const std::string& target) {
  const std::string roomId = RoomIdOf(room.key);
  // Remembered even when the target has already gone: it may not come straight back.
  ctx.expulsions.Remember(roomId, target, ctx.Now());
  ctx.cluster.Bar(roomId, target, ctx.limits.expulsionBar);
  Session* session = ctx.sessions.FindUser(target);
  if (session == nullptr || !room.Has(session->connection)) return;
  if (ctx.Logs(LogLevel::kNormal)) ctx.Log(LogLevel::kNormal, "expelled " + Who(*session) + " room " + LogText(room.key));
  // The target hears it too: a "CHOT" naming oneself closes the room's tab.
  ctx.Announce(room, wire::kChatOut, JoinFields({target, room.key}));
  session->rooms.erase(roomId);
  ctx.cluster.LeaveSeat(roomId, target);
  ctx.rooms.Leave(roomId, session->connection);  // the room may vanish with its last member
  if (ctx.rooms.Find(roomId) == nullptr) ctx.cluster.Unwatch(roomId);
}

}  // namespace

void HandleInvite(ServerContext& ctx, Session& session, std::string_view body) {
  // UserId / invited id / private room key / Nick: the key is made again here
  // so that an invitation always names the room of exactly these two.
  const std::string_view invited = text::SplitFields(body, '/', 4)[1];
  if (invited == session.userId || !IsValidUserId(invited, ctx.limits)) return;
  const std::string frame =
      JoinFields({session.userId, invited, protocol::PrivateRoomKey(session.userId, invited), session.nick});
  if (Session* peer = ctx.sessions.FindUser(invited)) {
    ctx.Send(peer->connection, wire::kInvite, frame);
    return;
  }
  // Perhaps on another node; "not connected" once the cluster knows nobody by that id.
  const ConnectionId inviter = session.connection;
  const std::string invitedId(invited);
  ctx.cluster.SendToUser(invitedId, wire::kInvite, frame, [&ctx, inviter, invitedId](bool delivered) {
    if (!delivered && ctx.sessions.Find(inviter) != nullptr) {
      ctx.SendSystem(inviter, wire::system_code::kPeerNotConnected, invitedId);
    }
  });
}

void HandleDenyInvite(ServerContext& ctx, Session& session, std::string_view body) {
  const std::string_view inviter = text::SplitFields(body, '/', 3)[1];
  if (inviter == session.userId || !IsValidUserId(inviter, ctx.limits)) return;
  ToMember(ctx, std::string(inviter), wire::kDenyInvite, JoinFields({session.userId, inviter, session.nick}));
}

void HandleIgnore(ServerContext& ctx, Session& session, std::string_view body) {
  const auto fields = text::SplitFields(body, '/', 4);
  const auto key = CleanRoomKey(fields[1], ctx.limits);
  if (!key) return;
  if (fields[2] == session.userId || !IsValidUserId(fields[2], ctx.limits)) return;
  const Room* room = ctx.rooms.Find(*key);
  ToMember(ctx, std::string(fields[2]), wire::kIgnore,
           JoinFields({session.userId, room ? room->key : *key, fields[2], session.nick}));
}

void HandleRequestBan(ServerContext& ctx, Session& session, std::string_view body) {
  const auto fields = text::SplitFields(body, '/', 3);
  const auto key = CleanRoomKey(fields[1], ctx.limits);
  if (!key) return;
  Room* room = ctx.rooms.Find(*key);
  if (room == nullptr || room->vote || !room->Has(session.connection)) return;
  const Session* target = OtherUser(ctx, session, fields[2]);
  if (target == nullptr || !room->Has(target->connection)) return;

  std::set<ConnectionId> voters;
  for (const RoomMember& m : room->members) {
    if (m.connection != target->connection) voters.insert(m.connection);
  }
  room->vote.emplace(session.userId, target->userId, std::move(voters), ctx.Now() + ctx.limits.voteDuration);
  if (ctx.Logs(LogLevel::kNormal)) {
    ctx.Log(LogLevel::kNormal, "vote " + Who(session) + " against " + LogText(target->userId) + " in room " +
                                   LogText(room->key));
  }
  ctx.SendToRoom(*room, wire::kRequestBan, JoinFields({session.userId, room->key, target->userId}));
}

void HandleVoteBan(ServerContext& ctx, Session& session, std::string_view body) {
  const auto fields = text::SplitFields(body, '/', 4);
  const auto key = CleanRoomKey(fields[1], ctx.limits);
  const std::string_view choice = fields[3];
  if (!key || (choice != "T" && choice != "F")) return;
  Room* room = ctx.rooms.Find(*key);
  if (room == nullptr || !room->vote || room->vote->Target() != fields[2]) return;
  if (room->vote->Cast(session.connection, choice == "T")) SettleVote(ctx, *key);
}

void SettleVote(ServerContext& ctx, const std::string& roomId) {
  Room* room = ctx.rooms.Find(roomId);
  if (room == nullptr || !room->vote) return;
  if (!room->vote->Complete() && !room->vote->Expired(ctx.Now())) return;
  const BanVote vote = std::move(*room->vote);
  room->vote.reset();
  ctx.SendToRoom(*room, wire::kResultBan,
                 JoinFields({room->key, vote.Target(), std::to_string(vote.For()), std::to_string(vote.Against())}));
  if (vote.Carries(room->members.size())) Expel(ctx, *room, vote.Target());
}

void TickVotes(ServerContext& ctx) {
  std::vector<std::string> running;
  for (const auto& [key, room] : ctx.rooms.All()) {
    if (room.vote) running.push_back(key);
  }
  for (const std::string& key : running) SettleVote(ctx, key);
}

}  // namespace orvinta::server
