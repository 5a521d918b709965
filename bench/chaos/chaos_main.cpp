// orvinta-cluster-chaos: three orvinta-server nodes on a redis-server of its
// own, members talking in rooms, and for a while at random a node killed and
// restarted, stopped cleanly and restarted, paused and continued, or Redis
// restarted empty. A program to run by hand, not a test:
//
//   orvinta-cluster-chaos --server build/server/orvinta-server --seconds 300
//
// Members are simple protocol clients that come back with back-off, trying
// each node in turn from their own, as the real client does. At the end it
// reports the members who saw an expulsion, the clients that gave up, the
// largest difference between a member's roster and the members really in its
// room 10 s after the last fault, and the seconds from each fault to agreement.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "bench/server/load_connection.h"
#include "bench/server/loopback_socket.h"
#include "text/text_util.h"

namespace {

using orvinta::bench::LoadConnection;
using orvinta::protocol::Frame;

long long NowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<long long>(ts.tv_sec) * 1000 + ts.tv_nsec / 1'000'000;
}

struct Options {
  std::string server;
  std::string redis = "redis-server";
  int seconds = 300;  // of faults
  int members = 300;
  int rooms = 10;
  int rate = 50;      // lines a second over all members
  int settle = 10;    // seconds after the last fault before the final count
  unsigned seed = 1;
  bool keep = false;  // the nodes' logs stay in the scratch folder
};

constexpr int kNodes = 3;
// After this long refused or unable to connect in a row, a client would give up.
constexpr long long kGiveUpMs = 60'000;
// A fault that has not healed within this is recorded as not healed.
constexpr long long kHealLimitMs = 30'000;
constexpr long long kStableMs = 1000;

