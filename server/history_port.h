#pragma once
// A room's recent chat lines, behind a port: the core appends each line it
// relays and reads lines back (the latest, after an id, before an id); the
// store gives the ids. Stores keep their own bounds (lines per room, age).
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "server/clock.h"

namespace orvinta::server {

struct HistoryLine {
  std::uint64_t id = 0;  // grows within the room
  Millis time = 0;       // wall clock, milliseconds since 1970
  std::string body;      // the "TALL" body as relayed: SENDER/ROOM/TEXT
};

enum class HistoryMode { kLatest, kAfter, kBefore };

struct HistoryQuery {
  std::string roomId;
  HistoryMode mode = HistoryMode::kLatest;
  std::uint64_t anchor = 0;  // for kAfter and kBefore
  std::size_t count = 0;
  std::size_t maxBytes = 0;  // of the lines' bodies together; at least one line is given
};

struct HistoryPage {
  std::vector<HistoryLine> lines;  // oldest first
  bool ended = false;              // the history ran out before count
  bool cut = false;                // stopped at maxBytes
  // For kAfter: lines after the anchor no longer kept; nullopt when the
  // store's record of the room begins after a gap (a restart, all expired).
  std::optional<std::uint64_t> missing = 0;
};

struct HistoryStats {
  std::size_t lines = 0;
  std::size_t bytes = 0;
  std::uint64_t rowsWritten = 0;  // to a store that outlives the process
};

class HistoryPort {
 public:
  using PageDone = std::function<void(HistoryPage page)>;

  virtual ~HistoryPort() = default;
  // Keeps the line and gives it its id; now is the wall clock.
  virtual HistoryLine Append(const std::string& roomId, std::string_view body, Millis now) = 0;
  // The answer may come later; the caller looks its member up again then.
  virtual void Read(const HistoryQuery& query, Millis now, PageDone done) = 0;
  // Expiry and writing behind; called a few times a second.
  virtual void Tick(Millis now) = 0;
  virtual HistoryStats Stats() const = 0;
};

}  // namespace orvinta::server
