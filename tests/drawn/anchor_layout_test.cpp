#include <gtest/gtest.h>

#include <map>
#include <string>

#include "client/components/resize/anchor_layout.h"

namespace orvinta::components {
namespace {

constexpr Size kDesigned{600, 415};

struct AnchorCase {
  const char* name;
  Rect designed;  // at 600 x 415
  Anchor topLeft, bottomRight;
  Size client;
  Rect expected;
};

class AnchorPlacement : public testing::TestWithParam<AnchorCase> {};

TEST_P(AnchorPlacement, KeepsDistancesFromTheAnchors) {
  const AnchorCase& c = GetParam();
  AnchorLayout layout;
  layout.AddAnchor(1, c.designed, kDesigned, c.topLeft, c.bottomRight);
  EXPECT_EQ(layout.RectFor(1, kDesigned), c.designed);
  EXPECT_EQ(layout.RectFor(1, c.client), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Anchors, AnchorPlacement,
    testing::Values(
        AnchorCase{"StretchKeepsFourMargins", {15, 85, 395, 322}, kAnchorTopLeft, kAnchorBottomRight, {800, 600},
                   {15, 85, 595, 507}},
        AnchorCase{"TopRightWithoutSecondAnchorMovesOnly", {550, 5, 580, 25}, kAnchorTopRight, kNoAnchor, {800, 600},
                   {750, 5, 780, 25}},
        AnchorCase{"BottomRightButton", {500, 380, 580, 405}, kAnchorBottomRight, kNoAnchor, {700, 500},
                   {600, 465, 680, 490}},
        AnchorCase{"WidthOnlyStrip", {15, 37, 585, 63}, kAnchorTopLeft, kAnchorTopRight, {1024, 415},
                   {15, 37, 1009, 63}},
        // 600*33/100 = 198 and 600*66/100 = 396 when added; 701*33/100 = 231 and 701*66/100 = 462 after.
        AnchorCase{"OddPercentagesTruncate", {100, 10, 400, 300}, {33, 0}, {66, 100}, {701, 500}, {133, 10, 466, 385}},
        // 415*50/100 = 207 when added, 417*50/100 = 208 after.
        AnchorCase{"CentreAnchorOddHeight", {300, 200, 310, 210}, kAnchorMiddleCentre, kAnchorMiddleCentre, {603, 417},
                   {301, 201, 311, 211}},
        AnchorCase{"ShrinkingBelowDesignKeepsArithmetic", {15, 85, 395, 322}, kAnchorTopLeft, kAnchorBottomRight,
                   {300, 200}, {15, 85, 95, 107}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AnchorLayout, OneBatchWithOnlyTheChildrenThatChange) {
  AnchorLayout layout;
  layout.AddAnchor(1, {15, 85, 395, 322}, kDesigned, kAnchorTopLeft, kAnchorBottomRight);  // stretches
  layout.AddAnchor(2, {15, 5, 100, 25}, kDesigned, kAnchorTopLeft);                       // stays
  layout.AddAnchor(3, {550, 5, 580, 25}, kDesigned, kAnchorTopRight);                     // moves
  layout.AddAnchor(4, {15, 330, 60, 350}, kDesigned, kAnchorBottomLeft, kAnchorBottomRight);  // width only
  std::map<std::uintptr_t, Rect> now = {
      {1, {15, 85, 395, 322}}, {2, {15, 5, 100, 25}}, {3, {550, 5, 580, 25}}, {4, {15, 330, 60, 350}}};

  const auto batch = layout.Arrange({700, 415}, [&now](std::uintptr_t child) { return now.at(child); });
  ASSERT_EQ(batch.size(), 3u);
  EXPECT_EQ(batch[0].child, 1u);
  EXPECT_FALSE(batch[0].moved);
  EXPECT_TRUE(batch[0].resized);
  EXPECT_EQ(batch[1].child, 3u);
  EXPECT_TRUE(batch[1].moved);
  EXPECT_FALSE(batch[1].resized);
  EXPECT_EQ(batch[1].rect, (Rect{650, 5, 680, 25}));
  EXPECT_EQ(batch[2].child, 4u);
  EXPECT_EQ(batch[2].rect, (Rect{15, 330, 160, 350}));

  // Re-adding replaces; removing drops the child from every later batch.
  layout.AddAnchor(2, {15, 5, 100, 25}, kDesigned, kAnchorTopRight);
  layout.RemoveAnchor(1);
  EXPECT_EQ(layout.Count(), 3u);
  EXPECT_FALSE(layout.Contains(1));
  const auto next = layout.Arrange({700, 415}, [&now](std::uintptr_t child) { return now.at(child); });
  ASSERT_EQ(next.size(), 3u);
  EXPECT_EQ(next[0].child, 2u);
  EXPECT_EQ(next[0].rect, (Rect{115, 5, 200, 25}));
}

}  // namespace
}  // namespace orvinta::components
