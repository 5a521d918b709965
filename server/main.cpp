// orvinta-server: the chat server. Prints "listening on ADDR:PORT" as its first
// line once it accepts connections (then "tls on ADDR:PORT" with a TLS port),
// stops on SIGINT or SIGTERM, and reads its TLS files again on SIGHUP.
#include <signal.h>
#include <sys/epoll.h>
#include <sys/random.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string_view>
#include <vector>

#include "server/chat_service.h"
#include "server/event_loop.h"
#include "server/fd_limit.h"
#include "server/http_service.h"
#include "server/http_site.h"
#include "server/listener.h"
#include "server/memory_history.h"
#include "server/redis_history.h"
#include "server/redis_shards.h"
#include "server/server_options.h"
#include "server/session_key.h"
#include "server/signal_watch.h"
#include "server/sqlite_history.h"
#include "server/throttled_log.h"
#include "server/tls_context.h"

using namespace orvinta::server;

namespace {

constexpr int kWakeMs = 100;
constexpr std::size_t kReservedDescriptors = 64;  // listeners, epoll, signals, HTTP, files
constexpr std::size_t kConnectionCeiling = 20000;
// A clean stop waits this long for Redis to take the node's members out.
constexpr Millis kRetireWaitMs = 2000;

ServerLimits LimitsFor(const ServerOptions& options, std::size_t descriptors) {
  ServerLimits limits;
  limits.pingInterval = static_cast<Millis>(options.pingIntervalSeconds) * 1000;
  limits.roomCapacity = static_cast<std::size_t>(options.roomCapacity);
  limits.loginTimeout = static_cast<Millis>(options.loginTimeoutSeconds) * 1000;
  const std::size_t usable = descriptors > 2 * kReservedDescriptors ? descriptors - kReservedDescriptors
                                                                     : kReservedDescriptors;
  limits.maxConnections = std::min(usable, kConnectionCeiling);
  limits.rates = options.rates;
  limits.maxConnectionsPerAddress = static_cast<std::size_t>(options.maxPerAddress);
  limits.maxQueryingPerAddress = static_cast<std::size_t>(options.maxQueryingPerAddress);
  limits.capLoopback = options.capLoopback;
  limits.maxRoomsCreatedPerMember = static_cast<std::size_t>(options.roomsCreatedPerMember);
  limits.expulsionBar = static_cast<Millis>(options.expelMinutes) * 60'000;
  limits.outputBudgetBytes = static_cast<std::size_t>(options.outputBudgetMb) * 1024 * 1024;
  limits.flushDelay = options.flushDelayMs;
  limits.historyLines = static_cast<std::size_t>(options.historyDays > 0 ? options.historyLines : 0);
  limits.historyDays = static_cast<std::size_t>(options.historyLines > 0 ? options.historyDays : 0);
  return limits;
}

HttpLimits HttpLimitsFor(const ServerOptions& options) {
  HttpLimits limits;
  limits.maxPerAddress = static_cast<std::size_t>(options.maxHttpPerAddress);
  limits.capLoopback = options.capLoopback;
  return limits;
}

// The secret of --auth-secret; no keys at all in development mode.
std::unique_ptr<SessionKeys> LoadKeys(const ServerOptions& options, std::string& error) {
  if (options.authSecretFile.empty()) return nullptr;
  std::string secret = ReadSecretFile(options.authSecretFile, error);
  if (secret.empty()) return nullptr;
  return std::make_unique<SessionKeys>(std::move(secret), UnixNow);
}

// The portal installed with the program (share/orvinta/portal beside bin/),
// else the source tree's, for a program run from its build folder.
std::string DefaultPortalDir() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  const auto installed = (self.parent_path() / ORVINTA_BIN_TO_DATA / "portal").lexically_normal();
  if (!error && std::filesystem::is_directory(installed, error)) return installed.string();
  return ORVINTA_PORTAL_DIR;
}

// This host's name and the chat port, in the characters a node name may hold:
// the same for every start of this server, so a restart replaces its
// predecessor at once, and different for two servers on one host.
std::string DefaultNodeName(int port) {
  char host[256] = {};
  gethostname(host, sizeof host - 1);
  std::string name;
  for (const char* c = host; *c != '\0' && name.size() < 40; ++c) {
    const bool plain = std::isalnum(static_cast<unsigned char>(*c)) || *c == '.' || *c == '-' || *c == '_';
    name.push_back(plain ? *c : '_');
  }
  return (name.empty() ? "node" : name) + "-" + std::to_string(port);
}

// This start's generation: every run of a node name is told apart by it.
std::string NewGeneration() {
  std::uint64_t value = 0;
  if (getrandom(&value, sizeof value, 0) != sizeof value) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    value = static_cast<std::uint64_t>(now.tv_nsec) ^ (static_cast<std::uint64_t>(now.tv_sec) << 20) ^
            static_cast<std::uint64_t>(getpid());
  }
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(value));
  return hex;
}

