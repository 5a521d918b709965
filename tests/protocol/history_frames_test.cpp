// The history frames' bodies: what is made reads back, text slashes and all,
// and what is malformed is refused rather than guessed at.
#include "protocol/history_frames.h"

#include <gtest/gtest.h>

namespace orvinta::protocol::history {
namespace {

TEST(HistoryFrames, WhatIsMadeReadsBackAndWhatIsMalformedIsRefused) {
  const auto line = ParseAnswerLine(AnswerLineBody(7, 123, 456, "bob/lobby/a/b//c"));
  ASSERT_TRUE(line);
  EXPECT_EQ(std::tie(line->tag, line->line.id, line->line.time, line->line.sender, line->line.room, line->line.text),
            std::make_tuple(7u, 123u, 456, "bob", "lobby", "a/b//c"));
  EXPECT_EQ(ParseRequest(RequestBody("bob", {"lobby", 9, Mode::kBefore, 77, 500}))->count, kMaxRequestLines);
  EXPECT_EQ(ParseAnswerEnd(AnswerEndBody({"lobby", 9, Outcome::kMore, 3, std::nullopt}))->missing, std::nullopt);
  for (const char* body : {"", "bob/lobby/1/L/0", "bob/lobby/1/L/0/0", "bob/lobby/1/X/0/5", "bob//1/L/0/5",
                           "bob/lobby/1234567890/L/0/5", "bob/lobby/1/L/-1/5", "bob/lobby/1/LA/0/5",
                           "bob/lobby/1/L/ 1/5"}) {
    EXPECT_FALSE(ParseRequest(body)) << body;
  }
  for (const char* body : {"x/2/bob/lobby/t", "1/2//lobby/t", "1/+2/bob/lobby/t"}) EXPECT_FALSE(ParseStamped(body)) << body;
  for (const char* body : {"lobby/1/Z/0/0", "lobby/1/C/0/x", "/1/C/0/0", "lobby/1/C/0"}) {
    EXPECT_FALSE(ParseAnswerEnd(body)) << body;
  }
  EXPECT_FALSE(ParseOffer("2/1000/7/200"));
}

}  // namespace
}  // namespace orvinta::protocol::history
