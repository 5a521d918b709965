// Invitations, expulsion votes and ignore notices between real main windows
// (their logic with in-memory pages and popups) through the real server.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "client/window/orvinta_dlg.h"
#include "platform/cp949.h"
#include "platform/qt/qt_timers.h"
#include "platform/qt/qt_transport.h"
#include "tests/fakes/fake_chat_window.h"
#include "tests/fakes/fake_html_view.h"
#include "tests/fakes/fake_ports.h"
#include "tests/fakes/fake_prompt_port.h"
#include "tests/fakes/fake_shell.h"
#include "tests/fakes/fake_window_host.h"
#include "tests/integration/server_process.h"

namespace orvinta::integration {
namespace {

using platform::FromLocalText;

// One user's main window: real sockets and timers, recorded pages and popups.
struct Member {
  Member(std::string id, const char* nick, const std::string& server) {
    settings.UserId = std::move(id);
    settings.Nick = FromLocalText(nick);
    settings.SessionKey = "session";
    settings.IconNo = "1001";
    settings.ServerAddress = server;
    dlg = std::make_unique<window::COrvintaDlg>(
        settings, window::WindowPorts{.host = host,
                                      .views = views,
                                      .timers = timers,
                                      .boxes = boxes,
                                      .sound = sound,
                                      .shell = shell,
                                      .transports = transports,
                                      .notifier = &popups});
    dlg->OnInitDialog();
  }
  bool LogIn() {
    dlg->OnBnClickedButConnect();
    return WaitFor([&] { return dlg->Flags().loggedIn; });
  }
  // As a second launch hands a room over: with a peer, a 1:1 launch that invites.
  void Launch(const std::string& key, const std::string& peerId = "", const std::string& peerNick = "") {
    dlg->OnCopyData({platform::kHandOverId, settings.UserId + "\n" + key + "\n" + FromLocalText("방") + "\n" +
                                                peerId + "\n" + peerNick + std::string(1, '\0')});
  }
  window::Channel* Room(const std::string& channel) { return dlg->Channels().FindByName(channel); }
  std::size_t Count(const std::string& channel) { return Room(channel) ? dlg->MemberCount(channel) : 0; }
  // The transcript of a room, as its element reads back.
  std::string Lines(const std::string& channel) {
    window::Channel* room = Room(channel);
    return room ? room->view->LinesHtml() : std::string();
  }
  bool Shows(const std::string& channel, const char* text) {
    return Lines(channel).find(FromLocalText(text)) != std::string::npos;
  }
  bool PromptCount(std::size_t n) { return WaitFor([&] { return popups.prompts.size() == n; }); }

  LaunchSettings settings;
  fakes::FakeWindowHost host;
  fakes::FakeHtmlViewFactory views;
  platform::qt::QtTimers timers;
  fakes::FakeMessageBoxes boxes;
  fakes::FakeSound sound;
  fakes::FakeShell shell;
  platform::qt::QtTransportFactory transports;
  fakes::FakePromptPort popups;
  std::unique_ptr<window::COrvintaDlg> dlg;
};

class PromptsIntegrationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server.started());
    ASSERT_TRUE(alice.LogIn() && bob.LogIn() && carol.LogIn());
    for (Member* m : {&alice, &bob, &carol}) m->Launch("room");
    ASSERT_TRUE(WaitFor([&] { return alice.Count("#room") == 3 && bob.Count("#room") == 3 && carol.Count("#room") == 3; }));
  }

  ServerProcess server;
  Member alice{"alice", "앨리스", server.address()};
  Member bob{"bob", "밥", server.address()};
  Member carol{"carol", "캐롤", server.address()};
};

