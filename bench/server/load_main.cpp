// orvinta-server-load: opens many logged-in connections to an orvinta-server
// on loopback, puts them in rooms, and measures chat line delivery.
//
//   orvinta-server-load --server build/server/orvinta-server [--connections 1000]
//   orvinta-server-load --port 11900 [--connections 1000]
//   orvinta-server-load --server PATH --connections 500 --burst 0 --rate 1000 --seconds 10
//   orvinta-server-load --server PATH --connections 500 --burst 0 --rate 1000 --nodes 2
//
// With --server it starts that program on a free port itself (with its rate
// limits lifted, so that delivery is what is measured). --rate L sends L lines
// a second from the members in turn for --seconds, and reports the latency of
// every delivery and, read from the server's /metrics and /proc, its send()
// calls per delivery and its CPU time per million deliveries. --tls runs
// everything twice in one run, the members in clear text and then over TLS
// (a throwaway certificate made with the openssl command), and compares the
// server's CPU per million deliveries and memory per idle connection, the
// server on a processor of its own. With
// --nodes N the same load runs twice: all members on one server, then spread
// over N servers that share a redis-server of the benchmark's own (--redis
// PATH, no persistence); the CPU reported is the servers' and Redis's together.
// --history runs the load three times on one server each: history off, kept
// in memory, kept in SQLite (a temporary file), the members asking for
// stamped lines, and compares the server's CPU per million deliveries.
#include <fcntl.h>
#include <signal.h>
#include <sys/epoll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <openssl/ssl.h>

#include "bench/server/load_connection.h"
#include "bench/server/loopback_socket.h"
#include "bench/server/process_cpu.h"
#include "protocol/wire_commands.h"

using orvinta::bench::CpuMs;
using orvinta::bench::RssKiB;
namespace wire = orvinta::wire;

using orvinta::bench::LoadConnection;
using orvinta::protocol::Frame;
using Clock = std::chrono::steady_clock;

namespace {

struct Options {
  int port = 0;
  std::string server;
  int connections = 1000;
  int perRoom = 50;
  int probes = 200;
  int burstLines = 5;
  double rate = 0;  // lines a second in the rate phase; 0: none
  int seconds = 10;
  int idleSeconds = -1;  // >= 0: hold the members idle this long, then report the server's memory
  bool tls = false;      // clear text, then the same over TLS
  int nodes = 0;         // > 0: also spread the members over this many servers sharing Redis
  std::string redis = "redis-server";
  bool history = false;  // off, in memory, in SQLite, side by side
};

// What one pass measured, to set the two passes side by side.
struct Figures {
  double cpuPerMillion = 0;
  double cpuMicrosPerSend = 0;  // how many lines share a send() moves with the timing of a run
  double kibPerConnection = 0;
  // Per million lines the members received: with history the server also
  // tells each sender its line's id, which /metrics counts as a delivery.
  double cpuPerMillionReceived = 0;
};

double MsSince(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

bool ParseOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; i += 2) {
    const std::string name = argv[i];
    if (name == "--tls" || name == "--history") {
      (name == "--tls" ? o.tls : o.history) = true;
      --i;
      continue;
    }
    if (i + 1 >= argc) return false;
    const char* value = argv[i + 1];
    if (name == "--port") o.port = std::atoi(value);
    else if (name == "--server") o.server = value;
    else if (name == "--connections") o.connections = std::atoi(value);
    else if (name == "--per-room") o.perRoom = std::atoi(value);
    else if (name == "--probes") o.probes = std::atoi(value);
    else if (name == "--burst") o.burstLines = std::atoi(value);
    else if (name == "--rate") o.rate = std::atof(value);
    else if (name == "--seconds") o.seconds = std::atoi(value);
    else if (name == "--idle-seconds") o.idleSeconds = std::atoi(value);
    else if (name == "--nodes") o.nodes = std::atoi(value);
    else if (name == "--redis") o.redis = value;
    else return false;
  }
  return (o.port > 0 || !o.server.empty()) && o.connections > 1 && o.perRoom > 1 && o.nodes >= 0 &&
         (o.nodes == 0 || (!o.server.empty() && !o.tls)) && (!o.history || (o.nodes == 0 && !o.server.empty()));
}

