// Several real orvinta-server nodes sharing a real redis-server of the test's
// own: members meet across nodes, one login per id, capacity over all nodes,
// a node killed, Redis restarted empty.
#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <thread>

#include "bench/server/loopback_socket.h"
#include "protocol/history_frames.h"
#include "tests/server/redis_process.h"
#include "tests/server/server_process.h"

namespace orvinta::server::testing {
namespace {

namespace history = protocol::history;

// Room events between nodes, and the sweep of a dead node (heartbeats expire
// after 10 s, swept every 5 s), arrive within these.
constexpr int kAcross = 5000;
constexpr int kSwept = 20000;

// The body of the member's next frame of that kind, or "<none>" within kAcross.
std::string NextBody(TestClient& member, std::string_view command) {
  const auto frame = member.NextOf(command, kAcross);
  return frame ? frame->body : "<none>";
}

std::unique_ptr<ServerProcess> Node(const RedisProcess& redis, const std::string& name,
                                    std::vector<std::string> more = {}) {
  std::vector<std::string> args{"--cluster", redis.Url(), "--node-name", name, "--cluster-wait", "5"};
  args.insert(args.end(), more.begin(), more.end());
  return std::make_unique<ServerProcess>(args, "/dev/null");
}

// The member answers the ping its node sends when its id logs in again elsewhere.
void AnswerPing(TestClient& member) {
  ASSERT_TRUE(member.NextOf("PING", kAcross));
  member.Send("PONG", "");
}

// The member enters and waits until the room has seated it (its own roster query answers).
void Enter(TestClient& member, const std::string& id, const std::string& room) {
  ASSERT_TRUE(member.Enter(id, room, kAcross)) << id;
}

TEST(ClusterProcess, MembersOnTwoNodesMeetTalkAndListEachOther) {
  RedisProcess redis;
  ASSERT_TRUE(redis.Running()) << "redis-server did not start";
  auto a = Node(redis, "a", {"--room-capacity", "2", "--http-port", "0"});
  auto b = Node(redis, "b", {"--room-capacity", "2", "--http-port", "0"});
  ASSERT_GT(a->Port(), 0);
  ASSERT_GT(b->Port(), 0);
  const std::string http = a->ReadLine();
  const std::string httpB = b->ReadLine();

  TestClient amy(a->Port()), ben(b->Port());
  ASSERT_TRUE(amy.Login("amy"));
  ASSERT_TRUE(ben.Login("ben"));
  Enter(amy, "amy", "Lobby");
  ben.Send("CHIN", "ben/lobby");
  const auto roster = ben.NextOf("IFON", kAcross);  // amy, from the other node
  ASSERT_TRUE(roster);
  EXPECT_EQ(roster->body, "amy/Lobby/amy/1/0");
  EXPECT_EQ(NextBody(amy, "CHIN"), "ben/Lobby/ben/1");

  for (int i = 0; i < 5; ++i) ben.Send("TALL", "ben/lobby/line " + std::to_string(i) + "/with a slash");
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(NextBody(amy, "TALL"), "ben/Lobby/line " + std::to_string(i) + "/with a slash");
  }
  ben.Send("IFAL", "ben/lobby/3");
  EXPECT_EQ(NextBody(amy, "IFAL"), "ben/Lobby/3");

  // Asked on either node, the answer names both members.
  TestClient asker(a->Port());
  asker.Send("ASIF", "x/lobby");
  std::set<std::string> listed;
  for (int i = 0; i < 2; ++i) {
    if (const auto member = asker.NextOf("IFON", kAcross)) listed.insert(member->body);
  }
  EXPECT_EQ(listed, (std::set<std::string>{"amy/Lobby/amy/1/0", "ben/Lobby/ben/1/3"}));

  // One login per id across the cluster: the session that answers keeps it.
  TestClient again(b->Port());
  again.Send("USER", "amy/key/amy/1");
  AnswerPing(amy);
  EXPECT_EQ(NextBody(again, "SYST"), "2/amy");

  // The room holds two, counted over both nodes.
  TestClient cid(a->Port());
  ASSERT_TRUE(cid.Login("cid"));
  cid.Send("CHIN", "cid/lobby");
  EXPECT_EQ(NextBody(cid, "SYST"), "10/lobby");

  // An invitation reaches the invitee on the other node; one for nobody says so.
  cid.Send("INVT", "cid/ben/x/cid");
  EXPECT_EQ(NextBody(ben, "INVT"), "cid/ben/Pchatben^cid/cid");
  cid.Send("INVT", "cid/nobody/x/cid");
  EXPECT_EQ(NextBody(cid, "SYST"), "1/nobody");

