// The reader's place in a room's native transcript view, offscreen: lines
// follow the newest only at the bottom, a bar counts what arrived while the
// reader was scrolled up, lines that came while the room was in the
// background start behind a marker when it is shown again, and finding
// reaches every line.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include "client/components/transcript/announcement_pace.h"
#include "client/components/transcript_find_bar.h"
#include "tests/components/transcript_view_fixture.h"

namespace orvinta::components {
namespace {

using TranscriptReadingTest = TranscriptViewTest;

TEST_F(TranscriptReadingTest, ScrolledUpReaderKeepsThePlaceAndTheBarCountsWhatArrived) {
  AddLines("old", 59);
  Add(window::InfoLine("old59"));
  view.SetShown(true);  // told again while shown: the lines still follow
  view.Flush();
  ASSERT_TRUE(view.AtBottom()) << "at the bottom, lines follow the newest";
  view.ScrollToLine(5);
  AddLines("new", 12);
  EXPECT_EQ(view.NewLinesBarText(), QStringLiteral("새 메시지 12개 ↓"));
  EXPECT_EQ(view.TopLine(), 5u);
  EXPECT_FALSE(Text().contains(QStringLiteral("새 메시지")));  // the bar is no line

  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(view.viewport()->width() / 2, view.viewport()->height() - 14));
  EXPECT_TRUE(view.AtBottom());
  EXPECT_EQ(view.NewLinesBarText(), QString());
  // Back at the bottom, lines follow again.
  AddLines("after", 20);
  EXPECT_TRUE(view.AtBottom());
  EXPECT_EQ(view.LinesOnScreen().second, lines.size());
  // Scrolled up again, End, or the user's own line, bring the view to the newest.
  view.ScrollToLine(5);
  QTest::keyClick(&view, Qt::Key_End);
  EXPECT_TRUE(view.AtBottom());
  view.ScrollToLine(5);
  Add(window::InfoLine("mine"));
  view.JumpToNewest();
  view.Flush();
  EXPECT_TRUE(view.AtBottom());
}

// Older lines put above keep what the reader sees pixel for pixel; reaching
// the oldest line asks once until the reader leaves it or lines come above.
TEST_F(TranscriptReadingTest, LinesPutInFrontKeepThePlaceAndTheTopAsksOnce) {
  AddLines("line", 60);
  int asked = 0;
  view.SetReachedTop([&] { ++asked; });
  view.ScrollToLine(10);
  const QImage before = view.viewport()->grab().toImage();
  const auto putInFront = [&](int count) {
    lines.AddInFront(std::vector<window::TranscriptLine>(count, Chat("older")));
    view.LinesAddedInFront();
    view.Flush();
  };
  putInFront(30);
  EXPECT_EQ(view.TopLine(), 40u);
  EXPECT_EQ(view.viewport()->grab().toImage(), before);
  EXPECT_EQ(asked, 0);
  QTest::keyClick(&view, Qt::Key_Home);
  QTest::keyClick(&view, Qt::Key_Up);
  EXPECT_EQ(asked, 1);
  putInFront(5);
  EXPECT_EQ(view.TopLine(), 5u);
  view.verticalScrollBar()->setValue(0);  // dragged to the top
  EXPECT_EQ(asked, 2);
}

TEST_F(TranscriptReadingTest, LinesFromTheBackgroundStartBehindAMarkerOnReturn) {
  AddLines("read", 60);
  view.SetShown(false);
  AddLines("unread", 40);
  EXPECT_EQ(view.LaidOutLines(), 0u) << "a hidden view lays nothing out";
  // The marker is the view's own: the copied transcript has the lines alone.
  EXPECT_TRUE(Text().contains(QStringLiteral("read59\nunread0")));

  view.SetShown(true);
  EXPECT_EQ(view.TopLine(), 60u) << "the view starts at the marker";
  EXPECT_EQ(view.MarkerLine(), 60u);
  EXPECT_EQ(view.LineText(view.TopLine()), QStringLiteral("unread0"));
  EXPECT_EQ(view.NewLinesBarText(), QStringLiteral("새 메시지 40개 ↓"));

  // A second stay in the background moves the marker to the new first line.
  view.SetShown(false);
  AddLines("later", 5);
  view.SetShown(true);
  EXPECT_EQ(view.MarkerLine(), 100u);
  EXPECT_TRUE(view.AtBottom()) << "as near the marker as the lines after it allow";
}

TEST_F(TranscriptReadingTest, AMentionIsTintedOnScreenButNotInTheCopy) {
  auto line = Chat("hi");
  line.mention = true;
  Add(line);
  view.Flush();
  const QImage shot = view.viewport()->grab().toImage();
  EXPECT_EQ(shot.pixelColor(1, 10), QColor(0xE8, 0x91, 0x2D));
  EXPECT_EQ(shot.pixelColor(490, 10), QColor(0xFF, 0xF1, 0xD6));
  EXPECT_EQ(Text(), QStringLiteral("n ▶ hi"));
  // Screen readers read the lines as plain text.
  QAccessibleInterface* read = QAccessible::queryAccessibleInterface(&view);
  ASSERT_TRUE(read && read->textInterface());
  EXPECT_EQ(read->textInterface()->text(0, -1), QStringLiteral("n ▶ hi"));
}

TEST_F(TranscriptReadingTest, TheNewLinesBarIsAButtonToScreenReaders) {
  AddLines("more", 40);
  view.ScrollToLine(0);
  AddLines("new", 3);
  QAccessibleInterface* read = QAccessible::queryAccessibleInterface(&view);
  ASSERT_EQ(read->childCount(), 1);
  EXPECT_EQ(read->child(0)->text(QAccessible::Name), QStringLiteral("새 메시지 3개 ↓"));
  read->child(0)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_TRUE(view.AtBottom());
}

TEST(AnnouncementPace, ReadsAtOnceAfterAQuietSecondElseASecondAfterTheLastReading) {
  AnnouncementPace pace;
  EXPECT_EQ(pace.LinesCame(5000), 0);
  pace.Read(5000);
  EXPECT_EQ(pace.LinesCame(5300), 700);
  EXPECT_EQ(pace.LinesCame(5400), std::nullopt) << "due already: taken along";
  pace.Read(6000);
  EXPECT_EQ(pace.LinesCame(9000), 0);
}

TEST_F(TranscriptReadingTest, FindReachesEveryLineAndBringsTheMatchIntoView) {
  for (int i = 0; i < 1500; ++i) {
    Add(Chat("line" + std::to_string(i) + " " + (i == 5 ? "바늘Needle" : i == 1400 ? "needle과 실" : "hay")));
  }
  view.Flush();
  // The newest match first, then around to the oldest.
  EXPECT_EQ(view.Find("NEEDLE"), std::make_pair(2, 2));
  EXPECT_EQ(view.SelectedText(), "needle");
  EXPECT_EQ(view.FindStep(1), std::make_pair(1, 2));
  EXPECT_EQ(view.SelectedText(), "Needle");
  const auto [first, last] = view.LinesOnScreen();
  EXPECT_TRUE(first <= 5 && 5 < last) << "the match is in view";
  EXPECT_FALSE(view.AtBottom());
  // Korean as typed; none found.
  EXPECT_EQ(view.Find(QStringLiteral("바늘")), std::make_pair(1, 1));
  EXPECT_EQ(view.Find("nothing"), std::make_pair(0, 0));
  EXPECT_EQ(view.FindStep(-1), std::make_pair(0, 0));
}

TEST_F(TranscriptReadingTest, FindBarCountsStepsAndClosesAndCopyTakesTheSelection) {
  for (const char* text : {"hello one", "other", "HELLO two"}) Add(window::InfoLine(text));
  view.Flush();
  auto* bar = view.findChild<TranscriptFindBar*>();
  ASSERT_NE(bar, nullptr);
  bar->Open();
  auto* field = bar->findChild<QLineEdit*>();
  field->setText("hello");
  EXPECT_EQ(bar->CountText(), "2/2");
  QTest::keyClick(field, Qt::Key_Return);  // back in time
  EXPECT_EQ(bar->CountText(), "1/2");
  QTest::keyClick(field, Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_EQ(bar->CountText(), "2/2");
  QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "HELLO");
  const auto red = [&] { return field->grab().toImage().pixelColor(field->width() - 6, 8).green() < 230; };
  EXPECT_FALSE(red());
  field->setText("nowhere");
  EXPECT_TRUE(bar->CountText() == "0/0" && red());  // a cue beside the count
  field->setText("hello");
  QTest::keyClick(field, Qt::Key_Escape);
  EXPECT_FALSE(bar->isVisible());
  EXPECT_EQ(view.SelectedText(), QString());
}

}  // namespace
}  // namespace orvinta::components