std::string ReadLine(int fd) {
  std::string line;
  char c;
  while (read(fd, &c, 1) == 1 && c != '\n') line.push_back(c);
  return line;
}

int PortOf(const std::string& line) {
  const auto colon = line.rfind(':');
  return colon == std::string::npos ? 0 : std::atoi(line.c_str() + colon + 1);
}

// A throwaway certificate for the TLS pass, in a fresh folder; "" on failure.
std::string MakeCertificate() {
  char dir[] = "/tmp/orvinta-load-XXXXXX";
  if (mkdtemp(dir) == nullptr) return {};
  const std::string command = std::string("openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes") +
                              " -keyout " + dir + "/key.pem -out " + dir + "/cert.pem -days 1 -subj /CN=localhost" +
                              " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0 ? dir : "";
}

// Starts the server on a free port, quiet and without rate limits; its pid,
// and its chat, HTTP and (with certDir) TLS ports; `more` are further options.
pid_t StartServer(const Options& o, const std::string& certDir, int& port, int& httpPort, int& tlsPort,
                  const std::vector<std::string>& more = {}) {
  int out[2];
  if (pipe(out) != 0) return -1;
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], STDOUT_FILENO);
    std::vector<std::string> args{o.server, "--port", "0", "--http-port", "0", "--quiet", "--room-capacity",
                                  std::to_string(o.perRoom), "--rate", "talk=100000/100000", "--rate",
                                  "room=100000/100000", "--rate", "flood=100000/100000", "--rate",
                                  "login=100000/100000"};
    if (!certDir.empty()) {
      for (const std::string a : {"--tls-port", "0", "--tls-cert"}) args.push_back(a);
      args.push_back(certDir + "/cert.pem");
      args.push_back("--tls-key");
      args.push_back(certDir + "/key.pem");
    }
    args.insert(args.end(), more.begin(), more.end());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(out[1]);
  const std::string line = ReadLine(out[0]);
  port = PortOf(line);
  if (!certDir.empty()) tlsPort = PortOf(ReadLine(out[0]));
  httpPort = PortOf(ReadLine(out[0]));
  std::printf("server: %s\n", line.c_str());
  return pid;
}

// A redis-server of our own on a free loopback port: no persistence, a
// temporary folder. Its pid, or -1 when it does not answer.
pid_t StartRedis(const Options& o, int port, const std::string& dir) {
  const pid_t pid = fork();
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    const std::string p = std::to_string(port);
    execlp(o.redis.c_str(), o.redis.c_str(), "--port", p.c_str(), "--bind", "127.0.0.1", "--save", "",
           "--appendonly", "no", "--dir", dir.c_str(), "--loglevel", "warning", nullptr);
    _exit(127);
  }
  for (int i = 0; i < 300; ++i) {
    if (orvinta::bench::LoopbackPortAnswers(port)) return pid;
    usleep(10'000);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  return -1;
}

// The server's counters from /metrics (name with labels -> value).
std::map<std::string, double> ReadMetrics(int httpPort) {
  std::map<std::string, double> metrics;
  if (httpPort <= 0) return metrics;
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_port = htons(static_cast<std::uint16_t>(httpPort));
  sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0) {
    const std::string request = "GET /metrics HTTP/1.0\r\n\r\n";
    (void)!write(fd, request.data(), request.size());
    std::string response;
    char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) response.append(buffer, static_cast<std::size_t>(n));
    std::istringstream lines(response.substr(response.find("\r\n\r\n") + 4));
    for (std::string line; std::getline(lines, line);) {
      const auto space = line.rfind(' ');
      if (line.empty() || line[0] == '#' || space == std::string::npos) continue;
      metrics[line.substr(0, space)] = std::atof(line.c_str() + space + 1);
    }
  }
  close(fd);
  return metrics;
}

