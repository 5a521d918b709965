// A connection lost without a goodbye: the client gets back by itself and
// the user stays where they were.
#include "tests/window/window_fixture.h"

namespace orvinta::window {
namespace {

enum class Drop { Closed, SilentAfterPings, ClosedLate, RefusedThenClosed, KeyRefusedOnTheWayBack,
                  TooManyLoginsOnTheWayBack, OldSessionNotYetGone, LoginNeverAnswered };
struct DropCase {
  const char* name;
  Drop drop;
  std::size_t connections;  // the first one included
  int closes;
  const char* awaySince = "12:00:00";  // as the notice back gives it
};
class DropCaseTest : public WindowTest, public ::testing::WithParamInterface<DropCase> {
 protected:
  void SetUp() override {
    StartAndLogin();
    EnterRoom("lobby");
    EnterRoom("Pchatalice^bob");
    timers.Advance(200);
    dlg->BringChannelToFront("#lobby");
    dlg->Channels().FindByName("#Pchatalice^bob")->statusIndex = 3;  // away there
  }
  int Lines(const std::string& line) { return Occurrences(ViewOf("#lobby").Inner(), line); }
};

TEST_P(DropCaseTest, GetsBackIntoEveryRoomOnlyWithoutAGoodbye) {
  switch (GetParam().drop) {
    case Drop::Closed:  // the line sent meanwhile waits; an attempt fails; the button does not wait
      transport().DropConnection();
      input.text = "안녕";
      dlg->Composing().OnBnClickedChatsend();
      EXPECT_EQ(input.text + std::to_string(Lines("보내지 못했습니다")), "안녕1");
      timers.Advance(1200);
      transport().AcceptConnect(111);
      dlg->OnBnClickedButConnect();
      break;
    case Drop::SilentAfterPings:  // two intervals and a margin are allowed
    case Drop::ClosedLate:        // a dead network noticed late
      timers.Advance(29200);  // the PING at 12:00:30 exactly
      ReceiveFrame("PING", "");
      timers.Advance(74000);
      EXPECT_EQ(transports.count(), 1u);
      if (GetParam().drop == Drop::ClosedLate) transport().DropConnection();
      timers.Advance(1500);
      break;
    case Drop::RefusedThenClosed:
      ReceiveFrame("SYST", "12/");
      transport().DropConnection();
      break;
    case Drop::KeyRefusedOnTheWayBack:
      transport().DropConnection();
      timers.Advance(1200);
      transport().AcceptConnect();
      ReceiveFrame("SYST", "3/alice");
      EXPECT_NE(boxes.shown.at(0).text.find("포털에서 채팅을 다시 시작해주세요"), std::string::npos);
      break;
    case Drop::TooManyLoginsOnTheWayBack:  // refused, then tried again after a longer wait
      transport().DropConnection();
      timers.Advance(1200);
      transport().AcceptConnect();
      ReceiveFrame("SYST", "12/");
      timers.Advance(1900);
      EXPECT_EQ(transports.count(), 2u);
      break;
    case Drop::OldSessionNotYetGone:  // system message 2 on the way back is tried again too
      transport().DropConnection();
      timers.Advance(1200);
      transport().AcceptConnect();
      ReceiveFrame("SYST", "2/alice");
      break;
    case Drop::LoginNeverAnswered:  // a server that takes the connection is left after 10 s
      transport().DropConnection();
      timers.Advance(1200);
      transport().AcceptConnect();
      timers.Advance(9999);
      EXPECT_FALSE(transport().closed());
      timers.Advance(1);
      EXPECT_TRUE(transport().closed());
      break;
  }
  timers.Advance(36000);  // past the longest first wait
  EXPECT_EQ(transports.count(), GetParam().connections);
  EXPECT_EQ(host.closes, GetParam().closes);
  if (GetParam().closes) return;
  EXPECT_TRUE(boxes.shown.empty());
  transport().AcceptConnect();
  ReceiveFrame("USRP", "");
  EXPECT_EQ(SentFrames(), (std::vector<std::string>{"USER:alice/sk1/앨리스/1234", "HIST:1", "CHIN:alice/lobby", "ASIF:alice/lobby",
                                                    "CHIN:alice/Pchatalice^bob", "ASIF:alice/Pchatalice^bob",
                                                    "IFAL:alice/Pchatalice^bob/3"}));
  EXPECT_EQ(host.TabCount(), 3);
  EXPECT_EQ(dlg->Channels().Current()->name, "#lobby");
  EXPECT_EQ(Lines("서버와 연결이 끊어져 다시 연결하는 중입니다…"), 1);
  EXPECT_EQ(Lines((std::string("(") + GetParam().awaySince + "부터 끊어져 있었습니다)").c_str()), 1);
  EXPECT_EQ(Lines("서버에 다시 연결되었습니다"), 1);
  EXPECT_EQ(dlg->Members().MemberCount("#lobby"), 1u) << "the list starts over with the user";
}

INSTANTIATE_TEST_SUITE_P(Drops, DropCaseTest,
                         ::testing::Values(DropCase{"Closed", Drop::Closed, 3, 0},
                                           DropCase{"SilentAfterPings", Drop::SilentAfterPings, 2, 0, "12:00:30"},
                                           DropCase{"ClosedLate", Drop::ClosedLate, 2, 0, "12:00:30"},
                                           DropCase{"RefusedThenClosed", Drop::RefusedThenClosed, 1, 1},
                                           DropCase{"KeyRefusedOnTheWayBack", Drop::KeyRefusedOnTheWayBack, 2, 1},
                                           DropCase{"TooManyLoginsOnTheWayBack", Drop::TooManyLoginsOnTheWayBack, 3, 0},
                                           DropCase{"OldSessionNotYetGone", Drop::OldSessionNotYetGone, 3, 0},
                                           DropCase{"LoginNeverAnswered", Drop::LoginNeverAnswered, 3, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvinta::window
