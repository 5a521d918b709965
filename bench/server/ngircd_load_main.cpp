// ngircd-load: the steady-rate phase of orvinta-server-load against ngircd, for
// a comparison in the same run. It starts the given ngircd on a free loopback
// port with its penalties off, registers the members over IRC, puts them in
// channels of the same size and sends PRIVMSG at the same rate:
//
//   ngircd-load --ngircd /usr/sbin/ngircd --connections 500 --per-room 50 --rate 1000 --seconds 10
//
// It reports the latency of every delivery and ngircd's CPU time per million
// deliveries (from /proc), in the same words as orvinta-server-load.
#include <fcntl.h>
#include <signal.h>
#include <sys/epoll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string_view>
#include <sstream>
#include <string>
#include <vector>
#include "bench/server/loopback_socket.h"
#include "bench/server/process_cpu.h"

using orvinta::bench::ConnectToLoopback;
using orvinta::bench::CpuMs;

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

struct Options {
  std::string ngircd;
  int connections = 500;
  int perRoom = 50;
  double rate = 1000;
  int seconds = 10;
  int idleSeconds = -1;  // >= 0: hold the members idle this long, then report ngircd's memory
  int paceMs = 20;       // between connections
};

pid_t StartNgircd(const Options& o, int port, const std::string& config) {
  std::ofstream(config) << "[Global]\n  Name = bench.orvinta.test\n  Info = orvinta load benchmark\n"
                        << "  Listen = 127.0.0.1\n  Ports = " << port << "\n  MotdPhrase = bench\n"
                        << "  PidFile = " << config << ".pid\n"
                        << "[Limits]\n  MaxConnections = 0\n  MaxConnectionsIP = 0\n  MaxJoins = 0\n"
                        << "  MaxPenaltyTime = 0\n  PingTimeout = 600\n  PongTimeout = 300\n"
                        << "[Options]\n  DNS = no\n  Ident = no\n  PAM = no\n";
  const pid_t pid = fork();
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    execl(o.ngircd.c_str(), o.ngircd.c_str(), "-n", "-f", config.c_str(), nullptr);
    _exit(127);
  }
  return pid;
}

