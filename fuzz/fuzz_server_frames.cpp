// Drives the server's core with arbitrary traffic from up to four connections:
// raw bytes through the frame intake (as the transport does), and plain frames
// of every command straight into the core, with the clock moving and
// connections coming and going. Everything the core sends must be a frame.
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "protocol/codec.h"
#include "protocol/wire_commands.h"
#include "server/chat_server.h"
#include "server/frame_intake.h"

namespace {

using namespace orvinta::server;

class FuzzClock final : public Clock {
 public:
  Millis Now() const override { return now; }
  Millis now = 1'000'000;
};

class CheckingOutbox final : public Outbox {
 public:
  void Send(ConnectionId, std::string_view frame) override {
    if (frame.size() < 8 || !orvinta::protocol::IsWellFormedHeader(frame) ||
        orvinta::protocol::ParseLengthField(std::string_view(frame).substr(4, 4)) != frame.size() - 8 ||
        frame.find('\0') != std::string::npos) {
      __builtin_trap();
    }
  }
  void Close(ConnectionId connection) override { closed.insert(connection); }
  std::set<ConnectionId> closed;
};

namespace wire = orvinta::wire;

// Every command a client sends, one the server only sends, and three no one does.
constexpr std::string_view kCommands[] = {wire::kUser,    wire::kPong,       wire::kAskUserInfo, wire::kChatIn,
                                          wire::kChatOut, wire::kToAll,      wire::kUserInfoToAll, wire::kInvite,
                                          wire::kDenyInvite, wire::kIgnore,  wire::kRequestBan, wire::kVoteBan,
                                          wire::kPing,    "XXXX",            "user",             "TAL"};
constexpr const char* kAddresses[] = {"127.0.0.1", "10.0.0.1", "10.0.0.2", "192.168.1.9"};

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool More() const { return at_ < size_; }
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::string_view Bytes(std::size_t n) {
    n = std::min(n, size_ - at_);
    const std::string_view out(reinterpret_cast<const char*>(data_ + at_), n);
    at_ += n;
    return out;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Reader in(data, size);
  const std::uint8_t setup = in.Byte();
  ServerLimits limits;
  limits.roomCapacity = 1 + setup % 4;
  limits.maxRooms = 3;
  limits.maxRoomsPerMember = 2;
  limits.maxRoomsCreatedPerMember = 1 + (setup >> 2) % 2;
  limits.maxConnectionsPerAddress = 2;
  limits.maxQueryingPerAddress = 1;
  limits.maxTalkBodyBytes = 40;
  limits.capLoopback = setup & 0x10;
  limits.rates.flood = RateRule{1, 8};
  FuzzClock clock;
  CheckingOutbox outbox;
  const SessionKeys keys("fuzzing secret, sixteen bytes+", [] { return std::int64_t{1'800'000'000}; });
  ChatServer server(clock, outbox, limits, CoreServices{(setup & 0x20) ? &keys : nullptr, nullptr});

  std::map<ConnectionId, FrameIntake> open;
  ConnectionId next = 1;
  auto connect = [&] {
    const ConnectionId id = next++;
    if (server.OnConnected(id, kAddresses[id % 4])) open.emplace(id, FrameIntake{});
  };
  for (int i = 0; i < 3; ++i) connect();

  while (in.More()) {
    const std::uint8_t op = in.Byte();
    if (open.empty() || op % 16 == 0) {
      connect();
      continue;
    }
    auto it = open.begin();
    std::advance(it, (op >> 4) % open.size());
    const ConnectionId c = it->first;
    switch (op % 16) {
      case 1:
        server.OnDisconnected(c);
        open.erase(it);
        break;
      case 2:
        clock.now += static_cast<Millis>(in.Byte()) * 250;
        server.Tick();
        break;
      case 3:
      case 4: {  // raw bytes through the intake
        it->second.Append(in.Bytes(in.Byte()));
        while (auto frame = it->second.Next()) {
          server.OnFrame(c, frame->command, frame->body);
          if (outbox.closed.contains(c)) break;
        }
        break;
      }
      default: {  // a plain frame of a known command
        const std::string_view command = kCommands[in.Byte() % std::size(kCommands)];
        const std::string body(in.Bytes(in.Byte() % 64));
        server.OnFrame(c, command, body);
        break;
      }
    }
    // What the core closed, the transport reports back.
    for (ConnectionId closed : outbox.closed) {
      if (open.erase(closed) != 0) server.OnDisconnected(closed);
    }
    outbox.closed.clear();
    for (const RoomSummary& room : server.ListRooms()) {
      if (room.memberCount == 0 || room.memberCount > limits.roomCapacity) __builtin_trap();
    }
  }
  return 0;
}
