// Invitations, refusals, ignore notices and expulsion votes.
#include "tests/window/window_fixture.h"

namespace orvinta::window {
namespace {

using platform::CopyData;

class PromptsTest : public WindowTest {
 protected:
  void SetUp() override { StartAndLogin(); }
  void Answer(std::uint32_t id, const std::string& text) { dlg->OnCopyData(CopyData{id, text + std::string(1, '\0')}); }
  void RoomWith(std::string_view key, std::initializer_list<const char*> ids) {
    OpenRoom(key);
    LoadTranscript("#" + std::string(key));
    for (const char* id : ids) {
      dlg->NewNick("#" + std::string(key), id, 0);
      dlg->SetMemberDetails("#" + std::string(key), id, std::string(id) + "님", "0", "0");
    }
    transport().ClearSent();
  }
  std::string Lines(std::string_view channel) { return ViewOf(channel).Inner("CHAT_MAIN"); }
};

TEST_F(PromptsTest, InvitationShowsThePromptAndDeclineSendsOnlyTheRefusal) {
  ReceiveFrame("INVT", "bob/alice/Pchatalice^bob/<밥>");
  ASSERT_EQ(notifier.prompts.size(), 1u);
  EXPECT_EQ(notifier.prompts[0].kind, PromptKind::Invitation);
  EXPECT_EQ(notifier.prompts[0].text, "<밥>님이 초대했습니다.\n1:1 대화에 참여 하시려면\n참여 버튼을 누르세요");
  EXPECT_EQ(notifier.prompts[0].data[4], "#Pchatalice^bob");
  Answer(StartupAndTimers::kInviteAnswer, "FALSE|||bob|<밥>|#Pchatalice^bob");
  EXPECT_EQ(SentFrames(), std::vector<std::string>{"DNIV:alice/bob/앨리스"});
  EXPECT_EQ(host.TabCount(), 1);
}

TEST_F(PromptsTest, AcceptedInvitationEntersTheRoomNamedAfterTheInviter) {
  Answer(StartupAndTimers::kInviteAnswer, "true | | | bob | 밥 | #Pchatalice^bob ");
  EXPECT_EQ(SentFrames(), std::vector<std::string>{"CHIN:alice/Pchatalice^bob"});
  EXPECT_EQ(settings.RoomKey, "Pchatalice^bob");
  EXPECT_EQ(settings.RoomTitle, "밥님과의 1:1 대화방입니다");
  EXPECT_EQ(host.tabs.back().text, "밥님과의 1:1 대화방입니다");
}

TEST_F(PromptsTest, RefusalNoticeStopsTheInvitationTimer) {
  RoomWith("Pchatalice^bob", {});
  dlg->StartInviteTimer();
  settings.InvitePending = true;
  ReceiveFrame("DNIV", "bob/alice/<밥>");
  EXPECT_FALSE(timers.IsRunning(PromptsAndVotes::kInviteTimer));
  EXPECT_FALSE(settings.InvitePending);
  EXPECT_NE(Lines("#Pchatalice^bob").find("▷ &lt;밥&gt;님이 대화 참여를 거부하였습니다 ◁"), std::string::npos);
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
  EXPECT_EQ(notifier.prompts[0].data, (std::array<std::string, 5>{"bob", "bob님", "alice", "앨리스", "#a"}));
  EXPECT_EQ(Occurrences(Lines("#a"), "[찬성] 또는 [반대]를 선택하세요"), 1);
  EXPECT_NE(Lines("#a").find("<FONT COLOR='#FA8A12'>[찬성]"), std::string::npos);
  timers.Advance(15000);
  EXPECT_EQ(dlg->Channels().FindByName("#a")->voteRequested, 0);
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
}

TEST_F(PromptsTest, VoteAnswerIsSentOnlyWhileTheTargetIsThere) {
  RoomWith("a", {"bob", "carol"});
  Answer(StartupAndTimers::kVoteAnswer, "TRUE|bob|bob님|alice|앨리스|#a");
  dlg->RemoveNick("#a", "bob");
  Answer(StartupAndTimers::kVoteAnswer, "FALSE|bob|bob님|alice|앨리스|#a");
  EXPECT_EQ(SentFrames(), std::vector<std::string>{"VTBN:alice/a/bob/T"});
}

TEST_F(PromptsTest, UsersOwnRequestStartsAVote) {
  RoomWith("a", {"bob", "carol", "dave"});
  dlg->Prompts().RequestExpulsion("bob", "bob님");
  dlg->Prompts().RequestExpulsion("bob", "bob님");
  EXPECT_EQ(SentFrames(), std::vector<std::string>{"RQBN:alice/a/bob"});
  EXPECT_EQ(notifier.prompts.size(), 1u);
  EXPECT_TRUE(timers.IsRunning(PromptsAndVotes::kVoteTimer));
  ReceiveFrame("RSBN", "a/bob/3/0");
  EXPECT_EQ(dlg->Channels().FindByName("#a")->voteRequested, 0);
  EXPECT_NE(Lines("#a").find("[찬성] : 3 명"), std::string::npos);
}

TEST_F(PromptsTest, ExpulsionOfTheUserShowsTheNotice) {
  RoomWith("a", {"bob", "carol", "dave"});
  ReceiveFrame("RSBN", "a/alice/3/0");
  ASSERT_EQ(notifier.notices.size(), 1u);
  EXPECT_EQ(notifier.notices[0], "강제추방 당하셨습니다\n강퇴는 과반수 이상 동의하면\n 자동으로 이루어집니다.");
}

}  // namespace
}  // namespace orvinta::window