// The cluster on Redis, or none; error set when the options do not make one.
std::unique_ptr<RedisShards> MakeCluster(const ServerOptions& options, int port, EventLoop& loop,
                                         const Clock& clock, EventLog& log, std::string& error) {
  if (options.clusterUrls.empty()) return nullptr;
  std::vector<RedisAddress> addresses;
  for (const std::string& url : options.clusterUrls) {
    const auto address = ParseRedisUrl(url);
    if (!address) {
      error = "--cluster needs redis://ADDRESS:PORT with an IPv4 address or localhost, not " + url;
      return nullptr;
    }
    addresses.push_back(*address);
  }
  std::string password;
  if (!options.clusterPasswordFile.empty()) {
    std::ifstream in(options.clusterPasswordFile, std::ios::binary);
    password.assign(std::istreambuf_iterator<char>(in), {});
    while (!password.empty() && std::isspace(static_cast<unsigned char>(password.back()))) password.pop_back();
    if (!in.good() && !in.eof()) password.clear();
    if (password.empty() || password.size() > 512) {
      error = "cannot read a password (1 to 512 bytes) from " + options.clusterPasswordFile;
      return nullptr;
    }
  }
  const std::string node = options.nodeName.empty() ? DefaultNodeName(port) : options.nodeName;
  const std::string generation = NewGeneration();
  // Every node must list the servers in the same order: the hash picks by position.
  std::vector<std::unique_ptr<RedisCluster>> shards;
  for (const RedisAddress& address : addresses) {
    shards.push_back(std::make_unique<RedisCluster>(loop, clock, log, address, password, node, generation));
  }
  return std::make_unique<RedisShards>(std::move(shards));
}

