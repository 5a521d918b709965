#include "server/memory_history.h"

#include <algorithm>

#include "server/history_page.h"

namespace orvinta::server {
namespace {

// What a kept line costs beyond its body.
constexpr std::size_t kLineOverhead = sizeof(HistoryLine) + 16;
constexpr Millis kSweepEvery = 60'000;

std::size_t Cost(const HistoryLine& line) { return line.body.size() + kLineOverhead; }

}  // namespace

MemoryHistory::Record& MemoryHistory::Touch(const std::string& roomId, std::uint64_t seed) {
  auto [it, fresh] = rooms_.try_emplace(roomId);
  Record& record = it->second;
  if (fresh) {
    record.seed = record.nextId = seed;
    record.recent = recent_.insert(recent_.end(), roomId);
  } else {
    recent_.splice(recent_.end(), recent_, record.recent);
  }
  return record;
}

void MemoryHistory::Push(Record& record, HistoryLine line) {
  record.nextId = line.id + 1;
  ++lines_;
  bytes_ += Cost(line);
  record.lines.push_back(std::move(line));
  while (record.lines.size() > bounds_.linesPerRoom) PopFront(record);
}

void MemoryHistory::PopFront(Record& record) {
  --lines_;
  bytes_ -= Cost(record.lines.front());
  record.lines.pop_front();
}

std::optional<HistoryLine> MemoryHistory::Append(const std::string& roomId, std::string_view body, Millis now) {
  if (const auto it = rooms_.find(roomId); it != rooms_.end()) Expire(it, now);
  Record& record = Touch(roomId, static_cast<std::uint64_t>(std::max<Millis>(now, 1)) * 1000);
  HistoryLine line{record.nextId, now, std::string(body)};
  Push(record, line);
  KeepWithinBudget();
  return line;
}

void MemoryHistory::Restore(const std::string& roomId, HistoryLine line, Millis now) {
  if (line.time < now - bounds_.maxAge || bounds_.linesPerRoom == 0) return;
  const auto it = rooms_.find(roomId);
  if (it != rooms_.end() && line.id < it->second.nextId) return;  // out of order: not ours to keep
  Push(Touch(roomId, line.id), std::move(line));
  KeepWithinBudget();
}

std::uint64_t MemoryHistory::FirstKept(const std::string& roomId) const {
  const auto it = rooms_.find(roomId);
  return it == rooms_.end() || it->second.lines.empty() ? 0 : it->second.lines.front().id;
}

bool MemoryHistory::Expire(std::unordered_map<std::string, Record>::iterator it, Millis now) {
  Record& record = it->second;
  while (!record.lines.empty() && record.lines.front().time < now - bounds_.maxAge) PopFront(record);
  if (!record.lines.empty()) return true;
  recent_.erase(record.recent);
  rooms_.erase(it);
  return false;
}

void MemoryHistory::KeepWithinBudget() {
  while (bytes_ > bounds_.totalBytes && !recent_.empty()) {
    const auto it = rooms_.find(recent_.front());
    Record& record = it->second;
    PopFront(record);
    if (record.lines.empty()) {
      recent_.erase(record.recent);
      rooms_.erase(it);
    }
  }
}

void MemoryHistory::Tick(Millis now) {
  if (now < nextSweep_) return;
  nextSweep_ = now + kSweepEvery;
  for (auto it = rooms_.begin(); it != rooms_.end();) {
    const auto next = std::next(it);
    Expire(it, now);
    it = next;
  }
}

HistoryPage MemoryHistory::ReadNow(const HistoryQuery& query, Millis now) {
  HistoryPage page;
  const auto it = rooms_.find(query.roomId);
  if (it == rooms_.end() || !Expire(it, now)) {
    page.ended = true;
    if (query.mode == HistoryMode::kAfter && query.anchor != 0) page.missing = std::nullopt;
    return page;
  }
  const Record& record = it->second;
  const auto& lines = record.lines;
  const std::uint64_t first = lines.front().id;
  // Ids are dense in a record: a line's place is its id less the first's.
  std::size_t begin = 0;
  std::size_t end = lines.size();
  if (query.mode == HistoryMode::kAfter) {
    begin = query.anchor < first ? 0 : std::min<std::uint64_t>(lines.size(), query.anchor - first + 1);
    end = begin + std::min(query.count, lines.size() - begin);
    if (query.anchor < record.seed && query.anchor != 0) {
      page.missing = std::nullopt;
    } else if (query.anchor + 1 < first) {
      page.missing = first - query.anchor - 1;
    }
  } else {
    if (query.mode == HistoryMode::kBefore) {
      end = query.anchor <= first ? 0 : std::min<std::uint64_t>(lines.size(), query.anchor - first);
    }
    begin = end - std::min(query.count, end);
  }
  page.lines.assign(lines.begin() + static_cast<std::ptrdiff_t>(begin), lines.begin() + static_cast<std::ptrdiff_t>(end));
  FinishPage(page, query);
  return page;
}

}  // namespace orvinta::server
