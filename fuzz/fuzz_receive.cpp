// Feeds arbitrary bytes to the receive path of the session (reassembly and
// every handler) and to the body decoder of the server.
#include <cstddef>
#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>

#include "protocol/codec.h"
#include "protocol/zup_chat_main.h"
#include "tests/fakes/fake_chat_window.h"
#include "tests/fakes/fake_ports.h"
#include "tests/fakes/fake_transport.h"

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
  return 0;
}
