// The window under heavy or hostile traffic: member changes redraw the list at
// most once per frame, lines for a room just left bring no ghost tab back,
// traffic opens only a few tabs, and a system message's box comes after its
// handler while the connection goes on being read.
#include <deque>

#include "client/window/box_queue.h"
#include "client/window/traffic_rooms.h"
#include "tests/window/window_fixture.h"

namespace orvinta::window {
namespace {

// Counts the page operations of the views it hands out; the views are fakes.
class CountingView final : public platform::HtmlView {
 public:
  explicit CountingView(std::unique_ptr<platform::HtmlView> inner) : inner_(std::move(inner)) {}
  void SetListener(platform::HtmlViewListener* listener) override { inner_->SetListener(listener); }
  void Navigate(const std::string& address) override { inner_->Navigate(address); }
  void SetElementHtml(const std::string& id, const std::string& html) override {
    ++operations;
    inner_->SetElementHtml(id, html);
  }
  void AppendBeforeMarker(const std::string& markerId, const std::string& html) override {
    ++operations;
    inner_->AppendBeforeMarker(markerId, html);
  }
  void GetElementHtml(const std::string& id, HtmlCallback callback) override {
    inner_->GetElementHtml(id, std::move(callback));
  }
  void ScrollToMarker(const std::string& markerId) override { inner_->ScrollToMarker(markerId); }
  void Show(bool visible) override { inner_->Show(visible); }
  fakes::FakeHtmlView& fake() { return static_cast<fakes::FakeHtmlView&>(*inner_); }
  int operations = 0;

 private:
  std::unique_ptr<platform::HtmlView> inner_;
};

class CountingViews final : public platform::HtmlViewFactory {
 public:
  explicit CountingViews(fakes::FakeHtmlViewFactory& fakes) : fakes_(fakes) {}
  std::unique_ptr<platform::HtmlView> Create(platform::HtmlViewRole role) override {
    return std::make_unique<CountingView>(fakes_.Create(role));
  }

 private:
  fakes::FakeHtmlViewFactory& fakes_;
};

// Boxes that stay up until the test answers them.
class HeldBoxes final : public platform::MessageBoxes {
 public:
  platform::BoxAnswer Show(const std::string& text, const std::string&, platform::BoxButtons) override {
    asked.push_back(text);
    return platform::BoxAnswer::No;
  }
  void Open(const std::string& text, const std::string&, platform::BoxButtons, Answered answered) override {
    up.push_back({text, std::move(answered)});
  }
  void Answer(platform::BoxAnswer answer = platform::BoxAnswer::Ok) {
    auto box = std::move(up.front());
    up.pop_front();
    box.second(answer);
  }
  std::deque<std::pair<std::string, Answered>> up;
  std::vector<std::string> asked;
};

class TrafficTest : public WindowTest {
 protected:
  TrafficTest() {
    dlg = std::make_unique<COrvintaDlg>(
        settings,
        WindowPorts{host, countingViews, timers, queue, sound, shell, transports, nullptr, &notifier, &config, &input,
                    nullptr, &memberViews, nullptr, &transcriptViews},
        portal);
    dlg->OnInitDialog();
    StartAndLogin();
  }
  ~TrafficTest() override { dlg.reset(); }

  fakes::FakeMemberList& pane() { return *memberViews.last; }
  std::string List() { return pane().Text(); }
  std::string Count() { return std::to_string(pane().count); }
  // The user's room with `members` others, listed as the server lists them.
  void EnterLobbyWith(int members) {
    EnterRoom("lobby");
    for (int i = 0; i < members; ++i) {
      ReceiveFrame("IFON", "m" + std::to_string(i) + "/lobby/nick" + std::to_string(i) + "/1001/0");
    }
    timers.Advance(MemberLists::kRedrawDelayMs);
    timers.Advance(MemberLists::kBusyRedrawDelayMs);  // drawn, and quiet again
  }
  bool TabOpen(std::string_view channel) { return dlg->Channels().FindByName(channel) != nullptr; }

