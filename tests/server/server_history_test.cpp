// The real server's history where it outlives the process: with --history-db
// on one node, and in Redis on two nodes of a cluster. The same ids and lines
// from every node, after a node stopped or was killed and started again.
#include <signal.h>
#include <stdlib.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "protocol/history_frames.h"
#include "tests/server/redis_process.h"
#include "tests/server/server_process.h"

namespace orvinta::server::testing {
namespace {

namespace history = protocol::history;

constexpr std::string_view kPair = "Pchatamy^ben";

struct Answer {
  std::vector<history::StampedLine> lines;
  history::Outcome outcome = history::Outcome::kRefused;
};

// The room's latest lines as a member who asked for history reads them (an
// outsider asks without entering).
Answer Latest(int port, const std::string& id, std::string_view room, bool enter = true) {
  TestClient c(port);
  EXPECT_TRUE(c.Login(id));
  c.Send("HIST", "1");
  if (enter) {
    EXPECT_TRUE(c.Enter(id, std::string(room))) << id;
  }
  c.Send("HREQ", history::RequestBody(id, {std::string(room), 1, history::Mode::kLatest, 0, 50}));
  Answer answer;
  while (const auto f = c.Next(5000)) {
    if (f->command == "HLIN") answer.lines.push_back(history::ParseAnswerLine(f->body)->line);
    if (f->command == "HEND") {
      answer.outcome = history::ParseAnswerEnd(f->body)->outcome;
      break;
    }
  }
  return answer;
}

// The member says the line and waits for the id it got.
std::uint64_t Say(TestClient& member, const std::string& id, std::string_view room, const std::string& text) {
  member.Send("TALL", id + "/" + std::string(room) + "/" + text);
  const auto stamp = member.NextOf("HSNT", 5000);
  return stamp ? history::ParseOwnStamp(stamp->body)->id : 0;
}

struct StoreCase {
  const char* name;
  bool redis;  // two nodes on a Redis of the test's own; else one node with --history-db
  int signal;  // the last node is stopped with it, after the file's batch went
};

class StoredHistory : public ::testing::TestWithParam<StoreCase> {};

TEST_P(StoredHistory, GivesTheSameIdsAndLinesOnEveryNodeAndAfterARestart) {
  const StoreCase& row = GetParam();
  char dir[] = "/tmp/orvinta-history-XXXXXX";
  ASSERT_TRUE(mkdtemp(dir));
  std::optional<RedisProcess> redis;
  if (row.redis) redis.emplace();
  const auto start = [&](const std::string& name) {
    return std::make_unique<ServerProcess>(
        row.redis ? std::vector<std::string>{"--cluster", redis->Url(), "--node-name", name}
                  : std::vector<std::string>{"--history-db", std::string(dir) + "/history.db"},
        "/dev/null");
  };
  std::vector<std::unique_ptr<ServerProcess>> nodes;
  for (const char* name : {"a", "b"}) {
    if (nodes.empty() || row.redis) nodes.push_back(start(name));
  }
  const auto port = [&](std::size_t i) { return nodes[i % nodes.size()]->Port(); };
  std::vector<std::uint64_t> ids;
  {
    TestClient amy(port(0)), ben(port(1));
    for (auto [member, id] : {std::pair{&amy, "amy"}, {&ben, "ben"}}) {
      ASSERT_TRUE(member->Login(id));
      member->Send("HIST", "1");
      ASSERT_TRUE(member->Enter(id, "lobby") && member->Enter(id, std::string(kPair))) << id;
    }
    ids = {Say(amy, "amy", "lobby", "one"), Say(ben, "ben", "lobby", "two"), Say(amy, "amy", "lobby", "three")};
    ASSERT_NE(Say(ben, "ben", kPair, "between us"), 0u);
  }
  const Answer before = Latest(port(0), "cid", "lobby");
  ASSERT_EQ(before.lines.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(before.lines[i].id, ids[i]) << "the id its sender was told";
    EXPECT_EQ(before.lines[i].text, (std::vector<std::string>{"one", "two", "three"})[i]);
    if (i > 0) {
      EXPECT_EQ(ids[i], ids[i - 1] + 1) << "dense within the room";
    }
  }
  EXPECT_EQ(Latest(port(1), "dan", "lobby").lines, before.lines) << "the same ids, times and texts";
  const Answer outsider = Latest(port(1), "cat", kPair, false);
  EXPECT_EQ(outsider.outcome, history::Outcome::kRefused);
  EXPECT_TRUE(outsider.lines.empty());

  usleep(400'000);  // a batch goes within 100 ms
  nodes.back()->StopWith(row.signal);
  nodes.back() = start(row.redis ? "b" : "a");
  EXPECT_EQ(Latest(port(1), "eve", "lobby").lines, before.lines);
  TestClient amy(port(1));
  ASSERT_TRUE(amy.Login("amy"));
  amy.Send("HIST", "1");
  ASSERT_TRUE(amy.Enter("amy", "lobby"));
  EXPECT_EQ(Say(amy, "amy", "lobby", "four"), ids.back() + 1) << "ids go on where they were";
  std::filesystem::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Server, StoredHistory,
                         ::testing::Values(StoreCase{"FileAfterSigterm", false, SIGTERM},
                                           StoreCase{"FileAfterSigkill", false, SIGKILL},
                                           StoreCase{"RedisAfterSigterm", true, SIGTERM},
                                           StoreCase{"RedisAfterSigkill", true, SIGKILL}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvinta::server::testing
