// The launch text of the chat client and the 1:1 room key.
#include "tests/webcontrol/control_fixture.h"
#include "webcontrol/client_launch.h"

namespace orvinta::quendel::testing {
namespace {

QuendelSettings UserSettings(std::string userId) {
  QuendelSettings s;
  s.ServerAddr = "chat.example:11900";
  s.UserSession = "sess";
  s.UserID = std::move(userId);
  s.UserNick = "철수";
  s.UserIcon = 1234;
  s.Debug = true;
  return s;
}

TEST(QuendelLaunch, PrivateRoomKeyLowersThePeerOnlyAndOrdersTheIds) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"kim", "Lee", "Pchatkim^lee"},
      {"lee", "kim", "Pchatkim^lee"},
      {"", "Lee", "Pchat^lee"},
      {"Kim", "kim", "PchatKim^kim"},  // "K" sorts before "k"
      {"kim", " KIM ", "Pchatkim^kim"},
  };
  for (const auto& [own, peer, key] : cases) {
    EXPECT_EQ(PrivateLaunchFields(UserSettings(own), "", peer, "x", "")[6], key) << own << "/" << peer;
  }
}

TEST(QuendelLaunch, GroupRoomTextHasTwelveLinesInOrder) {
  const std::string text =
      JoinLaunchFields(RoomLaunchFields(UserSettings("kim"), "TOKEN", " room1 ", "방 제목", " true "));
  EXPECT_EQ(text, "TRUE\nchat.example:11900\nsess\nkim\n철수\n1234\n room1 \n방 제목\nTRUE\n\n\nTOKEN");
}

TEST(QuendelLaunch, PrivateRoomTextNamesThePeer) {
  QuendelSettings s = UserSettings("kim");
  s.Debug = false;
  const std::string text = JoinLaunchFields(PrivateLaunchFields(s, "", " Lee ", " 영희 ", "false"));
  EXPECT_EQ(text,
            "FALSE\nchat.example:11900\nsess\nkim\n철수\n1234\nPchatkim^lee\n영희님과의 1:1 대화방입니다\nFALSE\nlee\n영희\n");
}

TEST(QuendelLaunch, LineBreaksInsideAFieldCannotShiftTheFieldsAfterIt) {
  const std::string text =
      JoinLaunchFields(RoomLaunchFields(UserSettings("kim"), "", "room\n1", "evil\nhost:1\r\nx", "TRUE"));
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 11);
  EXPECT_NE(text.find("\nroom1\nevilhost:1x\n"), std::string::npos);
}

TEST(QuendelLaunch, ProgramIsTheClientInTheGivenDirectory) {
  EXPECT_EQ(ClientProgramPath("/opt/orvinta/bin"), "/opt/orvinta/bin/orvinta");
  EXPECT_EQ(ClientProgramPath("/opt/orvinta/bin/"), "/opt/orvinta/bin/orvinta");
}

TEST_F(QuendelControlTest, APageWithoutTheSessionCookieStillStartsTheClient) {
  ASSERT_EQ(Create({{"UserID", "kim"}, {"UserNick", U8(u8"철수")}}, "other=1"), com::S_OK);
  EXPECT_FALSE(ctrl.HasLogicWindow());
  EXPECT_EQ(Call("EnterRoom", {"room1", U8(u8"방"), "true"}), com::S_OK);
  ASSERT_EQ(shell.started.size(), 1u);
  EXPECT_EQ(shell.started[0].first, "/opt/orvinta/bin/orvinta");
  EXPECT_EQ(shell.started[0].second, "TRUE\n\n\nkim\n철수\n0\nroom1\n방\nFALSE\n\n\n");
}

TEST_F(QuendelControlTest, EnterPrivateRoomCarriesTheSessionValue) {
  ASSERT_EQ(Create({{"UserID", "lee"}}, "blvsession_eid=TOK"), com::S_OK);
  Call("EnterPrivateRoom", {"Kim", U8(u8"김"), "TRUE"});
  ASSERT_EQ(shell.started.size(), 1u);
  EXPECT_EQ(shell.started[0].second, "TRUE\n\n\nlee\n\n0\nPchatkim^lee\n김님과의 1:1 대화방입니다\nFALSE\nkim\n김\nTOK");
}

}  // namespace
}  // namespace orvinta::quendel::testing
