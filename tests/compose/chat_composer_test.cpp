#include "client/compose/chat_composer.h"

#include <gtest/gtest.h>

#include "client/compose/compose_tables.h"
#include "client/compose/send_history.h"

namespace orvinta::compose {
namespace {

constexpr SenderContext kPlainSender{"", "", "1203", "벨보"};
// The TALL body is "id/key/" + line, at most 999 bytes.
constexpr std::size_t kLineBytes = 999 - 10;

ComposedLine Compose(std::string_view typed, const ComposeSettings& settings = {},
                     const SenderContext& sender = kPlainSender, std::size_t maxWireBytes = kLineBytes) {
  return ComposeChatLine(typed, settings, sender, maxWireBytes);
}

struct LineCase {
  const char* name;
  std::string typed;
  ComposeSettings settings;
  SenderContext sender;
  std::string expected;
};

class ComposeChatLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(ComposeChatLineTest, BuildsTheEightFieldsAndReceiversReadThemBack) {
  const LineCase& c = GetParam();
  const ComposedLine composed = Compose(c.typed, c.settings, c.sender);
  EXPECT_EQ(composed.line.Wire(), c.expected);
  EXPECT_FALSE(composed.cut);
  // What a receiver parses is what the sender's own echo renders.
  const ChatLine parsed = ParseChatLine(composed.line.Wire());
  EXPECT_EQ(parsed.Wire(), composed.line.Wire());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ComposeChatLineTest,
    testing::Values(
        LineCase{"Defaults", "안녕", {}, kPlainSender, "|212121|9|굴림|FFFFFF|1203|벨보| 안녕 "},
        LineCase{"PercentAndBar", "50% a|b", {}, kPlainSender, "|212121|9|굴림|FFFFFF|1203|벨보| 50%% a%%7Cb "},
        LineCase{"HeaderAndFooter", "hi", {}, {"[머리]", "<꼬리>", "0", "n"},
                 "|212121|9|굴림|FFFFFF|0|n|[머리] hi &lt;꼬리&gt;"},
        LineCase{"MarkupEscaped", "<b>x</b>", {}, kPlainSender, "|212121|9|굴림|FFFFFF|1203|벨보| &lt;b&gt;x&lt;/b&gt; "},
        LineCase{"ControlByteDroppedLineBreakKept", "a\x04\nb", {}, kPlainSender, "|212121|9|굴림|FFFFFF|1203|벨보| a<BR>b "},
        LineCase{"StyleLettersInOrder", "x", {1, 7, 9, 0x212121, 0xFFFFFF}, kPlainSender, "BIU|212121|9|굴림|FFFFFF|1203|벨보| x "},
        LineCase{"ItalicOnly", "x", {1, 2, 9, 0x212121, 0xFFFFFF}, kPlainSender, "I|212121|9|굴림|FFFFFF|1203|벨보| x "},
        LineCase{"ColoursAreRedGreenBlue", "x", {3, 5, 13, 0x0000FF, 0x804020}, kPlainSender,
                 "BU|FF0000|13|돋움|204080|1203|벨보| x "},
        LineCase{"UnknownFaceIsGulim", "x", {9, 0, 8, 0x212121, 0xFFFFFF}, kPlainSender, "|212121|8|굴림|FFFFFF|1203|벨보| x "},
        LineCase{"NickBarsAndPercents", "x", {}, {"", "", "7", "a|b%s"}, "|212121|9|굴림|FFFFFF|7|a%%7Cb%%s| x "},
        LineCase{"IconNumberOnlyDigits", "x", {}, {"", "", "12|x", "n"}, "|212121|9|굴림|FFFFFF|12|n| x "}),
    [](const testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

TEST(ComposeChatLine, TypedTextIsTrimmed) {
  EXPECT_EQ(TypedText("   \t "), "");
  EXPECT_EQ(TypedText("  hi there \r\n"), "hi there");
}

// Long texts: the cut keeps characters and escapes whole, and the line fits
// the body the session sends.
struct CutCase {
  const char* name;
  std::string typed;
  std::size_t maxWireBytes;
  std::string text;  // the text field
  bool cut;
};

std::string Repeat(std::string_view piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

class ComposeCut : public testing::TestWithParam<CutCase> {};

TEST_P(ComposeCut, KeepsWholeCharactersAndEscapes) {
  const CutCase& c = GetParam();
  const ComposedLine composed = Compose(c.typed, {}, kPlainSender, c.maxWireBytes);
  EXPECT_EQ(composed.line.text, c.text);
  EXPECT_EQ(composed.cut, c.cut);
  if (!composed.line.text.empty()) {
    EXPECT_LE(composed.line.Wire().size(), c.maxWireBytes);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ComposeCut,
    testing::Values(
        CutCase{"FourHundredBytesAreKept", std::string(398, 'a'), kLineBytes, " " + std::string(398, 'a') + " ", false},
        CutCase{"LongerTextIsCutTo399Bytes", std::string(500, 'a'), kLineBytes, " " + std::string(398, 'a'), true},
        // " a" then characters: byte 399 would be the lead byte of a character.
        CutCase{"DoubleByteCharacterWhole", "a" + Repeat("가", 250), kLineBytes, " a" + Repeat("가", 198), true},
        CutCase{"DoubledPercentWhole", std::string(397, 'a') + "%", kLineBytes, " " + std::string(397, 'a'), true},
        CutCase{"MarkupEscapeWhole", std::string(100, '<'), kLineBytes, " " + Repeat("&lt;", 99), true},
        // 397 bytes, then a reference of 9: it goes whole to the next line or not at all.
        CutCase{"ReferenceWhole", std::string(396, 'a') + "&#128512;", kLineBytes, " " + std::string(396, 'a'), true},
        CutCase{"ReferenceThatFits", std::string(389, 'a') + "&#x1F600;", kLineBytes,
                " " + std::string(389, 'a') + "&#x1F600; ", false},
        // 399 bars count 401 bytes before they are spelled "%%7C": the wire bound cuts them.
        CutCase{"BarsFitTheBody", std::string(399, '|'), kLineBytes, " " + Repeat("%%7C", 239), true},
        CutCase{"NoRoomForText", "hello", 20, "", true}),
    [](const testing::TestParamInfo<CutCase>& info) { return std::string(info.param.name); });

TEST(ChatLine, FieldsThatAreNotWhatTheyMustBeTakeDefaults) {
  const ChatLine line = ParseChatLine("B|red';x:|9pt|Comic'>|#000|12ab|n|t");
  EXPECT_EQ(line.Wire(), "B|212121|9|굴림|FFFFFF|0|n|t");
  const ChatLine good = ParseChatLine("|00ff00|15|궁서| 000000 |7|n|t|u");
  EXPECT_EQ(good.Wire(), "|00ff00|15|궁서|000000|7|n|t|u");
  EXPECT_EQ(ShownField("a%%7Cb %%s 100%%"), "a|b %s 100%");
}

TEST(ComposeTables, NamesAreCodePage949) {
  EXPECT_EQ(FaceName(1), "\xB1\xBC\xB8\xB2");
  EXPECT_EQ(FaceCode("궁서"), 4);
  EXPECT_EQ(FaceCode("Arial"), 1);
  ASSERT_EQ(SizeEntries().size(), 6u);
  EXPECT_EQ(SizeFromEntry(SizeEntries()[5]), 15);
}

TEST(SendHistory, KeepsTheLast100LinesAndPointsPastTheNewest) {
  SendHistory history;
  history.Add("first");
  EXPECT_EQ(history.Cursor(), 1);
  for (int i = 2; i <= 101; ++i) history.Add("line" + std::to_string(i));
  ASSERT_EQ(history.Lines().size(), 100u);
  EXPECT_EQ(history.Lines().front(), "line2");
  EXPECT_EQ(history.Lines().back(), "line101");
  EXPECT_EQ(history.Cursor(), 100);
}

}  // namespace
}  // namespace orvinta::compose
