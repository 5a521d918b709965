// Feeds arbitrary bytes to the receive path of the session (reassembly and
// every handler), to the shared connection under an owner that closes,
// reopens or destroys it from inside its notifications, and to the body
// decoder of the server.
#include <cstddef>
#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>

#include "protocol/chat_connection.h"
#include "protocol/codec.h"
#include "protocol/zup_chat_main.h"
#include "tests/fakes/fake_chat_window.h"
#include "tests/fakes/fake_ports.h"
#include "tests/fakes/fake_transport.h"

namespace {

using namespace orvinta;

// Does something to its connection at every report, in an order the input picks.
struct RestlessOwner final : protocol::ConnectionListener {
  std::unique_ptr<protocol::ChatConnection> connection;
  unsigned mood = 0;
  void Act() {
    if (!connection) return;
    switch (mood++ % 4) {
      case 1: connection->Close(); break;
      case 2: connection->Open({"h", 1}); break;
      case 3: connection.reset(); break;
      default: break;
    }
  }
  void OnConnected() override { Act(); }
  void OnConnectFailed(int) override { Act(); }
  void OnFrame(std::string_view, std::string_view) override { Act(); }
  void OnClosed() override { Act(); }
};

void DriveConnection(std::string_view input) {
  fakes::FakeTransportFactory transports;
  RestlessOwner owner;
  owner.mood = input.empty() ? 0 : static_cast<unsigned char>(input[0]);
  owner.connection = std::make_unique<protocol::ChatConnection>(owner, transports);
  owner.connection->Open({"h", 1});
  for (std::size_t at = 0; at + 1 < input.size() && owner.connection; at += 9) {
    fakes::FakeTransport& transport = *transports.last();
    switch (static_cast<unsigned char>(input[at]) % 4) {
      case 0: transport.Deliver(input.substr(at + 1, 8)); break;
      case 1: transport.AcceptConnect(); break;
      case 2: transport.AcceptConnect(1); break;
      default: transport.DropConnection(); break;
    }
    if (!owner.connection) break;
    if (!owner.connection->HasSocket()) owner.connection->Open({"h", 1});
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orvinta;
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  // The decoder must refuse or round-trip, never crash.
  if (auto body = protocol::Decode(input)) {
    // Upper-case hex decodes too; the round trip gives lower case.
    std::string lower(input);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (protocol::Encode(*body) != lower) __builtin_trap();
  }

  LaunchSettings settings;
  settings.UserId = "fuzz";
  settings.DebugMonitor = size % 2 == 0;
  fakes::FakeChatWindow window;
  window.Open("#room");
  fakes::FakeTransportFactory transports;
  fakes::FakeMessageBoxes boxes;
  fakes::FakeTrafficLog monitor;
  protocol::CZupChatMain session(window, settings, {transports, boxes, &monitor});
  session.Connect("127.0.0.1:1");
  transports.last()->AcceptConnect();
  // Split the input into reads of varying sizes, as the network would.
  std::size_t at = 0;
  for (std::size_t step = 1; at < size; step = step % 1023 + 7) {
    transports.last()->Deliver(input.substr(at, step));
    if (!session.HasSocket()) break;
    at += step;
  }
  DriveConnection(input);
  return 0;
}
