#include "protocol/codec.h"

#include <gtest/gtest.h>

#include <set>

#include "protocol/encoding_table.h"

namespace orvinta::protocol {
namespace {

TEST(EncodingTable, Holds255DistinctValues) {
  std::set<int> values(K.begin(), K.end());
  EXPECT_EQ(values.size(), 255u);
}

TEST(Encode, EmptyBodyStaysEmpty) { EXPECT_EQ(Encode(""), ""); }

TEST(Encode, ThreeBytesGiveSixDigitsAndAChecksum) {
  const std::string encoded = Encode("abc");
  ASSERT_EQ(encoded.size(), 8u);
  EXPECT_EQ(encoded.find_first_not_of("0123456789abcdef"), std::string::npos);
}

TEST(Encode, FollowsTheScramblingRule) {
  // e = b ^ K[(i+1) % 255] ^ (2n % 256), then the sum of e mod 256.
  const std::string body = "ab";
  const unsigned d = 4;
  const unsigned e0 = ('a' ^ K[1] ^ d) & 0xFF, e1 = ('b' ^ K[2] ^ d) & 0xFF;
  char expected[16];
  std::snprintf(expected, sizeof expected, "%02x%02x%02x", e0, e1, (e0 + e1) % 256);
  EXPECT_EQ(Encode(body), expected);
}

TEST(Encode, WrapsTheTableIndexAndTheLengthMask) {
  // 300 bytes: the index passes 254 and 2n mod 256 wraps; Decode must agree.
  std::string body;
  for (int i = 0; i < 300; ++i) body.push_back(static_cast<char>(i * 7));
  const std::string encoded = Encode(body);
  EXPECT_EQ(encoded.size(), 602u);
  EXPECT_EQ(Decode(encoded), body);
}

TEST(Decode, RefusesWhatEncodeCannotHaveMade) {
  std::string good = Encode("USER/body");
  ASSERT_TRUE(Decode(good));
  std::string badSum = good;
  badSum.back() = badSum.back() == '0' ? '1' : '0';
  EXPECT_FALSE(Decode(badSum));
  EXPECT_FALSE(Decode(good.substr(1)));         // odd length
  EXPECT_FALSE(Decode("zz"));                   // not hex
  EXPECT_FALSE(Decode("a"));                    // too short
  EXPECT_FALSE(Decode("00"));                   // a checksum without a body
  EXPECT_EQ(Decode("").value(), "");            // empty body
  std::string upper = good;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_EQ(Decode(upper).value(), "USER/body");
}

TEST(Framing, LengthIsFourZeroPaddedDigits) {
  EXPECT_EQ(FormatLength(0), "0000");
  EXPECT_EQ(FormatLength(42), "0042");
  EXPECT_EQ(FormatLength(9999), "9999");
  EXPECT_EQ(FormatLength(10000), "");
  EXPECT_EQ(MakeFrame("PING", ""), "PING0000");
  EXPECT_EQ(MakeFrame("TALL", std::string(10000, 'x')), "");
}

TEST(Framing, AnEmptyMessageGoesOutUnchanged) {
  EXPECT_EQ(EncodeMessage("PONG0000"), "PONG0000");
  EXPECT_EQ(EncodeMessage(MakeMessage("PONG", "")), "PONG0000");
}

TEST(Framing, TheLengthCountsTheEncodedBody) {
  const std::string frame = EncodeMessage(MakeMessage("CHIN", "abc/def"));
  EXPECT_EQ(frame.substr(0, 8), "CHIN0016");
  EXPECT_EQ(Decode(frame.substr(8)).value(), "abc/def");
}

TEST(Framing, LengthFieldReadsLeadingDigitsOnly) {
  EXPECT_EQ(ParseLengthField("0012"), 12u);
  EXPECT_EQ(ParseLengthField("12ab"), 12u);
  EXPECT_EQ(ParseLengthField("ab12"), 0u);
  EXPECT_EQ(ParseLengthField("-001"), 0u);
  EXPECT_TRUE(IsWellFormedHeader("PING0000"));
  EXPECT_FALSE(IsWellFormedHeader("ping0000"));
  EXPECT_FALSE(IsWellFormedHeader("PING00x0"));
  EXPECT_FALSE(IsWellFormedHeader("PING000"));
}

}  // namespace
}  // namespace orvinta::protocol
