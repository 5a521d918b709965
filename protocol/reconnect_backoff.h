#pragma once
// How long the client waits before each attempt to get back to a server it
// lost: 1, 2, 4, 8, 16 s, then every 30 s, each up to a fifth longer at random
// so that clients dropped together do not all come back in the same instant.
#include <cstdint>
#include <random>

namespace orvinta::protocol {

class ReconnectBackoff {
 public:
  static constexpr int kFirstDelayMs = 1000;
  static constexpr int kLongestDelayMs = 30000;

  explicit ReconnectBackoff(std::uint32_t seed) : random_(seed) {}
  // The wait before the next attempt; each call is one attempt further.
  int NextDelayMs();
  void Reset() { attempt_ = 0; }

 private:
  int attempt_ = 0;
  std::minstd_rand random_;
};

}  // namespace orvinta::protocol
