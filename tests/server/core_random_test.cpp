// Random traffic from several connections, checked against the invariants the
// core must keep whatever clients send: rooms are never empty nor over
// capacity, nobody is listed twice, and every frame sent out is well formed.
#include <random>
#include <set>

#include "tests/server/core_fixture.h"

namespace orvinta::server::testing {
namespace {

class RandomTrafficTest : public CoreTest {
 protected:
  static ServerLimits Limits() {
    ServerLimits limits;
    limits.roomCapacity = 3;
    limits.maxRooms = 4;
    // The traffic is about state, not speed: no frame is dropped by a rate.
    for (RateRule& rule : limits.rates.classes) rule = RateRule{1000, 1000};
    return limits;
  }
  RandomTrafficTest() : CoreTest(Limits()) {}

  void CheckInvariants(int step) {
    for (const RoomSummary& room : server_.ListRooms()) {
      ASSERT_GT(room.memberCount, 0u) << "step " << step;
      ASSERT_LE(room.memberCount, 3u) << "step " << step;
      std::set<std::string> ids;
      for (const MemberSummary& m : server_.ListMembers(room.key)) {
        ASSERT_TRUE(ids.insert(m.id).second) << m.id << " twice in " << room.key << " at step " << step;
      }
    }
    if (server_.ListRooms().size() == 3) sawManyRooms_ = true;
    for (auto& [connection, frames] : outbox_.sent) {
      for (const std::string& f : frames) {
        if (f.starts_with("RSBN")) sawVoteResult_ = true;
        ASSERT_TRUE(protocol::IsWellFormedHeader(f)) << f;
        ASSERT_EQ(protocol::ParseLengthField(f.substr(4, 4)), f.size() - 8) << f;
        ASSERT_EQ(f.find('\0'), std::string::npos);
      }
    }
    outbox_.sent.clear();
  }

  bool sawManyRooms_ = false;
  bool sawVoteResult_ = false;
};

TEST_F(RandomTrafficTest, KeepsItsInvariants) {
  std::mt19937 random(20261207);
  auto pick = [&](const auto& pool) { return pool[random() % pool.size()]; };
  const std::vector<std::string> commands{"USER", "PONG", "ASIF", "CHIN", "CHOT", "TALL", "IFAL",
                                          "INVT", "DNIV", "IGNR", "RQBN", "VTBN", "XXXX"};
  const std::vector<std::string> ids{"a", "b", "c", "d", "", "a b"};
  const std::vector<std::string> rooms{"r1", "#r1", "r2", "r3", "r4", "r5", "Pchata^b", "", "x/y"};
  const std::vector<std::string> tails{"", "T", "F", "1", "99999999999", "hello/world", std::string("z\0z", 3)};

  std::vector<ConnectionId> open;
  for (int step = 0; step < 20000; ++step) {
    const unsigned action = random() % 40;
    if (action == 0 || open.size() < 3) {
      const ConnectionId c = Connect();
      open.push_back(c);
      Frame(c, "USER", pick(ids) + "/key/nick/" + pick(tails));
    } else if (action == 1) {
      const std::size_t i = random() % open.size();
      server_.OnDisconnected(open[i]);
      open.erase(open.begin() + static_cast<std::ptrdiff_t>(i));
    } else if (action == 2) {
      clock_.Advance(static_cast<Millis>(random() % 8'000));
      server_.Tick();
    } else if (action == 3) {
      for (ConnectionId c : open) Frame(c, "PONG", "");
    } else {
      std::string body = pick(ids) + "/" + pick(rooms) + "/" + pick(ids);
      if (random() % 2) body += "/" + pick(tails);
      Frame(pick(open), pick(commands), body);
    }
    // Connections the core closed are reported back, as the transport does.
    for (ConnectionId closed : outbox_.closed) {
      server_.OnDisconnected(closed);
      std::erase(open, closed);
    }
    outbox_.closed.clear();
    CheckInvariants(step);
    if (HasFatalFailure()) return;
  }
  // The traffic must have reached the interesting states at all.
  EXPECT_TRUE(sawManyRooms_);
  EXPECT_TRUE(sawVoteResult_);
}

}  // namespace
}  // namespace orvinta::server::testing
