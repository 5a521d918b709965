// Room, member and moderation traffic in both directions.
#include "tests/protocol/session_fixture.h"

namespace orvinta::protocol {
namespace {

using Frames = std::vector<std::string>;

TEST_F(SessionTest, SendsCarryUserIdOrLoginIdAndDropTheChannelMark) {
  settings.UserId = "al.ice";
  ConnectAndLogin();
  session.SendChatIn("#abc");
  session.SendChatIn("abc");
  session.SendChatOut("#abc");
  session.SendToAll("#abc", "b|||||앨리스|hi / there");
  session.SendUserInfoToAll("#abc", 3);
  session.SendAskUserInfo("abc");
  EXPECT_EQ(SentFrames(), (Frames{"CHIN:al.ice/abc", "CHIN:al.ice/abc", "CHOT:alice/abc",
                                  "TALL:alice/abc/b|||||앨리스|hi / there", "IFAL:al.ice/abc/3", "ASIF:al.ice/abc"}));
}

TEST_F(SessionTest, EnteringShowsTheEntryAndListsTheUserAtOnce) {
  ConnectAndLogin();
  session.SendChatIn("abc");
  EXPECT_EQ(window.calls, (std::vector<std::string>{
                              "AddInfoLine(#abc,<BR><B>☆☆ 앨리스님이 입장하셨습니다 ☆☆</B><BR><BR>)",
                              "PlayEntrySound()", "NewNick(#abc,alice,0)", "SetMemberDetails(#abc,alice,앨리스,1001,0)"}));
}

TEST_F(SessionTest, LeavingRemovesTheChannel) {
  ConnectAndLogin();
  session.SendChatOut("abc");
  EXPECT_TRUE(window.Called("RemoveChannel(#abc)"));
}

TEST_F(SessionTest, OutgoingBodiesStayWithinTheServersArea) {
  ConnectAndLogin();
  session.SendToAll("abc", std::string(2000, 'x'));
  const auto frames = SentFrames();
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].size(), 5u + kMaxOutgoingBody);
}

TEST_F(SessionTest, IncomingRoomTraffic) {
  ConnectAndLogin();
  window.Open("#abc");
  ReceiveFrame("CHIN", "bob/abc/밥/1002");
  ReceiveFrame("TALL", "bob/abc/b|FF0000|9|1|FFFFFF|1002|밥|a/b/c");
  ReceiveFrame("IFAL", "bob/abc/3");
  ReceiveFrame("CHOT", "bob/abc");
  EXPECT_EQ(window.calls, (std::vector<std::string>{
                              "NewNick(#abc,bob,0)", "SetMemberDetails(#abc,bob,밥,1002,0)",
                              "AddInfoLine(#abc,<BR><B>☆☆ 밥님이 입장하셨습니다 ☆☆</B><BR><BR>)", "PlayEntrySound()",
                              "AddMessage(#abc,bob,b|FF0000|9|1|FFFFFF|1002|밥|a/b/c)", "SetMemberStatus(#abc,bob,3)",
                              "RemoveNick(#abc,bob)"}));
}

TEST_F(SessionTest, LeaveOfTheUserItselfClosesTheTab) {
  ConnectAndLogin();
  window.Open("#abc");
  ReceiveFrame("CHOT", "alice/abc");
  EXPECT_TRUE(window.Called("RemoveChannel(#abc)"));
  EXPECT_FALSE(window.IsChannelOpen("#abc"));
}

TEST_F(SessionTest, AwaitedPeerStopsTheInvitationTimer) {
  ConnectAndLogin();
  window.Open("#Pchatalice^bob");
  ReceiveFrame("CHIN", "carol/Pchatalice^bob/캐롤/1");
  EXPECT_EQ(window.Count("StopInviteTimer"), 0);
  ReceiveFrame("CHIN", "bob/Pchatalice^bob/밥/1");
  EXPECT_EQ(window.Count("StopInviteTimer"), 1);
  ReceiveFrame("IFON", "bob/Pchatalice^bob/밥/1/0");
  EXPECT_EQ(window.Count("StopInviteTimer"), 2);
}

TEST_F(SessionTest, MemberDetailsForAnOpenAndForAnotherRoom) {
  ConnectAndLogin();
  window.Open("#abc");
  ReceiveFrame("IFON", "bob/abc/밥/1002/4x");
  ReceiveFrame("IFON", "bob/abc/밥/1002/5");
  ReceiveFrame("IFON", "carol/elsewhere/캐롤/7/0");
  EXPECT_EQ(window.calls, (std::vector<std::string>{"NewNick(#abc,bob,0)", "SetMemberDetails(#abc,bob,밥,1002,4)",
                                                    "SetMemberDetails(#abc,bob,밥,1002,5)",
                                                    "AddRoomDetailEntry(0|0|캐롤|7)"}));
}

