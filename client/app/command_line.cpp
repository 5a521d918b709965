#include "client/app/command_line.h"

#include <cstdio>
#include <string_view>
#include <vector>

#include "client/app/client_ports.h"
#include "client/shell/command_line.h"
#include "client/shell/launch_arguments.h"

namespace orvinta::app {

std::optional<int> AnswerCommandLine(int argc, char** argv) {
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  const shell::CommandLine line = shell::ReadCommandLine(arguments);
  switch (line.action) {
    case shell::CommandLineAction::Launch:
      // Checked before the toolkit starts, so a wrong text is answered without a display too.
      if (!shell::ParseLaunchText(LaunchText(argc, argv), shell::DefaultServerAddress())) return ReportBadLaunchText();
      return std::nullopt;
    case shell::CommandLineAction::Help:
      std::fputs(shell::UsageText().c_str(), stdout);
      return 0;
    case shell::CommandLineAction::Bad:
      break;
  }
  std::fprintf(stderr, "orvinta: %s\n\n%s", line.problem.c_str(), shell::UsageText().c_str());
  return shell::kExitBadCommandLine;
}

int ReportBadLaunchText() {
  std::fputs("orvinta: the launch text has no user id of 2 to 21 bytes in its fourth field; "
             "see orvinta --help\n",
             stderr);
  return shell::kExitBadCommandLine;
}

}  // namespace orvinta::app
