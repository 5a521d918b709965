#include "server/chat_server.h"

#include "protocol/history_frames.h"
#include "protocol/wire_commands.h"
#include "server/history_commands.h"
#include "server/cluster_messages.h"
#include "server/cluster_rosters.h"
#include "server/moderation_commands.h"
#include "server/room_commands.h"
#include "server/session_commands.h"
#include "server/wire_fields.h"
#include "text/text_util.h"

namespace orvinta::server {
namespace {

namespace code = wire::system_code;

using Handler = void (*)(ServerContext&, Session&, std::string_view);

enum class Access { kAnyone, kLoggedIn };

struct Route {
  std::string_view command;
  Access access;
  Handler handler;
};

// Commands from clients; anything else is ignored.
constexpr Route kRoutes[] = {
    {wire::kUser, Access::kAnyone, HandleLogin},
    {wire::kPong, Access::kLoggedIn, HandlePong},
    {wire::kAskUserInfo, Access::kAnyone, HandleAskUserInfo},
    {wire::kChatIn, Access::kLoggedIn, HandleChatIn},
    {wire::kChatOut, Access::kLoggedIn, HandleChatOut},
    {wire::kToAll, Access::kLoggedIn, HandleToAll},
    {wire::kUserInfoToAll, Access::kLoggedIn, HandleUserInfoToAll},
    {wire::kInvite, Access::kLoggedIn, HandleInvite},
    {wire::kDenyInvite, Access::kLoggedIn, HandleDenyInvite},
    {wire::kIgnore, Access::kLoggedIn, HandleIgnore},
    {wire::kRequestBan, Access::kLoggedIn, HandleRequestBan},
    {wire::kVoteBan, Access::kLoggedIn, HandleVoteBan},
    {wire::kHistoryHello, Access::kLoggedIn, HandleHistoryHello},
    {wire::kHistoryRequest, Access::kLoggedIn, HandleHistoryRequest},
};

const Route* FindRoute(std::string_view command) {
  for (const Route& route : kRoutes) {
    if (route.command == command) return &route;
  }
  return nullptr;
}

// What another node may ask this one to deliver: the room traffic members
// cause and the frames meant for one member.
constexpr std::string_view kRoomEvents[] = {wire::kChatIn,        wire::kChatOut,    wire::kToAll,
                                            wire::kUserInfoToAll, wire::kRequestBan, wire::kResultBan,
                                            wire::kVoteBan,       kExpelledEvent};
constexpr std::string_view kUserEvents[] = {wire::kInvite, wire::kDenyInvite, wire::kIgnore};

template <std::size_t N>
bool OneOf(const std::string_view (&kinds)[N], std::string_view command) {
  for (std::string_view kind : kinds) {
    if (kind == command) return true;
  }
  return false;
}

// A body from another node reaches members only in the shape a node makes:
// bounded, no zero byte, a valid sender id first.
bool PlausibleBody(std::string_view command, std::string_view body, const ServerLimits& limits) {
  if (body.empty() || body.size() > limits.maxTalkBodyBytes + limits.maxRoomKeyBytes + limits.maxIdBytes + 2) {
    return false;
  }
  if (body.find('\0') != std::string_view::npos) return false;
  // "RSBN" names the room first and its target second.
  const auto fields = text::SplitFields(body, '/', 3);
  return IsValidUserId(command == wire::kResultBan ? fields[1] : fields[0], limits);
}

}  // namespace

ChatServer::ChatServer(const Clock& clock, Outbox& outbox, const ServerLimits& limits, CoreServices services)
    : ctx_(clock, outbox, limits, services) {}

bool ChatServer::OnConnected(ConnectionId connection, std::string address) {
  Session probe;
  probe.connection = connection;
  probe.address = address;
  Refusal reason = Refusal::kServerFull;
  bool admitted = ctx_.sessions.Size() < ctx_.limits.maxConnections;
  if (admitted && !ctx_.connectionsPerAddress.TryTake(address)) {
    admitted = false;
    reason = Refusal::kAddressCap;
  }
  if (!admitted) {
    ctx_.Refused(reason, probe, "");
    ctx_.SendSystem(connection, code::kRefused, "");
    ctx_.outbox.Close(connection);
    return false;
  }
  ++ctx_.metrics.connectionsAccepted;
  Session& session = ctx_.sessions.Add(connection, std::move(address), ctx_.Now());
  if (ctx_.Logs(LogLevel::kNormal)) ctx_.Log(LogLevel::kNormal, "connect " + Who(session));
  return true;
}

bool ChatServer::WithinRate(Session& session, std::string_view command) {
  // The login has limits of its own, per id and per address.
  if (command == wire::kUser && !session.LoggedIn()) return true;
  const RateClass rateClass = RateClassOf(command).value_or(RateClass::kOther);
  const std::size_t droppedBefore = session.rates.droppedInRun;
  switch (ctx_.rateLedger.Check(session.rates, rateClass, ctx_.Now())) {
    case RateVerdict::kPass:
      if (droppedBefore > 0 && ctx_.Logs(LogLevel::kNormal)) {
        ctx_.Log(LogLevel::kNormal, "rate " + Who(session) + " back within its limits after " +
                                        std::to_string(droppedBefore) + " dropped frames");
      }
      return true;
    case RateVerdict::kDrop:
      ctx_.metrics.Dropped(rateClass);
      // The first drop of a run, then every hundredth: a flood must not flood the log.
      if (ctx_.Logs(LogLevel::kVerbose) || droppedBefore % 100 == 0) {
        ctx_.Log(LogLevel::kNormal, "rate " + Who(session) + " over its " + std::string(RateClassName(rateClass)) +
                                        " limit: " + std::string(command) + " dropped (" +
                                        std::to_string(droppedBefore + 1) + " in a row)");
      }
      return false;
    case RateVerdict::kCutOff:
      ctx_.metrics.Dropped(rateClass);
      ctx_.Refused(Refusal::kFlood, session,
                   "disconnected after " + std::to_string(droppedBefore + 1) + " frames over its limits");
      ctx_.Drop(session.connection);
      return false;
  }
  return false;
}

void ChatServer::OnFrame(ConnectionId connection, std::string_view command, std::string_view body) {
  Session* session = ctx_.sessions.Find(connection);
  if (session == nullptr) return;
  // Every frame costs the server something, so every frame counts, handled or not.
  if (!WithinRate(*session, command)) return;
  const Route* route = FindRoute(command);
  if (route == nullptr) return;
  // A zero byte would end the text at every client it is relayed to.
  if (body.find('\0') != std::string_view::npos) return;
  if (route->access == Access::kLoggedIn && !session->LoggedIn()) return;
  if (ctx_.Logs(LogLevel::kVerbose)) {
    ctx_.Log(LogLevel::kVerbose, "frame " + Who(*session) + " " + std::string(command) + " " + LogText(body));
  }
  route->handler(ctx_, *session, body);
}

void ChatServer::OnDisconnected(ConnectionId connection) { ctx_.Forget(connection); }

void ChatServer::Tick() {
  TickVotes(ctx_);
  TickSessions(ctx_);
  ctx_.expulsions.Prune(ctx_.Now());
  ctx_.rateLedger.Prune(ctx_.Now());
  if (ctx_.history != nullptr) ctx_.history->Tick(ctx_.WallNow());
}

void ChatServer::OnRoomEvent(const std::string& roomId, std::string_view command, std::string_view body,
                             Millis waited) {
  // A line the cluster's store kept comes stamped: ID/TIME/ and the "TALL" body.
  std::uint64_t stampId = 0;  // 0: a plain line
  Millis stampTime = 0;
  if (command == wire::kStampedToAll) {
    const auto line = protocol::history::ParseStamped(body);
    if (!line || line->id == 0) return;
    stampId = line->id;
    stampTime = line->time;
    body.remove_prefix(body.find('/', body.find('/') + 1) + 1);
    command = wire::kToAll;
  }
  if (!OneOf(kRoomEvents, command) || !PlausibleBody(command, body, ctx_.limits)) return;
  // The room named inside must be the room it came for ("RSBN" names it first).
  const auto fields = text::SplitFields(body, '/', 3);
  const auto key = CleanRoomKey(command == wire::kResultBan ? fields[0] : fields[1], ctx_.limits);
  if (!key || RoomIdOf(*key) != roomId) return;
  Room* room = ctx_.rooms.Find(roomId);
  if (room == nullptr) return;
  const std::string member(fields[0]);
  if (command == wire::kVoteBan) {  // a ballot, for the node that holds the vote; no member sees it
    CountRemoteBallot(ctx_, *room, body);
    return;
  }
  if (command == kExpelledEvent) {
    RemoteExpelled(ctx_, *room, member);
    return;
  }
  // Who came and went is told once: a repeat, or news of this node's own members, is not.
  if (command == wire::kChatIn && !RemoteEntered(ctx_, *room, body)) return;
  const bool left = command == wire::kChatOut;
  if (left && !RemoteLeft(ctx_, *room, member)) {
    ForgetVoter(ctx_, roomId, member);
    return;
  }
  if (command == wire::kUserInfoToAll) RemoteStatus(ctx_, *room, member, fields[2]);
  if (command == wire::kToAll && (stampId != 0 || (ctx_.history != nullptr && ctx_.history->Shared()))) {
    RelayClusterLine(ctx_, *room, body, stampId, stampTime, waited);
  } else if (command == wire::kToAll) {
    RelayLine(ctx_, *room, body, nullptr, waited);
  } else {
    ctx_.SendToRoom(*room, command, body, ServerContext::kNobody, waited);
  }
  if (left) ForgetVoter(ctx_, roomId, member);
}

void ChatServer::OnUserEvent(const std::string& userId, std::string_view command, std::string_view body) {
  if (!OneOf(kUserEvents, command) || !PlausibleBody(command, body, ctx_.limits)) return;
  if (Session* session = ctx_.sessions.FindUser(userId)) ctx_.Send(session->connection, command, body);
}

void ChatServer::Reconcile() { ReconcileRooms(ctx_); }

void ChatServer::OnProbe(const std::string& userId, std::function<void(bool live)> answer) {
  AnswerProbe(ctx_, userId, std::move(answer));
}

void ChatServer::LoginTakenElsewhere(const std::string& userId) {
  EndLaterLogin(ctx_, userId);
  // The session that kept the id may sit in the rooms this one left: they are read again.
  ReconcileRooms(ctx_);
}

std::vector<std::string> ChatServer::LocalUsers() const {
  std::vector<std::string> users;
  ctx_.sessions.ForEach([&](const Session& s) {
    if (s.LoggedIn()) users.push_back(s.userId);
  });
  return users;
}

std::vector<ClusterInbox::LocalSeat> ChatServer::LocalSeats() const {
  std::vector<LocalSeat> seats;
  for (const auto& [id, room] : ctx_.rooms.All()) {
    for (const RoomMember& m : room.members) {
      if (const Session* s = ctx_.sessions.Find(m.connection)) {
        seats.push_back({id, room.key, ClusterMember{s->userId, s->nick, s->icon, m.status}});
      }
    }
  }
  return seats;
}

MetricsGauges ChatServer::Gauges() const {
  MetricsGauges gauges;
  gauges.connections = ctx_.sessions.Size();
  gauges.loggedIn = ctx_.sessions.LoggedInCount();
  gauges.rooms = ctx_.rooms.Size();
  if (ctx_.history != nullptr) gauges.history = ctx_.history->Stats();
  return gauges;
}

std::vector<RoomSummary> ChatServer::ListRooms() const {
  // A 1:1 room is its two members' business: no public list names it.
  std::vector<RoomSummary> rooms;
  rooms.reserve(ctx_.rooms.Size());
  for (const auto& [id, room] : ctx_.rooms.All()) {
    if (!room.isPrivate) rooms.push_back({room.key, {}, room.members.size()});
  }
  return rooms;
}

std::vector<MemberSummary> ChatServer::ListMembers(const std::string& roomKey) const {
  std::vector<MemberSummary> members;
  const Room* room = ctx_.rooms.Find(roomKey);
  if (room == nullptr || room->isPrivate) return members;
  for (const RoomMember& m : room->members) {
    if (const Session* s = ctx_.sessions.Find(m.connection)) members.push_back({s->userId, s->nick, s->icon, m.status});
  }
  return members;
}

}  // namespace orvinta::server
