// Rooms: entering, leaving, relaying, status, member queries, capacity and
// the rule that a connection only ever speaks as the id it logged in with.
#include "tests/server/core_fixture.h"

namespace orvinta::server::testing {
namespace {

class RoomsTest : public CoreTest {};

TEST_F(RoomsTest, NewcomerIsAnnouncedAndToldWhoIsThere) {
  const ConnectionId alice = Login("alice", "Alice", "1001");
  Frame(alice, "CHIN", "alice/lobby");
  EXPECT_TRUE(Take(alice).empty()) << "nobody else is there yet";
  Frame(alice, "IFAL", "alice/lobby/3");

  const ConnectionId bob = Login("bob", "Bob", "7");
  Frame(bob, "CHIN", "bob/lobby");
  EXPECT_EQ(Take(alice), Bodies{F("CHIN", "bob/lobby/Bob/7")});
  EXPECT_EQ(Take(bob), Bodies{F("IFON", "alice/lobby/Alice/1001/3")});
}

TEST_F(RoomsTest, ChatLineGoesToTheOthersOnlyWithEverySlashKept) {
  const ConnectionId alice = LoginInRoom("alice", "lobby");
  const ConnectionId bob = LoginInRoom("bob", "lobby");
  const ConnectionId carol = LoginInRoom("carol", "lobby");
  const ConnectionId outsider = LoginInRoom("dave", "other");
  ClearAll();
  Frame(alice, "TALL", "alice/lobby/B|000000|9|굴림|FFFFFF|1|앨리스|a/b//c");
  const Bodies expected{"alice/lobby/B|000000|9|굴림|FFFFFF|1|앨리스|a/b//c"};
  EXPECT_EQ(TakeBodies(bob, "TALL"), expected);
  EXPECT_EQ(TakeBodies(carol, "TALL"), expected);
  EXPECT_TRUE(Take(alice).empty());
  EXPECT_TRUE(Take(outsider).empty());
}

TEST_F(RoomsTest, NobodyCanSpeakAsSomeoneElse) {
  const ConnectionId alice = LoginInRoom("alice", "lobby");
  const ConnectionId mallory = LoginInRoom("mallory", "lobby");
  ClearAll();
  Frame(mallory, "TALL", "alice/lobby/I am alice");
  Frame(mallory, "IFAL", "alice/lobby/5");
  Frame(mallory, "CHOT", "alice/lobby");
  EXPECT_EQ(Take(alice), (Bodies{F("TALL", "mallory/lobby/I am alice"), F("IFAL", "mallory/lobby/5"),
                                 F("CHOT", "mallory/lobby")}));
  // And a member not in the room cannot talk into it.
  Frame(mallory, "TALL", "mallory/lobby/from outside");
  EXPECT_TRUE(Take(alice).empty());
}

TEST_F(RoomsTest, LeavingTellsTheOthersAndEmptyRoomsDisappear) {
  const ConnectionId alice = LoginInRoom("alice", "lobby");
  const ConnectionId bob = LoginInRoom("bob", "lobby");
  Take(alice);
  Frame(bob, "CHOT", "bob/lobby");
  EXPECT_EQ(TakeBodies(alice, "CHOT"), Bodies{"bob/lobby"});
  ASSERT_EQ(server_.ListRooms().size(), 1u);
  EXPECT_EQ(server_.ListRooms()[0].memberCount, 1u);
  Frame(alice, "CHOT", "alice/#lobby");
  EXPECT_TRUE(server_.ListRooms().empty());
}

TEST_F(RoomsTest, DroppedConnectionLeavesEveryRoomItWasIn) {
  const ConnectionId alice = Login("alice");
  Frame(alice, "CHIN", "alice/one");
  Frame(alice, "CHIN", "alice/two");
  const ConnectionId bob = Login("bob");
  Frame(bob, "CHIN", "bob/one");
  Frame(bob, "CHIN", "bob/two");
  Take(bob);
  server_.OnDisconnected(alice);
  EXPECT_EQ(TakeBodies(bob, "CHOT"), (Bodies{"alice/one", "alice/two"}));
  server_.OnDisconnected(alice);  // reported twice: nothing more happens
  EXPECT_TRUE(Take(bob).empty());
}

TEST_F(RoomsTest, StatusIsStoredAndRelayed) {
  const ConnectionId alice = LoginInRoom("alice", "lobby");
  const ConnectionId bob = LoginInRoom("bob", "lobby");
  ClearAll();
  Frame(bob, "IFAL", "bob/lobby/2");
  Frame(bob, "IFAL", "bob/lobby/two");  // not a number: dropped
  EXPECT_EQ(TakeBodies(alice, "IFAL"), Bodies{"bob/lobby/2"});
  EXPECT_TRUE(Take(bob).empty());
  ASSERT_EQ(server_.ListMembers("lobby").size(), 2u);
  EXPECT_EQ(server_.ListMembers("lobby")[1].status, "2");
}

TEST_F(RoomsTest, MemberQueryListsEveryMemberEvenToAnOutsider) {
  LoginInRoom("alice", "lobby");
  LoginInRoom("bob", "lobby");
  const ConnectionId control = Connect();  // never logs in, as the web page control
  Frame(control, "ASIF", "0/lobby");
  EXPECT_EQ(TakeBodies(control, "IFON"), (Bodies{"alice/lobby/alice/1/0", "bob/lobby/bob/1/0"}));
  Frame(control, "ASIF", "0/nowhere");
  EXPECT_TRUE(Take(control).empty());
}

TEST_F(RoomsTest, EnteringTwiceOnlyRepeatsTheRoster) {
  const ConnectionId alice = LoginInRoom("alice", "lobby");
  const ConnectionId bob = LoginInRoom("bob", "lobby");
  ClearAll();
  Frame(bob, "CHIN", "bob/lobby");
  EXPECT_TRUE(Take(alice).empty());
  EXPECT_EQ(TakeBodies(bob, "IFON"), Bodies{"alice/lobby/alice/1/0"});
  EXPECT_EQ(server_.ListMembers("lobby").size(), 2u);
}

TEST_F(RoomsTest, PrivateRoomAdmitsOnlyItsTwoMembers) {
  const ConnectionId alice = LoginInRoom("alice", "Pchatalice^bob");
  const ConnectionId bob = LoginInRoom("bob", "Pchatalice^bob");
  const ConnectionId eve = Login("eve");
  Take(alice);
  Frame(eve, "CHIN", "eve/Pchatalice^bob");
  EXPECT_EQ(Take(eve), Bodies{F("SYST", "6/Pchatalice^bob")});
  EXPECT_TRUE(Take(alice).empty());
  Take(bob);
  Frame(bob, "ASIF", "bob/Pchatalice^bob");
  EXPECT_EQ(TakeBodies(bob, "IFON").size(), 2u);
}

struct BadRoom {
  const char* name;
  std::string body;
};
void PrintTo(const BadRoom& c, std::ostream* os) { *os << c.name; }

class BadRoomKeyTest : public CoreTest, public ::testing::WithParamInterface<BadRoom> {};

TEST_P(BadRoomKeyTest, CreatesNoRoom) {
  const ConnectionId alice = Login("alice");
  Frame(alice, "CHIN", GetParam().body);
  EXPECT_TRUE(server_.ListRooms().empty());
  EXPECT_TRUE(Take(alice).empty());
}

INSTANTIATE_TEST_SUITE_P(Core, BadRoomKeyTest,
                         ::testing::Values(BadRoom{"Missing", "alice"}, BadRoom{"Empty", "alice/"},
                                           BadRoom{"OnlyAMark", "alice/#"},
                                           BadRoom{"ControlByte", "alice/lo\nbby"},
                                           BadRoom{"TooLong", "alice/" + std::string(129, 'r')}),
                         [](const auto& info) { return std::string(info.param.name); });

class SmallRoomsTest : public CoreTest {
 protected:
  // Each limit below the ones that would otherwise hide it.
  static ServerLimits Small() {
    ServerLimits limits;
    limits.roomCapacity = 2;
    limits.maxRooms = 4;
    limits.maxRoomsPerMember = 3;
    limits.maxRoomsCreatedPerMember = 2;
    return limits;
  }
  SmallRoomsTest() : CoreTest(Small()) {}

