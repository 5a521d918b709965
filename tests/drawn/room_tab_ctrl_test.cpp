#include <gtest/gtest.h>

#include <QHelpEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include "client/components/room_tabs/room_tab_ctrl.h"
#include "platform/qt/qt_text.h"
#include "tests/drawn/drawn_test_support.h"

namespace orvinta::components {
namespace {

using drawn_test::At;

const QColor kStrip(252, 252, 252);
const std::string kOneToOne = platform::qt::ToCp949(QStringLiteral("밥님과의 1:1 대화"));

// The waiting room, a 1:1 room (current) and a room with news, as the window shows them.
void FillTabs(CRoomTabCtrl& tabs) {
  tabs.resize(600, RoomTabStrip::kHeight);
  tabs.AddTab(platform::qt::ToCp949(QStringLiteral("오르빈타 홈")));
  tabs.AddTab(kOneToOne);
  tabs.AddTab(platform::qt::ToCp949(QStringLiteral("<b>아주 긴 방 제목이</b> 잘려서 보입니다")));
  tabs.SelectTab(1);
  tabs.SetTabImage(2, 1);
}

class RoomTabPixels : public testing::TestWithParam<int> {};

TEST_P(RoomTabPixels, SchemesOutlinesAndCloseBoxes) {
  CRoomTabCtrl tabs;
  FillTabs(tabs);
  const QImage image = drawn_test::Render(tabs, GetParam());
  drawn_test::SavePicture(image, QStringLiteral("room_tabs_%1x.png").arg(GetParam()));

  struct Probe {
    int x, y;
    QColor colour;
  };
  const Probe probes[] = {
      // current tab 1 at x 120..239, top row 0
      {124, 23, {255, 255, 255}}, {120, 12, {179, 179, 179}}, {121, 12, {235, 235, 235}}, {125, 0, {179, 179, 179}},
      {120, 0, kStrip}, {121, 0, kStrip}, {121, 1, {179, 179, 179}}, {122, 1, {235, 235, 235}},
      // tab 2 with news, one pixel lower
      {244, 23, {233, 235, 170}}, {240, 12, {181, 177, 124}}, {241, 12, {254, 251, 186}}, {250, 0, kStrip},
      {250, 1, {181, 177, 124}},
      // waiting room: other background tab, no close box
      {4, 23, {235, 235, 235}}, {0, 12, {179, 179, 179}}, {1, 12, {255, 255, 255}}, {104, 7, {235, 235, 235}},
      // close boxes: icon 0 on the current tab, icon 1 on the tab with news
      {224, 6, {179, 179, 179}}, {344, 7, {181, 177, 124}},
      // the line along the bottom, and the strip after the last tab
      {60, 25, {179, 179, 179}}, {500, 25, {179, 179, 179}}, {500, 10, kStrip}};
  for (const Probe& p : probes) EXPECT_EQ(At(image, p.x, p.y), p.colour) << p.x << "," << p.y;
}

INSTANTIATE_TEST_SUITE_P(Scales, RoomTabPixels, testing::Values(1, 2),
                         [](const auto& info) { return "x" + std::to_string(info.param); });

TEST(RoomTabCtrl, OneToOneTitleFitsAndCutTitlesShowWholeAsPlainTextInATooltip) {
  CRoomTabCtrl tabs;
  FillTabs(tabs);
  tabs.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&tabs));
  EXPECT_FALSE(tabs.IsTextCut(1)) << "a 1:1 title is shown whole";
  EXPECT_TRUE(tabs.IsTextCut(2));

  QHelpEvent help(QEvent::ToolTip, QPoint(260, 12), tabs.mapToGlobal(QPoint(260, 12)));
  QApplication::sendEvent(&tabs, &help);
  // Whole, and markup in a title shows as the text it is.
  EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("&lt;b&gt;아주 긴 방 제목이&lt;/b&gt; 잘려서 보입니다")))
      << QToolTip::text().toStdString();
  QToolTip::hideText();
}

TEST(RoomTabCtrl, SelectsOnPressAndAsksToCloseOnReleaseOverTheBox) {
  CRoomTabCtrl tabs;
  FillTabs(tabs);
  tabs.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&tabs));
  QSignalSpy selected(&tabs, &CRoomTabCtrl::tabSelected);
  QSignalSpy close(&tabs, &CRoomTabCtrl::closeRequested);

  drawn_test::MoveMouse(&tabs, QPoint(350, 12));
  EXPECT_EQ(tabs.cursor().shape(), Qt::PointingHandCursor);
  drawn_test::MoveMouse(&tabs, QPoint(300, 12));
  EXPECT_EQ(tabs.cursor().shape(), Qt::ArrowCursor);
  drawn_test::MoveMouse(&tabs, QPoint(110, 12));  // the waiting room's box area: no hand
  EXPECT_EQ(tabs.cursor().shape(), Qt::ArrowCursor);

  QTest::mousePress(&tabs, Qt::LeftButton, {}, QPoint(350, 12));
  QTest::mouseRelease(&tabs, Qt::LeftButton, {}, QPoint(350, 12));
  ASSERT_EQ(selected.count(), 1);
  EXPECT_EQ(selected.at(0).at(0).toInt(), 2);
  EXPECT_EQ(tabs.SelectedTab(), 2);
  EXPECT_EQ(close.count(), 0) << "the close request is posted";
  QCoreApplication::processEvents();
  ASSERT_EQ(close.count(), 1);
  EXPECT_EQ(close.at(0).at(0).toInt(), 2);

  // The waiting room never asks, and a release on a tab's text only selects.
  QTest::mouseClick(&tabs, Qt::LeftButton, {}, QPoint(110, 12));
  QTest::mouseClick(&tabs, Qt::LeftButton, {}, QPoint(160, 12));
  QCoreApplication::processEvents();
  EXPECT_EQ(close.count(), 1);
  EXPECT_EQ(selected.count(), 3);
  EXPECT_EQ(tabs.SelectedTab(), 1);

  // Selecting by program does not report.
  tabs.SelectTab(0);
  EXPECT_EQ(selected.count(), 3);
}

}  // namespace
}  // namespace orvinta::components
