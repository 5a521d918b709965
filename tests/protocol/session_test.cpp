// Connect, login, keep-alive, system messages and the lost connection.
#include <tuple>

#include "protocol/failure_log.h"
#include "tests/protocol/session_fixture.h"

namespace orvinta::protocol {
namespace {

using Frames = std::vector<std::string>;

TEST_F(SessionTest, ConnectSplitsHostAndPortWithDefault11900) {
  const std::pair<std::string, int> cases[] = {
      {"10.1.2.3:7000", 7000}, {"chat.example", 11900}, {"chat.example:0", 11900}, {"chat.example:x", 11900}};
  for (const auto& [server, port] : cases) {
    session.Connect(server);
    EXPECT_EQ(transport().port(), port) << server;
  }
  EXPECT_EQ(transport().host(), "chat.example");
  settings.ServerAddress.clear();
  session.Connect();
  EXPECT_EQ(transport().host(), ORVINTA_DEFAULT_SERVER_HOST);
  EXPECT_EQ(transport().port(), 11900);
}

TEST_F(SessionTest, LoginIdDropsSeparatorsAndKeeps20Bytes) {
  settings.UserId = "a.b c:d/e@f_0123456789abcdefgh";
  session.Connect();
  EXPECT_EQ(session.GetLoginId(), "abcdef_0123456789abc");
}

TEST_F(SessionTest, ConnectNotificationMarksUpAndSendsTheLogin) {
  session.Connect();
  transport().AcceptConnect();
  EXPECT_TRUE(window.connected);
  EXPECT_EQ(SentFrames(), Frames{"USER:alice/key/앨리스/1001"});
  transport().AcceptConnect();  // a second notification changes nothing
  EXPECT_EQ(SentFrames().size(), 1u);
}

TEST_F(SessionTest, RefusedConnectIsToldAtOnceAndEndsTheClient) {
  session.Connect();
  transport().AcceptConnect(111);
  EXPECT_FALSE(window.connected);
  EXPECT_TRUE(transport().sent().empty());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "서버에 접속할 수 없습니다.");
  EXPECT_EQ(window.calls, (std::vector<std::string>{"StopLoginWatchdog()", "CloseClient()"}));
}

// What the user's settings refuse is never tried: no socket, a box, the client closes.
TEST_F(SessionTest, ThePolicyDecidesBeforeAnySocketIsMade) {
  const std::string longest(kMaxHostNameBytes, 'h');
  const std::tuple<ConnectPolicy, std::string, std::string> cases[] = {  // policy, address, box or host
      {{true, ""}, "127.0.0.1:7000",
       "보안 연결(TLS)만 사용하도록 설정되어 있어 접속하지 않았습니다.\n\n서버 주소가 tls://로 시작하지 않습니다."},
      {{true, ""}, "tls://chat.example:7443", "chat.example"},
      {{false, "/ca.pem"}, "tls://chat.example", "인증 기관 파일을 읽을 수 없거나 그 안에 인증서가 없어 접속하지 않았습니다.\n\n/ca.pem"},
      {{}, "tls://" + longest + ":7443", longest},
      {{}, "tls://h" + longest, "서버 이름이 너무 길어 접속하지 않았습니다.\n\n서버 이름은 253바이트를 넘을 수 없습니다."},
  };
  for (const auto& [policy, address, expected] : cases) {
    fakes::FakeTransportFactory sockets;
    fakes::FakeMessageBoxes shown;
    fakes::FakeChatWindow client;
    CZupChatMain refusing{client, settings, SessionPorts{sockets, shown, nullptr, nullptr, policy}};
    refusing.Connect(address);
    const bool refused = sockets.count() == 0;
    EXPECT_EQ(refused ? shown.shown.at(0).text : sockets.last()->host(), expected) << address;
    EXPECT_EQ(client.Called("CloseClient()"), refused);
  }
}

TEST_F(SessionTest, SecondConnectWhileConnectingClosesTheFirstSocket) {
  session.Connect();
  session.Connect();
  ASSERT_EQ(transports.count(), 2u);
  fakes::FakeTransport& first = transports.at(0);
  EXPECT_TRUE(first.closed());
  first.AcceptConnect();  // a late report of the replaced socket is not heard
  EXPECT_FALSE(window.connected);
  transport().AcceptConnect();
  EXPECT_EQ(SentFrames(), Frames{"USER:alice/key/앨리스/1001"});
  EXPECT_TRUE(first.sent().empty());
}

TEST_F(SessionTest, BytesWaitingAtConnectAreDiscardedBeforeTheLogin) {
  session.Connect();
  transport().Queue("PING0000");
  transport().AcceptConnect();
  EXPECT_EQ(transport().waiting(), "");
  Receive("PING0000");
  EXPECT_EQ(SentFrames(), (Frames{"USER:alice/key/앨리스/1001", "PONG:"}));
}

TEST_F(SessionTest, ASendTheConnectionRefusesIsLoggedAsAFailure) {
  ConnectAndLogin();
  LogFailuresTo(&monitor);
  transport().RefuseSends();
  session.SendToAll("room", "hello");
  LogFailuresTo(nullptr);
  ASSERT_EQ(monitor.lines.size(), 1u);
  EXPECT_EQ(monitor.lines[0].first.rfind("!!! sending TALL failed: ", 0), 0u) << monitor.lines[0].first;
  EXPECT_EQ(monitor.lines[0].second, kFailureColour);
}

TEST_F(SessionTest, PingIsAnsweredOnceEvenWhenSplit) {
  ConnectAndLogin();
  Receive("PIN");
  EXPECT_TRUE(transport().sent().empty());
  Receive("G0000");
  EXPECT_EQ(transport().sent(), "PONG0000");
  transport().ClearSent();
  Receive("PING0000PING0000");
  EXPECT_EQ(transport().sent(), "PONG0000PONG0000");
}

TEST_F(SessionTest, UnknownCommandIsSkippedAndTheNextFrameHandled) {
  ConnectAndLogin();
  Receive("ABCD0002xyPING0000");
  EXPECT_EQ(transport().sent(), "PONG0000");
}

TEST_F(SessionTest, UserReplyWithoutAutoEnterOnlyLogsIn) {
  ConnectAndLogin();
  settings.RoomKey = "room";
  settings.RoomTitle = "title";
  ReceiveFrame("USRP", "");
  EXPECT_TRUE(window.loggedIn);
  EXPECT_EQ(SentFrames(), Frames{"HIST:1"});
  EXPECT_EQ(settings.RoomKey, "room");
}

TEST_F(SessionTest, UserReplyEntersTheRoomAndInvitesThePeer) {
  ConnectAndLogin();
  settings.AutoEnter = true;
  settings.RoomKey = "Pchatalice^bob";
  settings.RoomTitle = "밥님과의 1:1 대화방입니다";
  settings.PeerId = "bob";
  settings.PeerNick = "밥";
  ReceiveFrame("USRP", "");
  EXPECT_EQ(SentFrames(), (Frames{"HIST:1", "CHIN:alice/Pchatalice^bob", "INVT:alice/bob/Pchatalice^bob/앨리스"}));
  EXPECT_TRUE(settings.InvitePending);
  EXPECT_TRUE(window.Called("StartInviteTimer()"));
  EXPECT_FALSE(settings.AutoEnter);
  EXPECT_EQ(settings.RoomKey, "");
  EXPECT_EQ(settings.RoomTitle, "밥님과의 1:1 대화방입니다");
  EXPECT_EQ(settings.PeerId, "");
  EXPECT_EQ(settings.PeerNick, "");
}

TEST_F(SessionTest, UserReplyNeverInvitesTheUserItself) {
  ConnectAndLogin();
  settings.AutoEnter = true;
  settings.RoomKey = "Pchatalice^alice";
  settings.RoomTitle = "t";
  settings.PeerId = "alice";
  settings.PeerNick = "앨리스";
  ReceiveFrame("USRP", "");
  EXPECT_EQ(SentFrames(), (Frames{"HIST:1", "CHIN:alice/Pchatalice^alice"}));
  EXPECT_FALSE(settings.InvitePending);
  EXPECT_EQ(settings.PeerId, "");
}

TEST_F(SessionTest, TrafficIsLoggedOnlyWithTheMonitorSwitch) {
  ConnectAndLogin();
  Receive("PING0000");
  EXPECT_TRUE(monitor.lines.empty());
  settings.DebugMonitor = true;
  Receive("PING0000");
  ASSERT_EQ(monitor.lines.size(), 2u);
  EXPECT_EQ(monitor.lines[0].first, "<<< PING0000");
  EXPECT_EQ(monitor.lines[0].second, 0x212121u);
  EXPECT_EQ(monitor.lines[1].first, ">>> PONG0000\r\n");
  EXPECT_EQ(monitor.lines[1].second, 0xFF0000u);
}

TEST_F(SessionTest, AZeroByteEndsTheReceivedPiece) {
  ConnectAndLogin();
  Receive(std::string("PING0000\0PING0000", 17));
  EXPECT_EQ(transport().sent(), "PONG0000");
}

struct SystemCase {
  std::string name;
  std::string body;
  std::string box;  // expected text, or "" for none
  std::vector<std::string> calls;
};

class SystemMessageTest : public SessionTest, public ::testing::WithParamInterface<SystemCase> {};

TEST_P(SystemMessageTest, HasItsEffect) {
  const SystemCase& c = GetParam();
  ConnectAndLogin();
  window.connected = true;
  window.Open("#room");
  window.Open("#Pchatalice^bob");
  window.calls.clear();
  ReceiveFrame("SYST", c.body);
  if (c.box.empty()) {
    EXPECT_TRUE(boxes.shown.empty());
  } else {
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, c.box);
    EXPECT_EQ(boxes.shown[0].caption, "벨보 미렐");
  }
  EXPECT_EQ(window.calls, c.calls);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, SystemMessageTest,
    ::testing::Values(
        SystemCase{"PeerAbsent", "1/bob", "",
                   {"AddInfoLine(#Pchatalice^bob,<BR><B>▷ bob님은 오르빈타에 접속중이 아닙니다 ◁</B><BR><BR>)"}},
        SystemCase{"PeerAbsentRoomClosed", "1/carol", "", {}},
        SystemCase{"AlreadyOnline", "2/alice",
                   "alice님은 이미 오르빈타을 사용 중입니다\n\n비정상적인 종료의 경우 잠시후 다시 접속해주세요  ",
                   {"StopLoginWatchdog()", "SetConnectStatus(0)", "CloseClient()"}},
        SystemCase{"NotAllowed", "3/alice", "alice님은 현재 오르빈타을 이용하실 수 없습니다.", {}},
        SystemCase{"GroupClosed", "4/room", "해당 미렐는 현재 접근제한 상태이므로 채팅기능을 이용할 수 없습니다.",
                   {"RemoveChannel(#room)"}},
        SystemCase{"NotMember", "5/room", "앨리스님은 해당 미렐의 회원이 아닙니다.", {"RemoveChannel(#room)"}},
        SystemCase{"Removed", "6/room", "", {"RemoveChannel(#room)"}},
        SystemCase{"Nothing7", "7/room", "", {}},
        SystemCase{"Front", "8/room", "", {"BringChannelToFront(#room)"}},
        SystemCase{"FrontClosedRoom", "8/gone", "", {}},
        SystemCase{"OtherWindows", "9/x", "채팅관련 창을 (채팅중인 미렐보기 포함) 닫은 후 다시 접속해주세요",
                   {"StopLoginWatchdog()", "CloseClient()"}},
        SystemCase{"Full", "10/room", "room 미렐의 채팅방이 꽉 찼습니다.", {"RemoveChannel(#room)"}},
        SystemCase{"Maintenance", "11/5",
                   "채팅서버 점검을 위해 5분 후 채팅서비스를 잠시 중지하겠습니다.\n\n이용에 불편을 드려 대단히 "
                   "죄송합니다.",
                   {}},
        SystemCase{"Refused", "12/x", "서버에 접속할 수 없습니다.", {"CloseClient()"}},
        SystemCase{"TooMany", "13/room", "사용자가 많아 접속이 원활치 않습니다.", {"RemoveChannel(#room)"}},
        SystemCase{"Unknown14", "14/room", "", {}},
        SystemCase{"ValueIsNeverAFormat", "3/%s%n%d", "%s%n%d님은 현재 오르빈타을 이용하실 수 없습니다.", {}}),
    [](const auto& info) { return info.param.name; });

