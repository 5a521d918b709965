// Login, duplicate login, keep-alive and the timeouts of the core.
#include "tests/server/core_fixture.h"

namespace orvinta::server::testing {
namespace {

class SessionTest : public CoreTest {};

TEST_F(SessionTest, LoginIsAnsweredWithAnEmptyUsrp) {
  const ConnectionId c = Connect();
  Frame(c, "USER", "alice/secret/Alice/1001");
  EXPECT_EQ(Take(c), Bodies{"USRP0000"});
  EXPECT_FALSE(Closed(c));
}

// A second login pings the session holding the id: one that answers keeps
// it and the newcomer is refused; a silent one is closed and leaves its room.
class SecondLoginTest : public CoreTest, public ::testing::WithParamInterface<bool> {};

TEST_P(SecondLoginTest, WaitsForTheHolderToAnswer) {
  const bool holderAnswers = GetParam();
  const ConnectionId first = LoginInRoom("alice", "lobby");
  const ConnectionId bob = LoginInRoom("bob", "lobby");
  ClearAll();
  const ConnectionId second = Connect();
  Frame(second, "USER", "alice/other/Alice/1");
  EXPECT_EQ(Take(first), Bodies{"PING0000"});
  EXPECT_EQ(Take(second), Bodies{});
  if (holderAnswers) {
    Frame(first, "PONG", "");
  } else {
    clock_.Advance(4900);
    server_.Tick();
    EXPECT_EQ(Take(second), Bodies{}) << "decided before the holder had its time";
    clock_.Advance(100);
  }
  server_.Tick();
  EXPECT_EQ(Closed(first), !holderAnswers);
  EXPECT_EQ(Closed(second), holderAnswers);
  EXPECT_EQ(Take(second), holderAnswers ? Bodies{"SYST00072/alice"} : Bodies{"USRP0000"});
  EXPECT_EQ(TakeBodies(bob, "CHOT"), holderAnswers ? Bodies{} : Bodies{"alice/lobby"});
}

INSTANTIATE_TEST_SUITE_P(Core, SecondLoginTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "HolderAnswers" : "HolderIsSilent"; });

TEST_F(SessionTest, AnIdIsFreeAgainOnceItsConnectionIsGone) {
  const ConnectionId first = Login("alice");
  server_.OnDisconnected(first);
  Login("alice");
}

struct BadLogin {
  const char* name;
  const char* body;
};
void PrintTo(const BadLogin& c, std::ostream* os) { *os << c.name; }

class BadLoginTest : public CoreTest, public ::testing::WithParamInterface<BadLogin> {};

TEST_P(BadLoginTest, IsRefusedWithCode12AndClosed) {
  const ConnectionId c = Connect();
  Frame(c, "USER", GetParam().body);
  EXPECT_EQ(Take(c), Bodies{"SYST000312/"});
  EXPECT_TRUE(Closed(c));
}

INSTANTIATE_TEST_SUITE_P(Core, BadLoginTest,
                         ::testing::Values(BadLogin{"Empty", ""}, BadLogin{"TooFewFields", "alice/key/Alice"},
                                           BadLogin{"EmptyId", "/key/Alice/1"},
                                           BadLogin{"IdWithSpace", "al ice/key/Alice/1"},
                                           BadLogin{"IdWithControlByte", "al\x01ice/key/Alice/1"},
                                           BadLogin{"IdWithCaret", "a^b/key/Alice/1"},
                                           BadLogin{"IdTooLong", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa/k/A/1"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SessionTest, NickAndIconAreCleanedBeforeOthersSeeThem) {
  const ConnectionId alice = LoginInRoom("alice", "lobby");
  const ConnectionId bob = Connect();
  // A "/" in the nick arrives as an extra field; a bad icon becomes 0.
  Frame(bob, "USER", "bob/key/B/o\x07" "b/12x");
  Take(bob);
  Take(alice);
  Frame(bob, "CHIN", "bob/lobby");
  EXPECT_EQ(TakeBodies(alice, "CHIN"), Bodies{"bob/lobby/Bob/0"});
}

TEST_F(SessionTest, CommandsBeforeLoginAreIgnored) {
  const ConnectionId alice = LoginInRoom("alice", "lobby");
  const ConnectionId stranger = Connect();
  Take(alice);
  Frame(stranger, "CHIN", "alice/lobby");
  Frame(stranger, "TALL", "alice/lobby/hello");
  EXPECT_TRUE(Take(alice).empty());
  EXPECT_TRUE(Take(stranger).empty());
  EXPECT_EQ(server_.ListMembers("lobby").size(), 1u);
}

TEST_F(SessionTest, PingsEveryIntervalAndKeepsAClientThatAnswers) {
  const ConnectionId c = Login("alice");
  for (int round = 0; round < 5; ++round) {
    clock_.Advance(29'999);
    server_.Tick();
    EXPECT_TRUE(Take(c).empty()) << round;
    clock_.Advance(1);
    server_.Tick();
    EXPECT_EQ(Take(c), Bodies{"PING0000"}) << round;
    Frame(c, "PONG", "");
  }
  EXPECT_FALSE(Closed(c));
}

TEST_F(SessionTest, ClientSilentForTwoIntervalsIsDroppedAndLeavesItsRooms) {
  const ConnectionId alice = LoginInRoom("alice", "lobby");
  const ConnectionId bob = LoginInRoom("bob", "lobby");
  clock_.Advance(30'000);
  server_.Tick();
  Frame(bob, "PONG", "");
  clock_.Advance(29'999);
  server_.Tick();
  EXPECT_FALSE(Closed(alice));
  Take(bob);
  clock_.Advance(1);
  server_.Tick();
  EXPECT_TRUE(Closed(alice));
  EXPECT_FALSE(Closed(bob));
  EXPECT_EQ(TakeBodies(bob, "CHOT"), Bodies{"alice/lobby"});
}

TEST_F(SessionTest, StalledLoopPingsOnceNotOncePerMissedInterval) {
  const ConnectionId c = Login("alice");
  clock_.Advance(50'000);
  server_.Tick();
  EXPECT_EQ(Take(c), Bodies{"PING0000"});
  Frame(c, "PONG", "");
  server_.Tick();
  EXPECT_TRUE(Take(c).empty());
}

struct Timeout {
  const char* name;
  const char* command;  // sent once at the start; "" for nothing
  Millis keptUntil;     // still open this long after connecting
  Millis droppedAt;
};
void PrintTo(const Timeout& c, std::ostream* os) { *os << c.name; }

class UnloggedTimeoutTest : public CoreTest, public ::testing::WithParamInterface<Timeout> {};

TEST_P(UnloggedTimeoutTest, DropsAtItsDeadline) {
  const ConnectionId c = Connect();
  if (*GetParam().command) Frame(c, GetParam().command, "0/lobby");
  clock_.Advance(GetParam().keptUntil);
  server_.Tick();
  EXPECT_FALSE(Closed(c));
  clock_.Advance(GetParam().droppedAt - GetParam().keptUntil);
  server_.Tick();
  EXPECT_TRUE(Closed(c));
}

INSTANTIATE_TEST_SUITE_P(Core, UnloggedTimeoutTest,
                         ::testing::Values(Timeout{"SaysNothing", "", 9'999, 10'000},
                                           Timeout{"SendsAnUnknownCommand", "XXXX", 9'999, 10'000},
                                           Timeout{"SendsPongWithoutLogin", "PONG", 9'999, 10'000}),
                         [](const auto& info) { return std::string(info.param.name); });

// The web page control asks about rooms without logging in, and asks nothing
// while its page shows no rooms: its connection has no deadline.
TEST_F(CoreTest, AQueryingConnectionStaysThroughAnHourOfSilence) {
  const ConnectionId control = Connect();
  Frame(control, "ASIF", "0/lobby");
  for (int minute = 0; minute < 60; ++minute) {
    clock_.Advance(60'000);
    server_.Tick();
  }
  EXPECT_FALSE(Closed(control));
  EXPECT_TRUE(Take(control).empty()) << "it is not pinged: it could not answer";
}

TEST(SessionLimits, ConnectionsBeyondTheCeilingAreRefused) {
  ManualClock clock;
  RecordingOutbox outbox;
  ServerLimits limits;
  limits.maxConnections = 2;
  ChatServer server(clock, outbox, limits);
  EXPECT_TRUE(server.OnConnected(1));
  EXPECT_TRUE(server.OnConnected(2));
  EXPECT_FALSE(server.OnConnected(3));
  EXPECT_EQ(outbox.sent[3], Bodies{"SYST000312/"});
  EXPECT_TRUE(outbox.closed.contains(3));
  server.OnDisconnected(1);
  EXPECT_TRUE(server.OnConnected(4));
}

}  // namespace
}  // namespace orvinta::server::testing
