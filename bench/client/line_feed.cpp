// line-feed: one member that talks into several rooms, for the client benchmark.
// It speaks either orvinta-server's wire or IRC, so both clients get the same
// lines at the same pace, and takes its orders one per line on standard input:
//
//   lines COUNT RATE ROOMS MAXBACKLOG  COUNT lines spread round-robin over ROOMS
//                                      ("all" or a comma list of indices), RATE a
//                                      second (0: as fast as the reader takes them)
//   marker ROOM [1]                    one line of squares in the marker colour
//                                      (with 1: the second marker colour) into ROOM
//   talk ROOM MS                       a marker line every MS until the next order
//   backlog                            bytes waiting in the kernel toward the reader
//   quit
//
// Each order is answered by one line on standard output starting "ok" or "error".
// MAXBACKLOG (bytes) holds the sending back while the other connections to the
// server's port (the client under test) have more than that unread in the kernel's
// socket queues: both servers drop a reader that falls too far behind, and the
// benchmark measures the client, not that rule.
#include <arpa/inet.h>
#include <linux/inet_diag.h>
#include <linux/netlink.h>
#include <linux/sock_diag.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/cp949.h"
#include "protocol/codec.h"
#include "protocol/frame_reader.h"
#include "protocol/wire_commands.h"

namespace {

using namespace orvinta;

double NowS() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// The visible text of every line, in UTF-8: 100 bytes once in code page 949.
std::string LineText(int room, long seq) {
  char head[32];
  std::snprintf(head, sizeof head, "r%d #%07ld ", room, seq);
  std::string text = std::string(head) + "오르빈타 대화방 성능 측정 ";
  const std::string filler = "The quick brown fox jumps over the lazy dog 0123456789. ";
  std::size_t cp949 = platform::Utf8ToCp949Lossy(text).value_or(text).size();
  for (std::size_t i = 0; cp949 < 100; ++i, ++cp949) text += filler[i % filler.size()];
  return text;
}

// Black squares: solid runs of the marker colour that the screen watcher finds.
const std::string kMarkerText = [] {
  std::string s;
  for (int i = 0; i < 24; ++i) s += "■";
  return s;
}();

class Wire {
 public:
  virtual ~Wire() = default;
  virtual bool Login(const std::vector<std::string>& rooms) = 0;
  // marker: 0 a plain line, 1 or 2 a line in the first or second marker colour.
  virtual void Say(const std::string& room, const std::string& utf8, int marker) = 0;
  // Reads what the server sent and answers its keep-alives, after sending
  // what is queued.
  virtual bool Drain(int timeoutMs) = 0;
  // Lines are queued and written in batches: one write per line costs the
  // feeder more than the rates it must reach.
  void Queue(const std::string& data) { out_ += data; }
  bool Flush();
  std::size_t Queued() const { return out_.size(); }
  int fd = -1;
  int localPort = 0;

 private:
  std::string out_;
};

bool WriteAll(int fd, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = send(fd, data.data() + done, data.size() - done, MSG_NOSIGNAL);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool Wire::Flush() {
  const bool ok = WriteAll(fd, out_);
  out_.clear();
  return ok;
}

int Connect(int port, int& localPort) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_port = htons(static_cast<uint16_t>(port));
  sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) {
    close(fd);
    return -1;
  }
  const int on = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  socklen_t size = sizeof sa;
  getsockname(fd, reinterpret_cast<sockaddr*>(&sa), &size);
  localPort = ntohs(sa.sin_port);
  return fd;
}

// Reads everything waiting on fd within timeoutMs; false when the server closed.
template <typename OnBytes>
bool ReadSome(int fd, int timeoutMs, OnBytes onBytes) {
  pollfd p{fd, POLLIN, 0};
  int wait = timeoutMs;
  while (poll(&p, 1, wait) > 0) {
    char buffer[65536];
    const ssize_t n = recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
    if (n == 0) return false;
    if (n < 0) return errno == EAGAIN || errno == EINTR;
    onBytes(std::string_view(buffer, static_cast<std::size_t>(n)));
    wait = 0;
  }
  return true;
}

class OrvintaWire : public Wire {
 public:
  OrvintaWire(int port, std::string id) : port_(port), id_(std::move(id)) {}

