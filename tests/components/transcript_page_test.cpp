// A room's native transcript view, offscreen: lines land in order, a cleared
// screen drops what came before, text that could break markup or formatting
// arrives as it was given, and only the lines on screen are laid out.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>
#include <QTextBoundaryFinder>

#include "client/components/js_literal.h"
#include "client/components/main_window.h"
#include "client/components/transcript/line_layout.h"
#include "client/components/transcript/qt_transcript_view.h"
#include "tests/components/transcript_view_fixture.h"

namespace orvinta::components {
namespace {

TEST(JsLiteral, QuotesWhatCouldEndOrBreakTheString) {
  const struct {
    QString text, literal;
  } cases[] = {
      {"plain", "\"plain\""},
      {"a\"b\\c", "\"a\\\"b\\\\c\""},
      {"line\nbreak\r", "\"line\\u000abreak\\u000d\""},
      {QString(QChar(0x2028)), "\"\\u2028\""},
      {QStringLiteral("한글 </script>"), QStringLiteral("\"한글 </script>\"")},
      {"50%1 %2", "\"50\\u00251 \\u00252\""},
  };
  for (const auto& c : cases) EXPECT_EQ(JsLiteral(c.text), c.literal) << c.text.toStdString();
}

using TranscriptPageTest = TranscriptViewTest;

TEST_F(TranscriptPageTest, LinesBeforeAClearAreGoneAndLaterOnesFollowInOrder) {
  AddLines("first", 2);
  lines.Clear();
  view.LinesCleared();
  Add(window::ClearedNoticeLine());
  AddLines("third", 2);
  EXPECT_EQ(Text(), QStringLiteral("▶ 채팅 화면을 청소하였습니다. ◀\nthird0\nthird1"));
}

TEST_F(TranscriptPageTest, MarkupBreakingTextArrivesAsGiven) {
  Add(Chat("\"'\\ </b> %1 %2 %%\r\n 한글"));
  Add(window::InfoLine("50%1 %2 %3 %% &lt;b&gt;"));
  view.Flush();
  // White space runs read as one space, as a page shows them.
  EXPECT_EQ(Text(), QStringLiteral("n ▶ \"'\\ </b> %1 %2 % 한글\n50%1 %2 %3 %% <b>"));
}

TEST_F(TranscriptPageTest, ManyLinesStayInOrderAndOnlyThoseOnScreenAreLaidOut) {
  constexpr int kLines = 3500;
  AddLines("line", kLines);
  EXPECT_LE(view.LaidOutLines(), transcript::LayoutCache::kCapacity);
  EXPECT_TRUE(view.AtBottom());
  QStringList expected;
  for (int i = 0; i < kLines; ++i) expected << QStringLiteral("line%1").arg(i);
  EXPECT_EQ(Text(), expected.join(QLatin1Char('\n')));
  // Scrolled to the top, the first lines are drawn.
  view.ScrollToLine(0);
  EXPECT_EQ(view.LinesOnScreen().first, 0u);
  EXPECT_FALSE(view.AtBottom());
}

TEST_F(TranscriptPageTest, ClearingTheScreenDropsEveryLine) {
  AddLines("old", 1000);
  lines.Clear();
  view.LinesCleared();
  AddLines("new", 1);
  EXPECT_EQ(Text(), QStringLiteral("new0"));
  EXPECT_EQ(view.TopLine(), 0u);
}

TEST_F(TranscriptPageTest, AReaderAtTheOldestLineStaysThereAsTheOldestGo) {
  AddLines("line", window::TranscriptLines::kMaxLines);
  view.ScrollToLine(0);
  AddLines("more", 5);  // the five oldest go
  EXPECT_EQ(view.LineText(view.TopLine()), QStringLiteral("line5"));
  EXPECT_EQ(view.NewLinesBarText(), QStringLiteral("새 메시지 5개 ↓"));
  QTest::keyClick(&view, Qt::Key_End);
  EXPECT_EQ(view.LinesOnScreen().second, lines.size());
}

TEST(TranscriptDroppedLines, ARowAboveTheOldestLineSaysHowManyWent) {
  window::TranscriptLines dropping(2), drawnAlike;
  for (const char* text : {"a0", "a1", "a2"}) dropping.Add(window::InfoLine(text));
  for (const auto& line : {window::DroppedNoticeLine(1), window::InfoLine("a1"), window::InfoLine("a2")}) {
    drawnAlike.Add(line);
  }
  TranscriptWidget told(dropping, {}), alike(drawnAlike, {});
  for (TranscriptWidget* view : {&told, &alike}) {
    view->resize(500, 300);
    view->SetShown(true);
    view->Flush();
  }
  // Drawn as a centred line would be, and read by screen readers, but no line of the room.
  EXPECT_EQ(told.viewport()->grab().toImage(), alike.viewport()->grab().toImage());
  EXPECT_EQ(told.DroppedNoticeText(), QStringLiteral("▷ 이전 대화 1줄은 보관 한도를 넘어 지워졌습니다 ◁"));
  EXPECT_EQ(QAccessible::queryAccessibleInterface(&told)->textInterface()->text(0, -1),
            told.DroppedNoticeText() + "\na1\na2");
  EXPECT_EQ(told.LineText(0), "a1");
}

TEST_F(TranscriptPageTest, KoreanBreaksBetweenWordsAndAnOverlongWordWraps) {
  std::string korean;
  for (int i = 0; i < 40; ++i) korean += "가나다라마바사 ";
  for (const std::string& text : {std::string(600, 'x'), korean}) {
    const auto laid = transcript::LayOut(Chat(text), {}, 500);
    ASSERT_GT(laid->text.lineCount(), 1);
    for (int i = 0; i < laid->text.lineCount(); ++i) {
      const QTextLine row = laid->text.lineAt(i);
      EXPECT_LE(row.naturalTextWidth(), 500 - transcript::kTextLeft + 1) << "no overflow";
      if (text[0] != 'x' && i > 0) EXPECT_EQ(laid->text.text()[row.textStart() - 1], QLatin1Char(' ')) << "line " << i;
    }
  }
}

// What the view draws, read back as pixels: each chat line's band in its back colour, a
// white nick on a dark band only, the tint and its edge on the line naming the user only.
TEST_F(TranscriptPageTest, BandsNicksAndTheMentionTintAreDrawnInTheirColours) {
  struct Case { const char* wire; bool mention; QRgb band; bool whiteNick; };
  const Case cases[] = {{"|FFFFFF|9|x|000080|0|MMMMMM|dark back", false, 0x000080, true},
                        {"|000000|9|x|CCEEFF|0|MMMMMM|naming you", true, 0xCCEEFF, false}};
  for (const auto& c : cases) {
    window::TranscriptLine line = window::ChatLineFrom(compose::ParseChatLine(c.wire), {}).value();
    line.mention = c.mention;
    Add(line);
  }
  Add(window::InfoLine("an info line"));
  view.Flush();
  const QImage image = view.viewport()->grab().toImage();
  const auto rgb = [&image](int x, int y) { return image.pixel(x, y) & 0xFFFFFF; };
  for (const auto& c : cases) {
    int rows = 0, white = 0, tinted = 0, edges = 0;  // rows of the line's band; edges down the whole view
    for (int y = 0; y < image.height(); ++y) {
      edges += rgb(1, y) == 0xE8912D;
      if (rgb(36, y) != c.band) continue;
      rows += 1, tinted += rgb(image.width() - 4, y) == 0xFFF1D6 && rgb(1, y) == 0xE8912D;
      for (int x = 40; x < 135; ++x) white += rgb(x, y) == 0xFFFFFF;
    }
    EXPECT_TRUE(rows > 0 && (white > 0) == c.whiteNick) << c.wire;
    EXPECT_EQ(tinted, c.mention ? rows : 0) << c.wire;
    EXPECT_TRUE(!c.mention || edges == rows) << "no other line, nor the info line, is marked";
  }
}

TEST(TranscriptViewFactory, PlacesHiddenViewsWhereTranscriptsGoOnTheWindowsAnchors) {
  MainWindow window;
  window.show();
  const QWidget* area = window.findChild<QWidget*>(QStringLiteral("viewArea"));
  window::TranscriptLines lines;
  QtTranscriptViewFactory factory(&window, {});
  auto view = factory.Create(lines);
  const TranscriptWidget* widget = static_cast<QtTranscriptView&>(*view).Widget();
  EXPECT_EQ(widget->parentWidget(), &window);
  EXPECT_FALSE(widget->isVisible());
  view->Show(true);
  EXPECT_TRUE(widget->isVisible());
  window.resize(window.width() + 120, window.height() + 60);
  EXPECT_EQ(widget->geometry(), area->geometry());
  view.reset();
  EXPECT_EQ(window.findChild<TranscriptWidget*>(), nullptr);
}

}  // namespace
}  // namespace orvinta::components
