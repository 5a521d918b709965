#include "client/shell/launch_arguments.h"

#include "client/shell/room_key_rule.h"

#include <gtest/gtest.h>

namespace orvinta::shell {
namespace {

std::optional<LaunchSettings> Parse(std::string_view text) { return ParseLaunchText(text, "10.0.0.1:11900"); }

TEST(LaunchText, ReadsTheTwelveFieldsTrimmed) {
  const auto s = Parse(
      " TRUE \n chat.host:7000\nsess\n Alice \n앨리스\n1001\nroom1\n방 제목\nFALSE\nBob\n밥\ntoken ");
  ASSERT_TRUE(s);
  EXPECT_TRUE(s->AutoEnter);
  EXPECT_EQ(s->ServerAddress, "chat.host:7000");
  EXPECT_EQ(s->SessionKey, "sess");
  EXPECT_EQ(s->UserId, "alice");
  EXPECT_EQ(s->Nick, "앨리스");
  EXPECT_EQ(s->IconNo, "1001");
  EXPECT_EQ(s->RoomKey, "room1");
  EXPECT_EQ(s->RoomTitle, "방 제목");
  EXPECT_FALSE(s->DebugMonitor);
  EXPECT_EQ(s->PeerId, "bob");
  EXPECT_EQ(s->PeerNick, "밥");
  EXPECT_EQ(s->PageToken, "token");
  EXPECT_FALSE(s->InvitePending);
}

TEST(LaunchText, UrlPrefixInAnyCaseIsRemoved) {
  for (std::string_view prefix : {"orvinta://", "ORVINTA://", "OrViNtA://", ""}) {
    const auto s = Parse(std::string(prefix) + "true\n\nk\nalice");
    ASSERT_TRUE(s) << prefix;
    EXPECT_EQ(s->UserId, "alice");
    EXPECT_TRUE(s->AutoEnter);
  }
}

TEST(LaunchText, MissingFieldsAreEmptyAndTheServerDefaults) {
  const auto s = Parse("FALSE\n\nkey\nalice");
  ASSERT_TRUE(s);
  EXPECT_EQ(s->ServerAddress, "10.0.0.1:11900");
  EXPECT_EQ(s->RoomKey, "");
  EXPECT_EQ(s->PageToken, "");
}

TEST(LaunchText, SwitchesCountOnlyTheWordTrue) {
  const std::pair<std::string, bool> cases[] = {{"true", true},  {"TRUE", true},   {"yes", false},
                                                {"1", false},    {"TRUE/", false}, {"", false}};
  for (const auto& [word, expected] : cases) {
    EXPECT_EQ(Parse(word + "\n\n\nalice")->AutoEnter, expected) << word;
  }
  const std::pair<std::string, bool> debug[] = {
      {"true/", true}, {"TRUE//", true}, {"true", true}, {"false/", false}, {"/true", false}};
  for (const auto& [word, expected] : debug) {
    EXPECT_EQ(Parse("\n\n\nalice\n\n\n\n\n" + word)->DebugMonitor, expected) << word;
  }
}

TEST(LaunchText, UserIdRules) {
  ASSERT_TRUE(Parse("\n\n\n12ab"));
  EXPECT_EQ(Parse("\n\n\n12ab")->UserId, "_12ab");
  EXPECT_EQ(Parse("\n\n\nalice\n\n\n\n\n\n9peer")->PeerId, "_9peer");
  EXPECT_TRUE(Parse("\n\n\n" + std::string(21, 'a')));
  EXPECT_FALSE(Parse("\n\n\n" + std::string(22, 'a')));
  EXPECT_FALSE(Parse("\n\n\n1" + std::string(20, 'a')));  // 22 bytes once "_" is added
  EXPECT_FALSE(Parse("\n\n\na"));
  EXPECT_TRUE(Parse("\n\n\nab"));  // exactly the shortest id
  EXPECT_TRUE(Parse("\n\n\n1"));   // "_1": two bytes once "_" is added
  EXPECT_FALSE(Parse("\n\n\n"));
  EXPECT_FALSE(Parse("   "));
  EXPECT_FALSE(Parse("orvinta://  "));
}

TEST(LaunchText, AnEmptyFirstFieldDoesNotShiftTheOthers) {
  const auto s = Parse("\n127.0.0.1:7000\nkey\nalice\n앨리스");
  ASSERT_TRUE(s);
  EXPECT_FALSE(s->AutoEnter);
  EXPECT_EQ(s->ServerAddress, "127.0.0.1:7000");
  EXPECT_EQ(s->UserId, "alice");
  EXPECT_EQ(Parse("  orvinta://\n\nkey\nalice")->UserId, "alice");
}

TEST(LaunchText, RoomTitleLosesBarsAndIsCutPast260Bytes) {
  EXPECT_EQ(CleanRoomTitle("a|b||c"), "abc");
  EXPECT_EQ(CleanRoomTitle(std::string(260, 'x')).size(), 260u);
  EXPECT_EQ(CleanRoomTitle(std::string(261, 'x')).size(), 250u);
  EXPECT_EQ(CleanRoomTitle(std::string(261, 'x') + "|||").size(), 250u);
  // A cut never leaves half of a Korean character behind.
  std::string korean;
  for (int i = 0; i < 131; ++i) korean += "가";
  EXPECT_EQ(CleanRoomTitle("x" + korean).size(), 249u);
}

TEST(RoomKeyRule, RefusesSeparatorsMarkupAndControlBytesOnly) {
  for (const char* good : {"room1", "Pchatalice^bob", "미렐_7", "a&b", "#a"}) EXPECT_TRUE(IsUsableRoomKey(good)) << good;
  for (const char* bad : {"", "a/b", "a|b", "<b>", "a\"b", "a'b", "a\nb", "a\x7f"}) {
    EXPECT_FALSE(IsUsableRoomKey(bad)) << bad;
  }
  EXPECT_TRUE(IsUsableRoomKey(std::string(kMaxRoomKeyBytes, 'k')));
  EXPECT_FALSE(IsUsableRoomKey(std::string(kMaxRoomKeyBytes + 1, 'k')));
}

TEST(LaunchText, AnUnusableRoomKeyLeavesNoRoomToEnter) {
  EXPECT_EQ(Parse("TRUE\n\nk\nalice\nA\n1\nfan&club#2\nT")->RoomKey, "fan&club#2");
  EXPECT_EQ(Parse("TRUE\n\nk\nalice\nA\n1\nroom/CHOT\nT")->RoomKey, "");
}

}  // namespace
}  // namespace orvinta::shell