class Load {
 public:
  // Ids are prefix + index: a second pass must not meet the first's ids still being closed.
  // Member i connects to ports[i % ports.size()]: every room spans the nodes.
  // askHistory: each member sends "HIST" after its login, as a history-aware client does.
  Load(const Options& o, const std::vector<int>& ports, SSL_CTX* tls = nullptr, std::string prefix = "load",
       bool askHistory = false)
      : o_(o), prefix_(std::move(prefix)), askHistory_(askHistory), epoll_(epoll_create1(0)) {
    for (int i = 0; i < o.connections; ++i) {
      auto c = std::make_unique<LoadConnection>(i, ports[static_cast<std::size_t>(i) % ports.size()], tls);
      if (c->Fd() >= 0) {
        epoll_event ev{};
        ev.events = EPOLLIN | EPOLLOUT;
        ev.data.u32 = static_cast<std::uint32_t>(i);
        epoll_ctl(epoll_, EPOLL_CTL_ADD, c->Fd(), &ev);
      }
      connections_.push_back(std::move(c));
    }
  }

  // Runs the sockets until done() or the time is up; each() before every wait.
  bool Pump(const std::function<bool()>& done, int timeoutMs, const std::function<void()>& each = {}, int waitMs = 10) {
    const auto start = Clock::now();
    epoll_event events[512];
    while (!done()) {
      if (MsSince(start) > timeoutMs) return false;
      if (each) each();
      for (auto& c : connections_) {
        if (c->HasOutput()) c->Flush();
      }
      const int n = epoll_wait(epoll_, events, 512, waitMs);
      for (int i = 0; i < n; ++i) {
        LoadConnection& c = *connections_[events[i].data.u32];
        if (events[i].events & EPOLLIN) c.Read([this](LoadConnection& from, const Frame& f) { OnFrame(from, f); });
      }
    }
    return true;
  }

  int Room(int i) const { return i / o_.perRoom; }
  int RoomSize(int i) const { return std::min(o_.perRoom, o_.connections - Room(i) * o_.perRoom); }
  std::string Id(int i) const { return prefix_ + std::to_string(i); }

