#include "server/redis_cluster.h"

#include <arpa/inet.h>
#include <time.h>

#include <cctype>

#include <openssl/evp.h>

#include <algorithm>
#include <charconv>

#include "protocol/wire_commands.h"
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
// A loop that stood still this long (a stall, a paused machine) may have been
// taken for dead: the run states again what it holds.
constexpr Millis kStallMs = 2500;
// Another run stated again: reconciling waits this long so that several gather.
constexpr Millis kReconcileDelay = 300;
// A node asked whether its member still answers pings it for 5 s.
constexpr Millis kProbeWait = 6500;
constexpr std::size_t kMaxRoomsRead = 100'000;
constexpr std::size_t kMaxMembersRead = 20'000;
constexpr std::size_t kMaxProbes = 1000;
const std::string kRoomChannel = "orv:chan:";
const std::string kAllChannel = "orv:all";
// Between nodes only; no member sees them.
constexpr std::string_view kStated = "STAT";
constexpr std::string_view kProbeAsk = "PROB";
constexpr std::string_view kProbeLive = "LIVE";
constexpr std::string_view kProbeGone = "GONE";
constexpr std::string_view kTakenElsewhere = "DUPL";

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

// A run's name as Redis may echo it back: a node name, ":", a generation.
bool PlausibleRun(std::string_view run) {
  if (run.empty() || run.size() > kMaxRunName) return false;
  return std::all_of(run.begin(), run.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_' || c == ':';
  });
}

std::optional<std::uint64_t> ParseMillis(std::string_view text) {
  std::uint64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string Sha1Hex(std::string_view text) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  EVP_Digest(text.data(), text.size(), digest, &size, EVP_sha1(), nullptr);
  static constexpr char kHex[] = "0123456789abcdef";
  std::string hex;
  for (unsigned int i = 0; i < size; ++i) {
    hex.push_back(kHex[digest[i] >> 4]);
    hex.push_back(kHex[digest[i] & 15]);
  }
  return hex;
}

}  // namespace

struct LuaScript {
  explicit LuaScript(std::string_view lua) : text(lua), sha(Sha1Hex(lua)) {}
  std::string_view text;
  std::string sha;
};

namespace {

const LuaScript kClaim{redis_script::kClaim};
const LuaScript kRelease{redis_script::kRelease};
const LuaScript kHolder{redis_script::kHolder};
const LuaScript kReleaseVote{redis_script::kReleaseVote};
const LuaScript kSeat{redis_script::kSeat};
const LuaScript kLeave{redis_script::kLeave};
const LuaScript kUpdate{redis_script::kUpdate};
const LuaScript kToUser{redis_script::kToUser};
const LuaScript kBeat{redis_script::kBeat};
const LuaScript kState{redis_script::kState};
const LuaScript kRetire{redis_script::kRetire};
const LuaScript kSweep{redis_script::kSweep};
const LuaScript kAppendLine{redis_script::kAppendLine};
const LuaScript kReadLines{redis_script::kReadLines};
const LuaScript* const kScripts[] = {&kClaim, &kRelease, &kHolder, &kReleaseVote, &kSeat,  &kLeave,     &kUpdate,
                                     &kToUser, &kBeat,    &kState,  &kRetire,      &kSweep, &kAppendLine, &kReadLines};

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
                           std::string password, std::string nodeName, std::string generation)
    : log_(log),
      clock_(clock),
      name_(std::move(nodeName)),
      run_(name_ + ":" + generation),
      address_(address.host + ":" + std::to_string(address.port)),
      userChannel_("orv:to:" + run_),
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
  const Millis now = clock_.Now();
  const bool stalled = lastTick_ >= 0 && now - lastTick_ >= kStallMs;
  lastTick_ = now;
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
      log_.Write(up ? "cluster: link to Redis at " + address_ + " up, node " + run_
                    : "cluster: link to Redis at " + address_ + " down (" + LastError() +
                          "); members here keep talking among themselves, trying again");
    }
  }
  // Unanswered: the holder's node is gone or stalled; the id stays taken until it is swept.
  std::vector<std::string> unanswered;
  for (const auto& [id, waiting] : probes_) {
    if (now >= waiting.front().deadline) unanswered.push_back(id);
  }
  for (const std::string& id : unanswered) EndProbes(id, true);
  if (!commands_.Up()) return;
  if (stalled && stated_) {
    if (log_.Wants(LogLevel::kQuiet)) log_.Write("cluster: this node stood still; stating again what it holds");
    State();
  }
  if (reconcileAt_ >= 0 && now >= reconcileAt_ && inbox_ != nullptr) {
    reconcileAt_ = -1;
    inbox_->Reconcile();
  }
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

