#pragma once
// The cluster over one or several Redis servers: rooms are spread over them
// by a stable hash of the room id, members by their id. Every node uses the
// same hash, so all of them find a room or an id in the same Redis.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "server/redis_cluster.h"

namespace orvinta::server {

// FNV-1a over the bytes: the same on every machine and in every build.
std::size_t ShardOf(std::string_view key, std::size_t shards);

class RedisShards final : public ClusterPort, public ServerView {
 public:
  explicit RedisShards(std::vector<std::unique_ptr<RedisCluster>> shards);

  void Attach(ClusterInbox& inbox);
  void Tick();
  bool Up() const;
  bool Stated() const;
  // A clean stop on every Redis; done once all have answered (or had no link).
  void Retire(std::function<void()> done);
  std::string LastError() const;
  std::string MetricsText() const;

  void ClaimUser(const std::string& userId, ClaimDone done) override { For(userId).ClaimUser(userId, done); }
  void ReleaseUser(const std::string& userId) override { For(userId).ReleaseUser(userId); }
  void ProbeUser(const std::string& userId, DeliveredDone done) override { For(userId).ProbeUser(userId, done); }
  void TakeSeat(const SeatRequest& request, SeatDone done) override { For(request.roomId).TakeSeat(request, done); }
  void LeaveSeat(const std::string& roomId, const std::string& userId) override {
    For(roomId).LeaveSeat(roomId, userId);
  }
  void UpdateSeat(const std::string& roomId, const ClusterMember& member) override {
    For(roomId).UpdateSeat(roomId, member);
  }
  void ClaimVote(const std::string& roomId, Millis duration, ClaimDone done) override {
    For(roomId).ClaimVote(roomId, duration, done);
  }
  void ReleaseVote(const std::string& roomId) override { For(roomId).ReleaseVote(roomId); }
  void Bar(const std::string& roomId, const std::string& userId, Millis duration) override {
    For(roomId).Bar(roomId, userId, duration);
  }
  void Publish(const std::string& roomId, std::string_view command, std::string_view body) override {
    For(roomId).Publish(roomId, command, body);
  }
  void AskMembers(const std::string& roomId, MembersDone done) override { For(roomId).AskMembers(roomId, done); }
  void AskRoster(const std::string& roomId, RosterDone done) override { For(roomId).AskRoster(roomId, done); }
  void SendToUser(const std::string& userId, std::string_view command, std::string_view body,
                  DeliveredDone done) override {
    For(userId).SendToUser(userId, command, body, done);
  }
  void Watch(const std::string& roomId) override { For(roomId).Watch(roomId); }
  void Unwatch(const std::string& roomId) override { For(roomId).Unwatch(roomId); }

  std::vector<RoomSummary> ListRooms() const override;

  // The Redis that keeps the room's (or the id's) state.
  RedisCluster& ShardFor(std::string_view key) { return For(key); }
  void ForEachShard(const std::function<void(RedisCluster&)>& f) {
    for (auto& shard : shards_) f(*shard);
  }

 private:
  RedisCluster& For(std::string_view key) { return *shards_[ShardOf(key, shards_.size())]; }

  std::vector<std::unique_ptr<RedisCluster>> shards_;
};

}  // namespace orvinta::server
