// The connection both sessions share: bounded reads, replaced and closed
// sockets, and owners that act from inside a notification.
#include "protocol/chat_connection.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "protocol/codec.h"
#include "protocol/failure_log.h"
#include "tests/fakes/fake_ports.h"
#include "tests/fakes/fake_transport.h"

namespace orvinta::protocol {
namespace {

using Events = std::vector<std::string>;

struct RecordingListener final : ConnectionListener {
  void OnConnected() override { events.push_back("connected"); }
  void OnConnectFailed(int error) override { events.push_back("failed " + std::to_string(error)); }
  void OnFrame(std::string_view command, std::string_view body) override {
    events.push_back(std::string(command) + ":" + std::string(body));
    if (onFrame) onFrame(command);
  }
  void OnClosed() override {
    events.push_back("closed");
    if (onClosed) onClosed();
  }
  Events events;
  std::function<void(std::string_view command)> onFrame;
  std::function<void()> onClosed;
};

class ChatConnectionTest : public ::testing::Test {
 protected:
  void OpenAndConnect() {
    connection->Open({"chat.example", 7000});
    transports.last()->AcceptConnect();
    listener.events.clear();
  }

  RecordingListener listener;
  fakes::FakeTransportFactory transports;
  std::unique_ptr<ChatConnection> connection = std::make_unique<ChatConnection>(listener, transports);
};

TEST_F(ChatConnectionTest, OneNotificationReadsAtMost1023Bytes) {
  OpenAndConnect();
  const std::string frame = MakeFrame("TALL", std::string(492, 'x'));  // 500 bytes
  transports.last()->Deliver(frame + frame + frame);
  EXPECT_EQ(listener.events.size(), 2u);
  EXPECT_EQ(transports.last()->waiting().size(), 1500u - 1023u);
}

TEST_F(ChatConnectionTest, OwnerReopeningWhileHearingOfTheCloseKeepsTheNewSocket) {
  OpenAndConnect();
  listener.onClosed = [&] { connection->Open({"chat.example", 7000}); };
  transports.last()->DropConnection();
  ASSERT_EQ(transports.count(), 2u);
  EXPECT_TRUE(transports.at(0).closed());
  EXPECT_FALSE(transports.at(1).closed());
  transports.at(1).AcceptConnect();
  EXPECT_EQ(listener.events, (Events{"closed", "connected"}));
}

TEST_F(ChatConnectionTest, AReplacedSocketIsClosedAndNeverHeardAgain) {
  connection->Open({"a", 1});
  connection->Open({"b", 2});
  fakes::FakeTransport& first = transports.at(0);
  EXPECT_TRUE(first.closed());
  first.AcceptConnect();
  first.Deliver("PING0000");
  first.DropConnection();
  EXPECT_EQ(listener.events, Events{});
  // Deleted once no notification of it can be running.
  connection->Open({"c", 3});
  EXPECT_TRUE(first.deleted());
}

TEST_F(ChatConnectionTest, AFailedConnectClosesTheSocketBeforeItIsReported) {
  connection->Open({"a", 1});
  transports.last()->AcceptConnect(5);
  EXPECT_EQ(listener.events, Events{"failed 5"});
  EXPECT_TRUE(transports.last()->closed());
  EXPECT_FALSE(connection->HasSocket());
}

TEST_F(ChatConnectionTest, AFailingHandlerLosesItsFrameOnlyAndIsLogged) {
  OpenAndConnect();
  fakes::FakeTrafficLog failures;
  LogFailuresTo(&failures);
  listener.onFrame = [](std::string_view command) {
    if (command == "TALL") throw std::runtime_error("view gone");
  };
  transports.last()->Deliver("TALL0001xPING0000");
  LogFailuresTo(nullptr);
  EXPECT_EQ(listener.events, (Events{"TALL:x", "PING:"}));
  ASSERT_EQ(failures.lines.size(), 1u);
  EXPECT_EQ(failures.lines[0].first, "!!! TALL failed: view gone\r\n");
}

TEST_F(ChatConnectionTest, OwnerDestroyingTheConnectionInsideAHandlerStopsThere) {
  OpenAndConnect();
  listener.onFrame = [&](std::string_view) { connection.reset(); };
  transports.last()->Deliver("PING0000PING0000");
  EXPECT_EQ(listener.events, Events{"PING:"});
  EXPECT_TRUE(transports.last()->closed());
}

TEST_F(ChatConnectionTest, ANewConnectionStartsWithAnEmptyReceiveBuffer) {
  OpenAndConnect();
  transports.last()->Deliver("TALL0010half");
  connection->Open({"chat.example", 7000});
  transports.last()->Deliver("PING0000");
  EXPECT_EQ(listener.events, Events{"PING:"});
}

TEST_F(ChatConnectionTest, GoingAwayFlushesWhatIsQueued) {
  OpenAndConnect();
  EXPECT_TRUE(connection->Send("CHOT", "alice/room"));
  connection.reset();
  EXPECT_EQ(transports.last()->flushDeadlineMs(), ChatConnection::kCloseFlushMs);
  EXPECT_EQ(ChatConnection::kCloseFlushMs, 500);
}

}  // namespace
}  // namespace orvinta::protocol
