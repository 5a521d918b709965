// A room's lines: the bound on them and the runs a chat line is kept as.
#include <gtest/gtest.h>

#include "client/window/line_html.h"

namespace orvinta::window {
namespace {

// The bound drops the oldest lines and counts them; clearing the screen
// empties the room without counting anything as dropped.
TEST(TranscriptLinesBound, CountsWhatItDropsButNotWhatIsCleared) {
  TranscriptLines lines(3);
  for (int i = 0; i < 5; ++i) lines.Add(InfoLine(std::to_string(i)));
  EXPECT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines.Dropped(), 2u);
  EXPECT_EQ(lines[0].text, "2");
  lines.Clear();
  lines.Add(ClearedNoticeLine());
  EXPECT_EQ(lines.Dropped(), 0u);
  EXPECT_EQ(TranscriptHtml(lines, {}).find("이전 대화"), std::string::npos);
}

// Older lines go in front numbered below the oldest; the bound keeps the
// newest of them and counts the rest as dropped.
TEST(TranscriptLinesBound, LinesInFrontNumberDownAndStayWithinTheBound) {
  TranscriptLines lines(4);
  lines.Add(InfoLine("live"));
  const std::uint64_t first = lines.FirstNumber();
  std::vector<TranscriptLine> older;
  for (const char* text : {"a", "b", "c", "d"}) older.push_back(InfoLine(text));
  EXPECT_EQ(lines.AddInFront(std::move(older)), 3u);
  EXPECT_EQ(lines.FirstNumber(), first - 3);
  EXPECT_EQ(lines[0].text + lines[3].text, "blive");
  EXPECT_EQ(lines.Dropped(), 1u);
  lines.Add(InfoLine("next"));
  EXPECT_EQ(lines.FirstNumber(), first - 2);
  EXPECT_EQ(lines[0].text, "c");
}

TEST(TranscriptLinesRuns, AChatLineKeepsEmoticonsBreaksAndLinksAsRuns) {
  const TranscriptLine line =
      ChatLineFrom(compose::ParseChatLine("|333333|9|굴림|FFFFFF|0|밥|a/미소<BR>http://x.y b"), {}).value();
  using K = TextRun::Kind;
  std::vector<K> kinds;
  for (const TextRun& run : line.runs) kinds.push_back(run.kind);
  EXPECT_EQ(kinds, (std::vector<K>{K::Text, K::Emoticon, K::LineBreak, K::Link, K::Text}));
  EXPECT_EQ(line.text, "ahttp://x.y b");
  EXPECT_EQ(line.runs[1].emoticon, 0);
}

}  // namespace
}  // namespace orvinta::window
