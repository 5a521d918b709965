// The real client session over real sockets against the real server.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTcpSocket>
#include <memory>

#include "platform/cp949.h"
#include "platform/qt/qt_timers.h"
#include "platform/qt/qt_transport.h"
#include "protocol/zup_chat_main.h"
#include "tests/fakes/fake_chat_window.h"
#include "tests/fakes/fake_ports.h"
#include "tests/integration/server_process.h"
#include "tests/server/test_ca.h"

namespace orvinta::integration {
namespace {

// One client: the session with real sockets, a recording window and boxes.
struct Client {
  // With timers the session gets back to a server it lost.
  explicit Client(std::string id, std::string server, platform::Timers* timers = nullptr)
      : session(window, settings, {transports, boxes, nullptr, timers}) {
    settings.UserId = std::move(id);
    settings.SessionKey = "session";
    settings.Nick = platform::FromLocalText("테스터");
    settings.IconNo = "1001";
    settings.ServerAddress = std::move(server);
  }
  bool LogIn() {
    session.Connect();
    return WaitFor([&] { return window.loggedIn; });
  }

  LaunchSettings settings;
  fakes::FakeChatWindow window;
  platform::qt::QtTransportFactory transports;
  fakes::FakeMessageBoxes boxes;
  protocol::CZupChatMain session;
};

class ClientSessionTest : public ::testing::Test {
 protected:
  ServerProcess server{{"--ping-interval", "1"}};
};

TEST_F(ClientSessionTest, LogsInAndAnswersTheKeepAlive) {
  ASSERT_TRUE(server.started());
  Client alice("alice", server.address());
  ASSERT_TRUE(alice.LogIn());
  EXPECT_TRUE(alice.window.connected);
  // Three keep-alive intervals: a client that did not answer would be dropped after two.
  WaitFor([] { return false; }, 3200);
  EXPECT_TRUE(alice.window.connected);
  EXPECT_TRUE(alice.boxes.shown.empty());
}

TEST_F(ClientSessionTest, SecondLoginOfTheSameIdIsRefused) {
  ASSERT_TRUE(server.started());
  Client first("alice", server.address());
  ASSERT_TRUE(first.LogIn());
  Client second("alice", server.address());
  second.session.Connect();
  ASSERT_TRUE(WaitFor([&] { return second.window.Called("CloseClient()"); }));
  ASSERT_FALSE(second.boxes.shown.empty());
  EXPECT_EQ(second.boxes.shown[0].text,
            platform::FromLocalText("alice님은 이미 오르빈타을 사용 중입니다\n\n비정상적인 종료의 경우 잠시후 다시 접속해주세요  "));
  EXPECT_FALSE(second.window.loggedIn);
  // The first session goes on.
  WaitFor([] { return false; }, 300);
  EXPECT_TRUE(first.window.connected);
  EXPECT_FALSE(first.window.Called("CloseClient()"));
}

TEST_F(ClientSessionTest, LostConnectionShowsTheBoxAndCloses) {
  ASSERT_TRUE(server.started());
  Client alice("alice", server.address());
  ASSERT_TRUE(alice.LogIn());
  server.Kill();
  ASSERT_TRUE(WaitFor([&] { return alice.window.Called("CloseClient()"); }));
  ASSERT_EQ(alice.boxes.shown.size(), 1u);
  EXPECT_EQ(alice.boxes.shown[0].text, platform::FromLocalText("서버와의 접속이 끊어졌습니다."));
  EXPECT_FALSE(alice.window.connected);
}

TEST_F(ClientSessionTest, ComesBackIntoItsRoomWhenTheServerIsBackOnItsPort) {
  ASSERT_TRUE(server.started());
  platform::qt::QtTimers timers;
  Client alice("alice", server.address(), &timers);
  ASSERT_TRUE(alice.LogIn());
  alice.window.Open("#room");
  alice.session.SendChatIn("room");
  server.Kill();
  ServerProcess again{{"--port", QString::number(server.port())}};
  ASSERT_TRUE(WaitFor([&] { return alice.window.Called("ConnectionBack()"); }, 20000));
  Client bob("bob", again.address());
  ASSERT_TRUE(bob.LogIn());
  bob.session.SendChatIn("room");
  EXPECT_TRUE(WaitFor([&] { return alice.window.FindNickByName("#room", "bob").has_value(); }));
}

// A quiet member of a server that pings every 90 s (it may be set to up to 3600) stays.
TEST(ClientKeepAlive, AQuietMemberStaysUnderAPingIntervalOf90s) {
  ServerProcess server({"--ping-interval", "90"});
  platform::qt::QtTimers timers;
  Client alice("alice", server.address(), &timers);
  ASSERT_TRUE(alice.LogIn());
  WaitFor([] { return false; }, 80000);  // past the 75 s a 30 s server allows
  EXPECT_FALSE(alice.window.Called("ConnectionAway()"));
}

TEST_F(ClientSessionTest, TwoMembersShareARoom) {
  ASSERT_TRUE(server.started());
  Client alice("alice", server.address());
  Client bob("bob", server.address());
  Client carol("carol", server.address());
  ASSERT_TRUE(alice.LogIn() && bob.LogIn() && carol.LogIn());
  alice.window.Open("#room");
  alice.session.SendChatIn("room");
  bob.session.SendChatIn("#room");
  ASSERT_TRUE(WaitFor([&] { return alice.window.FindNickByName("#room", "bob").has_value(); }));
  EXPECT_EQ(alice.window.FindNickByName("#room", "bob"), platform::FromLocalText("테스터"));

  // The wire's separators and the "%%" convention travel untouched.
  const std::string line = "B|FF0000|11|" + platform::FromLocalText("돋움") + "|FFFFFF|1001|" +
                           platform::FromLocalText("밥") + "|a/b 50%% x%%7Cy " + platform::FromLocalText("안녕");
  bob.session.SendToAll("room", line);
  const std::string shown = "AddMessage(#room,bob," + line + ")";
  ASSERT_TRUE(WaitFor([&] { return alice.window.Called(shown); }));
  EXPECT_FALSE(bob.window.Called(shown)) << "the server does not send a line back to its sender";

  bob.session.SendUserInfoToAll("room", 3);
  ASSERT_TRUE(WaitFor([&] { return alice.window.Called("SetMemberStatus(#room,bob,3)"); }));
  bob.session.SendChatOut("room");
  ASSERT_TRUE(WaitFor([&] { return alice.window.Called("RemoveNick(#room,bob)"); }));

  // A member whose connection drops leaves the room for the others.
  carol.session.SendChatIn("room");
  ASSERT_TRUE(WaitFor([&] { return alice.window.FindNickByName("#room", "carol").has_value(); }));
  carol.session.Disconnect(true);
  ASSERT_TRUE(WaitFor([&] { return alice.window.Called("RemoveNick(#room,carol)"); }));
  EXPECT_TRUE(alice.window.connected);
}

TEST_F(ClientSessionTest, NoServerIsToldAtOnceNotAfterTheWatchdog) {
  Client alice("alice", "127.0.0.1:1");
  alice.session.Connect();
  ASSERT_TRUE(WaitFor([&] { return alice.window.Called("CloseClient()"); }, 2000));
  ASSERT_EQ(alice.boxes.shown.size(), 1u);
  EXPECT_EQ(alice.boxes.shown[0].text, platform::FromLocalText("서버에 접속할 수 없습니다."));
  EXPECT_FALSE(alice.window.connected);
  EXPECT_FALSE(alice.window.loggedIn);
}

TEST_F(ClientSessionTest, WhatIsSentAsTheSessionGoesAwayStillArrives) {
  ASSERT_TRUE(server.started());
  Client alice("alice", server.address());
  auto bob = std::make_unique<Client>("bob", server.address());
  ASSERT_TRUE(alice.LogIn() && bob->LogIn());
  alice.window.Open("#room");
  alice.session.SendChatIn("room");
  bob->session.SendChatIn("room");
  ASSERT_TRUE(WaitFor([&] { return alice.window.FindNickByName("#room", "bob").has_value(); }));
  // As when the window closes: the last frames are written and the program
  // ends before the event loop turns again.
  bob->session.SendToAll("room", "bye");
  bob->session.SendChatOut("room");
  bob.reset();
  EXPECT_TRUE(WaitFor([&] { return alice.window.Called("AddMessage(#room,bob,bye)"); }));
}

// The scripted member sits beside the server in the build tree.
QString PeerBinary() {
  QDir build = QFileInfo(QStringLiteral(ORVINTA_SERVER_BINARY)).dir();
  build.cdUp();
  return build.filePath(QStringLiteral("tools/orvinta-peer"));
}

TEST_F(ClientSessionTest, TheScriptedPeerPrintsWhatItHearsInUtf8) {
  ASSERT_TRUE(server.started());
  ASSERT_TRUE(QFileInfo::exists(PeerBinary())) << "build orvinta-peer first";
  QProcess peer;
  peer.start(PeerBinary(), {"--server", QString::fromStdString(server.address()), "--id", "bot", "--nick",
                            QStringLiteral("오르빈봇"), "--room", "lobby"});
  ASSERT_TRUE(peer.waitForStarted(5000));
  Client alice("alice", server.address());
  ASSERT_TRUE(alice.LogIn());
  alice.window.Open("#lobby");
  alice.session.SendChatIn("lobby");
  ASSERT_TRUE(WaitFor([&] { return alice.window.FindNickByName("#lobby", "bot").has_value(); }));
  alice.session.SendToAll("lobby", platform::FromLocalText("|000000|9|x|FFFFFF|1|a|안녕 친구"));
  QByteArray printed;
  const QByteArray greeting = QStringLiteral("안녕 친구").toUtf8();
  EXPECT_TRUE(WaitFor([&] {
    printed += peer.readAllStandardError();
    return printed.contains(greeting);
  })) << printed.toStdString();
  peer.terminate();
  peer.waitForFinished(3000);
}

}  // namespace
}  // namespace orvinta::integration