  bool Login(const std::vector<std::string>& rooms) override {
    fd = Connect(port_, localPort);
    if (fd < 0) return false;
    Send(wire::kUser, id_ + "/feed-session/" + platform::FromLocalText("피더") + "/1001");
    const double deadline = NowS() + 5;
    while (!loggedIn_ && NowS() < deadline) {
      if (!Drain(50)) return false;
    }
    if (!loggedIn_) return false;
    for (const auto& room : rooms) Send(wire::kChatIn, id_ + "/" + room);
    // The roster of each room comes back; what matters is that the entries are in.
    for (const double until = NowS() + 0.5; NowS() < until;) Drain(20);
    return true;
  }

  void Say(const std::string& room, const std::string& utf8, int marker) override {
    static const char* const kColours[] = {"000000", "FF00FF", "11A879"};
    const std::string text = platform::Utf8ToCp949Lossy(utf8).value_or(utf8);
    // style | colour | size | face | background | icon | nick | text
    const std::string line = std::string("|") + kColours[marker] + "|10|" +
                             platform::FromLocalText("굴림") + "|FFFFFF|1001|" +
                             platform::FromLocalText("피더") + "|" + text;
    Send(wire::kToAll, id_ + "/" + room + "/" + line);
  }

  bool Drain(int timeoutMs) override {
    Flush();
    return ReadSome(fd, timeoutMs, [this](std::string_view bytes) {
      reader_.Append(bytes);
      while (auto frame = reader_.Next()) {
        if (frame->command == wire::kPing) Send(wire::kPong, "");
        if (frame->command == wire::kUserReply) loggedIn_ = true;
      }
    });
  }

 private:
  void Send(std::string_view command, const std::string& body) {
    Queue(protocol::EncodeMessage(protocol::MakeMessage(command, body)));
  }

  int port_;
  std::string id_;
  bool loggedIn_ = false;
  protocol::FrameReader reader_;
};

class IrcWire : public Wire {
 public:
  IrcWire(int port, std::string nick) : port_(port), nick_(std::move(nick)) {}

  bool Login(const std::vector<std::string>& rooms) override {
    fd = Connect(port_, localPort);
    if (fd < 0) return false;
    Queue("NICK " + nick_ + "\r\nUSER " + nick_ + " 0 * :line feed\r\n");
    const double deadline = NowS() + 5;
    while (!registered_ && NowS() < deadline) {
      if (!Drain(50)) return false;
    }
    if (!registered_) return false;
    std::string join = "JOIN ";
    for (std::size_t i = 0; i < rooms.size(); ++i) join += (i ? ",#" : "#") + rooms[i];
    Queue(join + "\r\n");
    const double until = NowS() + 5;
    while (joined_ < rooms.size() && NowS() < until) Drain(20);
    return joined_ == rooms.size();
  }

  void Say(const std::string& room, const std::string& utf8, int marker) override {
    // mIRC colours 10 and 4: in HexChat's palette 11A879 and CC0000, which its
    // own messages do not use (they use 13's shade for host names).
    static const char* const kColours[] = {"", "\x03" "10", "\x03" "04"};
    Queue("PRIVMSG #" + room + " :" + kColours[marker] + utf8 + "\r\n");
  }

  bool Drain(int timeoutMs) override {
    Flush();
    return ReadSome(fd, timeoutMs, [this](std::string_view bytes) {
      input_.append(bytes);
      std::size_t start = 0;
      for (std::size_t end; (end = input_.find("\r\n", start)) != std::string::npos; start = end + 2) {
        OnLine(std::string_view(input_).substr(start, end - start));
      }
      input_.erase(0, start);
    });
  }

 private:
  void OnLine(std::string_view line) {
    if (line.substr(0, 5) == "PING ") {
      Queue("PONG " + std::string(line.substr(5)) + "\r\n");
      return;
    }
    std::istringstream words{std::string(line)};
    std::string prefix, command;
    words >> prefix >> command;
    if (command == "001") registered_ = true;
    if (command == "JOIN" && prefix.substr(1, nick_.size() + 1) == nick_ + "!") ++joined_;
  }

  int port_;
  std::string nick_;
  std::string input_;
  bool registered_ = false;
  std::size_t joined_ = 0;
};

