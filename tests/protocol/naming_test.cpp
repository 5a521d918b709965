#include "protocol/room_key.h"

#include <gtest/gtest.h>

#include "protocol/ui_text.h"

namespace orvinta {
namespace {

TEST(KoreanLiterals, AreCodePage949Bytes) {
  // "벨보 미렐" in code page 949.
  EXPECT_EQ(ui_text::BoxCaption(), "\xBA\xA7\xBA\xB8\x20\xB9\xCC\xB7\xBC");
  EXPECT_EQ(std::string_view("오르빈타"), "\xBF\xC0\xB8\xA3\xBA\xF3\xC5\xB8");
}

TEST(RoomKey, PrivateKeyPutsTheSmallerIdFirst) {
  EXPECT_EQ(protocol::PrivateRoomKey("bob", "alice"), "Pchatalice^bob");
  EXPECT_EQ(protocol::PrivateRoomKey("alice", "bob"), "Pchatalice^bob");
  // Byte-wise: a high byte sorts after ASCII.
  EXPECT_EQ(protocol::PrivateRoomKey("\xB0\xA1", "z"), "Pchatz^\xB0\xA1");
  EXPECT_EQ(protocol::StripChannelMark("#abc"), "abc");
  EXPECT_EQ(protocol::StripChannelMark("abc"), "abc");
}

}  // namespace
}  // namespace orvinta
