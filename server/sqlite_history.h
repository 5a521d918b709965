#pragma once
// The history in a SQLite file (WAL), so that it outlives the process. Reads
// are answered from the lines kept in memory, loaded from the file at start;
// new lines are written behind, in one transaction per batch (every 100 ms or
// 500 rows, from the loop's tick), never one blocking write per line. Rows
// the bounds no longer keep are deleted as the batches go.
#include <deque>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "server/event_log.h"
#include "server/memory_history.h"

struct sqlite3;
struct sqlite3_stmt;

namespace orvinta::server {

class SqliteHistory final : public HistoryPort {
 public:
  // Opens (or makes) the file and loads what it keeps; Valid() says whether that worked.
  SqliteHistory(const std::string& path, HistoryBounds bounds, Millis now, EventLog& log);
  ~SqliteHistory() override;  // writes what is still pending
  SqliteHistory(const SqliteHistory&) = delete;
  SqliteHistory& operator=(const SqliteHistory&) = delete;

  bool Valid() const { return db_ != nullptr; }
  const std::string& Error() const { return error_; }

  std::optional<HistoryLine> Append(const std::string& roomId, std::string_view body, Millis now) override;
  void Read(const HistoryQuery& query, Millis now, PageDone done) override { memory_.Read(query, now, std::move(done)); }
  void Tick(Millis now) override;
  HistoryStats Stats() const override;
  // Writes the pending rows now.
  void Flush(Millis now);

 private:
  struct Pending {
    std::string roomId;
    HistoryLine line;
  };
  bool Exec(const char* sql);
  bool Prepare(const char* sql, sqlite3_stmt** statement);
  bool Load(Millis now);
  void Fail(const std::string& what);

  MemoryHistory memory_;
  EventLog& log_;
  sqlite3* db_ = nullptr;
  sqlite3_stmt* insert_ = nullptr;
  sqlite3_stmt* trim_ = nullptr;
  sqlite3_stmt* expire_ = nullptr;
  std::string error_;
  std::deque<Pending> pending_;  // oldest dropped first while the file cannot be written
  std::unordered_set<std::string> touched_;
  Millis lastFlush_ = 0;
  Millis nextExpiry_ = 0;
  std::uint64_t rowsWritten_ = 0;
  bool failing_ = false;  // the last write failed: said once until one succeeds
};

}  // namespace orvinta::server
