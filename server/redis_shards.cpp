#include "server/redis_shards.h"

#include <algorithm>

#include "server/wire_fields.h"

namespace orvinta::server {

std::size_t ShardOf(std::string_view key, std::size_t shards) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : key) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  return shards == 0 ? 0 : static_cast<std::size_t>(hash % shards);
}

RedisShards::RedisShards(std::vector<std::unique_ptr<RedisCluster>> shards) : shards_(std::move(shards)) {
  for (std::size_t i = 0; i < shards_.size(); ++i) {
    shards_[i]->Owns([i, n = shards_.size()](std::string_view key) { return ShardOf(key, n) == i; });
  }
}

void RedisShards::Attach(ClusterInbox& inbox) {
  for (auto& shard : shards_) shard->Attach(inbox);
}

void RedisShards::Tick() {
  for (auto& shard : shards_) shard->Tick();
}

bool RedisShards::Up() const {
  return std::all_of(shards_.begin(), shards_.end(), [](const auto& shard) { return shard->Up(); });
}

bool RedisShards::Stated() const {
  return std::all_of(shards_.begin(), shards_.end(), [](const auto& shard) { return shard->Stated(); });
}

void RedisShards::Retire(std::function<void()> done) {
  auto left = std::make_shared<std::size_t>(shards_.size());
  auto shared = std::make_shared<std::function<void()>>(std::move(done));
  for (auto& shard : shards_) {
    shard->Retire([left, shared] {
      if (--*left == 0) (*shared)();
    });
  }
}

std::string RedisShards::LastError() const {
  for (const auto& shard : shards_) {
    if (!shard->Up() && !shard->LastError().empty()) return shard->LastError();
  }
  return {};
}

std::string RedisShards::MetricsText() const {
  ClusterMetrics sum;
  sum.linkUp = Up();
  for (const auto& shard : shards_) {
    const ClusterMetrics m = shard->Metrics();
    sum.reconnects += m.reconnects;
    sum.published += m.published;
    sum.received += m.received;
    sum.droppedLinkDown += m.droppedLinkDown;
    sum.droppedMalformed += m.droppedMalformed;
    sum.lagCount += m.lagCount;
    sum.lagSumMs += m.lagSumMs;
    sum.lagMaxMs = std::max(sum.lagMaxMs, m.lagMaxMs);
  }
  const std::vector<RoomSummary> rooms = ListRooms();
  sum.rooms = rooms.size();
  for (const RoomSummary& room : rooms) sum.roomMembers += room.memberCount;
  return ClusterMetricsText(sum);
}

std::vector<RoomSummary> RedisShards::ListRooms() const {
  std::vector<RoomSummary> rooms;
  for (const auto& shard : shards_) {
    const auto part = shard->ListRooms();
    rooms.insert(rooms.end(), part.begin(), part.end());
  }
  std::sort(rooms.begin(), rooms.end(),
            [](const RoomSummary& a, const RoomSummary& b) { return RoomIdOf(a.key) < RoomIdOf(b.key); });
  return rooms;
}

}  // namespace orvinta::server
