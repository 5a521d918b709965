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
                      BadArgs{"ZeroRoomCapacity", {"--room-capacity=0"}, "--room-capacity"},
                      BadArgs{"EmptyPortalDir", {"--portal-dir="}, "--portal-dir"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvinta::server
