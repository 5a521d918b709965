#pragma once
// The history of a cluster, in Redis Streams: one stream per room, in the
// room's Redis. A line said here is kept, given the room's next id and
// published by one script, so ids and order are the same on every node;
// every node, this one included, delivers it from the published message.
// While Redis cannot take a line (the link down, the script failed, its
// message not back within a second) the members here get it unstamped, as
// they would without history, and it is not kept. Reads are a script too:
// the latest lines, or those after or before an id.
#include <deque>
#include <string>
#include <unordered_map>

#include "server/memory_history.h"
#include "server/redis_shards.h"

namespace orvinta::server {

class RedisHistory final : public HistoryPort {
 public:
  RedisHistory(RedisShards& shards, HistoryBounds bounds, const Clock& clock);

  std::optional<HistoryLine> Append(const std::string& roomId, std::string_view body, Millis now) override;
  void Read(const HistoryQuery& query, Millis now, PageDone done) override;
  // Lines whose message did not come back go to the members here unstamped.
  void Tick(Millis now) override;
  // Lines and bytes kept are Redis's to tell: 0 here.
  HistoryStats Stats() const override { return stats_; }
  bool Shared() const override { return true; }

 private:
  // A line published from here, until its message comes back.
  struct InFlight {
    std::string body;
    Millis due = 0;  // delivered unstamped then
    bool failed = false;
    bool unpublished = false;  // Redis refused the script: the other nodes have not had it either
  };
  bool OwnLineBack(const std::string& roomId, std::string_view stampedBody);

  RedisShards& shards_;
  HistoryBounds bounds_;
  const Clock& clock_;
  std::unordered_map<std::string, std::deque<InFlight>> inFlight_;
  std::size_t inFlightCount_ = 0;
  HistoryStats stats_;
};

// The page a read script's answer makes (untrusted: checked, bounded); the
// page says unavailable when the answer is not one.
HistoryPage PageFromReply(const redisReply* reply, const HistoryQuery& query, Millis now, Millis maxAge);

}  // namespace orvinta::server
