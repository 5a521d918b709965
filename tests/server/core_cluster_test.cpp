// The core over a cluster whose answers come later: logins and entries wait
// for them, room traffic is published once, and what other nodes send is
// checked before any member sees it.
#include "tests/server/core_fixture.h"

#include "server/cluster_messages.h"

namespace orvinta::server::testing {
namespace {

// Holds every answer until the test gives it.
class HeldCluster final : public ClusterPort {
 public:
  void ClaimUser(const std::string&, ClaimDone done) override { claims.push_back(std::move(done)); }
  void ReleaseUser(const std::string& id) override { released.push_back(id); }
  void ProbeUser(const std::string&, DeliveredDone done) override { probes.push_back(std::move(done)); }
  void TakeSeat(const SeatRequest&, SeatDone done) override { seats.push_back(std::move(done)); }
  void LeaveSeat(const std::string& room, const std::string& id) override { left.push_back(room + "/" + id); }
  void UpdateSeat(const std::string&, const ClusterMember&) override {}
  void ClaimVote(const std::string&, Millis, ClaimDone done) override { done(true); }
  void ReleaseVote(const std::string&) override {}
  void Bar(const std::string&, const std::string&, Millis) override {}
  void Publish(const std::string& room, std::string_view command, std::string_view body) override {
    published.push_back(room + " " + std::string(command) + " " + std::string(body));
  }
  void AskMembers(const std::string&, MembersDone done) override { done(members); }
  void AskRoster(const std::string&, RosterDone done) override { rosters.push_back(std::move(done)); }
  void SendToUser(const std::string&, std::string_view, std::string_view, DeliveredDone done) override {
    done(false);
  }
  void Watch(const std::string&) override {}
  void Unwatch(const std::string&) override {}

  std::vector<ClaimDone> claims;
  std::vector<SeatDone> seats;
  std::vector<DeliveredDone> probes;
  std::vector<RosterDone> rosters;
  std::vector<std::string> released, left, published;
  std::vector<ClusterMember> members;
};

struct ClusterHolder {
  HeldCluster cluster;
};

class ClusterCoreTest : public ClusterHolder, public CoreTest {
 protected:
  ClusterCoreTest() : CoreTest({}, nullptr, &cluster) {}