  // Lines at a steady rate from the members in turn; every delivery's latency,
  // and the server's cost when it is ours.
  // processes: the servers (and Redis) whose CPU counts; httpPorts: the servers'.
  void RunRate(const std::vector<pid_t>& processes, const std::vector<int>& httpPorts, Figures& figures) {
    if (o_.rate <= 0) return;
    // The members' entries were a storm of frames; the server judges its load
    // over windows of 100 ms, so a short pause keeps its gathering for that
    // storm out of the steady rate measured here.
    Pump([] { return false; }, 300);
    const int n = o_.connections;
    const auto each = [&] {
      std::vector<double> ms;
      for (pid_t p : processes) ms.push_back(CpuMs(p));
      return ms;
    };
    const auto metrics = [&] {
      std::map<std::string, double> sum;
      for (int port : httpPorts) {
        for (const auto& [name, value] : ReadMetrics(port)) sum[name] += value;
      }
      return sum;
    };
    const bool ours = !processes.empty();
    const auto before = metrics();
    const std::vector<double> eachBefore = each();
    rateLatencies_.clear();
    rateStart_ = Clock::now();
    const long long total = static_cast<long long>(o_.rate * o_.seconds);
    long long sent = 0;
    long long expected = 0;
    delivered_ = 0;
    Pump([&] { return sent == total; }, o_.seconds * 1000 + 5000,
         [&] {
           const long long due = std::min(total, static_cast<long long>(o_.rate * MsSince(rateStart_) / 1000.0));
           for (; sent < due; ++sent) {
             const int i = static_cast<int>((sent * 7919) % n);
             const long long micros = static_cast<long long>(MsSince(rateStart_) * 1000.0);
             connections_[i]->Send(wire::kToAll, Id(i) + "/room" + std::to_string(Room(i)) + "/rate" + std::to_string(micros));
             expected += RoomSize(i) - 1;
           }
         },
         1);
    Pump([&] { return delivered_ >= expected; }, 3000);
    const std::vector<double> eachAfter = each();
    double cpuMs = 0;
    for (std::size_t i = 0; i < processes.size(); ++i) cpuMs += eachAfter[i] - eachBefore[i];
    const auto after = metrics();
    const double deliveries = after.count("orvinta_deliveries_total") ? after.at("orvinta_deliveries_total") -
                                                                            before.at("orvinta_deliveries_total")
                                                                      : static_cast<double>(delivered_);
    const double sends = after.count("orvinta_send_calls_total")
                             ? after.at("orvinta_send_calls_total") - before.at("orvinta_send_calls_total")
                             : 0;
    std::sort(rateLatencies_.begin(), rateLatencies_.end());
    auto at = [&](double q) {
      return rateLatencies_.empty() ? 0.0 : rateLatencies_[static_cast<std::size_t>(q * (rateLatencies_.size() - 1))];
    };
    std::printf("rate: %.0f lines/s for %d s, %lld lines, %lld of %lld deliveries received\n", o_.rate, o_.seconds, sent,
                delivered_, expected);
    std::printf("rate: latency p50 %.3f ms, p99 %.3f ms, max %.3f ms\n", at(0.5), at(0.99),
                rateLatencies_.empty() ? 0.0 : rateLatencies_.back());
    if (ours && deliveries > 0) {
      figures.cpuPerMillion = cpuMs / deliveries * 1000.0;
      if (delivered_ > 0) figures.cpuPerMillionReceived = cpuMs / static_cast<double>(delivered_) * 1000.0;
      if (sends > 0) figures.cpuMicrosPerSend = cpuMs / sends * 1000.0;
      std::printf("rate: server %.0f deliveries, %.0f send() calls (%.3f per delivery), CPU %.0f ms "
                  "(%.2f CPU-s per million deliveries)\n",
                  deliveries, sends, sends / deliveries, cpuMs, cpuMs / deliveries * 1000.0);
      if (processes.size() > 1) {
        std::printf("rate: CPU ms by process (Redis first, then the servers):");
        for (std::size_t k = 0; k < processes.size(); ++k) std::printf(" %.0f", eachAfter[k] - eachBefore[k]);
        std::printf("\n");
      }
    }
    std::fflush(stdout);
  }

  // The members stay logged in and in their rooms, saying nothing but PONG.
  void RunIdle(pid_t server, long rssBefore, Figures& figures) {
    if (o_.idleSeconds < 0 || server <= 0) return;
    Pump([] { return false; }, o_.idleSeconds * 1000, {}, 100);
    const long rssAfter = RssKiB(server);
    orvinta::bench::ReportIdleMemory("idle", rssBefore, rssAfter, o_.connections);
    figures.kibPerConnection = static_cast<double>(rssAfter - rssBefore) / o_.connections;
  }

