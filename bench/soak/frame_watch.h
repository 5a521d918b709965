#pragma once
// Reads the frames that cross a CuttingProxy: how many of each command each
// side sent and when the last one passed, for waiting on a client's steps.
#include <map>
#include <mutex>
#include <string>
#include <utility>

#include "bench/soak/cutting_proxy.h"
#include "bench/soak/monotonic_ms.h"
#include "protocol/frame_reader.h"

namespace orvinta::bench {

class FrameWatch {
 public:
  struct Seen {
    int count = 0;
    long long lastMs = -1;  // CLOCK_MONOTONIC
    int lastConnection = 0;
  };
  using Direction = CuttingProxy::Direction;

  // The proxy's tap; the watch must outlive the proxy.
  CuttingProxy::Tap Tap() {
    return [this](int connection, Direction d, std::string_view bytes) { Feed(connection, d, bytes); };
  }

  Seen FromClient(std::string_view command) const { return Get(Direction::kToServer, command); }
  Seen ToClient(std::string_view command) const { return Get(Direction::kToClient, command); }

 private:
  void Feed(int connection, Direction d, std::string_view bytes) {
    std::lock_guard lock(mutex_);
    protocol::FrameReader& reader = readers_[{connection, d}];
    reader.Append(bytes);
    // Headers are in clear both ways (only bodies to the server are scrambled).
    while (auto frame = reader.Next()) {
      Seen& seen = seen_[{d, frame->command}];
      ++seen.count;
      seen.lastMs = MonotonicMs();
      seen.lastConnection = connection;
    }
    if (reader.Broken()) reader.Clear();
  }

  Seen Get(Direction d, std::string_view command) const {
    std::lock_guard lock(mutex_);
    const auto found = seen_.find({d, std::string(command)});
    return found == seen_.end() ? Seen{} : found->second;
  }

  mutable std::mutex mutex_;
  std::map<std::pair<int, Direction>, protocol::FrameReader> readers_;
  std::map<std::pair<Direction, std::string>, Seen> seen_;
};

}  // namespace orvinta::bench
