// The plain parts behind the limits: the output budget, the memory of
// expulsions, which command counts against which rate, and the secret file.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "server/connection_slots.h"
#include "server/expulsions.h"
#include "server/output_budget.h"
#include "server/rate_ledger.h"
#include "server/rate_limits.h"
#include "server/session_key.h"

namespace orvinta::server {
namespace {

struct BudgetCase {
  const char* name;
  std::vector<QueuedOutput> queues;
  std::size_t budget;
  std::vector<ConnectionId> dropped;
};
void PrintTo(const BudgetCase& c, std::ostream* os) { *os << c.name; }

class OutputBudgetTest : public ::testing::TestWithParam<BudgetCase> {};

TEST_P(OutputBudgetTest, DropsTheLargestQueuesFirstAndNoMore) {
  EXPECT_EQ(ConnectionsOverBudget(GetParam().queues, GetParam().budget), GetParam().dropped);
}

INSTANTIATE_TEST_SUITE_P(Server, OutputBudgetTest,
                         ::testing::Values(BudgetCase{"Below", {{1, 10}, {2, 30}, {3, 20}}, 61, {}},
                                           BudgetCase{"AtTheBudget", {{1, 10}, {2, 30}, {3, 20}}, 60, {}},
                                           BudgetCase{"OneByteOver", {{1, 10}, {2, 30}, {3, 20}}, 59, {2}},
                                           BudgetCase{"FarOver", {{1, 10}, {2, 30}, {3, 20}}, 5, {2, 3, 1}},
                                           BudgetCase{"TiesGoByConnection", {{7, 20}, {4, 20}}, 30, {4}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ConnectionSlots, AReusedSlotDoesNotAnswerToTheOldId) {
  ConnectionSlots slots;
  auto make = [] { return std::make_unique<ClientConnection>(UniqueFd(), IntakeLimits{}); };
  const ConnectionId first = slots.Add(make());
  const ConnectionId second = slots.Add(make());
  EXPECT_EQ(first, 1u);  // readable in the log
  ASSERT_NE(slots.Find(first), nullptr);
  EXPECT_NE(slots.Remove(first), nullptr);
  EXPECT_EQ(slots.Find(first), nullptr);
  const ConnectionId third = slots.Add(make());
  EXPECT_NE(third, first);
  EXPECT_EQ(slots.Find(first), nullptr);
  EXPECT_NE(slots.Find(third), nullptr);
  EXPECT_NE(slots.Find(second), nullptr);
  EXPECT_EQ(slots.Size(), 2u);
}

TEST(Expulsions, LastTheirTimeAndTheOldestGiveWayWhenFull) {
  Expulsions bar(600'000, 2);
  bar.Remember("lobby", "bob", 0);
  bar.Remember("lobby", "eve", 10);
  EXPECT_TRUE(bar.Barred("lobby", "bob", 599'999));
  EXPECT_FALSE(bar.Barred("lobby", "bob", 600'000));
  EXPECT_FALSE(bar.Barred("other", "bob", 1));
  bar.Remember("lobby", "max", 20);  // full: bob's entry goes
  EXPECT_FALSE(bar.Barred("lobby", "bob", 30));
  EXPECT_TRUE(bar.Barred("lobby", "eve", 30));
  EXPECT_EQ(bar.Size(), 2u);
  bar.Prune(600'010);
  EXPECT_EQ(bar.Size(), 1u);
}

TEST(RateClasses, EveryCommandThatReachesOthersHasOne) {
  const std::pair<const char*, std::optional<RateClass>> table[] = {
      {"TALL", RateClass::kTalk},   {"IFAL", RateClass::kStatus}, {"CHIN", RateClass::kRoom},
      {"CHOT", RateClass::kRoom},   {"INVT", RateClass::kInvite}, {"DNIV", RateClass::kInvite},
      {"IGNR", RateClass::kInvite}, {"RQBN", RateClass::kVote},   {"ASIF", RateClass::kQuery},
      {"PONG", std::nullopt},       {"USER", std::nullopt},       {"VTBN", std::nullopt},
  };
  for (const auto& [command, rateClass] : table) EXPECT_EQ(RateClassOf(command), rateClass) << command;
}

TEST(RateClasses, SlowRatesRefillExactly) {
  TokenBucket bucket(RateRule{0.05, 2}, 0);  // one token every 20 s
  EXPECT_TRUE(bucket.Take(0));
  EXPECT_TRUE(bucket.Take(0));
  EXPECT_FALSE(bucket.Take(19'999));
  EXPECT_TRUE(bucket.Take(20'000));
  EXPECT_FALSE(bucket.Take(20'000));
  EXPECT_TRUE(bucket.Take(1'000'000'000));  // a long pause fills it, no more
  EXPECT_TRUE(bucket.Take(1'000'000'000));
  EXPECT_FALSE(bucket.Take(1'000'000'000));
}

TEST(RateLedger, KeepsWhatIdsLeaveUntilItIsFullAgainAndHasACeiling) {
  RateRules rules;
  rules.For(RateClass::kTalk) = RateRule{1, 2};
  RateLedger ledger(rules, 2);
  RateState used;
  EXPECT_EQ(ledger.Check(used, RateClass::kTalk, 0), RateVerdict::kPass);
  ledger.Keep("amy", used, 0);
  ledger.Keep("ben", RateState{}, 0);  // full: nothing to keep
  ledger.Keep("cat", used, 0);
  ledger.Keep("dan", used, 0);  // past the ceiling: one of the others goes
  EXPECT_EQ(ledger.Size(), 2u);
  RateState back = ledger.Resume("dan");
  EXPECT_EQ(ledger.Check(back, RateClass::kTalk, 0), RateVerdict::kPass);
  EXPECT_EQ(ledger.Check(back, RateClass::kTalk, 0), RateVerdict::kDrop);  // the burst of 2 was half spent
  ledger.Prune(1000);
  EXPECT_EQ(ledger.Size(), 0u);
}

TEST(SecretFile, IsReadWithoutItsLineEndAndMustNotBeShort) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("orvinta-secret-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  std::string error;
  std::ofstream(path) << "0123456789abcdef\n";
  EXPECT_EQ(ReadSecretFile(path.string(), error), "0123456789abcdef");
  EXPECT_TRUE(error.empty());
  std::ofstream(path) << "0123456789abcde\n";
  EXPECT_EQ(ReadSecretFile(path.string(), error), "");
  EXPECT_NE(error.find("shorter than 16 bytes"), std::string::npos) << error;
  std::filesystem::remove(path);
  EXPECT_EQ(ReadSecretFile(path.string(), error), "");
}

}  // namespace
}  // namespace orvinta::server
