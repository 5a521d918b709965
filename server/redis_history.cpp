#include "server/redis_history.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "protocol/wire_commands.h"
#include "server/cluster_messages.h"
#include "server/history_page.h"
#include "server/server_limits.h"
#include "server/wire_fields.h"
#include "text/text_util.h"

namespace orvinta::server {
namespace {

// A published line's message is back within milliseconds; past this Redis is
// taken to have lost it, and the members here get it unstamped.
constexpr Millis kEchoWait = 1000;
constexpr std::size_t kMaxInFlight = 10'000;
// Anchors stay where the scripts' numbers (Lua's doubles) are exact.
constexpr std::uint64_t kMaxAnchor = 1ull << 53;

std::string_view Text(const redisReply* r) {
  if (r == nullptr || r->type != REDIS_REPLY_STRING) return {};
  return {r->str, r->len};
}

std::optional<std::uint64_t> Number(std::string_view text) {
  std::uint64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

char ModeLetter(HistoryMode mode) {
  switch (mode) {
    case HistoryMode::kAfter:
      return 'A';
    case HistoryMode::kBefore:
      return 'B';
    case HistoryMode::kLatest:
      break;
  }
  return 'L';
}

// The "TALL" body of a line as kept: bounded, no zero byte, a sender id first.
bool PlausibleLine(std::string_view body) {
  static const ServerLimits limits;
  return !body.empty() && body.size() <= kMaxClusterMessage && body.find('\0') == std::string_view::npos &&
         IsValidUserId(text::SplitFields(body, '/', 3)[0], limits);
}

HistoryPage Unavailable() {
  HistoryPage page;
  page.unavailable = true;
  return page;
}

}  // namespace

HistoryPage PageFromReply(const redisReply* reply, const HistoryQuery& query, Millis now, Millis maxAge) {
  HistoryPage page = Unavailable();
  if (reply == nullptr || reply->type != REDIS_REPLY_ARRAY) return page;
  const std::size_t elements = reply->elements;
  const bool after = query.mode == HistoryMode::kAfter;
  if (elements == 0) {  // no record of the room
    page.unavailable = false;
    page.ended = true;
    if (after && query.anchor != 0) page.missing = std::nullopt;
    return page;
  }
  if (elements < 2 || (elements - 2) % 3 != 0 || (elements - 2) / 3 > query.count) return page;
  const auto seed = Number(Text(reply->element[0]));
  const auto last = Number(Text(reply->element[1]));
  if (!seed || !last) return page;
  for (std::size_t i = 2; i < elements; i += 3) {
    const std::string_view entry = Text(reply->element[i]);
    const auto id = Number(entry.substr(0, entry.find('-')));
    const auto time = Number(Text(reply->element[i + 1]));
    const std::string_view body = Text(reply->element[i + 2]);
    if (!id || !time || !entry.ends_with("-0") || !PlausibleLine(body)) return Unavailable();
    // Past its age by this node's clock (Redis's may differ a little): not shown.
    if (static_cast<Millis>(*time) >= now - maxAge) page.lines.push_back({*id, static_cast<Millis>(*time), std::string(body)});
  }
  if (!after) std::reverse(page.lines.begin(), page.lines.end());
  const auto outOfOrder = [](const HistoryLine& a, const HistoryLine& b) { return a.id >= b.id; };
  if (std::adjacent_find(page.lines.begin(), page.lines.end(), outOfOrder) != page.lines.end()) {
    return Unavailable();
  }
  page.unavailable = false;
  const std::size_t given = (elements - 2) / 3;
  FinishPage(page, query);
  if (after && !page.cut) page.ended = given < query.count;
  if (after && query.anchor != 0 && query.anchor < *seed) {
    page.missing = std::nullopt;  // kept from before a gap: the room's record begun again
  } else if (after) {
    const std::uint64_t firstKept = page.lines.empty() ? *last + 1 : page.lines.front().id;
    if (query.anchor + 1 < firstKept) page.missing = firstKept - query.anchor - 1;
  }
  return page;
}

RedisHistory::RedisHistory(RedisShards& shards, HistoryBounds bounds, const Clock& clock)
    : shards_(shards), bounds_(bounds), clock_(clock) {
  shards_.ForEachShard([this](RedisCluster& shard) {
    shard.OnOwnLine([this](const std::string& roomId, std::string_view body) { return OwnLineBack(roomId, body); });
  });
}

std::optional<HistoryLine> RedisHistory::Append(const std::string& roomId, std::string_view body, Millis now) {
  RedisCluster& shard = shards_.ShardFor(roomId);
  if (!shard.Up() || inFlightCount_ >= kMaxInFlight) {
    ++stats_.unkept;
    return HistoryLine{0, now, std::string(body)};
  }
  inFlight_[roomId].push_back({std::string(body), clock_.Now() + kEchoWait});
  ++inFlightCount_;
  shard.RunHistory(RedisCluster::HistoryScript::kAppendLine,
                   {roomId, std::string(body), std::to_string(bounds_.linesPerRoom), std::to_string(bounds_.maxAge),
                    shard.Run(), std::to_string(now)},
                   [this, roomId, body = std::string(body)](const redisReply* reply) {
                     if (reply != nullptr && reply->type == REDIS_REPLY_INTEGER) {
                       ++stats_.rowsWritten;
                       return;
                     }
                     // Not kept. Given up at the next tick, unless its message came back
                     // meanwhile (the link broke after the script ran).
                     const auto it = inFlight_.find(roomId);
                     if (it == inFlight_.end()) return;
                     const auto line = std::find_if(it->second.begin(), it->second.end(), [&](const InFlight& l) {
                       return !l.failed && l.body == body;
                     });
                     if (line == it->second.end()) return;
                     line->failed = true;
                     // An error reply (out of memory, say) means the script did not run, so nothing was published.
                     line->unpublished = reply != nullptr && reply->type == REDIS_REPLY_ERROR;
                   });
  return std::nullopt;
}

bool RedisHistory::OwnLineBack(const std::string& roomId, std::string_view stampedBody) {
  const auto it = inFlight_.find(roomId);
  const auto first = stampedBody.find('/');
  const auto second = first == std::string_view::npos ? first : stampedBody.find('/', first + 1);
  if (it == inFlight_.end() || second == std::string_view::npos) return false;
  const std::string_view body = stampedBody.substr(second + 1);  // after ID/TIME/
  auto& lines = it->second;
  const auto line = std::find_if(lines.begin(), lines.end(), [&](const InFlight& l) { return l.body == body; });
  // Not in flight: delivered unstamped already.
  if (line == lines.end()) return false;
  lines.erase(line);
  --inFlightCount_;
  if (lines.empty()) inFlight_.erase(it);
  return true;
}

void RedisHistory::Tick(Millis) {
  const Millis now = clock_.Now();
  std::vector<std::pair<std::string, std::string>> late;
  std::vector<std::pair<std::string, std::string>> unpublished;
  for (auto it = inFlight_.begin(); it != inFlight_.end();) {
    std::erase_if(it->second, [&](InFlight& line) {
      if (!line.failed && line.due > now) return false;
      if (line.unpublished) unpublished.emplace_back(it->first, line.body);
      late.emplace_back(it->first, std::move(line.body));
      return true;
    });
    it = it->second.empty() ? inFlight_.erase(it) : std::next(it);
  }
  inFlightCount_ -= late.size();
  for (const auto& [roomId, body] : late) {
    ++stats_.unkept;
    shards_.ShardFor(roomId).Loopback(roomId, wire::kToAll, body);
  }
  for (const auto& [roomId, body] : unpublished) shards_.ShardFor(roomId).Publish(roomId, wire::kToAll, body);
}

void RedisHistory::Read(const HistoryQuery& query, Millis now, PageDone done) {
  RedisCluster& shard = shards_.ShardFor(query.roomId);
  if (!shard.Up()) {
    ++stats_.readsFailed;
    return done(Unavailable());
  }
  shard.RunHistory(RedisCluster::HistoryScript::kReadLines,
                   {query.roomId, std::string(1, ModeLetter(query.mode)),
                    std::to_string(std::min(query.anchor, kMaxAnchor)), std::to_string(query.count),
                    std::to_string(bounds_.linesPerRoom), std::to_string(bounds_.maxAge)},
                   [this, query, now, done = std::move(done)](const redisReply* reply) {
                     HistoryPage page = PageFromReply(reply, query, now, bounds_.maxAge);
                     if (page.unavailable) ++stats_.readsFailed;
                     done(std::move(page));
                   });
}

}  // namespace orvinta::server
