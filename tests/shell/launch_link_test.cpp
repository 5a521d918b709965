#include "client/shell/launch_link.h"

#include <gtest/gtest.h>

namespace orvinta::shell {
namespace {

struct LinkCase {
  const char* name;
  std::string_view given;
  std::string_view expected;
};

class LaunchLinkTest : public testing::TestWithParam<LinkCase> {};

TEST_P(LaunchLinkTest, DecodesWhatABrowserEncoded) {
  EXPECT_EQ(DecodeLaunchLink(GetParam().given), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Shell, LaunchLinkTest,
    testing::Values(
        LinkCase{"FieldsAndHangul", "orvinta://TRUE%0A127.0.0.1%0Akey%0Aalice%0A%EC%95%A8",
                 "orvinta://TRUE\n127.0.0.1\nkey\nalice\n\xEC\x95\xA8"},
        LinkCase{"AnyCaseOfThePrefix", "ORVINTA://a%0ab", "ORVINTA://a\nb"},
        LinkCase{"RawLineFeedsAreAlreadyALaunchText", "orvinta://TRUE\n50%25", "orvinta://TRUE\n50%25"},
        LinkCase{"NoPrefixIsNotALink", "TRUE%0Aalice", "TRUE%0Aalice"},
        LinkCase{"MalformedEscapesStay", "orvinta://50%%zz%4", "orvinta://50%%zz%4"}),
    [](const testing::TestParamInfo<LinkCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvinta::shell
