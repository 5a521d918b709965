// Start-up timers, the login watchdog, the hand-over from a second launch,
// the invitation timer, and closing the window.
#include "tests/window/window_fixture.h"

namespace orvinta::window {
namespace {

using platform::BoxAnswer;
using platform::CopyData;

CopyData HandOver(const std::string& text) { return CopyData{StartupAndTimers::kHandOver, text + std::string(1, '\0')}; }

class StartupTest : public WindowTest {
 protected:
  void SetUp() override { Create(); }
};

TEST_F(StartupTest, ConnectsAtOnceAndHandOversWaitForTheLoginAndTheLaunchLock) {
  settings.AutoEnter = true;
  settings.RoomKey = "own";
  dlg->StartStartupTimers();
  EXPECT_TRUE(dlg->Flags().launchLock);
  ASSERT_EQ(transports.count(), 1u);
  EXPECT_EQ(transport().host(), "127.0.0.1");
  EXPECT_EQ(transport().port(), 7000);
  dlg->OnCopyData(HandOver("alice\nroom1\n방\n\n"));
  EXPECT_EQ(host.flashes, 0);  // held until the login
  EXPECT_EQ(settings.RoomKey, "own");
  transport().AcceptConnect();
  transport().ClearSent();
  ReceiveFrame("USRP", "");  // logged in while the launch lock is still on
  EXPECT_EQ(SentFrames(), (std::vector<std::string>{"HIST:1", "CHIN:alice/own"}));
  timers.Advance(600);
  EXPECT_FALSE(dlg->Flags().launchLock);
  EXPECT_FALSE(timers.IsRunning(StartupAndTimers::kStartTimer));
  dlg->OnCopyData(HandOver("alice\nroom2\n방\n\n"));
  // The launch's own room first, then the rooms handed over, in order.
  EXPECT_EQ(SentFrames(), (std::vector<std::string>{"HIST:1", "CHIN:alice/own", "CHIN:alice/room1", "CHIN:alice/room2"}));
}

TEST_F(StartupTest, WatchdogEndsTheProgramWithoutALogin) {
  dlg->StartStartupTimers();
  timers.Advance(600);
  transport().AcceptConnect();
  timers.Advance(7399);
  EXPECT_EQ(host.closes, 0);
  timers.Advance(1);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "서버에 접속할 수 없습니다.");
  EXPECT_EQ(boxes.shown[0].caption, "벨보 미렐");
  EXPECT_EQ(host.closes, 1);
  EXPECT_EQ(config.saves, 1);
  EXPECT_TRUE(transport().closed());
  EXPECT_FALSE(dlg->IsConnected());
}

// A first login refused for the moment is tried again past the watchdog's
// 8 s, said on the title line; only what is final ends the client, with its box.
struct FirstLoginCase {
  const char* name;
  std::vector<std::string> refusals;  // one "SYST" body per attempt
  std::size_t attempts;               // connections made in all
  bool answered;                      // the attempt after them gets "USRP" (else nothing in 10 s)
  const char* box = "";               // the final box, if any
};
class FirstLoginTest : public StartupTest, public ::testing::WithParamInterface<FirstLoginCase> {};

TEST_P(FirstLoginTest, IsTriedAgainUntilItGetsInOrSomethingFinalComes) {
  const FirstLoginCase& c = GetParam();
  dlg->StartStartupTimers();
  for (const std::string& body : c.refusals) {
    transport().AcceptConnect();
    ReceiveFrame("SYST", body);
    if (boxes.shown.empty()) EXPECT_EQ(host.title, "지금은 서버에 접속할 수 없어 잠시 후 다시 접속합니다…");
    timers.Advance(40000);  // past the longest wait
  }
  ASSERT_EQ(transports.count(), c.attempts);
  if (c.attempts > c.refusals.size()) {
    transport().AcceptConnect();
    if (c.answered) ReceiveFrame("USRP", "");
    timers.Advance(10000);
  }
  EXPECT_EQ(dlg->Flags().loggedIn, *c.box == '\0');
  EXPECT_EQ(host.closes, *c.box == '\0' ? 0 : 1);
  ASSERT_EQ(boxes.shown.size(), *c.box == '\0' ? 0u : 1u);
  if (*c.box != '\0') EXPECT_EQ(boxes.shown[0].text, c.box);
  if (*c.box == '\0') EXPECT_EQ(host.title, "오르빈타 대기실입니다");
}

const std::string kOld = "2/alice";
INSTANTIATE_TEST_SUITE_P(
    Refusals, FirstLoginTest,
    ::testing::Values(
        FirstLoginCase{"FullServerWaitedOut", {"12/", "12/", "12/"}, 4, true},
        FirstLoginCase{"OldSessionLetGo", {kOld, kOld}, 3, true},
        FirstLoginCase{"LiveElsewhereAfterSixAttempts", {kOld, kOld, kOld, kOld, kOld, kOld}, 6, false,
                       "alice님은 이미 오르빈타을 사용 중입니다\n\n비정상적인 종료의 경우 잠시후 다시 접속해주세요  "},
        FirstLoginCase{"RetryNeverAnswered", {"12/"}, 2, false, "서버에 접속할 수 없습니다."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartupTest, WatchdogIsQuietAfterTheLogin) {
  StartAndLogin();
  timers.Advance(10000);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(host.closes, 0);
  EXPECT_TRUE(dlg->Flags().loggedIn);
}

TEST_F(StartupTest, LostConnectionClearsBothFlags) {
  StartAndLogin();
  dlg->SetConnectStatus(false);
  EXPECT_FALSE(dlg->IsConnected());
  EXPECT_FALSE(dlg->Flags().loggedIn);
}

TEST_F(StartupTest, EndButtonWithOnlyTheWaitingRoomEndsWithoutAsking) {
  StartAndLogin();
  dlg->OnBnClickedButConnect();
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(host.closes, 1);
  EXPECT_TRUE(transport().closed());
}

TEST_F(StartupTest, EndButtonInTheWaitingRoomAsksWhenRoomsAreOpen) {
  StartAndLogin();
  OpenRoom("a");
  dlg->BringChannelToFront("오르빈타 홈");
  boxes.answers = {BoxAnswer::No};
  dlg->OnBnClickedButConnect();
  EXPECT_EQ(boxes.shown.back().text, "모든 오르빈타을 종료하시겠습니까?  ");
  EXPECT_EQ(host.closes, 0);
  boxes.answers = {BoxAnswer::Yes};
  dlg->OnBnClickedButConnect();
  EXPECT_EQ(host.closes, 1);
  EXPECT_EQ(host.TabCount(), 1);  // every room tab closed on the way out
}

TEST_F(StartupTest, EndButtonInARoomLeavesThatRoom) {
  StartAndLogin();
  OpenRoom("a");
  boxes.answers = {BoxAnswer::Yes};
  dlg->OnBnClickedButConnect();
  EXPECT_EQ(SentFrames(), std::vector<std::string>{"CHOT:alice/a"});
  EXPECT_EQ(host.closes, 0);
}

struct HandOverCase {
  const char* name;
  std::string text;
  bool roomOpen;                     // "#room1" open before
  std::vector<std::string> frames;  // what goes to the server
  bool flashes;
  bool invitePending;
};

class HandOverTest : public StartupTest, public ::testing::WithParamInterface<HandOverCase> {};

TEST_P(HandOverTest, ActsAsTheLaunchAsks) {
  StartAndLogin();
  if (GetParam().roomOpen) {
    OpenRoom("room1");
    dlg->BringChannelToFront("오르빈타 홈");
  }
  transport().ClearSent();
  dlg->OnCopyData(HandOver(GetParam().text));
  std::vector<std::string> commands;
  for (const auto& f : SentFrames()) commands.push_back(f);
  EXPECT_EQ(commands, GetParam().frames);
  EXPECT_EQ(host.flashes > 0, GetParam().flashes);
  EXPECT_EQ(settings.InvitePending, GetParam().invitePending);
  EXPECT_EQ(timers.IsRunning(PromptsAndVotes::kInviteTimer), GetParam().invitePending);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HandOverTest,
    ::testing::Values(
        HandOverCase{"OtherUserIsIgnored", "mallory\nroom1\n방\n\n", false, {}, false, false},
        HandOverCase{"EntersANewRoom", " alice \n room1 \n방\n\n", false, {"CHIN:alice/room1"}, true, false},
        HandOverCase{"OpenRoomIsOnlySelected", "alice\nroom1\n방\n\n", true, {}, true, false},
        HandOverCase{"InvitesThePeer", "alice\nroom1\n방\nbob\n밥", false,
                     {"CHIN:alice/room1", "INVT:alice/bob/Pchatalice^bob/앨리스"}, true, true},
        HandOverCase{"PeerIsSelf", "alice\nroom1\n방\nalice\n앨리스", false, {}, true, false},
        HandOverCase{"NoRoomKeyEntersNothing", "alice\n\n방\n\n", false, {}, true, false},
        HandOverCase{"KeyThatWouldSplitTheFrame", "alice\nroom/x\n방\nbob\n밥", false, {}, true, false},
        HandOverCase{"EmptyText", "", false, {}, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartupTest, HandOverSelectsTheOpenRoomAndKeepsTitle) {
  StartAndLogin();
  OpenRoom("room1");
  OpenRoom("room2");
  dlg->OnCopyData(HandOver("alice\nroom1\n새|방\n\n"));
  EXPECT_EQ(dlg->Channels().Current()->name, "#room1");
  EXPECT_EQ(settings.RoomKey, "room1");
  EXPECT_EQ(settings.RoomTitle, "새방");
}

TEST_F(StartupTest, InvitationTimerClearsThePendingMarkAfter15s) {
  StartAndLogin();
  dlg->OnCopyData(HandOver("alice\nroom1\n방\nbob\n밥"));
  timers.Advance(14999);
  EXPECT_TRUE(settings.InvitePending);
  timers.Advance(1);
  EXPECT_FALSE(settings.InvitePending);
  EXPECT_FALSE(timers.IsRunning(PromptsAndVotes::kInviteTimer));
}

TEST_F(StartupTest, PeerArrivingStopsTheInvitationTimer) {
  StartAndLogin();
  dlg->OnCopyData(HandOver("alice\nPchatalice^bob\n방\nbob\n밥"));
  ASSERT_TRUE(timers.IsRunning(PromptsAndVotes::kInviteTimer));
  ReceiveFrame("CHIN", "bob/Pchatalice^bob/밥/1001");
  EXPECT_FALSE(timers.IsRunning(PromptsAndVotes::kInviteTimer));
  EXPECT_FALSE(settings.InvitePending);
}

TEST_F(StartupTest, CloseCommandAsksWhenRoomsAreOpen) {
  EXPECT_TRUE(dlg->OnSysCommand(COrvintaDlg::SysCommand::Minimize));
  EXPECT_TRUE(dlg->Tabs().IsMinimised());
  EXPECT_TRUE(dlg->OnSysCommand(COrvintaDlg::SysCommand::Restore));
  EXPECT_FALSE(dlg->Tabs().IsMinimised());
  OpenRoom("a");
  boxes.answers = {BoxAnswer::No};
  EXPECT_FALSE(dlg->OnSysCommand(COrvintaDlg::SysCommand::Close));
  EXPECT_EQ(host.closes, 0);
  boxes.answers = {BoxAnswer::Yes};
  EXPECT_TRUE(dlg->OnSysCommand(COrvintaDlg::SysCommand::Close));
  EXPECT_EQ(host.closes, 1);
  EXPECT_EQ(config.saves, 1);
  EXPECT_EQ(config.stored.WindowWidth, host.rect.width);
  dlg->OnClose();
  EXPECT_EQ(host.closes, 1);  // once only
}

TEST_F(StartupTest, CloseLeavesTheSelectedRoomWhileConnected) {
  StartAndLogin();
  OpenRoom("a");
  dlg->OnClose();
  EXPECT_EQ(SentFrames(), std::vector<std::string>{"CHOT:alice/a"});
}

}  // namespace
}  // namespace orvinta::window
