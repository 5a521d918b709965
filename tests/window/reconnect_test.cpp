// A connection lost without a goodbye: the client gets back by itself and
// the user stays where they were.
#include "tests/window/window_fixture.h"

namespace orvinta::window {
namespace {

using Frames = std::vector<std::string>;
constexpr const char* kAway = "서버와 연결이 끊어져 다시 연결하는 중입니다…";
constexpr const char* kBack = "서버에 다시 연결되었습니다";

class ReconnectTest : public WindowTest {
 protected:
  void SetUp() override {
    StartAndLogin();
    EnterRoom("lobby");
    EnterRoom("Pchatalice^bob");
    timers.Advance(200);
    LoadTranscript("#lobby");
    LoadTranscript("#Pchatalice^bob");
    dlg->BringChannelToFront("#lobby");
    transport().ClearSent();
  }
  std::string Lines(std::string_view channel) { return ViewOf(channel).Inner("CHAT_MAIN"); }
};

TEST_F(ReconnectTest, BackInEveryRoomInTabOrderWithTheLineTheUserKept) {
  transport().DropConnection();
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(host.closes, 0);
  EXPECT_EQ(Occurrences(Lines("#lobby"), kAway), 1);
  EXPECT_EQ(Occurrences(Lines("#Pchatalice^bob"), kAway), 1);

  input.text = "안녕";
  dlg->Composing().OnBnClickedChatsend();
  EXPECT_EQ(input.text, "안녕");
  EXPECT_NE(Lines("#lobby").find("보내지 못했습니다"), std::string::npos);

  transport().DropConnection();  // a late second report of the same drop adds nothing
  timers.Advance(1200);          // the first attempt fails: the server is not back yet
  ASSERT_EQ(transports.count(), 2u);
  transport().AcceptConnect(111);
  EXPECT_TRUE(boxes.shown.empty());
  dlg->OnBnClickedButConnect();  // the button does not wait for the next attempt
  ASSERT_EQ(transports.count(), 3u);
  transport().AcceptConnect();
  EXPECT_EQ(SentFrames(), Frames{"USER:alice/sk1/앨리스/1234"});
  transport().ClearSent();
  ReceiveFrame("USRP", "");
  EXPECT_EQ(SentFrames(), (Frames{"CHIN:alice/lobby", "ASIF:alice/lobby", "CHIN:alice/Pchatalice^bob",
                                  "ASIF:alice/Pchatalice^bob"}));
  EXPECT_EQ(host.TabCount(), 3);
  EXPECT_EQ(dlg->Channels().Current()->name, "#lobby");
  EXPECT_EQ(Occurrences(Lines("#lobby"), kAway), 1);
  EXPECT_EQ(Occurrences(Lines("#lobby"), kBack), 1);
  EXPECT_EQ(Occurrences(Lines("#Pchatalice^bob"), kBack), 1);
  EXPECT_EQ(dlg->Members().MemberCount("#lobby"), 1u) << "the list starts over with the user";
}

TEST_F(ReconnectTest, AKeyRefusedOnTheWayBackEndsTheRetries) {
  transport().DropConnection();
  timers.Advance(1200);
  transport().AcceptConnect();
  ReceiveFrame("SYST", "3/alice");
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_NE(boxes.shown[0].text.find("포털에서 채팅을 다시 시작해주세요"), std::string::npos);
  EXPECT_EQ(host.closes, 1);
  timers.Advance(120000);
  EXPECT_EQ(transports.count(), 2u);
}

enum class Drop { Closed, SilentFor75s, Garbage, SecondLogin, RefusedThenClosed };

struct DropCase {
  std::string name;
  Drop drop;
  bool comesBack;
};

class DropCaseTest : public ReconnectTest, public ::testing::WithParamInterface<DropCase> {};

TEST_P(DropCaseTest, GetsBackOnlyWithoutAGoodbye) {
  switch (GetParam().drop) {
    case Drop::Closed: transport().DropConnection(); break;
    case Drop::SilentFor75s: timers.Advance(75000); break;
    case Drop::Garbage: transport().Deliver("\x01\x02garbage-not-a-frame"); break;
    case Drop::SecondLogin: ReceiveFrame("SYST", "2/alice"); break;
    case Drop::RefusedThenClosed:
      ReceiveFrame("SYST", "12/");
      transport().DropConnection();
      break;
  }
  timers.Advance(36000);  // past the longest first wait
  EXPECT_EQ(transports.count(), GetParam().comesBack ? 2u : 1u);
  EXPECT_EQ(host.closes, GetParam().comesBack ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Drops, DropCaseTest,
                         ::testing::Values(DropCase{"Closed", Drop::Closed, true},
                                           DropCase{"SilentFor75s", Drop::SilentFor75s, true},
                                           DropCase{"Garbage", Drop::Garbage, true},
                                           DropCase{"SecondLogin", Drop::SecondLogin, false},
                                           DropCase{"RefusedThenClosed", Drop::RefusedThenClosed, false}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace orvinta::window
