#pragma once
// The cluster on Redis: one login per id, room seats within the room's
// capacity (a Lua script checks and takes the seat in one step), the rooms'
// traffic over publish/subscribe, heartbeats, and the sweep of nodes that
// died. A node is one run: each start is a new generation of its name that
// replaces the previous run's state at once. After any gap (a lost link, a
// stall, Redis restarted empty) the run states again all it holds and every
// node reconciles. What comes out of Redis is untrusted and checked before
// the core sees it.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "server/cluster_port.h"
#include "server/event_log.h"
#include "server/redis_link.h"
#include "server/server_view.h"

namespace orvinta::server {

struct ClusterMetrics {
  bool linkUp = false;
  std::uint64_t reconnects = 0;
  std::uint64_t published = 0;
  std::uint64_t received = 0;
  std::uint64_t droppedLinkDown = 0;  // could not be published: the link was down
  std::uint64_t droppedMalformed = 0;
  std::uint64_t lagCount = 0;
  std::uint64_t lagSumMs = 0;
  std::uint64_t lagMaxMs = 0;
  // Over every node, as the portal lists them (1:1 rooms left out).
  std::uint64_t rooms = 0;
  std::uint64_t roomMembers = 0;
};

struct LuaScript;  // a script's text and its SHA-1

class RedisCluster final : public ClusterPort, public ServerView {
 public:
  // generation: this start's, the same for every shard of the node.
  RedisCluster(EventLoop& loop, const Clock& clock, EventLog& log, RedisAddress address, std::string password,
               std::string nodeName, std::string generation);
  ~RedisCluster() override;

  void Attach(ClusterInbox& inbox) { inbox_ = &inbox; }
  // Which ids and room ids this Redis keeps, for registering again (all by default).
  void Owns(std::function<bool(std::string_view)> owns) { owns_ = std::move(owns); }
  // Connects, reconnects, beats, sweeps: call a few times a second.
  void Tick();
  bool Up() const { return commands_.Up() && pushes_.Up(); }
  // This run has told Redis what it holds at least once (logins may come).
  bool Stated() const { return stated_; }
  // A clean stop: this run's members leave every room and its ids go; done
  // once Redis has done it, or at once without a link.
  void Retire(std::function<void()> done);
  const std::string& Run() const { return run_; }
  const std::string& LastError() const;
  ClusterMetrics Metrics() const;

  void ClaimUser(const std::string& userId, ClaimDone done) override;
  void ReleaseUser(const std::string& userId) override;
  void ProbeUser(const std::string& userId, DeliveredDone done) override;
  void TakeSeat(const SeatRequest& request, SeatDone done) override;
  void LeaveSeat(const std::string& roomId, const std::string& userId) override;
  void UpdateSeat(const std::string& roomId, const ClusterMember& member) override;
  void ClaimVote(const std::string& roomId, Millis duration, ClaimDone done) override;
  void ReleaseVote(const std::string& roomId) override;
  void Bar(const std::string& roomId, const std::string& userId, Millis duration) override;
  void Publish(const std::string& roomId, std::string_view command, std::string_view body) override;
  void AskMembers(const std::string& roomId, MembersDone done) override;
  void AskRoster(const std::string& roomId, RosterDone done) override;
  void SendToUser(const std::string& userId, std::string_view command, std::string_view body,
                  DeliveredDone done) override;
  void Watch(const std::string& roomId) override;
  void Unwatch(const std::string& roomId) override;

  // The rooms' history (server/redis_history.h): its scripts, by EVALSHA.
  enum class HistoryScript { kAppendLine, kReadLines };
  void RunHistory(HistoryScript script, std::vector<std::string> args, RedisLink::Reply reply);
  // A line this run published comes back from Redis: delivered here only
  // when check(roomId, stamped body) says so (it was not delivered already).
  void OnOwnLine(std::function<bool(const std::string&, std::string_view)> check) { ownLine_ = std::move(check); }
  // A room's frame for the members here, as if from Redis.
  void Loopback(const std::string& roomId, std::string_view command, std::string_view body);

  // The public rooms of every node, as last read (once a second), for the portal.
  std::vector<RoomSummary> ListRooms() const override { return rooms_; }

 private:
  struct Probe {
    DeliveredDone done;
    Millis deadline = 0;
  };

  void OnCommandsUp();
  void OnPushesUp();
  void OnPush(const redisReply* reply);
  void OnNodeEvent(std::string_view command, const std::string& userId, std::string_view origin,
                   std::string_view body);
  void Beat();
  void Sweep();
  void ReadRooms();
  // Makes Redis hold exactly what this run holds, then reconciles.
  void State();
  void Replaced();
  void EndProbes(const std::string& userId, bool live);
  // By EVALSHA (the scripts are loaded once per connection), EVAL if Redis lost them.
  void Eval(const LuaScript& script, std::vector<std::string> args, RedisLink::Reply reply);
  std::string Payload(std::string_view target, std::string_view command, std::string_view body) const;
  std::string Record(const ClusterMember& member) const;
  void Complain(const redisReply* reply);

  EventLog& log_;
  const Clock& clock_;
  std::string name_;
  std::string run_;  // "NAME:GENERATION"
  std::string address_;
  std::string userChannel_;  // "orv:to:RUN": frames for members here
  ClusterInbox* inbox_ = nullptr;
  std::function<bool(std::string_view)> owns_ = [](std::string_view) { return true; };
  std::function<bool(const std::string&, std::string_view)> ownLine_;
  RedisLink commands_;
  RedisLink pushes_;  // a subscribing connection takes no other commands
  std::set<std::string> watched_;
  // When each id here logged in (wall time): of two logins granted while the
  // nodes could not see each other, the earlier keeps the id.
  std::unordered_map<std::string, std::uint64_t> since_;
  std::map<std::string, std::vector<Probe>> probes_;
  std::set<std::string> holderGone_;  // the next claim of these ids takes them over
  Millis nextBeat_ = 0;
  Millis nextSweep_ = 0;
  Millis nextRooms_ = 0;
  Millis reconcileAt_ = -1;
  Millis lastTick_ = -1;
  std::vector<RoomSummary> rooms_;
  std::string roomsVersion_;
  bool wasUp_ = false;
  bool stated_ = false;
  bool replaced_ = false;
  ClusterMetrics metrics_;
};

// The metrics in Prometheus's text format.
std::string ClusterMetricsText(const ClusterMetrics& metrics);

// "redis://HOST:PORT" (HOST an IPv4 address or localhost; PORT 6379 when left out).
std::optional<RedisAddress> ParseRedisUrl(std::string_view url);

}  // namespace orvinta::server
