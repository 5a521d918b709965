#include "server/moderation_commands.h"

#include <set>
#include <vector>

#include "protocol/room_key.h"
#include "text/text_util.h"
#include "protocol/wire_commands.h"
#include "server/cluster_messages.h"
#include "server/wire_fields.h"

namespace orvinta::server {
namespace {

// To a member on this node or, when not here, on whichever node has it.
void ToMember(ServerContext& ctx, const std::string& userId, std::string_view command, const std::string& body) {
  if (Session* peer = ctx.sessions.FindUser(userId)) {
    ctx.Send(peer->connection, command, body);
  } else {
    ctx.cluster.SendToUser(userId, command, body, [](bool) {});
  }
}

// Takes a member of this node out of the room it was expelled from.
void TakeOut(ServerContext& ctx, Session& session, const std::string& roomId, const std::string& roomKey) {
  if (ctx.Logs(LogLevel::kNormal)) ctx.Log(LogLevel::kNormal, "expelled " + Who(session) + " room " + LogText(roomKey));
  session.rooms.erase(roomId);
  ctx.cluster.LeaveSeat(roomId, session.userId);
  ctx.rooms.Leave(roomId, session.connection);  // the room may vanish with its last member
  if (ctx.rooms.Find(roomId) == nullptr) ctx.cluster.Unwatch(roomId);
}

void Expel(ServerContext& ctx, Room& room, const std::string& target) {
  const std::string roomId = RoomIdOf(room.key);
  const std::string key = room.key;
  // Remembered even when the target has already gone: it may not come straight back.
  ctx.expulsions.Remember(roomId, target, ctx.Now());
  ctx.cluster.Bar(roomId, target, ctx.limits.expulsionBar);
  // The target hears it too: a "CHOT" naming oneself closes the room's tab. The
  // other nodes hear an expulsion, which only a vote makes; a member leaving is "CHOT".
  const std::string body = JoinFields({target, key});
  ctx.SendToRoom(room, wire::kChatOut, body);
  ctx.cluster.Publish(roomId, kExpelledEvent, body);
  room.remote.erase(target);
  room.touched[target] = ctx.Now();
  Session* session = ctx.sessions.FindUser(target);
  if (session != nullptr && room.Has(session->connection)) TakeOut(ctx, *session, roomId, key);
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
  if (!key || fields[2] == session.userId || !IsValidUserId(fields[2], ctx.limits)) return;
  const Room* asked = ctx.rooms.Find(*key);
  if (asked == nullptr || asked->vote || !asked->Has(session.connection)) return;
  // The room's members on the other nodes vote too.
  const std::string roomId = RoomIdOf(asked->key);
  const ConnectionId requester = session.connection;
  const std::string target(fields[2]);
  ctx.cluster.AskMembers(roomId, [&ctx, roomId, requester, target](std::vector<ClusterMember> others) {
    Room* room = ctx.rooms.Find(roomId);
    const Session* session = ctx.sessions.Find(requester);
    if (room == nullptr || room->vote || session == nullptr || !room->Has(requester)) return;
    std::set<std::string> voters, remote;
    bool targetIn = false;
    for (const RoomMember& m : room->members) {
      if (const Session* s = ctx.sessions.Find(m.connection)) {
        targetIn |= s->userId == target;
        voters.insert(s->userId);
      }
    }
    for (const ClusterMember& m : others) {
      if (ctx.sessions.FindUser(m.userId) != nullptr || !IsValidUserId(m.userId, ctx.limits)) continue;
      targetIn |= m.userId == target;
      voters.insert(m.userId);
      remote.insert(m.userId);
    }
    if (!targetIn) return;
    voters.erase(target);
    // One vote per room, whichever node asked first.
    ctx.cluster.ClaimVote(roomId, ctx.limits.voteDuration, [&ctx, roomId, requester, target, voters = std::move(voters),
                                                           remote = std::move(remote)](bool granted) mutable {
      Room* room = ctx.rooms.Find(roomId);
      const Session* session = ctx.sessions.Find(requester);
      if (!granted || room == nullptr || room->vote || session == nullptr || !room->Has(requester)) {
        if (granted) ctx.cluster.ReleaseVote(roomId);
        return;
      }
      room->vote.emplace(session->userId, target, std::move(voters), ctx.Now() + ctx.limits.voteDuration,
                         std::move(remote));
      if (ctx.Logs(LogLevel::kNormal)) {
        ctx.Log(LogLevel::kNormal, "vote " + Who(*session) + " against " + LogText(target) + " in room " +
                                       LogText(room->key));
      }
      ctx.Announce(*room, wire::kRequestBan, JoinFields({session->userId, room->key, target}));
    });
  });
}

void HandleVoteBan(ServerContext& ctx, Session& session, std::string_view body) {
  const auto fields = text::SplitFields(body, '/', 4);
  const auto key = CleanRoomKey(fields[1], ctx.limits);
  const std::string_view choice = fields[3];
  if (!key || (choice != "T" && choice != "F") || !session.rooms.contains(RoomIdOf(*key))) return;
  Room* room = ctx.rooms.Find(*key);
  if (room == nullptr) return;
  if (!room->vote) {
    // The vote may be held by another node: it counts the ballot there.
    ctx.cluster.Publish(RoomIdOf(room->key), wire::kVoteBan, JoinFields({session.userId, room->key, fields[2], choice}));
    return;
  }
  if (room->vote->Target() != fields[2]) return;
  if (room->vote->Cast(session.userId, choice == "T")) SettleVote(ctx, *key);
}

void CountRemoteBallot(ServerContext& ctx, Room& room, std::string_view body) {
  const auto fields = text::SplitFields(body, '/', 4);
  const std::string voter(fields[0]);
  if (!room.vote || !room.vote->IsRemote(voter) || room.vote->Target() != fields[2]) return;
  if (fields[3] != "T" && fields[3] != "F") return;
  if (room.vote->Cast(voter, fields[3] == "T")) SettleVote(ctx, RoomIdOf(room.key));
}

void RemoteExpelled(ServerContext& ctx, Room& room, const std::string& member) {
  const std::string roomId = RoomIdOf(room.key);
  const std::string body = JoinFields({member, room.key});
  Session* session = ctx.sessions.FindUser(member);
  if (session != nullptr && room.Has(session->connection)) {
    // Another node's vote expelled a member of this one.
    ctx.expulsions.Remember(roomId, member, ctx.Now());
    ctx.SendToRoom(room, wire::kChatOut, body);
    TakeOut(ctx, *session, roomId, room.key);
    return;
  }
  room.touched[member] = ctx.Now();
  if (room.remote.erase(member) > 0) ctx.SendToRoom(room, wire::kChatOut, body);
  ForgetVoter(ctx, roomId, member);
}

void ForgetVoter(ServerContext& ctx, const std::string& roomId, const std::string& member) {
  Room* room = ctx.rooms.Find(roomId);
  if (room == nullptr || !room->vote) return;
  room->vote->Forget(member);
  SettleVote(ctx, roomId);
}

void SettleVote(ServerContext& ctx, const std::string& roomId) {
  Room* room = ctx.rooms.Find(roomId);
  if (room == nullptr || !room->vote) return;
  if (!room->vote->Complete() && !room->vote->Expired(ctx.Now())) return;
  const BanVote vote = std::move(*room->vote);
  room->vote.reset();
  ctx.cluster.ReleaseVote(RoomIdOf(room->key));
  ctx.Announce(*room, wire::kResultBan,
               JoinFields({room->key, vote.Target(), std::to_string(vote.For()), std::to_string(vote.Against())}));
  if (vote.Carries(room->members.size() + vote.RemoteMembers())) Expel(ctx, *room, vote.Target());
}

void TickVotes(ServerContext& ctx) {
  std::vector<std::string> running;
  for (const auto& [key, room] : ctx.rooms.All()) {
    if (room.vote) running.push_back(key);
  }
  for (const std::string& key : running) SettleVote(ctx, key);
}

}  // namespace orvinta::server
