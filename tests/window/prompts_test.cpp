// Invitations, refusals, ignore notices and expulsion votes.
#include <algorithm>
#include <functional>

#include "client/components/notifier/prompt_popups.h"
#include "tests/notifier/fake_notifier_surface.h"
#include "tests/window/window_fixture.h"

namespace orvinta::window {
namespace {

using platform::CopyData;
constexpr const char* kPrivate = "#Pchatalice^bob";

class PromptsTest : public WindowTest {
 protected:
  void SetUp() override { StartAndLogin(); }
  void RoomWith(std::string_view key, std::initializer_list<const char*> ids) {
    OpenRoom(key);
    ViewOf("#" + std::string(key));
    for (const char* id : ids) {
      dlg->NewNick("#" + std::string(key), id, 0);
      dlg->SetMemberDetails("#" + std::string(key), id, std::string(id) + "님", "0", "0");
    }
    transport().ClearSent();
  }
  std::string Lines(std::string_view channel) { return ViewOf(channel).Inner(); }
  int VoteFlag(std::string_view channel) { return dlg->Channels().FindByName(channel)->voteRequested; }
};

TEST_F(PromptsTest, InvitationShowsThePromptAndDeclineSendsOnlyTheRefusal) {
  ReceiveFrame("INVT", "bob/alice/Pchatalice^bob/<밥>");
  ASSERT_EQ(notifier.prompts.size(), 1u);
  EXPECT_EQ(notifier.prompts[0].kind, PromptKind::Invitation);
  EXPECT_EQ(notifier.prompts[0].text, "<밥>님이 초대했습니다.\n1:1 대화에 참여 하시려면\n참여 버튼을 누르세요");
  // The two pass-through strings stay empty.
  EXPECT_EQ(notifier.prompts[0].data, (PromptData{"", "", "bob", "<밥>", kPrivate}));
  notifier.Answer(0, false);
  EXPECT_EQ(SentFrames(), std::vector<std::string>{"DNIV:alice/bob/앨리스"});
  EXPECT_EQ(host.TabCount(), 1);
}

TEST_F(PromptsTest, AnInvitationFromNobodyIsIgnored) {
  ReceiveFrame("INVT", " /alice/Pchatalice^bob/밥");
  EXPECT_TRUE(notifier.prompts.empty());
}

TEST_F(PromptsTest, AcceptedInvitationEntersTheRoomNamedAfterTheInviter) {
  ReceiveFrame("INVT", "bob/alice/Pchatalice^bob/밥");
  notifier.Answer(0, true);
  EXPECT_EQ(SentFrames(), std::vector<std::string>{"CHIN:alice/Pchatalice^bob"});
  EXPECT_EQ(settings.RoomKey, "Pchatalice^bob");
  EXPECT_EQ(settings.RoomTitle, "밥님과의 1:1 대화방입니다");
  ReceiveFrame("CHIN", "alice/Pchatalice^bob/앨리스/1234");
  EXPECT_EQ(host.tabs.back().text, "밥님과의 1:1 대화방입니다");
}

// A "|" inside a nick once shifted the fields of the answer text.
TEST_F(PromptsTest, APipeInANickShiftsNoField) {
  ReceiveFrame("INVT", "bob/alice/Pchatalice^bob/x|#lobby");
  notifier.Answer(0, true);
  EXPECT_EQ(SentFrames(), std::vector<std::string>{"CHIN:alice/Pchatalice^bob"});
  EXPECT_EQ(settings.RoomTitle, "x|#lobby님과의 1:1 대화방입니다");

  settings.Nick = "a|b";
  RoomWith("a", {"bob", "carol"});
  dlg->NewNick("#a", "alice", 0);
  ReceiveFrame("RQBN", "carol/a/bob");
  ASSERT_EQ(notifier.prompts.size(), 2u);
  notifier.Answer(1, true);
  EXPECT_EQ(SentFrames(), std::vector<std::string>{"VTBN:alice/a/bob/T"});
}

TEST_F(PromptsTest, CopyDataFromOutsideCannotAnswerAPrompt) {
  RoomWith("a", {"bob", "carol"});
  for (std::uint32_t id : {0x505u, 0x506u}) {
    dlg->OnCopyData(CopyData{id, std::string("TRUE|bob|bob|alice|alice|#a\0", 28)});
    dlg->OnCopyData(CopyData{id, std::string("TRUE|||bob|bob|#Pchatalice^bob\0", 31)});
  }
  EXPECT_TRUE(SentFrames().empty());
}

// Every way an invitation the user sent stops waiting: timer 4, the refusal, the peer's arrival.
TEST_F(PromptsTest, InvitationTimerEndsEveryWay) {
  struct Case {
    const char* name;
    std::function<void()> end;
  };
  const Case cases[] = {
      {"expiry", [this] { timers.Advance(1000); }},
      {"refusal", [this] { ReceiveFrame("DNIV", "bob/alice/<밥>"); }},
      {"peer enters", [this] { ReceiveFrame("CHIN", "bob/Pchatalice^bob/밥/0"); }},
      {"peer listed", [this] { ReceiveFrame("IFON", "bob/Pchatalice^bob/밥/0/0"); }},
  };
  RoomWith("Pchatalice^bob", {});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dlg->RemoveNick(kPrivate, "bob");
    settings.InvitePending = true;
    dlg->StartInviteTimer();
    timers.Advance(14000);
    EXPECT_TRUE(settings.InvitePending);
    c.end();
    EXPECT_FALSE(timers.IsRunning(PromptsAndVotes::kInviteTimer));
    EXPECT_FALSE(settings.InvitePending);
  }
  EXPECT_NE(Lines(kPrivate).find("▷ &lt;밥&gt;님이 대화 참여를 거부하였습니다 ◁"), std::string::npos);
}

TEST_F(PromptsTest, IgnoreNoticeIsNotShownForAnIgnoredMember) {
  RoomWith("a", {"bob"});
  dlg->Prompts().AddIgnore("#a", "bob");
  ReceiveFrame("IGNR", "bob/a/alice/밥");
  EXPECT_EQ(Lines("#a").find("메세지 수신을 거부하였습니다"), std::string::npos);
  dlg->Prompts().RemoveIgnore("#a", "bob");
  ReceiveFrame("IGNR", "bob/a/alice/밥");
  EXPECT_NE(Lines("#a").find("▷ 밥님이 메세지 수신을 거부하였습니다 ◁"), std::string::npos);
}

TEST_F(PromptsTest, VoteNeedsThreeMembersAndRunsOncePerRoom) {
  RoomWith("a", {"bob"});
  dlg->NewNick("#a", "alice", 0);
  ReceiveFrame("RQBN", "alice/a/bob");
  EXPECT_TRUE(notifier.prompts.empty());  // two members only
  dlg->NewNick("#a", "carol", 0);
  ReceiveFrame("RQBN", "carol/a/bob");
  ReceiveFrame("RQBN", "carol/a/bob");
  ASSERT_EQ(notifier.prompts.size(), 1u);
  EXPECT_EQ(notifier.prompts[0].kind, PromptKind::Vote);
  EXPECT_EQ(notifier.prompts[0].data, (PromptData{"bob", "bob님", "alice", "앨리스", "#a"}));
  EXPECT_EQ(Occurrences(Lines("#a"), "[찬성] 또는 [반대]를 선택하세요"), 1);
  EXPECT_NE(Lines("#a").find("<FONT COLOR='#FA8A12'>[찬성]"), std::string::npos);
  timers.Advance(15000);
  EXPECT_EQ(VoteFlag("#a"), 0);
  ReceiveFrame("RQBN", "carol/a/bob");
  EXPECT_EQ(notifier.prompts.size(), 2u);
}

TEST_F(PromptsTest, TargetSeesTheAnnouncementButNoPrompt) {
  RoomWith("a", {"bob", "carol"});
  dlg->NewNick("#a", "alice", 0);
  ReceiveFrame("RQBN", "bob/a/alice");
  EXPECT_TRUE(notifier.prompts.empty());
  const Channel* a = dlg->Channels().FindByName("#a");
  EXPECT_EQ(a->voteActive, 1);
  EXPECT_EQ(a->voteTarget, "alice");
  EXPECT_NE(Lines("#a").find("강제 추방이 진행중입니다"), std::string::npos);
  EXPECT_EQ(Lines("#a").find("[찬성] 또는 [반대]"), std::string::npos);
  timers.Advance(15000);
  EXPECT_EQ(a->voteActive, 0);
}

TEST_F(PromptsTest, VoteAnswerIsSentOnlyWhileTheTargetIsThere) {
  RoomWith("a", {"alice", "bob", "carol"});
  ReceiveFrame("RQBN", "carol/a/bob");
  ReceiveFrame("RQBN", "carol/a/bob");  // the same vote again: no second prompt
  ASSERT_EQ(notifier.prompts.size(), 1u);
  notifier.Answer(0, true);
  dlg->RemoveNick("#a", "bob");
  notifier.Answer(0, false);
  EXPECT_EQ(SentFrames(), std::vector<std::string>{"VTBN:alice/a/bob/T"});
}

// Each room keeps its own 15 s, and a later vote never stretches an earlier one.
TEST_F(PromptsTest, OverlappingVotesInTwoRoomsEachEndOnTime) {
  RoomWith("a", {"alice", "bob", "carol"});
  RoomWith("b", {"alice", "bob", "carol"});
  ReceiveFrame("RQBN", "carol/a/bob");
  timers.Advance(5000);
  ReceiveFrame("RQBN", "carol/b/bob");
  timers.Advance(10000);
  EXPECT_EQ(VoteFlag("#a"), 0);
  EXPECT_EQ(VoteFlag("#b"), 1);
  timers.Advance(5000);
  EXPECT_EQ(VoteFlag("#b"), 0);
  EXPECT_FALSE(timers.IsRunning(PromptsAndVotes::kVoteTimer));
}

TEST_F(PromptsTest, NoVoteStartsBeyondTheBoundOfRunningVotes) {
  for (std::size_t i = 0; i <= PromptsAndVotes::kMaxRunningVotes; ++i) {
    const std::string key = "r" + std::to_string(i);
    OpenRoom(key);
    for (const char* id : {"alice", "bob", "carol"}) dlg->NewNick("#" + key, id, 0);
    ReceiveFrame("RQBN", "carol/" + key + "/bob");
  }
  const std::string last = "#r" + std::to_string(PromptsAndVotes::kMaxRunningVotes);
  EXPECT_EQ(VoteFlag(last), 0);  // no flag without a deadline to clear it
  EXPECT_EQ(notifier.prompts.size(), PromptsAndVotes::kMaxRunningVotes);
  timers.Advance(15000);
  EXPECT_EQ(VoteFlag("#r0"), 0);
}

TEST_F(PromptsTest, UsersOwnRequestStartsAVote) {
  RoomWith("a", {"bob", "carol", "dave"});
  dlg->Prompts().RequestExpulsion("bob", "bob님");
  dlg->Prompts().RequestExpulsion("bob", "bob님");
  EXPECT_EQ(SentFrames(), std::vector<std::string>{"RQBN:alice/a/bob"});
  EXPECT_EQ(notifier.prompts.size(), 1u);
  EXPECT_EQ(timers.PeriodOf(PromptsAndVotes::kVoteTimer), 15000);
  ReceiveFrame("RSBN", "a/bob/3/0");
  EXPECT_EQ(VoteFlag("#a"), 0);
  EXPECT_NE(Lines("#a").find("[찬성] : 3 명"), std::string::npos);
}

TEST_F(PromptsTest, ExpulsionOfTheUserShowsTheNotice) {
  RoomWith("a", {"bob", "carol", "dave"});
  ReceiveFrame("RSBN", "a/alice/3/0");
  ASSERT_EQ(notifier.notices.size(), 1u);
  EXPECT_EQ(notifier.notices[0], "강제추방 당하셨습니다\n강퇴는 과반수 이상 동의하면\n 자동으로 이루어집니다.");
}

TEST_F(PromptsTest, AWindowBeingDestroyedTakesNoMoreAnswers) {
  EXPECT_TRUE(notifier.HasHandler());
  dlg.reset();
  EXPECT_FALSE(notifier.HasHandler());
}

// The real popup queue behind the window: one invitation on screen, eight
// waiting, one more refused at once; in the end each inviter hears "no" once.
TEST_F(PromptsTest, AFloodOfInvitationsIsEachRefusedOnce) {
  components::FakeNotifierSurface surface;
  fakes::FakeTimers popupTimers;
  components::PromptPopups popups(surface, popupTimers);
  dlg.reset();
  dlg = std::make_unique<COrvintaDlg>(
      settings, WindowPorts{host, views, timers, boxes, sound, shell, transports, nullptr, &popups, &config, &input},
      portal);
  dlg->OnInitDialog();
  StartAndLogin();
  std::vector<std::string> refusals;
  for (int i = 0; i < 10; ++i) {
    ReceiveFrame("INVT", "m" + std::to_string(i) + "/alice/k/nick");
    refusals.push_back("DNIV:alice/m" + std::to_string(i) + "/앨리스");
  }
  EXPECT_EQ(popups.queued(), components::PromptPopups::kMaxQueued);
  EXPECT_EQ(SentFrames(), std::vector<std::string>{refusals.back()});
  popupTimers.Advance(60000);
  auto sent = SentFrames();
  std::sort(sent.begin(), sent.end());
  EXPECT_EQ(sent, refusals);
  dlg.reset();
}

}  // namespace
}  // namespace orvinta::window
