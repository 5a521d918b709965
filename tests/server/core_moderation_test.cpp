// Invitations, refusals, ignoring and expulsion votes.
#include "tests/server/core_fixture.h"

namespace orvinta::server::testing {
namespace {

class ModerationTest : public CoreTest {};

TEST_F(ModerationTest, InvitationReachesTheInvitedWithTheRoomOfTheTwo) {
  const ConnectionId zed = Login("zed", "Zed");
  const ConnectionId amy = Login("amy");
  // The key in the body is not believed: it is made again from the two ids.
  Frame(zed, "INVT", "zed/amy/Pchatsomething^else/Zed");
  EXPECT_EQ(TakeBodies(amy, "INVT"), Bodies{"zed/amy/Pchatamy^zed/Zed"});
  EXPECT_TRUE(Take(zed).empty());
}

TEST_F(ModerationTest, InvitingSomeoneOfflineAnswersCode1) {
  const ConnectionId zed = Login("zed");
  Frame(zed, "INVT", "zed/ghost/Pchatghost^zed/Zed");
  EXPECT_EQ(Take(zed), Bodies{F("SYST", "1/ghost")});
}

TEST_F(ModerationTest, RefusalAndIgnoreAreRelayedWithTheSendersOwnId) {
  const ConnectionId zed = Login("zed", "Zed");
  const ConnectionId amy = Login("amy", "Amy");
  Frame(amy, "DNIV", "someone/zed/Fake");
  EXPECT_EQ(TakeBodies(zed, "DNIV"), Bodies{"amy/zed/Amy"});
  Frame(amy, "IGNR", "someone/lobby/zed/Fake");
  EXPECT_EQ(TakeBodies(zed, "IGNR"), Bodies{"amy/lobby/zed/Amy"});
  Frame(amy, "IGNR", "amy/lobby/ghost/Amy");
  Frame(amy, "DNIV", "amy/amy/Amy");
  EXPECT_TRUE(Take(amy).empty());
}

class VoteTest : public CoreTest {
 protected:
  // Members a, b, c, d in "room"; a asks to expel d.
  void SetUp() override {
    for (const char* id : {"a", "b", "c", "d"}) members_.push_back(LoginInRoom(id, "room"));
    ClearAll();
    Frame(members_[0], "RQBN", "a/room/d");
  }
  void Vote(std::size_t member, const char* choice) {
    Frame(members_[member], "VTBN", std::string(1, static_cast<char>('a' + member)) + "/room/d/" + choice);
  }
  std::vector<ConnectionId> members_;
};

TEST_F(VoteTest, RequestIsAnnouncedToEveryMemberAndToNewcomers) {
  for (ConnectionId m : members_) EXPECT_EQ(TakeBodies(m, "RQBN"), Bodies{"a/room/d"});
  const ConnectionId late = LoginInRoom("e", "room");
  EXPECT_EQ(TakeBodies(late, "RMIF"), Bodies{"room/T"});
}

struct Ballot {
  const char* name;
  std::vector<const char*> votes;  // of a, b, c in turn; "" abstains
  bool waitsForTimeout;
  const char* result;  // the RSBN body
  bool expelled;
};
void PrintTo(const Ballot& c, std::ostream* os) { *os << c.name; }

class BallotTest : public VoteTest, public ::testing::WithParamInterface<Ballot> {};

TEST_P(BallotTest, ResultGoesToEveryoneAndAMajorityOfMembersExpels) {
  const Ballot& ballot = GetParam();
  for (std::size_t i = 0; i < ballot.votes.size(); ++i) {
    if (*ballot.votes[i]) Vote(i, ballot.votes[i]);
  }
  if (ballot.waitsForTimeout) {
    server_.Tick();
    EXPECT_TRUE(TakeBodies(members_[1], "RSBN").empty()) << "settled before time";
    clock_.Advance(15'000);
    server_.Tick();
  }
  for (ConnectionId m : members_) EXPECT_EQ(TakeBodies(m, "RSBN"), Bodies{ballot.result});
  EXPECT_EQ(server_.ListMembers("room").size(), ballot.expelled ? 3u : 4u);
}

INSTANTIATE_TEST_SUITE_P(
    Core, BallotTest,
    ::testing::Values(
        // 3 of 4 members: more than half.
        Ballot{"AllForExpel", {"T", "T", "T"}, false, "room/d/3/0", true},
        // 2 of 4 is exactly half: not enough.
        Ballot{"HalfIsNotEnough", {"T", "T", "F"}, false, "room/d/2/1", false},
        Ballot{"AllAgainst", {"F", "F", "F"}, false, "room/d/0/3", false},
        Ballot{"TimeoutCountsWhatCameIn", {"T", "T", ""}, true, "room/d/2/0", false},
        Ballot{"NobodyVotes", {"", "", ""}, true, "room/d/0/0", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(VoteTest, ExpelledMemberAndTheOthersAreToldItLeft) {
  ClearAll();
  Vote(0, "T");
  Vote(1, "T");
  Vote(2, "T");
  EXPECT_EQ(TakeBodies(members_[1], "CHOT"), Bodies{"d/room"});
  EXPECT_EQ(TakeBodies(members_[3], "CHOT"), Bodies{"d/room"});
  Frame(members_[3], "TALL", "d/room/still here");
  EXPECT_TRUE(TakeBodies(members_[1], "TALL").empty());
}

TEST_F(VoteTest, EachMemberVotesOnceAndTheTargetNotAtAll) {
  Vote(0, "T");
  Vote(0, "T");
  Vote(0, "T");
  Frame(members_[3], "VTBN", "d/room/d/F");
  Frame(members_[1], "VTBN", "b/room/c/T");  // not the target of the vote
  Frame(members_[1], "VTBN", "b/room/d/yes");
  ClearAll();
  Vote(1, "F");
  Vote(2, "F");
  EXPECT_EQ(TakeBodies(members_[0], "RSBN"), Bodies{"room/d/1/2"});
}

TEST_F(VoteTest, OnlyOneVoteRunsPerRoomAndANewOneMayFollow) {
  Frame(members_[1], "RQBN", "b/room/c");
  for (ConnectionId m : members_) EXPECT_EQ(TakeBodies(m, "RQBN"), Bodies{"a/room/d"});
  clock_.Advance(15'000);
  server_.Tick();
  Frame(members_[1], "RQBN", "b/room/c");
  EXPECT_EQ(TakeBodies(members_[0], "RQBN"), Bodies{"b/room/c"});
}

TEST_F(VoteTest, VoterWhoLeavesNoLongerHoldsTheVoteUp) {
  Vote(0, "T");
  Vote(1, "T");
  server_.OnDisconnected(members_[2]);
  // 2 for of the 3 members still there: carried.
  EXPECT_EQ(TakeBodies(members_[0], "RSBN"), Bodies{"room/d/2/0"});
  EXPECT_EQ(server_.ListMembers("room").size(), 2u);
}

struct BadRequest {
  const char* name;
  const char* requester;
  const char* body;
};
void PrintTo(const BadRequest& c, std::ostream* os) { *os << c.name; }

class BadRequestTest : public CoreTest, public ::testing::WithParamInterface<BadRequest> {};

TEST_P(BadRequestTest, OpensNoVote) {
  const ConnectionId a = LoginInRoom("a", "room");
  LoginInRoom("b", "room");
  const ConnectionId outsider = LoginInRoom("x", "elsewhere");
  ClearAll();
  Frame(std::string(GetParam().requester) == "a" ? a : outsider, "RQBN", GetParam().body);
  EXPECT_TRUE(TakeBodies(a, "RQBN").empty());
}

INSTANTIATE_TEST_SUITE_P(Core, BadRequestTest,
                         ::testing::Values(BadRequest{"AgainstOneself", "a", "a/room/a"},
                                           BadRequest{"AgainstANonMember", "a", "a/room/x"},
                                           BadRequest{"AgainstSomeoneOffline", "a", "a/room/ghost"},
                                           BadRequest{"FromOutsideTheRoom", "x", "x/room/b"},
                                           BadRequest{"InARoomThatDoesNotExist", "a", "a/nowhere/b"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvinta::server::testing