  CountingViews countingViews{views};
  HeldBoxes held;
  BoxQueue queue{held};
};

TEST_F(TrafficTest, StatusChangesWithinAFrameRedrawTheListOnce) {
  EnterLobbyWith(50);
  ASSERT_EQ(Count(), "51");
  pane().operations = 0;
  for (int i = 0; i < 5000; ++i) {
    ReceiveFrame("IFAL", "m" + std::to_string(i % 50) + "/lobby/" + std::to_string(1 + i % 6));
  }
  EXPECT_EQ(pane().operations, 0);  // nothing drawn until the frame is due
  timers.Advance(MemberLists::kRedrawDelayMs);
  EXPECT_LE(pane().operations, 2);  // the list and the count
  EXPECT_FALSE(dlg->Members().RedrawPending());

  // What shows is the last status of each, in order of arrival.
  const std::string list = List();
  EXPECT_EQ(Occurrences(list, "\n"), 51);
  EXPECT_LT(list.find("nick0(m0)"), list.find("nick49(m49)"));
  EXPECT_NE(list.find("nick49(m49) [2]\n"), std::string::npos);
  EXPECT_EQ(pane().rows.size(), 51u);

  // While changes keep coming they are drawn at the busy pace, not every frame.
  pane().operations = 0;
  ReceiveFrame("IFAL", "m0/lobby/5");
  timers.Advance(MemberLists::kRedrawDelayMs);
  EXPECT_EQ(pane().operations, 0);
  timers.Advance(MemberLists::kBusyRedrawDelayMs - MemberLists::kRedrawDelayMs);
  EXPECT_NE(List().find("nick0(m0) [5]"), std::string::npos);

  ReceiveFrame("CHOT", "m7/lobby");
  timers.Advance(MemberLists::kBusyRedrawDelayMs);
  EXPECT_EQ(Count(), "50");
  EXPECT_EQ(List().find("(m7)"), std::string::npos);
}

TEST_F(TrafficTest, OnlyTheShownRoomIsRedrawnAndASwitchDrawsAtOnce) {
  EnterLobbyWith(3);
  EnterRoom("other");  // now shown, the lobby behind it
  timers.Advance(MemberLists::kRedrawDelayMs);
  ReceiveFrame("IFAL", "m1/lobby/3");
  EXPECT_FALSE(dlg->Members().RedrawPending());

  ReceiveFrame("IFON", "bob/other/밥/1001/0");
  EXPECT_TRUE(dlg->Members().RedrawPending());
  host.SelectTab(1);  // back to the lobby before the frame is due
  dlg->Tabs().OnTcnSelchangeTabChannel();
  EXPECT_FALSE(dlg->Members().RedrawPending());
  EXPECT_EQ(Count(), "4");
  EXPECT_NE(List().find("nick1(m1) [3]"), std::string::npos);
}

TEST_F(TrafficTest, HostileFloodOfMemberDetailsStaysBoundedAndCheap) {
  EnterRoom("lobby");
  pane().operations = 0;
  for (int i = 0; i < 10000; ++i) ReceiveFrame("IFON", "h" + std::to_string(i) + "/lobby/<b>h</b>/1001/1");
  timers.Advance(MemberLists::kRedrawDelayMs);
  EXPECT_LE(pane().operations, 2);
  EXPECT_EQ(dlg->MemberCount("#lobby"), 2000u);  // the list's own bound
  ASSERT_EQ(pane().rows.size(), 2000u);
  EXPECT_EQ(pane().rows[1].label, "<b>h<(h0)");  // text, never markup ("/" ends the nick)
}

TEST_F(TrafficTest, DetailsOfAnUnknownRoomFillTheWaitingRoomOnlyUpToItsBound) {
  auto& home = static_cast<CountingView&>(*dlg->Channels().Home()->view->HomePage());
  home.fake().FinishLoad("<SPAN ID=DETAIL></SPAN><SPAN ID=DETAIL_MORE></SPAN>");
  home.operations = 0;
  for (int i = 0; i < 10000; ++i) ReceiveFrame("IFON", "h" + std::to_string(i) + "/elsewhere/h/1001/0");
  EXPECT_EQ(home.operations, static_cast<int>(HomePageActions::kMaxDetailEntries));
  EXPECT_FALSE(TabOpen("#elsewhere"));
}

TEST_F(TrafficTest, LinesInFlightForARoomJustLeftBringNoGhostBack) {
  EnterRoom("lobby");
  dlg->Closechat(1);  // the user leaves; the server has lines on the way
  ASSERT_FALSE(TabOpen("#lobby"));
  ReceiveFrame("TALL", "bob/lobby/|000000|10|굴림|FFFFFF|1|밥|늦은 줄");
  ReceiveFrame("CHIN", "carol/LOBBY/캐럴/1");
  ReceiveFrame("IFAL", "bob/lobby/2");
  EXPECT_FALSE(TabOpen("#lobby"));

  EnterRoom("lobby");  // the user's own return opens it at once
  ASSERT_TRUE(TabOpen("#lobby"));
  ReceiveFrame("TALL", "bob/lobby/|000000|10|굴림|FFFFFF|1|밥|다시");
  EXPECT_NE(ViewOf("#lobby").Inner().find("다시"), std::string::npos);

  ReceiveFrame("CHOT", "alice/lobby");  // taken out by the server: the same rule
  timers.Advance(TrafficRooms::kLeftMemoryMs - 1);
  ReceiveFrame("TALL", "bob/lobby/|000000|10|굴림|FFFFFF|1|밥|아직");
  EXPECT_FALSE(TabOpen("#lobby"));
  timers.Advance(1);
  ReceiveFrame("TALL", "bob/lobby/|000000|10|굴림|FFFFFF|1|밥|한참 뒤");
  EXPECT_TRUE(TabOpen("#lobby"));
}

TEST_F(TrafficTest, TrafficOpensOnlyAFewTabsOfItsOwn) {
  EnterRoom("mine");
  for (int i = 0; i < 150; ++i) ReceiveFrame("TALL", "x/room" + std::to_string(i) + "/|000000|10|굴림|FFFFFF|1|x|hi");
  // The waiting room, the user's room and traffic's share.
  EXPECT_EQ(dlg->Channels().Size(), 2 + TrafficRooms::kMaxTrafficTabs);
  EXPECT_TRUE(TabOpen("#room0"));
  EXPECT_FALSE(TabOpen("#room" + std::to_string(TrafficRooms::kMaxTrafficTabs)));

  dlg->Closechat(dlg->Channels().TabIndexOf(dlg->Channels().FindByName("#room0")));
  ReceiveFrame("TALL", "x/room149/|000000|10|굴림|FFFFFF|1|x|hi");
  EXPECT_TRUE(TabOpen("#room149"));  // a closed one gave its place back
}

TEST_F(TrafficTest, SystemBoxComesAfterItsHandlerAndTheSessionKeepsAnswering) {
  EnterRoom("lobby");
  transport().ClearSent();
  ReceiveFrame("SYST", "10/lobby");
  ReceiveFrame("SYST", "13/lobby");
  ReceiveFrame("PING", "");
  EXPECT_EQ(SentFrames(), std::vector<std::string>{"PONG:"});
  ASSERT_EQ(held.up.size(), 1u);  // one at a time
  EXPECT_NE(held.up.front().first.find("lobby 미렐의 채팅방이 꽉 찼습니다."), std::string::npos);
  EXPECT_TRUE(TabOpen("#lobby"));  // leaving waits for the OK

  held.Answer();
  EXPECT_FALSE(TabOpen("#lobby"));
  ASSERT_EQ(held.up.size(), 1u);
  EXPECT_EQ(held.up.front().first, "사용자가 많아 접속이 원활치 않습니다.");
  held.Answer();
  EXPECT_TRUE(held.up.empty());
}

TEST_F(TrafficTest, ARefusalClosesTheClientOnlyAfterItsBox) {
  EnterRoom("lobby");
  ReceiveFrame("SYST", "12/");
  ASSERT_EQ(held.up.size(), 1u);
  EXPECT_EQ(host.closes, 0);
  held.Answer();
  EXPECT_EQ(host.closes, 1);
}

// The queue on its own, against boxes that the test answers.
TEST(BoxQueueTest, OneBoxAtATimeAnswersInOrderAndFloodsAreBounded) {
  HeldBoxes held;
  std::vector<std::string> ran;
  auto queue = std::make_unique<BoxQueue>(held);
  const auto note = [&ran](std::string what) { return [&ran, what](platform::BoxAnswer) { ran.push_back(what); }; };
  queue->Open("a", "c", platform::BoxButtons::Ok, note("a1"));
  queue->Open("b", "c", platform::BoxButtons::Ok, note("b"));
  queue->Open("a", "c", platform::BoxButtons::Ok, note("a2"));  // joins the box shown
  ASSERT_EQ(held.up.size(), 1u);
  held.Answer();
  EXPECT_EQ(ran, (std::vector<std::string>{"a1", "a2"}));
  ASSERT_EQ(held.up.size(), 1u);
  EXPECT_EQ(held.up.front().first, "b");

  for (int i = 0; i < 20; ++i) queue->Open("q" + std::to_string(i), "c", platform::BoxButtons::YesNo, note("q"));
  EXPECT_EQ(queue->Waiting(), BoxQueue::kMaxWaiting);
  EXPECT_EQ(ran.size(), 2u + 20 - BoxQueue::kMaxWaiting);  // answered unseen

  // Equal boxes share one up to their bound; the next is answered unseen at once.
  for (std::size_t i = 0; i < BoxQueue::kMaxAnswersPerBox; ++i) queue->Open("b", "c", platform::BoxButtons::Ok, note("b+"));
  EXPECT_EQ(ran.size(), 2u + 20 - BoxQueue::kMaxWaiting + 1);

  queue.reset();
  held.Answer();  // the box outlived its queue: nothing runs
  EXPECT_EQ(ran.size(), 2u + 20 - BoxQueue::kMaxWaiting + 1);
}

}  // namespace
}  // namespace orvinta::window
