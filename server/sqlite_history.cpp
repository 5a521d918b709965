#include "server/sqlite_history.h"

#include <sqlite3.h>

namespace orvinta::server {
namespace {

constexpr Millis kFlushEvery = 100;
constexpr std::size_t kFlushRows = 500;
// Rows held while the file cannot be written (a full disk): past this the
// oldest are given up, as the lines in memory are still served.
constexpr std::size_t kMaxPending = 100'000;
constexpr Millis kExpireEvery = 60'000;

void Bind(sqlite3_stmt* s, int index, std::string_view bytes) {
  sqlite3_bind_blob(s, index, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
}

std::string_view Column(sqlite3_stmt* s, int index) {
  const void* data = sqlite3_column_blob(s, index);
  return data ? std::string_view(static_cast<const char*>(data), static_cast<std::size_t>(sqlite3_column_bytes(s, index)))
              : std::string_view{};
}

}  // namespace

SqliteHistory::SqliteHistory(const std::string& path, HistoryBounds bounds, Millis now, EventLog& log)
    : memory_(bounds), log_(log), lastFlush_(now), nextExpiry_(now) {
  if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                      nullptr) != SQLITE_OK) {
    error_ = "cannot open the history database " + path + ": " + (db_ ? sqlite3_errmsg(db_) : "out of memory");
    sqlite3_close(db_);
    db_ = nullptr;
    return;
  }
  const bool ready =
      Exec("PRAGMA journal_mode=WAL") && Exec("PRAGMA synchronous=NORMAL") &&
      Exec("CREATE TABLE IF NOT EXISTS lines (room BLOB NOT NULL, id INTEGER NOT NULL, time INTEGER NOT NULL, "
           "body BLOB NOT NULL, PRIMARY KEY (room, id)) WITHOUT ROWID") &&
      Exec("CREATE INDEX IF NOT EXISTS lines_by_time ON lines (time)") &&
      Prepare("INSERT OR REPLACE INTO lines (room, id, time, body) VALUES (?, ?, ?, ?)", &insert_) &&
      Prepare("DELETE FROM lines WHERE room = ? AND id < ?", &trim_) &&
      Prepare("DELETE FROM lines WHERE time < ?", &expire_) && Load(now);
  if (!ready) {
    error_ = "history database " + path + ": " + error_;
    sqlite3_finalize(insert_);
    sqlite3_finalize(trim_);
    sqlite3_finalize(expire_);
    insert_ = trim_ = expire_ = nullptr;
    sqlite3_close(db_);
    db_ = nullptr;
  }
}

SqliteHistory::~SqliteHistory() {
  if (db_ == nullptr) return;
  Flush(lastFlush_);
  sqlite3_finalize(insert_);
  sqlite3_finalize(trim_);
  sqlite3_finalize(expire_);
  sqlite3_close(db_);
}

bool SqliteHistory::Exec(const char* sql) {
  char* message = nullptr;
  if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) == SQLITE_OK) return true;
  error_ = message ? message : sqlite3_errmsg(db_);
  sqlite3_free(message);
  return false;
}

bool SqliteHistory::Prepare(const char* sql, sqlite3_stmt** statement) {
  if (sqlite3_prepare_v2(db_, sql, -1, statement, nullptr) == SQLITE_OK) return true;
  error_ = sqlite3_errmsg(db_);
  return false;
}

bool SqliteHistory::Load(Millis now) {
  sqlite3_stmt* select = nullptr;
  if (!Prepare("SELECT room, id, time, body FROM lines WHERE time >= ? ORDER BY room, id", &select)) return false;
  sqlite3_bind_int64(select, 1, now - memory_.Bounds().maxAge);
  int status = SQLITE_ROW;
  while ((status = sqlite3_step(select)) == SQLITE_ROW) {
    const auto id = sqlite3_column_int64(select, 1);
    if (id <= 0) continue;
    memory_.Restore(std::string(Column(select, 0)),
                    HistoryLine{static_cast<std::uint64_t>(id), sqlite3_column_int64(select, 2),
                                std::string(Column(select, 3))},
                    now);
  }
  if (status != SQLITE_DONE) error_ = sqlite3_errmsg(db_);
  sqlite3_finalize(select);
  return status == SQLITE_DONE;
}

std::optional<HistoryLine> SqliteHistory::Append(const std::string& roomId, std::string_view body, Millis now) {
  HistoryLine line = *memory_.Append(roomId, body, now);
  if (db_ != nullptr) {
    if (pending_.size() >= kMaxPending) pending_.pop_front();
    pending_.push_back({roomId, line});
  }
  return line;
}

void SqliteHistory::Tick(Millis now) {
  memory_.Tick(now);
  if (db_ == nullptr) return;
  if (!pending_.empty() && (now - lastFlush_ >= kFlushEvery || pending_.size() >= kFlushRows)) Flush(now);
  if (now >= nextExpiry_) {
    nextExpiry_ = now + kExpireEvery;
    sqlite3_bind_int64(expire_, 1, now - memory_.Bounds().maxAge);
    if (sqlite3_step(expire_) != SQLITE_DONE) Fail("cannot expire old rows");
    sqlite3_reset(expire_);
  }
}

void SqliteHistory::Flush(Millis now) {
  lastFlush_ = now;
  if (db_ == nullptr || pending_.empty() || !Exec("BEGIN")) return;
  bool ok = true;
  for (const Pending& p : pending_) {
    Bind(insert_, 1, p.roomId);
    sqlite3_bind_int64(insert_, 2, static_cast<sqlite3_int64>(p.line.id));
    sqlite3_bind_int64(insert_, 3, p.line.time);
    Bind(insert_, 4, p.line.body);
    ok = sqlite3_step(insert_) == SQLITE_DONE && ok;
    sqlite3_reset(insert_);
    touched_.insert(p.roomId);
  }
  // What the lines per room no longer keep goes with the same transaction.
  for (const std::string& roomId : touched_) {
    Bind(trim_, 1, roomId);
    sqlite3_bind_int64(trim_, 2, static_cast<sqlite3_int64>(memory_.FirstKept(roomId)));
    ok = sqlite3_step(trim_) == SQLITE_DONE && ok;
    sqlite3_reset(trim_);
  }
  if (ok && Exec("COMMIT")) {
    rowsWritten_ += pending_.size();
    pending_.clear();
    touched_.clear();
    failing_ = false;
    return;
  }
  Exec("ROLLBACK");
  Fail("cannot write " + std::to_string(pending_.size()) + " rows");
}

void SqliteHistory::Fail(const std::string& what) {
  if (failing_) return;
  failing_ = true;
  log_.Write("history database: " + what + ": " + sqlite3_errmsg(db_) + "; retrying");
}

HistoryStats SqliteHistory::Stats() const {
  HistoryStats stats = memory_.Stats();
  stats.rowsWritten = rowsWritten_;
  return stats;
}

}  // namespace orvinta::server
