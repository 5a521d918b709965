// The popup's life over the manual clock: sliding, waiting, hovering, clicks and answers.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "client/components/notifier/taskbar_notifier.h"
#include "tests/fakes/fake_timers.h"
#include "tests/notifier/fake_notifier_surface.h"

namespace orvinta::components {
namespace {

struct Heard {
  std::int64_t atMs;
  bool accepted;
};

const NotifierData kData{"a", "b|c", "id", "nick", "#room"};

class NotifierFixture {
 public:
  NotifierFixture() {
    timers.SetHandler([this](int id) { notifier->OnTimer(id); });
    notifier->Create([this](const NotifierAnswer& a) {
      heard.push_back({timers.now(), a.accepted});
      EXPECT_EQ(a.data, kData);  // the five texts come back untouched, "|" and all
    });
  }
  void Show(NotifierKind kind, const char* text = "line") {
    notifier->Announce(WindowSettingsFor(kind), kData, text, kind);
  }
  fakes::FakeTimers timers;
  FakeNotifierSurface surface;
  std::unique_ptr<CTaskbarNotifier> notifier = std::make_unique<CTaskbarNotifier>(surface, timers);
  std::vector<Heard> heard;
};

// One thing the user or the clock does, at an absolute time.
struct Act {
  enum What { Click, Move, Leave, HideNow, KeyYes, KeyNo } what;
  std::int64_t atMs;
  Point at{};
};

struct AnswerCase {
  const char* name;
  NotifierKind kind;
  std::vector<Act> acts;
  std::vector<Heard> expected;  // over 60 s
};

class AnswerRules : public testing::TestWithParam<AnswerCase> {};

TEST_P(AnswerRules, AnswersOnceAtTheRightTime) {
  const auto& c = GetParam();
  NotifierFixture f;
  f.Show(c.kind);
  for (const auto& act : c.acts) {
    f.timers.Advance(act.atMs - f.timers.now());
    switch (act.what) {
      case Act::Click: f.notifier->OnLeftButtonUp(act.at); break;
      case Act::Move: f.notifier->OnPointerMove(act.at); break;
      case Act::Leave: f.notifier->OnPointerLeave(); break;
      case Act::HideNow: f.notifier->Hide(); break;
      case Act::KeyYes: f.notifier->AnswerFromKeyboard(true); break;
      case Act::KeyNo: f.notifier->AnswerFromKeyboard(false); break;
    }
  }
  f.timers.Advance(60000 - f.timers.now());
  ASSERT_EQ(f.heard.size(), c.expected.size());
  for (std::size_t i = 0; i < c.expected.size(); ++i) {
    EXPECT_EQ(f.heard[i].atMs, c.expected[i].atMs) << i;
    EXPECT_EQ(f.heard[i].accepted, c.expected[i].accepted) << i;
  }
  EXPECT_EQ(f.notifier->state(), NotifierState::Hidden);
  EXPECT_FALSE(f.surface.visible);
}

constexpr Point kLeft{80, 110}, kRight{120, 110}, kCloseCorner{215, 20}, kBesideClose{216, 20}, kText{100, 60};
constexpr auto I = NotifierKind::Invitation;

INSTANTIATE_TEST_SUITE_P(
    Notifier, AnswerRules,
    testing::Values(
        // 26 ticks of 20 ms up (the last one clamped), 10 s, 10 ticks down.
        AnswerCase{"LeftAloneSaysNoAfterTheSlides", I, {}, {{10720, false}}},
        AnswerCase{"JoinSaysYesAtOnceAndNothingLater", I, {{Act::Click, 600, kLeft}}, {{600, true}}},
        AnswerCase{"CancelSaysNoAtOnce", I, {{Act::Click, 600, kRight}}, {{600, false}}},
        AnswerCase{"CloseBoxSaysNoAfterSlidingAway", I, {{Act::Click, 600, kCloseCorner}}, {{800, false}}},
        AnswerCase{"CloseBoxWhileRisingSlidesFromWhereItIs", I, {{Act::Click, 100, {204, 10}}}, {{140, false}}},
        AnswerCase{"BesideTheCloseBoxDoesNothing", I, {{Act::Click, 600, kBesideClose}}, {{10720, false}}},
        AnswerCase{"SecondClickDoesNotAnswerAgain", I,
                   {{Act::Click, 600, kLeft}, {Act::Click, 610, kRight}, {Act::Click, 620, kLeft}}, {{600, true}}},
        AnswerCase{"KeyYesWhileRisingSaysYesAtOnce", I, {{Act::KeyYes, 100}, {Act::KeyNo, 200}}, {{100, true}}},
        AnswerCase{"KeyNoSaysNoOnce", NotifierKind::Vote, {{Act::KeyNo, 900}, {Act::KeyYes, 950}}, {{900, false}}},
        AnswerCase{"KeysAnswerNoNotice", NotifierKind::Notice, {{Act::KeyYes, 600}}, {}},
        AnswerCase{"VoteAgreeSaysYes", NotifierKind::Vote, {{Act::Click, 1000, kLeft}}, {{1000, true}}},
        AnswerCase{"NoticeNeverAnswers", NotifierKind::Notice,
                   {{Act::Click, 600, kLeft}, {Act::Click, 700, kRight}, {Act::Click, 800, kCloseCorner}}, {}},
        AnswerCase{"HoverHoldsItThenTheFullStayAgain", I,
                   {{Act::Move, 1000, kText}, {Act::Move, 20000, kLeft}, {Act::Leave, 31000}}, {{41200, false}}},
        AnswerCase{"PointerRestingFromTheStartHoldsIt", I, {{Act::Move, 100, kText}, {Act::Leave, 5000}},
                   {{15200, false}}},
        AnswerCase{"PointerRestingPastTheStayHoldsIt", I, {{Act::Move, 1000, kText}, {Act::Leave, 30000}},
                   {{40200, false}}},
        AnswerCase{"HideUnansweredSaysNoOnce", I, {{Act::HideNow, 3000}, {Act::HideNow, 4000}}, {{3000, false}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TaskbarNotifier, RisesFromTheOwnersCornerAndSlidesBack) {
  NotifierFixture f;
  EXPECT_FALSE(f.notifier->Show("x", 0));
  EXPECT_FALSE(f.notifier->Show("x", 4));
  f.Show(I);
  EXPECT_FALSE(f.notifier->Show("second", 1));  // one announcement per showing
  EXPECT_EQ(f.surface.shows, 1);
  EXPECT_EQ(f.notifier->appearPlan(), (SlidePlan{25, 5, 20}));
  EXPECT_EQ(f.notifier->disappearPlan(), (SlidePlan{10, 13, 20}));
  // Anchor 100,50 to 900,650: right edge 900 - 225 - 5, bottom 650 - 5.
  EXPECT_EQ(f.surface.placed.front(), (Rect{670, 645, 895, 645}));
  f.timers.Advance(500);
  EXPECT_EQ(f.notifier->frame().Height(), 125);  // 25 steps of 5, and one more
  f.timers.Advance(20);
  EXPECT_EQ(f.notifier->frame(), (Rect{670, 515, 895, 645}));
  EXPECT_EQ(f.timers.PeriodOf(CTaskbarNotifier::kStayTimer), 10000);
  f.timers.Advance(10000 + 20);
  EXPECT_EQ(f.notifier->frame().Height(), 117);
  EXPECT_EQ(f.surface.tallest, 130);
}

TEST(TaskbarNotifier, SkinsThatDoNotFitTheArithmetic) {
  // A skin of no height slides as the drawn one; an uneven one is not overshot.
  for (const auto& [skin, loads, fullHeight] : {std::tuple{Size{225, 0}, false, 130}, {Size{225, 128}, true, 128}}) {
    NotifierFixture f;
    f.surface.skins[217] = skin;
    EXPECT_EQ(f.notifier->LoadSkin(217), loads);
    f.notifier->Show("x", 1);
    f.timers.Advance(1000);
    EXPECT_EQ(f.notifier->frame().Height(), fullHeight);
    EXPECT_EQ(f.surface.tallest, fullHeight);
  }
}

TEST(TaskbarNotifier, NothingReachesAnOwnerThatHasGone) {
  NotifierFixture f;
  f.Show(I);
  f.notifier->ReleaseOwner();
  f.notifier->OnLeftButtonUp(kLeft);
  f.timers.Advance(20000);
  f.Show(I);
  f.notifier->Create([&](const NotifierAnswer&) { f.heard.push_back({0, true}); });
  f.timers.Advance(100);
  f.notifier.reset();  // taken down while on screen
  EXPECT_TRUE(f.heard.empty());
  EXPECT_FALSE(f.timers.IsRunning(CTaskbarNotifier::kAppearTimer));
}

TEST(TaskbarNotifier, PointingRepaintsOnlyWhenSomethingChanges) {
  NotifierFixture f;
  f.Show(I, "one\ntwo\nthree\nfour");
  f.timers.Advance(600);
  for (const auto& [at, repaints] : {std::pair{kText, 1}, {Point{101, 61}, 1}, {kLeft, 2}, {Point{81, 111}, 2}}) {
    f.notifier->OnPointerMove(at);
    EXPECT_EQ(f.surface.repaints, repaints) << at.x << "," << at.y;
  }
  const auto scene = f.notifier->Scene();
  ASSERT_EQ(scene.buttons.size(), 2u);
  EXPECT_TRUE(scene.buttons[0].pointedAt);
  EXPECT_FALSE(scene.buttons[1].pointedAt);
  EXPECT_EQ(scene.lines.size(), 3u);
  EXPECT_EQ(f.notifier->text(), "one\ntwo\nthree\nfour");  // laying out never changes it
  f.notifier->OnPointerLeave();
  EXPECT_EQ(f.surface.repaints, 3);
  EXPECT_FALSE(f.notifier->Scene().buttons[0].pointedAt);
}

TEST(TaskbarNotifier, AnOwnerThatHidesFromItsHandlerStopsTheClick) {
  NotifierFixture f;
  f.notifier->Create([&](const NotifierAnswer&) { f.notifier->Hide(); });
  int hidden = 0;
  f.notifier->SetHiddenHandler([&] { ++hidden; });
  f.Show(I);
  f.timers.Advance(600);
  f.notifier->OnLeftButtonUp(kLeft);
  f.timers.Advance(20000);
  EXPECT_EQ(hidden, 1);
}

}  // namespace
}  // namespace orvinta::components
