// orvinta-server: the chat server. Prints "listening on ADDR:PORT" as its first
// line once it accepts connections, and stops on SIGINT or SIGTERM.
#include <signal.h>
#include <sys/epoll.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string_view>
#include <vector>

#include "server/chat_service.h"
#include "server/event_loop.h"
#include "server/fd_limit.h"
#include "server/http_service.h"
#include "server/http_site.h"
#include "server/listener.h"
#include "server/server_options.h"
#include "server/signal_watch.h"

using namespace orvinta::server;

namespace {

constexpr int kWakeMs = 100;
constexpr std::size_t kReservedDescriptors = 64;  // listeners, epoll, signals, HTTP, files
constexpr std::size_t kConnectionCeiling = 20000;

ServerLimits LimitsFor(const ServerOptions& options, std::size_t descriptors) {
  ServerLimits limits;
  limits.pingInterval = static_cast<Millis>(options.pingIntervalSeconds) * 1000;
  limits.roomCapacity = static_cast<std::size_t>(options.roomCapacity);
  limits.loginTimeout = static_cast<Millis>(options.loginTimeoutSeconds) * 1000;
  const std::size_t usable = descriptors > 2 * kReservedDescriptors ? descriptors - kReservedDescriptors
                                                                     : kReservedDescriptors;
  limits.maxConnections = std::min(usable, kConnectionCeiling);
  return limits;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  const ParsedOptions parsed = ParseServerOptions(args);
  if (!parsed.options) {
    std::fprintf(stderr, "orvinta-server: %s\n%.*s", parsed.error.c_str(), static_cast<int>(ServerUsage().size()),
                 ServerUsage().data());
    return 2;
  }
  const ServerOptions& options = *parsed.options;
  if (options.showHelp) {
    std::fwrite(ServerUsage().data(), 1, ServerUsage().size(), stdout);
    return 0;
  }

  signal(SIGPIPE, SIG_IGN);
  SignalWatch signals;
  const std::size_t descriptors = RaiseDescriptorLimit();
  EventLoop loop;
  Listener listener(options.bindAddress, options.port);
  if (!signals.Valid() || !loop.Valid() || !listener.Valid()) {
    std::fprintf(stderr, "orvinta-server: %s\n",
                 listener.Valid() ? "cannot set up the event loop" : listener.Error().c_str());
    return 1;
  }

  SteadyClock clock;
  ChatService chat(loop, listener, clock, LimitsFor(options, descriptors));
  if (!chat.Start() || loop.Add(signals.Fd(), EPOLLIN, [&](std::uint32_t) {
        if (signals.Take() != 0) loop.Stop();
      }) == 0) {
    std::fprintf(stderr, "orvinta-server: cannot set up the event loop\n");
    return 1;
  }

  // The HTTP side is optional; its address is the second output line.
  std::unique_ptr<Listener> httpListener;
  std::unique_ptr<HttpSite> site;
  std::unique_ptr<HttpService> http;
  if (options.httpPort) {
    httpListener = std::make_unique<Listener>(options.bindAddress, *options.httpPort);
    if (!httpListener->Valid()) {
      std::fprintf(stderr, "orvinta-server: %s\n", httpListener->Error().c_str());
      return 1;
    }
    site = std::make_unique<HttpSite>(options.portalDir.empty() ? ORVINTA_PORTAL_DIR : options.portalDir,
                                      chat.View());
    if (!site->HasPortal()) std::fprintf(stderr, "orvinta-server: no portal directory; serving /rooms.json only\n");
    http = std::make_unique<HttpService>(loop, *httpListener, clock, *site);
    if (!http->Start()) {
      std::fprintf(stderr, "orvinta-server: cannot set up the event loop\n");
      return 1;
    }
  }

  std::printf("listening on %s\n", listener.LocalAddress().c_str());
  if (httpListener) std::printf("http on %s\n", httpListener->LocalAddress().c_str());
  std::fflush(stdout);
  loop.Run(kWakeMs, [&] {
    chat.AfterEvents();
    if (http) http->AfterEvents();
  });
  std::fprintf(stderr, "orvinta-server: stopped\n");
  return 0;
}