pid_t Spawn(const std::vector<std::string>& args, const std::string& logFile) {
  const pid_t pid = fork();
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    const int log = logFile.empty() ? null : open(logFile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    dup2(null, STDOUT_FILENO);
    dup2(log, STDERR_FILENO);
    std::vector<std::string> copy = args;
    std::vector<char*> argv;
    for (std::string& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  return pid;
}

void Stop(pid_t& pid, int signal) {
  if (pid <= 0) return;
  kill(pid, SIGCONT);
  kill(pid, signal);
  // A clean stop gets its few seconds; then it is killed.
  for (int i = 0; i < 400 && waitpid(pid, nullptr, WNOHANG) == 0; ++i) usleep(10'000);
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  pid = -1;
}

class Cluster {
 public:
  Cluster(const Options& o, std::string dir) : o_(o), dir_(std::move(dir)) {
    redisPort_ = orvinta::bench::FreeLoopbackPort();
    for (int& port : ports_) port = orvinta::bench::FreeLoopbackPort();
    StartRedis();
    for (int i = 0; i < kNodes; ++i) StartNode(i);
    // Each member starts on its own node, as the real clients spread over the addresses.
    for (int port : ports_) {
      for (int i = 0; i < 3000 && !orvinta::bench::LoopbackPortAnswers(port); ++i) usleep(10'000);
    }
  }
  ~Cluster() {
    for (pid_t& pid : nodes_) Stop(pid, SIGKILL);
    Stop(redis_, SIGKILL);
  }

  int Port(int node) const { return ports_[node]; }
  void StartRedis() {
    redis_ = Spawn({o_.redis, "--port", std::to_string(redisPort_), "--bind", "127.0.0.1", "--save", "",
                    "--appendonly", "no", "--dir", dir_, "--loglevel", "warning"},
                   "");
    for (int i = 0; i < 300 && !orvinta::bench::LoopbackPortAnswers(redisPort_); ++i) usleep(10'000);
  }
  void StartNode(int i) {
    nodes_[i] = Spawn({o_.server, "--port", std::to_string(ports_[i]), "--node-name", "n" + std::to_string(i),
                       "--cluster", "redis://127.0.0.1:" + std::to_string(redisPort_), "--cluster-wait", "60"},
                      dir_ + "/n" + std::to_string(i) + ".log");
  }
  pid_t& Node(int i) { return nodes_[i]; }
  pid_t& Redis() { return redis_; }
  // What the nodes logged as expulsions.
  int ExpelledLines() const {
    int count = 0;
    for (int i = 0; i < kNodes; ++i) {
      std::ifstream log(dir_ + "/n" + std::to_string(i) + ".log");
      for (std::string line; std::getline(log, line);) count += line.find(" expelled ") != std::string::npos;
    }
    return count;
  }

 private:
  const Options& o_;
  std::string dir_;
  int redisPort_ = 0;
  int ports_[kNodes] = {};
  pid_t nodes_[kNodes] = {-1, -1, -1};
  pid_t redis_ = -1;
};

enum class State { kAway, kLoggingIn, kIn };

struct Member {
  int index = 0;
  std::string id, room;
  State state = State::kAway;
  std::unique_ptr<LoadConnection> link;
  int node = 0;              // the node it is connected to, or tries next
  long long retryAt = 0;
  long long backoff = 0;
  long long troubleSince = -1;  // refused or unconnected since
  std::set<std::string> roster;  // the others in its room, as it was told
  bool sawExpulsion = false;
  bool refused = false;  // told to try again later: dropped once its read is over
  bool gaveUp = false;
  int reconnects = 0;
};

class Members {
 public:
  Members(const Options& o, const Cluster& cluster) : cluster_(cluster), random_(o.seed) {
    for (int i = 0; i < o.members; ++i) {
      Member m;
      m.index = i;
      m.id = "m" + std::to_string(i);
      m.room = "room" + std::to_string(i % o.rooms);
      m.node = i % kNodes;
      members_.push_back(std::move(m));
    }
  }

  // Connects, reads, retries; a few milliseconds of work at most.
  void Pump(long long now) {
    std::vector<pollfd> fds;
    std::vector<Member*> owners;
    for (Member& m : members_) {
      if (m.link && !m.link->Open()) Lost(m, now);
      if (!m.link && !m.gaveUp && now >= m.retryAt) Connect(m, now);
      if (!m.link) continue;
      m.link->Flush();
      fds.push_back({m.link->Fd(), static_cast<short>(POLLIN | (m.link->HasOutput() ? POLLOUT : 0)), 0});
      owners.push_back(&m);
    }
    if (poll(fds.data(), fds.size(), 5) <= 0) return;
    for (std::size_t i = 0; i < fds.size(); ++i) {
      Member& m = *owners[i];
      if (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) {
        m.link->Read([&](LoadConnection&, const Frame& f) { OnFrame(m, f, now); });
      }
      if (m.link && (fds[i].revents & POLLOUT)) m.link->Flush();
      if (m.link && (m.refused || !m.link->Open())) Lost(m, now);
    }
  }

  void Talk(std::mt19937& random, int lines) {
    std::vector<Member*> in;
    for (Member& m : members_) {
      if (m.state == State::kIn) in.push_back(&m);
    }
    for (int i = 0; i < lines && !in.empty(); ++i) {
      Member& m = *in[random() % in.size()];
      m.link->Send("TALL", m.id + "/" + m.room + "/line " + std::to_string(++lines_));
    }
  }

  // The largest difference between a member's roster and the members really in its room.
  std::size_t Disagreement() const { return Worst().first; }
  // Who disagrees most, and how: "m7 on node 1: missing m3, extra m9".
  std::string Describe() const {
    const auto [diff, who] = Worst();
    if (who == nullptr) return "";
    std::string text = who->id + " on node " + std::to_string(who->node) + ":";
    std::set<std::string> want;
    for (const Member& m : members_) {
      if (m.state == State::kIn && m.room == who->room && m.id != who->id) want.insert(m.id);
    }
    for (const std::string& id : want) {
      if (!who->roster.contains(id)) text += " missing " + id;
    }
    for (const std::string& id : who->roster) {
      if (!want.contains(id)) text += " extra " + id;
    }
    return text;
  }
  std::pair<std::size_t, const Member*> Worst() const {
    std::map<std::string, std::set<std::string>> truth;
    for (const Member& m : members_) {
      if (m.state == State::kIn) truth[m.room].insert(m.id);
    }
    std::size_t worst = 0;
    const Member* who = nullptr;
    for (const Member& m : members_) {
      if (m.state != State::kIn) continue;
      std::set<std::string> want = truth[m.room];
      want.erase(m.id);
      std::size_t diff = 0;
      for (const std::string& id : want) diff += !m.roster.contains(id);
      for (const std::string& id : m.roster) diff += !want.contains(id);
      if (diff > worst) {
        worst = diff;
        who = &m;
      }
    }
    return {worst, who};
  }
  bool AllIn() const {
    return std::all_of(members_.begin(), members_.end(), [](const Member& m) { return m.state == State::kIn; });
  }
  void MarkGivingUp(long long now) {
    for (Member& m : members_) {
      if (m.troubleSince >= 0 && now - m.troubleSince >= kGiveUpMs) m.gaveUp = true;
    }
  }
  int Count(bool Member::*flag) const {
    return static_cast<int>(std::count_if(members_.begin(), members_.end(), [flag](const Member& m) { return m.*flag; }));
  }
  int Reconnects() const {
    int n = 0;
    for (const Member& m : members_) n += m.reconnects;
    return n;
  }
  int NotIn() const {
    return static_cast<int>(
        std::count_if(members_.begin(), members_.end(), [](const Member& m) { return m.state != State::kIn; }));
  }

 private:
  void Connect(Member& m, long long now) {
    m.link = std::make_unique<LoadConnection>(m.index, cluster_.Port(m.node));
    if (m.link->Fd() < 0) return Lost(m, now);
    m.state = State::kLoggingIn;
    m.link->Send("USER", m.id + "/key/" + m.id + "/1");
  }

  // Back-off as the real client's: from half a second, doubling to 8 s, with
  // jitter; the next try goes to the next node.
  void Lost(Member& m, long long now) {
    if (m.state == State::kIn) ++m.reconnects;
    m.link.reset();
    m.refused = false;
    m.state = State::kAway;
    m.roster.clear();
    m.node = (m.node + 1) % kNodes;
    m.backoff = std::clamp<long long>(m.backoff * 2, 500, 8000);
    m.retryAt = now + m.backoff / 2 + static_cast<long long>(random_() % static_cast<unsigned>(m.backoff));
    if (m.troubleSince < 0) m.troubleSince = now;
  }

  void OnFrame(Member& m, const Frame& f, long long now) {
    const auto fields = orvinta::text::SplitFields(f.body, '/', 3);
    if (f.command == "USRP") {
      m.link->Send("CHIN", m.id + "/" + m.room);
      m.state = State::kIn;
      m.backoff = 0;
      m.troubleSince = -1;
    } else if (f.command == "IFON" || f.command == "CHIN") {
      if (std::string(fields[0]) != m.id) m.roster.insert(std::string(fields[0]));
    } else if (f.command == "CHOT") {
      if (std::string(fields[0]) == m.id) m.sawExpulsion = true;
      m.roster.erase(std::string(fields[0]));
    } else if (f.command == "SYST") {
      // 2 (the id still held while its old session goes) and a full server are
      // retried; being taken out of a room is an expulsion.
      if (fields[0] == "6") m.sawExpulsion = true;
      if (fields[0] == "2" || fields[0] == "12" || fields[0] == "13") m.refused = true;
    }
  }

  const Cluster& cluster_;
  std::mt19937 random_;
  std::vector<Member> members_;
  long long lines_ = 0;
};

enum class Fault { kKill, kRestart, kPause, kRedis };
const char* const kFaultNames[] = {"node killed and restarted", "node stopped cleanly and restarted",
                                   "node paused and continued", "Redis restarted empty"};

}  // namespace

int main(int argc, char** argv) {
  Options o;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    const char* value = argv[i + 1];
    if (name == "--server") o.server = value;
    else if (name == "--redis") o.redis = value;
    else if (name == "--seconds") o.seconds = std::max(1, std::atoi(value));
    else if (name == "--members") o.members = std::clamp(std::atoi(value), 1, 5000);
    else if (name == "--rooms") o.rooms = std::clamp(std::atoi(value), 1, 1000);
    else if (name == "--rate") o.rate = std::clamp(std::atoi(value), 0, 100000);
    else if (name == "--settle") o.settle = std::clamp(std::atoi(value), 1, 600);
    else if (name == "--seed") o.seed = static_cast<unsigned>(std::atoi(value));
    else if (name == "--keep") o.keep = std::string(value) == "1";
  }
  if (o.server.empty()) {
    std::fprintf(stderr,
                 "usage: orvinta-cluster-chaos --server PATH [--redis PATH] [--seconds 300] [--members 300]\n"
                 "                             [--rooms 10] [--rate 50] [--settle 10] [--seed 1] [--keep 1]\n");
    return 2;
  }
  if (access(o.server.c_str(), X_OK) != 0) {
    std::fprintf(stderr, "no server program at %s\n", o.server.c_str());
    return 2;
  }
  signal(SIGPIPE, SIG_IGN);
  char dir[] = "/tmp/orvinta-chaos-XXXXXX";
  if (mkdtemp(dir) == nullptr) return 1;
  std::mt19937 random(o.seed);
  std::vector<std::pair<std::string, double>> heals;  // fault, seconds to agreement (-1: not within the limit)
  int expelled = 0, gaveUp = 0, notIn = 0, reconnects = 0;
  std::size_t finalDisagreement = 0;
  {
    Cluster cluster(o, dir);
    Members members(o, cluster);
    const auto runFor = [&](long long ms, const auto& until) {
      const long long end = NowMs() + ms;
      long long talked = NowMs();
      while (NowMs() < end && !until()) {
        const long long now = NowMs();
        members.Pump(now);
        const int lines = static_cast<int>((now - talked) * o.rate / 1000);
        if (lines > 0) {
          members.Talk(random, lines);
          talked += static_cast<long long>(lines) * 1000 / std::max(o.rate, 1);
        }
        members.MarkGivingUp(now);
      }
    };
    const auto agreed = [&] { return members.AllIn() && members.Disagreement() == 0; };
    runFor(30'000, agreed);
    std::printf("start: %s, %d members not in their rooms, largest roster difference %zu\n",
                agreed() ? "all in and agreed" : "not agreed", members.NotIn(), members.Disagreement());
    const long long faultsEnd = NowMs() + static_cast<long long>(o.seconds) * 1000;
    while (NowMs() < faultsEnd) {
      runFor(2000 + random() % 6000, [] { return false; });
      const Fault fault = static_cast<Fault>(random() % 4);
      const int node = static_cast<int>(random() % kNodes);
      const long long outage =
          fault == Fault::kRestart ? 0 : 1000 + random() % (fault == Fault::kPause ? 15000 : 4000);
      switch (fault) {
        case Fault::kKill:
          Stop(cluster.Node(node), SIGKILL);
          runFor(outage, [] { return false; });
          cluster.StartNode(node);
          break;
        case Fault::kRestart:
          Stop(cluster.Node(node), SIGTERM);
          cluster.StartNode(node);
          break;
        case Fault::kPause:
          if (cluster.Node(node) <= 0) break;
          kill(cluster.Node(node), SIGSTOP);
          runFor(outage, [] { return false; });
          kill(cluster.Node(node), SIGCONT);
          break;
        case Fault::kRedis:
          Stop(cluster.Redis(), SIGKILL);
          runFor(outage, [] { return false; });
          cluster.StartRedis();
          break;
      }
      // Agreement counts once it has held for a second (a sweep may still be under way).
      const long long healStart = NowMs();
      long long agreedSince = -1;
      runFor(kHealLimitMs + kStableMs, [&] {
        if (!agreed()) return (agreedSince = -1), false;
        if (agreedSince < 0) agreedSince = NowMs();
        return NowMs() - agreedSince >= kStableMs;
      });
      const double healed =
          agreedSince >= 0 && NowMs() - agreedSince >= kStableMs ? (agreedSince - healStart) / 1000.0 : -1;
      heals.emplace_back(kFaultNames[static_cast<int>(fault)], healed);
      std::printf("fault %zu: %s (%.1f s out): %s\n", heals.size(), kFaultNames[static_cast<int>(fault)],
                  static_cast<double>(outage) / 1000.0,
                  healed >= 0 ? ("agreed after " + std::to_string(healed).substr(0, 4) + " s").c_str()
                              : ("not agreed within 30 s: " + std::to_string(members.NotIn()) +
                                 " not in their rooms; " + members.Describe())
                                    .c_str());
      std::fflush(stdout);
    }
    runFor(static_cast<long long>(o.settle) * 1000, [] { return false; });
    finalDisagreement = members.Disagreement();
    notIn = members.NotIn();
    gaveUp = members.Count(&Member::gaveUp);
    expelled = members.Count(&Member::sawExpulsion);
    reconnects = members.Reconnects();
    const int logged = cluster.ExpelledLines();
    std::printf("\n%d members in %d rooms, %d lines/s, %d s of faults (%zu faults), %d reconnects\n", o.members,
                o.rooms, o.rate, o.seconds, heals.size(), reconnects);
    std::printf("members who saw an expulsion: %d (nodes logged %d)\n", expelled, logged);
    std::printf("clients that gave up: %d (not in their rooms at the end: %d)\n", gaveUp, notIn);
    std::printf("largest roster disagreement %d s after the last fault: %zu\n", o.settle, finalDisagreement);
    double worst = 0;
    bool allHealed = true;
    for (const auto& [name, seconds] : heals) {
      allHealed &= seconds >= 0;
      worst = std::max(worst, seconds);
    }
    std::printf("seconds from each fault to agreement: largest %.1f%s\n", worst,
                allHealed ? "" : " (some not within 30 s)");
  }
  if (o.keep) {
    std::printf("the nodes' logs: %s\n", dir);
  } else {
    std::filesystem::remove_all(dir);
  }
  return expelled == 0 && gaveUp == 0 && finalDisagreement == 0 ? 0 : 1;
}
