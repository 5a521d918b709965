#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "client/components/room_tabs/room_tab_strip.h"

namespace orvinta::components {
namespace {

// Three tabs in a 600-pixel strip, tab 1 current, tab 2 with news.
RoomTabStrip ThreeTabs(int width = 600) {
  RoomTabStrip strip;
  strip.SetWidth(width);
  for (const char* text : {"home", "room a", "room b"}) strip.Insert(strip.Count(), text);
  strip.Select(1);
  strip.SetImage(2, kTabImageActivity);
  return strip;
}

TEST(RoomTabStrip, GeometryOfEachTab) {
  const RoomTabStrip strip = ThreeTabs();
  // Tab 1 (current) sits at the top; tabs 0 and 2 one pixel lower.
  EXPECT_EQ(strip.ItemRect(1), (Rect{120, 0, 240, 25}));
  EXPECT_EQ(strip.DrawnRect(1), (Rect{120, 0, 240, 25}));
  EXPECT_EQ(strip.DrawnRect(2), (Rect{240, 1, 360, 25}));
  EXPECT_EQ(strip.CloseBox(1), (Rect{224, 4, 236, 21}));
  EXPECT_EQ(strip.CloseIconRect(1), (Rect{221, 4, 237, 20}));
  EXPECT_EQ(strip.CloseIconRect(2), (Rect{341, 5, 357, 21}));
  // Text inside the border and clear of the close box; 2 px right, and 2 lower for background tabs.
  EXPECT_EQ(strip.TextRect(1), (Rect{125, 0, 222, 25}));
  EXPECT_EQ(strip.TextRect(2), (Rect{245, 2, 342, 27}));
  EXPECT_EQ(strip.TextRect(0), (Rect{5, 2, 117, 27}));  // no close box on the waiting room
  EXPECT_EQ(strip.BaseLine(), (Rect{0, 25, 600, 26}));
  EXPECT_EQ(TabBandRect(600), (Rect{15, 37, 585, 63}));
}

TEST(RoomTabStrip, LookAndCloseIconFollowSelectionAndNews) {
  RoomTabStrip strip = ThreeTabs();
  EXPECT_EQ(strip.Look(0), TabLook::Background);
  EXPECT_EQ(strip.Look(1), TabLook::Current);
  EXPECT_EQ(strip.Look(2), TabLook::Activity);
  EXPECT_FALSE(strip.CloseIconOf(0).has_value());
  EXPECT_EQ(strip.CloseIconOf(1), CloseIcon::Plain);
  EXPECT_EQ(strip.CloseIconOf(2), CloseIcon::Activity);
  strip.SetImage(2, 7);  // any other image is no news
  EXPECT_EQ(strip.Look(2), TabLook::Background);
  strip.SetImage(2, kTabImageActivity);
  strip.Select(2);  // selecting it turns it white
  EXPECT_EQ(strip.Look(2), TabLook::Current);
  EXPECT_EQ(strip.CloseIconOf(2), CloseIcon::Plain);
}

struct MouseCase {
  const char* name;
  int x, y;
  TabMouseOutcome move;
  TabMouseOutcome release;
};

class RoomTabMouse : public testing::TestWithParam<MouseCase> {};

TEST_P(RoomTabMouse, MoveAndRelease) {
  const RoomTabStrip strip = ThreeTabs();
  const MouseCase& c = GetParam();
  const TabMouseOutcome move = strip.OnMouseMove(c.x, c.y);
  const TabMouseOutcome release = strip.OnLeftButtonUp(c.x, c.y);
  EXPECT_EQ(move.handCursor, c.move.handCursor);
  EXPECT_EQ(move.closeTab, -1);
  EXPECT_EQ(move.defaultHandling, c.move.defaultHandling);
  EXPECT_EQ(release.handCursor, c.release.handCursor);
  EXPECT_EQ(release.closeTab, c.release.closeTab);
  EXPECT_EQ(release.defaultHandling, c.release.defaultHandling);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, RoomTabMouse,
    testing::Values(MouseCase{"BoxOfCurrentTab", 230, 10, {true, -1, false}, {true, 1, false}},
                    MouseCase{"BoxCornersInclusiveExclusive", 224, 4, {true, -1, false}, {true, 1, false}},
                    MouseCase{"JustRightOfBox", 236, 10, {}, {}},
                    MouseCase{"JustBelowBox", 230, 21, {}, {}},
                    MouseCase{"BoxOfTabWithNews", 350, 12, {true, -1, false}, {true, 2, false}},
                    MouseCase{"WaitingRoomBoxAreaNeverCloses", 110, 10, {false, -1, false}, {false, -1, false}},
                    MouseCase{"PastTheLastTab", 500, 10, {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RoomTabStrip, HitTestsAndSelectionBookkeeping) {
  RoomTabStrip strip = ThreeTabs();
  EXPECT_EQ(strip.TabAt(0, 0), 0);
  EXPECT_EQ(strip.TabAt(359, 24), 2);
  EXPECT_EQ(strip.TabAt(360, 10), -1);
  EXPECT_EQ(strip.TabAt(10, 25), -1);  // the base line is no tab

  strip.Insert(1, "inserted");
  EXPECT_EQ(strip.Selected(), 2);  // the current room stays current
  strip.Delete(0);
  EXPECT_EQ(strip.Selected(), 1);
  strip.Delete(1);
  EXPECT_EQ(strip.Selected(), -1);  // deleting the current tab leaves none; the owner picks
  strip.Delete(9);
  EXPECT_EQ(strip.Count(), 2);
  EXPECT_EQ(strip.Text(0), "inserted");
}

TEST(RoomTabStrip, NarrowsTabsBeforeScrollingSideways) {
  RoomTabStrip strip;
  strip.SetWidth(570);  // the main window's strip at its designed size
  for (int i = 0; i < 5; ++i) strip.Insert(i, "tab " + std::to_string(i));
  strip.Select(4);
  EXPECT_EQ(strip.TabAt(1, 5), 0) << "the waiting room stays in sight";
  EXPECT_EQ(strip.ItemRect(4), (Rect{456, 0, 570, 25}));
}

TEST(RoomTabStrip, ScrollsSidewaysWhenTabsOverflow) {
  RoomTabStrip strip;
  strip.SetWidth(400);  // with arrows (400-32)/72 = 5 whole tabs fit
  for (int i = 0; i < 12; ++i) strip.Insert(i, "tab " + std::to_string(i));
  ASSERT_TRUE(strip.Overflows());
  EXPECT_EQ(strip.ScrollButton(-1), (Rect{368, 0, 384, 25}));
  EXPECT_EQ(strip.ScrollButton(1), (Rect{384, 0, 400, 25}));
  EXPECT_TRUE(strip.ScrollBy(2));
  EXPECT_EQ(strip.TabAt(5, 5), 2);
  EXPECT_TRUE(strip.ScrollBy(20));
  EXPECT_EQ(strip.FirstVisible(), 7);  // the last tab stays whole
  EXPECT_EQ(strip.TabAt(370, 5), -1);  // under the arrows

  strip.Select(0);  // a selected tab is brought into view
  EXPECT_EQ(strip.FirstVisible(), 0);
  strip.Select(11);
  EXPECT_EQ(strip.FirstVisible(), 7);
  strip.SetWidth(1000);
  EXPECT_EQ(strip.FirstVisible(), 0);
}

}  // namespace
}  // namespace orvinta::components