// Bytes queued in the kernel on the connections to serverPort other than our own:
// the server's unsent or unacknowledged output and the reader's unread input.
// Asked over sock_diag: /proc/net/tcp formats every socket of the machine as
// text and costs milliseconds where a busy host holds thousands.
long Backlog(int serverPort, int ownPort) {
  const int nl = socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC, NETLINK_SOCK_DIAG);
  if (nl < 0) return 0;
  struct {
    nlmsghdr header;
    inet_diag_req_v2 request;
  } ask{};
  ask.header.nlmsg_len = sizeof ask;
  ask.header.nlmsg_type = SOCK_DIAG_BY_FAMILY;
  ask.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
  ask.request.sdiag_family = AF_INET;
  ask.request.sdiag_protocol = IPPROTO_TCP;
  ask.request.idiag_states = 1u << 1;  // established
  sockaddr_nl kernel{};
  kernel.nl_family = AF_NETLINK;
  long total = 0;
  if (sendto(nl, &ask, sizeof ask, 0, reinterpret_cast<sockaddr*>(&kernel), sizeof kernel) == sizeof ask) {
    alignas(nlmsghdr) static char buffer[65536];
    for (bool done = false; !done;) {
      const ssize_t n = recv(nl, buffer, sizeof buffer, 0);
      if (n <= 0) break;
      auto left = static_cast<unsigned>(n);
      for (auto* h = reinterpret_cast<nlmsghdr*>(buffer); NLMSG_OK(h, left); h = NLMSG_NEXT(h, left)) {
        if (h->nlmsg_type == NLMSG_DONE || h->nlmsg_type == NLMSG_ERROR) {
          done = true;
          break;
        }
        const auto* d = static_cast<const inet_diag_msg*>(NLMSG_DATA(h));
        const int local = ntohs(d->id.idiag_sport), remote = ntohs(d->id.idiag_dport);
        const bool serverSide = local == serverPort && remote != ownPort;
        const bool readerSide = remote == serverPort && local != ownPort;
        if (serverSide || readerSide) total += static_cast<long>(d->idiag_rqueue) + d->idiag_wqueue;
      }
    }
  }
  close(nl);
  return total;
}

std::vector<int> ParseRooms(const std::string& spec, int roomCount) {
  std::vector<int> rooms;
  if (spec == "all") {
    for (int i = 0; i < roomCount; ++i) rooms.push_back(i);
    return rooms;
  }
  std::stringstream parts(spec);
  for (std::string part; std::getline(parts, part, ',');) {
    const int room = std::atoi(part.c_str());
    if (room >= 0 && room < roomCount) rooms.push_back(room);
  }
  return rooms;
}

bool StdinHasLine(int timeoutMs) {
  pollfd p{STDIN_FILENO, POLLIN, 0};
  return poll(&p, 1, timeoutMs) > 0;
}

struct Feed {
  Wire& wire;
  std::vector<std::string> rooms;
  int serverPort;
  long seq = 0;

  void Lines(long count, double rate, const std::vector<int>& targets, long maxBacklog) {
    const double start = NowS();
    long maxSeen = 0, checkedAt = 0;
    double heldS = 0, lastCheck = 0;
    for (long i = 0; i < count; ++i) {
      if (rate > 0) {
        const double due = start + static_cast<double>(i) / rate;
        for (double now = NowS(); now < due; now = NowS()) wire.Drain(static_cast<int>((due - now) * 1000));
      }
      // The kernel is asked at most every 5 ms or 128 lines: a dump of the
      // machine's sockets is not free either.
      if (maxBacklog > 0 && (i - checkedAt >= 128 || NowS() - lastCheck >= 0.005)) {
        wire.Flush();
        long backlog = Backlog(serverPort, wire.localPort);
        if (backlog > maxSeen) maxSeen = backlog;
        const double heldFrom = NowS();
        while (backlog > maxBacklog) {
          // A reader that takes nothing for a minute has stopped: say so rather than hang.
          if (NowS() - heldFrom > 60) {
            std::printf("error the reader took nothing for 60 s with %ld bytes waiting, after %ld lines\n", backlog, i);
            return;
          }
          wire.Drain(1);
          backlog = Backlog(serverPort, wire.localPort);
        }
        heldS += NowS() - heldFrom;
        lastCheck = NowS();
        checkedAt = i;
      }
      const int room = targets[static_cast<std::size_t>(i) % targets.size()];
      wire.Say(rooms[static_cast<std::size_t>(room)], LineText(room, ++seq), 0);
      if (wire.Queued() >= 16384) wire.Flush();
      if (i % 64 == 0) wire.Drain(0);
    }
    wire.Flush();
    const double seconds = NowS() - start;
    std::printf("ok sent=%ld seconds=%.3f rate=%.0f max_backlog=%ld held_s=%.3f\n", count, seconds,
                seconds > 0 ? static_cast<double>(count) / seconds : 0.0, maxSeen, heldS);
  }

