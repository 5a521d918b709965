#include "server/chat_server.h"

#include "server/moderation_commands.h"
#include "server/room_commands.h"
#include "server/session_commands.h"
#include "server/system_codes.h"

namespace orvinta::server {
namespace {

using Handler = void (*)(ServerContext&, Session&, std::string_view);

enum class Access { kAnyone, kLoggedIn };

struct Route {
  std::string_view command;
  Access access;
  Handler handler;
};

// Commands from clients; anything else is ignored.
constexpr Route kRoutes[] = {
    {"USER", Access::kAnyone, HandleLogin},
    {"PONG", Access::kLoggedIn, HandlePong},
    {"ASIF", Access::kAnyone, HandleAskUserInfo},
    {"CHIN", Access::kLoggedIn, HandleChatIn},
    {"CHOT", Access::kLoggedIn, HandleChatOut},
    {"TALL", Access::kLoggedIn, HandleToAll},
    {"IFAL", Access::kLoggedIn, HandleUserInfoToAll},
    {"INVT", Access::kLoggedIn, HandleInvite},
    {"DNIV", Access::kLoggedIn, HandleDenyInvite},
    {"IGNR", Access::kLoggedIn, HandleIgnore},
    {"RQBN", Access::kLoggedIn, HandleRequestBan},
    {"VTBN", Access::kLoggedIn, HandleVoteBan},
};

const Route* FindRoute(std::string_view command) {
  for (const Route& route : kRoutes) {
    if (route.command == command) return &route;
  }
  return nullptr;
}

}  // namespace

ChatServer::ChatServer(const Clock& clock, Outbox& outbox, const ServerLimits& limits)
    : ctx_(clock, outbox, limits) {}

bool ChatServer::OnConnected(ConnectionId connection) {
  if (ctx_.sessions.Size() >= ctx_.limits.maxConnections) {
    ctx_.SendSystem(connection, system_code::kRefused, "");
    ctx_.outbox.Close(connection);
    return false;
  }
  ctx_.sessions.Add(connection, ctx_.Now());
  return true;
}

void ChatServer::OnFrame(ConnectionId connection, std::string_view command, std::string_view body) {
  Session* session = ctx_.sessions.Find(connection);
  const Route* route = FindRoute(command);
  if (session == nullptr || route == nullptr) return;
  // A zero byte would end the text at every client it is relayed to.
  if (body.find('\0') != std::string_view::npos) return;
  if (route->access == Access::kLoggedIn && !session->LoggedIn()) return;
  route->handler(ctx_, *session, body);
}

void ChatServer::OnDisconnected(ConnectionId connection) { ctx_.Forget(connection); }

void ChatServer::Tick() {
  TickVotes(ctx_);
  TickSessions(ctx_);
}

std::vector<RoomSummary> ChatServer::ListRooms() const {
  std::vector<RoomSummary> rooms;
  rooms.reserve(ctx_.rooms.Size());
  for (const auto& [key, room] : ctx_.rooms.All()) rooms.push_back({key, {}, room.members.size()});
  return rooms;
}

std::vector<MemberSummary> ChatServer::ListMembers(const std::string& roomKey) const {
  std::vector<MemberSummary> members;
  const Room* room = ctx_.rooms.Find(roomKey);
  if (room == nullptr) return members;
  for (const RoomMember& m : room->members) {
    if (const Session* s = ctx_.sessions.Find(m.connection)) members.push_back({s->userId, s->nick, s->icon, m.status});
  }
  return members;
}

}  // namespace orvinta::server