  void Enter(ConnectionId c, const std::string& id, std::initializer_list<const char*> rooms) {
    for (const char* room : rooms) Frame(c, "CHIN", id + "/" + room);
  }
};

TEST_F(SmallRoomsTest, FullRoomAnswersCode10WithTheRoomKey) {
  const ConnectionId alice = LoginInRoom("alice", "lobby");
  LoginInRoom("bob", "lobby");
  const ConnectionId carol = Login("carol");
  Take(alice);
  Frame(carol, "CHIN", "carol/lobby");
  EXPECT_EQ(Take(carol), Bodies{F("SYST", "10/lobby")});
  EXPECT_TRUE(Take(alice).empty());
  EXPECT_EQ(server_.ListMembers("lobby").size(), 2u);
}

TEST_F(SmallRoomsTest, RoomTableIsFullAtItsLimit) {
  Enter(Login("alice"), "alice", {"one", "two"});
  Enter(Login("bob"), "bob", {"three", "four"});
  EXPECT_EQ(server_.ListRooms().size(), 4u);
  const ConnectionId carol = Login("carol");
  Frame(carol, "CHIN", "carol/five");
  EXPECT_EQ(Take(carol), Bodies{F("SYST", "13/five")});
  EXPECT_EQ(server_.ListRooms().size(), 4u);
}

TEST_F(SmallRoomsTest, MemberMayBeInExactlyItsLimitOfRooms) {
  Enter(Login("bob"), "bob", {"one", "two"});
  Enter(Login("carol"), "carol", {"three", "four"});
  const ConnectionId alice = Login("alice");
  Enter(alice, "alice", {"one", "two", "three"});
  EXPECT_TRUE(TakeBodies(alice, "SYST").empty());
  EXPECT_EQ(server_.ListMembers("three").size(), 2u);
  Frame(alice, "CHIN", "alice/four");
  EXPECT_EQ(TakeBodies(alice, "SYST"), Bodies{"13/four"});
  Frame(alice, "CHOT", "alice/two");
  Frame(alice, "CHIN", "alice/four");  // leaving made room for it again
  EXPECT_EQ(server_.ListMembers("four").size(), 2u);
}

TEST_F(SmallRoomsTest, MemberMayOpenExactlyItsLimitOfRoomsThatStillExist) {
  const ConnectionId alice = Login("alice");
  Enter(alice, "alice", {"one", "two"});
  EXPECT_TRUE(TakeBodies(alice, "SYST").empty());
  Frame(alice, "CHIN", "alice/three");
  EXPECT_EQ(TakeBodies(alice, "SYST"), Bodies{"13/three"});
  // A room someone else still keeps open counts; one that is gone does not.
  Enter(Login("bob"), "bob", {"one"});
  Frame(alice, "CHOT", "alice/one");
  Frame(alice, "CHIN", "alice/three");
  EXPECT_EQ(TakeBodies(alice, "SYST"), Bodies{"13/three"});
  Frame(alice, "CHOT", "alice/two");
  Frame(alice, "CHIN", "alice/three");
  EXPECT_TRUE(TakeBodies(alice, "SYST").empty());
  EXPECT_EQ(server_.ListMembers("three").size(), 1u);
}

}  // namespace
}  // namespace orvinta::server::testing
