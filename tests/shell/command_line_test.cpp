#include <gtest/gtest.h>

#include <ostream>

#include "client/shell/command_line.h"

namespace orvinta::shell {
namespace {

struct CommandLineCase {
  const char* name;
  std::vector<std::string_view> arguments;
  CommandLineAction action;
};

// Listed by name: the case's bytes would change from one listing to the next.
void PrintTo(const CommandLineCase& c, std::ostream* out) { *out << c.name; }

class CommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, Decides) {
  const CommandLine line = ReadCommandLine(GetParam().arguments);
  EXPECT_EQ(line.action, GetParam().action);
  EXPECT_EQ(line.problem.empty(), GetParam().action != CommandLineAction::Bad);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineTest,
    ::testing::Values(CommandLineCase{"NoArgument", {}, CommandLineAction::Bad},
                      CommandLineCase{"BlankArguments", {" ", "\n\t"}, CommandLineAction::Bad},
                      CommandLineCase{"LongHelp", {"--help"}, CommandLineAction::Help},
                      CommandLineCase{"ShortHelp", {"-h"}, CommandLineAction::Help},
                      CommandLineCase{"UnknownOption", {"--verbose"}, CommandLineAction::Bad},
                      CommandLineCase{"LaunchText", {"TRUE\n\nk\nalice"}, CommandLineAction::Launch},
                      CommandLineCase{"LinkWithEmptyFirstField", {"orvinta://\n\nk\nalice"}, CommandLineAction::Launch},
                      CommandLineCase{"TextSplitByTheShell", {"TRUE", "x"}, CommandLineAction::Launch}),
    [](const ::testing::TestParamInfo<CommandLineCase>& info) { return std::string(info.param.name); });

TEST(CommandLine, EchoedOptionCannotCarryTerminalEscapes) {
  const CommandLine line = ReadCommandLine({"-\x1b]0;owned\x07"});
  EXPECT_EQ(line.action, CommandLineAction::Bad);
  EXPECT_EQ(line.problem.find('\x1b'), std::string::npos);
  EXPECT_EQ(line.problem.find('\x07'), std::string::npos);
}

TEST(CommandLine, UsageNamesEveryLaunchFieldAndThePortal) {
  const std::string usage = UsageText();
  for (const char* field : {"auto-enter", "server", "session key", "user id", "nick", "icon number", "room key",
                            "room title", "debug monitor", "peer id", "peer nick", "page token", "Pchat",
                            "ORVINTA_PORTAL", "tls://", "ORVINTA_CA_FILE"}) {
    EXPECT_NE(usage.find(field), std::string::npos) << field;
  }
}

}  // namespace
}  // namespace orvinta::shell
