// The real session and the window together: frames in, page HTML out.
#include "tests/window/window_fixture.h"

namespace orvinta::window {
namespace {

class SessionWindowTest : public WindowTest {
 protected:
  void SetUp() override {
    settings.AutoEnter = true;
    settings.RoomKey = "lobby";
    settings.RoomTitle = "로비";
    Create();
    dlg->StartStartupTimers();
    timers.Advance(600);
    transport().AcceptConnect();
  }
};

TEST_F(SessionWindowTest, LoginEntersTheRoomAndTrafficReachesThePages) {
  EXPECT_EQ(SentFrames(), std::vector<std::string>{"USER:alice/sk1/앨리스/1234"});
  ReceiveFrame("USRP", "");
  EXPECT_TRUE(dlg->Flags().loggedIn);
  ASSERT_EQ(host.TabCount(), 2);
  EXPECT_EQ(host.tabs[1].text, "로비");
  EXPECT_EQ(sound.played, std::vector<int>{200});
  EXPECT_EQ(settings.RoomKey, "");

  timers.Advance(200);
  auto& room = ViewOf("#lobby");
  ReceiveFrame("CHIN", "bob/lobby/<밥>/1001");
  ReceiveFrame("TALL", "bob/lobby/B|0000FF|10|바탕|000000|1001|<밥>|a/b <i>%%7C %s");
  ReceiveFrame("IFAL", "bob/lobby/2");

  const std::string lines = room.Inner();
  EXPECT_NE(lines.find("☆☆ 앨리스님이 입장하셨습니다 ☆☆"), std::string::npos);
  EXPECT_NE(lines.find("☆☆ &lt;밥&gt;님이 입장하셨습니다 ☆☆"), std::string::npos);
  EXPECT_NE(lines.find("<FONT STYLE='color:#FFFFFF'>&lt;밥&gt;</FONT>"), std::string::npos);
  EXPECT_NE(lines.find("<FONT STYLE='COLOR:#0000FF;FONT-SIZE:10pt;FONT-FAMILY:바탕'><B>a/b &lt;i&gt;| %s</B></FONT>"),
            std::string::npos);
  EXPECT_EQ(sound.played.size(), 2u);

  timers.Advance(MemberLists::kRedrawDelayMs);  // the member list redraws once per frame
  EXPECT_EQ(UserView().Text(), "앨리스(alice)\n<밥>(bob) [2]\n");
  EXPECT_EQ(UserView().count, 2u);

  ReceiveFrame("CHOT", "bob/lobby");
  EXPECT_NE(room.Inner().find("&lt;밥&gt;님이 퇴장하셨습니다"), std::string::npos);
  timers.Advance(MemberLists::kBusyRedrawDelayMs);
  EXPECT_EQ(UserView().count, 1u);

  ReceiveFrame("CHOT", "alice/lobby");  // the user was taken out
  EXPECT_EQ(host.TabCount(), 1);
  EXPECT_EQ(dlg->Channels().Current()->name, "오르빈타 홈");
}

TEST_F(SessionWindowTest, SystemMessageBringsARoomToTheFront) {
  ReceiveFrame("USRP", "");
  dlg->BringChannelToFront("오르빈타 홈");
  ReceiveFrame("SYST", "8/lobby");
  EXPECT_EQ(dlg->Channels().Current()->name, "#lobby");
  ReceiveFrame("SYST", "6/lobby");
  EXPECT_EQ(host.TabCount(), 1);
}

TEST_F(SessionWindowTest, ConnectionLostBeforeTheLoginEndsTheProgramAfterTheBox) {
  transport().DropConnection();
  ASSERT_FALSE(boxes.shown.empty());
  EXPECT_EQ(boxes.shown.back().text, "서버와의 접속이 끊어졌습니다.");
  EXPECT_EQ(host.closes, 1);
  EXPECT_FALSE(dlg->IsConnected());
}

TEST_F(WindowTest, LoginWithoutARoomTitleEntersNoRoomAndForgetsTheKey) {
  settings.AutoEnter = true;
  settings.RoomKey = "lobby";
  settings.RoomTitle.clear();
  Create();
  dlg->StartStartupTimers();
  timers.Advance(600);
  transport().AcceptConnect();
  ReceiveFrame("USRP", "");
  EXPECT_EQ(host.TabCount(), 1);
  EXPECT_EQ(settings.RoomKey, "");
}

}  // namespace
}  // namespace orvinta::window
