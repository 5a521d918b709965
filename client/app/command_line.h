#pragma once
// The command line before anything starts: the usage for --help or a bad
// command line, printed, with the exit status the program ends with.
#include <optional>

namespace orvinta::app {

// The exit status when the program must end now (0 after --help, 2 for a bad
// command line); nullopt when the arguments are a launch text.
std::optional<int> AnswerCommandLine(int argc, char** argv);

// Said when the launch text has no usable user id: ends with status 2.
int ReportBadLaunchText();

}  // namespace orvinta::app
