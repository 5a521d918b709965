#include "text/text_util.h"

#include <gtest/gtest.h>

namespace orvinta {
namespace {

TEST(TextUtil, CaseMappingLeavesDoubleByteCharactersAlone) {
  // "똠" in the extended range is 0x8C 0x63: its trail byte looks like 'c'.
  const std::string mixed = "AbC\x8C\x63Z";
  EXPECT_EQ(text::ToUpper(mixed), "ABC\x8C\x63Z");
  EXPECT_EQ(text::ToLower("\x8C\x43X"), "\x8C\x43x");
}

TEST(TextUtil, LeftBytesNeverSplitsACharacter) {
  const std::string s = "a\xB0\xA1\xB0\xA1";  // a가가
  EXPECT_EQ(text::LeftBytes(s, 2), "a");
  EXPECT_EQ(text::LeftBytes(s, 3), "a\xB0\xA1");
  EXPECT_EQ(text::LeftBytes(s, 10), s);
}

TEST(TextUtil, SplitFieldsKeepsTheRestInTheLastField) {
  const auto f = text::SplitFields("id/room/a/b/c", '/', 3);
  ASSERT_EQ(f.size(), 3u);
  EXPECT_EQ(f[2], "a/b/c");
  const auto short_ = text::SplitFields("only", '/', 3);
  EXPECT_EQ(short_[0], "only");
  EXPECT_EQ(short_[1], "");
  EXPECT_EQ(short_[2], "");
}

TEST(TextUtil, FormatTextNeverReadsArgumentsAsFormats) {
  EXPECT_EQ(text::FormatText("<B>%s</B> 100%%", {"%s%n%d"}), "<B>%s%n%d</B> 100%");
  EXPECT_EQ(text::FormatText("%s and %s", {"one"}), "one and ");
}

TEST(TextUtil, ParseLeadingIntReadsLikeAtoi) {
  EXPECT_EQ(text::ParseLeadingInt(" 42abc"), 42);
  EXPECT_EQ(text::ParseLeadingInt("-7"), -7);
  EXPECT_EQ(text::ParseLeadingInt("x1"), 0);
  EXPECT_GT(text::ParseLeadingInt("99999999999999999999999"), 0);
}

}  // namespace
}  // namespace orvinta
