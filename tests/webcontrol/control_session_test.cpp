// The control's logic window and its conversation with the chat server,
// driven through the scripting interface with a scripted connection.
#include <stdexcept>

#include "protocol/failure_log.h"
#include "tests/webcontrol/control_fixture.h"
#include "webcontrol/avatar_url.h"
#include "webcontrol/control_session.h"
#include "webcontrol/module_state.h"

namespace orvinta::quendel::testing {
namespace {

using Strings = std::vector<std::string>;

class QuendelSessionTest : public QuendelControlTest {
 protected:
  // A control with the session cookie, connected to the server.
  void CreateConnected(com::PropertyBag params = {{"AutoConnect", "TRUE"}, {"ServerAddr", "chat.example:7000"}}) {
    ASSERT_EQ(Create(std::move(params)), com::S_OK);
    ASSERT_TRUE(ctrl.HasLogicWindow());
    transport().AcceptConnect();
  }
  void ReceiveFrame(std::string_view command, std::string_view body) {
    transport().Deliver(protocol::MakeFrame(command, body));
  }
};

TEST_F(QuendelSessionTest, AutoConnectConnectsAtCreationAndReportsTheConnection) {
  CreateConnected();
  EXPECT_EQ(transport().host(), "chat.example");
  EXPECT_EQ(transport().port(), 7000);
  EXPECT_EQ(sink.events, Strings{"ResConnectServer(true)"});
  EXPECT_EQ(sink.last.id, 1);
  EXPECT_EQ(sink.last.paramNames, Strings{"sResult"});
  EXPECT_TRUE(views.last->shown);
  EXPECT_EQ(transport().sent(), "") << "no login goes out";
}

TEST_F(QuendelSessionTest, WithoutAutoConnectNothingHappensUntilThePageAsks) {
  ASSERT_EQ(Create({}), com::S_OK);
  EXPECT_EQ(transports.count(), 0u);
  Call("ReqAllRoomList");
  ASSERT_EQ(transports.count(), 1u);
  transport().AcceptConnect();
  EXPECT_EQ(sink.events, Strings{"ResConnectServer(true)"});
}

TEST_F(QuendelSessionTest, ServerAddressRules) {
  const std::tuple<const char*, const char*, int, bool> cases[] = {
      {"", "127.0.0.1", 11900, false},    {"host", "host", 11900, false}, {"host:0", "host", 11900, false},
      {"host:8080", "host", 8080, false}, {"host:99999", "host", 11900, false},
      {"host:12x", "host", 12, false},    {"tls://host:8443", "host", 8443, true},
      {"TLS://host", "host", 11900, true}, {"tls:/host:1", "tls", 11900, false},
  };
  for (const auto& [address, host, port, secure] : cases) {
    const ServerEndpoint endpoint = ParseServerAddress(*address ? address : DefaultServerAddress());
    EXPECT_EQ(endpoint.host, host) << address;
    EXPECT_EQ(endpoint.port, port) << address;
    EXPECT_EQ(endpoint.secure, secure) << address;
  }
  EXPECT_EQ(ParseServerAddress(std::string(100, 'h') + ":8080").host.size(), kMaxAddressBytes);
  EXPECT_EQ(ParseServerAddress("tls://" + std::string(100, 'h') + ":8443").host.size(), 100u) << "checked whole";
}

TEST_F(QuendelSessionTest, RequireTlsRefusesClearTextWithOneBoxHoweverOftenThePageAsks) {
  sink.onEvent = [&](const com::Event& event) {
    if (event.values == Strings{"false"}) Call("ReqConnectServer");
  };
  ASSERT_EQ(Create({{"AutoConnect", "TRUE"}, {"ServerAddr", "chat.example:7000"}, {"RequireTls", "true"}}), com::S_OK);
  Call("ReqConnectServer");
  EXPECT_EQ(transports.count(), 0u);
  EXPECT_EQ(sink.events, (Strings{"ResConnectServer(false)", "ResConnectServer(false)"}));
  ASSERT_EQ(boxes.shown.size(), 1u);
  Call("EnterRoom", {"room1", "title", "TRUE"});
  EXPECT_TRUE(shell.started.empty()) << "the client would try the address";
  EXPECT_EQ(boxes.shown.size(), 2u);
}

TEST_F(QuendelSessionTest, RoomQueryDropsTheChannelMarkAndIsSentOnlyWhenConnected) {
  ASSERT_EQ(Create({{"AutoConnect", "TRUE"}}), com::S_OK);
  Call("ReqRoomInfo", {"room1"});  // still connecting
  transport().AcceptConnect();
  Call("ReqRoomInfo", {"  #room1 "});
  Call("ReqRoomInfo", {"room1"});
  Call("ReqRoomUserCount", {"room1"});
  Call("ReqUserInfo", {"kim"});
  Call("ReqAllRoomList");
  EXPECT_EQ(SentFrames(), (Strings{"ASIF:0/room1", "ASIF:0/room1"}));
  EXPECT_EQ(transports.count(), 1u);
  EXPECT_EQ(sink.events, Strings{"ResConnectServer(true)"});
}

TEST_F(QuendelSessionTest, ARoomIdTooLongForTheQueryIsNotSent) {
  CreateConnected();
  Call("ReqRoomInfo", {std::string(1013, 'r')});
  Call("ReqRoomInfo", {std::string(1014, 'r')});
  ASSERT_EQ(SentFrames().size(), 1u);
}

TEST_F(QuendelSessionTest, EachMemberReportBecomesRoomInfoThenUserInfo) {
  CreateConnected();
  sink.events.clear();
  ReceiveFrame("IFON", "kim/room1/Kim/1234/0");
  EXPECT_EQ(sink.events, (Strings{"ResRoomInfo(room1,kim)",
                                  "ResUserInfo(kim,Kim," + ConfiguredPortalImages().avatarBase + "34/12/s_1234.gif)"}));
  EXPECT_EQ(sink.last.paramNames, (Strings{"sUserD", "sUserNick", "sIconURL"}));
}

TEST_F(QuendelSessionTest, KoreanNicksReachThePageAsUtf8) {
  CreateConnected();
  sink.events.clear();
  ReceiveFrame("IFON", "lee/room1/영희/7/0");
  ASSERT_EQ(sink.events.size(), 2u);
  EXPECT_EQ(sink.events[1], U8(u8"ResUserInfo(lee,영희,") + ConfiguredPortalImages().groupImageHost +
                                "img/emot/emo/empty13_a.gif)");
}

TEST_F(QuendelSessionTest, ReassemblyHandlesSplitAndBatchedFramesAndDropsOtherCommands) {
  CreateConnected();
  sink.events.clear();
  const std::string a = protocol::MakeFrame("IFON", "a/r/A/1/0");
  const std::string b = protocol::MakeFrame("IFON", "b/r/B/2/0");
  transport().Deliver(a + b.substr(0, 5));
  EXPECT_EQ(sink.events.size(), 2u);
  transport().Deliver(b.substr(5) + protocol::MakeFrame("PING", "") + protocol::MakeFrame("CHIN", "x/r/X/1") +
                      protocol::MakeFrame("IFON", "c/r/C/3/0"));
  EXPECT_EQ(sink.events.size(), 6u);
  EXPECT_EQ(sink.events[2], "ResRoomInfo(r,b)");
  EXPECT_EQ(sink.events[4], "ResRoomInfo(r,c)");
  EXPECT_EQ(SentFrames(), Strings{}) << "PING is not answered";
}

TEST_F(QuendelSessionTest, ShortMemberReportsGiveEmptyFields) {
  CreateConnected();
  sink.events.clear();
  ReceiveFrame("IFON", "kim");
  EXPECT_EQ(sink.events[0], "ResRoomInfo(,kim)");
  EXPECT_EQ(sink.events[1], "ResUserInfo(kim,," + ConfiguredPortalImages().groupImageHost + "img/emot/emo/empty13_b.gif)");
}

TEST_F(QuendelSessionTest, ServerGoingAwayReportsFalseOnceAndReportsStopUntilReconnected) {
  CreateConnected();
  transport().DropConnection();
  EXPECT_TRUE(transport().closed());
  ReceiveFrame("IFON", "kim/room1/Kim/1234/0");
  Call("ReqRoomInfo", {"room1"});
  EXPECT_EQ(sink.events, (Strings{"ResConnectServer(true)", "ResConnectServer(false)"}));
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(transports.count(), 1u) << "no reconnection by itself";
}

TEST_F(QuendelSessionTest, ReconnectingWhileConnectedReportsFalseThenTrue) {
  CreateConnected();
  fakes::FakeTransport& first = transport();
  Call("ReqConnectServer");
  EXPECT_TRUE(first.closed());
  ASSERT_EQ(transports.count(), 2u);
  transport().AcceptConnect();
  EXPECT_EQ(sink.events, (Strings{"ResConnectServer(true)", "ResConnectServer(false)", "ResConnectServer(true)"}));
}

TEST_F(QuendelSessionTest, ThePageReconnectingFromTheFalseEventKeepsTheNewConnection) {
  CreateConnected();
  sink.onEvent = [&](const com::Event& event) {
    if (event.values == Strings{"false"}) Call("ReqConnectServer");
  };
  transport().DropConnection();
  ASSERT_EQ(transports.count(), 2u);
  EXPECT_FALSE(transport().closed());
  transport().AcceptConnect();
  Call("ReqRoomInfo", {"room1"});
  EXPECT_EQ(sink.events, (Strings{"ResConnectServer(true)", "ResConnectServer(false)", "ResConnectServer(true)"}));
  EXPECT_EQ(SentFrames(), Strings{"ASIF:0/room1"});
}

TEST_F(QuendelSessionTest, AHalfFrameOfTheOldConnectionDoesNotSpoilTheNewOne) {
  CreateConnected();
  transport().Deliver(protocol::MakeFrame("IFON", "kim/r/K/1/0").substr(0, 12));
  transport().DropConnection();
  Call("ReqConnectServer");
  transport().AcceptConnect();
  sink.events.clear();
  ReceiveFrame("IFON", "lee/r/L/2/0");
  EXPECT_EQ(sink.events.at(0), "ResRoomInfo(r,lee)");
}

TEST_F(QuendelSessionTest, AFailureInAPageHandlerIsCaughtAndLoggedByTheMethodName) {
  CreateConnected();
  fakes::FakeTrafficLog failures;
  protocol::LogFailuresTo(&failures);
  sink.onEvent = [](const com::Event&) { throw std::runtime_error("script error"); };
  EXPECT_EQ(Call("ReqConnectServer"), com::S_OK);
  protocol::LogFailuresTo(nullptr);
  ASSERT_EQ(failures.lines.size(), 1u);
  EXPECT_EQ(failures.lines[0].first, "!!! ReqConnectServer failed: script error\r\n");
}

TEST_F(QuendelSessionTest, AFailedConnectIsReportedAsDown) {
  ASSERT_EQ(Create({{"AutoConnect", "TRUE"}}), com::S_OK);
  transport().AcceptConnect(111);
  Call("ReqRoomInfo", {"room1"});
  EXPECT_EQ(sink.events, Strings{"ResConnectServer(false)"});
  EXPECT_EQ(SentFrames(), Strings{});
}

TEST_F(QuendelSessionTest, DestroyingTheControlClosesTheConnectionWithoutAnEvent) {
  auto ctrl2 = std::make_unique<CQuendelCtrl>(QuendelPorts{platformInfo, boxes, shell, transports, views, ""});
  ctrl2->Advise(sink);
  ctrl2->Load({{"AutoConnect", "TRUE"}});
  ctrl2->SetClientSite(&site);
  site.browser.cookie = "blvsession_eid=S";
  ASSERT_EQ(ctrl2->CreateControlWindow(nullptr), com::S_OK);
  transport().AcceptConnect();
  EXPECT_EQ(Module().recentLogicWindow, &ctrl2->MainDialog());
  ctrl2.reset();
  EXPECT_TRUE(transport().closed());
  EXPECT_EQ(sink.events, Strings{"ResConnectServer(true)"});
  EXPECT_EQ(Module().recentLogicWindow, nullptr);
}

TEST_F(QuendelSessionTest, DebugLogShowsTrafficInBothDirections) {
  CreateConnected({{"AutoConnect", "TRUE"}, {"Debug", "true"}});
  Call("ReqRoomInfo", {"r"});
  const std::string frame = protocol::MakeFrame("IFON", "kim/r/K/1/0");
  transport().Deliver(frame);
  const std::string sent = protocol::EncodeMessage(protocol::MakeMessage("ASIF", "0/r"));
  EXPECT_EQ(views.last->log, ">>> " + sent + "\r\n\r\n<<< " + frame + "\r\n");
  EXPECT_GT(views.last->scrolls, 0);
}

TEST_F(QuendelSessionTest, DebugLogStaysBounded) {
  CreateConnected({{"AutoConnect", "TRUE"}, {"Debug", "true"}});
  for (int i = 0; i < 2000; ++i) transport().Deliver(protocol::MakeFrame("IFON", std::string(60, 'x')));
  EXPECT_LE(views.last->log.size(), kMaxLogBytes);
  EXPECT_EQ(views.last->log.rfind("<<< IFON", 0), 0u) << "whole lines are dropped from the front";
}

TEST_F(QuendelSessionTest, WithoutDebugNothingIsLogged) {
  CreateConnected();
  Call("ReqRoomInfo", {"r"});
  transport().Deliver(protocol::MakeFrame("IFON", "kim/r/K/1/0"));
  EXPECT_EQ(views.last->log, "");
}

TEST_F(QuendelSessionTest, FirstDrawingPlacesTheWindowAndLaterOnesLeaveIt) {
  CreateConnected();
  ctrl.Draw({10, 20, 300, 100});
  ctrl.Draw({0, 0, 50, 50});
  ASSERT_EQ(views.last->moves.size(), 1u);
  EXPECT_EQ(views.last->moves[0].x, 10);
  EXPECT_EQ(views.last->moves[0].width, 300);
  views.listener->OnSize(300, 100);
  EXPECT_EQ(views.last->logBox.width, 300);
  EXPECT_EQ(views.last->logBox.x, 0);
}

TEST_F(QuendelSessionTest, RequestsAreIgnoredWithoutTheLogicWindow) {
  const std::pair<const char*, std::optional<std::string>> pages[] = {{"NoCookie", "a=1"}, {"NoDocument", std::nullopt}};
  for (const auto& [name, cookie] : pages) {
    CQuendelCtrl c{QuendelPorts{platformInfo, boxes, shell, transports, views, ""}};
    c.Load({{"AutoConnect", "TRUE"}});
    site.browser.cookie = cookie;
    c.SetClientSite(&site);
    ASSERT_EQ(c.CreateControlWindow(nullptr), com::S_OK) << name;
    EXPECT_FALSE(c.HasLogicWindow()) << name;
    for (com::DispId id = 1; id <= 5; ++id) EXPECT_EQ(c.Invoke(id, std::vector<std::string>(id >= 3)), com::S_OK);
  }
  EXPECT_EQ(transports.count(), 0u);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(QuendelSessionTest, AWindowThatCannotBeMadeLeavesTheControlWithoutLogic) {
  views.fail = true;
  EXPECT_EQ(Create({{"AutoConnect", "TRUE"}}), com::S_OK);
  EXPECT_FALSE(ctrl.HasLogicWindow());
  EXPECT_EQ(transports.count(), 0u);
}

TEST_F(QuendelSessionTest, NoHostingBrowserMeansNoLogic) {
  site.hasBrowser = false;
  EXPECT_EQ(Create({{"AutoConnect", "TRUE"}}), com::S_OK);
  EXPECT_FALSE(ctrl.HasLogicWindow());
}

}  // namespace
}  // namespace orvinta::quendel::testing