  const int httpPort = std::atoi(http.c_str() + http.rfind(':') + 1);
  const auto get = [](const std::string& path, int port) {
    TestClient client(port);
    client.SendRaw("GET " + path + " HTTP/1.0\r\n\r\n");
    return client.ReadToEnd();
  };
  const std::string page = get("/metrics", httpPort);
  EXPECT_NE(page.find("orvinta_cluster_link_up 1\n"), std::string::npos) << page;
  EXPECT_NE(page.find("orvinta_cluster_events_received_total"), std::string::npos);
  // The portal of either node counts the members of both (the list is read again every second).
  std::string rooms;
  for (int i = 0; i < 30 && rooms.find("\"members\":2") == std::string::npos; ++i) {
    rooms = get("/rooms.json", httpPort);
    if (rooms.find("\"members\":2") == std::string::npos) usleep(100'000);
  }
  EXPECT_NE(rooms.find("\"key\":\"Lobby\""), std::string::npos) << rooms;
  EXPECT_NE(rooms.find("\"members\":2"), std::string::npos) << rooms;
  // Every node's metrics count the rooms of all, as the portal does; "orvinta_rooms" stays this node's.
  for (const std::string& line : {http, httpB}) {
    std::string metrics;
    for (int i = 0; i < 30 && metrics.find("orvinta_cluster_room_members 2\n") == std::string::npos; ++i) {
      if (i > 0) usleep(100'000);
      metrics = get("/metrics", std::atoi(line.c_str() + line.rfind(':') + 1));
    }
    EXPECT_NE(metrics.find("orvinta_cluster_rooms 1\n"), std::string::npos) << metrics;
    EXPECT_NE(metrics.find("orvinta_cluster_room_members 2\n"), std::string::npos) << metrics;
  }
}

TEST(ClusterProcess, RoomsAndIdsSpreadOverTwoRedisServersStillMeet) {
  RedisProcess first, second;
  ASSERT_TRUE(first.Running() && second.Running());
  const auto node = [&](const std::string& name) {
    return std::make_unique<ServerProcess>(
        std::vector<std::string>{"--cluster", first.Url(), "--cluster", second.Url(), "--node-name", name},
        "/dev/null");
  };
  auto a = node("a");
  auto b = node("b");
  TestClient amy(a->Port()), ben(b->Port());
  ASSERT_TRUE(amy.Login("amy"));
  ASSERT_TRUE(ben.Login("ben"));
  // Enough rooms that both servers hold some.
  for (const std::string room : {"r1", "r2", "r3", "r4"}) {
    Enter(amy, "amy", room);
    ben.Send("CHIN", "ben/" + room);
    const auto joined = amy.NextOf("CHIN", kAcross);
    ASSERT_TRUE(joined) << room;
    EXPECT_EQ(joined->body, "ben/" + room + "/ben/1");
    ben.Send("TALL", "ben/" + room + "/hi");
    const auto line = amy.NextOf("TALL", kAcross);
    ASSERT_TRUE(line) << room;
    EXPECT_EQ(line->body, "ben/" + room + "/hi");
  }
  TestClient again(a->Port());
  again.Send("USER", "ben/key/ben/1");
  AnswerPing(ben);
  EXPECT_EQ(NextBody(again, "SYST"), "2/ben");
}

TEST(ClusterProcess, AVoteCountsTheMembersOfEveryNodeAndExpelsAcrossThem) {
  RedisProcess redis;
  ASSERT_TRUE(redis.Running());
  auto a = Node(redis, "a");
  auto b = Node(redis, "b");
  TestClient amy(a->Port()), cid(a->Port()), ben(b->Port()), dan(b->Port());
  for (auto [member, id] : {std::pair{&amy, "amy"}, {&cid, "cid"}, {&ben, "ben"}, {&dan, "dan"}}) {
    ASSERT_TRUE(member->Login(id));
    Enter(*member, id, "lobby");
  }
  amy.Send("RQBN", "amy/lobby/ben");
  for (TestClient* member : {&cid, &ben, &dan}) {
    const auto asked = member->NextOf("RQBN", kAcross);
    ASSERT_TRUE(asked);
    EXPECT_EQ(asked->body, "amy/lobby/ben");
  }
  // A second vote in the room, asked on the other node, does not open while this one runs.
  dan.Send("RQBN", "dan/lobby/cid");
  for (int round = 0; round < 2; ++round) {  // the second answer comes after the node's claim was answered
    dan.Send("ASIF", "dan/lobby");
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(dan.NextOf("IFON", kAcross));
  }
  // A member entering on the other node meanwhile is told that a vote runs.
  TestClient eve(b->Port());
  ASSERT_TRUE(eve.Login("eve"));
  eve.Send("CHIN", "eve/lobby");
  EXPECT_EQ(NextBody(eve, "RMIF"), "lobby/T");
  dan.Send("VTBN", "dan/lobby/ben/T");  // counted on the node that holds the vote
  amy.Send("VTBN", "amy/lobby/ben/T");
  cid.Send("VTBN", "cid/lobby/ben/T");
  for (auto frame = cid.Next(kAcross); frame && frame->command != "RSBN"; frame = cid.Next(kAcross)) {
    EXPECT_NE(frame->command, "RQBN") << frame->body;
  }
  for (TestClient* member : {&amy, &ben, &dan}) {
    EXPECT_EQ(NextBody(*member, "RSBN"), "lobby/ben/3/0");
    const auto out = member->NextOf("CHOT", kAcross);
    ASSERT_TRUE(out);
    EXPECT_EQ(out->body, "ben/lobby");
  }
  // Taken out on its own node too, and barred from coming back.
  ben.Send("CHIN", "ben/lobby");
  EXPECT_EQ(NextBody(ben, "SYST"), "6/lobby");
}

TEST(ClusterProcess, WithoutRedisAtStartItSaysSoAndGivesUp) {
  const RunResult run = RunServerToEnd({"--port", "0", "--cluster", "redis://127.0.0.1:1", "--cluster-wait", "1"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.errorOutput.find("cannot reach Redis at redis://127.0.0.1:1"), std::string::npos) << run.errorOutput;
  EXPECT_NE(run.errorOutput.find("gave up"), std::string::npos) << run.errorOutput;
}

// Until the node has reached Redis and stated what it holds, a login is
// neither answered nor refused: the connection waits, unread, and is let in,
// with its claim on the id, once Redis is there.
TEST(ClusterProcess, ANodeTakesLoginsOnlyOnceItHasReachedRedis) {
  RedisProcess redis;
  ASSERT_TRUE(redis.Running());
  redis.Kill();  // its port is kept for the start below
  const int port = bench::FreeLoopbackPort();
  std::unique_ptr<ServerProcess> a;
  std::jthread starting([&] { a = Node(redis, "a", {"--port", std::to_string(port), "--cluster-wait", "30"}); });
  std::unique_ptr<TestClient> amy;
  for (int attempt = 0; attempt < 100 && !(amy && amy->Connected()); ++attempt) {
    usleep(30'000);
    amy = std::make_unique<TestClient>(port);
  }
  ASSERT_TRUE(amy->Connected());
  amy->Send("USER", "amy/key/amy/1");
  const auto early = amy->Next(1000);
  EXPECT_FALSE(early) << early->command << " " << early->body;
  ASSERT_TRUE(redis.Restart());
  EXPECT_TRUE(amy->NextOf("USRP", 10000));
  starting.join();
  // Let in with its claim: the id is held for the cluster.
  auto b = Node(redis, "b");
  TestClient again(b->Port());
  again.Send("USER", "amy/key/amy/1");
  AnswerPing(*amy);
  EXPECT_EQ(NextBody(again, "SYST"), "2/amy");
}

TEST(ClusterProcess, APasswordProtectedRedisTakesOnlyTheRightPassword) {
  RedisProcess redis("s3cret-password");
  ASSERT_TRUE(redis.Running());
  const std::string good = ::testing::TempDir() + "redis-good", bad = ::testing::TempDir() + "redis-bad";
  std::ofstream(good) << "s3cret-password\n";
  std::ofstream(bad) << "guess\n";
  const RunResult refused = RunServerToEnd({"--port", "0", "--cluster", redis.Url(), "--cluster-password-file", bad,
                                            "--cluster-wait", "1"});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.errorOutput.find("password"), std::string::npos) << refused.errorOutput;
  auto a = Node(redis, "a", {"--cluster-password-file", good});
  TestClient amy(a->Port());
  ASSERT_TRUE(amy.Login("amy"));
  Enter(amy, "amy", "lobby");
}

TEST(ClusterProcess, AKilledNodesMembersLeaveAndMayLogInAgain) {
  RedisProcess redis;
  ASSERT_TRUE(redis.Running());
  auto a = Node(redis, "a");
  auto b = Node(redis, "b");
  TestClient amy(a->Port());
  ASSERT_TRUE(amy.Login("amy"));
  Enter(amy, "amy", "lobby");
  {
    TestClient ben(b->Port());
    ASSERT_TRUE(ben.Login("ben"));
    Enter(ben, "ben", "lobby");
    ASSERT_TRUE(amy.NextOf("CHIN", kAcross));
    b->StopWith(SIGKILL);
  }
  const auto left = amy.NextOf("CHOT", kSwept);
  ASSERT_TRUE(left);
  EXPECT_EQ(left->body, "ben/lobby");
  TestClient back(a->Port());
  EXPECT_TRUE(back.Login("ben"));
}

TEST(ClusterProcess, AfterRedisRestartsEmptyARunningNodeMeetsANewOne) {
  RedisProcess redis;
  ASSERT_TRUE(redis.Running());
  auto a = Node(redis, "a");
  TestClient amy(a->Port());
  ASSERT_TRUE(amy.Login("amy"));
  Enter(amy, "amy", "lobby");

  ASSERT_TRUE(redis.Restart());
  // Meanwhile nobody on the running node was disconnected.
  amy.Send("IFAL", "amy/lobby/1");
  auto c = Node(redis, "c");
  TestClient ben(c->Port());
  ASSERT_TRUE(ben.Login("ben"));
  // The running node registers its members again once its link is back.
  std::optional<protocol::Frame> roster;
  for (int attempt = 0; attempt < 10 && !roster; ++attempt) {
    ben.Send("CHIN", "ben/lobby");
    roster = ben.NextOf("IFON", 1000);
    if (!roster) {
      ben.Send("CHOT", "ben/lobby");
    }
  }
  ASSERT_TRUE(roster);
  EXPECT_EQ(roster->body, "amy/lobby/amy/1/1");
  EXPECT_EQ(NextBody(amy, "CHIN"), "ben/lobby/ben/1");
  amy.Send("TALL", "amy/lobby/welcome back");
  EXPECT_EQ(NextBody(ben, "TALL"), "amy/lobby/welcome back");
}

TEST(ClusterProcess, ASilentRedisDisconnectsNobodyAndTheNodeComesBack) {
  RedisProcess redis;
  ASSERT_TRUE(redis.Running());
  auto a = Node(redis, "a");
  TestClient amy(a->Port()), cid(a->Port());
  ASSERT_TRUE(amy.Login("amy"));
  ASSERT_TRUE(cid.Login("cid"));
  Enter(amy, "amy", "lobby");
  Enter(cid, "cid", "lobby");

  redis.Pause();
  amy.Send("TALL", "amy/lobby/still here");
  EXPECT_EQ(NextBody(cid, "TALL"), "amy/lobby/still here");
  // A login while Redis owes its answer is let in once the node gives up waiting.
  TestClient dan(a->Port());
  dan.Send("USER", "dan/key/dan/1");
  EXPECT_TRUE(dan.NextOf("USRP", 8000));

  redis.Resume();
  auto b = Node(redis, "b");
  TestClient ben(b->Port());
  ASSERT_TRUE(ben.Login("ben"));
  std::set<std::string> roster;
  for (int attempt = 0; attempt < 10 && roster.size() < 2; ++attempt) {
    ben.Send("CHIN", "ben/lobby");
    while (const auto member = ben.NextOf("IFON", 1000)) roster.insert(member->body);
    if (roster.size() < 2) ben.Send("CHOT", "ben/lobby");
  }
  EXPECT_EQ(roster, (std::set<std::string>{"amy/lobby/amy/1/0", "cid/lobby/cid/1/0"}));
}

namespace faults {

// Two nodes on one Redis, rooms of three: amy on a; ben and cid on b; all in the lobby.
struct Cluster {
  Cluster() {
    a = Node(redis, "a", {"--room-capacity", "3"});
    StartB("b");
    amy = std::make_unique<TestClient>(a->Port());
    ben = std::make_unique<TestClient>(b->Port());
    cid = std::make_unique<TestClient>(b->Port());
    for (auto [member, id] : {std::pair{amy.get(), "amy"}, {ben.get(), "ben"}, {cid.get(), "cid"}}) {
      EXPECT_TRUE(member->Login(id)) << id;
      Enter(*member, id, "lobby");
    }
    while (amy->NextOf("CHIN", 300)) {
    }
  }
  void StartB(const std::string& name) {
    b = std::make_unique<ServerProcess>(std::vector<std::string>{"--cluster", redis.Url(), "--node-name", name,
                                                                 "--room-capacity", "3"},
                                        bLog);
  }

  RedisProcess redis;
  std::string bLog = ::testing::TempDir() + "node-b-" + std::to_string(getpid()) + ".log";
  std::unique_ptr<ServerProcess> a, b;
  std::unique_ptr<TestClient> amy, ben, cid;
};

// The member's next frames ("COMMAND body") until each of these has come, in any order.
void ExpectEach(TestClient& member, std::set<std::string> frames, int withinMs) {
  while (!frames.empty()) {
    const auto frame = member.Next(withinMs);
    if (!frame) break;
    if (frame->command == "PING") member.Send("PONG", "");
    frames.erase(frame->command + " " + frame->body);
  }
  EXPECT_TRUE(frames.empty()) << "missing, first: " << (frames.empty() ? "" : *frames.begin());
}

// A member of the restarted node comes back at once, without "SYST" 2, and
// the room has room for it: nothing of the old run is left.
void ComesBackAtOnce(Cluster& c) {
  TestClient ben(c.b->Port());
  ASSERT_TRUE(ben.Login("ben"));
  Enter(ben, "ben", "lobby");
  EXPECT_EQ(NextBody(*c.amy, "CHIN"), "ben/lobby/ben/1");
  TestClient dan(c.a->Port());
  ASSERT_TRUE(dan.Login("dan"));
  Enter(dan, "dan", "lobby");
}

void RestartedWithTheSameName(Cluster& c, int signal) {
  c.b->StopWith(signal);
  c.StartB("b");
  ExpectEach(*c.amy, {"CHOT ben/lobby", "CHOT cid/lobby"}, 3000);
  ComesBackAtOnce(c);
}

void StoppedCleanly(Cluster& c) { RestartedWithTheSameName(c, SIGTERM); }
void KilledAndRestarted(Cluster& c) { RestartedWithTheSameName(c, SIGKILL); }

void KilledAndReplacedByANewName(Cluster& c) {
  c.b->StopWith(SIGKILL);
  c.StartB("b2");
  // The dead run does not answer for the id, so it is taken over.
  TestClient ben(c.b->Port());
  ASSERT_TRUE(ben.Login("ben"));
  ExpectEach(*c.amy, {"CHOT ben/lobby", "CHOT cid/lobby"}, kSwept);
  Enter(ben, "ben", "lobby");
  EXPECT_EQ(NextBody(*c.amy, "CHIN"), "ben/lobby/ben/1");
}

void PausedAndContinued(Cluster& c) {
  kill(c.b->Pid(), SIGSTOP);
  ExpectEach(*c.amy, {"CHOT ben/lobby", "CHOT cid/lobby"}, kSwept);
  kill(c.b->Pid(), SIGCONT);
  // The node states again what it holds; the others take its members back.
  ExpectEach(*c.amy, {"CHIN ben/lobby/ben/1", "CHIN cid/lobby/cid/1"}, kAcross);
  c.ben->Send("TALL", "ben/lobby/still here");
  EXPECT_EQ(NextBody(*c.amy, "TALL"), "ben/lobby/still here");
  // Its members were not expelled on their own node, nor barred.
  c.ben->Send("CHOT", "ben/lobby");
  c.ben->Send("CHIN", "ben/lobby");
  const auto roster = c.ben->Next(kAcross);
  ASSERT_TRUE(roster);
  EXPECT_EQ(roster->command, "IFON") << roster->body;
  std::ifstream log(c.bLog);
  const std::string text((std::istreambuf_iterator<char>(log)), {});
  EXPECT_EQ(text.find("expelled"), std::string::npos) << text;
}

void RedisRestartedEmpty(Cluster& c) {
  c.redis.Kill();
  // Meanwhile ben leaves and dan comes, unheard by the other node.
  c.ben->Send("CHOT", "ben/lobby");
  TestClient dan(c.b->Port());
  ASSERT_TRUE(dan.Login("dan"));
  dan.Send("CHIN", "dan/lobby");
  ASSERT_TRUE(dan.NextOf("IFON", kAcross));
  ASSERT_TRUE(c.redis.Restart());
  ExpectEach(*c.amy, {"CHOT ben/lobby", "CHIN dan/lobby/dan/1"}, kAcross + 3000);
  c.amy->Send("TALL", "amy/lobby/hello again");
  EXPECT_EQ(NextBody(dan, "TALL"), "amy/lobby/hello again");
}

// The HEND of a history request for the room (a member of it asks).
history::AnswerEnd AskHistory(TestClient& member, const std::string& id, history::Mode mode, std::uint64_t anchor) {
  member.Send("HREQ", history::RequestBody(id, {"den", 1, mode, anchor, 10}));
  const auto end = member.NextOf("HEND", kAcross);
  return end ? *history::ParseAnswerEnd(end->body) : history::AnswerEnd{};
}

// Lines said while Redis is gone still reach the members here; history
// answers refuse rather than lie, and after Redis came back empty the ids are
// above the old ones and an old anchor's gap is unknown.
void HistoryWhileRedisIsGone(Cluster& c) {
  TestClient eve(c.a->Port());
  ASSERT_TRUE(eve.Login("eve"));
  eve.Send("HIST", "1");
  ASSERT_TRUE(eve.Enter("eve", "den") && c.amy->Enter("amy", "den"));
  eve.Send("TALL", "eve/den/before");
  const auto first = eve.NextOf("HSNT", kAcross);
  ASSERT_TRUE(first);
  const std::uint64_t before = history::ParseOwnStamp(first->body)->id;
  EXPECT_EQ(NextBody(*c.amy, "TALL"), "eve/den/before");
  c.redis.Kill();
  usleep(300'000);
  EXPECT_EQ(AskHistory(eve, "eve", history::Mode::kLatest, 0).outcome, history::Outcome::kRefused);
  eve.Send("TALL", "eve/den/during");
  EXPECT_EQ(NextBody(*c.amy, "TALL"), "eve/den/during");
  ASSERT_TRUE(c.redis.Restart());
  std::optional<protocol::Frame> stamp;
  for (int i = 0; i < 10 && !stamp; ++i) {
    eve.Send("TALL", "eve/den/after " + std::to_string(i));
    stamp = eve.NextOf("HSNT", 1000);
  }
  ASSERT_TRUE(stamp);
  EXPECT_GT(history::ParseOwnStamp(stamp->body)->id, before);
  EXPECT_EQ(AskHistory(eve, "eve", history::Mode::kAfter, before).missing, std::nullopt);
}

void LoggedInTwiceDuringAnOutage(Cluster& c) {
  c.redis.Kill();
  TestClient first(c.a->Port());
  ASSERT_TRUE(first.Login("eve"));
  usleep(50'000);
  TestClient later(c.b->Port());
  ASSERT_TRUE(later.Login("eve"));
  Enter(first, "eve", "lobby");
  Enter(later, "eve", "lobby");
  ASSERT_EQ(NextBody(*c.cid, "CHIN"), "eve/lobby/eve/1");
  ASSERT_TRUE(c.redis.Restart());
  // The later session is told and closed; nobody is expelled or barred.
  EXPECT_EQ(NextBody(later, "SYST"), "2/eve");
  EXPECT_TRUE(later.WaitClosed(kAcross));
  ExpectEach(*c.cid, {"CHOT eve/lobby", "CHIN eve/lobby/eve/1"}, kAcross);
  first.Send("TALL", "eve/lobby/still in");
  EXPECT_EQ(NextBody(*c.cid, "TALL"), "eve/lobby/still in");
}

struct FaultCase {
  const char* name;
  void (*run)(Cluster&);
};

class ClusterFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(ClusterFault, EndsWithEveryListRightAndNobodyExpelledOrRefused) {
  Cluster cluster;
  ASSERT_TRUE(cluster.redis.Running());
  GetParam().run(cluster);
}

INSTANTIATE_TEST_SUITE_P(Cluster, ClusterFault,
                         ::testing::Values(FaultCase{"NodeStoppedAndStartedWithTheSameName", StoppedCleanly},
                                           FaultCase{"NodeKilledAndStartedWithTheSameName", KilledAndRestarted},
                                           FaultCase{"NodeKilledAndANewNameStarted", KilledAndReplacedByANewName},
                                           FaultCase{"NodePausedAndContinued", PausedAndContinued},
                                           FaultCase{"RedisRestartedEmpty", RedisRestartedEmpty},
                                           FaultCase{"LoggedInTwiceDuringAnOutage", LoggedInTwiceDuringAnOutage},
                                           FaultCase{"HistoryWhileRedisIsGone", HistoryWhileRedisIsGone}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace faults

}  // namespace
}  // namespace orvinta::server::testing
