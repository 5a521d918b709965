#include "client/compose/link_segments.h"

#include <gtest/gtest.h>

namespace orvinta::compose {
namespace {

using K = SegmentKind;

struct SegmentCase {
  const char* name;
  std::string text;
  std::vector<TextSegment> expected;
};

class SegmentLinksTest : public testing::TestWithParam<SegmentCase> {};

TEST_P(SegmentLinksTest, CutsTextIntoRunsAndLinks) {
  EXPECT_EQ(SegmentLinks(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SegmentLinksTest,
    testing::Values(
        SegmentCase{"NoLink", "그냥 글입니다", {{K::Text, "그냥 글입니다"}}},
        SegmentCase{"Empty", "", {}},
        SegmentCase{"AddressBetweenWords",
                    "see http://a.b/c?x=1 now",
                    {{K::Text, "see "}, {K::Link, "http://a.b/c?x=1"}, {K::TextAfterLink, " now"}}},
        SegmentCase{"CaseIgnoredAndKept", "HtTp://X.Y", {{K::Link, "HtTp://X.Y"}}},
        SegmentCase{"MailPrefixAtEnd", "메일 mailto://", {{K::Text, "메일 "}, {K::Link, "mailto://"}}},
        SegmentCase{"PrefixAfterLetters", "abcFTP://f g", {{K::Text, "abc"}, {K::Link, "FTP://f"}, {K::TextAfterLink, " g"}}},
        SegmentCase{"SeveralLinks",
                    "ftp://a mms://b c http://d",
                    {{K::Link, "ftp://a"},
                     {K::TextAfterLink, " "},
                     {K::Link, "mms://b"},
                     {K::TextAfterLink, " c "},
                     {K::Link, "http://d"}}},
        SegmentCase{"PrefixInsideLinkStartsAnother",
                    "http://a/http://b",
                    {{K::Link, "http://a/"}, {K::Link, "http://b"}}},
        SegmentCase{"OnlySpaceEndsALink", "http://a\tb\nc d", {{K::Link, "http://a\tb\nc"}, {K::TextAfterLink, " d"}}},
        SegmentCase{"UnknownSchemeIsText", "https:// gopher://x", {{K::Text, "https:// gopher://x"}}},
        // 0x81 0x68 is one character whose trail byte is 'h'.
        SegmentCase{"NoPrefixInsideDoubleByteCharacter", "\x81\x68ttp://x", {{K::Text, "\x81\x68ttp://x"}}},
        SegmentCase{"HangulBeforeLink", "가http://x 나", {{K::Text, "가"}, {K::Link, "http://x"}, {K::TextAfterLink, " 나"}}}),
    [](const testing::TestParamInfo<SegmentCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvinta::compose
