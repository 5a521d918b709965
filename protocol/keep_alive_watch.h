#pragma once
// What the server's keep-alive says about a quiet connection. The spacing of
// its PINGs tells its interval (the first comes one interval after the login
// reply), whatever the server was started with; a connection silent for two
// intervals and a margin is dead.
#include <cstdint>

namespace orvinta::protocol {

class KeepAliveWatch {
 public:
  // The longest interval a server can be set to: until one is learned, a
  // quiet connection is given that long.
  static constexpr std::int64_t kLongestIntervalMs = 3600000;
  static constexpr std::int64_t kDefaultIntervalMs = 30000;
  static constexpr std::int64_t kMarginMs = 15000;

  void Connected();
  void LoggedIn(std::int64_t now);
  void Ping(std::int64_t now);
  void Heard(std::int64_t now) { lastHeard_ = now; }
  // The silence limit passed on a logged-in connection that never heard a
  // PING: what was learned belongs to another server (another node).
  void WentSilent();

  // 0 while nothing has been learned.
  std::int64_t IntervalMs() const { return spacing_[0] > spacing_[1] ? spacing_[0] : spacing_[1]; }
  std::int64_t SilenceLimitMs() const;
  // When the connection went quiet: its last frame when a PING has been
  // missed since, otherwise now.
  std::int64_t SilentSince(std::int64_t now) const;

 private:
  std::int64_t lastHeard_ = 0;
  std::int64_t lastPing_ = -1;  // or the login reply; -1: not logged in on this connection
  bool pingHeard_ = false;      // on this connection
  // The last two spacings, newest first: an extra PING (the server asking
  // whether this session still lives) halves one, never both.
  std::int64_t spacing_[2] = {0, 0};
};

}  // namespace orvinta::protocol