TEST_F(PromptsIntegrationTest, AVoteKeepsThenExpels) {
  // Kept: one for, one against, of three.
  alice.dlg->Prompts().RequestExpulsion("bob", FromLocalText("밥"));
  ASSERT_TRUE(alice.PromptCount(1) && carol.PromptCount(1));
  EXPECT_TRUE(bob.popups.prompts.empty()) << "the target does not vote";
  EXPECT_TRUE(bob.Shows("#room", "밥님의 강제 추방이 진행중입니다"));
  alice.popups.Answer(0, true);
  carol.popups.Answer(0, false);
  ASSERT_TRUE(WaitFor([&] { return bob.Shows("#room", "[찬성] : 1 명 &nbsp;&nbsp;&nbsp; [반대] : 1 명"); }));
  EXPECT_TRUE(bob.popups.notices.empty());
  EXPECT_EQ(bob.Count("#room"), 3u);
  EXPECT_EQ(alice.Room("#room")->voteRequested, 0);

  // Expelled: two for, of three.
  bob.dlg->Prompts().RequestExpulsion("carol", FromLocalText("캐롤"));
  ASSERT_TRUE(alice.PromptCount(2) && bob.PromptCount(1));
  alice.popups.Answer(1, true);
  bob.popups.Answer(0, true);
  ASSERT_TRUE(WaitFor([&] { return carol.popups.notices.size() == 1; }));
  EXPECT_EQ(carol.popups.notices[0], FromLocalText("강제추방 당하셨습니다\n강퇴는 과반수 이상 동의하면\n 자동으로 이루어집니다."));
  EXPECT_TRUE(WaitFor([&] { return carol.Room("#room") == nullptr && alice.Count("#room") == 2; }));
  EXPECT_TRUE(alice.Shows("#room", "[찬성] : 2 명"));
}

TEST_F(PromptsIntegrationTest, InvitationsAcceptedAndRefused) {
  const std::string withBob = "#Pchatalice^bob", withCarol = "#Pchatalice^carol";
  alice.Launch("Pchatalice^bob", "bob", FromLocalText("밥"));
  ASSERT_TRUE(bob.PromptCount(1));
  EXPECT_TRUE(alice.settings.InvitePending);
  EXPECT_EQ(bob.popups.prompts[0].data[4], withBob);
  bob.popups.Answer(0, true);
  ASSERT_TRUE(WaitFor([&] { return alice.Count(withBob) == 2 && bob.Count(withBob) == 2; }));
  EXPECT_FALSE(alice.settings.InvitePending);
  EXPECT_EQ(bob.Room(withBob)->title, FromLocalText("앨리스님과의 1:1 대화방입니다"));

  alice.Launch("Pchatalice^carol", "carol", FromLocalText("캐롤"));
  ASSERT_TRUE(carol.PromptCount(1));
  carol.popups.Answer(0, false);
  ASSERT_TRUE(WaitFor([&] { return alice.Shows(withCarol, "▷ 캐롤님이 대화 참여를 거부하였습니다 ◁"); }));
  EXPECT_FALSE(alice.settings.InvitePending);
  EXPECT_EQ(carol.Room(withCarol), nullptr);
}

TEST_F(PromptsIntegrationTest, AnIgnoreNoticeReachesTheIgnoredMemberUnlessHeIgnoresBack) {
  // A bare session stands in for the member menu's "메세지 무시".
  LaunchSettings daveSettings;
  daveSettings.UserId = "dave";
  daveSettings.Nick = FromLocalText("데이브");
  daveSettings.SessionKey = "session";
  daveSettings.IconNo = "1001";
  daveSettings.ServerAddress = server.address();
  fakes::FakeChatWindow daveWindow;
  platform::qt::QtTransportFactory daveTransports;
  fakes::FakeMessageBoxes daveBoxes;
  protocol::CZupChatMain dave{daveWindow, daveSettings, {daveTransports, daveBoxes, nullptr}};
  dave.Connect();
  ASSERT_TRUE(WaitFor([&] { return daveWindow.loggedIn; }));
  dave.SendChatIn("room");
  ASSERT_TRUE(WaitFor([&] { return alice.Count("#room") == 4; }));

  dave.SendIgnore("room", "alice");
  ASSERT_TRUE(WaitFor([&] { return alice.Shows("#room", "▷ 데이브님이 메세지 수신을 거부하였습니다 ◁"); }));
  // Ignored back: neither his lines nor his notices are shown.
  alice.dlg->Prompts().AddIgnore("#room", "dave");
  dave.SendIgnore("room", "alice");
  dave.SendToAll("room", "B|000000|9|x|FFFFFF|0|dave|ignored-line");
  ASSERT_TRUE(WaitFor([&] { return bob.Lines("#room").find("ignored-line") != std::string::npos; }));
  const std::string lines = alice.Lines("#room");
  EXPECT_EQ(lines.find("ignored-line"), std::string::npos);
  const std::string notice = FromLocalText("메세지 수신을 거부하였습니다");
  EXPECT_EQ(lines.find(notice), lines.rfind(notice)) << "one notice only";
}

}  // namespace
}  // namespace orvinta::integration
