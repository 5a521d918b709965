#pragma once
// A session wired to a fake window, fake boxes and a scripted transport.
#include <gtest/gtest.h>

#include <vector>

#include "protocol/zup_chat_main.h"
#include "tests/fakes/fake_chat_window.h"
#include "tests/fakes/fake_ports.h"
#include "tests/fakes/fake_transport.h"
#include "tests/fakes/sent_frames.h"

namespace orvinta::protocol {

class SessionTest : public ::testing::Test {
 protected:
  SessionTest() {
    settings.UserId = "alice";
    settings.SessionKey = "key";
    settings.Nick = "앨리스";
    settings.IconNo = "1001";
    settings.ServerAddress = "127.0.0.1:7000";
  }

  // Connects and completes the connect, so the login has gone out.
  void ConnectAndLogin() {
    session.Connect();
    transport().AcceptConnect();
    transport().ClearSent();
    window.calls.clear();
  }

  fakes::FakeTransport& transport() { return *transports.last(); }
  void Receive(std::string_view bytes) { transport().Deliver(bytes); }
  void ReceiveFrame(std::string_view command, std::string_view body) { Receive(MakeFrame(command, body)); }

  // Every frame written so far, as "CMND:plain body".
  std::vector<std::string> SentFrames() {
    return fakes::DecodeSentFrames(transport().sent());
  }

  LaunchSettings settings;
  fakes::FakeChatWindow window;
  fakes::FakeTransportFactory transports;
  fakes::FakeMessageBoxes boxes;
  fakes::FakeTrafficLog monitor;
  CZupChatMain session{window, settings, SessionPorts{transports, boxes, &monitor}};
};

}  // namespace orvinta::protocol