// Before taking members: the cluster must be reachable within the wait, and
// this run must have told it what it holds (replacing its predecessor's state).
bool WaitForCluster(EventLoop& loop, const Clock& clock, RedisShards& cluster, const ServerOptions& options) {
  const Millis deadline = clock.Now() + static_cast<Millis>(options.clusterWaitSeconds) * 1000;
  std::string urls;
  for (const std::string& url : options.clusterUrls) urls += (urls.empty() ? "" : ", ") + url;
  bool told = false;
  loop.Run(50, [&] {
    cluster.Tick();
    if (cluster.Stated() || clock.Now() >= deadline) {
      loop.Stop();
    } else if (!told && !cluster.LastError().empty()) {
      told = true;
      std::fprintf(stderr, "orvinta-server: cannot reach Redis at %s (%s); trying for %d s\n",
                   urls.c_str(), cluster.LastError().c_str(), options.clusterWaitSeconds);
    }
    return 50;
  });
  if (cluster.Stated()) return true;
  std::fprintf(stderr, "orvinta-server: gave up: Redis at %s did not answer within %d s (%s)\n",
               urls.c_str(), options.clusterWaitSeconds, cluster.LastError().c_str());
  return false;
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

  std::string keyError;
  const std::unique_ptr<SessionKeys> keys = LoadKeys(options, keyError);
  if (!keyError.empty()) {
    std::fprintf(stderr, "orvinta-server: %s\n", keyError.c_str());
    return 1;
  }
  if (options.signKeyFor) {
    const std::string key = keys->Sign(*options.signKeyFor, options.keyLifetimeSeconds);
    std::printf("%s\n", key.c_str());
    return 0;
  }

  signal(SIGPIPE, SIG_IGN);
  SignalWatch signals;
  const std::size_t descriptors = RaiseDescriptorLimit();
  EventLoop loop;
  // With --tls-only the one listener is the TLS port.
  std::unique_ptr<TlsContext> tls;
  std::unique_ptr<Listener> tlsListener;
  if (options.tlsPort) {
    tls = std::make_unique<TlsContext>(options.tlsCertFile, options.tlsKeyFile);
    if (!tls->Valid()) {
      std::fprintf(stderr, "orvinta-server: %s\n", tls->Error().c_str());
      return 1;
    }
    tlsListener = std::make_unique<Listener>(options.bindAddress, *options.tlsPort);
    if (!tlsListener->Valid()) {
      std::fprintf(stderr, "orvinta-server: %s\n", tlsListener->Error().c_str());
      return 1;
    }
  }
  std::unique_ptr<Listener> plainListener;
  if (!options.tlsOnly) plainListener = std::make_unique<Listener>(options.bindAddress, options.port);
  Listener& listener = plainListener ? *plainListener : *tlsListener;
  if (!signals.Valid() || !loop.Valid() || !listener.Valid()) {
    std::fprintf(stderr, "orvinta-server: %s\n",
                 listener.Valid() ? "cannot set up the event loop" : listener.Error().c_str());
    return 1;
  }

  if (!keys) {
    std::fprintf(stderr, "orvinta-server: development mode: no --auth-secret, so any session key is accepted\n");
  } else if (options.logLevel != LogLevel::kQuiet) {
    std::fprintf(stderr, "orvinta-server: session keys are verified with the secret in %s%s\n",
                 options.authSecretFile.c_str(),
                 options.devSignin ? "; /signin hands out keys to local callers (--dev-signin)" : "");
  }
  StderrLog stderrLog(options.logLevel);
  SteadyClock clock;
  // Repeats are held back, except when every frame was asked for.
  ThrottledLog throttled(stderrLog, clock);
  EventLog& log = options.logLevel == LogLevel::kVerbose ? static_cast<EventLog&>(stderrLog) : throttled;
  std::string clusterError;
  const std::unique_ptr<RedisShards> cluster =
      MakeCluster(options, listener.Port(), loop, clock, log, clusterError);
  if (!clusterError.empty()) {
    std::fprintf(stderr, "orvinta-server: %s\n", clusterError.c_str());
    return 2;
  }
  const ServerLimits limits = LimitsFor(options, descriptors);
  WallClock wallClock;
  std::unique_ptr<HistoryPort> history;
  if (limits.historyLines > 0) {
    const HistoryBounds bounds{limits.historyLines, static_cast<Millis>(limits.historyDays) * 24 * 3600 * 1000};
    if (cluster) {
      history = std::make_unique<RedisHistory>(*cluster, bounds, clock);
    } else if (options.historyDb.empty()) {
      history = std::make_unique<MemoryHistory>(bounds);
    } else {
      auto stored = std::make_unique<SqliteHistory>(options.historyDb, bounds, wallClock.Now(), log);
      if (!stored->Valid()) {
        std::fprintf(stderr, "orvinta-server: %s\n", stored->Error().c_str());
        return 1;
      }
      history = std::move(stored);
    }
  }
  ChatService chat(loop, listener, clock, limits,
                   CoreServices{keys.get(), &log, cluster.get(), history.get(), &wallClock});
  if (cluster) cluster->Attach(chat.Inbox());
  if (tls) chat.ServeTls(*tlsListener, *tls);
  const auto onSignal = [&](std::uint32_t) {
    const int signal = signals.Take();
    if (signal == SIGHUP) {
      // A renewed certificate: new connections get it, nobody is dropped.
      if (tls && !tls->Reload()) {
        std::fprintf(stderr, "orvinta-server: TLS files kept as they were: %s\n", tls->Error().c_str());
      } else if (tls && options.logLevel != LogLevel::kQuiet) {
        std::fprintf(stderr, "orvinta-server: TLS certificate and key read again\n");
      }
    } else if (signal != 0) {
      loop.Stop();
    }
  };
  if (loop.Add(signals.Fd(), EPOLLIN, onSignal) == 0) {
    std::fprintf(stderr, "orvinta-server: cannot set up the event loop\n");
    return 1;
  }
  // Logins are taken only once the cluster knows this run; until then they wait in the backlog.
  if (cluster && !WaitForCluster(loop, clock, *cluster, options)) return 1;
  if (!chat.Start()) {
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
    site = std::make_unique<HttpSite>(options.portalDir.empty() ? DefaultPortalDir() : options.portalDir,
                                      cluster ? static_cast<const ServerView&>(*cluster) : chat.View(), keys.get(),
                                      [&chat, &cluster] { return chat.MetricsText() + (cluster ? cluster->MetricsText() : ""); },
                                      options.keyLifetimeSeconds, options.devSignin);
    if (tlsListener) site->SetChatTlsPort(tlsListener->Port());
    if (!site->HasPortal()) std::fprintf(stderr, "orvinta-server: no portal directory; serving /rooms.json only\n");
    http = std::make_unique<HttpService>(loop, *httpListener, clock, *site, HttpLimitsFor(options));
    if (!http->Start()) {
      std::fprintf(stderr, "orvinta-server: cannot set up the event loop\n");
      return 1;
    }
  }

  std::printf("listening on %s\n", listener.LocalAddress().c_str());
  if (tlsListener) std::printf("tls on %s\n", tlsListener->LocalAddress().c_str());
  if (httpListener) std::printf("http on %s\n", httpListener->LocalAddress().c_str());
  std::fflush(stdout);
  loop.Run(kWakeMs, [&] {
    if (cluster) cluster->Tick();
    const int next = chat.AfterEvents();
    if (http) http->AfterEvents();
    return next;
  });
  if (cluster) {
    // A clean stop: the other nodes see this node's members leave now, not after a sweep.
    bool retired = false;
    const Millis deadline = clock.Now() + kRetireWaitMs;
    cluster->Retire([&] { retired = true; });
    if (!retired) {
      loop.Run(50, [&] {
        cluster->Tick();
        if (retired || clock.Now() >= deadline) loop.Stop();
        return 50;
      });
    }
  }
  if (options.logLevel != LogLevel::kQuiet) std::fprintf(stderr, "orvinta-server: stopped\n");
  return 0;
}
