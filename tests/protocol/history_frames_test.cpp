// The history frames' bodies: what is made reads back, and what is malformed
// is refused rather than guessed at.
#include "protocol/history_frames.h"

#include <gtest/gtest.h>

namespace orvinta::protocol::history {
namespace {

TEST(HistoryFrames, WhatIsMadeReadsBackWithSlashesInTheText) {
  const auto line = ParseAnswerLine(AnswerLineBody(7, 123, 456, "bob/lobby/a/b//c"));
  ASSERT_TRUE(line);
  EXPECT_EQ(line->tag, 7u);
  EXPECT_EQ(line->line.id, 123u);
  EXPECT_EQ(line->line.time, 456);
  EXPECT_EQ(line->line.sender, "bob");
  EXPECT_EQ(line->line.room, "lobby");
  EXPECT_EQ(line->line.text, "a/b//c");
  const auto request = ParseRequest(RequestBody("bob", {"lobby", 9, Mode::kBefore, 77, 500}));
  ASSERT_TRUE(request);
  EXPECT_EQ(request->mode, Mode::kBefore);
  EXPECT_EQ(request->anchor, 77u);
  EXPECT_EQ(request->count, kMaxRequestLines) << "asking for more asks for the most";
  const auto end = ParseAnswerEnd(AnswerEndBody({"lobby", 9, Outcome::kMore, 3, std::nullopt}));
  ASSERT_TRUE(end);
  EXPECT_EQ(end->outcome, Outcome::kMore);
  EXPECT_EQ(end->missing, std::nullopt);
  EXPECT_EQ(ParseOffer(OfferBody({1000, 7, 200}))->lines, 1000u);
}

TEST(HistoryFrames, MalformedBodiesAreRefused) {
  for (const char* body : {"", "bob/lobby/1/L/0", "bob/lobby/1/L/0/0", "bob/lobby/1/X/0/5", "bob//1/L/0/5",
                           "bob/lobby/1234567890/L/0/5", "bob/lobby/1/L/-1/5", "bob/lobby/1/LA/0/5",
                           "bob/lobby/1/L/ 1/5"}) {
    EXPECT_FALSE(ParseRequest(body)) << body;
  }
  for (const char* body : {"x/2/bob/lobby/t", "1/2//lobby/t", "1/+2/bob/lobby/t"}) {
    EXPECT_FALSE(ParseStamped(body)) << body;
  }
  for (const char* body : {"lobby/1/Z/0/0", "lobby/1/C/0/x", "/1/C/0/0", "lobby/1/C/0"}) {
    EXPECT_FALSE(ParseAnswerEnd(body)) << body;
  }
  EXPECT_FALSE(ParseOffer("2/1000/7/200"));
}

}  // namespace
}  // namespace orvinta::protocol::history
