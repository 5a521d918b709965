#pragma once
// A TCP proxy on 127.0.0.1 that forwards to one server and, when told, cuts
// every connection at once (a reset on both sides) or plays a dead network: for
// a while nothing is forwarded and new connections are left unanswered, then
// every connection is reset and new ones are taken again. It runs on a thread
// of its own; its methods may be called from any thread.
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace orvinta::bench {

class CuttingProxy {
 public:
  enum class Direction { kToServer, kToClient };
  // Sees every byte forwarded, on the proxy's thread: `connection` counts up
  // from 1 in the order connections were taken.
  using Tap = std::function<void(int connection, Direction, std::string_view bytes)>;

  // Forwards to `host` (an IPv4 address) and `port`.
  CuttingProxy(std::string host, int port, Tap tap = {});
  ~CuttingProxy();
  CuttingProxy(const CuttingProxy&) = delete;
  CuttingProxy& operator=(const CuttingProxy&) = delete;

  // Listens on a free loopback port and starts forwarding; false when it cannot.
  bool Start();
  int Port() const { return port_; }

  // Resets every connection now.
  void Cut();
  // A dead network for `ms`: connections stay open but carry nothing (what
  // arrives is dropped), new ones wait unanswered; then all are reset.
  void GoDead(int ms);
  bool Dead() const { return dead_.load(); }

  int CutsMade() const { return cuts_.load(); }
  int ConnectionsTaken() const { return taken_.load(); }

 private:
  struct Loop;
  void Wake();

  std::string host_;
  int serverPort_;
  Tap tap_;
  int port_ = 0;
  std::unique_ptr<Loop> loop_;
  std::thread thread_;
  std::mutex commands_;
  bool cutAsked_ = false;   // under commands_
  int deadAskedMs_ = -1;    // under commands_; -1: none asked
  std::atomic<bool> stop_{false};
  std::atomic<bool> dead_{false};
  std::atomic<int> cuts_{0};
  std::atomic<int> taken_{0};
};

}  // namespace orvinta::bench