// ngircd prints nothing when it is ready: try its port until it answers.
bool WaitForPort(int port, int timeoutMs) {
  const auto start = Clock::now();
  while (MsSince(start) < timeoutMs) {
    if (orvinta::bench::LoopbackPortAnswers(port)) return true;
    usleep(20'000);
  }
  return false;
}

class IrcConnection {
 public:
  IrcConnection(int index, int port) : index_(index), fd_(ConnectToLoopback(port)) {}
  ~IrcConnection() { close(fd_); }
  int Fd() const { return fd_; }
  int Index() const { return index_; }
  void Send(const std::string& line) { output_ += line + "\r\n"; }
  void Flush() {
    while (!output_.empty()) {
      const ssize_t n = send(fd_, output_.data(), output_.size(), MSG_NOSIGNAL);
      if (n <= 0) return;
      output_.erase(0, static_cast<std::size_t>(n));
    }
  }
  bool HasOutput() const { return !output_.empty(); }
  template <typename OnLine>
  void Read(OnLine onLine) {
    char buffer[16384];
    for (ssize_t n; (n = read(fd_, buffer, sizeof buffer)) > 0;) {
      input_.append(buffer, static_cast<std::size_t>(n));
      std::size_t start = 0;
      for (std::size_t end; (end = input_.find("\r\n", start)) != std::string::npos; start = end + 2) {
        onLine(*this, std::string_view(input_).substr(start, end - start));
      }
      input_.erase(0, start);
    }
  }

 private:
  int index_;
  int fd_ = -1;
  std::string output_;
  std::string input_;
};

class IrcLoad {
 public:
  IrcLoad(const Options& o, int port) : o_(o), epoll_(epoll_create1(0)) {
    for (int i = 0; i < o.connections; ++i) {
      usleep(static_cast<useconds_t>(o.paceMs) * 1000);  // ngircd refuses connections that come faster from one address
      connections_.push_back(std::make_unique<IrcConnection>(i, port));
      epoll_event ev{};
      ev.events = EPOLLIN;
      ev.data.u32 = static_cast<std::uint32_t>(i);
      epoll_ctl(epoll_, EPOLL_CTL_ADD, connections_.back()->Fd(), &ev);
    }
  }

  bool Pump(const std::function<bool()>& done, int timeoutMs, const std::function<void()>& each = {}) {
    const auto start = Clock::now();
    epoll_event events[512];
    while (!done()) {
      if (MsSince(start) > timeoutMs) return false;
      if (each) each();
      for (auto& c : connections_) {
        if (c->HasOutput()) c->Flush();
      }
      const int n = epoll_wait(epoll_, events, 512, 1);
      for (int i = 0; i < n; ++i) {
        connections_[events[i].data.u32]->Read(
            [this](IrcConnection& from, std::string_view line) { OnLine(from, line); });
      }
    }
    return true;
  }

  int Room(int i) const { return i / o_.perRoom; }
  int RoomSize(int i) const { return std::min(o_.perRoom, o_.connections - Room(i) * o_.perRoom); }
  std::string Channel(int i) const { return "#room" + std::to_string(Room(i)); }

  void Run(pid_t server, long rssBefore) {
    const int n = o_.connections;
    for (int i = 0; i < n; ++i) {
      connections_[i]->Send("NICK l" + std::to_string(i));
      connections_[i]->Send("USER l" + std::to_string(i) + " 0 * :load");
    }
    if (!Pump([&] { return welcomed_ == n; }, std::max(30'000, n * 5))) {
      std::printf("ngircd: %d of %d registered\n", welcomed_, n);
      return;
    }
    for (int i = 0; i < n; ++i) connections_[i]->Send("JOIN " + Channel(i));
    if (!Pump([&] { return joined_ == n; }, std::max(30'000, n * 5))) {
      std::printf("ngircd: %d of %d joined\n", joined_, n);
      return;
    }
    if (o_.idleSeconds >= 0) {
      Pump([] { return false; }, o_.idleSeconds * 1000);
      orvinta::bench::ReportIdleMemory("ngircd", rssBefore, orvinta::bench::RssKiB(server), n);
    }
    if (o_.rate <= 0) return;
    const double cpuBefore = CpuMs(server);
    start_ = Clock::now();
    const long long total = static_cast<long long>(o_.rate * o_.seconds);
    long long sent = 0;
    long long expected = 0;
    Pump([&] { return sent == total; }, o_.seconds * 1000 + 5000, [&] {
      const long long due = std::min(total, static_cast<long long>(o_.rate * MsSince(start_) / 1000.0));
      for (; sent < due; ++sent) {
        const int i = static_cast<int>((sent * 7919) % n);
        const long long micros = static_cast<long long>(MsSince(start_) * 1000.0);
        connections_[i]->Send("PRIVMSG " + Channel(i) + " :rate" + std::to_string(micros));
        expected += RoomSize(i) - 1;
      }
    });
    Pump([&] { return delivered_ >= expected; }, 3000);
    const double cpuMs = CpuMs(server) - cpuBefore;
    std::sort(latencies_.begin(), latencies_.end());
    auto at = [&](double q) {
      return latencies_.empty() ? 0.0 : latencies_[static_cast<std::size_t>(q * (latencies_.size() - 1))];
    };
    std::printf("ngircd: %.0f lines/s for %d s, %lld lines, %lld of %lld deliveries received\n", o_.rate, o_.seconds,
                sent, delivered_, expected);
    std::printf("ngircd: latency p50 %.3f ms, p99 %.3f ms, max %.3f ms\n", at(0.5), at(0.99),
                latencies_.empty() ? 0.0 : latencies_.back());
    if (delivered_ > 0) {
      std::printf("ngircd: CPU %.0f ms (%.2f CPU-s per million deliveries)\n", cpuMs,
                  cpuMs / static_cast<double>(delivered_) * 1000.0);
    }
  }

 private:
  void OnLine(IrcConnection& from, std::string_view line) {
    if (line.starts_with("PING ")) {
      from.Send("PONG " + std::string(line.substr(5)));
      return;
    }
    const auto space = line.find(' ');
    if (space == std::string_view::npos) return;
    const std::string_view rest = line.substr(space + 1);
    if (rest.starts_with("001 ")) {
      ++welcomed_;
    } else if (rest.starts_with("366 ")) {
      ++joined_;
    } else if (rest.starts_with("PRIVMSG ")) {
      ++delivered_;
      if (const auto mark = line.rfind(":rate"); mark != std::string_view::npos) {
        const double sentMs = std::atof(std::string(line.substr(mark + 5)).c_str()) / 1000.0;
        latencies_.push_back(MsSince(start_) - sentMs);
      }
    }
  }

  Options o_;
  int epoll_;
  std::vector<std::unique_ptr<IrcConnection>> connections_;
  int welcomed_ = 0;
  int joined_ = 0;
  long long delivered_ = 0;
  std::vector<double> latencies_;
  Clock::time_point start_;
};

}  // namespace

int main(int argc, char** argv) {
  Options o;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    const char* value = argv[i + 1];
    if (name == "--ngircd") o.ngircd = value;
    else if (name == "--connections") o.connections = std::atoi(value);
    else if (name == "--per-room") o.perRoom = std::atoi(value);
    else if (name == "--rate") o.rate = std::atof(value);
    else if (name == "--seconds") o.seconds = std::atoi(value);
    else if (name == "--idle-seconds") o.idleSeconds = std::atoi(value);
    else if (name == "--pace-ms") o.paceMs = std::atoi(value);
  }
  if (o.ngircd.empty() || o.connections < 2 || o.perRoom < 2 || (o.rate <= 0 && o.idleSeconds < 0)) {
    std::fprintf(stderr,
                 "usage: ngircd-load --ngircd PATH [--connections 500] [--per-room 50] [--rate 1000] [--seconds 10]\n"
                 "                   [--idle-seconds S: first ngircd's memory per connection] [--pace-ms 20]\n");
    return 2;
  }
  signal(SIGPIPE, SIG_IGN);
  orvinta::bench::RaiseDescriptorLimit();

  const int port = orvinta::bench::FreeLoopbackPort();
  const std::string config = "/tmp/ngircd-load-" + std::to_string(getpid()) + ".conf";
  const pid_t server = StartNgircd(o, port, config);
  if (!WaitForPort(port, 5000)) {
    std::fprintf(stderr, "ngircd did not start\n");
  } else {
    const long rssBefore = orvinta::bench::RssKiB(server);
    IrcLoad load(o, port);
    load.Run(server, rssBefore);
  }
  kill(server, SIGTERM);
  int status = 0;
  waitpid(server, &status, 0);
  std::remove(config.c_str());
  std::remove((config + ".pid").c_str());
  return 0;
}
