#include "client/compose/chat_composer.h"

#include <gtest/gtest.h>

#include "client/compose/compose_tables.h"
#include "client/compose/send_history.h"
#include "text/text_util.h"

namespace orvinta::compose {
namespace {

constexpr SenderContext kPlainSender{"", "", "1203", "벨보"};

// The eighth field of a composed line.
std::string TextField(const std::string& line) { return std::string(text::SplitFields(line, '|', 8)[7]); }

struct LineCase {
  const char* name;
  std::string typed;
  ComposeSettings settings;
  SenderContext sender;
  std::string expected;
};

class ComposeChatLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(ComposeChatLineTest, BuildsTheEightFields) {
  const LineCase& c = GetParam();
  EXPECT_EQ(ComposeChatLine(c.typed, c.settings, c.sender), c.expected);
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

TEST(ComposeChatLine, FourHundredBytesAreKept) {
  const std::string typed(398, 'a');  // with the two spaces: 400
  EXPECT_EQ(TextField(ComposeChatLine(typed, {}, kPlainSender)), " " + typed + " ");
}

TEST(ComposeChatLine, LongerTextIsCutTo399Bytes) {
  const std::string field = TextField(ComposeChatLine(std::string(500, 'a'), {}, kPlainSender));
  EXPECT_EQ(field, " " + std::string(398, 'a'));
}

TEST(ComposeChatLine, CutNeverSplitsADoubleByteCharacter) {
  std::string typed = "a";
  for (int i = 0; i < 250; ++i) typed += "가";
  // " a" then characters: byte 399 would be the lead byte of a character.
  const std::string field = TextField(ComposeChatLine(typed, {}, kPlainSender));
  EXPECT_EQ(field.size(), 398u);
  EXPECT_EQ(field.substr(field.size() - 2), "가");
}

TEST(ComposeChatLine, CutNeverSplitsADoubledPercent) {
  const std::string typed = std::string(397, 'a') + "%";  // escaped: " " + 397 a + "%%" + " " = 401 bytes
  const std::string field = TextField(ComposeChatLine(typed, {}, kPlainSender));
  EXPECT_EQ(field, " " + std::string(397, 'a'));
  EXPECT_EQ(CutChatText(" " + std::string(396, 'a') + "%%%%"), " " + std::string(396, 'a') + "%%");
}

TEST(ComposeChatLine, CutAppliesToTheEscapedTextBeforeBarsAreSpelled) {
  // Escaping makes it long; an escape sequence may still be cut in the middle.
  const std::string field = TextField(ComposeChatLine(std::string(100, '<'), {}, kPlainSender));
  EXPECT_EQ(field.size(), 399u);
  EXPECT_EQ(field.substr(field.size() - 3), ";&l");

  const std::string bars = TextField(ComposeChatLine(std::string(450, '|'), {}, kPlainSender));
  EXPECT_EQ(bars.size(), 1 + 398 * 4u);  // " " + 398 bars as "%%7C"
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
