// A room's history on the server: asked for once after each login, then read
// into RoomHistory, which decides what the window is shown and when.
#include "protocol/history_frames.h"
#include "protocol/wire_commands.h"
#include "protocol/zup_chat_main.h"

namespace orvinta::protocol {

void CZupChatMain::SayHistoryHello() {
  History.Connected();
  SendFields(wire::kHistoryHello, {history::kVersion});
}

void CZupChatMain::RequestOlderLines(std::string_view channel) { History.RequestOlder(channel); }

void CZupChatMain::ProcHistoryHello(std::string_view body) { History.Offered(history::ParseOffer(body)); }

void CZupChatMain::ProcStampedToAll(std::string_view body) {
  if (const auto line = history::ParseStamped(body)) History.Live(*line);
}

void CZupChatMain::ProcOwnLineStamp(std::string_view body) {
  if (const auto stamp = history::ParseOwnStamp(body)) History.OwnLine(*stamp);
}

void CZupChatMain::ProcHistoryLine(std::string_view body) {
  if (const auto answer = history::ParseAnswerLine(body)) History.AnswerLine(*answer);
}

void CZupChatMain::ProcHistoryEnd(std::string_view body) {
  if (const auto end = history::ParseAnswerEnd(body)) History.AnswerEnd(*end);
}

}  // namespace orvinta::protocol
