// Orvinta.cfg byte for byte: the defaults, the length prefixes, wide strings,
// round trips and files that end early or lie about their lengths.
#include <gtest/gtest.h>

#include <string>

#include "client/components/config/config.h"

namespace orvinta::config {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out.push_back(static_cast<char>(v));
  return out;
}

ConfigValues Filled() {
  ConfigValues v;
  v.WindowLeft = -8;
  v.WindowTop = 120;
  v.WindowWidth = 800;
  v.WindowHeight = 600;
  v.SaveFolder = "/home/미렐/저장";
  v.Header = "[머리말]";
  v.Footer = "~꼬리말";
  for (std::size_t i = 0; i < kShortcutCount; ++i) v.Shortcut[i] = "F" + std::to_string(i + 1) + " 안녕하세요";
  v.Reserved = {"kept", std::string(300, 'r')};
  v.Skin = 1;
  return v;
}

TEST(ConfigFileFormat, DefaultsAreExactly35Bytes) {
  const std::string expected = Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0x58, 0x02, 0, 0, 0x9F, 0x01, 0, 0}) +
                               std::string(15, '\0') + Bytes({0, 0, 0, 0});
  EXPECT_EQ(StoreConfig(ConfigValues{}), expected);
}

struct PrefixCase {
  std::string name;
  std::size_t length;
  std::string prefix;
};

class LengthPrefix : public testing::TestWithParam<PrefixCase> {};

// The Header field alone: everything before it is the 16 window bytes and one empty folder byte.
TEST_P(LengthPrefix, IsWrittenInItsTierAndReadBack) {
  ConfigValues values;
  values.Header = std::string(GetParam().length, 'h');
  const std::string file = StoreConfig(values);
  EXPECT_EQ(file.substr(17, GetParam().prefix.size()), GetParam().prefix);
  EXPECT_EQ(file.size(), 35 + GetParam().prefix.size() - 1 + GetParam().length);
  ConfigValues read;
  LoadConfig(file, read);
  EXPECT_EQ(read, values);
}

INSTANTIATE_TEST_SUITE_P(
    Tiers, LengthPrefix,
    testing::Values(PrefixCase{"Empty", 0, Bytes({0})}, PrefixCase{"OneByteMost", 254, Bytes({0xFE})},
                    PrefixCase{"WordLeast", 255, Bytes({0xFF, 0xFF, 0x00})},
                    PrefixCase{"WordMost", 65533, Bytes({0xFF, 0xFD, 0xFF})},
                    PrefixCase{"DwordLeast", 65534, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})}),
    [](const auto& info) { return info.param.name; });

// A file of four window values and one folder string, then whatever the test puts after.
std::string WithFolderField(const std::string& field) {
  return Bytes({1, 0, 0, 0, 2, 0, 0, 0, 0x20, 0x03, 0, 0, 0x58, 0x02, 0, 0}) + field;
}

struct ReadCase {
  std::string name;
  std::string field;   // the encoded SaveFolder
  std::string folder;  // what is read
};

class StringField : public testing::TestWithParam<ReadCase> {};

TEST_P(StringField, ReadsAsCodePage949) {
  ConfigValues values;
  LoadConfig(WithFolderField(GetParam().field), values);
  EXPECT_EQ(values.SaveFolder, GetParam().folder);
  EXPECT_EQ(values.WindowWidth, 800);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, StringField,
    testing::Values(
        ReadCase{"SixtyFourBitLength", Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 0, 0, 0, 0}) + "abc",
                 "abc"},
        ReadCase{"WordTierForAShortString", Bytes({0xFF, 2, 0}) + "ab", "ab"},
        ReadCase{"WideHangul", Bytes({0xFF, 0xFE, 0xFF, 2, 0x5C, 0xD5, 0x00, 0xAE}), "한글"},
        ReadCase{"WideWithWordLength", Bytes({0xFF, 0xFE, 0xFF, 0xFF, 2, 0, 0x41, 0, 0x5C, 0xD5}), "A한"},
        ReadCase{"WideLoneSurrogate", Bytes({0xFF, 0xFE, 0xFF, 3, 0x41, 0, 0x00, 0xD8, 0x42, 0}), "A?B"},
        ReadCase{"WideOutsideTheCodePage", Bytes({0xFF, 0xFE, 0xFF, 2, 0x3D, 0xD8, 0x00, 0xDE}), "?"},
        ReadCase{"WideSingleUnit", Bytes({0xFF, 0xFE, 0xFF, 1, 0x41, 0}), "A"}),
    [](const auto& info) { return info.param.name; });

TEST(ConfigFileFormat, FilledValuesRoundTrip) {
  ConfigValues read;
  LoadConfig(StoreConfig(Filled()), read);
  EXPECT_EQ(read, Filled());
}

// Cut anywhere, a file gives its whole fields and leaves the others as they were.
TEST(ConfigFileFormat, ShortFileKeepsTheFieldsReadBeforeTheCut) {
  const std::string file = StoreConfig(Filled());
  int previousNew = -1;
  for (std::size_t cut = 0; cut < file.size(); ++cut) {
    ConfigValues values;  // the defaults stand for the old values
    LoadConfig(file.substr(0, cut), values);
    const ConfigValues fresh = Filled();
    const std::vector<bool> isNew = {
        values.WindowLeft == fresh.WindowLeft, values.WindowTop == fresh.WindowTop,
        values.WindowWidth == fresh.WindowWidth, values.WindowHeight == fresh.WindowHeight,
        values.SaveFolder == fresh.SaveFolder, values.Header == fresh.Header, values.Footer == fresh.Footer,
        values.Shortcut[0] == fresh.Shortcut[0], values.Shortcut[9] == fresh.Shortcut[9],
        values.Reserved[1] == fresh.Reserved[1], values.Skin == fresh.Skin};
    const auto newCount = std::find(isNew.begin(), isNew.end(), false) - isNew.begin();
    EXPECT_TRUE(std::none_of(isNew.begin() + newCount, isNew.end(), [](bool b) { return b; })) << "cut " << cut;
    EXPECT_GE(newCount, previousNew) << "cut " << cut;
    EXPECT_LT(newCount, static_cast<long>(isNew.size())) << "cut " << cut;
    previousNew = static_cast<int>(newCount);
  }
  EXPECT_GE(previousNew, 9);
}

TEST(ConfigFileFormat, LengthBeyondTheFileIsRefusedAndLaterFieldsKeepTheirValues) {
  for (const std::string& field : {Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0x80}),
                                   Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}) + "short",
                                   Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                          0xFF, 0xFF, 0xFF, 0xFF, 0x7F})}) {
    ConfigValues values = Filled();
    LoadConfig(WithFolderField(field), values);
    EXPECT_EQ(values.WindowLeft, 1);
    EXPECT_EQ(values.SaveFolder, Filled().SaveFolder);
    EXPECT_EQ(values.Header, Filled().Header);
    EXPECT_EQ(values.Skin, 1);
  }
}

}  // namespace
}  // namespace orvinta::config
