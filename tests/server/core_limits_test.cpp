// What the core refuses and limits: session keys, rates, line length, caps per
// address, expelled members, and private rooms; each at, below and above its bound.
#include <functional>

#include "tests/server/core_fixture.h"

namespace orvinta::server::testing {
namespace {

constexpr std::int64_t kUnixNow = 1'800'000'000;

// ---- Who may log in

class KeyedTest : public CoreTest {
 protected:
  KeyedTest() : CoreTest({}, &keys_) {}
  static inline const SessionKeys keys_{"a development secret, 32 bytes.", [] { return kUnixNow; }};

  std::vector<std::string> LoginWithKey(ConnectionId c, const std::string& id, const std::string& key) {
    Frame(c, "USER", id + "/" + key + "/" + id + "/1");
    return Take(c);
  }
};

struct KeyCase {
  const char* name;
  std::function<std::string(const SessionKeys&)> key;
  bool accepted;
};
void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class LoginKeyTest : public KeyedTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(LoginKeyTest, OnlyAValidKeyForTheIdLogsIn) {
  const ConnectionId c = Connect();
  const auto frames = LoginWithKey(c, "alice", GetParam().key(keys_));
  if (GetParam().accepted) {
    EXPECT_EQ(frames, Bodies{"USRP0000"});
    EXPECT_FALSE(Closed(c));
  } else {
    EXPECT_EQ(frames, Bodies{F("SYST", "3/alice")});
    EXPECT_TRUE(Closed(c));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Core, LoginKeyTest,
    ::testing::Values(
        KeyCase{"SignedForTheId", [](const SessionKeys& k) { return k.Sign("alice", 60); }, true},
        KeyCase{"ExpiresInOneSecond", [](const SessionKeys& k) { return k.SignUntil("alice", kUnixNow + 1); }, true},
        KeyCase{"ExpiresNow", [](const SessionKeys& k) { return k.SignUntil("alice", kUnixNow); }, false},
        KeyCase{"SignedForAnotherId", [](const SessionKeys& k) { return k.Sign("mallory", 60); }, false},
        KeyCase{"OneDigitOfTheMacChanged",
                [](const SessionKeys& k) {
                  std::string key = k.Sign("alice", 60);
                  key.back() = key.back() == '0' ? '1' : '0';
                  return key;
                },
                false},
        KeyCase{"LaterExpiryWithTheOldMac",
                [](const SessionKeys& k) {
                  const std::string key = k.SignUntil("alice", kUnixNow + 60);
                  return std::to_string(kUnixNow + 9999) + key.substr(key.find('.'));
                },
                false},
        KeyCase{"NotAKey", [](const SessionKeys&) { return std::string("key"); }, false},
        KeyCase{"Empty", [](const SessionKeys&) { return std::string(); }, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(KeyedTest, SomeoneWithoutTheKeyCannotLockTheMemberOut) {
  const ConnectionId mallory = Connect("10.0.0.66");
  LoginWithKey(mallory, "alice", "1900000000.0000");
  const ConnectionId alice = Connect();
  EXPECT_EQ(LoginWithKey(alice, "alice", keys_.Sign("alice", 60)), Bodies{"USRP0000"});
  EXPECT_EQ(server_.Metrics().RefusedCount(Refusal::kBadKey), 1u);
  EXPECT_TRUE(log_.Has("refused bad_key #1@10.0.0.66 login alice"));
}

// ---- Rates

class RateTest : public CoreTest {
 protected:
  static ServerLimits Limits() {
    ServerLimits limits;
    for (RateRule& rule : limits.rates.classes) rule = RateRule{1, 3};
    limits.rates.flood = RateRule{0.001, 5};
    return limits;
  }
  RateTest() : CoreTest(Limits()) {
    alice_ = LoginInRoom("alice", "lobby");
    bob_ = LoginInRoom("bob", "lobby");
    ClearAll();
  }
  void Talk(int lines) {
    for (int i = 0; i < lines; ++i) Frame(alice_, "TALL", "alice/lobby/line " + std::to_string(i));
  }
  ConnectionId alice_ = 0;
  ConnectionId bob_ = 0;
};

TEST_F(RateTest, BurstPassesAndTheFrameAfterItWaitsForItsToken) {
  Talk(4);
  EXPECT_EQ(TakeBodies(bob_, "TALL").size(), 3u);
  clock_.Advance(999);
  Talk(1);
  EXPECT_TRUE(TakeBodies(bob_, "TALL").empty());
  clock_.Advance(1);
  Talk(2);
  EXPECT_EQ(TakeBodies(bob_, "TALL").size(), 1u);
  EXPECT_EQ(server_.Metrics().DroppedCount(RateClass::kTalk), 3u);
  EXPECT_FALSE(Closed(alice_));
}

TEST_F(RateTest, SenderLongOverItsLimitIsCutOffAndTheReadersStay) {
  Talk(3 + 5);  // the burst, then as many drops as the flood rule forgives
  EXPECT_FALSE(Closed(alice_));
  Talk(1);
  EXPECT_TRUE(Closed(alice_));
  EXPECT_FALSE(Closed(bob_));
  EXPECT_EQ(TakeBodies(bob_, "CHOT"), Bodies{"alice/lobby"});
  EXPECT_EQ(server_.Metrics().RefusedCount(Refusal::kFlood), 1u);
  EXPECT_TRUE(log_.Has("refused flood #1 alice@127.0.0.1"));
}

struct LoginRateCase {
  const char* name;
  std::string address;
  std::function<std::string(int)> id;  // of the n-th login
  int admitted;                        // before the first refusal
};
void PrintTo(const LoginRateCase& c, std::ostream* os) { *os << c.name; }

class LoginRateTest : public CoreTest, public ::testing::WithParamInterface<LoginRateCase> {};

TEST_P(LoginRateTest, LoginsAreLimitedPerIdAndPerAddress) {
  const LoginRateCase& c = GetParam();
  int admitted = 0;
  Bodies answer;
  for (int n = 0; n < 40; ++n) {
    const ConnectionId conn = Connect(c.address);
    Frame(conn, "USER", c.id(n) + "/key/nick/1");
    if ((answer = Take(conn)) != Bodies{"USRP0000"}) break;
    ++admitted;
    server_.OnDisconnected(conn);
  }
  EXPECT_EQ(admitted, c.admitted);
  EXPECT_EQ(answer, Bodies{F("SYST", "12/")});
  EXPECT_EQ(server_.Metrics().RefusedCount(Refusal::kLoginRate), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Core, LoginRateTest,
    ::testing::Values(LoginRateCase{"OneId", "127.0.0.1", [](int) { return std::string("max"); }, 5},
                      LoginRateCase{"OneAddress", "10.0.0.7", [](int n) { return "u" + std::to_string(n); }, 30}),
    [](const auto& info) { return std::string(info.param.name); });

struct RateCase {
  const char* name;
  std::string command;
  std::vector<std::string> bodies;  // three frames from alice
  std::string seenByBob;           // the command bob gets for each that passes
};
void PrintTo(const RateCase& c, std::ostream* os) { *os << c.name; }

class RateClassTest : public RateTest, public ::testing::WithParamInterface<RateCase> {};

TEST_P(RateClassTest, ThreePassAndTheFourthIsDropped) {
  const RateCase& c = GetParam();
  for (const std::string& body : c.bodies) Frame(alice_, c.command, body);
  EXPECT_EQ(TakeBodies(bob_, c.seenByBob).size(), 3u);
  Frame(alice_, c.command, c.bodies.back() + "9");
  EXPECT_TRUE(TakeBodies(bob_, c.seenByBob).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Core, RateClassTest,
    ::testing::Values(RateCase{"Status", "IFAL", {"alice/lobby/1", "alice/lobby/2", "alice/lobby/3"}, "IFAL"},
                      RateCase{"Invite", "INVT", {"alice/bob/x/A", "alice/bob/x/A", "alice/bob/x/A"}, "INVT"},
                      RateCase{"Ignore", "IGNR", {"alice/lobby/bob/A", "alice/lobby/bob/A", "alice/lobby/bob/A"},
                               "IGNR"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- What a frame may carry

struct LineCase {
  const char* name;
  std::size_t bodyBytes;
  bool relayed;
};
void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

class LineLengthTest : public CoreTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(LineLengthTest, BodiesUpTo999BytesAreRelayed) {
  const ConnectionId alice = LoginInRoom("alice", "lobby");
  const ConnectionId bob = LoginInRoom("bob", "lobby");
  ClearAll();
  const std::string head = "alice/lobby/";
  Frame(alice, "TALL", head + std::string(GetParam().bodyBytes - head.size(), 'x'));
  EXPECT_EQ(TakeBodies(bob, "TALL").size(), GetParam().relayed ? 1u : 0u);
  EXPECT_EQ(server_.Metrics().RefusedCount(Refusal::kLineTooLong), GetParam().relayed ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(Core, LineLengthTest,
                         ::testing::Values(LineCase{"Below", 998, true}, LineCase{"AtTheLimit", 999, true},
                                           LineCase{"Above", 1000, false}, LineCase{"FarAbove", 4998, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CoreTest, IdAndRoomKeyOfExactlyTheirMaximumAreUsable) {
  const std::string id(ServerLimits{}.maxIdBytes, 'i');
  const std::string room(ServerLimits{}.maxRoomKeyBytes, 'r');
  const ConnectionId c = LoginInRoom(id, room);
  const ConnectionId bob = LoginInRoom("bob", "#" + room);  // the mark does not count
  EXPECT_EQ(TakeBodies(c, "CHIN"), Bodies{"bob/" + room + "/bob/1"});
  EXPECT_EQ(TakeBodies(bob, "IFON").size(), 1u);
}

TEST_F(CoreTest, StatusThatChangesNothingIsNotRelayed) {
  const ConnectionId alice = LoginInRoom("alice", "lobby");
  const ConnectionId bob = LoginInRoom("bob", "lobby");
  ClearAll();
  for (const char* status : {"0", "1", "1", "2", "2"}) Frame(alice, "IFAL", std::string("alice/lobby/") + status);
  EXPECT_EQ(TakeBodies(bob, "IFAL"), (Bodies{"alice/lobby/1", "alice/lobby/2"}));
}

// ---- Slots per address

struct CapCase {
  const char* name;
  std::string address;
  bool capLoopback;
  bool thirdAdmitted;
};
void PrintTo(const CapCase& c, std::ostream* os) { *os << c.name; }

class AddressCapTest : public CoreTest, public ::testing::WithParamInterface<CapCase> {
 protected:
  static ServerLimits Limits() {
    ServerLimits limits;
    limits.maxConnectionsPerAddress = 2;
    limits.maxQueryingPerAddress = 2;
    limits.capLoopback = GetParam().capLoopback;
    return limits;
  }
  AddressCapTest() : CoreTest(Limits()) {}
};

TEST_P(AddressCapTest, ConnectionsUpToTheCap) {
  const std::string& address = GetParam().address;
  const ConnectionId first = Connect(address);
  Connect(address);
  const ConnectionId third = Connect(address);
  EXPECT_EQ(Closed(third), !GetParam().thirdAdmitted);
  if (!GetParam().thirdAdmitted) {
    EXPECT_EQ(Take(third), Bodies{F("SYST", "12/")});
    EXPECT_FALSE(Closed(Connect("10.9.9.9")));  // another address is not held up
    server_.OnDisconnected(first);
    EXPECT_FALSE(Closed(Connect(address)));  // a freed slot is free again
  }
}

TEST_P(AddressCapTest, QueryingConnectionsUpToTheCap) {
  ServerLimits limits = Limits();
  limits.maxConnectionsPerAddress = 10;
  ChatServer server(clock_, outbox_, limits);
  for (ConnectionId c = 100; c < 103; ++c) {
    server.OnConnected(c, GetParam().address);
    server.OnFrame(c, "ASIF", "0/lobby");
  }
  EXPECT_FALSE(outbox_.closed.contains(101));
  EXPECT_EQ(outbox_.closed.contains(102), !GetParam().thirdAdmitted);
}

INSTANTIATE_TEST_SUITE_P(Core, AddressCapTest,
                         ::testing::Values(CapCase{"RemoteAddress", "10.0.0.1", false, false},
                                           CapCase{"LoopbackIsExempt", "127.0.0.1", false, true},
                                           CapCase{"LoopbackWhenCapped", "127.0.0.2", true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Expulsion

class ExpulsionTest : public CoreTest {
 protected:
  void ExpelBob() {
    alice_ = LoginInRoom("alice", "lobby");
    bob_ = LoginInRoom("bob", "lobby");
    carol_ = LoginInRoom("carol", "lobby");
    Frame(alice_, "RQBN", "alice/lobby/bob");
    Frame(alice_, "VTBN", "alice/lobby/bob/T");
    Frame(carol_, "VTBN", "carol/lobby/bob/T");
    ASSERT_EQ(server_.ListMembers("lobby").size(), 2u);
    ClearAll();
  }
  ConnectionId alice_ = 0, bob_ = 0, carol_ = 0;
};

TEST_F(ExpulsionTest, ExpelledMemberIsRefusedUntilTheBarEnds) {
  ExpelBob();
  clock_.Advance(ServerLimits{}.expulsionBar - 1);
  Frame(bob_, "CHIN", "bob/LOBBY");
  EXPECT_EQ(Take(bob_), Bodies{F("SYST", "6/LOBBY")});
  EXPECT_TRUE(Take(alice_).empty());
  Frame(bob_, "CHIN", "bob/elsewhere");  // other rooms are open to him
  EXPECT_EQ(server_.ListMembers("elsewhere").size(), 1u);
  clock_.Advance(1);  // (no Tick: the silent members would be dropped)
  Frame(bob_, "CHIN", "bob/lobby");
  EXPECT_EQ(TakeBodies(alice_, "CHIN").size(), 1u);
}

TEST_F(ExpulsionTest, ComingBackOnANewConnectionDoesNotHelp) {
  ExpelBob();
  server_.OnDisconnected(bob_);
  const ConnectionId again = LoginInRoom("bob", "lobby");
  EXPECT_EQ(Take(again), Bodies{F("SYST", "6/lobby")});
}

// ---- Private rooms and look-alike keys

class PrivateRoomTest : public CoreTest {
 protected:
  PrivateRoomTest() {
    alice_ = LoginInRoom("alice", "Pchatalice^bob");
    LoginInRoom("carol", "lobby");
    ClearAll();
  }
  ConnectionId alice_ = 0;
};

TEST_F(PrivateRoomTest, IsLeftOutOfPublicListsAndDescribedOnlyToItsMembers) {
  ASSERT_EQ(server_.ListRooms().size(), 1u);
  EXPECT_EQ(server_.ListRooms()[0].key, "lobby");
  const ConnectionId control = Connect();
  Frame(control, "ASIF", "0/Pchatalice^bob");
  EXPECT_TRUE(Take(control).empty());
  const ConnectionId eve = Login("eve");
  Frame(eve, "ASIF", "eve/pchatalice^bob");
  EXPECT_TRUE(Take(eve).empty());
  const ConnectionId bob = Login("bob");  // a member, before entering
  Frame(bob, "ASIF", "bob/Pchatalice^bob");
  EXPECT_EQ(TakeBodies(bob, "IFON"), Bodies{"alice/Pchatalice^bob/alice/1/0"});
}

struct LookAlike {
  const char* name;
  std::string who;
  std::string key;
  bool joinsAlicesRoom;
};
void PrintTo(const LookAlike& c, std::ostream* os) { *os << c.name; }

class LookAlikeKeyTest : public PrivateRoomTest, public ::testing::WithParamInterface<LookAlike> {};

TEST_P(LookAlikeKeyTest, NamesTheOneRoomOrNone) {
  const ConnectionId c = Login(GetParam().who);
  Frame(c, "CHIN", GetParam().who + "/" + GetParam().key);
  EXPECT_EQ(TakeBodies(alice_, "CHIN").size(), GetParam().joinsAlicesRoom ? 1u : 0u);
  EXPECT_EQ(server_.ListRooms().size(), 1u);  // no second room for the look-alike
}

INSTANTIATE_TEST_SUITE_P(
    Core, LookAlikeKeyTest,
    ::testing::Values(LookAlike{"SameKey", "bob", "Pchatalice^bob", true},
                      LookAlike{"LowerCasePrefix", "bob", "pchatalice^bob", true},
                      LookAlike{"UpperCaseIds", "bob", "PCHATALICE^BOB", true},
                      LookAlike{"OutsiderWithLowerCasePrefix", "eve", "pchatalice^bob", false},
                      LookAlike{"LeadingSpace", "bob", " Pchatalice^bob", false},
                      LookAlike{"TrailingSpace", "bob", "Pchatalice^bob ", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CoreTest, KeysThatDifferInCaseNameOneRoomUnderItsFirstSpelling) {
  const ConnectionId alice = LoginInRoom("alice", "Lobby");
  const ConnectionId bob = LoginInRoom("bob", "lOBBY");
  EXPECT_EQ(TakeBodies(alice, "CHIN"), Bodies{"bob/Lobby/bob/1"});
  Frame(bob, "TALL", "bob/LOBBY/hi");
  EXPECT_EQ(TakeBodies(alice, "TALL"), Bodies{"bob/Lobby/hi"});
  Frame(bob, "CHOT", "bob/lobby");
  EXPECT_EQ(TakeBodies(alice, "CHOT"), Bodies{"bob/Lobby"});
}

// ---- The log

TEST_F(CoreTest, LogsEventsInUtf8WithReceivedControlBytesEscaped) {
  const ConnectionId c = Connect("10.1.2.3");
  Frame(c, "USER", "kim/key/철수/1");
  Frame(c, "CHIN", "kim/로비");
  EXPECT_TRUE(log_.Has("connect #1@10.1.2.3"));
  EXPECT_TRUE(log_.Has("login #1 kim@10.1.2.3 nick \xEC\xB2\xA0\xEC\x88\x98"));
  EXPECT_TRUE(log_.Has("enter #1 kim@10.1.2.3 room \xEB\xA1\x9C\xEB\xB9\x84"));
  Frame(c, "TALL", "kim/로비/a\r\nforged line");
  EXPECT_TRUE(log_.Has("a\\x0d\\x0aforged line"));
}

}  // namespace
}  // namespace orvinta::server::testing