  ConnectionId LoggedIn(const std::string& id) {
    const ConnectionId c = Connect();
    Frame(c, "USER", id + "/key/" + id + "/1");
    Answer(cluster.claims, true);
    Take(c);
    return c;
  }
  template <typename Done, typename... Args>
  static void Answer(std::vector<Done>& pending, Args&&... args) {
    ASSERT_FALSE(pending.empty());
    Done done = std::move(pending.front());
    pending.erase(pending.begin());
    done(std::forward<Args>(args)...);
  }
};

TEST_F(ClusterCoreTest, LoginWaitsForTheClusterAndARefusalIsCode2) {
  const ConnectionId amy = Connect();
  Frame(amy, "USER", "amy/key/amy/1");
  EXPECT_TRUE(Take(amy).empty());
  Answer(cluster.claims, false);  // logged in on another node, whose session answers
  EXPECT_TRUE(Take(amy).empty());
  Answer(cluster.probes, true);
  EXPECT_EQ(Take(amy), Bodies{F("SYST", "2/amy")});
  EXPECT_TRUE(Closed(amy));

  // Gone before the answer: the id it was granted is given back.
  const ConnectionId ben = Connect();
  Frame(ben, "USER", "ben/key/ben/1");
  server_.OnDisconnected(ben);
  Answer(cluster.claims, true);
  EXPECT_EQ(cluster.released, std::vector<std::string>{"ben"});
}

TEST_F(ClusterCoreTest, EntryWaitsForItsSeatAndNamesTheMembersOfOtherNodes) {
  const ConnectionId amy = LoggedIn("amy");
  Frame(amy, "CHIN", "amy/lobby");
  EXPECT_TRUE(Take(amy).empty());
  Answer(cluster.seats, SeatAnswer{SeatVerdict::kSeated, "Lobby", {{"amy", "amy", "1", "0"}, {"zed", "Zed", "7", "2"}},
                                   true});
  EXPECT_EQ(Take(amy), (Bodies{F("IFON", "zed/Lobby/Zed/7/2"), F("RMIF", "Lobby/T")}));
  EXPECT_EQ(cluster.published, std::vector<std::string>{"lobby CHIN amy/Lobby/amy/1"});

  Frame(amy, "TALL", "amy/lobby/hello");
  EXPECT_EQ(cluster.published.back(), "lobby TALL amy/Lobby/hello");

  const ConnectionId ben = LoggedIn("ben");
  Frame(ben, "CHIN", "ben/lobby");
  Answer(cluster.seats, SeatAnswer{SeatVerdict::kRoomFull, "Lobby", {}, false});
  EXPECT_EQ(Take(ben), Bodies{F("SYST", "10/Lobby")});

  // The cluster tells the other nodes with the seat it gives back.
  Frame(amy, "CHOT", "amy/lobby");
  EXPECT_EQ(cluster.left, std::vector<std::string>{"lobby/amy"});
}

TEST_F(ClusterCoreTest, AfterAGapTheMembersAreToldWhoCameAndWentElsewhereSinceAndNoMore) {
  const ConnectionId amy = LoggedIn("amy");
  Frame(amy, "CHIN", "amy/lobby");
  Answer(cluster.seats, SeatAnswer{SeatVerdict::kSeated, "lobby", {{"zed", "Zed", "7", "0"}}, false});
  Take(amy);
  server_.Reconcile();
  // An event newer than the question stands: kim came after it was asked.
  server_.OnRoomEvent("lobby", "CHIN", "kim/lobby/Kim/3");
  Take(amy);
  Answer(cluster.rosters, std::vector<ClusterMember>{{"amy", "amy", "1", "0"}, {"yan", "Yan", "2", "4"}});
  EXPECT_EQ(Take(amy), (Bodies{F("CHIN", "yan/lobby/Yan/2"), F("IFAL", "yan/lobby/4"), F("CHOT", "zed/lobby")}));
  // Without an answer nothing changes; a later reading finds kim gone.
  clock_.Advance(1);
  server_.Reconcile();
  Answer(cluster.rosters, std::nullopt);
  server_.Reconcile();
  Answer(cluster.rosters, std::vector<ClusterMember>{{"yan", "Yan", "2", "4"}});
  EXPECT_EQ(Take(amy), Bodies{F("CHOT", "kim/lobby")});
}

TEST_F(ClusterCoreTest, AMemberBackHereBeforeItsOldNodesSeatWentIsNeverToldOfItself) {
  const ConnectionId amy = LoggedIn("amy");
  Frame(amy, "CHIN", "amy/lobby");
  Answer(cluster.seats, SeatAnswer{SeatVerdict::kSeated, "lobby", {{"zed", "Zed", "7", "0"}}, false});
  const ConnectionId zed = LoggedIn("zed");
  Frame(zed, "CHIN", "zed/lobby");
  Answer(cluster.seats, SeatAnswer{SeatVerdict::kSeated, "lobby", {}, false});
  EXPECT_EQ(Take(zed), Bodies{F("IFON", "amy/lobby/amy/1/0")});
  server_.Reconcile();
  Answer(cluster.rosters, std::vector<ClusterMember>{});
  EXPECT_TRUE(Take(zed).empty());
}

TEST_F(ClusterCoreTest, AnotherNodesSecondLoginClosesOnlyASilentSession) {
  const ConnectionId amy = LoggedIn("amy");
  std::vector<bool> answers;
  server_.OnProbe("amy", [&](bool live) { answers.push_back(live); });
  EXPECT_EQ(Take(amy), Bodies{F("PING", "")});
  Frame(amy, "PONG", "");
  server_.Tick();
  server_.OnProbe("amy", [&](bool live) { answers.push_back(live); });
  clock_.Advance(LoginContests::kHolderAnswerMs);
  server_.Tick();
  server_.OnProbe("nobody", [&](bool live) { answers.push_back(live); });
  EXPECT_EQ(answers, (std::vector<bool>{true, false, false}));
  EXPECT_TRUE(Closed(amy));
  EXPECT_EQ(cluster.released, std::vector<std::string>{"amy"});
}

TEST_F(ClusterCoreTest, ALoginWhoseHolderElsewhereMadeWayClaimsAgain) {
  const ConnectionId amy = Connect();
  Frame(amy, "USER", "amy/key/amy/1");
  Answer(cluster.claims, false);
  Answer(cluster.probes, false);
  Answer(cluster.claims, true);
  EXPECT_EQ(Take(amy), Bodies{F("USRP", "")});
  server_.LoginTakenElsewhere("amy");
  EXPECT_EQ(Take(amy), Bodies{F("SYST", "2/amy")});
  EXPECT_TRUE(Closed(amy));
}

TEST(ClusterMessage, ARunOfTheLongestNodeNameIsHeard) {
  const std::string run = std::string(kMaxNodeName, 'n') + ":" + std::string(16, 'f');
  const std::string payload = MakeClusterMessage(run, 1, "lobby", "TALL", "zed/lobby/hi");
  const auto message = ParseClusterMessage(payload);
  ASSERT_TRUE(message);
  EXPECT_EQ(message->origin, run);
}

struct RemoteCase {
  const char* name;
  const char* command;
  std::string body;
  bool delivered;
};

class RemoteEventTest : public ClusterCoreTest, public ::testing::WithParamInterface<RemoteCase> {};

TEST_P(RemoteEventTest, ReachesMembersOnlyInTheShapeANodeMakes) {
  const ConnectionId amy = LoggedIn("amy");
  Frame(amy, "CHIN", "amy/lobby");
  Answer(cluster.seats, SeatAnswer{SeatVerdict::kSeated, "lobby", {{"zed", "Zed", "7", "0"}}, false});
  Take(amy);
  server_.OnRoomEvent("lobby", GetParam().command, GetParam().body);
  EXPECT_EQ(Take(amy).size(), GetParam().delivered ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Core, RemoteEventTest,
    ::testing::Values(RemoteCase{"Line", "TALL", "zed/lobby/hi/there", true},
                      RemoteCase{"Leave", "CHOT", "zed/Lobby", true},
                      RemoteCase{"LeaveOfOneNeverNamed", "CHOT", "yan/Lobby", false},
                      RemoteCase{"OwnMemberIsNotTakenOutByAnotherNode", "CHOT", "amy/Lobby", false},
                      RemoteCase{"OwnMemberIsExpelledOnlyByAVote", "EXPL", "amy/Lobby", true},
                      RemoteCase{"ExpelledElsewhere", "EXPL", "zed/Lobby", true},
                      RemoteCase{"RepeatedEntry", "CHIN", "zed/Lobby/Zed/7", false},
                      RemoteCase{"Entry", "CHIN", "yan/Lobby/Yan/2", true},
                      RemoteCase{"VoteResult", "RSBN", "lobby/zed/1/0", true},
                      RemoteCase{"BallotIsForTheVoteNotTheMembers", "VTBN", "zed/lobby/amy/T", false},
                      RemoteCase{"NotARoomEvent", "SYST", "zed/lobby", false},
                      RemoteCase{"OtherRoom", "TALL", "zed/hall/hi", false},
                      RemoteCase{"NoSender", "TALL", "/lobby/hi", false},
                      RemoteCase{"ZeroByte", "TALL", std::string("zed/lobby/h\0i", 13), false},
                      RemoteCase{"TooLong", "TALL", "zed/lobby/" + std::string(2000, 'x'), false},
                      RemoteCase{"Empty", "CHIN", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvinta::server::testing