  void Talk(int room, int everyMs) {
    long talked = 0;
    while (!StdinHasLine(0)) {
      wire.Say(rooms[static_cast<std::size_t>(room)], kMarkerText, 1);
      wire.Flush();
      ++talked;
      for (const double until = NowS() + everyMs / 1000.0; NowS() < until && !StdinHasLine(0);) wire.Drain(5);
    }
    std::printf("ok talked=%ld\n", talked);
  }
};

}  // namespace

int main(int argc, char** argv) {
  std::string protocol, prefix = "room", id = "feeder";
  int port = 0, roomCount = 10;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string arg = argv[i], value = argv[i + 1];
    if (arg == "--orvinta" || arg == "--irc") {
      protocol = arg.substr(2);
      port = std::atoi(value.c_str());
    } else if (arg == "--rooms") {
      roomCount = std::atoi(value.c_str());
    } else if (arg == "--prefix") {
      prefix = value;
    } else if (arg == "--id") {
      id = value;
    }
  }
  if (protocol.empty() || port <= 0 || port > 65535 || roomCount < 1 || roomCount > 100) {
    std::fprintf(stderr, "usage: line-feed (--orvinta PORT | --irc PORT) [--rooms N] [--prefix P] [--id ID]\n");
    return 2;
  }
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  std::vector<std::string> rooms;
  for (int i = 0; i < roomCount; ++i) rooms.push_back(prefix + std::to_string(i));
  OrvintaWire orvinta(port, id);
  IrcWire irc(port, id);
  Wire& wire = protocol == "irc" ? static_cast<Wire&>(irc) : orvinta;
  if (!wire.Login(rooms)) {
    std::printf("error cannot log in and enter the rooms on port %d\n", port);
    return 1;
  }
  std::printf("ok ready\n");
  Feed feed{wire, rooms, port};
  std::string line;
  while (true) {
    while (!StdinHasLine(50)) wire.Drain(0);
    if (!std::getline(std::cin, line)) break;
    std::istringstream words(line);
    std::string order;
    words >> order;
    if (order == "lines") {
      long count = 0, maxBacklog = 0;
      double rate = 0;
      std::string targets;
      words >> count >> rate >> targets >> maxBacklog;
      const auto list = ParseRooms(targets, roomCount);
      if (count <= 0 || list.empty()) {
        std::printf("error lines COUNT RATE ROOMS MAXBACKLOG\n");
        continue;
      }
      feed.Lines(count, rate, list, maxBacklog);
    } else if (order == "marker" || order == "talk") {
      int room = -1, argument = 0;  // talk: milliseconds between lines; marker: 1 for the second colour
      words >> room;
      if (!(words >> argument) && order == "talk") argument = 50;
      if (room < 0 || room >= roomCount) {
        std::printf("error no room %d\n", room);
        continue;
      }
      if (order == "marker") {
        wire.Say(rooms[static_cast<std::size_t>(room)], kMarkerText, argument == 1 ? 2 : 1);
        wire.Flush();
        std::printf("ok\n");
      } else {
        feed.Talk(room, argument < 1 ? 1 : argument);
      }
    } else if (order == "backlog") {
      std::printf("ok backlog=%ld\n", Backlog(port, wire.localPort));
    } else if (order == "quit") {
      break;
    } else if (!order.empty()) {
      std::printf("error unknown order %s\n", order.c_str());
    }
  }
  return 0;
}
