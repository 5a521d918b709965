// The command line of orvinta-server.
#include "server/server_options.h"

#include <gtest/gtest.h>

namespace orvinta::server {
namespace {

ParsedOptions Parse(std::vector<std::string_view> args) { return ParseServerOptions(args); }

TEST(ServerOptions, DefaultsServeLoopbackOnTheStandardPort) {
  const auto parsed = Parse({});
  ASSERT_TRUE(parsed.options);
  EXPECT_EQ(parsed.options->bindAddress, "127.0.0.1");
  EXPECT_EQ(parsed.options->port, 11900);
  EXPECT_EQ(parsed.options->pingIntervalSeconds, 30);
  EXPECT_EQ(parsed.options->roomCapacity, 50);
  EXPECT_FALSE(parsed.options->httpPort);
}

TEST(ServerOptions, TakesEveryOptionInBothSpellings) {
  const auto parsed = Parse({"--port", "0", "--bind=0.0.0.0", "--ping-interval", "1", "--room-capacity=3", "--login-timeout", "2",
                             "--http-port", "8080", "--portal-dir", "/srv/portal"});
  ASSERT_TRUE(parsed.options) << parsed.error;
  EXPECT_EQ(parsed.options->port, 0);
  EXPECT_EQ(parsed.options->bindAddress, "0.0.0.0");
  EXPECT_EQ(parsed.options->pingIntervalSeconds, 1);
  EXPECT_EQ(parsed.options->roomCapacity, 3);
  EXPECT_EQ(parsed.options->loginTimeoutSeconds, 2);
  EXPECT_EQ(parsed.options->httpPort, 8080);
  EXPECT_EQ(parsed.options->portalDir, "/srv/portal");
}

TEST(ServerOptions, TakesTheLimitsKeysAndLogLevel) {
  const auto parsed = Parse({"--auth-secret", "/etc/orvinta/secret", "--verbose", "--rate", "talk=2.5/10", "--rate=flood=1/4",
                             "--max-per-address", "3", "--max-querying-per-address=1", "--max-http-per-address", "5",
                             "--cap-loopback", "--rooms-per-member", "2", "--expel-minutes", "0", "--output-budget-mb", "64",
                             "--flush-delay", "0", "--dev-signin", "--cluster", "redis://127.0.0.1:6379",
                             "--cluster-password-file=/etc/orvinta/redis", "--node-name", "chat-1.a_b",
                             "--cluster-wait", "3"});
  ASSERT_TRUE(parsed.options) << parsed.error;
  const ServerOptions& o = *parsed.options;
  EXPECT_EQ(o.authSecretFile, "/etc/orvinta/secret");
  EXPECT_EQ(o.logLevel, LogLevel::kVerbose);
  EXPECT_EQ(o.rates.For(RateClass::kTalk).perSecond, 2.5);
  EXPECT_EQ(o.rates.For(RateClass::kTalk).burst, 10);
  EXPECT_EQ(o.rates.flood.burst, 4);
  EXPECT_EQ(o.maxPerAddress, 3);
  EXPECT_EQ(o.maxQueryingPerAddress, 1);
  EXPECT_EQ(o.maxHttpPerAddress, 5);
  EXPECT_TRUE(o.capLoopback);
  EXPECT_EQ(o.roomsCreatedPerMember, 2);
  EXPECT_EQ(o.expelMinutes, 0);
  EXPECT_EQ(o.outputBudgetMb, 64);
  EXPECT_EQ(o.flushDelayMs, 0);
  EXPECT_TRUE(o.devSignin);
  EXPECT_EQ(o.clusterUrls, std::vector<std::string>{"redis://127.0.0.1:6379"});
  EXPECT_EQ(o.clusterPasswordFile, "/etc/orvinta/redis");
  EXPECT_EQ(o.nodeName, "chat-1.a_b");
  EXPECT_EQ(o.clusterWaitSeconds, 3);
}

struct BadArgs {
  const char* name;
  std::vector<std::string_view> args;
  const char* mentions;
};
void PrintTo(const BadArgs& c, std::ostream* os) { *os << c.name; }

class BadArgsTest : public ::testing::TestWithParam<BadArgs> {};

TEST_P(BadArgsTest, AreRefusedWithAMessageNamingTheProblem) {
  const auto parsed = Parse(GetParam().args);
  EXPECT_FALSE(parsed.options);
  EXPECT_NE(parsed.error.find(GetParam().mentions), std::string::npos) << parsed.error;
}

INSTANTIATE_TEST_SUITE_P(
    Server, BadArgsTest,
    ::testing::Values(BadArgs{"UnknownOption", {"--loud"}, "--loud"},
                      BadArgs{"MissingValue", {"--port"}, "--port"},
                      BadArgs{"PortTooLarge", {"--port", "65536"}, "--port"},
                      BadArgs{"PortNotANumber", {"--port", "80a"}, "--port"},
                      BadArgs{"NegativePort", {"--port", "-1"}, "--port"},
                      BadArgs{"BindNotAnAddress", {"--bind", "localhost"}, "--bind"},
                      BadArgs{"ZeroPingInterval", {"--ping-interval", "0"}, "--ping-interval"},
                      BadArgs{"FlushDelayOverItsBound", {"--flush-delay", "51"}, "--flush-delay"},
                      BadArgs{"ZeroRoomCapacity", {"--room-capacity=0"}, "--room-capacity"},
                      BadArgs{"EmptyPortalDir", {"--portal-dir="}, "--portal-dir"},
                      BadArgs{"SignKeyWithoutSecret", {"--sign-key", "kim"}, "--auth-secret"},
                      BadArgs{"FlagWithAValue", {"--quiet=yes"}, "--quiet"},
                      BadArgs{"UnknownRateClass", {"--rate", "chat=1/2"}, "--rate"},
                      BadArgs{"RateWithoutBurst", {"--rate", "talk=1"}, "--rate"},
                      BadArgs{"ZeroBurst", {"--rate", "talk=1/0"}, "--rate"},
                      BadArgs{"ZeroPerAddress", {"--max-per-address", "0"}, "--max-per-address"},
                      BadArgs{"TlsPortWithoutKey", {"--tls-port", "0", "--tls-cert", "c.pem"}, "--tls-key"},
                      BadArgs{"TlsOnlyWithoutPort", {"--tls-only"}, "--tls-port"},
                      BadArgs{"ClusterNotRedis", {"--cluster", "http://127.0.0.1:6379"}, "--cluster"},
                      BadArgs{"NodeNameWithASlash", {"--node-name", "a/b"}, "--node-name"},
                      BadArgs{"HistoryFileInACluster",
                              {"--history-db", "h.db", "--cluster", "redis://127.0.0.1:6379"},
                              "Redis"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvinta::server
