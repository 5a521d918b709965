// orvinta-peer: a scripted member for the demo and for tests. It logs in,
// enters one room, greets it, and answers every line another member says
// with one of a few canned Korean answers.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <time.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/cp949.h"
#include "protocol/codec.h"
#include "protocol/frame_reader.h"
#include "protocol/history_frames.h"
#include "protocol/wire_commands.h"
#include "text/text_util.h"

namespace {

using namespace orvinta;
namespace history = protocol::history;

volatile std::sig_atomic_t stopRequested = 0;

// <chrono> cannot be compiled to code page 949 (it spells "µs"), so time is read directly.
long long NowMs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<long long>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

void Print(std::string_view cp949) { std::fprintf(stderr, "%s\n", platform::Cp949ToUtf8Lossy(cp949).c_str()); }

struct Options {
  std::string host = "127.0.0.1";
  int port = 11900;
  std::string id = "peer";
  std::string nick = "오르빈봇";
  std::string icon = "1234";
  std::string room = "lobby";
  int greetEveryMs = 1500;
  bool quiet = false;
  std::size_t history = 0;  // lines of the room's history to print on entry (0: none asked)
};

constexpr std::array<std::string_view, 4> kGreetings = {
    "안녕하세요! 오르빈타 대화방에 오신 것을 환영합니다.",
    "오늘 날씨가 참 좋네요 :)",
    "궁금한 것이 있으면 무엇이든 물어보세요.",
    "저는 연습용 대화 상대입니다. 아무 말이나 해 보세요.",
};

constexpr std::array<std::string_view, 5> kAnswers = {
    "네, 잘 들었습니다!", "정말요? 재미있네요.", "좋은 말씀 감사합니다.", "저도 그렇게 생각해요.",
    "하하, 그렇군요.",
};

// One chat line: style | colour | size | face | background | icon | nick | text.
std::string ChatLine(const Options& o, std::string_view text, std::string_view colour = "1F5FBF") {
  auto escapeBars = [](std::string_view s) {
    std::string out;
    for (char c : s) out += c == '|' ? std::string("%7C") : std::string(1, c);
    return out;
  };
  std::string line = "|";
  line.append(colour).append("|10|굴림|E8F0FF|").append(o.icon).append("|");
  line.append(escapeBars(o.nick)).append("|").append(escapeBars(text));
  return line;
}

class Peer {
 public:
  explicit Peer(Options options) : o_(std::move(options)) {}

  bool Connect() {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(o_.port));
    if (inet_pton(AF_INET, o_.host.c_str(), &address.sin_addr) != 1) return false;
    if (connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return false;
    int one = 1;
    setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    Send(wire::kUser, {o_.id, "peer-session", o_.nick, o_.icon});
    return true;
  }

  int Run() {
    long long nextGreeting = NowMs() + 800;
    std::size_t greeted = 0;
    while (!stopRequested) {
      pollfd p{fd_, POLLIN, 0};
      if (poll(&p, 1, 100) < 0 && errno != EINTR) return 1;
      if (p.revents & (POLLIN | POLLHUP)) {
        char buffer[4096];
        const ssize_t n = read(fd_, buffer, sizeof buffer);
        if (n <= 0) return stopRequested ? 0 : 1;
        reader_.Append(std::string_view(buffer, static_cast<std::size_t>(n)));
        while (auto frame = reader_.Next()) Handle(frame->command, frame->body);
      }
      if (inRoom_ && greeted < kGreetings.size() && NowMs() >= nextGreeting) {
        Say(kGreetings[greeted++]);
        nextGreeting = NowMs() + o_.greetEveryMs;
      }
    }
    Send(wire::kChatOut, {o_.id, o_.room});
    return 0;
  }

