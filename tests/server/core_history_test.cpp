// A room's history: stamped lines for members who asked, requests and who may
// make them, and today's traffic unchanged for everyone else.
#include <stdlib.h>

#include <filesystem>

#include "protocol/history_frames.h"
#include "server/memory_history.h"
#include "server/sqlite_history.h"
#include "tests/server/core_fixture.h"

namespace orvinta::server::testing {
namespace {

namespace history = protocol::history;

struct StoreHolder {
  MemoryHistory store;
};

class HistoryTest : protected StoreHolder, public CoreTest {
 protected:
  explicit HistoryTest(HistoryBounds bounds = {}, ServerLimits limits = {})
      : StoreHolder{MemoryHistory(bounds)}, CoreTest(limits, nullptr, nullptr, &store) {}

  // Logged in, asked for history, in the room; its inbox cleared.
  ConnectionId Reader(const std::string& id, const std::string& room) {
    const ConnectionId c = Login(id);
    Frame(c, "HIST", "1");
    Frame(c, "CHIN", id + "/" + room);
    Take(c);
    return c;
  }
  void Say(ConnectionId c, const std::string& id, const std::string& room, int lines) {
    for (int i = 0; i < lines; ++i) Frame(c, "TALL", id + "/" + room + "/line " + std::to_string(i));
  }
  // The ids an answer gave, and how it ended.
  std::pair<std::vector<std::uint64_t>, history::AnswerEnd> Ask(ConnectionId c, const history::Request& r) {
    Frame(c, "HREQ", history::RequestBody("x", r));
    std::vector<std::uint64_t> ids;
    history::AnswerEnd end;
    for (const std::string& f : Take(c)) {
      if (f.starts_with("HLIN")) ids.push_back(history::ParseAnswerLine(f.substr(8))->line.id);
      if (f.starts_with("HEND")) end = *history::ParseAnswerEnd(f.substr(8));
    }
    return {ids, end};
  }
};

TEST_F(HistoryTest, AMemberWhoAskedGetsStampedLinesAndItsOwnIdsTheOthersPlainOnes) {
  const ConnectionId plain = LoginInRoom("bob", "lobby");
  const ConnectionId alice = Login("alice");
  Frame(alice, "HIST", "1");
  EXPECT_EQ(Take(alice), Bodies{F("HIST", "1/1000/7/200")});
  Frame(alice, "CHIN", "alice/lobby");
  const ConnectionId carol = Reader("carol", "lobby");
  ClearAll();
  Frame(plain, "TALL", "bob/lobby/hi");
  clock_.Advance(5);
  Frame(alice, "TALL", "alice/lobby/a/b");
  const auto first = history::ParseStamped(TakeBodies(carol, "HTAL").at(0));
  ASSERT_TRUE(first);
  EXPECT_EQ(first->time, 1'000'000);
  EXPECT_EQ(TakeBodies(alice, "HTAL"), Bodies{history::StampedBody(first->id, 1'000'000, "bob/lobby/hi")});
  Frame(alice, "TALL", "alice/lobby/again");
  EXPECT_EQ(Take(alice), Bodies{F("HSNT", history::OwnStampBody(first->id + 2, 1'000'005, "lobby"))});
  EXPECT_EQ(TakeBodies(carol, "HTAL").size(), 1u);
  EXPECT_EQ(Take(plain), (Bodies{F("TALL", "alice/lobby/a/b"), F("TALL", "alice/lobby/again")}));
}

struct RequestCase {
  const char* name;
  history::Mode mode;
  std::optional<std::int64_t> anchor;  // from the first id the room gave; none: 0
  std::size_t count;
  std::vector<std::uint64_t> ids;
  history::Outcome outcome;
  std::optional<std::uint64_t> missing;
};
void PrintTo(const RequestCase& c, std::ostream* os) { *os << c.name; }

// Twelve lines said, ids given as offsets 0 to 11 from the first; eight kept (4 to 11).
class RequestTest : public HistoryTest, public ::testing::WithParamInterface<RequestCase> {
 protected:
  RequestTest() : HistoryTest(HistoryBounds{8}) {}
};

TEST_P(RequestTest, AnswersTheLinesAskedForAndHowFarTheyReach) {
  const RequestCase& c = GetParam();
  const ConnectionId alice = Reader("alice", "lobby");
  Say(alice, "alice", "lobby", 12);
  const std::uint64_t base = history::ParseOwnStamp(TakeBodies(alice, "HSNT").at(0).c_str())->id;
  const std::uint64_t anchor = c.anchor ? base + *c.anchor : 0;
  auto [ids, end] = Ask(alice, {"LOBBY", 42, c.mode, anchor, c.count});
  for (std::uint64_t& id : ids) id -= base;
  EXPECT_EQ(ids, c.ids);
  EXPECT_EQ(std::tie(end.room, end.tag, end.outcome, end.count), std::make_tuple("lobby", 42u, c.outcome, c.ids.size()));
  EXPECT_EQ(end.missing, c.missing);
}

using M = history::Mode;
using O = history::Outcome;
INSTANTIATE_TEST_SUITE_P(
    Core, RequestTest,
    ::testing::Values(RequestCase{"LatestFew", M::kLatest, {}, 3, {9, 10, 11}, O::kComplete, 0},
                      RequestCase{"LatestMoreThanKept", M::kLatest, {}, 50, {4, 5, 6, 7, 8, 9, 10, 11}, O::kEnded, 0},
                      RequestCase{"AfterCatchesUp", M::kAfter, 9, 5, {10, 11}, O::kEnded, 0},
                      RequestCase{"AfterInPages", M::kAfter, 5, 2, {6, 7}, O::kComplete, 0},
                      RequestCase{"AfterTheNewest", M::kAfter, 11, 5, {}, O::kEnded, 0},
                      RequestCase{"AfterTrimmedLinesCountsThem", M::kAfter, 1, 2, {4, 5}, O::kComplete, 2},
                      RequestCase{"AfterAnIdNotGivenYet", M::kAfter, 1'000'000'000, 1, {}, O::kEnded, 0},
                      RequestCase{"AfterAnIdFromBeforeTheRecordCannotCount", M::kAfter, -5, 2, {4, 5}, O::kComplete,
                                  std::nullopt},
                      RequestCase{"BeforePagesBack", M::kBefore, 8, 2, {6, 7}, O::kComplete, 0},
                      RequestCase{"BeforeReachesTheStart", M::kBefore, 6, 5, {4, 5}, O::kEnded, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HistoryTest, OnlyAMemberOfTheRoomNowMayRead) {
  const ConnectionId alice = Reader("alice", "Pchatalice^bob");
  const ConnectionId bob = Reader("bob", "Pchatalice^bob");
  const ConnectionId eve = Reader("eve", "lobby");
  Say(alice, "alice", "Pchatalice^bob", 3);
  Take(bob);
  EXPECT_EQ(Ask(bob, {"pchatalice^bob", 1, M::kLatest, 0, 10}).first.size(), 3u);
  Frame(alice, "CHOT", "alice/Pchatalice^bob");
  for (const ConnectionId asker : {eve, alice}) {  // never in it, no longer in it
    Take(asker);
    EXPECT_EQ(Ask(asker, {"Pchatalice^bob", 7, M::kLatest, 0, 10}).second.outcome, O::kRefused);
  }
}

TEST_F(HistoryTest, TheHistoryOutlivesTheLastMember) {
  const ConnectionId alice = Reader("alice", "lobby");
  Say(alice, "alice", "lobby", 4);
  server_.OnDisconnected(alice);
  EXPECT_TRUE(server_.ListRooms().empty());
  const ConnectionId bob = Reader("bob", "lobby");
  EXPECT_EQ(Ask(bob, {"lobby", 1, M::kLatest, 0, 50}).first.size(), 4u);
  EXPECT_EQ(server_.Gauges().history.lines, 4u);
  EXPECT_EQ(server_.Metrics().historyRequests, 1u);
}

TEST_F(HistoryTest, ARequestFloodIsCutOffAsAnyOther) {
  const ConnectionId alice = Reader("alice", "lobby");
  for (int i = 0; i < 100 && !Closed(alice); ++i) Frame(alice, "HREQ", "alice/lobby/1/L/0/1");
  EXPECT_TRUE(Closed(alice));
  EXPECT_LE(server_.Metrics().historyRequests, 20u) << "no more than the burst is answered";
}

class SmallAnswerTest : public HistoryTest {
 protected:
  SmallAnswerTest() : HistoryTest({}, [] { ServerLimits l; l.historyAnswerBytes = 100; return l; }()) {}
};

TEST_F(SmallAnswerTest, AnAnswerStaysWithinItsByteBoundKeepingTheLinesNearestTheAnchor) {
  const ConnectionId alice = Reader("alice", "lobby");
  Say(alice, "alice", "lobby", 10);  // 18 bytes each: five fit
  const std::uint64_t newest = history::ParseOwnStamp(TakeBodies(alice, "HSNT").back())->id;
  const auto [ids, end] = Ask(alice, {"lobby", 1, M::kLatest, 0, 10});
  EXPECT_EQ(ids, (std::vector<std::uint64_t>{newest - 4, newest - 3, newest - 2, newest - 1, newest}));
  EXPECT_EQ(end.outcome, O::kMore);
}

// The same traffic with history on and off: a peer that never sent "HIST" sees
// every byte as it was, and its "HREQ" is answered by nothing.
TEST(HistoryOffTest, PeersThatDoNotAskSeeTodaysTrafficByteForByte) {
  struct Step { ConnectionId who; const char* command; const char* body; };
  const Step steps[] = {
      {1, "USER", "alice/k/Alice/1"}, {2, "USER", "bob/k/Bob/2"},     {4, "USER", "eve/k/Eve/3"},
      {1, "CHIN", "alice/lobby"},     {2, "CHIN", "bob/LOBBY"},       {3, "ASIF", "0/lobby"},
      {1, "TALL", "alice/lobby/hi"},  {2, "TALL", "bob/lobby/a/b/c"}, {4, "HIST", "1"},
      {4, "CHIN", "eve/lobby"},       {4, "TALL", "eve/lobby/x"},     {2, "IFAL", "bob/lobby/2"},
      {2, "HREQ", "bob/lobby/1/L/0/5"}, {1, "CHIN", "alice/Pchatalice^bob"}, {2, "CHIN", "bob/Pchatalice^bob"},
      {2, "TALL", "bob/Pchatalice^bob/psst"}, {3, "ASIF", "0/lobby"}, {1, "CHOT", "alice/lobby"},
      {2, "TALL", "bob/lobby/bye"},
  };
  std::map<ConnectionId, std::vector<std::string>> seen[2];
  for (int on = 0; on < 2; ++on) {
    ManualClock clock;
    RecordingOutbox outbox;
    MemoryHistory store({});
    ChatServer server(clock, outbox, {}, CoreServices{nullptr, nullptr, nullptr, on ? &store : nullptr});
    for (ConnectionId c = 1; c <= 4; ++c) server.OnConnected(c);
    for (const Step& s : steps) server.OnFrame(s.who, s.command, s.body);
    seen[on] = outbox.sent;
    EXPECT_EQ(store.Stats().lines, on ? 5u : 0u);
  }
  for (ConnectionId c = 1; c <= 3; ++c) EXPECT_EQ(seen[0][c], seen[1][c]) << "connection " << c;
  EXPECT_NE(seen[0][4], seen[1][4]) << "the one that asked is told more";
}

// The store's own bounds, met without a server around it.
TEST(MemoryHistoryTest, KeepsWithinAgeAndBudgetTheLeastRecentlyWrittenRoomGivingWayFirst) {
  const std::string body(100, 'x');
  MemoryHistory store(HistoryBounds{1000, 60'000, 10 * (100 + sizeof(HistoryLine) + 16)});
  for (int i = 0; i < 6; ++i) store.Append("quiet", body, 1'000);
  for (int i = 0; i < 6; ++i) store.Append("busy", body, 2'000);
  EXPECT_EQ(store.Stats().lines, 10u);
  EXPECT_EQ(store.ReadNow({"busy", HistoryMode::kLatest, 0, 100, 1 << 20}, 2'000).lines.size(), 6u);
  EXPECT_EQ(store.ReadNow({"quiet", HistoryMode::kLatest, 0, 100, 1 << 20}, 2'000).lines.size(), 4u);
  // A minute on, the quiet room's lines are too old; the busy room's are not yet.
  store.Tick(61'500);
  EXPECT_EQ(store.Stats().lines, 6u);
  EXPECT_TRUE(store.ReadNow({"quiet", HistoryMode::kLatest, 0, 100, 1 << 20}, 61'500).ended);
  EXPECT_EQ(store.Append("quiet", body, 61'500)->id, 61'500'000u) << "a room begun again never gives an id it gave before";
}

// Rows the bounds no longer keep leave the file too, so that the next start
// does not take them back.
TEST(SqliteHistoryTest, TrimmedAndExpiredRowsLeaveTheFile) {
  char name[] = "/tmp/orvinta-history-XXXXXX";
  const std::string dir = mkdtemp(name);
  const std::string file = dir + "/h.db";
  NoLog log;
  const Millis day = 24 * 3600 * 1000;
  {
    SqliteHistory store(file, HistoryBounds{3, day}, 0, log);
    ASSERT_TRUE(store.Valid()) << store.Error();
    for (int i = 0; i < 5; ++i) store.Append("lobby", "amy/lobby/" + std::to_string(i), 1'000);
    store.Append("attic", "amy/attic/old", 0);
    store.Flush(1'000);
    EXPECT_EQ(store.Stats().rowsWritten, 6u);
    store.Tick(day + 500);  // the attic's line is a day old now
  }
  SqliteHistory again(file, HistoryBounds{100, 10 * day}, day + 600, log);
  EXPECT_EQ(again.Stats().lines, 3u) << "two lobby lines trimmed, the attic's expired";
  HistoryPage page;
  again.Read({"lobby", HistoryMode::kLatest, 0, 10, 1 << 20}, day + 600, [&](HistoryPage p) { page = std::move(p); });
  ASSERT_EQ(page.lines.size(), 3u);
  EXPECT_EQ(page.lines.front().body, "amy/lobby/2");
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace orvinta::server::testing
