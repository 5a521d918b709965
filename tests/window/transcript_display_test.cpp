// What a native transcript view reads from a room's lines: the text and
// styles each line shows, finding in every line, and the reader's place.
#include <gtest/gtest.h>

#include "client/window/line_display.h"
#include "client/window/line_html.h"
#include "client/window/reading_place.h"
#include "client/window/transcript_search.h"
#include "platform/cp949.h"

namespace orvinta::window {
namespace {

TranscriptLine Chat(const std::string& text) {
  return ChatLineFrom(compose::ParseChatLine("|212121|9|x|FFFFFF|0|a&b|" + text), {}).value();
}

TEST(LineDisplay, TextAndStylesAsThePageShowedThem) {
  const struct {
    const char* name;
    TranscriptLine line;
    std::string display, plain;
    std::uint32_t colour;
  } cases[] = {
      {"received brackets, a reference", Chat("<b>&amp;\"x\""), "<b>&\"x\"", "a&b ▶ <b>&\"x\"", 0x212121},
      {"emoticon, break, link", Chat("hi /미소<BR>see http://a.b/c?d=1&e=2"),
       "hi \x1A\nsee http://a.b/c?d=1&e=2", "a&b ▶ hi /미소\nsee http://a.b/c?d=1&e=2", 0x212121},
      {"info markup", InfoLine("<BR><B>x &lt;y&gt;</B> <FONT COLOR='#123456'>z</FONT>&#39;<HR><BR><BR>"),
       "\nx <y> z'\n\n", "x <y> z'", 0x999999},
      {"entry", InfoLine("<B>☆☆ a님이 입장하셨습니다 ☆☆</B>"), "☆☆ a님이 입장하셨습니다 ☆☆",
       "☆☆ a님이 입장하셨습니다 ☆☆", 0x11AA44},
      {"vote", InfoLine("[찬성] 또는 [반대]를 선택하세요<BR><BR>"), "[찬성] 또는 [반대]를 선택하세요\n\n",
       "[찬성] 또는 [반대]를 선택하세요", 0xFA8A12},
      {"banner", BannerLine(), "어서 오세요. 벨보 오르빈타입니다.", "어서 오세요. 벨보 오르빈타입니다.", 0xFA8A12},
      {"unknown entity stays", InfoLine("&bogus; &zz; &#;"), "&bogus; &zz; &#;", "&bogus; &zz; &#;", 0x999999},
      {"white space as a page shows it", Chat("  two   spaces<BR>  x"), "two spaces\nx", "a&b ▶ two spaces\nx",
       0x212121},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DisplayText(c.line), c.display) << c.name;
    EXPECT_EQ(PlainText(c.line), c.plain) << c.name;
    EXPECT_EQ(LineColour(c.line), c.colour) << c.name;
  }
  // The info line's spans: bold where <B> was, its own colour where <FONT> was.
  const auto spans = DisplaySpans(InfoLine("a<B>b</B><FONT COLOR=#00FF00>c</FONT>"));
  ASSERT_EQ(spans.size(), 3u);
  EXPECT_TRUE(!spans[0].bold && spans[1].bold && !spans[2].bold);
  EXPECT_EQ(spans[2].colour, 0x00FF00u);
  EXPECT_TRUE(IsDarkColour("212121") && !IsDarkColour("FFEEAA"));
}

std::string Utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

// A character code page 949 cannot hold travels as a reference: the line
// shows it, and a find bar finds it, as the page did.
TEST(LineDisplay, ReferencesShowTheirCharacters) {
  const struct {
    std::string text;
    std::u8string shown;
  } cases[] = {
      {"좋아요 &#128512;&#X1F44D;", u8"a&b ▶ 좋아요 😀👍"},
      {"&copy; &copy &lt3 &amp &notin; &hearts; &euro;", u8"a&b ▶ © © <3 & ∉ ♥ €"},
      {"&#128;&#0;&#xD800;&#99999999;|&#10;|&nbsp;|", u8"a&b ▶ €\uFFFD\uFFFD\uFFFD| | |"},
      {"\x1B" "65;x", u8"a&b ▶ 65;x"},  // a mark is never taken from a line
  };
  for (const auto& c : cases) EXPECT_EQ(platform::DisplayToUtf8(PlainText(Chat(c.text))), Utf8(c.shown)) << c.text;

  const std::string shown = DisplayText(Chat("a 12 &#128512; 12"));
  EXPECT_EQ(FindInText(shown, platform::Utf8ToDisplay("\xF0\x9F\x98\x80")).size(), 1u);  // U+1F600
  EXPECT_EQ(FindInText(shown, "12").size(), 2u);  // not the digits inside the emoji's mark
  EXPECT_EQ(FindInText(shown, "8").size(), 0u);
}

TEST(TranscriptSearch, CaseFoldsAsciiOnlyOnCharacterStarts) {
  const struct {
    std::string text, query;
    std::vector<std::size_t> found;
  } cases[] = {
      {"Needle needle NEEDLE", "nEEdle", {0, 7, 14}},
      {"aaaa", "aa", {0, 2}},
      {"\x81\x41" "A", "a", {2}},  // a trail byte that reads as "A" is no letter
      {"바늘Needle", "바늘n", {0}},
      {"x", "", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(FindInText(c.text, c.query), c.found) << c.text << " / " << c.query;
}

TEST(TranscriptSearch, NewestFirstStepsWrapAndNumbersOutliveDroppedLines) {
  TranscriptLines lines;
  lines.Add(Chat("old"));
  lines.Clear();  // numbers go on from 1
  for (const char* text : {"hay Needle", "hay", "needle and NEEDLE"}) lines.Add(Chat(text));
  TranscriptSearch search;
  search.Find(lines, "needle");
  ASSERT_EQ(search.Count(), 3u);
  EXPECT_EQ(search.Position(), 3u);
  EXPECT_EQ(search.Current()->line, TranscriptLines::kFirstNumber + 3);
  EXPECT_EQ(search.Current()->offset, 11u);
  search.Step(-1);
  search.Step(-1);
  EXPECT_EQ(search.Current()->line, TranscriptLines::kFirstNumber + 1);
  search.Step(-1);  // around to the newest
  EXPECT_EQ(search.Position(), 3u);
  search.Step(1);
  EXPECT_EQ(search.Position(), 1u);
  search.Find(lines, "zebra");
  EXPECT_EQ(search.Position(), 0u);
  EXPECT_EQ(search.Current(), nullptr);
}

TEST(ReadingPlace, FollowsAtTheBottomCountsWhenUpMarksWhatCameWhileHidden) {
  using Move = ReadingPlace::Move;
  ReadingPlace place;
  EXPECT_EQ(place.LinesAdded(5, 0), Move::Stay);  // never shown: no marker
  EXPECT_EQ(place.Shown(true), Move::ToNewest);
  EXPECT_FALSE(place.Marker());
  EXPECT_EQ(place.LinesAdded(2, 5), Move::ToNewest);
  place.Scrolled(false);
  EXPECT_EQ(place.LinesAdded(3, 7), Move::Stay);
  EXPECT_EQ(place.BarCount(), 3u);
  place.Scrolled(true);  // down to the newest: the bar goes
  EXPECT_EQ(place.BarCount(), 0u);
  EXPECT_TRUE(place.Following());

  place.Shown(false);
  place.LinesAdded(4, 10);
  place.LinesAdded(1, 14);
  EXPECT_EQ(place.Marker(), 10u);
  EXPECT_EQ(place.Shown(true), Move::ToMarker);
  place.Scrolled(false);
  EXPECT_EQ(place.BarCount(), 5u);
  place.Shown(false);
  place.LinesAdded(1, 15);
  place.Shown(true);
  EXPECT_EQ(place.Marker(), 15u);  // a second stay away moves it

  EXPECT_EQ(place.GoNewest(), Move::ToNewest);
  EXPECT_EQ(place.BarCount(), 0u);
  place.Cleared();
  EXPECT_FALSE(place.Marker());
}

}  // namespace
}  // namespace orvinta::window
