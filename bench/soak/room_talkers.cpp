#include "bench/soak/room_talkers.h"

#include <poll.h>

#include <cctype>

#include "bench/soak/monotonic_ms.h"
#include "platform/cp949.h"
#include "protocol/wire_commands.h"

namespace orvinta::bench {
namespace {

// Leading decimal digits of `s` from `at` on, moving `at` past them; -1 when none.
long long Digits(std::string_view s, std::size_t& at) {
  long long n = 0;
  const std::size_t start = at;
  while (at < s.size() && std::isdigit(static_cast<unsigned char>(s[at])) && at - start < 12) n = n * 10 + (s[at++] - '0');
  return at == start ? -1 : n;
}

}  // namespace

RoomTalkers::RoomTalkers(int port, std::string room, int count) : port_(port), room_(std::move(room)) {
  members_.resize(static_cast<std::size_t>(count));
}

RoomTalkers::~RoomTalkers() = default;

std::string RoomTalkers::LineText(int talker, long long number) {
  return "talker-" + std::to_string(talker) + " #" + std::to_string(number);
}

std::vector<std::pair<int, long long>> RoomTalkers::ParseLines(std::string_view text) {
  std::vector<std::pair<int, long long>> lines;
  constexpr std::string_view kMark = "talker-";
  for (std::size_t found = text.find(kMark); found != std::string_view::npos; found = text.find(kMark, found + 1)) {
    std::size_t at = found + kMark.size();
    const long long talker = Digits(text, at);
    if (talker <= 0 || talker > 1000 || text.substr(at, 2) != " #") continue;
    at += 2;
    const long long number = Digits(text, at);
    if (number > 0 && !(at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])))) {
      lines.push_back({static_cast<int>(talker), number});
    }
  }
  return lines;
}

LineTally RoomTalkers::Tally(const std::vector<std::pair<int, long long>>& shown) const {
  LineTally tally;
  std::vector<std::vector<int>> times(members_.size());
  std::vector<long long> newest(members_.size(), 0);
  for (const auto& [talker, number] : shown) {
    if (talker < 1 || talker > Count() || number > Said(talker)) continue;
    const auto k = static_cast<std::size_t>(talker - 1);
    times[k].resize(static_cast<std::size_t>(Said(talker)) + 1);
    ++tally.shown;
    if (++times[k][static_cast<std::size_t>(number)] > 1) {
      ++tally.duplicated;
    } else if (number < newest[k]) {
      ++tally.outOfOrder;
    }
    newest[k] = std::max(newest[k], number);
  }
  for (std::size_t k = 0; k < members_.size(); ++k) {
    times[k].resize(static_cast<std::size_t>(members_[k].said) + 1);
    for (std::size_t n = 1; n < times[k].size(); ++n) tally.lost += times[k][n] == 0;
  }
  return tally;
}

bool RoomTalkers::Enter(int timeoutMs) {
  for (std::size_t i = 0; i < members_.size(); ++i) {
    members_[i].connection = std::make_unique<LoadConnection>(static_cast<int>(i) + 1, port_);
    const std::string id = "talker" + std::to_string(i + 1);
    members_[i].connection->Send(wire::kUser, id + "/talk-session/" + id + "/1001");
  }
  const long long deadline = MonotonicMs() + timeoutMs;
  auto allIn = [&] {
    for (const Member& m : members_) {
      if (!m.inRoom) return false;
    }
    return true;
  };
  while (!allIn() && MonotonicMs() < deadline && AllOpen()) Pump(20);
  return allIn();
}

void RoomTalkers::SetRate(double linesPerSecond) {
  rate_ = linesPerSecond;
  rateSince_ = MonotonicMs();
  dueAtRate_ = 0;
}

void RoomTalkers::SayNow(int lines) {
  for (int i = 0; i < lines; ++i) {
    Say(next_ + 1);
    next_ = (next_ + 1) % Count();
  }
}

void RoomTalkers::Say(int k) {
  Member& m = members_[static_cast<std::size_t>(k - 1)];
  // style | colour | size | face | background | icon | nick | text
  static const std::string face = platform::FromLocalText("굴림");
  const std::string id = "talker" + std::to_string(k);
  const std::string line = "|000000|10|" + face + "|FFFFFF|1001|" + id + "|" + LineText(k, m.said + 1);
  m.connection->Send(wire::kToAll, id + "/" + room_ + "/" + line);
  ++m.said;
}

bool RoomTalkers::AllOpen() const {
  for (const Member& m : members_) {
    if (!m.connection || !m.connection->Open()) return false;
  }
  return true;
}

long long RoomTalkers::TotalSaid() const {
  long long total = 0;
  for (const Member& m : members_) total += m.said;
  return total;
}

void RoomTalkers::Pump(int ms) {
  const long long until = MonotonicMs() + ms;
  do {
    if (rate_ > 0) {
      const long long due = static_cast<long long>(static_cast<double>(MonotonicMs() - rateSince_) * rate_ / 1000.0);
      if (due > dueAtRate_) {
        SayNow(static_cast<int>(due - dueAtRate_));
        dueAtRate_ = due;
      }
    }
    std::vector<pollfd> fds;
    for (const Member& m : members_) {
      m.connection->Flush();
      fds.push_back({m.connection->Fd(), static_cast<short>(POLLIN | (m.connection->HasOutput() ? POLLOUT : 0)), 0});
    }
    const int wait = static_cast<int>(std::max(0LL, std::min(until - MonotonicMs(), rate_ > 0 ? 5LL : 50LL)));
    if (poll(fds.data(), fds.size(), wait) <= 0) continue;
    for (std::size_t i = 0; i < members_.size(); ++i) {
      if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
      members_[i].connection->Read([&](LoadConnection& c, const protocol::Frame& frame) {
        // The server takes a connection's frames in order, so lines sent after the entry are in the room.
        if (frame.command != wire::kUserReply) return;
        c.Send(wire::kChatIn, "talker" + std::to_string(i + 1) + "/" + room_);
        members_[i].inRoom = true;
      });
    }
  } while (MonotonicMs() < until);
  for (const Member& m : members_) m.connection->Flush();
}

}  // namespace orvinta::bench
