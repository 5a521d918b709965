#pragma once
// The history kept in memory: per room its latest lines within the bounds, all
// rooms together within a byte budget (the room written to least recently
// gives up its lines first). Ids are dense within a room's record, so the lines
// trimmed from its front can be counted; a record starts at the wall clock's
// millisecond times 1000, so a room forgotten and begun again (or a restart)
// never gives an id it gave before.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <list>
#include <string>
#include <unordered_map>

#include "server/history_port.h"

namespace orvinta::server {

struct HistoryBounds {
  std::size_t linesPerRoom = 1000;
  Millis maxAge = 7LL * 24 * 3600 * 1000;
  std::size_t totalBytes = 256u * 1024 * 1024;
};

class MemoryHistory final : public HistoryPort {
 public:
  explicit MemoryHistory(HistoryBounds bounds) : bounds_(bounds) {}

  std::optional<HistoryLine> Append(const std::string& roomId, std::string_view body, Millis now) override;
  void Read(const HistoryQuery& query, Millis now, PageDone done) override { done(ReadNow(query, now)); }
  HistoryPage ReadNow(const HistoryQuery& query, Millis now);
  void Tick(Millis now) override;
  HistoryStats Stats() const override { return {lines_, bytes_, 0}; }

  // A line read back from a store that outlived the process; a room's lines
  // come oldest first. Lines the bounds do not keep are not kept.
  void Restore(const std::string& roomId, HistoryLine line, Millis now);
  // The oldest id kept for the room; 0 when none is.
  std::uint64_t FirstKept(const std::string& roomId) const;
  const HistoryBounds& Bounds() const { return bounds_; }

 private:
  struct Record {
    std::deque<HistoryLine> lines;
    std::uint64_t seed = 0;    // the first id of this record: anchors below it are from before a gap
    std::uint64_t nextId = 0;
    std::list<std::string>::iterator recent;
  };

  Record& Touch(const std::string& roomId, std::uint64_t seed);
  void Push(Record& record, HistoryLine line);
  void PopFront(Record& record);
  // Drops what is too old; false when the record is gone with it.
  bool Expire(std::unordered_map<std::string, Record>::iterator it, Millis now);
  void KeepWithinBudget();

  HistoryBounds bounds_;
  std::unordered_map<std::string, Record> rooms_;
  std::list<std::string> recent_;  // room ids, least recently written first
  std::size_t lines_ = 0;
  std::size_t bytes_ = 0;
  Millis nextSweep_ = 0;
};

}  // namespace orvinta::server