TEST_F(SessionTest, LostConnectionShowsTheBoxThenCloses) {
  ConnectAndLogin();
  std::vector<std::string> order;
  boxes.onShow = [&] { order = window.calls; };
  transport().DropConnection();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "서버와의 접속이 끊어졌습니다.");
  EXPECT_EQ(order, std::vector<std::string>{"SetConnectStatus(0)"});
  EXPECT_EQ(window.calls.back(), "CloseClient()");
  EXPECT_FALSE(window.connected);
}

TEST_F(SessionTest, GarbageFromTheServerClosesAndTellsTheUser) {
  ConnectAndLogin();
  std::string garbage;
  for (int i = 0; i < 4000; ++i) garbage.push_back(static_cast<char>(1 + (i * 7919) % 255));
  Receive("PING0000" + garbage);
  EXPECT_EQ(transport().sent(), "PONG0000");  // what came before is still handled
  EXPECT_TRUE(transport().closed());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "서버에서 잘못된 데이터를 받아 연결을 끊었습니다.");
  EXPECT_EQ(window.calls.front(), "SetConnectStatus(0)");
  EXPECT_EQ(window.calls.back(), "CloseClient()");
}

TEST_F(SessionTest, DisconnectClosesAndTellsTheWindowUnlessQuiet) {
  ConnectAndLogin();
  fakes::FakeTransport& first = transport();
  session.Disconnect(true);
  EXPECT_TRUE(first.closed());
  EXPECT_EQ(first.flushDeadlineMs(), 500) << "what is queued (a leave) goes out first";
  EXPECT_FALSE(session.HasSocket());
  EXPECT_TRUE(window.connected);
  ConnectAndLogin();
  session.Disconnect(false);
  EXPECT_FALSE(window.connected);
  session.SendPong();  // nothing to send on: dropped quietly
}

TEST_F(SessionTest, DisconnectFromInsideAHandlerIsSafe) {
  ConnectAndLogin();
  window.connected = true;
  // Code 2 disconnects while the socket is delivering the frame.
  Receive(MakeFrame("SYST", "2/alice") + "PING0000");
  EXPECT_FALSE(session.HasSocket());
}

TEST(ReconnectBackoffTest, DoublesFromOneSecondToThirtyWithUpToAFifthMore) {
  ReconnectBackoff backoff(7);
  for (const int base : {1000, 2000, 4000, 8000, 16000, 30000, 30000}) {
    const int delay = backoff.NextDelayMs();
    EXPECT_TRUE(delay >= base && delay <= base + base / 5) << delay;
  }
}

}  // namespace
}  // namespace orvinta::protocol
