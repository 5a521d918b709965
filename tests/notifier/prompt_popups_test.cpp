// One popup on screen, the rest queued and bounded; stale prompts expire.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "client/components/notifier/prompt_popups.h"
#include "tests/fakes/fake_timers.h"
#include "tests/notifier/fake_notifier_surface.h"

namespace orvinta::components {
namespace {

struct Heard {
  std::int64_t atMs;
  std::string who;  // the answer's first data string
  bool accepted;
  bool operator==(const Heard&) const = default;
};

void PrintTo(const Heard& h, std::ostream* os) { *os << h.who << (h.accepted ? " yes" : " no") << " at " << h.atMs; }

class PromptPopupsTest : public testing::Test {
 protected:
  PromptPopupsTest() {
    popups->SetAnswerHandler(
        [this](const NotifierAnswer& a) { heard.push_back({timers.now(), a.data[0], a.accepted}); });
  }
  void Invite(const std::string& who) { popups->ShowPrompt(NotifierKind::Invitation, who + "\ninvites", {who}); }
  std::string Shown() const { return popups->notifier().text().substr(0, popups->notifier().text().find('\n')); }

  fakes::FakeTimers timers;
  FakeNotifierSurface surface;
  std::unique_ptr<PromptPopups> popups = std::make_unique<PromptPopups>(surface, timers);
  std::vector<Heard> heard;
};

TEST_F(PromptPopupsTest, AFloodShowsOneQueuesABoundAndRefusesTheRest) {
  for (int i = 0; i < 12; ++i) Invite("p" + std::to_string(i));
  EXPECT_EQ(Shown(), "p0");
  EXPECT_EQ(popups->queued(), PromptPopups::kMaxQueued);
  // The three beyond the bound are refused at once, so their inviters hear.
  EXPECT_EQ(heard, (std::vector<Heard>{{0, "p9", false}, {0, "p10", false}, {0, "p11", false}}));
  EXPECT_EQ(surface.shows, 1);
}

TEST_F(PromptPopupsTest, QueuedInvitationsThatGoStaleAreRefused) {
  Invite("a");
  Invite("b");
  popups->ShowPrompt(NotifierKind::Vote, "v", {"vote"});
  popups->ShowNotice("expelled");
  timers.Advance(10720);  // "a" slid away unanswered; "b" is shown next
  EXPECT_EQ(Shown(), "b");
  timers.Advance(15000 - 10720);  // the vote went stale in the queue: dropped without a word
  EXPECT_EQ(popups->queued(), 1u);
  timers.Advance(10720 + 10720 - 15000);
  EXPECT_EQ(Shown(), "expelled");  // a notice waits however long it takes
  timers.Advance(60000);
  EXPECT_EQ(heard, (std::vector<Heard>{{10720, "a", false}, {21440, "b", false}}));
  EXPECT_EQ(popups->queued(), 0u);
  EXPECT_FALSE(timers.IsRunning(PromptPopups::kExpiryTimer));
}

TEST_F(PromptPopupsTest, AnOwnerMayAnnounceFromItsAnswerHandler) {
  popups->SetAnswerHandler([this](const NotifierAnswer& a) {
    heard.push_back({timers.now(), a.data[0], a.accepted});
    if (a.data[0] == "a") Invite("again");
  });
  Invite("a");
  Invite("b");
  timers.Advance(600);
  popups->notifier().OnLeftButtonUp({80, 110});  // "a" answers at once and slides away
  timers.Advance(200);
  EXPECT_EQ(Shown(), "b");
  timers.Advance(10720);
  EXPECT_EQ(Shown(), "again");
  EXPECT_EQ(heard, (std::vector<Heard>{{600, "a", true}, {11520, "b", false}}));
}

TEST_F(PromptPopupsTest, NoAnswersOnceTheOwnerHasGoneOrWhileTakenDown) {
  Invite("a");
  Invite("b");
  popups->SetAnswerHandler(nullptr);
  timers.Advance(10720);
  EXPECT_TRUE(heard.empty());

  popups->SetAnswerHandler([this](const NotifierAnswer& a) { heard.push_back({0, a.data[0], a.accepted}); });
  Invite("c");
  popups.reset();
  EXPECT_TRUE(heard.empty());
  timers.Advance(60000);
  EXPECT_TRUE(heard.empty());
}

}  // namespace
}  // namespace orvinta::components
