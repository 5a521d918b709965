#include "server/cluster_rosters.h"

#include "protocol/wire_commands.h"
#include "server/moderation_commands.h"
#include "server/wire_fields.h"
#include "text/text_util.h"

namespace orvinta::server {
namespace {

bool IsHere(ServerContext& ctx, const Room& room, const std::string& userId) {
  const Session* session = ctx.sessions.FindUser(userId);
  return session != nullptr && room.Has(session->connection);
}

void TellEntered(ServerContext& ctx, const Room& room, const ClusterMember& m, ConnectionId except) {
  ctx.SendToRoom(room, wire::kChatIn, JoinFields({m.userId, room.key, m.nick, m.icon}), except);
  if (m.status != "0") ctx.SendToRoom(room, wire::kUserInfoToAll, JoinFields({m.userId, room.key, m.status}), except);
}

// Compares the room's list with what the shared state said when asked at askedAt.
void Reconcile(ServerContext& ctx, const std::string& roomId, Millis askedAt, std::vector<ClusterMember> members) {
  Room* room = ctx.rooms.Find(roomId);
  if (room == nullptr) return;
  // An event that spoke of an id after the question is newer than the answer.
  const auto fresh = [&](const std::string& id) {
    const auto it = room->touched.find(id);
    return it != room->touched.end() && it->second >= askedAt;
  };
  std::map<std::string, ClusterMember> wanted;
  for (ClusterMember& m : members) {
    if (ctx.sessions.FindUser(m.userId) == nullptr) wanted.emplace(m.userId, std::move(m));
  }
  std::size_t came = 0;
  std::vector<std::string> went;
  for (const auto& [id, m] : wanted) {
    if (fresh(id)) continue;
    const auto it = room->remote.find(id);
    if (it == room->remote.end()) {
      room->remote.emplace(id, m);
      TellEntered(ctx, *room, m, ServerContext::kNobody);
      ++came;
    } else if (it->second.status != m.status) {
      it->second.status = m.status;
      ctx.SendToRoom(*room, wire::kUserInfoToAll, JoinFields({id, room->key, m.status}));
    }
  }
  // A member of another node that is now one of this node's own is not told it left.
  std::erase_if(room->remote, [&](const auto& entry) { return IsHere(ctx, *room, entry.first); });
  for (const auto& [id, m] : room->remote) {
    if (!wanted.contains(id) && !fresh(id)) went.push_back(id);
  }
  for (const std::string& id : went) {
    room->remote.erase(id);
    ctx.SendToRoom(*room, wire::kChatOut, JoinFields({id, room->key}));
  }
  std::erase_if(room->touched, [askedAt](const auto& entry) { return entry.second < askedAt; });
  if ((came > 0 || !went.empty()) && ctx.Logs(LogLevel::kNormal)) {
    ctx.Log(LogLevel::kNormal, "reconciled room " + LogText(room->key) + ": " + std::to_string(came) +
                                   " came and " + std::to_string(went.size()) + " went on other nodes");
  }
  for (const std::string& id : went) ForgetVoter(ctx, roomId, id);
}

}  // namespace

bool RemoteEntered(ServerContext& ctx, Room& room, std::string_view body) {
  const auto fields = text::SplitFields(body, '/', 4);
  const std::string id(fields[0]);
  if (IsHere(ctx, room, id)) return false;
  room.touched[id] = ctx.Now();
  const ClusterMember member{id, CleanNick(fields[2], id, ctx.limits), CleanNumber(fields[3], ctx.limits).value_or("0")};
  return room.remote.emplace(id, member).second;
}

bool RemoteLeft(ServerContext& ctx, Room& room, const std::string& userId) {
  if (IsHere(ctx, room, userId)) return false;
  room.touched[userId] = ctx.Now();
  return room.remote.erase(userId) > 0;
}

void RemoteStatus(ServerContext& ctx, Room& room, const std::string& userId, std::string_view status) {
  const auto it = room.remote.find(userId);
  const auto clean = CleanNumber(status, ctx.limits);
  if (it == room.remote.end() || !clean) return;
  it->second.status = *clean;
  room.touched[userId] = ctx.Now();
}

void MergeRoster(ServerContext& ctx, Room& room, const std::vector<ClusterMember>& others, ConnectionId newcomer) {
  for (const ClusterMember& m : others) {
    if (!IsValidUserId(m.userId, ctx.limits) || ctx.sessions.FindUser(m.userId) != nullptr) continue;
    if (room.remote.emplace(m.userId, m).second) TellEntered(ctx, room, m, newcomer);
  }
}

void ReconcileRooms(ServerContext& ctx) {
  std::vector<std::string> roomIds;
  for (const auto& [id, room] : ctx.rooms.All()) roomIds.push_back(id);
  const Millis askedAt = ctx.Now();
  for (const std::string& roomId : roomIds) {
    ctx.cluster.AskRoster(roomId, [&ctx, roomId, askedAt](std::optional<std::vector<ClusterMember>> members) {
      if (members) Reconcile(ctx, roomId, askedAt, std::move(*members));
    });
  }
}

}  // namespace orvinta::server
