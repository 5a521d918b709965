// Member lists, the member-list pane and the user's own status.
#include "tests/window/window_fixture.h"

namespace orvinta::window {
namespace {

class MembersTest : public WindowTest {
 protected:
  void SetUp() override { StartAndLogin(); }
  void Join(std::string_view channel, std::string_view id, std::string_view nick, std::string_view icon = "0") {
    dlg->NewNick(channel, id, 0);
    dlg->SetMemberDetails(channel, id, nick, icon, "0");
  }
  // The pane's rows as they show once the list has been redrawn.
  std::string List() {
    timers.Advance(MemberLists::kBusyRedrawDelayMs);
    return UserView().Text();
  }
  std::string Count() {
    timers.Advance(MemberLists::kBusyRedrawDelayMs);
    return std::to_string(UserView().count);
  }
};

TEST_F(MembersTest, SameIdTwiceIsOneMemberAndPrefixMarksAreKept) {
  OpenRoom("a");
  dlg->NewNick("#a", "@bob", 0);
  dlg->NewNick("#a", "bob", 0);
  dlg->NewNick("#a", "+bob", 0);
  ASSERT_EQ(dlg->MemberCount("#a"), 1u);
  const Member* bob = dlg->Channels().FindMember("#a", "bob");
  ASSERT_NE(bob, nullptr);
  EXPECT_EQ(bob->prefixMarks[3], "@");
  EXPECT_EQ(dlg->FindNickByName("#a", "bob"), std::optional<std::string>(""));
  EXPECT_EQ(dlg->FindNickByName("#a", "nobody"), std::nullopt);
  dlg->NewNick("#missing", "bob", 0);
  EXPECT_EQ(dlg->MemberCount("#missing"), 0u);
}

TEST_F(MembersTest, MembersWithoutNickAreNeitherListedNorCounted) {
  OpenRoom("a");
  dlg->NewNick("#a", "bob", 0);
  dlg->SetMemberStatus("#a", "bob", "2");
  EXPECT_EQ(Count(), "0");
  EXPECT_EQ(List(), "");
  dlg->SetMemberDetails("#a", "bob", "밥", "1234", "0");
  EXPECT_EQ(Count(), "1");
  EXPECT_EQ(List(), "밥(bob)\n");
  EXPECT_EQ(UserView().rows.at(0).iconAddress, portal.avatarBase + "34/12/1234.gif");
}

TEST_F(MembersTest, ListShowsIdsWithoutUnderscoresAndStatusPictures) {
  OpenRoom("a");
  Join("#a", "__12ab", "하나");
  Join("#a", "carol", "캐럴");
  dlg->SetMemberStatus("#a", "carol", "6");
  EXPECT_NE(dlg->Channels().FindMember("#a", "__12ab"), nullptr);
  EXPECT_EQ(List(), "하나(12ab)\n캐럴(carol) [6]\n");  // order of arrival
  EXPECT_EQ(UserView().rows.at(0).id, "__12ab");  // a click names the member as kept
  dlg->SetMemberStatus("#a", "carol", "7");
  EXPECT_EQ(List(), "하나(12ab)\n캐럴(carol)\n");
  EXPECT_EQ(Count(), "2");
}

TEST_F(MembersTest, LeavingMemberGetsALeaveLineAndLeavesTheList) {
  OpenRoom("a");
  Join("#a", "bob", "<밥>");
  dlg->RemoveNick("#a", "bob");
  EXPECT_EQ(List().find("bob"), std::string::npos);
  EXPECT_NE(ViewOf("#a").Inner().find("☆☆ &lt;밥&gt;님이 퇴장하셨습니다 ☆☆"), std::string::npos);
  dlg->RemoveNick("#a", "bob");  // gone already: nothing more
  EXPECT_EQ(Occurrences(ViewOf("#a").Inner(), "퇴장하셨습니다"), 1);
}

TEST_F(MembersTest, SwitchingShowsTheSelectedRoomsMembers) {
  OpenRoom("a");
  Join("#a", "bob", "밥");
  OpenRoom("b");
  Join("#b", "carol", "캐럴");
  EXPECT_EQ(List().find("밥"), std::string::npos);
  dlg->BringChannelToFront("#a");
  EXPECT_NE(List().find("밥"), std::string::npos);
  EXPECT_EQ(List().find("캐럴"), std::string::npos);
}

TEST_F(MembersTest, FreshPaneIsPlacedAndShowsTheListAtOnce) {
  Create();
  EXPECT_EQ(host.memberList, &dlg->Members().Pane().View());
  OpenRoom("a");
  EXPECT_TRUE(UserView().visible);
  Join("#a", "bob", "밥");
  Join("#a", "carol", "캐럴");
  EXPECT_EQ(List(), "밥(bob)\n캐럴(carol)\n");
  EXPECT_EQ(Count(), "2");
}

TEST_F(MembersTest, OwnStatusFromTheComboIsSentAndRemembered) {
  EnterRoom("a");
  transport().ClearSent();
  dlg->Members().OnCbnSelchangeComboStatus(3);
  EXPECT_EQ(SentFrames(), std::vector<std::string>{"IFAL:alice/a/3"});
  EXPECT_EQ(dlg->Channels().Current()->statusIndex, 3);
  EXPECT_EQ(dlg->Channels().FindMember("#a", "alice")->status, 3);
}

TEST_F(MembersTest, OwnStatusFromTheMenuIsShownInTheBox) {
  EnterRoom("a");
  transport().ClearSent();
  dlg->Members().OnStatusMenuCommand(32792);
  dlg->Members().OnStatusMenuCommand(32793);
  EXPECT_EQ(SentFrames(), std::vector<std::string>{"IFAL:alice/a/6"});
  EXPECT_EQ(dlg->Channels().Current()->statusIndex, 6);
  EXPECT_EQ(host.status, 6);
}

TEST_F(MembersTest, NoStatusIsSentFromTheWaitingRoomOrOutOfRange) {
  dlg->Members().OnCbnSelchangeComboStatus(2);
  OpenRoom("a");
  dlg->Members().OnCbnSelchangeComboStatus(7);
  dlg->Members().OnCbnSelchangeComboStatus(-1);
  transport().ClearSent();
  EXPECT_TRUE(SentFrames().empty());
}

TEST_F(MembersTest, OwnEntryUnderTheLoginIdGetsTheStatus) {
  settings.UserId = "a.lice";
  Create();
  StartAndLogin();
  EnterRoom("r");
  dlg->Members().OnCbnSelchangeComboStatus(5);
  EXPECT_EQ(dlg->Channels().FindMember("#r", "alice")->status, 5);
}

TEST_F(MembersTest, RoomDetailsGoBeforeTheDetailMarker) {
  auto& home = HomeView();
  home.FinishLoad("<SPAN ID=DETAIL><SPAN ID=DETAIL_MORE></SPAN></SPAN>");
  dlg->AddRoomDetailEntry("0|0|<밥>|1234");
  dlg->AddRoomDetailEntry("0|0|a|b|7");  // a "|" inside the nick stays with the nick
  EXPECT_EQ(home.Inner("DETAIL"),
            "<NOBR><IMG ALIGN=ABSMIDDLE WIDTH=13 HEIGHT=13 SRC=" + portal.avatarBase +
                "34/12/s_1234.gif> &lt;밥&gt;</NOBR>&nbsp;&nbsp;\n"
                "<NOBR><IMG ALIGN=ABSMIDDLE WIDTH=13 HEIGHT=13 SRC=" + portal.imageBase +
                "img/emot/emo/empty13_a.gif> a|b</NOBR>&nbsp;&nbsp;\n<SPAN ID=DETAIL_MORE></SPAN>");
}

}  // namespace
}  // namespace orvinta::window
