#include "protocol/frame_reader.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvinta::protocol {
namespace {

std::vector<std::string> Drain(FrameReader& reader) {
  std::vector<std::string> out;
  while (auto frame = reader.Next()) out.push_back(frame->command + "[" + frame->body + "]");
  return out;
}

TEST(FrameReader, WaitsForAFrameSplitAcrossReads) {
  FrameReader reader;
  reader.Append("PIN");
  EXPECT_TRUE(Drain(reader).empty());
  reader.Append("G0000");
  EXPECT_EQ(Drain(reader), std::vector<std::string>{"PING[]"});
}

TEST(FrameReader, CutsSeveralFramesInOrder) {
  FrameReader reader;
  reader.Append("TALL0003a/bPING0000CHOT0006x/roo");
  EXPECT_EQ(Drain(reader), (std::vector<std::string>{"TALL[a/b]", "PING[]"}));
  reader.Append("m");
  EXPECT_EQ(Drain(reader), std::vector<std::string>{"CHOT[x/room]"});
  EXPECT_TRUE(reader.Buffered().empty());
}

TEST(FrameReader, LengthThatIsNotANumberCountsAsZero) {
  FrameReader reader;
  reader.Append("XXXXabcdPING0000");
  EXPECT_EQ(Drain(reader), (std::vector<std::string>{"XXXX[]", "PING[]"}));
}

TEST(FrameReader, KeepsAPartialBodyUntilItIsWhole) {
  FrameReader reader;
  reader.Append("TALL0010hello");
  EXPECT_TRUE(Drain(reader).empty());
  EXPECT_EQ(reader.Buffered(), "TALL0010hello");
  reader.Append("world!");
  EXPECT_EQ(Drain(reader), std::vector<std::string>{"TALL[helloworld]"});
  EXPECT_EQ(reader.Buffered(), "!");
}

TEST(FrameReader, ClearedBetweenFramesStartsOver) {
  FrameReader reader;
  reader.Append("PING0000PING0000TALL");
  ASSERT_TRUE(reader.Next());
  reader.Clear();
  EXPECT_TRUE(Drain(reader).empty());
  reader.Append("PONG0000");
  EXPECT_EQ(Drain(reader), std::vector<std::string>{"PONG[]"});
}

}  // namespace
}  // namespace orvinta::protocol
