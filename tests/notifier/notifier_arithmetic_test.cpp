// The slide arithmetic, the button frame's pixels, the text layout and the window's settings.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "client/components/notifier/button_frame.h"
#include "client/components/notifier/notifier_layout.h"
#include "client/components/notifier/notifier_settings.h"
#include "client/components/notifier/slide_plan.h"

namespace orvinta::components {
namespace {

struct SlideCase {
  const char* name;
  int durationMs, tickMs, height;
  SlidePlan expected;
};

class SlidePlans : public testing::TestWithParam<SlideCase> {};

TEST_P(SlidePlans, StepsSizesAndIntervals) {
  const auto& c = GetParam();
  EXPECT_EQ(PlanSlide(c.durationMs, c.tickMs, c.height), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Notifier, SlidePlans,
    testing::Values(SlideCase{"NtUp", 500, 10, 130, {25, 5, 20}}, SlideCase{"NtDown", 200, 10, 130, {10, 13, 20}},
                    SlideCase{"LegacyUp", 500, 50, 130, {5, 26, 100}},
                    SlideCase{"LegacyDown", 200, 50, 130, {2, 65, 100}},
                    SlideCase{"StepsCappedAtHeight", 500, 10, 20, {20, 1, 25}},
                    SlideCase{"ZeroHeightStillOneStep", 500, 10, 0, {1, 1, 500}},
                    SlideCase{"TickNotShorterIsOneStep", 10, 10, 130, {1, 130, 10}},
                    SlideCase{"UnderTwoTicksIsOneStep", 15, 10, 130, {1, 130, 15}},
                    SlideCase{"ZeroTickDoesNotDivide", 500, 0, 130, {130, 1, 3}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SlideSteps, NeverPassTheTarget) {
  EXPECT_EQ(StepToward(125, 128, 5), 128);
  EXPECT_EQ(StepToward(120, 130, 5), 125);
  EXPECT_EQ(StepToward(9, 0, 13), 0);
  EXPECT_EQ(StepToward(0, 130, 0), 1);  // a zero step still moves
}

// Paints the strokes into a map of pixels, later strokes over earlier ones.
std::map<std::pair<int, int>, Rgb> Rasterise(const std::vector<FrameStroke>& strokes) {
  std::map<std::pair<int, int>, Rgb> pixels;
  for (const auto& s : strokes)
    for (int y = s.area.top; y < s.area.bottom; ++y)
      for (int x = s.area.left; x < s.area.right; ++x) pixels[{x, y}] = s.colour;
  return pixels;
}

TEST(ButtonFrame, PixelsOfTheLeftButton) {
  const auto pixels = Rasterise(ButtonFrame({70, 100, 110, 120}));
  struct Expect {
    int x, y;
    std::optional<Rgb> colour;  // nullopt: the skin shows through
  };
  const Expect expected[] = {
      {70, 100, std::nullopt}, {71, 100, std::nullopt}, {72, 100, kButtonOuter}, {107, 100, kButtonOuter},
      {108, 100, std::nullopt}, {71, 101, kButtonOuter}, {108, 101, kButtonOuter}, {72, 101, kButtonInner},
      {107, 101, kButtonInner}, {70, 102, kButtonOuter}, {109, 117, kButtonOuter}, {110, 110, std::nullopt},
      {71, 102, std::nullopt}, {72, 102, kButtonInner}, {107, 102, kButtonInner}, {71, 103, kButtonInner},
      {108, 116, kButtonInner}, {73, 103, kButtonFill}, {90, 110, kButtonFill}, {72, 117, kButtonInner},
      {73, 118, kButtonInner}, {106, 118, kButtonInner}, {107, 118, std::nullopt}, {71, 118, kButtonOuter},
      {108, 118, kButtonOuter}, {72, 119, kButtonOuter}, {107, 119, kButtonOuter}, {70, 118, std::nullopt},
      {90, 120, std::nullopt},
  };
  for (const auto& e : expected) {
    const auto it = pixels.find({e.x, e.y});
    const std::optional<Rgb> got = it == pixels.end() ? std::nullopt : std::optional<Rgb>(it->second);
    EXPECT_EQ(got, e.colour) << "pixel " << e.x << "," << e.y;
  }
  EXPECT_TRUE(ButtonFrame({0, 0, 5, 20}).empty());
}

TEST(NotifierLayout, AtMostThreeLinesEachEighteenPixelsLower) {
  const Rect area{3, 42, 220, 95};
  const auto lines = LayOutLines("one\r\ntwo\n\nfour", area);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], (TextLine{"one", area}));
  EXPECT_EQ(lines[1], (TextLine{"two", {3, 60, 220, 113}}));
  EXPECT_EQ(lines[2], (TextLine{"", {3, 78, 220, 131}}));
  EXPECT_EQ(LayOutLines("", area).size(), 1u);
}

TEST(NotifierSettings, TheWindowsSettingsPerKind) {
  const auto invitation = WindowSettingsFor(NotifierKind::Invitation);
  const auto vote = WindowSettingsFor(NotifierKind::Vote);
  const auto notice = WindowSettingsFor(NotifierKind::Notice);
  EXPECT_EQ(invitation.skinId, 217);
  EXPECT_EQ(vote.skinId, 229);
  EXPECT_EQ(notice.skinId, 229);
  EXPECT_EQ(invitation.textFont, (FontSpec{"\xB1\xBC\xB8\xB2", 90, 0}));  // "굴림"
  EXPECT_EQ(vote.textArea, (Rect{3, 42, 220, 95}));
  EXPECT_EQ(notice.textArea, (Rect{3, 54, 220, 107}));
  EXPECT_EQ(vote.rightButton, (Rect{116, 100, 156, 120}));
  EXPECT_TRUE(notice.leftButton.IsEmpty());
  EXPECT_EQ(notice.closeArea, (Rect{204, 10, 215, 20}));
  EXPECT_EQ(invitation.hoverColour, (Rgb{255, 0, 0}));
  EXPECT_EQ(invitation.textColour, (Rgb{51, 51, 51}));

  EXPECT_EQ(LeftLabel(NotifierKind::Invitation), "\xC2\xFC\xBF\xA9");  // 참여
  EXPECT_EQ(RightLabel(NotifierKind::Invitation), "\xC3\xEB\xBC\xD2");  // 취소
  EXPECT_EQ(LeftLabel(NotifierKind::Vote), "\xC2\xF9\xBC\xBA");  // 찬성
  EXPECT_EQ(RightLabel(NotifierKind::Vote), "\xB9\xDD\xB4\xEB");  // 반대
  EXPECT_TRUE(LeftLabel(NotifierKind::Notice).empty());

  EXPECT_EQ(PlacementOf(kWindowTextFormat), (TextPlacement{HAlign::Center, VAlign::Top, true, true, true}));
  EXPECT_EQ(PlacementOf(0x2 | 0x8), (TextPlacement{HAlign::Right, VAlign::Bottom, false, false, false}));
}

}  // namespace
}  // namespace orvinta::components