 private:
  void Handle(const std::string& command, const std::string& body) {
    // Frames carry code page 949; the terminal reads UTF-8.
    if (!o_.quiet) Print("peer <<< " + protocol::MakeFrame(command, body));
    if (command == wire::kPing) {
      Send(wire::kPong, {});
    } else if (command == wire::kUserReply) {
      if (o_.history > 0) Send(wire::kHistoryHello, {history::kVersion});
      Send(wire::kChatIn, {o_.id, o_.room});
      inRoom_ = true;
    } else if (command == wire::kToAll) {
      const auto f = text::SplitFields(body, '/', 3);
      Answer(f[0], f[1]);
    } else if (command == wire::kStampedToAll) {
      if (const auto line = history::ParseStamped(body)) Answer(line->sender, line->room);
    } else if (command == wire::kHistoryHello) {
      AskHistory(history::ParseOffer(body));
    } else if (command == wire::kHistoryLine) {
      if (const auto answer = history::ParseAnswerLine(body)) {
        Print("peer: history #" + std::to_string(answer->line.id) + " " + answer->line.sender + ": " + answer->line.text);
      }
    } else if (command == wire::kHistoryEnd) {
      if (const auto end = history::ParseAnswerEnd(body)) {
        Print("peer: history of " + end->room + " ends, " + std::to_string(end->count) + " lines" +
              (end->outcome == history::Outcome::kRefused ? " (refused)" : ""));
      }
    } else if (command == wire::kOwnLineStamp) {
      if (const auto stamp = history::ParseOwnStamp(body); stamp && !o_.quiet) {
        Print("peer: own line #" + std::to_string(stamp->id));
      }
    } else if (command == wire::kSystem) {
      Print("peer: system message " + body);
    }
  }

  // Someone else's line in the room gets an answer.
  void Answer(std::string_view sender, std::string_view room) {
    if (sender != o_.id && room == o_.room) Say(kAnswers[answers_++ % kAnswers.size()], "C0392B");
  }

  // The server keeps history: the room's latest lines, as many as asked and it allows.
  void AskHistory(const std::optional<history::Offer>& offer) {
    if (!offer || offer->lines == 0) return Print("peer: the server keeps no history");
    history::Request request;
    request.room = o_.room;
    request.tag = 1;
    request.count = std::min(o_.history, offer->maxPerRequest);
    const std::string body = history::RequestBody(o_.id, request);
    Send(wire::kHistoryRequest, {body});
  }

  void Say(std::string_view text, std::string_view colour = "1F5FBF") {
    Send(wire::kToAll, {o_.id, o_.room, ChatLine(o_, text, colour)});
  }

  void Send(std::string_view command, std::initializer_list<std::string_view> fields) {
    std::string body;
    for (auto f = fields.begin(); f != fields.end(); ++f) {
      if (f != fields.begin()) body.push_back('/');
      body.append(*f);
    }
    const std::string frame = protocol::EncodeMessage(protocol::MakeMessage(command, body));
    if (write(fd_, frame.data(), frame.size()) < 0) std::perror("peer: write");
  }

  Options o_;
  int fd_ = -1;
  bool inRoom_ = false;
  std::size_t answers_ = 0;
  protocol::FrameReader reader_;
};

bool ParseOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--quiet") {
      o.quiet = true;
      continue;
    }
    if (i + 1 >= argc) return false;
    const std::string value = argv[++i];
    if (arg == "--history") {
      o.history = static_cast<std::size_t>(std::max(0L, text::ParseLeadingInt(value)));
      continue;
    }
    if (arg == "--server") {
      const auto colon = value.find(':');
      o.host = value.substr(0, colon);
      if (colon != std::string::npos) o.port = static_cast<int>(text::ParseLeadingInt(value.substr(colon + 1)));
    } else if (arg == "--id") {
      o.id = value;
    } else if (arg == "--nick") {
      o.nick = platform::FromLocalText(value);
    } else if (arg == "--room") {
      o.room = value;
    } else if (arg == "--icon") {
      o.icon = value;
    } else {
      return false;
    }
  }
  return o.port > 0 && o.port < 65536;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr, "usage: orvinta-peer [--server HOST:PORT] [--id ID] [--nick NICK] [--room KEY] [--history N] [--quiet]\n");
    return 2;
  }
  std::signal(SIGINT, [](int) { stopRequested = 1; });
  std::signal(SIGTERM, [](int) { stopRequested = 1; });
  Peer peer(options);
  if (!peer.Connect()) {
    std::fprintf(stderr, "orvinta-peer: cannot connect to %s:%d\n", options.host.c_str(), options.port);
    return 1;
  }
  return peer.Run();
}