namespace orvinta::integration {
namespace {

// "tls://" through the real transport: a login, or a box saying why not and
// no clear text tried instead. The server listens on `host`; its certificate
// names 127.0.0.1.
struct SecureCase {
  const char* name;
  bool trusted;     // the client trusts the authority that signed it
  const char* host;
  const char* box;  // empty: logged in
  bool full = false;  // the address's one slot is taken: refused at accept time
};
void PrintTo(const SecureCase& c, std::ostream* os) { *os << c.name; }
class ClientTlsTest : public ::testing::TestWithParam<SecureCase> {};

TEST_P(ClientTlsTest, LogsInOnlyWhenTheCertificatePasses) {
  const orvinta::testing::TestCa ca = orvinta::testing::MakeTestCa();
  const SecureCase& c = GetParam();
  ServerProcess server({"--bind", c.host, "--tls-port", "0", "--tls-cert", QString::fromStdString(ca.certFile),
                        "--tls-key", QString::fromStdString(ca.keyFile), "--max-per-address", "1", "--cap-loopback"});
  ASSERT_TRUE(ca.ok && server.tlsPort() != 0);
  QTcpSocket holder;
  if (c.full) holder.connectToHost(c.host, static_cast<quint16>(server.port()));
  ASSERT_TRUE(!c.full || WaitFor([&] { return holder.state() == QAbstractSocket::ConnectedState; }));
  Client alice("alice", std::string("tls://") + c.host + ":" + std::to_string(server.tlsPort()));
  ASSERT_TRUE(alice.transports.TrustAlso(QString::fromStdString(c.trusted ? ca.caFile : ca.otherCaFile)));
  alice.session.Connect();
  ASSERT_TRUE(WaitFor([&] { return alice.window.loggedIn || alice.window.Called("CloseClient()"); }));
  EXPECT_EQ(alice.window.loggedIn, *c.box == '\0');
  if (*c.box != '\0') ASSERT_EQ(alice.boxes.shown.size(), 1u);
  if (*c.box != '\0') EXPECT_EQ(alice.boxes.shown[0].text, platform::FromLocalText(c.box));
}

INSTANTIATE_TEST_SUITE_P(
    Client, ClientTlsTest,
    ::testing::Values(
        SecureCase{"Trusted", true, "127.0.0.1", ""},
        SecureCase{"UnknownAuthority", false, "127.0.0.1",
                   "서버의 인증서를 확인할 수 없어 접속하지 않았습니다.\n\n이 컴퓨터가 신뢰하는 기관이 서명한 인증서가 아닙니다."},
        SecureCase{"AnotherHostsCertificate", true, "127.0.0.2",
                   "서버의 인증서를 확인할 수 없어 접속하지 않았습니다.\n\n인증서가 127.0.0.2 서버의 것이 아닙니다."},
        SecureCase{"RefusedAsInClearText", true, "127.0.0.1", "서버에 접속할 수 없습니다.", true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvinta::integration

namespace orvinta::integration {
namespace {

// One name, several addresses (one per node), all on one port: connecting and
// reconnecting go past those that refuse or never answer. Every 127.0.0.x is
// this machine; the test looks the name up.
enum class At { Server, Refuses, NoAnswer };  // NoAnswer: a full listen queue drops the connect
struct AddressesCase {
  const char* name;
  std::vector<At> addresses;  // 127.0.0.2, .3, ...; with two servers the first is killed once logged in
};
void PrintTo(const AddressesCase& c, std::ostream* os) { *os << c.name; }
class SeveralAddressesTest : public ::testing::TestWithParam<AddressesCase> {};

TEST_P(SeveralAddressesTest, LogsInPastTheAddressesThatFail) {
  const auto ip = [](std::size_t i) { return QStringLiteral("127.0.0.%1").arg(i + 2); };
  std::vector<std::unique_ptr<ServerProcess>> servers;
  QList<QHostAddress> addresses;
  int port = 0;
  for (std::size_t i = 0; i < GetParam().addresses.size(); ++i) {
    addresses.append(QHostAddress(ip(i)));
    if (GetParam().addresses[i] != At::Server) continue;
    servers.push_back(std::make_unique<ServerProcess>(QStringList{"--bind", ip(i), "--port", QString::number(port)}));
    port = servers.back()->port();
  }
  const int queue = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  QTcpSocket filler;  // with a backlog of 0 one connection fills the queue
  for (std::size_t i = 0; i < GetParam().addresses.size(); ++i) {
    if (GetParam().addresses[i] != At::NoAnswer) continue;
    sockaddr_in sa{AF_INET, htons(static_cast<std::uint16_t>(port)), {}, {}};
    inet_pton(AF_INET, ip(i).toLatin1().constData(), &sa.sin_addr);
    ASSERT_TRUE(bind(queue, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0 && listen(queue, 0) == 0);
    filler.connectToHost(ip(i), static_cast<quint16>(port));
    ASSERT_TRUE(filler.waitForConnected(3000));
  }
  platform::qt::QtTimers timers;
  Client alice("alice", "localhost:" + std::to_string(port), &timers);
  alice.transports.LookUpWith([&](const QString&, QObject*, auto found) { found(addresses); });
  alice.session.Connect();
  ASSERT_TRUE(WaitFor([&] { return alice.window.loggedIn; }, 8000));
  if (servers.size() > 1) {
    servers.front()->Kill();
    EXPECT_TRUE(WaitFor([&] { return alice.window.Called("ConnectionBack()"); }, 15000));
  }
  EXPECT_TRUE(alice.boxes.shown.empty());
  close(queue);
}

INSTANTIATE_TEST_SUITE_P(Client, SeveralAddressesTest,
                         ::testing::Values(AddressesCase{"PastARefusal", {At::Refuses, At::Server}},
                                           AddressesCase{"PastNoAnswer", {At::NoAnswer, At::Server}},
                                           AddressesCase{"BackPastARefusal", {At::Server, At::Refuses, At::Server}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvinta::integration
