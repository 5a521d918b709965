#include "server/redis_cluster.h"

#include <arpa/inet.h>
#include <time.h>

#include <algorithm>
#include <charconv>

#include "server/cluster_messages.h"
#include "server/redis_scripts.h"
#include "server/server_limits.h"
#include "server/wire_fields.h"
#include "text/text_util.h"

namespace orvinta::server {
namespace {

constexpr Millis kBeatEvery = 3000;
constexpr Millis kAliveFor = 10'000;  // a dead node is swept within this and one sweep
constexpr Millis kSweepEvery = 5000;
constexpr Millis kRoomsEvery = 1000;
constexpr Millis kGatherMs = 3;
constexpr std::size_t kMaxRoomsRead = 100'000;
constexpr std::size_t kMaxMembersRead = 20'000;
const std::string kRoomChannel = "orv:chan:";

std::uint64_t WallMillis() {
  // Wall time, as nodes on other machines compare it; <chrono> does not build under CP949.
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * 1000 + static_cast<std::uint64_t>(now.tv_nsec) / 1'000'000;
}

std::string_view Text(const redisReply* r) {
  if (r == nullptr || (r->type != REDIS_REPLY_STRING && r->type != REDIS_REPLY_STATUS)) return {};
  return {r->str, r->len};
}

bool IsInteger(const redisReply* r, long long value) {
  return r != nullptr && r->type == REDIS_REPLY_INTEGER && r->integer == value;
}

// {id, record, id, record, ...} from the given element on.
std::vector<ClusterMember> ParseMembers(const redisReply* r, std::size_t from) {
  std::vector<ClusterMember> members;
  if (r == nullptr || r->type != REDIS_REPLY_ARRAY) return members;
  const std::size_t end = std::min<std::size_t>(r->elements, from + 2 * kMaxMembersRead);
  for (std::size_t i = from; i + 1 < end; i += 2) {
    if (auto m = ParseMemberRecord(Text(r->element[i]), Text(r->element[i + 1]))) members.push_back(std::move(*m));
  }
  return members;
}

}  // namespace

std::optional<RedisAddress> ParseRedisUrl(std::string_view url) {
  constexpr std::string_view kScheme = "redis://";
  if (!url.starts_with(kScheme)) return std::nullopt;
  url.remove_prefix(kScheme.size());
  if (!url.empty() && url.back() == '/') url.remove_suffix(1);
  RedisAddress address;
  const auto colon = url.rfind(':');
  std::string_view host = url.substr(0, colon);
  if (colon != std::string_view::npos) {
    const std::string_view port = url.substr(colon + 1);
    int value = 0;
    const auto [end, ec] = std::from_chars(port.data(), port.data() + port.size(), value);
    if (ec != std::errc{} || end != port.data() + port.size() || value < 1 || value > 65535) return std::nullopt;
    address.port = value;
  }
  // A name would need a lookup, which blocks: addresses only.
  if (host == "localhost") host = "127.0.0.1";
  in_addr parsed{};
  if (inet_pton(AF_INET, std::string(host).c_str(), &parsed) != 1) return std::nullopt;
  address.host = std::string(host);
  return address;
}

RedisCluster::RedisCluster(EventLoop& loop, const Clock& clock, EventLog& log, RedisAddress address,
                           std::string password, std::string nodeName)
    : log_(log),
      clock_(clock),
      node_(std::move(nodeName)),
      address_(address.host + ":" + std::to_string(address.port)),
      userChannel_("orv:to:" + node_),
      commands_(loop, clock, address, password),
      pushes_(loop, clock, address, password) {
  // A few milliseconds of a busy node's traffic share one write, and Redis and
  // the other nodes one wake-up; the receiving node holds a frame that much
  // less before its own send(), so members wait no longer.
  commands_.Gather(kGatherMs);
  commands_.OnUp([this] { OnCommandsUp(); });
  pushes_.OnUp([this] { OnPushesUp(); });
  pushes_.OnPush([this](const redisReply* reply) { OnPush(reply); });
}

RedisCluster::~RedisCluster() = default;

const std::string& RedisCluster::LastError() const {
  return commands_.LastError().empty() ? pushes_.LastError() : commands_.LastError();
}

void RedisCluster::Tick() {
  const bool commandsWereUp = commands_.Up();
  commands_.Tick();
  // The subscribed link owes no answers, so a Redis that went silent is found
  // on the command link; the subscription is renewed with it.
  if (commandsWereUp && !commands_.Up()) pushes_.Restart("the command link to Redis was lost");
  pushes_.Tick();
  const bool up = Up();
  if (up != wasUp_) {
    wasUp_ = up;
    if (log_.Wants(LogLevel::kQuiet)) {
      log_.Write(up ? "cluster: link to Redis at " + address_ + " up, node " + node_
                    : "cluster: link to Redis at " + address_ + " down (" + LastError() +
                          "); members here keep talking among themselves, trying again");
    }
  }
  if (!commands_.Up()) return;
  const Millis now = clock_.Now();
  if (now >= nextBeat_) {
    nextBeat_ = now + kBeatEvery;
    Beat();
  }
  if (now >= nextSweep_) {
    nextSweep_ = now + kSweepEvery;
    Sweep();
  }
  if (now >= nextRooms_) {
    nextRooms_ = now + kRoomsEvery;
    ReadRooms();
  }
}

void RedisCluster::ReadRooms() {
  commands_.Command({"EVAL", redis_script::kListRooms, "0"}, [this](const redisReply* reply) {
    if (reply == nullptr || reply->type != REDIS_REPLY_ARRAY) return;  // keep the last picture
    static const ServerLimits limits;
    std::vector<std::pair<std::string, RoomSummary>> rooms;
    const std::size_t end = std::min<std::size_t>(reply->elements, 2 * kMaxRoomsRead);
    for (std::size_t i = 0; i + 1 < end; i += 2) {
      const auto key = CleanRoomKey(Text(reply->element[i]), limits);
      const redisReply* count = reply->element[i + 1];
      // A 1:1 room is its two members' business: no public list names it.
      if (!key || IsPrivateRoomKey(*key) || count->type != REDIS_REPLY_INTEGER || count->integer <= 0) continue;
      rooms.emplace_back(RoomIdOf(*key), RoomSummary{*key, {}, static_cast<std::size_t>(count->integer)});
    }
    std::sort(rooms.begin(), rooms.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    rooms_.clear();
    for (auto& [id, room] : rooms) rooms_.push_back(std::move(room));
  });
}

void RedisCluster::OnCommandsUp() {
  nextBeat_ = 0;
  RegisterAgain();
}

void RedisCluster::OnPushesUp() {
  std::vector<std::string> channels{userChannel_};
  for (const std::string& room : watched_) channels.push_back(kRoomChannel + room);
  std::vector<std::string_view> args{"SUBSCRIBE"};
  args.insert(args.end(), channels.begin(), channels.end());
  pushes_.Subscription(args);
}

void RedisCluster::Beat() {
  const std::string ttl = std::to_string(kAliveFor);
  commands_.Command({"EVAL", redis_script::kBeat, "0", node_, ttl}, [this](const redisReply* reply) {
    // Redis does not know this node: it restarted empty, or swept us after a stall.
    if (IsInteger(reply, 1)) RegisterAgain();
  });
}

void RedisCluster::Sweep() {
  const std::string now = std::to_string(WallMillis());
  commands_.Command({"EVAL", redis_script::kSweep, "0", now}, [this](const redisReply* reply) {
    if (reply != nullptr && reply->type == REDIS_REPLY_INTEGER && reply->integer > 0 &&
        log_.Wants(LogLevel::kNormal)) {
      log_.Write("cluster: swept " + std::to_string(reply->integer) + " node(s) whose heartbeat stopped");
    }
  });
}

void RedisCluster::RegisterAgain() {
  if (inbox_ == nullptr) return;
  const std::string ttl = std::to_string(kAliveFor);
  commands_.Command({"EVAL", redis_script::kBeat, "0", node_, ttl}, nullptr);
  std::size_t users = 0;
  for (const std::string& id : inbox_->LocalUsers()) {
    if (!owns_(id)) continue;
    ++users;
    commands_.Command({"EVAL", redis_script::kClaim, "0", id, node_}, [this, id](const redisReply* reply) {
      if (reply != nullptr && IsInteger(reply, 0) && log_.Wants(LogLevel::kQuiet)) {
        log_.Write("cluster: " + LogText(id) + " is logged in here and on another node");
      }
    });
  }
  auto seats = inbox_->LocalSeats();
  std::erase_if(seats, [this](const ClusterInbox::LocalSeat& seat) { return !owns_(seat.roomId); });
  for (const auto& seat : seats) {
    commands_.Command({"EVAL", redis_script::kSeat, "0", seat.roomId, seat.roomKey, seat.member.userId,
                       Record(seat.member), "-1", node_},
                      nullptr);
  }
  if ((users > 0 || !seats.empty()) && log_.Wants(LogLevel::kNormal)) {
    log_.Write("cluster: registered " + std::to_string(users) + " member(s) and " + std::to_string(seats.size()) +
               " seat(s) again");
  }
}

void RedisCluster::Complain(const redisReply* reply) {
  if (reply != nullptr && reply->type == REDIS_REPLY_ERROR && log_.Wants(LogLevel::kQuiet)) {
    log_.Write("cluster: Redis refused a command: " + LogText(std::string_view(reply->str, reply->len)));
  }
}

std::string RedisCluster::Record(const ClusterMember& m) const { return MakeMemberRecord(node_, m); }

std::string RedisCluster::Payload(std::string_view target, std::string_view command, std::string_view body) const {
  return MakeClusterMessage(node_, WallMillis(), target, command, body);
}

void RedisCluster::ClaimUser(const std::string& userId, ClaimDone done) {
  // Without Redis the id is let in here and registered when the link is back.
  commands_.Command({"EVAL", redis_script::kClaim, "0", userId, node_},
                    [done](const redisReply* reply) { done(reply == nullptr || !IsInteger(reply, 0)); });
}

void RedisCluster::ReleaseUser(const std::string& userId) {
  commands_.Command({"EVAL", redis_script::kRelease, "0", userId, node_}, nullptr);
}

void RedisCluster::TakeSeat(const SeatRequest& request, SeatDone done) {
  const std::string capacity = std::to_string(request.capacity);
  commands_.Command({"EVAL", redis_script::kSeat, "0", request.roomId, request.roomKey, request.member.userId,
                     Record(request.member), capacity, node_},
                    [this, done, asked = request.roomKey, roomId = request.roomId](const redisReply* reply) {
                      Complain(reply);
                      // Without Redis only this node's own limits apply.
                      SeatAnswer answer{SeatVerdict::kSeated, asked, {}, false};
                      if (reply == nullptr || reply->type != REDIS_REPLY_ARRAY || reply->elements == 0) {
                        return done(std::move(answer));
                      }
                      const std::string_view verdict = Text(reply->element[0]);
                      if (verdict == "full") answer.verdict = SeatVerdict::kRoomFull;
                      if (verdict == "barred") answer.verdict = SeatVerdict::kBarred;
                      if (verdict != "seated" || reply->elements < 3) return done(std::move(answer));
                      // The stored spelling is used only when it names the same room.
                      static const ServerLimits limits;
                      const auto stored = CleanRoomKey(Text(reply->element[1]), limits);
                      if (stored && RoomIdOf(*stored) == roomId) answer.roomKey = *stored;
                      answer.voteRunning = Text(reply->element[2]) == "1";
                      answer.others = ParseMembers(reply, 3);
                      done(std::move(answer));
                    });
}

void RedisCluster::LeaveSeat(const std::string& roomId, const std::string& userId) {
  commands_.Command({"EVAL", redis_script::kLeave, "0", roomId, userId, node_}, nullptr);
}

void RedisCluster::UpdateSeat(const std::string& roomId, const ClusterMember& member) {
  commands_.Command({"EVAL", redis_script::kUpdate, "0", roomId, member.userId, Record(member)}, nullptr);
}

void RedisCluster::ClaimVote(const std::string& roomId, Millis duration, ClaimDone done) {
  // Without Redis the node decides alone.
  commands_.Command({"SET", "orv:vote:" + roomId, node_, "NX", "PX", std::to_string(std::max<Millis>(duration, 1))},
                    [done](const redisReply* reply) {
                      done(reply == nullptr || reply->type == REDIS_REPLY_STATUS || reply->type == REDIS_REPLY_ERROR);
                    });
}

void RedisCluster::ReleaseVote(const std::string& roomId) {
  commands_.Command({"EVAL", redis_script::kReleaseVote, "0", roomId, node_}, nullptr);
}

void RedisCluster::Bar(const std::string& roomId, const std::string& userId, Millis duration) {
  if (duration <= 0) return;
  commands_.Command({"SET", "orv:bar:" + roomId + "/" + userId, "1", "PX", std::to_string(duration)}, nullptr);
}

void RedisCluster::Publish(const std::string& roomId, std::string_view command, std::string_view body) {
  if (!commands_.Up()) {
    ++metrics_.droppedLinkDown;  // counted, not held: the members here were told already
    return;
  }
  ++metrics_.published;
  commands_.Command({"PUBLISH", kRoomChannel + roomId, Payload(roomId, command, body)}, nullptr);
}

void RedisCluster::AskMembers(const std::string& roomId, MembersDone done) {
  commands_.Command({"HGETALL", "orv:room:" + roomId},
                    [done](const redisReply* reply) { done(ParseMembers(reply, 0)); });
}

void RedisCluster::SendToUser(const std::string& userId, std::string_view command, std::string_view body,
                              DeliveredDone done) {
  commands_.Command({"EVAL", redis_script::kToUser, "0", userId, Payload(userId, command, body)},
                    [done](const redisReply* reply) { done(reply != nullptr && IsInteger(reply, 1)); });
}

void RedisCluster::Watch(const std::string& roomId) {
  if (!watched_.insert(roomId).second) return;
  pushes_.Subscription({"SUBSCRIBE", kRoomChannel + roomId});
}

void RedisCluster::Unwatch(const std::string& roomId) {
  if (watched_.erase(roomId) == 0) return;
  pushes_.Subscription({"UNSUBSCRIBE", kRoomChannel + roomId});
}

void RedisCluster::OnPush(const redisReply* reply) {
  // {"message", channel, payload}; the subscribe and unsubscribe answers are passed by.
  if (reply == nullptr || reply->type != REDIS_REPLY_ARRAY || reply->elements != 3) return;
  if (Text(reply->element[0]) != "message") return;
  const std::string_view channel = Text(reply->element[1]);
  const std::string_view payload = Text(reply->element[2]);
  const auto message = ParseClusterMessage(payload);
  if (!message) {
    ++metrics_.droppedMalformed;
    return;
  }
  if (message->origin == node_) return;  // our own, delivered here already
  ++metrics_.received;
  const std::uint64_t now = WallMillis();
  Millis waited = 0;
  if (message->sentMs && *message->sentMs <= now && now - *message->sentMs < 3'600'000) {
    // What the sender held it for, at most: a longer way here is no reason to gather less.
    waited = std::min<Millis>(static_cast<Millis>(now - *message->sentMs), kGatherMs);
    ++metrics_.lagCount;
    metrics_.lagSumMs += now - *message->sentMs;
    metrics_.lagMaxMs = std::max(metrics_.lagMaxMs, now - *message->sentMs);
  }
  if (inbox_ == nullptr) return;
  const std::string target(message->target);
  if (channel.starts_with(kRoomChannel)) {
    if (channel.substr(kRoomChannel.size()) != target || !watched_.contains(target)) {
      ++metrics_.droppedMalformed;
      return;
    }
    inbox_->OnRoomEvent(target, message->command, message->body, waited);
  } else if (channel == userChannel_) {
    inbox_->OnUserEvent(target, message->command, message->body);
  }
}

ClusterMetrics RedisCluster::Metrics() const {
  ClusterMetrics m = metrics_;
  m.linkUp = Up();
  m.reconnects = commands_.Reconnects();
  return m;
}

std::string ClusterMetricsText(const ClusterMetrics& m) {
  std::string out;
  const auto line = [&out](std::string_view name, std::string_view type, std::string_view labels, std::uint64_t v) {
    if (!type.empty()) out.append("# TYPE ").append(name).append(" ").append(type).append("\n");
    out.append(name).append(labels).append(" ").append(std::to_string(v)).append("\n");
  };
  line("orvinta_cluster_link_up", "gauge", "", m.linkUp ? 1 : 0);
  line("orvinta_cluster_reconnects_total", "counter", "", m.reconnects);
  line("orvinta_cluster_events_published_total", "counter", "", m.published);
  line("orvinta_cluster_events_received_total", "counter", "", m.received);
  line("orvinta_cluster_events_dropped_total", "counter", "{cause=\"link_down\"}", m.droppedLinkDown);
  line("orvinta_cluster_events_dropped_total", "", "{cause=\"malformed\"}", m.droppedMalformed);
  line("orvinta_cluster_lag_milliseconds_sum", "counter", "", m.lagSumMs);
  line("orvinta_cluster_lag_milliseconds_count", "counter", "", m.lagCount);
  line("orvinta_cluster_lag_milliseconds_max", "gauge", "", m.lagMaxMs);
  out.append("# HELP orvinta_cluster_rooms Rooms with members on any node, as /rooms.json counts them.\n");
  line("orvinta_cluster_rooms", "gauge", "", m.rooms);
  line("orvinta_cluster_room_members", "gauge", "", m.roomMembers);
  return out;
}

}  // namespace orvinta::server
