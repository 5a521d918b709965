// What comes out of Redis, as another node or anyone with access to Redis
// could write it: a published message through the parser and into the core
// (which has members in a public and a private room), and a member's record.
// Nothing may crash, and everything the core sends must be a frame.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "protocol/codec.h"
#include "server/chat_server.h"
#include "server/cluster_messages.h"

namespace {

using namespace orvinta::server;

class FuzzClock final : public Clock {
 public:
  Millis Now() const override { return 1'000'000; }
};

class CheckingOutbox final : public Outbox {
 public:
  void Send(ConnectionId, std::string_view frame) override {
    if (frame.size() < 8 || !orvinta::protocol::IsWellFormedHeader(frame) ||
        orvinta::protocol::ParseLengthField(frame.substr(4, 4)) != frame.size() - 8 ||
        frame.find('\0') != std::string_view::npos) {
      __builtin_trap();
    }
  }
  void Close(ConnectionId) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  FuzzClock clock;
  CheckingOutbox outbox;
  ChatServer server(clock, outbox);
  const char* members[][2] = {{"a", "lobby"}, {"b", "Pchata^b"}, {"c", "lobby"}};
  ConnectionId next = 1;
  for (const auto& [id, room] : members) {
    server.OnConnected(next);
    server.OnFrame(next, "USER", std::string(id) + "/key/" + id + "/1");
    server.OnFrame(next, "CHIN", std::string(id) + "/" + room);
    ++next;
  }
  server.OnFrame(1, "RQBN", "a/lobby/c");  // a vote runs in the public room
  // The first line names the member of a record; the rest is both a message and a record.
  const auto newline = input.find('\n');
  const std::string_view id = input.substr(0, newline == std::string_view::npos ? 0 : newline);
  const std::string_view rest = newline == std::string_view::npos ? input : input.substr(newline + 1);
  ParseMemberRecord(id, rest);
  if (const auto message = ParseClusterMessage(rest)) {
    const std::string target(message->target);
    server.OnRoomEvent(target, message->command, message->body);
    server.OnUserEvent(target, message->command, message->body);
  }
  return 0;
}
