// The launch text arrives from Linux as UTF-8 and is converted to code page
// 949 character by character.
#include <gtest/gtest.h>

#include "platform/cp949.h"

namespace orvinta::platform {
namespace {

// UTF-8 bytes, whatever the execution character set of this file.
std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

struct LocalTextCase {
  const char* name;
  std::string input;
  std::string expected;  // code page 949
};

class LocalText : public ::testing::TestWithParam<LocalTextCase> {};

TEST_P(LocalText, ConvertsEachCharacterItCan) { EXPECT_EQ(FromLocalText(GetParam().input), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Cases, LocalText,
    ::testing::Values(LocalTextCase{"Ascii", "TRUE\nalice", "TRUE\nalice"},
                      LocalTextCase{"Korean", Utf8(u8"앨리스"), "앨리스"},
                      LocalTextCase{"OneEmojiSpoilsOnlyItself", Utf8(u8"앨리스\U0001F600\n로비"), "앨리스?\n로비"},
                      LocalTextCase{"CharacterOutsideTheCodePage", Utf8(u8"a\u0E01b"), "a?b"},
                      // Not UTF-8: taken to be code page 949 already.
                      LocalTextCase{"Cp949Bytes", "\xBE\xD9", "\xBE\xD9"},
                      LocalTextCase{"OverlongIsNotUtf8", "\xC0\xAF", "\xC0\xAF"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvinta::platform
