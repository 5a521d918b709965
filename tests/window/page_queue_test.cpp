#include "client/window/page_queue.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "client/window/timer_router.h"
#include "tests/fakes/fake_html_view.h"
#include "tests/fakes/fake_timers.h"

namespace orvinta::window {
namespace {

using fakes::FakeHtmlView;

class PageQueueTest : public ::testing::Test {
 protected:
  FakeHtmlView view{platform::HtmlViewRole::Home, nullptr};
  PageQueue page{view};
};

TEST_F(PageQueueTest, HoldsEverythingUntilLoadedThenInsertsBeforeSets) {
  page.AppendBeforeMarker("END_LINE", "one");
  page.SetElementHtml("TOP", "set early");
  page.AppendBeforeMarker("END_LINE", "two");
  page.ScrollToMarker("END_LINE");
  view.document = "<SPAN ID=TOP>x</SPAN><SPAN ID=CHAT_MAIN><SPAN ID=END_LINE></SPAN></SPAN>";
  EXPECT_EQ(view.Inner("CHAT_MAIN"), "<SPAN ID=END_LINE></SPAN>");
  EXPECT_TRUE(view.scrolledTo.empty());

  page.MarkLoaded();
  EXPECT_EQ(view.Inner("CHAT_MAIN"), "one\ntwo\n<SPAN ID=END_LINE></SPAN>");
  EXPECT_EQ(view.Inner("TOP"), "set early");

  page.AppendBeforeMarker("END_LINE", "three");
  page.ScrollToMarker("END_LINE");
  EXPECT_EQ(view.Inner("CHAT_MAIN"), "one\ntwo\nthree\n<SPAN ID=END_LINE></SPAN>");
  EXPECT_EQ(view.scrolledTo.size(), 1u);
}

TEST_F(PageQueueTest, SetsQueuedAfterInsertionsStillComeLast) {
  // The order the page is built in: a set of the list queued after rows wipes them.
  view.document = "<SPAN ID=LIST><SPAN ID=END_LINE></SPAN></SPAN>";
  page.SetElementHtml("LIST", "<SPAN ID=END_LINE></SPAN>");
  page.AppendBeforeMarker("END_LINE", "row");
  page.MarkLoaded();
  EXPECT_EQ(view.Inner("LIST"), "<SPAN ID=END_LINE></SPAN>");
}

TEST_F(PageQueueTest, LaterSetOfTheSameElementReplacesTheQueuedOne) {
  for (int i = 0; i < 50; ++i) page.SetElementHtml("COUNT", std::to_string(i));
  view.document = "<SPAN ID=COUNT></SPAN>";
  page.MarkLoaded();
  EXPECT_EQ(view.Inner("COUNT"), "49");
}

TEST_F(PageQueueTest, PendingInsertionsAreBounded) {
  for (std::size_t i = 0; i < PageQueue::kMaxPendingInsertions + 10; ++i) {
    page.AppendBeforeMarker("M", std::to_string(i));
  }
  view.document = "<SPAN ID=ALL><SPAN ID=M></SPAN></SPAN>";
  page.MarkLoaded();
  // The oldest went first.
  const std::string all = view.Inner("ALL");
  EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), static_cast<long>(PageQueue::kMaxPendingInsertions));
  EXPECT_EQ(all.rfind("10\n", 0), 0u);
}

TEST_F(PageQueueTest, SuffixIsAddedToEverySet) {
  PageQueue members(view, "\n");
  view.document = "<SPAN ID=A></SPAN>";
  members.SetElementHtml("A", "queued");
  members.MarkLoaded();
  EXPECT_EQ(view.Inner("A"), "queued\n");
  members.SetElementHtml("A", "now");
  EXPECT_EQ(view.Inner("A"), "now\n");
}

TEST(FrameLatch, KeepsTheFirstFrameUntilItCompletesOrItsOwnerLetsGo) {
  FrameLatch latch;
  int a = 0, b = 0;
  latch.OnNavigateComplete(&a, 10);
  latch.OnNavigateComplete(&b, 20);
  EXPECT_FALSE(latch.TakeIfKept(20));
  EXPECT_TRUE(latch.TakeIfKept(10));
  EXPECT_FALSE(latch.TakeIfKept(10));
  latch.OnNavigateComplete(&b, 20);
  latch.Release(&a);  // not the owner: the frame stays kept
  EXPECT_TRUE(latch.TakeIfKept(20));
  latch.OnNavigateComplete(&b, 30);
  latch.Release(&b);
  EXPECT_FALSE(latch.TakeIfKept(30));
}

TEST(TimerRouter, GivesEachOwnerItsOwnIds) {
  fakes::FakeTimers timers;
  TimerRouter router(timers);
  std::vector<std::string> fired;
  std::unique_ptr<TimerBlock> window, view1, view2;
  window = router.OpenBlock([&](int id) { fired.push_back("w" + std::to_string(id)); window->Kill(id); });
  view1 = router.OpenBlock([&](int id) { fired.push_back("a" + std::to_string(id)); view1->Kill(id); });
  view2 = router.OpenBlock([&](int id) { fired.push_back("b" + std::to_string(id)); });
  window->Set(2, 600);
  view1->Set(2, 200);
  view1->Set(3, 700);
  view2->Set(2, 300);
  EXPECT_TRUE(timers.IsRunning(2));  // the window's own ids are the plain ones
  view2.reset();                     // a view that goes kills its timers
  timers.Advance(1000);
  EXPECT_EQ(fired, (std::vector<std::string>{"a2", "w2", "a3"}));
}

}  // namespace
}  // namespace orvinta::window
