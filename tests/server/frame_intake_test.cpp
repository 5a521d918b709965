// The server's receive side: decoded frames out of a hostile byte stream.
#include "server/frame_intake.h"

#include <gtest/gtest.h>

#include "protocol/codec.h"

namespace orvinta::server {
namespace {

std::string Wire(std::string_view command, std::string_view body) {
  return protocol::MakeFrame(command, protocol::Encode(body));
}

std::vector<std::string> Drain(FrameIntake& intake) {
  std::vector<std::string> out;
  while (auto f = intake.Next()) out.push_back(f->command + ":" + f->body);
  return out;
}

using Frames = std::vector<std::string>;

TEST(FrameIntake, DecodesWholeFramesInOrderAcrossPieces) {
  FrameIntake intake;
  const std::string stream = Wire("USER", "alice/k/앨리스/1") + Wire("PONG", "") + Wire("CHIN", "alice/lobby");
  for (char c : stream) intake.Append(std::string_view(&c, 1));  // one byte at a time
  EXPECT_EQ(Drain(intake), (Frames{"USER:alice/k/앨리스/1", "PONG:", "CHIN:alice/lobby"}));
  EXPECT_EQ(intake.BadFrames(), 0u);
  EXPECT_EQ(intake.Buffered(), 0u);
}

TEST(FrameIntake, WaitsForTheRestOfAHalfFrame) {
  FrameIntake intake;
  const std::string frame = Wire("TALL", "a/b/c");
  intake.Append(frame.substr(0, 11));
  EXPECT_TRUE(Drain(intake).empty());
  intake.Append(frame.substr(11));
  EXPECT_EQ(Drain(intake), Frames{"TALL:a/b/c"});
}

struct Garbage {
  const char* name;
  std::string bytes;
};
void PrintTo(const Garbage& c, std::ostream* os) { *os << c.name; }

class GarbageTest : public ::testing::TestWithParam<Garbage> {};

TEST_P(GarbageTest, IsSkippedCountedAndTheNextFrameStillArrives) {
  FrameIntake intake;
  intake.Append(GetParam().bytes);
  intake.Append(Wire("PONG", ""));
  EXPECT_EQ(Drain(intake), Frames{"PONG:"});
  EXPECT_GE(intake.BadFrames(), 1u);
  EXPECT_FALSE(intake.Hopeless());
}

std::string WithBadChecksum() {
  std::string f = Wire("TALL", "a/b/hello");
  f.back() = f.back() == '0' ? '1' : '0';
  return f;
}

INSTANTIATE_TEST_SUITE_P(
    Server, GarbageTest,
    ::testing::Values(Garbage{"LowerCaseCommand", "ping0000"}, Garbage{"NonDigitLength", "PING00x0"},
                      Garbage{"RandomBytes", std::string("\x01\xff\x80zz\n\r", 7)},
                      Garbage{"NonHexBody", "TALL0004zzzz"}, Garbage{"OddBody", "TALL0003abc"},
                      Garbage{"BadChecksum", WithBadChecksum()},
                      Garbage{"ZeroByteInBody", Wire("TALL", std::string("a/b/x\0y", 7))}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FrameIntake, PeerThatKeepsSendingBadFramesBecomesHopeless) {
  FrameIntake intake(IntakeLimits{3, 4096});
  for (int i = 0; i < 3; ++i) intake.Append("TALL0004zzzz");
  Drain(intake);
  EXPECT_TRUE(intake.Hopeless());
  intake.Append(Wire("PONG", ""));
  EXPECT_TRUE(Drain(intake).empty()) << "nothing more is handed out";
}

TEST(FrameIntake, EndlessGarbageIsCutOffByItsVolume) {
  FrameIntake intake(IntakeLimits{100, 1000});
  const std::string junk(600, '\x7f');
  intake.Append(junk);
  Drain(intake);
  EXPECT_FALSE(intake.Hopeless());
  intake.Append(junk);
  Drain(intake);
  EXPECT_TRUE(intake.Hopeless());
  EXPECT_LT(intake.Buffered(), 1200u);
}

}  // namespace
}  // namespace orvinta::server
