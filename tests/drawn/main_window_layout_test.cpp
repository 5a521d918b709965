// The main window's rectangles run through the anchor arithmetic: at the
// designed size and larger, controls keep clear of each other, stay inside
// the window and keep the places the window's repaint rules count on.
#include <gtest/gtest.h>

#include <string>

#include "client/components/main_window_layout.h"
#include "client/components/room_tabs/room_tab_strip.h"

namespace orvinta::components::main_layout {
namespace {

std::string Show(const Rect& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}

bool Inside(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

struct SizeCase {
  const char* name;
  Size client;
};

class MainLayoutAt : public testing::TestWithParam<SizeCase> {
 protected:
  void SetUp() override {
    for (const Placement& p : kPlacements) {
      layout_.AddAnchor(static_cast<std::uintptr_t>(p.slot), p.rect, kDesigned, p.topLeft, p.bottomRight);
    }
  }
  Rect At(Slot slot) const { return *layout_.RectFor(static_cast<std::uintptr_t>(slot), GetParam().client); }

  AnchorLayout layout_;
};

TEST_P(MainLayoutAt, ControlsKeepClearOfEachOtherAndInsideTheWindow) {
  const Size client = GetParam().client;
  const Rect window{0, 0, client.width, client.height};
  // Bands and the input field are drawn behind controls; everything else owns its pixels.
  const Slot controls[] = {Slot::NavigationBar, Slot::Tabs,  Slot::Title,       Slot::Views,
                           Slot::Pane,          Slot::Toolbar, Slot::Input,     Slot::StatusLabel,
                           Slot::StatusCombo,   Slot::EndButton};
  for (const Placement& p : kPlacements) {
    EXPECT_TRUE(Inside(At(p.slot), window)) << static_cast<int>(p.slot) << " " << Show(At(p.slot));
  }
  for (Slot a : controls) {
    for (Slot b : controls) {
      if (a < b) {
        EXPECT_FALSE(Overlap(At(a), At(b))) << static_cast<int>(a) << " " << static_cast<int>(b);
      }
    }
  }
  EXPECT_TRUE(Inside(At(Slot::Toolbar), At(Slot::ComposerBand)));
  EXPECT_TRUE(Inside(At(Slot::InputField), At(Slot::ComposerBand)));
  EXPECT_TRUE(Inside(At(Slot::Input), At(Slot::InputField)));
}

TEST_P(MainLayoutAt, TheWindowsFixedPlacesHold) {
  const Size client = GetParam().client;
  const int dx = client.width - kDesigned.width, dy = client.height - kDesigned.height;
  // The tab strip is the band the tab control repaints when it scrolls.
  EXPECT_EQ(At(Slot::Tabs), TabBandRect(client.width));
  // A colour picker's drop-down repaints the bottom 93 pixels: the composer lies in them.
  EXPECT_GE(At(Slot::ComposerBand).top, client.height - 93);
  // The composer and the status row keep their heights; the transcript and pane take the gain.
  EXPECT_EQ(At(Slot::Input).Height(), PlacementOf(Slot::Input).rect.Height());
  EXPECT_EQ(At(Slot::Views).Height(), PlacementOf(Slot::Views).rect.Height() + dy);
  EXPECT_EQ(At(Slot::Views).Width(), PlacementOf(Slot::Views).rect.Width() + dx);
  EXPECT_EQ(At(Slot::Pane).Width(), PlacementOf(Slot::Pane).rect.Width());
  // The bands stand right against the panels they frame.
  EXPECT_EQ(At(Slot::LeftBand).right, At(Slot::Views).left);
  EXPECT_EQ(At(Slot::RightBand).left, At(Slot::Pane).right);
  EXPECT_EQ(At(Slot::EndButton).right, client.width - 15);
}

INSTANTIATE_TEST_SUITE_P(Sizes, MainLayoutAt,
                         testing::Values(SizeCase{"Designed", kDesigned}, SizeCase{"OnePixelMore", {601, 416}},
                                         SizeCase{"Larger", {800, 600}}, SizeCase{"WideAndLow", {1280, 415}},
                                         SizeCase{"Large", {1600, 1000}}),
                         [](const testing::TestParamInfo<SizeCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvinta::components::main_layout
