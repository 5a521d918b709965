// The slide arithmetic, the button frame's pixels, the text layout and the window's settings.
#include <gtest/gtest.h>

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

// The frame's corners as text, row by row: '.' the skin, 'O' outer, 'i' inner, 'w' white.
std::string Corner(const std::vector<FrameStroke>& strokes, int left, int top) {
  std::string art;
  for (int y = top; y < top + 4; ++y) {
    for (int x = left; x < left + 4; ++x) {
      char c = '.';
      for (const auto& s : strokes)
        if (s.area.Contains({x, y})) c = s.colour == kButtonOuter ? 'O' : s.colour == kButtonInner ? 'i' : 'w';
      art += c;
    }
    art += '/';
  }
  return art;
}

TEST(ButtonFrame, CornersOfTheLeftButton) {
  const auto frame = ButtonFrame({70, 100, 110, 120});
  EXPECT_EQ(Corner(frame, 70, 100), "..OO/.Oii/O.iw/Oiww/");
  EXPECT_EQ(Corner(frame, 106, 100), "OO../iiO./wi.O/wwiO/");
  EXPECT_EQ(Corner(frame, 70, 116), "Oiww/O.iw/.O.i/..OO/");
  EXPECT_EQ(Corner(frame, 106, 116), "wwiO/wi.O/i.O./OO../");
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
  const auto notice = WindowSettingsFor(NotifierKind::Notice);
  EXPECT_EQ(invitation.skinId, 217);
  EXPECT_EQ(WindowSettingsFor(NotifierKind::Vote).skinId, 229);
  EXPECT_EQ(invitation.textFont, (FontSpec{"\xB1\xBC\xB8\xB2", 90, 0}));  // "굴림"
  EXPECT_EQ(notice.textArea, (Rect{3, 54, 220, 107}));
  EXPECT_TRUE(notice.leftButton.IsEmpty());
  EXPECT_EQ(invitation.hoverColour, (Rgb{255, 0, 0}));  // the callers' 0xFF0000
  EXPECT_EQ(LeftLabel(NotifierKind::Invitation), "\xC2\xFC\xBF\xA9");  // 참여
  EXPECT_EQ(RightLabel(NotifierKind::Vote), "\xB9\xDD\xB4\xEB");      // 반대
  EXPECT_EQ(PlacementOf(kWindowTextFormat), (TextPlacement{HAlign::Center, VAlign::Top, true, true, true}));
}

}  // namespace
}  // namespace orvinta::components
