#include "client/shell/command_line.h"

#include "text/text_util.h"

namespace orvinta::shell {
namespace {

// An argument echoed to the terminal: printable ASCII only, so it cannot carry escape sequences.
std::string Printable(std::string_view argument) {
  std::string shown;
  for (char c : text::LeftBytes(argument, 40)) shown.push_back(c >= 0x20 && c < 0x7F ? c : '?');
  return shown;
}

}  // namespace

CommandLine ReadCommandLine(const std::vector<std::string_view>& arguments) {
  if (arguments.empty()) return {CommandLineAction::Bad, "no launch text given"};
  const std::string_view first = arguments.front();
  if (first == "--help" || first == "-h" || first == "-?") return {CommandLineAction::Help, ""};
  // A launch text begins with its auto-enter field, a line feed or "orvinta://", never with "-".
  if (!first.empty() && first.front() == '-') {
    return {CommandLineAction::Bad, "unknown option " + Printable(first)};
  }
  bool blank = true;
  for (std::string_view argument : arguments) blank = blank && text::Trim(argument).empty();
  if (blank) return {CommandLineAction::Bad, "the launch text is empty"};
  return {CommandLineAction::Launch, ""};
}

std::string UsageText() {
  return R"usage(usage: orvinta LAUNCH-TEXT
       orvinta --help

LAUNCH-TEXT is twelve fields separated by line feeds, optionally behind
"orvinta://"; empty trailing fields may be left out:
   1 auto-enter     TRUE enters the room of field 7 after the login
   2 server         host:port of the chat server (empty: the default);
                    tls://host:port connects over TLS
   3 session key    the portal's sign-in key
   4 user id        2 to 21 bytes, taken in lower case
   5 nick           the name others see
   6 icon number    the member picture
   7 room key       the room to enter; a 1:1 room is "Pchat" + the smaller
                    and "^" + the larger of the two user ids
   8 room title     shown above the transcript
   9 debug monitor  TRUE opens the Chat Monitor
  10 peer id        for a 1:1 room: the other member, who is invited
  11 peer nick      for a 1:1 room: the other member's nick
  12 page token     given by the portal page

Examples:
  orvinta "$(printf 'TRUE\n127.0.0.1:11900\nkey\nalice\nAlice\n1001\nlobby\nLobby\nFALSE')"
  orvinta "$(printf 'TRUE\n127.0.0.1:11900\nkey\nalice\nAlice\n1001\nPchatalice^bob\nbob\nFALSE\nbob\nBob')"

A second launch for the same user id hands its room to that user's running
client. The portal pages are read from $ORVINTA_PORTAL (default
http://127.0.0.1:11901/), which orvinta-server --http-port serves.
ORVINTA_CA_FILE names a private certificate authority (PEM) trusted for
tls:// servers, as caFile in orvinta.conf does; requireTls=true there refuses
servers written without tls://.
ORVINTA_VERBOSE=1 shows the browser engine's and audio messages.
)usage";
}

}  // namespace orvinta::shell
