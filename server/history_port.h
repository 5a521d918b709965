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
  // The store could not be read (Redis out of reach): a refusal, not an empty history.
  bool unavailable = false;
};

struct HistoryStats {
  std::size_t lines = 0;
  std::size_t bytes = 0;
  std::uint64_t rowsWritten = 0;  // to a store that outlives the process
  // A store the cluster shares: lines relayed without an id as it could not
  // take them, and reads it could not answer.
  std::uint64_t unkept = 0;
  std::uint64_t readsFailed = 0;
};

class HistoryPort {
 public:
  using PageDone = std::function<void(HistoryPage page)>;

  virtual ~HistoryPort() = default;
  // Keeps the line and gives it its id; now is the wall clock. Id 0: not
  // kept, relayed unstamped. nullopt: the store is the cluster's and took the
  // line whole; it comes back with its id to every node, this one included.
  virtual std::optional<HistoryLine> Append(const std::string& roomId, std::string_view body, Millis now) = 0;
  // Lines from other nodes are in the store already: the cluster shares it.
  virtual bool Shared() const { return false; }
  // The answer may come later; the caller looks its member up again then.
  virtual void Read(const HistoryQuery& query, Millis now, PageDone done) = 0;
  // Expiry and writing behind; called a few times a second.
  virtual void Tick(Millis now) = 0;
  virtual HistoryStats Stats() const = 0;
};

}  // namespace orvinta::server