  // Logs in, fills the rooms, probes and bursts; false when the set-up failed.
  bool Run() {
    const int n = o_.connections;
    auto t = Clock::now();
    for (int i = 0; i < n; ++i) {
      connections_[i]->Send(wire::kUser, Id(i) + "/key/nick" + std::to_string(i) + "/1");
      if (askHistory_) connections_[i]->Send(wire::kHistoryHello, "1");
    }
    const bool loggedIn = Pump([&] { return usrp_ == n; }, 30'000);
    std::printf("login: %d of %d connections logged in, %.1f ms\n", usrp_, n, MsSince(t));
    if (!loggedIn) return false;

    long long expectedRoster = 0;
    for (int i = 0; i < n; i += o_.perRoom) expectedRoster += 1LL * RoomSize(i) * (RoomSize(i) - 1);
    t = Clock::now();
    for (int i = 0; i < n; ++i) connections_[i]->Send(wire::kChatIn, Id(i) + "/room" + std::to_string(Room(i)));
    // Over several nodes a member entering at the same moment as another may
    // be named to it twice (in the roster and by its own "CHIN"): at least.
    const bool entered = Pump([&] { return roster_ >= expectedRoster; }, 30'000);
    std::printf("rooms: %d rooms of up to %d, %lld of %lld member notices, %.1f ms\n", (n + o_.perRoom - 1) / o_.perRoom,
                o_.perRoom, roster_, expectedRoster, MsSince(t));
    if (!entered) return false;

    // One line at a time: time until every other member of the room has it.
    std::vector<double> latencies;
    for (int p = 0; p < o_.probes; ++p) {
      const int sender = (p * 7919) % n;
      probeSeen_ = 0;
      probeTag_ = "probe" + std::to_string(p);
      const auto sent = Clock::now();
      connections_[sender]->Send(wire::kToAll, Id(sender) + "/room" + std::to_string(Room(sender)) + "/" + probeTag_);
      if (!Pump([&] { return probeSeen_ == RoomSize(sender) - 1; }, 5000)) break;
      latencies.push_back(MsSince(sent));
    }
    std::sort(latencies.begin(), latencies.end());
    if (!latencies.empty()) {
      auto at = [&](double q) { return latencies[static_cast<std::size_t>(q * (latencies.size() - 1))]; };
      std::printf("round trip (line to all %d others in its room): %zu probes, p50 %.3f ms, p99 %.3f ms, max %.3f ms\n",
                  o_.perRoom - 1, latencies.size(), at(0.5), at(0.99), latencies.back());
    }

    // Everybody talks at once.
    probeTag_.clear();
    if (o_.burstLines <= 0) return true;
    std::fill(received_.begin(), received_.end(), 0);
    long long expected = 0;
    for (int i = 0; i < n; ++i) expected += 1LL * o_.burstLines * (RoomSize(i) - 1);
    delivered_ = 0;
    t = Clock::now();
    for (int line = 0; line < o_.burstLines; ++line) {
      for (int i = 0; i < n; ++i) connections_[i]->Send(wire::kToAll, Id(i) + "/room" + std::to_string(Room(i)) + "/burst");
    }
    Pump([&] { return delivered_ == expected; }, 60'000);
    const double ms = MsSince(t);
    const int served = static_cast<int>(std::count_if(received_.begin(), received_.end(), [](int r) { return r > 0; }));
    std::printf("burst: %d lines from each connection, %lld of %lld deliveries in %.1f ms (%.0f deliveries/s)\n",
                o_.burstLines, delivered_, expected, ms, delivered_ / (ms / 1000.0));
    const int open = static_cast<int>(std::count_if(connections_.begin(), connections_.end(),
                                                    [](const auto& c) { return c->Open(); }));
    std::printf("served: %d of %d connections received lines; %d still open\n", served, n, open);
    std::fflush(stdout);
    return true;
  }

 private:
  void OnFrame(LoadConnection& from, const Frame& f) {
    if (f.command == wire::kUserReply) ++usrp_;
    else if (f.command == wire::kChatIn || f.command == wire::kUserInfoToOne) ++roster_;
    else if (f.command == wire::kToAll || f.command == wire::kStampedToAll) {
      if (!probeTag_.empty() && f.body.ends_with("/" + probeTag_)) ++probeSeen_;
      if (const auto mark = f.body.rfind("/rate"); mark != std::string::npos) {
        const double sentMs = std::atof(f.body.c_str() + mark + 5) / 1000.0;
        rateLatencies_.push_back(MsSince(rateStart_) - sentMs);
      }
      ++delivered_;
      ++received_[static_cast<std::size_t>(from.Index())];
    }
  }

  Options o_;
  std::string prefix_;
  bool askHistory_ = false;
  int epoll_;
  std::vector<std::unique_ptr<LoadConnection>> connections_;
  int usrp_ = 0;
  long long roster_ = 0;
  long long delivered_ = 0;
  int probeSeen_ = 0;
  std::string probeTag_;
  std::vector<double> rateLatencies_;
  Clock::time_point rateStart_;
  std::vector<int> received_ = std::vector<int>(static_cast<std::size_t>(o_.connections), 0);
};

void Stop(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
}

// One run against servers of our own: 0 nodes is one server as it always ran;
// otherwise that many sharing a redis-server (1 included, to see what Redis costs).
// more: further options for every server; askHistory as for Load.
int RunServers(const Options& o, int nodes, const std::vector<std::string>& more = {}, bool askHistory = false,
               Figures* out = nullptr) {
  std::vector<pid_t> processes;
  std::vector<int> ports, httpPorts;
  std::vector<std::string> clusterArgs;
  char dir[] = "/tmp/orvinta-load-redis-XXXXXX";
  pid_t redis = -1;
  if (nodes > 1) {
    const int redisPort = orvinta::bench::FreeLoopbackPort();
    if (mkdtemp(dir) == nullptr || (redis = StartRedis(o, redisPort, dir)) < 0) {
      std::fprintf(stderr, "cannot start %s\n", o.redis.c_str());
      return 1;
    }
    processes.push_back(redis);
    clusterArgs = {"--cluster", "redis://127.0.0.1:" + std::to_string(redisPort)};
  }
  for (int n = 0; n < std::max(nodes, 1); ++n) {
    int port = 0, httpPort = 0;
    std::vector<std::string> args = clusterArgs;
    if (!args.empty()) args.insert(args.end(), {"--node-name", "load" + std::to_string(n)});
    args.insert(args.end(), more.begin(), more.end());
    int unusedTlsPort = 0;
    const pid_t pid = StartServer(o, "", port, httpPort, unusedTlsPort, args);
    if (port <= 0) {
      std::fprintf(stderr, "no server port\n");
      return 1;
    }
    processes.push_back(pid);
    ports.push_back(port);
    httpPorts.push_back(httpPort);
  }
  const long rssBefore = RssKiB(processes.back());
  {
    Load load(o, ports, nullptr, "load", askHistory);
    Figures figures;
    if (load.Run()) {
      load.RunRate(processes, httpPorts, figures);
      if (nodes <= 1) load.RunIdle(processes.back(), rssBefore, figures);
    }
    if (out != nullptr) *out = figures;
  }
  for (pid_t p : processes) Stop(p);
  if (redis > 0) std::filesystem::remove_all(dir);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ParseOptions(argc, argv, o)) {
    std::fprintf(stderr,
                 "usage: orvinta-server-load (--server PATH | --port N) [--connections 1000] [--per-room 50]\n"
                 "                           [--probes 200] [--burst 5] [--rate LINES_PER_S --seconds 10]\n"
                 "                           [--idle-seconds S: then the server's memory per connection]\n"
                 "                           [--tls: clear text, then the same over TLS, side by side]\n"
                 "                           [--nodes N [--redis PATH]: also spread over N servers sharing Redis]\n"
                 "                           [--history: history off, in memory, in SQLite, side by side]\n");
    return 2;
  }
  signal(SIGPIPE, SIG_IGN);
  orvinta::bench::RaiseDescriptorLimit();

  if (o.history) {
    char dir[] = "/tmp/orvinta-load-history-XXXXXX";
    if (mkdtemp(dir) == nullptr) return 1;
    const std::string db = std::string(dir) + "/history.db";
    Figures off, memory, sqlite;
    std::printf("== history off\n");
    RunServers(o, 0, {"--history-lines", "0"}, false, &off);
    std::printf("== history in memory\n");
    RunServers(o, 0, {}, true, &memory);
    std::printf("== history in SQLite (%s)\n", db.c_str());
    RunServers(o, 0, {"--history-db", db}, true, &sqlite);
    std::filesystem::remove_all(dir);
    const auto ratio = [&](const Figures& f) {
      return off.cpuPerMillionReceived > 0 ? f.cpuPerMillionReceived / off.cpuPerMillionReceived : 0.0;
    };
    std::printf("history: CPU-s per million lines delivered: off %.2f, memory %.2f (%.2fx), SQLite %.2f (%.2fx)\n",
                off.cpuPerMillionReceived, memory.cpuPerMillionReceived, ratio(memory), sqlite.cpuPerMillionReceived,
                ratio(sqlite));
    return 0;
  }
  if (o.nodes > 0) {
    std::printf("== all %d members on one server\n", o.connections);
    RunServers(o, 1);
    std::printf("== the members spread over %d servers sharing one redis-server\n", o.nodes);
    return RunServers(o, o.nodes);
  }
  int port = o.port;
  int httpPort = 0;
  int tlsPort = 0;
  pid_t server = -1;
  const std::string certDir = o.tls ? MakeCertificate() : "";
  if (o.tls && (certDir.empty() || o.server.empty())) {
    std::fprintf(stderr, "--tls needs --server and the openssl command\n");
    return 1;
  }
  if (!o.server.empty()) server = StartServer(o, certDir, port, httpPort, tlsPort);
  if (o.tls && server > 0) orvinta::bench::PinApart(server);
  if (port <= 0 || (o.tls && tlsPort <= 0)) {
    std::fprintf(stderr, "no server port\n");
    return 1;
  }
  SSL_CTX* tls = o.tls ? SSL_CTX_new(TLS_client_method()) : nullptr;
  Figures passes[2];
  for (int pass = 0; pass < (o.tls ? 2 : 1); ++pass) {
    if (o.tls) std::printf("--- %s ---\n", pass == 0 ? "clear text" : "TLS");
    // The first pass's memory is given back once the server has been quiet
    // for 10 s; until then it would hide the second pass's cost.
    if (pass > 0 && o.idleSeconds >= 0) sleep(12);
    const long rssBefore = server > 0 ? RssKiB(server) : 0;
    Load load(o, {pass == 0 ? port : tlsPort}, pass == 0 ? nullptr : tls, pass == 0 ? "load" : "tlsload");
    if (load.Run()) {
      load.RunRate(server > 0 ? std::vector<pid_t>{server} : std::vector<pid_t>{}, {httpPort}, passes[pass]);
      load.RunIdle(server, rssBefore, passes[pass]);
    }
  }
  if (o.tls) {
    std::printf("tls/clear: CPU per million deliveries %.2f / %.2f CPU-s (%.2fx); memory per idle connection "
                "%.2f / %.2f KiB; CPU per send() %.2f / %.2f us (%.2fx)\n",
                passes[1].cpuPerMillion, passes[0].cpuPerMillion,
                passes[0].cpuPerMillion > 0 ? passes[1].cpuPerMillion / passes[0].cpuPerMillion : 0.0,
                passes[1].kibPerConnection, passes[0].kibPerConnection, passes[1].cpuMicrosPerSend,
                passes[0].cpuMicrosPerSend,
                passes[0].cpuMicrosPerSend > 0 ? passes[1].cpuMicrosPerSend / passes[0].cpuMicrosPerSend : 0.0);
    std::system(("rm -rf '" + certDir + "'").c_str());
  }
  SSL_CTX_free(tls);
  if (server > 0) {
    kill(server, SIGTERM);
    int status = 0;
    waitpid(server, &status, 0);
  }
  return 0;
}