TEST_F(SessionTest, RoomInfoMarksAVoteOnlyForFlagT) {
  ConnectAndLogin();
  window.Open("#abc");
  ReceiveFrame("RMIF", "abc/F");
  ReceiveFrame("RMIF", "closed/T");
  EXPECT_TRUE(window.calls.empty());
  ReceiveFrame("RMIF", "abc/T");
  EXPECT_EQ(window.calls, std::vector<std::string>{"SetBanVoteRunning(#abc,1)"});
}

TEST_F(SessionTest, ModerationSends) {
  ConnectAndLogin();
  session.SendInvite("bob");
  session.SendDenyInvite("bob");
  session.SendIgnore("#abc", "bob");
  session.SendRequestBan("#abc", "bob");
  session.SendVoteBan("#abc", "bob", true);
  session.SendVoteBan("abc", "bob", false);
  EXPECT_EQ(SentFrames(), (Frames{"INVT:alice/bob/Pchatalice^bob/앨리스", "DNIV:alice/bob/앨리스",
                                  "IGNR:alice/abc/bob/앨리스", "RQBN:alice/abc/bob", "VTBN:alice/abc/bob/T",
                                  "VTBN:alice/abc/bob/F"}));
}

TEST_F(SessionTest, InvitationsAndRefusalsNameThePrivateChannel) {
  ConnectAndLogin();
  ReceiveFrame("INVT", "aaron/alice/Pchataaron^alice/애런");
  ReceiveFrame("DNIV", "zed/alice/제드");
  ReceiveFrame("IGNR", "bob/abc/alice/밥");
  EXPECT_EQ(window.calls,
            (std::vector<std::string>{"ShowInvitation(#Pchataaron^alice,aaron,애런)",
                                      "ShowInviteRefused(#Pchatalice^zed,zed,제드)", "ShowIgnoreNotice(#abc,bob,밥)"}));
}

TEST_F(SessionTest, BanRequestLooksUpBothNicks) {
  ConnectAndLogin();
  window.members["#abc"] = {{"bob", "밥"}};
  ReceiveFrame("RQBN", "bob/abc/carol");
  EXPECT_EQ(window.calls, std::vector<std::string>{"ShowVotePrompt(#abc,carol,carol,밥)"});
}

struct BanResultCase {
  std::string name;
  std::string body;
  bool expelled;
};

class BanResultTest : public SessionTest, public ::testing::WithParamInterface<BanResultCase> {};

TEST_P(BanResultTest, ExpelsOnlyOnAMajority) {
  ConnectAndLogin();
  window.members["#abc"] = {{"alice", "앨리스"}, {"bob", "밥"}, {"carol", "캐롤"}, {"dave", "데이브"}};
  ReceiveFrame("RSBN", GetParam().body);
  EXPECT_TRUE(window.Called("SetBanVoteRunning(#abc,0)"));
  EXPECT_EQ(window.Count("ShowExpelledNotice"), GetParam().expelled ? 1 : 0);
  EXPECT_EQ(window.Count("AddInfoLine"), GetParam().expelled ? 0 : 2);
}

INSTANTIATE_TEST_SUITE_P(Votes, BanResultTest,
                         ::testing::Values(BanResultCase{"OtherMember", "abc/bob/4/0", false},
                                           BanResultCase{"UserAtExactlyHalf", "abc/alice/2/2", false},
                                           BanResultCase{"UserByMajority", "abc/alice/3/1", true}),
                         [](const auto& info) { return info.param.name; });

TEST_F(SessionTest, BanResultLinesShowTheNickAndTheCounts) {
  ConnectAndLogin();
  window.members["#abc"] = {{"bob", "밥"}};
  ReceiveFrame("RSBN", "abc/bob/1/2");
  EXPECT_EQ(window.calls,
            (std::vector<std::string>{"SetBanVoteRunning(#abc,0)",
                                      "AddInfoLine(#abc,<BR><B>▷▶ 밥님 강제 추방 투표 결과입니다 ◀◁</B><BR>)",
                                      "AddInfoLine(#abc,[찬성] : 1 명 &nbsp;&nbsp;&nbsp; [반대] : 2 명<BR><BR>)"}));
}

}  // namespace
}  // namespace orvinta::protocol
