#include "client/window/text_filters.h"

#include <gtest/gtest.h>

#include "client/window/icon_url.h"

namespace orvinta::window {
namespace {

struct FilterCase {
  const char* name;
  std::string input;
  std::string expected;
};

class StripColourCodes : public ::testing::TestWithParam<FilterCase> {};

TEST_P(StripColourCodes, LeavesTheExpectedText) {
  EXPECT_EQ(StripMessageOfColorCodes(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StripColourCodes,
    ::testing::Values(FilterCase{"NoCode", "plain text", "plain text"}, FilterCase{"Empty", "", ""},
                      FilterCase{"CodeAtEnd", "abc\x03", "abc\x03"},
                      FilterCase{"ShortTail", "ab\x03" "1x", "abx"},
                      FilterCase{"ForegroundAndBackground", "\x03" "4,12word", "word"},
                      FilterCase{"DescendingDigitSurvives", "\x03" "532word", "2word"},
                      FilterCase{"AscendingDigitsGo", "\x03" "123word", "word"},
                      FilterCase{"EveryCodeGoes", "a\x03" "4,12b\x03" "4,12c", "abc"},
                      FilterCase{"CommaAfterDigit", "\x03" "11,05x", "x"},
                      FilterCase{"DoubleByteAfterCodeStaysWhole", "\x03한글", "한글"},
                      FilterCase{"DoubleByteAfterCommaStaysWhole", "\x03" "4,한글", "한글"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SanitizeText, RemovesControlBytesAndApostrophes) {
  EXPECT_EQ(SanitizeText("\x02" "bold\x0F it's\x16 \x03" "4,12red"), "bold its red");
}

TEST(EscapeHtml, MakesMarkupVisibleText) {
  EXPECT_EQ(EscapeHtml("<b a=\"x\" c='y'>&</b>"), "&lt;b a=&quot;x&quot; c=&#39;y&#39;&gt;&amp;&lt;/b&gt;");
  EXPECT_EQ(EscapeHtml("앨리스"), "앨리스");
}

TEST(RemoveWordIgnoreCase, RemovesEveryCaseInOnePass) {
  EXPECT_EQ(RemoveWordIgnoreCase("javascript:alert(1)", "script"), "java:alert(1)");
  EXPECT_EQ(RemoveWordIgnoreCase("a VbScRiPt b", "vbscript"), "a  b");
  EXPECT_EQ(RemoveWordIgnoreCase("scrscriptipt", "script"), "script");  // one pass only
}

TEST(CollapseDoublePercent, TurnsOnlyDoubledPercentIntoOne) {
  EXPECT_EQ(CollapseDoublePercent("100%% %s%n %%7C %d"), "100% %s%n %7C %d");
}

struct IconCase {
  long long n;
  bool small;
  std::string path;
};

TEST(IconUrl, ChoosesAvatarFoldersOrDefaultPictures) {
  PortalConfig portal;
  portal.avatarBase = "A/";
  portal.imageBase = "I/";
  const IconCase cases[] = {
      {0, false, "I/img/emot/emo/empty19_b.gif"},   {7, false, "I/img/emot/emo/empty19_a.gif"},
      {7, true, "I/img/emot/emo/empty13_a.gif"},    {999, false, "I/img/emot/emo/empty19_a.gif"},
      {1234, false, "A/34/12/1234.gif"},            {5600, false, "A/100/56/5600.gif"},
      {1234, true, "A/34/12/s_1234.gif"},           {10000, false, "A/100/100/10000.gif"},
  };
  for (const auto& c : cases) EXPECT_EQ(IconUrl(portal, c.n, c.small), c.path) << c.n;
}

TEST(ParseIconNumber, TakesOnlyDigits) {
  EXPECT_EQ(ParseIconNumber("1234"), 1234);
  EXPECT_EQ(ParseIconNumber(""), 0);
  EXPECT_EQ(ParseIconNumber("12x"), 0);
  EXPECT_EQ(ParseIconNumber("-5"), 0);
  EXPECT_EQ(ParseIconNumber("1234567890"), 0);
}

}  // namespace
}  // namespace orvinta::window
