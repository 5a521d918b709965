#pragma once
// What the program's command line asks for: a launch, the usage, or nothing
// sensible. The launch text itself is read by ParseLaunchText.
#include <string>
#include <string_view>
#include <vector>

namespace orvinta::shell {

enum class CommandLineAction {
  Launch,  // the arguments are a launch text
  Help,    // print the usage, exit 0
  Bad      // print the problem and the usage, exit 2
};

struct CommandLine {
  CommandLineAction action = CommandLineAction::Bad;
  std::string problem;  // for Bad: one line saying what is wrong
};

inline constexpr int kExitBadCommandLine = 2;

// `arguments` are those after the program name.
CommandLine ReadCommandLine(const std::vector<std::string_view>& arguments);

// The short usage: the twelve launch fields, examples, and the portal setting.
std::string UsageText();

}  // namespace orvinta::shell