void RedisCluster::Eval(const LuaScript& script, std::vector<std::string> args, RedisLink::Reply reply) {
  std::vector<std::string_view> argv{"EVALSHA", script.sha, "0"};
  argv.insert(argv.end(), args.begin(), args.end());
  if (!reply) {
    commands_.Command(argv, nullptr);
    return;
  }
  commands_.Command(argv, [this, &script, args = std::move(args), reply = std::move(reply)](const redisReply* r) {
    // Loaded when the link came up; only a SCRIPT FLUSH since makes Redis forget it.
    if (r == nullptr || r->type != REDIS_REPLY_ERROR || !std::string_view(r->str, r->len).starts_with("NOSCRIPT")) {
      return reply(r);
    }
    std::vector<std::string_view> again{"EVAL", script.text, "0"};
    again.insert(again.end(), args.begin(), args.end());
    commands_.Command(again, reply);
  });
}

void RedisCluster::ReadRooms() {
  // The index changes rarely next to how often it is read: it is fetched only when its version moved.
  commands_.Command({"GET", "orv:index:v"}, [this](const redisReply* version) {
    const std::string seen(Text(version));
    if (version == nullptr || (seen == roomsVersion_ && !seen.empty())) return;
    commands_.Command({"HGETALL", "orv:index"}, [this, seen](const redisReply* reply) {
      if (reply == nullptr || reply->type != REDIS_REPLY_ARRAY) return;  // keep the last picture
      static const ServerLimits limits;
      std::vector<std::pair<std::string, RoomSummary>> rooms;
      const std::size_t end = std::min<std::size_t>(reply->elements, 2 * kMaxRoomsRead);
      for (std::size_t i = 0; i + 1 < end; i += 2) {
        const auto fields = text::SplitFields(Text(reply->element[i + 1]), '/', 2);
        const auto count = ParseMillis(fields[0]);
        const auto key = CleanRoomKey(fields[1], limits);
        // A 1:1 room is its two members' business: no public list names it.
        if (!key || IsPrivateRoomKey(*key) || !count || *count == 0 || *count > kMaxMembersRead) continue;
        rooms.emplace_back(RoomIdOf(*key), RoomSummary{*key, {}, static_cast<std::size_t>(*count)});
      }
      std::sort(rooms.begin(), rooms.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
      rooms_.clear();
      for (auto& [id, room] : rooms) rooms_.push_back(std::move(room));
      roomsVersion_ = seen;
    });
  });
}

void RedisCluster::OnCommandsUp() {
  // Before anything else on this connection: every later command finds its script.
  for (const LuaScript* script : kScripts) commands_.Command({"SCRIPT", "LOAD", script->text}, nullptr);
  nextBeat_ = clock_.Now() + kBeatEvery;
  roomsVersion_.clear();
  State();
}

void RedisCluster::OnPushesUp() {
  std::vector<std::string> channels{userChannel_, kAllChannel};
  for (const std::string& room : watched_) channels.push_back(kRoomChannel + room);
  std::vector<std::string_view> args{"SUBSCRIBE"};
  args.insert(args.end(), channels.begin(), channels.end());
  pushes_.Subscription(args);
  // What was published while this link was down is gone: the rosters are read again.
  if (stated_) reconcileAt_ = clock_.Now() + kReconcileDelay;
}

void RedisCluster::Beat() {
  if (replaced_) return;
  Eval(kBeat, {run_, name_, std::to_string(kAliveFor)}, [this](const redisReply* reply) {
    // Redis does not know this run: it restarted empty, or swept us after a stall.
    if (IsInteger(reply, 1)) State();
    if (IsInteger(reply, 2)) Replaced();
  });
}

void RedisCluster::Replaced() {
  if (replaced_) return;
  replaced_ = true;
  if (log_.Wants(LogLevel::kQuiet)) {
    log_.Write("cluster: node " + name_ + " was started again elsewhere; this run " + run_ +
               " no longer registers its members (two live nodes must not share a name)");
  }
}

void RedisCluster::Sweep() {
  Eval(kSweep, {std::to_string(WallMillis())}, [this](const redisReply* reply) {
    if (reply != nullptr && reply->type == REDIS_REPLY_INTEGER && reply->integer > 0 &&
        log_.Wants(LogLevel::kNormal)) {
      log_.Write("cluster: swept " + std::to_string(reply->integer) + " node(s) whose heartbeat stopped");
    }
  });
}

void RedisCluster::State() {
  if (inbox_ == nullptr || replaced_) return;
  const std::uint64_t now = WallMillis();
  std::vector<std::string> args{run_, name_, std::to_string(kAliveFor), std::to_string(now), stated_ ? "0" : "1"};
  std::vector<std::string> users;
  for (const std::string& id : inbox_->LocalUsers()) {
    if (!owns_(id)) continue;
    users.push_back(id);
    users.push_back(std::to_string(since_.try_emplace(id, now).first->second));
  }
  args.push_back(std::to_string(users.size() / 2));
  args.insert(args.end(), users.begin(), users.end());
  std::size_t seats = 0;
  for (const auto& seat : inbox_->LocalSeats()) {
    if (!owns_(seat.roomId)) continue;
    ++seats;
    args.insert(args.end(), {seat.roomId, seat.roomKey, seat.member.userId, Record(seat.member)});
  }
  const std::size_t userCount = users.size() / 2;
  Eval(kState, std::move(args), [this, userCount, seats](const redisReply* reply) {
    Complain(reply);
    if (reply == nullptr || reply->type != REDIS_REPLY_ARRAY || reply->elements == 0) return;
    if (Text(reply->element[0]) == "replaced") return Replaced();
    const bool first = !stated_;
    stated_ = true;
    if (!first && log_.Wants(LogLevel::kNormal)) {
      log_.Write("cluster: stated again " + std::to_string(userCount) + " member(s) and " + std::to_string(seats) +
                 " seat(s)");
    }
    for (std::size_t i = 1; i < reply->elements; ++i) {
      const std::string id(Text(reply->element[i]));
      if (log_.Wants(LogLevel::kQuiet)) log_.Write("cluster: " + LogText(id) + " logged in earlier on another node");
      inbox_->LoginTakenElsewhere(id);
    }
    inbox_->Reconcile();
  });
}

void RedisCluster::Retire(std::function<void()> done) {
  if (!commands_.Up() || !stated_ || replaced_) return done();
  Eval(kRetire, {run_, name_, std::to_string(WallMillis())}, [done = std::move(done)](const redisReply*) { done(); });
}

void RedisCluster::Complain(const redisReply* reply) {
  if (reply != nullptr && reply->type == REDIS_REPLY_ERROR && log_.Wants(LogLevel::kQuiet)) {
    log_.Write("cluster: Redis refused a command: " + LogText(std::string_view(reply->str, reply->len)));
  }
}

std::string RedisCluster::Record(const ClusterMember& m) const { return MakeMemberRecord(run_, m); }

std::string RedisCluster::Payload(std::string_view target, std::string_view command, std::string_view body) const {
  return MakeClusterMessage(run_, WallMillis(), target, command, body);
}

void RedisCluster::ClaimUser(const std::string& userId, ClaimDone done) {
  const std::uint64_t now = WallMillis();
  since_[userId] = now;
  // Without Redis the id is let in here; stating it again settles a double login.
  const bool take = holderGone_.erase(userId) > 0;
  Eval(kClaim, {userId, run_, std::to_string(now), take ? "1" : "0"}, [this, userId, done](const redisReply* reply) {
    const bool granted = reply == nullptr || reply->type == REDIS_REPLY_ERROR || Text(reply).empty();
    if (!granted) since_.erase(userId);
    done(granted);
  });
}

void RedisCluster::ReleaseUser(const std::string& userId) {
  since_.erase(userId);
  Eval(kRelease, {userId, run_}, nullptr);
}

void RedisCluster::ProbeUser(const std::string& userId, DeliveredDone done) {
  Eval(kHolder, {userId}, [this, userId, done](const redisReply* reply) {
    const std::string holder(Text(reply));
    if (holder.empty() || holder == run_ || !PlausibleRun(holder)) return done(false);
    auto& waiting = probes_[userId];
    if (probes_.size() > kMaxProbes || waiting.size() > 4) return done(true);
    waiting.push_back({done, clock_.Now() + kProbeWait});
    if (waiting.size() > 1) return;
    commands_.Command({"PUBLISH", "orv:to:" + holder, Payload(userId, kProbeAsk, run_)},
                      [this, userId](const redisReply* reply) {
                        // Nobody listens for that run: it died before its heartbeat ran out.
                        if (!IsInteger(reply, 0)) return;
                        if (holderGone_.size() >= kMaxProbes) holderGone_.clear();
                        holderGone_.insert(userId);
                        EndProbes(userId, false);
                      });
  });
}

void RedisCluster::EndProbes(const std::string& userId, bool live) {
  const auto it = probes_.find(userId);
  if (it == probes_.end()) return;
  const std::vector<Probe> waiting = std::move(it->second);
  probes_.erase(it);
  for (const Probe& p : waiting) p.done(live);
}

void RedisCluster::TakeSeat(const SeatRequest& request, SeatDone done) {
  const std::string capacity = std::to_string(request.capacity);
  Eval(kSeat, {request.roomId, request.roomKey, request.member.userId, Record(request.member), capacity, run_},
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
  // The script tells the room "CHOT" only when the seat was this run's.
  if (!commands_.Up()) ++metrics_.droppedLinkDown;
  Eval(kLeave, {roomId, userId, run_, std::to_string(WallMillis())}, nullptr);
}

void RedisCluster::UpdateSeat(const std::string& roomId, const ClusterMember& member) {
  Eval(kUpdate, {roomId, member.userId, Record(member)}, nullptr);
}

void RedisCluster::ClaimVote(const std::string& roomId, Millis duration, ClaimDone done) {
  // Without Redis the node decides alone.
  commands_.Command({"SET", "orv:vote:" + roomId, run_, "NX", "PX", std::to_string(std::max<Millis>(duration, 1))},
                    [done](const redisReply* reply) {
                      done(reply == nullptr || reply->type == REDIS_REPLY_STATUS || reply->type == REDIS_REPLY_ERROR);
                    });
}

void RedisCluster::ReleaseVote(const std::string& roomId) { Eval(kReleaseVote, {roomId, run_}, nullptr); }

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

void RedisCluster::RunHistory(HistoryScript script, std::vector<std::string> args, RedisLink::Reply reply) {
  Eval(script == HistoryScript::kAppendLine ? kAppendLine : kReadLines, std::move(args), std::move(reply));
}

void RedisCluster::Loopback(const std::string& roomId, std::string_view command, std::string_view body) {
  if (inbox_ != nullptr) inbox_->OnRoomEvent(roomId, command, body, 0);
}

void RedisCluster::AskMembers(const std::string& roomId, MembersDone done) {
  commands_.Command({"HGETALL", "orv:room:" + roomId},
                    [done](const redisReply* reply) { done(ParseMembers(reply, 0)); });
}

void RedisCluster::AskRoster(const std::string& roomId, RosterDone done) {
  commands_.Command({"HGETALL", "orv:room:" + roomId}, [this, done](const redisReply* reply) {
    if (reply == nullptr || reply->type != REDIS_REPLY_ARRAY) return done(std::nullopt);
    std::vector<ClusterMember> others;
    const std::size_t end = std::min<std::size_t>(reply->elements, 2 * kMaxMembersRead);
    for (std::size_t i = 0; i + 1 < end; i += 2) {
      const std::string_view record = Text(reply->element[i + 1]);
      if (record.starts_with(run_ + "/")) continue;  // this run's own seats
      if (auto m = ParseMemberRecord(Text(reply->element[i]), record)) others.push_back(std::move(*m));
    }
    done(std::move(others));
  });
}

void RedisCluster::SendToUser(const std::string& userId, std::string_view command, std::string_view body,
                              DeliveredDone done) {
  Eval(kToUser, {userId, Payload(userId, command, body)},
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
  // Our own, delivered here already; but a line the history kept is delivered
  // on every node from its published message, so that ids come in order.
  const bool own = message->origin == run_;
  if (own && !(message->command == wire::kStampedToAll && ownLine_ && ownLine_(std::string(message->target), message->body))) {
    return;
  }
  if (!own) ++metrics_.received;
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
  } else if (channel == kAllChannel) {
    if (message->command == kStated && reconcileAt_ < 0) reconcileAt_ = clock_.Now() + kReconcileDelay;
  } else if (channel == userChannel_) {
    OnNodeEvent(message->command, target, message->origin, message->body);
  }
}

void RedisCluster::OnNodeEvent(std::string_view command, const std::string& userId, std::string_view origin,
                               std::string_view body) {
  if (command == kProbeAsk) {
    const std::string asker(body);
    if (!PlausibleRun(asker)) return;
    inbox_->OnProbe(userId, [this, asker, userId](bool live) {
      commands_.Command({"PUBLISH", "orv:to:" + asker, Payload(userId, live ? kProbeLive : kProbeGone, "")}, nullptr);
    });
  } else if (command == kProbeLive || command == kProbeGone) {
    EndProbes(userId, command == kProbeLive);
  } else if (command == kTakenElsewhere) {
    // Only a session here that logged in no earlier than the one that kept the id ends.
    const auto theirs = ParseMillis(body);
    const auto it = since_.find(userId);
    if (!theirs || it == since_.end() || it->second < *theirs || origin.empty()) return;
    if (log_.Wants(LogLevel::kQuiet)) log_.Write("cluster: " + LogText(userId) + " logged in earlier on another node");
    inbox_->LoginTakenElsewhere(userId);
  } else {
    inbox_->OnUserEvent(userId, command, body);
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
