#include "bench/soak/cutting_proxy.h"

#include "bench/soak/monotonic_ms.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <vector>

namespace orvinta::bench {
namespace {

// A side that has this much waiting for the other is not read until it drains.
constexpr std::size_t kMaxPending = 1 << 20;

sockaddr_in LoopbackAddress(const std::string& host, int port) {
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_port = htons(static_cast<std::uint16_t>(port));
  if (inet_pton(AF_INET, host.c_str(), &sa.sin_addr) != 1) sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return sa;
}

void NoDelay(int fd) {
  const int on = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

// Closes with a reset rather than a goodbye, as a broken path looks to both ends.
void Reset(int fd) {
  if (fd < 0) return;
  const linger hard{1, 0};
  setsockopt(fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
  close(fd);
}

// Writes what it can of `pending`; false when the socket failed.
bool WriteSome(int fd, std::string& pending) {
  while (!pending.empty()) {
    const ssize_t n = send(fd, pending.data(), pending.size(), MSG_NOSIGNAL);
    if (n > 0) {
      pending.erase(0, static_cast<std::size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
  }
  return true;
}

}  // namespace

struct CuttingProxy::Loop {
  struct Pair {
    int id = 0;
    int client = -1;
    int server = -1;
    bool serverUp = false;  // its connect has completed
    std::string toServer, toClient;
    bool done = false;
  };

  int listener = -1;
  int wake = -1;
  std::vector<Pair> pairs;
  long long deadUntil = 0;

  ~Loop() {
    for (Pair& p : pairs) Close(p, true);
    if (listener >= 0) close(listener);
    if (wake >= 0) close(wake);
  }

  static void Close(Pair& p, bool reset) {
    if (p.done) return;
    p.done = true;
    if (reset) {
      Reset(p.client), Reset(p.server);
    } else {
      // A goodbye from one side: the other gets what was already on its way.
      WriteSome(p.client, p.toClient), WriteSome(p.server, p.toServer);
      close(p.client), close(p.server);
    }
  }
};

CuttingProxy::CuttingProxy(std::string host, int port, Tap tap)
    : host_(std::move(host)), serverPort_(port), tap_(std::move(tap)), loop_(std::make_unique<Loop>()) {}

CuttingProxy::~CuttingProxy() {
  stop_ = true;
  Wake();
  if (thread_.joinable()) thread_.join();
}

void CuttingProxy::Wake() {
  if (loop_->wake < 0) return;
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t n = write(loop_->wake, &one, sizeof one);
}

void CuttingProxy::Cut() {
  {
    std::lock_guard lock(commands_);
    cutAsked_ = true;
  }
  Wake();
}

void CuttingProxy::GoDead(int ms) {
  {
    std::lock_guard lock(commands_);
    deadAskedMs_ = ms < 0 ? 0 : ms;
    dead_ = true;
  }
  Wake();
}

bool CuttingProxy::Start() {
  Loop& loop = *loop_;
  loop.listener = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  loop.wake = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (loop.listener < 0 || loop.wake < 0) return false;
  sockaddr_in sa = LoopbackAddress("127.0.0.1", 0);
  socklen_t size = sizeof sa;
  if (bind(loop.listener, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 || listen(loop.listener, 64) != 0 ||
      getsockname(loop.listener, reinterpret_cast<sockaddr*>(&sa), &size) != 0) {
    return false;
  }
  port_ = ntohs(sa.sin_port);

  thread_ = std::thread([this, &loop] {
    int nextId = 1;
    const sockaddr_in upstream = LoopbackAddress(host_, serverPort_);
    auto resetAll = [&] {
      for (Loop::Pair& p : loop.pairs) Loop::Close(p, true);
    };
    auto tap = [&](const Loop::Pair& p, Direction d, const char* data, ssize_t n) {
      if (tap_) tap_(p.id, d, std::string_view(data, static_cast<std::size_t>(n)));
    };
    // Reads one side; false when it ended (the pair is closed then).
    auto readSide = [&](Loop::Pair& p, int from, Direction d, std::string& into) {
      char buffer[16 * 1024];
      const ssize_t n = read(from, buffer, sizeof buffer);
      if (n > 0) {
        if (!dead_) {
          tap(p, d, buffer, n);
          into.append(buffer, static_cast<std::size_t>(n));
        }
        return true;
      }
      if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return true;
      Loop::Close(p, n < 0);
      return false;
    };

    while (!stop_) {
      {
        std::lock_guard lock(commands_);
        if (cutAsked_) {
          resetAll();
          ++cuts_;
        }
        if (deadAskedMs_ >= 0) loop.deadUntil = MonotonicMs() + deadAskedMs_;
        cutAsked_ = false;
        deadAskedMs_ = -1;
        // Under the lock, so that a dead spell asked meanwhile is not taken for this one's end.
        if (dead_ && MonotonicMs() >= loop.deadUntil) {
          resetAll();
          ++cuts_;
          dead_ = false;
        }
      }
      std::erase_if(loop.pairs, [](const Loop::Pair& p) { return p.done; });

      std::vector<pollfd> fds{{loop.wake, POLLIN, 0}, {dead_ ? -1 : loop.listener, POLLIN, 0}};
      for (const Loop::Pair& p : loop.pairs) {
        short c = 0, s = 0;
        if (dead_ || p.toServer.size() < kMaxPending) c |= POLLIN;
        if (!dead_ && !p.toClient.empty()) c |= POLLOUT;
        if (p.serverUp && (dead_ || p.toClient.size() < kMaxPending)) s |= POLLIN;
        if (!p.serverUp || (!dead_ && !p.toServer.empty())) s |= POLLOUT;
        fds.push_back({p.client, c, 0});
        fds.push_back({p.server, s, 0});
      }
      const int timeout = dead_ ? static_cast<int>(std::max(1LL, loop.deadUntil - MonotonicMs())) : 1000;
      if (poll(fds.data(), fds.size(), timeout) < 0 && errno != EINTR) break;

      if (fds[0].revents & POLLIN) {
        std::uint64_t count;
        [[maybe_unused]] const ssize_t n = read(loop.wake, &count, sizeof count);
      }
      // Pairs are visited before new ones are taken, so the poll entries still match.
      for (std::size_t i = 0; i < loop.pairs.size(); ++i) {
        Loop::Pair& p = loop.pairs[i];
        const short c = fds[2 + 2 * i].revents, s = fds[3 + 2 * i].revents;
        if (p.done) continue;
        if (!p.serverUp && (s & (POLLOUT | POLLERR | POLLHUP))) {
          int error = 0;
          socklen_t size = sizeof error;
          getsockopt(p.server, SOL_SOCKET, SO_ERROR, &error, &size);
          if (error != 0) {
            Loop::Close(p, true);
            continue;
          }
          p.serverUp = true;
        }
        if ((c & (POLLIN | POLLHUP | POLLERR)) && !readSide(p, p.client, Direction::kToServer, p.toServer)) continue;
        if (p.serverUp && (s & (POLLIN | POLLHUP | POLLERR)) &&
            !readSide(p, p.server, Direction::kToClient, p.toClient)) {
          continue;
        }
        if (dead_) continue;
        if ((p.serverUp && !WriteSome(p.server, p.toServer)) || !WriteSome(p.client, p.toClient)) {
          Loop::Close(p, true);
        }
      }
      if (fds[1].revents & POLLIN) {
        for (;;) {
          const int client = accept4(loop.listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
          if (client < 0) break;
          const int server = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
          if (server < 0 || (connect(server, reinterpret_cast<const sockaddr*>(&upstream), sizeof upstream) != 0 &&
                             errno != EINPROGRESS)) {
            Reset(client), Reset(server);
            continue;
          }
          NoDelay(client), NoDelay(server);
          Loop::Pair p;
          p.id = nextId++;
          p.client = client;
          p.server = server;
          loop.pairs.push_back(std::move(p));
          ++taken_;
        }
      }
    }
  });
  return true;
}

}  // namespace orvinta::bench
