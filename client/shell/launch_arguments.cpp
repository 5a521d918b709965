#include "client/shell/launch_arguments.h"

#include "client/shell/room_key_rule.h"
#include "text/text_util.h"
#include "protocol/zup_chat_main.h"

namespace orvinta::shell {
namespace {

constexpr std::string_view kUrlPrefix = "orvinta://";
constexpr std::size_t kFieldCount = 12;
constexpr std::string_view kLeadingBlanks = " \t\v\f\r";

bool IsTrue(std::string_view field) { return text::ToUpper(field) == "TRUE"; }

}  // namespace

std::string NormaliseUserId(std::string_view id) {
  std::string normal = text::ToLower(id);
  if (!normal.empty() && normal.front() >= '0' && normal.front() <= '9') return "_" + normal;
  return normal;
}

std::string CleanRoomTitle(std::string_view title) {
  std::string clean = text::RemoveChars(title, "|");
  if (clean.size() > kMaxRoomTitleSize) clean = std::string(text::LeftBytes(clean, kCutRoomTitleSize));
  return clean;
}

std::string DefaultServerAddress() {
  return std::string(ORVINTA_DEFAULT_SERVER_HOST) + ":" + std::to_string(protocol::kDefaultPort);
}

std::optional<LaunchSettings> ParseLaunchText(std::string_view commandLine, std::string_view defaultServer) {
  // Leading line feeds separate empty fields: trimming them away would shift
  // every field after them (an empty auto-enter field would become the user id).
  std::string_view rest = text::TrimRight(text::TrimLeft(commandLine, kLeadingBlanks));
  if (text::StartsWithIgnoreCase(rest, kUrlPrefix)) {
    rest = text::TrimRight(text::TrimLeft(rest.substr(kUrlPrefix.size()), kLeadingBlanks));
  }
  if (text::Trim(rest).empty()) return std::nullopt;

  std::string fields[kFieldCount];
  const auto pieces = text::Split(rest, '\n');
  for (std::size_t i = 0; i < kFieldCount && i < pieces.size(); ++i) fields[i] = std::string(text::Trim(pieces[i]));

  LaunchSettings s;
  s.AutoEnter = IsTrue(fields[0]);
  s.ServerAddress = fields[1].empty() ? std::string(defaultServer) : fields[1];
  s.SessionKey = fields[2];
  s.UserId = NormaliseUserId(fields[3]);
  s.Nick = fields[4];
  s.IconNo = fields[5];
  if (IsUsableRoomKey(fields[6])) s.RoomKey = fields[6];  // otherwise there is no room to enter
  s.RoomTitle = CleanRoomTitle(fields[7]);
  s.DebugMonitor = IsTrue(text::TrimRight(text::ToUpper(fields[8]), "/"));
  s.PeerId = NormaliseUserId(fields[9]);
  s.PeerNick = fields[10];
  s.PageToken = fields[11];

  if (s.UserId.size() < kMinUserIdSize || s.UserId.size() > kMaxUserIdSize) return std::nullopt;
  return s;
}

}  // namespace orvinta::shell
